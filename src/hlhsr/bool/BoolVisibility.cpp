// Steps 5 and 6: keep the pieces whose midpoint no face hides, and join the kept pieces of each
// shape end to end into polylines.
//
// Whether a face hides a midpoint does not depend on the order in which faces are tried, so the
// faces are looked up through a grid over the square: each face is listed in every cell its box
// touches and a midpoint is tried only against the faces of its own cell. Two rules of the
// bucketed search are kept as they are, since they decide for points outside the square: an
// edge reaching no higher than y = -1 - 1/250 is visible, and a face whose top lies below the
// bucket of an edge's lower end hides nothing for that edge.
#include "BoolComputation.h"
#include <algorithm>
#include <cmath>
#include <unordered_map>

namespace scrivane_bool {

struct BoolFaceGrid {
    int size = 1;               // cells per side
    std::vector<int> cellStart; // size*size + 1 offsets into cellFaces
    std::vector<int> cellFaces; // face indices, cell by cell

    int cellOf(double v) const {
        const double c = (v + 1.0) * 0.5 * size;
        if (!(c >= 0.0)) return 0;
        if (c >= size) return size - 1;
        return static_cast<int>(c);
    }
    // Cell lookups are monotonic in x and in y, so a face whose box holds a point is listed in
    // the point's cell.
    void build(const std::vector<BoolFace> &faces) {
        const std::size_t n = faces.size();
        // About one face per cell, fewer cells when large faces would fill too many of them.
        size = static_cast<int>(std::min(256.0, std::max(1.0, std::ceil(std::sqrt(double(n))))));
        const std::size_t budget = 16 * n + 65536;
        for (;;) {
            std::size_t total = 0;
            for (const BoolFace &f : faces)
                total += std::size_t(cellOf(f.xmax) - cellOf(f.xmin) + 1) *
                         std::size_t(cellOf(f.ymax) - cellOf(f.ymin) + 1);
            if (total <= budget || size == 1) break;
            size = std::max(1, size / 2);
        }
        cellStart.assign(std::size_t(size) * size + 1, 0);
        for (const BoolFace &f : faces)
            for (int cy = cellOf(f.ymin); cy <= cellOf(f.ymax); cy++)
                for (int cx = cellOf(f.xmin); cx <= cellOf(f.xmax); cx++)
                    cellStart[std::size_t(cy) * size + cx + 1]++;
        for (std::size_t i = 1; i < cellStart.size(); i++)
            cellStart[i] += cellStart[i - 1];
        cellFaces.assign(std::size_t(cellStart.back()), 0);
        std::vector<int> fill(cellStart.begin(), cellStart.end() - 1);
        for (std::size_t k = 0; k < n; k++) {
            const BoolFace &f = faces[k];
            for (int cy = cellOf(f.ymin); cy <= cellOf(f.ymax); cy++)
                for (int cx = cellOf(f.xmin); cx <= cellOf(f.xmax); cx++)
                    cellFaces[std::size_t(fill[std::size_t(cy) * size + cx]++)] = int(k);
        }
    }
};

// Behind f (below its plane by more than the margin) and inside its outline.
bool BoolComputation::faceHidesPoint(double x, double y, double z, const BoolFace &f) const {
    if (x < f.xmin || x > f.xmax || y < f.ymin || y > f.ymax) return false;
    if (f.nx * x + f.ny * y + f.nz * z + f.d > planeSideLimit) return false;
    return isPointInFace(x, y, f);
}

bool BoolComputation::edgeIsHidden(const BoolEdge *e, int bucket, const BoolFaceGrid &grid) const {
    const BoolVertex *p = e->first, *q = e->second;
    const double top = std::min((std::max(p->y, q->y) + 1.0) * 250.0, 499.0);
    if (!(top > -1.0)) return false;
    const int topBucket = static_cast<int>(top);
    const double mx = 0.5 * (p->x + q->x), my = 0.5 * (p->y + q->y);
    const double mz = 0.5 * (p->z + q->z) + midpointLift;
    const std::size_t cell = std::size_t(grid.cellOf(my)) * grid.size + grid.cellOf(mx);
    for (int k = grid.cellStart[cell]; k < grid.cellStart[cell + 1]; k++) {
        const BoolFace &f = faces[std::size_t(grid.cellFaces[std::size_t(k)])];
        if (bucketOf(f.ymin) > topBucket || (f.ymax + 1.0) * 250.0 < bucket) continue;
        if (faceHidesPoint(mx, my, mz, f)) return true;
    }
    return false;
}

void BoolComputation::collectVisibleEdges(EdgeTable &visible) {
    BoolFaceGrid grid;
    grid.build(faces);
    for (int b = 0; b < bucketCount; b++) {
        for (std::size_t i = edgeTable[b].size(); i-- > 0;) {
            BoolEdge *e = edgeTable[b][i];
            if (e->split || !e->drawn || edgeIsHidden(e, b, grid)) continue;
            visible[bucketOf(e->first->y)].push_back(e);
        }
    }
}

namespace {

// Whether b -> c continues a -> b in a straight line: both long enough, the same direction, and
// b strictly between a and c in x and in y.
bool continuesStraight(const BoolVertex *a, const BoolVertex *b, const BoolVertex *c) {
    const double ux = b->x - a->x, uy = b->y - a->y, uz = b->z - a->z;
    const double vx = c->x - b->x, vy = c->y - b->y, vz = c->z - b->z;
    const double lu = std::sqrt(ux * ux + uy * uy + uz * uz);
    const double lv = std::sqrt(vx * vx + vy * vy + vz * vz);
    if (lu <= parameterEpsilon || lv <= parameterEpsilon) return false;
    const double cx = (uy * vz - uz * vy) / (lu * lv), cy = (uz * vx - ux * vz) / (lu * lv),
                 cz = (ux * vy - uy * vx) / (lu * lv);
    if (std::fabs(cx) >= parameterEpsilon || std::fabs(cy) >= parameterEpsilon ||
        std::fabs(cz) >= parameterEpsilon)
        return false;
    const bool betweenX = (a->x < b->x && b->x < c->x) || (a->x > b->x && b->x > c->x);
    const bool betweenY = (a->y < b->y && b->y < c->y) || (a->y > b->y && b->y > c->y);
    return betweenX && betweenY;
}

// The visible table as doubly linked lists, twice: each bucket's list, and within it, for each
// owner shape and each step of 2e-4 in the x of the first vertex, the sub-list of the edges of
// that shape starting there (same relative order). Looking for a continuation at an end point
// only walks the edges of the right shape that start within the tolerance of it, in the sub-lists
// of the step of the end point's x and the two beside it. Nodes are numbered in list order, so
// of several edges found the one with the smallest number is the one a walk of the list from
// its front meets first.
class VisibleLists {
public:
    explicit VisibleLists(const std::array<std::vector<BoolEdge *>, bucketCount> &table) {
        std::size_t total = 0;
        for (const auto &bucket : table)
            total += bucket.size();
        nodes.reserve(total);
        std::unordered_map<std::uint64_t, int> groupTail;
        for (int b = 0; b < bucketCount; b++) {
            heads[b] = -1;
            int tail = -1;
            for (std::size_t i = table[b].size(); i-- > 0;) {
                BoolEdge *e = table[b][i];
                const int k = static_cast<int>(nodes.size());
                const std::uint64_t key = groupKey(e->owner, b, e->first->x, 0);
                nodes.push_back({e, tail, -1, -1, -1, b, key});
                if (tail < 0)
                    heads[b] = k;
                else
                    nodes[std::size_t(tail)].next = k;
                tail = k;
                auto it = groupTail.find(key);
                if (it == groupTail.end()) {
                    groupHeads[key] = k;
                    groupTail[key] = k;
                } else {
                    nodes[std::size_t(k)].groupPrev = it->second;
                    nodes[std::size_t(it->second)].groupNext = k;
                    it->second = k;
                }
            }
        }
    }

