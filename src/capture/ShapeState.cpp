#include "ShapeState.h"
#include "scene/elements/SoEnvironmentElement.h"
#include "scene/elements/SoLineWidthElement.h"
#include "scene/elements/SoPatternElement.h"
#include "scene/elements/SoPointSizeElement.h"

namespace scrivane_capture {

namespace {
// The value, or the fallback when it cannot be printed; a replacement is counted.
float usableOr(float value, float fallback, int &replaced) {
    if (scrivane_clip::isUsableSize(value)) return value;
    replaced++;
    return fallback;
}

// True when something was replaced.
bool makeFinite(SbColor &c) {
    if (scrivane_clip::isFiniteColor(c)) return false;
    c.setValue(0, 0, 0);
    return true;
}

bool makeFinite(float &v) {
    if (std::isfinite(v)) return false;
    v = 0.0f;
    return true;
}
} // namespace

void ShapeState::read(SoCallbackAction *action) {
    SoState *state = action->getState();
    drawStyle = action->getDrawStyle();
    lightModel = action->getLightModel();
    modelView = action->getModelMatrix() * action->getViewingMatrix();
    modelViewProjection = modelView * action->getProjectionMatrix();
    nearPlane = scrivane_clip::nearLimit(action);
    lineWidth =
        usableOr(action->getLineWidth(), SoLineWidthElement::getDefault(), counts->lineWidths);
    pointSize =
        usableOr(action->getPointSize(), SoPointSizeElement::getDefault(), counts->pointSizes);
    linePattern = action->getLinePattern();
    SoPatternElement::get(state, patternCategory, patternName, patternBits);
    environment = SoEnvironmentElement::getAmbientColor(state) *
                  SoEnvironmentElement::getAmbientIntensity(state);
    if (makeFinite(environment)) counts->colors++;
    twoSided = action->getVertexOrdering() != 0 && action->getShapeType() != 1;
    hasMaterial = false;
    valid = true;
}

void ShapeState::material(SoCallbackAction *action, int index) {
    if (hasMaterial && index == materialIndex) return;
    action->getMaterial(ambient, diffuse, specular, emissive, shininess, transparency, index);
    const int replaced = makeFinite(ambient) + makeFinite(diffuse) + makeFinite(specular) +
                         makeFinite(emissive) + makeFinite(shininess) + makeFinite(transparency);
    if (replaced > 0) counts->colors++;
    materialIndex = index;
    hasMaterial = true;
}

} // namespace scrivane_capture
