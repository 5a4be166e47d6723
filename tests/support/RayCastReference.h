// Test helper: measures how faithfully a PostScript drawing shows the visible surfaces of a
// scene of flat-coloured triangles, against a ray cast through the same triangles.
//
// measureFidelity builds the scene with the toolkit (an orthographic camera on +z looking down
// -z, one face set with a material per face), writes it with SoVectorizePSAction in the removal
// mode asked for, and has Ghostscript rasterize it without anti-aliasing at 127 dpi (5 pixels
// per millimetre). At every pixel centre the truth is the colour of the nearest triangle whose
// interior covers the centre (largest z), or the white paper; a pixel is wrong when a channel
// differs by more than kColourTolerance. Pixels within one pixel of a projected triangle edge,
// or of the projected segment along which two triangles cross in 3-D, are left out: the colour
// changes there, and the rasterizer's coverage rule is not ours to predict.
//
// The page is that of FidelityPage.h: the 100 x 100 mm drawing area covers sheet pixels 67 to
// 566 from the left and from the bottom (500 x 500 pixels compared or excluded). The camera of
// height H centred on (cx, cy) maps world x onto the drawing's width: page x = 13.4 + 50 +
// (x - cx) * 100 / H millimetres, and likewise y.
//
// Add ${PROJECT_SOURCE_DIR}/tests/support/RayCastReference.cpp, FidelityPage.cpp and ps_check.cpp
// to a test's SOURCES and PNG::PNG to its LIBS.
#ifndef SCRIVANE_TEST_RAY_CAST_REFERENCE_H
#define SCRIVANE_TEST_RAY_CAST_REFERENCE_H

#include "FidelityPage.h"
#include "scene/base/SbColor.h"
#include "scene/base/SbVec3f.h"
#include "scrivane/SoVectorizeAction.h"
#include <string>
#include <vector>

class SoSeparator;

namespace scrivane::test {

struct FlatTriangle {
    SbVec3f a, b, c;
    SbColor color; // the face's colour; its diffuse colour in a lit scene
};

// A white directional light. With it the scene uses the lit model and the action lights faces;
// the material has no ambient, specular or emissive part, so a face shows
//   color * intensity * max(0, -n . d)
// with n the unit normal of its counter-clockwise corners and d the unit light direction
// (one-sided: no shape hints, so the ordering is unknown), clamped to 1.
struct DirectionalLightSetup {
    SbVec3f direction;
    float intensity = 1.0f;
};

struct FidelityView {
    float centerX = 0.0f, centerY = 0.0f; // world point on the drawing's centre
    float height = 2.0f;                  // camera height: world units across the drawing
    const DirectionalLightSetup *light = nullptr;
};

struct FidelityCounts {
    long compared = 0; // pixels whose colour was checked
    long wrong = 0;    // of those, pixels of the wrong colour
    long excluded = 0; // pixels in the bands along edges and crossings
    long covered = 0;  // checked pixels whose truth is a triangle, not paper
    std::string error; // why no measurement was made (empty on success)
    double wrongPercent() const { return compared ? 100.0 * wrong / compared : 0.0; }
    double excludedFraction() const {
        return compared + excluded ? double(excluded) / double(compared + excluded) : 0.0;
    }
};

// The colour the face shows (its own colour, or the lit one when the view has a light).
SbColor shownColor(const FlatTriangle &t, const DirectionalLightSetup *light);

// The number of pairs of triangles whose common part is a segment of positive length: pairs
// that cross each other in 3-D, and pairs that share an edge.
int countCrossings(const std::vector<FlatTriangle> &triangles);

// The scene the harness draws (see the file comment), referenced once: the caller unrefs it.
// Unlit (BASE_COLOR) when the view has no light.
SoSeparator *buildFlatTriangleScene(const std::vector<FlatTriangle> &triangles,
                                    const FidelityView &view);

// The ray cast's picture of the drawing area, kDrawingPixels square, pixel (x, y) at index
// y * kDrawingPixels + x with y counted from the bottom: the colour each pixel centre shows
// (white paper where no triangle covers it), whether a triangle covers it, and the band within
// one pixel of the projected edges and crossings where no comparison is made.
struct RayCastPicture {
    std::vector<SbColor> color;
    std::vector<char> covered;
    std::vector<char> band;
};
RayCastPicture rayCast(const std::vector<FlatTriangle> &triangles, const FidelityView &view);

// Writes, renders and compares. Files go to SCRIVANE_TEST_OUT/fidelity/<name>.{ps,png} and the
// comparison to <name>-diff.png: correct pixels pale, wrong ones black, excluded ones grey.
FidelityCounts measureFidelity(const std::vector<FlatTriangle> &triangles, const FidelityView &view,
                               SoVectorizeAction::HLHSRMode mode, const std::string &name);

} // namespace scrivane::test

#endif
