// What the CGM writer emits for each print operation: header, colour table, caches, line
// types and dash definitions, colour indexes, patterns, text, markers, marker sets, images.
#include <gtest/gtest.h>
#include <string>
#include <vector>
#include "cgm_test_util.h"
#include "scene/nodes/SoMarkerSet.h"

using cgmtest::elementsNamed;
using Values = std::vector<double>;

namespace {

const SbColor kRed(1, 0, 0), kBlue(0, 0, 1);
const CGMSettings kIndexed{0, 1, 1};

void line(TestCGMAction &a, SbColor c, float width = 1.0f, unsigned short pattern = 0xFFFF) {
    const SbVec4f points[2] = {pt(0, 0), pt(10, 5)};
    a.printPolyLine(points, 2, &c, 0, width, pattern);
}

// The numbers of all elements of a name, one after the other.
Values values(const WrittenCGM &w, const std::string &name) {
    Values v;
    for (const cgmtest::Element &e : elementsNamed(w.file, name)) v.insert(v.end(), e.numbers.begin(), e.numbers.end());
    return v;
}

bool has(const WrittenCGM &w, const std::string &text) { return w.text.find(text) != std::string::npos; }

// The clear-text file between its header (up to EDGEVIS OFF;) and its footer.
std::string body(const WrittenCGM &w) {
    const size_t start = w.text.find("EDGEVIS OFF;"), end = w.text.rfind("\nENDPIC;ENDMF;");
    return start == std::string::npos || end == std::string::npos ? "<no header or footer>"
                                                                  : w.text.substr(start + 12, end - start - 12);
}

// 32 x 32 bits, one set bit in every fourth byte.
const unsigned char *hatch() {
    static unsigned char bits[128];
    for (int i = 0; i < 128; i++) bits[i] = static_cast<unsigned char>(i % 4 == 0 ? 0x80 >> (i / 4 % 8) : 0);
    return bits;
}

void polygon(TestCGMAction &a, SbColor c, const char *pattern = nullptr) {
    const SbVec4f points[3] = {pt(0, 0), pt(10, 0), pt(5, 8)};
    a.printPolygon(points, 3, &c, SbString(pattern ? "hatch" : ""), SbString(pattern ? pattern : ""),
                   pattern ? hatch() : nullptr);
}

} // namespace

TEST(CGMWriter, EmptyDrawingHasTheHeaderOfTheGoldenFileAndTheFooter) {
    const std::string golden = cgmtest::readFileText(std::string(SCRIVANE_TEST_DATA) + "/cgm/small-v1-direct.cgm");
    const size_t end = golden.find("EDGEVIS OFF;");
    ASSERT_NE(end, std::string::npos);
    WrittenCGM w =
        writeCGM("empty-v1-direct.cgm", {}, nullptr, [](TestCGMAction &a) { a.setDrawingDimensions(100, 80); });
    EXPECT_EQ(w.text, golden.substr(0, end + 12) + "\nENDPIC;ENDMF;");
}

TEST(CGMWriter, PageModeVdcExtentIsThePageFrame) {
    const std::string path = cgmOutPath("page-extent.cgm");
    {
        TestCGMAction a;
        ASSERT_TRUE(a.getOutput()->openFile(path.c_str()));
        a.beginPage(SbVec2f(5, 6), SbVec2f(100, 50));
        a.setStartPosition(2, 3);
        a.writeHeader();
        line(a, kRed);
        // The destructor ends the open page: the footer goes into the file.
    }
    checkCGMFile(path, 0);
    const std::string text = cgmtest::readFileText(path);
    EXPECT_NE(text.find("VDCEXT 5. 6. 105. 56.;\n"), std::string::npos);
    // Points are placed at the start position within the page frame.
    EXPECT_NE(text.find("LINE\n 7.,9. 17.,14.;\n"), std::string::npos);
}

TEST(CGMWriter, BackgroundGoesIntoTheHeader) {
    WrittenCGM w = writeCGM("background-direct.cgm", {}, nullptr,
                            [](TestCGMAction &a) { a.setBackgroundColor(1, SbColor(0, 0, 1)); });
    EXPECT_TRUE(has(w, "EDGEWIDTHMODE ABS;\nBACKCOLR 0 0 255;\nCOLRMODE DIRECT;\n"));
    // Translated like every colour taken from the settings: black prints as white.
    WrittenCGM black = writeCGM("background-black.cgm", {}, nullptr, [](TestCGMAction &a) { a.setBackgroundColor(1); });
    EXPECT_TRUE(has(black, "BACKCOLR 255 255 255;\n"));
}

