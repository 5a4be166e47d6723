#ifndef SCENE_SOMODELMATRIXELEMENT_H
#define SCENE_SOMODELMATRIXELEMENT_H
#include "scene/SceneExport.h"
#include "scene/base/SbRotation.h"
#include "scene/elements/SoMatrixElement.h"

// The model matrix: model coordinates to world coordinates, for row vectors. A transform met
// during traversal is applied before the matrix in force: model = T x model.
class SCENE_API SoModelMatrixElement : public SoMatrixElementT<SoModelMatrixElement> {
public:
    static void initClass();
    static SoType getClassTypeId() { return classTypeId; }
    SoType getTypeId() const override { return classTypeId; }
    static void makeIdentity(SoState *state);
    static void mult(SoState *state, const SbMatrix &m);
    static void translateBy(SoState *state, const SbVec3f &t);
    static void rotateBy(SoState *state, const SbRotation &r);
    static void scaleBy(SoState *state, const SbVec3f &s);

private:
    static SoType classTypeId;
};

#endif
