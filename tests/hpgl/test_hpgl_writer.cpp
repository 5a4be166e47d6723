// The HP-GL/2 writer, driven through its format operations: header, pens, line types, widths,
// PE polylines, polygons, dots, labels, border, background, page mode. Every file is read back
// with our tokenizer (and by hp2xx when it is installed).
#include <gtest/gtest.h>
#include <cmath>
#include <cstdio>
#include <string>
#include <vector>
#include "hpgl_reader.h"
#include "hpgl_test_util.h"
#include "scene/elements/SoViewportRegionElement.h"
#include "scene/nodes/SoCube.h"
#include "scene/nodes/SoLabel.h"
#include "scene/nodes/SoMarkerSet.h"
#include "scene/nodes/SoOrthographicCamera.h"
#include "scene/nodes/SoSeparator.h"
#include "scrivane/SoScrivane.h"

namespace {
const SbColor kRed(1, 0, 0), kBlue(0, 0, 1), kWhite(1, 1, 1), kBlack(0, 0, 0);
// Pens of the RRRGGGBB palette.
const int kRedPen = 224, kBluePen = 3;

std::string enc(int v) { return TestHPGLAction::encodePE(v); }

// Everything after the header's LA line.
std::string body(const std::string &bytes) {
    size_t la = bytes.find("\nLA1,");
    if (la == std::string::npos) return "<no header>";
    return bytes.substr(bytes.find('\n', la + 1) + 1);
}

std::string defaultHeader() {
    std::string h = "\x1b%-1B\nIN;FT;NP256;TR0;\n";
    char line[64];
    for (int pen = 0; pen < 256; pen++) {
        // Three bits of red and green and two of blue, each spread over 0..255.
        snprintf(line, sizeof line, "PC%d,%d,%d,%d\n", pen, (pen >> 5) * 255 / 7, ((pen >> 2) & 7) * 255 / 7,
                 (pen & 3) * 85);
        h += line;
    }
    return h + "PS7600,11080;\nLA1,1,2,6,3,1.50\n";
}

::testing::AssertionResult startsWith(const std::string &bytes, const std::string &start) {
    if (bytes.compare(0, start.size(), start) == 0) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "begins with: " << bytes.substr(0, start.size() + 8);
}

SbVec4f pt(float x, float y) { return SbVec4f(x, y, 0.0f, 1.0f); }

// The vertices of one PE command, as (x, y) plotter units.
std::vector<std::pair<double, double>> xy(const hpgl::Command &pe) {
    std::vector<std::pair<double, double>> v;
    for (const hpgl::Vertex &p : pe.vertices) v.emplace_back(p.x, p.y);
    return v;
}
} // namespace

TEST(HpglClassTest, RegistersItsClassAndOwnsItsOutput) {
    SoScrivane::init();
    SoType type = SoVectorizeHPGLAction::getClassTypeId();
    EXPECT_EQ(type.getName(), SbName("SoVectorizeHPGLAction"));
    EXPECT_EQ(type.getParent(), SoVectorizeAction::getClassTypeId());
    TestHPGLAction action;
    EXPECT_EQ(action.getTypeId(), type);
    EXPECT_TRUE(action.isOfType(SoVectorizeAction::getClassTypeId()));
    ASSERT_NE(action.getHPGLVectorOutput(), nullptr);
    EXPECT_EQ(action.getOutput(), action.getHPGLVectorOutput());
    EXPECT_EQ(action.getVectorOutput(), action.getHPGLVectorOutput());
    EXPECT_EQ(action.getHPGLVectorOutput()->getFilePointer(), stdout);
    // Calling initClass again keeps the registration.
    SoVectorizeHPGLAction::initClass();
    EXPECT_EQ(SoVectorizeHPGLAction::getClassTypeId(), type);
}

TEST(HpglHeaderTest, DefaultHeaderAndFooterByteForByte) {
    HpglDrawing d("default-header");
    d.action.writeHeader();
    d.action.writeFooter();
    std::string bytes = d.close();
    EXPECT_EQ(bytes, defaultHeader() + "SPPG;\n");
    // Spot checks of the palette, written out by hand.
    for (const char *line : {"PC0,0,0,0\n", "PC1,0,0,85\n", "PC4,0,36,0\n", "PC224,255,0,0\n", "PC255,255,255,255\n"})
        EXPECT_NE(bytes.find(line), std::string::npos) << line;
    hpgl::Stream s = expectReadable(d.path, bytes);
    EXPECT_EQ(s.count("PC"), 256);
}

