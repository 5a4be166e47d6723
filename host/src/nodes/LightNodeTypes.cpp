// Class registration and fields of the light nodes.
#include "NodeRegistration.h"
#include "scene/nodes/SoLight.h"
#include "scene/nodes/SoDirectionalLight.h"
#include "scene/nodes/SoPointLight.h"
#include "scene/nodes/SoSpotLight.h"

SoType SoLight::classTypeId;
void SoLight::initClass() { classTypeId = SoType::createType(SoNode::getClassTypeId(), "SoLight"); }

SoLight::SoLight() {
    addField(&on, "on");
    on.setValue(TRUE);
    on.setDefault(true);
    addField(&intensity, "intensity");
    intensity.setValue(1.0f);
    intensity.setDefault(true);
    addField(&color, "color");
    color.setValue(SbColor(1, 1, 1));
    color.setDefault(true);
}

SoType SoDirectionalLight::classTypeId;
void SoDirectionalLight::initClass() { classTypeId = SoType::createType(SoLight::getClassTypeId(), "SoDirectionalLight", &createNode<SoDirectionalLight>); }

SoDirectionalLight::SoDirectionalLight() {
    addField(&direction, "direction");
    direction.setValue(SbVec3f(0, 0, -1));
    direction.setDefault(true);
}

SoType SoPointLight::classTypeId;
void SoPointLight::initClass() { classTypeId = SoType::createType(SoLight::getClassTypeId(), "SoPointLight", &createNode<SoPointLight>); }

SoPointLight::SoPointLight() {
    addField(&location, "location");
    location.setValue(SbVec3f(0, 0, 1));
    location.setDefault(true);
}

SoType SoSpotLight::classTypeId;
void SoSpotLight::initClass() { classTypeId = SoType::createType(SoLight::getClassTypeId(), "SoSpotLight", &createNode<SoSpotLight>); }

SoSpotLight::SoSpotLight() {
    addField(&location, "location");
    location.setValue(SbVec3f(0, 0, 1));
    location.setDefault(true);
    addField(&direction, "direction");
    direction.setValue(SbVec3f(0, 0, -1));
    direction.setDefault(true);
    addField(&dropOffRate, "dropOffRate");
    dropOffRate.setValue(0.0f);
    dropOffRate.setDefault(true);
    addField(&cutOffAngle, "cutOffAngle");
    cutOffAngle.setValue(0.785398f);
    cutOffAngle.setDefault(true);
}
