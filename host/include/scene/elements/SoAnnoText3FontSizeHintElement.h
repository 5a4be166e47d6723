#ifndef SCENE_SOANNOTEXT3FONTSIZEHINTELEMENT_H
#define SCENE_SOANNOTEXT3FONTSIZEHINTELEMENT_H
#include "scene/SceneExport.h"
#include "scene/elements/SoElement.h"


// Annotation text font size hint: ANNOTATION 0, FIT_TEXT 1 (default ANNOTATION).
class SCENE_API SoAnnoText3FontSizeHintElement : public SoElementT<SoAnnoText3FontSizeHintElement> {
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
