#ifndef SCENE_SOPERSPECTIVECAMERA_H
#define SCENE_SOPERSPECTIVECAMERA_H
#include "scene/SceneExport.h"
#include "scene/fields/SoSFFloat.h"
#include "scene/nodes/SoCamera.h"

// A camera with perspective projection (heightAngle: vertical field of view, radians).
class SCENE_API SoPerspectiveCamera : public SoCamera {
public:
    static void initClass();
    static SoType getClassTypeId() { return classTypeId; }
    SoType getTypeId() const override { return classTypeId; }
    SoPerspectiveCamera();

    SoSFFloat heightAngle;

protected:
    SbViewVolume makeViewVolume(float aspect) const override;
    void fitSphere(const SbVec3f &center, float radius, float aspect) override;

protected:
    ~SoPerspectiveCamera() override = default;

private:
    static SoType classTypeId;
};

#endif
