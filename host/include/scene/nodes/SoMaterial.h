#ifndef SCENE_SOMATERIAL_H
#define SCENE_SOMATERIAL_H
#include "scene/SceneExport.h"
#include "scene/fields/SoMFColor.h"
#include "scene/fields/SoMFFloat.h"
#include "scene/nodes/SoNode.h"

// Surface material: lists of colours, shininess and transparency selected by material index.
class SCENE_API SoMaterial : public SoNode {
public:
    static void initClass();
    static SoType getClassTypeId() { return classTypeId; }
    SoType getTypeId() const override { return classTypeId; }
    SoMaterial();

    SoMFColor ambientColor;
    SoMFColor diffuseColor;
    SoMFColor specularColor;
    SoMFColor emissiveColor;
    SoMFFloat shininess;
    SoMFFloat transparency;
    void doAction(SoAction *action) override;
    void callback(SoCallbackAction *action) override;

protected:
    ~SoMaterial() override = default;

private:
    static SoType classTypeId;
};

#endif
