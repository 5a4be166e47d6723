// Every field syntax of the scene format, read into declared fields of an unknown node and into
// the fields of built-in nodes.
#include "io_test_util.h"
#include "scene/nodes/SoCone.h"
#include "scene/nodes/SoCoordinate3.h"
#include "scene/nodes/SoCube.h"
#include "scene/nodes/SoDrawStyle.h"
#include "scene/nodes/SoIndexedFaceSet.h"
#include "scene/nodes/SoMaterial.h"
#include "scene/nodes/SoText2.h"
#include "scene/nodes/SoUnknownNode.h"
#include <cmath>
#include <cstring>
#include <gtest/gtest.h>
#include <limits>

namespace {

// Reads "#Inventor V2.1 ascii\n" + body; the first top-level node is returned through first.
struct Parsed {
    Messages msgs;
    Held<SoSeparator> root;
    explicit Parsed(const std::string &body)
        : root(readText("#Inventor V2.1 ascii\n" + body, msgs)) {}
    SoNode *first() const { return root ? child(root.get(), {0}) : nullptr; }
    template <class F> F &field(const char *name) const {
        SoField *f = first()->getField(name);
        EXPECT_NE(f, nullptr) << name;
        EXPECT_EQ(f->getTypeId(), F::getClassTypeId()) << name;
        return *static_cast<F *>(f);
    }
};

const char *PROBE = R"(
Probe {
  fields [ SFBool b1, SFBool b2, SFBool b3, SFInt32 i, SFInt32 ih, SFUInt32 u, SFShort s, SFUShort us,
           SFFloat f, SFEnum e, SFBitMask m, SFName n, SFName nq, SFString str, SFString word,
           SFVec2f v2, SFVec3f v3, SFVec4f v4, SFColor c, SFRotation r, SFMatrix mx, SFImage img,
           SFNode nd, SFNode nul, SFLong old,
           MFBool mb, MFInt32 mi, MFUInt32 mu, MFShort ms, MFUShort mus, MFFloat mf, MFEnum me,
           MFBitMask mm, MFName mn, MFString mstr, MFVec2f mv2, MFVec3f mv3, MFVec4f mv4, MFColor mc,
           MFRotation mr, MFMatrix mmx, MFNode mnd ]
  b1 TRUE b2 0 b3 true
  i -42 ih 0xFFFFFFFF u 0xDEADBEEF s -32768 us 0xFFFF
  f -1.5e+010
  e SECOND m ( A | B ) n some_name nq "two words"
  str "say \"hi\" C:\dir \\ end" word unquoted.txt
  v2 1 2 v3 .5 -.25 +3 v4 1 2 3 4 c 1 0 0.5
  r 0 0 1 1.5707964
  mx 1 0 0 0  0 2 0 0  0 0 3 0  4 5 6 1
  img 2 1 3 0xFF0000 0x00ff80
  nd Cube { width 3 } nul NULL old 7
  mb [ TRUE, FALSE 1 ]
  mi [ 1, 2 3,4 ]
  mu [ 0xff0000ff 16 ]
  ms [ -1 2 ]
  mus 0xF0F0
  mf [ 1e-400, 1E3, 2.5e-003 ]
  me [ X Y X ]
  mm [ ( P | Q ), R ]
  mn [ a "b c" ]
  mstr [ "one", "two" ]
  mv2 [ 1 2, 3 4 ]
  mv3 [ 1 2 3 4 5 6 ]
  mv4 [ 1 2 3 4 ]
  mc [ 1 0 0, 0 1 0 ]
  mr [ 1 0 0 3.1415927, 0 1 0 0 ]
  mmx [ 1 0 0 0 0 1 0 0 0 0 1 0 0 0 0 1 ]
  mnd [ Cube { }, NULL, Sphere { } ]
}
)";

