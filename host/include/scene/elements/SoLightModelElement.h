#ifndef SCENE_SOLIGHTMODELELEMENT_H
#define SCENE_SOLIGHTMODELELEMENT_H
#include "scene/SceneExport.h"
#include "scene/elements/SoElement.h"


// Light model: BASE_COLOR 0, PHONG 1 (default PHONG).
class SCENE_API SoLightModelElement : public SoElementT<SoLightModelElement> {
public:
    static void initClass();
    static SoType getClassTypeId() { return classTypeId; }
    SoType getTypeId() const override { return classTypeId; }
    void init(SoState *state) override;
    static void set(SoState *state, int value);
    static int get(SoState *state);
    static int getDefault();

private:
    static SoType classTypeId;
    int value;
};

#endif
