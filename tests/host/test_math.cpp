// Value types: row-vector matrices and their composition, rotations, view volumes, viewport
// regions and boxes.
#include <gtest/gtest.h>

#include <cmath>

#include "scene_test_util.h"
#include "scene/base/SbBox3f.h"
#include "scene/base/SbMatrix.h"
#include "scene/base/SbRotation.h"
#include "scene/base/SbViewVolume.h"
#include "scene/base/SbViewportRegion.h"

namespace {

constexpr float kPi = 3.14159265358979f;

SbVec3f apply(const SbMatrix &m, const SbVec3f &p) {
    SbVec3f out;
    m.multVecMatrix(p, out);
    return out;
}

SbMatrix translation(float x, float y, float z) {
    SbMatrix m;
    m.setTranslate(SbVec3f(x, y, z));
    return m;
}

SbMatrix scaling(float s) {
    SbMatrix m;
    m.setScale(s);
    return m;
}

} // namespace

TEST(SbMatrixTest, PointsAreRowVectorsWithTranslationInRowThree) {
    const SbMatrix t = translation(1, 2, 3);
    EXPECT_EQ(t[3][0], 1.0f);
    EXPECT_EQ(t[3][1], 2.0f);
    EXPECT_EQ(t[3][2], 3.0f);
    EXPECT_EQ(t[0][3], 0.0f);
    EXPECT_TRUE(near3(apply(t, SbVec3f(1, 1, 1)), SbVec3f(2, 3, 4)));
    // Directions ignore the translation.
    SbVec3f d;
    t.multDirMatrix(SbVec3f(1, 1, 1), d);
    EXPECT_TRUE(near3(d, SbVec3f(1, 1, 1)));
    // Homogeneous form keeps w.
    SbVec4f h;
    t.multVecMatrix(SbVec4f(1, 1, 1, 2), h);
    EXPECT_FLOAT_EQ(h[0], 3);
    EXPECT_FLOAT_EQ(h[3], 2);
}

TEST(SbMatrixTest, ProductAppliesTheLeftFactorFirst) {
    const SbMatrix s = scaling(2), t = translation(1, 0, 0);
    // p x (S x T): scale first, then translate.
    EXPECT_TRUE(near3(apply(s * t, SbVec3f(1, 0, 0)), SbVec3f(3, 0, 0)));
    EXPECT_TRUE(near3(apply(t * s, SbVec3f(1, 0, 0)), SbVec3f(4, 0, 0)));
    SbMatrix right = s;
    right.multRight(t);
    EXPECT_TRUE(right.equals(s * t, 0));
    SbMatrix left = s;
    left.multLeft(t);
    EXPECT_TRUE(left.equals(t * s, 0));
}

TEST(SbMatrixTest, InverseUndoesATransform) {
    SbMatrix m;
    m.setTransform(SbVec3f(1, -2, 3), SbRotation(SbVec3f(1, 1, 0), 0.7f), SbVec3f(2, 3, 0.5f));
    EXPECT_TRUE((m * m.inverse()).equals(SbMatrix::identity(), 1e-5f));
    const SbVec3f p(0.3f, -4, 2);
    EXPECT_TRUE(near3(apply(m.inverse(), apply(m, p)), p, 1e-4f));
    // A singular matrix has no inverse: the identity stands for it.
    EXPECT_TRUE(scaling(0).inverse().equals(SbMatrix::identity(), 0));
}

TEST(SbMatrixTest, SetTransformScalesThenRotatesThenTranslates) {
    SbMatrix m;
    m.setTransform(SbVec3f(10, 0, 0), SbRotation(SbVec3f(0, 0, 1), kPi / 2), SbVec3f(2, 1, 1));
    // (1,0,0) -> scaled (2,0,0) -> rotated (0,2,0) -> translated (10,2,0).
    EXPECT_TRUE(near3(apply(m, SbVec3f(1, 0, 0)), SbVec3f(10, 2, 0)));
    // A centre moves the origin of scaling and rotation.
    m.setTransform(SbVec3f(0, 0, 0), SbRotation(SbVec3f(0, 0, 1), kPi), SbVec3f(1, 1, 1), SbRotation(),
                   SbVec3f(1, 0, 0));
    EXPECT_TRUE(near3(apply(m, SbVec3f(0, 0, 0)), SbVec3f(2, 0, 0)));
}

