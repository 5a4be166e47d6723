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

void CoplanarJoin::clear() {
    pool.clear();
    if (indexed) edges.clear();
    indexed = false;
    first = -1;
    vertexCount = 0;
    triangleCount = 0;
    joinable = false;
}

int CoplanarJoin::newVertex(const SbVec3f &model, const SbVec4f &clip, int prev, int next) {
    pool.push_back(Vertex{model, clip, prev, next});
    return static_cast<int>(pool.size()) - 1;
}

void CoplanarJoin::start(const SbVec3f model[3], const SbVec4f clip[3], const SbColor colors[3]) {
    clear();
    for (int i = 0; i < 3; i++) {
        newVertex(model[i], clip[i], (i + 2) % 3, (i + 1) % 3);
        firstClip[i] = clip[i];
        firstColors[i] = colors[i];
    }
    first = 0;
    vertexCount = 3;
    triangleCount = 1;
    color = colors[0];
    const Vec a = toVec(model[0]);
    const Vec n = cross(toVec(model[1]) - a, toVec(model[2]) - a);
    const double size = length(n);
    // A triangle without area has no plane, and one of several colours no single fill colour.
    joinable = flat(colors) && size > 0.0 && std::isfinite(size);
    if (!joinable) return;
    normal[0] = n.x / size;
    normal[1] = n.y / size;
    normal[2] = n.z / size;
    offset = normal[0] * a.x + normal[1] * a.y + normal[2] * a.z;
}

bool CoplanarJoin::inPlane(const SbVec3f model[3]) const {
    const Vec a = toVec(model[0]), b = toVec(model[1]), c = toVec(model[2]);
    const Vec n = cross(b - a, c - a);
    const double area = length(n);
    if (!(area > 0.0)) return false;
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

// A corner that keeps the outline convex: a left turn, or straight on (not turning back).
static bool convexCorner(double sine, const SbVec3f &a, const SbVec3f &b, const SbVec3f &c) {
    if (sine > CoplanarJoin::kCollinearSine) return true;
    if (sine < -CoplanarJoin::kCollinearSine) return false;
    const SbVec3f e1 = b - a, e2 = c - b;
    return double(e1[0]) * e2[0] + double(e1[1]) * e2[1] + double(e1[2]) * e2[2] > 0.0;
}

int CoplanarJoin::findEdge(const SbVec3f &p, const SbVec3f &q) const {
    if (indexed) {
        const auto found = edges.find(keyOf(p, q));
        return found == edges.end() ? -1 : found->second;
    }
    int v = first;
    for (int i = 0; i < vertexCount; i++, v = pool[std::size_t(v)].next) {
        const SbVec3f &from = pool[std::size_t(v)].model;
        const SbVec3f &to = pool[std::size_t(pool[std::size_t(v)].next)].model;
        if ((from == p && to == q) || (from == q && to == p)) return v;
    }
    return -1;
}

void CoplanarJoin::indexEdge(int from) {
    if (!indexed) return;
    const Vertex &v = pool[std::size_t(from)];
    edges[keyOf(v.model, pool[std::size_t(v.next)].model)] = from;
}

void CoplanarJoin::unindexEdge(int from) {
    if (!indexed) return;
    const Vertex &v = pool[std::size_t(from)];
    edges.erase(keyOf(v.model, pool[std::size_t(v.next)].model));
}

void CoplanarJoin::indexAllEdges() {
    indexed = true;
    int v = first;
    for (int i = 0; i < vertexCount; i++, v = pool[std::size_t(v)].next)
        indexEdge(v);
}

void CoplanarJoin::dropIfStraight(int v) {
    Vertex &vertex = pool[std::size_t(v)];
    const int prev = vertex.prev, next = vertex.next;
    const double sine =
        turnSine(pool[std::size_t(prev)].model, vertex.model, pool[std::size_t(next)].model);
    if (std::fabs(sine) > kCollinearSine) return;
    unindexEdge(prev);
    unindexEdge(v);
    pool[std::size_t(prev)].next = next;
    pool[std::size_t(next)].prev = prev;
    indexEdge(prev);
    if (first == v) first = next;
    vertexCount--;
}

bool CoplanarJoin::add(const SbVec3f model[3], const SbVec4f clip[3], const SbColor colors[3]) {
    if (!joinable || !flat(colors) || !(colors[0] == color) || !inPlane(model)) return false;
    for (int i = 0; i < 3; i++) {
        const int u = findEdge(model[i], model[(i + 1) % 3]);
        if (u < 0) continue;
        const int third = (i + 2) % 3;
        const int v = pool[std::size_t(u)].next;
        const SbVec3f &pu = pool[std::size_t(u)].model, &pv = pool[std::size_t(v)].model;
        const SbVec3f &pw = model[third];
        // The triangle must lie outside the shared edge (the outline runs counter-clockwise about
        // the normal), and the corners at both ends of the edge must stay convex.
        if (!(turnSine(pu, pw, pv) > kCollinearSine)) return false;
        const SbVec3f &before = pool[std::size_t(pool[std::size_t(u)].prev)].model;
        const SbVec3f &after = pool[std::size_t(pool[std::size_t(v)].next)].model;
        if (!convexCorner(turnSine(before, pu, pw), before, pu, pw)) return false;
        if (!convexCorner(turnSine(pw, pv, after), pw, pv, after)) return false;

        unindexEdge(u);
        const int w = newVertex(pw, clip[third], u, v);
        pool[std::size_t(u)].next = w;
        pool[std::size_t(v)].prev = w;
        indexEdge(u);
        indexEdge(w);
        vertexCount++;
        triangleCount++;
        dropIfStraight(u);
        dropIfStraight(v);
        if (!indexed && vertexCount > kLinearSearchLimit) indexAllEdges();
        return true;
    }
    return false;
}

int CoplanarJoin::sharpestCorner() const {
    int best = first;
    double bestSine = -1.0;
    int v = first;
    for (int i = 0; i < vertexCount; i++, v = pool[std::size_t(v)].next) {
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

SbVec4f *CoplanarJoin::points() {
    outPoints.resize(std::size_t(count()) + 7);
    if (triangleCount == 1) {
        for (int i = 0; i < 3; i++)
            outPoints[std::size_t(i)] = firstClip[i];
        return outPoints.data();
    }
    int v = sharpestCorner();
    for (int i = 0; i < vertexCount; i++, v = pool[std::size_t(v)].next)
        outPoints[std::size_t(i)] = pool[std::size_t(v)].clip;
    return outPoints.data();
}

SbColor *CoplanarJoin::colors() {
    outColors.resize(std::size_t(count()) + 7);
    for (int i = 0; i < count(); i++)
        outColors[std::size_t(i)] = triangleCount == 1 ? firstColors[i] : color;
    return outColors.data();
}

} // namespace scrivane_capture
