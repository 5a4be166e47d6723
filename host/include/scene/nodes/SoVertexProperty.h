#ifndef SCENE_SOVERTEXPROPERTY_H
#define SCENE_SOVERTEXPROPERTY_H
#include "scene/SceneExport.h"
#include "scene/fields/SoMFUInt32.h"
#include "scene/fields/SoMFVec2f.h"
#include "scene/fields/SoMFVec3f.h"
#include "scene/fields/SoSFEnum.h"
#include "scene/nodes/SoNode.h"

// Coordinates, normals, texture coordinates, packed colours and bindings in one node; also used as
// the vertexProperty field of vertex shapes.
class SCENE_API SoVertexProperty : public SoNode {
public:
    enum Binding { OVERALL = 2, PER_PART = 3, PER_PART_INDEXED = 4, PER_FACE = 5, PER_FACE_INDEXED = 6, PER_VERTEX = 7, PER_VERTEX_INDEXED = 8, DEFAULT = 8, NONE = 8 };
    static void initClass();
    static SoType getClassTypeId() { return classTypeId; }
    SoType getTypeId() const override { return classTypeId; }
    SoVertexProperty();

    SoMFVec3f vertex;
    SoMFVec3f normal;
    SoMFVec2f texCoord;
    SoMFUInt32 orderedRGBA;
    SoSFEnum normalBinding;
    SoSFEnum materialBinding;
    void doAction(SoAction *action) override;
    void callback(SoCallbackAction *action) override;
    void getBoundingBox(SoGetBoundingBoxAction *action) override;

protected:
    ~SoVertexProperty() override = default;

private:
    static SoType classTypeId;
};

#endif
