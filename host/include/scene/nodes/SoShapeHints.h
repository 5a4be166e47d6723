#ifndef SCENE_SOSHAPEHINTS_H
#define SCENE_SOSHAPEHINTS_H
#include "scene/SceneExport.h"
#include "scene/fields/SoSFEnum.h"
#include "scene/fields/SoSFFloat.h"
#include "scene/nodes/SoNode.h"

// Hints about the shapes that follow: vertex ordering, solidity, convexity of faces, crease angle.
class SCENE_API SoShapeHints : public SoNode {
public:
    enum VertexOrdering { UNKNOWN_ORDERING = 0, CLOCKWISE = 1, COUNTERCLOCKWISE = 2 };
    enum ShapeType { UNKNOWN_SHAPE_TYPE = 0, SOLID = 1 };
    enum FaceType { UNKNOWN_FACE_TYPE = 0, CONVEX = 1 };
    static void initClass();
    static SoType getClassTypeId() { return classTypeId; }
    SoType getTypeId() const override { return classTypeId; }
    SoShapeHints();

    SoSFEnum vertexOrdering;
    SoSFEnum shapeType;
    SoSFEnum faceType;
    SoSFFloat creaseAngle;
    void doAction(SoAction *action) override;
    void callback(SoCallbackAction *action) override;

protected:
    ~SoShapeHints() override = default;

private:
    static SoType classTypeId;
};

#endif
