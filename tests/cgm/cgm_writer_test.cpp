// What the CGM writer emits for each print operation: header, colour table, caches, line
// types and dash definitions, colour indexes, patterns, text, markers, marker sets, images.
#include <gtest/gtest.h>
#include <cmath>
#include <string>
#include <vector>
#include "cgm_test_util.h"
#include "scene/nodes/SoMarkerSet.h"

using cgmtest::elementsNamed;

namespace {

const char *const kHeaderV1Direct =
    "BEGMF 'Scrivane CGM OUTPUT';\n"
    "MFVERSION 1;\n"
    "MFDESC 'Scrivane CGM METAFILE OUTPUT';\n"
    "MFELEMLIST 'DRAWINGPLUS';\n"
    "VDCTYPE REAL;\n"
    "INTEGERPREC -32767 32767;\n"
    "REALPREC -32767. 32767. 8;\n"
    "INDEXPREC -32767 32767;\n"
    "COLRPREC 255;\n"
    "COLRINDEXPREC 255;\n"
    "COLRVALUEEXT 0 0 0 255 255 255;\n"
    "MAXCOLRINDEX 255;\n"
    "FONTLIST\n'Times-Roman',\n'Times-Italic',\n'Times-Bold',\n'Times-BoldItalic',\n'Helvetica',\n"
    "'Helvetica-Oblique',\n'Helvetica-Bold',\n'Helvetica-BoldOblique',\n'Courier',\n'Courier-Oblique',\n"
    "'Courier-Bold',\n'Courier-BoldOblique',\n'Symbol';\n"
    "\n"
    "BEGPIC 'Clear Text Image from Scrivane';\n"
    "SCALEMODE METRIC 1.;\n"
    "LINEWIDTHMODE ABS;\n"
    "MARKERSIZEMODE ABS;\n"
    "EDGEWIDTHMODE ABS;\n"
    "COLRMODE DIRECT;\n"
    "VDCEXT 10. 10. 200. 287.;\n"
    "BEGPICBODY;VDCREALPREC -32767. 32767. 8;\nEDGEVIS OFF;";
const char *const kFooter = "\nENDPIC;ENDMF;";

const SbColor kRed(1, 0, 0), kBlue(0, 0, 1), kGreen(0, 1, 0);

void line(TestCGMAction &a, SbColor c, float width = 1.0f, unsigned short pattern = 0xFFFF) {
    const SbVec4f points[2] = {pt(0, 0), pt(10, 5)};
    a.printPolyLine(points, 2, &c, 0, width, pattern);
}

std::vector<double> values(const cgmtest::Metafile &m, const std::string &name) {
    std::vector<double> v;
    for (const cgmtest::Element &e : elementsNamed(m, name))
        v.insert(v.end(), e.numbers.begin(), e.numbers.end());
    return v;
}

// The file without its header and footer.
std::string body(const WrittenCGM &w) {
    const std::string &t = w.text;
    size_t start = t.find("EDGEVIS OFF;");
    size_t end = t.rfind(kFooter);
    if (start == std::string::npos || end == std::string::npos) return "";
    start += 12;
    return t.substr(start, end - start);
}

unsigned char patternBits[128];
const unsigned char *hatch() {
    for (int i = 0; i < 128; i++) patternBits[i] = static_cast<unsigned char>(i % 4 == 0 ? 0x80 >> (i / 4 % 8) : 0);
    return patternBits;
}

void polygon(TestCGMAction &a, SbColor c, const char *pattern = nullptr) {
    const SbVec4f points[3] = {pt(0, 0), pt(10, 0), pt(5, 8)};
    a.printPolygon(points, 3, &c, SbString(pattern ? "hatch" : ""), SbString(pattern ? pattern : ""),
                   pattern ? hatch() : nullptr);
}

} // namespace

TEST(CGMWriter, HeaderAndFooterOfAnEmptyClearTextDrawing) {
    WrittenCGM w = writeCGM("empty-v1-direct.cgm", {}, nullptr);
    EXPECT_EQ(w.text, std::string(kHeaderV1Direct) + kFooter);
}

