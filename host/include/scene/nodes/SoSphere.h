#ifndef SCENE_SOSPHERE_H
#define SCENE_SOSPHERE_H
#include "scene/fields/SoSFFloat.h"
#include "scene/nodes/SoShape.h"

// A sphere centred on the origin, tessellated by complexity into latitude bands of triangles.
class SoSphere : public SoShape {
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