TEST(SbRotationTest, AxisAngleToMatrixTurnsCounterClockwise) {
    const SbRotation r(SbVec3f(0, 0, 1), kPi / 2);
    SbMatrix m;
    r.getValue(m);
    EXPECT_TRUE(near3(apply(m, SbVec3f(1, 0, 0)), SbVec3f(0, 1, 0)));
    SbVec3f turned;
    r.multVec(SbVec3f(0, 1, 0), turned);
    EXPECT_TRUE(near3(turned, SbVec3f(-1, 0, 0)));
    SbVec3f axis;
    float angle;
    r.getValue(axis, angle);
    EXPECT_TRUE(near3(axis, SbVec3f(0, 0, 1)));
    EXPECT_NEAR(angle, kPi / 2, 1e-6);
    // Back from the matrix.
    SbRotation back(m);
    SbMatrix m2;
    back.getValue(m2);
    EXPECT_TRUE(m2.equals(m, 1e-6f));
}

TEST(SbRotationTest, CompositionMatchesTheMatrixProduct) {
    const SbRotation a(SbVec3f(0, 0, 1), kPi / 2), b(SbVec3f(1, 0, 0), kPi / 2);
    SbMatrix ma, mb, mab;
    a.getValue(ma);
    b.getValue(mb);
    (a * b).getValue(mab);
    EXPECT_TRUE(mab.equals(ma * mb, 1e-6f));
    // a first: x -> y, then b about x: y -> z.
    SbVec3f p;
    (a * b).multVec(SbVec3f(1, 0, 0), p);
    EXPECT_TRUE(near3(p, SbVec3f(0, 0, 1)));
    (b * a).multVec(SbVec3f(1, 0, 0), p);
    EXPECT_TRUE(near3(p, SbVec3f(0, 1, 0)));
    // The inverse undoes, and from/to rotations reach their target.
    (a * a.inverse()).multVec(SbVec3f(0.2f, 0.3f, 0.4f), p);
    EXPECT_TRUE(near3(p, SbVec3f(0.2f, 0.3f, 0.4f)));
    SbRotation(SbVec3f(0, 0, -1), SbVec3f(1, 0, 0)).multVec(SbVec3f(0, 0, -1), p);
    EXPECT_TRUE(near3(p, SbVec3f(1, 0, 0)));
    SbRotation(SbVec3f(0, 0, -1), SbVec3f(0, 0, 1)).multVec(SbVec3f(0, 0, -1), p);
    EXPECT_TRUE(near3(p, SbVec3f(0, 0, 1)));
}

namespace {
SbVec3f project(const SbViewVolume &vv, const SbVec3f &world) { return apply(vv.getMatrix(), world); }
} // namespace

TEST(SbViewVolumeTest, OrthographicMapsNearToMinusOneAndFarToPlusOne) {
    SbViewVolume vv;
    vv.ortho(-2, 2, -1, 1, 1, 10);
    EXPECT_EQ(vv.getProjectionType(), SbViewVolume::ORTHOGRAPHIC);
    EXPECT_TRUE(near3(project(vv, SbVec3f(-2, -1, -1)), SbVec3f(-1, -1, -1)));
    EXPECT_TRUE(near3(project(vv, SbVec3f(2, 1, -10)), SbVec3f(1, 1, 1)));
    EXPECT_TRUE(near3(project(vv, SbVec3f(0, 0, -5.5f)), SbVec3f(0, 0, 0)));
    EXPECT_FLOAT_EQ(vv.getNearDist(), 1);
    EXPECT_FLOAT_EQ(vv.getWidth(), 4);
    EXPECT_FLOAT_EQ(vv.getHeight(), 2);
}

