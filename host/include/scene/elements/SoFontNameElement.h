#ifndef SCENE_SOFONTNAMEELEMENT_H
#define SCENE_SOFONTNAMEELEMENT_H
#include "scene/SceneExport.h"
#include "scene/base/SbName.h"
#include "scene/elements/SoElement.h"

// Font name (default "Times-Roman").
class SCENE_API SoFontNameElement : public SoElementT<SoFontNameElement> {
public:
    static void initClass();
    static SoType getClassTypeId() { return classTypeId; }
    SoType getTypeId() const override { return classTypeId; }
    void init(SoState *state) override;
    static void set(SoState *state, SbName value);
    static SbName get(SoState *state);
    static SbName getDefault();

private:
    static SoType classTypeId;
    SbName value;
};

#endif
