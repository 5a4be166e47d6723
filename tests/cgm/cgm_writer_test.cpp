// What the CGM writer emits for each print operation: header, colour table, caches, line
// types and dash definitions, colour indexes, patterns, text, markers, marker sets, images.
#include "cgm_test_util.h"
#include "scene/nodes/SoMarkerSet.h"
#include <gtest/gtest.h>
#include <string>
#include <vector>

using cgmtest::elementsNamed;
using Values = std::vector<double>;

namespace {

const SbColor kRed(1, 0, 0), kBlue(0, 0, 1);
const CGMSettings kIndexed{0, 1, 1};

void line(TestCGMAction &a, SbColor c, float width = 1.0f, unsigned short pattern = 0xFFFF) {
    const SbVec4f points[2] = {pt(0, 0), pt(10, 5)};
    a.printPolyLine(points, 2, &c, 0, width, pattern);
}

bool has(const WrittenCGM &w, const std::string &text) {
    return w.text.find(text) != std::string::npos;
}

// The clear-text file between its header (up to EDGEVIS OFF;) and its footer.
std::string body(const WrittenCGM &w) {
    const size_t start = w.text.find("EDGEVIS OFF;"), end = w.text.rfind("\nENDPIC;ENDMF;");
    return start == std::string::npos || end == std::string::npos
               ? "<no header or footer>"
               : w.text.substr(start + 12, end - start - 12);
}

// 32 x 32 bits, one set bit in every fourth byte.
const unsigned char *hatch() {
    static unsigned char bits[128];
    for (int i = 0; i < 128; i++)
        bits[i] = static_cast<unsigned char>(i % 4 == 0 ? 0x80 >> (i / 4 % 8) : 0);
    return bits;
}

void polygon(TestCGMAction &a, SbColor c, const char *pattern = nullptr) {
    const SbVec4f points[3] = {pt(0, 0), pt(10, 0), pt(5, 8)};
    a.printPolygon(points, 3, &c, SbString(pattern ? "hatch" : ""),
                   SbString(pattern ? pattern : ""), pattern ? hatch() : nullptr);
}

} // namespace

TEST(CGMWriter, EmptyDrawingHasTheHeaderOfTheGoldenFileAndTheFooter) {
    const std::string golden =
        cgmtest::readFileText(std::string(SCRIVANE_TEST_DATA) + "/cgm/small-v1-direct.cgm");
    const size_t end = golden.find("EDGEVIS OFF;");
    ASSERT_NE(end, std::string::npos);
    WrittenCGM w = writeCGM("empty-v1-direct.cgm", {}, nullptr,
                            [](TestCGMAction &a) { a.setDrawingDimensions(100, 80); });
    EXPECT_EQ(w.text, golden.substr(0, end + 12) + "\nENDPIC;ENDMF;");
}

// An action destroyed inside a page ends the page: the footer goes into the file, which the
// reader then takes whole. (The page's extent and placement: CGMFiles, PageMode...)
TEST(CGMWriter, DestroyingTheActionEndsAnOpenPage) {
    const std::string path = cgmOutPath("page-extent.cgm");
    {
        TestCGMAction a;
        ASSERT_TRUE(a.getOutput()->openFile(path.c_str()));
        a.beginPage(SbVec2f(5, 6), SbVec2f(100, 50));
        a.setStartPosition(2, 3);
        a.writeHeader();
        line(a, kRed);
    }
    EXPECT_TRUE(checkCGMFile(path, 0).ok);
    EXPECT_NE(cgmtest::readFileText(path).find("VDCEXT 5. 6. 105. 56.;\n"), std::string::npos);
}

TEST(CGMWriter, BackgroundGoesIntoTheHeader) {
    WrittenCGM w = writeCGM("background-direct.cgm", {}, nullptr,
                            [](TestCGMAction &a) { a.setBackgroundColor(1, SbColor(0, 0, 1)); });
    EXPECT_TRUE(has(w, "EDGEWIDTHMODE ABS;\nBACKCOLR 0 0 255;\nCOLRMODE DIRECT;\n"));
    // Translated like every colour taken from the settings: black prints as white.
    WrittenCGM black = writeCGM("background-black.cgm", {}, nullptr,
                                [](TestCGMAction &a) { a.setBackgroundColor(1); });
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
    EXPECT_TRUE(
        has(w, "EDGEVIS OFF;COLRTABLE 0\n255 255 255\n0 0 0\n0 0 85\n0 0 170\n0 0 255\n0 36 0\n"));
    const Values t = numbersOf(w.file, "COLRTABLE");
    ASSERT_EQ(t.size(), 1u + 3u * 256u);
    auto entry = [&](int i) { return SbColor(t[1 + 3 * i], t[2 + 3 * i], t[3 + 3 * i]); };
    EXPECT_EQ(entry(255), SbColor(255, 255, 255));
    EXPECT_EQ(entry(254), SbColor(255, 255, 85)); // palette 253: 0xFD
    EXPECT_EQ(entry(225), SbColor(255, 0, 0));
    // Every index names its colour: red is RRRGGGBB 0xE0, index 225. The near-white line has
    // white's index, but another colour, so the test asks for a new element.
    EXPECT_EQ(numbersOf(w.file, "LINECOLR"), (Values{225, 255, 255, 1}));
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
    EXPECT_EQ(numbersOf(w.file, "LINECOLR"), (Values{2, 3}));
    // In direct colour, the pen's own colour is written.
    const SbColor dark[2] = {SbColor(0, 0, 0), SbColor(0, 0, 0.5f)};
    WrittenCGM direct = writeCGM(
        "direct-pens.cgm", {}, [](TestCGMAction &a) { line(a, kBlue); },
        [&](TestCGMAction &a) { a.setPenDescription(2, dark); });
    EXPECT_TRUE(has(direct, "LINECOLR 0 0 127;\n"));
}

