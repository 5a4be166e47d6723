#ifndef SCENE_SBVEC4F_H
#define SCENE_SBVEC4F_H
#include "scene/SceneExport.h"
#include "scene/base/SbVec3f.h"
#include <cmath>

// Four floats: homogeneous points (x, y, z, w).
class SCENE_API SbVec4f {
public:
    SbVec4f() : v{0.0f, 0.0f, 0.0f, 0.0f} {}
    SbVec4f(float x, float y, float z, float w) : v{x, y, z, w} {}
    SbVec4f &setValue(float x, float y, float z, float w) {
        v[0] = x; v[1] = y; v[2] = z; v[3] = w;
        return *this;
    }
    void getValue(float &x, float &y, float &z, float &w) const { x = v[0]; y = v[1]; z = v[2]; w = v[3]; }
    const float *getValue() const { return v; }
    float &operator[](int i) { return v[i]; }
    const float &operator[](int i) const { return v[i]; }
    float dot(const SbVec4f &o) const { return v[0] * o.v[0] + v[1] * o.v[1] + v[2] * o.v[2] + v[3] * o.v[3]; }
    float length() const { return std::sqrt(dot(*this)); }
    float normalize() {
        float len = length();
        if (len > 0.0f) { for (float &c : v) c /= len; }
        return len;
    }
    // The point divided by w (x, y, z only).
    void getReal(SbVec3f &out) const { out.setValue(v[0] / v[3], v[1] / v[3], v[2] / v[3]); }
    SbVec4f &operator+=(const SbVec4f &o) { for (int i = 0; i < 4; i++) v[i] += o.v[i]; return *this; }
    SbVec4f &operator-=(const SbVec4f &o) { for (int i = 0; i < 4; i++) v[i] -= o.v[i]; return *this; }
    SbVec4f &operator*=(float s) { for (float &c : v) c *= s; return *this; }
    SbVec4f &operator/=(float s) { for (float &c : v) c /= s; return *this; }
    SbVec4f operator-() const { return SbVec4f(-v[0], -v[1], -v[2], -v[3]); }
    friend SbVec4f operator+(SbVec4f a, const SbVec4f &b) { return a += b; }
    friend SbVec4f operator-(SbVec4f a, const SbVec4f &b) { return a -= b; }
    friend SbVec4f operator*(SbVec4f a, float s) { return a *= s; }
    friend SbVec4f operator*(float s, SbVec4f a) { return a *= s; }
    friend SbVec4f operator/(SbVec4f a, float s) { return a /= s; }
    friend bool operator==(const SbVec4f &a, const SbVec4f &b) {
        return a.v[0] == b.v[0] && a.v[1] == b.v[1] && a.v[2] == b.v[2] && a.v[3] == b.v[3];
    }
    friend bool operator!=(const SbVec4f &a, const SbVec4f &b) { return !(a == b); }

private:
    float v[4];
};

#endif
