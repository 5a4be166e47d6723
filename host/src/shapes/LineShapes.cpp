// Primitive generation and boxes of the line sets.
//
// A polyline of n vertices gives the n - 1 segments (0,1), (1,2), ...; consecutive segments share
// their end point exactly, so a reader can join them again. For the bindings a part is a segment
// (counted across the whole set) and a face is a polyline. Lines take the state's normals when
// there are some (selected by the normal binding) and keep the default (0, 0, 1) otherwise.
#include <vector>

#include "ShapeBuilder.h"
#include "VertexShapeSupport.h"
#include "scene/nodes/SoIndexedLineSet.h"
#include "scene/nodes/SoLineSet.h"

using scene_detail::ShapeBuilder;
using scene_detail::VertexShapeContext;

namespace {

void emitPolyline(ShapeBuilder &builder, const VertexShapeContext &ctx, int line, int &segment,
                  const std::vector<int> &coordinates, const std::vector<int> &numbers,
                  const std::vector<int> &positions) {
    const SbVec3f noNormal(0, 0, 1);
    for (size_t i = 0; i + 1 < coordinates.size(); i++, segment++) {
        SoPrimitiveVertex ends[2];
        for (size_t k = 0; k < 2; k++) {
            const int number = numbers[i + k], position = positions[i + k];
            ends[k] = scene_detail::primitiveVertex(ctx.getCoordinate(coordinates[i + k]),
                                                    ctx.vertexNormal(noNormal, segment, line, number, position),
                                                    ctx.material(segment, line, number, position));
        }
        builder.segment(ends[0], ends[1]);
    }
}

} // namespace

void SoLineSet::generatePrimitives(SoAction *action) {
    ShapeBuilder builder(action, this);
    if (!builder.isActive()) return;
    const VertexShapeContext ctx(action, nullptr, nullptr, nullptr);
    int segment = 0;
    scene_detail::forEachCountedRun(numVertices, startIndex.getValue(), ctx.getNumCoordinates(),
                                    [&](int line, const scene_detail::VertexRun &run) {
                                        emitPolyline(builder, ctx, line, segment, run.coordinates, run.numbers,
                                                     run.positions);
                                    });
}

void SoLineSet::computeBBox(SoAction *action, SbBox3f &box, SbVec3f &center) {
    const VertexShapeContext ctx(action, nullptr, nullptr, nullptr);
    const int start = startIndex.getValue() < 0 ? 0 : startIndex.getValue();
    scene_detail::boxOfCoordinateRange(action, start, scene_detail::coordinatesUsed(numVertices, ctx.getNumCoordinates() - start),
                                       box, center);
}

void SoIndexedLineSet::generatePrimitives(SoAction *action) {
    ShapeBuilder builder(action, this);
    if (!builder.isActive()) return;
    const VertexShapeContext ctx(action, &materialIndex, &normalIndex, &coordIndex);
    int segment = 0;
    scene_detail::forEachIndexedRun(coordIndex, [&](int line, const scene_detail::VertexRun &run) {
        emitPolyline(builder, ctx, line, segment, run.coordinates, run.numbers, run.positions);
    });
}

void SoIndexedLineSet::computeBBox(SoAction *action, SbBox3f &box, SbVec3f &center) {
    scene_detail::boxOfIndexedCoordinates(action, coordIndex, box, center);
}
