#include "ShapeBuilder.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include "scene/actions/SoCallbackAction.h"
#include "scene/elements/SoShapeHintsElement.h"
#include "scene/misc/SoState.h"
#include "scene/nodes/SoShape.h"

namespace scene_detail {

ShapeBuilder::ShapeBuilder(SoAction *action, const SoShape *s) : shape(s) {
    if (action && action->isOfType(SoCallbackAction::getClassTypeId())) {
        callbackAction = static_cast<SoCallbackAction *>(action);
        int ordering, shapeType, faceType;
        SoShapeHintsElement::get(action->getState(), ordering, shapeType, faceType);
        convexFaces = faceType != SoShapeHintsElement::UNKNOWN_FACE_TYPE;
    }
}

void ShapeBuilder::begin(Mode m) {
    mode = m;
    vertices.clear();
}

void ShapeBuilder::vertex(const SoPrimitiveVertex &v) {
    if (callbackAction) vertices.push_back(v);
}

void ShapeBuilder::vertex(const SbVec3f &point, const SbVec3f &normal, int materialIndex) {
    if (!callbackAction) return;
    SoPrimitiveVertex &v = vertices.emplace_back();
    v.setPoint(point);
    v.setNormal(normal);
    v.setMaterialIndex(materialIndex);
}

void ShapeBuilder::end() {
    if (!callbackAction) return;
    const size_t n = vertices.size();
    switch (mode) {
    case TRIANGLES:
        for (size_t i = 0; i + 2 < n; i += 3)
            emitTriangle(vertices[i], vertices[i + 1], vertices[i + 2]);
        break;
    case TRIANGLE_STRIP:
        for (size_t i = 0; i + 2 < n; i++) {
            if (i % 2 == 0)
                emitTriangle(vertices[i], vertices[i + 1], vertices[i + 2]);
            else
                emitTriangle(vertices[i + 1], vertices[i], vertices[i + 2]);
        }
        break;
    case TRIANGLE_FAN:
        for (size_t i = 1; i + 1 < n; i++)
            emitTriangle(vertices[0], vertices[i], vertices[i + 1]);
        break;
    case POLYGON:
        emitPolygon();
        break;
    case LINES:
        for (size_t i = 0; i + 1 < n; i += 2)
            callbackAction->invokeLineSegmentCallbacks(shape, &vertices[i], &vertices[i + 1]);
        break;
    case LINE_STRIP:
        for (size_t i = 0; i + 1 < n; i++)
            callbackAction->invokeLineSegmentCallbacks(shape, &vertices[i], &vertices[i + 1]);
        break;
    case POINTS:
        for (size_t i = 0; i < n; i++)
            callbackAction->invokePointCallbacks(shape, &vertices[i]);
        break;
    }
    vertices.clear();
}

void ShapeBuilder::triangle(const SoPrimitiveVertex &a, const SoPrimitiveVertex &b,
                            const SoPrimitiveVertex &c) {
    if (callbackAction) emitTriangle(a, b, c);
}

void ShapeBuilder::segment(const SoPrimitiveVertex &a, const SoPrimitiveVertex &b) {
    if (callbackAction) callbackAction->invokeLineSegmentCallbacks(shape, &a, &b);
}

void ShapeBuilder::point(const SoPrimitiveVertex &v) {
    if (callbackAction) callbackAction->invokePointCallbacks(shape, &v);
}

void ShapeBuilder::emitTriangle(const SoPrimitiveVertex &a, const SoPrimitiveVertex &b,
                                const SoPrimitiveVertex &c) {
    if (a.getPoint() == b.getPoint() || b.getPoint() == c.getPoint() ||
        a.getPoint() == c.getPoint())
        return;
    callbackAction->invokeTriangleCallbacks(shape, &a, &b, &c);
}

void ShapeBuilder::emitPolygon() {
    const int n = static_cast<int>(vertices.size());
    if (n < 3) return;
    if (convexFaces || n == 3) {
        for (int i = 1; i + 1 < n; i++)
            emitTriangle(vertices[0], vertices[i], vertices[i + 1]);
        return;
    }
    std::vector<SbVec3f> points(static_cast<size_t>(n));
    for (int i = 0; i < n; i++)
        points[static_cast<size_t>(i)] = vertices[static_cast<size_t>(i)].getPoint();
    std::vector<int> triangles;
    triangulatePolygon(points.data(), n, triangles);
    for (size_t t = 0; t + 2 < triangles.size(); t += 3)
        emitTriangle(vertices[static_cast<size_t>(triangles[t])],
                     vertices[static_cast<size_t>(triangles[t + 1])],
                     vertices[static_cast<size_t>(triangles[t + 2])]);
}

SbVec3f ShapeBuilder::polygonNormal(const SbVec3f *p, int count) {
    double nx = 0, ny = 0, nz = 0;
    for (int i = 0; i < count; i++) {
        const SbVec3f &a = p[i];
        const SbVec3f &b = p[i + 1 < count ? i + 1 : 0]; // a branch, not a division per corner
        nx += (double(a[1]) - b[1]) * (double(a[2]) + b[2]);
        ny += (double(a[2]) - b[2]) * (double(a[0]) + b[0]);
        nz += (double(a[0]) - b[0]) * (double(a[1]) + b[1]);
    }
    return SbVec3f(float(nx), float(ny), float(nz));
}

namespace {

struct Point2 {
    double x, y;
};

double cross(const Point2 &a, const Point2 &b, const Point2 &c) {
    return (b.x - a.x) * (c.y - a.y) - (b.y - a.y) * (c.x - a.x);
}

// Whether p lies inside triangle abc (counter-clockwise) or on its border.
bool insideOrOn(const Point2 &p, const Point2 &a, const Point2 &b, const Point2 &c, double eps) {
    return cross(a, b, p) >= -eps && cross(b, c, p) >= -eps && cross(c, a, p) >= -eps;
}

bool samePoint(const Point2 &a, const Point2 &b) {
    return a.x == b.x && a.y == b.y;
}

// Above this many corners a concave face is split as a fan: ear clipping costs grow with the
// square of the count, and such faces come from generated data, not from drawings.
constexpr int kMaxEarClippingCorners = 4096;

} // namespace

void ShapeBuilder::triangulatePolygon(const SbVec3f *points, int count, std::vector<int> &out) {
    if (count < 3) return;
    auto fan = [&](const std::vector<int> &ring) {
        for (size_t i = 1; i + 1 < ring.size(); i++) {
            out.push_back(ring[0]);
            out.push_back(ring[i]);
            out.push_back(ring[i + 1]);
        }
    };
    std::vector<int> ring(static_cast<size_t>(count));
    for (int i = 0; i < count; i++)
        ring[static_cast<size_t>(i)] = i;

    const SbVec3f normal = polygonNormal(points, count);
    const float ax = std::fabs(normal[0]), ay = std::fabs(normal[1]), az = std::fabs(normal[2]);
    if (count == 3 || count > kMaxEarClippingCorners || (ax == 0 && ay == 0 && az == 0)) {
        fan(ring);
        return;
    }
    // Project on the coordinate plane most parallel to the face, choosing the order of the two
    // kept axes so that the face runs counter-clockwise in 2-D.
    int u = 0, v = 1;
    float sign = normal[2];
    if (ax >= ay && ax >= az) {
        u = 1, v = 2, sign = normal[0];
    } else if (ay >= az) {
        u = 2, v = 0, sign = normal[1];
    }
    if (sign < 0) std::swap(u, v);
    std::vector<Point2> p(static_cast<size_t>(count));
    double extent = 0;
    for (int i = 0; i < count; i++) {
        p[static_cast<size_t>(i)] = Point2{points[i][u], points[i][v]};
        extent = std::max(extent, std::max(std::fabs(p[static_cast<size_t>(i)].x),
                                           std::fabs(p[static_cast<size_t>(i)].y)));
    }
    const double eps = 1e-12 * (extent * extent + 1e-30);

    size_t start = 0;
    while (ring.size() > 3) {
        const size_t n = ring.size();
        bool clipped = false;
        for (size_t k = 0; k < n && !clipped; k++) {
            const size_t i = (start + k) % n;
            const int ip = ring[(i + n - 1) % n], ic = ring[i], in = ring[(i + 1) % n];
            const Point2 &a = p[static_cast<size_t>(ip)], &b = p[static_cast<size_t>(ic)],
                         &c = p[static_cast<size_t>(in)];
            if (cross(a, b, c) <= eps) continue; // reflex or flat corner: not an ear
            bool blocked = false;
            for (size_t j = 0; j < n && !blocked; j++) {
                const int other = ring[j];
                if (other == ip || other == ic || other == in) continue;
                const Point2 &q = p[static_cast<size_t>(other)];
                if (samePoint(q, a) || samePoint(q, b) || samePoint(q, c)) continue;
                blocked = insideOrOn(q, a, b, c, eps);
            }
            if (blocked) continue;
            out.push_back(ip);
            out.push_back(ic);
            out.push_back(in);
            ring.erase(ring.begin() + static_cast<std::ptrdiff_t>(i));
            start = i % ring.size();
            clipped = true;
        }
        if (clipped) continue;
        // No ear: drop a corner that lies on the line of its neighbours (it covers no area), or
        // give up on a self-intersecting remainder and split it as a fan.
        bool dropped = false;
        for (size_t i = 0; i < n && !dropped; i++) {
            const Point2 &a = p[static_cast<size_t>(ring[(i + n - 1) % n])],
                         &b = p[static_cast<size_t>(ring[i])],
                         &c = p[static_cast<size_t>(ring[(i + 1) % n])];
            if (std::fabs(cross(a, b, c)) <= eps) {
                ring.erase(ring.begin() + static_cast<std::ptrdiff_t>(i));
                dropped = true;
            }
        }
        if (!dropped) {
            fan(ring);
            return;
        }
        start = 0;
    }
    if (ring.size() == 3 && cross(p[static_cast<size_t>(ring[0])], p[static_cast<size_t>(ring[1])],
                                  p[static_cast<size_t>(ring[2])]) > eps) {
        out.push_back(ring[0]);
        out.push_back(ring[1]);
        out.push_back(ring[2]);
    }
}

} // namespace scene_detail
