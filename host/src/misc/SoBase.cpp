#include "scene/misc/SoBase.h"

SoType SoBase::classTypeId;

void SoBase::initClass() { classTypeId = SoType::createType(SoType::badType(), "SoBase"); }

SoBase::SoBase() : refCount(0) {}
SoBase::~SoBase() = default;

void SoBase::ref() const { ++refCount; }

void SoBase::unref() const {
    if (--refCount <= 0) delete this;
}

void SoBase::unrefNoDelete() const { --refCount; }
