// Structure of scene files: headers, DEF/USE, unknown nodes, connections, limits, malformed input.
#include "io_test_util.h"
#include "scene/nodes/SoCone.h"
#include "scene/nodes/SoCube.h"
#include "scene/nodes/SoGroup.h"
#include "scene/nodes/SoShapeHints.h"
#include "scene/nodes/SoSphere.h"
#include "scene/nodes/SoText2.h"
#include "scene/nodes/SoTranslation.h"
#include <gtest/gtest.h>
#include <random>

namespace {

const std::string HEADER = "#Inventor V2.1 ascii\n";

bool contains(const SbString &s, const std::string &needle) {
    return s.std().find(needle) != std::string::npos;
}

TEST(Reader, DefUseSharesNodesAndTheLatestDefinitionCounts) {
    Read r(HEADER + "Separator { DEF leg Cube { width 2 } USE leg Separator { USE leg }\n"
                    " DEF x Cube { } USE x DEF x Sphere { } USE x\n"
                    " DEF +1 Cone { } USE +1 DEF part+12 Cube { } USE part+12 }");
    ASSERT_TRUE(r.root) << r.msgs.text();
    SoCube *leg = r.at<SoCube>({0});
    ASSERT_TRUE(leg && leg->isOfType(SoCube::getClassTypeId()));
    EXPECT_EQ(leg->width.getValue(), 2.0f);
    EXPECT_EQ(leg->getName(), SbName("leg"));
    EXPECT_EQ(r.at({1}), leg);
    EXPECT_EQ(r.at({2, 0}), leg);
    EXPECT_EQ(r.at({4}), r.at({3}));
    EXPECT_TRUE(r.at({6})->isOfType(SoSphere::getClassTypeId()));
    EXPECT_EQ(r.at({6}), r.at({5}));
    // A '+' suffix is not part of the name.
    EXPECT_EQ(r.at({8}), r.at({7}));
    EXPECT_EQ(r.at({7})->getName(), SbName(""));
    EXPECT_EQ(r.at({10}), r.at({9}));
    EXPECT_EQ(r.at({9})->getName(), SbName("part"));
}

TEST(Reader, UnknownNodesAndUndeclaredFieldsAreSkippedWithWarnings) {
    Read r(HEADER + "Separator {\n  Cube { fields [ SFFloat width, SFFloat glow ] width 4 glow 2 }\n"
                    "  DEF g VRMLGroup { children [ Cube { } ] text \"}{\" # }\n }\n  Sphere { radius 3 }\n  USE g\n}");
    ASSERT_TRUE(r.root) << r.msgs.text();
    ASSERT_EQ(r.root->getNumChildren(), 2);
    EXPECT_EQ(r.at<SoCube>({0})->width.getValue(), 4.0f);
    EXPECT_EQ(r.at({0})->getField("glow"), nullptr);
    ASSERT_TRUE(r.at({1})->isOfType(SoSphere::getClassTypeId()));
    EXPECT_EQ(r.at<SoSphere>({1})->radius.getValue(), 3.0f);
    ASSERT_EQ(r.msgs.warnings(), 3) << r.msgs.text();
    EXPECT_EQ(r.msgs.errors(), 0);
    EXPECT_TRUE(contains(r.msgs.all[0].text, "no field 'glow'"));
    EXPECT_EQ(r.msgs.all[1].formatted,
              "test.iv:4:9: warning: unknown node type 'VRMLGroup' skipped (no 'fields' declaration)");
    EXPECT_EQ(r.msgs.all[2].line, 7); // the USE of the skipped node
}

TEST(Reader, TopLevelNodesAndSyntaxVariants) {
    Messages msgs;
    SoSeparator *single = readText(HEADER + "DEF top Separator { Cube { } }", msgs);
    ASSERT_TRUE(single);
    EXPECT_EQ(single->getRefCount(), 0);
    EXPECT_EQ(single->getName(), SbName("top"));
    EXPECT_EQ(single->getNumChildren(), 1);
    single->ref();
    single->unref();
    Read several(HEADER + "Cube { }\nSeparator { }\r\nSphere { }"), group(HEADER + "Group { Cube { } }"),
        empty(HEADER + "# nothing but a comment\n");
    EXPECT_EQ(several.root->getNumChildren(), 3);
    EXPECT_EQ(several.root->getName(), SbName(""));
    ASSERT_EQ(group.root->getNumChildren(), 1);
    EXPECT_EQ(group.at({0})->getTypeId(), SoGroup::getClassTypeId());
    EXPECT_EQ(empty.root->getNumChildren(), 0);
    EXPECT_EQ(msgs.all.size() + several.msgs.all.size() + group.msgs.all.size() + empty.msgs.all.size(), 0u);
    // Class names with the So prefix, no blanks, comments, CRLF line ends, version 2.0.
    Read compact("#Inventor V2.0 ascii\r\n# comment\r\nSoSeparator{SoCube{width 2}Cube{#c\r\n"
                 "height # inside\r\n 3}Translation{translation 1 2 3}}\r\n");
    ASSERT_TRUE(compact.root) << compact.msgs.text();
    ASSERT_EQ(compact.root->getNumChildren(), 3);
    EXPECT_EQ(compact.at<SoCube>({0})->width.getValue(), 2.0f);
    EXPECT_EQ(compact.at<SoCube>({1})->height.getValue(), 3.0f);
    EXPECT_EQ(compact.at<SoTranslation>({2})->translation.getValue(), SbVec3f(1, 2, 3));
    // Version 1.0 files are read, their shape hints converted.
    Read v1("#Inventor V1.0 ascii\nSeparator { ShapeHints { hints (SOLID | ORDERED | CONVEX) }\n"
            "ShapeHints { hints SURFACE } }");
    ASSERT_TRUE(v1.root) << v1.msgs.text();
    const SoShapeHints *all = v1.at<SoShapeHints>({0}), *none = v1.at<SoShapeHints>({1});
    EXPECT_EQ(all->vertexOrdering.getValue(), SoShapeHints::COUNTERCLOCKWISE);
    EXPECT_EQ(all->shapeType.getValue(), SoShapeHints::SOLID);
    EXPECT_EQ(all->faceType.getValue(), SoShapeHints::CONVEX);
    EXPECT_EQ(none->vertexOrdering.getValue(), SoShapeHints::UNKNOWN_ORDERING);
    EXPECT_EQ(none->faceType.getValue(), SoShapeHints::UNKNOWN_FACE_TYPE);
}

TEST(Reader, FieldConnectionsAreParsedAndTheFieldKeepsItsValue) {
    Read r(HEADER + "Separator {\n"
                    "  DEF t Translation { translation 1 2 3 }\n"
                    "  Text2 { string \"7000\" =\n"
                    "    DEF width GlobalField {\n      type \"SFFloat\"\n      width 7000\n    }\t  . width\n  }\n"
                    "  Text2 { string \"x\" = DEF kind GlobalField { type \"SFLong\" kind 3 } . kind }\n"
                    "  Translation { translation 4 5 6 = USE t . translation }\n"
                    "  Translation { translation 7 8 9 = USE t.translation }\n"
                    "  Text2 { string \"y\" = USE width . width }\n"
                    "  Cube { width 2 = ElapsedTime { speed 2 } . timeOut }\n"
                    "  Cube { depth 5 = Translation { translation 1 1 1 } . translation }\n"
                    "}\n");
    ASSERT_TRUE(r.root) << r.msgs.text();
    ASSERT_EQ(r.root->getNumChildren(), 8);
    EXPECT_EQ(r.at<SoText2>({1})->string[0], "7000");
    EXPECT_EQ(r.at<SoText2>({2})->string[0], "x");
    EXPECT_EQ(r.at<SoTranslation>({3})->translation.getValue(), SbVec3f(4, 5, 6));
    EXPECT_EQ(r.at<SoTranslation>({4})->translation.getValue(), SbVec3f(7, 8, 9));
    EXPECT_EQ(r.at<SoCube>({6})->width.getValue(), 2.0f);
    EXPECT_EQ(r.at<SoCube>({7})->depth.getValue(), 5.0f);
    // The engine is an unknown type: skipped with a warning.
    ASSERT_EQ(r.msgs.warnings(), 1) << r.msgs.text();
    EXPECT_TRUE(contains(r.msgs.all[0].text, "'ElapsedTime'"));
}

std::string nested(int depth, const std::string &open, const std::string &close) {
    std::string s = HEADER;
    for (int i = 0; i < depth; i++) s += open;
    s += "Cube { }";
    for (int i = 0; i < depth; i++) s += close;
    return s;
}

TEST(Reader, ErrorsStopTheReadingWithOneLocatedMessage) {
    const struct {
        std::string text;
        std::string needle; // in the formatted message: "file:line:column: text"
    } cases[] = {
        // Bad field values.
        {HEADER + "Cube { width abc }", "test.iv:2:14: expected a number"},
        {HEADER + "Cube { width 1.5x }", "test.iv:2:14: expected a number for field 'width' of 'Cube', found '1.5x'"},
        {HEADER + "Probe { fields [ SFInt32 i ] i 99999999999 }", "2:32: expected an integer from -2147483648 to 2147483647"},
        {HEADER + "Probe { fields [ SFShort s ] s 40000 }", "test.iv:2:32: expected an integer from -32768 to 32767"},
        {HEADER + "Probe { fields [ SFBool b ] b maybe }", "test.iv:2:31: expected TRUE or FALSE"},
        {HEADER + "Cone { parts ( SIDES BOTTOM ) }", "test.iv:2:22: expected '|' or ')'"},
        {HEADER + "Coordinate3 { point [ 1 2 3, 4 5 ] }", "test.iv:2:34: expected a number"},
        {HEADER + "Coordinate3 { point [ 1 2 3", "test.iv:2:28: expected ']'"},
        {HEADER + "Probe { fields [ SFImage i ] i 2 2 5 }", "test.iv:2:36: expected an integer from 0 to 4"},
        {HEADER + "Probe { fields [ SFImage i ] i 2 2 1 0x10 0x20 0x30 }", "test.iv:2:53: expected an integer"},
        {HEADER + "Probe { fields [ SFFoo f ] }", "test.iv:2:18: unknown field type 'SFFoo'"},
        {HEADER + "Cube { colour 1 }", "2:8: unknown field 'colour' in node 'Cube' (its fields: width, height, depth)"},
        {HEADER + "DrawStyle {\n  style SQUIGGLY\n}", "test.iv:3:9: unknown value 'SQUIGGLY'"},
        {HEADER + "DrawStyle { style SQUIGGLY }", "(expected one of FILLED, LINES, POINTS, INVISIBLE)"},
        {HEADER + "Separator {\n Text2 { string \"never closed }\n}\n", "test.iv:3:17: "},
        {HEADER + "Text2 { string \"never closed }", "not terminated"},
        // Bad structure.
        {HEADER + "Separator {\n  DEF a Separator { USE a }\n}", "test.iv:3:25: USE of undefined name 'a'"},
        {HEADER + "Separator {\n  Cube {\n    width 2\n",
         "test.iv:5:1: expected '}' to close node 'Cube' begun at line 3, found end of file"},
        {HEADER + "Separator {\n  Cube\n", "test.iv:4:1: expected '{' after node type 'Cube', found end of file"},
        {HEADER + "Cube { } }", "test.iv:2:10: expected a node, found '}'"},
        {"#Inventor V2.1 ascii\r\n\r\nSeparator {\r\n  Cube { width x }\r\n}\r\n", "test.iv:4:16: "},
        {HEADER + "Cube { width 2 = USE nowhere . x }", "test.iv:2:22: connection of field 'width' of 'Cube' uses "
                                                     "undefined name 'nowhere'"},
        {HEADER + "Separator { DEF t Translation { } Cube { width 2 = USE t } }",
         "test.iv:2:58: expected '.' and the name of the source field"},
        // Headers other than ASCII ones.
        {"#Inventor V2.1 binary\n\x01\x02\x03", "test.iv:1:1: binary scene files are not supported"},
        {"#VRML V2.0 utf8\nShape { }", "test.iv:1:1: VRML files are not supported"},
        {"#Inventor V3.0 ascii\nCube { }", "test.iv:1:1: unsupported scene file header '#Inventor V3.0 ascii'"},
        {"Separator { }", "test.iv:1:1: not a scene file"},
        {"", "test.iv:1:1: not a scene file"},
        // Limits, checked before allocating.
        {nested(100000, "Separator {\n", "}\n"), "test.iv:258:"},
        {nested(100000, "Separator {\n", "}\n"), "nested deeper than 256 levels"},
        {nested(100000, "Probe { fields [ SFNode n ] n ", "}\n"), "nested deeper than 256 levels"},
        {HEADER + "Image { image 100000 100000 3 0xff0000 }",
         "test.iv:2:15: image of 100000 x 100000 pixels for field 'image' of 'Image' is too large"},
        {HEADER + "Image { image 30000 30000 4 0xff0000ff }", "test.iv:2:15: image of 30000 x 30000 pixels for field "
                                                           "'image' of 'Image' is larger than the rest of the file"},
        {HEADER + "Image { image -2 2 3 }", "test.iv:2:15: expected an integer from 0 to 2147483647"},
    };
    for (const auto &c : cases) {
        Read r(c.text);
        EXPECT_FALSE(r.root) << c.needle;
        ASSERT_EQ(r.msgs.errors(), 1) << c.needle << "\n" << r.msgs.text();
        EXPECT_TRUE(contains(r.msgs.all.back().formatted, c.needle)) << c.needle << "\n" << r.msgs.text();
    }
    Read deepest(nested(255, "Separator {\n", "}\n"));
    EXPECT_TRUE(deepest.root) << deepest.msgs.text();
}

// Every prefix of a file using most of the syntax, and many random corruptions of it, must read or
// fail with a located error: no crash, no hang, no leak (the sanitizer build checks the last two).
TEST(Reader, MalformedInputNeverCrashes) {
    const std::string good =
        HEADER + "DEF root Separator {\n"
                 "  Material { diffuseColor [ 1 0 0, 0 1 0 ] shininess 0.5 ~ }\n"
                 "  DEF c Coordinate3 { point [ 0 0 0, 1 0 0, 1 1 0 ] }\n"
                 "  IndexedFaceSet { coordIndex [ 0, 1, 2, -1 ] vertexProperty VertexProperty { vertex [ 0 0 0 ] } }\n"
                 "  Text2 { string \"a \\\"b\\\"\" = DEF g GlobalField { type \"SFFloat\" g 1 } . g }\n"
                 "  Cone { parts ( SIDES | BOTTOM ) }\n"
                 "  Probe { fields [ SFImage i, MFNode n ] i 1 1 3 0xff00ff n [ USE c, NULL ] }\n"
                 "  Unknown { a [ 1 { } ] }\n"
                 "  USE c\n"
                 "}\n";
    ASSERT_TRUE(Read(good).root);
    std::vector<std::string> texts;
    for (size_t n = 0; n < good.size(); n++) texts.push_back(good.substr(0, n));
    std::mt19937 rng(12345);
    const char junk[] = "{}[]()|~=\".,#\\ \n0x1e9-+USEDEFNULLfields\xff";
    for (int i = 0; i < 3000; i++) {
        std::string text = good;
        for (int e = 1 + static_cast<int>(rng() % 4); e > 0; e--) {
            const size_t at = HEADER.size() + rng() % (text.size() - HEADER.size());
            const char c = junk[rng() % (sizeof junk - 1)];
            switch (rng() % 3) {
            case 0: text[at] = c; break;
            case 1: text.insert(text.begin() + static_cast<long>(at), c); break;
            default: text.erase(at, 1 + rng() % 8); break;
            }
        }
        texts.push_back(text);
    }
    for (const std::string &text : texts) {
        Read r(text);
        if (!r.root) {
            ASSERT_EQ(r.msgs.errors(), 1) << text;
            ASSERT_GT(r.msgs.all.back().line, 0) << text;
        }
    }
}

TEST(Reader, InputsReportToTheDefaultCallbackAndCheckFiles) {
    Messages global;
    SoInput::setDefaultMessageCallback(
        [](const SoInputMessage &m, void *data) { static_cast<Messages *>(data)->all.push_back(m); }, &global);
    SoInput in;
    std::string text = HEADER + "Gadget { }";
    in.setBuffer(text.data(), text.size(), "dir/scene.iv");
    Held<SoSeparator> root(SoDB::readAll(&in));
    SoInput::setDefaultMessageCallback(nullptr, nullptr);
    ASSERT_TRUE(root);
    ASSERT_EQ(global.all.size(), 1u);
    EXPECT_EQ(global.all[0].formatted,
              "dir/scene.iv:2:1: warning: unknown node type 'Gadget' skipped (no 'fields' declaration)");
    EXPECT_EQ(in.getNumWarnings(), 1);
    EXPECT_EQ(in.getNumErrors(), 0);
    EXPECT_STREQ(in.getCurFileName(), "dir/scene.iv");
    EXPECT_EQ(in.getCurDirectory(), "dir");
    // A missing file is an error unless asked to stay quiet.
    Messages msgs;
    SoInput missing;
    msgs.attach(missing);
    EXPECT_FALSE(missing.openFile("/nonexistent/scene.iv"));
    ASSERT_EQ(msgs.errors(), 1);
    EXPECT_TRUE(contains(msgs.all[0].formatted, "/nonexistent/scene.iv: cannot open the file"));
    EXPECT_FALSE(missing.openFile("/nonexistent/scene.iv", true));
    EXPECT_EQ(msgs.errors(), 1);
    EXPECT_EQ(SoDB::readAll(&missing), nullptr);
    EXPECT_EQ(msgs.errors(), 2);
    for (const std::string header : {"#Inventor V2.1 binary\n", "#Inventor V2.1 ascii\n"}) {
        missing.setBuffer(header.data(), header.size());
        EXPECT_EQ(missing.isValidFile(), header == HEADER);
    }
}

} // namespace
