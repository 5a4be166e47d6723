#ifndef SCENE_SOINDEXEDFACESET_H
#define SCENE_SOINDEXEDFACESET_H
#include "scene/SceneExport.h"
#include "scene/nodes/SoIndexedShape.h"

// Polygons given by coordinate indices, each ended by -1. A part is a face. Faces are fans when
// the shape hints call them convex, ear-clipped otherwise.
class SCENE_API SoIndexedFaceSet : public SoIndexedShape {
public:
    static void initClass();
    static SoType getClassTypeId() { return classTypeId; }
    SoType getTypeId() const override { return classTypeId; }
    SoIndexedFaceSet();

    void generatePrimitives(SoAction *action) override;
    void computeBBox(SoAction *action, SbBox3f &box, SbVec3f &center) override;

protected:
    ~SoIndexedFaceSet() override = default;

private:
    static SoType classTypeId;
};

#endif
