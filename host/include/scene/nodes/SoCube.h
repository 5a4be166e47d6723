#ifndef SCENE_SOCUBE_H
#define SCENE_SOCUBE_H
#include "scene/fields/SoSFFloat.h"
#include "scene/nodes/SoShape.h"

// A box centred on the origin: six faces of two triangles each, normals outward.
class SoCube : public SoShape {
public:
    static void initClass();
    static SoType getClassTypeId() { return classTypeId; }
    SoType getTypeId() const override { return classTypeId; }
    SoCube();

    SoSFFloat width;
    SoSFFloat height;
    SoSFFloat depth;
    void generatePrimitives(SoAction *action) override;
    void computeBBox(SoAction *action, SbBox3f &box, SbVec3f &center) override;

protected:
    ~SoCube() override = default;

private:
    static SoType classTypeId;
};

#endif
