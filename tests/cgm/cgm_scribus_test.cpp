// Binary drawings rendered by Scribus, an independent CGM reader: lines, dashes, polygons, fill
// patterns, markers, text and an image must appear where the writer put them, and what lies
// under the clear bits of markers and patterns must show through them.
#include "cgm_test_util.h"
#include "png_image.h"
#include "scene/nodes/SoMarkerSet.h"
#include <cstdio>
#include <gtest/gtest.h>
#include <string>
#include <unistd.h>
#include <vector>

using scrivane::test::Rgb;

namespace {

struct Item {
    double x = 0, y = 0, w = 0, h = 0;
};

// The "ITEM name x y w h" lines of the render script, in points.
std::vector<Item> parseItems(const std::string &log) {
    std::vector<Item> items;
    for (size_t p = log.find("ITEM "); p != std::string::npos; p = log.find("ITEM ", p + 5)) {
        Item item;
        if (std::sscanf(log.c_str() + p, "ITEM %*s %lf %lf %lf %lf", &item.x, &item.y, &item.w,
                        &item.h) == 4)
            items.push_back(item);
    }
    return items;
}

// A page rendered by Scribus, with the mapping from the drawing's millimetres to its pixels.
// Every drawing starts with two horizontal lines, from (10, 90) to (90, 90) mm and at
// y = 75 mm: they fix where the importer put the drawing, pixel = origin + millimetres x scale,
// per axis (y grows downwards).
struct RenderedPage {
    scrivane::test::RgbImage image;
    double x0 = 0, y0 = 0, kx = 0, ky = 0;
    Rgb at(double x, double y) const {
        return image.at(static_cast<int>(x0 + x * kx), static_cast<int>(y0 + y * ky));
    }
    bool is(double x, double y, int r, int g, int b) const {
        return scrivane::test::near(at(x, y), r, g, b, 63);
    }
};

// Renders a checked binary file; a failure is reported and leaves the page empty (kx 0).
RenderedPage renderWithScribus(const WrittenCGM &w, const std::string &stem) {
    RenderedPage page;
    const std::string png = cgmOutPath(stem + ".png"), logPath = cgmOutPath(stem + ".log");
    std::remove(png.c_str());
    char home[] = "/tmp/scrivane-scribus-XXXXXX";
    if (!mkdtemp(home)) {
        ADD_FAILURE() << "no temporary folder";
        return page;
    }
    scrivane::test::runCommand(
        std::string("cd ") + home + " && HOME=" + home + " XDG_RUNTIME_DIR=" + home +
        " QT_QPA_PLATFORM=offscreen timeout 300 /usr/bin/scribus -g -ns -py " +
        SCRIVANE_CGM_SCRIBUS_SCRIPT + " " + w.path + " " + png + " 96 > " + logPath + " 2>&1");
    scrivane::test::runCommand(std::string("rm -rf ") + home);
    const std::string log = cgmtest::readFileText(logPath);
    std::string error;
    if (log.find("RENDERED") == std::string::npos ||
        !scrivane::test::readPng(png, page.image, error)) {
        ADD_FAILURE() << "Scribus did not render " << w.path << ": " << error << "\n" << log;
        return page;
    }
    std::vector<Item> items = parseItems(log);
    if (items.size() < 2 || items[0].h != 0.0) {
        ADD_FAILURE() << "the first item is not the horizontal calibration line\n" << log;
        return page;
    }
    const double pixelsPerPoint = 96.0 / 72.0;
    page.kx = items[0].w / 80.0 * pixelsPerPoint;
    page.ky = (items[0].y - items[1].y) / 15.0 * pixelsPerPoint;
    page.x0 = items[0].x * pixelsPerPoint - 10 * page.kx;
    page.y0 = items[0].y * pixelsPerPoint - 90 * page.ky;
    EXPECT_GT(page.kx, 1.0) << log;
    EXPECT_NEAR(page.ky, -page.kx, 1e-3 * page.kx) << "the importer keeps the aspect ratio";
    return page;
}

// A fill pattern of bands of 4 pixel rows: rows 0-3 set, 4-7 clear, ...
const unsigned char *bands() {
    static unsigned char bits[128];
    for (int i = 0; i < 128; i++)
        bits[i] = (i / 16) % 2 ? 0x00 : 0xFF;
    return bits;
}

// The drawings are 100 x 100 mm at the page origin, without a border.
void atPageOrigin(TestCGMAction &a) {
    a.setDrawingDimensions(100, 100);
    a.setStartPosition(0, 0);
    a.setBorder(0);
}

void scribusDrawing(TestCGMAction &a) {
    a.setHardwareClip();
    const SbColor red(1, 0, 0), blue(0, 0, 1), green(0, 0.75f, 0), black(0, 0, 0.0001f);
    const SbVec4f solid[2] = {pt(10, 90), pt(90, 90)}, dashed[2] = {pt(10, 75), pt(90, 75)};
    a.printPolyLine(solid, 2, &red, 0, 10.0f, 0xFFFF);
    a.printPolyLine(dashed, 2, &blue, 0, 10.0f, 0x00FF);
    const SbVec4f square[4] = {pt(10, 40), pt(40, 40), pt(40, 60), pt(10, 60)};
    a.printPolygon(square, 4, &green, SbString(), SbString(), nullptr);
    const SbVec4f patterned[4] = {pt(60, 40), pt(90, 40), pt(90, 60), pt(60, 60)};
    a.printPolygon(patterned, 4, &red, SbString("hatch"), SbString("bands"), bands());
    a.printText2(pt(10, 15), black, "Helvetica-Bold", 60.0f, "HHHH", 1, 0.0f);
    // 2 x 2 pixels: red, green (bottom row), blue, yellow (top row), each about 10 mm.
    const unsigned char pixels[12] = {255, 0, 0, 0, 255, 0, 0, 0, 255, 255, 255, 0};
    SbVec2s size(2, 2), requested(57, 57);
    a.printImage(pt(70, 5), pixels, size, requested, 3, SoImage::LEFT, SoImage::BOTTOM);
}

bool haveScribus() {
    return access("/usr/bin/scribus", X_OK) == 0;
}

} // namespace