TEST(CGMWriter, PageModeVdcExtentIsThePageFrame) {
    const std::string path = cgmOutPath("page-extent.cgm");
    {
        TestCGMAction a;
        ASSERT_TRUE(a.getOutput()->openFile(path.c_str()));
        a.beginPage(SbVec2f(5, 6), SbVec2f(100, 50));
        a.setStartPosition(2, 3);
        a.writeHeader();
        const SbColor red(1, 0, 0);
        const SbVec4f points[2] = {pt(0, 0), pt(1, 1)};
        a.printPolyLine(points, 2, &red, 0, 1, 0xFFFF);
        // The destructor ends the open page: the footer goes into the file.
    }
    const std::string text = cgmtest::readFileText(path);
    checkCGMFile(path, 0);
    EXPECT_NE(text.find("VDCEXT 5. 6. 105. 56.;\n"), std::string::npos);
    // Points are placed at the start position within the page frame.
    EXPECT_NE(text.find("LINE\n 7.,9. 8.,10.;\n"), std::string::npos);
}

TEST(CGMWriter, BackgroundGoesIntoTheHeader) {
    WrittenCGM w = writeCGM("background-direct.cgm", {}, nullptr,
                            [](TestCGMAction &a) { a.setBackgroundColor(1, SbColor(0, 0, 1)); });
    EXPECT_NE(w.text.find("EDGEWIDTHMODE ABS;\nBACKCOLR 0 0 255;\nCOLRMODE DIRECT;\n"), std::string::npos);
    // Translated like every colour taken from the settings: black prints as white.
    WrittenCGM black = writeCGM("background-black.cgm", {}, nullptr, [](TestCGMAction &a) { a.setBackgroundColor(1); });
    EXPECT_NE(black.text.find("BACKCOLR 255 255 255;\n"), std::string::npos);
}

TEST(CGMWriter, IndexedColourTableWithoutBackground) {
    WrittenCGM w = writeCGM("table-palette.cgm", {0, 1, 1}, [](TestCGMAction &a) {
        line(a, kRed);
        line(a, SbColor(1, 1, 1));
        line(a, SbColor(0, 0, 0));
    });
    EXPECT_EQ(w.text.find("BACKCOLR"), std::string::npos);
    EXPECT_NE(w.text.find("COLRMODE INDEXED;\n"), std::string::npos);
    EXPECT_NE(w.text.find("EDGEVIS OFF;COLRTABLE 0\n255 255 255\n0 0 0\n0 0 85\n0 0 170\n0 0 255\n0 36 0\n"),
              std::string::npos);
    std::vector<cgmtest::Element> tables = elementsNamed(w.file, "COLRTABLE");
    ASSERT_EQ(tables.size(), 1u);
    const std::vector<double> &t = tables[0].numbers;
    ASSERT_EQ(t.size(), 1u + 3u * 256u);
    auto entry = [&](int i) { return SbColor(t[1 + 3 * i], t[2 + 3 * i], t[3 + 3 * i]); };
    EXPECT_EQ(entry(255), SbColor(255, 255, 255));
    EXPECT_EQ(entry(254), SbColor(255, 255, 85)); // palette 253: 0xFD
    // Every index names its colour: red is RRRGGGBB 0xE0, index 225.
    EXPECT_EQ(values(w.file, "LINECOLR"), (std::vector<double>{225, 255, 1}));
    EXPECT_EQ(entry(225), SbColor(255, 0, 0));
    EXPECT_EQ(entry(1), SbColor(0, 0, 0));
}

