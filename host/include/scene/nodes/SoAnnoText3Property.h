#ifndef SCENE_SOANNOTEXT3PROPERTY_H
#define SCENE_SOANNOTEXT3PROPERTY_H
#include "scene/SceneExport.h"
#include "scene/fields/SoSFBool.h"
#include "scene/fields/SoSFEnum.h"
#include "scene/nodes/SoNode.h"

// How the annotation texts that follow are printed (as geometry, as text or both), how their size is
// chosen and whether characters follow the text direction.
class SCENE_API SoAnnoText3Property : public SoNode {
public:
    enum RenderPrintType { RENDER3D_PRINT_VECTOR = 0, RENDER3D_PRINT_RASTER = 1, RENDER2D_PRINT_RASTER = 2, GEOMETRY = 0, TEXT = 1, GEOMETRY_AND_TEXT = 2 };
    enum FontSizeHint { ANNOTATION = 0, FIT_TEXT = 1 };
    static void initClass();
    static SoType getClassTypeId() { return classTypeId; }
    SoType getTypeId() const override { return classTypeId; }
    SoAnnoText3Property();

    SoSFEnum renderPrintType;
    SoSFEnum fontSizeHint;
    SoSFBool isCharOrientedRasterPrint;
    void doAction(SoAction *action) override;
    void callback(SoCallbackAction *action) override;

protected:
    ~SoAnnoText3Property() override = default;

private:
    static SoType classTypeId;
};

#endif
