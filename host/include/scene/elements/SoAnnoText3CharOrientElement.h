#ifndef SCENE_SOANNOTEXT3CHARORIENTELEMENT_H
#define SCENE_SOANNOTEXT3CHARORIENTELEMENT_H
#include "scene/SceneExport.h"
#include "scene/base/SbBasic.h"
#include "scene/elements/SoElement.h"

// Annotation text: whether characters follow the projected text direction (default TRUE).
class SCENE_API SoAnnoText3CharOrientElement : public SoElementT<SoAnnoText3CharOrientElement> {
public:
    static void initClass();
    static SoType getClassTypeId() { return classTypeId; }
    SoType getTypeId() const override { return classTypeId; }
    void init(SoState *state) override;
    static void set(SoState *state, SbBool value);
    static SbBool get(SoState *state);
    static SbBool getDefault();

private:
    static SoType classTypeId;
    SbBool value;
};

#endif
