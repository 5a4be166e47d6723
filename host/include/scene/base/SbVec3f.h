#ifndef SCENE_SBVEC3F_H
#define SCENE_SBVEC3F_H
#include "scene/SceneExport.h"
#include <cmath>

// Three floats: a 3-D point, direction or colour.
class SCENE_API SbVec3f {
public:
    SbVec3f() : v{0.0f, 0.0f, 0.0f} {}
    SbVec3f(float x, float y, float z) : v{x, y, z} {}
    explicit SbVec3f(const float xyz[3]) : v{xyz[0], xyz[1], xyz[2]} {}
    SbVec3f &setValue(float x, float y, float z) { v[0] = x; v[1] = y; v[2] = z; return *this; }
    SbVec3f &setValue(const float xyz[3]) { return setValue(xyz[0], xyz[1], xyz[2]); }
    void getValue(float &x, float &y, float &z) const { x = v[0]; y = v[1]; z = v[2]; }
    const float *getValue() const { return v; }
    float &operator[](int i) { return v[i]; }
    const float &operator[](int i) const { return v[i]; }
    float dot(const SbVec3f &o) const { return v[0] * o.v[0] + v[1] * o.v[1] + v[2] * o.v[2]; }
    SbVec3f cross(const SbVec3f &o) const {
        return SbVec3f(v[1] * o.v[2] - v[2] * o.v[1], v[2] * o.v[0] - v[0] * o.v[2],
                       v[0] * o.v[1] - v[1] * o.v[0]);
    }
    float length() const { return std::sqrt(dot(*this)); }
    float sqrLength() const { return dot(*this); }
    // Scales to unit length; a zero vector stays zero. Returns the former length.
    float normalize() {
        float len = length();
        if (len > 0.0f) { v[0] /= len; v[1] /= len; v[2] /= len; }
        return len;
    }
    void negate() { v[0] = -v[0]; v[1] = -v[1]; v[2] = -v[2]; }
    int equals(const SbVec3f &o, float tolerance) const {
        return (*this - o).sqrLength() <= tolerance * tolerance;
    }
    SbVec3f &operator+=(const SbVec3f &o) { v[0] += o.v[0]; v[1] += o.v[1]; v[2] += o.v[2]; return *this; }
    SbVec3f &operator-=(const SbVec3f &o) { v[0] -= o.v[0]; v[1] -= o.v[1]; v[2] -= o.v[2]; return *this; }
    SbVec3f &operator*=(float s) { v[0] *= s; v[1] *= s; v[2] *= s; return *this; }
    SbVec3f &operator/=(float s) { v[0] /= s; v[1] /= s; v[2] /= s; return *this; }
    SbVec3f operator-() const { return SbVec3f(-v[0], -v[1], -v[2]); }
    friend SbVec3f operator+(SbVec3f a, const SbVec3f &b) { return a += b; }
    friend SbVec3f operator-(SbVec3f a, const SbVec3f &b) { return a -= b; }
    friend SbVec3f operator*(SbVec3f a, float s) { return a *= s; }
    friend SbVec3f operator*(float s, SbVec3f a) { return a *= s; }
    friend SbVec3f operator/(SbVec3f a, float s) { return a /= s; }
    friend bool operator==(const SbVec3f &a, const SbVec3f &b) {
        return a.v[0] == b.v[0] && a.v[1] == b.v[1] && a.v[2] == b.v[2];
    }
    friend bool operator!=(const SbVec3f &a, const SbVec3f &b) { return !(a == b); }

private:
    float v[3];
};

#endif
