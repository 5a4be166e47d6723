#ifndef SCENE_SOMFINT32_H
#define SCENE_SOMFINT32_H
#include "scene/SceneExport.h"
#include "scene/fields/SoMField.h"
#include <cstdint>
class SCENE_API SoMFInt32 : public SoMFieldT<int32_t> {
public:
    static void initClass();
    static SoType getClassTypeId() { return classTypeId; }
    SoType getTypeId() const override { return classTypeId; }
    using SoMFieldT<int32_t>::operator=;
    using SoMFieldT<int32_t>::setValue;

private:
    static SoType classTypeId;
};

#endif
