#include "scene/misc/SoFieldContainer.h"
#include "scene/fields/SoField.h"

SoType SoFieldContainer::classTypeId;

void SoFieldContainer::initClass() {
    classTypeId = SoType::createType(SoBase::getClassTypeId(), "SoFieldContainer");
}

SoFieldContainer::~SoFieldContainer() = default;

void SoFieldContainer::addField(SoField *field, const char *name) {
    field->setContainer(this);
    fieldList.emplace_back(SbName(name), field);
}

void SoFieldContainer::addDynamicField(const SbName &name, SoField *field) {
    dynamicFields.emplace_back(field);
    field->setContainer(this);
    fieldList.emplace_back(name, field);
}

SoField *SoFieldContainer::getField(const SbName &name) const {
    for (const auto &f : fieldList)
        if (f.first == name) return f.second;
    return nullptr;
}

bool SoFieldContainer::getFieldName(const SoField *field, SbName &name) const {
    for (const auto &f : fieldList)
        if (f.second == field) {
            name = f.first;
            return true;
        }
    return false;
}
