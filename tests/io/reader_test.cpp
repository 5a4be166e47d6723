// Structure of scene files: headers, DEF/USE, unknown nodes, connections, limits, malformed input.
#include "io_test_util.h"
#include "scene/misc/SoDB.h"
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

bool contains(const SbString &s, const char *needle) {
    return s.std().find(needle) != std::string::npos;
}

TEST(Reader, DefUseSharesOneNode) {
    Messages msgs;
    Held<SoSeparator> root(readText(
        HEADER + "Separator { DEF leg Cube { width 2 } USE leg Separator { USE leg } }", msgs));
    ASSERT_TRUE(root) << msgs.text();
    SoNode *a = child(root.get(), {0});
    ASSERT_TRUE(a && a->isOfType(SoCube::getClassTypeId()));
    EXPECT_EQ(child(root.get(), {1}), a);
    EXPECT_EQ(child(root.get(), {2, 0}), a);
    EXPECT_EQ(a->getName(), SbName("leg"));
    EXPECT_EQ(static_cast<SoCube *>(a)->width.getValue(), 2.0f);
}

TEST(Reader, RedefinedNameRefersToTheLaterNodeAndSuffixIsNotPartOfTheName) {
    Messages msgs;
    Held<SoSeparator> root(
        readText(HEADER + "Separator { DEF x Cube { } USE x DEF x Sphere { } USE x\n"
                          " DEF +1 Cone { } USE +1 DEF part+12 Cube { } USE part+12 }",
                 msgs));
    ASSERT_TRUE(root) << msgs.text();
    EXPECT_EQ(child(root.get(), {1}), child(root.get(), {0}));
    EXPECT_TRUE(child(root.get(), {3})->isOfType(SoSphere::getClassTypeId()));
    EXPECT_EQ(child(root.get(), {3}), child(root.get(), {2}));
    EXPECT_EQ(child(root.get(), {5}), child(root.get(), {4}));
    EXPECT_EQ(child(root.get(), {4})->getName(), SbName(""));
    EXPECT_EQ(child(root.get(), {6})->getName(), SbName("part"));
}

TEST(Reader, UseOfAnUndefinedNameIsAnError) {
    Messages msgs;
    Held<SoSeparator> root(readText(HEADER + "Separator {\n  DEF a Separator { USE a }\n}", msgs));
    EXPECT_FALSE(root);
    ASSERT_EQ(msgs.errors(), 1);
    EXPECT_EQ(msgs.all[0].formatted, "test.iv:3:25: USE of undefined name 'a'");
}

TEST(Reader, UnknownNodeIsSkippedWithAWarningAndTheRestIsKept) {
    Messages msgs;
    Held<SoSeparator> root(
        readText(HEADER + "Separator {\n  Cube { }\n  DEF g VRMLGroup { children [ Cube { } ]"
                          " text \"}{\" # }\n }\n  Sphere { radius 3 }\n  USE g\n}",
                 msgs));
    ASSERT_TRUE(root) << msgs.text();
    ASSERT_EQ(root->getNumChildren(), 2);
    EXPECT_TRUE(child(root.get(), {0})->isOfType(SoCube::getClassTypeId()));
    ASSERT_TRUE(child(root.get(), {1})->isOfType(SoSphere::getClassTypeId()));
    EXPECT_EQ(static_cast<SoSphere *>(child(root.get(), {1}))->radius.getValue(), 3.0f);
    ASSERT_EQ(msgs.warnings(), 2) << msgs.text();
    EXPECT_EQ(
        msgs.all[0].formatted,
        "test.iv:4:9: warning: unknown node type 'VRMLGroup' skipped (no 'fields' declaration)");
    EXPECT_EQ(msgs.all[1].line, 7);
    EXPECT_EQ(msgs.errors(), 0);
}