TEST(CGMWriter, AttributesAreWrittenOnlyWhenTheyChange) {
    WrittenCGM same = writeCGM("cache-lines.cgm", {}, [](TestCGMAction &a) {
        line(a, kRed, 2.0f, 0x00FF);
        line(a, kRed, 2.0f, 0x00FF);
    });
    EXPECT_EQ(body(same),
              "LINETYPE 2;\nLINEWIDTH 0.705556;\nLINECOLR 255 0 0;\nLINE\n 10.,10. 20.,15.;\n"
              "LINE\n 10.,10. 20.,15.;\n");
    WrittenCGM w = writeCGM("cache-changes.cgm", kIndexed, [](TestCGMAction &a) {
        line(a, kRed);
        line(a, kBlue);
        line(a, kBlue, 0.0f); // a width of 0 counts as 1
        line(a, kBlue, 3.0f, 0x0F0F);
        line(a, kBlue, 3.0f);
    });
    EXPECT_EQ(numbersOf(w.file, "LINECOLR"), (Values{225, 4}));
    EXPECT_EQ(elementsNamed(w.file, "LINEWIDTH").size(), 2u);
    EXPECT_EQ(numbersOf(w.file, "LINETYPE"), (Values{2, 1}));
    EXPECT_EQ(elementsNamed(w.file, "LINE").size(), 5u);
}

TEST(CGMWriter, LineTypesOfEachVersion) {
    const unsigned short patterns[] = {0x00FF, 0x0F0F, 0x0001, 0x3333, 0x00F3,
                                       0x00DB, 0x8001, 0xFFFF, 0x5555};
    WrittenCGM v1 = writeCGM("linetypes-v1.cgm", {}, [&](TestCGMAction &a) {
        for (unsigned short p : patterns)
            line(a, kRed, 1.0f, p);
    });
    // Dash; 4 runs of 4: dash; runs 1 and 15: dash; 8 runs: dot; 4 runs with one of 8:
    // dash-dot; 6 runs with one of 8: dash-dot-dot; 3 runs 1, 14, 1 joined to 2, 14: dash;
    // solid; 16 runs: dot.
    EXPECT_EQ(numbersOf(v1.file, "LINETYPE"), (Values{2, 2, 2, 3, 4, 5, 2, 1, 3}));
    // Version 2 uses the standard types too, without caps; version 4 selects the dashes the
    // picture descriptor defined (below), and the nearest standard type for any other pattern.
    WrittenCGM v2 =
        writeCGM("linetypes-v2.cgm", {0, 2, 0}, [](TestCGMAction &a) { line(a, kRed, 1, 0x00FF); });
    EXPECT_EQ(numbersOf(v2.file, "LINETYPE"), (Values{2}));
    EXPECT_FALSE(has(v2, "LINECAP"));
    WrittenCGM v4 = writeCGM(
        "linetypes-v4.cgm", {0, 4, 0},
        [](TestCGMAction &a) {
            line(a, kRed, 1, 0x00FF);
            line(a, kRed, 1, 0x0F0F);
        },
        [](TestCGMAction &a) { a.addLinePatternDefinition(0x0F0F); });
    EXPECT_TRUE(
        has(v4, "VDCEXT 10. 10. 200. 287.;\nLINEEDGETYPEDEF -1 5.65 1 1 1 1 ;\nBEGPICBODY;"));
    EXPECT_EQ(numbersOf(v4.file, "LINETYPE"), (Values{2, -1}));
}

