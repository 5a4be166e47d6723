#ifndef SCENE_SOFOCALDISTANCEELEMENT_H
#define SCENE_SOFOCALDISTANCEELEMENT_H
#include "scene/SceneExport.h"
#include "scene/elements/SoElement.h"


// Focal distance of the current camera (default 5).
class SCENE_API SoFocalDistanceElement : public SoElementT<SoFocalDistanceElement> {
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
