#ifndef SCENE_SOTRANSLATION_H
#define SCENE_SOTRANSLATION_H
#include "scene/SceneExport.h"
#include "scene/fields/SoSFVec3f.h"
#include "scene/nodes/SoTransformation.h"

// A translation.
class SCENE_API SoTranslation : public SoTransformation {
public:
    static void initClass();
    static SoType getClassTypeId() { return classTypeId; }
    SoType getTypeId() const override { return classTypeId; }
    SoTranslation();

    SoSFVec3f translation;
    SbMatrix getMatrix() const override;

protected:
    ~SoTranslation() override = default;

private:
    static SoType classTypeId;
};

#endif
