#ifndef SCENE_SOLOD_H
#define SCENE_SOLOD_H
#include "scene/SceneExport.h"
#include "scene/fields/SoMFFloat.h"
#include "scene/fields/SoSFVec3f.h"
#include "scene/nodes/SoGroup.h"

// A level-of-detail group; for printing it always traverses its most detailed child, the first.
class SCENE_API SoLOD : public SoGroup {
public:
    static void initClass();
    static SoType getClassTypeId() { return classTypeId; }
    SoType getTypeId() const override { return classTypeId; }
    SoLOD();

    SoMFFloat range;
    SoSFVec3f center;
    void doAction(SoAction *action) override;
    void callback(SoCallbackAction *action) override;
    void getBoundingBox(SoGetBoundingBoxAction *action) override;

protected:
    ~SoLOD() override = default;

private:
    static SoType classTypeId;
};

#endif
