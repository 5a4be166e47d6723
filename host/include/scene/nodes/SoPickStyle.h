#ifndef SCENE_SOPICKSTYLE_H
#define SCENE_SOPICKSTYLE_H
#include "scene/SceneExport.h"
#include "scene/fields/SoSFEnum.h"
#include "scene/nodes/SoNode.h"

// How shapes are picked; kept in the state, no effect on printing.
class SCENE_API SoPickStyle : public SoNode {
public:
    enum Style { SHAPE = 0, BOUNDING_BOX = 1, UNPICKABLE = 2 };
    static void initClass();
    static SoType getClassTypeId() { return classTypeId; }
    SoType getTypeId() const override { return classTypeId; }
    SoPickStyle();

    SoSFEnum style;
    void doAction(SoAction *action) override;
    void callback(SoCallbackAction *action) override;

protected:
    ~SoPickStyle() override = default;

private:
    static SoType classTypeId;
};

#endif
