#ifndef SCENE_SOSWITCH_H
#define SCENE_SOSWITCH_H
#include "scene/SceneExport.h"
#include "scene/fields/SoSFInt32.h"
#include "scene/nodes/SoGroup.h"

// A group that traverses one of its children (whichChild), none (-1) or all (-3); -2 takes the value
// of an enclosing switch.
class SCENE_API SoSwitch : public SoGroup {
public:
    static void initClass();
    static SoType getClassTypeId() { return classTypeId; }
    SoType getTypeId() const override { return classTypeId; }
    SoSwitch();

    SoSFInt32 whichChild;
    void doAction(SoAction *action) override;
    void callback(SoCallbackAction *action) override;
    void getBoundingBox(SoGetBoundingBoxAction *action) override;
    void search(SoSearchAction *action) override;
    static constexpr int SO_SWITCH_NONE = -1;
    static constexpr int SO_SWITCH_INHERIT = -2;
    static constexpr int SO_SWITCH_ALL = -3;

protected:
    ~SoSwitch() override = default;

private:
    static SoType classTypeId;
};

#endif
