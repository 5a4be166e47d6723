#include "scene/fields/SoField.h"
#include "scene/fields/SoSField.h"
#include "scene/fields/SoMField.h"
#include "scene/fields/SoMFBitMask.h"
#include "scene/fields/SoMFBool.h"
#include "scene/fields/SoMFColor.h"
#include "scene/fields/SoMFEnum.h"
#include "scene/fields/SoMFFloat.h"
#include "scene/fields/SoMFInt32.h"
#include "scene/fields/SoMFMatrix.h"
#include "scene/fields/SoMFName.h"
#include "scene/fields/SoMFNode.h"
#include "scene/fields/SoMFRotation.h"
#include "scene/fields/SoMFShort.h"
#include "scene/fields/SoMFString.h"
#include "scene/fields/SoMFUInt32.h"
#include "scene/fields/SoMFUShort.h"
#include "scene/fields/SoMFVec2f.h"
#include "scene/fields/SoMFVec3f.h"
#include "scene/fields/SoMFVec4f.h"
#include "scene/fields/SoSFBitMask.h"
#include "scene/fields/SoSFBool.h"
#include "scene/fields/SoSFColor.h"
#include "scene/fields/SoSFEnum.h"
#include "scene/fields/SoSFFloat.h"
#include "scene/fields/SoSFImage.h"
#include "scene/fields/SoSFInt32.h"
#include "scene/fields/SoSFMatrix.h"
#include "scene/fields/SoSFName.h"
#include "scene/fields/SoSFNode.h"
#include "scene/fields/SoSFRotation.h"
#include "scene/fields/SoSFShort.h"
#include "scene/fields/SoSFString.h"
#include "scene/fields/SoSFUInt32.h"
#include "scene/fields/SoSFUShort.h"
#include "scene/fields/SoSFVec2f.h"
#include "scene/fields/SoSFVec3f.h"
#include "scene/fields/SoSFVec4f.h"

// Run-time types of the field classes.
SoType SoField::classTypeId;
SoType SoSField::classTypeId;
SoType SoMField::classTypeId;

void SoField::initClass() { classTypeId = SoType::createType(SoType::badType(), "SoField"); }
void SoSField::initClass() { classTypeId = SoType::createType(SoField::getClassTypeId(), "SoSField"); }
void SoMField::initClass() { classTypeId = SoType::createType(SoField::getClassTypeId(), "SoMField"); }

namespace {
template <class F> void *createField() { return new F; }
} // namespace

