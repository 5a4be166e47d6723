#ifndef SCENE_SODIRECTIONALLIGHT_H
#define SCENE_SODIRECTIONALLIGHT_H
#include "scene/SceneExport.h"
#include "scene/fields/SoSFVec3f.h"
#include "scene/nodes/SoLight.h"

// A light from infinitely far away along a direction.
class SCENE_API SoDirectionalLight : public SoLight {
public:
    static void initClass();
    static SoType getClassTypeId() { return classTypeId; }
    SoType getTypeId() const override { return classTypeId; }
    SoDirectionalLight();

    SoSFVec3f direction;

protected:
    ~SoDirectionalLight() override = default;

private:
    static SoType classTypeId;
};

#endif
