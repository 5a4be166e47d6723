#include "scene/base/SbViewVolume.h"
#include <cmath>
#include <limits>

SbViewVolume::SbViewVolume() { ortho(-1, 1, -1, 1, 1, 10); }

void SbViewVolume::ortho(float l, float r, float b, float t, float n, float f) {
    type = ORTHOGRAPHIC;
    left = l; right = r; bottom = b; top = t; nearDist = n; farDist = f;
    orientation = SbRotation();
    position.setValue(0, 0, 0);
}

void SbViewVolume::frustum(float l, float r, float b, float t, float n, float f) {
    type = PERSPECTIVE;
    left = l; right = r; bottom = b; top = t; nearDist = n; farDist = f;
    orientation = SbRotation();
    position.setValue(0, 0, 0);
}

void SbViewVolume::perspective(float fovy, float aspect, float n, float f) {
    float halfHeight = n * std::tan(fovy * 0.5f);
    float halfWidth = halfHeight * aspect;
    frustum(-halfWidth, halfWidth, -halfHeight, halfHeight, n, f);
}

void SbViewVolume::rotateCamera(const SbRotation &r) { orientation = r * orientation; }
void SbViewVolume::translateCamera(const SbVec3f &v) { position += v; }

SbMatrix SbViewVolume::getCameraSpaceMatrix() const {
    SbMatrix rot, trans;
    rot.setRotate(orientation.inverse());
    trans.setTranslate(-position);
    return trans * rot;
}

void SbViewVolume::getMatrices(SbMatrix &affine, SbMatrix &proj) const {
    affine = getCameraSpaceMatrix();
    // In doubles: for a volume as large as a scene near the float limit, products such as
    // far x near overflow a float although every entry of the matrix fits.
    const double n = nearDist, f = farDist, l = left, r = right, b = bottom, t = top;
    const double depth = (f != n) ? f - n : 1.0;
    const double width = (r != l) ? r - l : 1.0;
    const double height = (t != b) ? t - b : 1.0;
    // Entries beyond the float range become infinite (what the float arithmetic gave), not an
    // out-of-range conversion.
    auto e = [](double v) {
        const double largest = std::numeric_limits<float>::max();
        if (v > largest) return std::numeric_limits<float>::infinity();
        if (v < -largest) return -std::numeric_limits<float>::infinity();
        return static_cast<float>(v);
    };
    // The usual column-vector projection matrices, written transposed for row vectors.
    if (type == ORTHOGRAPHIC) {
        proj = SbMatrix(e(2.0 / width), 0, 0, 0,
                        0, e(2.0 / height), 0, 0,
                        0, 0, e(-2.0 / depth), 0,
                        e(-(r + l) / width), e(-(t + b) / height), e(-(f + n) / depth), 1);
    } else {
        proj = SbMatrix(e(2.0 * n / width), 0, 0, 0,
                        0, e(2.0 * n / height), 0, 0,
                        e((r + l) / width), e((t + b) / height), e(-(f + n) / depth), -1,
                        0, 0, e(-2.0 * f * n / depth), 0);
    }
}

SbMatrix SbViewVolume::getMatrix() const {
    SbMatrix affine, proj;
    getMatrices(affine, proj);
    return affine * proj;
}

SbVec3f SbViewVolume::getProjectionDirection() const {
    SbVec3f dir;
    orientation.multVec(SbVec3f(0, 0, -1), dir);
    return dir;
}

void SbViewVolume::scale(float factor) {
    scaleWidth(factor);
    scaleHeight(factor);
}

void SbViewVolume::scaleWidth(float ratio) {
    float c = (left + right) * 0.5f, half = (right - left) * 0.5f * ratio;
    left = c - half;
    right = c + half;
}

void SbViewVolume::scaleHeight(float ratio) {
    float c = (bottom + top) * 0.5f, half = (top - bottom) * 0.5f * ratio;
    bottom = c - half;
    top = c + half;
}

SbVec3f SbViewVolume::getSightPoint(float distFromEye) const {
    return position + getProjectionDirection() * distFromEye;
}

void SbViewVolume::projectToScreen(const SbVec3f &src, SbVec3f &dst) const {
    SbVec3f ndc;
    getMatrix().multVecMatrix(src, ndc);
    dst.setValue((ndc[0] + 1.0f) * 0.5f, (ndc[1] + 1.0f) * 0.5f, (ndc[2] + 1.0f) * 0.5f);
}