TEST(FieldSyntax, EveryFieldTypeInDeclaredFields) {
    Parsed p(PROBE);
    ASSERT_TRUE(p.root) << p.msgs.text();
    EXPECT_EQ(p.msgs.all.size(), 0u) << p.msgs.text();
    ASSERT_TRUE(p.first()->isOfType(SoUnknownNode::getClassTypeId()));
    EXPECT_STREQ(static_cast<SoUnknownNode *>(p.first())->getClassName().getString(), "Probe");

    EXPECT_EQ(p.field<SoSFBool>("b1").getValue(), TRUE);
    EXPECT_EQ(p.field<SoSFBool>("b2").getValue(), FALSE);
    EXPECT_EQ(p.field<SoSFBool>("b3").getValue(), TRUE);
    EXPECT_EQ(p.field<SoSFInt32>("i").getValue(), -42);
    EXPECT_EQ(p.field<SoSFInt32>("ih").getValue(), -1);
    EXPECT_EQ(p.field<SoSFUInt32>("u").getValue(), 0xDEADBEEFu);
    EXPECT_EQ(p.field<SoSFShort>("s").getValue(), -32768);
    EXPECT_EQ(p.field<SoSFUShort>("us").getValue(), 0xFFFF);
    EXPECT_FLOAT_EQ(p.field<SoSFFloat>("f").getValue(), -1.5e10f);

    SoSFEnum &e = p.field<SoSFEnum>("e");
    SbName learned;
    ASSERT_TRUE(e.enums().findEnumName(e.getValue(), learned));
    EXPECT_STREQ(learned.getString(), "SECOND");
    SoSFBitMask &m = p.field<SoSFBitMask>("m");
    int a = 0, b = 0;
    ASSERT_TRUE(m.enums().findEnumValue("A", a));
    ASSERT_TRUE(m.enums().findEnumValue("B", b));
    EXPECT_NE(a, b);
    EXPECT_EQ(m.getValue(), a | b);

    EXPECT_EQ(p.field<SoSFName>("n").getValue(), SbName("some_name"));
    EXPECT_EQ(p.field<SoSFName>("nq").getValue(), SbName("two words"));
    EXPECT_EQ(p.field<SoSFString>("str").getValue(), "say \"hi\" C:\\dir \\ end");
    EXPECT_EQ(p.field<SoSFString>("word").getValue(), "unquoted.txt");
    EXPECT_EQ(p.field<SoSFVec2f>("v2").getValue(), SbVec2f(1, 2));
    EXPECT_EQ(p.field<SoSFVec3f>("v3").getValue(), SbVec3f(0.5f, -0.25f, 3));
    EXPECT_EQ(p.field<SoSFVec4f>("v4").getValue(), SbVec4f(1, 2, 3, 4));
    EXPECT_EQ(p.field<SoSFColor>("c").getValue(), SbColor(1, 0, 0.5f));

    SbVec3f axis;
    float angle;
    p.field<SoSFRotation>("r").getValue().getValue(axis, angle);
    EXPECT_NEAR(axis[2], 1.0f, 1e-6f);
    EXPECT_NEAR(angle, 1.5707964f, 1e-6f);
    const SbMat &mx = p.field<SoSFMatrix>("mx").getValue().getValue();
    EXPECT_EQ(mx[1][1], 2.0f);
    EXPECT_EQ(mx[3][0], 4.0f);
    EXPECT_EQ(mx[3][2], 6.0f);

    SbVec2s size;
    int nc;
    const unsigned char *px = p.field<SoSFImage>("img").getValue(size, nc);
    ASSERT_NE(px, nullptr);
    EXPECT_EQ(size, SbVec2s(2, 1));
    EXPECT_EQ(nc, 3);
    const unsigned char expected[] = {0xFF, 0, 0, 0, 0xFF, 0x80};
    EXPECT_EQ(std::memcmp(px, expected, 6), 0);

    SoNode *nd = p.field<SoSFNode>("nd").getValue();
    ASSERT_NE(nd, nullptr);
    ASSERT_TRUE(nd->isOfType(SoCube::getClassTypeId()));
    EXPECT_EQ(static_cast<SoCube *>(nd)->width.getValue(), 3.0f);
    EXPECT_EQ(p.field<SoSFNode>("nul").getValue(), nullptr);
    EXPECT_FALSE(p.field<SoSFNode>("nul").isDefault());
    EXPECT_EQ(p.field<SoSFInt32>("old").getValue(), 7);

    EXPECT_EQ(p.field<SoMFBool>("mb").getVector(), (std::vector<SbBool>{TRUE, FALSE, TRUE}));
    EXPECT_EQ(p.field<SoMFInt32>("mi").getVector(), (std::vector<int32_t>{1, 2, 3, 4}));
    EXPECT_EQ(p.field<SoMFUInt32>("mu").getVector(), (std::vector<uint32_t>{0xff0000ffu, 16}));
    EXPECT_EQ(p.field<SoMFShort>("ms").getVector(), (std::vector<short>{-1, 2}));
    EXPECT_EQ(p.field<SoMFUShort>("mus").getVector(), (std::vector<unsigned short>{0xF0F0}));
    EXPECT_EQ(p.field<SoMFFloat>("mf").getVector(), (std::vector<float>{0.0f, 1000.0f, 0.0025f}));
    const SoMFEnum &me = p.field<SoMFEnum>("me");
    ASSERT_EQ(me.getNum(), 3);
    EXPECT_EQ(me[0], me[2]);
    EXPECT_NE(me[0], me[1]);
    const SoMFBitMask &mm = p.field<SoMFBitMask>("mm");
    ASSERT_EQ(mm.getNum(), 2);
    int pv = 0, q = 0, r = 0;
    mm.enums().findEnumValue("P", pv);
    mm.enums().findEnumValue("Q", q);
    mm.enums().findEnumValue("R", r);
    EXPECT_EQ(mm[0], pv | q);
    EXPECT_EQ(mm[1], r);
    EXPECT_EQ(p.field<SoMFName>("mn").getVector(),
              (std::vector<SbName>{SbName("a"), SbName("b c")}));
    EXPECT_EQ(p.field<SoMFString>("mstr").getVector(), (std::vector<SbString>{"one", "two"}));
    EXPECT_EQ(p.field<SoMFVec2f>("mv2").getVector(),
              (std::vector<SbVec2f>{SbVec2f(1, 2), SbVec2f(3, 4)}));
    EXPECT_EQ(p.field<SoMFVec3f>("mv3").getVector(),
              (std::vector<SbVec3f>{SbVec3f(1, 2, 3), SbVec3f(4, 5, 6)}));
    EXPECT_EQ(p.field<SoMFVec4f>("mv4").getNum(), 1);
    EXPECT_EQ(p.field<SoMFColor>("mc").getVector(),
              (std::vector<SbColor>{SbColor(1, 0, 0), SbColor(0, 1, 0)}));
    EXPECT_EQ(p.field<SoMFRotation>("mr").getNum(), 2);
    EXPECT_EQ(p.field<SoMFMatrix>("mmx").getNum(), 1);
    const SoMFNode &mnd = p.field<SoMFNode>("mnd");
    ASSERT_EQ(mnd.getNum(), 3);
    EXPECT_TRUE(mnd[0]->isOfType(SoCube::getClassTypeId()));
    EXPECT_EQ(mnd[1], nullptr);
    EXPECT_NE(mnd[2], nullptr);
}

