#ifndef SCENE_SOSFSTRING_H
#define SCENE_SOSFSTRING_H
#include "scene/SceneExport.h"
#include "scene/base/SbString.h"
#include "scene/fields/SoSField.h"
class SCENE_API SoSFString : public SoSFieldT<SbString> {
public:
    static void initClass();
    static SoType getClassTypeId() { return classTypeId; }
    SoType getTypeId() const override { return classTypeId; }
    using SoSFieldT<SbString>::operator=;
    using SoSFieldT<SbString>::setValue;

private:
    static SoType classTypeId;
};

#endif
