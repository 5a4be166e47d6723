#ifndef SCENE_SOSFNAME_H
#define SCENE_SOSFNAME_H
#include "scene/SceneExport.h"
#include "scene/base/SbName.h"
#include "scene/fields/SoSField.h"
class SCENE_API SoSFName : public SoSFieldT<SbName> {
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
