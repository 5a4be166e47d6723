#ifndef SCENE_SOLINEPATTERNELEMENT_H
#define SCENE_SOLINEPATTERNELEMENT_H
#include "scene/SceneExport.h"
#include "scene/elements/SoElement.h"


// Line pattern: 16 bits, bit 0 first along the line (default 0xFFFF, solid).
class SCENE_API SoLinePatternElement : public SoElementT<SoLinePatternElement> {
public:
    static void initClass();
    static SoType getClassTypeId() { return classTypeId; }
    SoType getTypeId() const override { return classTypeId; }
    void init(SoState *state) override;
    static void set(SoState *state, unsigned short value);
    static unsigned short get(SoState *state);
    static unsigned short getDefault();

private:
    static SoType classTypeId;
    unsigned short value;
};

#endif
