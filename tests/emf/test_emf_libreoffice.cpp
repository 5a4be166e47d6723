// Metafiles of the GDI writer rendered by LibreOffice, an independent reader, with pixels
// checked at known places: line caps and joins, polygons, dots, a marker set, text in three
// alignments and an image on a portrait drawing; a line, a text and an image on a landscape one.
#include <sys/stat.h>

#include <cstdlib>

#include "emf_probe.h"
#include "png_image.h"
#include "scene/nodes/SoMarkerSet.h"

using namespace scrivane::test;

namespace {

constexpr int kDpi = 127; // 5 pixels per millimetre
constexpr int kPixelsPerMm = 5;

const SbColor kRed(1, 0, 0), kGreen(0, 0.625f, 0), kBlue(0, 0, 1), kMagenta(1, 0, 1),
    kCyan(0, 1, 1), kOrange(1, 0.5f, 0), kBlack(0, 0, 0);

bool fileExists(const char *path) {
    struct stat st;
    return stat(path, &st) == 0;
}

// 8 x 8 pixels, rows bottom first: quadrants red (top left), green (top right), blue (bottom
// left), black (bottom right).
std::vector<unsigned char> quadrantPixels() {
    std::vector<unsigned char> pixels;
    for (int row = 0; row < 8; row++) {
        for (int column = 0; column < 8; column++) {
            const bool top = row >= 4, right = column >= 4;
            const SbColor c = top ? (right ? kGreen : kRed) : (right ? kBlack : kBlue);
            for (int k = 0; k < 3; k++)
                pixels.push_back(static_cast<unsigned char>(c[k] * 255.0f));
        }
    }
    return pixels;
}

void line(GDIProbe &a, SoVectorizeAction::EndLineStyle end, SoVectorizeAction::JoinLineStyle join,
          std::vector<SbVec4f> points, const SbColor &color) {
    a.setLineEndStyle(end);
    a.setLineJoinsStyle(join);
    a.printPolyLine(points.data(), static_cast<int>(points.size()), &color, 0, 8.0f, 0xFFFF);
}

// Portrait, 160 x 140 mm at (0, 0), one millimetre per unit of line width.
void portraitDrawing(GDIProbe &a) {
    a.setMiterLimit(4.0f);
    line(a, SoVectorizeAction::FLAT_CAP, SoVectorizeAction::MITER_JOIN,
         {pt(10, 130), pt(50, 130), pt(50, 100)}, kRed);
    line(a, SoVectorizeAction::ROUND_CAP, SoVectorizeAction::ROUND_JOIN, {pt(15, 80), pt(45, 80)},
         kBlue);
    line(a, SoVectorizeAction::SQUARE_CAP, SoVectorizeAction::BEVEL_JOIN, {pt(15, 60), pt(45, 60)},
         kGreen);

    const SbVec4f triangle[3] = {pt(65, 100), pt(105, 100), pt(85, 135)};
    a.printPolygon(triangle, 3, &kMagenta, SbString(""), SbString(""), nullptr);

    const SbVec4f dots[2] = {pt(120, 120), pt(140, 120)};
    a.printPolyMark(dots, 2, &kCyan, 0, 6.0f);

    SoMarkerSet *markers = new SoMarkerSet;
    markers->ref();
    markers->markerIndex.setValue(SoMarkerSet::SQUARE_FILLED_9_9);
    const SbVec4f markerAt[1] = {pt(135, 80)};
    a.printPolyMark(markerAt, 1, &kOrange, 0, markers);
    markers->unref();

    const std::vector<unsigned char> pixels = quadrantPixels();
    SbVec2s size(8, 8), requested(8, 8);
    a.setPixelImageSize(5.0f);
    a.printImage(pt(70, 50), pixels.data(), size, requested, 3, SoImage::LEFT, SoImage::BOTTOM);

    a.printText2(pt(10, 15), kBlack, "DejaVu Sans : Bold", 8.0f, "LEFT", 1, 0.0f);
    a.printText2(pt(80, 15), kBlack, "DejaVu Sans : Bold", 8.0f, "MID", 3, 0.0f);
    a.printText2(pt(150, 15), kBlack, "DejaVu Sans : Bold", 8.0f, "RIGHT", 2, 0.0f);
}

// Landscape, 100 x 60 mm at (0, 0): the picture is 60 mm wide and 100 mm high, and a drawing
// point (x, y) lands at (60 - y, x).
void landscapeDrawing(GDIProbe &a) {
    const SbVec4f horizontal[2] = {pt(10, 40), pt(90, 40)};
    a.printPolyLine(horizontal, 2, &kRed, 0, 2.0f, 0xFFFF);
    a.printText2(pt(10, 20), kBlack, "DejaVu Sans", 6.0f, "TURNED", 1, 0.0f);
    const std::vector<unsigned char> pixels = quadrantPixels();
    SbVec2s size(8, 8), requested(8, 8);
    a.setPixelImageSize(3.0f);
    a.printImage(pt(60, 10), pixels.data(), size, requested, 3, SoImage::LEFT, SoImage::BOTTOM);
}

// The drawing's page: width x height mm at (0, 0), one millimetre per unit of line width.
std::function<void(GDIProbe &)> page(float width, float height, int landscape) {
    return [=](GDIProbe &a) {
        a.setDrawingDimensions(width, height);
        a.setStartPosition(0.0f, 0.0f);
        a.setNominalWidth(1.0f);
        if (landscape) a.setOrientation(SoVectorizeAction::LANDSCAPE);
    };
}

struct Rendered {
    RgbImage image;
    int heightMm = 0;
    // The pixel at a point of the picture, in millimetres from its lower-left corner.
    Rgb at(double x, double y) const {
        return image.at(static_cast<int>(x * kPixelsPerMm),
                        static_cast<int>((heightMm - y) * kPixelsPerMm));
    }
    // Whether some pixel of a box (millimetres) is dark: text ink.
    bool inked(double x0, double y0, double x1, double y1) const {
        for (double y = y0; y <= y1; y += 0.2)
            for (double x = x0; x <= x1; x += 0.2) {
                const Rgb c = at(x, y);
                if (c.r + c.g + c.b < 3 * 128) return true;
            }
        return false;
    }
};

bool near(Rgb c, const SbColor &want, int tolerance = 60) {
    return std::abs(c.r - static_cast<int>(want[0] * 255)) <= tolerance &&
           std::abs(c.g - static_cast<int>(want[1] * 255)) <= tolerance &&
           std::abs(c.b - static_cast<int>(want[2] * 255)) <= tolerance;
}

const SbColor kWhite(1, 1, 1);

std::string show(Rgb c) {
    return "(" + std::to_string(c.r) + "," + std::to_string(c.g) + "," + std::to_string(c.b) + ")";
}

} // namespace

