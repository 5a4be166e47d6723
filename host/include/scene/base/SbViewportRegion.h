#ifndef SCENE_SBVIEWPORTREGION_H
#define SCENE_SBVIEWPORTREGION_H
#include "scene/SceneExport.h"
#include "scene/base/SbVec2f.h"
#include "scene/base/SbVec2i32.h"
#include "scene/base/SbVec2s.h"

// A window in pixels and the viewport inside it, held normalized (fractions of the window) so
// that resizing the window keeps the viewport's place. The default window is 100 x 100 pixels
// with a full viewport, at 72 pixels per inch.
class SCENE_API SbViewportRegion {
public:
    SbViewportRegion();
    SbViewportRegion(short width, short height);
    SbViewportRegion(const SbVec2s &winSize);
    SbViewportRegion(const SbVec2i32 &winSize);

    void setWindowSize(short width, short height) { setWindowSize(SbVec2i32(width, height)); }
    void setWindowSize(const SbVec2s &winSize) { setWindowSize(SbVec2i32(winSize[0], winSize[1])); }
    void setWindowSize(const SbVec2i32 &winSize);
    void setViewport(float left, float bottom, float width, float height);
    void setViewport(const SbVec2f &origin, const SbVec2f &size);
    void setViewportPixels(short left, short bottom, short width, short height);
    void setViewportPixels(const SbVec2i32 &origin, const SbVec2i32 &size);
    void setPixelsPerInch(float ppi) { pixelsPerInch = ppi; }

    const SbVec2i32 &getWindowSize() const { return windowSize; }
    const SbVec2f &getViewportOrigin() const { return vpOrigin; }
    const SbVec2f &getViewportSize() const { return vpSize; }
    SbVec2i32 getViewportOriginPixels() const;
    SbVec2i32 getViewportSizePixels() const;
    // Width over height of the viewport in pixels.
    float getViewportAspectRatio() const;
    float getPixelsPerInch() const { return pixelsPerInch; }
    void scaleWidth(float ratio);
    void scaleHeight(float ratio);
    friend SCENE_API bool operator==(const SbViewportRegion &a, const SbViewportRegion &b);
    friend bool operator!=(const SbViewportRegion &a, const SbViewportRegion &b) { return !(a == b); }

private:
    SbVec2i32 windowSize;
    SbVec2f vpOrigin;
    SbVec2f vpSize;
    float pixelsPerInch;
};

#endif
