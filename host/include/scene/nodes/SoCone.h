#ifndef SCENE_SOCONE_H
#define SCENE_SOCONE_H
#include "scene/SceneExport.h"
#include "scene/fields/SoSFBitMask.h"
#include "scene/fields/SoSFFloat.h"
#include "scene/nodes/SoShape.h"

// A cone along y centred on the origin: sides (N triangles to the apex) and bottom disc (a fan of
// N triangles), N = max(3, round(32 x complexity)) (16 at the default 0.5). Under PER_PART
// bindings the sides take material 0 and the bottom material 1; otherwise material 0.
class SCENE_API SoCone : public SoShape {
public:
    enum Part { SIDES = 1, BOTTOM = 2, ALL = 3 };
    static void initClass();
    static SoType getClassTypeId() { return classTypeId; }
    SoType getTypeId() const override { return classTypeId; }
    SoCone();

    SoSFBitMask parts;
    SoSFFloat bottomRadius;
    SoSFFloat height;
    void generatePrimitives(SoAction *action) override;
    void computeBBox(SoAction *action, SbBox3f &box, SbVec3f &center) override;

protected:
    ~SoCone() override = default;

private:
    static SoType classTypeId;
};

#endif
