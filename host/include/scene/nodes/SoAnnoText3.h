#ifndef SCENE_SOANNOTEXT3_H
#define SCENE_SOANNOTEXT3_H
#include "scene/SceneExport.h"
#include "scene/fields/SoMFString.h"
#include "scene/fields/SoSFEnum.h"
#include "scene/fields/SoSFFloat.h"
#include "scene/nodes/SoShape.h"

// Annotation text: stroke geometry in the x-y plane like SoText3, which printers may replace by 2-D
// text (see SoAnnoText3Property).
class SCENE_API SoAnnoText3 : public SoShape {
public:
    enum Justification { LEFT = 1, RIGHT = 2, CENTER = 3 };
    static void initClass();
    static SoType getClassTypeId() { return classTypeId; }
    SoType getTypeId() const override { return classTypeId; }
    SoAnnoText3();

    SoMFString string;
    SoSFFloat spacing;
    SoSFEnum justification;
    void generatePrimitives(SoAction *action) override;
    void computeBBox(SoAction *action, SbBox3f &box, SbVec3f &center) override;

protected:
    ~SoAnnoText3() override = default;

private:
    static SoType classTypeId;
};

#endif
