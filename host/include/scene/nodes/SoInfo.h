#ifndef SCENE_SOINFO_H
#define SCENE_SOINFO_H
#include "scene/SceneExport.h"
#include "scene/fields/SoSFString.h"
#include "scene/nodes/SoNode.h"

// A text note in the scene; no effect.
class SCENE_API SoInfo : public SoNode {
public:
    static void initClass();
    static SoType getClassTypeId() { return classTypeId; }
    SoType getTypeId() const override { return classTypeId; }
    SoInfo();

    SoSFString string;
    bool affectsState() const override { return false; }

protected:
    ~SoInfo() override = default;

private:
    static SoType classTypeId;
};

#endif
