#ifndef SCENE_SOVIEWPORTREGIONELEMENT_H
#define SCENE_SOVIEWPORTREGIONELEMENT_H
#include "scene/SceneExport.h"
#include "scene/base/SbBasic.h"
#include "scene/base/SbViewportRegion.h"
#include "scene/elements/SoElement.h"

// The viewport region the scene is drawn into. Actions set it at the start of a traversal;
// cameras read it to fit their view volume to its aspect ratio.
class SCENE_API SoViewportRegionElement : public SoElementT<SoViewportRegionElement> {
public:
    static void initClass();
    static SoType getClassTypeId() { return classTypeId; }
    SoType getTypeId() const override { return classTypeId; }
    void init(SoState *state) override;
    // setByApplication records that the region was changed during traversal (for example to
    // impose a page's aspect ratio) rather than given by the action; cameras treat both alike.
    static void set(SoState *state, const SbViewportRegion &region, SbBool setByApplication = FALSE);
    static const SbViewportRegion &get(SoState *state);
    static SbBool isSetByApplication(SoState *state);

private:
    static SoType classTypeId;
    SbViewportRegion region;
    SbBool byApplication = FALSE;
};

#endif
