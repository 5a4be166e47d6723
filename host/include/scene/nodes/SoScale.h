#ifndef SCENE_SOSCALE_H
#define SCENE_SOSCALE_H
#include "scene/SceneExport.h"
#include "scene/fields/SoSFVec3f.h"
#include "scene/nodes/SoTransformation.h"

// A scale.
class SCENE_API SoScale : public SoTransformation {
public:
    static void initClass();
    static SoType getClassTypeId() { return classTypeId; }
    SoType getTypeId() const override { return classTypeId; }
    SoScale();

    SoSFVec3f scaleFactor;
    SbMatrix getMatrix() const override;

protected:
    ~SoScale() override = default;

private:
    static SoType classTypeId;
};

#endif
