// The painter's pair tests: which of two primitives lies behind the other, and whether two
// primitives can overlap on the page at all. Depth z grows away from the observer; a polygon's
// normal faces the observer, so a positive signed distance from its plane means "in front".
#include "scrivane/SoPainter.h"
#include <cmath>
#include "PagePoints.h"
#include "scrivane/PolyGon.h"
#include "scrivane/PolyLine.h"
#include "scrivane/PrimitiveList.h"
#include "scrivane/SoFindRendereredPrimitives.h"
#include "scrivane/SoHLHSRVectorize.h"

namespace {

bool isPolygon(const Primitive *p) { return p->getTypeId() == Primitive::POLYGON; }

// The smallest and largest signed distance of points from a polygon's plane.
struct Range {
    double min, max;
};

Range distancesFromPlane(const PolyGon *plane, const Primitive *points) {
    const SbVec3f &n = plane->getNormal();
    const SbVec4f &g0 = plane->getPoint(0);
    Range r{HUGE_VAL, -HUGE_VAL};
    for (int i = 0; i < points->getNum(); i++) {
        const SbVec4f &x = points->getPoint(i);
        const double s = static_cast<double>(n[0]) * (x[0] - g0[0]) + static_cast<double>(n[1]) * (x[1] - g0[1]) +
                         static_cast<double>(n[2]) * (x[2] - g0[2]);
        if (s < r.min) r.min = s;
        if (s > r.max) r.max = s;
    }
    return r;
}

bool coplanar(const Range &r) {
    return std::fabs(r.min) <= SoPainter::planeTolerance && std::fabs(r.max) <= SoPainter::planeTolerance;
}

// Both polygons: each one's points against the other's plane.
SoPainter::Position comparePolygons(const PolyGon *p, const PolyGon *q, int strictTest) {
    const Range qToP = distancesFromPlane(p, q);
    if (coplanar(qToP)) return SoPainter::COPLANAR;
    int sideQ = 0;
    if (!strictTest) {
        if (qToP.min >= -SoPainter::planeTolerance) return SoPainter::BEHIND;
        if (qToP.max <= SoPainter::planeTolerance) return SoPainter::IN_FRONT;
    } else {
        if (qToP.min < 0.0 && qToP.max > 0.0) return SoPainter::INTERSECTING;
        sideQ = qToP.min >= 0.0 ? 0 : 1;
    }
    const Range pToQ = distancesFromPlane(q, p);
    if (coplanar(pToQ)) return SoPainter::COPLANAR;
    if (!strictTest) {
        if (pToQ.min >= -SoPainter::planeTolerance) return SoPainter::IN_FRONT;
        return pToQ.max > SoPainter::planeTolerance ? SoPainter::INTERSECTING : SoPainter::BEHIND;
    }
    if (pToQ.min < 0.0 && pToQ.max > 0.0) return SoPainter::INTERSECTING;
    const int sideP = pToQ.min >= 0.0 ? 0 : 1;
    if (sideQ == 0 && sideP == 1) return SoPainter::BEHIND;
    if (sideQ == 1 && sideP == 0) return SoPainter::IN_FRONT;
    return SoPainter::INTERSECTING; // each in front of, or each behind, the other's plane
}

// A polygon g and another primitive o; the answer is about the polygon unless swapped, in which
// case it is about the other primitive.
SoPainter::Position comparePolygonWithOther(const PolyGon *g, const Primitive *o, bool swapped) {
    const SoPainter::Position gBehind = swapped ? SoPainter::IN_FRONT : SoPainter::BEHIND;
    const SoPainter::Position gInFront = swapped ? SoPainter::BEHIND : SoPainter::IN_FRONT;
    const SbVec3f &n = g->getNormal();
    const SbVec4f &g0 = g->getPoint(0);
    float min = HUGE_VALF, max = -HUGE_VALF;
    for (int i = 0; i < o->getNum(); i++) {
        const SbVec4f &x = o->getPoint(i);
        const float s = n[0] * (x[0] - g0[0]) + n[1] * (x[1] - g0[1]) + n[2] * (x[2] - g0[2]);
        if (s < min) min = s;
        if (s > max) max = s;
    }
    if (min >= 0.0f) return gBehind;
    if (max <= 0.0f) return gInFront;
    // o straddles the plane: a segment is judged where it crosses the polygon's outline.
    if (o->getTypeId() == Primitive::POLYLINE && o->getNum() == 2) {
        int count = 0;
        SbVec3f *crossings = SoPainter::intersPolySegment(g, static_cast<const PolyLine *>(o), count);
        if (count >= 1) {
            const float zc = count == 1 ? crossings[0][2] : 0.5f * (crossings[0][2] + crossings[1][2]);
            float zg = 0.0f;
            for (int i = 0; i < g->getNum(); i++)
                zg += g->getPoint(i)[2];
            zg /= static_cast<float>(g->getNum());
            delete[] crossings;
            return zg < zc ? gInFront : gBehind;
        }
        delete[] crossings;
    }
    return std::fabs(min) < std::fabs(max) ? gInFront : gBehind;
}
} // namespace