TEST(CGMWriter, IndexedColourTableWithBackgroundAndPens) {
    const SbColor pens[3] = {SbColor(1, 1, 1), SbColor(0.2f, 0.4f, 0.6f), kRed};
    WrittenCGM w = writeCGM(
        "table-pens.cgm", {0, 1, 1},
        [](TestCGMAction &a) {
            line(a, SbColor(0.2f, 0.4f, 0.6f));
            line(a, SbColor(0.9f, 0.1f, 0.0f));
        },
        [&](TestCGMAction &a) {
            a.setBackgroundColor(1, SbColor(0.5f, 0.5f, 0.5f));
            a.setPenDescription(3, pens);
        });
    EXPECT_NE(w.text.find("COLRTABLE 0\n127 127 127\n255 255 255\n51 102 153\n255 0 0\n;\n"), std::string::npos);
    // Pen k is index k + 1: the second pen, then the red pen nearest to (0.9, 0.1, 0).
    EXPECT_EQ(values(w.file, "LINECOLR"), (std::vector<double>{2, 3}));
}

TEST(CGMWriter, DirectColourWithPensWritesThePenColour) {
    const SbColor pens[2] = {SbColor(0, 0, 0), SbColor(0, 0, 0.5f)};
    WrittenCGM w = writeCGM("direct-pens.cgm", {}, [](TestCGMAction &a) { line(a, kBlue); },
                            [&](TestCGMAction &a) { a.setPenDescription(2, pens); });
    EXPECT_NE(w.text.find("LINECOLR 0 0 127;\n"), std::string::npos);
}

TEST(CGMWriter, TwoLinesOfOneColourShareTheirAttributes) {
    WrittenCGM w = writeCGM("cache-lines.cgm", {}, [](TestCGMAction &a) {
        line(a, kRed, 2.0f, 0x00FF);
        line(a, kRed, 2.0f, 0x00FF);
    });
    EXPECT_EQ(body(w), "LINETYPE 2;\nLINEWIDTH 0.705556;\nLINECOLR 255 0 0;\nLINE\n 10.,10. 20.,15.;\n"
                       "LINE\n 10.,10. 20.,15.;\n");
}

TEST(CGMWriter, AttributesAreWrittenAgainWhenTheyChange) {
    WrittenCGM w = writeCGM("cache-changes.cgm", {0, 1, 1}, [](TestCGMAction &a) {
        line(a, kRed);
        line(a, kBlue);
        line(a, kBlue, 0.0f); // a width of 0 counts as 1
        line(a, kBlue, 3.0f, 0x0F0F);
        line(a, kBlue, 3.0f);
    });
    EXPECT_EQ(values(w.file, "LINECOLR"), (std::vector<double>{225, 4}));
    EXPECT_EQ(elementsNamed(w.file, "LINEWIDTH").size(), 2u);
    EXPECT_EQ(values(w.file, "LINETYPE"), (std::vector<double>{2, 1}));
    EXPECT_EQ(elementsNamed(w.file, "LINE").size(), 5u);
}

TEST(CGMWriter, Version1LineTypes) {
    const unsigned short patterns[] = {0x00FF, 0x0F0F, 0x0001, 0x3333, 0x00F3, 0x00DB, 0x8001, 0xFFFF, 0x5555};
    WrittenCGM w = writeCGM("linetypes-v1.cgm", {}, [&](TestCGMAction &a) {
        for (unsigned short p : patterns) line(a, kRed, 1.0f, p);
    });
    // Dash; 4 runs of 4: dash; runs 1 and 15: dash; 8 runs: dot; 4 runs with one of 8:
    // dash-dot; 6 runs with one of 8: dash-dot-dot; 3 runs 1, 14, 1 joined to 2, 14: dash;
    // solid; 16 runs: dot.
    EXPECT_EQ(values(w.file, "LINETYPE"), (std::vector<double>{2, 2, 2, 3, 4, 5, 2, 1, 3}));
}

