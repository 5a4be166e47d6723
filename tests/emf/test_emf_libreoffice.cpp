// A metafile of the GDI writer rendered by LibreOffice, an independent reader, with pixels
// checked at known places: line caps and joins, polygons, dots, a marker set, text in three
// alignments and an image. (The landscape turn is checked on the records.)
#include <unistd.h>

#include "emf_probe.h"
#include "png_image.h"
#include "scene/nodes/SoMarkerSet.h"

using namespace scrivane::test;

namespace {

constexpr int kDpi = 127, kPixelsPerMm = 5;

const SbColor kRed(1, 0, 0), kGreen(0, 0.625f, 0), kBlue(0, 0, 1), kMagenta(1, 0, 1),
    kCyan(0, 1, 1), kOrange(1, 0.5f, 0), kBlack(0, 0, 0), kWhite(1, 1, 1);

// An 8 x 8 image of quadrants red (top left), green (top right), blue (bottom left), black,
// `side` mm wide with its lower-left corner at (x, y).
void quadrantImage(GDIProbe &a, float x, float y, float side) {
    std::vector<unsigned char> pixels;
    for (int row = 0; row < 8; row++) // bottom row first
        for (int column = 0; column < 8; column++) {
            const SbColor c =
                row >= 4 ? (column >= 4 ? kGreen : kRed) : (column >= 4 ? kBlack : kBlue);
            for (int k = 0; k < 3; k++)
                pixels.push_back(static_cast<unsigned char>(c[k] * 255.0f));
        }
    SbVec2s size(8, 8);
    a.setPixelImageSize(side / 8);
    a.printImage(pt(x, y), pixels.data(), size, size, 3, SoImage::LEFT, SoImage::BOTTOM);
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
    const SbVec4f dots[3] = {pt(120, 120), pt(140, 120), pt(135, 80)};
    a.printPolyMark(dots, 2, &kCyan, 0, 6.0f);
    SoMarkerSet *markers = new SoMarkerSet;
    markers->ref();
    markers->markerIndex.setValue(SoMarkerSet::SQUARE_FILLED_9_9);
    a.printPolyMark(dots + 2, 1, &kOrange, 0, markers);
    markers->unref();
    quadrantImage(a, 70, 50, 40);
    a.printText2(pt(10, 15), kBlack, "DejaVu Sans : Bold", 8.0f, "LEFT", 1, 0.0f);
    a.printText2(pt(80, 15), kBlack, "DejaVu Sans : Bold", 8.0f, "MID", 3, 0.0f);
    a.printText2(pt(150, 15), kBlack, "DejaVu Sans : Bold", 8.0f, "RIGHT", 2, 0.0f);
}

// The rendered picture, read in millimetres from its lower-left corner.
class Rendered {
public:
    explicit Rendered(const std::string &png) {
        std::string error;
        EXPECT_TRUE(readPng(png, image, error)) << error;
        EXPECT_NEAR(image.width, 160 * kPixelsPerMm, 1);
        EXPECT_NEAR(image.height, 140 * kPixelsPerMm, 1);
    }
    Rgb at(double x, double y) const {
        return image.at(static_cast<int>(x * kPixelsPerMm),
                        static_cast<int>((140 - y) * kPixelsPerMm));
    }
    // Whether some pixel of a box (millimetres) is dark: text ink.
    bool inked(double x0, double y0, double x1, double y1) const {
        for (double y = y0; y <= y1; y += 0.2)
            for (double x = x0; x <= x1; x += 0.2)
                if (at(x, y).r + at(x, y).g + at(x, y).b < 3 * 128) return true;
        return false;
    }

private:
    RgbImage image;
};

} // namespace

TEST_F(EmfTest, LibreOfficeRendersTheDrawingAsWritten) {
    if (access("/usr/bin/soffice", X_OK) != 0)
        GTEST_SKIP() << "LibreOffice (/usr/bin/soffice) is not installed: rendering not checked";
    // 160 x 140 mm at (0, 0), one millimetre per unit of line width.
    draw("portrait.emf", portraitDrawing, [](GDIProbe &a) {
        a.setDrawingDimensions(160, 140);
        a.setStartPosition(0.0f, 0.0f);
        a.setNominalWidth(1.0f);
    });
    const std::string log = path("libreoffice.log");
    const int rc = runCommand("/usr/bin/python3 " SCRIVANE_EMF_RENDER_SCRIPT " --dpi " +
                              std::to_string(kDpi) + " '" + path("portrait.emf") + "' '" +
                              path("portrait.png") + "' > '" + log + "' 2>&1");
    if (rc == 3) GTEST_SKIP() << "LibreOffice or python3-uno is not usable: see " << log;
    ASSERT_EQ(rc, 0) << "LibreOffice failed, see " << log;
    const Rendered p(path("portrait.png"));
    // Flat ends stop at the end point; the mitred corner is filled out to its point. Round ends
    // reach 4 mm past the end only along the circle; square ends fill it out. The triangle,
    // without an outline; 6 mm dots; the 9 x 9 filled square marker of 1 mm cells centred on
    // (135, 80). The image, upright: red top left, green top right, blue bottom left, black.
    const struct {
        double x, y;
        SbColor color;
    } probes[] = {
        {30, 130, kRed},     {11, 130, kRed},      {7, 130, kWhite},     {53.3, 133.3, kRed},
        {12, 80, kBlue},     {11.6, 83.4, kWhite}, {11.6, 63.4, kGreen}, {9, 60, kWhite},
        {85, 112, kMagenta}, {68, 130, kWhite},    {120, 120, kCyan},    {142.5, 117.5, kCyan},
        {124, 120, kWhite},  {130, 120, kWhite},   {135, 80, kOrange},   {132, 83, kOrange},
        {141, 80, kWhite},   {80, 80, kRed},       {100, 80, kGreen},    {80, 60, kBlue},
        {100, 60, kBlack},   {112, 70, kWhite}};
    for (const auto &q : probes) {
        const Rgb c = p.at(q.x, q.y);
        EXPECT_TRUE(near(c, static_cast<int>(q.color[0] * 255), static_cast<int>(q.color[1] * 255),
                         static_cast<int>(q.color[2] * 255)))
            << q.x << " " << q.y << show(c);
    }
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
}
