#ifndef SCENE_SOQUADMESH_H
#define SCENE_SOQUADMESH_H
#include "scene/SceneExport.h"
#include "scene/fields/SoSFInt32.h"
#include "scene/nodes/SoNonIndexedShape.h"

// A grid of verticesPerRow x verticesPerColumn coordinates drawn as quadrilaterals (two triangles
// each). Row r, column c is coordinate startIndex + r x verticesPerRow + c; quads are
// counter-clockwise when columns run along +x and rows along +y. For bindings a part is a row of
// quads and a face is a quad.
class SCENE_API SoQuadMesh : public SoNonIndexedShape {
public:
    static void initClass();
    static SoType getClassTypeId() { return classTypeId; }
    SoType getTypeId() const override { return classTypeId; }
    SoQuadMesh();

    SoSFInt32 verticesPerColumn;
    SoSFInt32 verticesPerRow;
    void generatePrimitives(SoAction *action) override;
    void computeBBox(SoAction *action, SbBox3f &box, SbVec3f &center) override;

protected:
    ~SoQuadMesh() override = default;

private:
    static SoType classTypeId;
};

#endif
