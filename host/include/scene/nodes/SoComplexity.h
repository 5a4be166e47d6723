#ifndef SCENE_SOCOMPLEXITY_H
#define SCENE_SOCOMPLEXITY_H
#include "scene/SceneExport.h"
#include "scene/fields/SoSFEnum.h"
#include "scene/fields/SoSFFloat.h"
#include "scene/nodes/SoNode.h"

// How finely curved shapes are tessellated (value 0..1).
class SCENE_API SoComplexity : public SoNode {
public:
    enum Type { OBJECT_SPACE = 0, SCREEN_SPACE = 1, BOUNDING_BOX = 2 };
    static void initClass();
    static SoType getClassTypeId() { return classTypeId; }
    SoType getTypeId() const override { return classTypeId; }
    SoComplexity();

    SoSFEnum type;
    SoSFFloat value;
    SoSFFloat textureQuality;
    void doAction(SoAction *action) override;
    void callback(SoCallbackAction *action) override;

protected:
    ~SoComplexity() override = default;

private:
    static SoType classTypeId;
};

#endif
