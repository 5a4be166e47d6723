#ifndef SCENE_SONORMALBINDING_H
#define SCENE_SONORMALBINDING_H
#include "scene/SceneExport.h"
#include "scene/fields/SoSFEnum.h"
#include "scene/nodes/SoNode.h"

// How normals are bound to the parts, faces or vertices of the shapes that follow.
class SCENE_API SoNormalBinding : public SoNode {
public:
    enum Binding { OVERALL = 2, PER_PART = 3, PER_PART_INDEXED = 4, PER_FACE = 5, PER_FACE_INDEXED = 6, PER_VERTEX = 7, PER_VERTEX_INDEXED = 8, DEFAULT = 8, NONE = 8 };
    static void initClass();
    static SoType getClassTypeId() { return classTypeId; }
    SoType getTypeId() const override { return classTypeId; }
    SoNormalBinding();

    SoSFEnum value;
    void doAction(SoAction *action) override;
    void callback(SoCallbackAction *action) override;

protected:
    ~SoNormalBinding() override = default;

private:
    static SoType classTypeId;
};

#endif