// The dash definitions stand in the picture descriptor, before BEGPICBODY: one line type per
// pattern made known before the header (apply finds them in the scene's draw styles, see
// CGMFiles). The body only selects them; a pattern the descriptor does not define takes the
// nearest standard line type.
TEST(CGMWriter, Version3DefinesDashesInThePictureDescriptorAndWritesCapsAndJoins) {
    WrittenCGM w = writeCGM(
        "linetypes-v3.cgm", {0, 3, 0},
        [](TestCGMAction &a) {
            for (unsigned short p : {0x00FF, 0x00FF, 0xFFFF, 0x0001, 0x0F0F, 0x3333})
                line(a, kRed, 1.0f, p);
        },
        [](TestCGMAction &a) {
            a.setLineEndStyle(SoVectorizeAction::ROUND_CAP);
            a.setLineJoinsStyle(SoVectorizeAction::MITER_JOIN);
            a.setMiterLimit(4.0f);
            // The solid pattern needs no definition, a repeated one is defined once, and
            // 0x3333 (runs of 2) truncates to nothing at the default nominal width.
            for (unsigned short p : {0x00FF, 0xFFFF, 0x0001, 0x00FF, 0x3333})
                a.addLinePatternDefinition(p);
        });
    // Runs 1 and 15 at the default nominal width: 0 and 5.
    EXPECT_TRUE(has(
        w,
        "VDCEXT 10. 10. 200. 287.;\nLINEEDGETYPEDEF -1 5.65 2 2 ;\nLINEEDGETYPEDEF -2 5.65 0 5 ;\n"
        "BEGPICBODY;"));
    EXPECT_EQ(elementsNamed(w.file, "LINEEDGETYPEDEF").size(), 2u);
    const std::string caps = "LINECAP 3 1;\nLINEJOIN 2;\nMITRELIMIT 4.000000;\n",
                      drawn = "LINE\n 10.,10. 20.,15.;\n";
    EXPECT_EQ(body(w), "LINETYPE -1;\n" + caps + "LINEWIDTH 0.352778;\nLINECOLR 255 0 0;\n" +
                           drawn + caps + drawn + "LINETYPE 1;\n" + caps + drawn +
                           "LINETYPE -2;\n" + caps + drawn + "LINETYPE 2;\n" + caps + drawn +
                           "LINETYPE 3;\n" + caps + drawn);
    // The binary definition carries its repeat length as a size in the absolute line width
    // mode, a VDC, in the picture descriptor's fixed-point form.
    WrittenCGM b = writeCGM(
        "linetypes-v3.bin.cgm", {1, 3, 0}, [](TestCGMAction &a) { line(a, kRed, 1.0f, 0x0001); },
        [](TestCGMAction &a) { a.addLinePatternDefinition(0x0001); });
    std::vector<cgmtest::Element> definitions = elementsNamed(b.file, "LINEEDGETYPEDEF");
    ASSERT_EQ(definitions.size(), 1u);
    ASSERT_EQ(definitions[0].numbers.size(), 4u);
    EXPECT_NEAR(definitions[0].numbers[1], 5.65, 1e-4); // 32-bit fixed point: 5 and 42597 / 65536
    definitions[0].numbers[1] = 5.65;
    EXPECT_EQ(definitions[0].numbers, (Values{-1, 5.65, 0, 5}));
    EXPECT_NE(cgmtest::elementNames(b.file).find("VDCEXT LINEEDGETYPEDEF BEGPICBODY"),
              std::string::npos);
    EXPECT_EQ(numbersOf(b.file, "LINETYPE"), (Values{-1}));
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
    WrittenCGM w = writeCGM("patterns.cgm", {0, 3, 1}, [](TestCGMAction &a) {
        for (const char *name : {"diagonal", "diagonal", "diagonal", "other", "diagonal"})
            polygon(a, kRed, name);
    });
    std::vector<cgmtest::Element> tables = elementsNamed(w.file, "PATTABLE");
    ASSERT_EQ(tables.size(), 2u);
    EXPECT_EQ(tables[0].numbers[0], 1);
    EXPECT_EQ(tables[1].numbers[0], 2);
    EXPECT_EQ(numbersOf(w.file, "PATINDEX"), (Values{1, 1, 1, 2, 1}));
    EXPECT_TRUE(numbersOf(w.file, "FILLCOLR").empty());
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
    WrittenCGM w = writeCGM("pattern-colours.cgm", {0, 3, 1}, [](TestCGMAction &a) {
        polygon(a, kRed);
        polygon(a, kBlue, "diagonal");
        polygon(a, kRed);             // red is still the fill colour in force: nothing to write
        polygon(a, kRed, "diagonal"); // the table was blue: written again in red
        polygon(a, kBlue);
    });
    EXPECT_EQ(numbersOf(w.file, "FILLCOLR"), (Values{225, 4}));
    std::vector<cgmtest::Element> tables = elementsNamed(w.file, "PATTABLE");
    ASSERT_EQ(tables.size(), 2u);
    EXPECT_EQ(tables[0].numbers[4 + 7], 4);
    EXPECT_EQ(tables[1].numbers[4 + 7], 225);
    EXPECT_EQ(numbersOf(w.file, "INTSTYLE"), (Values{1, 2, 1, 2, 1}));
}

