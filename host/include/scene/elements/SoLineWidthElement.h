#ifndef SCENE_SOLINEWIDTHELEMENT_H
#define SCENE_SOLINEWIDTHELEMENT_H
#include "scene/SceneExport.h"
#include "scene/elements/SoElement.h"


// Line width in line-width units; 0 means the thinnest line (default 0).
class SCENE_API SoLineWidthElement : public SoElementT<SoLineWidthElement> {
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
