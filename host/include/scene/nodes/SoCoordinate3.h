#ifndef SCENE_SOCOORDINATE3_H
#define SCENE_SOCOORDINATE3_H
#include "scene/SceneExport.h"
#include "scene/fields/SoMFVec3f.h"
#include "scene/nodes/SoNode.h"

// Coordinates for the vertex shapes that follow.
class SCENE_API SoCoordinate3 : public SoNode {
public:
    static void initClass();
    static SoType getClassTypeId() { return classTypeId; }
    SoType getTypeId() const override { return classTypeId; }
    SoCoordinate3();

    SoMFVec3f point;
    void doAction(SoAction *action) override;
    void callback(SoCallbackAction *action) override;
    void getBoundingBox(SoGetBoundingBoxAction *action) override;

protected:
    ~SoCoordinate3() override = default;

private:
    static SoType classTypeId;
};

#endif
