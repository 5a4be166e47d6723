#ifndef SCENE_SOSEPARATOR_H
#define SCENE_SOSEPARATOR_H
#include "scene/SceneExport.h"
#include "scene/fields/SoSFEnum.h"
#include "scene/nodes/SoGroup.h"

// A group that saves the traversal state before its children and restores it after them.
class SCENE_API SoSeparator : public SoGroup {
public:
    enum CacheEnabled { OFF = 0, ON = 1, AUTO = 2 };
    static void initClass();
    static SoType getClassTypeId() { return classTypeId; }
    SoType getTypeId() const override { return classTypeId; }
    SoSeparator();

    SoSFEnum renderCaching;
    SoSFEnum boundingBoxCaching;
    SoSFEnum renderCulling;
    SoSFEnum pickCulling;
    void doAction(SoAction *action) override;
    void callback(SoCallbackAction *action) override;
    void getBoundingBox(SoGetBoundingBoxAction *action) override;
    bool affectsState() const override { return false; }

protected:
    ~SoSeparator() override = default;

private:
    static SoType classTypeId;
};

#endif