TEST(Reader, FieldsDeclaredForABuiltInNodeThatLacksThemAreReadAndDropped) {
    Messages msgs;
    Held<SoSeparator> root(
        readText(HEADER + "Cube { fields [ SFFloat width, SFFloat glow ] width 4 glow 2 }", msgs));
    ASSERT_TRUE(root) << msgs.text();
    SoCube *cube = static_cast<SoCube *>(child(root.get(), {0}));
    EXPECT_EQ(cube->width.getValue(), 4.0f);
    EXPECT_EQ(cube->getField("glow"), nullptr);
    ASSERT_EQ(msgs.warnings(), 1);
    EXPECT_TRUE(contains(msgs.all[0].text, "no field 'glow'"));
}

TEST(Reader, TopLevelNodes) {
    Messages msgs;
    SoSeparator *single = readText(HEADER + "DEF top Separator { Cube { } }", msgs);
    ASSERT_TRUE(single);
    EXPECT_EQ(single->getRefCount(), 0);
    EXPECT_EQ(single->getName(), SbName("top"));
    EXPECT_EQ(single->getNumChildren(), 1);
    single->ref();
    single->unref();

    Held<SoSeparator> several(readText(HEADER + "Cube { }\nSeparator { }\r\nSphere { }", msgs));
    ASSERT_TRUE(several);
    EXPECT_EQ(several->getNumChildren(), 3);
    EXPECT_EQ(several->getName(), SbName(""));

    Held<SoSeparator> group(readText(HEADER + "Group { Cube { } }", msgs));
    ASSERT_TRUE(group);
    ASSERT_EQ(group->getNumChildren(), 1);
    EXPECT_EQ(child(group.get(), {0})->getTypeId(), SoGroup::getClassTypeId());

    Held<SoSeparator> empty(readText(HEADER + "# nothing but a comment\n", msgs));
    ASSERT_TRUE(empty);
    EXPECT_EQ(empty->getNumChildren(), 0);
    EXPECT_EQ(msgs.all.size(), 0u) << msgs.text();
}

TEST(Reader, ClassNamesWithPrefixNoBlanksCommentsAndCrlf) {
    Messages msgs;
    std::string text = "#Inventor V2.0 ascii\r\n# comment\r\nSoSeparator{SoCube{width 2}Cube{#c\r\n"
                       "height # inside\r\n 3}Translation{translation 1 2 3}}\r\n";
    Held<SoSeparator> root(readText(text, msgs));
    ASSERT_TRUE(root) << msgs.text();
    ASSERT_EQ(root->getNumChildren(), 3);
    EXPECT_EQ(static_cast<SoCube *>(child(root.get(), {0}))->width.getValue(), 2.0f);
    EXPECT_EQ(static_cast<SoCube *>(child(root.get(), {1}))->height.getValue(), 3.0f);
    EXPECT_EQ(static_cast<SoTranslation *>(child(root.get(), {2}))->translation.getValue(),
              SbVec3f(1, 2, 3));

    // Line numbers stay right with CRLF line ends.
    Held<SoSeparator> bad(
        readText("#Inventor V2.1 ascii\r\n\r\nSeparator {\r\n  Cube { width x }\r\n}\r\n", msgs));
    EXPECT_FALSE(bad);
    EXPECT_EQ(msgs.all.back().line, 4);
    EXPECT_EQ(msgs.all.back().column, 16);
}

TEST(Reader, HeadersOtherThanAsciiAreRefused) {
    struct Case {
        std::string text;
        const char *needle;
    } cases[] = {
        {"#Inventor V2.1 binary\n\x01\x02\x03", "binary scene files are not supported"},
        {"#VRML V2.0 utf8\nShape { }", "VRML files are not supported"},
        {"#Inventor V3.0 ascii\nCube { }", "unsupported scene file header '#Inventor V3.0 ascii'"},
        {"Separator { }", "not a scene file"},
        {"", "not a scene file"},
    };
    for (const Case &c : cases) {
        Messages msgs;
        Held<SoSeparator> root(readText(c.text, msgs));
        EXPECT_FALSE(root);
        ASSERT_EQ(msgs.errors(), 1);
        EXPECT_TRUE(contains(msgs.all[0].text, c.needle)) << msgs.text();
        EXPECT_EQ(msgs.all[0].line, 1);
    }
    Messages msgs;
    Held<SoSeparator> v1(readText("#Inventor V1.0 ascii\nCube { }", msgs));
    EXPECT_TRUE(v1);
}