TEST(HpglHeaderTest, LandscapeTurnsThePageAndLineAttributesFollowTheSettings) {
    HpglDrawing d("landscape");
    d.action.setOrientation(SoVectorizeAction::LANDSCAPE);
    d.action.setLineEndStyle(SoVectorizeAction::ROUND_CAP);
    d.action.setLineJoinsStyle(SoVectorizeAction::MITER_BEVEL_JOIN);
    d.action.setMiterLimit(4.0f);
    d.action.writeHeader();
    const SbVec4f line[2] = {pt(0, 0), pt(100, 50)};
    d.action.printPolyLine(line, 2, &kRed, 0, 1.0f, 0xFFFF);
    d.action.writeFooter();
    std::string bytes = d.close();
    EXPECT_TRUE(startsWith(bytes, "\x1b%-1B\nIN;RO90;IP;FT;NP256;TR0;\nPC0,0,0,0\n"));
    EXPECT_NE(bytes.find("\nPS11080,7600;\nLA1,4,2,2,3,4.00\n"), std::string::npos);
    expectReadable(d.path, bytes);
}

TEST(HpglHeaderTest, LineEndAndJoinCodes) {
    // One document per combination of styles, all in one file.
    HpglDrawing d("line-attributes");
    for (int e = 0; e < 4; e++) {
        for (int j = 0; j < 6; j++) {
            d.action.setLineEndStyle(static_cast<SoVectorizeAction::EndLineStyle>(e));
            d.action.setLineJoinsStyle(static_cast<SoVectorizeAction::JoinLineStyle>(j));
            d.action.writeHeader();
            d.action.writeFooter();
        }
    }
    std::string bytes = d.close();
    hpgl::Stream s = expectReadable(d.path, bytes);
    auto la = s.all("LA");
    ASSERT_EQ(la.size(), 24u);
    const int ends[4] = {1, 2, 3, 4}, joins[6] = {6, 1, 2, 5, 3, 4};
    for (int e = 0; e < 4; e++)
        for (int j = 0; j < 6; j++)
            EXPECT_EQ(la[static_cast<size_t>(e * 6 + j)]->params,
                      (std::vector<double>{1, static_cast<double>(ends[e]), 2, static_cast<double>(joins[j]), 3, 1.5}))
                << e << " " << j;
}

TEST(HpglHeaderTest, DescribedPensDefineThePaletteAndChooseThePen) {
    HpglDrawing d("described-pens");
    const SbColor colors[3] = {SbColor(1, 1, 1), SbColor(0, 0, 0), SbColor(1, 0, 0.5f)};
    const float widths[3] = {0.3f, 0.5f, 0.7f};
    d.action.setPenDescription(3, colors, widths);
    d.action.writeHeader();
    const SbVec4f line[2] = {pt(0, 0), pt(10, 0)};
    const SbColor nearRed(0.9f, 0.1f, 0.4f);
    d.action.printPolyLine(line, 2, &nearRed, 0, 1.0f, 0xFFFF);
    d.action.printPolyMark(line, 1, &kBlack, 0, 1.0f);
    d.action.writeFooter();
    std::string bytes = d.close();
    EXPECT_TRUE(startsWith(bytes, "\x1b%-1B\nIN;FT;NP3;TR0;\nPC0,255,255,255\nPC1,0,0,0\nPC2,255,0,127\nPS7600,11080;"));
    EXPECT_EQ(body(bytes), "PW0.352778PE:" + enc(2) + "<=" + enc(400) + enc(400) + enc(400) + enc(0) +
                               ";\nSP1PUSM.PA400,400SM;\nSPPG;\n");
    expectReadable(d.path, bytes);
}

