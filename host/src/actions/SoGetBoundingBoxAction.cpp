#include "scene/actions/SoGetBoundingBoxAction.h"
#include "scene/elements/SoModelMatrixElement.h"
#include "scene/elements/SoViewportRegionElement.h"
#include "scene/misc/SoState.h"
#include "scene/nodes/SoNode.h"

SoType SoGetBoundingBoxAction::classTypeId;
SoEnabledElementsList *SoGetBoundingBoxAction::enabledElements = nullptr;
SoActionMethodList *SoGetBoundingBoxAction::methods = nullptr;

void SoGetBoundingBoxAction::initClass() {
    classTypeId = SoType::createType(SoAction::getClassTypeId(), "SoGetBoundingBoxAction");
    if (!enabledElements) enabledElements = new SoEnabledElementsList(SoAction::enabledElements);
    if (!methods) methods = new SoActionMethodList(SoAction::methods);
    methods->addMethod(SoNode::getClassTypeId(), &SoNode::getBoundingBoxMethod);
}

SoGetBoundingBoxAction::SoGetBoundingBoxAction(const SbViewportRegion &region) : viewportRegion(region) {
    traversalMethods = methods;
}

void SoGetBoundingBoxAction::beginTraversal(SoNode *node) {
    box.makeEmpty();
    centerSum.setValue(0, 0, 0);
    centerCount = 0;
    centerSet = false;
    SoViewportRegionElement::set(getState(), viewportRegion);
    traverse(node);
}

void SoGetBoundingBoxAction::extendBy(const SbBox3f &modelBox) {
    if (modelBox.isEmpty()) return;
    SbBox3f world = modelBox;
    world.transform(SoModelMatrixElement::get(getState()));
    box.extendBy(world);
}

void SoGetBoundingBoxAction::setCenter(const SbVec3f &modelCenter, bool transformCenter) {
    SbVec3f c = modelCenter;
    if (transformCenter) SoModelMatrixElement::get(getState()).multVecMatrix(modelCenter, c);
    centerSum += c;
    centerCount++;
    centerSet = true;
}

SbVec3f SoGetBoundingBoxAction::getCenter() const {
    if (centerCount > 0) return centerSum / float(centerCount);
    return box.isEmpty() ? SbVec3f(0, 0, 0) : box.getCenter();
}
