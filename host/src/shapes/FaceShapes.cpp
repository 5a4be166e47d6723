// Primitive generation and boxes of the face sets.
//
// Each face is one polygon: a fan of triangles when the shape hints declare faces convex (the
// default), ear clipping in the face's plane when they leave the face type unknown. Faces with
// fewer than three corners produce nothing but still count as faces for the bindings. For both
// face sets a part is a face. Without normals in the state every corner of a face takes the
// face's normal (counter-clockwise corners face it; clockwise ones when the shape hints say so).
#include <vector>

#include "ShapeBuilder.h"
#include "VertexShapeSupport.h"
#include "scene/nodes/SoFaceSet.h"
#include "scene/nodes/SoIndexedFaceSet.h"

using scene_detail::ShapeBuilder;
using scene_detail::VertexShapeContext;

void SoFaceSet::generatePrimitives(SoAction *action) {
    ShapeBuilder builder(action, this);
    if (!builder.isActive()) return;
    const VertexShapeContext ctx(action, nullptr, nullptr, nullptr);
    const int numCoords = ctx.getNumCoordinates();
    int coord = startIndex.getValue() < 0 ? 0 : startIndex.getValue();
    std::vector<SbVec3f> corners;
    for (int face = 0; face < numVertices.getNum() && coord < numCoords; face++) {
        int count = numVertices[face];
        if (count < 0 || count > numCoords - coord) count = numCoords - coord;
        if (count >= 3) {
            corners.clear();
            for (int k = 0; k < count; k++)
                corners.push_back(ctx.getCoordinate(coord + k));
            const SbVec3f normal = ctx.faceNormal(corners.data(), count);
            builder.begin(ShapeBuilder::POLYGON);
            for (int k = 0; k < count; k++)
                builder.vertex(corners[static_cast<size_t>(k)],
                               ctx.vertexNormal(normal, face, face, coord + k, -1),
                               ctx.material(face, face, coord + k, -1));
            builder.end();
        }
        coord += count;
    }
}

void SoFaceSet::computeBBox(SoAction *action, SbBox3f &box, SbVec3f &center) {
    const VertexShapeContext ctx(action, nullptr, nullptr, nullptr);
    const int start = startIndex.getValue() < 0 ? 0 : startIndex.getValue();
    scene_detail::boxOfCoordinateRange(
        action, start, scene_detail::coordinatesUsed(numVertices, ctx.getNumCoordinates() - start),
        box, center);
}

void SoIndexedFaceSet::generatePrimitives(SoAction *action) {
    ShapeBuilder builder(action, this);
    if (!builder.isActive()) return;
    const VertexShapeContext ctx(action, &materialIndex, &normalIndex, &coordIndex);
    const int n = coordIndex.getNum();
    int face = 0, vertexNumber = 0;
    std::vector<SbVec3f> corners;
    for (int pos = 0; pos < n;) {
        const int first = pos;
        while (pos < n && coordIndex[pos] >= 0)
            pos++;
        const int count = pos - first;
        if (count >= 3) {
            corners.clear();
            for (int k = 0; k < count; k++)
                corners.push_back(ctx.getCoordinate(coordIndex[first + k]));
            const SbVec3f normal = ctx.faceNormal(corners.data(), count);
            builder.begin(ShapeBuilder::POLYGON);
            for (int k = 0; k < count; k++)
                builder.vertex(corners[static_cast<size_t>(k)],
                               ctx.vertexNormal(normal, face, face, vertexNumber + k, first + k),
                               ctx.material(face, face, vertexNumber + k, first + k));
            builder.end();
        }
        if (count > 0) face++;
        vertexNumber += count;
        pos++; // past the -1 that ends the face
    }
}

void SoIndexedFaceSet::computeBBox(SoAction *action, SbBox3f &box, SbVec3f &center) {
    scene_detail::boxOfIndexedCoordinates(action, coordIndex, box, center);
}
