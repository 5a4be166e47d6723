#ifndef SCENE_SOFACESET_H
#define SCENE_SOFACESET_H
#include "scene/SceneExport.h"
#include "scene/fields/SoMFInt32.h"
#include "scene/nodes/SoNonIndexedShape.h"

// Polygons of numVertices vertices each (-1: the rest of the coordinates). A part is a face.
// Faces are fans when the shape hints call them convex, ear-clipped otherwise.
class SCENE_API SoFaceSet : public SoNonIndexedShape {
public:
    static void initClass();
    static SoType getClassTypeId() { return classTypeId; }
    SoType getTypeId() const override { return classTypeId; }
    SoFaceSet();

    SoMFInt32 numVertices;
    void generatePrimitives(SoAction *action) override;
    void computeBBox(SoAction *action, SbBox3f &box, SbVec3f &center) override;

protected:
    ~SoFaceSet() override = default;

private:
    static SoType classTypeId;
};

#endif
