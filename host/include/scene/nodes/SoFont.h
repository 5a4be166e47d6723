#ifndef SCENE_SOFONT_H
#define SCENE_SOFONT_H
#include "scene/SceneExport.h"
#include "scene/fields/SoSFFloat.h"
#include "scene/fields/SoSFName.h"
#include "scene/nodes/SoNode.h"

// The font of the text nodes that follow: a name and a size in model units.
class SCENE_API SoFont : public SoNode {
public:
    static void initClass();
    static SoType getClassTypeId() { return classTypeId; }
    SoType getTypeId() const override { return classTypeId; }
    SoFont();

    SoSFName name;
    SoSFFloat size;
    void doAction(SoAction *action) override;
    void callback(SoCallbackAction *action) override;

protected:
    ~SoFont() override = default;

private:
    static SoType classTypeId;
};

#endif
