#ifndef SCENE_SOSHAPEHINTSELEMENT_H
#define SCENE_SOSHAPEHINTSELEMENT_H
#include "scene/SceneExport.h"
#include "scene/elements/SoElement.h"

// What the shape hints say of the shapes that follow: vertex ordering (UNKNOWN_ORDERING 0,
// CLOCKWISE 1, COUNTERCLOCKWISE 2), shape type (UNKNOWN_SHAPE_TYPE 0, SOLID 1) and face type
// (UNKNOWN_FACE_TYPE 0, CONVEX 1). Defaults: unknown ordering, unknown shape type, convex faces.
class SCENE_API SoShapeHintsElement : public SoElementT<SoShapeHintsElement> {
public:
    enum VertexOrdering { UNKNOWN_ORDERING = 0, CLOCKWISE = 1, COUNTERCLOCKWISE = 2 };
    enum ShapeType { UNKNOWN_SHAPE_TYPE = 0, SOLID = 1 };
    enum FaceType { UNKNOWN_FACE_TYPE = 0, CONVEX = 1 };
    static void initClass();
    static SoType getClassTypeId() { return classTypeId; }
    SoType getTypeId() const override { return classTypeId; }
    void init(SoState *state) override;
    static void set(SoState *state, int vertexOrdering, int shapeType, int faceType);
    static void get(SoState *state, int &vertexOrdering, int &shapeType, int &faceType);

private:
    static SoType classTypeId;
    int ordering = UNKNOWN_ORDERING, shapeType = UNKNOWN_SHAPE_TYPE, faceType = CONVEX;
};

#endif
