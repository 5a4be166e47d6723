#ifndef SCENE_SOSFMATRIX_H
#define SCENE_SOSFMATRIX_H
#include "scene/SceneExport.h"
#include "scene/base/SbMatrix.h"
#include "scene/fields/SoSField.h"
class SCENE_API SoSFMatrix : public SoSFieldT<SbMatrix> {
public:
    static void initClass();
    static SoType getClassTypeId() { return classTypeId; }
    SoType getTypeId() const override { return classTypeId; }
    using SoSFieldT<SbMatrix>::operator=;
    using SoSFieldT<SbMatrix>::setValue;

private:
    static SoType classTypeId;
};

#endif
