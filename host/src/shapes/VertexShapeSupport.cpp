#include "VertexShapeSupport.h"

#include "ShapeBuilder.h"
#include "scene/actions/SoAction.h"
#include "scene/elements/SoCoordinateElement.h"
#include "scene/elements/SoMaterialBindingElement.h"
#include "scene/elements/SoNormalBindingElement.h"
#include "scene/elements/SoNormalElement.h"
#include "scene/elements/SoShapeHintsElement.h"
#include "scene/misc/SoState.h"

namespace scene_detail {

namespace {
// An index list that holds something besides the default single -1.
bool usableList(const SoMFInt32 *list) {
    return list && list->getNum() > 0 && !(list->getNum() == 1 && (*list)[0] < 0);
}
} // namespace

BindingIndexer::BindingIndexer(int binding, const SoMFInt32 *indexList, const SoMFInt32 *coords)
    : list(usableList(indexList) ? indexList : nullptr), coordIndex(coords) {
    switch (binding) {
    case BIND_PER_PART: kind = PER_PART; break;
    case BIND_PER_PART_INDEXED: kind = PER_PART; indexed = true; break;
    case BIND_PER_FACE: kind = PER_FACE; break;
    case BIND_PER_FACE_INDEXED: kind = PER_FACE; indexed = true; break;
    case BIND_PER_VERTEX: kind = PER_VERTEX; break;
    case BIND_PER_VERTEX_INDEXED: kind = PER_VERTEX; indexed = true; break;
    default: kind = OVERALL; break;
    }
    // Non-indexed shapes have no index lists: their indexed bindings act as the plain ones.
    if (!coordIndex) indexed = false;
}

int BindingIndexer::fromList(int position) const {
    const int n = list->getNum();
    int value = (*list)[position < n ? (position < 0 ? 0 : position) : n - 1];
    return value < 0 ? 0 : value;
}

int BindingIndexer::get(int part, int face, int vertexNumber, int coordPosition) const {
    switch (kind) {
    case OVERALL: return 0;
    case PER_PART: return indexed && list ? fromList(part) : part;
    case PER_FACE: return indexed && list ? fromList(face) : face;
    case PER_VERTEX:
        if (!indexed) return vertexNumber;
        if (list) return fromList(coordPosition);
        if (coordPosition >= 0 && coordPosition < coordIndex->getNum()) {
            int value = (*coordIndex)[coordPosition];
            return value < 0 ? 0 : value;
        }
        return 0;
    }
    return 0;
}

VertexShapeContext::VertexShapeContext(SoAction *action, const SoMFInt32 *materialIndex,
                                       const SoMFInt32 *normalIndex, const SoMFInt32 *coordIndex)
    : coords(SoCoordinateElement::getInstance(action->getState())),
      normalElement(SoNormalElement::getInstance(action->getState())),
      generateNormals(normalElement->getNum() <= 0),
      materialIndexer(SoMaterialBindingElement::get(action->getState()), materialIndex, coordIndex),
      normalIndexer(SoNormalBindingElement::get(action->getState()), normalIndex, coordIndex) {
    int ordering, shapeType, faceType;
    SoShapeHintsElement::get(action->getState(), ordering, shapeType, faceType);
    clockwise = ordering == SoShapeHintsElement::CLOCKWISE;
}

int32_t VertexShapeContext::getNumCoordinates() const { return coords->getNum(); }
const SbVec3f &VertexShapeContext::getCoordinate(int index) const { return coords->get3(index); }
const SbVec3f &VertexShapeContext::getNormal(int index) const { return normalElement->get(index); }

SbVec3f VertexShapeContext::faceNormal(const SbVec3f *corners, int count) const {
    SbVec3f n = ShapeBuilder::polygonNormal(corners, count);
    if (n.normalize() == 0.0f) return SbVec3f(0, 0, 1);
    return clockwise ? -n : n;
}

int coordinatesUsed(const SoMFInt32 &counts, int available) {
    if (available <= 0) return 0;
    long total = 0;
    for (int i = 0; i < counts.getNum(); i++) {
        if (counts[i] < 0) return available;
        total += counts[i];
        if (total >= available) return available;
    }
    return static_cast<int>(total);
}

void boxOfCoordinateRange(SoAction *action, int first, int count, SbBox3f &box, SbVec3f &center) {
    box.makeEmpty();
    const SoCoordinateElement *coords = SoCoordinateElement::getInstance(action->getState());
    if (first < 0) first = 0;
    for (int i = 0; i < count && first + i < coords->getNum(); i++) box.extendBy(coords->get3(first + i));
    center = box.isEmpty() ? SbVec3f(0, 0, 0) : box.getCenter();
}

void boxOfIndexedCoordinates(SoAction *action, const SoMFInt32 &coordIndex, SbBox3f &box, SbVec3f &center) {
    box.makeEmpty();
    const SoCoordinateElement *coords = SoCoordinateElement::getInstance(action->getState());
    for (int i = 0; i < coordIndex.getNum(); i++)
        if (coordIndex[i] >= 0) box.extendBy(coords->get3(coordIndex[i]));
    center = box.isEmpty() ? SbVec3f(0, 0, 0) : box.getCenter();
}

} // namespace scene_detail
