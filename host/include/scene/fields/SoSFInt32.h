#ifndef SCENE_SOSFINT32_H
#define SCENE_SOSFINT32_H
#include "scene/SceneExport.h"
#include "scene/fields/SoSField.h"
#include <cstdint>
class SCENE_API SoSFInt32 : public SoSFieldT<int32_t> {
public:
    static void initClass();
    static SoType getClassTypeId() { return classTypeId; }
    SoType getTypeId() const override { return classTypeId; }
    using SoSFieldT<int32_t>::operator=;
    using SoSFieldT<int32_t>::setValue;

private:
    static SoType classTypeId;
};

#endif