TEST(CGMWriter, IndexedColourTableWithoutBackgroundAndWhiteTakesIndex255) {
    WrittenCGM w = writeCGM("table-palette.cgm", kIndexed, [](TestCGMAction &a) {
        line(a, kRed);
        line(a, SbColor(1, 1, 1));
        line(a, SbColor(0.99f, 0.99f, 0.99f)); // RRRGGGBB 0xFF as well
        line(a, SbColor(0, 0, 0));
    });
    EXPECT_FALSE(has(w, "BACKCOLR"));
    EXPECT_TRUE(has(w, "COLRMODE INDEXED;\n"));
    EXPECT_TRUE(has(w, "EDGEVIS OFF;COLRTABLE 0\n255 255 255\n0 0 0\n0 0 85\n0 0 170\n0 0 255\n0 36 0\n"));
    const Values t = values(w, "COLRTABLE");
    ASSERT_EQ(t.size(), 1u + 3u * 256u);
    auto entry = [&](int i) { return SbColor(t[1 + 3 * i], t[2 + 3 * i], t[3 + 3 * i]); };
    EXPECT_EQ(entry(255), SbColor(255, 255, 255));
    EXPECT_EQ(entry(254), SbColor(255, 255, 85)); // palette 253: 0xFD
    EXPECT_EQ(entry(225), SbColor(255, 0, 0));
    EXPECT_EQ(entry(1), SbColor(0, 0, 0));
    // Every index names its colour: red is RRRGGGBB 0xE0, index 225. The near-white line has
    // white's index, but another colour, so the test asks for a new element.
    EXPECT_EQ(values(w, "LINECOLR"), (Values{225, 255, 255, 1}));
}

TEST(CGMWriter, IndexedColourTableWithBackgroundAndPens) {
    const SbColor pens[3] = {SbColor(1, 1, 1), SbColor(0.2f, 0.4f, 0.6f), kRed};
    WrittenCGM w = writeCGM(
        "table-pens.cgm", kIndexed,
        [](TestCGMAction &a) {
            line(a, SbColor(0.2f, 0.4f, 0.6f));
            line(a, SbColor(0.9f, 0.1f, 0.0f));
        },
        [&](TestCGMAction &a) {
            a.setBackgroundColor(1, SbColor(0.5f, 0.5f, 0.5f));
            a.setPenDescription(3, pens);
        });
    EXPECT_TRUE(has(w, "COLRTABLE 0\n127 127 127\n255 255 255\n51 102 153\n255 0 0\n;\n"));
    // Pen k is index k + 1: the second pen, then the red pen nearest to (0.9, 0.1, 0).
    EXPECT_EQ(values(w, "LINECOLR"), (Values{2, 3}));
    // In direct colour, the pen's own colour is written.
    const SbColor dark[2] = {SbColor(0, 0, 0), SbColor(0, 0, 0.5f)};
    WrittenCGM direct = writeCGM("direct-pens.cgm", {}, [](TestCGMAction &a) { line(a, kBlue); },
                                 [&](TestCGMAction &a) { a.setPenDescription(2, dark); });
    EXPECT_TRUE(has(direct, "LINECOLR 0 0 127;\n"));
}

TEST(CGMWriter, AttributesAreWrittenOnlyWhenTheyChange) {
    WrittenCGM same = writeCGM("cache-lines.cgm", {}, [](TestCGMAction &a) {
        line(a, kRed, 2.0f, 0x00FF);
        line(a, kRed, 2.0f, 0x00FF);
    });
    EXPECT_EQ(body(same), "LINETYPE 2;\nLINEWIDTH 0.705556;\nLINECOLR 255 0 0;\nLINE\n 10.,10. 20.,15.;\n"
                          "LINE\n 10.,10. 20.,15.;\n");
    WrittenCGM w = writeCGM("cache-changes.cgm", kIndexed, [](TestCGMAction &a) {
        line(a, kRed);
        line(a, kBlue);
        line(a, kBlue, 0.0f); // a width of 0 counts as 1
        line(a, kBlue, 3.0f, 0x0F0F);
        line(a, kBlue, 3.0f);
    });
    EXPECT_EQ(values(w, "LINECOLR"), (Values{225, 4}));
    EXPECT_EQ(elementsNamed(w.file, "LINEWIDTH").size(), 2u);
    EXPECT_EQ(values(w, "LINETYPE"), (Values{2, 1}));
    EXPECT_EQ(elementsNamed(w.file, "LINE").size(), 5u);
}

