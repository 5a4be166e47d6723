#ifndef SCENE_SOMFBOOL_H
#define SCENE_SOMFBOOL_H
#include "scene/SceneExport.h"
#include "scene/base/SbBasic.h"
#include "scene/fields/SoMField.h"
class SCENE_API SoMFBool : public SoMFieldT<SbBool> {
public:
    static void initClass();
    static SoType getClassTypeId() { return classTypeId; }
    SoType getTypeId() const override { return classTypeId; }
    using SoMFieldT<SbBool>::operator=;
    using SoMFieldT<SbBool>::setValue;

private:
    static SoType classTypeId;
};

#endif
