#ifndef SCENE_SOMFCOLOR_H
#define SCENE_SOMFCOLOR_H
#include "scene/SceneExport.h"
#include "scene/base/SbColor.h"
#include "scene/fields/SoMField.h"
class SCENE_API SoMFColor : public SoMFieldT<SbColor> {
public:
    static void initClass();
    static SoType getClassTypeId() { return classTypeId; }
    SoType getTypeId() const override { return classTypeId; }
    using SoMFieldT<SbColor>::operator=;
    using SoMFieldT<SbColor>::setValue;
    void set1Value(int i, float r, float g, float b) { SoMFieldT<SbColor>::set1Value(i, SbColor(r, g, b)); }
    using SoMFieldT<SbColor>::set1Value;
    using SoMFieldT<SbColor>::setValues;
    void setValue(float r, float g, float b) { setValue(SbColor(r, g, b)); }
    void setValues(int start, int num, const float rgb[][3]) {
        for (int i = 0; i < num; i++) set1Value(start + i, rgb[i][0], rgb[i][1], rgb[i][2]);
    }
private:
    static SoType classTypeId;
};

#endif
