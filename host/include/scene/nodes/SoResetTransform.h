#ifndef SCENE_SORESETTRANSFORM_H
#define SCENE_SORESETTRANSFORM_H
#include "scene/SceneExport.h"
#include "scene/fields/SoSFBitMask.h"
#include "scene/nodes/SoTransformation.h"

// Resets the model matrix to identity (whatToReset TRANSFORM); BBOX is accepted and has no effect on
// printing.
class SCENE_API SoResetTransform : public SoTransformation {
public:
    enum ResetType { TRANSFORM = 1, BBOX = 2 };
    static void initClass();
    static SoType getClassTypeId() { return classTypeId; }
    SoType getTypeId() const override { return classTypeId; }
    SoResetTransform();

    SoSFBitMask whatToReset;
    void doAction(SoAction *action) override;
    void callback(SoCallbackAction *action) override;
    void getBoundingBox(SoGetBoundingBoxAction *action) override;

protected:
    ~SoResetTransform() override = default;

private:
    static SoType classTypeId;
};

#endif
