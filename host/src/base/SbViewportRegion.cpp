#include "scene/base/SbViewportRegion.h"

SbViewportRegion::SbViewportRegion() : SbViewportRegion(SbVec2i32(100, 100)) {}
SbViewportRegion::SbViewportRegion(short width, short height) : SbViewportRegion(SbVec2i32(width, height)) {}
SbViewportRegion::SbViewportRegion(const SbVec2s &winSize) : SbViewportRegion(SbVec2i32(winSize[0], winSize[1])) {}

SbViewportRegion::SbViewportRegion(const SbVec2i32 &winSize)
    : windowSize(winSize), vpOrigin(0.0f, 0.0f), vpSize(1.0f, 1.0f), pixelsPerInch(72.0f) {}

void SbViewportRegion::setWindowSize(const SbVec2i32 &winSize) { windowSize = winSize; }

void SbViewportRegion::setViewport(float left, float bottom, float width, float height) {
    vpOrigin.setValue(left, bottom);
    vpSize.setValue(width, height);
}

void SbViewportRegion::setViewport(const SbVec2f &origin, const SbVec2f &size) {
    setViewport(origin[0], origin[1], size[0], size[1]);
}

void SbViewportRegion::setViewportPixels(short left, short bottom, short width, short height) {
    setViewportPixels(SbVec2i32(left, bottom), SbVec2i32(width, height));
}

void SbViewportRegion::setViewportPixels(const SbVec2i32 &origin, const SbVec2i32 &size) {
    float w = windowSize[0] > 0 ? float(windowSize[0]) : 1.0f;
    float h = windowSize[1] > 0 ? float(windowSize[1]) : 1.0f;
    setViewport(origin[0] / w, origin[1] / h, size[0] / w, size[1] / h);
}

SbVec2i32 SbViewportRegion::getViewportOriginPixels() const {
    return SbVec2i32(int32_t(vpOrigin[0] * windowSize[0] + 0.5f), int32_t(vpOrigin[1] * windowSize[1] + 0.5f));
}

SbVec2i32 SbViewportRegion::getViewportSizePixels() const {
    return SbVec2i32(int32_t(vpSize[0] * windowSize[0] + 0.5f), int32_t(vpSize[1] * windowSize[1] + 0.5f));
}

float SbViewportRegion::getViewportAspectRatio() const {
    float h = vpSize[1] * float(windowSize[1]);
    return h != 0.0f ? (vpSize[0] * float(windowSize[0])) / h : 1.0f;
}

void SbViewportRegion::scaleWidth(float ratio) {
    float center = vpOrigin[0] + vpSize[0] * 0.5f;
    vpSize[0] *= ratio;
    vpOrigin[0] = center - vpSize[0] * 0.5f;
}

void SbViewportRegion::scaleHeight(float ratio) {
    float center = vpOrigin[1] + vpSize[1] * 0.5f;
    vpSize[1] *= ratio;
    vpOrigin[1] = center - vpSize[1] * 0.5f;
}

bool operator==(const SbViewportRegion &a, const SbViewportRegion &b) {
    return a.windowSize == b.windowSize && a.vpOrigin == b.vpOrigin && a.vpSize == b.vpSize;
}
