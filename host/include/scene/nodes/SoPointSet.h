#ifndef SCENE_SOPOINTSET_H
#define SCENE_SOPOINTSET_H
#include "scene/SceneExport.h"
#include "scene/fields/SoMFInt32.h"
#include "scene/nodes/SoNonIndexedShape.h"

// Points: numPoints coordinates from startIndex (the values are added up; -1: the rest). Each
// point is a part and a face.
class SCENE_API SoPointSet : public SoNonIndexedShape {
public:
    static void initClass();
    static SoType getClassTypeId() { return classTypeId; }
    SoType getTypeId() const override { return classTypeId; }
    SoPointSet();

    SoMFInt32 numPoints;
    void generatePrimitives(SoAction *action) override;
    void computeBBox(SoAction *action, SbBox3f &box, SbVec3f &center) override;

protected:
    ~SoPointSet() override = default;

private:
    static SoType classTypeId;
};

#endif
