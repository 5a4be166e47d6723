#include "CameraFallback.h"
#include "scene/nodes/SoCamera.h"
#include "scene/nodes/SoOrthographicCamera.h"
#include "scene/nodes/SoPerspectiveCamera.h"
#include <cmath>

namespace scrivane_capture {

namespace {
bool finite(float v) {
    return std::isfinite(v);
}
bool finite(const SbVec3f &v) {
    return finite(v[0]) && finite(v[1]) && finite(v[2]);
}
bool finite(const SbRotation &r) {
    const float *q = r.getValue();
    return finite(q[0]) && finite(q[1]) && finite(q[2]) && finite(q[3]);
}

// The kind's own size field: the height angle of a perspective camera, the height of an
// orthographic one. True when it is finite (or the kind has none); copied to fixed when given.
bool sizeFieldFinite(const SoCamera &camera, SoCamera *fixed) {
    if (camera.isOfType(SoPerspectiveCamera::getClassTypeId())) {
        const float angle = static_cast<const SoPerspectiveCamera &>(camera).heightAngle.getValue();
        if (fixed && finite(angle))
            static_cast<SoPerspectiveCamera *>(fixed)->heightAngle.setValue(angle);
        return finite(angle);
    }
    if (camera.isOfType(SoOrthographicCamera::getClassTypeId())) {
        const float height = static_cast<const SoOrthographicCamera &>(camera).height.getValue();
        if (fixed && finite(height))
            static_cast<SoOrthographicCamera *>(fixed)->height.setValue(height);
        return finite(height);
    }
    return true;
}

bool allFinite(const SoCamera &c) {
    return finite(c.position.getValue()) && finite(c.orientation.getValue()) &&
           finite(c.aspectRatio.getValue()) && finite(c.nearDistance.getValue()) &&
           finite(c.farDistance.getValue()) && finite(c.focalDistance.getValue()) &&
           sizeFieldFinite(c, nullptr);
}

void copyIfFinite(SoSFFloat &to, const SoSFFloat &from) {
    if (finite(from.getValue())) to.setValue(from.getValue());
}
} // namespace

SoCamera *finiteCameraFor(const SoCamera &camera) {
    if (allFinite(camera)) return nullptr;
    const SoType type = camera.getTypeId();
    if (!type.canCreateInstance()) return nullptr;
    SoCamera *fixed = static_cast<SoCamera *>(type.createInstance());
    fixed->viewportMapping.setValue(camera.viewportMapping.getValue());
    if (finite(camera.position.getValue())) fixed->position.setValue(camera.position.getValue());
    if (finite(camera.orientation.getValue()))
        fixed->orientation.setValue(camera.orientation.getValue());
    copyIfFinite(fixed->aspectRatio, camera.aspectRatio);
    copyIfFinite(fixed->nearDistance, camera.nearDistance);
    copyIfFinite(fixed->farDistance, camera.farDistance);
    copyIfFinite(fixed->focalDistance, camera.focalDistance);
    sizeFieldFinite(camera, fixed);
    return fixed;
}

} // namespace scrivane_capture
