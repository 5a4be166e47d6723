// The HP-GL/2 writer, driven through its format operations: header, pens, line types, widths,
// PE polylines, polygons, dots, labels, border, background, page mode. Every file is read back
// with our tokenizer (and by hp2xx when it is installed).
#include "emf_dump.h"
#include "hpgl_test_util.h"
#include "scene/nodes/SoMarkerSet.h"
#include "scrivane/SoVectorizeGDIAction.h"
#include <cmath>
#include <cstdio>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {
const SbColor kRed(1, 0, 0), kBlue(0, 0, 1), kWhite(1, 1, 1), kBlack(0, 0, 0);
// Pens of the RRRGGGBB palette.
const int kRedPen = 224;

std::string enc(int v) {
    return TestHPGLAction::encodePE(v);
}

// A horizontal line from the origin.
void line(TestHPGLAction &a, float length, const SbColor &c = kRed, float width = 1.0f,
          unsigned short pattern = 0xFFFF) {
    const SbVec4f points[2] = {pt(0, 0), pt(length, 0)};
    a.printPolyLine(points, 2, &c, 0, width, pattern);
}
} // namespace

TEST(HpglHeaderTest, DefaultHeaderAndFooterByteForByte) {
    Plot p = plot("default-header", nullptr);
    std::string h = "\x1b%-1B\nIN;FT;NP256;TR0;\n";
    char pc[64];
    for (int pen = 0; pen < 256; pen++) {
        // Three bits of red and green and two of blue, each spread over 0..255.
        snprintf(pc, sizeof pc, "PC%d,%d,%d,%d\n", pen, (pen >> 5) * 255 / 7,
                 ((pen >> 2) & 7) * 255 / 7, (pen & 3) * 85);
        h += pc;
    }
    EXPECT_EQ(p.bytes, h + "PS7600,11080;\nLA1,1,2,6,3,1.50\nSPPG;\n");
    // Spot checks of the palette, written out by hand.
    for (const char *pen :
         {"PC0,0,0,0\n", "PC1,0,0,85\n", "PC4,0,36,0\n", "PC224,255,0,0\n", "PC255,255,255,255\n"})
        EXPECT_NE(p.bytes.find(pen), std::string::npos) << pen;
}

TEST(HpglHeaderTest, LandscapeTurnsThePageAndLineAttributesFollowTheSettings) {
    Plot p = plot(
        "landscape", [](TestHPGLAction &a) { line(a, 100); },
        [](TestHPGLAction &a) {
            a.setOrientation(SoVectorizeAction::LANDSCAPE);
            a.setLineEndStyle(SoVectorizeAction::ROUND_CAP);
            a.setLineJoinsStyle(SoVectorizeAction::MITER_BEVEL_JOIN);
            a.setMiterLimit(4.0f);
        });
    EXPECT_EQ(p.bytes.find("\x1b%-1B\nIN;RO90;IP;FT;NP256;TR0;\nPC0,0,0,0\n"), 0u);
    EXPECT_NE(p.bytes.find("\nPS11080,7600;\nLA1,4,2,2,3,4.00\n"), std::string::npos);
    // One document per combination of styles, all in one file.
    const Plot all = plotWith("line-attributes", [](TestHPGLAction &a) {
        for (int e = 0; e < 4; e++)
            for (int j = 0; j < 6; j++) {
                a.setLineEndStyle(static_cast<SoVectorizeAction::EndLineStyle>(e));
                a.setLineJoinsStyle(static_cast<SoVectorizeAction::JoinLineStyle>(j));
                a.writeHeader();
                a.writeFooter();
            }
    });
    auto la = all.stream.all("LA");
    ASSERT_EQ(la.size(), 24u);
    const double ends[4] = {1, 2, 3, 4}, joins[6] = {6, 1, 2, 5, 3, 4};
    for (size_t k = 0; k < 24; k++)
        EXPECT_EQ(la[k]->params, (std::vector<double>{1, ends[k / 6], 2, joins[k % 6], 3, 1.5}))
            << k;
}

