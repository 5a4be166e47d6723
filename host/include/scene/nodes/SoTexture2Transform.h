#ifndef SCENE_SOTEXTURE2TRANSFORM_H
#define SCENE_SOTEXTURE2TRANSFORM_H
#include "scene/SceneExport.h"
#include "scene/fields/SoSFFloat.h"
#include "scene/fields/SoSFVec2f.h"
#include "scene/nodes/SoNode.h"

// A transformation of texture coordinates; read and written, no effect on any action.
class SCENE_API SoTexture2Transform : public SoNode {
public:
    static void initClass();
    static SoType getClassTypeId() { return classTypeId; }
    SoType getTypeId() const override { return classTypeId; }
    SoTexture2Transform();

    SoSFVec2f translation; // default 0 0
    SoSFFloat rotation;    // default 0 (radians)
    SoSFVec2f scaleFactor; // default 1 1
    SoSFVec2f center;      // default 0 0

protected:
    ~SoTexture2Transform() override = default;

private:
    static SoType classTypeId;
};

#endif
