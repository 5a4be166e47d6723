// A binary drawing rendered by Scribus, an independent CGM reader: lines, dashes, polygons, a
// fill pattern, text and an image must appear where the writer put them.
#include <gtest/gtest.h>
#include <unistd.h>
#include <cstdio>
#include <string>
#include <vector>
#include "cgm_test_util.h"
#include "png_image.h"

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
        if (std::sscanf(log.c_str() + p, "ITEM %*s %lf %lf %lf %lf", &item.x, &item.y, &item.w, &item.h) == 4)
            items.push_back(item);
    }
    return items;
}

// A 100 x 100 mm drawing at the page origin.
void scribusDrawing(TestCGMAction &a) {
    static unsigned char bands[128]; // bands of 4 pixel rows: rows 0-3 set, 4-7 clear, ...
    for (int i = 0; i < 128; i++) bands[i] = (i / 16) % 2 ? 0x00 : 0xFF;
    a.setHardwareClip();
    const SbColor red(1, 0, 0), blue(0, 0, 1), green(0, 0.75f, 0), black(0, 0, 0.0001f);
    const SbVec4f solid[2] = {pt(10, 90), pt(90, 90)}, dashed[2] = {pt(10, 75), pt(90, 75)};
    a.printPolyLine(solid, 2, &red, 0, 10.0f, 0xFFFF);
    a.printPolyLine(dashed, 2, &blue, 0, 10.0f, 0x00FF);
    const SbVec4f square[4] = {pt(10, 40), pt(40, 40), pt(40, 60), pt(10, 60)};
    a.printPolygon(square, 4, &green, SbString(), SbString(), nullptr);
    const SbVec4f patterned[4] = {pt(60, 40), pt(90, 40), pt(90, 60), pt(60, 60)};
    a.printPolygon(patterned, 4, &red, SbString("hatch"), SbString("bands"), bands);
    a.printText2(pt(10, 15), black, "Helvetica-Bold", 60.0f, "HHHH", 1, 0.0f);
    // 2 x 2 pixels: red, green (bottom row), blue, yellow (top row), each about 10 mm.
    const unsigned char pixels[12] = {255, 0, 0, 0, 255, 0, 0, 0, 255, 255, 255, 0};
    SbVec2s size(2, 2), requested(57, 57);
    a.printImage(pt(70, 5), pixels, size, requested, 3, SoImage::LEFT, SoImage::BOTTOM);
}

} // namespace

TEST(CGMScribus, BinaryDrawingRendersWhereItWasWritten) {
    if (access("/usr/bin/scribus", X_OK) != 0) GTEST_SKIP() << "Scribus (/usr/bin/scribus) is not installed";
    WrittenCGM w = writeCGM("scribus.bin.cgm", {1, 1, 1}, scribusDrawing, [](TestCGMAction &a) {
        a.setDrawingDimensions(100, 100);
        a.setStartPosition(0, 0);
        a.setBorder(0);
    });
    ASSERT_TRUE(w.file.ok);
    const std::string png = cgmOutPath("scribus.png");
    std::remove(png.c_str());
    char home[] = "/tmp/scrivane-scribus-XXXXXX";
    ASSERT_NE(mkdtemp(home), nullptr);
    const std::string logPath = cgmOutPath("scribus.log");
    scrivane::test::runCommand(std::string("cd ") + home + " && HOME=" + home + " XDG_RUNTIME_DIR=" + home +
                               " QT_QPA_PLATFORM=offscreen timeout 300 /usr/bin/scribus -g -ns -py " +
                               SCRIVANE_CGM_SCRIBUS_SCRIPT + " " + w.path + " " + png + " 96 > " + logPath + " 2>&1");
    scrivane::test::runCommand(std::string("rm -rf ") + home);
    const std::string log = cgmtest::readFileText(logPath);
    ASSERT_NE(log.find("RENDERED"), std::string::npos) << log;
    scrivane::test::RgbImage image;
    std::string error;
    ASSERT_TRUE(scrivane::test::readPng(png, image, error)) << error << "\n" << log;
    // The two lines fix where the importer put the drawing: pixel = origin + millimetres x
    // scale, per axis (y grows downwards). The solid line runs from (10, 90) to (90, 90) mm,
    // the dashed one lies at y = 75 mm. Everything else is checked through them.
    std::vector<Item> items = parseItems(log);
    ASSERT_GE(items.size(), 6u) << log;
    EXPECT_EQ(items[0].h, 0.0) << "the first item is the horizontal solid line";
    const double pixelsPerPoint = 96.0 / 72.0, kx = items[0].w / 80.0 * pixelsPerPoint,
                 ky = (items[0].y - items[1].y) / 15.0 * pixelsPerPoint, x0 = items[0].x * pixelsPerPoint - 10 * kx,
                 y0 = items[0].y * pixelsPerPoint - 90 * ky;
    ASSERT_GT(kx, 1.0) << log;
    EXPECT_NEAR(ky, -kx, 1e-3 * kx) << "the importer keeps the aspect ratio";
    auto at = [&](double x, double y) {
        return image.at(static_cast<int>(x0 + x * kx), static_cast<int>(y0 + y * ky));
    };
    auto is = [&](double x, double y, int r, int g, int b) { return scrivane::test::near(at(x, y), r, g, b, 63); };
    const struct {
        double x, y;
        int r, g, b;
        const char *what;
    } probes[] = {{50, 90, 255, 0, 0, "solid line"},          {50, 95, 255, 255, 255, "above the solid line"},
                  {25, 50, 0, 191, 0, "filled square"},       {45, 50, 255, 255, 255, "beside the square"},
                  {75, 10, 255, 0, 0, "image bottom left"},   {85, 10, 0, 255, 0, "image bottom right"},
                  {75, 20, 0, 0, 255, "image top left"},      {85, 20, 255, 255, 0, "image top right"},
                  {95, 15, 255, 255, 255, "right of the image"}, {67, 8, 255, 255, 255, "left of the image"}};
    for (const auto &p : probes)
        EXPECT_TRUE(is(p.x, p.y, p.r, p.g, p.b)) << p.what << " at " << p.x << ", " << p.y << ": "
                                                 << scrivane::test::show(at(p.x, p.y));
    // The dashed line: blue dashes and white gaps along it; the pattern: red and white bands;
    // the text: dark pixels inside its box.
    int dashes = 0, gaps = 0, redBands = 0, whiteBands = 0, dark = 0;
    for (double x = 12; x < 88; x += 0.25) {
        dashes += is(x, 75, 0, 0, 255);
        gaps += is(x, 75, 255, 255, 255);
    }
    for (double y = 41; y < 59; y += 0.25) {
        redBands += is(75, y, 255, 0, 0);
        whiteBands += is(75, y, 255, 255, 255);
    }
    for (double x = 10; x < 50; x += 0.5)
        for (double y = 15; y < 25; y += 0.5) dark += at(x, y).r < 77;
    EXPECT_GT(dashes, 20);
    EXPECT_GT(gaps, 20);
    EXPECT_GT(redBands, 5);
    EXPECT_GT(whiteBands, 5);
    EXPECT_GT(dark, 20);
}
