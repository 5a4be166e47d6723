// Whole files: golden listings of small drawings, one drawing in both encodings compared
// element by element, and the action applied to a scene.
#include "cgm_test_util.h"
#include "scene/nodes/SoCoordinate3.h"
#include "scene/nodes/SoDrawStyle.h"
#include "scene/nodes/SoLineSet.h"
#include "scene/nodes/SoMarkerSet.h"
#include "scene/nodes/SoOrthographicCamera.h"
#include "scene/nodes/SoSeparator.h"
#include <cmath>
#include <fstream>
#include <gtest/gtest.h>
#include <string>
#include <utility>
#include <vector>

namespace {

// A small drawing with one of each primitive, on a 100 x 80 mm drawing area at (10, 10).
void smallDrawing(TestCGMAction &a) {
    static unsigned char stripes[128];
    for (int i = 0; i < 128; i++)
        stripes[i] = (i / 4) % 4 == 0 ? 0xFF : 0x00;
    a.setHardwareClip();
    const SbColor red(1, 0, 0), blue(0, 0, 1), green(0, 0.5f, 0), black(0, 0, 0);
    const SbVec4f line[3] = {pt(5, 5), pt(40, 20), pt(60, 5)};
    a.printPolyLine(line, 3, &red, 0, 2.0f, 0x00FF);
    const SbVec4f triangle[3] = {pt(10, 30), pt(30, 30), pt(20, 45)};
    a.printPolygon(triangle, 3, &blue, SbString(), SbString(), nullptr);
    const SbVec4f square[4] = {pt(50, 30), pt(70, 30), pt(70, 45), pt(50, 45)};
    a.printPolygon(square, 4, &green, SbString("fill"), SbString("stripes"), stripes);
    a.printText2(pt(10, 60), black, "Helvetica", 12.0f, "Scrivane", 1, 0.0f);
    const SbVec4f dots[2] = {pt(80, 10), pt(85, 10)};
    a.printPolyMark(dots, 2, &blue, 0, 3.0f);
    const unsigned char pixels[12] = {255, 0, 0, 0, 255, 0, 0, 0, 255, 255, 255, 0};
    SbVec2s size(2, 2), requested(20, 20);
    a.printImage(pt(80, 60), pixels, size, requested, 3, SoImage::LEFT, SoImage::BOTTOM);
    a.printBorder();
}

} // namespace

// Each drawing is compared with its reviewed golden file (the clear text itself, the dumper's
// listing of a binary file); on a difference the actual text is left beside the test outputs.
TEST(CGMFiles, GoldenListings) {
    const struct {
        const char *file, *golden;
        CGMSettings settings; // the indexed drawing has a background
    } cases[] = {{"small-v1-direct.cgm", "small-v1-direct.cgm", {0, 1, 0}},
                 {"small-v1-direct.bin.cgm", "small-v1-direct.bin.txt", {1, 1, 0}},
                 {"small-v3-indexed.bin.cgm", "small-v3-indexed.bin.txt", {1, 3, 1}}};
    for (const auto &c : cases) {
        WrittenCGM w = writeCGM(c.file, c.settings, smallDrawing, [&](TestCGMAction &a) {
            a.setDrawingDimensions(100, 80);
            if (c.settings.indexed) a.setBackgroundColor(1, SbColor(1, 1, 0.5f));
            // The dashed line's pattern, as apply would find it in the scene (version 3 defines
            // it in the picture descriptor; below version 3 it is not used).
            a.addLinePatternDefinition(0x00FF);
        });
        ASSERT_TRUE(w.file.ok);
        const std::string actual = c.settings.binary ? w.file.listing : w.text;
        const std::string expected =
            cgmtest::readFileText(std::string(SCRIVANE_TEST_DATA) + "/cgm/" + c.golden);
        if (expected != actual) {
            std::ofstream(cgmOutPath(std::string(c.golden) + ".actual"), std::ios::binary)
                << actual;
            ADD_FAILURE() << "differs from tests/data/cgm/" << c.golden << " ("
                          << (expected.empty() ? "missing" : "changed") << "); the output is in "
                          << cgmOutPath(std::string(c.golden) + ".actual");
        }
    }
}

