#include "scene/elements/SoCoordinateElement.h"
#include "scene/elements/SoMaterialElement.h"
#include "scene/elements/SoNormalElement.h"
#include "scene/elements/SoPatternElement.h"
#include "scene/elements/SoShapeHintsElement.h"

SoType SoCoordinateElement::classTypeId;
SoType SoNormalElement::classTypeId;
SoType SoMaterialElement::classTypeId;
SoType SoShapeHintsElement::classTypeId;
SoType SoPatternElement::classTypeId;

namespace {
const SbVec3f origin(0, 0, 0);
const SbVec3f zAxis(0, 0, 1);

template <class T> std::shared_ptr<const std::vector<T>> listOf(int num, const T *values) {
    if (num <= 0 || !values) return nullptr;
    return std::make_shared<const std::vector<T>>(values, values + num);
}

template <class T> const T &entry(const std::shared_ptr<const std::vector<T>> &list, int index) {
    size_t i = index < 0 ? 0 : static_cast<size_t>(index);
    return (*list)[i < list->size() ? i : list->size() - 1];
}
} // namespace

void SoCoordinateElement::initClass() {
    classTypeId = SoType::createType(SoElement::getClassTypeId(), "SoCoordinateElement");
    registerStack();
}

void SoCoordinateElement::init(SoState *) {
    num = 1;
    coords = &origin;
}

void SoCoordinateElement::set3(SoState *state, int32_t n, const SbVec3f *c) {
    SoCoordinateElement *e = getWritable(state);
    e->num = c ? n : 0;
    e->coords = c;
}

const SbVec3f &SoCoordinateElement::get3(int index) const {
    if (num <= 0) return origin;
    if (index < 0) index = 0;
    return coords[index < num ? index : num - 1];
}

void SoNormalElement::initClass() {
    classTypeId = SoType::createType(SoElement::getClassTypeId(), "SoNormalElement");
    registerStack();
}

void SoNormalElement::init(SoState *) {
    num = 0;
    normals = nullptr;
}

void SoNormalElement::set(SoState *state, int32_t n, const SbVec3f *v) {
    SoNormalElement *e = getWritable(state);
    e->num = v ? n : 0;
    e->normals = v;
}

const SbVec3f &SoNormalElement::get(int index) const {
    if (num <= 0) return zAxis;
    if (index < 0) index = 0;
    return normals[index < num ? index : num - 1];
}

void SoMaterialElement::initClass() {
    classTypeId = SoType::createType(SoElement::getClassTypeId(), "SoMaterialElement");
    registerStack();
}

void SoMaterialElement::init(SoState *) {
    const SbColor amb(0.2f, 0.2f, 0.2f), dif(0.8f, 0.8f, 0.8f), black(0, 0, 0);
    const float shin = 0.2f, transp = 0.0f;
    ambient = listOf(1, &amb);
    diffuse = listOf(1, &dif);
    specular = listOf(1, &black);
    emissive = listOf(1, &black);
    shininess = listOf(1, &shin);
    transparency = listOf(1, &transp);
}

void SoMaterialElement::setAmbient(SoState *s, int n, const SbColor *c) { if (n > 0) getWritable(s)->ambient = listOf(n, c); }
void SoMaterialElement::setDiffuse(SoState *s, int n, const SbColor *c) { if (n > 0) getWritable(s)->diffuse = listOf(n, c); }
void SoMaterialElement::setSpecular(SoState *s, int n, const SbColor *c) { if (n > 0) getWritable(s)->specular = listOf(n, c); }
void SoMaterialElement::setEmissive(SoState *s, int n, const SbColor *c) { if (n > 0) getWritable(s)->emissive = listOf(n, c); }
void SoMaterialElement::setShininess(SoState *s, int n, const float *v) { if (n > 0) getWritable(s)->shininess = listOf(n, v); }
void SoMaterialElement::setTransparency(SoState *s, int n, const float *v) { if (n > 0) getWritable(s)->transparency = listOf(n, v); }

SoMaterialElement::Material SoMaterialElement::get(int index) const {
    return Material{entry(ambient, index),   entry(diffuse, index),   entry(specular, index),
                    entry(emissive, index),  entry(shininess, index), entry(transparency, index)};
}

void SoShapeHintsElement::initClass() {
    classTypeId = SoType::createType(SoElement::getClassTypeId(), "SoShapeHintsElement");
    registerStack();
}

void SoShapeHintsElement::init(SoState *) {
    ordering = UNKNOWN_ORDERING;
    shapeType = UNKNOWN_SHAPE_TYPE;
    faceType = CONVEX;
}

void SoShapeHintsElement::set(SoState *state, int o, int s, int f) {
    SoShapeHintsElement *e = getWritable(state);
    e->ordering = o;
    e->shapeType = s;
    e->faceType = f;
}

void SoShapeHintsElement::get(SoState *state, int &o, int &s, int &f) {
    const SoShapeHintsElement *e = getReadable(state);
    o = e->ordering;
    s = e->shapeType;
    f = e->faceType;
}

void SoPatternElement::initClass() {
    classTypeId = SoType::createType(SoElement::getClassTypeId(), "SoPatternElement");
    registerStack();
}

void SoPatternElement::init(SoState *) {
    category.makeEmpty();
    name.makeEmpty();
    bits = nullptr;
}

void SoPatternElement::set(SoState *state, const SbString &c, const SbString &n, const unsigned char *b) {
    SoPatternElement *e = getWritable(state);
    e->category = c;
    e->name = n;
    e->bits = b;
}

void SoPatternElement::get(SoState *state, SbString &c, SbString &n, const unsigned char *&b) {
    const SoPatternElement *e = getReadable(state);
    c = e->category;
    n = e->name;
    b = e->bits;
}