TEST(CGMWriter, LineTypesOfEachVersion) {
    const unsigned short patterns[] = {0x00FF, 0x0F0F, 0x0001, 0x3333, 0x00F3, 0x00DB, 0x8001, 0xFFFF, 0x5555};
    WrittenCGM v1 = writeCGM("linetypes-v1.cgm", {}, [&](TestCGMAction &a) {
        for (unsigned short p : patterns) line(a, kRed, 1.0f, p);
    });
    // Dash; 4 runs of 4: dash; runs 1 and 15: dash; 8 runs: dot; 4 runs with one of 8:
    // dash-dot; 6 runs with one of 8: dash-dot-dot; 3 runs 1, 14, 1 joined to 2, 14: dash;
    // solid; 16 runs: dot.
    EXPECT_EQ(values(v1, "LINETYPE"), (Values{2, 2, 2, 3, 4, 5, 2, 1, 3}));
    // Version 2 uses the standard types too, without caps; version 4 defines the dashes.
    WrittenCGM v2 = writeCGM("linetypes-v2.cgm", {0, 2, 0}, [](TestCGMAction &a) { line(a, kRed, 1, 0x00FF); });
    EXPECT_EQ(values(v2, "LINETYPE"), (Values{2}));
    EXPECT_FALSE(has(v2, "LINECAP"));
    WrittenCGM v4 = writeCGM("linetypes-v4.cgm", {0, 4, 0}, [](TestCGMAction &a) { line(a, kRed, 1, 0x00FF); });
    EXPECT_TRUE(has(v4, "LINEEDGETYPEDEF -1 5.65 2 2 ;\nLINETYPE -1;\n"));
}

TEST(CGMWriter, Version3DefinesDashesAndWritesCapsAndJoins) {
    WrittenCGM w = writeCGM(
        "linetypes-v3.cgm", {0, 3, 0},
        [](TestCGMAction &a) {
            for (unsigned short p : {0x00FF, 0x00FF, 0xFFFF, 0x0001}) line(a, kRed, 1.0f, p);
        },
        [](TestCGMAction &a) {
            a.setLineEndStyle(SoVectorizeAction::ROUND_CAP);
            a.setLineJoinsStyle(SoVectorizeAction::MITER_JOIN);
            a.setMiterLimit(4.0f);
        });
    const std::string caps = "LINECAP 3 1;\nLINEJOIN 2;\nMITRELIMIT 4.000000;\n", drawn = "LINE\n 10.,10. 20.,15.;\n";
    EXPECT_EQ(body(w), "LINEEDGETYPEDEF -1 5.65 2 2 ;\nLINETYPE -1;\n" + caps +
                           "LINEWIDTH 0.352778;\nLINECOLR 255 0 0;\n" + drawn + caps + drawn +
                           "LINEEDGETYPEDEF -1 5.65 ;\nLINETYPE 1;\n" + caps + drawn +
                           // Runs 1 and 15 at the default nominal width: 0 and 5.
                           "LINEEDGETYPEDEF -1 5.65 0 5 ;\nLINETYPE -1;\n" + caps + drawn);
}

TEST(CGMWriter, ZeroPatternAndDegeneratePrimitivesDrawNothing) {
    WrittenCGM w = writeCGM("degenerate.cgm", {}, [](TestCGMAction &a) {
        line(a, kRed, 1.0f, 0x0000);
        const SbVec4f one[1] = {pt(1, 1)};
        a.printPolyLine(one, 1, &kRed, 0, 1.0f, 0xFFFF);
        a.printPolygon(one, 1, &kRed, SbString(), SbString(), nullptr);
        a.printPolyMark(one, 0, &kRed, 0, 1.0f);
        a.printText2(pt(0, 0), kRed, "Courier", 10, nullptr, 1, 0);
    });
    EXPECT_EQ(body(w), "");
}

