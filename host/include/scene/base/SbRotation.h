#ifndef SCENE_SBROTATION_H
#define SCENE_SBROTATION_H
#include "scene/SceneExport.h"
#include "scene/base/SbVec3f.h"
#include "scene/base/SbVec4f.h"

class SbMatrix;

// A rotation held as a unit quaternion (x, y, z, w). Composition follows the matrices:
// (a * b).getValue(m) gives the matrix of a times the matrix of b, so a point is turned by a first.
class SCENE_API SbRotation {
public:
    SbRotation() : q{0.0f, 0.0f, 0.0f, 1.0f} {}
    SbRotation(const SbVec3f &axis, float radians) { setValue(axis, radians); }
    SbRotation(float x, float y, float z, float w) { setValue(x, y, z, w); }
    SbRotation(const SbVec3f &from, const SbVec3f &to) { setValue(from, to); }
    explicit SbRotation(const SbMatrix &m) { setValue(m); }

    SbRotation &setValue(float x, float y, float z, float w);
    SbRotation &setValue(const SbVec3f &axis, float radians);
    SbRotation &setValue(const SbVec3f &from, const SbVec3f &to);
    SbRotation &setValue(const SbMatrix &m);
    const float *getValue() const { return q; }
    void getValue(float &x, float &y, float &z, float &w) const;
    void getValue(SbVec3f &axis, float &radians) const;
    void getValue(SbMatrix &m) const;
    SbRotation inverse() const;
    SbRotation &invert();
    void multVec(const SbVec3f &src, SbVec3f &dst) const;
    SbRotation &operator*=(const SbRotation &o);
    friend SbRotation operator*(const SbRotation &a, const SbRotation &b) { SbRotation r = a; return r *= b; }
    friend bool operator==(const SbRotation &a, const SbRotation &b) {
        return a.q[0] == b.q[0] && a.q[1] == b.q[1] && a.q[2] == b.q[2] && a.q[3] == b.q[3];
    }
    friend bool operator!=(const SbRotation &a, const SbRotation &b) { return !(a == b); }
    static SbRotation identity() { return SbRotation(); }

private:
    void normalize();
    float q[4];
};

#endif
