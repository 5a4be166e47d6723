// Class registration and fields of the texture nodes, which are read and written but have no
// effect on drawings, and of the event callback node, which has no effect either.
#include "NodeRegistration.h"
#include "scene/nodes/SoEventCallback.h"
#include "scene/nodes/SoTexture2.h"
#include "scene/nodes/SoTexture2Transform.h"
#include "scene/nodes/SoTextureCoordinate2.h"
#include "scene/nodes/SoTextureCoordinateBinding.h"

SoType SoTexture2::classTypeId;
void SoTexture2::initClass() {
    classTypeId =
        SoType::createType(SoNode::getClassTypeId(), "SoTexture2", &createNode<SoTexture2>);
}

SoTexture2::SoTexture2() {
    addField(&filename, "filename");
    filename.setValue(SbString(""));
    filename.setDefault(true);
    addField(&image, "image");
    addField(&wrapS, "wrapS");
    wrapS.setEnums({{"REPEAT", REPEAT}, {"CLAMP", CLAMP}});
    wrapS.setValue(REPEAT);
    wrapS.setDefault(true);
    addField(&wrapT, "wrapT");
    wrapT.setEnums({{"REPEAT", REPEAT}, {"CLAMP", CLAMP}});
    wrapT.setValue(REPEAT);
    wrapT.setDefault(true);
    addField(&model, "model");
    model.setEnums(
        {{"MODULATE", MODULATE}, {"DECAL", DECAL}, {"BLEND", BLEND}, {"REPLACE", REPLACE}});
    model.setValue(MODULATE);
    model.setDefault(true);
    addField(&blendColor, "blendColor");
    blendColor.setValue(SbColor(0, 0, 0));
    blendColor.setDefault(true);
}

SoType SoTextureCoordinate2::classTypeId;
void SoTextureCoordinate2::initClass() {
    classTypeId = SoType::createType(SoNode::getClassTypeId(), "SoTextureCoordinate2",
                                     &createNode<SoTextureCoordinate2>);
}

SoTextureCoordinate2::SoTextureCoordinate2() {
    addField(&point, "point");
    point.setValue(SbVec2f(0, 0));
    point.setDefault(true);
}

SoType SoTextureCoordinateBinding::classTypeId;
void SoTextureCoordinateBinding::initClass() {
    classTypeId = SoType::createType(SoNode::getClassTypeId(), "SoTextureCoordinateBinding",
                                     &createNode<SoTextureCoordinateBinding>);
}

SoTextureCoordinateBinding::SoTextureCoordinateBinding() {
    addField(&value, "value");
    // PER_VERTEX_INDEXED comes before its alias DEFAULT so that it is the name written.
    value.setEnums({{"PER_VERTEX", PER_VERTEX},
                    {"PER_VERTEX_INDEXED", PER_VERTEX_INDEXED},
                    {"DEFAULT", DEFAULT}});
    value.setValue(PER_VERTEX_INDEXED);
    value.setDefault(true);
}

SoType SoTexture2Transform::classTypeId;
void SoTexture2Transform::initClass() {
    classTypeId = SoType::createType(SoNode::getClassTypeId(), "SoTexture2Transform",
                                     &createNode<SoTexture2Transform>);
}

SoTexture2Transform::SoTexture2Transform() {
    addField(&translation, "translation");
    translation.setValue(SbVec2f(0, 0));
    translation.setDefault(true);
    addField(&rotation, "rotation");
    rotation.setValue(0.0f);
    rotation.setDefault(true);
    addField(&scaleFactor, "scaleFactor");
    scaleFactor.setValue(SbVec2f(1, 1));
    scaleFactor.setDefault(true);
    addField(&center, "center");
    center.setValue(SbVec2f(0, 0));
    center.setDefault(true);
}

SoType SoEventCallback::classTypeId;
void SoEventCallback::initClass() {
    classTypeId = SoType::createType(SoNode::getClassTypeId(), "SoEventCallback",
                                     &createNode<SoEventCallback>);
}

SoEventCallback::SoEventCallback() {}
