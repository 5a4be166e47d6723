#ifndef SCENE_SOVERTEXSHAPE_H
#define SCENE_SOVERTEXSHAPE_H
#include "scene/fields/SoSFNode.h"
#include "scene/nodes/SoShape.h"

// Base of shapes built from the current coordinates (or those of their vertexProperty node).
class SoVertexShape : public SoShape {
public:
    static void initClass();
    static SoType getClassTypeId() { return classTypeId; }
    SoType getTypeId() const override { return classTypeId; }

    SoSFNode vertexProperty;
    void computeBBox(SoAction *action, SbBox3f &box, SbVec3f &center) override;
    void callback(SoCallbackAction *action) override;

protected:
    SoVertexShape();
    ~SoVertexShape() override = default;

private:
    static SoType classTypeId;
};

#endif
