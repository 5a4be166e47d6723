#include "ShapeState.h"
#include "scene/elements/SoEnvironmentElement.h"
#include "scene/elements/SoPatternElement.h"

namespace scrivane_capture {

void ShapeState::read(SoCallbackAction *action) {
    SoState *state = action->getState();
    drawStyle = action->getDrawStyle();
    lightModel = action->getLightModel();
    modelView = action->getModelMatrix() * action->getViewingMatrix();
    modelViewProjection = modelView * action->getProjectionMatrix();
    nearPlane = scrivane_clip::nearLimit(action);
    lineWidth = action->getLineWidth();
    pointSize = action->getPointSize();
    linePattern = action->getLinePattern();
    SoPatternElement::get(state, patternCategory, patternName, patternBits);
    environment = SoEnvironmentElement::getAmbientColor(state) *
                  SoEnvironmentElement::getAmbientIntensity(state);
    twoSided = action->getVertexOrdering() != 0 && action->getShapeType() != 1;
    hasMaterial = false;
    valid = true;
}

void ShapeState::material(SoCallbackAction *action, int index) {
    if (hasMaterial && index == materialIndex) return;
    action->getMaterial(ambient, diffuse, specular, emissive, shininess, transparency, index);
    materialIndex = index;
    hasMaterial = true;
}

} // namespace scrivane_capture
