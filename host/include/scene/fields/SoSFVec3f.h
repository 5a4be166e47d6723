#ifndef SCENE_SOSFVEC3F_H
#define SCENE_SOSFVEC3F_H
#include "scene/SceneExport.h"
#include "scene/base/SbVec3f.h"
#include "scene/fields/SoSField.h"
class SCENE_API SoSFVec3f : public SoSFieldT<SbVec3f> {
public:
    static void initClass();
    static SoType getClassTypeId() { return classTypeId; }
    SoType getTypeId() const override { return classTypeId; }
    using SoSFieldT<SbVec3f>::operator=;
    using SoSFieldT<SbVec3f>::setValue;
    void setValue(float x, float y, float z) { setValue(SbVec3f(x, y, z)); }
private:
    static SoType classTypeId;
};

#endif