TEST(CGMWriter, Version3PatternsHaveTransparentClearBits) {
    WrittenCGM direct = writeCGM(
        "pattern-v3-direct.cgm", {0, 3, 0}, [](TestCGMAction &a) { polygon(a, kRed, "d"); },
        [](TestCGMAction &a) { a.setBackgroundColor(0, SbColor(0, 0.5f, 1)); });
    EXPECT_TRUE(has(
        direct, "INTSTYLE PAT;\nPATSIZE 0. 11.288889 11.288889 0.;\nTRANSPCELLCOLR ON 0 127 255;\n"
                "PATTABLE 1 32 32 0 0 127 255 "));
    EXPECT_TRUE(
        has(direct,
            ";\nPATINDEX 1;\nPOLYGON\n 10.,10. 20.,10. 15.,18.;\nTRANSPCELLCOLR OFF 0 127 255;\n"));
    WrittenCGM indexed = writeCGM("pattern-v3-indexed.cgm", {0, 3, 1},
                                  [](TestCGMAction &a) { polygon(a, kRed, "d"); });
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
    EXPECT_EQ(body(w),
              "TEXTCOLR 255 0 0;\nCHARHEIGHT 2.54;\nTEXTFONTINDEX 5;\n" + fixed +
                  "TEXTALIGN LEFT NORMVERT 0. 0.;\nTEXT 11. 12. FINAL\n'one';\n" + fixed +
                  "TEXT 11. 12. FINAL\n'two';\nTEXTCOLR 0 0 255;\n" + fixed +
                  "TEXTALIGN CTR NORMVERT 0. 0.;\nCHARORI -1. -4.37114e-08 -4.37114e-08 1.;\n"
                  "TEXT 11. 12. FINAL\n'three';\nCHARHEIGHT 4.23333;\nTEXTFONTINDEX 9;\n" +
                  fixed + "TEXTALIGN RIGHT NORMVERT 0. 0.;\nTEXT 11. 12. FINAL\n'four';\n");
}

// In direct colour nearby colours share an index (RRRGGGBB) but not their colour: the colour
// itself decides whether a new colour element is needed, for text as for the other kinds, also
// when an element of another kind came in between. Indexed colour writes indexes, which do not
// change then.
TEST(CGMWriter, DirectColoursAreComparedByTheirValues) {
    const SbColor grey(0.5f, 0.5f, 0.5f), darker(0.45f, 0.45f, 0.45f); // both RRRGGGBB 0x6D
    auto draw = [&](TestCGMAction &a) {
        a.printText2(pt(1, 2), kRed, "Helvetica", 12.0f, "red", 1, 0.0f);
        a.printText2(pt(1, 2), SbColor(0.9f, 0, 0), "Helvetica", 12.0f, "nearly red", 1, 0.0f);
        a.printText2(pt(1, 2), SbColor(0.9f, 0, 0), "Helvetica", 12.0f, "again", 1, 0.0f);
        line(a, grey);
        polygon(a, darker);
        line(a, darker);
        polygon(a, darker);
    };
    WrittenCGM w = writeCGM("direct-colours.cgm", {}, draw);
    EXPECT_EQ(numbersOf(w.file, "TEXTCOLR"), (Values{255, 0, 0, 229, 0, 0}));
    EXPECT_EQ(numbersOf(w.file, "LINECOLR"), (Values{127, 127, 127, 114, 114, 114}));
    EXPECT_EQ(numbersOf(w.file, "FILLCOLR"), (Values{114, 114, 114}));
    WrittenCGM b = writeCGM("direct-colours.bin.cgm", {1, 1, 0}, draw);
    EXPECT_EQ(numbersOf(b.file, "TEXTCOLR"), (Values{255, 0, 0, 229, 0, 0}));
    EXPECT_EQ(numbersOf(b.file, "LINECOLR"), (Values{127, 127, 127, 114, 114, 114}));
    WrittenCGM indexed = writeCGM("indexed-colours.cgm", kIndexed, draw);
    EXPECT_EQ(numbersOf(indexed.file, "TEXTCOLR"), (Values{225}));
    EXPECT_EQ(numbersOf(indexed.file, "LINECOLR"), (Values{0x6D + 1}));
}

