#ifndef SCENE_SOTEXTURE2_H
#define SCENE_SOTEXTURE2_H
#include "scene/SceneExport.h"
#include "scene/fields/SoSFColor.h"
#include "scene/fields/SoSFEnum.h"
#include "scene/fields/SoSFImage.h"
#include "scene/fields/SoSFString.h"
#include "scene/nodes/SoNode.h"

// A texture image. Drawings carry no textures: the node is read and written with its fields and has
// no effect on any action. The named image file is not loaded.
class SCENE_API SoTexture2 : public SoNode {
public:
    enum Model { MODULATE = 0, DECAL = 1, BLEND = 2, REPLACE = 3 };
    enum Wrap { REPEAT = 0, CLAMP = 1 };
    static void initClass();
    static SoType getClassTypeId() { return classTypeId; }
    SoType getTypeId() const override { return classTypeId; }
    SoTexture2();

    SoSFString filename;  // default ""
    SoSFImage image;      // default empty
    SoSFEnum wrapS;       // default REPEAT
    SoSFEnum wrapT;       // default REPEAT
    SoSFEnum model;       // default MODULATE
    SoSFColor blendColor; // default 0 0 0

protected:
    ~SoTexture2() override = default;

private:
    static SoType classTypeId;
};

#endif
