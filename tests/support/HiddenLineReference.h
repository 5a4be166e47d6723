// Test helper: measures how faithfully a hidden-line drawing (HIDDEN_BY_EDGE_SPLITTING) shows the
// visible edges of a scene, against the classic z-buffer hidden-line picture drawn with OpenGL
// in the context of the toolkit's off-screen renderer.
//
// The reference: the renderer is made ready by rendering an empty scene (white, depth 1); the
// scene's triangles (every shape that is not INVISIBLE, as a callback action generates them with
// the scene's camera and the drawing area's square aspect) are then drawn into the depth buffer
// only, colour writes off, pushed back by glPolygonOffset(kReferenceOffsetFactor,
// kReferenceOffsetUnits); then all three edges of every triangle, and every line segment of the
// scene, are drawn in black as 1-pixel lines with the depth test GL_LEQUAL. The vertices go to
// OpenGL already in clip coordinates (model, viewing and projection matrices of the traversal
// applied), so OpenGL only clips, divides and rasterizes. An edge pixel is a pixel that is not
// white.
//
// The drawing: SoVectorizePSAction writes the scene on the page of FidelityPage.h (drawing area
// of 100 x 100 mm, colours kept, no border, lighting off) and Ghostscript rasterizes it without
// anti-aliasing. Our line widths are in millimetres (the shape's width, or 1 for width 0, times
// the nominal width, 0.35 mm by default: 1.76 pixels at 5 pixels per millimetre). For the
// comparison the nominal width is set to kThinNominalMm, which the PostScript writes as "0 ep":
// a line width of 0, which Ghostscript draws as the thinnest line its device can show, one pixel
// wide, the width of the reference's lines. At 5 pixels per millimetre drawing pixel (x, y) is
// the renderer's pixel (x, y) without any shift (ZBufferReference.h). An edge pixel of the
// drawing is a pixel of the drawing area that is not white.
//
// Agreement: the share of the edge pixels of one picture that have an edge pixel of the other
// within `radius` pixels, in the sense of the largest coordinate difference (radius 1: the pixel
// itself or one of its eight neighbours).
//
// Add ${PROJECT_SOURCE_DIR}/tests/support/HiddenLineReference.cpp, FidelityPage.cpp and
// ps_check.cpp to a test's SOURCES and PNG::PNG to its LIBS; the test renders with OSMesa, so
// call scrivane_suppress_osmesa_leaks on it.
#ifndef SCRIVANE_TEST_HIDDEN_LINE_REFERENCE_H
#define SCRIVANE_TEST_HIDDEN_LINE_REFERENCE_H

#include "FidelityPage.h"
#include "scrivane/SoVectorizeAction.h"
#include <string>
#include <vector>

class SoNode;

namespace scrivane::test {

// The classic offset: one unit of depth slope and one of the depth buffer's resolution.
constexpr float kReferenceOffsetFactor = 1.0f;
constexpr float kReferenceOffsetUnits = 1.0f;
// Nominal width (mm) that makes every line of width 0 or 1 print as "0 ep".
constexpr float kThinNominalMm = 0.001f;

// Which pixels of the drawing area carry an edge, kDrawingPixels square, pixel (x, y) at index
// y * width + x with y counted from the bottom.
struct EdgePicture {
    int width = 0, height = 0;
    std::vector<char> on;
    bool at(int x, int y) const {
        return x >= 0 && y >= 0 && x < width && y < height &&
               on[size_t(y) * size_t(width) + size_t(x)];
    }
    long count() const;
};

// The z-buffer hidden-line picture of root (which must hold a camera). False with a message in
// error when the renderer cannot draw. With rgbPath not empty the picture is also written there
// as a PNG file.
bool renderHiddenLineReference(SoNode *root, EdgePicture &picture, std::string &error,
                               const std::string &rgbPath = std::string());

// How the action draws the scene for drawEdges.
struct EdgeDrawing {
    SoVectorizeAction::HLHSRMode mode = SoVectorizeAction::HIDDEN_BY_EDGE_SPLITTING;
    bool featureEdges = false;
    float nominalWidthMm = kThinNominalMm;
    int dpi = kFidelityDpi; // Ghostscript's resolution; the fidelity page at kFidelityDpi
};

// Writes root with SoVectorizePSAction on the fidelity page to fidelityDir()/<name>.ps and
// rasterizes it to <name>.png (sheet of 360 x 360 points at the given dpi). False with a message
// in error when a step fails.
bool drawEdges(SoNode *root, const EdgeDrawing &drawing, const std::string &name, PngImage &sheet,
               std::string &error);

// The edge pixels of the drawing area of a sheet rasterized at kFidelityDpi, the drawing moved
// by shiftX pixels to the right and shiftY up.
EdgePicture drawingEdges(const PngImage &sheet, int shiftX = 0, int shiftY = 0);

struct Agreement {
    long pixels = 0; // edge pixels of the first picture
    long near = 0;   // of those, pixels with an edge pixel of the second within the radius
    double percent() const { return pixels ? 100.0 * double(near) / double(pixels) : 0.0; }
};

// The edge pixels of `from` that lie within `radius` pixels of an edge pixel of `to`.
Agreement agreement(const EdgePicture &from, const EdgePicture &to, int radius);

// Writes a comparison picture: pixels in both black, only in the reference red, only in the
// drawing blue, elsewhere white.
bool writeEdgeComparison(const EdgePicture &reference, const EdgePicture &drawing,
                         const std::string &path);

} // namespace scrivane::test

#endif