TEST(CGMWriter, RepeatedPatternIsDefinedOnce) {
    WrittenCGM w = writeCGM("patterns.cgm", kIndexed, [](TestCGMAction &a) {
        for (const char *name : {"diagonal", "diagonal", "diagonal", "other", "diagonal"}) polygon(a, kRed, name);
    });
    std::vector<cgmtest::Element> tables = elementsNamed(w.file, "PATTABLE");
    ASSERT_EQ(tables.size(), 2u);
    EXPECT_EQ(tables[0].numbers[0], 1);
    EXPECT_EQ(tables[1].numbers[0], 2);
    EXPECT_EQ(values(w, "PATINDEX"), (Values{1, 1, 1, 2, 1}));
    EXPECT_TRUE(values(w, "FILLCOLR").empty());
    EXPECT_EQ(elementsNamed(w.file, "PATSIZE").size(), 5u);
    EXPECT_TRUE(has(w, "INTSTYLE PAT;\nPATSIZE 0. 11.288889 11.288889 0.;\n"));
    // Set bits take the red index 225, clear bits the background entry 0. The first row is
    // the last four pattern bytes: byte 124 is 0x80 >> (31 % 8) = 0x01.
    const Values &t = tables[0].numbers;
    ASSERT_EQ(t.size(), 4u + 1024u);
    EXPECT_EQ(t[4 + 7], 225);
    EXPECT_EQ(t[4 + 6], 0);
    EXPECT_EQ(t[4 + 32 * 31 + 0], 225); // the last row is bytes 0..3: 0x80 first
    EXPECT_EQ(std::count(t.begin() + 4, t.end(), 225.0), 32);
}

TEST(CGMWriter, PatternColourAndSolidFillsStayRight) {
    WrittenCGM w = writeCGM("pattern-colours.cgm", kIndexed, [](TestCGMAction &a) {
        polygon(a, kRed);
        polygon(a, kBlue, "diagonal");
        polygon(a, kRed);             // red is still the fill colour in force: nothing to write
        polygon(a, kRed, "diagonal"); // the table was blue: written again in red
        polygon(a, kBlue);
    });
    EXPECT_EQ(values(w, "FILLCOLR"), (Values{225, 4}));
    std::vector<cgmtest::Element> tables = elementsNamed(w.file, "PATTABLE");
    ASSERT_EQ(tables.size(), 2u);
    EXPECT_EQ(tables[0].numbers[4 + 7], 4);
    EXPECT_EQ(tables[1].numbers[4 + 7], 225);
    EXPECT_EQ(values(w, "INTSTYLE"), (Values{1, 2, 1, 2, 1}));
}

TEST(CGMWriter, Version3PatternsHaveTransparentClearBits) {
    WrittenCGM direct = writeCGM("pattern-v3-direct.cgm", {0, 3, 0}, [](TestCGMAction &a) { polygon(a, kRed, "d"); },
                                 [](TestCGMAction &a) { a.setBackgroundColor(0, SbColor(0, 0.5f, 1)); });
    EXPECT_TRUE(has(direct, "INTSTYLE PAT;\nPATSIZE 0. 11.288889 11.288889 0.;\nTRANSPCELLCOLR ON 0 127 255;\n"
                            "PATTABLE 1 32 32 0 0 127 255 "));
    EXPECT_TRUE(has(direct, ";\nPATINDEX 1;\nPOLYGON\n 10.,10. 20.,10. 15.,18.;\nTRANSPCELLCOLR OFF 0 127 255;\n"));
    WrittenCGM indexed = writeCGM("pattern-v3-indexed.cgm", {0, 3, 1}, [](TestCGMAction &a) { polygon(a, kRed, "d"); });
    EXPECT_TRUE(has(indexed, "TRANSPCELLCOLR ON  0;\nPATTABLE 1 32 32 0 0 "));
    EXPECT_TRUE(has(indexed, " 0  ;\nPATINDEX 1;\n"));
    EXPECT_TRUE(has(indexed, "TRANSPCELLCOLR OFF  0;\n"));
}

