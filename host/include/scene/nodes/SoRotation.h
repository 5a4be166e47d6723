#ifndef SCENE_SOROTATION_H
#define SCENE_SOROTATION_H
#include "scene/SceneExport.h"
#include "scene/fields/SoSFRotation.h"
#include "scene/nodes/SoTransformation.h"

// A rotation.
class SCENE_API SoRotation : public SoTransformation {
public:
    static void initClass();
    static SoType getClassTypeId() { return classTypeId; }
    SoType getTypeId() const override { return classTypeId; }
    SoRotation();

    SoSFRotation rotation;
    SbMatrix getMatrix() const override;

protected:
    ~SoRotation() override = default;

private:
    static SoType classTypeId;
};

#endif