SoPainter::SoPainter(PrimitiveList *list, SoHLHSRVectorize *owner) : primitiveList(list), driver(owner) {}

SoPainter::Position SoPainter::comparePosition(const Primitive *p, const Primitive *q, int strictTest) {
    if (p->getZmin() > q->getZmax() || p->getZmax() < q->getZmin())
        return q->getZmax() >= p->getZmax() ? IN_FRONT : BEHIND;
    const bool pPolygon = isPolygon(p), qPolygon = isPolygon(q);
    if (pPolygon && qPolygon)
        return comparePolygons(static_cast<const PolyGon *>(p), static_cast<const PolyGon *>(q), strictTest);
    if (!pPolygon && !qPolygon) return q->getZmax() >= p->getZmax() ? IN_FRONT : BEHIND;
    if (pPolygon) return comparePolygonWithOther(static_cast<const PolyGon *>(p), q, false);
    return comparePolygonWithOther(static_cast<const PolyGon *>(q), p, true);
}

bool SoPainter::straddlesPlane(const PolyGon *polygon, const PolyGon *plane, double tolerance) {
    const Range r = distancesFromPlane(plane, polygon);
    return r.min < -tolerance && r.max > tolerance;
}

int SoPainter::outSide(const SbVec4f &p1, const SbVec4f &p2, const Primitive *prim) {
    const float nx = p2[1] - p1[1], ny = p1[0] - p2[0];
    for (int i = 0; i < prim->getNum(); i++) {
        const SbVec4f &x = prim->getPoint(i);
        if (nx * (x[0] - p1[0]) + ny * (x[1] - p1[1]) > 0.0f) return 0;
    }
    return 1;
}

namespace {
using scrivane_hlhsr::PageShape;

// True when one edge of a (closing edge last) has all of b on its outer side.
bool edgeSeparates(const PageShape &a, const PageShape &b) {
    for (int i = 0; i < a.n; i++) {
        const int k = i + 1 < a.n ? i + 1 : 0;
        const float nx = a.y[k] - a.y[i], ny = a.x[i] - a.x[k];
        bool outside = true;
        for (int m = 0; m < b.n && outside; m++)
            outside = nx * (b.x[m] - a.x[i]) + ny * (b.y[m] - a.y[i]) <= 0.0f;
        if (outside) return true;
    }
    return false;
}
} // namespace

scrivane_hlhsr::PageShape scrivane_hlhsr::pageShapeOf(const Primitive *p, std::vector<float> &xs,
                                                      std::vector<float> &ys) {
    const size_t start = xs.size();
    const int n = p->getNum();
    for (int i = 0; i < n; i++) {
        const SbVec4f &q = p->getPoint(i);
        xs.push_back(q[0]);
        ys.push_back(q[1]);
    }
    return PageShape{p, p->getBBox(), isPolygon(p), n, xs.data() + start, ys.data() + start};
}

bool scrivane_hlhsr::cannotOverlap(const PageShape &a, const PageShape &b) {
    if (!a.box.intersect(b.box)) return true;
    if (!a.polygon && !b.polygon) return true;
    if (a.n >= 2 && b.n >= 2) return edgeSeparates(a, b) || edgeSeparates(b, a);
    // One of them is a single point (a one-point mark, a text, an image): inside the polygon?
    const PageShape &polygon = a.polygon ? a : b, &point = a.polygon ? b : a;
    return !static_cast<const PolyGon *>(polygon.primitive)->isPointInnerXYPlane(SbVec2f(point.x[0], point.y[0]));
}