TEST(FieldSyntax, ListsWithAndWithoutCommasAndSingleValues) {
    Parsed p("Separator { Coordinate3 { point [ 1 2 3, 4 5 6, ] }\n"
             "Coordinate3 { point [1 2 3 4 5 6] }\n"
             "Coordinate3 { point 7 8 9 }\n"
             "Coordinate3 { point [ ] }\n"
             "IndexedFaceSet { coordIndex [0,1,2,-1,0 2 3 -1] } }");
    ASSERT_TRUE(p.root) << p.msgs.text();
    std::vector<SbVec3f> two{SbVec3f(1, 2, 3), SbVec3f(4, 5, 6)};
    EXPECT_EQ(static_cast<SoCoordinate3 *>(child(p.root.get(), {0}))->point.getVector(), two);
    EXPECT_EQ(static_cast<SoCoordinate3 *>(child(p.root.get(), {1}))->point.getVector(), two);
    EXPECT_EQ(static_cast<SoCoordinate3 *>(child(p.root.get(), {2}))->point.getVector(),
              std::vector<SbVec3f>{SbVec3f(7, 8, 9)});
    SoCoordinate3 *empty = static_cast<SoCoordinate3 *>(child(p.root.get(), {3}));
    EXPECT_EQ(empty->point.getNum(), 0);
    EXPECT_FALSE(empty->point.isDefault());
    EXPECT_EQ(static_cast<SoIndexedFaceSet *>(child(p.root.get(), {4}))->coordIndex.getVector(),
              (std::vector<int32_t>{0, 1, 2, -1, 0, 2, 3, -1}));
}

