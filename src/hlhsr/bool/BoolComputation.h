// One run of the edge visibility engine, with all its working state. The steps run in order:
//   1. prepare   every shape becomes edges (filed by the bucket of their lower y) and every
//                polygon with a usable plane becomes a face (filed by the bucket of its ymin);
//   2. pierce    every edge gets the points where it passes through a face, in order along it;
//   3. split     pierced edges are replaced by their pieces;
//   4. sweep     every edge is split where, seen from the observer, it passes behind another;
//   5. visible   the midpoint of every piece is tested against the faces; hidden pieces go;
//   6. chain     visible pieces of one shape that meet end to end are joined into polylines.
// Bucket lists are std::vectors whose back is the list's front: filing an edge pushes it back,
// and walking a list from its front walks the vector from its end.
#ifndef SCRIVANE_HLHSR_BOOL_BOOLCOMPUTATION_H
#define SCRIVANE_HLHSR_BOOL_BOOLCOMPUTATION_H
#include "BoolEngine.h"
#include "BoolRecords.h"
#include <array>
#include <vector>

namespace scrivane_bool {

// A polygon that hides: its plane (normal . P + d = 0, normal z >= 0), its box, and its outline
// in x and y (counter-clockwise seen from +z), as outlineCount pairs from outlineStart.
struct BoolFace {
    double nx, ny, nz, d;
    double xmin, ymin, zmin, xmax, ymax, zmax;
    int outlineStart;
    int outlineCount;
    int owner;
};

// An edge's place in the sweep table, with its box kept beside it so that most pairs are
// rejected without touching the edge's vertices.
struct BoolSweepSlot {
    double xmin, xmax, ymin, ymax;
    BoolEdge *edge;
};

struct BoolFaceGrid;

class BoolComputation {
public:
    explicit BoolComputation(const BoolEngine &engine);
    BoolComputation(const BoolComputation &) = delete;
    BoolComputation &operator=(const BoolComputation &) = delete;

    BoolLines run();

private:
    using EdgeTable = std::array<std::vector<BoolEdge *>, bucketCount>;

    // Step 1 (BoolEngine.cpp).
    void prepareShape(int shape);
    BoolEdge *insertEdge(BoolVertex *a, BoolVertex *b, int owner, bool drawn);
    BoolEdge *newEdge(BoolVertex *first, BoolVertex *second, int owner, bool drawn);
    BoolVertex *newVertex(double x, double y, double z);
    // Steps 2 and 3 (BoolPierce.cpp).
    void pierceFaces();
    void pierceEdge(BoolEdge *e, const BoolFace &f);
    void splitAtPiercings();
    // Step 4 (BoolSweep.cpp).
    void sweepEdges();
    void placeEdge(BoolEdge *e);
    bool cutAgainstSlot(BoolEdge *e, int bucket, std::size_t index);
    void fileSweptEdge(BoolEdge *e);
    void refreshSlot(BoolEdge *e);
    bool bucketEndsBelow(int bucket, int limit);
    // Steps 5 and 6 (BoolVisibility.cpp).
    void collectVisibleEdges(EdgeTable &visible);
    bool edgeIsHidden(const BoolEdge *e, int bucket, const BoolFaceGrid &grid) const;
    void chainEdges(EdgeTable &visible, BoolLines &out) const;

    bool isPointInFace(double x, double y, const BoolFace &f) const;
    bool faceHidesPoint(double x, double y, double z, const BoolFace &f) const;

    const BoolEngine &engine;
    BoolPool<BoolVertex> vertices;
    BoolPool<BoolEdge> edges;
    EdgeTable edgeTable;
    std::vector<BoolFace> faces;
    std::array<std::vector<int>, bucketCount> faceTable; // face indices
    std::vector<double> outlines;                        // x, y pairs of the faces' outlines

    // Sweep state.
    std::array<std::vector<BoolSweepSlot>, bucketCount> sweepTable;
    std::array<int, bucketCount> sweepTopBound{};  // >= the top bucket of every edge in a bucket
    std::array<bool, bucketCount> sweepTopExact{}; // sweepTopBound is that top bucket exactly
    // The slots of each bucket by x: bin k of bucket b (entry b * sweepBinCount + k) lists, in
    // filing order, the slots whose x range meets that bin.
    std::vector<std::vector<int>> sweepBins;
    std::vector<int> candidates;
    int lowestActiveBucket = 0;
    int sweepBucket = 0;
    std::vector<BoolEdge *> placeStack;
};

// Where a segment parameter lies: well inside (0, 1), at an end, or outside.
inline bool parameterInside(double t) {
    return t > 0.0 && t < 1.0 && t >= parameterEpsilon && 1.0 - t >= parameterEpsilon;
}
inline bool parameterAtEnd(double t) {
    return (t > -parameterEpsilon && t < parameterEpsilon) ||
           (t - 1.0 > -parameterEpsilon && t - 1.0 < parameterEpsilon);
}

inline bool samePoint(const BoolVertex *a, const BoolVertex *b) {
    auto near = [](double u, double v) { return u - v < boolEpsilon && v - u < boolEpsilon; };
    return near(a->x, b->x) && near(a->y, b->y) && near(a->z, b->z);
}

} // namespace scrivane_bool

#endif
