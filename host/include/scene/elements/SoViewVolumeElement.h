#ifndef SCENE_SOVIEWVOLUMEELEMENT_H
#define SCENE_SOVIEWVOLUMEELEMENT_H
#include "scene/SceneExport.h"
#include "scene/base/SbViewVolume.h"
#include "scene/elements/SoElement.h"

// The view volume of the current camera.
class SCENE_API SoViewVolumeElement : public SoElementT<SoViewVolumeElement> {
public:
    static void initClass();
    static SoType getClassTypeId() { return classTypeId; }
    SoType getTypeId() const override { return classTypeId; }
    void init(SoState *state) override;
    static void set(SoState *state, const SbViewVolume &vv);
    static const SbViewVolume &get(SoState *state);

private:
    static SoType classTypeId;
    SbViewVolume viewVolume;
};

#endif
