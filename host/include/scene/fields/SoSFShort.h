#ifndef SCENE_SOSFSHORT_H
#define SCENE_SOSFSHORT_H
#include "scene/SceneExport.h"
#include "scene/fields/SoSField.h"

class SCENE_API SoSFShort : public SoSFieldT<short> {
public:
    static void initClass();
    static SoType getClassTypeId() { return classTypeId; }
    SoType getTypeId() const override { return classTypeId; }
    using SoSFieldT<short>::operator=;
    using SoSFieldT<short>::setValue;

private:
    static SoType classTypeId;
};

#endif
