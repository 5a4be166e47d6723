#ifndef SCENE_SBMATRIX_H
#define SCENE_SBMATRIX_H
#include "scene/SceneExport.h"
#include "scene/base/SbRotation.h"
#include "scene/base/SbVec3f.h"
#include "scene/base/SbVec4f.h"

typedef float SbMat[4][4];

// A 4x4 float matrix for ROW vectors: a point p becomes p x M, so the translation sits in row 3
// and a product A x B applies A first. multRight(B) gives this x B, multLeft(A) gives A x this.
class SCENE_API SbMatrix {
public:
    SbMatrix() { makeIdentity(); }
    SbMatrix(float a11, float a12, float a13, float a14, float a21, float a22, float a23, float a24,
             float a31, float a32, float a33, float a34, float a41, float a42, float a43, float a44);
    explicit SbMatrix(const SbMat &m) { setValue(m); }

    void setValue(const SbMat &m);
    const SbMat &getValue() const { return m; }
    void getValue(SbMat &out) const;
    void makeIdentity();
    static SbMatrix identity() { return SbMatrix(); }
    void setRotate(const SbRotation &r);
    void setScale(float s);
    void setScale(const SbVec3f &s);
    void setTranslate(const SbVec3f &t);
    // M = S x R x T: scale, then rotate, then translate.
    void setTransform(const SbVec3f &t, const SbRotation &r, const SbVec3f &s);
    // M = (-C) x SO^-1 x S x SO x R x C x T.
    void setTransform(const SbVec3f &t, const SbRotation &r, const SbVec3f &s, const SbRotation &so);
    void setTransform(const SbVec3f &t, const SbRotation &r, const SbVec3f &s, const SbRotation &so,
                      const SbVec3f &center);
    float det3() const;
    float det4() const;
    // The inverse; a singular matrix gives the identity.
    SbMatrix inverse() const;
    SbMatrix transpose() const;
    SbMatrix &multRight(const SbMatrix &b);
    SbMatrix &multLeft(const SbMatrix &a);
    // Point (x, y, z, 1) x M divided by the resulting w.
    void multVecMatrix(const SbVec3f &src, SbVec3f &dst) const;
    // Homogeneous point x M, all four components, no division.
    void multVecMatrix(const SbVec4f &src, SbVec4f &dst) const;
    // Direction x upper-left 3x3 block (no translation).
    void multDirMatrix(const SbVec3f &src, SbVec3f &dst) const;
    float *operator[](int i) { return m[i]; }
    const float *operator[](int i) const { return m[i]; }
    SbMatrix &operator*=(const SbMatrix &b) { return multRight(b); }
    friend SbMatrix operator*(const SbMatrix &a, const SbMatrix &b) { SbMatrix r = a; return r.multRight(b); }
    friend SCENE_API bool operator==(const SbMatrix &a, const SbMatrix &b);
    friend bool operator!=(const SbMatrix &a, const SbMatrix &b) { return !(a == b); }
    bool equals(const SbMatrix &b, float tolerance) const;

private:
    SbMat m;
};

#endif
