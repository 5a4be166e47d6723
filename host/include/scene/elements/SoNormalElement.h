#ifndef SCENE_SONORMALELEMENT_H
#define SCENE_SONORMALELEMENT_H
#include "scene/SceneExport.h"
#include "scene/base/SbVec3f.h"
#include "scene/elements/SoElement.h"

// The current normals (none by default, which makes shapes generate their own). The array
// belongs to the node that set it.
class SCENE_API SoNormalElement : public SoElementT<SoNormalElement> {
public:
    static void initClass();
    static SoType getClassTypeId() { return classTypeId; }
    SoType getTypeId() const override { return classTypeId; }
    void init(SoState *state) override;
    static void set(SoState *state, int32_t num, const SbVec3f *normals);
    static const SoNormalElement *getInstance(SoState *state) { return getReadable(state); }
    int32_t getNum() const { return num; }
    const SbVec3f &get(int index) const;

private:
    static SoType classTypeId;
    int32_t num = 0;
    const SbVec3f *normals = nullptr;
};

#endif
