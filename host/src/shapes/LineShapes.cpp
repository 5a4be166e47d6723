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
    const int numCoords = ctx.getNumCoordinates();
    int coord = startIndex.getValue() < 0 ? 0 : startIndex.getValue();
    int segment = 0;
    std::vector<int> coordinates, positions;
    for (int line = 0; line < numVertices.getNum() && coord < numCoords; line++) {
        int count = numVertices[line];
        if (count < 0 || count > numCoords - coord) count = numCoords - coord;
        coordinates.clear();
        for (int k = 0; k < count; k++) coordinates.push_back(coord + k);
        positions.assign(coordinates.size(), -1);
        emitPolyline(builder, ctx, line, segment, coordinates, coordinates, positions);
        coord += count;
    }
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
    const int n = coordIndex.getNum();
    int line = 0, segment = 0, vertexNumber = 0;
    std::vector<int> coordinates, numbers, positions;
    for (int pos = 0; pos < n;) {
        coordinates.clear();
        numbers.clear();
        positions.clear();
        for (; pos < n && coordIndex[pos] >= 0; pos++) {
            coordinates.push_back(coordIndex[pos]);
            numbers.push_back(vertexNumber++);
            positions.push_back(pos);
        }
        if (!coordinates.empty()) {
            emitPolyline(builder, ctx, line, segment, coordinates, numbers, positions);
            line++;
        }
        pos++; // past the -1 that ends the polyline
    }
}

void SoIndexedLineSet::computeBBox(SoAction *action, SbBox3f &box, SbVec3f &center) {
    scene_detail::boxOfIndexedCoordinates(action, coordIndex, box, center);
}
