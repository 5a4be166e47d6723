#ifndef SCENE_SOLIGHT_H
#define SCENE_SOLIGHT_H
#include "scene/SceneExport.h"
#include "scene/fields/SoSFBool.h"
#include "scene/fields/SoSFColor.h"
#include "scene/fields/SoSFFloat.h"
#include "scene/nodes/SoNode.h"

// Base of lights: on, intensity and colour. A light that is on adds itself to the light element with
// the model x viewing matrix in force.
class SCENE_API SoLight : public SoNode {
public:
    static void initClass();
    static SoType getClassTypeId() { return classTypeId; }
    SoType getTypeId() const override { return classTypeId; }

    SoSFBool on;
    SoSFFloat intensity;
    SoSFColor color;
    void doAction(SoAction *action) override;
    void callback(SoCallbackAction *action) override;

protected:
    SoLight();
    ~SoLight() override = default;

private:
    static SoType classTypeId;
};

#endif