TEST(CGMWriter, TextAttributesAndFonts) {
    WrittenCGM w = writeCGM("text.cgm", {}, [](TestCGMAction &a) {
        a.printText2(pt(1, 2), kRed, "Helvetica", 12.0f, "one", 1, 0.0f);
        a.printText2(pt(1, 2), kRed, "Helvetica", 12.0f, "two", 1, 0.0f);
        a.printText2(pt(1, 2), kBlue, "NoSuchFont", 12.0f, "three", 3, 1.5707964f);
        a.printText2(pt(1, 2), kBlue, "Courier", 20.0f, "four", 2, 1.5707964f);
    });
    // An unknown font keeps the font in force.
    const std::string fixed = "TEXTPREC STROKE;\nTEXTPATH RIGHT;\nCHARSPACE 0.;\nCHAREXPAN 1.;\n";
    EXPECT_EQ(body(w), "TEXTCOLR 255 0 0;\nCHARHEIGHT 2.54;\nTEXTFONTINDEX 5;\n" + fixed +
                           "TEXTALIGN LEFT NORMVERT 0. 0.;\nTEXT 11. 12. FINAL\n'one';\n" + fixed +
                           "TEXT 11. 12. FINAL\n'two';\nTEXTCOLR 0 0 255;\n" + fixed +
                           "TEXTALIGN CTR NORMVERT 0. 0.;\nCHARORI -1. -4.37114e-08 -4.37114e-08 1.;\n"
                           "TEXT 11. 12. FINAL\n'three';\nCHARHEIGHT 4.23333;\nTEXTFONTINDEX 9;\n" + fixed +
                           "TEXTALIGN RIGHT NORMVERT 0. 0.;\nTEXT 11. 12. FINAL\n'four';\n");
}

TEST(CGMWriter, MarkerRunsOfEqualColourAndSixPointsALine) {
    const SbVec4f points[3] = {pt(1, 1), pt(2, 2), pt(3, 3)};
    const SbColor colors[3] = {kRed, kRed, kBlue};
    WrittenCGM w = writeCGM("markers.cgm", {}, [&](TestCGMAction &a) {
        a.printPolyMark(points, 3, colors, 1, 0.0f);
        a.printPolyMark(points, 3, colors, 0, 2.0f);
    });
    EXPECT_EQ(body(w), "MARKERTYPE 1;\nMARKERSIZE 0.352778;\nMARKERCOLR 255 0 0;\nMARKER\n 11. 11. 12. 12.;\n"
                       "MARKERCOLR 0 0 255;\nMARKER\n 13. 13.;\n"
                       "MARKERTYPE 1;\nMARKERSIZE 0.705556;\nMARKERCOLR 255 0 0;\nMARKER\n 11. 11. 12. 12. 13. 13.;\n");
    WrittenCGM b = writeCGM("markers.bin.cgm", {1, 1, 0}, [&](TestCGMAction &a) { a.printPolyMark(points, 3, colors, 1, 0.0f); });
    EXPECT_EQ(elementsNamed(b.file, "MARKER").size(), 2u);
    EXPECT_EQ(values(b, "MARKERCOLR"), (Values{255, 0, 0, 0, 0, 255}));
    std::vector<SbVec4f> seven;
    for (int i = 0; i < 7; i++) seven.push_back(pt(static_cast<float>(i), 0));
    WrittenCGM six =
        writeCGM("six.cgm", {}, [&](TestCGMAction &a) { a.printPolyLine(seven.data(), 7, &kRed, 0, 1, 0xFFFF); });
    EXPECT_TRUE(has(six, "LINE\n 10.,10. 11.,10. 12.,10. 13.,10. 14.,10. 15.,10.\n 16.,10.;\n"));
}

TEST(CGMWriter, MarkerSetBitmapsAreCellArrays) {
    SoMarkerSet *markers = new SoMarkerSet;
    markers->ref();
    markers->markerIndex.setValue(SoMarkerSet::PLUS_5_5);
    const SbVec4f points[1] = {pt(10, 20)};
    const Draw draw = [&](TestCGMAction &a) { a.printPolyMark(points, 1, &kRed, 0, markers); };
    WrittenCGM w = writeCGM("markerset-v3.cgm", {0, 3, 0}, draw);
    WrittenCGM v1 = writeCGM("markerset-v1.cgm", kIndexed, draw);
    markers->unref();
    const Values c = values(w, "CELLARRAY");
    const double h = 2.5 * 0.35277778;
    ASSERT_EQ(c.size(), 9u + 25u * 3u);
    const Values corners{20 - h, 30 + h, 20 + h, 30 - h};
    for (int k = 0; k < 4; k++) EXPECT_NEAR(c[k], corners[k], 1e-4) << k;
    EXPECT_EQ(c[6], 5);
    EXPECT_EQ(c[7], 5);
    for (int row = 0; row < 5; row++)
        for (int col = 0; col < 5; col++) {
            const bool set = SoMarkerSet::isMarkerBitSet(SoMarkerSet::PLUS_5_5, (4 - row) * 5 + col);
            const size_t k = 9 + 3 * static_cast<size_t>(row * 5 + col);
            // Set bits red, clear bits the transparent white (translated black background).
            EXPECT_EQ(SbColor(c[k], c[k + 1], c[k + 2]), set ? SbColor(255, 0, 0) : SbColor(255, 255, 255))
                << row << " " << col;
        }
    EXPECT_TRUE(has(w, "TRANSPCELLCOLR ON 255 255 255;\nCELLARRAY"));
    EXPECT_TRUE(has(w, "TRANSPCELLCOLR OFF 255 255 255;\n"));
    // Version 1 has no transparent cell colour.
    EXPECT_FALSE(has(v1, "TRANSPCELLCOLR"));
    EXPECT_EQ(elementsNamed(v1.file, "CELLARRAY").size(), 1u);
}

