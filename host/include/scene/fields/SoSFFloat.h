#ifndef SCENE_SOSFFLOAT_H
#define SCENE_SOSFFLOAT_H
#include "scene/SceneExport.h"
#include "scene/fields/SoSField.h"

class SCENE_API SoSFFloat : public SoSFieldT<float> {
public:
    static void initClass();
    static SoType getClassTypeId() { return classTypeId; }
    SoType getTypeId() const override { return classTypeId; }
    using SoSFieldT<float>::operator=;
    using SoSFieldT<float>::setValue;

private:
    static SoType classTypeId;
};

#endif
