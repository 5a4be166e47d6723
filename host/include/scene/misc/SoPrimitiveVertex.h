#ifndef SCENE_SOPRIMITIVEVERTEX_H
#define SCENE_SOPRIMITIVEVERTEX_H
#include "scene/SceneExport.h"
#include "scene/base/SbVec3f.h"
#include "scene/base/SbVec4f.h"

// One vertex of a generated primitive: its point and normal in model coordinates, its texture
// coordinates and the index of its material.
class SCENE_API SoPrimitiveVertex {
public:
    const SbVec3f &getPoint() const { return point; }
    const SbVec3f &getNormal() const { return normal; }
    const SbVec4f &getTextureCoords() const { return texCoords; }
    int getMaterialIndex() const { return materialIndex; }
    void setPoint(const SbVec3f &p) { point = p; }
    void setNormal(const SbVec3f &n) { normal = n; }
    void setTextureCoords(const SbVec4f &t) { texCoords = t; }
    void setMaterialIndex(int index) { materialIndex = index; }

private:
    SbVec3f point;
    SbVec3f normal{0, 0, 1};
    SbVec4f texCoords{0, 0, 0, 1};
    int materialIndex = 0;
};

#endif
