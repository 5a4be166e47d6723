// A binary drawing rendered by Scribus, an independent CGM reader: lines, dashes, polygons, a
// fill pattern, text and an image must appear where the writer put them.
#include <gtest/gtest.h>
#include <png.h>
#include <cstdio>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <unistd.h>
#include <vector>
#include "cgm_test_util.h"

namespace {

// Where the importer put the drawing: pixel = origin + millimetres x scale, per axis (y grows
// downwards on the page).
struct Mapping {
    double x0 = 0, kx = 0, y0 = 0, ky = 0;
};

struct Raster {
    int width = 0, height = 0;
    std::vector<unsigned char> rgb;
    Mapping map;
    // The colour at page millimetres (x right, y up).
    SbColor at(float xmm, float ymm) const {
        int px = static_cast<int>(map.x0 + xmm * map.kx);
        int py = static_cast<int>(map.y0 + ymm * map.ky);
        px = px < 0 ? 0 : px >= width ? width - 1 : px;
        py = py < 0 ? 0 : py >= height ? height - 1 : py;
        const unsigned char *p = &rgb[3 * (static_cast<size_t>(py) * static_cast<size_t>(width) + static_cast<size_t>(px))];
        return SbColor(p[0] / 255.0f, p[1] / 255.0f, p[2] / 255.0f);
    }
};

bool readPng(const std::string &path, Raster &r) {
    png_image image;
    std::memset(&image, 0, sizeof image);
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_file(&image, path.c_str())) return false;
    image.format = PNG_FORMAT_RGB;
    r.width = static_cast<int>(image.width);
    r.height = static_cast<int>(image.height);
    r.rgb.resize(PNG_IMAGE_SIZE(image));
    const bool ok = png_image_finish_read(&image, nullptr, r.rgb.data(), 0, nullptr) != 0;
    png_image_free(&image);
    return ok;
}

struct Item {
    std::string name;
    double x = 0, y = 0, w = 0, h = 0;
};

std::vector<Item> parseItems(const std::string &log) {
    std::vector<Item> items;
    size_t p = 0;
    while ((p = log.find("ITEM ", p)) != std::string::npos) {
        Item item;
        char name[128] = {};
        if (std::sscanf(log.c_str() + p, "ITEM %127s %lf %lf %lf %lf", name, &item.x, &item.y, &item.w, &item.h) == 5) {
            item.name = name;
            items.push_back(item);
        }
        p += 5;
    }
    return items;
}

std::string runCommand(const std::string &command) {
    std::string output;
    FILE *pipe = popen(command.c_str(), "r");
    if (!pipe) return output;
    char buffer[512];
    while (std::fgets(buffer, sizeof buffer, pipe)) output += buffer;
    pclose(pipe);
    return output;
}

bool near(const SbColor &a, const SbColor &b, float tolerance = 0.25f) {
    return std::fabs(a[0] - b[0]) <= tolerance && std::fabs(a[1] - b[1]) <= tolerance && std::fabs(a[2] - b[2]) <= tolerance;
}

std::string describe(const SbColor &c) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "(%.2f %.2f %.2f)", c[0], c[1], c[2]);
    return buf;
}

unsigned char diagonal[128];

