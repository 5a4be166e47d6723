#ifndef SCENE_SODRAWSTYLEELEMENT_H
#define SCENE_SODRAWSTYLEELEMENT_H
#include "scene/SceneExport.h"
#include "scene/elements/SoElement.h"


// Draw style: FILLED 0, LINES 1, POINTS 2, INVISIBLE 3 (default FILLED).
class SCENE_API SoDrawStyleElement : public SoElementT<SoDrawStyleElement> {
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
