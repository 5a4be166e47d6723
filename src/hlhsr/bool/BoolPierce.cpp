// Steps 2 and 3: find where edges pass through faces, and cut the edges there.
//
// A face is paired only with the edges whose boxes meet its box: the edge buckets that can meet
// its y range, and in each only the edges whose x range can meet its own (the boxes of a bucket
// are sorted by their left x). The faces are visited bucket by bucket (ymin order) and, within a
// bucket, from the front of its list, so every edge meets the faces that pierce it in one fixed
// order; that order decides where points that compare equal go in the edge's piercing list.
#include "BoolComputation.h"
#include <algorithm>
#include <array>
#include <cmath>

namespace scrivane_bool {

namespace {

struct EdgeBox {
    double xmin, xmax, ymin, ymax, zmin, zmax;
    BoolEdge *edge;
};

// The piercing list runs from the edge's first vertex to its second: by increasing y or, for an
// edge that is horizontal within the tolerance, by x in the direction first -> second. A point
// equal to one already listed goes after it.
void insertPiercing(BoolEdge *e, BoolVertex *v) {
    const bool horizontal = std::fabs(e->second->y - e->first->y) < boolEpsilon;
    const double sign = e->first->x <= e->second->x ? 1.0 : -1.0;
    auto key = [&](const BoolVertex *p) { return horizontal ? sign * p->x : p->y; };
    const double k = key(v);
    BoolVertex **link = &e->piercings;
    while (*link != nullptr && key(*link) <= k)
        link = &(*link)->next;
    v->next = *link;
    *link = v;
}

} // namespace

void BoolComputation::pierceFaces() {
    if (faces.empty()) return;
    std::array<std::vector<EdgeBox>, bucketCount> boxes;
    // reachTop[b]: the highest bucket reached by an edge of bucket b (-1 when empty).
    std::array<int, bucketCount> reachTop;
    reachTop.fill(-1);
    // widest[b]: the widest x extent of an edge of bucket b.
    std::array<double, bucketCount> widest;
    widest.fill(0.0);
    for (int b = 0; b < bucketCount; b++) {
        for (BoolEdge *e : edgeTable[b]) {
            const BoolVertex *p = e->first, *q = e->second;
            boxes[b].push_back({std::min(p->x, q->x), std::max(p->x, q->x), p->y, q->y,
                                std::min(p->z, q->z), std::max(p->z, q->z), e});
            reachTop[b] = std::max(reachTop[b], bucketOf(q->y));
            widest[b] = std::max(widest[b], boxes[b].back().xmax - boxes[b].back().xmin);
        }
        std::sort(boxes[b].begin(), boxes[b].end(),
                  [](const EdgeBox &u, const EdgeBox &v) { return u.xmin < v.xmin; });
    }
    // firstReach[t]: the lowest bucket holding an edge that reaches bucket t. An edge can meet a
    // face's y range only if it reaches the face's ymin bucket and starts at or below the face's
    // ymax bucket.
    std::array<int, bucketCount> firstReach;
    for (int t = 0, b = 0; t < bucketCount; t++) {
        while (b < bucketCount && reachTop[b] < t)
            b++;
        firstReach[t] = b;
    }

    for (int fb = 0; fb < bucketCount; fb++) {
        const std::vector<int> &list = faceTable[fb];
        for (std::size_t i = list.size(); i-- > 0;) {
            const BoolFace &f = faces[list[i]];
            const int top = bucketOf(f.ymax);
            for (int b = firstReach[fb]; b <= top; b++) {
                if (reachTop[b] < fb) continue;
                // Edges reaching f.xmin start at or right of f.xmin - widest (the margin covers
                // rounding); those starting right of f.xmax cannot meet f.
                const double from = f.xmin - widest[b] - 1e-9;
                auto it = std::lower_bound(boxes[b].begin(), boxes[b].end(), from,
                                           [](const EdgeBox &u, double x) { return u.xmin < x; });
                for (; it != boxes[b].end() && it->xmin <= f.xmax; ++it) {
                    const EdgeBox &box = *it;
                    if (box.edge->owner == f.owner || box.edge->split || !box.edge->drawn) continue;
                    if (f.xmin <= box.xmax && f.xmax >= box.xmin && f.ymin <= box.ymax &&
                        f.ymax >= box.ymin && f.zmin <= box.zmax && f.zmax >= box.zmin)
                        pierceEdge(box.edge, f);
                }
            }
        }
    }
}

// Adds the point where e crosses f's plane, when it lies well inside e and inside f's outline.
void BoolComputation::pierceEdge(BoolEdge *e, const BoolFace &f) {
    const BoolVertex *p = e->first, *q = e->second;
    const double dx = q->x - p->x, dy = q->y - p->y, dz = q->z - p->z;
    const double den = f.nx * dx + f.ny * dy + f.nz * dz;
    if (std::fabs(den) < parameterEpsilon) return;
    const double t = -(f.nx * p->x + f.ny * p->y + f.nz * p->z + f.d) / den;
    if (!parameterInside(t)) return;
    const double x = p->x + t * dx, y = p->y + t * dy, z = p->z + t * dz;
    if (!isPointInFace(x, y, f)) return;
    insertPiercing(e, newVertex(x, y, z));
}

// Every pierced edge is replaced by first -> p1, p1 -> p2, ..., pk -> second. The pieces are
// filed like new edges (so a piece outside the square, or one already present, is dropped). New
// pieces land at the front of their bucket's list, which this walk has passed or has not reached;
// they carry no piercings.
void BoolComputation::splitAtPiercings() {
    for (int b = 0; b < bucketCount; b++) {
        for (std::size_t i = edgeTable[b].size(); i-- > 0;) {
            BoolEdge *e = edgeTable[b][i];
            if (e->piercings == nullptr || e->split) continue;
            BoolVertex *from = e->first;
            for (BoolVertex *p = e->piercings; p != nullptr; p = p->next) {
                insertEdge(from, p, e->owner, true);
                from = p;
            }
            insertEdge(from, e->second, e->owner, true);
            e->split = true;
        }
    }
}

} // namespace scrivane_bool
