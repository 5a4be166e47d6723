// Step 4: the sweep. Every edge is split where, seen from the observer, it passes behind another
// edge, so that each piece is either wholly visible or wholly hidden (given the piercings already
// made) and its midpoint decides for all of it.
//
// Edges are placed one by one in increasing bucket order. Placing an edge E tests it against the
// edges already placed, bucket by bucket from the lowest active one up to the bucket above E's
// top, each bucket's list from its front (the latest filed first). The first test that splits
// something ends the scan: if E was cut, E (now shorter) and then the piece cut from it are
// placed again; if the other edge was cut, its new piece is filed directly and E is placed again.
// Otherwise E is filed. Buckets whose edges all end below the bucket of the edge being placed
// can meet no later edge; the lowest active bucket moves past them.
//
// Only the first test that cuts matters: a test that cuts nothing changes nothing. Two edges cut
// each other only where they cross, or where an end of one touches the other, within the
// parameter tolerance; so they pass within that tolerance of one common point. Every filed edge is
// listed in the cells of a grid that its segment, widened by more than that tolerance, passes
// through. A placed edge tests the edges listed in its own cells (those whose boxes meet its box,
// in the buckets the scan would visit) and keeps, of those that cut, the first in the scan's
// order. Every edge that can cut, or be cut by, the placed edge is among them, so that is the
// edge a test of every edge in scan order would find first, and the result is the same. Long
// edges cost no more than their cells: an edge is only met where it passes.
//
// The tolerance holds as long as rounding moves the parameters of a crossing far less than 1e-4,
// which it does for coordinates up to 64 in x and y. An edge reaching farther (the square is
// [-1, 1]^2, so only a few edges clipped elsewhere do) is tested against every edge instead.
#include "BoolComputation.h"
#include <algorithm>
#include <cmath>

