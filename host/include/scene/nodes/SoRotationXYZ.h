#ifndef SCENE_SOROTATIONXYZ_H
#define SCENE_SOROTATIONXYZ_H
#include "scene/SceneExport.h"
#include "scene/fields/SoSFEnum.h"
#include "scene/fields/SoSFFloat.h"
#include "scene/nodes/SoTransformation.h"

// A rotation about the x, y or z axis.
class SCENE_API SoRotationXYZ : public SoTransformation {
public:
    enum Axis { X = 0, Y = 1, Z = 2 };
    static void initClass();
    static SoType getClassTypeId() { return classTypeId; }
    SoType getTypeId() const override { return classTypeId; }
    SoRotationXYZ();

    SoSFEnum axis;
    SoSFFloat angle;
    SbMatrix getMatrix() const override;

protected:
    ~SoRotationXYZ() override = default;

private:
    static SoType classTypeId;
};

#endif
