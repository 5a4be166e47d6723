// Test helper: measures how faithfully a PostScript drawing shows the visible surfaces of any
// scene against a z-buffer picture of the same scene drawn by the toolkit's off-screen renderer.
//
// The scene is drawn unlit: every light model node in it is switched to BASE_COLOR and the
// action's own lighting is off, so that both sides show each face in its diffuse colour. The
// renderer draws it with the scene's camera into 500 x 500 pixels on white, the size of the
// drawing area on the page of FidelityPage.h; the action writes it on that page and Ghostscript
// rasterizes it at 5 pixels per millimetre, so that drawing pixel (x, y) is the renderer's pixel
// (x, y) without any shift. A pixel is wrong when a channel differs by more than
// kColourTolerance. Where the renderer's colour changes between neighbouring pixels (an edge
// between surfaces of different colours, or a silhouette against the paper), the two pixels and
// their neighbours within one pixel are left out: the rasterizers' coverage rules differ there.
//
// Add ${PROJECT_SOURCE_DIR}/tests/support/ZBufferReference.cpp, FidelityPage.cpp and ps_check.cpp
// to a test's SOURCES and PNG::PNG to its LIBS; the test renders with OSMesa, so call
// scrivane_suppress_osmesa_leaks on it.
#ifndef SCRIVANE_TEST_ZBUFFER_REFERENCE_H
#define SCRIVANE_TEST_ZBUFFER_REFERENCE_H

#include "FidelityPage.h"
#include "scrivane/SoVectorizeAction.h"
#include <string>
#include <vector>

class SoNode;
class SoSeparator;

namespace scrivane::test {

// A picture of the drawing area, kDrawingPixels square, pixel (x, y) at index y * width + x
// with y counted from the bottom, three bytes a pixel.
struct DrawingPicture {
    int width = 0, height = 0;
    std::vector<unsigned char> rgb;
    Rgb at(int x, int y) const {
        const unsigned char *p = &rgb[(size_t(y) * size_t(width) + size_t(x)) * 3];
        return Rgb(p[0], p[1], p[2]);
    }
};

// Switches every SoLightModel node under root to BASE_COLOR and returns a new root (referenced
// once; the caller unrefs it) that begins with a BASE_COLOR light model and holds root.
SoSeparator *unlitScene(SoNode *root);

// The renderer's picture of root (which must hold a camera) on white. False with a message in
// error when the renderer cannot draw.
bool renderDrawingArea(SoNode *root, DrawingPicture &picture, std::string &error);

// Writes the picture as a PNG file, top row first.
bool writePicture(const DrawingPicture &picture, const std::string &path);

// Pixels whose colour differs from one of their four neighbours by more than kColourTolerance
// in a channel, dilated by one pixel in the eight directions. (The renderer interpolates the
// colour across a face in fixed point, so one face can vary by a level or so.)
std::vector<char> colourChangeBand(const DrawingPicture &picture);

struct ZBufferCounts {
    long compared = 0; // pixels whose colour was checked
    long wrong = 0;    // of those, pixels of the wrong colour
    long excluded = 0; // pixels in the band along colour changes
    long covered = 0;  // checked pixels where the renderer shows a surface, not paper
    std::string error; // why no measurement was made (empty on success)
    double wrongPercent() const {
        return compared ? 100.0 * double(wrong) / double(compared) : 0.0;
    }
};

// Draws root (which must hold a camera; see unlitScene) with the action in the given mode and
// compares it with the reference picture. The drawing goes to fidelityDir()/<name>.{ps,png}, the
// comparison to <name>-zdiff.png: correct pixels pale, wrong ones black, excluded ones grey.
ZBufferCounts compareWithRenderer(SoNode *root, const DrawingPicture &reference,
                                  SoVectorizeAction::HLHSRMode mode, const std::string &name);

// The comparison of compareWithRenderer, on a drawing already rasterized on the fidelity page
// (see drawAndRasterize), with the drawing shifted by shiftX pixels to the right and shiftY up
// before it is compared: (0, 0) is the aligned page, other shifts let a test show that no other
// alignment fits better. An empty diffPath writes no comparison picture.
ZBufferCounts comparePictures(const PngImage &sheet, const DrawingPicture &reference,
                              const std::string &diffPath, int shiftX = 0, int shiftY = 0);

} // namespace scrivane::test

#endif
