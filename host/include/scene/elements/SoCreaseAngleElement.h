#ifndef SCENE_SOCREASEANGLEELEMENT_H
#define SCENE_SOCREASEANGLEELEMENT_H
#include "scene/SceneExport.h"
#include "scene/elements/SoElement.h"


// Crease angle of the shape hints, radians (default 0).
class SCENE_API SoCreaseAngleElement : public SoElementT<SoCreaseAngleElement> {
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
