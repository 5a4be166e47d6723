#ifndef SCENE_SOSFBOOL_H
#define SCENE_SOSFBOOL_H
#include "scene/SceneExport.h"
#include "scene/base/SbBasic.h"
#include "scene/fields/SoSField.h"
class SCENE_API SoSFBool : public SoSFieldT<SbBool> {
public:
    static void initClass();
    static SoType getClassTypeId() { return classTypeId; }
    SoType getTypeId() const override { return classTypeId; }
    using SoSFieldT<SbBool>::operator=;
    using SoSFieldT<SbBool>::setValue;

private:
    static SoType classTypeId;
};

#endif
