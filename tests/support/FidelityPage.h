// Test helper: the page on which the fidelity harnesses draw a scene, and the drawing of a scene
// as PostScript rasterized by Ghostscript on it.
//
// Page layout (all exact in pixels): a 127 x 127 mm sheet (360 x 360 points, 635 x 635 pixels at
// 127 dpi, 5 pixels per millimetre), the 100 x 100 mm drawing area starting at (13.4, 13.4) mm,
// i.e. pixels 67 to 566 from the left and from the bottom: 500 x 500 pixels, the size of the
// renderer's picture of the same camera.
//
// Add ${PROJECT_SOURCE_DIR}/tests/support/FidelityPage.cpp and ps_check.cpp to a test's SOURCES
// and PNG::PNG to its LIBS.
#ifndef SCRIVANE_TEST_FIDELITY_PAGE_H
#define SCRIVANE_TEST_FIDELITY_PAGE_H

#include "ps_check.h"
#include "scrivane/SoVectorizeAction.h"
#include <string>
#include <vector>

class SoNode;

namespace scrivane::test {

constexpr int kFidelityDpi = 127;
constexpr double kFidelityPixelsPerMm = kFidelityDpi / 25.4; // 5
constexpr int kSheetPoints = 360;                            // 127 mm
constexpr int kSheetPixels = 635;
constexpr float kDrawingMm = 100.0f;
constexpr float kStartMm = 13.4f;
constexpr int kDrawingPixels = 500;
constexpr int kDrawingFirstPixel = 67; // 13.4 mm

constexpr int kColourTolerance = 4; // in 8-bit levels; colours are written with 2 decimals

// The directory SCRIVANE_TEST_OUT/fidelity, created if needed, with a slash at the end.
std::string fidelityDir();

// Writes root with SoVectorizePSAction on the page above (colours kept, no border) in the
// removal mode given, with the action's lighting on or off, to fidelityDir()/<name>.ps, and
// rasterizes it with Ghostscript without anti-aliasing to <name>.png. False with a message in
// error when a step fails.
bool drawAndRasterize(SoNode *root, SoVectorizeAction::HLHSRMode mode, bool lighting,
                      const std::string &name, PngImage &image, std::string &error);

// The sheet pixel of drawing pixel (x, y), y counted from the bottom of the drawing area, as
// (column, row from the top) of the rasterized sheet.
inline int sheetColumn(int x) {
    return kDrawingFirstPixel + x;
}
inline int sheetRow(int y) {
    return kSheetPixels - 1 - (kDrawingFirstPixel + y);
}

// 8-bit level of a colour component, as written in the comparison pictures.
int level(float c);

// Writes 8-bit RGB pixels, top row first, as a PNG file.
bool writeRgbPng(const std::string &path, const std::vector<unsigned char> &rgb, int width,
                 int height);

} // namespace scrivane::test

#endif
