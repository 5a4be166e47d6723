#ifndef SCENE_SOTRANSFORM_H
#define SCENE_SOTRANSFORM_H
#include "scene/SceneExport.h"
#include "scene/fields/SoSFRotation.h"
#include "scene/fields/SoSFVec3f.h"
#include "scene/nodes/SoTransformation.h"

// A general transform: scale about a centre and a scale orientation, rotate about the centre,
// translate.
class SCENE_API SoTransform : public SoTransformation {
public:
    static void initClass();
    static SoType getClassTypeId() { return classTypeId; }
    SoType getTypeId() const override { return classTypeId; }
    SoTransform();

    SoSFVec3f translation;
    SoSFRotation rotation;
    SoSFVec3f scaleFactor;
    SoSFRotation scaleOrientation;
    SoSFVec3f center;
    SbMatrix getMatrix() const override;

protected:
    ~SoTransform() override = default;

private:
    static SoType classTypeId;
};

#endif
