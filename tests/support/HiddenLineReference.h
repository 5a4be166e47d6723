// Test helper: the classic z-buffer hidden-line picture of a scene, drawn with OpenGL in the
// context of the toolkit's off-screen renderer, to measure the hidden-line mode against.
//
// The scene's triangles (of every shape not drawn INVISIBLE, as a callback action generates them
// with the scene's camera on the square drawing area) go into the depth buffer only, pushed back
// by glPolygonOffset(1, 1); then every triangle edge and every line segment of the scene is drawn
// in black, 1 pixel wide, with the depth test GL_LEQUAL. The vertices are sent in clip
// coordinates, so OpenGL only clips, divides and rasterizes. Edge pixels are the pixels that are
// not white, in the reference as in the drawing (FidelityPage.h).
//
// The drawing is compared with 1-pixel lines too: kThinNominalMm makes the PostScript ask for a
// line width of 0, which Ghostscript draws as the thinnest line its device shows.
#ifndef SCRIVANE_TEST_HIDDEN_LINE_REFERENCE_H
#define SCRIVANE_TEST_HIDDEN_LINE_REFERENCE_H

#include "FidelityPage.h"
#include <string>

namespace scrivane::test {

constexpr float kThinNominalMm = 0.001f;

// The reference's edge pixels of root (which holds a camera); its picture is written to pngPath.
bool renderHiddenLineReference(SoNode *root, Mask &edges, std::string &error,
                               const std::string &pngPath);

struct Agreement {
    long pixels = 0; // edge pixels of the first picture
    long near = 0;   // of those, pixels with an edge pixel of the second within the radius
    double percent() const { return pixels ? 100.0 * double(near) / double(pixels) : 0.0; }
};
// The edge pixels of `from` within `radius` pixels (largest coordinate difference) of one of `to`.
Agreement agreement(const Mask &from, const Mask &to, int radius);

// Writes pixels in both pictures black, only in the reference red, only in the drawing blue.
bool writeEdgeComparison(const Mask &reference, const Mask &drawing, const std::string &path);

} // namespace scrivane::test

#endif
