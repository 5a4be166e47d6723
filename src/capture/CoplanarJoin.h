// Joining of the filled triangles of one shape into larger polygons, so that a viewer that
// anti-aliases its fills shows no hairline seam between faces of one colour.
//
// The triangles of a shape come one by one in the order the shape generates them. The join keeps
// one pending polygon: a triangle that comes next is added to it when
//   - the triangle and the polygon have one flat colour, the same (all vertex colours equal);
//   - the triangle lies in the polygon's plane: its normal is parallel to the plane's within a
//     sine of kParallelSine and its vertices lie within kPlaneDistance (relative to the triangle's
//     size) of the plane of the polygon's first triangle, so that no drift builds up;
//   - it shares an edge with the polygon's outline: the same two vertex positions, exactly, in
//     model coordinates (the same model point under the same matrices gives the same drawn point);
//   - its third vertex lies outside that edge and the polygon stays convex with it.
// Otherwise the pending polygon is finished (the caller prints it) and the triangle starts the
// next one. Only consecutive triangles are joined, so a joined polygon is printed exactly when its
// triangles would have been, one after another: the painting order of everything else stays. The
// polygons stay convex because the clipping gains at most one vertex per plane only on convex
// polygons, and the painter's point-in-polygon test, plane cuts and overlap tests assume them.
//
// Vertices that a join leaves on a straight line between their neighbours (within a sine of
// kCollinearSine) are dropped, so a strip of triangles across a flat rectangle ends as its four
// corners.
//
// Finding the shared edge: a small polygon's outline is searched from end to end; once it has
// more than kLinearSearchLimit vertices its edges go into a hash map keyed by their two end
// positions, so a shape of n triangles costs O(n) whatever its polygons' sizes.
#ifndef SCRIVANE_CAPTURE_COPLANARJOIN_H
#define SCRIVANE_CAPTURE_COPLANARJOIN_H
#include "scene/base/SbColor.h"
#include "scene/base/SbVec3f.h"
#include "scene/base/SbVec4f.h"
#include <cstddef>
#include <unordered_map>
#include <vector>

namespace scrivane_capture {

class CoplanarJoin {
public:
    static constexpr double kParallelSine = 1e-5;
    static constexpr double kPlaneDistance = 1e-5;
    static constexpr double kCollinearSine = 1e-6;
    static constexpr int kLinearSearchLimit = 8;

    bool isEmpty() const { return vertexCount == 0; }
    // Starts a pending polygon with a triangle: its model points, its clip points and colours as
    // the capture made them for the clipping.
    void start(const SbVec3f model[3], const SbVec4f clip[3], const SbColor colors[3]);
    // Adds the triangle to the pending polygon when the rules above allow; false leaves the
    // polygon as it was.
    bool add(const SbVec3f model[3], const SbVec4f clip[3], const SbColor colors[3]);

    // The pending polygon for the clipping: its clip points and colours, with the room the
    // clipping needs after them (count + 7). A polygon of one triangle is that triangle as it
    // came, colours included; a joined polygon has one flat colour and starts at its sharpest
    // corner (the painter takes a polygon's normal from its first three points).
    int count() const { return triangleCount == 1 ? 3 : vertexCount; }
    int triangles() const { return triangleCount; }
    SbVec4f *points();
    SbColor *colors();
    // Forgets the pending polygon (keeps the memory).
    void clear();

private:
    struct Vertex {
        SbVec3f model;
        SbVec4f clip;
        int prev, next;
    };
    struct EdgeKey {
        SbVec3f a, b; // ordered, so that both directions of an edge give one key
        bool operator==(const EdgeKey &o) const { return a == o.a && b == o.b; }
    };
    struct EdgeHash {
        std::size_t operator()(const EdgeKey &k) const;
    };

    int newVertex(const SbVec3f &model, const SbVec4f &clip, int prev, int next);
    int findEdge(const SbVec3f &p, const SbVec3f &q) const;
    static EdgeKey keyOf(const SbVec3f &p, const SbVec3f &q);
    void indexEdge(int from);
    void unindexEdge(int from);
    void indexAllEdges();
    // The turn at the corner b between the edges a-b and b-c, against the plane's normal: positive
    // for a convex (left) turn, as a sine of the angle between the edges.
    double turnSine(const SbVec3f &a, const SbVec3f &b, const SbVec3f &c) const;
    bool inPlane(const SbVec3f model[3]) const;
    void dropIfStraight(int v);
    int sharpestCorner() const;

    std::vector<Vertex> pool;
    int first = -1; // a vertex of the outline, the one output starts from before the choice
    int vertexCount = 0;
    int triangleCount = 0;
    bool joinable = false;
    SbColor color;
    double normal[3] = {0, 0, 0};
    double offset = 0;
    // The first triangle as it came, printed as such when nothing joins it.
    SbVec4f firstClip[3];
    SbColor firstColors[3];
    bool indexed = false;
    std::unordered_map<EdgeKey, int, EdgeHash> edges; // edge key -> the vertex it starts from
    std::vector<SbVec4f> outPoints;
    std::vector<SbColor> outColors;
};

} // namespace scrivane_capture

#endif
