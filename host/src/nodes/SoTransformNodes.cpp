#include <cmath>
#include "scene/actions/SoCallbackAction.h"
#include "scene/actions/SoGetBoundingBoxAction.h"
#include "scene/elements/SoModelMatrixElement.h"
#include "scene/elements/SoUnitsElement.h"
#include "scene/nodes/SoMatrixTransform.h"
#include "scene/nodes/SoTransformation.h"
#include "scene/nodes/SoResetTransform.h"
#include "scene/nodes/SoRotation.h"
#include "scene/nodes/SoRotationXYZ.h"
#include "scene/nodes/SoScale.h"
#include "scene/nodes/SoTransform.h"
#include "scene/nodes/SoTranslation.h"
#include "scene/nodes/SoUnits.h"

namespace {
void applyMatrix(SoAction *action, const SbMatrix &m) { SoModelMatrixElement::mult(action->getState(), m); }
} // namespace

SbMatrix SoTransform::getMatrix() const {
    SbMatrix m;
    m.setTransform(translation.getValue(), rotation.getValue(), scaleFactor.getValue(), scaleOrientation.getValue(),
                   center.getValue());
    return m;
}

SbMatrix SoTranslation::getMatrix() const {
    SbMatrix m;
    m.setTranslate(translation.getValue());
    return m;
}

SbMatrix SoRotation::getMatrix() const {
    SbMatrix m;
    m.setRotate(rotation.getValue());
    return m;
}

SbMatrix SoRotationXYZ::getMatrix() const {
    SbVec3f axes[3] = {SbVec3f(1, 0, 0), SbVec3f(0, 1, 0), SbVec3f(0, 0, 1)};
    int a = axis.getValue();
    SbMatrix m;
    m.setRotate(SbRotation(axes[(a >= 0 && a <= 2) ? a : 0], angle.getValue()));
    return m;
}

SbMatrix SoScale::getMatrix() const {
    SbMatrix m;
    m.setScale(scaleFactor.getValue());
    return m;
}

SbMatrix SoMatrixTransform::getMatrix() const { return matrix.getValue(); }

void SoTransformation::doAction(SoAction *action) { applyMatrix(action, getMatrix()); }
void SoTransformation::callback(SoCallbackAction *action) { applyMatrix(action, getMatrix()); }
void SoTransformation::getBoundingBox(SoGetBoundingBoxAction *action) { applyMatrix(action, getMatrix()); }

void SoResetTransform::doAction(SoAction *action) {
    if (whatToReset.getValue() & TRANSFORM) SoModelMatrixElement::makeIdentity(action->getState());
}
void SoResetTransform::callback(SoCallbackAction *action) { doAction(action); }
void SoResetTransform::getBoundingBox(SoGetBoundingBoxAction *action) { doAction(action); }

float SoUnits::metersPerUnit(int units) {
    static const float factors[] = {1.0f,    0.01f,   0.001f, 1e-6f,  1e-9f,   1e-10f, 1000.0f,
                                    0.3048f, 0.0254f, 0.0254f / 72.0f, 0.9144f, 1609.344f, 1852.0f};
    return (units >= 0 && units <= 12) ? factors[units] : 1.0f;
}

void SoUnits::doAction(SoAction *action) {
    SoState *state = action->getState();
    float ratio = metersPerUnit(units.getValue()) / metersPerUnit(SoUnitsElement::get(state));
    if (ratio != 1.0f) SoModelMatrixElement::scaleBy(state, SbVec3f(ratio, ratio, ratio));
    SoUnitsElement::set(state, units.getValue());
}
void SoUnits::callback(SoCallbackAction *action) { doAction(action); }
void SoUnits::getBoundingBox(SoGetBoundingBoxAction *action) { doAction(action); }
