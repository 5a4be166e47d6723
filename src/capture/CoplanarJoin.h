// Joining of the filled triangles of one shape into larger polygons, so that a viewer that
// anti-aliases its fills shows no hairline seam between faces of one colour.
//
// The triangles of a shape come one by one in the order the shape generates them. A run is a
// sequence of consecutive triangles that
//   - have one flat colour, the same (all vertex colours equal), and
//   - lie in one plane: the normal of each is parallel to that of the run's first triangle within
//     a sine of kParallelSine, and its vertices lie within kPlaneDistance (relative to its size)
//     of that triangle's plane, so that no drift builds up along the run.
// A triangle that does not fit ends the run; the caller prints the run's polygons, then starts the
// next run with it. A run is painted as a whole, one polygon after another, where its triangles
// would have been painted one after another: every one of them in the same colour, so the order
// inside the run makes no difference to the drawing, and everything else keeps its place.
//
// Inside a run, triangles are joined into convex polygons: a triangle that shares an edge (the
// same two vertex positions, exactly, in model coordinates: the same model point under the same
// matrices gives the same drawn point) with a polygon of the run is added to it when its third
// vertex lies outside that edge and the polygon stays convex; otherwise it starts a polygon of its
// own. Two polygons of the run that come to share an edge are merged when their union is convex.
// So a flat quad mesh, whose quads each give two triangles, ends as one rectangle. Vertices left
// on a straight line between their neighbours (within a sine of kCollinearSine) are dropped.
// The polygons stay convex because the clipping gains at most one vertex per plane only on convex
// polygons, and the painter's point-in-polygon test, plane cuts and overlap tests assume them.
//
// Shared edges are found through a hash map keyed by the edges' end positions, built once a run
// has more than a few vertices (small runs are searched directly), so a shape of n triangles
// costs O(n).
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
    // Runs of up to this many vertices (the two triangles of a quad, a few quads) are searched
    // for shared edges from end to end; larger ones through the hash map.
    static constexpr std::size_t kLinearSearchLimit = 24;

    bool isEmpty() const { return state == EMPTY; }
    // Starts a run with a triangle: its model points, and its clip points and colours as the
    // capture made them for the clipping.
    void start(const SbVec3f model[3], const SbVec4f clip[3], const SbColor colors[3]);
    // Adds the triangle to the run when it fits (see above); false leaves the run as it was.
    bool add(const SbVec3f model[3], const SbVec4f clip[3], const SbColor colors[3]);

    // The run's polygons, in the order of their first triangles: polygonSlots() slots, each either
    // empty (merged into an earlier one: count 0) or a polygon for the clipping, its clip points
    // and colours with the room the clipping needs after them (count + 7). A polygon of one
    // triangle is that triangle as it came, colours included; a joined polygon has the run's
    // colour and starts at its sharpest corner (the painter takes a polygon's normal from its
    // first three points). The arrays stay valid until the next call.
    int polygonSlots() const { return state == LONE ? 1 : static_cast<int>(polygons.size()); }
    int polygon(int slot, SbVec4f *&points, SbColor *&colors);
    // Forgets the run (keeps the memory).
    void clear();

private:
    struct Vertex {
        SbVec3f model;
        SbVec4f clip;
        int prev, next;
        int polygon; // a slot; follow parent links for the polygon it belongs to now
        bool alive;
    };
    struct Polygon {
        int parent; // itself while not merged into another
        int head;   // a vertex of its outline
        int count;
        int triangles;
        int firstTriangle;
    };
    struct EdgeKey {
        SbVec3f a, b; // ordered, so that both directions of an edge give one key
        bool operator==(const EdgeKey &o) const { return a == o.a && b == o.b; }
    };
    struct EdgeHash {
        std::size_t operator()(const EdgeKey &k) const;
    };
    struct TriangleRecord {
        SbVec4f clip[3];
        SbColor colors[3];
    };

    // What the run holds: nothing, its first triangle only (kept as it came: most triangles of a
    // curved surface never join, and cost no more than a copy), or joined polygons.
    enum State { EMPTY, LONE, RUN };

    bool beginRun(const SbVec3f model[3], const SbColor colors[3]);
    void newPolygon(const SbVec3f model[3], const SbVec4f clip[3], bool reversed);
    bool insertIntoPolygon(const SbVec3f model[3], const SbVec4f clip[3]);
    int polygonOf(int vertex);
    static EdgeKey keyOf(const SbVec3f &p, const SbVec3f &q);
    EdgeKey edgeOf(int from) const;
    void indexEdge(int from);
    void unindexEdge(int from);
    // The vertex other than `except` whose outline edge has this key; -1 for none.
    int ownerOf(const EdgeKey &key, int except) const;
    void indexAllEdges();
    void mergeAlong(int from);
    void mergePending();
    double turnSine(const SbVec3f &a, const SbVec3f &b, const SbVec3f &c) const;
    bool convexCorner(const SbVec3f &a, const SbVec3f &b, const SbVec3f &c) const;
    bool inPlane(const SbVec3f model[3]) const;
    void dropIfStraight(int v);
    int sharpestCorner(int head, int count) const;

    State state = EMPTY;
    SbVec3f loneModel[3];
    SbVec4f loneClip[10]; // with the room the clipping needs
    SbColor loneColors[10];
    bool joinable = false; // the lone triangle has a plane (decided when a second one comes)
    bool planeKnown = false;
    SbColor color;
    double normal[3] = {0, 0, 0};
    double offset = 0;
    std::vector<TriangleRecord> triangleRecords;
    std::vector<Vertex> pool;
    std::vector<Polygon> polygons;
    bool indexed = false;
    std::unordered_map<EdgeKey, int, EdgeHash> edges; // edge key -> the vertex it starts from
    std::vector<int> mergeCandidates;                 // edge starts whose key had another owner
    std::vector<SbVec4f> outPoints;
    std::vector<SbColor> outColors;
};

} // namespace scrivane_capture

#endif
