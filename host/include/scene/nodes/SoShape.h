#ifndef SCENE_SOSHAPE_H
#define SCENE_SOSHAPE_H
#include "scene/SceneExport.h"
#include "scene/base/SbBox3f.h"
#include "scene/nodes/SoNode.h"

// Base of shapes. Shapes hand their geometry to actions as triangles, line segments and points (see
// ShapeBuilder for the decomposition).
class SCENE_API SoShape : public SoNode {
public:
    static void initClass();
    static SoType getClassTypeId() { return classTypeId; }
    SoType getTypeId() const override { return classTypeId; }

    void callback(SoCallbackAction *action) override;
    void getBoundingBox(SoGetBoundingBoxAction *action) override;
    // Hands every triangle, segment and point of the shape to the action.
    virtual void generatePrimitives(SoAction *action) = 0;
    // The box around the shape in model coordinates, and its centre.
    virtual void computeBBox(SoAction *action, SbBox3f &box, SbVec3f &center) = 0;
    bool affectsState() const override { return false; }

protected:
    SoShape();
    ~SoShape() override = default;

private:
    static SoType classTypeId;
};

#endif
