#ifndef SCENE_SOCYLINDER_H
#define SCENE_SOCYLINDER_H
#include "scene/SceneExport.h"
#include "scene/fields/SoSFBitMask.h"
#include "scene/fields/SoSFFloat.h"
#include "scene/nodes/SoShape.h"

// A cylinder along y centred on the origin: sides (2 N triangles), top and bottom discs (N each),
// N = max(3, round(32 x complexity)) (16 at the default 0.5). Under PER_PART bindings the sides
// take material 0, the top 1 and the bottom 2; otherwise material 0.
class SCENE_API SoCylinder : public SoShape {
public:
    enum Part { SIDES = 1, TOP = 2, BOTTOM = 4, ALL = 7 };
    static void initClass();
    static SoType getClassTypeId() { return classTypeId; }
    SoType getTypeId() const override { return classTypeId; }
    SoCylinder();

    SoSFBitMask parts;
    SoSFFloat radius;
    SoSFFloat height;
    void generatePrimitives(SoAction *action) override;
    void computeBBox(SoAction *action, SbBox3f &box, SbVec3f &center) override;

protected:
    ~SoCylinder() override = default;

private:
    static SoType classTypeId;
};

#endif
