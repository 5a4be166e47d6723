#ifndef SCENE_SOPATTERNELEMENT_H
#define SCENE_SOPATTERNELEMENT_H
#include "scene/SceneExport.h"
#include "scene/base/SbString.h"
#include "scene/elements/SoElement.h"

// The fill pattern for faces: a category, a name and a pointer to 128 bytes (32 rows of 4
// bytes, row 0 first, most significant bit first = leftmost pixel), or null for no pattern.
// The bytes belong to the node that set them and stay valid while it lives.
class SCENE_API SoPatternElement : public SoElementT<SoPatternElement> {
public:
    static void initClass();
    static SoType getClassTypeId() { return classTypeId; }
    SoType getTypeId() const override { return classTypeId; }
    void init(SoState *state) override;
    static void set(SoState *state, const SbString &category, const SbString &name, const unsigned char *bits);
    static void get(SoState *state, SbString &category, SbString &name, const unsigned char *&bits);

private:
    static SoType classTypeId;
    SbString category, name;
    const unsigned char *bits = nullptr;
};

#endif