TEST(Reader, VersionOneShapeHintsAreConverted) {
    Messages msgs;
    Held<SoSeparator> root(readText(
        "#Inventor V1.0 ascii\nSeparator { ShapeHints { hints (SOLID | ORDERED | CONVEX) }\n"
        "ShapeHints { hints SURFACE } }",
        msgs));
    ASSERT_TRUE(root) << msgs.text();
    SoShapeHints *all = static_cast<SoShapeHints *>(child(root.get(), {0}));
    EXPECT_EQ(all->vertexOrdering.getValue(), SoShapeHints::COUNTERCLOCKWISE);
    EXPECT_EQ(all->shapeType.getValue(), SoShapeHints::SOLID);
    EXPECT_EQ(all->faceType.getValue(), SoShapeHints::CONVEX);
    SoShapeHints *none = static_cast<SoShapeHints *>(child(root.get(), {1}));
    EXPECT_EQ(none->vertexOrdering.getValue(), SoShapeHints::UNKNOWN_ORDERING);
    EXPECT_EQ(none->faceType.getValue(), SoShapeHints::UNKNOWN_FACE_TYPE);
}

TEST(Reader, FieldConnectionsAreParsedAndTheFieldKeepsItsValue) {
    Messages msgs;
    std::string text =
        HEADER +
        "Separator {\n"
        "  DEF t Translation { translation 1 2 3 }\n"
        "  Text2 { string \"7000\" =\n"
        "    DEF width GlobalField {\n      type \"SFFloat\"\n      width 7000\n    }\t  . width\n "
        " }\n"
        "  Text2 { string \"x\" = DEF kind GlobalField { type \"SFLong\" kind 3 } . kind }\n"
        "  Translation { translation 4 5 6 = USE t . translation }\n"
        "  Translation { translation 7 8 9 = USE t.translation }\n"
        "  Text2 { string \"y\" = USE width . width }\n"
        "  Cube { width 2 = ElapsedTime { speed 2 } . timeOut }\n"
        "  Cube { depth 5 = Translation { translation 1 1 1 } . translation }\n"
        "}\n";
    Held<SoSeparator> root(readText(text, msgs));
    ASSERT_TRUE(root) << msgs.text();
    ASSERT_EQ(root->getNumChildren(), 8);
    EXPECT_EQ(static_cast<SoText2 *>(child(root.get(), {1}))->string[0], "7000");
    EXPECT_EQ(static_cast<SoText2 *>(child(root.get(), {2}))->string[0], "x");
    EXPECT_EQ(static_cast<SoTranslation *>(child(root.get(), {3}))->translation.getValue(),
              SbVec3f(4, 5, 6));
    EXPECT_EQ(static_cast<SoTranslation *>(child(root.get(), {4}))->translation.getValue(),
              SbVec3f(7, 8, 9));
    EXPECT_EQ(static_cast<SoCube *>(child(root.get(), {6}))->width.getValue(), 2.0f);
    EXPECT_EQ(static_cast<SoCube *>(child(root.get(), {7}))->depth.getValue(), 5.0f);
    // The engine is an unknown type: skipped with a warning.
    ASSERT_EQ(msgs.warnings(), 1) << msgs.text();
    EXPECT_TRUE(contains(msgs.all[0].text, "'ElapsedTime'"));

    Held<SoSeparator> bad(readText(HEADER + "Cube { width 2 = USE nowhere . x }", msgs));
    EXPECT_FALSE(bad);
    EXPECT_TRUE(contains(msgs.all.back().text, "undefined name 'nowhere'"));
    Held<SoSeparator> noDot(
        readText(HEADER + "Separator { DEF t Translation { } Cube { width 2 = USE t } }", msgs));
    EXPECT_FALSE(noDot);
    EXPECT_TRUE(contains(msgs.all.back().text, "expected '.' and the name of the source field"));
}

