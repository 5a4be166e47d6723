#ifndef SCENE_SOMFNAME_H
#define SCENE_SOMFNAME_H
#include "scene/SceneExport.h"
#include "scene/base/SbName.h"
#include "scene/fields/SoMField.h"
class SCENE_API SoMFName : public SoMFieldT<SbName> {
public:
    static void initClass();
    static SoType getClassTypeId() { return classTypeId; }
    SoType getTypeId() const override { return classTypeId; }
    using SoMFieldT<SbName>::operator=;
    using SoMFieldT<SbName>::setValue;

private:
    static SoType classTypeId;
};

#endif