TEST(SbViewVolumeTest, PerspectiveMapsTheFrustumToTheCube) {
    SbViewVolume vv;
    vv.perspective(kPi / 2, 2.0f, 1, 10); // half height = near x tan 45 = near
    EXPECT_EQ(vv.getProjectionType(), SbViewVolume::PERSPECTIVE);
    EXPECT_TRUE(near3(project(vv, SbVec3f(-2, -1, -1)), SbVec3f(-1, -1, -1)));
    EXPECT_TRUE(near3(project(vv, SbVec3f(20, 10, -10)), SbVec3f(1, 1, 1), 1e-4f));
    // x and y divide by the distance: (1, 0.5) at distance 5 is (0.2, 0.1) on the near plane.
    const SbVec3f p = project(vv, SbVec3f(1, 0.5f, -5));
    EXPECT_NEAR(p[0], 0.1f, 1e-6);
    EXPECT_NEAR(p[1], 0.1f, 1e-6);
    EXPECT_GT(p[2], -1.0f);
    EXPECT_LT(p[2], 1.0f);
}

TEST(SbViewVolumeTest, PlacedCameraLooksAlongItsOrientation) {
    SbViewVolume vv;
    vv.ortho(-1, 1, -1, 1, 1, 3);
    // A camera at (5, 0, 0) turned to look along -x.
    vv.rotateCamera(SbRotation(SbVec3f(0, 1, 0), kPi / 2));
    vv.translateCamera(SbVec3f(5, 0, 0));
    EXPECT_TRUE(near3(vv.getProjectionDirection(), SbVec3f(-1, 0, 0)));
    EXPECT_TRUE(near3(project(vv, SbVec3f(4, 0, 0)), SbVec3f(0, 0, -1)));
    EXPECT_TRUE(near3(project(vv, SbVec3f(2, 0, 0)), SbVec3f(0, 0, 1)));
    SbMatrix affine, proj;
    vv.getMatrices(affine, proj);
    EXPECT_TRUE(near3(apply(affine, SbVec3f(4, 0, 0)), SbVec3f(0, 0, -1)));
}

TEST(SbViewportRegionTest, SizesAspectAndEquality) {
    SbViewportRegion r(SbVec2s(400, 200));
    EXPECT_FLOAT_EQ(r.getViewportAspectRatio(), 2.0f);
    r.setViewport(0.5f, 0.0f, 0.5f, 1.0f);
    EXPECT_EQ(r.getViewportSizePixels(), SbVec2i32(200, 200));
    EXPECT_EQ(r.getViewportOriginPixels(), SbVec2i32(200, 0));
    EXPECT_FLOAT_EQ(r.getViewportAspectRatio(), 1.0f);
    SbViewportRegion same(SbVec2s(400, 200));
    same.setViewportPixels(SbVec2i32(200, 0), SbVec2i32(200, 200));
    EXPECT_TRUE(r == same);
    same.setWindowSize(SbVec2i32(800, 200));
    EXPECT_FALSE(r == same);
    EXPECT_EQ(same.getViewportSizePixels(), SbVec2i32(400, 200));
}

TEST(SbBox3fTest, ExtendTransformAndIntersect) {
    SbBox3f box;
    EXPECT_TRUE(box.isEmpty());
    box.extendBy(SbVec3f(1, 2, 3));
    EXPECT_FALSE(box.isEmpty());
    box.extendBy(SbVec3f(-1, 0, 5));
    EXPECT_TRUE(near3(box.getCenter(), SbVec3f(0, 1, 4)));
    box.transform(translation(10, 0, 0));
    EXPECT_TRUE(near3(box.getMin(), SbVec3f(9, 0, 3)));
    EXPECT_TRUE(box.intersect(SbVec3f(10, 1, 4)));
    EXPECT_FALSE(box.intersect(SbVec3f(0, 1, 4)));
    SbBox3f rotated(-1, -2, 0, 1, 2, 0);
    SbMatrix quarter;
    quarter.setRotate(SbRotation(SbVec3f(0, 0, 1), kPi / 2));
    rotated.transform(quarter);
    EXPECT_TRUE(near3(rotated.getMax(), SbVec3f(2, 1, 0)));
}
