#ifndef SCENE_SOPOINTSIZEELEMENT_H
#define SCENE_SOPOINTSIZEELEMENT_H
#include "scene/SceneExport.h"
#include "scene/elements/SoElement.h"


// Point size in line-width units; 0 means the smallest point (default 0).
class SCENE_API SoPointSizeElement : public SoElementT<SoPointSizeElement> {
public:
    static void initClass();
    static SoType getClassTypeId() { return classTypeId; }
    SoType getTypeId() const override { return classTypeId; }
    void init(SoState *state) override;
    static void set(SoState *state, float value);
    static float get(SoState *state);
    static float getDefault();

private:
    static SoType classTypeId;
    float value;
};

#endif
