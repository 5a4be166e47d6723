// Feature edges of one shape, for the hidden-line mode with feature edges on: the triangles of
// a shape are gathered here while the shape generates them, then each triangle edge is found to
// be a feature edge (drawn) or not (the triangle still hides with all its area).
//
// What a shape is: the triangles generated between the start of a shape node's traversal and its
// end, so each traversal of a shape node is one shape; a node used twice (DEF/USE) gives two
// shapes, and two shapes never share an edge, even where their triangles touch.
//
// Adjacency: edges are matched by their end points' eye-space positions, which must be equal
// (no tolerance): the same model point under the same matrices gives the same eye point, which
// is how shapes share vertices between their triangles. It is found before any clipping, on the
// triangles as generated, so a triangle that is clipped away, in part or whole, still counts as
// the neighbour of the triangles next to it.
//
// An edge is a feature edge when
//   - it bounds one triangle of the shape only (an open border), or more than two (a seam where
//     several sheets meet);
//   - its two triangles meet at a dihedral angle above the crease angle, the angle being measured
//     in eye space between the triangles' planes (0 for a flat pair, whatever the order of the
//     vertices of each; not in normalized coordinates, where perspective bends angles);
//   - its two triangles turn one toward and one away from the observer (the silhouette): their
//     third vertices lie on the same side of the plane through the edge and the observer, which
//     does not depend on the triangles' vertex order either.
// Two triangles meeting at less than minimumCreaseAngle are one flat face whatever the crease
// angle, so the diagonal of a quad split in two never shows through rounding.
//
// Degenerate triangles (two equal vertices, or an area that is tiny next to the square of the
// longest edge) have no plane: their edges are never drawn and they are nobody's neighbour.
//
// The crease angle is that of the state when the shape's first triangle comes (the shape hints).
// A crease angle of 0 counts as none given, and 30 degrees is taken: 0 is what a state without
// shape hints holds, and also what shape hints hold when a file gives them for the vertex order
// only, which is common; a part is then drawn with its creases rather than its every facet.
//
// After the flags are found, each triangle is clipped with them (the clipping gives the edges
// it makes at the drawing's border and at the near and far planes flag 0: they are where the
// view ends, not lines of the part) and handed to the hidden-line computation. Edges flagged
// smoothEdge are left out of that computation altogether (SoHiddenLines::edgeSmooth): nothing
// passing behind them changes from hidden to seen there, and on a finely divided surface they
// are nearly all of its edges, so leaving them out is most of the time saved.
#ifndef SCRIVANE_CAPTURE_FEATUREEDGES_H
#define SCRIVANE_CAPTURE_FEATUREEDGES_H
#include "scene/base/SbColor.h"
#include "scene/base/SbMatrix.h"
#include "scene/base/SbVec4f.h"
#include "scrivane/SoHiddenLines.h"
#include <vector>

namespace scrivane_capture {

// The crease angle where the scene gives none (radians: 30 degrees).
constexpr double defaultCreaseAngle = 0.52359877559829887;
// Below this dihedral angle two triangles are one flat face (radians: a tenth of a degree).
constexpr double minimumCreaseAngle = 0.0017453292519943296;

// The crease angle of the shape hints (radians), or the default where it is 0 (the value of a
// state without shape hints, and of shape hints whose crease angle is left as it is), negative
// or not a number.
double creaseAngleOf(float hintsAngle);

// Edge flags, as SoHiddenLines::addPolygon takes them: per triangle, flag i for the edge from
// vertex i to vertex i + 1 (the last closing). drawnEdge: a feature edge. hiddenEdge: not drawn,
// and a limit where what the faces hide may change (an edge of a degenerate triangle).
// smoothEdge: not drawn, shared with a neighbour that continues the surface without folding
// over it (no crease, no silhouette).
enum FeatureEdgeFlag : unsigned char {
    hiddenEdge = 0,
    drawnEdge = 1,
    smoothEdge = SoHiddenLines::edgeSmooth
};

class FeatureEdgeShape {
public:
    // The first triangle of a shape fixes the crease angle (radians) and the observer, from the
    // projection matrix (row vectors: clip = eye x projection).
    void begin(double creaseAngle, const SbMatrix &projection);
    // A triangle: its eye-space vertices, and its clip coordinates and colours as the capture made
    // them for the clipping.
    void addTriangle(const double eye[3][3], const SbVec4f clip[3], const SbColor colors[3]);

    bool isEmpty() const { return eyePoints.empty(); }
    int getTriangleCount() const { return static_cast<int>(eyePoints.size() / 9); }
    const SbVec4f *getClipPoints(int triangle) const {
        return &clipPoints[3 * std::size_t(triangle)];
    }
    const SbColor *getColors(int triangle) const { return &colors[3 * std::size_t(triangle)]; }

    // Three FeatureEdgeFlag values per triangle, in the order the triangles were added.
    void classify(std::vector<unsigned char> &flags) const;
    // Forgets the triangles (keeps the memory for the next shape).
    void clear();

private:
    double crease = defaultCreaseAngle;
    // The observer in homogeneous eye coordinates, the point where all lines of sight meet: a
    // point (w != 0) for a perspective projection, a direction (w = 0) for an orthographic one;
    // all zero for a projection that has none (no silhouette is found then).
    double observer[4] = {0, 0, 0, 0};
    std::vector<double> eyePoints; // 9 per triangle
    std::vector<SbVec4f> clipPoints;
    std::vector<SbColor> colors;
};

} // namespace scrivane_capture

#endif
