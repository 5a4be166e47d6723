#ifndef SCENE_SOMFBITMASK_H
#define SCENE_SOMFBITMASK_H
#include "scene/SceneExport.h"
#include "scene/fields/SoMFEnum.h"

// An enumerated field whose values may be combined with OR; files write them as ( A | B ).
class SCENE_API SoMFBitMask : public SoMFEnum {
public:
    static void initClass();
    static SoType getClassTypeId() { return classTypeId; }
    SoType getTypeId() const override { return classTypeId; }
    using SoMFEnum::operator=;

private:
    static SoType classTypeId;
};

#endif