TEST(HpglHeaderTest, DescribedPensDefineThePaletteAndChooseThePen) {
    const SbColor colors[3] = {SbColor(1, 1, 1), SbColor(0, 0, 0), SbColor(1, 0, 0.5f)};
    const float widths[3] = {0.3f, 0.5f, 0.7f};
    Plot p = plot(
        "described-pens",
        [](TestHPGLAction &a) {
            line(a, 10, SbColor(0.9f, 0.1f, 0.4f));
            const SbVec4f at = pt(0, 0);
            a.printPolyMark(&at, 1, &kBlack, 0, 1.0f);
        },
        [&](TestHPGLAction &a) { a.setPenDescription(3, colors, widths); });
    EXPECT_EQ(
        p.bytes.find(
            "\x1b%-1B\nIN;FT;NP3;TR0;\nPC0,255,255,255\nPC1,0,0,0\nPC2,255,0,127\nPS7600,11080;"),
        0u);
    EXPECT_EQ(p.body, "PW0.352778PE:" + enc(2) + "<=" + enc(400) + enc(400) + enc(400) + enc(0) +
                          ";\nSP1PUSM.PA400,400SM;\nSPPG;\n");
}

TEST(HpglPolylineTest, PenWidthAndRelativeStepsByteForByteAndOnePointPolylines) {
    Plot p = plot("polyline-bytes", [](TestHPGLAction &a) {
        const SbVec4f points[3] = {pt(0, 0), pt(10, 0), pt(10, 5)};
        a.printPolyLine(points, 3, &kRed, 0, 1.0f, 0xFFFF);
        // One point with the same pen and width: the pen-up absolute move alone.
        const SbVec4f single = pt(5, 5);
        a.printPolyLine(&single, 1, &kRed, 0, 1.0f, 0xFFFF);
        // Images write nothing.
        const unsigned char pixels[12] = {255, 0, 0, 0, 255, 0, 0, 0, 255, 1, 2, 3};
        SbVec2s source(2, 2), requested(20, 20);
        a.printImage(pt(1, 1), pixels, source, requested, 3, SoImage::LEFT, SoImage::BOTTOM);
    });
    // Pen 224 is "?\xC6", 400 is "_\xCB", 0 is "\xBF", 200 is "O\xC5", 600 is "o\xD1": pen 224,
    // pen up to (400, 400), down to (800, 400) and (800, 600); then pen up to (600, 600) alone.
    EXPECT_EQ(p.body, "PW0.352778PE:?\xC6<=_\xCB_\xCB_\xCB\xBF\xBF"
                      "O\xC5;\nPE<=o\xD1o\xD1;\nSPPG;\n");
}

TEST(HpglPolylineTest, TinyStepsCarryTheirTruncationToTheRightEndPoint) {
    // 1/64 mm is 0.625 plotter units: no single step reaches a unit, only their sum does.
    const int n = 1000;
    std::vector<SbVec4f> right, down;
    for (int i = 0; i < n; i++) {
        right.push_back(pt(i / 64.0f, 0));
        down.push_back(pt(0, -i / 64.0f));
    }
    Plot p = plot("tiny-steps", [&](TestHPGLAction &a) {
        a.printPolyLine(right.data(), n, &kRed, 0, 1.0f, 0xFFFF);
        a.printPolyLine(down.data(), n, &kRed, 0, 1.0f, 0xFFFF);
    });
    auto pe = p.stream.all("PE");
    ASSERT_EQ(pe.size(), 2u);
    // Each plotted vertex is the previous one plus the truncated distance to the exact point;
    // vertices that do not move are not written. The end point is the exact one truncated:
    // 400 ± 624.375.
    for (int k = 0; k < 2; k++) {
        Points expected{{400, 400}};
        double last = 400;
        for (int i = 1; i < n; i++) {
            const double plotted = last + std::trunc(400 + (k == 0 ? 0.625 : -0.625) * i - last);
            if (plotted != last)
                expected.push_back(k == 0 ? std::make_pair(plotted, 400.0)
                                          : std::make_pair(400.0, plotted));
            last = plotted;
        }
        EXPECT_EQ(xy(*pe[k]), expected) << k;
        EXPECT_EQ(k == 0 ? expected.back().first : expected.back().second, k == 0 ? 1024 : -224);
        EXPECT_LT(pe[k]->vertices.size(), 630u);
    }
}

