#ifndef SCENE_SOMFSTRING_H
#define SCENE_SOMFSTRING_H
#include "scene/SceneExport.h"
#include "scene/base/SbString.h"
#include "scene/fields/SoMField.h"
class SCENE_API SoMFString : public SoMFieldT<SbString> {
public:
    static void initClass();
    static SoType getClassTypeId() { return classTypeId; }
    SoType getTypeId() const override { return classTypeId; }
    using SoMFieldT<SbString>::operator=;
    using SoMFieldT<SbString>::setValue;

private:
    static SoType classTypeId;
};

#endif
