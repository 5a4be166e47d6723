#ifndef SCENE_SOTEXT2_H
#define SCENE_SOTEXT2_H
#include "scene/SceneExport.h"
#include "scene/fields/SoMFString.h"
#include "scene/fields/SoSFEnum.h"
#include "scene/fields/SoSFFloat.h"
#include "scene/nodes/SoShape.h"

// Screen-aligned 2-D text at the origin; it generates no geometry (printers draw it from the node).
class SCENE_API SoText2 : public SoShape {
public:
    enum Justification { LEFT = 1, RIGHT = 2, CENTER = 3 };
    static void initClass();
    static SoType getClassTypeId() { return classTypeId; }
    SoType getTypeId() const override { return classTypeId; }
    SoText2();

    SoMFString string;
    SoSFFloat spacing;
    SoSFEnum justification;
    void generatePrimitives(SoAction *action) override;
    void computeBBox(SoAction *action, SbBox3f &box, SbVec3f &center) override;

protected:
    ~SoText2() override = default;

private:
    static SoType classTypeId;
};

#endif
