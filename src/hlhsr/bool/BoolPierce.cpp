// Steps 2 and 3: find where edges pass through faces, and cut the edges there.
//
// A face is paired with exactly the edges whose boxes meet its box. The edges are found through
// grids of several cell sizes: cell widths and heights double from level to level, and an edge
// is listed once, in the grid whose cells are the smallest at least as wide and as high as its
// box, in the cell holding its box's lower left corner. A face then looks, in each grid, at the
// cells from one cell left of and below its box up to its box: the edges listed there are those
// that can reach it. Long and short, wide and tall edges thus cost about the pairs they make.
// The faces are visited bucket by bucket (ymin order) and, within a bucket, from the front of
// its list, so every edge meets the faces that pierce it in one fixed order; that order decides
// where points that compare equal go in the edge's piercing list.
#include "BoolComputation.h"
#include <algorithm>
#include <array>
#include <cmath>
#include <limits>

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
    std::vector<EdgeBox> boxes;
    for (int b = 0; b < bucketCount; b++)
        for (BoolEdge *e : edgeTable[b]) {
            if (e->split || !e->drawn) continue;
            const BoolVertex *p = e->first, *q = e->second;
            boxes.push_back({std::min(p->x, q->x), std::max(p->x, q->x), std::min(p->y, q->y),
                             std::max(p->y, q->y), std::min(p->z, q->z), std::max(p->z, q->z), e});
        }
    if (boxes.empty()) return;
    // The grids cover the part of the square that the edges cover; cells on the border take in
    // everything beyond.
    double x0 = 1.0, y0 = 1.0, x1 = -1.0, y1 = -1.0;
    for (const EdgeBox &b : boxes) {
        x0 = std::min(x0, b.xmin);
        y0 = std::min(y0, b.ymin);
        x1 = std::max(x1, b.xmax);
        y1 = std::max(y1, b.ymax);
    }
    x0 = std::max(x0, -1.0);
    y0 = std::max(y0, -1.0);
    x1 = std::max(std::min(x1, 1.0), x0);
    y1 = std::max(std::min(y1, 1.0), y0);
    // The smallest cells (level 0 across and up) are about one per edge; each level doubles
    // the cell's side. The top level has one column (or row) that holds everything, whatever
    // its size.
    const double width = x1 - x0, height = y1 - y0;
    const double extent = std::max({width, height, 1e-9});
    const double base =
        std::max({extent / 1024.0, std::sqrt(width * height / double(boxes.size())), 1e-9});
    int levels = 1;
    while (base * std::ldexp(1.0, levels - 1) < extent)
        levels++;
    levels++;
    auto levelOf = [&](double size) {
        int k = 0;
        while (k + 1 < levels && base * std::ldexp(1.0, k) < size)
            k++;
        return k;
    };
    auto below = [](double v) {
        const double down = -std::numeric_limits<double>::infinity();
        return std::nextafter(std::nextafter(v, down), down);
    };
    auto cellOf = [](double v, double origin, double side, int count) {
        const double c = std::floor((v - origin) / side);
        if (!(c >= 0.0)) return 0;
        if (c >= count - 1) return count - 1;
        return static_cast<int>(c);
    };
    struct Grid {
        double cellWidth = 0.0, cellHeight = 0.0;
        int columns = 0, rows = 0;
        std::vector<int> start; // columns * rows + 1 offsets into entries
        std::vector<EdgeBox> entries;
    };
    std::vector<Grid> grids(std::size_t(levels) * std::size_t(levels));
    std::vector<int> gridOf(boxes.size()), cellIndex(boxes.size());
    for (std::size_t i = 0; i < boxes.size(); i++) {
        const EdgeBox &b = boxes[i];
        const int kx = levelOf(b.xmax - b.xmin), ky = levelOf(b.ymax - b.ymin);
        Grid &g = grids[std::size_t(ky) * std::size_t(levels) + std::size_t(kx)];
        if (g.start.empty()) {
            g.cellWidth = base * std::ldexp(1.0, kx);
            g.cellHeight = base * std::ldexp(1.0, ky);
            g.columns = kx + 1 == levels
                            ? 1
                            : std::max(1, static_cast<int>(std::ceil(width / g.cellWidth)));
            g.rows = ky + 1 == levels
                         ? 1
                         : std::max(1, static_cast<int>(std::ceil(height / g.cellHeight)));
            g.start.assign(std::size_t(g.columns) * std::size_t(g.rows) + 1, 0);
        }
        gridOf[i] = ky * levels + kx;
        cellIndex[i] = cellOf(b.ymin, y0, g.cellHeight, g.rows) * g.columns +
                       cellOf(b.xmin, x0, g.cellWidth, g.columns);
        g.start[std::size_t(cellIndex[i]) + 1]++;
    }
    std::vector<Grid *> used;
    for (Grid &g : grids) {
        if (g.start.empty()) continue;
        for (std::size_t c = 1; c < g.start.size(); c++)
            g.start[c] += g.start[c - 1];
        g.entries.resize(std::size_t(g.start.back()));
        used.push_back(&g);
    }
    {
        std::vector<std::vector<int>> fill(grids.size());
        for (std::size_t i = 0; i < boxes.size(); i++) {
            Grid &g = grids[std::size_t(gridOf[i])];
            std::vector<int> &f = fill[std::size_t(gridOf[i])];
            if (f.empty()) f.assign(g.start.begin(), g.start.end() - 1);
            g.entries[std::size_t(f[std::size_t(cellIndex[i])]++)] = boxes[i];
        }
    }

    for (int fb = 0; fb < bucketCount; fb++) {
        const std::vector<int> &list = faceTable[fb];
        for (std::size_t i = list.size(); i-- > 0;) {
            const BoolFace &f = faces[list[i]];
            for (const Grid *g : used) {
                // An edge of this grid meeting f has its lower left corner at most one cell
                // side left of and below f's box (stepped down past rounding).
                const int c0 = cellOf(below(f.xmin - g->cellWidth), x0, g->cellWidth, g->columns);
                const int c1 = cellOf(f.xmax, x0, g->cellWidth, g->columns);
                const int r0 = cellOf(below(f.ymin - g->cellHeight), y0, g->cellHeight, g->rows);
                const int r1 = cellOf(f.ymax, y0, g->cellHeight, g->rows);
                for (int r = r0; r <= r1; r++) {
                    const int from = g->start[std::size_t(r) * g->columns + c0];
                    const int to = g->start[std::size_t(r) * g->columns + c1 + 1];
                    for (int j = from; j < to; j++) {
                        const EdgeBox &box = g->entries[std::size_t(j)];
                        if (f.xmin <= box.xmax && f.xmax >= box.xmin && f.ymin <= box.ymax &&
                            f.ymax >= box.ymin && f.zmin <= box.zmax && f.zmax >= box.zmin &&
                            box.edge->owner != f.owner)
                            pierceEdge(box.edge, f);
                    }
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
