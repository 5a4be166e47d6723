#ifndef SCENE_SOTEXTURECOORDINATEBINDING_H
#define SCENE_SOTEXTURECOORDINATEBINDING_H
#include "scene/SceneExport.h"
#include "scene/fields/SoSFEnum.h"
#include "scene/nodes/SoNode.h"

// How texture coordinates bind to vertices; read and written, no effect on any action.
class SCENE_API SoTextureCoordinateBinding : public SoNode {
public:
    enum Binding { PER_VERTEX = 2, PER_VERTEX_INDEXED = 3, DEFAULT = PER_VERTEX_INDEXED };
    static void initClass();
    static SoType getClassTypeId() { return classTypeId; }
    SoType getTypeId() const override { return classTypeId; }
    SoTextureCoordinateBinding();

    SoSFEnum value; // default PER_VERTEX_INDEXED

protected:
    ~SoTextureCoordinateBinding() override = default;

private:
    static SoType classTypeId;
};

#endif
