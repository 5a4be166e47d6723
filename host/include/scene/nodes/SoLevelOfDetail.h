#ifndef SCENE_SOLEVELOFDETAIL_H
#define SCENE_SOLEVELOFDETAIL_H
#include "scene/SceneExport.h"
#include "scene/fields/SoMFFloat.h"
#include "scene/nodes/SoGroup.h"

// A level-of-detail group by screen area; for printing it always traverses its most detailed child,
// the first.
class SCENE_API SoLevelOfDetail : public SoGroup {
public:
    static void initClass();
    static SoType getClassTypeId() { return classTypeId; }
    SoType getTypeId() const override { return classTypeId; }
    SoLevelOfDetail();

    SoMFFloat screenArea;
    void doAction(SoAction *action) override;
    void callback(SoCallbackAction *action) override;
    void getBoundingBox(SoGetBoundingBoxAction *action) override;

protected:
    ~SoLevelOfDetail() override = default;

private:
    static SoType classTypeId;
};

#endif
