#ifndef SCENE_SOPICKSTYLEELEMENT_H
#define SCENE_SOPICKSTYLEELEMENT_H
#include "scene/SceneExport.h"
#include "scene/elements/SoElement.h"


// Pick style: SHAPE 0, BOUNDING_BOX 1, UNPICKABLE 2 (default SHAPE).
class SCENE_API SoPickStyleElement : public SoElementT<SoPickStyleElement> {
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
