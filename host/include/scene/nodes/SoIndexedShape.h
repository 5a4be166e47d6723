#ifndef SCENE_SOINDEXEDSHAPE_H
#define SCENE_SOINDEXEDSHAPE_H
#include "scene/SceneExport.h"
#include "scene/fields/SoMFInt32.h"
#include "scene/nodes/SoVertexShape.h"

// Base of vertex shapes that select coordinates, materials and normals by index lists; -1 ends a
// face or line.
class SCENE_API SoIndexedShape : public SoVertexShape {
public:
    static void initClass();
    static SoType getClassTypeId() { return classTypeId; }
    SoType getTypeId() const override { return classTypeId; }

    SoMFInt32 coordIndex;
    SoMFInt32 materialIndex;
    SoMFInt32 normalIndex;
    SoMFInt32 textureCoordIndex;

protected:
    SoIndexedShape();
    ~SoIndexedShape() override = default;

private:
    static SoType classTypeId;
};

#endif
