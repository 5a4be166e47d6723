#ifndef SCENE_SOMFROTATION_H
#define SCENE_SOMFROTATION_H
#include "scene/SceneExport.h"
#include "scene/base/SbRotation.h"
#include "scene/fields/SoMField.h"
class SCENE_API SoMFRotation : public SoMFieldT<SbRotation> {
public:
    static void initClass();
    static SoType getClassTypeId() { return classTypeId; }
    SoType getTypeId() const override { return classTypeId; }
    using SoMFieldT<SbRotation>::operator=;
    using SoMFieldT<SbRotation>::setValue;

private:
    static SoType classTypeId;
};

#endif