TEST(CGMWriter, MarkerRunsOfEqualColourAndSixPointsALine) {
    const SbVec4f points[3] = {pt(1, 1), pt(2, 2), pt(3, 3)};
    const SbColor colors[3] = {kRed, kRed, kBlue};
    WrittenCGM w = writeCGM("markers.cgm", {}, [&](TestCGMAction &a) {
        a.printPolyMark(points, 3, colors, 1, 0.0f);
        a.printPolyMark(points, 3, colors, 0, 2.0f);
    });
    EXPECT_EQ(
        body(w),
        "MARKERTYPE 1;\nMARKERSIZE 0.352778;\nMARKERCOLR 255 0 0;\nMARKER\n 11. 11. 12. 12.;\n"
        "MARKERCOLR 0 0 255;\nMARKER\n 13. 13.;\n"
        "MARKERTYPE 1;\nMARKERSIZE 0.705556;\nMARKERCOLR 255 0 0;\nMARKER\n 11. 11. 12. 12. 13. "
        "13.;\n");
    WrittenCGM b = writeCGM("markers.bin.cgm", {1, 1, 0},
                            [&](TestCGMAction &a) { a.printPolyMark(points, 3, colors, 1, 0.0f); });
    EXPECT_EQ(elementsNamed(b.file, "MARKER").size(), 2u);
    EXPECT_EQ(numbersOf(b.file, "MARKERCOLR"), (Values{255, 0, 0, 0, 0, 255}));
    std::vector<SbVec4f> seven;
    for (int i = 0; i < 7; i++)
        seven.push_back(pt(static_cast<float>(i), 0));
    WrittenCGM six = writeCGM("six.cgm", {}, [&](TestCGMAction &a) {
        a.printPolyLine(seven.data(), 7, &kRed, 0, 1, 0xFFFF);
    });
    EXPECT_TRUE(has(six, "LINE\n 10.,10. 11.,10. 12.,10. 13.,10. 14.,10. 15.,10.\n 16.,10.;\n"));
}

TEST(CGMWriter, Version3MarkerSetBitmapsAreCellArraysWithTransparentCells) {
    SoMarkerSet *markers = new SoMarkerSet;
    markers->ref();
    markers->markerIndex.setValue(SoMarkerSet::PLUS_5_5);
    const SbVec4f points[1] = {pt(10, 20)};
    const Draw draw = [&](TestCGMAction &a) { a.printPolyMark(points, 1, &kRed, 0, markers); };
    WrittenCGM w = writeCGM("markerset-v3.cgm", {0, 3, 0}, draw);
    markers->unref();
    const Values c = numbersOf(w.file, "CELLARRAY");
    const double h = 2.5 * 0.35277778;
    ASSERT_EQ(c.size(), 9u + 25u * 3u);
    const Values corners{20 - h, 30 + h, 20 + h, 30 - h};
    for (int k = 0; k < 4; k++)
        EXPECT_NEAR(c[k], corners[k], 1e-4) << k;
    EXPECT_EQ(c[6], 5);
    EXPECT_EQ(c[7], 5);
    for (int row = 0; row < 5; row++)
        for (int col = 0; col < 5; col++) {
            const bool set =
                SoMarkerSet::isMarkerBitSet(SoMarkerSet::PLUS_5_5, (4 - row) * 5 + col);
            const size_t k = 9 + 3 * static_cast<size_t>(row * 5 + col);
            // Set bits red, clear bits the transparent white (translated black background).
            EXPECT_EQ(SbColor(c[k], c[k + 1], c[k + 2]),
                      set ? SbColor(255, 0, 0) : SbColor(255, 255, 255))
                << row << " " << col;
        }
    EXPECT_TRUE(has(w, "TRANSPCELLCOLR ON 255 255 255;\nCELLARRAY"));
    EXPECT_TRUE(has(w, "TRANSPCELLCOLR OFF 255 255 255;\n"));
}

namespace {

// Whether (x, y) lies inside one of the polygons (numbers x0 y0 x1 y1 ...), even-odd.
bool insideAny(const std::vector<cgmtest::Element> &polygons, double x, double y) {
    for (const cgmtest::Element &p : polygons) {
        const Values &v = p.numbers;
        bool in = false;
        for (size_t i = 0, j = v.size() - 2; i + 1 < v.size(); j = i, i += 2)
            if ((v[i + 1] > y) != (v[j + 1] > y) &&
                x < v[j] + (y - v[j + 1]) * (v[i] - v[j]) / (v[i + 1] - v[j + 1]))
                in = !in;
        if (in) return true;
    }
    return false;
}

} // namespace

