#ifndef SCENE_SOSFVEC2F_H
#define SCENE_SOSFVEC2F_H
#include "scene/SceneExport.h"
#include "scene/base/SbVec2f.h"
#include "scene/fields/SoSField.h"
class SCENE_API SoSFVec2f : public SoSFieldT<SbVec2f> {
public:
    static void initClass();
    static SoType getClassTypeId() { return classTypeId; }
    SoType getTypeId() const override { return classTypeId; }
    using SoSFieldT<SbVec2f>::operator=;
    using SoSFieldT<SbVec2f>::setValue;
    void setValue(float x, float y) { setValue(SbVec2f(x, y)); }
private:
    static SoType classTypeId;
};

#endif
