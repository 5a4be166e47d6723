#ifndef SCENE_SOPACKEDCOLOR_H
#define SCENE_SOPACKEDCOLOR_H
#include "scene/SceneExport.h"
#include "scene/fields/SoMFUInt32.h"
#include "scene/nodes/SoNode.h"

// Sets the diffuse colours and transparencies from packed 0xRRGGBBAA values.
class SCENE_API SoPackedColor : public SoNode {
public:
    static void initClass();
    static SoType getClassTypeId() { return classTypeId; }
    SoType getTypeId() const override { return classTypeId; }
    SoPackedColor();

    SoMFUInt32 orderedRGBA;
    void doAction(SoAction *action) override;
    void callback(SoCallbackAction *action) override;

protected:
    ~SoPackedColor() override = default;

private:
    static SoType classTypeId;
};

#endif
