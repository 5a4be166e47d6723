#include "scene/base/SbMatrix.h"
#include <cmath>
#include <cstring>

SbMatrix::SbMatrix(float a11, float a12, float a13, float a14, float a21, float a22, float a23, float a24,
                   float a31, float a32, float a33, float a34, float a41, float a42, float a43, float a44) {
    const float v[16] = {a11, a12, a13, a14, a21, a22, a23, a24, a31, a32, a33, a34, a41, a42, a43, a44};
    std::memcpy(m, v, sizeof(m));
}

void SbMatrix::setValue(const SbMat &src) { std::memcpy(m, src, sizeof(m)); }
void SbMatrix::getValue(SbMat &out) const { std::memcpy(out, m, sizeof(m)); }

void SbMatrix::makeIdentity() {
    for (int i = 0; i < 4; i++)
        for (int j = 0; j < 4; j++) m[i][j] = (i == j) ? 1.0f : 0.0f;
}

void SbMatrix::setRotate(const SbRotation &r) { r.getValue(*this); }
void SbMatrix::setScale(float s) { setScale(SbVec3f(s, s, s)); }

void SbMatrix::setScale(const SbVec3f &s) {
    makeIdentity();
    m[0][0] = s[0]; m[1][1] = s[1]; m[2][2] = s[2];
}

void SbMatrix::setTranslate(const SbVec3f &t) {
    makeIdentity();
    m[3][0] = t[0]; m[3][1] = t[1]; m[3][2] = t[2];
}

void SbMatrix::setTransform(const SbVec3f &t, const SbRotation &r, const SbVec3f &s) {
    setTransform(t, r, s, SbRotation(), SbVec3f(0, 0, 0));
}

void SbMatrix::setTransform(const SbVec3f &t, const SbRotation &r, const SbVec3f &s, const SbRotation &so) {
    setTransform(t, r, s, so, SbVec3f(0, 0, 0));
}

void SbMatrix::setTransform(const SbVec3f &t, const SbRotation &r, const SbVec3f &s, const SbRotation &so,
                            const SbVec3f &center) {
    SbMatrix tmp;
    setTranslate(-center);
    if (so != SbRotation()) {
        tmp.setRotate(so.inverse());
        multRight(tmp);
    }
    tmp.setScale(s);
    multRight(tmp);
    if (so != SbRotation()) {
        tmp.setRotate(so);
        multRight(tmp);
    }
    tmp.setRotate(r);
    multRight(tmp);
    tmp.setTranslate(center + t);
    multRight(tmp);
}

float SbMatrix::det3() const {
    return m[0][0] * (m[1][1] * m[2][2] - m[1][2] * m[2][1]) - m[0][1] * (m[1][0] * m[2][2] - m[1][2] * m[2][0]) +
           m[0][2] * (m[1][0] * m[2][1] - m[1][1] * m[2][0]);
}

namespace {
// Inverse of a 4x4 matrix by cofactors, in double precision.
bool invert4(const SbMat &a, SbMat &out) {
    double s[16], inv[16];
    for (int i = 0; i < 16; i++) s[i] = a[i / 4][i % 4];
    inv[0] = s[5] * s[10] * s[15] - s[5] * s[11] * s[14] - s[9] * s[6] * s[15] + s[9] * s[7] * s[14] + s[13] * s[6] * s[11] - s[13] * s[7] * s[10];
    inv[4] = -s[4] * s[10] * s[15] + s[4] * s[11] * s[14] + s[8] * s[6] * s[15] - s[8] * s[7] * s[14] - s[12] * s[6] * s[11] + s[12] * s[7] * s[10];
    inv[8] = s[4] * s[9] * s[15] - s[4] * s[11] * s[13] - s[8] * s[5] * s[15] + s[8] * s[7] * s[13] + s[12] * s[5] * s[11] - s[12] * s[7] * s[9];
    inv[12] = -s[4] * s[9] * s[14] + s[4] * s[10] * s[13] + s[8] * s[5] * s[14] - s[8] * s[6] * s[13] - s[12] * s[5] * s[10] + s[12] * s[6] * s[9];
    inv[1] = -s[1] * s[10] * s[15] + s[1] * s[11] * s[14] + s[9] * s[2] * s[15] - s[9] * s[3] * s[14] - s[13] * s[2] * s[11] + s[13] * s[3] * s[10];
    inv[5] = s[0] * s[10] * s[15] - s[0] * s[11] * s[14] - s[8] * s[2] * s[15] + s[8] * s[3] * s[14] + s[12] * s[2] * s[11] - s[12] * s[3] * s[10];
    inv[9] = -s[0] * s[9] * s[15] + s[0] * s[11] * s[13] + s[8] * s[1] * s[15] - s[8] * s[3] * s[13] - s[12] * s[1] * s[11] + s[12] * s[3] * s[9];
    inv[13] = s[0] * s[9] * s[14] - s[0] * s[10] * s[13] - s[8] * s[1] * s[14] + s[8] * s[2] * s[13] + s[12] * s[1] * s[10] - s[12] * s[2] * s[9];
    inv[2] = s[1] * s[6] * s[15] - s[1] * s[7] * s[14] - s[5] * s[2] * s[15] + s[5] * s[3] * s[14] + s[13] * s[2] * s[7] - s[13] * s[3] * s[6];
    inv[6] = -s[0] * s[6] * s[15] + s[0] * s[7] * s[14] + s[4] * s[2] * s[15] - s[4] * s[3] * s[14] - s[12] * s[2] * s[7] + s[12] * s[3] * s[6];
    inv[10] = s[0] * s[5] * s[15] - s[0] * s[7] * s[13] - s[4] * s[1] * s[15] + s[4] * s[3] * s[13] + s[12] * s[1] * s[7] - s[12] * s[3] * s[5];
    inv[14] = -s[0] * s[5] * s[14] + s[0] * s[6] * s[13] + s[4] * s[1] * s[14] - s[4] * s[2] * s[13] - s[12] * s[1] * s[6] + s[12] * s[2] * s[5];
    inv[3] = -s[1] * s[6] * s[11] + s[1] * s[7] * s[10] + s[5] * s[2] * s[11] - s[5] * s[3] * s[10] - s[9] * s[2] * s[7] + s[9] * s[3] * s[6];
    inv[7] = s[0] * s[6] * s[11] - s[0] * s[7] * s[10] - s[4] * s[2] * s[11] + s[4] * s[3] * s[10] + s[8] * s[2] * s[7] - s[8] * s[3] * s[6];
    inv[11] = -s[0] * s[5] * s[11] + s[0] * s[7] * s[9] + s[4] * s[1] * s[11] - s[4] * s[3] * s[9] - s[8] * s[1] * s[7] + s[8] * s[3] * s[5];
    inv[15] = s[0] * s[5] * s[10] - s[0] * s[6] * s[9] - s[4] * s[1] * s[10] + s[4] * s[2] * s[9] + s[8] * s[1] * s[6] - s[8] * s[2] * s[5];
    double det = s[0] * inv[0] + s[1] * inv[4] + s[2] * inv[8] + s[3] * inv[12];
    if (det == 0.0 || !std::isfinite(det)) return false;
    for (int i = 0; i < 16; i++) out[i / 4][i % 4] = static_cast<float>(inv[i] / det);
    return true;
}
} // namespace

