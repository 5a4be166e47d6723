#include "scene/actions/SoCallbackAction.h"
#include "scene/elements/SoLightElement.h"
#include "scene/elements/SoModelMatrixElement.h"
#include "scene/elements/SoViewingMatrixElement.h"
#include "scene/nodes/SoLight.h"

void SoLight::doAction(SoAction *action) {
    if (!on.getValue()) return;
    SoState *state = action->getState();
    SbMatrix m = SoModelMatrixElement::get(state) * SoViewingMatrixElement::get(state);
    SoLightElement::add(state, this, m);
}

void SoLight::callback(SoCallbackAction *action) { doAction(action); }
