#ifndef SCENE_SOLABEL_H
#define SCENE_SOLABEL_H
#include "scene/SceneExport.h"
#include "scene/fields/SoSFName.h"
#include "scene/nodes/SoNode.h"

// A label in the scene; no effect.
class SCENE_API SoLabel : public SoNode {
public:
    static void initClass();
    static SoType getClassTypeId() { return classTypeId; }
    SoType getTypeId() const override { return classTypeId; }
    SoLabel();

    SoSFName label;
    bool affectsState() const override { return false; }

protected:
    ~SoLabel() override = default;

private:
    static SoType classTypeId;
};

#endif
