// Primitive generation and boxes of the triangle strip sets and the quad mesh.
//
// Strips: triangle i of a strip uses its vertices (i, i+1, i+2) for even i and (i+1, i, i+2) for
// odd i, so every triangle keeps the winding of the first; a strip of n vertices gives n - 2
// triangles. For the bindings a part is a strip and a face is a triangle (counted across the
// whole set).
//
// Quad mesh: verticesPerRow coordinates make one row, verticesPerColumn rows make the mesh (row r,
// column c at startIndex + r * verticesPerRow + c). The quad at (r, c) is the triangles
// (r,c) (r,c+1) (r+1,c+1) and (r,c) (r+1,c+1) (r+1,c): counter-clockwise when columns run along
// +x and rows along +y. A part is a row of quads and a face is a quad, counted row by row.
//
// Without normals in the state each triangle (each quad for the mesh) takes its own face normal.
#include <utility>
#include <vector>

#include "ShapeBuilder.h"
#include "VertexShapeSupport.h"
#include "scene/nodes/SoIndexedTriangleStripSet.h"
#include "scene/nodes/SoQuadMesh.h"
#include "scene/nodes/SoTriangleStripSet.h"

using scene_detail::ShapeBuilder;
using scene_detail::VertexShapeContext;

namespace {

// Emits the triangles of one strip. vertexNumbers and positions give, for each vertex of the
// strip, its binding number (coordinate index or running count) and its place in coordIndex
// (-1 for non-indexed shapes).
void emitStrip(ShapeBuilder &builder, const VertexShapeContext &ctx, int strip, int &face,
               const std::vector<int> &coordinates, const std::vector<int> &vertexNumbers,
               const std::vector<int> &positions) {
    const size_t n = coordinates.size();
    for (size_t i = 0; i + 2 < n; i++, face++) {
        size_t corner[3] = {i, i + 1, i + 2};
        if (i % 2 == 1) std::swap(corner[0], corner[1]);
        SbVec3f points[3];
        for (int k = 0; k < 3; k++) points[k] = ctx.getCoordinate(coordinates[corner[k]]);
        const SbVec3f normal = ctx.faceNormal(points, 3);
        SoPrimitiveVertex v[3];
        for (int k = 0; k < 3; k++) {
            const int number = vertexNumbers[corner[k]], position = positions[corner[k]];
            v[k] = scene_detail::primitiveVertex(points[k], ctx.vertexNormal(normal, strip, face, number, position),
                                                 ctx.material(strip, face, number, position));
        }
        builder.triangle(v[0], v[1], v[2]);
    }
}

} // namespace

void SoTriangleStripSet::generatePrimitives(SoAction *action) {
    ShapeBuilder builder(action, this);
    if (!builder.isActive()) return;
    const VertexShapeContext ctx(action, nullptr, nullptr, nullptr);
    int face = 0;
    scene_detail::forEachCountedRun(numVertices, startIndex.getValue(), ctx.getNumCoordinates(),
                                    [&](int strip, const scene_detail::VertexRun &run) {
                                        emitStrip(builder, ctx, strip, face, run.coordinates, run.numbers,
                                                  run.positions);
                                    });
}

void SoTriangleStripSet::computeBBox(SoAction *action, SbBox3f &box, SbVec3f &center) {
    const VertexShapeContext ctx(action, nullptr, nullptr, nullptr);
    const int start = startIndex.getValue() < 0 ? 0 : startIndex.getValue();
    scene_detail::boxOfCoordinateRange(action, start, scene_detail::coordinatesUsed(numVertices, ctx.getNumCoordinates() - start),
                                       box, center);
}

void SoIndexedTriangleStripSet::generatePrimitives(SoAction *action) {
    ShapeBuilder builder(action, this);
    if (!builder.isActive()) return;
    const VertexShapeContext ctx(action, &materialIndex, &normalIndex, &coordIndex);
    int face = 0;
    scene_detail::forEachIndexedRun(coordIndex, [&](int strip, const scene_detail::VertexRun &run) {
        emitStrip(builder, ctx, strip, face, run.coordinates, run.numbers, run.positions);
    });
}

void SoIndexedTriangleStripSet::computeBBox(SoAction *action, SbBox3f &box, SbVec3f &center) {
    scene_detail::boxOfIndexedCoordinates(action, coordIndex, box, center);
}

namespace {
// The rows and columns of a mesh that the state's coordinates can supply.
void meshSize(const SoQuadMesh *mesh, int numCoords, int &start, int &rows, int &columns) {
    start = mesh->startIndex.getValue() < 0 ? 0 : mesh->startIndex.getValue();
    columns = mesh->verticesPerRow.getValue();
    rows = mesh->verticesPerColumn.getValue();
    if (columns < 0) columns = 0;
    if (rows < 0) rows = 0;
    const int available = numCoords - start;
    if (columns == 0 || available <= 0) {
        rows = 0;
        return;
    }
    if (rows > available / columns) rows = available / columns;
}
} // namespace

void SoQuadMesh::generatePrimitives(SoAction *action) {
    ShapeBuilder builder(action, this);
    if (!builder.isActive()) return;
    const VertexShapeContext ctx(action, nullptr, nullptr, nullptr);
    int start, rows, columns;
    meshSize(this, ctx.getNumCoordinates(), start, rows, columns);
    for (int r = 0; r + 1 < rows; r++) {
        for (int c = 0; c + 1 < columns; c++) {
            const int face = r * (columns - 1) + c;
            const int index[4] = {start + r * columns + c, start + r * columns + c + 1,
                                  start + (r + 1) * columns + c + 1, start + (r + 1) * columns + c};
            SbVec3f points[4];
            for (int k = 0; k < 4; k++) points[k] = ctx.getCoordinate(index[k]);
            const SbVec3f normal = ctx.faceNormal(points, 4);
            SoPrimitiveVertex v[4];
            for (int k = 0; k < 4; k++)
                v[k] = scene_detail::primitiveVertex(points[k], ctx.vertexNormal(normal, r, face, index[k], -1),
                                                     ctx.material(r, face, index[k], -1));
            builder.triangle(v[0], v[1], v[2]);
            builder.triangle(v[0], v[2], v[3]);
        }
    }
}

void SoQuadMesh::computeBBox(SoAction *action, SbBox3f &box, SbVec3f &center) {
    const VertexShapeContext ctx(action, nullptr, nullptr, nullptr);
    int start, rows, columns;
    meshSize(this, ctx.getNumCoordinates(), start, rows, columns);
    scene_detail::boxOfCoordinateRange(action, start, rows * columns, box, center);
}