namespace {

// Everything the writer emits, for the comparison of the encodings.
void fullDrawing(TestCGMAction &a) {
    static unsigned char checker[128];
    for (int i = 0; i < 128; i++)
        checker[i] = (i / 4) % 2 ? 0xF0 : 0x0F;
    a.setHardwareClip();
    const SbColor red(1, 0, 0), blue(0, 0, 1), grey(0.5f, 0.5f, 0.5f), white(1, 1, 1);
    const unsigned short patterns[] = {0xFFFF, 0x00FF, 0x0F0F, 0x8001, 0x3333, 0x0001, 0xFFFF};
    for (int i = 0; i < 7; i++) {
        const SbVec4f line[2] = {pt(5, 5.0f + 3 * i), pt(60, 7.0f + 3 * i)};
        a.printPolyLine(line, 2, i % 2 ? &red : &blue, 0, static_cast<float>(i % 3), patterns[i]);
    }
    const SbVec4f triangle[3] = {pt(10, 30), pt(30, 30.5f), pt(20.25f, 45)};
    a.printPolygon(triangle, 3, &grey, SbString(), SbString(), nullptr);
    const SbVec4f square[4] = {pt(50, 30), pt(70, 30), pt(70, 45), pt(50, 45)};
    for (const SbColor *c : {&red, &red, &blue})
        a.printPolygon(square, 4, c, SbString("c"), SbString("checker"), checker);
    a.printText2(pt(10, 60), white, "Times-Bold", 12.0f, "first", 1, 0.0f);
    a.printText2(pt(10, 65), red, "Times-Bold", 12.0f, "second", 3, 0.5f);
    a.printText2(pt(10, 70), red, "Unknown", 14.0f, "third", 2, 0.5f);
    const SbVec4f dots[3] = {pt(80, 10), pt(85, 10), pt(90, 12)};
    const SbColor dotColors[3] = {red, red, blue};
    a.printPolyMark(dots, 3, dotColors, 1, 2.0f);
    SoMarkerSet *markers = new SoMarkerSet;
    markers->ref();
    markers->markerIndex.setValue(SoMarkerSet::CIRCLE_FILLED_7_7);
    markers->markerIndex.set1Value(1, SoMarkerSet::STAR_9_9);
    a.printPolyMark(dots, 3, dotColors, 1, markers);
    markers->unref();
    const unsigned char pixels[9] = {0, 128, 255, 30, 60, 90, 200, 100, 0};
    SbVec2s size(3, 3), requested(30, 30);
    a.printImage(pt(80, 60), pixels, size, requested, 1, SoImage::RIGHT, SoImage::HALF);
    a.printBorder();
}

// Drops what one encoding writes and the other does not, or writes in another form: the
// precision elements and the element list (clear text gives ranges and names, binary bit
// counts), the picture names, character heights and orientations that repeat the one in force
// (binary writes them for every text; the orientation in force starts as the default
// (0, 1, 1, 0)), the cell array's local colour precision (0 in clear text, 8 in binary) and
// representation mode. The binary writes a pattern's TRANSPARENT CELL COLOUR before its
// INTERIOR STYLE and PATTERN SIZE, the clear text after them: the binary order is changed to
// the clear-text one. (The 0 that pads an odd binary dash list is left to the comparison.)
std::vector<cgmtest::Element> normalise(const cgmtest::Metafile &m, int binary) {
    std::vector<cgmtest::Element> elements = m.elements, out;
    if (binary)
        for (size_t i = 0; i + 2 < elements.size(); i++)
            if (elements[i].name == "TRANSPCELLCOLR" && elements[i + 1].name == "INTSTYLE" &&
                elements[i + 2].name == "PATSIZE") {
                std::rotate(elements.begin() + static_cast<long>(i),
                            elements.begin() + static_cast<long>(i) + 1,
                            elements.begin() + static_cast<long>(i) + 3);
                i += 2;
            }
    std::vector<double> height, orientation{0, 1, 1, 0};
    for (cgmtest::Element e : elements) {
        const std::string &n = e.name;
        if (n == "INTEGERPREC" || n == "REALPREC" || n == "INDEXPREC" || n == "COLRPREC" ||
            n == "COLRINDEXPREC" || n == "VDCREALPREC" || n == "MFELEMLIST" || n == "BEGPIC") {
            e.numbers.clear();
            e.strings.clear();
        }
        std::vector<double> *inForce = n == "CHARHEIGHT" ? &height
                                       : n == "CHARORI"  ? &orientation
                                                         : nullptr;
        if (inForce && e.numbers == *inForce) continue;
        if (inForce) *inForce = e.numbers;
        if (n == "CELLARRAY") {
            if (binary) e.numbers.erase(e.numbers.begin() + 9);
            e.numbers.erase(e.numbers.begin() + 8);
        }
        out.push_back(e);
    }
    return out;
}

} // namespace

