#include <algorithm>
#include <cmath>
#include <limits>
#include "scene/actions/SoCallbackAction.h"
#include "scene/actions/SoGetBoundingBoxAction.h"
#include "scene/elements/SoFocalDistanceElement.h"
#include "scene/elements/SoProjectionMatrixElement.h"
#include "scene/elements/SoViewVolumeElement.h"
#include "scene/elements/SoViewingMatrixElement.h"
#include "scene/elements/SoViewportRegionElement.h"
#include "scene/nodes/SoCamera.h"
#include "scene/nodes/SoOrthographicCamera.h"
#include "scene/nodes/SoPerspectiveCamera.h"

SbViewVolume SoCamera::getViewVolume(float useAspectRatio) const {
    float aspect = useAspectRatio > 0.0f ? useAspectRatio : aspectRatio.getValue();
    if (!(aspect > 0.0f)) aspect = 1.0f;
    SbViewVolume vv = makeViewVolume(aspect);
    // Fitting the camera to a viewport taller than wide keeps the camera's size across the
    // narrower side, so that nothing meant to be seen falls off the sides.
    if (viewportMapping.getValue() == ADJUST_CAMERA && aspect < 1.0f) vv.scale(1.0f / aspect);
    vv.rotateCamera(orientation.getValue());
    vv.translateCamera(position.getValue());
    return vv;
}

void SoCamera::setState(SoAction *action) {
    SoState *state = action->getState();
    float aspect = SoViewportRegionElement::get(state).getViewportAspectRatio();
    SbViewVolume vv = getViewVolume(aspect);
    SbMatrix affine, proj;
    vv.getMatrices(affine, proj);
    SoViewVolumeElement::set(state, vv);
    SoViewingMatrixElement::set(state, affine);
    SoProjectionMatrixElement::set(state, proj);
    SoFocalDistanceElement::set(state, focalDistance.getValue());
}

void SoCamera::doAction(SoAction *action) { setState(action); }
void SoCamera::callback(SoCallbackAction *action) { setState(action); }
void SoCamera::getBoundingBox(SoGetBoundingBoxAction *action) { setState(action); }

void SoCamera::pointAt(const SbVec3f &targetPoint) {
    SbVec3f dir = targetPoint - position.getValue();
    if (dir.normalize() == 0.0f) return;
    orientation.setValue(SbRotation(SbVec3f(0, 0, -1), dir));
}

namespace {
// A double as a float field value: beyond the float range, the infinity of its sign.
float toFloatField(double v) {
    const double largest = std::numeric_limits<float>::max();
    if (v > largest) return std::numeric_limits<float>::infinity();
    if (v < -largest) return -std::numeric_limits<float>::infinity();
    return static_cast<float>(v);
}
} // namespace

// The box's centre, radius and the camera's distances are computed in doubles: a scene of
// coordinates near 10^19 and beyond has a diagonal whose square, and distances whose sums, leave
// the float range although every coordinate and the results themselves fit.
void SoCamera::viewAll(SoNode *sceneRoot, const SbViewportRegion &region, float slack) {
    SoGetBoundingBoxAction bboxAction(region);
    bboxAction.apply(sceneRoot);
    double lo[3], hi[3];
    if (!bboxAction.getBoundingBox(lo, hi)) return;
    double center[3], squared = 0.0;
    for (int i = 0; i < 3; i++) {
        center[i] = (lo[i] + hi[i]) * 0.5;
        squared += (hi[i] - lo[i]) * (hi[i] - lo[i]);
    }
    double radius = std::sqrt(squared) * 0.5;
    if (radius <= 0.0) radius = 1.0;
    const SbVec3f centerF(toFloatField(center[0]), toFloatField(center[1]),
                          toFloatField(center[2]));
    fitSphere(centerF, toFloatField(radius), region.getViewportAspectRatio());
    const SbVec3f &eye = position.getValue();
    double distance = 0.0;
    for (int i = 0; i < 3; i++)
        distance += (double(eye[i]) - center[i]) * (double(eye[i]) - center[i]);
    distance = std::sqrt(distance);
    const double nearD = distance - radius * slack;
    nearDistance.setValue(toFloatField(std::max(nearD, distance * 0.001)));
    farDistance.setValue(toFloatField(distance + radius * slack));
    focalDistance.setValue(toFloatField(distance));
}

SbViewVolume SoPerspectiveCamera::makeViewVolume(float aspect) const {
    SbViewVolume vv;
    vv.perspective(heightAngle.getValue(), aspect, nearDistance.getValue(), farDistance.getValue());
    return vv;
}

void SoPerspectiveCamera::fitSphere(const SbVec3f &center, float radius, float) {
    // Whatever the viewport's shape, its narrower side spans the height angle (see getViewVolume).
    float halfAngle = heightAngle.getValue() * 0.5f;
    float distance = radius / std::sin(halfAngle > 1e-4f ? halfAngle : 1e-4f);
    SbVec3f dir;
    orientation.getValue().multVec(SbVec3f(0, 0, -1), dir);
    position.setValue(center - dir * distance);
}

SbViewVolume SoOrthographicCamera::makeViewVolume(float aspect) const {
    SbViewVolume vv;
    float h = height.getValue() * 0.5f;
    vv.ortho(-h * aspect, h * aspect, -h, h, nearDistance.getValue(), farDistance.getValue());
    return vv;
}

void SoOrthographicCamera::fitSphere(const SbVec3f &center, float radius, float) {
    SbVec3f dir;
    orientation.getValue().multVec(SbVec3f(0, 0, -1), dir);
    position.setValue(center - dir * (radius * 2.0f));
    height.setValue(radius * 2.0f);
}