TEST(HpglPolylineTest, NegativeCoordinatesAndStepsAreTruncatedTowardZero) {
    Plot p = plot(
        "negative",
        [](TestHPGLAction &a) {
            // (-1.875, -1.5625) plotter units, then (-3.75, 1.25).
            const SbVec4f points[2] = {pt(-0.046875f, -0.0390625f), pt(-0.09375f, 0.03125f)};
            a.printPolyLine(points, 2, &kRed, 0, 1.0f, 0xFFFF);
            a.printPolyMark(points, 1, &kRed, 0, 1.0f);
        },
        [](TestHPGLAction &a) { a.setStartPosition(0, 0); });
    // -1 is "\xC2", -2 is "\xC4", 2 is "\xC3": start (-1, -1), step (-2, 2).
    EXPECT_NE(p.bytes.find("<=\xC2\xC2\xC4\xC3;\nPUSM.PA-1,-1SM;\n"), std::string::npos);
    ASSERT_EQ(p.stream.count("PE"), 1);
    EXPECT_EQ(xy(*p.stream.all("PE")[0]), (Points{{-1, -1}, {-3, 1}}));
}

TEST(HpglPolylineTest, LineTypesAndWidthsAreWrittenOnlyOnChange) {
    Plot p = plot("line-types", [](TestHPGLAction &a) {
        for (unsigned short pattern :
             {0xFFFF, 0x00FF, 0x00FF, 0xFFFF, 0xFFFF, 0xF0F0, 0x0001, 0x8001, 0, 0x8001})
            line(a, 50, kRed, 1.0f, pattern);
        a.setNominalWidth(0.5f);
        line(a, 50, kRed, 1.0f, 0x00FF);
    });
    // No LT before the first solid line, LT after a dashed one. The zero pattern draws nothing
    // and leaves the pattern in force.
    const std::string pe = "PE<=" + enc(400) + enc(400) + enc(2000) + enc(0) + ";\n";
    EXPECT_EQ(p.body,
              "PW0.352778PE:" + enc(kRedPen) + "<=" + enc(400) + enc(400) + enc(2000) + enc(0) +
                  ";\n" + "UL8,2.82 ,2.82 LT8,5.65,1\n" + pe + pe + "LT" + pe + pe + //
                  "UL8,1.41 ,1.41 ,1.41 ,1.41 LT8,5.65,1\n" + pe + // 0xF0F0 shifts to 0x0F0F
                  "UL8,0.35 ,5.29 LT8,5.65,1\n" + pe +             // one dot, fifteen gaps
                  "UL8,0.35 ,4.94 ,0.35 LT8,5.65,1\n" + pe + pe +  // dot, 14 gaps, dot
                  "UL8,4.00 ,4.00 LT8,5.65,1\nPW0.500000" + pe + "SPPG;\n");
    // A width of 0 draws with the nominal width; PW follows only changes.
    Plot w = plot("widths", [](TestHPGLAction &a) {
        for (float width : {0.0f, 2.0f, 2.0f, 1.0f, 0.0f})
            line(a, 10, kRed, width);
        a.setNominalWidth(0.5f);
        line(a, 10, kRed, 0.0f);
    });
    std::vector<double> widths;
    for (const hpgl::Command *pw : w.stream.all("PW"))
        widths.push_back(pw->params.at(0));
    EXPECT_EQ(widths, (std::vector<double>{0.352778, 0.705556, 0.352778, 0.5}));
    std::string pens;
    for (const hpgl::Command *pe : w.stream.all("PE"))
        pens += std::to_string(pe->selectedPen) + " ";
    EXPECT_EQ(pens, "224 -1 -1 -1 -1 -1 ");
}

TEST(HpglPenTest, PaletteWithoutDescribedPens) {
    Plot p = plot("palette-pens", [](TestHPGLAction &a) {
        const SbVec4f at = pt(0, 0);
        for (const SbColor &c : {kWhite, kBlack, SbColor(0.5f, 0.5f, 0.5f),
                                 SbColor(0.2f, 0.6f, 1.0f), SbColor(1.5f, -0.5f, 0.999f)})
            a.printPolyMark(&at, 1, &c, 0, 1.0f);
    });
    // White takes the last pen and black the first; grey 127 is 011 011 01; (51, 153, 255)
    // is 001 100 11; out-of-range components are held to 0..1 (254 is 111 000 11).
    EXPECT_EQ(p.body, "SP255PUSM.PA400,400SM;\nSP0PUSM.PA400,400SM;\nSP109PUSM.PA400,400SM;\n"
                      "SP51PUSM.PA400,400SM;\nSP227PUSM.PA400,400SM;\nSPPG;\n");
}