class CGMEncodings : public ::testing::TestWithParam<CGMSettings> {};

TEST_P(CGMEncodings, BothEncodingsCarryTheSameValues) {
    CGMSettings text = GetParam(), bin = GetParam();
    bin.binary = 1;
    const std::string stem =
        "both-v" + std::to_string(text.version) + (text.indexed ? "-indexed" : "-direct");
    auto setup = [](TestCGMAction &a) {
        a.setDrawingDimensions(100, 80);
        a.setStartPosition(12.5f, 7.25f);
        a.setBackgroundColor(1, SbColor(0.25f, 0.5f, 0.75f));
    };
    WrittenCGM t = writeCGM(stem + ".cgm", text, fullDrawing, setup);
    WrittenCGM b = writeCGM(stem + ".bin.cgm", bin, fullDrawing, setup);
    ASSERT_TRUE(t.file.ok && b.file.ok);
    std::vector<cgmtest::Element> te = normalise(t.file, 0), be = normalise(b.file, 1);
    ASSERT_EQ(te.size(), be.size()) << cgmtest::elementNames(t.file) << "\n"
                                    << cgmtest::elementNames(b.file);
    for (size_t i = 0; i < te.size(); i++) {
        SCOPED_TRACE("element " + std::to_string(i) + " " + te[i].name);
        ASSERT_EQ(te[i].name, be[i].name);
        std::vector<double> bn = be[i].numbers;
        if (te[i].name == "LINEEDGETYPEDEF" && bn.size() == te[i].numbers.size() + 1 &&
            bn.back() == 0)
            bn.pop_back();
        ASSERT_EQ(te[i].numbers.size(), bn.size());
        for (size_t k = 0; k < bn.size(); k++)
            EXPECT_NEAR(te[i].numbers[k], bn[k], 2e-4 + 2e-5 * std::fabs(bn[k])) << "value " << k;
        EXPECT_EQ(te[i].strings, be[i].strings);
    }
    // The drawing used every kind of element the writer has for this version (below version 3
    // patterns are drawn as polygons of their set bits).
    const std::string names = cgmtest::elementNames(b.file);
    for (const char *kind : {"LINE", "POLYGON", "TEXT", "MARKER", "CELLARRAY", "CLIPRECT"})
        EXPECT_NE(names.find(kind), std::string::npos) << kind;
    for (const char *kind : {"PATTABLE", "PATINDEX", "TRANSPCELLCOLR"})
        EXPECT_EQ(names.find(kind) != std::string::npos, text.version >= 3) << kind;
}

INSTANTIATE_TEST_SUITE_P(Versions, CGMEncodings,
                         ::testing::Values(CGMSettings{0, 1, 0}, CGMSettings{0, 3, 1},
                                           CGMSettings{0, 1, 1}, CGMSettings{0, 3, 0}));

