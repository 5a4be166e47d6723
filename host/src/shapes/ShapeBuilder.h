// Turns the vertices a shape produces into the triangles, line segments and points that the
// callback action hands to the application.
//
// A shape opens a primitive with begin(mode), feeds its vertices with vertex(), and closes it
// with end(). The modes decompose as follows:
//   TRIANGLES       every three vertices form a triangle (a partial last triple is dropped);
//   TRIANGLE_STRIP  triangle i is (i, i+1, i+2) for even i and (i+1, i, i+2) for odd i, so every
//                   triangle keeps the winding of the first;
//   TRIANGLE_FAN    triangle i is (0, i+1, i+2);
//   POLYGON         one planar face: a fan when faces are known to be convex, otherwise ear
//                   clipping in the face's plane (concave faces are triangulated correctly,
//                   keeping the face's winding);
//   LINES           every two vertices form a segment;
//   LINE_STRIP      segment i is (i, i+1): consecutive segments share their end point exactly;
//   POINTS          every vertex is a point.
// Triangles with two identical corners are dropped: they cover nothing. The builder only
// delivers primitives when the action is a callback action; for any other action it is inert.
#ifndef SCENE_SHAPES_SHAPEBUILDER_H
#define SCENE_SHAPES_SHAPEBUILDER_H

#include <vector>

#include "scene/base/SbVec3f.h"
#include "scene/misc/SoPrimitiveVertex.h"

class SoAction;
class SoCallbackAction;
class SoShape;

namespace scene_detail {

class ShapeBuilder {
public:
    enum Mode { TRIANGLES, TRIANGLE_STRIP, TRIANGLE_FAN, POLYGON, LINES, LINE_STRIP, POINTS };

    // Reads from the action's state whether faces may be concave (shape hints face type).
    ShapeBuilder(SoAction *action, const SoShape *shape);
    ShapeBuilder(const ShapeBuilder &) = delete;
    ShapeBuilder &operator=(const ShapeBuilder &) = delete;

    // False when the action does not take primitives; shapes may then skip their work.
    bool isActive() const { return callbackAction != nullptr; }
    // Overrides what the shape hints said about convexity of polygons.
    void setConvexFaces(bool convex) { convexFaces = convex; }

    void begin(Mode mode);
    void vertex(const SoPrimitiveVertex &v);
    // A vertex of that point, normal and material index, made in place.
    void vertex(const SbVec3f &point, const SbVec3f &normal, int materialIndex);
    void end();

    // Convenience: one triangle, one segment, one point.
    void triangle(const SoPrimitiveVertex &a, const SoPrimitiveVertex &b,
                  const SoPrimitiveVertex &c);
    void segment(const SoPrimitiveVertex &a, const SoPrimitiveVertex &b);
    void point(const SoPrimitiveVertex &v);

    // Normal of a polygon by Newell's method: its direction is the side from which the polygon
    // runs counter-clockwise; zero for a degenerate polygon. Not normalized.
    static SbVec3f polygonNormal(const SbVec3f *points, int count);
    // Triangulates a simple polygon (convex or not) lying in a plane: appends index triples into
    // the point array to triangles, each wound like the polygon. Degenerate input (collinear
    // points, self-intersections) still yields a covering set of triangles without looping.
    static void triangulatePolygon(const SbVec3f *points, int count, std::vector<int> &triangles);

private:
    void emitTriangle(const SoPrimitiveVertex &a, const SoPrimitiveVertex &b,
                      const SoPrimitiveVertex &c);
    void emitPolygon();

    SoCallbackAction *callbackAction = nullptr;
    const SoShape *shape;
    bool convexFaces = true;
    Mode mode = TRIANGLES;
    std::vector<SoPrimitiveVertex> vertices;
};

} // namespace scene_detail

#endif
