#ifndef SCENE_SOEVENTCALLBACK_H
#define SCENE_SOEVENTCALLBACK_H
#include "scene/SceneExport.h"
#include "scene/nodes/SoNode.h"

// A hook for interactive events in viewers. Drawings handle no events: the node is read and written
// (it has no fields) and has no effect on any action.
class SCENE_API SoEventCallback : public SoNode {
public:
    static void initClass();
    static SoType getClassTypeId() { return classTypeId; }
    SoType getTypeId() const override { return classTypeId; }
    SoEventCallback();
    bool affectsState() const override { return false; }

protected:
    ~SoEventCallback() override = default;

private:
    static SoType classTypeId;
};

#endif
