#ifndef SCENE_SOCOMPLEXITYTYPEELEMENT_H
#define SCENE_SOCOMPLEXITYTYPEELEMENT_H
#include "scene/SceneExport.h"
#include "scene/elements/SoElement.h"


// Complexity type: OBJECT_SPACE 0, SCREEN_SPACE 1, BOUNDING_BOX 2 (default OBJECT_SPACE).
class SCENE_API SoComplexityTypeElement : public SoElementT<SoComplexityTypeElement> {
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
