#ifndef SCENE_SOCAMERA_H
#define SCENE_SOCAMERA_H
#include "scene/SceneExport.h"
#include "scene/base/SbViewVolume.h"
#include "scene/base/SbViewportRegion.h"
#include "scene/fields/SoSFEnum.h"
#include "scene/fields/SoSFFloat.h"
#include "scene/fields/SoSFRotation.h"
#include "scene/fields/SoSFVec3f.h"
#include "scene/nodes/SoNode.h"

// Base of cameras. Traversal reads the viewport region of the state, builds the view volume for its
// aspect ratio and sets the view volume, viewing and projection matrix elements.
class SCENE_API SoCamera : public SoNode {
public:
    enum ViewportMapping { CROP_VIEWPORT_FILL_FRAME = 0, CROP_VIEWPORT_LINE_FRAME = 1, CROP_VIEWPORT_NO_FRAME = 2, ADJUST_CAMERA = 3, LEAVE_ALONE = 4 };
    static void initClass();
    static SoType getClassTypeId() { return classTypeId; }
    SoType getTypeId() const override { return classTypeId; }

    SoSFEnum viewportMapping;
    SoSFVec3f position;
    SoSFRotation orientation;
    SoSFFloat aspectRatio;
    SoSFFloat nearDistance;
    SoSFFloat farDistance;
    SoSFFloat focalDistance;
    void doAction(SoAction *action) override;
    void callback(SoCallbackAction *action) override;
    void getBoundingBox(SoGetBoundingBoxAction *action) override;
    // The view volume for a viewport of that aspect ratio (width / height), adjusted as the
    // viewport mapping says.
    SbViewVolume getViewVolume(float useAspectRatio = 0.0f) const;
    // Moves the camera so that the whole scene under node fits its view: placed along its line
    // of sight at a distance that shows the scene's bounding sphere, near and far planes around it.
    void viewAll(SoNode *sceneRoot, const SbViewportRegion &region, float slack = 1.0f);
    void pointAt(const SbVec3f &targetPoint);

protected:
    // The basic volume of this kind of camera, placed at the origin looking along -z.
    virtual SbViewVolume makeViewVolume(float aspect) const = 0;
    // Scales the camera's size (height or height angle) by a factor, for viewAll.
    virtual void fitSphere(const SbVec3f &center, float radius, float aspect) = 0;
    void setState(SoAction *action);

protected:
    SoCamera();
    ~SoCamera() override = default;

private:
    static SoType classTypeId;
};

#endif
