#ifndef SCENE_SOMFFLOAT_H
#define SCENE_SOMFFLOAT_H
#include "scene/SceneExport.h"
#include "scene/fields/SoMField.h"

class SCENE_API SoMFFloat : public SoMFieldT<float> {
public:
    static void initClass();
    static SoType getClassTypeId() { return classTypeId; }
    SoType getTypeId() const override { return classTypeId; }
    using SoMFieldT<float>::operator=;
    using SoMFieldT<float>::setValue;

private:
    static SoType classTypeId;
};

#endif