TEST(CGMWriter, Version3DefinesDashesAndWritesCapsAndJoins) {
    WrittenCGM w = writeCGM(
        "linetypes-v3.cgm", {0, 3, 0},
        [](TestCGMAction &a) {
            line(a, kRed, 1.0f, 0x00FF);
            line(a, kRed, 1.0f, 0x00FF);
            line(a, kRed, 1.0f, 0xFFFF);
            line(a, kRed, 1.0f, 0x0001);
        },
        [](TestCGMAction &a) {
            a.setLineEndStyle(SoVectorizeAction::ROUND_CAP);
            a.setLineJoinsStyle(SoVectorizeAction::MITER_JOIN);
            a.setMiterLimit(4.0f);
        });
    const std::string caps = "LINECAP 3 1;\nLINEJOIN 2;\nMITRELIMIT 4.000000;\n";
    EXPECT_EQ(body(w), "LINEEDGETYPEDEF -1 5.65 2 2 ;\nLINETYPE -1;\n" + caps +
                           "LINEWIDTH 0.352778;\nLINECOLR 255 0 0;\nLINE\n 10.,10. 20.,15.;\n" + caps +
                           "LINE\n 10.,10. 20.,15.;\n"
                           "LINEEDGETYPEDEF -1 5.65 ;\nLINETYPE 1;\n" + caps +
                           "LINE\n 10.,10. 20.,15.;\n"
                           // Runs 1 and 15 at the default nominal width: 0 and 5.
                           "LINEEDGETYPEDEF -1 5.65 0 5 ;\nLINETYPE -1;\n" + caps + "LINE\n 10.,10. 20.,15.;\n");
}

TEST(CGMWriter, OtherVersionsUseStandardTypesBelow3AndDashesAbove) {
    WrittenCGM v2 = writeCGM("linetypes-v2.cgm", {0, 2, 0}, [](TestCGMAction &a) { line(a, kRed, 1, 0x00FF); });
    EXPECT_EQ(values(v2.file, "LINETYPE"), (std::vector<double>{2}));
    EXPECT_EQ(v2.text.find("LINECAP"), std::string::npos);
    WrittenCGM v4 = writeCGM("linetypes-v4.cgm", {0, 4, 0}, [](TestCGMAction &a) { line(a, kRed, 1, 0x00FF); });
    EXPECT_NE(v4.text.find("LINEEDGETYPEDEF -1 5.65 2 2 ;\nLINETYPE -1;\n"), std::string::npos);
}

