#ifndef SCENE_SOCUBE_H
#define SCENE_SOCUBE_H
#include "scene/SceneExport.h"
#include "scene/fields/SoSFFloat.h"
#include "scene/nodes/SoShape.h"

// A box centred on the origin: six faces of two triangles each, counter-clockwise seen from
// outside, normals outward. Under PER_PART and PER_FACE material bindings (indexed or not) the
// faces take materials 0..5 in the order front (+z), back (-z), left (-x), right (+x), top (+y),
// bottom (-y); other bindings use material 0.
class SCENE_API SoCube : public SoShape {
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