TEST_F(EmfTest, LibreOfficeRendersTheDrawingAsWritten) {
    if (!fileExists("/usr/bin/soffice"))
        GTEST_SKIP() << "LibreOffice (/usr/bin/soffice) is not installed: rendering not checked";

    draw("portrait.emf", portraitDrawing, page(160, 140, 0));
    draw("landscape.emf", landscapeDrawing, page(100, 60, 1));
    const std::string log = path("libreoffice.log");
    const std::string command = std::string("/usr/bin/python3 ") + SCRIVANE_EMF_RENDER_SCRIPT +
                                " --dpi " + std::to_string(kDpi) + " '" + path("portrait.emf") +
                                "' '" + path("portrait.png") + "' '" + path("landscape.emf") +
                                "' '" + path("landscape.png") + "' > '" + log + "' 2>&1";
    const int status = std::system(command.c_str());
    const int rc = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    if (rc == 3) GTEST_SKIP() << "LibreOffice or python3-uno is not usable: see " << log;
    ASSERT_EQ(rc, 0) << "LibreOffice failed, see " << log;

    struct Probe {
        double x, y;
        SbColor color;
    };
    Rendered p;
    std::string error;
    ASSERT_TRUE(readPng(path("portrait.png"), p.image, error)) << error;
    p.heightMm = 140;
    EXPECT_NEAR(p.image.width, 160 * kPixelsPerMm, 1);
    EXPECT_NEAR(p.image.height, 140 * kPixelsPerMm, 1);
    const Probe portrait[] = {
        // Flat ends stop at the end point; the mitred corner is filled out to its point.
        {30, 130, kRed},
        {11, 130, kRed},
        {7, 130, kWhite},
        {53.3, 133.3, kRed},
        // Round ends reach 4 mm past the end only along the circle; square ends fill it out.
        {12, 80, kBlue},
        {11.6, 83.4, kWhite},
        {11.6, 63.4, kGreen},
        {9, 60, kWhite},
        // The triangle, without an outline; 6 mm dots; the 9 x 9 filled square marker of 1 mm
        // cells centred on (135, 80).
        {85, 112, kMagenta},
        {68, 130, kWhite},
        {120, 120, kCyan},
        {142.5, 117.5, kCyan},
        {124, 120, kWhite},
        {130, 120, kWhite},
        {135, 80, kOrange},
        {132, 83, kOrange},
        {141, 80, kWhite},
        // The image, upright: red top left, green top right, blue bottom left, black.
        {80, 80, kRed},
        {100, 80, kGreen},
        {80, 60, kBlue},
        {100, 60, kBlack},
        {112, 70, kWhite}};
    for (const Probe &q : portrait)
        EXPECT_TRUE(near(p.at(q.x, q.y), q.color)) << q.x << " " << q.y << show(p.at(q.x, q.y));
    // Text on the baseline y = 15 mm: left-aligned starts at its point, right-aligned ends at
    // it, centred spreads both ways; nothing below the baseline (capitals).
    EXPECT_TRUE(p.inked(10, 15.5, 40, 21));
    EXPECT_FALSE(p.inked(0, 10, 9, 25));
    EXPECT_TRUE(p.inked(70, 15.5, 79, 21));
    EXPECT_TRUE(p.inked(81, 15.5, 90, 21));
    EXPECT_FALSE(p.inked(50, 10, 65, 25));
    EXPECT_FALSE(p.inked(95, 10, 110, 25));
    EXPECT_TRUE(p.inked(120, 15.5, 150, 21));
    EXPECT_FALSE(p.inked(151, 10, 160, 25));
    EXPECT_FALSE(p.inked(0, 5, 160, 14.5));

    Rendered l;
    ASSERT_TRUE(readPng(path("landscape.png"), l.image, error)) << error;
    l.heightMm = 100;
    EXPECT_NEAR(l.image.width, 60 * kPixelsPerMm, 1);
    EXPECT_NEAR(l.image.height, 100 * kPixelsPerMm, 1);
    // The horizontal line runs up the page at x = 60 - 40. The image turned a quarter
    // counter-clockwise in the box x 26..50, y 60..84: red bottom left, green top left, blue
    // bottom right, black top right.
    const Probe landscape[] = {{20, 50, kRed},   {20, 85, kRed},   {24, 50, kWhite},
                               {32, 66, kRed},   {32, 78, kGreen}, {44, 66, kBlue},
                               {44, 78, kBlack}, {53, 72, kWhite}};
    for (const Probe &q : landscape)
        EXPECT_TRUE(near(l.at(q.x, q.y), q.color)) << q.x << " " << q.y << show(l.at(q.x, q.y));
    // The text starts at (40, 10) and reads upward, its letters standing left of the baseline
    // x = 40: ink there, none below its start nor right of the baseline.
    EXPECT_TRUE(l.inked(35, 11, 39.5, 35));
    EXPECT_FALSE(l.inked(30, 0, 45, 9));
    EXPECT_FALSE(l.inked(40.8, 10, 45, 45));
}
