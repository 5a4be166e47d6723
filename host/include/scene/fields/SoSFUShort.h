#ifndef SCENE_SOSFUSHORT_H
#define SCENE_SOSFUSHORT_H
#include "scene/SceneExport.h"
#include "scene/fields/SoSField.h"

class SCENE_API SoSFUShort : public SoSFieldT<unsigned short> {
public:
    static void initClass();
    static SoType getClassTypeId() { return classTypeId; }
    SoType getTypeId() const override { return classTypeId; }
    using SoSFieldT<unsigned short>::operator=;
    using SoSFieldT<unsigned short>::setValue;

private:
    static SoType classTypeId;
};

#endif
