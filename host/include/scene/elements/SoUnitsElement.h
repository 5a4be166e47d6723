#ifndef SCENE_SOUNITSELEMENT_H
#define SCENE_SOUNITSELEMENT_H
#include "scene/SceneExport.h"
#include "scene/elements/SoElement.h"


// Units of the Units node: METERS 0 ... (default METERS).
class SCENE_API SoUnitsElement : public SoElementT<SoUnitsElement> {
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
