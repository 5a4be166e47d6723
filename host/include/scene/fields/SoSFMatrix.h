#ifndef SCENE_SOSFMATRIX_H
#define SCENE_SOSFMATRIX_H
#include "scene/fields/SoSField.h"
#include "scene/base/SbMatrix.h"
class SoSFMatrix : public SoSFieldT<SbMatrix> {
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
