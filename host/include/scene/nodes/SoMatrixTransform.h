#ifndef SCENE_SOMATRIXTRANSFORM_H
#define SCENE_SOMATRIXTRANSFORM_H
#include "scene/SceneExport.h"
#include "scene/fields/SoSFMatrix.h"
#include "scene/nodes/SoTransformation.h"

// A transform given as a matrix (row vectors: translation in row 3).
class SCENE_API SoMatrixTransform : public SoTransformation {
public:
    static void initClass();
    static SoType getClassTypeId() { return classTypeId; }
    SoType getTypeId() const override { return classTypeId; }
    SoMatrixTransform();

    SoSFMatrix matrix;
    SbMatrix getMatrix() const override;

protected:
    ~SoMatrixTransform() override = default;

private:
    static SoType classTypeId;
};

#endif