// One apply outside page mode is one metafile: header, the clip, the border, the footer.
// (Several applies on one page: PageModePlacesEachDrawingWithItsBackgroundAndBorder.)
TEST(CGMFiles, ApplyWritesHeaderClipBorderAndFooter) {
    SoSeparator *root = new SoSeparator;
    root->ref();
    for (int binary = 0; binary < 2; binary++) {
        const std::string names = cgmtest::elementNames(
            applyCGM(binary ? "apply-empty.bin.cgm" : "apply-empty.cgm", {binary, 1, 0},
                     [&](TestCGMAction &action) { action.apply(root); }));
        EXPECT_EQ(names.substr(names.find("EDGEVIS")),
                  "EDGEVIS CLIPRECT LINEWIDTH LINECOLR LINE ENDPIC ENDMF");
        EXPECT_EQ(names.find("BEGMF"), names.rfind("BEGMF"));
    }
    root->unref();
}

namespace {

// Lines across a camera's view, each under a draw style with its own line pattern.
SoSeparator *dashedLines(const std::vector<unsigned short> &patterns) {
    SoSeparator *root = new SoSeparator;
    root->addChild(new SoOrthographicCamera);
    for (size_t i = 0; i < patterns.size(); i++) {
        SoDrawStyle *style = new SoDrawStyle;
        style->linePattern = patterns[i];
        root->addChild(style);
        SoCoordinate3 *coords = new SoCoordinate3;
        const float y = 0.5f - 0.25f * static_cast<float>(i);
        coords->point.set1Value(0, SbVec3f(-0.5f, y, 0));
        coords->point.set1Value(1, SbVec3f(0.5f, y, 0));
        root->addChild(coords);
        root->addChild(new SoLineSet);
    }
    return root;
}

// The names of the elements from BEGPIC to BEGPICBODY, and those after it.
std::pair<std::string, std::string> descriptorAndBody(const cgmtest::Metafile &m) {
    std::pair<std::string, std::string> parts;
    int section = 0;
    for (const cgmtest::Element &e : m.elements) {
        if (e.name == "BEGPIC") section = 1;
        if (section) (section == 1 ? parts.first : parts.second) += e.name + " ";
        if (e.name == "BEGPICBODY") section = 2;
    }
    return parts;
}

} // namespace

// Dash definitions are picture-descriptor elements: apply finds the line patterns of the
// scene's draw styles before the header, which defines them between BEGPIC and BEGPICBODY; the
// body only selects them. The solid default needs no definition.
TEST(CGMFiles, ApplyDefinesTheScenesDashesInThePictureDescriptor) {
    SoSeparator *root = dashedLines({0x00FF, 0x0F0F, 0xFFFF});
    root->ref();
    for (int version : {3, 4})
        for (int binary = 0; binary < 2; binary++) {
            const std::string name =
                "dashes-v" + std::to_string(version) + (binary ? ".bin.cgm" : ".cgm");
            SCOPED_TRACE(name);
            const cgmtest::Metafile m =
                applyCGM(name, {binary, version, 0}, [&](TestCGMAction &a) { a.apply(root); });
            const std::pair<std::string, std::string> parts = descriptorAndBody(m);
            EXPECT_NE(parts.first.find("VDCEXT LINEEDGETYPEDEF LINEEDGETYPEDEF BEGPICBODY"),
                      std::string::npos)
                << parts.first;
            EXPECT_EQ(parts.second.find("LINEEDGETYPEDEF"), std::string::npos) << parts.second;
            // The repeat length in binary is a VDC in the descriptor's 32-bit fixed point form.
            const std::vector<double> definitions = numbersOf(m, "LINEEDGETYPEDEF"),
                                      expected{-1, 5.65, 2, 2, -2, 5.65, 1, 1, 1, 1};
            ASSERT_EQ(definitions.size(), expected.size());
            for (size_t k = 0; k < expected.size(); k++)
                EXPECT_NEAR(definitions[k], expected[k], 1e-4) << k;
            // The two dashed lines, then the solid one and the border.
            EXPECT_EQ(numbersOf(m, "LINETYPE"), (std::vector<double>{-1, -2, 1}));
            EXPECT_EQ(cgmtest::elementsNamed(m, "LINE").size(), 4u);
        }
    root->unref();
}