TEST(HpglPolylineTest, PenWidthAndRelativeStepsByteForByte) {
    HpglDrawing d("polyline-bytes");
    d.action.writeHeader();
    const SbVec4f line[3] = {pt(0, 0), pt(10, 0), pt(10, 5)};
    d.action.printPolyLine(line, 3, &kRed, 0, 1.0f, 0xFFFF);
    // One point with the same pen and width: the pen-up absolute move alone.
    const SbVec4f single = pt(5, 5);
    d.action.printPolyLine(&single, 1, &kRed, 0, 1.0f, 0xFFFF);
    d.action.writeFooter();
    std::string bytes = d.close();
    // Pen 224 is "?\xC6", 400 is "_\xCB", 0 is "\xBF", 200 is "O\xC5", 600 is "o\xD1".
    EXPECT_EQ(body(bytes), "PW0.352778PE:?\xC6<=_\xCB_\xCB_\xCB\xBF\xBF"
                           "O\xC5;\n"
                           "PE<=o\xD1o\xD1;\n"
                           "SPPG;\n");
    hpgl::Stream s = expectReadable(d.path, bytes);
    auto pe = s.all("PE");
    ASSERT_EQ(pe.size(), 2u);
    EXPECT_EQ(pe[0]->selectedPen, kRedPen);
    EXPECT_EQ(xy(*pe[0]), (std::vector<std::pair<double, double>>{{400, 400}, {800, 400}, {800, 600}}));
    EXPECT_TRUE(pe[0]->vertices[0].penUp);
    EXPECT_FALSE(pe[0]->vertices[1].penUp);
    EXPECT_EQ(pe[1]->selectedPen, -1);
    EXPECT_EQ(xy(*pe[1]), (std::vector<std::pair<double, double>>{{600, 600}}));
}

TEST(HpglPolylineTest, TinyStepsCarryTheirTruncationToTheRightEndPoint) {
    HpglDrawing d("tiny-steps");
    d.action.writeHeader();
    // 1/64 mm is 0.625 plotter units: no single step reaches a unit, only their sum does.
    const int n = 1000;
    std::vector<SbVec4f> right, down;
    for (int i = 0; i < n; i++) {
        right.push_back(pt(i / 64.0f, 0));
        down.push_back(pt(0, -i / 64.0f));
    }
    d.action.printPolyLine(right.data(), n, &kRed, 0, 1.0f, 0xFFFF);
    d.action.printPolyLine(down.data(), n, &kRed, 0, 1.0f, 0xFFFF);
    d.action.writeFooter();
    std::string bytes = d.close();
    hpgl::Stream s = expectReadable(d.path, bytes);
    auto pe = s.all("PE");
    ASSERT_EQ(pe.size(), 2u);
    // Each plotted vertex is the previous one plus the truncated distance to the exact point;
    // vertices that do not move are not written.
    for (int k = 0; k < 2; k++) {
        std::vector<std::pair<double, double>> expected{{400, 400}};
        double last = 400;
        for (int i = 1; i < n; i++) {
            double exact = 400 + (k == 0 ? 0.625 : -0.625) * i;
            double plotted = last + std::trunc(exact - last);
            if (plotted != last) expected.push_back(k == 0 ? std::make_pair(plotted, 400.0) : std::make_pair(400.0, plotted));
            last = plotted;
        }
        EXPECT_EQ(xy(*pe[k]), expected) << k;
        // The end point is the exact one truncated: 400 ± 624.375.
        EXPECT_EQ(k == 0 ? pe[k]->vertices.back().x : pe[k]->vertices.back().y, k == 0 ? 1024 : -224);
        EXPECT_LT(pe[k]->vertices.size(), 630u);
    }
}

TEST(HpglPolylineTest, NegativeCoordinatesAndStepsAreTruncatedTowardZero) {
    HpglDrawing d("negative");
    d.action.setStartPosition(0, 0);
    d.action.writeHeader();
    // (-1.875, -1.5625) plotter units, then (-3.75, 1.25).
    const SbVec4f line[2] = {pt(-0.046875f, -0.0390625f), pt(-0.09375f, 0.03125f)};
    d.action.printPolyLine(line, 2, &kRed, 0, 1.0f, 0xFFFF);
    d.action.printPolyMark(line, 1, &kRed, 0, 1.0f);
    d.action.writeFooter();
    std::string bytes = d.close();
    // -1 is "\xC2", -2 is "\xC4", 2 is "\xC3": start (-1, -1), step (-2, 2).
    EXPECT_NE(bytes.find("<=\xC2\xC2\xC4\xC3;\nPUSM.PA-1,-1SM;\n"), std::string::npos);
    hpgl::Stream s = expectReadable(d.path, bytes);
    ASSERT_EQ(s.count("PE"), 1);
    EXPECT_EQ(xy(*s.all("PE")[0]), (std::vector<std::pair<double, double>>{{-1, -1}, {-3, 1}}));
}

