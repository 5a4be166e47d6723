#ifndef SCENE_SOORTHOGRAPHICCAMERA_H
#define SCENE_SOORTHOGRAPHICCAMERA_H
#include "scene/SceneExport.h"
#include "scene/fields/SoSFFloat.h"
#include "scene/nodes/SoCamera.h"

// A camera with parallel projection (height: of the view volume, in world units).
class SCENE_API SoOrthographicCamera : public SoCamera {
public:
    static void initClass();
    static SoType getClassTypeId() { return classTypeId; }
    SoType getTypeId() const override { return classTypeId; }
    SoOrthographicCamera();

    SoSFFloat height;

protected:
    SbViewVolume makeViewVolume(float aspect) const override;
    void fitSphere(const SbVec3f &center, float radius, float aspect) override;

protected:
    ~SoOrthographicCamera() override = default;

private:
    static SoType classTypeId;
};

#endif
