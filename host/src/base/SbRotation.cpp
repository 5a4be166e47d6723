#include "scene/base/SbRotation.h"
#include <cmath>
#include "scene/base/SbMatrix.h"

SbRotation &SbRotation::setValue(float x, float y, float z, float w) {
    q[0] = x; q[1] = y; q[2] = z; q[3] = w;
    normalize();
    return *this;
}

SbRotation &SbRotation::setValue(const SbVec3f &axis, float radians) {
    SbVec3f a = axis;
    if (a.normalize() == 0.0f) {
        q[0] = q[1] = q[2] = 0.0f;
        q[3] = 1.0f;
        return *this;
    }
    float s = std::sin(radians * 0.5f);
    q[0] = a[0] * s; q[1] = a[1] * s; q[2] = a[2] * s;
    q[3] = std::cos(radians * 0.5f);
    return *this;
}

SbRotation &SbRotation::setValue(const SbVec3f &from, const SbVec3f &to) {
    SbVec3f f = from, t = to;
    f.normalize();
    t.normalize();
    float d = f.dot(t);
    SbVec3f axis = f.cross(t);
    if (axis.length() < 1e-7f) {
        if (d > 0.0f) return setValue(0, 0, 0, 1);
        // Opposite vectors: any axis perpendicular to them will do.
        axis = f.cross(SbVec3f(1, 0, 0));
        if (axis.length() < 1e-4f) axis = f.cross(SbVec3f(0, 1, 0));
        return setValue(axis, float(M_PI));
    }
    return setValue(axis, std::acos(std::max(-1.0f, std::min(1.0f, d))));
}

SbRotation &SbRotation::setValue(const SbMatrix &m) {
    float trace = m[0][0] + m[1][1] + m[2][2];
    if (trace > 0.0f) {
        float s = std::sqrt(trace + 1.0f) * 2.0f;
        q[3] = 0.25f * s;
        q[0] = (m[1][2] - m[2][1]) / s;
        q[1] = (m[2][0] - m[0][2]) / s;
        q[2] = (m[0][1] - m[1][0]) / s;
    } else if (m[0][0] > m[1][1] && m[0][0] > m[2][2]) {
        float s = std::sqrt(1.0f + m[0][0] - m[1][1] - m[2][2]) * 2.0f;
        q[3] = (m[1][2] - m[2][1]) / s;
        q[0] = 0.25f * s;
        q[1] = (m[1][0] + m[0][1]) / s;
        q[2] = (m[2][0] + m[0][2]) / s;
    } else if (m[1][1] > m[2][2]) {
        float s = std::sqrt(1.0f + m[1][1] - m[0][0] - m[2][2]) * 2.0f;
        q[3] = (m[2][0] - m[0][2]) / s;
        q[0] = (m[1][0] + m[0][1]) / s;
        q[1] = 0.25f * s;
        q[2] = (m[2][1] + m[1][2]) / s;
    } else {
        float s = std::sqrt(1.0f + m[2][2] - m[0][0] - m[1][1]) * 2.0f;
        q[3] = (m[0][1] - m[1][0]) / s;
        q[0] = (m[2][0] + m[0][2]) / s;
        q[1] = (m[2][1] + m[1][2]) / s;
        q[2] = 0.25f * s;
    }
    normalize();
    return *this;
}

void SbRotation::getValue(float &x, float &y, float &z, float &w) const {
    x = q[0]; y = q[1]; z = q[2]; w = q[3];
}

void SbRotation::getValue(SbVec3f &axis, float &radians) const {
    float len = std::sqrt(q[0] * q[0] + q[1] * q[1] + q[2] * q[2]);
    if (len > 1e-9f) {
        axis.setValue(q[0] / len, q[1] / len, q[2] / len);
        radians = 2.0f * std::atan2(len, q[3]);
    } else {
        axis.setValue(0, 0, 1);
        radians = 0.0f;
    }
}

void SbRotation::getValue(SbMatrix &m) const {
    const float x = q[0], y = q[1], z = q[2], w = q[3];
    m = SbMatrix(1 - 2 * (y * y + z * z), 2 * (x * y + z * w), 2 * (z * x - y * w), 0,
                 2 * (x * y - z * w), 1 - 2 * (z * z + x * x), 2 * (y * z + x * w), 0,
                 2 * (z * x + y * w), 2 * (y * z - x * w), 1 - 2 * (y * y + x * x), 0,
                 0, 0, 0, 1);
}

SbRotation SbRotation::inverse() const {
    SbRotation r;
    r.q[0] = -q[0]; r.q[1] = -q[1]; r.q[2] = -q[2]; r.q[3] = q[3];
    return r;
}

SbRotation &SbRotation::invert() { return *this = inverse(); }

void SbRotation::multVec(const SbVec3f &src, SbVec3f &dst) const {
    SbMatrix m;
    getValue(m);
    m.multDirMatrix(src, dst);
}

SbRotation &SbRotation::operator*=(const SbRotation &o) {
    // Row-vector matrices compose as M(a) x M(b) = M(Hamilton product b * a).
    const float *a = o.q, *b = q;
    float x = a[3] * b[0] + a[0] * b[3] + a[1] * b[2] - a[2] * b[1];
    float y = a[3] * b[1] - a[0] * b[2] + a[1] * b[3] + a[2] * b[0];
    float z = a[3] * b[2] + a[0] * b[1] - a[1] * b[0] + a[2] * b[3];
    float w = a[3] * b[3] - a[0] * b[0] - a[1] * b[1] - a[2] * b[2];
    return setValue(x, y, z, w);
}

void SbRotation::normalize() {
    float len = std::sqrt(q[0] * q[0] + q[1] * q[1] + q[2] * q[2] + q[3] * q[3]);
    if (len > 0.0f) {
        for (float &c : q) c /= len;
    } else {
        q[0] = q[1] = q[2] = 0.0f;
        q[3] = 1.0f;
    }
}
