#ifndef SCENE_SONORMAL_H
#define SCENE_SONORMAL_H
#include "scene/SceneExport.h"
#include "scene/fields/SoMFVec3f.h"
#include "scene/nodes/SoNode.h"

// Normals for the shapes that follow.
class SCENE_API SoNormal : public SoNode {
public:
    static void initClass();
    static SoType getClassTypeId() { return classTypeId; }
    SoType getTypeId() const override { return classTypeId; }
    SoNormal();

    SoMFVec3f vector;
    void doAction(SoAction *action) override;
    void callback(SoCallbackAction *action) override;

protected:
    ~SoNormal() override = default;

private:
    static SoType classTypeId;
};

#endif
