#ifndef SCENE_SOMATERIALELEMENT_H
#define SCENE_SOMATERIALELEMENT_H
#include "scene/SceneExport.h"
#include "scene/base/SbColor.h"
#include "scene/elements/SoElement.h"
#include <memory>
#include <vector>

// The current material: six lists (ambient, diffuse, specular and emissive colours, shininess,
// transparency), each of any length. Material index i reads entry i of each list, or its last
// entry when the list is shorter. Defaults: ambient 0.2, diffuse 0.8, specular 0, emissive 0,
// shininess 0.2, transparency 0. The lists are copied when set, so they never dangle.
class SCENE_API SoMaterialElement : public SoElementT<SoMaterialElement> {
public:
    struct Material {
        SbColor ambient, diffuse, specular, emissive;
        float shininess, transparency;
    };
    static void initClass();
    static SoType getClassTypeId() { return classTypeId; }
    SoType getTypeId() const override { return classTypeId; }
    void init(SoState *state) override;
    static void setAmbient(SoState *state, int num, const SbColor *colors);
    static void setDiffuse(SoState *state, int num, const SbColor *colors);
    static void setSpecular(SoState *state, int num, const SbColor *colors);
    static void setEmissive(SoState *state, int num, const SbColor *colors);
    static void setShininess(SoState *state, int num, const float *values);
    static void setTransparency(SoState *state, int num, const float *values);
    static const SoMaterialElement *getInstance(SoState *state) { return getReadable(state); }
    Material get(int index) const;
    int getNumDiffuse() const { return static_cast<int>(diffuse->size()); }

private:
    static SoType classTypeId;
    std::shared_ptr<const std::vector<SbColor>> ambient, diffuse, specular, emissive;
    std::shared_ptr<const std::vector<float>> shininess, transparency;
};

#endif
