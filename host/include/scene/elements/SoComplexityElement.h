#ifndef SCENE_SOCOMPLEXITYELEMENT_H
#define SCENE_SOCOMPLEXITYELEMENT_H
#include "scene/SceneExport.h"
#include "scene/elements/SoElement.h"


// Complexity value 0..1 (default 0.5).
class SCENE_API SoComplexityElement : public SoElementT<SoComplexityElement> {
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