TEST(CGMScribus, BinaryDrawingRendersWhereItWasWritten) {
    if (!haveScribus()) GTEST_SKIP() << "Scribus (/usr/bin/scribus) is not installed";
    WrittenCGM w = writeCGM("scribus.bin.cgm", {1, 1, 1}, scribusDrawing, atPageOrigin);
    ASSERT_TRUE(w.file.ok);
    const RenderedPage page = renderWithScribus(w, "scribus");
    ASSERT_GT(page.kx, 0.0);
    const struct {
        double x, y;
        int r, g, b;
        const char *what;
    } probes[] = {{50, 90, 255, 0, 0, "solid line"},
                  {50, 95, 255, 255, 255, "above the solid line"},
                  {25, 50, 0, 191, 0, "filled square"},
                  {45, 50, 255, 255, 255, "beside the square"},
                  {75, 10, 255, 0, 0, "image bottom left"},
                  {85, 10, 0, 255, 0, "image bottom right"},
                  {75, 20, 0, 0, 255, "image top left"},
                  {85, 20, 255, 255, 0, "image top right"},
                  {95, 15, 255, 255, 255, "right of the image"},
                  {67, 8, 255, 255, 255, "left of the image"}};
    for (const auto &p : probes)
        EXPECT_TRUE(page.is(p.x, p.y, p.r, p.g, p.b))
            << p.what << " at " << p.x << ", " << p.y << ": "
            << scrivane::test::show(page.at(p.x, p.y));
    // The dashed line: blue dashes and white gaps along it; the pattern: red and white bands;
    // the text: dark pixels inside its box.
    int dashes = 0, gaps = 0, redBands = 0, whiteBands = 0, dark = 0;
    for (double x = 12; x < 88; x += 0.25) {
        dashes += page.is(x, 75, 0, 0, 255);
        gaps += page.is(x, 75, 255, 255, 255);
    }
    for (double y = 41; y < 59; y += 0.25) {
        redBands += page.is(75, y, 255, 0, 0);
        whiteBands += page.is(75, y, 255, 255, 255);
    }
    for (double x = 10; x < 50; x += 0.5)
        for (double y = 15; y < 25; y += 0.5)
            dark += page.at(x, y).r < 77;
    EXPECT_GT(dashes, 20);
    EXPECT_GT(gaps, 20);
    EXPECT_GT(redBands, 5);
    EXPECT_GT(whiteBands, 5);
    EXPECT_GT(dark, 20);
}

