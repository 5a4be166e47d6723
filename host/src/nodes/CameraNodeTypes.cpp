// Class registration and fields of the camera nodes.
#include "NodeRegistration.h"
#include "scene/nodes/SoCamera.h"
#include "scene/nodes/SoPerspectiveCamera.h"
#include "scene/nodes/SoOrthographicCamera.h"

SoType SoCamera::classTypeId;
void SoCamera::initClass() { classTypeId = SoType::createType(SoNode::getClassTypeId(), "SoCamera"); }

SoCamera::SoCamera() {
    addField(&viewportMapping, "viewportMapping");
    viewportMapping.setEnums({{"CROP_VIEWPORT_FILL_FRAME", CROP_VIEWPORT_FILL_FRAME}, {"CROP_VIEWPORT_LINE_FRAME", CROP_VIEWPORT_LINE_FRAME}, {"CROP_VIEWPORT_NO_FRAME", CROP_VIEWPORT_NO_FRAME}, {"ADJUST_CAMERA", ADJUST_CAMERA}, {"LEAVE_ALONE", LEAVE_ALONE}});
    viewportMapping.setValue(ADJUST_CAMERA);
    viewportMapping.setDefault(true);
    addField(&position, "position");
    position.setValue(SbVec3f(0, 0, 1));
    position.setDefault(true);
    addField(&orientation, "orientation");
    orientation.setValue(SbRotation());
    orientation.setDefault(true);
    addField(&aspectRatio, "aspectRatio");
    aspectRatio.setValue(1.0f);
    aspectRatio.setDefault(true);
    addField(&nearDistance, "nearDistance");
    nearDistance.setValue(1.0f);
    nearDistance.setDefault(true);
    addField(&farDistance, "farDistance");
    farDistance.setValue(10.0f);
    farDistance.setDefault(true);
    addField(&focalDistance, "focalDistance");
    focalDistance.setValue(5.0f);
    focalDistance.setDefault(true);
}

SoType SoPerspectiveCamera::classTypeId;
void SoPerspectiveCamera::initClass() { classTypeId = SoType::createType(SoCamera::getClassTypeId(), "SoPerspectiveCamera", &createNode<SoPerspectiveCamera>); }

SoPerspectiveCamera::SoPerspectiveCamera() {
    addField(&heightAngle, "heightAngle");
    heightAngle.setValue(0.785398f);
    heightAngle.setDefault(true);
}

SoType SoOrthographicCamera::classTypeId;
void SoOrthographicCamera::initClass() { classTypeId = SoType::createType(SoCamera::getClassTypeId(), "SoOrthographicCamera", &createNode<SoOrthographicCamera>); }

SoOrthographicCamera::SoOrthographicCamera() {
    addField(&height, "height");
    height.setValue(2.0f);
    height.setDefault(true);
}
