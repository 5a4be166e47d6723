#ifndef SCENE_SOMFUSHORT_H
#define SCENE_SOMFUSHORT_H
#include "scene/SceneExport.h"
#include "scene/fields/SoMField.h"

class SCENE_API SoMFUShort : public SoMFieldT<unsigned short> {
public:
    static void initClass();
    static SoType getClassTypeId() { return classTypeId; }
    SoType getTypeId() const override { return classTypeId; }
    using SoMFieldT<unsigned short>::operator=;
    using SoMFieldT<unsigned short>::setValue;

private:
    static SoType classTypeId;
};

#endif
