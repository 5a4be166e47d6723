#ifndef SCENE_SONONINDEXEDSHAPE_H
#define SCENE_SONONINDEXEDSHAPE_H
#include "scene/SceneExport.h"
#include "scene/fields/SoSFInt32.h"
#include "scene/nodes/SoVertexShape.h"

// Base of vertex shapes that use the coordinates in order from startIndex.
class SCENE_API SoNonIndexedShape : public SoVertexShape {
public:
    static void initClass();
    static SoType getClassTypeId() { return classTypeId; }
    SoType getTypeId() const override { return classTypeId; }

    SoSFInt32 startIndex;

protected:
    SoNonIndexedShape();
    ~SoNonIndexedShape() override = default;

private:
    static SoType classTypeId;
};

#endif
