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
#include <cstdint>
#include <memory>
#include <unordered_map>
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

// An edge's place in the sweep: its box, kept beside it so that most pairs are rejected without
// touching the edge's vertices, and its rank in the order in which a placed edge tries the edges
// already placed (bucket by bucket upward, and in a bucket the latest filed first).
struct BoolSweepSlot {
    double xmin, xmax, ymin, ymax;
    BoolEdge *edge;
    std::uint64_t rank;
    // Its entries in the cell lists, allocated together, one for each cell that the segment
    // from the edge's first vertex to listedEnd took when it was filed, in the order in which
    // SegmentCells gives them.
    int firstNode, nodeCount;
    const BoolVertex *listedEnd;
};

// The sweep's grid: square cells over the part of the square that the edges cover (the outer
// cells reach on to infinity).
struct BoolSweepGrid {
    double x0 = -1.0, y0 = -1.0; // the lower left corner of cell 0
    double scale = 1.0;          // cells per unit
    int columns = 1, rows = 1;
};

// An entry of a cell's list in the sweep's grid. An edge that is cut leaves the cells that it no
// longer passes: its entries there get slot -1, and they are unlinked when a search meets them.
struct BoolCellNode {
    int slot, next;
};

// A growing array in chunks of 65536 records, so that growing never copies what is there.
template <typename T> class BoolChunks {
public:
    T &operator[](std::size_t i) { return chunks[i >> 16][i & 0xFFFF]; }
    std::size_t size() const { return count; }
    void push_back(const T &value) {
        if ((count & 0xFFFF) == 0) chunks.emplace_back(new T[0x10000]);
        chunks[count >> 16][count & 0xFFFF] = value;
        count++;
    }
    void clear() {
        chunks.clear();
        count = 0;
    }

private:
    std::vector<std::unique_ptr<T[]>> chunks;
    std::size_t count = 0;
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
    static std::uint64_t endKey(int bucket, double x, int step);
    BoolEdge *newEdge(BoolVertex *first, BoolVertex *second, int owner, bool drawn);
    BoolVertex *newVertex(double x, double y, double z);
    // Steps 2 and 3 (BoolPierce.cpp).
    void pierceFaces();
    void pierceEdge(BoolEdge *e, const BoolFace &f);
    void splitAtPiercings();
    // Step 4 (BoolSweep.cpp).
    void sweepEdges();
    void placeEdge(BoolEdge *e);
    void fileSweptEdge(BoolEdge *e);
    void cutSlot(BoolEdge *g, BoolVertex *v);
    void listInCells(int slot);
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
    // The edges filed so far (until the sweep), listed by endKey of their bucket and first x:
    // endIndex holds the first node of each list in endNodes.
    struct EndNode {
        BoolEdge *edge;
        int next;
    };
    std::unordered_map<std::uint64_t, int> endIndex;
    std::vector<EndNode> endNodes;
    int edgeSerial = 0;

    // Sweep state.
    std::vector<BoolSweepSlot> sweepSlots;                // every filed edge, by its sweepIndex
    std::array<std::vector<int>, bucketCount> sweepTable; // slots of each bucket, in filing order
    std::array<int, bucketCount> sweepTopBound{};  // >= the top bucket of every edge in a bucket
    std::array<bool, bucketCount> sweepTopExact{}; // sweepTopBound is that top bucket exactly
    // Every filed edge is listed in each cell that its segment, widened by the distance within
    // which it can still be cut or cut another, passes through: two edges that cut each other
    // share a cell. cellHead[c] starts the list of cell c in cellNodes (-1 when empty).
    BoolSweepGrid sweepGrid;
    std::vector<int> cellHead;
    BoolChunks<BoolCellNode> cellNodes;
    std::vector<int> cellScratch;
    std::vector<int> farSlots; // edges reaching too far out for the cells, in no cell
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
