// Helpers shared by the clipping stages: the near limit of the view volume in clip coordinates,
// the multicolour flag, and the inside tests of the normalized drawing volume.
#ifndef SCRIVANE_CLIP_CLIPSUPPORT_H
#define SCRIVANE_CLIP_CLIPSUPPORT_H
#include "scene/actions/SoCallbackAction.h"
#include "scene/base/SbColor.h"
#include "scene/base/SbVec4f.h"
#include <cmath>

namespace scrivane_clip {

// The near plane in clip coordinates, where points are tested before the division by w. For a
// view volume with a near distance d >= 0 it is the eye-space point (0, 0, -d, 1) taken through
// the projection matrix: its z is the limit and its w the w of every crossing point made on the
// near plane (so that they divide onto NPC z = -1 for the usual projections). A negative near
// distance is used as the limit itself, with w = 1.
struct NearLimit {
    float z;
    float w;
};

inline NearLimit nearLimit(const SoCallbackAction *action) {
    const float d = action->getViewVolume().getNearDist();
    if (d < 0.0f) return {d, 1.0f};
    const SbMatrix &p = action->getProjectionMatrix();
    // (0, 0, -d, 1) x P, components z and w.
    return {-d * p[2][2] + p[3][2], -d * p[2][3] + p[3][3]};
}

// Whether every component of a point is a finite number. Primitives with a point that is not
// are dropped whole before the clipping: NaN compares false with every plane, and infinities make
// NaN crossings, so neither could be clipped into anything meaningful.
inline bool isFinitePoint(const SbVec4f &p) {
    return std::isfinite(p[0]) && std::isfinite(p[1]) && std::isfinite(p[2]) && std::isfinite(p[3]);
}

inline bool allFinite(const SbVec4f *points, int n) {
    for (int i = 0; i < n; i++)
        if (!isFinitePoint(points[i])) return false;
    return true;
}

// The largest width, point size, font size or line spacing printed, in line-width units (350 m
// at the default nominal width): beyond it the formats' scaling to their own units could
// overflow.
constexpr float kLargestSize = 1e6f;

// Whether a width, point size, font size or spacing can be printed as it is.
inline bool isUsableSize(float value) {
    return std::fabs(value) <= kLargestSize;
}

inline bool isFiniteColor(const SbColor &c) {
    return std::isfinite(c[0]) && std::isfinite(c[1]) && std::isfinite(c[2]);
}

// 1 when some colour differs from the first (exact comparison), else 0; 0 for fewer than two.
inline int multiColorFlag(const SbColor *colors, int n) {
    for (int i = 1; i < n; i++)
        if (colors[i] != colors[0]) return 1;
    return 0;
}

// Clip coordinates to NPC, in place: x, y and z divided by w, w set to 1.
inline void divideByW(SbVec4f &p) {
    const float w = p[3];
    p.setValue(p[0] / w, p[1] / w, p[2] / w, 1.0f);
}

// Whether an NPC point lies in the drawing volume, limits included: the square
// [-halfWidth, halfWidth] x [-halfHeight, halfHeight] and not beyond the far plane z = 1.
inline bool insideDrawingVolume(const SbVec4f &p, float halfWidth, float halfHeight) {
    return p[2] <= 1.0f && p[0] >= -halfWidth && p[0] <= halfWidth && p[1] >= -halfHeight &&
           p[1] <= halfHeight;
}

} // namespace scrivane_clip

#endif
