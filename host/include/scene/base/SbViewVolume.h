#ifndef SCENE_SBVIEWVOLUME_H
#define SCENE_SBVIEWVOLUME_H
#include "scene/SceneExport.h"
#include "scene/base/SbMatrix.h"
#include "scene/base/SbRotation.h"
#include "scene/base/SbVec3f.h"

// The volume a camera sees: a box (orthographic) or a frustum (perspective) along -z of the
// camera, which is placed in the world by a rotation and a position. The projection matrix maps
// the volume to x, y in [-1, 1], and z from -1 at the near plane to +1 at the far plane.
class SCENE_API SbViewVolume {
public:
    enum ProjectionType { ORTHOGRAPHIC = 0, PERSPECTIVE = 1 };

    SbViewVolume();
    void ortho(float left, float right, float bottom, float top, float nearDist, float farDist);
    void perspective(float fovy, float aspect, float nearDist, float farDist);
    void frustum(float left, float right, float bottom, float top, float nearDist, float farDist);
    void rotateCamera(const SbRotation &r);
    void translateCamera(const SbVec3f &v);

    // affine: world to camera (the viewing matrix); proj: camera to clip coordinates.
    void getMatrices(SbMatrix &affine, SbMatrix &proj) const;
    SbMatrix getMatrix() const;
    SbMatrix getCameraSpaceMatrix() const;
    ProjectionType getProjectionType() const { return type; }
    const SbVec3f &getProjectionPoint() const { return position; }
    SbVec3f getProjectionDirection() const;
    float getNearDist() const { return nearDist; }
    float getWidth() const { return right - left; }
    float getHeight() const { return top - bottom; }
    float getDepth() const { return farDist - nearDist; }
    // Scales the near-plane rectangle about its centre.
    void scale(float factor);
    void scaleWidth(float ratio);
    void scaleHeight(float ratio);
    // The world point at a distance along the line of sight through the centre.
    SbVec3f getSightPoint(float distFromEye) const;
    // A normalized screen point (0..1) and a depth (0 near .. 1 far) to world space.
    void projectToScreen(const SbVec3f &src, SbVec3f &dst) const;
    SbRotation getOrientation() const { return orientation; }

private:
    ProjectionType type;
    float left, right, bottom, top, nearDist, farDist;
    SbRotation orientation;
    SbVec3f position;
};

#endif
