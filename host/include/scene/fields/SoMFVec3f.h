#ifndef SCENE_SOMFVEC3F_H
#define SCENE_SOMFVEC3F_H
#include "scene/SceneExport.h"
#include "scene/base/SbVec3f.h"
#include "scene/fields/SoMField.h"
class SCENE_API SoMFVec3f : public SoMFieldT<SbVec3f> {
public:
    static void initClass();
    static SoType getClassTypeId() { return classTypeId; }
    SoType getTypeId() const override { return classTypeId; }
    using SoMFieldT<SbVec3f>::operator=;
    using SoMFieldT<SbVec3f>::setValue;
    void set1Value(int i, float x, float y, float z) { SoMFieldT<SbVec3f>::set1Value(i, SbVec3f(x, y, z)); }
    using SoMFieldT<SbVec3f>::set1Value;
    using SoMFieldT<SbVec3f>::setValues;
    void setValues(int start, int num, const float xyz[][3]) {
        for (int i = 0; i < num; i++) set1Value(start + i, xyz[i][0], xyz[i][1], xyz[i][2]);
    }
private:
    static SoType classTypeId;
};

#endif
