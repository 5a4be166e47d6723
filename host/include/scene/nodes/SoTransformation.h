#ifndef SCENE_SOTRANSFORMATION_H
#define SCENE_SOTRANSFORMATION_H
#include "scene/SceneExport.h"
#include "scene/base/SbMatrix.h"
#include "scene/nodes/SoNode.h"

// Base of the nodes that change the model matrix.
class SCENE_API SoTransformation : public SoNode {
public:
    static void initClass();
    static SoType getClassTypeId() { return classTypeId; }
    SoType getTypeId() const override { return classTypeId; }

    void doAction(SoAction *action) override;
    void callback(SoCallbackAction *action) override;
    void getBoundingBox(SoGetBoundingBoxAction *action) override;
    // The matrix this node applies to the model matrix (model = M x model).
    virtual SbMatrix getMatrix() const { return SbMatrix(); }

protected:
    SoTransformation();
    ~SoTransformation() override = default;

private:
    static SoType classTypeId;
};

#endif
