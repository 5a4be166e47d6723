// Primitive generation and box of the point set (and so of the marker set, which draws the same
// points as bitmaps).
//
// The points are the coordinates from startIndex on: numPoints values are added up, a negative
// value taking every coordinate left (the default -1 takes them all). Each point is its own part
// and face (counted from 0); PER_VERTEX bindings use its coordinate index. Points take the
// state's normals when there are some and keep the default (0, 0, 1) otherwise.
#include "ShapeBuilder.h"
#include "VertexShapeSupport.h"
#include "scene/nodes/SoPointSet.h"

using scene_detail::ShapeBuilder;
using scene_detail::VertexShapeContext;

void SoPointSet::generatePrimitives(SoAction *action) {
    ShapeBuilder builder(action, this);
    if (!builder.isActive()) return;
    const VertexShapeContext ctx(action, nullptr, nullptr, nullptr);
    const int start = startIndex.getValue() < 0 ? 0 : startIndex.getValue();
    const int count = scene_detail::coordinatesUsed(numPoints, ctx.getNumCoordinates() - start);
    const SbVec3f noNormal(0, 0, 1);
    builder.begin(ShapeBuilder::POINTS);
    for (int i = 0; i < count; i++)
        builder.vertex(ctx.getCoordinate(start + i),
                       ctx.vertexNormal(noNormal, i, i, start + i, -1),
                       ctx.material(i, i, start + i, -1));
    builder.end();
}

void SoPointSet::computeBBox(SoAction *action, SbBox3f &box, SbVec3f &center) {
    const VertexShapeContext ctx(action, nullptr, nullptr, nullptr);
    const int start = startIndex.getValue() < 0 ? 0 : startIndex.getValue();
    scene_detail::boxOfCoordinateRange(
        action, start, scene_detail::coordinatesUsed(numPoints, ctx.getNumCoordinates() - start),
        box, center);
}