namespace scrivane_bool {

namespace {

// The bucket just above an edge's top: 1 + trunc((y + 1) * 250), kept within 0 .. 499.
int bucketAbove(double y) {
    const double v = (y + 1.0) * 250.0;
    if (!(v > -1.0)) return 0;
    if (v >= 498.0) return 499;
    return 1 + static_cast<int>(v);
}

// Whether the segment reaches so far out that the cells do not hold for it (see above).
bool reachesFar(const BoolVertex *p, const BoolVertex *q) {
    const double limit = 64.0;
    return !(std::fabs(p->x) <= limit && std::fabs(p->y) <= limit && std::fabs(q->x) <= limit &&
             std::fabs(q->y) <= limit);
}

// A slot's rank: its bucket, then the reverse of its position in the bucket's list, so that
// increasing ranks run in the order of the scan.
std::uint64_t rankOf(int bucket, std::size_t position) {
    return (static_cast<std::uint64_t>(bucket) << 32) |
           (0xFFFFFFFFull - static_cast<std::uint64_t>(position));
}
int bucketOfRank(std::uint64_t rank) {
    return static_cast<int>(rank >> 32);
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

// The edge's box. Its y range is taken from both ends: the point where an edge that is (nearly)
// horizontal is cut may come out a rounding step below its first vertex, and the piece from that
// point then runs downward.
void setBox(BoolSweepSlot &slot, const BoolEdge *e) {
    slot.xmin = std::min(e->first->x, e->second->x);
    slot.xmax = std::max(e->first->x, e->second->x);
    slot.ymin = std::min(e->first->y, e->second->y);
    slot.ymax = std::max(e->first->y, e->second->y);
}

// The cells that an edge's segment passes through, widened by 2e-4 x its length + 1e-7. A cut
// needs a crossing whose parameter lies within 1e-4 outside either segment at most, a point
// within 1e-4 x length of each segment (the parameters come from quotients with a denominator of
// at least 1e-4, so rounding moves them far less than the extra margin); so two edges that cut
// each other share a cell. The widening is taken as a square around each point of the segment;
// row by row the cells from the leftmost to the rightmost reach of the segment's part near that
// row are taken. Cells are clamped to the grid, so the outer rows and columns take in
// everything beyond.
class SegmentCells {
public:
    SegmentCells(const BoolVertex *p, const BoolVertex *q, const BoolSweepGrid &grid) : g(grid) {
        ax = p->x;
        ay = p->y;
        bx = q->x;
        by = q->y;
        if (ay > by) {
            std::swap(ax, bx);
            std::swap(ay, by);
        }
        dx = bx - ax;
        dy = by - ay;
        reach = 2e-4 * std::sqrt(dx * dx + dy * dy) + 1e-7;
        xmin = std::min(ax, bx);
        xmax = std::max(ax, bx);
        rowLow = row(ay - reach);
        rowHigh = row(by + reach);
    }

    int rowLow, rowHigh;

    // The columns of the cells taken in row r (rowLow <= r <= rowHigh).
    void columns(int r, int &from, int &to) const {
        double lo = xmin, hi = xmax;
        if (dy > 0.0 && rowLow < rowHigh) {
            // The part of the segment within reach of the row (the end rows reach on).
            const double ya = r == 0 ? ay : std::max(ay, g.y0 + r / g.scale - reach);
            const double yb = r == g.rows - 1 ? by : std::min(by, g.y0 + (r + 1) / g.scale + reach);
            const double xa = ax + (ya - ay) / dy * dx, xb = ax + (yb - ay) / dy * dx;
            lo = std::max(xmin, std::min(xa, xb));
            hi = std::min(xmax, std::max(xa, xb));
        }
        from = column(lo - reach);
        to = column(hi + reach);
    }

    bool contains(int cell) const {
        const int r = cell / g.columns, c = cell % g.columns;
        if (r < rowLow || r > rowHigh) return false;
        int from = 0, to = 0;
        columns(r, from, to);
        return c >= from && c <= to;
    }

    template <typename Visit> void forEach(Visit visit) const {
        for (int r = rowLow; r <= rowHigh; r++) {
            int from = 0, to = 0;
            columns(r, from, to);
            for (int c = from; c <= to; c++)
                visit(r * g.columns + c);
        }
    }

private:
    int column(double x) const {
        const double c = (x - g.x0) * g.scale;
        if (!(c >= 0.0)) return 0;
        if (c >= g.columns) return g.columns - 1;
        return static_cast<int>(c);
    }
    int row(double y) const {
        const double c = (y - g.y0) * g.scale;
        if (!(c >= 0.0)) return 0;
        if (c >= g.rows) return g.rows - 1;
        return static_cast<int>(c);
    }

    const BoolSweepGrid &g;
    double ax, ay, bx, by, dx, dy, reach, xmin, xmax;
};

} // namespace

void BoolComputation::sweepEdges() {
    // Nothing is filed through insertEdge any more.
    endIndex = {};
    endNodes = {};
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
    // Square cells over the part of the square that the edges cover, about two per edge.
    double xmin = 1.0, xmax = -1.0, ymin = 1.0, ymax = -1.0;
    for (const BoolEdge *e : order)
        for (const BoolVertex *v : {e->first, e->second}) {
            xmin = std::min(xmin, v->x);
            xmax = std::max(xmax, v->x);
            ymin = std::min(ymin, v->y);
            ymax = std::max(ymax, v->y);
        }
    xmin = std::max(xmin, -1.0);
    ymin = std::max(ymin, -1.0);
    const double width = std::max(std::min(xmax, 1.0) - xmin, 1e-3);
    const double height = std::max(std::min(ymax, 1.0) - ymin, 1e-3);
    const double cells = std::min(2.0 * static_cast<double>(order.size()), 4194304.0);
    const double side =
        std::max({std::sqrt(width * height / cells), width / 2048.0, height / 2048.0});
    sweepGrid.x0 = xmin;
    sweepGrid.y0 = ymin;
    sweepGrid.scale = 1.0 / side;
    sweepGrid.columns = static_cast<int>(std::min(2048.0, std::max(1.0, std::ceil(width / side))));
    sweepGrid.rows = static_cast<int>(std::min(2048.0, std::max(1.0, std::ceil(height / side))));
    cellHead.assign(std::size_t(sweepGrid.columns) * std::size_t(sweepGrid.rows), -1);
    cellNodes.clear();
    sweepSlots.clear();
    farSlots.clear();
    lowestActiveBucket = bucketOf(order.front()->first->y);
    const int highestBucket = bucketOf(order.back()->first->y);
    sweepBucket = 0;
    for (std::size_t k = 0; k < order.size(); k++) {
        placeEdge(order[k]);
        if (k + 1 < order.size() && sweepBucket < highestBucket)
            sweepBucket = std::max(sweepBucket, bucketOf(order[k + 1]->first->y));
    }
    for (int b = 0; b < bucketCount; b++) {
        for (int slot : sweepTable[b])
            edgeTable[b].push_back(sweepSlots[std::size_t(slot)].edge);
        sweepTable[b].clear();
    }
    sweepSlots.clear();
    cellHead.clear();
    cellNodes.clear();
    farSlots.clear();
}

void BoolComputation::fileSweptEdge(BoolEdge *e) {
    const int b = bucketOf(e->first->y);
    const int id = static_cast<int>(sweepSlots.size());
    BoolSweepSlot slot{};
    setBox(slot, e);
    slot.edge = e;
    slot.rank = rankOf(b, sweepTable[b].size());
    sweepSlots.push_back(slot);
    sweepTable[b].push_back(id);
    e->sweepIndex = id;
    sweepTopBound[b] = std::max(sweepTopBound[b], bucketOf(e->second->y));
    listInCells(id);
}

void BoolComputation::listInCells(int slot) {
    BoolSweepSlot &s = sweepSlots[std::size_t(slot)];
    s.firstNode = static_cast<int>(cellNodes.size());
    s.nodeCount = 0;
    s.listedEnd = s.edge->second;
    if (reachesFar(s.edge->first, s.edge->second)) {
        farSlots.push_back(slot);
        return;
    }
    SegmentCells(s.edge->first, s.edge->second, sweepGrid).forEach([this, slot](int cell) {
        int &head = cellHead[std::size_t(cell)];
        cellNodes.push_back({slot, head});
        head = static_cast<int>(cellNodes.size()) - 1;
    });
    s.nodeCount = static_cast<int>(cellNodes.size()) - s.firstNode;
}

// Cuts the filed edge g at v: it keeps its first vertex (hence its bucket and its place in the
// bucket's list) and ends at v. Its slot's box shrinks, the bucket's top may have come down, and
// it leaves the cells that its shorter segment no longer takes. (It needs no new ones: the
// widening of the segment it was listed with covers every point where the shorter one can still
// cut or be cut.)
void BoolComputation::cutSlot(BoolEdge *g, BoolVertex *v) {
    g->second = v;
    BoolSweepSlot &s = sweepSlots[std::size_t(g->sweepIndex)];
    setBox(s, g);
    sweepTopExact[bucketOfRank(s.rank)] = false;
    if (s.nodeCount == 0) return;
    cellScratch.clear();
    SegmentCells(g->first, s.listedEnd, sweepGrid).forEach([this](int cell) {
        cellScratch.push_back(cell);
    });
    const SegmentCells now(g->first, g->second, sweepGrid);
    for (int k = 0; k < s.nodeCount; k++) {
        BoolCellNode &n = cellNodes[std::size_t(s.firstNode + k)];
        if (n.slot >= 0 && !now.contains(cellScratch[std::size_t(k)])) n.slot = -1;
    }
}

// Whether every edge of the bucket ends in a bucket below limit. The kept bound grows as edges
// are filed; when an edge is cut it may be too high, and it is made exact again when it is too
// high to answer.
bool BoolComputation::bucketEndsBelow(int bucket, int limit) {
    if (sweepTopBound[bucket] < limit) return true;
    if (sweepTopExact[bucket]) return false;
    int top = -1;
    for (int slot : sweepTable[bucket])
        top = std::max(top, bucketOf(sweepSlots[std::size_t(slot)].edge->second->y));
    sweepTopBound[bucket] = top;
    sweepTopExact[bucket] = true;
    return top < limit;
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
        // The scan from the lowest active bucket: while the bucket it meets first is the lowest
        // active one and nothing there reaches the edges still to come, the lowest active
        // bucket moves on and the scan skips that bucket. The edges are tested from the first
        // bucket not skipped.
        int from = lowestActiveBucket;
        for (; from <= high; from++) {
            if (sweepTable[from].empty()) continue;
            if (from != lowestActiveBucket || !bucketEndsBelow(from, sweepBucket)) break;
            int next = from + 1;
            while (next < sweepBucket && sweepTable[next].empty())
                next++;
            lowestActiveBucket = std::min(next, sweepBucket);
        }
        if (from > high) {
            fileSweptEdge(e);
            continue;
        }
        // Of the edges that cut e or are cut by it, the first in the order of the scan.
        const double exmin = std::min(e->first->x, e->second->x);
        const double exmax = std::max(e->first->x, e->second->x);
        const double eymin = std::min(e->first->y, e->second->y);
        const double eymax = std::max(e->first->y, e->second->y);
        std::uint64_t bestRank = ~std::uint64_t(0);
        int bestSlot = -1;
        Cut bestCut = Cut::None;
        double bestX = 0.0, bestY = 0.0, bestZ = 0.0;
        auto consider = [&](int id) {
            const BoolSweepSlot &slot = sweepSlots[std::size_t(id)];
            if (slot.rank >= bestRank) return;
            const int b = bucketOfRank(slot.rank);
            if (b < from || b > high) return;
            if (slot.xmin > exmax || slot.xmax < exmin || slot.ymin > eymax || slot.ymax < eymin)
                return;
            double x = 0.0, y = 0.0, z = 0.0;
            const Cut which = splitAtCrossing(e, slot.edge, x, y, z);
            if (which == Cut::None) return;
            bestRank = slot.rank;
            bestSlot = id;
            bestCut = which;
            bestX = x;
            bestY = y;
            bestZ = z;
        };
        if (reachesFar(e->first, e->second)) {
            for (std::size_t id = 0; id < sweepSlots.size(); id++)
                consider(static_cast<int>(id));
        } else {
            SegmentCells(e->first, e->second, sweepGrid).forEach([&](int cell) {
                int *link = &cellHead[std::size_t(cell)];
                while (*link >= 0) {
                    BoolCellNode &n = cellNodes[std::size_t(*link)];
                    if (n.slot < 0) {
                        *link = n.next; // the edge has left this cell
                        continue;
                    }
                    link = &n.next;
                    consider(n.slot);
                }
            });
            for (int id : farSlots)
                consider(id);
        }
        if (bestCut == Cut::None) {
            fileSweptEdge(e);
            continue;
        }
        BoolVertex *v = newVertex(bestX, bestY, bestZ);
        if (bestCut == Cut::First) {
            // e is cut: it and then its piece are placed again.
            BoolEdge *piece = newEdge(v, e->second, e->owner, true);
            e->second = v;
            placeStack.push_back(piece);
            placeStack.push_back(e);
        } else {
            // The other edge is cut: its piece is filed as it is, and e is placed again.
            BoolEdge *g = sweepSlots[std::size_t(bestSlot)].edge;
            BoolEdge *piece = newEdge(v, g->second, g->owner, true);
            cutSlot(g, v);
            fileSweptEdge(piece);
            placeStack.push_back(e);
        }
    }
}

} // namespace scrivane_bool
