#include "cairo_probe.h"
#include "scene/nodes/SoMarkerSet.h"
#include "scene/nodes/SoSeparator.h"
#include <array>
#include <cmath>
#include <cstdio>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>

namespace cairotest {

std::string outPath(const std::string &name) {
    const std::string dir = std::string(SCRIVANE_TEST_OUT) + "/cairo";
    mkdir(dir.c_str(), 0755);
    return dir + "/" + name;
}

bool have(const char *program) {
    return std::system((std::string("command -v ") + program + " >/dev/null 2>&1").c_str()) == 0;
}

std::string capture(const std::string &command, int *status) {
    std::string output;
    FILE *pipe = popen(command.c_str(), "r");
    if (!pipe) {
        *status = -1;
        return output;
    }
    std::array<char, 4096> buffer;
    size_t n;
    while ((n = std::fread(buffer.data(), 1, buffer.size(), pipe)) > 0)
        output.append(buffer.data(), n);
    const int result = pclose(pipe);
    *status = WIFEXITED(result) ? WEXITSTATUS(result) : -1;
    return output;
}

void applyEmpty(SoVectorizeAction &action) {
    SoSeparator *root = new SoSeparator;
    root->ref();
    action.apply(root);
    root->unref();
}

namespace {
unsigned char checker[128];
} // namespace

template <class Probe> void drawTestPicture(Probe &a) {
    const SbColor red(1, 0, 0), green(0, 1, 0), blue(0, 0, 1), yellow(1, 1, 0), magenta(1, 0, 1);
    a.printPolygon(rect(20, 20, 40, 40).data(), 4, &red, "", "", nullptr);
    const SbVec4f line[2] = {pt(10, 80), pt(120, 80)};
    a.printPolyLine(line, 2, &blue, 0, 4.24f, 0x00FF);
    for (int i = 0; i < 128; i++) // 8 x 8 squares
        checker[i] =
            static_cast<unsigned char>(((i / 32) % 2 ? 0xFF : 0x00) ^ (i % 2 ? 0xFF : 0x00));
    a.printPolygon(rect(60, 20, 100, 60).data(), 4, &green, "checker", "8x8", checker);
    SoMarkerSet *markers = new SoMarkerSet;
    markers->ref();
    markers->markerIndex.setValue(SoMarkerSet::SQUARE_FILLED_9_9);
    const SbVec4f mark = pt(130, 30);
    a.printPolyMark(&mark, 1, &yellow, 0, markers);
    markers->unref();
    const SbVec4f dot = pt(130, 60);
    a.printPolyMark(&dot, 1, &magenta, 0, 8.0f);
    a.printText2(pt(20, 120), SbColor(0, 0, 0), "Times-Bold", 24, "Scrivane selectable", 1, 0);
    const unsigned char rgb[12] = {255, 0, 0, 0, 255, 0, 0, 0, 255, 255, 255, 0};
    SbVec2s source(2, 2), requested(20, 20);
    a.printImage(pt(60, 100), rgb, source, requested, 3, SoImage::LEFT, SoImage::BOTTOM);
}
template void drawTestPicture<PdfProbe>(PdfProbe &);
template void drawTestPicture<SvgProbe>(SvgProbe &);

void setUpTestPicture(SoVectorizeAction &action) {
    action.setNominalWidth(0.5f);
    action.setPixelImageSize(0.5f);
    action.setColorTranslationMethod(SoVectorizeAction::KEEP_COLORS);
    action.setBackgroundColor(1, SbColor(0.8f, 0.8f, 0.8f));
    action.setBorder(0.0f);
}

void expectTestPicture(const scrivane::test::PngImage &image, int dpi, int tolerance,
                       const std::string &reader) {
    using scrivane::test::Rgb;
    SCOPED_TRACE(reader);
    // The drawing starts 10 mm from the sheet's corner.
    auto at = [&](double x, double y) { return image.pixelAtMillimetres(x + 10, y + 10, dpi); };
    auto expectNear = [&](double x, double y, const Rgb &want) {
        const Rgb got = at(x, y);
        EXPECT_TRUE(std::abs(got.r - want.r) <= tolerance &&
                    std::abs(got.g - want.g) <= tolerance && std::abs(got.b - want.b) <= tolerance)
            << "at (" << x << ", " << y << "): " << got << ", expected " << want;
    };
    const Rgb red(255, 0, 0), green(0, 255, 0), blue(0, 0, 255), yellow(255, 255, 0),
        magenta(255, 0, 255), grey(204, 204, 204), white(255, 255, 255);
    expectNear(-5, -5, white);
    expectNear(5, 5, grey);
    expectNear(30, 30, red);
    expectNear(18, 30, grey);
    // Dashes of 4 mm from x = 10, gaps of 4 mm; the line is 2.12 mm wide.
    expectNear(12, 80, blue);
    expectNear(16, 80, grey);
    expectNear(20, 80, blue);
    expectNear(24, 80, grey);
    expectNear(12, 81.6, grey);
    // Checker cells of 8 bits (2.82 mm) from the drawing's origin; cell (i, j) is set when i + j
    // is odd.
    const double cell = 8 * 25.4 / 72;
    expectNear(22.5 * cell, 8.5 * cell, grey);
    expectNear(23.5 * cell, 8.5 * cell, green);
    expectNear(23.5 * cell, 9.5 * cell, grey);
    expectNear(22.5 * cell, 9.5 * cell, green);
    expectNear(130, 30, yellow);
    expectNear(131.8, 31.8, yellow);
    expectNear(133, 30, grey);
    expectNear(130, 60, magenta);
    expectNear(131.5, 58.5, magenta);
    expectNear(132.5, 60, grey);
    expectNear(62.5, 102.5, red);
    expectNear(67.5, 102.5, green);
    expectNear(62.5, 107.5, blue);
    expectNear(67.5, 107.5, yellow);
    // The text: dark pixels right of its anchor, none left of it.
    long dark = 0, darkLeft = 0;
    for (double x = 10; x < 160; x += 0.25)
        for (double y = 118; y < 132; y += 0.25) {
            const Rgb c = at(x, y);
            if (c.r < 100 && c.g < 100 && c.b < 100) (x < 19.5 ? darkLeft : dark)++;
        }
    EXPECT_GT(dark, 500);
    EXPECT_EQ(darkLeft, 0);
}

} // namespace cairotest