int SoPainter::isEqual(const Primitive *a, const Primitive *b) {
    std::vector<float> xs, ys;
    xs.reserve(static_cast<size_t>(a->getNum() + b->getNum()));
    ys.reserve(xs.capacity());
    const scrivane_hlhsr::PageShape pa = scrivane_hlhsr::pageShapeOf(a, xs, ys);
    const scrivane_hlhsr::PageShape pb = scrivane_hlhsr::pageShapeOf(b, xs, ys);
    return scrivane_hlhsr::cannotOverlap(pa, pb) ? 1 : 0;
}

SbVec3f *SoPainter::intersPolySegment(const PolyGon *g, const PolyLine *s, int &count) {
    SbVec3f *points = new SbVec3f[2];
    count = 0;
    const SbVec4f &s0 = s->getPoint(0), &s1 = s->getPoint(1);
    const float dx = s1[0] - s0[0], dy = s1[1] - s0[1];
    const int n = g->getNum();
    for (int k = 0; k < n && count < 2; k++) {
        const SbVec4f &a = g->getPoint(k), &b = g->getPoint((k + 1) % n);
        const float ex = b[0] - a[0], ey = b[1] - a[1];
        const float wx = a[0] - s0[0], wy = a[1] - s0[1];
        const float d = ey * dx - dy * ex;
        if (d == 0.0f) continue;
        const float t = (ey * wx - wy * ex) / d;
        const float u = (dy * wx - wy * dx) / d;
        if (t >= 0.0f && t <= 1.0f && u >= 0.0f && u <= 1.0f) {
            points[count].setValue(s0[0] + dx * t, s0[1] + dy * t, s0[2] + (s1[2] - s0[2]) * t);
            count++;
        }
    }
    return points;
}

int SoPainter::isIntersSegmentSegment2D(const SbVec4f &a1, const SbVec4f &a2, const SbVec4f &b1,
                                        const SbVec4f &b2) {
    const float nx = a1[1] - a2[1], ny = a2[0] - a1[0];
    const float sideB = (nx * (b1[0] - a1[0]) + ny * (b1[1] - a1[1])) * (nx * (b2[0] - a1[0]) + ny * (b2[1] - a1[1]));
    const float mx = b1[1] - b2[1], my = b2[0] - b1[0];
    const float sideA = (mx * (a1[0] - b1[0]) + my * (a1[1] - b1[1])) * (mx * (a2[0] - b1[0]) + my * (a2[1] - b1[1]));
    return sideB <= 0.0f && sideA <= 0.0f;
}

// Filled polygons that cover no area on the page paint nothing: they leave the list (and are
// deleted) before the ordering, where their unreliable planes would only cause cuts.
void SoPainter::dropFilledPolygonsWithoutArea() {
    int kept = 0;
    for (int i = 0; i < primitiveList->getLength(); i++) {
        Primitive *p = primitiveList->get(i);
        const PolyGon *g = isPolygon(p) ? static_cast<const PolyGon *>(p) : nullptr;
        if (g && g->getStyle() == PolyGon::FILLED && g->coversNoArea()) {
            delete p;
            continue;
        }
        primitiveList->set(kept++, p);
    }
    primitiveList->deleteValues(kept);
}

void SoPainter::apply() {
    primitiveList->sortZmax(0);
    const SoHLHSRVectorize::HLHSRMode mode = driver->getMode();
    if (mode == SoHLHSRVectorize::DEPTH_SORT) return;
    dropFilledPolygonsWithoutArea();
    if (mode == SoHLHSRVectorize::VISIBLE_PAINTER_ORDER) {
        // Polygons that no pixel of a z-buffer picture of the run shows are deleted first.
        SoFindRendereredPrimitives finder(SbViewportRegion(512, 512));
        finder.render(primitiveList);
    }
    order();
}

void SoPainter::display() {
    const int n = primitiveList->getLength();
    for (int i = 0; i < n; i++) {
        Primitive *primitive = primitiveList->get(i);
        primitive->print(driver);
        delete primitive;
    }
}
