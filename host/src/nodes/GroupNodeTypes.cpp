// Class registration and fields of the group nodes.
#include "NodeRegistration.h"
#include "scene/nodes/SoGroup.h"
#include "scene/nodes/SoSeparator.h"
#include "scene/nodes/SoAnnotation.h"
#include "scene/nodes/SoTransformSeparator.h"
#include "scene/nodes/SoSwitch.h"
#include "scene/nodes/SoLOD.h"
#include "scene/nodes/SoLevelOfDetail.h"

SoType SoGroup::classTypeId;
void SoGroup::initClass() { classTypeId = SoType::createType(SoNode::getClassTypeId(), "SoGroup", &createNode<SoGroup>); }

SoGroup::SoGroup() {

}

SoType SoSeparator::classTypeId;
void SoSeparator::initClass() { classTypeId = SoType::createType(SoGroup::getClassTypeId(), "SoSeparator", &createNode<SoSeparator>); }

SoSeparator::SoSeparator() {
    addField(&renderCaching, "renderCaching");
    renderCaching.setEnums({{"OFF", OFF}, {"ON", ON}, {"AUTO", AUTO}});
    renderCaching.setValue(AUTO);
    renderCaching.setDefault(true);
    addField(&boundingBoxCaching, "boundingBoxCaching");
    boundingBoxCaching.setEnums({{"OFF", OFF}, {"ON", ON}, {"AUTO", AUTO}});
    boundingBoxCaching.setValue(AUTO);
    boundingBoxCaching.setDefault(true);
    addField(&renderCulling, "renderCulling");
    renderCulling.setEnums({{"OFF", OFF}, {"ON", ON}, {"AUTO", AUTO}});
    renderCulling.setValue(AUTO);
    renderCulling.setDefault(true);
    addField(&pickCulling, "pickCulling");
    pickCulling.setEnums({{"OFF", OFF}, {"ON", ON}, {"AUTO", AUTO}});
    pickCulling.setValue(AUTO);
    pickCulling.setDefault(true);
}

SoType SoAnnotation::classTypeId;
void SoAnnotation::initClass() { classTypeId = SoType::createType(SoSeparator::getClassTypeId(), "SoAnnotation", &createNode<SoAnnotation>); }

SoAnnotation::SoAnnotation() {
}

SoType SoTransformSeparator::classTypeId;
void SoTransformSeparator::initClass() { classTypeId = SoType::createType(SoGroup::getClassTypeId(), "SoTransformSeparator", &createNode<SoTransformSeparator>); }

SoTransformSeparator::SoTransformSeparator() {
}

SoType SoSwitch::classTypeId;
void SoSwitch::initClass() { classTypeId = SoType::createType(SoGroup::getClassTypeId(), "SoSwitch", &createNode<SoSwitch>); }

SoSwitch::SoSwitch() {
    addField(&whichChild, "whichChild");
    whichChild.setValue(-1);
    whichChild.setDefault(true);
}

SoType SoLOD::classTypeId;
void SoLOD::initClass() { classTypeId = SoType::createType(SoGroup::getClassTypeId(), "SoLOD", &createNode<SoLOD>); }

SoLOD::SoLOD() {
    addField(&range, "range");
    range.setDefault(true);
    addField(&center, "center");
    center.setValue(SbVec3f(0, 0, 0));
    center.setDefault(true);
}

SoType SoLevelOfDetail::classTypeId;
void SoLevelOfDetail::initClass() { classTypeId = SoType::createType(SoGroup::getClassTypeId(), "SoLevelOfDetail", &createNode<SoLevelOfDetail>); }

SoLevelOfDetail::SoLevelOfDetail() {
    addField(&screenArea, "screenArea");
    screenArea.setValue(0.0f);
    screenArea.setDefault(true);
}
