#ifndef SCENE_SOMATERIALBINDINGELEMENT_H
#define SCENE_SOMATERIALBINDINGELEMENT_H
#include "scene/SceneExport.h"
#include "scene/elements/SoElement.h"


// Material binding: OVERALL 2, PER_PART 3, PER_PART_INDEXED 4, PER_FACE 5, PER_FACE_INDEXED 6, PER_VERTEX 7, PER_VERTEX_INDEXED 8 (default OVERALL).
class SCENE_API SoMaterialBindingElement : public SoElementT<SoMaterialBindingElement> {
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
