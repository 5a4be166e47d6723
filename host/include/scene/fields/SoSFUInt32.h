#ifndef SCENE_SOSFUINT32_H
#define SCENE_SOSFUINT32_H
#include "scene/SceneExport.h"
#include "scene/fields/SoSField.h"
#include <cstdint>
class SCENE_API SoSFUInt32 : public SoSFieldT<uint32_t> {
public:
    static void initClass();
    static SoType getClassTypeId() { return classTypeId; }
    SoType getTypeId() const override { return classTypeId; }
    using SoSFieldT<uint32_t>::operator=;
    using SoSFieldT<uint32_t>::setValue;

private:
    static SoType classTypeId;
};

#endif
