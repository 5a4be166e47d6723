#ifndef SCENE_SOPROJECTIONMATRIXELEMENT_H
#define SCENE_SOPROJECTIONMATRIXELEMENT_H
#include "scene/SceneExport.h"
#include "scene/elements/SoMatrixElement.h"

// The projection matrix: camera coordinates to clip coordinates (set by cameras).
class SCENE_API SoProjectionMatrixElement : public SoMatrixElementT<SoProjectionMatrixElement> {
public:
    static void initClass();
    static SoType getClassTypeId() { return classTypeId; }
    SoType getTypeId() const override { return classTypeId; }

private:
    static SoType classTypeId;
};

#endif
