#ifndef SCENE_SOFONTSIZEELEMENT_H
#define SCENE_SOFONTSIZEELEMENT_H
#include "scene/SceneExport.h"
#include "scene/elements/SoElement.h"


// Font size in model units (default 10).
class SCENE_API SoFontSizeElement : public SoElementT<SoFontSizeElement> {
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
