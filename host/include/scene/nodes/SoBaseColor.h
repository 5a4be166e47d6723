#ifndef SCENE_SOBASECOLOR_H
#define SCENE_SOBASECOLOR_H
#include "scene/SceneExport.h"
#include "scene/fields/SoMFColor.h"
#include "scene/nodes/SoNode.h"

// Sets only the diffuse colours of the material.
class SCENE_API SoBaseColor : public SoNode {
public:
    static void initClass();
    static SoType getClassTypeId() { return classTypeId; }
    SoType getTypeId() const override { return classTypeId; }
    SoBaseColor();

    SoMFColor rgb;
    void doAction(SoAction *action) override;
    void callback(SoCallbackAction *action) override;

protected:
    ~SoBaseColor() override = default;

private:
    static SoType classTypeId;
};

#endif
