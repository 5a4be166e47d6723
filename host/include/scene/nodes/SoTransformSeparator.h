#ifndef SCENE_SOTRANSFORMSEPARATOR_H
#define SCENE_SOTRANSFORMSEPARATOR_H
#include "scene/SceneExport.h"
#include "scene/nodes/SoGroup.h"

// A group that restores only the model matrix after its children; other state changes stay in force.
class SCENE_API SoTransformSeparator : public SoGroup {
public:
    static void initClass();
    static SoType getClassTypeId() { return classTypeId; }
    SoType getTypeId() const override { return classTypeId; }
    SoTransformSeparator();

    void doAction(SoAction *action) override;
    void callback(SoCallbackAction *action) override;
    void getBoundingBox(SoGetBoundingBoxAction *action) override;

protected:
    ~SoTransformSeparator() override = default;

private:
    static SoType classTypeId;
};

#endif
