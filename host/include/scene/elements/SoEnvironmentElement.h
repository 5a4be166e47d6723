#ifndef SCENE_SOENVIRONMENTELEMENT_H
#define SCENE_SOENVIRONMENTELEMENT_H
#include "scene/SceneExport.h"
#include "scene/base/SbColor.h"
#include "scene/base/SbVec3f.h"
#include "scene/elements/SoElement.h"

// Global lighting environment. The attenuation is handed out as (constant, linear, squared)
// coefficients, the order a lighting computation reads as k0 + k1 d + k2 d^2; the environment
// node's own field lists them the other way round (squared, linear, constant).
class SCENE_API SoEnvironmentElement : public SoElementT<SoEnvironmentElement> {
public:
    static void initClass();
    static SoType getClassTypeId() { return classTypeId; }
    SoType getTypeId() const override { return classTypeId; }
    void init(SoState *state) override;
    static void set(SoState *state, float ambientIntensity, const SbColor &ambientColor,
                    const SbVec3f &attenuationConstantLinearSquared, int fogType, const SbColor &fogColor,
                    float fogVisibility);
    static void get(SoState *state, float &ambientIntensity, SbColor &ambientColor, SbVec3f &attenuation,
                    int &fogType, SbColor &fogColor, float &fogVisibility);
    static float getAmbientIntensity(SoState *state);
    static SbColor getAmbientColor(SoState *state);
    static SbVec3f getLightAttenuation(SoState *state);

private:
    static SoType classTypeId;
    float ambientIntensity = 0.2f;
    SbColor ambientColor{1, 1, 1};
    SbVec3f attenuation{1, 0, 0};
    int fogType = 0;
    SbColor fogColor{1, 1, 1};
    float fogVisibility = 0.0f;
};

#endif
