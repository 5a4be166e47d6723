#ifndef SCENE_SOSFVEC4F_H
#define SCENE_SOSFVEC4F_H
#include "scene/SceneExport.h"
#include "scene/base/SbVec4f.h"
#include "scene/fields/SoSField.h"
class SCENE_API SoSFVec4f : public SoSFieldT<SbVec4f> {
public:
    static void initClass();
    static SoType getClassTypeId() { return classTypeId; }
    SoType getTypeId() const override { return classTypeId; }
    using SoSFieldT<SbVec4f>::operator=;
    using SoSFieldT<SbVec4f>::setValue;

private:
    static SoType classTypeId;
};

#endif
