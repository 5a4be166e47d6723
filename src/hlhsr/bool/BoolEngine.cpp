// The engine's input store, the order of a run, and its first step: turning shapes into edges
// and faces.
#include "BoolEngine.h"
#include "BoolComputation.h"
#include <algorithm>
#include <cmath>
#include <utility>

namespace scrivane_bool {

int BoolEngine::addAttribute(const BoolAttribute &attribute) {
    attributes.push_back(attribute);
    return static_cast<int>(attributes.size()) - 1;
}

void BoolEngine::addShape(const double *xyz, int count, bool closed, int attribute,
                          const unsigned char *drawEdge) {
    if (count < 2 || xyz == nullptr) return;
    for (int i = 0; i < 3 * count; i++)
        if (!std::isfinite(xyz[i])) return;
    Shape s;
    s.firstPoint = static_cast<int>(points.size() / 3);
    s.count = count;
    s.closed = closed;
    s.attribute = attribute;
    points.insert(points.end(), xyz, xyz + 3 * static_cast<std::size_t>(count));
    // An open shape has no edge leaving its last point.
    const int edgeCount = closed ? count : count - 1;
    for (int i = 0; i < count; i++) {
        unsigned char flag = 0;
        if (i < edgeCount) {
            flag = 1;
            if (drawEdge != nullptr && (drawEdge[i] == 0 || drawEdge[i] == edgeLeftOut))
                flag = drawEdge[i];
        }
        draws.push_back(flag);
    }
    shapes.push_back(s);
}

BoolLines BoolEngine::compute() const {
    BoolComputation computation(*this);
    return computation.run();
}

BoolComputation::BoolComputation(const BoolEngine &e) : engine(e), vertices(400), edges(400) {}

BoolLines BoolComputation::run() {
    const int n = static_cast<int>(engine.getShapes().size());
    if (n > 0) prepareShape(0);
    for (int i = n - 1; i >= 1; i--)
        prepareShape(i);
    pierceFaces();
    splitAtPiercings();
    sweepEdges();
    EdgeTable visible;
    collectVisibleEdges(visible);
    BoolLines out;
    chainEdges(visible, out);
    return out;
}

BoolVertex *BoolComputation::newVertex(double x, double y, double z) {
    BoolVertex *v = vertices.allocate();
    v->x = x;
    v->y = y;
    v->z = z;
    v->next = nullptr;
    return v;
}

BoolEdge *BoolComputation::newEdge(BoolVertex *first, BoolVertex *second, int owner, bool drawn) {
    BoolEdge *e = edges.allocate();
    e->first = first;
    e->second = second;
    e->piercings = nullptr;
    e->owner = owner;
    e->sweepIndex = -1;
    e->serial = 0;
    e->split = false;
    e->drawn = drawn;
    return e;
}

// The key under which an edge whose first vertex is at (bucket, x) is found: x in steps of
// 2e-4 (twice the tolerance, so that two x within the tolerance fall in the same or adjacent
// steps), the far ends clamped.
std::uint64_t BoolComputation::endKey(int bucket, double x, int step) {
    const double v = std::floor(x * 5000.0);
    const double limit = 1e15;
    const long long q = static_cast<long long>(v < -limit ? -limit : v > limit ? limit : v) + step;
    return (static_cast<std::uint64_t>(bucket) << 52) ^
           (static_cast<std::uint64_t>(q) & 0x000FFFFFFFFFFFFFull);
}

// Files the edge a-b under the bucket of its lower y, first vertex lowest. Edges wholly outside
// the square [-1, 1]^2 are dropped, and so is an edge whose bucket already holds one with the
// same two end points (in either direction): where faces share an edge it is drawn once. A
// drawn edge does take the place of an undrawn one with the same ends (which then goes), so
// that an edge is drawn when any of the faces sharing it asks for it. Of several edges that
// match, the one filed first counts. The edges of each bucket are also listed by the x of their
// first vertex, so that only those near an end of the new edge are compared.
BoolEdge *BoolComputation::insertEdge(BoolVertex *a, BoolVertex *b, int owner, bool drawn) {
    if (a->y > b->y) std::swap(a, b);
    if (a->y > 1.0 || b->y < -1.0 || std::min(a->x, b->x) > 1.0 || std::max(a->x, b->x) < -1.0)
        return nullptr;
    const int bucketIndex = bucketOf(a->y);
    BoolEdge *match = nullptr;
    for (const BoolVertex *end : {a, b})
        for (int step = -1; step <= 1; step++) {
            auto it = endIndex.find(endKey(bucketIndex, end->x, step));
            if (it == endIndex.end()) continue;
            for (int k = it->second; k >= 0; k = endNodes[std::size_t(k)].next) {
                BoolEdge *e = endNodes[std::size_t(k)].edge;
                if (match != nullptr && e->serial >= match->serial) continue;
                if ((samePoint(e->first, a) && samePoint(e->second, b)) ||
                    (samePoint(e->first, b) && samePoint(e->second, a)))
                    match = e;
            }
        }
    std::vector<BoolEdge *> &bucket = edgeTable[bucketIndex];
    if (match != nullptr) {
        if (!drawn || match->drawn) return nullptr;
        bucket.erase(std::find(bucket.begin(), bucket.end(), match));
        // Off the index too.
        auto it = endIndex.find(endKey(bucketIndex, match->first->x, 0));
        int *link = &it->second;
        while (endNodes[std::size_t(*link)].edge != match)
            link = &endNodes[std::size_t(*link)].next;
        *link = endNodes[std::size_t(*link)].next;
        if (it->second < 0) endIndex.erase(it);
    }
    BoolEdge *e = newEdge(a, b, owner, drawn);
    e->serial = edgeSerial++;
    bucket.push_back(e);
    int &head = endIndex.try_emplace(endKey(bucketIndex, a->x, 0), -1).first->second;
    endNodes.push_back({e, head});
    head = static_cast<int>(endNodes.size()) - 1;
    return e;
}

void BoolComputation::prepareShape(int shape) {
    const BoolEngine::Shape &s = engine.getShapes()[shape];
    std::vector<BoolVertex *> ring(static_cast<std::size_t>(s.count));
    for (int i = 0; i < s.count; i++) {
        const double *p = engine.getPoint(s.firstPoint + i);
        ring[i] = newVertex(p[0], p[1], p[2]);
    }
    if (!s.closed) {
        for (int i = 0; i + 1 < s.count; i++)
            if (engine.isEdgeDrawn(shape, i)) insertEdge(ring[i], ring[i + 1], shape, true);
        return;
    }

    // The face plane: of the cross products (a - b) x (b - c) over runs of three consecutive
    // points (not wrapping round), the longest gives the normal; the first wins a tie. Too short
    // a longest one means the points are (nearly) collinear: the polygon is dropped.
    double best = 0.0, nx = 0.0, ny = 0.0, nz = 0.0;
    for (int i = 0; i + 2 < s.count; i++) {
        const BoolVertex *a = ring[i], *b = ring[i + 1], *c = ring[i + 2];
        const double ux = a->x - b->x, uy = a->y - b->y, uz = a->z - b->z;
        const double wx = b->x - c->x, wy = b->y - c->y, wz = b->z - c->z;
        const double cx = uy * wz - uz * wy, cy = uz * wx - ux * wz, cz = ux * wy - uy * wx;
        const double len = std::sqrt(cx * cx + cy * cy + cz * cz);
        if (len > best) {
            best = len;
            nx = cx;
            ny = cy;
            nz = cz;
        }
    }
    if (best < signEpsilon) return;
    BoolFace f;
    f.nx = nx / best;
    f.ny = ny / best;
    f.nz = nz / best;
    // Faces turn toward the observer; the outline then runs counter-clockwise seen from +z.
    const bool reversed = f.nz < 0.0;
    if (reversed) {
        f.nx = -f.nx;
        f.ny = -f.ny;
        f.nz = -f.nz;
    }
    f.d = -(f.nx * ring[0]->x + f.ny * ring[0]->y + f.nz * ring[0]->z);
    f.xmin = f.xmax = ring[0]->x;
    f.ymin = f.ymax = ring[0]->y;
    f.zmin = f.zmax = ring[0]->z;
    for (const BoolVertex *v : ring) {
        f.xmin = std::min(f.xmin, v->x);
        f.xmax = std::max(f.xmax, v->x);
        f.ymin = std::min(f.ymin, v->y);
        f.ymax = std::max(f.ymax, v->y);
        f.zmin = std::min(f.zmin, v->z);
        f.zmax = std::max(f.zmax, v->z);
    }
    for (int i = 0; i < s.count; i++)
        if (!engine.isEdgeLeftOut(shape, i))
            insertEdge(ring[i], ring[(i + 1) % s.count], shape, engine.isEdgeDrawn(shape, i));

    f.outlineStart = static_cast<int>(outlines.size() / 2);
    f.outlineCount = s.count;
    f.owner = shape;
    for (int k = 0; k < s.count; k++) {
        // Reversed, the ring still starts at its first point: 0, n-1, ..., 1.
        const BoolVertex *v = ring[reversed ? (s.count - k) % s.count : k];
        outlines.push_back(v->x);
        outlines.push_back(v->y);
    }
    faceTable[bucketOf(f.ymin)].push_back(static_cast<int>(faces.size()));
    faces.push_back(f);
}

// Inside (or on) the outline when no edge (a, b) of it has the point on its right:
// s = (P.y - b.y)(b.x - a.x) - (b.y - a.y)(P.x - b.x), tiny values taken as zero. Exact for
// convex outlines, which is what the faces are.
bool BoolComputation::isPointInFace(double x, double y, const BoolFace &f) const {
    const double *pts = &outlines[2 * static_cast<std::size_t>(f.outlineStart)];
    const int n = f.outlineCount;
    double ax = pts[2 * (n - 1)], ay = pts[2 * (n - 1) + 1];
    // The closing pair (last, first) is the last one tested; the result does not depend on the
    // order, only on every pair being tested.
    for (int i = 0; i < n; i++) {
        const double bx = pts[2 * i], by = pts[2 * i + 1];
        const double s = (y - by) * (bx - ax) - (by - ay) * (x - bx);
        if (s <= -signEpsilon) return false;
        ax = bx;
        ay = by;
    }
    return true;
}

} // namespace scrivane_bool
