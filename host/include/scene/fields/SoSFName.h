#ifndef SCENE_SOSFNAME_H
#define SCENE_SOSFNAME_H
#include "scene/fields/SoSField.h"
#include "scene/base/SbName.h"
class SoSFName : public SoSFieldT<SbName> {
public:
    static void initClass();
    static SoType getClassTypeId() { return classTypeId; }
    SoType getTypeId() const override { return classTypeId; }
    using SoSFieldT<SbName>::operator=;
    using SoSFieldT<SbName>::setValue;

private:
    static SoType classTypeId;
};

#endif
