#ifndef SCENE_SONORMALBINDINGELEMENT_H
#define SCENE_SONORMALBINDINGELEMENT_H
#include "scene/SceneExport.h"
#include "scene/elements/SoElement.h"


// Normal binding, same values as material binding (default PER_VERTEX_INDEXED).
class SCENE_API SoNormalBindingElement : public SoElementT<SoNormalBindingElement> {
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