TEST(HpglPolylineTest, LineTypesAreWrittenOnlyOnChange) {
    HpglDrawing d("line-types");
    d.action.writeHeader();
    const SbVec4f line[2] = {pt(0, 0), pt(50, 0)};
    const unsigned short patterns[] = {0xFFFF, 0x00FF, 0x00FF, 0xFFFF, 0xFFFF, 0xF0F0, 0x0001, 0x8001, 0, 0x8001};
    for (unsigned short p : patterns) d.action.printPolyLine(line, 2, &kRed, 0, 1.0f, p);
    d.action.setNominalWidth(0.5f);
    d.action.printPolyLine(line, 2, &kRed, 0, 1.0f, 0x00FF);
    d.action.writeFooter();
    std::string bytes = d.close();
    expectReadable(d.path, bytes);
    // No LT before the first solid line, LT after a dashed one. The zero pattern draws nothing
    // and leaves the pattern in force.
    std::string drawn = body(bytes);
    const std::string pe = "PE<=" + enc(400) + enc(400) + enc(2000) + enc(0) + ";\n";
    EXPECT_EQ(drawn, "PW0.352778PE:" + enc(kRedPen) + "<=" + enc(400) + enc(400) + enc(2000) + enc(0) + ";\n" +
                         "UL8,2.82 ,2.82 LT8,5.65,1\n" + pe + pe +  //
                         "LT" + pe + pe +                          //
                         "UL8,1.41 ,1.41 ,1.41 ,1.41 LT8,5.65,1\n" + pe +  // 0xF0F0 shifts to 0x0F0F
                         "UL8,0.35 ,5.29 LT8,5.65,1\n" + pe +              // one dot, fifteen gaps
                         "UL8,0.35 ,4.94 ,0.35 LT8,5.65,1\n" + pe + pe +   // dot, 14 gaps, dot
                         "UL8,4.00 ,4.00 LT8,5.65,1\nPW0.500000" + pe + "SPPG;\n");
}

TEST(HpglPolylineTest, WidthZeroDrawsWithTheNominalWidthAndPWOnlyOnChange) {
    HpglDrawing d("widths");
    d.action.writeHeader();
    const SbVec4f line[2] = {pt(0, 0), pt(10, 0)};
    for (float w : {0.0f, 2.0f, 2.0f, 1.0f, 0.0f}) d.action.printPolyLine(line, 2, &kRed, 0, w, 0xFFFF);
    d.action.setNominalWidth(0.5f);
    d.action.printPolyLine(line, 2, &kRed, 0, 0.0f, 0xFFFF);
    d.action.writeFooter();
    std::string bytes = d.close();
    hpgl::Stream s = expectReadable(d.path, bytes);
    std::vector<double> widths;
    for (const hpgl::Command *pw : s.all("PW")) widths.push_back(pw->params.at(0));
    EXPECT_EQ(widths, (std::vector<double>{0.352778, 0.705556, 0.352778, 0.5}));
    EXPECT_EQ(s.count("PE"), 6);
    EXPECT_EQ(s.all("PE")[0]->selectedPen, kRedPen);
    for (int i = 1; i < 6; i++) EXPECT_EQ(s.all("PE")[i]->selectedPen, -1) << i;
}

TEST(HpglPenTest, PaletteWithoutDescribedPens) {
    HpglDrawing d("palette-pens");
    d.action.writeHeader();
    const SbVec4f at = pt(0, 0);
    const SbColor colors[] = {kWhite, kBlack, SbColor(0.5f, 0.5f, 0.5f), SbColor(0.2f, 0.6f, 1.0f),
                              SbColor(1.5f, -0.5f, 0.999f)};
    for (const SbColor &c : colors) d.action.printPolyMark(&at, 1, &c, 0, 1.0f);
    d.action.writeFooter();
    std::string bytes = d.close();
    // White takes the last pen and black the first; grey 127 is 011 011 01; (51, 153, 255)
    // is 001 100 11; out-of-range components are held to 0..1 (254 is 111 000 11).
    EXPECT_EQ(body(bytes), "SP255PUSM.PA400,400SM;\nSP0PUSM.PA400,400SM;\nSP109PUSM.PA400,400SM;\n"
                           "SP51PUSM.PA400,400SM;\nSP227PUSM.PA400,400SM;\nSPPG;\n");
    expectReadable(d.path, bytes);
}