TEST(FieldSyntax, EnumAndBitMaskNamesOfBuiltInFields) {
    Parsed p(
        "Separator { DrawStyle { style LINES } Cone { parts (SIDES|BOTTOM) } Cone { parts BOTTOM }"
        " Text2 { justification 3 } }");
    ASSERT_TRUE(p.root) << p.msgs.text();
    EXPECT_EQ(static_cast<SoDrawStyle *>(child(p.root.get(), {0}))->style.getValue(),
              SoDrawStyle::LINES);
    EXPECT_EQ(static_cast<SoCone *>(child(p.root.get(), {1}))->parts.getValue(),
              SoCone::SIDES | SoCone::BOTTOM);
    EXPECT_EQ(static_cast<SoCone *>(child(p.root.get(), {2}))->parts.getValue(), SoCone::BOTTOM);
    EXPECT_EQ(static_cast<SoText2 *>(child(p.root.get(), {3}))->justification.getValue(), 3);
}

TEST(FieldSyntax, UnknownEnumNameIsAnErrorListingTheNames) {
    Parsed p("DrawStyle {\n  style SQUIGGLY\n}");
    EXPECT_FALSE(p.root);
    ASSERT_EQ(p.msgs.errors(), 1);
    EXPECT_EQ(p.msgs.all[0].line, 3);
    EXPECT_EQ(p.msgs.all[0].column, 9);
    EXPECT_NE(p.msgs.all[0].text.std().find("SQUIGGLY"), std::string::npos);
    EXPECT_NE(p.msgs.all[0].text.std().find("FILLED, LINES"), std::string::npos);
}

TEST(FieldSyntax, BadValuesAreErrorsWithPosition) {
    struct Case {
        const char *body;
        const char *needle;
    } cases[] = {
        {"Cube { width abc }", "expected a number"},
        {"Cube { width 1.5x }", "'1.5x'"},
        {"Probe { fields [ SFInt32 i ] i 99999999999 }", "from -2147483648 to 2147483647"},
        {"Probe { fields [ SFShort s ] s 40000 }", "from -32768 to 32767"},
        {"Probe { fields [ SFBool b ] b maybe }", "TRUE or FALSE"},
        {"Cone { parts ( SIDES BOTTOM ) }", "'|' or ')'"},
        {"Coordinate3 { point [ 1 2 3, 4 5 ] }", "expected a number"},
        {"Coordinate3 { point [ 1 2 3", "expected ']'"},
        {"Probe { fields [ SFImage i ] i 2 2 5 }", "from 0 to 4"},
        {"Probe { fields [ SFImage i ] i 2 2 1 0x10 0x20 0x30 }", "expected an integer"},
        {"Probe { fields [ SFFoo f ] }", "unknown field type 'SFFoo'"},
        {"Cube { colour 1 }",
         "unknown field 'colour' in node 'Cube' (its fields: width, height, depth)"},
    };
    for (const Case &c : cases) {
        Parsed p(c.body);
        EXPECT_FALSE(p.root) << c.body;
        ASSERT_EQ(p.msgs.errors(), 1) << c.body << "\n" << p.msgs.text();
        EXPECT_NE(p.msgs.all.back().text.std().find(c.needle), std::string::npos) << p.msgs.text();
        EXPECT_EQ(p.msgs.all.back().line, 2) << c.body;
        EXPECT_GT(p.msgs.all.back().column, 1) << c.body;
    }
}

