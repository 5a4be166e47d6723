#ifndef SCENE_SOINDEXEDTRIANGLESTRIPSET_H
#define SCENE_SOINDEXEDTRIANGLESTRIPSET_H
#include "scene/SceneExport.h"
#include "scene/nodes/SoIndexedShape.h"

// Triangle strips given by coordinate indices, each ended by -1. For bindings a part is a strip
// and a face is a triangle.
class SCENE_API SoIndexedTriangleStripSet : public SoIndexedShape {
public:
    static void initClass();
    static SoType getClassTypeId() { return classTypeId; }
    SoType getTypeId() const override { return classTypeId; }
    SoIndexedTriangleStripSet();

    void generatePrimitives(SoAction *action) override;
    void computeBBox(SoAction *action, SbBox3f &box, SbVec3f &center) override;

protected:
    ~SoIndexedTriangleStripSet() override = default;

private:
    static SoType classTypeId;
};

#endif