TEST(HpglMarkerTest, SingleAndAlternatingMultiColourDotsAndMarkerSets) {
    const SbVec4f points[4] = {pt(0, 0), pt(1, 0), pt(2, 0), pt(3, 0)};
    Plot p = plot("markers", [&](TestHPGLAction &a) {
        a.printPolyMark(points, 2, &kRed, 0, 3.0f);
        const SbColor alternating[4] = {kRed, kBlue, kRed, kRed};
        a.printPolyMark(points, 4, alternating, 1, 3.0f);
        // The first point's pen is current: the sequence starts without SP.
        const SbColor same[2] = {kRed, kRed};
        a.printPolyMark(points, 2, same, 1, 3.0f);
        a.printPolyMark(points, 0, &kBlue, 0, 3.0f);
    });
    EXPECT_EQ(p.body, "SP224PUSM.PA400,400,440,400SM;\n"
                      "PUSM.PA400,400SP3PUSM.PA440,400SP224PUSM.PA480,400,520,400SM;\n"
                      "PUSM.PA400,400,440,400SM;\nSP3PUSM.PASM;\nSPPG;\n");
    // Marker sets plot as dots.
    SoMarkerSet *markers = new SoMarkerSet;
    markers->ref();
    const SbColor colors[2] = {kRed, kBlue};
    const SbVec4f diagonal[2] = {pt(0, 0), pt(1, 1)};
    Plot set = plot("markerset",
                    [&](TestHPGLAction &a) { a.printPolyMark(diagonal, 2, colors, 1, markers); });
    Plot dotted = plot("markerset-dots",
                       [&](TestHPGLAction &a) { a.printPolyMark(diagonal, 2, colors, 1, 0.0f); });
    markers->unref();
    EXPECT_EQ(set.bytes, dotted.bytes);
    EXPECT_EQ(set.body, "SP224PUSM.PA400,400SP3PUSM.PA440,440SM;\nSPPG;\n");
}

TEST(HpglPolygonTest, FilledInPolygonModeByteForByte) {
    Plot p = plot("polygon", [](TestHPGLAction &a) {
        const SbVec4f triangle[3] = {pt(0, 0), pt(10, 0), pt(10, 5)};
        a.printPolygon(triangle, 3, &kRed, SbString("category"), SbString("name"), nullptr);
    });
    // From (400, 400), relative steps (400, 0) and (0, 200).
    EXPECT_EQ(p.body, "SP224PU400,400PMPE_\xCB\xBF\xBF"
                      "O\xC5;PM2FP\nSPPG;\n");
}

TEST(HpglTextTest, FontDirectionAndOriginOnlyOnChange) {
    const std::string fits(255, 'F'), tooLong(300, 'F');
    Plot p = plot("text", [&](TestHPGLAction &a) {
        a.printText2(pt(0, 0), kRed, "Helvetica", 12.0f, "hello", 1, 0.0f);
        a.printText2(pt(5, 5), kRed, "Helvetica", 12.0f, "world", 2, 0.0f);
        a.printText2(pt(5, 5), kBlue, "Helvetica", 12.0f, "turned", 3, 0.5f);
        a.printText2(pt(5, 5), kBlue, "Times-Roman", 12.0f, "times", 3, 0.5f);
        a.printText2(pt(5, 5), kBlue, "Times-Roman", 10.0f,
                     "a\x03"
                     "b",
                     3, 0.0f);
    });
    EXPECT_EQ(p.body, "SP224SD2,1,4,12.00SSLO1PU\nPA400,400LBhello\x03\n"
                      "LO7PU\nPA600,600LBworld\x03\n"
                      "SP3LO4PU\nDI0.877583,0.479426\nPA600,600LBturned\x03\n"
                      "SD2,1,4,12.00SSPU\nPA600,600LBtimes\x03\n"
                      "SD2,1,4,10.00SSPU\nDI1.000000,0.000000\nPA600,600LBab\x03\n"
                      "SPPG;\n");
    // Font names too long for the cache rewrite the size each time: SD for the first fitting
    // name, both long ones, the fitting name again.
    Plot names = plot("long-font-name", [&](TestHPGLAction &a) {
        for (const std::string *font : {&fits, &fits, &tooLong, &tooLong, &fits, &fits})
            a.printText2(pt(0, 0), kRed, font->c_str(), 12.0f, "x", 1, 0.0f);
    });
    EXPECT_EQ(names.stream.count("SD"), 4);
    EXPECT_EQ(names.stream.count("LB"), 6);
}