// Below version 3 there is no transparent cell colour, so a marker bitmap or a fill pattern
// written as cells would paint its clear bits over what lies under it. The set bits alone are
// drawn instead, as a filled polygon: a marker's rectangles of set cells, and a pattern's set
// cells tiled from the drawing's origin and cut to the polygon.
TEST(CGMWriter, Versions1And2DrawOnlyTheSetBitsOfMarkersAndPatterns) {
    SoMarkerSet *markers = new SoMarkerSet;
    markers->ref();
    markers->markerIndex.setValue(SoMarkerSet::PLUS_5_5);
    const SbVec4f at[1] = {pt(10, 20)};
    // Stripes: every fourth pattern row (from the bottom) set, the others clear.
    static unsigned char stripes[128];
    for (int i = 0; i < 128; i++)
        stripes[i] = (i / 4) % 4 == 0 ? 0xFF : 0x00;
    const float p = 0.35277778f, tile = 32 * p;
    // A triangle over two tiles across, and one tile and a bit up.
    const SbVec4f triangle[3] = {pt(tile * 0.5f, tile * 0.25f), pt(tile * 2.5f, tile * 0.25f),
                                 pt(tile, tile * 1.5f)};
    for (int version : {1, 2}) {
        SCOPED_TRACE("version " + std::to_string(version));
        WrittenCGM w = writeCGM(
            "setbits-v" + std::to_string(version) + ".cgm", {0, version, 0}, [&](TestCGMAction &a) {
                a.printPolyMark(at, 1, &kRed, 0, markers);
                a.printPolygon(triangle, 3, &kBlue, SbString("fill"), SbString("stripes"), stripes);
            });
        for (const char *cells : {"CELLARRAY", "PATTABLE", "PATINDEX", "PATSIZE", "TRANSPCELLCOLR"})
            EXPECT_TRUE(elementsNamed(w.file, cells).empty()) << cells;
        // The marker's polygons come before the second INTERIOR STYLE, the pattern's after it.
        std::vector<cgmtest::Element> plus, stripesDrawn;
        int styles = 0;
        for (const cgmtest::Element &e : w.file.elements) {
            styles += e.name == "INTSTYLE";
            if (e.name == "POLYGON") (styles == 1 ? plus : stripesDrawn).push_back(e);
        }
        // One polygon each: the plus (its bar above and below the middle row, and the middle
        // row, joined there and back through the first point), and the stripes.
        EXPECT_EQ(plus.size(), 1u);
        EXPECT_EQ(stripesDrawn.size(), 1u);
        EXPECT_EQ(numbersOf(w.file, "FILLCOLR"), (Values{255, 0, 0, 0, 0, 255}));
        EXPECT_EQ(body(w).substr(0, 33), "INTSTYLE SOLID;\nFILLCOLR 255 0 0;");
        for (int row = 0; row < 5; row++)
            for (int column = 0; column < 5; column++) {
                // Cell centres in page millimetres (offsets 10, 10), rows from the bottom.
                const double x = 20 + (column - 2) * p, y = 30 + (row - 2) * p;
                EXPECT_EQ(insideAny(plus, x, y),
                          SoMarkerSet::isMarkerBitSet(SoMarkerSet::PLUS_5_5, row * 5 + column) != 0)
                    << row << " " << column;
            }
        // Pattern rows 0, 4, 8, ... of every tile are drawn, and only inside the triangle.
        EXPECT_FALSE(stripesDrawn.empty());
        for (const cgmtest::Element &piece : stripesDrawn)
            for (size_t i = 0; i + 1 < piece.numbers.size(); i += 2) {
                const double x = piece.numbers[i] - 10, y = piece.numbers[i + 1] - 10;
                // Inside the triangle's three sides (with a little rounding).
                EXPECT_GE(y, tile * 0.25 - 1e-4);
                EXPECT_LE(y - tile * 0.25, (x - tile * 0.5) * (tile * 1.25) / (tile * 0.5) + 1e-3);
                EXPECT_LE(y - tile * 0.25, (tile * 2.5 - x) * (tile * 1.25) / (tile * 1.5) + 1e-3);
            }
        for (int row = 8; row <= 40; row++) {
            const double y = 10 + (row + 0.5) * p;
            EXPECT_EQ(insideAny(stripesDrawn, 10 + tile * 1.2, y), row % 4 == 0)
                << "pattern row " << row;
        }
    }
    markers->unref();
}