TEST(CGMWriter, ZeroPatternAndDegenerateLinesDrawNothing) {
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

TEST(CGMWriter, WhiteTakesIndex255) {
    WrittenCGM w = writeCGM("white.cgm", {0, 1, 1}, [](TestCGMAction &a) {
        line(a, SbColor(1, 1, 1));
        line(a, SbColor(0.99f, 0.99f, 0.99f)); // RRRGGGBB 0xFF as well
        line(a, SbColor(0, 0, 0));
    });
    EXPECT_EQ(values(w.file, "LINECOLR"), (std::vector<double>{255, 255, 1}));
    // The second line: same index, but another colour, so the test asks for a new element.
    EXPECT_EQ(elementsNamed(w.file, "LINECOLR").size(), 3u);
}

TEST(CGMWriter, RepeatedPatternIsDefinedOnce) {
    WrittenCGM w = writeCGM("patterns.cgm", {0, 1, 1}, [](TestCGMAction &a) {
        polygon(a, kRed, "diagonal");
        polygon(a, kRed, "diagonal");
        polygon(a, kRed, "diagonal");
        polygon(a, kRed, "other");
        polygon(a, kRed, "diagonal");
    });
    std::vector<cgmtest::Element> tables = elementsNamed(w.file, "PATTABLE");
    ASSERT_EQ(tables.size(), 2u);
    EXPECT_EQ(tables[0].numbers[0], 1);
    EXPECT_EQ(tables[1].numbers[0], 2);
    EXPECT_EQ(values(w.file, "PATINDEX"), (std::vector<double>{1, 1, 1, 2, 1}));
    EXPECT_EQ(elementsNamed(w.file, "FILLCOLR").size(), 0u);
    EXPECT_EQ(countOf(w.text, "INTSTYLE PAT;\nPATSIZE 0. 11.288889 11.288889 0.;\n"), 5);
    // Set bits take the red index 225, clear bits the background entry 0. The first row is
    // the last four pattern bytes: byte 124 is 0x80 >> (31 % 8) = 0x01.
    const std::vector<double> &t = tables[0].numbers;
    ASSERT_EQ(t.size(), 4u + 1024u);
    EXPECT_EQ(t[4 + 7], 225);
    EXPECT_EQ(t[4 + 6], 0);
    EXPECT_EQ(t[4 + 32 * 31 + 0], 225); // the last row is bytes 0..3: 0x80 first
    int set = 0;
    for (size_t i = 4; i < t.size(); i++) set += t[i] == 225;
    EXPECT_EQ(set, 32);
}

TEST(CGMWriter, PatternColourAndSolidFillsStayRight) {
    WrittenCGM w = writeCGM("pattern-colours.cgm", {0, 1, 1}, [](TestCGMAction &a) {
        polygon(a, kRed);
        polygon(a, kBlue, "diagonal");
        polygon(a, kRed);          // red is still the fill colour in force: nothing to write
        polygon(a, kRed, "diagonal"); // the table was blue: written again in red
        polygon(a, kBlue);
    });
    EXPECT_EQ(values(w.file, "FILLCOLR"), (std::vector<double>{225, 4}));
    std::vector<cgmtest::Element> tables = elementsNamed(w.file, "PATTABLE");
    ASSERT_EQ(tables.size(), 2u);
    EXPECT_EQ(tables[0].numbers[4 + 7], 4);
    EXPECT_EQ(tables[1].numbers[4 + 7], 225);
    EXPECT_EQ(values(w.file, "INTSTYLE"), (std::vector<double>{1, 2, 1, 2, 1}));
}

TEST(CGMWriter, Version3PatternsHaveTransparentClearBits) {
    WrittenCGM direct = writeCGM("pattern-v3-direct.cgm", {0, 3, 0}, [](TestCGMAction &a) { polygon(a, kRed, "d"); },
                                 [](TestCGMAction &a) { a.setBackgroundColor(0, SbColor(0, 0.5f, 1)); });
    EXPECT_NE(direct.text.find("INTSTYLE PAT;\nPATSIZE 0. 11.288889 11.288889 0.;\nTRANSPCELLCOLR ON 0 127 255;\n"
                               "PATTABLE 1 32 32 0 0 127 255 "),
              std::string::npos);
    EXPECT_NE(direct.text.find(";\nPATINDEX 1;\nPOLYGON\n 10.,10. 20.,10. 15.,18.;\nTRANSPCELLCOLR OFF 0 127 255;\n"),
              std::string::npos);
    WrittenCGM indexed = writeCGM("pattern-v3-indexed.cgm", {0, 3, 1}, [](TestCGMAction &a) { polygon(a, kRed, "d"); });
    EXPECT_NE(indexed.text.find("TRANSPCELLCOLR ON  0;\nPATTABLE 1 32 32 0 0 "), std::string::npos);
    EXPECT_NE(indexed.text.find(" 0  ;\nPATINDEX 1;\n"), std::string::npos);
    EXPECT_NE(indexed.text.find("TRANSPCELLCOLR OFF  0;\n"), std::string::npos);
}

TEST(CGMWriter, TextAttributesAndFonts) {
    WrittenCGM w = writeCGM("text.cgm", {}, [](TestCGMAction &a) {
        a.printText2(pt(1, 2), kRed, "Helvetica", 12.0f, "one", 1, 0.0f);
        a.printText2(pt(1, 2), kRed, "Helvetica", 12.0f, "two", 1, 0.0f);
        a.printText2(pt(1, 2), kBlue, "NoSuchFont", 12.0f, "three", 3, 1.5707964f);
        a.printText2(pt(1, 2), kBlue, "Courier", 20.0f, "four", 2, 1.5707964f);
    });
    const std::string fixed = "TEXTPREC STROKE;\nTEXTPATH RIGHT;\nCHARSPACE 0.;\nCHAREXPAN 1.;\n";
    EXPECT_EQ(body(w), "TEXTCOLR 255 0 0;\nCHARHEIGHT 2.54;\nTEXTFONTINDEX 5;\n" + fixed +
                           "TEXTALIGN LEFT NORMVERT 0. 0.;\nTEXT 11. 12. FINAL\n'one';\n" + fixed +
                           "TEXT 11. 12. FINAL\n'two';\n"
                           "TEXTCOLR 0 0 255;\n" + fixed +
                           "TEXTALIGN CTR NORMVERT 0. 0.;\nCHARORI -1. -4.37114e-08 -4.37114e-08 1.;\n"
                           "TEXT 11. 12. FINAL\n'three';\n"
                           "CHARHEIGHT 4.23333;\nTEXTFONTINDEX 9;\n" + fixed +
                           "TEXTALIGN RIGHT NORMVERT 0. 0.;\nTEXT 11. 12. FINAL\n'four';\n");
}

TEST(CGMWriter, MarkerRunsOfEqualColour) {
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
    EXPECT_EQ(values(b.file, "MARKERCOLR"), (std::vector<double>{255, 0, 0, 0, 0, 255}));
}

TEST(CGMWriter, SixPointsALine) {
    std::vector<SbVec4f> points;
    for (int i = 0; i < 7; i++) points.push_back(pt(static_cast<float>(i), 0));
    WrittenCGM w = writeCGM("six.cgm", {}, [&](TestCGMAction &a) { a.printPolyLine(points.data(), 7, &kRed, 0, 1, 0xFFFF); });
    EXPECT_NE(w.text.find("LINE\n 10.,10. 11.,10. 12.,10. 13.,10. 14.,10. 15.,10.\n 16.,10.;\n"), std::string::npos);
}

TEST(CGMWriter, MarkerSetBitmapsAreCellArrays) {
    SoMarkerSet *markers = new SoMarkerSet;
    markers->ref();
    markers->markerIndex.setValue(SoMarkerSet::PLUS_5_5);
    const SbVec4f points[1] = {pt(10, 20)};
    WrittenCGM w = writeCGM("markerset-v3.cgm", {0, 3, 0}, [&](TestCGMAction &a) {
        a.printPolyMark(points, 1, &kRed, 0, markers);
    });
    std::vector<cgmtest::Element> cells = elementsNamed(w.file, "CELLARRAY");
    ASSERT_EQ(cells.size(), 1u);
    const std::vector<double> &c = cells[0].numbers;
    const float h = 2.5f * 0.35277778f;
    ASSERT_EQ(c.size(), 9u + 25u * 3u);
    EXPECT_NEAR(c[0], 20 - h, 1e-4);
    EXPECT_NEAR(c[1], 30 + h, 1e-4);
    EXPECT_NEAR(c[2], 20 + h, 1e-4);
    EXPECT_NEAR(c[3], 30 - h, 1e-4);
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
    EXPECT_EQ(cgmtest::elementNames(w.file).find("TRANSPCELLCOLR CELLARRAY TRANSPCELLCOLR") != std::string::npos, true);
    EXPECT_NE(w.text.find("TRANSPCELLCOLR ON 255 255 255;\n"), std::string::npos);
    EXPECT_NE(w.text.find("TRANSPCELLCOLR OFF 255 255 255;\n"), std::string::npos);
    // Version 1 has no transparent cell colour.
    WrittenCGM v1 = writeCGM("markerset-v1.cgm", {0, 1, 1}, [&](TestCGMAction &a) {
        a.printPolyMark(points, 1, &kRed, 0, markers);
    });
    EXPECT_EQ(v1.text.find("TRANSPCELLCOLR"), std::string::npos);
    EXPECT_EQ(elementsNamed(v1.file, "CELLARRAY").size(), 1u);
    markers->unref();
}

TEST(CGMWriter, ImagesAreCellArraysAndSkippedOutsideTheClip) {
    // 3 x 2 RGB pixels, rows bottom to top.
    const unsigned char pixels[18] = {255, 0, 0, 0, 255, 0, 0, 0, 255, 10, 20, 30, 40, 50, 60, 70, 80, 90};
    SbVec2s size(3, 2), requested(6, 4);
    const SbVec4f inside = pt(50, 50), outside = pt(-100, 50);
    WrittenCGM w = writeCGM("image.cgm", {}, [&](TestCGMAction &a) {
        a.setHardwareClip();
        a.printImage(outside, pixels, size, requested, 3, SoImage::LEFT, SoImage::BOTTOM);
        a.printImage(inside, pixels, size, requested, 3, SoImage::CENTER, SoImage::TOP);
    });
    std::vector<cgmtest::Element> cells = elementsNamed(w.file, "CELLARRAY");
    ASSERT_EQ(cells.size(), 1u);
    const float W = 6 * 0.35277778f, H = 4 * 0.35277778f;
    const std::vector<double> &c = cells[0].numbers;
    EXPECT_NEAR(c[0], 60 - W / 2, 1e-4);
    EXPECT_NEAR(c[1], 60, 1e-4);
    EXPECT_NEAR(c[2], 60 + W / 2, 1e-4);
    EXPECT_NEAR(c[3], 60 - H, 1e-4);
    EXPECT_EQ(std::vector<double>(c.begin() + 6, c.end()),
              (std::vector<double>{3, 2, 0, 10, 20, 30, 40, 50, 60, 70, 80, 90, 255, 0, 0, 0, 255, 0, 0, 0, 255}));
    // Only the clip and the inside image.
    EXPECT_NE(cgmtest::elementNames(w.file).find("EDGEVIS CLIPRECT CELLARRAY ENDPIC"), std::string::npos);
    WrittenCGM none = writeCGM("image-outside.cgm", {}, [&](TestCGMAction &a) {
        a.printImage(outside, pixels, size, requested, 3, SoImage::LEFT, SoImage::BOTTOM);
    });
    EXPECT_EQ(none.text, std::string(kHeaderV1Direct) + kFooter);
}

TEST(CGMWriter, GreyImagesAndIndexedCells) {
    const unsigned char pixels[2] = {0, 255};
    SbVec2s size(2, 1), requested(2, 1);
    WrittenCGM w = writeCGM("image-grey.cgm", {0, 1, 1}, [&](TestCGMAction &a) {
        a.printImage(pt(0, 0), pixels, size, requested, 1, SoImage::LEFT, SoImage::BOTTOM);
    });
    EXPECT_NE(w.text.find(" 2 1 0\n 1 255;\n"), std::string::npos);
}

TEST(CGMWriter, ClipRectanglesAndBorder) {
    WrittenCGM w = writeCGM("border.cgm", {}, [](TestCGMAction &a) {
        a.setHardwareClip();
        a.printBorder();
    });
    EXPECT_EQ(body(w), "CLIPRECT 10. 10. 200. 287.;\nCLIPRECT 10. 10. 200. 287.;\nLINEWIDTH 0.705556;\n"
                       "LINECOLR 0 0 0;\nLINE\n 10.,10. 200.,10. 200.,287. 10.,287. 10.,10.;\n");
    WrittenCGM none = writeCGM("no-border.cgm", {}, [](TestCGMAction &a) { a.printBorder(); },
                               [](TestCGMAction &a) { a.setBorder(0); });
    EXPECT_EQ(body(none), "");
}

TEST(CGMWriter, ClippingLimitsCarryTheOffsetsInClearTextOnly) {
    TestCGMAction a;
    SbBox2f clear = a.getClippingLimits();
    EXPECT_EQ(clear, SbBox2f(10, 10, 200, 287));
    a.getCGMVectorOutput()->setBinaryEncoding(1);
    EXPECT_EQ(a.getClippingLimits(), SbBox2f(0, 0, 190, 277));
}
