#include "scene/base/SbBox3f.h"
#include <algorithm>
#include <cmath>
#include <limits>

void SbBox3f::makeEmpty() {
    // The float limits, so that boxes of coordinates up to the limit grow from emptiness.
    const float largest = std::numeric_limits<float>::max();
    lo.setValue(largest, largest, largest);
    hi.setValue(-largest, -largest, -largest);
}

void SbBox3f::getSize(float &x, float &y, float &z) const {
    if (isEmpty()) {
        x = y = z = 0.0f;
        return;
    }
    x = hi[0] - lo[0];
    y = hi[1] - lo[1];
    z = hi[2] - lo[2];
}

void SbBox3f::extendBy(const SbVec3f &p) {
    // A point that is not finite has no place in a box: it would make its size and centre NaN.
    if (!std::isfinite(p[0]) || !std::isfinite(p[1]) || !std::isfinite(p[2])) return;
    for (int i = 0; i < 3; i++) {
        lo[i] = std::min(lo[i], p[i]);
        hi[i] = std::max(hi[i], p[i]);
    }
}

void SbBox3f::extendBy(const SbBox3f &b) {
    if (b.isEmpty()) return;
    extendBy(b.lo);
    extendBy(b.hi);
}

bool SbBox3f::intersect(const SbVec3f &p) const {
    for (int i = 0; i < 3; i++)
        if (p[i] < lo[i] || p[i] > hi[i]) return false;
    return true;
}

bool SbBox3f::intersect(const SbBox3f &b) const {
    if (isEmpty() || b.isEmpty()) return false;
    for (int i = 0; i < 3; i++)
        if (b.hi[i] < lo[i] || b.lo[i] > hi[i]) return false;
    return true;
}

void SbBox3f::transform(const SbMatrix &m) {
    if (isEmpty()) return;
    SbBox3f out;
    for (int corner = 0; corner < 8; corner++) {
        SbVec3f p((corner & 1) ? hi[0] : lo[0], (corner & 2) ? hi[1] : lo[1], (corner & 4) ? hi[2] : lo[2]);
        SbVec3f q;
        m.multVecMatrix(p, q);
        out.extendBy(q);
    }
    *this = out;
}

float SbBox3f::getVolume() const {
    float x, y, z;
    getSize(x, y, z);
    return x * y * z;
}
