#ifndef SCENE_SOMFUINT32_H
#define SCENE_SOMFUINT32_H
#include "scene/SceneExport.h"
#include "scene/fields/SoMField.h"
#include <cstdint>
class SCENE_API SoMFUInt32 : public SoMFieldT<uint32_t> {
public:
    static void initClass();
    static SoType getClassTypeId() { return classTypeId; }
    SoType getTypeId() const override { return classTypeId; }
    using SoMFieldT<uint32_t>::operator=;
    using SoMFieldT<uint32_t>::setValue;

private:
    static SoType classTypeId;
};

#endif
