#include "scene/actions/SoCallbackAction.h"
#include "scene/elements/SoComplexityElement.h"
#include "scene/elements/SoComplexityTypeElement.h"
#include "scene/elements/SoCoordinateElement.h"
#include "scene/elements/SoCreaseAngleElement.h"
#include "scene/elements/SoDrawStyleElement.h"
#include "scene/elements/SoFocalDistanceElement.h"
#include "scene/elements/SoFontNameElement.h"
#include "scene/elements/SoFontSizeElement.h"
#include "scene/elements/SoLightModelElement.h"
#include "scene/elements/SoLinePatternElement.h"
#include "scene/elements/SoLineWidthElement.h"
#include "scene/elements/SoMaterialBindingElement.h"
#include "scene/elements/SoMaterialElement.h"
#include "scene/elements/SoModelMatrixElement.h"
#include "scene/elements/SoNormalBindingElement.h"
#include "scene/elements/SoNormalElement.h"
#include "scene/elements/SoPointSizeElement.h"
#include "scene/elements/SoProjectionMatrixElement.h"
#include "scene/elements/SoShapeHintsElement.h"
#include "scene/elements/SoViewVolumeElement.h"
#include "scene/elements/SoViewingMatrixElement.h"
#include "scene/elements/SoViewportRegionElement.h"
#include "scene/misc/SoState.h"
#include "scene/nodes/SoNode.h"
#include "scene/nodes/SoShape.h"

SoType SoCallbackAction::classTypeId;
SoEnabledElementsList *SoCallbackAction::enabledElements = nullptr;
SoActionMethodList *SoCallbackAction::methods = nullptr;

void SoCallbackAction::initClass() {
    classTypeId = SoType::createType(SoAction::getClassTypeId(), "SoCallbackAction");
    if (!enabledElements) enabledElements = new SoEnabledElementsList(SoAction::enabledElements);
    if (!methods) methods = new SoActionMethodList(SoAction::methods);
    methods->addMethod(SoNode::getClassTypeId(), &SoNode::callbackMethod);
}

SoCallbackAction::SoCallbackAction() { traversalMethods = methods; }

SoCallbackAction::SoCallbackAction(const SbViewportRegion &region) : viewportRegion(region) {
    traversalMethods = methods;
}

SoCallbackAction::~SoCallbackAction() = default;

void SoCallbackAction::beginTraversal(SoNode *node) {
    SoViewportRegionElement::set(getState(), viewportRegion);
    traverse(node);
}

void SoCallbackAction::addPreCallback(SoType type, SoCallbackActionCB *cb, void *data) {
    preCallbacks.push_back({type, cb, data});
}
void SoCallbackAction::addPostCallback(SoType type, SoCallbackActionCB *cb, void *data) {
    postCallbacks.push_back({type, cb, data});
}
void SoCallbackAction::addTriangleCallback(SoType type, SoTriangleCB *cb, void *data) {
    triangleCallbacks.push_back({type, cb, data});
}
void SoCallbackAction::addLineSegmentCallback(SoType type, SoLineSegmentCB *cb, void *data) {
    segmentCallbacks.push_back({type, cb, data});
}
void SoCallbackAction::addPointCallback(SoType type, SoPointCB *cb, void *data) {
    pointCallbacks.push_back({type, cb, data});
}

SoCallbackAction::Response SoCallbackAction::invokePreCallbacks(const SoNode *node) {
    Response result = CONTINUE;
    for (const auto &e : preCallbacks) {
        if (!node->isOfType(e.type)) continue;
        Response r = e.cb(e.data, this, node);
        if (r == ABORT) return ABORT;
        if (r == PRUNE) result = PRUNE;
    }
    return result;
}

void SoCallbackAction::invokePostCallbacks(const SoNode *node) {
    for (const auto &e : postCallbacks) {
        if (!node->isOfType(e.type)) continue;
        if (e.cb(e.data, this, node) == ABORT) {
            setTerminated(true);
            return;
        }
    }
}

bool SoCallbackAction::shouldGeneratePrimitives(const SoShape *shape) const {
    for (const auto &e : triangleCallbacks)
        if (shape->isOfType(e.type)) return true;
    for (const auto &e : segmentCallbacks)
        if (shape->isOfType(e.type)) return true;
    for (const auto &e : pointCallbacks)
        if (shape->isOfType(e.type)) return true;
    return false;
}

void SoCallbackAction::invokeTriangleCallbacks(const SoShape *shape, const SoPrimitiveVertex *v1,
                                               const SoPrimitiveVertex *v2, const SoPrimitiveVertex *v3) {
    for (const auto &e : triangleCallbacks)
        if (shape->isOfType(e.type)) e.cb(e.data, this, v1, v2, v3);
}