TEST(Reader, DeepNestingIsRefused) {
    auto nested = [](int depth, const char *open, const char *close) {
        std::string s = HEADER;
        for (int i = 0; i < depth; i++)
            s += open;
        s += "Cube { }";
        for (int i = 0; i < depth; i++)
            s += close;
        return s;
    };
    Messages msgs;
    Held<SoSeparator> ok(readText(nested(255, "Separator {\n", "}\n"), msgs));
    EXPECT_TRUE(ok) << msgs.text();
    Held<SoSeparator> deep(readText(nested(100000, "Separator {\n", "}\n"), msgs));
    EXPECT_FALSE(deep);
    EXPECT_TRUE(contains(msgs.all.back().text, "nested deeper than 256 levels"));
    EXPECT_EQ(msgs.all.back().line, 258);
    Held<SoSeparator> viaFields(
        readText(nested(100000, "Probe { fields [ SFNode n ] n ", "}\n"), msgs));
    EXPECT_FALSE(viaFields);
    EXPECT_TRUE(contains(msgs.all.back().text, "nested deeper than 256 levels"));
}

TEST(Reader, HugeCountsAreRefusedBeforeAllocating) {
    Messages msgs;
    Held<SoSeparator> huge(readText(HEADER + "Image { image 100000 100000 3 0xff0000 }", msgs));
    EXPECT_FALSE(huge);
    EXPECT_TRUE(contains(msgs.all.back().text, "100000 x 100000 pixels"));
    EXPECT_TRUE(contains(msgs.all.back().text, "too large"));
    Held<SoSeparator> large(readText(HEADER + "Image { image 30000 30000 4 0xff0000ff }", msgs));
    EXPECT_FALSE(large);
    EXPECT_TRUE(contains(msgs.all.back().text, "larger than the rest of the file"));
    Held<SoSeparator> negative(readText(HEADER + "Image { image -2 2 3 }", msgs));
    EXPECT_FALSE(negative);
}

TEST(Reader, TruncatedFileGivesAnErrorWithPosition) {
    Messages msgs;
    Held<SoSeparator> root(readText(HEADER + "Separator {\n  Cube {\n    width 2\n", msgs));
    EXPECT_FALSE(root);
    ASSERT_EQ(msgs.errors(), 1);
    EXPECT_EQ(msgs.all[0].formatted,
              "test.iv:5:1: expected '}' to close node 'Cube' begun at line 3, found end of file");
    Held<SoSeparator> noBrace(readText(HEADER + "Separator {\n  Cube\n", msgs));
    EXPECT_FALSE(noBrace);
    EXPECT_EQ(msgs.all.back().formatted,
              "test.iv:4:1: expected '{' after node type 'Cube', found end of file");
    Held<SoSeparator> stray(readText(HEADER + "Cube { } }", msgs));
    EXPECT_FALSE(stray);
    EXPECT_EQ(msgs.all.back().formatted, "test.iv:2:10: expected a node, found '}'");
}

