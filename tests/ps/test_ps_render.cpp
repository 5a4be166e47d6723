// Renders documents with every kind of primitive through Ghostscript (png16m) and checks
// pixels at known places. The main document is one landscape A4 page holding three drawings:
//   A  lines and marks: a dashed red line, a red/blue multicolour line, a 250-point green
//      wave, magenta square dots, yellow and cyan marker bitmaps;
//   B  polygons on a light grey background: a plain red square, a blue checker-patterned
//      square and a second square using the same pattern, a 250-point green disc;
//   C  text in the three justifications with parentheses, a 2 x 2 colour image with an
//      alpha byte and a 2 x 1 grey image.
// It is kept as SCRIVANE_TEST_OUT/ps/render_all.png (render_all.ps beside it).
#include "ps_probe.h"
#include "scene/nodes/SoMarkerSet.h"
#include <cmath>
#include <gtest/gtest.h>
#include <vector>

using scrivane::test::PngImage;
using scrivane::test::Rgb;

namespace {

const int dpi = 100;
const SbColor red(1, 0, 0), green(0, 1, 0), blue(0, 0, 1), magenta(1, 0, 1), cyan(0, 1, 1),
    yellow(1, 1, 0);
const Rgb RED(255, 0, 0), GREEN(0, 255, 0), BLUE(0, 0, 255), MAGENTA(255, 0, 255),
    CYAN(0, 255, 255), YELLOW(255, 255, 0), WHITE(255, 255, 255), BLACK(0, 0, 0);

void drawLinesAndMarks(PSProbe &a) {
    const SbVec4f dashed[2] = {pt(10, 80), pt(120, 80)};
    a.printPolyLine(dashed, 2, &red, 0, 6, 0x00FF);
    const SbVec4f multi[3] = {pt(10, 60), pt(60, 60), pt(110, 60)};
    const SbColor multiColours[3] = {red, blue, blue};
    a.printPolyLine(multi, 3, multiColours, 1, 6, 0xFFFF);
    std::vector<SbVec4f> wave;
    for (int i = 0; i < 250; i++)
        wave.push_back(pt(10 + i * 0.44f, 40 + 8 * std::sin(i * 0.05f)));
    a.printPolyLine(wave.data(), 250, &green, 0, 6, 0xFFFF);
    const SbVec4f dots[2] = {pt(20, 20), pt(35, 20)};
    a.printPolyMark(dots, 2, &magenta, 0, 12.0f);
    SoMarkerSet *markers = new SoMarkerSet;
    markers->ref();
    const int indices[2] = {310, SoMarkerSet::SQUARE_FILLED_9_9};
    markers->markerIndex.setValues(0, 2, indices);
    const SbVec4f marks[3] = {pt(60, 20), pt(80, 20), pt(100, 20)};
    const SbColor markColours[3] = {yellow, cyan, yellow};
    a.printPolyMark(marks, 3, markColours, 1, markers);
    markers->unref();
}

unsigned char checker[128];

void drawPolygons(PSProbe &a) {
    a.printPolygon(rect(10, 10, 40, 40).data(), 4, &red, "", "", nullptr);
    a.printPolygon(rect(50, 10, 80, 40).data(), 4, &blue, "checker", "8x8", checker);
    a.printPolygon(rect(50, 50, 80, 80).data(), 4, &red, "checker", "8x8", checker);
    std::vector<SbVec4f> disc;
    for (int i = 0; i < 250; i++)
        disc.push_back(pt(105 + 15 * std::cos(i * 6.2831853f / 250),
                          25 + 15 * std::sin(i * 6.2831853f / 250)));
    a.printPolygon(disc.data(), 250, &green, "", "", nullptr);
}

void drawTextAndImages(PSProbe &a) {
    a.printText2(pt(20, 70), magenta, "Helvetica", 30, "f(x) left", 1, 0);
    a.printText2(pt(250, 70), blue, "Times-Roman", 30, "(right)", 2, 0);
    a.printText2(pt(135, 40), red, "Courier", 30, "(centre)", 3, 1.5707964f);
    const unsigned char rgba[16] = {255, 0, 0, 7, 0, 255, 0, 7, 0, 0, 255, 7, 255, 255, 0, 7};
    SbVec2s source(2, 2), requested(60, 60);
    a.printImage(pt(170, 10), rgba, source, requested, 4, SoImage::LEFT, SoImage::BOTTOM);
    const unsigned char grey[2] = {0x40, 0xC0};
    SbVec2s greySource(2, 1), greyRequested(60, 30);
    a.printImage(pt(230, 10), grey, greySource, greyRequested, 1, SoImage::CENTER, SoImage::BOTTOM);
}

// Renders SCRIVANE_TEST_OUT/ps/<name>.ps into <name>.png on the portrait A4 sheet.
void render(const std::string &name, PngImage &image) {
    scrivane::test::RenderOptions options;
    options.dpi = dpi;
    options.pageWidthPoints = 595;
    options.pageHeightPoints = 842;
    auto run =
        scrivane::test::renderToPng(psOutPath(name + ".ps"), psOutPath(name + ".png"), options);
    ASSERT_TRUE(run.ok()) << run.describe();
    ASSERT_EQ(run.pages, 1);
    std::string error;
    ASSERT_TRUE(image.read(psOutPath(name + ".png"), &error)) << error;
}

struct Drawing {
    float startX, startY, width, height;
    void (*draw)(PSProbe &);
};
const Drawing A{10, 10, 130, 90, drawLinesAndMarks}, B{150, 10, 130, 90, drawPolygons},
    C{10, 110, 270, 90, drawTextAndImages};

// On the landscape page (frame 297 x 210 at the sheet's corner), drawing point (x, y) lies on
// the portrait sheet at (210 - Y, X), where (X, Y) is the point moved by the drawing's start.
Rgb at(const PngImage &image, const Drawing &d, double x, double y) {
    return image.pixelAtMillimetres(210.0 - (y + d.startY), x + d.startX, dpi);
}

// Pixels of the colour in the drawing's rectangle (x0, y0)-(x1, y1).
long countIn(const PngImage &image, const Drawing &d, double x0, double y0, double x1, double y1,
             const Rgb &colour) {
    long n = 0;
    for (double x = x0; x <= x1; x += 0.2)
        for (double y = y0; y <= y1; y += 0.2)
            n += at(image, d, x, y) == colour;
    return n;
}

TEST(PSRender, EveryPrimitiveOnALandscapePageOfThreeDrawings) {
    const unsigned char all[8] = {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF};
    SoMarkerSet::addMarker(310, SbVec2s(8, 8), all);
    for (int i = 0; i < 128; i++) // 8 x 8 squares: first 8 columns inverted
        checker[i] = static_cast<unsigned char>(((i / 32) % 2 ? 0xFF : 0x00) ^ (i % 4 ? 0 : 0xFF));

    writeDocument("render_all.ps", [](PSProbe &action) {
        action.setOrientation(SoVectorizeAction::LANDSCAPE);
        action.beginPage(SbVec2f(0, 0), SbVec2f(297, 210));
        for (const Drawing *d : {&A, &B, &C}) {
            action.setStartPosition(d->startX, d->startY);
            action.setDrawingDimensions(d->width, d->height);
            action.setBackgroundColor(d == &B, SbColor(0.8f, 0.8f, 0.8f));
            action.drawing = d->draw;
            applyEmpty(action);
        }
        action.endPage();
    });
    PngImage image;
    render("render_all", image);

    // Paper outside the drawings, and the black border of A.
    EXPECT_EQ(at(image, A, -5, -5), WHITE);
    EXPECT_EQ(at(image, C, 100, 95), WHITE);
    EXPECT_GT(countIn(image, A, 50, -0.2, 60, 0.3, BLACK), 0);
    // A: dashes start 0.04 mm into a dash of 2.80 mm, then a gap of 2.80 mm.
    EXPECT_EQ(at(image, A, 11.4, 80), RED);
    EXPECT_EQ(at(image, A, 14.2, 80), WHITE);
    EXPECT_EQ(at(image, A, 17.0, 80), RED);
    EXPECT_EQ(at(image, A, 35, 60), RED);
    EXPECT_EQ(at(image, A, 85, 60), BLUE);
    EXPECT_EQ(at(image, A, 10 + 125 * 0.44, 40 + 8 * std::sin(125 * 0.05)), GREEN);
    EXPECT_EQ(at(image, A, 20, 20), MAGENTA);
    EXPECT_EQ(at(image, A, 27.5, 20), WHITE);
    EXPECT_EQ(at(image, A, 60, 20), YELLOW);
    EXPECT_EQ(at(image, A, 80, 20), CYAN);
    EXPECT_EQ(at(image, A, 100, 20), YELLOW);
    // B: the plain square, the pattern on the grey background (blue, and red where the second
    // square uses the same bits in red), and the disc.
    EXPECT_EQ(at(image, B, 25, 25), RED);
    EXPECT_EQ(at(image, B, 45, 25), Rgb(204, 204, 204));
    for (double y0 : {12.0, 52.0}) {
        const Rgb colour = y0 < 50 ? BLUE : RED, other = y0 < 50 ? RED : BLUE;
        EXPECT_GT(countIn(image, B, 52, y0, 78, y0 + 26, colour), 3000);
        EXPECT_GT(countIn(image, B, 52, y0, 78, y0 + 26, Rgb(204, 204, 204)), 3000);
        EXPECT_EQ(countIn(image, B, 52, y0, 78, y0 + 26, other), 0);
    }
    EXPECT_EQ(at(image, B, 105, 25), GREEN);
    EXPECT_EQ(at(image, B, 105, 12), GREEN);
    EXPECT_NE(at(image, B, 105, 8), GREEN);
    // C: text beside its anchor as its justification says.
    EXPECT_GT(countIn(image, C, 21, 70, 80, 78, MAGENTA), 50);
    EXPECT_EQ(countIn(image, C, 0, 65, 19.5, 80, MAGENTA), 0);
    EXPECT_GT(countIn(image, C, 190, 70, 249, 78, BLUE), 50);
    EXPECT_EQ(countIn(image, C, 250.5, 65, 270, 80, BLUE), 0);
    EXPECT_GT(countIn(image, C, 125, 41, 135.5, 65, RED), 50);
    EXPECT_GT(countIn(image, C, 125, 15, 135.5, 39, RED), 50);
    EXPECT_EQ(countIn(image, C, 139, 10, 160, 70, RED), 0); // descenders reach about 137
    // C: the colour image's first row at the bottom; the grey image centred on its anchor.
    const double half = 60 * 0.35277778 / 2;
    EXPECT_EQ(at(image, C, 170 + half / 2, 10 + half / 2), RED);
    EXPECT_EQ(at(image, C, 170 + 3 * half / 2, 10 + half / 2), GREEN);
    EXPECT_EQ(at(image, C, 170 + half / 2, 10 + 3 * half / 2), BLUE);
    EXPECT_EQ(at(image, C, 170 + 3 * half / 2, 10 + 3 * half / 2), YELLOW);
    EXPECT_EQ(at(image, C, 230 - half / 2, 12), Rgb(64, 64, 64));
    EXPECT_EQ(at(image, C, 230 + half / 2, 12), Rgb(192, 192, 192));
}

TEST(PSRender, GreyOutputPaintsGreyLevels) {
    drawDocument(
        "render_grey.ps",
        [](PSProbe &a) {
            a.printPolygon(rect(10, 10, 40, 40).data(), 4, &red, "", "", nullptr);
            const unsigned char pixel[3] = {0, 0, 255};
            SbVec2s source(1, 1), requested(40, 40);
            a.printImage(pt(50, 10), pixel, source, requested, 3, SoImage::LEFT, SoImage::BOTTOM);
        },
        0);
    PngImage image;
    render("render_grey", image);
    // Portrait: drawing point (x, y) is at (10 + x, 10 + y) on the page.
    const Rgb square = image.pixelAtMillimetres(35, 35, dpi);
    for (int channel : {square.r, square.g, square.b})
        EXPECT_NEAR(channel, 76.5, 1.5) << square;
    EXPECT_EQ(image.pixelAtMillimetres(67, 27, dpi), Rgb(28, 28, 28)); // 0.11 x 255, truncated
    EXPECT_EQ(image.pixelAtMillimetres(5, 5, dpi), WHITE);
}

} // namespace
