// Whole files: golden listings of small drawings, one drawing in both encodings compared
// element by element, and the action applied to a scene.
#include <gtest/gtest.h>
#include <cmath>
#include <fstream>
#include <string>
#include <utility>
#include <vector>
#include "cgm_test_util.h"
#include "scene/nodes/SoMarkerSet.h"
#include "scene/nodes/SoSeparator.h"

namespace {

// A small drawing with one of each primitive, on a 100 x 80 mm drawing area at (10, 10).
void smallDrawing(TestCGMAction &a) {
    static unsigned char stripes[128];
    for (int i = 0; i < 128; i++) stripes[i] = (i / 4) % 4 == 0 ? 0xFF : 0x00;
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
        });
        ASSERT_TRUE(w.file.ok);
        const std::string actual = c.settings.binary ? w.file.listing : w.text;
        const std::string expected = cgmtest::readFileText(std::string(SCRIVANE_TEST_DATA) + "/cgm/" + c.golden);
        if (expected != actual) {
            std::ofstream(cgmOutPath(std::string(c.golden) + ".actual"), std::ios::binary) << actual;
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
    for (int i = 0; i < 128; i++) checker[i] = (i / 4) % 2 ? 0xF0 : 0x0F;
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
                std::rotate(elements.begin() + static_cast<long>(i), elements.begin() + static_cast<long>(i) + 1,
                            elements.begin() + static_cast<long>(i) + 3);
                i += 2;
            }
    std::vector<double> height, orientation{0, 1, 1, 0};
    for (cgmtest::Element e : elements) {
        const std::string &n = e.name;
        if (n == "INTEGERPREC" || n == "REALPREC" || n == "INDEXPREC" || n == "COLRPREC" || n == "COLRINDEXPREC" ||
            n == "VDCREALPREC" || n == "MFELEMLIST" || n == "BEGPIC") {
            e.numbers.clear();
            e.strings.clear();
        }
        std::vector<double> *inForce = n == "CHARHEIGHT" ? &height : n == "CHARORI" ? &orientation : nullptr;
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
    const std::string stem = "both-v" + std::to_string(text.version) + (text.indexed ? "-indexed" : "-direct");
    auto setup = [](TestCGMAction &a) {
        a.setDrawingDimensions(100, 80);
        a.setStartPosition(12.5f, 7.25f);
        a.setBackgroundColor(1, SbColor(0.25f, 0.5f, 0.75f));
    };
    WrittenCGM t = writeCGM(stem + ".cgm", text, fullDrawing, setup);
    WrittenCGM b = writeCGM(stem + ".bin.cgm", bin, fullDrawing, setup);
    ASSERT_TRUE(t.file.ok && b.file.ok);
    std::vector<cgmtest::Element> te = normalise(t.file, 0), be = normalise(b.file, 1);
    ASSERT_EQ(te.size(), be.size()) << cgmtest::elementNames(t.file) << "\n" << cgmtest::elementNames(b.file);
    for (size_t i = 0; i < te.size(); i++) {
        SCOPED_TRACE("element " + std::to_string(i) + " " + te[i].name);
        ASSERT_EQ(te[i].name, be[i].name);
        std::vector<double> bn = be[i].numbers;
        if (te[i].name == "LINEEDGETYPEDEF" && bn.size() == te[i].numbers.size() + 1 && bn.back() == 0) bn.pop_back();
        ASSERT_EQ(te[i].numbers.size(), bn.size());
        for (size_t k = 0; k < bn.size(); k++)
            EXPECT_NEAR(te[i].numbers[k], bn[k], 2e-4 + 2e-5 * std::fabs(bn[k])) << "value " << k;
        EXPECT_EQ(te[i].strings, be[i].strings);
    }
    // The drawing used every kind of element the writer has for this version.
    const std::string names = cgmtest::elementNames(b.file);
    for (const char *kind : {"LINE", "POLYGON", "PATTABLE", "PATINDEX", "TEXT", "MARKER", "CELLARRAY", "CLIPRECT"})
        EXPECT_NE(names.find(kind), std::string::npos) << kind;
}

INSTANTIATE_TEST_SUITE_P(Versions, CGMEncodings,
                         ::testing::Values(CGMSettings{0, 1, 0}, CGMSettings{0, 3, 1}, CGMSettings{0, 1, 1},
                                           CGMSettings{0, 3, 0}));

TEST(CGMFiles, ApplyWritesHeaderBorderAndFooterAndPageModeOneMetafile) {
    SoSeparator *root = new SoSeparator;
    root->ref();
    for (int page = 0; page < 3; page++) { // clear text, binary, binary page of two applies
        const int binary = page ? 1 : 0;
        const std::string path =
            cgmOutPath(page == 2 ? "apply-page.bin.cgm" : binary ? "apply-empty.bin.cgm" : "apply-empty.cgm");
        {
            SoVectorizeCGMAction action;
            action.getCGMVectorOutput()->setBinaryEncoding(binary);
            ASSERT_TRUE(action.getOutput()->openFile(path.c_str()));
            if (page == 2) action.beginPage(SbVec2f(0, 0), SbVec2f(210, 297));
            action.apply(root);
            action.setStartPosition(100, 100);
            if (page == 2) action.apply(root);
            if (page == 2) action.endPage();
            action.getOutput()->closeFile();
        }
        const std::string names = cgmtest::elementNames(checkCGMFile(path, binary));
        // The page keeps the attributes in force: the second border's width and colour are not
        // written again.
        EXPECT_EQ(names.substr(names.find("EDGEVIS")),
                  std::string("EDGEVIS CLIPRECT LINEWIDTH LINECOLR LINE ") + (page == 2 ? "CLIPRECT LINE " : "") +
                      "ENDPIC ENDMF");
        EXPECT_EQ(names.find("BEGMF"), names.rfind("BEGMF"));
    }
    root->unref();
}
