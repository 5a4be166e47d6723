#include "CoplanarJoin.h"
#include <cmath>
#include <cstdint>
#include <cstring>

namespace scrivane_capture {

namespace {

struct Vec {
    double x, y, z;
};

Vec toVec(const SbVec3f &p) {
    return Vec{p[0], p[1], p[2]};
}
Vec operator-(const Vec &a, const Vec &b) {
    return Vec{a.x - b.x, a.y - b.y, a.z - b.z};
}
Vec cross(const Vec &a, const Vec &b) {
    return Vec{a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}
double dot(const Vec &a, const Vec &b) {
    return a.x * b.x + a.y * b.y + a.z * b.z;
}
double length(const Vec &a) {
    return std::sqrt(dot(a, a));
}

bool lessThan(const SbVec3f &a, const SbVec3f &b) {
    for (int i = 0; i < 3; i++)
        if (a[i] != b[i]) return a[i] < b[i];
    return false;
}

std::uint32_t bitsOf(float f) {
    f += 0.0f; // -0 and 0 are one position
    std::uint32_t bits;
    std::memcpy(&bits, &f, sizeof bits);
    return bits;
}

bool flat(const SbColor colors[3]) {
    return colors[0] == colors[1] && colors[1] == colors[2];
}

} // namespace

std::size_t CoplanarJoin::EdgeHash::operator()(const EdgeKey &k) const {
    std::uint64_t h = 1469598103934665603ULL;
    for (const SbVec3f *p : {&k.a, &k.b})
        for (int i = 0; i < 3; i++) {
            h ^= bitsOf((*p)[i]);
            h *= 1099511628211ULL;
        }
    return static_cast<std::size_t>(h ^ (h >> 29));
}

CoplanarJoin::EdgeKey CoplanarJoin::keyOf(const SbVec3f &p, const SbVec3f &q) {
    return lessThan(q, p) ? EdgeKey{q, p} : EdgeKey{p, q};
}

CoplanarJoin::EdgeKey CoplanarJoin::edgeOf(int from) const {
    const Vertex &v = pool[std::size_t(from)];
    return keyOf(v.model, pool[std::size_t(v.next)].model);
}

void CoplanarJoin::clear() {
    if (state == RUN) {
        triangleRecords.clear();
        pool.clear();
        polygons.clear();
        if (indexed) edges.clear();
        indexed = false;
        mergeCandidates.clear();
    }
    state = EMPTY;
}

void CoplanarJoin::start(const SbVec3f model[3], const SbVec4f clip[3], const SbColor colors[3]) {
    clear();
    for (int i = 0; i < 3; i++) {
        loneModel[i] = model[i];
        loneClip[i] = clip[i];
        loneColors[i] = colors[i];
    }
    color = colors[0];
    planeKnown = false;
    state = LONE;
}

// The run's plane and colour from its lone first triangle, when a second triangle of the same
// flat colour comes; then the run's polygons start with the first triangle.
bool CoplanarJoin::beginRun(const SbVec3f model[3], const SbColor colors[3]) {
    if (!planeKnown) {
        planeKnown = true;
        const Vec a = toVec(loneModel[0]);
        const Vec n = cross(toVec(loneModel[1]) - a, toVec(loneModel[2]) - a);
        const double size = length(n);
        // A triangle without area has no plane, and one of several colours no single fill colour.
        joinable = flat(loneColors) && size > 0.0 && std::isfinite(size);
        if (joinable) {
            normal[0] = n.x / size;
            normal[1] = n.y / size;
            normal[2] = n.z / size;
            offset = normal[0] * a.x + normal[1] * a.y + normal[2] * a.z;
        }
    }
    if (!joinable || !flat(colors) || !(colors[0] == color) || !inPlane(model)) return false;
    triangleRecords.push_back(
        TriangleRecord{{loneClip[0], loneClip[1], loneClip[2]}, {color, color, color}});
    newPolygon(loneModel, loneClip, false);
    state = RUN;
    return true;
}

bool CoplanarJoin::inPlane(const SbVec3f model[3]) const {
    const Vec a = toVec(model[0]), b = toVec(model[1]), c = toVec(model[2]);
    const Vec n = cross(b - a, c - a);
    const double area = length(n);
    // A point that is not finite makes the area infinite or NaN: such a triangle is printed on
    // its own (and dropped there), never taking finite neighbours with it.
    if (!(area > 0.0) || !std::isfinite(area)) return false;
    const Vec planeNormal{normal[0], normal[1], normal[2]};
    if (length(cross(n, planeNormal)) > kParallelSine * area) return false;
    const double size = std::fmax(length(b - a), std::fmax(length(c - b), length(a - c)));
    for (const Vec &p : {a, b, c})
        if (std::fabs(dot(planeNormal, p) - offset) > kPlaneDistance * size) return false;
    return true;
}

double CoplanarJoin::turnSine(const SbVec3f &a, const SbVec3f &b, const SbVec3f &c) const {
    const Vec e1 = toVec(b) - toVec(a), e2 = toVec(c) - toVec(b);
    const double lengths = length(e1) * length(e2);
    if (!(lengths > 0.0)) return 0.0;
    return dot(cross(e1, e2), Vec{normal[0], normal[1], normal[2]}) / lengths;
}

// A corner that keeps an outline convex: a left turn about the normal, or straight on (not
// turning back).
bool CoplanarJoin::convexCorner(const SbVec3f &a, const SbVec3f &b, const SbVec3f &c) const {
    const double sine = turnSine(a, b, c);
    if (sine > kCollinearSine) return true;
    if (sine < -kCollinearSine) return false;
    return dot(toVec(b) - toVec(a), toVec(c) - toVec(b)) > 0.0;
}

int CoplanarJoin::polygonOf(int vertex) {
    int p = pool[std::size_t(vertex)].polygon;
    while (polygons[std::size_t(p)].parent != p) {
        const int grand = polygons[std::size_t(polygons[std::size_t(p)].parent)].parent;
        polygons[std::size_t(p)].parent = grand;
        p = grand;
    }
    pool[std::size_t(vertex)].polygon = p;
    return p;
}

int CoplanarJoin::ownerOf(const EdgeKey &key, int except) const {
    if (indexed) {
        const auto found = edges.find(key);
        return found == edges.end() || found->second == except ? -1 : found->second;
    }
    for (int v = 0; v < static_cast<int>(pool.size()); v++)
        if (v != except && pool[std::size_t(v)].alive && edgeOf(v) == key) return v;
    return -1;
}

void CoplanarJoin::indexEdge(int from) {
    if (!indexed) {
        // Another polygon's edge between the same two points: the two may merge along it.
        if (ownerOf(edgeOf(from), from) >= 0) mergeCandidates.push_back(from);
        return;
    }
    const auto inserted = edges.emplace(edgeOf(from), from);
    if (!inserted.second && inserted.first->second != from) mergeCandidates.push_back(from);
}

void CoplanarJoin::unindexEdge(int from) {
    if (!indexed) return;
    const auto found = edges.find(edgeOf(from));
    if (found != edges.end() && found->second == from) edges.erase(found);
}

void CoplanarJoin::indexAllEdges() {
    indexed = true;
    for (int v = 0; v < static_cast<int>(pool.size()); v++)
        if (pool[std::size_t(v)].alive) edges.emplace(edgeOf(v), v);
}

void CoplanarJoin::newPolygon(const SbVec3f model[3], const SbVec4f clip[3], bool reversed) {
    const int slot = static_cast<int>(polygons.size());
    const int base = static_cast<int>(pool.size());
    polygons.push_back(Polygon{slot, base, 3, 1, static_cast<int>(triangleRecords.size()) - 1});
    // The outline runs counter-clockwise about the run's normal.
    const int order[2][3] = {{0, 1, 2}, {0, 2, 1}};
    for (int i = 0; i < 3; i++) {
        const int k = order[reversed ? 1 : 0][i];
        pool.push_back(
            Vertex{model[k], clip[k], base + (i + 2) % 3, base + (i + 1) % 3, slot, true});
    }
    for (int i = 0; i < 3; i++)
        indexEdge(base + i);
}

void CoplanarJoin::dropIfStraight(int v) {
    Vertex &vertex = pool[std::size_t(v)];
    if (!vertex.alive) return;
    const int prev = vertex.prev, next = vertex.next;
    if (prev == next) return;
    const double sine =
        turnSine(pool[std::size_t(prev)].model, vertex.model, pool[std::size_t(next)].model);
    if (std::fabs(sine) > kCollinearSine) return;
    unindexEdge(prev);
    unindexEdge(v);
    pool[std::size_t(prev)].next = next;
    pool[std::size_t(next)].prev = prev;
    vertex.alive = false;
    Polygon &polygon = polygons[std::size_t(polygonOf(v))];
    if (polygon.head == v) polygon.head = next;
    polygon.count--;
    indexEdge(prev);
}

bool CoplanarJoin::insertIntoPolygon(const SbVec3f model[3], const SbVec4f clip[3]) {
    for (int i = 0; i < 3; i++) {
        const int u = ownerOf(keyOf(model[i], model[(i + 1) % 3]), -1);
        if (u < 0) continue;
        const int v = pool[std::size_t(u)].next;
        const SbVec3f &pu = pool[std::size_t(u)].model, &pv = pool[std::size_t(v)].model;
        const SbVec3f &pw = model[(i + 2) % 3];
        // The triangle must lie outside the shared edge, and the corners at both of its ends
        // must stay convex.
        if (!(turnSine(pu, pw, pv) > kCollinearSine)) continue;
        if (!convexCorner(pool[std::size_t(pool[std::size_t(u)].prev)].model, pu, pw)) continue;
        if (!convexCorner(pw, pv, pool[std::size_t(pool[std::size_t(v)].next)].model)) continue;

        const int p = polygonOf(u);
        unindexEdge(u);
        const int w = static_cast<int>(pool.size());
        pool.push_back(Vertex{pw, clip[(i + 2) % 3], u, v, p, true});
        pool[std::size_t(u)].next = w;
        pool[std::size_t(v)].prev = w;
        polygons[std::size_t(p)].count++;
        polygons[std::size_t(p)].triangles++;
        indexEdge(u);
        indexEdge(w);
        dropIfStraight(u);
        dropIfStraight(v);
        return true;
    }
    return false;
}

// Merges the polygon of the edge from `from` with the polygon that owns the same edge in the
// index, when they are two and their union is convex.
void CoplanarJoin::mergeAlong(int from) {
    if (!pool[std::size_t(from)].alive) return;
    const int a = ownerOf(edgeOf(from), from), o = from;
    if (a < 0 || !pool[std::size_t(a)].alive) return;
    const int pa = polygonOf(a), po = polygonOf(o);
    if (pa == po) return;
    // a runs from A to B in its polygon, o from B to A in the other.
    const int b = pool[std::size_t(a)].next, o2 = pool[std::size_t(o)].next;
    if (!(pool[std::size_t(b)].model == pool[std::size_t(o)].model)) return;
    const int beforeA = pool[std::size_t(a)].prev, afterB = pool[std::size_t(b)].next;
    const int afterA = pool[std::size_t(o2)].next, beforeB = pool[std::size_t(o)].prev;
    const SbVec3f &pointA = pool[std::size_t(a)].model, &pointB = pool[std::size_t(b)].model;
    if (!convexCorner(pool[std::size_t(beforeA)].model, pointA, pool[std::size_t(afterA)].model))
        return;
    if (!convexCorner(pool[std::size_t(beforeB)].model, pointB, pool[std::size_t(afterB)].model))
        return;

    // The earlier polygon keeps its slot, so the run's order of polygons stays that of their
    // first triangles.
    const int keep = pa < po ? pa : po, gone = pa < po ? po : pa;
    unindexEdge(a);
    unindexEdge(o);
    unindexEdge(o2);
    pool[std::size_t(a)].next = afterA;
    pool[std::size_t(afterA)].prev = a;
    pool[std::size_t(beforeB)].next = b;
    pool[std::size_t(b)].prev = beforeB;
    pool[std::size_t(o)].alive = false;
    pool[std::size_t(o2)].alive = false;
    Polygon &kept = polygons[std::size_t(keep)];
    const Polygon &merged = polygons[std::size_t(gone)];
    kept.count += merged.count - 2;
    kept.triangles += merged.triangles;
    kept.head = a;
    polygons[std::size_t(gone)].parent = keep;
    polygons[std::size_t(gone)].count = 0;
    indexEdge(a);
    dropIfStraight(a);
    dropIfStraight(b);
}

void CoplanarJoin::mergePending() {
    while (!mergeCandidates.empty()) {
        const int from = mergeCandidates.back();
        mergeCandidates.pop_back();
        mergeAlong(from);
    }
}

bool CoplanarJoin::add(const SbVec3f model[3], const SbVec4f clip[3], const SbColor colors[3]) {
    if (state == LONE) {
        if (!beginRun(model, colors)) return false;
    } else if (state != RUN || !flat(colors) || !(colors[0] == color) || !inPlane(model)) {
        return false;
    }
    triangleRecords.push_back(
        TriangleRecord{{clip[0], clip[1], clip[2]}, {colors[0], colors[1], colors[2]}});
    if (!insertIntoPolygon(model, clip)) {
        const Vec a = toVec(model[0]);
        const Vec n = cross(toVec(model[1]) - a, toVec(model[2]) - a);
        newPolygon(model, clip, dot(n, Vec{normal[0], normal[1], normal[2]}) < 0.0);
    }
    mergePending();
    if (!indexed && pool.size() > kLinearSearchLimit) indexAllEdges();
    return true;
}

int CoplanarJoin::sharpestCorner(int head, int count) const {
    int best = head;
    double bestSine = -1.0;
    int v = head;
    for (int i = 0; i < count; i++, v = pool[std::size_t(v)].next) {
        const Vertex &vertex = pool[std::size_t(v)];
        const double sine = std::fabs(turnSine(pool[std::size_t(vertex.prev)].model, vertex.model,
                                               pool[std::size_t(vertex.next)].model));
        if (sine > bestSine) {
            bestSine = sine;
            best = v;
        }
    }
    return best;
}

int CoplanarJoin::polygon(int slot, SbVec4f *&points, SbColor *&colors) {
    if (state == LONE) {
        points = loneClip;
        colors = loneColors;
        return 3;
    }
    const Polygon &p = polygons[std::size_t(slot)];
    if (p.parent != slot || p.count < 3) return 0;
    const bool lone = p.triangles == 1;
    const int count = lone ? 3 : p.count;
    outPoints.resize(std::size_t(count) + 7);
    outColors.resize(std::size_t(count) + 7);
    if (lone) {
        const TriangleRecord &t = triangleRecords[std::size_t(p.firstTriangle)];
        for (int i = 0; i < 3; i++) {
            outPoints[std::size_t(i)] = t.clip[i];
            outColors[std::size_t(i)] = t.colors[i];
        }
    } else {
        int v = sharpestCorner(p.head, p.count);
        for (int i = 0; i < count; i++, v = pool[std::size_t(v)].next) {
            outPoints[std::size_t(i)] = pool[std::size_t(v)].clip;
            outColors[std::size_t(i)] = color;
        }
    }
    points = outPoints.data();
    colors = outColors.data();
    return count;
}

} // namespace scrivane_capture