// Version 1 in direct colour, without a background: a fill pattern over a yellow rectangle and
// ring markers over a green one. Their clear bits must show the yellow and the green (before,
// they were painted in the background colour, black), and beside the rectangles the paper.
TEST(CGMScribus, Version1MarkersAndPatternsShowWhatLiesUnderTheirClearBits) {
    if (!haveScribus()) GTEST_SKIP() << "Scribus (/usr/bin/scribus) is not installed";
    SoMarkerSet *markers = new SoMarkerSet;
    markers->ref();
    markers->markerIndex.setValue(SoMarkerSet::CIRCLE_LINE_9_9);
    const SbColor red(1, 0, 0), blue(0, 0, 1), green(0, 0.75f, 0), yellow(1, 1, 0);
    WrittenCGM w = writeCGM(
        "scribus-v1-setbits.bin.cgm", {1, 1, 0},
        [&](TestCGMAction &a) {
            a.setHardwareClip();
            const SbVec4f top[2] = {pt(10, 90), pt(90, 90)}, second[2] = {pt(10, 75), pt(90, 75)};
            a.printPolyLine(top, 2, &red, 0, 1.0f, 0xFFFF);
            a.printPolyLine(second, 2, &blue, 0, 1.0f, 0xFFFF);
            const SbVec4f under[4] = {pt(10, 40), pt(90, 40), pt(90, 60), pt(10, 60)};
            a.printPolygon(under, 4, &yellow, SbString(), SbString(), nullptr);
            a.printPolygon(under, 4, &red, SbString("hatch"), SbString("bands"),
                           bands()); // 4 mm rows
            const SbVec4f ground[4] = {pt(10, 5), pt(50, 5), pt(50, 30), pt(10, 30)};
            a.printPolygon(ground, 4, &green, SbString(), SbString(), nullptr);
            const SbVec4f rings[2] = {pt(30, 17.5f), pt(75, 17.5f)};
            a.printPolyMark(rings, 2, &blue, 0, markers);
        },
        [](TestCGMAction &a) {
            atPageOrigin(a);
            a.setNominalWidth(1.0f);
            a.setPixelImageSize(1.0f);
        });
    markers->unref();
    ASSERT_TRUE(w.file.ok);
    const RenderedPage page = renderWithScribus(w, "scribus-v1-setbits");
    ASSERT_GT(page.kx, 0.0);
    int redBands = 0, yellowBands = 0, otherBands = 0;
    for (double y = 40.5; y < 59.5; y += 0.25) {
        const int r = page.is(50, y, 255, 0, 0), yl = page.is(50, y, 255, 255, 0);
        redBands += r;
        yellowBands += yl;
        otherBands += !r && !yl;
    }
    EXPECT_GT(redBands, 20);
    EXPECT_GT(yellowBands, 20);
    EXPECT_LT(otherBands, 10) << "band edges only";
    // The rings: blue on their circle, and inside them what lies under: green, or the paper.
    int ringBlue = 0;
    for (double x = 25.5; x < 34.5; x += 0.25)
        ringBlue += page.is(x, 17.5, 0, 0, 255);
    EXPECT_GT(ringBlue, 2);
    EXPECT_TRUE(page.is(30, 17.5, 0, 191, 0))
        << "inside the ring on green: " << scrivane::test::show(page.at(30, 17.5));
    EXPECT_TRUE(page.is(75, 17.5, 255, 255, 255))
        << "inside the ring on paper: " << scrivane::test::show(page.at(75, 17.5));
    EXPECT_TRUE(page.is(26, 21.5, 0, 191, 0))
        << "the ring's clear corner: " << scrivane::test::show(page.at(26, 21.5));
}
