// What vertex shapes share while they generate primitives: the coordinates and normals of the
// state, and the rules that turn a material or normal binding into an index.
//
// Binding rules (the conventions of this family of toolkits):
//   OVERALL                 index 0 for everything;
//   PER_PART, PER_FACE      a running count of parts or faces from 0 (what a part and a face are
//                           depends on the shape: see each shape's header comment);
//   PER_PART_INDEXED,
//   PER_FACE_INDEXED        indexed shapes read materialIndex (normalIndex) at that count;
//                           non-indexed shapes treat them like PER_PART / PER_FACE;
//   PER_VERTEX              non-indexed shapes: the vertex's coordinate index (so per-vertex
//                           data runs parallel to the coordinates, startIndex included);
//                           indexed shapes: a running count of the vertices visited, from 0;
//   PER_VERTEX_INDEXED      indexed shapes read materialIndex (normalIndex) at the vertex's
//                           position in coordIndex, or coordIndex itself when that list is empty
//                           or holds only the default -1; non-indexed shapes treat it like
//                           PER_VERTEX.
// Index lists shorter than needed repeat their last entry; negative entries count as 0.
#ifndef SCENE_SHAPES_VERTEXSHAPESUPPORT_H
#define SCENE_SHAPES_VERTEXSHAPESUPPORT_H

#include <vector>

#include "scene/base/SbBox3f.h"
#include "scene/base/SbVec3f.h"
#include "scene/fields/SoMFInt32.h"
#include "scene/misc/SoPrimitiveVertex.h"

class SoAction;
class SoCoordinateElement;
class SoNormalElement;

namespace scene_detail {

// Values of the material and normal binding elements.
enum BindingValue {
    BIND_OVERALL = 2,
    BIND_PER_PART = 3,
    BIND_PER_PART_INDEXED = 4,
    BIND_PER_FACE = 5,
    BIND_PER_FACE_INDEXED = 6,
    BIND_PER_VERTEX = 7,
    BIND_PER_VERTEX_INDEXED = 8
};

class BindingIndexer {
public:
    enum Kind { OVERALL, PER_PART, PER_FACE, PER_VERTEX };
    // binding: an element value (unknown values act as OVERALL). indexList and coordIndex: the
    // shape's materialIndex (or normalIndex) and coordIndex for indexed shapes, null otherwise.
    BindingIndexer(int binding, const SoMFInt32 *indexList, const SoMFInt32 *coordIndex);
    Kind getKind() const { return kind; }
    // The index of a vertex, given the counts of the shape's traversal: the part and face it
    // belongs to, its vertex number (coordinate index for non-indexed shapes, running count for
    // indexed ones) and its position in coordIndex (indexed shapes only).
    int get(int part, int face, int vertexNumber, int coordPosition) const;

private:
    int fromList(int position) const;
    Kind kind = OVERALL;
    bool indexed = false;
    const SoMFInt32 *list = nullptr;
    const SoMFInt32 *coordIndex = nullptr;
};

// The coordinates, normals and bindings in force for one vertex shape.
class VertexShapeContext {
public:
    VertexShapeContext(SoAction *action, const SoMFInt32 *materialIndex, const SoMFInt32 *normalIndex,
                       const SoMFInt32 *coordIndex);
    int32_t getNumCoordinates() const;
    const SbVec3f &getCoordinate(int index) const;
    // True when the state holds no normals: the shape then computes face normals.
    bool generatesNormals() const { return generateNormals; }
    const SbVec3f &getNormal(int index) const;
    const BindingIndexer &materials() const { return materialIndexer; }
    const BindingIndexer &normals() const { return normalIndexer; }
    // The unit normal of a face whose corners are given in order: counter-clockwise corners
    // face the normal, unless the shape hints say the vertices run clockwise. (0, 0, 1) for a
    // degenerate face.
    SbVec3f faceNormal(const SbVec3f *corners, int count) const;
    // The normal of a vertex: the given face normal when the shape generates its normals, else
    // the state's normal that the normal binding selects.
    SbVec3f vertexNormal(const SbVec3f &generated, int part, int face, int vertexNumber, int coordPosition) const {
        if (generateNormals) return generated;
        return getNormal(normalIndexer.get(part, face, vertexNumber, coordPosition));
    }
    int material(int part, int face, int vertexNumber, int coordPosition) const {
        return materialIndexer.get(part, face, vertexNumber, coordPosition);
    }

private:
    const SoCoordinateElement *coords;
    const SoNormalElement *normalElement;
    bool generateNormals;
    bool clockwise;
    BindingIndexer materialIndexer;
    BindingIndexer normalIndexer;
};

// A vertex record with its point, normal and material index.
inline SoPrimitiveVertex primitiveVertex(const SbVec3f &point, const SbVec3f &normal, int material) {
    SoPrimitiveVertex v;
    v.setPoint(point);
    v.setNormal(normal);
    v.setMaterialIndex(material);
    return v;
}

// One run of vertices (a polyline or a strip): the coordinate of each vertex, its binding number
// (coordinate index for non-indexed sets, running count for indexed ones) and its place in
// coordIndex (-1 for non-indexed sets).
struct VertexRun {
    std::vector<int> coordinates, numbers, positions;
};

// Calls emit(runNumber, run) for each run of a non-indexed set: counts[i] coordinates from
// start on (a negative or too large count takes every coordinate left).
template <class Emit> void forEachCountedRun(const SoMFInt32 &counts, int start, int numCoords, Emit emit) {
    VertexRun run;
    int coord = start < 0 ? 0 : start;
    for (int i = 0; i < counts.getNum() && coord < numCoords; i++) {
        int count = counts[i];
        if (count < 0 || count > numCoords - coord) count = numCoords - coord;
        run.coordinates.clear();
        for (int k = 0; k < count; k++) run.coordinates.push_back(coord + k);
        run.numbers = run.coordinates;
        run.positions.assign(run.coordinates.size(), -1);
        emit(i, run);
        coord += count;
    }
}

// Calls emit(runNumber, run) for each non-empty run of an index list, runs ended by -1.
template <class Emit> void forEachIndexedRun(const SoMFInt32 &coordIndex, Emit emit) {
    VertexRun run;
    const int n = coordIndex.getNum();
    int runNumber = 0, vertexNumber = 0;
    for (int pos = 0; pos < n; pos++) {
        run.coordinates.clear();
        run.numbers.clear();
        run.positions.clear();
        for (; pos < n && coordIndex[pos] >= 0; pos++) {
            run.coordinates.push_back(coordIndex[pos]);
            run.numbers.push_back(vertexNumber++);
            run.positions.push_back(pos);
        }
        if (!run.coordinates.empty()) emit(runNumber++, run);
    }
}

// Number of coordinates a non-indexed shape uses from its start index: the sum of its counts,
// where a negative count takes every coordinate left. Never more than `available`.
int coordinatesUsed(const SoMFInt32 &counts, int available);

// The box around coordinates first .. first + count - 1 of the state, and its centre.
void boxOfCoordinateRange(SoAction *action, int first, int count, SbBox3f &box, SbVec3f &center);
// The box around the coordinates an index list names (negative entries skipped), and its centre.
void boxOfIndexedCoordinates(SoAction *action, const SoMFInt32 &coordIndex, SbBox3f &box, SbVec3f &center);

} // namespace scene_detail

#endif