TEST(CGMWriter, ImagesAreCellArraysAndSkippedOutsideTheClip) {
    // 3 x 2 RGB pixels, rows bottom to top.
    const unsigned char pixels[18] = {255, 0,  0,  0,  255, 0,  0,  0,  255,
                                      10,  20, 30, 40, 50,  60, 70, 80, 90};
    SbVec2s size(3, 2), requested(6, 4);
    auto image = [&](TestCGMAction &a, SbVec4f at, SoImage::HorAlignment h,
                     SoImage::VertAlignment v) {
        a.printImage(at, pixels, size, requested, 3, h, v);
    };
    WrittenCGM w = writeCGM("image.cgm", {}, [&](TestCGMAction &a) {
        a.setHardwareClip();
        image(a, pt(-100, 50), SoImage::LEFT, SoImage::BOTTOM);
        image(a, pt(50, 50), SoImage::CENTER, SoImage::TOP);
    });
    // Only the clip and the inside image.
    EXPECT_NE(cgmtest::elementNames(w.file).find("EDGEVIS CLIPRECT CELLARRAY ENDPIC"),
              std::string::npos);
    const Values c = numbersOf(w.file, "CELLARRAY");
    const double W = 6 * 0.35277778, H = 4 * 0.35277778;
    ASSERT_EQ(c.size(), 27u);
    const Values corners{60 - W / 2, 60, 60 + W / 2, 60 - H};
    for (int k = 0; k < 4; k++)
        EXPECT_NEAR(c[k], corners[k], 1e-4) << k;
    EXPECT_EQ(Values(c.begin() + 6, c.end()), (Values{3,  2,   0, 10, 20, 30,  40, 50, 60, 70, 80,
                                                      90, 255, 0, 0,  0,  255, 0,  0,  0,  255}));
    WrittenCGM none = writeCGM("image-outside.cgm", {}, [&](TestCGMAction &a) {
        image(a, pt(-100, 50), SoImage::LEFT, SoImage::BOTTOM);
    });
    EXPECT_EQ(body(none), "");
    // One component in indexed colour: the grey indexes.
    const unsigned char grey[2] = {0, 255};
    SbVec2s greySize(2, 1);
    WrittenCGM g = writeCGM("image-grey.cgm", kIndexed, [&](TestCGMAction &a) {
        a.printImage(pt(0, 0), grey, greySize, greySize, 1, SoImage::LEFT, SoImage::BOTTOM);
    });
    EXPECT_TRUE(has(g, " 2 1 0\n 1 255;\n"));
}

// Landscape turns the page a quarter turn, as the PostScript writer does: there the frame that
// starts at (x0, y0) with size (w, h) covers x from y0 to y0 + h and y from x0 to x0 + w on
// the sheet, and a drawing point (u, v) lands at (y0 + h - v, x0 + u). Here the drawing is
// 100 x 80 at (10, 20): the extent is (20, 10) to (100, 110) and (u, v) lands at
// (100 - v, 10 + u). Directions (text, pattern vectors) turn with it; clip boxes stay boxes.
TEST(CGMWriter, LandscapeTurnsThePictureAsPostScriptDoes) {
    const unsigned char pixels[6] = {255, 0, 0, 0, 0, 255};
    SbVec2s size(2, 1), requested(6, 4);
    const Draw draw = [&](TestCGMAction &a) {
        a.setHardwareClip();
        line(a, kRed);
        a.printText2(pt(1, 2), kRed, "Helvetica", 12.0f, "up", 1, 0.0f);
        polygon(a, kBlue, "diagonal");
        a.printImage(pt(50, 40), pixels, size, requested, 3, SoImage::LEFT, SoImage::BOTTOM);
        a.printBorder();
    };
    const Draw setup = [](TestCGMAction &a) {
        a.setDrawingDimensions(100, 80);
        a.setStartPosition(10, 20);
        a.setOrientation(SoVectorizeAction::LANDSCAPE);
    };
    for (int binary = 0; binary < 2; binary++) {
        SCOPED_TRACE(binary ? "binary" : "clear text");
        WrittenCGM w =
            writeCGM(binary ? "landscape.bin.cgm" : "landscape.cgm", {binary, 3, 0}, draw, setup);
        EXPECT_EQ(numbersOf(w.file, "VDCEXT"), (Values{20, 10, 100, 110}));
        EXPECT_EQ(numbersOf(w.file, "CLIPRECT"), (Values{20, 10, 100, 110, 20, 10, 100, 110}));
        EXPECT_EQ(numbersOf(w.file, "LINE"),
                  (Values{100, 10, 95, 20, 100, 10, 100, 110, 20, 110, 20, 10, 100, 10}));
        EXPECT_EQ(numbersOf(w.file, "TEXT"), (Values{98, 11, 1}));
        EXPECT_EQ(numbersOf(w.file, "CHARORI"), (Values{-1, 0, 0, 1}));
        if (!binary) {
            EXPECT_TRUE(has(w, "CHARORI -1. 0. 0. 1.;\n"));
        }
        const Values patternSize = numbersOf(w.file, "PATSIZE");
        ASSERT_EQ(patternSize.size(), 4u);
        EXPECT_NEAR(patternSize[0], -11.288889, 1e-5);
        EXPECT_EQ(Values(patternSize.begin() + 1, patternSize.begin() + 3), (Values{0, 0}));
        EXPECT_NEAR(patternSize[3], 11.288889, 1e-5);
        EXPECT_EQ(numbersOf(w.file, "POLYGON"), (Values{100, 10, 100, 20, 92, 15}));
        // The image's corners: top left, bottom right, top right of the drawing, turned.
        const Values cells = numbersOf(w.file, "CELLARRAY");
        ASSERT_GE(cells.size(), 6u);
        const double W = 6 * 0.35277778, H = 4 * 0.35277778;
        const Values corners{120 - (60 + H), 60, 120 - 60, 60 + W, 120 - (60 + H), 60 + W};
        for (int k = 0; k < 6; k++)
            EXPECT_NEAR(cells[k], corners[k], 1e-4) << k;
    }
    // Upright, the same drawing keeps its page.
    WrittenCGM upright = writeCGM("portrait.cgm", {0, 3, 0}, draw, [&](TestCGMAction &a) {
        setup(a);
        a.setOrientation(SoVectorizeAction::PORTRAIT);
    });
    EXPECT_EQ(numbersOf(upright.file, "VDCEXT"), (Values{10, 20, 110, 100}));
    EXPECT_TRUE(numbersOf(upright.file, "CHARORI").empty());
}

