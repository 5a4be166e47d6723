// Step 4: the sweep. Every edge is split where, seen from the observer, it passes behind another
// edge, so that each piece is either wholly visible or wholly hidden (given the piercings already
// made) and its midpoint decides for all of it.
//
// Edges are placed one by one in increasing bucket order. Placing an edge E tests it against the
// edges already placed, bucket by bucket from the lowest active one up to the bucket above E's
// top, each bucket's list from its front. The first test that splits something ends the scan:
// if E was cut, E (now shorter) and then the piece cut from it are placed again; if the other
// edge was cut, its new piece is filed directly and E is placed again. Otherwise E is filed.
// Buckets whose edges all end below the bucket of the edge being placed can meet no later edge;
// the lowest active bucket moves past them.
//
// Only edges whose boxes meet can cut each other, so the scan skips what cannot: buckets whose
// edges all end below the placed edge's lower end, and, in a bucket with many edges, every edge
// listed in none of the x bins that the placed edge's x range meets. What is left is tried in
// the same order as a full scan, so the same edge is cut first.
#include "BoolComputation.h"
#include <algorithm>
#include <cmath>
#include <functional>

namespace scrivane_bool {

namespace {

constexpr int sweepBinCount = 64;

// The x bin of a value: 64 bins over [-1, 1], values beyond in the end bins (NaN in bin 0).
int binOf(double x) {
    const double v = (x + 1.0) * (sweepBinCount / 2.0);
    if (!(v >= 0.0)) return 0;
    if (v >= sweepBinCount - 1) return sweepBinCount - 1;
    return static_cast<int>(v);
}

// The bucket just above an edge's top: 1 + trunc((y + 1) * 250), kept within 0 .. 499.
int bucketAbove(double y) {
    const double v = (y + 1.0) * 250.0;
    if (!(v > -1.0)) return 0;
    if (v >= 498.0) return 499;
    return 1 + static_cast<int>(v);
}

enum class Cut { None, First, Second };

// Where e and g cross in x and y, the one that is farther there (smaller z) is cut, provided the
// crossing lies well inside it; a crossing at an end of the other one still cuts it (an end
// touching its interior), a crossing at its own end does not. The cut edge keeps its first
// vertex and ends at the crossing; the returned piece runs from the crossing to its old second
// vertex. Equal depths cut nothing, and an edge that is not drawn is never cut. The boxes of e
// and g are known to meet.
// The crossing point (x, y, and the depth of the cut edge) is returned in cx, cy, cz.
Cut splitAtCrossing(const BoolEdge *e, const BoolEdge *g, double &cx, double &cy, double &cz) {
    const BoolVertex *e1 = e->first, *e2 = e->second, *g1 = g->first, *g2 = g->second;
    const double den = (g2->y - g1->y) * (e1->x - e2->x) - (e1->y - e2->y) * (g2->x - g1->x);
    if (std::fabs(den) < parameterEpsilon) return Cut::None;
    const double t = ((g2->y - g1->y) * (e1->x - g1->x) - (e1->y - g1->y) * (g2->x - g1->x)) / den;
    const double u = ((e1->y - g1->y) * (e1->x - e2->x) - (e1->y - e2->y) * (e1->x - g1->x)) / den;
    const bool tInside = parameterInside(t), uInside = parameterInside(u);
    bool mayCutE = false, mayCutG = false;
    if (tInside && uInside) {
        mayCutE = mayCutG = true;
    } else if (tInside && parameterAtEnd(u)) {
        mayCutE = true;
    } else if (uInside && parameterAtEnd(t)) {
        mayCutG = true;
    } else {
        return Cut::None;
    }
    const double zE = (1.0 - t) * e1->z + t * e2->z;
    const double zG = (1.0 - u) * g1->z + u * g2->z;
    if (mayCutE && zE < zG && e->drawn) {
        cx = (1.0 - t) * e1->x + t * e2->x;
        cy = (1.0 - t) * e1->y + t * e2->y;
        cz = zE;
        return Cut::First;
    }
    if (mayCutG && zG < zE && g->drawn) {
        cx = (1.0 - u) * g1->x + u * g2->x;
        cy = (1.0 - u) * g1->y + u * g2->y;
        cz = zG;
        return Cut::Second;
    }
    return Cut::None;
}

BoolSweepSlot slotOf(BoolEdge *e) {
    return {std::min(e->first->x, e->second->x), std::max(e->first->x, e->second->x), e->first->y,
            e->second->y, e};
}

} // namespace

void BoolComputation::sweepEdges() {
    std::vector<BoolEdge *> order;
    for (int b = 0; b < bucketCount; b++) {
        for (std::size_t i = edgeTable[b].size(); i-- > 0;)
            if (!edgeTable[b][i]->split) order.push_back(edgeTable[b][i]);
        edgeTable[b].clear();
    }
    if (order.empty()) return;
    for (int b = 0; b < bucketCount; b++) {
        sweepTable[b].clear();
        sweepTopBound[b] = -1;
        sweepTopExact[b] = true;
    }
    sweepBins.assign(std::size_t(bucketCount) * sweepBinCount, std::vector<int>());
    lowestActiveBucket = bucketOf(order.front()->first->y);
    const int highestBucket = bucketOf(order.back()->first->y);
    sweepBucket = 0;
    for (std::size_t k = 0; k < order.size(); k++) {
        placeEdge(order[k]);
        if (k + 1 < order.size() && sweepBucket < highestBucket)
            sweepBucket = std::max(sweepBucket, bucketOf(order[k + 1]->first->y));
    }
    for (int b = 0; b < bucketCount; b++) {
        for (const BoolSweepSlot &slot : sweepTable[b])
            edgeTable[b].push_back(slot.edge);
        sweepTable[b].clear();
    }
    sweepBins.clear();
}

void BoolComputation::fileSweptEdge(BoolEdge *e) {
    const int b = bucketOf(e->first->y);
    e->sweepIndex = static_cast<int>(sweepTable[b].size());
    sweepTable[b].push_back(slotOf(e));
    sweepTopBound[b] = std::max(sweepTopBound[b], bucketOf(e->second->y));
    const BoolSweepSlot &slot = sweepTable[b].back();
    for (int k = binOf(slot.xmin); k <= binOf(slot.xmax); k++)
        sweepBins[std::size_t(b) * sweepBinCount + k].push_back(e->sweepIndex);
}

// After an edge was cut (it keeps its first vertex, hence its bucket), its slot's box shrinks,
// and the bucket's top may have come down.
void BoolComputation::refreshSlot(BoolEdge *e) {
    const int b = bucketOf(e->first->y);
    sweepTable[b][static_cast<std::size_t>(e->sweepIndex)] = slotOf(e);
    sweepTopExact[b] = false;
}

// Whether every edge of the bucket ends in a bucket below limit. The kept bound grows as edges
// are filed; when an edge is cut it may be too high, and it is made exact again when it is too
// high to answer.
bool BoolComputation::bucketEndsBelow(int bucket, int limit) {
    if (sweepTopBound[bucket] < limit) return true;
    if (sweepTopExact[bucket]) return false;
    int top = -1;
    for (const BoolSweepSlot &slot : sweepTable[bucket])
        top = std::max(top, bucketOf(slot.edge->second->y));
    sweepTopBound[bucket] = top;
    sweepTopExact[bucket] = true;
    return top < limit;
}

// Tests e against the edge in the given slot; when one of them is cut, files or queues the
// pieces as the sweep requires and returns true.
bool BoolComputation::cutAgainstSlot(BoolEdge *e, int bucket, std::size_t index) {
    const BoolSweepSlot &slot = sweepTable[bucket][index];
    const double exmin = std::min(e->first->x, e->second->x);
    const double exmax = std::max(e->first->x, e->second->x);
    if (slot.xmin > exmax || slot.xmax < exmin || slot.ymin > e->second->y ||
        slot.ymax < e->first->y)
        return false;
    BoolEdge *g = slot.edge;
    double x = 0.0, y = 0.0, z = 0.0;
    const Cut which = splitAtCrossing(e, g, x, y, z);
    if (which == Cut::None) return false;
    BoolVertex *v = newVertex(x, y, z);
    if (which == Cut::First) {
        BoolEdge *piece = newEdge(v, e->second, e->owner, true);
        e->second = v;
        placeStack.push_back(piece);
        placeStack.push_back(e);
    } else {
        BoolEdge *piece = newEdge(v, g->second, g->owner, true);
        g->second = v;
        refreshSlot(g);
        fileSweptEdge(piece);
        placeStack.push_back(e);
    }
    return true;
}

// Places an edge and, depth first, everything cut from it (an explicit stack instead of
// recursion: long edges crossing many others are cut many times).
void BoolComputation::placeEdge(BoolEdge *start) {
    placeStack.clear();
    placeStack.push_back(start);
    while (!placeStack.empty()) {
        BoolEdge *e = placeStack.back();
        placeStack.pop_back();
        const int high = bucketAbove(e->second->y);
        if (lowestActiveBucket > high) {
            fileSweptEdge(e);
            continue;
        }
        const int low = bucketOf(e->first->y);
        const int binLow = binOf(std::min(e->first->x, e->second->x));
        const int binHigh = binOf(std::max(e->first->x, e->second->x));
        bool cut = false;
        for (int b = lowestActiveBucket; b <= high && !cut; b++) {
            std::vector<BoolSweepSlot> &bucket = sweepTable[b];
            if (bucket.empty()) continue;
            if (b == lowestActiveBucket && bucketEndsBelow(b, sweepBucket)) {
                // Nothing here reaches the edges still to come.
                int next = b + 1;
                while (next < sweepBucket && sweepTable[next].empty())
                    next++;
                lowestActiveBucket = std::min(next, sweepBucket);
                continue;
            }
            if (sweepTopBound[b] < low) continue; // nothing here reaches up to e
            if (binHigh - binLow >= 4 || bucket.size() <= 16) {
                for (std::size_t i = bucket.size(); i-- > 0 && !cut;)
                    cut = cutAgainstSlot(e, b, i);
                continue;
            }
            // The slots listed in e's bins, latest filed first (the order of the list's front).
            const std::vector<int> *bins = &sweepBins[std::size_t(b) * sweepBinCount];
            candidates.clear();
            for (int k = binLow; k <= binHigh; k++)
                candidates.insert(candidates.end(), bins[k].begin(), bins[k].end());
            std::sort(candidates.begin(), candidates.end(), std::greater<int>());
            candidates.erase(std::unique(candidates.begin(), candidates.end()), candidates.end());
            for (std::size_t i = 0; i < candidates.size() && !cut; i++)
                cut = cutAgainstSlot(e, b, std::size_t(candidates[i]));
        }
        if (!cut) fileSweptEdge(e);
    }
}

} // namespace scrivane_bool
