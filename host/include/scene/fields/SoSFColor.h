#ifndef SCENE_SOSFCOLOR_H
#define SCENE_SOSFCOLOR_H
#include "scene/SceneExport.h"
#include "scene/base/SbColor.h"
#include "scene/fields/SoSField.h"
class SCENE_API SoSFColor : public SoSFieldT<SbColor> {
public:
    static void initClass();
    static SoType getClassTypeId() { return classTypeId; }
    SoType getTypeId() const override { return classTypeId; }
    using SoSFieldT<SbColor>::operator=;
    using SoSFieldT<SbColor>::setValue;
    void setValue(float r, float g, float b) { setValue(SbColor(r, g, b)); }
private:
    static SoType classTypeId;
};

#endif