// Every prefix of a file using most of the syntax, and many random corruptions of it, must read or
// fail with a located error: no crash, no hang, no leak (the sanitizer build checks the last two).
TEST(Reader, MalformedInputNeverCrashes) {
    const std::string good =
        HEADER +
        "DEF root Separator {\n"
        "  Material { diffuseColor [ 1 0 0, 0 1 0 ] shininess 0.5 ~ }\n"
        "  DEF c Coordinate3 { point [ 0 0 0, 1 0 0, 1 1 0 ] }\n"
        "  IndexedFaceSet { coordIndex [ 0, 1, 2, -1 ] vertexProperty VertexProperty {"
        " vertex [ 0 0 0 ] } }\n"
        "  Text2 { string \"a \\\"b\\\"\" = DEF g GlobalField { type \"SFFloat\" g 1 } . g }\n"
        "  Cone { parts ( SIDES | BOTTOM ) }\n"
        "  Probe { fields [ SFImage i, MFNode n ] i 1 1 3 0xff00ff n [ USE c, NULL ] }\n"
        "  Unknown { a [ 1 { } ] }\n"
        "  USE c\n"
        "}\n";
    Messages msgs;
    {
        Held<SoSeparator> whole(readText(good, msgs));
        ASSERT_TRUE(whole) << msgs.text();
    }
    for (size_t n = 0; n < good.size(); n++) {
        Messages m;
        Held<SoSeparator> root(readText(good.substr(0, n), m));
        if (!root) {
            ASSERT_EQ(m.errors(), 1) << n;
        }
    }
    std::mt19937 rng(12345);
    const char junk[] = "{}[]()|~=\".,#\\ \n0x1e9-+USEDEFNULLfields\xff";
    for (int i = 0; i < 3000; i++) {
        std::string text = good;
        int edits = 1 + static_cast<int>(rng() % 4);
        for (int e = 0; e < edits; e++) {
            size_t at = HEADER.size() + rng() % (text.size() - HEADER.size());
            char c = junk[rng() % (sizeof junk - 1)];
            switch (rng() % 3) {
            case 0:
                text[at] = c;
                break;
            case 1:
                text.insert(text.begin() + static_cast<long>(at), c);
                break;
            default:
                text.erase(at, 1 + rng() % 8);
                break;
            }
        }
        Messages m;
        Held<SoSeparator> root(readText(text, m));
        if (!root) {
            ASSERT_EQ(m.errors(), 1) << text;
            ASSERT_GT(m.all.back().line, 0) << text;
        }
    }
}

TEST(Reader, MessagesGoToTheDefaultCallbackWhenTheInputHasNone) {
    Messages global;
    SoInput::setDefaultMessageCallback(
        [](const SoInputMessage &m, void *data) {
            static_cast<Messages *>(data)->all.push_back(m);
        },
        &global);
    SoInput in;
    std::string text = HEADER + "Gadget { }";
    in.setBuffer(text.data(), text.size(), "dir/scene.iv");
    Held<SoSeparator> root(SoDB::readAll(&in));
    SoInput::setDefaultMessageCallback(nullptr, nullptr);
    ASSERT_TRUE(root);
    ASSERT_EQ(global.all.size(), 1u);
    EXPECT_EQ(
        global.all[0].formatted,
        "dir/scene.iv:2:1: warning: unknown node type 'Gadget' skipped (no 'fields' declaration)");
    EXPECT_EQ(in.getNumWarnings(), 1);
    EXPECT_EQ(in.getNumErrors(), 0);
    EXPECT_STREQ(in.getCurFileName(), "dir/scene.iv");
    EXPECT_EQ(in.getCurDirectory(), "dir");
}

TEST(Reader, OpeningAMissingFileFails) {
    Messages msgs;
    SoInput in;
    msgs.attach(in);
    EXPECT_FALSE(in.openFile("/nonexistent/scene.iv"));
    ASSERT_EQ(msgs.errors(), 1);
    EXPECT_TRUE(contains(msgs.all[0].formatted, "/nonexistent/scene.iv: cannot open the file"));
    EXPECT_FALSE(in.openFile("/nonexistent/scene.iv", true));
    EXPECT_EQ(msgs.errors(), 1);
    EXPECT_EQ(SoDB::readAll(&in), nullptr);
    EXPECT_EQ(msgs.errors(), 2);
    std::string text = "#Inventor V2.1 binary\n";
    in.setBuffer(text.data(), text.size());
    EXPECT_FALSE(in.isValidFile());
    text = "#Inventor V2.1 ascii\n";
    in.setBuffer(text.data(), text.size());
    EXPECT_TRUE(in.isValidFile());
}

} // namespace