    int head(int bucket) const { return heads[bucket]; }
    BoolEdge *edge(int k) const { return nodes[std::size_t(k)].edge; }

    void remove(int k) {
        Node &n = nodes[std::size_t(k)];
        if (n.prev >= 0)
            nodes[std::size_t(n.prev)].next = n.next;
        else
            heads[n.bucket] = n.next;
        if (n.next >= 0) nodes[std::size_t(n.next)].prev = n.prev;
        if (n.groupPrev >= 0) {
            nodes[std::size_t(n.groupPrev)].groupNext = n.groupNext;
        } else if (n.groupNext >= 0) {
            groupHeads[n.group] = n.groupNext;
        } else {
            groupHeads.erase(n.group);
        }
        if (n.groupNext >= 0) nodes[std::size_t(n.groupNext)].groupPrev = n.groupPrev;
    }

    // The first edge of the owner in the bucket (list order) starting at end and continuing
    // a -> end straight on; failing that, the first one starting at end; -1 when there is none.
    int find(int bucket, int owner, const BoolVertex *a, const BoolVertex *end) const {
        int straight = -1, any = -1;
        for (int step = -1; step <= 1; step++) {
            auto it = groupHeads.find(groupKey(owner, bucket, end->x, step));
            if (it == groupHeads.end()) continue;
            for (int k = it->second; k >= 0; k = nodes[std::size_t(k)].groupNext) {
                if (straight >= 0 && k > straight) break; // (sub-lists run in list order)
                const BoolEdge *e = nodes[std::size_t(k)].edge;
                if (!samePoint(e->first, end)) continue;
                if (any < 0 || k < any) any = k;
                if (continuesStraight(a, end, e->second)) straight = k;
            }
        }
        return straight >= 0 ? straight : any;
    }

private:
    struct Node {
        BoolEdge *edge;
        int prev, next, groupPrev, groupNext;
        int bucket;
        std::uint64_t group;
    };
    // The sub-list of an owner's edges in a bucket whose first x lies in a step of 2e-4 (step
    // moves to a neighbouring one); x far out is clamped.
    static std::uint64_t groupKey(int owner, int bucket, double x, int step) {
        const double v = std::floor(x * 5000.0);
        const double limit = 4194303.0;
        const long long q = static_cast<long long>(v < -limit  ? -limit
                                                   : v > limit ? limit
                                                               : v) +
                            step + 4194304;
        return (static_cast<std::uint64_t>(static_cast<unsigned>(owner)) << 33) |
               (static_cast<std::uint64_t>(bucket) << 24) | static_cast<std::uint64_t>(q);
    }
    std::vector<Node> nodes;
    int heads[bucketCount];
    std::unordered_map<std::uint64_t, int> groupHeads;
};

} // namespace

// Each bucket in turn, while it holds edges: its front edge starts a polyline, which grows from
// its end by an edge of the same shape starting there (found in the bucket of the end's y),
// preferably one going straight on. Pieces of no length are used up without being drawn.
void BoolComputation::chainEdges(EdgeTable &visible, BoolLines &out) const {
    VisibleLists lists(visible);
    for (int b = 0; b < bucketCount; b++) {
        while (lists.head(b) >= 0) {
            const int k = lists.head(b);
            const BoolEdge *e = lists.edge(k);
            lists.remove(k);
            const int owner = e->owner;
            BoolLines::Line line;
            line.start = static_cast<int>(out.points.size() / 2);
            line.attribute = engine.getShapes()[std::size_t(owner)].attribute;
            out.points.push_back(e->first->x);
            out.points.push_back(e->first->y);
            out.points.push_back(e->second->x);
            out.points.push_back(e->second->y);
            line.count = 2;
            const BoolVertex *before = e->first, *end = e->second;
            for (;;) {
                const int nb = bucketOf(end->y);
                const int m = lists.find(nb, owner, before, end);
                if (m < 0) break;
                const BoolEdge *next = lists.edge(m);
                lists.remove(m);
                if (samePoint(next->first, next->second)) continue;
                before = end;
                end = next->second;
                out.points.push_back(end->x);
                out.points.push_back(end->y);
                line.count++;
            }
            out.lines.push_back(line);
        }
    }
}

} // namespace scrivane_bool
