#ifndef SCENE_SOVIEWINGMATRIXELEMENT_H
#define SCENE_SOVIEWINGMATRIXELEMENT_H
#include "scene/SceneExport.h"
#include "scene/elements/SoMatrixElement.h"

// The viewing matrix: world coordinates to camera coordinates (set by cameras).
class SCENE_API SoViewingMatrixElement : public SoMatrixElementT<SoViewingMatrixElement> {
public:
    static void initClass();
    static SoType getClassTypeId() { return classTypeId; }
    SoType getTypeId() const override { return classTypeId; }

private:
    static SoType classTypeId;
};

#endif