float SbMatrix::det4() const {
    SbMat tmp;
    double s[16];
    for (int i = 0; i < 16; i++) s[i] = m[i / 4][i % 4];
    (void)tmp;
    double c0 = s[5] * (s[10] * s[15] - s[11] * s[14]) - s[6] * (s[9] * s[15] - s[11] * s[13]) + s[7] * (s[9] * s[14] - s[10] * s[13]);
    double c1 = s[4] * (s[10] * s[15] - s[11] * s[14]) - s[6] * (s[8] * s[15] - s[11] * s[12]) + s[7] * (s[8] * s[14] - s[10] * s[12]);
    double c2 = s[4] * (s[9] * s[15] - s[11] * s[13]) - s[5] * (s[8] * s[15] - s[11] * s[12]) + s[7] * (s[8] * s[13] - s[9] * s[12]);
    double c3 = s[4] * (s[9] * s[14] - s[10] * s[13]) - s[5] * (s[8] * s[14] - s[10] * s[12]) + s[6] * (s[8] * s[13] - s[9] * s[12]);
    return static_cast<float>(s[0] * c0 - s[1] * c1 + s[2] * c2 - s[3] * c3);
}

SbMatrix SbMatrix::inverse() const {
    SbMatrix r;
    if (!invert4(m, r.m)) r.makeIdentity();
    return r;
}

SbMatrix SbMatrix::transpose() const {
    SbMatrix r;
    for (int i = 0; i < 4; i++)
        for (int j = 0; j < 4; j++) r.m[i][j] = m[j][i];
    return r;
}

SbMatrix &SbMatrix::multRight(const SbMatrix &b) {
    SbMat r;
    for (int i = 0; i < 4; i++)
        for (int j = 0; j < 4; j++)
            r[i][j] = m[i][0] * b.m[0][j] + m[i][1] * b.m[1][j] + m[i][2] * b.m[2][j] + m[i][3] * b.m[3][j];
    std::memcpy(m, r, sizeof(m));
    return *this;
}

SbMatrix &SbMatrix::multLeft(const SbMatrix &a) {
    SbMatrix r = a;
    r.multRight(*this);
    *this = r;
    return *this;
}

void SbMatrix::multVecMatrix(const SbVec3f &src, SbVec3f &dst) const {
    float x = src[0], y = src[1], z = src[2];
    float w = x * m[0][3] + y * m[1][3] + z * m[2][3] + m[3][3];
    if (w == 0.0f) w = 1.0f;
    dst.setValue((x * m[0][0] + y * m[1][0] + z * m[2][0] + m[3][0]) / w,
                 (x * m[0][1] + y * m[1][1] + z * m[2][1] + m[3][1]) / w,
                 (x * m[0][2] + y * m[1][2] + z * m[2][2] + m[3][2]) / w);
}

void SbMatrix::multVecMatrix(const SbVec4f &src, SbVec4f &dst) const {
    float x = src[0], y = src[1], z = src[2], w = src[3];
    float r[4];
    for (int j = 0; j < 4; j++) r[j] = x * m[0][j] + y * m[1][j] + z * m[2][j] + w * m[3][j];
    dst.setValue(r[0], r[1], r[2], r[3]);
}

void SbMatrix::multDirMatrix(const SbVec3f &src, SbVec3f &dst) const {
    float x = src[0], y = src[1], z = src[2];
    dst.setValue(x * m[0][0] + y * m[1][0] + z * m[2][0], x * m[0][1] + y * m[1][1] + z * m[2][1],
                 x * m[0][2] + y * m[1][2] + z * m[2][2]);
}

bool operator==(const SbMatrix &a, const SbMatrix &b) { return std::memcmp(a.m, b.m, sizeof(a.m)) == 0; }

bool SbMatrix::equals(const SbMatrix &b, float tolerance) const {
    for (int i = 0; i < 4; i++)
        for (int j = 0; j < 4; j++)
            if (std::fabs(m[i][j] - b.m[i][j]) > tolerance) return false;
    return true;
}