TEST(HpglMarkerTest, SingleAndMultiColourDots) {
    HpglDrawing d("markers");
    d.action.writeHeader();
    const SbVec4f points[4] = {pt(0, 0), pt(1, 0), pt(2, 0), pt(3, 0)};
    d.action.printPolyMark(points, 2, &kRed, 0, 3.0f);
    const SbColor alternating[4] = {kRed, kBlue, kRed, kRed};
    d.action.printPolyMark(points, 4, alternating, 1, 3.0f);
    // The first point's pen is current: the sequence starts without SP.
    const SbColor same[2] = {kRed, kRed};
    d.action.printPolyMark(points, 2, same, 1, 3.0f);
    d.action.printPolyMark(points, 0, &kBlue, 0, 3.0f);
    d.action.writeFooter();
    std::string bytes = d.close();
    EXPECT_EQ(body(bytes), "SP224PUSM.PA400,400,440,400SM;\n"
                           "PUSM.PA400,400SP3PUSM.PA440,400SP224PUSM.PA480,400,520,400SM;\n"
                           "PUSM.PA400,400,440,400SM;\n"
                           "SP3PUSM.PASM;\nSPPG;\n");
    hpgl::Stream s = expectReadable(d.path, bytes);
    int dots = 0;
    for (const hpgl::Command *pa : s.all("PA")) dots += static_cast<int>(pa->vertices.size());
    EXPECT_EQ(dots, 8);
    EXPECT_EQ(s.all("SM")[0]->text, ".");
}

TEST(HpglMarkerTest, MarkerSetsPlotAsDots) {
    SoScrivane::init();
    SoMarkerSet *markers = new SoMarkerSet;
    markers->ref();
    const SbVec4f points[2] = {pt(0, 0), pt(1, 1)};
    const SbColor colors[2] = {kRed, kBlue};
    std::string written[2];
    for (int k = 0; k < 2; k++) {
        HpglDrawing d(k ? "markerset-dots" : "markerset");
        d.action.writeHeader();
        if (k == 0)
            d.action.printPolyMark(points, 2, colors, 1, markers);
        else
            d.action.printPolyMark(points, 2, colors, 1, 0.0f);
        d.action.writeFooter();
        written[k] = d.close();
        expectReadable(d.path, written[k]);
    }
    EXPECT_EQ(written[0], written[1]);
    EXPECT_EQ(body(written[0]), "SP224PUSM.PA400,400SP3PUSM.PA440,440SM;\nSPPG;\n");
    markers->unref();
}

TEST(HpglPolygonTest, FilledInPolygonModeByteForByte) {
    HpglDrawing d("polygon");
    d.action.writeHeader();
    const SbVec4f triangle[3] = {pt(0, 0), pt(10, 0), pt(10, 5)};
    d.action.printPolygon(triangle, 3, &kRed, SbString("category"), SbString("name"), nullptr);
    d.action.writeFooter();
    std::string bytes = d.close();
    EXPECT_EQ(body(bytes), "SP224PU400,400PMPE_\xCB\xBF\xBF"
                           "O\xC5;PM2FP\nSPPG;\n");
    hpgl::Stream s = expectReadable(d.path, bytes);
    EXPECT_EQ(xy(*s.all("PE")[0]), (std::vector<std::pair<double, double>>{{800, 400}, {800, 600}}));
    EXPECT_EQ(s.all("PU")[0]->vertices.at(0).x, 400);
}

