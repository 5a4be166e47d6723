#ifndef SCENE_SOINDEXEDLINESET_H
#define SCENE_SOINDEXEDLINESET_H
#include "scene/SceneExport.h"
#include "scene/nodes/SoIndexedShape.h"

// Polylines given by coordinate indices, each ended by -1, generated as segments that share their
// end points. For bindings a part is a segment and a face is a polyline.
class SCENE_API SoIndexedLineSet : public SoIndexedShape {
public:
    static void initClass();
    static SoType getClassTypeId() { return classTypeId; }
    SoType getTypeId() const override { return classTypeId; }
    SoIndexedLineSet();

    void generatePrimitives(SoAction *action) override;
    void computeBBox(SoAction *action, SbBox3f &box, SbVec3f &center) override;

protected:
    ~SoIndexedLineSet() override = default;

private:
    static SoType classTypeId;
};

#endif
