#ifndef SCENE_SOGETBOUNDINGBOXACTION_H
#define SCENE_SOGETBOUNDINGBOXACTION_H
#include "scene/SceneExport.h"
#include "scene/actions/SoAction.h"
#include "scene/base/SbBox3f.h"
#include "scene/base/SbViewportRegion.h"
#include <limits>

// Computes the box, in world coordinates, around every shape of a scene.
class SCENE_API SoGetBoundingBoxAction : public SoAction {
public:
    static void initClass();
    static SoType getClassTypeId() { return classTypeId; }
    SoType getTypeId() const override { return classTypeId; }
    explicit SoGetBoundingBoxAction(const SbViewportRegion &region = SbViewportRegion());

    void setViewportRegion(const SbViewportRegion &region) { viewportRegion = region; }
    const SbViewportRegion &getViewportRegion() const { return viewportRegion; }
    // The box in single precision: coordinates beyond the float range are clamped to it.
    const SbBox3f &getBoundingBox() const { return box; }
    // The same box as computed, in double precision (the corners are transformed in doubles, so
    // that sizes and distances derived from a box near the float limit stay finite). False, and
    // nothing written, when the box is empty.
    bool getBoundingBox(double min[3], double max[3]) const;
    SbVec3f getCenter() const;
    // Adds a box given in the current model coordinates.
    void extendBy(const SbBox3f &modelBox);
    // Shapes may state the centre of what they add; the action averages them.
    void setCenter(const SbVec3f &modelCenter, bool transformCenter);
    void resetCenter() { centerSet = false; }
    bool isCenterSet() const { return centerSet; }

    static SoEnabledElementsList *enabledElements;
    static SoActionMethodList *methods;

protected:
    void beginTraversal(SoNode *node) override;

private:
    static SoType classTypeId;
    SbViewportRegion viewportRegion;
    SbBox3f box;
    // The box in doubles; empty while lo > hi. Points that are not finite are left out.
    static constexpr double kNoMin = std::numeric_limits<double>::infinity();
    double lo[3] = {kNoMin, kNoMin, kNoMin};
    double hi[3] = {-kNoMin, -kNoMin, -kNoMin};
    SbVec3f centerSum;
    int centerCount = 0;
    bool centerSet = false;
};

#endif
