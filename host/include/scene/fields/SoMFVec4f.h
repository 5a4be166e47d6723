#ifndef SCENE_SOMFVEC4F_H
#define SCENE_SOMFVEC4F_H
#include "scene/SceneExport.h"
#include "scene/base/SbVec4f.h"
#include "scene/fields/SoMField.h"
class SCENE_API SoMFVec4f : public SoMFieldT<SbVec4f> {
public:
    static void initClass();
    static SoType getClassTypeId() { return classTypeId; }
    SoType getTypeId() const override { return classTypeId; }
    using SoMFieldT<SbVec4f>::operator=;
    using SoMFieldT<SbVec4f>::setValue;

private:
    static SoType classTypeId;
};

#endif