// Page mode: one picture for the page frame, which the header does not paint. Each drawing
// paints its own background and border at its start position within the frame, as the
// PostScript writer does; the clip opens to the drawing's area first, since the previous
// drawing's clip is still in force.
TEST(CGMFiles, PageModePlacesEachDrawingWithItsBackgroundAndBorder) {
    SoSeparator *root = new SoSeparator;
    root->ref();
    for (int binary = 0; binary < 2; binary++) {
        const std::string name = binary ? "page-drawings.bin.cgm" : "page-drawings.cgm";
        SCOPED_TRACE(name);
        const cgmtest::Metafile m = applyCGM(name, {binary, 1, 0}, [&](TestCGMAction &action) {
            action.beginPage(SbVec2f(5, 6), SbVec2f(200, 150));
            action.setDrawingDimensions(80, 60);
            action.setStartPosition(10, 10);
            action.setBackgroundColor(1, SbColor(1, 0, 0));
            action.setBorder(1, SbColor(0, 0, 1));
            action.apply(root);
            action.setDrawingDimensions(50, 40);
            action.setStartPosition(100, 20);
            action.setBackgroundColor(1, SbColor(0, 1, 0));
            action.apply(root);
            action.setStartPosition(20, 90);
            action.setBackgroundColor(0);
            action.apply(root);
            action.endPage();
        });
        const std::string names = cgmtest::elementNames(m);
        EXPECT_EQ(names.find("BACKCOLR"), std::string::npos);
        EXPECT_EQ(
            names.substr(names.find("EDGEVIS")),
            "EDGEVIS CLIPRECT INTSTYLE FILLCOLR POLYGON CLIPRECT LINEWIDTH LINECOLR LINE "
            "CLIPRECT INTSTYLE FILLCOLR POLYGON CLIPRECT LINECOLR LINE CLIPRECT LINE ENDPIC ENDMF");
        EXPECT_EQ(numbersOf(m, "VDCEXT"), (std::vector<double>{5, 6, 205, 156}));
        EXPECT_EQ(numbersOf(m, "CLIPRECT"),
                  (std::vector<double>{15,  16, 95,  76, 15,  16, 95, 76, 105, 26,
                                       155, 66, 105, 26, 155, 66, 25, 96, 75,  136}));
        EXPECT_EQ(numbersOf(m, "FILLCOLR"), (std::vector<double>{255, 0, 0, 0, 255, 0}));
        EXPECT_EQ(numbersOf(m, "POLYGON"), (std::vector<double>{15, 16, 95, 16, 95, 76, 15, 76, 105,
                                                                26, 155, 26, 155, 66, 105, 66}));
        EXPECT_EQ(numbersOf(m, "LINE"),
                  (std::vector<double>{15,  16, 95,  16, 95,  76,  15,  76,  15,  16, //
                                       105, 26, 155, 26, 155, 66,  105, 66,  105, 26, //
                                       25,  96, 75,  96, 75,  136, 25,  136, 25,  96}));
    }
    // With indexed colour the table's entry 0 stays the paper's white in page mode.
    const cgmtest::Metafile m = applyCGM("page-indexed.cgm", {0, 1, 1}, [&](TestCGMAction &action) {
        action.beginPage(SbVec2f(0, 0), SbVec2f(100, 100));
        action.setBackgroundColor(1, SbColor(1, 0, 0));
        action.apply(root);
        action.endPage();
    });
    const std::vector<double> table = numbersOf(m, "COLRTABLE");
    ASSERT_GE(table.size(), 4u);
    EXPECT_EQ(std::vector<double>(table.begin() + 1, table.begin() + 4),
              (std::vector<double>{255, 255, 255}));
    EXPECT_EQ(numbersOf(m, "FILLCOLR"), (std::vector<double>{225}));
    root->unref();
}