TEST(HpglTextTest, FontDirectionAndOriginOnlyOnChange) {
    HpglDrawing d("text");
    d.action.writeHeader();
    d.action.printText2(pt(0, 0), kRed, "Helvetica", 12.0f, "hello", 1, 0.0f);
    d.action.printText2(pt(5, 5), kRed, "Helvetica", 12.0f, "world", 2, 0.0f);
    d.action.printText2(pt(5, 5), kBlue, "Helvetica", 12.0f, "turned", 3, 0.5f);
    d.action.printText2(pt(5, 5), kBlue, "Times-Roman", 12.0f, "times", 3, 0.5f);
    d.action.printText2(pt(5, 5), kBlue, "Times-Roman", 10.0f, "a\x03"
                                                                 "b",
                        3, 0.0f);
    d.action.writeFooter();
    std::string bytes = d.close();
    EXPECT_EQ(body(bytes), "SP224SD2,1,4,12.00SSLO1PU\nPA400,400LBhello\x03\n"
                           "LO7PU\nPA600,600LBworld\x03\n"
                           "SP3LO4PU\nDI0.877583,0.479426\nPA600,600LBturned\x03\n"
                           "SD2,1,4,12.00SSPU\nPA600,600LBtimes\x03\n"
                           "SD2,1,4,10.00SSPU\nDI1.000000,0.000000\nPA600,600LBab\x03\n"
                           "SPPG;\n");
    hpgl::Stream s = expectReadable(d.path, bytes);
    ASSERT_EQ(s.count("LB"), 5);
    EXPECT_EQ(s.all("LB")[4]->text, "ab");
}

TEST(HpglTextTest, FontNamesTooLongForTheCacheRewriteTheSizeEachTime) {
    HpglDrawing d("long-font-name");
    d.action.writeHeader();
    const std::string fits(255, 'F'), tooLong(300, 'F');
    for (int i = 0; i < 2; i++) d.action.printText2(pt(0, 0), kRed, fits.c_str(), 12.0f, "x", 1, 0.0f);
    for (int i = 0; i < 2; i++) d.action.printText2(pt(0, 0), kRed, tooLong.c_str(), 12.0f, "x", 1, 0.0f);
    d.action.printText2(pt(0, 0), kRed, fits.c_str(), 12.0f, "x", 1, 0.0f);
    d.action.printText2(pt(0, 0), kRed, fits.c_str(), 12.0f, "x", 1, 0.0f);
    d.action.writeFooter();
    std::string bytes = d.close();
    hpgl::Stream s = expectReadable(d.path, bytes);
    EXPECT_EQ(s.count("SD"), 4);  // first fitting name, both long ones, the fitting name again
    EXPECT_EQ(s.count("LB"), 6);
}

TEST(HpglImageTest, ImagesWriteNothing) {
    HpglDrawing d("image");
    d.action.writeHeader();
    const unsigned char pixels[12] = {255, 0, 0, 0, 255, 0, 0, 0, 255, 1, 2, 3};
    SbVec2s source(2, 2), requested(20, 20);
    d.action.printImage(pt(1, 1), pixels, source, requested, 3, SoImage::LEFT, SoImage::BOTTOM);
    d.action.writeFooter();
    std::string bytes = d.close();
    EXPECT_EQ(body(bytes), "SPPG;\n");
    expectReadable(d.path, bytes);
}

TEST(HpglFrameTest, BorderBackgroundAndClipOnTheDrawingArea) {
    HpglDrawing d("border-background");
    d.action.setBackgroundColor(1);  // black, printed as white
    d.action.setBorder(2.0f);        // white, printed as black
    d.action.writeHeader();
    d.action.printBackground();
    d.action.setHardwareClip();
    d.action.printBorder();
    d.action.setBorder(0.0f);
    d.action.printBorder();
    d.action.setBackgroundColor(0);
    d.action.printBackground();
    d.action.writeFooter();
    std::string bytes = d.close();
    SbBox2f limits = d.action.getClippingLimits();
    EXPECT_EQ(limits, SbBox2f(400, 400, 8000, 11480));
    std::string drawn = body(bytes);
    EXPECT_EQ(drawn.substr(0, 18), "SP255PU400,400PMPE");
    EXPECT_NE(drawn.find(";PM2FP\nIW400.000000,400.000000,8000.000000,11480.000000;\n"
                         "IW400.000000,400.000000,8000.000000,11480.000000;\nPW0.705556PE:" +
                         enc(0) + "<="),
              std::string::npos);
    hpgl::Stream s = expectReadable(d.path, bytes);
    auto pe = s.all("PE");
    ASSERT_EQ(pe.size(), 2u);
    EXPECT_EQ(xy(*pe[0]), (std::vector<std::pair<double, double>>{{8000, 400}, {8000, 11480}, {400, 11480}}));
    EXPECT_EQ(xy(*pe[1]),
              (std::vector<std::pair<double, double>>{{400, 400}, {8000, 400}, {8000, 11480}, {400, 11480}, {400, 400}}));
    EXPECT_EQ(s.count("FP"), 1);
    EXPECT_EQ(s.count("IW"), 2);
}
