#ifndef SCENE_SOSFBITMASK_H
#define SCENE_SOSFBITMASK_H
#include "scene/SceneExport.h"
#include "scene/fields/SoSFEnum.h"

// An enumerated field whose values may be combined with OR; files write them as ( A | B ).
class SCENE_API SoSFBitMask : public SoSFEnum {
public:
    static void initClass();
    static SoType getClassTypeId() { return classTypeId; }
    SoType getTypeId() const override { return classTypeId; }
    using SoSFEnum::operator=;

private:
    static SoType classTypeId;
};

#endif
