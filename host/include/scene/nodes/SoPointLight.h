#ifndef SCENE_SOPOINTLIGHT_H
#define SCENE_SOPOINTLIGHT_H
#include "scene/SceneExport.h"
#include "scene/fields/SoSFVec3f.h"
#include "scene/nodes/SoLight.h"

// A light at a point, shining in every direction.
class SCENE_API SoPointLight : public SoLight {
public:
    static void initClass();
    static SoType getClassTypeId() { return classTypeId; }
    SoType getTypeId() const override { return classTypeId; }
    SoPointLight();

    SoSFVec3f location;

protected:
    ~SoPointLight() override = default;

private:
    static SoType classTypeId;
};

#endif