// A 100 x 100 mm drawing at the page origin.
void scribusDrawing(TestCGMAction &a) {
    for (int row = 0; row < 32; row++)
        for (int b = 0; b < 4; b++) {
            // Bands of 4 pixels: rows 0-3 set, 4-7 clear, ...
            diagonal[row * 4 + b] = (row / 4) % 2 ? 0x00 : 0xFF;
        }
    a.setHardwareClip();
    const SbColor red(1, 0, 0), blue(0, 0, 1), green(0, 0.75f, 0), black(0, 0, 0.0001f);
    const SbVec4f solid[2] = {pt(10, 90), pt(90, 90)};
    a.printPolyLine(solid, 2, &red, 0, 10.0f, 0xFFFF);
    const SbVec4f dashed[2] = {pt(10, 75), pt(90, 75)};
    a.printPolyLine(dashed, 2, &blue, 0, 10.0f, 0x00FF);
    const SbVec4f square[4] = {pt(10, 40), pt(40, 40), pt(40, 60), pt(10, 60)};
    a.printPolygon(square, 4, &green, SbString(), SbString(), nullptr);
    const SbVec4f patterned[4] = {pt(60, 40), pt(90, 40), pt(90, 60), pt(60, 60)};
    a.printPolygon(patterned, 4, &red, SbString("hatch"), SbString("bands"), diagonal);
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
    const std::string command = std::string("cd ") + home + " && HOME=" + home + " XDG_RUNTIME_DIR=" + home +
                                " QT_QPA_PLATFORM=offscreen timeout 300 /usr/bin/scribus -g -ns -py " +
                                SCRIVANE_CGM_SCRIBUS_SCRIPT + " " + w.path + " " + png + " 96 2>&1";
    const std::string log = runCommand(command);
    runCommand(std::string("rm -rf ") + home);
    ASSERT_NE(log.find("RENDERED"), std::string::npos) << log;
    Raster r;
    ASSERT_TRUE(readPng(png, r)) << log;
    // The two lines fix the mapping: the solid one runs from (10, 90) to (90, 90) mm, the
    // dashed one lies at y = 75 mm. Everything else is checked through it.
    std::vector<Item> items = parseItems(log);
    ASSERT_GE(items.size(), 6u) << log;
    EXPECT_EQ(items[0].h, 0.0) << "the first item is the horizontal solid line";
    const double pixelsPerPoint = 96.0 / 72.0;
    r.map.kx = items[0].w / 80.0 * pixelsPerPoint;
    r.map.x0 = items[0].x * pixelsPerPoint - 10.0 * r.map.kx;
    r.map.ky = (items[0].y - items[1].y) / 15.0 * pixelsPerPoint;
    r.map.y0 = items[0].y * pixelsPerPoint - 90.0 * r.map.ky;
    ASSERT_GT(r.map.kx, 1.0) << log;
    EXPECT_NEAR(r.map.ky, -r.map.kx, 1e-3 * r.map.kx) << "the importer keeps the aspect ratio";
    auto expectColor = [&](float x, float y, SbColor c, const char *what) {
        EXPECT_TRUE(near(r.at(x, y), c)) << what << " at " << x << ", " << y << ": " << describe(r.at(x, y));
    };
    const SbColor white(1, 1, 1), red(1, 0, 0), blue(0, 0, 1), green(0, 0.75f, 0);
    expectColor(50, 90, red, "solid line");
    expectColor(50, 95, white, "above the solid line");
    expectColor(25, 50, green, "filled square");
    expectColor(45, 50, white, "beside the square");
    // The dashed line: blue dashes and white gaps along it.
    int dashes = 0, gaps = 0;
    for (float x = 12; x < 88; x += 0.25f) {
        const SbColor c = r.at(x, 75);
        dashes += near(c, blue);
        gaps += near(c, white);
    }
    EXPECT_GT(dashes, 20);
    EXPECT_GT(gaps, 20);
    // The pattern: red bands and white bands.
    int redBands = 0, whiteBands = 0;
    for (float y = 41; y < 59; y += 0.25f) {
        const SbColor c = r.at(75, y);
        redBands += near(c, red);
        whiteBands += near(c, white);
    }
    EXPECT_GT(redBands, 5);
    EXPECT_GT(whiteBands, 5);
    // The text: dark pixels inside its box.
    int dark = 0;
    for (float x = 10; x < 50; x += 0.5f)
        for (float y = 15; y < 25; y += 0.5f) dark += r.at(x, y)[0] < 0.3f;
    EXPECT_GT(dark, 20);
    // The image quadrants, at their centres.
    expectColor(75, 10, red, "image bottom left");
    expectColor(85, 10, green, "image bottom right");
    expectColor(75, 20, blue, "image top left");
    expectColor(85, 20, SbColor(1, 1, 0), "image top right");
    expectColor(95, 15, white, "right of the image");
    expectColor(67, 8, white, "left of the image, below the text");
}