TEST(FieldSyntax, StringsSpanLinesAndKeepEightBitBytes) {
    std::string body = "Text2 { string [ \"first\r\nsecond\", \"caf\xe9 \xf0\xc1\", \"\" ] }";
    Parsed p(body);
    ASSERT_TRUE(p.root) << p.msgs.text();
    const SoMFString &s = static_cast<SoText2 *>(p.first())->string;
    ASSERT_EQ(s.getNum(), 3);
    EXPECT_EQ(s[0], "first\nsecond");
    EXPECT_EQ(s[1], "caf\xe9 \xf0\xc1");
    EXPECT_EQ(s[2], "");
}

TEST(FieldSyntax, UnterminatedStringNamesWhereItBegan) {
    Parsed p("Separator {\n Text2 { string \"never closed }\n}\n");
    EXPECT_FALSE(p.root);
    ASSERT_EQ(p.msgs.errors(), 1);
    EXPECT_EQ(p.msgs.all[0].line, 3);
    EXPECT_EQ(p.msgs.all[0].column, 17);
    EXPECT_NE(p.msgs.all[0].text.std().find("not terminated"), std::string::npos);
}

TEST(FieldSyntax, FloatForms) {
    Parsed p("Probe { fields [ MFFloat v ] v [ 1.25e+100, -1e+100, 1.5E-005, .5, -.5, +2, 3., "
             "1e-400, inf, -7 ] }");
    ASSERT_TRUE(p.root) << p.msgs.text();
    const std::vector<float> &v = p.field<SoMFFloat>("v").getVector();
    ASSERT_EQ(v.size(), 10u);
    EXPECT_EQ(v[0], std::numeric_limits<float>::infinity());
    EXPECT_EQ(v[1], -std::numeric_limits<float>::infinity());
    EXPECT_FLOAT_EQ(v[2], 1.5e-5f);
    EXPECT_EQ(v[3], 0.5f);
    EXPECT_EQ(v[4], -0.5f);
    EXPECT_EQ(v[5], 2.0f);
    EXPECT_EQ(v[6], 3.0f);
    EXPECT_EQ(v[7], 0.0f);
    EXPECT_TRUE(std::isinf(v[8]));
    EXPECT_EQ(v[9], -7.0f);
}

TEST(FieldSyntax, ImagePixelsInHexAndDecimal) {
    Parsed p("Probe { fields [ SFImage grey, SFImage rgba, SFImage none ]\n"
             " grey 2 2 1 0x00 255 0x7f 1\n rgba 1 1 4 0x11223344\n none 0 0 0 }");
    ASSERT_TRUE(p.root) << p.msgs.text();
    SbVec2s size;
    int nc;
    const unsigned char *g = p.field<SoSFImage>("grey").getValue(size, nc);
    ASSERT_NE(g, nullptr);
    EXPECT_EQ(nc, 1);
    EXPECT_EQ(std::vector<unsigned char>(g, g + 4), (std::vector<unsigned char>{0, 255, 0x7f, 1}));
    const unsigned char *c = p.field<SoSFImage>("rgba").getValue(size, nc);
    ASSERT_NE(c, nullptr);
    EXPECT_EQ(nc, 4);
    EXPECT_EQ(std::vector<unsigned char>(c, c + 4),
              (std::vector<unsigned char>{0x11, 0x22, 0x33, 0x44}));
    EXPECT_EQ(p.field<SoSFImage>("none").getValue(size, nc), nullptr);
    EXPECT_FALSE(p.field<SoSFImage>("none").isDefault());
}

TEST(FieldSyntax, IgnoreFlagWithAndWithoutValue) {
    Parsed p("Material { diffuseColor 1 0 0 ~ shininess ~ transparency 0.5 }");
    ASSERT_TRUE(p.root) << p.msgs.text();
    SoMaterial *m = static_cast<SoMaterial *>(p.first());
    EXPECT_TRUE(m->diffuseColor.isIgnored());
    EXPECT_EQ(m->diffuseColor[0], SbColor(1, 0, 0));
    EXPECT_TRUE(m->shininess.isIgnored());
    EXPECT_TRUE(m->shininess.isDefault());
    EXPECT_FALSE(m->transparency.isIgnored());
    EXPECT_EQ(m->transparency[0], 0.5f);
}

} // namespace
