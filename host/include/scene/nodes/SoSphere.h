#ifndef SCENE_SOSPHERE_H
#define SCENE_SOSPHERE_H
#include "scene/SceneExport.h"
#include "scene/fields/SoSFFloat.h"
#include "scene/nodes/SoShape.h"

// A sphere centred on the origin, tessellated by complexity c into N = max(3, round(32 c)) sides
// and max(2, N / 2) latitude bands: 2 N (bands - 1) triangles, 224 at the default c = 0.5. Smooth
// outward normals; material 0 under every binding.
class SCENE_API SoSphere : public SoShape {
public:
    static void initClass();
    static SoType getClassTypeId() { return classTypeId; }
    SoType getTypeId() const override { return classTypeId; }
    SoSphere();

    SoSFFloat radius;
    void generatePrimitives(SoAction *action) override;
    void computeBBox(SoAction *action, SbBox3f &box, SbVec3f &center) override;

protected:
    ~SoSphere() override = default;

private:
    static SoType classTypeId;
};

#endif
