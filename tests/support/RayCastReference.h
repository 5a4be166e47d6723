// Test helper: the visible surfaces of a scene of flat-coloured triangles under an orthographic
// camera on +z looking down -z, by a ray cast through the triangles, needing no renderer.
//
// At every pixel centre of the drawing area (FidelityPage.h) the truth is the colour of the
// nearest triangle whose interior covers it (largest z), or white paper. The band left out of
// comparisons holds the pixels within one pixel of a projected triangle edge or of the projected
// segment along which two triangles cross: the colour changes there, and the rasterizer's
// coverage rule is not ours to predict. The camera of height H centred on (cx, cy) maps world x
// to page x = 13.4 + 50 + (x - cx) * 100 / H millimetres, and likewise y.
#ifndef SCRIVANE_TEST_RAY_CAST_REFERENCE_H
#define SCRIVANE_TEST_RAY_CAST_REFERENCE_H

#include "FidelityPage.h"
#include "scene/base/SbColor.h"
#include "scene/base/SbVec3f.h"
#include <vector>

namespace scrivane::test {

struct FlatTriangle {
    SbVec3f a, b, c;
    SbColor color; // the diffuse colour in a lit scene
};

// A white directional light. The material has no ambient, specular or emissive part, so a face
// shows min(1, color * intensity * max(0, -n . d)), n the unit normal of its counter-clockwise
// corners, d the unit light direction.
struct DirectionalLightSetup {
    SbVec3f direction;
    float intensity = 1.0f;
};

struct FidelityView {
    float centerX = 0.0f, centerY = 0.0f;         // world point on the drawing's centre
    float height = 2.0f;                          // world units across the drawing
    const DirectionalLightSetup *light = nullptr; // unlit (BASE_COLOR) without one
};

// The scene with its camera (and light), one face set with a material per face; referenced once.
SoSeparator *buildFlatTriangleScene(const std::vector<FlatTriangle> &triangles,
                                    const FidelityView &view);

struct RayCast {
    Picture picture;
    Mask band;
};
RayCast rayCast(const std::vector<FlatTriangle> &triangles, const FidelityView &view);

} // namespace scrivane::test

#endif
