#ifndef SCENE_SBVEC2F_H
#define SCENE_SBVEC2F_H
#include "scene/SceneExport.h"
#include <cmath>

// Two floats: a 2-D point or vector.
class SCENE_API SbVec2f {
public:
    SbVec2f() : v{0.0f, 0.0f} {}
    SbVec2f(float x, float y) : v{x, y} {}
    SbVec2f &setValue(float x, float y) { v[0] = x; v[1] = y; return *this; }
    void getValue(float &x, float &y) const { x = v[0]; y = v[1]; }
    const float *getValue() const { return v; }
    float &operator[](int i) { return v[i]; }
    const float &operator[](int i) const { return v[i]; }
    float dot(const SbVec2f &o) const { return v[0] * o.v[0] + v[1] * o.v[1]; }
    float length() const { return std::sqrt(dot(*this)); }
    float normalize() {
        float len = length();
        if (len > 0.0f) { v[0] /= len; v[1] /= len; }
        return len;
    }
    void negate() { v[0] = -v[0]; v[1] = -v[1]; }
    SbVec2f &operator+=(const SbVec2f &o) { v[0] += o.v[0]; v[1] += o.v[1]; return *this; }
    SbVec2f &operator-=(const SbVec2f &o) { v[0] -= o.v[0]; v[1] -= o.v[1]; return *this; }
    SbVec2f &operator*=(float s) { v[0] *= s; v[1] *= s; return *this; }
    SbVec2f &operator/=(float s) { v[0] /= s; v[1] /= s; return *this; }
    SbVec2f operator-() const { return SbVec2f(-v[0], -v[1]); }
    friend SbVec2f operator+(SbVec2f a, const SbVec2f &b) { return a += b; }
    friend SbVec2f operator-(SbVec2f a, const SbVec2f &b) { return a -= b; }
    friend SbVec2f operator*(SbVec2f a, float s) { return a *= s; }
    friend SbVec2f operator*(float s, SbVec2f a) { return a *= s; }
    friend SbVec2f operator/(SbVec2f a, float s) { return a /= s; }
    friend bool operator==(const SbVec2f &a, const SbVec2f &b) { return a.v[0] == b.v[0] && a.v[1] == b.v[1]; }
    friend bool operator!=(const SbVec2f &a, const SbVec2f &b) { return !(a == b); }

private:
    float v[2];
};

#endif
