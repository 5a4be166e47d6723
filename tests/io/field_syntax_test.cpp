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
#include <gtest/gtest.h>
#include <limits>

namespace {

// Reads "#Inventor V2.1 ascii\n" + body.
struct Parsed : Read {
    explicit Parsed(const std::string &body) : Read("#Inventor V2.1 ascii\n" + body) {}
    template <class N = SoNode> N *node(int i) const { return at<N>({i}); }
    // A field of the first node, checked for its type.
    template <class F> F &field(const char *name) const {
        SoField *f = node(0)->getField(name);
        EXPECT_NE(f, nullptr) << name;
        EXPECT_EQ(f->getTypeId(), F::getClassTypeId()) << name;
        return *static_cast<F *>(f);
    }
    template <class F> auto vec(const char *name) const { return field<F>(name).getVector(); }
    // Width, height, components and the pixel bytes of an image field.
    std::vector<int> image(const char *name) const {
        SbVec2s size;
        int nc;
        const unsigned char *p = field<SoSFImage>(name).getValue(size, nc);
        std::vector<int> out = {size[0], size[1], nc};
        if (p) out.insert(out.end(), p, p + size[0] * size[1] * nc);
        return out;
    }
};

int enumValue(const SoEnumTable &table, const char *name) {
    int v = -1;
    EXPECT_TRUE(table.findEnumValue(name, v)) << name;
    return v;
}

TEST(FieldSyntax, EveryFieldTypeInDeclaredFields) {
    Parsed p(EVERY_FIELD_SYNTAX);
    ASSERT_TRUE(p.root) << p.msgs.text();
    EXPECT_EQ(p.msgs.all.size(), 0u) << p.msgs.text();
    ASSERT_TRUE(p.node(0)->isOfType(SoUnknownNode::getClassTypeId()));
    EXPECT_STREQ(p.node<SoUnknownNode>(0)->getClassName().getString(), "Probe");
    EXPECT_EQ(p.field<SoSFBool>("b1").getValue(), TRUE);
    EXPECT_EQ(p.field<SoSFBool>("b2").getValue(), FALSE);
    EXPECT_EQ(p.field<SoSFBool>("b3").getValue(), TRUE);
    EXPECT_EQ(p.field<SoSFInt32>("i").getValue(), -42);
    EXPECT_EQ(p.field<SoSFInt32>("ih").getValue(), -1);
    EXPECT_EQ(p.field<SoSFUInt32>("u").getValue(), 0xDEADBEEFu);
    EXPECT_EQ(p.field<SoSFShort>("s").getValue(), -32768);
    EXPECT_EQ(p.field<SoSFUShort>("us").getValue(), 0xFFFF);
    EXPECT_FLOAT_EQ(p.field<SoSFFloat>("f").getValue(), -1.5e10f);
    // Enum and bit-mask names of declared fields are learned in the order met.
    const SoSFEnum &e = p.field<SoSFEnum>("e");
    EXPECT_EQ(e.getValue(), enumValue(e.enums(), "SECOND"));
    const SoSFBitMask &m = p.field<SoSFBitMask>("m");
    EXPECT_NE(enumValue(m.enums(), "A"), enumValue(m.enums(), "B"));
    EXPECT_EQ(m.getValue(), enumValue(m.enums(), "A") | enumValue(m.enums(), "B"));
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
    EXPECT_TRUE(p.field<SoSFMatrix>("mx").getValue().equals(SbMatrix(1, 0, 0, 0, 0, 2, 0, 0, 0, 0, 3, 0, 4, 5, 6, 1), 0));
    // Pixels in hexadecimal or decimal, one number a pixel; an empty image is a value too.
    EXPECT_EQ(p.image("img"), (std::vector<int>{2, 1, 3, 0xFF, 0, 0, 0, 0xFF, 0x80}));
    EXPECT_EQ(p.image("grey"), (std::vector<int>{2, 2, 1, 0, 255, 0x7f, 1}));
    EXPECT_EQ(p.image("rgba"), (std::vector<int>{1, 1, 4, 0x11, 0x22, 0x33, 0x44}));
    EXPECT_EQ(p.image("none"), (std::vector<int>{0, 0, 0}));
    EXPECT_FALSE(p.field<SoSFImage>("none").isDefault());
    SoNode *nd = p.field<SoSFNode>("nd").getValue();
    ASSERT_TRUE(nd && nd->isOfType(SoCube::getClassTypeId()));
    EXPECT_EQ(static_cast<SoCube *>(nd)->width.getValue(), 3.0f);
    EXPECT_EQ(p.field<SoSFNode>("nul").getValue(), nullptr);
    EXPECT_FALSE(p.field<SoSFNode>("nul").isDefault());
    EXPECT_EQ(p.field<SoSFInt32>("old").getValue(), 7);
    EXPECT_EQ(p.vec<SoMFBool>("mb"), (std::vector<SbBool>{TRUE, FALSE, TRUE}));
    EXPECT_EQ(p.vec<SoMFInt32>("mi"), (std::vector<int32_t>{1, 2, 3, 4}));
    EXPECT_EQ(p.vec<SoMFUInt32>("mu"), (std::vector<uint32_t>{0xff0000ffu, 16}));
    EXPECT_EQ(p.vec<SoMFShort>("ms"), (std::vector<short>{-1, 2}));
    EXPECT_EQ(p.vec<SoMFUShort>("mus"), (std::vector<unsigned short>{0xF0F0}));
    const float inf = std::numeric_limits<float>::infinity();
    EXPECT_EQ(p.vec<SoMFFloat>("mf"),
              (std::vector<float>{inf, -inf, 1.5e-5f, 0.5f, -0.5f, 2, 3, 0, inf, -7, 1000, 0.0025f}));
    const SoMFEnum &me = p.field<SoMFEnum>("me");
    EXPECT_EQ(me.getVector(), (std::vector<int>{enumValue(me.enums(), "X"), enumValue(me.enums(), "Y"), me[0]}));
    EXPECT_NE(me[0], me[1]);
    const SoMFBitMask &mm = p.field<SoMFBitMask>("mm");
    EXPECT_EQ(mm.getVector(), (std::vector<int>{enumValue(mm.enums(), "P") | enumValue(mm.enums(), "Q"),
                                                 enumValue(mm.enums(), "R")}));
    EXPECT_EQ(p.vec<SoMFName>("mn"), (std::vector<SbName>{SbName("a"), SbName("b c")}));
    EXPECT_EQ(p.vec<SoMFString>("mstr"), (std::vector<SbString>{"one", "two"}));
    EXPECT_EQ(p.vec<SoMFVec2f>("mv2"), (std::vector<SbVec2f>{SbVec2f(1, 2), SbVec2f(3, 4)}));
    EXPECT_EQ(p.vec<SoMFVec3f>("mv3"), (std::vector<SbVec3f>{SbVec3f(1, 2, 3), SbVec3f(4, 5, 6)}));
    EXPECT_EQ(p.vec<SoMFVec4f>("mv4"), (std::vector<SbVec4f>{SbVec4f(1, 2, 3, 4)}));
    EXPECT_EQ(p.vec<SoMFColor>("mc"), (std::vector<SbColor>{SbColor(1, 0, 0), SbColor(0, 1, 0)}));
    EXPECT_EQ(p.field<SoMFRotation>("mr").getNum(), 2);
    EXPECT_EQ(p.vec<SoMFMatrix>("mmx"), (std::vector<SbMatrix>{SbMatrix::identity()}));
    const SoMFNode &mnd = p.field<SoMFNode>("mnd");
    ASSERT_EQ(mnd.getNum(), 3);
    EXPECT_TRUE(mnd[0]->isOfType(SoCube::getClassTypeId()));
    EXPECT_EQ(mnd[1], nullptr);
    EXPECT_NE(mnd[2], nullptr);
}

TEST(FieldSyntax, BuiltInFieldsListsEnumNamesStringsAndIgnoreFlags) {
    Parsed p("Separator { Coordinate3 { point [ 1 2 3, 4 5 6, ] } Coordinate3 { point [1 2 3 4 5 6] }\n"
             "Coordinate3 { point 7 8 9 } Coordinate3 { point [ ] }\n"
             "IndexedFaceSet { coordIndex [0,1,2,-1,0 2 3 -1] }\n"
             "DrawStyle { style LINES } Cone { parts (SIDES|BOTTOM) } Cone { parts BOTTOM } Text2 { justification 3 }\n"
             "Text2 { string [ \"first\r\nsecond\", \"caf\xe9 \xf0\xc1\", \"\" ] }\n"
             "Material { diffuseColor 1 0 0 ~ shininess ~ transparency 0.5 } }");
    ASSERT_TRUE(p.root) << p.msgs.text();
    const std::vector<SbVec3f> two{SbVec3f(1, 2, 3), SbVec3f(4, 5, 6)};
    EXPECT_EQ(p.node<SoCoordinate3>(0)->point.getVector(), two);
    EXPECT_EQ(p.node<SoCoordinate3>(1)->point.getVector(), two);
    EXPECT_EQ(p.node<SoCoordinate3>(2)->point.getVector(), std::vector<SbVec3f>{SbVec3f(7, 8, 9)});
    EXPECT_EQ(p.node<SoCoordinate3>(3)->point.getNum(), 0);
    EXPECT_FALSE(p.node<SoCoordinate3>(3)->point.isDefault());
    EXPECT_EQ(p.node<SoIndexedFaceSet>(4)->coordIndex.getVector(), (std::vector<int32_t>{0, 1, 2, -1, 0, 2, 3, -1}));
    EXPECT_EQ(p.node<SoDrawStyle>(5)->style.getValue(), SoDrawStyle::LINES);
    EXPECT_EQ(p.node<SoCone>(6)->parts.getValue(), SoCone::SIDES | SoCone::BOTTOM);
    EXPECT_EQ(p.node<SoCone>(7)->parts.getValue(), SoCone::BOTTOM);
    EXPECT_EQ(p.node<SoText2>(8)->justification.getValue(), 3);
    // Strings span lines (CRLF read as LF) and keep 8-bit bytes.
    EXPECT_EQ(p.node<SoText2>(9)->string.getVector(), (std::vector<SbString>{"first\nsecond", "caf\xe9 \xf0\xc1", ""}));
    // The ignore flag, after a value or alone.
    SoMaterial *m = p.node<SoMaterial>(10);
    EXPECT_TRUE(m->diffuseColor.isIgnored());
    EXPECT_EQ(m->diffuseColor[0], SbColor(1, 0, 0));
    EXPECT_TRUE(m->shininess.isIgnored());
    EXPECT_TRUE(m->shininess.isDefault());
    EXPECT_FALSE(m->transparency.isIgnored());
    EXPECT_EQ(m->transparency[0], 0.5f);
}

} // namespace