SoType SoMFBitMask::classTypeId;
void SoMFBitMask::initClass() { classTypeId = SoType::createType(SoMFEnum::getClassTypeId(), "SoMFBitMask", &createField<SoMFBitMask>); }
SoType SoMFBool::classTypeId;
void SoMFBool::initClass() { classTypeId = SoType::createType(SoMField::getClassTypeId(), "SoMFBool", &createField<SoMFBool>); }
SoType SoMFColor::classTypeId;
void SoMFColor::initClass() { classTypeId = SoType::createType(SoMField::getClassTypeId(), "SoMFColor", &createField<SoMFColor>); }
SoType SoMFEnum::classTypeId;
void SoMFEnum::initClass() { classTypeId = SoType::createType(SoMField::getClassTypeId(), "SoMFEnum", &createField<SoMFEnum>); }
SoType SoMFFloat::classTypeId;
void SoMFFloat::initClass() { classTypeId = SoType::createType(SoMField::getClassTypeId(), "SoMFFloat", &createField<SoMFFloat>); }
SoType SoMFInt32::classTypeId;
void SoMFInt32::initClass() { classTypeId = SoType::createType(SoMField::getClassTypeId(), "SoMFInt32", &createField<SoMFInt32>); }
SoType SoMFMatrix::classTypeId;
void SoMFMatrix::initClass() { classTypeId = SoType::createType(SoMField::getClassTypeId(), "SoMFMatrix", &createField<SoMFMatrix>); }
SoType SoMFName::classTypeId;
void SoMFName::initClass() { classTypeId = SoType::createType(SoMField::getClassTypeId(), "SoMFName", &createField<SoMFName>); }
SoType SoMFNode::classTypeId;
void SoMFNode::initClass() { classTypeId = SoType::createType(SoMField::getClassTypeId(), "SoMFNode", &createField<SoMFNode>); }
SoType SoMFRotation::classTypeId;
void SoMFRotation::initClass() { classTypeId = SoType::createType(SoMField::getClassTypeId(), "SoMFRotation", &createField<SoMFRotation>); }
SoType SoMFShort::classTypeId;
void SoMFShort::initClass() { classTypeId = SoType::createType(SoMField::getClassTypeId(), "SoMFShort", &createField<SoMFShort>); }
SoType SoMFString::classTypeId;
void SoMFString::initClass() { classTypeId = SoType::createType(SoMField::getClassTypeId(), "SoMFString", &createField<SoMFString>); }
SoType SoMFUInt32::classTypeId;
void SoMFUInt32::initClass() { classTypeId = SoType::createType(SoMField::getClassTypeId(), "SoMFUInt32", &createField<SoMFUInt32>); }
SoType SoMFUShort::classTypeId;
void SoMFUShort::initClass() { classTypeId = SoType::createType(SoMField::getClassTypeId(), "SoMFUShort", &createField<SoMFUShort>); }
SoType SoMFVec2f::classTypeId;
void SoMFVec2f::initClass() { classTypeId = SoType::createType(SoMField::getClassTypeId(), "SoMFVec2f", &createField<SoMFVec2f>); }
SoType SoMFVec3f::classTypeId;
void SoMFVec3f::initClass() { classTypeId = SoType::createType(SoMField::getClassTypeId(), "SoMFVec3f", &createField<SoMFVec3f>); }
SoType SoMFVec4f::classTypeId;
void SoMFVec4f::initClass() { classTypeId = SoType::createType(SoMField::getClassTypeId(), "SoMFVec4f", &createField<SoMFVec4f>); }
SoType SoSFBitMask::classTypeId;
void SoSFBitMask::initClass() { classTypeId = SoType::createType(SoSFEnum::getClassTypeId(), "SoSFBitMask", &createField<SoSFBitMask>); }
SoType SoSFBool::classTypeId;
void SoSFBool::initClass() { classTypeId = SoType::createType(SoSField::getClassTypeId(), "SoSFBool", &createField<SoSFBool>); }
SoType SoSFColor::classTypeId;
void SoSFColor::initClass() { classTypeId = SoType::createType(SoSField::getClassTypeId(), "SoSFColor", &createField<SoSFColor>); }
SoType SoSFEnum::classTypeId;
void SoSFEnum::initClass() { classTypeId = SoType::createType(SoSField::getClassTypeId(), "SoSFEnum", &createField<SoSFEnum>); }
SoType SoSFFloat::classTypeId;
void SoSFFloat::initClass() { classTypeId = SoType::createType(SoSField::getClassTypeId(), "SoSFFloat", &createField<SoSFFloat>); }
SoType SoSFImage::classTypeId;
void SoSFImage::initClass() { classTypeId = SoType::createType(SoSField::getClassTypeId(), "SoSFImage", &createField<SoSFImage>); }
SoType SoSFInt32::classTypeId;
void SoSFInt32::initClass() { classTypeId = SoType::createType(SoSField::getClassTypeId(), "SoSFInt32", &createField<SoSFInt32>); }
SoType SoSFMatrix::classTypeId;
void SoSFMatrix::initClass() { classTypeId = SoType::createType(SoSField::getClassTypeId(), "SoSFMatrix", &createField<SoSFMatrix>); }
SoType SoSFName::classTypeId;
void SoSFName::initClass() { classTypeId = SoType::createType(SoSField::getClassTypeId(), "SoSFName", &createField<SoSFName>); }
SoType SoSFNode::classTypeId;
void SoSFNode::initClass() { classTypeId = SoType::createType(SoSField::getClassTypeId(), "SoSFNode", &createField<SoSFNode>); }
SoType SoSFRotation::classTypeId;
void SoSFRotation::initClass() { classTypeId = SoType::createType(SoSField::getClassTypeId(), "SoSFRotation", &createField<SoSFRotation>); }
SoType SoSFShort::classTypeId;
void SoSFShort::initClass() { classTypeId = SoType::createType(SoSField::getClassTypeId(), "SoSFShort", &createField<SoSFShort>); }
SoType SoSFString::classTypeId;
void SoSFString::initClass() { classTypeId = SoType::createType(SoSField::getClassTypeId(), "SoSFString", &createField<SoSFString>); }
SoType SoSFUInt32::classTypeId;
void SoSFUInt32::initClass() { classTypeId = SoType::createType(SoSField::getClassTypeId(), "SoSFUInt32", &createField<SoSFUInt32>); }
SoType SoSFUShort::classTypeId;
void SoSFUShort::initClass() { classTypeId = SoType::createType(SoSField::getClassTypeId(), "SoSFUShort", &createField<SoSFUShort>); }
SoType SoSFVec2f::classTypeId;
void SoSFVec2f::initClass() { classTypeId = SoType::createType(SoSField::getClassTypeId(), "SoSFVec2f", &createField<SoSFVec2f>); }
SoType SoSFVec3f::classTypeId;
void SoSFVec3f::initClass() { classTypeId = SoType::createType(SoSField::getClassTypeId(), "SoSFVec3f", &createField<SoSFVec3f>); }
SoType SoSFVec4f::classTypeId;
void SoSFVec4f::initClass() { classTypeId = SoType::createType(SoSField::getClassTypeId(), "SoSFVec4f", &createField<SoSFVec4f>); }

// Registers every field class, bases first.
void initFieldClasses() {
    SoField::initClass();
    SoSField::initClass();
    SoMField::initClass();
    SoMFBool::initClass();
    SoMFColor::initClass();
    SoMFEnum::initClass();
    SoMFFloat::initClass();
    SoMFInt32::initClass();
    SoMFMatrix::initClass();
    SoMFName::initClass();
    SoMFNode::initClass();
    SoMFRotation::initClass();
    SoMFShort::initClass();
    SoMFString::initClass();
    SoMFUInt32::initClass();
    SoMFUShort::initClass();
    SoMFVec2f::initClass();
    SoMFVec3f::initClass();
    SoMFVec4f::initClass();
    SoSFBool::initClass();
    SoSFColor::initClass();
    SoSFEnum::initClass();
    SoSFFloat::initClass();
    SoSFImage::initClass();
    SoSFInt32::initClass();
    SoSFMatrix::initClass();
    SoSFName::initClass();
    SoSFNode::initClass();
    SoSFRotation::initClass();
    SoSFShort::initClass();
    SoSFString::initClass();
    SoSFUInt32::initClass();
    SoSFUShort::initClass();
    SoSFVec2f::initClass();
    SoSFVec3f::initClass();
    SoSFVec4f::initClass();
    SoSFBitMask::initClass();
    SoMFBitMask::initClass();
}
