#ifndef SCENE_SOASCIITEXT_H
#define SCENE_SOASCIITEXT_H
#include "scene/SceneExport.h"
#include "scene/fields/SoMFFloat.h"
#include "scene/fields/SoMFString.h"
#include "scene/fields/SoSFEnum.h"
#include "scene/fields/SoSFFloat.h"
#include "scene/nodes/SoShape.h"

// Text drawn as flat stroke geometry in the x-y plane; width gives each line a width to fill (0:
// natural width).
class SCENE_API SoAsciiText : public SoShape {
public:
    enum Justification { LEFT = 1, RIGHT = 2, CENTER = 3 };
    static void initClass();
    static SoType getClassTypeId() { return classTypeId; }
    SoType getTypeId() const override { return classTypeId; }
    SoAsciiText();

    SoMFString string;
    SoSFFloat spacing;
    SoSFEnum justification;
    SoMFFloat width;
    void generatePrimitives(SoAction *action) override;
    void computeBBox(SoAction *action, SbBox3f &box, SbVec3f &center) override;

protected:
    ~SoAsciiText() override = default;

private:
    static SoType classTypeId;
};

#endif