void SoCallbackAction::invokeLineSegmentCallbacks(const SoShape *shape, const SoPrimitiveVertex *v1,
                                                  const SoPrimitiveVertex *v2) {
    for (const auto &e : segmentCallbacks)
        if (shape->isOfType(e.type)) e.cb(e.data, this, v1, v2);
}

void SoCallbackAction::invokePointCallbacks(const SoShape *shape, const SoPrimitiveVertex *v) {
    for (const auto &e : pointCallbacks)
        if (shape->isOfType(e.type)) e.cb(e.data, this, v);
}

namespace {
SoState *stateOf(const SoCallbackAction *action) { return const_cast<SoCallbackAction *>(action)->getState(); }
} // namespace

const SbMatrix &SoCallbackAction::getModelMatrix() const { return SoModelMatrixElement::get(stateOf(this)); }
const SbMatrix &SoCallbackAction::getViewingMatrix() const { return SoViewingMatrixElement::get(stateOf(this)); }
const SbMatrix &SoCallbackAction::getProjectionMatrix() const {
    return SoProjectionMatrixElement::get(stateOf(this));
}
const SbViewVolume &SoCallbackAction::getViewVolume() const { return SoViewVolumeElement::get(stateOf(this)); }
const SbViewportRegion &SoCallbackAction::getViewportRegion() const {
    return SoViewportRegionElement::get(stateOf(this));
}
int SoCallbackAction::getDrawStyle() const { return SoDrawStyleElement::get(stateOf(this)); }
float SoCallbackAction::getLineWidth() const { return SoLineWidthElement::get(stateOf(this)); }
float SoCallbackAction::getPointSize() const { return SoPointSizeElement::get(stateOf(this)); }
unsigned short SoCallbackAction::getLinePattern() const { return SoLinePatternElement::get(stateOf(this)); }
int SoCallbackAction::getLightModel() const { return SoLightModelElement::get(stateOf(this)); }

int SoCallbackAction::getShapeType() const {
    int o, s, f;
    SoShapeHintsElement::get(stateOf(this), o, s, f);
    return s;
}

int SoCallbackAction::getVertexOrdering() const {
    int o, s, f;
    SoShapeHintsElement::get(stateOf(this), o, s, f);
    return o;
}

int SoCallbackAction::getFaceType() const {
    int o, s, f;
    SoShapeHintsElement::get(stateOf(this), o, s, f);
    return f;
}

float SoCallbackAction::getCreaseAngle() const { return SoCreaseAngleElement::get(stateOf(this)); }
float SoCallbackAction::getComplexity() const { return SoComplexityElement::get(stateOf(this)); }
int SoCallbackAction::getComplexityType() const { return SoComplexityTypeElement::get(stateOf(this)); }
int SoCallbackAction::getMaterialBinding() const { return SoMaterialBindingElement::get(stateOf(this)); }
int SoCallbackAction::getNormalBinding() const { return SoNormalBindingElement::get(stateOf(this)); }

int32_t SoCallbackAction::getNumCoordinates() const {
    return SoCoordinateElement::getInstance(stateOf(this))->getNum();
}

const SbVec3f &SoCallbackAction::getCoordinate3(int index) const {
    return SoCoordinateElement::getInstance(stateOf(this))->get3(index);
}

int32_t SoCallbackAction::getNumNormals() const { return SoNormalElement::getInstance(stateOf(this))->getNum(); }

const SbVec3f &SoCallbackAction::getNormal(int index) const {
    return SoNormalElement::getInstance(stateOf(this))->get(index);
}

void SoCallbackAction::getMaterial(SbColor &ambient, SbColor &diffuse, SbColor &specular, SbColor &emission,
                                   float &shininess, float &transparency, int mtlIndex) const {
    SoMaterialElement::Material m = SoMaterialElement::getInstance(stateOf(this))->get(mtlIndex);
    ambient = m.ambient;
    diffuse = m.diffuse;
    specular = m.specular;
    emission = m.emissive;
    shininess = m.shininess;
    transparency = m.transparency;
}

const SbName &SoCallbackAction::getFontName() const {
    static thread_local SbName name;
    name = SoFontNameElement::get(stateOf(this));
    return name;
}

float SoCallbackAction::getFontSize() const { return SoFontSizeElement::get(stateOf(this)); }
float SoCallbackAction::getFocalDistance() const { return SoFocalDistanceElement::get(stateOf(this)); }