TEST(HpglTextTest, LabelsHoldOnlyTextThePlotterPrints) {
    // Control characters (the label terminator, an escape sequence, font shifts, backspace,
    // white space), DEL, then legacy code page 1252 bytes, none of them part of a well-formed
    // UTF-8 sequence: e acute, C cedilla, y diaeresis, euro, ellipsis, curly quotes, copyright,
    // soft hyphen, no-break space, an unassigned byte and the multiplication sign.
    const std::string text = std::string("A\tB\r\nC\x1b%-12345XD\x0e"
                                         "E\x0f"
                                         "F\bG\x7fH;I\x03J") +
                             "\xe9\xc7\xff\x80\x85\x93x\x94\xa9\xad\xa0\x81\xd7";
    // White space becomes blanks, other control characters go; the rest is written in the
    // plotter's default symbol set, Roman-8 (e acute 0xC5, C cedilla 0xB4, y diaeresis 0xEF),
    // or spelt in ASCII where Roman-8 has no such character.
    const std::string label = "A B  C%-12345XDEFGH;IJ\xc5\xb4\xef"
                              "EUR...\"x\"(C) x";
    Plot p = plot("label-bytes", [&](TestHPGLAction &a) {
        a.printText2(pt(0, 0), kRed, "Helvetica", 12.0f, text.c_str(), 1, 0.0f);
    });
    EXPECT_EQ(p.body, "SP224SD2,1,4,12.00SSLO1PU\nPA400,400LB" + label + "\x03\nSPPG;\n");
    expectCheckerAccepts(p.path);

    // UTF-8 text: e acute at its Roman-8 code, the euro and the ellipsis spelt as from code page
    // 1252, a character neither has as '?'.
    Plot utf8 = plot("label-utf8", [&](TestHPGLAction &a) {
        a.printText2(pt(0, 0), kRed, "Helvetica", 12.0f,
                     "caf\xc3\xa9 \xe2\x82\xac\xe2\x80\xa6 \xe4\xb8\xad", 1, 0.0f);
    });
    EXPECT_EQ(utf8.body, "SP224SD2,1,4,12.00SSLO1PU\nPA400,400LBcaf\xc5 EUR... ?\x03\nSPPG;\n");
    expectCheckerAccepts(utf8.path);

    // 100 000 characters cycling through every byte value but NUL: one label, printable ASCII
    // kept in every cycle, no byte a plotter takes for a control function or an unassigned code.
    std::string all;
    for (int i = 0; i < 100000; i++)
        all += static_cast<char>(1 + i % 255);
    Plot big = plot("label-long", [&](TestHPGLAction &a) {
        a.printText2(pt(0, 0), kRed, "Helvetica", 12.0f, all.c_str(), 1, 0.0f);
    });
    expectCheckerAccepts(big.path);
    ASSERT_EQ(big.stream.count("LB"), 1);
    const std::string &plotted = big.stream.all("LB")[0]->text;
    size_t controls = 0;
    for (unsigned char c : plotted)
        controls += c < 0x20 || c == 0x7f || (c >= 0x80 && c <= 0xa0) || c == 0xff;
    EXPECT_EQ(controls, 0u);
    std::string ascii;
    for (char c = 0x20; c < 0x7f; c++)
        ascii += c;
    int runs = 0;
    for (size_t at = plotted.find(ascii); at != std::string::npos; at = plotted.find(ascii, at + 1))
        runs++;
    EXPECT_EQ(runs, 100000 / 255);
    // The last, partial cycle: y diaeresis, then the bytes 1 to 40 (five white-space controls).
    const std::string tail = "\xef      !\"#$%&'(";
    ASSERT_GT(plotted.size(), tail.size());
    EXPECT_EQ(plotted.substr(plotted.size() - tail.size()), tail);
}

