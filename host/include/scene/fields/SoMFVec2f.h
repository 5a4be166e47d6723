#ifndef SCENE_SOMFVEC2F_H
#define SCENE_SOMFVEC2F_H
#include "scene/SceneExport.h"
#include "scene/base/SbVec2f.h"
#include "scene/fields/SoMField.h"
class SCENE_API SoMFVec2f : public SoMFieldT<SbVec2f> {
public:
    static void initClass();
    static SoType getClassTypeId() { return classTypeId; }
    SoType getTypeId() const override { return classTypeId; }
    using SoMFieldT<SbVec2f>::operator=;
    using SoMFieldT<SbVec2f>::setValue;
    void set1Value(int i, float x, float y) { SoMFieldT<SbVec2f>::set1Value(i, SbVec2f(x, y)); }
    using SoMFieldT<SbVec2f>::set1Value;
    using SoMFieldT<SbVec2f>::setValues;
    void setValues(int start, int num, const float xy[][2]) {
        for (int i = 0; i < num; i++) set1Value(start + i, xy[i][0], xy[i][1]);
    }
private:
    static SoType classTypeId;
};

#endif
