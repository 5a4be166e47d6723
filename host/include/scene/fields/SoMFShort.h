#ifndef SCENE_SOMFSHORT_H
#define SCENE_SOMFSHORT_H
#include "scene/SceneExport.h"
#include "scene/fields/SoMField.h"

class SCENE_API SoMFShort : public SoMFieldT<short> {
public:
    static void initClass();
    static SoType getClassTypeId() { return classTypeId; }
    SoType getTypeId() const override { return classTypeId; }
    using SoMFieldT<short>::operator=;
    using SoMFieldT<short>::setValue;

private:
    static SoType classTypeId;
};

#endif
