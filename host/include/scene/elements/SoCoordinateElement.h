#ifndef SCENE_SOCOORDINATEELEMENT_H
#define SCENE_SOCOORDINATEELEMENT_H
#include "scene/SceneExport.h"
#include "scene/base/SbVec3f.h"
#include "scene/elements/SoElement.h"

// The current coordinates. The array belongs to the node that set it and stays valid while that
// node is alive; the default is the single point (0, 0, 0).
class SCENE_API SoCoordinateElement : public SoElementT<SoCoordinateElement> {
public:
    static void initClass();
    static SoType getClassTypeId() { return classTypeId; }
    SoType getTypeId() const override { return classTypeId; }
    void init(SoState *state) override;
    static void set3(SoState *state, int32_t num, const SbVec3f *coords);
    static const SoCoordinateElement *getInstance(SoState *state) { return getReadable(state); }
    int32_t getNum() const { return num; }
    // Coordinate i; indices out of range give the last coordinate (or the origin).
    const SbVec3f &get3(int index) const;

private:
    static SoType classTypeId;
    int32_t num = 0;
    const SbVec3f *coords = nullptr;
};

#endif
