#ifndef SCENE_SOMFMATRIX_H
#define SCENE_SOMFMATRIX_H
#include "scene/SceneExport.h"
#include "scene/base/SbMatrix.h"
#include "scene/fields/SoMField.h"
class SCENE_API SoMFMatrix : public SoMFieldT<SbMatrix> {
public:
    static void initClass();
    static SoType getClassTypeId() { return classTypeId; }
    SoType getTypeId() const override { return classTypeId; }
    using SoMFieldT<SbMatrix>::operator=;
    using SoMFieldT<SbMatrix>::setValue;

private:
    static SoType classTypeId;
};

#endif