TEST(CGMWriter, ClipRectanglesBorderAndClippingLimits) {
    WrittenCGM w = writeCGM("border.cgm", {}, [](TestCGMAction &a) {
        a.setHardwareClip();
        a.printBorder();
    });
    EXPECT_EQ(body(w),
              "CLIPRECT 10. 10. 200. 287.;\nCLIPRECT 10. 10. 200. 287.;\nLINEWIDTH 0.705556;\n"
              "LINECOLR 0 0 0;\nLINE\n 10.,10. 200.,10. 200.,287. 10.,287. 10.,10.;\n");
    WrittenCGM none = writeCGM(
        "no-border.cgm", {}, [](TestCGMAction &a) { a.printBorder(); },
        [](TestCGMAction &a) { a.setBorder(0); });
    EXPECT_EQ(body(none), "");
    // The limits carry the page offsets in clear text only.
    TestCGMAction a;
    EXPECT_EQ(a.getClippingLimits(), SbBox2f(10, 10, 200, 287));
    a.getCGMVectorOutput()->setBinaryEncoding(1);
    EXPECT_EQ(a.getClippingLimits(), SbBox2f(0, 0, 190, 277));
}

// Texts are UTF-8 and written in Latin-1 codes: "café" as caf\xE9 in both encodings, a
// character beyond Latin-1 as '?'. A clear-text string is quoted with apostrophes; an apostrophe
// inside it is written twice so that the string does not end there. Binary strings carry their
// length and stay as they are.
TEST(CGMWriter, TextsInLatin1AndApostrophesDoubledInClearText) {
    const struct {
        const char *name, *text, *clearText, *read;
    } cases[] = {{"utf8", "caf\xc3\xa9 \xe2\x82\xac", "'caf\xe9 ?'", "caf\xe9 ?"},
                 {"apostrophes", "it's 'quoted''", "'it''s ''quoted'''''", "it's 'quoted''"}};
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        const Draw draw = [&](TestCGMAction &a) {
            a.printText2(pt(1, 2), kRed, "Helvetica", 12.0f, c.text, 1, 0.0f);
        };
        WrittenCGM w = writeCGM(c.name + std::string(".cgm"), {}, draw);
        WrittenCGM b = writeCGM(c.name + std::string(".bin.cgm"), {1, 1, 0}, draw);
        EXPECT_TRUE(has(w, "TEXT 11. 12. FINAL\n" + std::string(c.clearText) + ";\n"));
        for (const WrittenCGM *file : {&w, &b})
            EXPECT_EQ(elementsNamed(file->file, "TEXT").at(0).strings,
                      std::vector<std::string>{c.read});
        // The other strings read back as written: the header parses as before.
        EXPECT_EQ(elementsNamed(w.file, "FONTLIST").at(0).strings.at(12), "Symbol");
        EXPECT_EQ(elementsNamed(w.file, "MFDESC").at(0).strings,
                  std::vector<std::string>{"Scrivane CGM METAFILE OUTPUT"});
    }
}

// A binary string longer than one long-form piece (32 767 bytes) continues in further pieces:
// the TEXT of 100 000 characters (four pieces) reads back whole.
TEST(CGMWriter, BinaryStringsLongerThanOnePieceAreWrittenWhole) {
    std::string text;
    for (int i = 0; i < 100000; i++)
        text += static_cast<char>('a' + i % 26);
    WrittenCGM b = writeCGM("long-text.bin.cgm", {1, 1, 0}, [&](TestCGMAction &a) {
        a.printText2(pt(1, 2), kRed, "Helvetica", 12.0f, text.c_str(), 1, 0.0f);
    });
    const std::vector<cgmtest::Element> texts = elementsNamed(b.file, "TEXT");
    ASSERT_EQ(texts.size(), 1u);
    ASSERT_EQ(texts[0].strings.size(), 1u);
    EXPECT_EQ(texts[0].strings[0].size(), text.size());
    EXPECT_TRUE(texts[0].strings[0] == text);
}
