#include "scene/elements/SoEnvironmentElement.h"
#include "scene/elements/SoLightElement.h"
#include "scene/nodes/SoNode.h"

SoType SoLightElement::classTypeId;
SoType SoEnvironmentElement::classTypeId;

void SoLightElement::initClass() {
    classTypeId = SoType::createType(SoElement::getClassTypeId(), "SoLightElement");
    registerStack();
}

void SoLightElement::init(SoState *) {
    lights.truncate(0);
    matrices.clear();
}

void SoLightElement::add(SoState *state, SoNode *light, const SbMatrix &matrix) {
    SoLightElement *e = getWritable(state);
    e->lights.append(light);
    e->matrices.push_back(matrix);
}

const SoNodeList &SoLightElement::getLights(SoState *state) { return getReadable(state)->lights; }

const SbMatrix &SoLightElement::getMatrix(SoState *state, int index) {
    static const SbMatrix identity;
    const SoLightElement *e = getReadable(state);
    if (index < 0 || static_cast<size_t>(index) >= e->matrices.size()) return identity;
    return e->matrices[static_cast<size_t>(index)];
}

void SoEnvironmentElement::initClass() {
    classTypeId = SoType::createType(SoElement::getClassTypeId(), "SoEnvironmentElement");
    registerStack();
}

void SoEnvironmentElement::init(SoState *) {
    ambientIntensity = 0.2f;
    ambientColor.setValue(1, 1, 1);
    attenuation.setValue(1, 0, 0);
    fogType = 0;
    fogColor.setValue(1, 1, 1);
    fogVisibility = 0.0f;
}

void SoEnvironmentElement::set(SoState *state, float intensity, const SbColor &color, const SbVec3f &att, int fog,
                               const SbColor &fogCol, float visibility) {
    SoEnvironmentElement *e = getWritable(state);
    e->ambientIntensity = intensity;
    e->ambientColor = color;
    e->attenuation = att;
    e->fogType = fog;
    e->fogColor = fogCol;
    e->fogVisibility = visibility;
}

void SoEnvironmentElement::get(SoState *state, float &intensity, SbColor &color, SbVec3f &att, int &fog,
                               SbColor &fogCol, float &visibility) {
    const SoEnvironmentElement *e = getReadable(state);
    intensity = e->ambientIntensity;
    color = e->ambientColor;
    att = e->attenuation;
    fog = e->fogType;
    fogCol = e->fogColor;
    visibility = e->fogVisibility;
}

float SoEnvironmentElement::getAmbientIntensity(SoState *state) { return getReadable(state)->ambientIntensity; }
SbColor SoEnvironmentElement::getAmbientColor(SoState *state) { return getReadable(state)->ambientColor; }
SbVec3f SoEnvironmentElement::getLightAttenuation(SoState *state) { return getReadable(state)->attenuation; }
