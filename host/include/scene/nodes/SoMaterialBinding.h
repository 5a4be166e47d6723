#ifndef SCENE_SOMATERIALBINDING_H
#define SCENE_SOMATERIALBINDING_H
#include "scene/SceneExport.h"
#include "scene/fields/SoSFEnum.h"
#include "scene/nodes/SoNode.h"

// How materials are bound to the parts, faces or vertices of the shapes that follow.
class SCENE_API SoMaterialBinding : public SoNode {
public:
    enum Binding { OVERALL = 2, PER_PART = 3, PER_PART_INDEXED = 4, PER_FACE = 5, PER_FACE_INDEXED = 6, PER_VERTEX = 7, PER_VERTEX_INDEXED = 8, DEFAULT = 2, NONE = 2 };
    static void initClass();
    static SoType getClassTypeId() { return classTypeId; }
    SoType getTypeId() const override { return classTypeId; }
    SoMaterialBinding();

    SoSFEnum value;
    void doAction(SoAction *action) override;
    void callback(SoCallbackAction *action) override;

protected:
    ~SoMaterialBinding() override = default;

private:
    static SoType classTypeId;
};

#endif
