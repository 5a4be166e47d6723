#ifndef SCENE_SOLIGHTMODEL_H
#define SCENE_SOLIGHTMODEL_H
#include "scene/SceneExport.h"
#include "scene/fields/SoSFEnum.h"
#include "scene/nodes/SoNode.h"

// Whether shapes are lit (PHONG) or drawn in their base colour.
class SCENE_API SoLightModel : public SoNode {
public:
    enum Model { BASE_COLOR = 0, PHONG = 1 };
    static void initClass();
    static SoType getClassTypeId() { return classTypeId; }
    SoType getTypeId() const override { return classTypeId; }
    SoLightModel();

    SoSFEnum model;
    void doAction(SoAction *action) override;
    void callback(SoCallbackAction *action) override;

protected:
    ~SoLightModel() override = default;

private:
    static SoType classTypeId;
};

#endif