namespace {
class TestGDIAction : public SoVectorizeGDIAction {
public:
    using SoVectorizeGDIAction::printText2;
    using SoVectorizeGDIAction::writeFooter;
    using SoVectorizeGDIAction::writeHeader;
};
} // namespace

TEST(HpglTextTest, TextHeightFollowsTheNominalWidthAsInTheMetafile) {
    // A 12-unit text at the default nominal width (one point per unit) and at 0.5 mm and
    // 0.1 inch per unit: the SD height in points, and the same height in millimetres as the
    // character height of the metafile's font (0.01 mm units).
    struct Case {
        float width;
        SoVectorizeAction::DimensionUnit unit;
        const char *sd;
        int emfHeight;
    };
    for (const Case &c : {Case{0.35277778f, SoVectorizeAction::MILLIMETER, "SD2,1,4,12.00SS", -423},
                          Case{0.5f, SoVectorizeAction::MILLIMETER, "SD2,1,4,17.01SS", -600},
                          Case{0.1f, SoVectorizeAction::INCH, "SD2,1,4,86.40SS", -3048}}) {
        const std::string name = "text-height-" + std::to_string(c.emfHeight);
        SCOPED_TRACE(name);
        Plot p = plot(
            name,
            [](TestHPGLAction &a) {
                a.printText2(pt(0, 0), kRed, "Helvetica", 12.0f, "size", 1, 0.0f);
                a.printText2(pt(0, 9), kRed, "Helvetica", 12.0f, "same", 1, 0.0f);
            },
            [&](TestHPGLAction &a) { a.setNominalWidth(c.width, c.unit); });
        EXPECT_EQ(p.body, std::string("SP224") + c.sd +
                              "LO1PU\nPA400,400LBsize\x03\nPU\nPA400,760LBsame\x03\nSPPG;\n");
        ASSERT_EQ(p.stream.count("SD"), 1);
        const double points = p.stream.all("SD")[0]->params.at(3);

        const std::string emf = outputPath(name) + ".emf";
        {
            TestGDIAction g;
            g.getOutput()->openFile(emf.c_str());
            g.setNominalWidth(c.width, c.unit);
            g.writeHeader();
            g.printText2(pt(0, 0), kRed, "Helvetica", 12.0f, "size", 1, 0.0f);
            g.writeFooter();
        }
        const scrivane::test::EmfFile file = scrivane::test::readEmfFile(emf);
        const scrivane::test::EmfRecord *font =
            file.first(scrivane::test::emf_type::EXTCREATEFONTINDIRECTW);
        ASSERT_NE(font, nullptr) << emf;
        EXPECT_EQ(font->i32(12), c.emfHeight);
        EXPECT_NEAR(points * 25.4 / 72.0, -font->i32(12) / 100.0, 0.01);
    }
}

TEST(HpglFrameTest, BorderBackgroundAndClipOnTheDrawingArea) {
    SbBox2f limits;
    Plot p = plot(
        "border-background",
        [&](TestHPGLAction &a) {
            a.printBackground();
            a.setHardwareClip();
            a.printBorder();
            a.setBorder(0.0f);
            a.printBorder();
            a.setBackgroundColor(0);
            a.printBackground();
            limits = a.getClippingLimits();
        },
        [](TestHPGLAction &a) {
            a.setBackgroundColor(1); // black, printed as white
            a.setBorder(2.0f);       // white, printed as black
        });
    EXPECT_EQ(limits, SbBox2f(400, 400, 8000, 11480));
    EXPECT_EQ(p.body.substr(0, 18), "SP255PU400,400PMPE");
    const std::string window = "IW400.000000,400.000000,8000.000000,11480.000000;\n";
    EXPECT_NE(p.body.find(";PM2FP\n" + window + window + "PW0.705556PE:" + enc(0) + "<="),
              std::string::npos);
    auto pe = p.stream.all("PE");
    ASSERT_EQ(pe.size(), 2u);
    EXPECT_EQ(xy(*pe[0]), (Points{{8000, 400}, {8000, 11480}, {400, 11480}}));
    EXPECT_EQ(xy(*pe[1]),
              (Points{{400, 400}, {8000, 400}, {8000, 11480}, {400, 11480}, {400, 400}}));
    EXPECT_EQ(p.stream.count("FP"), 1);
    EXPECT_EQ(p.stream.count("IW"), 2);
}