TEST(CGMWriter, ImagesAreCellArraysAndSkippedOutsideTheClip) {
    // 3 x 2 RGB pixels, rows bottom to top.
    const unsigned char pixels[18] = {255, 0, 0, 0, 255, 0, 0, 0, 255, 10, 20, 30, 40, 50, 60, 70, 80, 90};
    SbVec2s size(3, 2), requested(6, 4);
    auto image = [&](TestCGMAction &a, SbVec4f at, SoImage::HorAlignment h, SoImage::VertAlignment v) {
        a.printImage(at, pixels, size, requested, 3, h, v);
    };
    WrittenCGM w = writeCGM("image.cgm", {}, [&](TestCGMAction &a) {
        a.setHardwareClip();
        image(a, pt(-100, 50), SoImage::LEFT, SoImage::BOTTOM);
        image(a, pt(50, 50), SoImage::CENTER, SoImage::TOP);
    });
    // Only the clip and the inside image.
    EXPECT_NE(cgmtest::elementNames(w.file).find("EDGEVIS CLIPRECT CELLARRAY ENDPIC"), std::string::npos);
    const Values c = values(w, "CELLARRAY");
    const double W = 6 * 0.35277778, H = 4 * 0.35277778;
    ASSERT_EQ(c.size(), 27u);
    const Values corners{60 - W / 2, 60, 60 + W / 2, 60 - H};
    for (int k = 0; k < 4; k++) EXPECT_NEAR(c[k], corners[k], 1e-4) << k;
    EXPECT_EQ(Values(c.begin() + 6, c.end()),
              (Values{3, 2, 0, 10, 20, 30, 40, 50, 60, 70, 80, 90, 255, 0, 0, 0, 255, 0, 0, 0, 255}));
    WrittenCGM none = writeCGM("image-outside.cgm", {},
                               [&](TestCGMAction &a) { image(a, pt(-100, 50), SoImage::LEFT, SoImage::BOTTOM); });
    EXPECT_EQ(body(none), "");
    // One component in indexed colour: the grey indexes.
    const unsigned char grey[2] = {0, 255};
    SbVec2s greySize(2, 1);
    WrittenCGM g = writeCGM("image-grey.cgm", kIndexed, [&](TestCGMAction &a) {
        a.printImage(pt(0, 0), grey, greySize, greySize, 1, SoImage::LEFT, SoImage::BOTTOM);
    });
    EXPECT_TRUE(has(g, " 2 1 0\n 1 255;\n"));
}

TEST(CGMWriter, ClipRectanglesBorderAndClippingLimits) {
    WrittenCGM w = writeCGM("border.cgm", {}, [](TestCGMAction &a) {
        a.setHardwareClip();
        a.printBorder();
    });
    EXPECT_EQ(body(w), "CLIPRECT 10. 10. 200. 287.;\nCLIPRECT 10. 10. 200. 287.;\nLINEWIDTH 0.705556;\n"
                       "LINECOLR 0 0 0;\nLINE\n 10.,10. 200.,10. 200.,287. 10.,287. 10.,10.;\n");
    WrittenCGM none = writeCGM("no-border.cgm", {}, [](TestCGMAction &a) { a.printBorder(); },
                               [](TestCGMAction &a) { a.setBorder(0); });
    EXPECT_EQ(body(none), "");
    // The limits carry the page offsets in clear text only.
    TestCGMAction a;
    EXPECT_EQ(a.getClippingLimits(), SbBox2f(10, 10, 200, 287));
    a.getCGMVectorOutput()->setBinaryEncoding(1);
    EXPECT_EQ(a.getClippingLimits(), SbBox2f(0, 0, 190, 277));
}
