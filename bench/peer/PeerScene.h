// The scenes of the peer benchmark: a benchmark scene (scenes/HlhsrScenes.h) whose faces are
// coloured by the direction of their normal, and the same triangles as plain arrays for drawing
// them with OpenGL.
//
// Colours: each component of a face's unit normal (world space) falls into one of three bands,
// below -1/3, between, above 1/3, drawn as 0.2, 0.5 or 0.8 in the matching colour channel. A face
// and any face turned the other way never share a colour (some component of a unit normal
// exceeds 1/sqrt(3) in magnitude), so a back face drawn over a front face shows as wrong pixels;
// neighbouring faces of a smooth mesh mostly share a colour, so the colour changes, and the edge
// bands that comparisons leave out, follow a few curves instead of every triangle edge.
#ifndef SCRIVANE_BENCH_PEERSCENE_H
#define SCRIVANE_BENCH_PEERSCENE_H

#include "scene/base/SbMatrix.h"
#include <vector>

class SoSeparator;

namespace peer_bench {

// Pixels across the square picture every comparison uses: the OpenGL viewport handed to the
// peer, the off-screen renderer's picture, and the drawing area of our page (FidelityPage.h).
constexpr int kViewportPixels = 500;

struct PeerScene {
    SoSeparator *root = nullptr; // referenced once; unref() when done
    int triangles = 0;           // the scene's triangles
    // The triangles the toolkit generates from the scene (those without area, at the sphere's
    // poles, are left out), as OpenGL is given them.
    std::vector<float> vertices; // 9 per triangle: three points in world coordinates
    std::vector<float> colours;  // 3 per triangle (RGB)
    int drawnTriangles() const { return static_cast<int>(colours.size() / 3); }
    // The camera's matrices for a square viewport of kViewportPixels (row vectors, laid out as
    // OpenGL's glLoadMatrixf reads them).
    SbMatrix viewing, projection;
};

// Builds scene `kind` (bench_scenes::Kind) of about `triangles` triangles, coloured as above.
PeerScene buildPeerScene(int kind, int triangles);

} // namespace peer_bench

#endif
