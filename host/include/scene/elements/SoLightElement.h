#ifndef SCENE_SOLIGHTELEMENT_H
#define SCENE_SOLIGHTELEMENT_H
#include "scene/SceneExport.h"
#include "scene/base/SbMatrix.h"
#include "scene/elements/SoElement.h"
#include "scene/misc/SoNodeList.h"
#include <vector>

class SoNode;

// The lights in force. Each light is added with the model x viewing matrix at its place in the
// scene, so that its position and direction, multiplied by that matrix, land in camera space.
class SCENE_API SoLightElement : public SoElementT<SoLightElement> {
public:
    static void initClass();
    static SoType getClassTypeId() { return classTypeId; }
    SoType getTypeId() const override { return classTypeId; }
    void init(SoState *state) override;
    static void add(SoState *state, SoNode *light, const SbMatrix &matrix);
    static const SoNodeList &getLights(SoState *state);
    static const SbMatrix &getMatrix(SoState *state, int index);

private:
    static SoType classTypeId;
    SoNodeList lights;
    std::vector<SbMatrix> matrices;
};

#endif
