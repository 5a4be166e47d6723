#ifndef SCENE_SOLINESET_H
#define SCENE_SOLINESET_H
#include "scene/SceneExport.h"
#include "scene/fields/SoMFInt32.h"
#include "scene/nodes/SoNonIndexedShape.h"

// Polylines of numVertices vertices each (-1: the rest), generated as segments that share their
// end points. For bindings a part is a segment and a face is a polyline.
class SCENE_API SoLineSet : public SoNonIndexedShape {
public:
    static void initClass();
    static SoType getClassTypeId() { return classTypeId; }
    SoType getTypeId() const override { return classTypeId; }
    SoLineSet();

    SoMFInt32 numVertices;
    void generatePrimitives(SoAction *action) override;
    void computeBBox(SoAction *action, SbBox3f &box, SbVec3f &center) override;

protected:
    ~SoLineSet() override = default;

private:
    static SoType classTypeId;
};

#endif
