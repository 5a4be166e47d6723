#ifndef SCENE_SOTRIANGLESTRIPSET_H
#define SCENE_SOTRIANGLESTRIPSET_H
#include "scene/SceneExport.h"
#include "scene/fields/SoMFInt32.h"
#include "scene/nodes/SoNonIndexedShape.h"

// Triangle strips of numVertices vertices each (-1: the rest). For bindings a part is a strip
// and a face is a triangle.
class SCENE_API SoTriangleStripSet : public SoNonIndexedShape {
public:
    static void initClass();
    static SoType getClassTypeId() { return classTypeId; }
    SoType getTypeId() const override { return classTypeId; }
    SoTriangleStripSet();

    SoMFInt32 numVertices;
    void generatePrimitives(SoAction *action) override;
    void computeBBox(SoAction *action, SbBox3f &box, SbVec3f &center) override;

protected:
    ~SoTriangleStripSet() override = default;

private:
    static SoType classTypeId;
};

#endif
