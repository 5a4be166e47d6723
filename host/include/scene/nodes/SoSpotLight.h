#ifndef SCENE_SOSPOTLIGHT_H
#define SCENE_SOSPOTLIGHT_H
#include "scene/SceneExport.h"
#include "scene/fields/SoSFFloat.h"
#include "scene/fields/SoSFVec3f.h"
#include "scene/nodes/SoLight.h"

// A light at a point shining in a cone around a direction.
class SCENE_API SoSpotLight : public SoLight {
public:
    static void initClass();
    static SoType getClassTypeId() { return classTypeId; }
    SoType getTypeId() const override { return classTypeId; }
    SoSpotLight();

    SoSFVec3f location;
    SoSFVec3f direction;
    SoSFFloat dropOffRate;
    SoSFFloat cutOffAngle;

protected:
    ~SoSpotLight() override = default;

private:
    static SoType classTypeId;
};

#endif
