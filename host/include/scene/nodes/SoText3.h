#ifndef SCENE_SOTEXT3_H
#define SCENE_SOTEXT3_H
#include "scene/SceneExport.h"
#include "scene/fields/SoMFString.h"
#include "scene/fields/SoSFBitMask.h"
#include "scene/fields/SoSFEnum.h"
#include "scene/fields/SoSFFloat.h"
#include "scene/nodes/SoShape.h"

// Text drawn as flat stroke geometry (thin quads, stroke thickness 1/16 of the font size) in the
// x-y plane, scaled by the font size; lines go down by spacing x size, and x = 0 is the start
// (LEFT), end (RIGHT) or middle (CENTER) of each line. FRONT faces +z; BACK alone faces -z.
class SCENE_API SoText3 : public SoShape {
public:
    enum Justification { LEFT = 1, RIGHT = 2, CENTER = 3 };
    enum Part { FRONT = 1, SIDES = 2, BACK = 4, ALL = 7 };
    static void initClass();
    static SoType getClassTypeId() { return classTypeId; }
    SoType getTypeId() const override { return classTypeId; }
    SoText3();

    SoMFString string;
    SoSFFloat spacing;
    SoSFEnum justification;
    SoSFBitMask parts;
    void generatePrimitives(SoAction *action) override;
    void computeBBox(SoAction *action, SbBox3f &box, SbVec3f &center) override;

protected:
    ~SoText3() override = default;

private:
    static SoType classTypeId;
};

#endif
