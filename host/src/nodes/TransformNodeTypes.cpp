// Class registration and fields of the transform nodes.
#include "NodeRegistration.h"
#include "scene/nodes/SoTransformation.h"
#include "scene/nodes/SoTransform.h"
#include "scene/nodes/SoTranslation.h"
#include "scene/nodes/SoRotation.h"
#include "scene/nodes/SoRotationXYZ.h"
#include "scene/nodes/SoScale.h"
#include "scene/nodes/SoMatrixTransform.h"
#include "scene/nodes/SoResetTransform.h"
#include "scene/nodes/SoUnits.h"

SoType SoTransformation::classTypeId;
void SoTransformation::initClass() { classTypeId = SoType::createType(SoNode::getClassTypeId(), "SoTransformation"); }

SoTransformation::SoTransformation() {
}

SoType SoTransform::classTypeId;
void SoTransform::initClass() { classTypeId = SoType::createType(SoTransformation::getClassTypeId(), "SoTransform", &createNode<SoTransform>); }

SoTransform::SoTransform() {
    addField(&translation, "translation");
    translation.setValue(SbVec3f(0, 0, 0));
    translation.setDefault(true);
    addField(&rotation, "rotation");
    rotation.setValue(SbRotation());
    rotation.setDefault(true);
    addField(&scaleFactor, "scaleFactor");
    scaleFactor.setValue(SbVec3f(1, 1, 1));
    scaleFactor.setDefault(true);
    addField(&scaleOrientation, "scaleOrientation");
    scaleOrientation.setValue(SbRotation());
    scaleOrientation.setDefault(true);
    addField(&center, "center");
    center.setValue(SbVec3f(0, 0, 0));
    center.setDefault(true);
}

SoType SoTranslation::classTypeId;
void SoTranslation::initClass() { classTypeId = SoType::createType(SoTransformation::getClassTypeId(), "SoTranslation", &createNode<SoTranslation>); }

SoTranslation::SoTranslation() {
    addField(&translation, "translation");
    translation.setValue(SbVec3f(0, 0, 0));
    translation.setDefault(true);
}

SoType SoRotation::classTypeId;
void SoRotation::initClass() { classTypeId = SoType::createType(SoTransformation::getClassTypeId(), "SoRotation", &createNode<SoRotation>); }

SoRotation::SoRotation() {
    addField(&rotation, "rotation");
    rotation.setValue(SbRotation());
    rotation.setDefault(true);
}

SoType SoRotationXYZ::classTypeId;
void SoRotationXYZ::initClass() { classTypeId = SoType::createType(SoTransformation::getClassTypeId(), "SoRotationXYZ", &createNode<SoRotationXYZ>); }

SoRotationXYZ::SoRotationXYZ() {
    addField(&axis, "axis");
    axis.setEnums({{"X", X}, {"Y", Y}, {"Z", Z}});
    axis.setValue(X);
    axis.setDefault(true);
    addField(&angle, "angle");
    angle.setValue(0.0f);
    angle.setDefault(true);
}

SoType SoScale::classTypeId;
void SoScale::initClass() { classTypeId = SoType::createType(SoTransformation::getClassTypeId(), "SoScale", &createNode<SoScale>); }

SoScale::SoScale() {
    addField(&scaleFactor, "scaleFactor");
    scaleFactor.setValue(SbVec3f(1, 1, 1));
    scaleFactor.setDefault(true);
}

SoType SoMatrixTransform::classTypeId;
void SoMatrixTransform::initClass() { classTypeId = SoType::createType(SoTransformation::getClassTypeId(), "SoMatrixTransform", &createNode<SoMatrixTransform>); }

SoMatrixTransform::SoMatrixTransform() {
    addField(&matrix, "matrix");
    matrix.setValue(SbMatrix());
    matrix.setDefault(true);
}

SoType SoResetTransform::classTypeId;
void SoResetTransform::initClass() { classTypeId = SoType::createType(SoTransformation::getClassTypeId(), "SoResetTransform", &createNode<SoResetTransform>); }

SoResetTransform::SoResetTransform() {
    addField(&whatToReset, "whatToReset");
    whatToReset.setEnums({{"TRANSFORM", TRANSFORM}, {"BBOX", BBOX}});
    whatToReset.setValue(TRANSFORM);
    whatToReset.setDefault(true);
}

SoType SoUnits::classTypeId;
void SoUnits::initClass() { classTypeId = SoType::createType(SoTransformation::getClassTypeId(), "SoUnits", &createNode<SoUnits>); }

SoUnits::SoUnits() {
    addField(&units, "units");
    units.setEnums({{"METERS", METERS}, {"CENTIMETERS", CENTIMETERS}, {"MILLIMETERS", MILLIMETERS}, {"MICROMETERS", MICROMETERS}, {"MICRONS", MICRONS}, {"NANOMETERS", NANOMETERS}, {"ANGSTROMS", ANGSTROMS}, {"KILOMETERS", KILOMETERS}, {"FEET", FEET}, {"INCHES", INCHES}, {"POINTS", POINTS}, {"YARDS", YARDS}, {"MILES", MILES}, {"NAUTICAL_MILES", NAUTICAL_MILES}});
    units.setValue(METERS);
    units.setDefault(true);
}
