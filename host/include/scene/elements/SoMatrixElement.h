#ifndef SCENE_SOMATRIXELEMENT_H
#define SCENE_SOMATRIXELEMENT_H
#include "scene/SceneExport.h"
#include "scene/base/SbMatrix.h"
#include "scene/elements/SoElement.h"

// Base of the three matrix elements: a matrix, identity by default.
template <class Derived> class SCENE_API SoMatrixElementT : public SoElementT<Derived> {
public:
    void init(SoState *) override { matrix.makeIdentity(); }
    static void set(SoState *state, const SbMatrix &m) { SoElementT<Derived>::getWritable(state)->matrix = m; }
    static const SbMatrix &get(SoState *state) { return SoElementT<Derived>::getReadable(state)->matrix; }

protected:
    SbMatrix matrix;
};

#endif
