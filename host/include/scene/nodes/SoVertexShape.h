#ifndef SCENE_SOVERTEXSHAPE_H
#define SCENE_SOVERTEXSHAPE_H
#include "scene/SceneExport.h"
#include "scene/fields/SoSFNode.h"
#include "scene/nodes/SoShape.h"

// Base of shapes built from the current coordinates (or those of their vertexProperty node).
// When vertexProperty holds a node, the shape's traversal pushes the state, applies that node
// (its coordinates, normals, packed colours and bindings replace those in force), generates or
// measures the shape, and pops the state again, so nothing leaks to the shapes that follow.
//
// Material and normal bindings: OVERALL uses index 0; PER_PART and PER_FACE count parts or faces
// from 0 (each shape says what its parts and faces are); their _INDEXED forms read materialIndex
// (normalIndex) of indexed shapes at that count. PER_VERTEX uses a non-indexed shape's coordinate
// index (startIndex included) and an indexed shape's running vertex count; PER_VERTEX_INDEXED
// reads materialIndex (normalIndex) at the vertex's position in coordIndex, or coordIndex itself
// when that list is empty or just -1. Non-indexed shapes treat _INDEXED bindings as the plain
// ones. Without normals in the state, faces take their own flat normal (counter-clockwise corners
// face it, clockwise ones when the shape hints say CLOCKWISE).
class SCENE_API SoVertexShape : public SoShape {
public:
    static void initClass();
    static SoType getClassTypeId() { return classTypeId; }
    SoType getTypeId() const override { return classTypeId; }

    SoSFNode vertexProperty;
    void computeBBox(SoAction *action, SbBox3f &box, SbVec3f &center) override;
    void callback(SoCallbackAction *action) override;
    void getBoundingBox(SoGetBoundingBoxAction *action) override;

protected:
    SoVertexShape();
    ~SoVertexShape() override = default;

private:
    static SoType classTypeId;
};

#endif
