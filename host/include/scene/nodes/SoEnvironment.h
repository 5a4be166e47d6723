#ifndef SCENE_SOENVIRONMENT_H
#define SCENE_SOENVIRONMENT_H
#include "scene/SceneExport.h"
#include "scene/fields/SoSFColor.h"
#include "scene/fields/SoSFEnum.h"
#include "scene/fields/SoSFFloat.h"
#include "scene/fields/SoSFVec3f.h"
#include "scene/nodes/SoNode.h"

// Global ambient light, light attenuation (squared, linear, constant coefficients) and fog.
class SCENE_API SoEnvironment : public SoNode {
public:
    enum FogType { NONE = 0, HAZE = 1, FOG = 2, SMOKE = 3 };
    static void initClass();
    static SoType getClassTypeId() { return classTypeId; }
    SoType getTypeId() const override { return classTypeId; }
    SoEnvironment();

    SoSFFloat ambientIntensity;
    SoSFColor ambientColor;
    SoSFVec3f attenuation;
    SoSFEnum fogType;
    SoSFColor fogColor;
    SoSFFloat fogVisibility;
    void doAction(SoAction *action) override;
    void callback(SoCallbackAction *action) override;

protected:
    ~SoEnvironment() override = default;

private:
    static SoType classTypeId;
};

#endif
