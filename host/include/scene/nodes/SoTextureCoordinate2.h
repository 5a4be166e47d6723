#ifndef SCENE_SOTEXTURECOORDINATE2_H
#define SCENE_SOTEXTURECOORDINATE2_H
#include "scene/SceneExport.h"
#include "scene/fields/SoMFVec2f.h"
#include "scene/nodes/SoNode.h"

// Texture coordinates; read and written, no effect on any action.
class SCENE_API SoTextureCoordinate2 : public SoNode {
public:
    static void initClass();
    static SoType getClassTypeId() { return classTypeId; }
    SoType getTypeId() const override { return classTypeId; }
    SoTextureCoordinate2();

    SoMFVec2f point; // default (0, 0)

protected:
    ~SoTextureCoordinate2() override = default;

private:
    static SoType classTypeId;
};

#endif
