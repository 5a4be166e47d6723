// Records, tolerances and the y bucketing of the edge visibility engine (the hidden-line core).
//
// The engine works in doubles on (x, y, z) with z pointing toward the observer (a larger z is
// nearer). Everything of interest lies in x, y within [-1, 1]; the y range is cut into 500
// buckets of width 1/250 so that the piercing, sweep and visibility steps only pair up records
// whose y ranges can meet. All records of one computation come from typed block pools owned by
// that computation and are released together when it ends; nothing in this engine is shared
// between computations, so separate engines may run on separate threads at the same time.
#ifndef SCRIVANE_HLHSR_BOOL_BOOLRECORDS_H
#define SCRIVANE_HLHSR_BOOL_BOOLRECORDS_H
#include "scene/base/SbColor.h"
#include <cstddef>
#include <memory>
#include <vector>

namespace scrivane_bool {

// Coordinates equal within this are the same point; also the limit below which a normal
// component or a vertical extent counts as zero.
constexpr double boolEpsilon = 0.0001;
// Determinants below this mean parallel; a segment parameter this close to 0 or 1 is an end.
constexpr double parameterEpsilon = 0.0001;
// Cross-product lengths and orientation signs below this count as zero (boolEpsilon squared).
constexpr double signEpsilon = 1e-8;
// A point is behind a face only when its plane value is below this (not merely on the plane).
constexpr double planeSideLimit = -0.001;
// Midpoints are lifted this much toward the observer before the visibility test, so that an
// edge lying in a face's plane is never hidden by that face.
constexpr double midpointLift = 0.003;

constexpr int bucketCount = 500;

// The bucket of a y value: trunc((y + 1) * 250), kept within 0 .. 499 (NaN goes to 0).
inline int bucketOf(double y) {
    const double v = (y + 1.0) * 250.0;
    if (!(v >= 1.0)) return 0;
    if (v >= 499.0) return 499;
    return static_cast<int>(v);
}

// The drawing attribute of a shape, carried into every visible polyline that the shape gives.
struct BoolAttribute {
    SbColor color;
    float lineWidth = 0.0f;
    unsigned short linePattern = 0xFFFF;
};

// A point. next links the piercing list of an edge (kept in order along the edge).
struct BoolVertex {
    double x, y, z;
    BoolVertex *next;
};

// A segment from first to second, first having the smaller y. owner is the index of the input
// shape it comes from. split marks an edge replaced by its pieces (ignored from then on).
// sweepIndex is the edge's slot while the sweep runs; serial numbers the edges in the order in
// which they are filed before the sweep. An edge that is not drawn is part of a face's outline
// that the caller does not want drawn: it is never pierced, cut, tested or chained, but it still
// cuts the edges that pass behind it, since their visibility changes where they pass behind its
// face's outline.
struct BoolEdge {
    BoolVertex *first;
    BoolVertex *second;
    BoolVertex *piercings;
    int owner;
    int sweepIndex;
    int serial;
    bool split;
    bool drawn;
};

// Records handed out one at a time from blocks of a fixed number of records, zero-filled, never
// freed one by one: the blocks go when the pool goes. Addresses stay valid for the pool's life.
template <typename T> class BoolPool {
public:
    explicit BoolPool(std::size_t recordsPerBlock) : perBlock(recordsPerBlock) {}
    BoolPool(const BoolPool &) = delete;
    BoolPool &operator=(const BoolPool &) = delete;

    T *allocate() {
        if (blocks.empty() || used == perBlock) {
            blocks.emplace_back(new T[perBlock]());
            used = 0;
        }
        return &blocks.back()[used++];
    }

private:
    std::size_t perBlock;
    std::size_t used = 0;
    std::vector<std::unique_ptr<T[]>> blocks;
};

} // namespace scrivane_bool

#endif
