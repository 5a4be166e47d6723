#ifndef SCENE_SOANNOTEXT3RENDERPRINTELEMENT_H
#define SCENE_SOANNOTEXT3RENDERPRINTELEMENT_H
#include "scene/SceneExport.h"
#include "scene/elements/SoElement.h"


// Annotation text printing: GEOMETRY 0, TEXT 1, GEOMETRY_AND_TEXT 2 (default GEOMETRY).
class SCENE_API SoAnnoText3RenderPrintElement : public SoElementT<SoAnnoText3RenderPrintElement> {
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
