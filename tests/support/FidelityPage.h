// Test helper of the fidelity tests: the page a scene is drawn on, its drawing as PostScript
// rasterized by Ghostscript, the off-screen renderer's picture of it, and their comparison.
//
// Page (exact in pixels): a 127 mm square sheet (360 points, 635 pixels at 127 dpi: 5 pixels per
// millimetre) whose 100 mm square drawing area starts at 13.4 mm, i.e. sheet pixels 67 to 566
// from the left and from the bottom. Those 500 x 500 pixels are the size of the renderer's
// picture with the same camera, so drawing pixel (x, y) is the renderer's pixel (x, y).
//
// Add FidelityPage.cpp and ps_check.cpp (tests/support) to a test's SOURCES and PNG::PNG to its
// LIBS; a test that renders calls scrivane_suppress_osmesa_leaks.
#ifndef SCRIVANE_TEST_FIDELITY_PAGE_H
#define SCRIVANE_TEST_FIDELITY_PAGE_H

#include "ps_check.h"
#include "scrivane/SoVectorizeAction.h"
#include <string>
#include <vector>

class SoNode;
class SoSeparator;

namespace scrivane::test {

constexpr int kFidelityDpi = 127;
constexpr double kFidelityPixelsPerMm = kFidelityDpi / 25.4;
constexpr int kSheetPoints = 360;
constexpr float kDrawingMm = 100.0f, kStartMm = 13.4f;
constexpr int kDrawingPixels = 500, kDrawingFirstPixel = 67;
constexpr int kColourTolerance = 4; // 8-bit levels; the PostScript writes colours with 2 decimals

// One flag per pixel of the drawing area, pixel (x, y) at y * kDrawingPixels + x, y upwards.
using Mask = std::vector<char>;
inline bool on(const Mask &m, int x, int y) {
    return x >= 0 && y >= 0 && x < kDrawingPixels && y < kDrawingPixels &&
           m[size_t(y) * kDrawingPixels + size_t(x)];
}

// An RGB picture of the drawing area, indexed as Mask, white at first.
struct Picture {
    std::vector<unsigned char> rgb =
        std::vector<unsigned char>(kDrawingPixels * kDrawingPixels * 3, 255);
    Rgb at(int x, int y) const;
    void set(int x, int y, int r, int g, int b);
    Mask nonWhite() const;
    bool write(const std::string &path) const; // PNG, top row first
};

bool differ(const Rgb &a, const Rgb &b); // by more than kColourTolerance in a channel
int level(float c);                      // 8-bit level of a colour component

// The directory SCRIVANE_TEST_OUT/fidelity/, created if needed.
std::string fidelityDir();

// The format a drawing is written in and the reader that rasterizes it: PostScript through
// Ghostscript, PDF through poppler's pdftoppm (both without anti-aliasing), SVG through librsvg's
// rsvg-convert (anti-aliased: pixels along edges blend). The PDF and SVG sheet is the drawing
// area with its start on every side (126.8 mm, 634 pixels at kFidelityDpi), so the drawing
// area sits at the same pixels from the sheet's lower-left corner.
enum class DrawingFormat { PostScript, Pdf, Svg };
const char *formatName(DrawingFormat format); // "ps", "pdf", "svg"
// False, with the reason in *why, when the format's reader is not installed.
bool readerInstalled(DrawingFormat format, std::string *why);

struct Drawing {
    DrawingFormat format = DrawingFormat::PostScript;
    SoVectorizeAction::HLHSRMode mode = SoVectorizeAction::HIDDEN_NONE;
    bool lighting = false, featureEdges = false, joinFaces = false;
    float nominalWidthMm = 0; // 0: the action's default
    int dpi = kFidelityDpi;
};

// Writes root in the drawing's format on the page (colours kept, no border) to
// fidelityDir()/<name>.ps (.pdf, .svg) and rasterizes it to <name>.png. False with a message in
// error when a step fails.
bool drawAndRasterize(SoNode *root, const Drawing &how, const std::string &name, PngImage &sheet,
                      std::string &error);

// The drawing area of a sheet rasterized at kFidelityDpi, the drawing moved by shiftX pixels to
// the right and shiftY up.
Picture drawingArea(const PngImage &sheet, int shiftX = 0, int shiftY = 0);

// The off-screen renderer's picture of root (which holds a camera) on white.
bool renderPicture(SoNode *root, Picture &picture, std::string &error);

// Switches every SoLightModel under root to BASE_COLOR; returns a new root (referenced once)
// that starts with a BASE_COLOR light model and holds root.
SoSeparator *unlitScene(SoNode *root);

// Pixels whose colour differs from a 4-neighbour's, dilated by one pixel in all 8 directions.
Mask colourChangeBand(const Picture &picture);

struct Counts {
    long compared = 0, wrong = 0, excluded = 0;
    long covered = 0; // compared pixels where the expected picture is not white
    double wrongPercent() const { return compared ? 100.0 * double(wrong) / double(compared) : 0; }
};

// Compares got with expected outside band. When a pixel is wrong the comparison is written to
// diffPath: correct pixels pale, wrong ones black, excluded ones grey.
Counts comparePictures(const Picture &got, const Picture &expected, const Mask &band,
                       const std::string &diffPath);

// Expects that the non-white pixels of the sheet's drawing area have the centre of those of
// reference within a quarter of a pixel and match them better without a shift than with any
// shift of up to maxShift pixels in x and y.
void expectAlignedWithoutShift(const Mask &reference, const PngImage &sheet, int maxShift,
                               const char *label);

} // namespace scrivane::test

#endif
