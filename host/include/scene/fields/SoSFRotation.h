#ifndef SCENE_SOSFROTATION_H
#define SCENE_SOSFROTATION_H
#include "scene/SceneExport.h"
#include "scene/base/SbRotation.h"
#include "scene/fields/SoSField.h"
class SCENE_API SoSFRotation : public SoSFieldT<SbRotation> {
public:
    static void initClass();
    static SoType getClassTypeId() { return classTypeId; }
    SoType getTypeId() const override { return classTypeId; }
    using SoSFieldT<SbRotation>::operator=;
    using SoSFieldT<SbRotation>::setValue;

private:
    static SoType classTypeId;
};

#endif
