// Value types: row-vector matrices and their composition, rotations, view volumes, viewport
// regions and boxes.
#include "scene_test_util.h"
#include "scene/base/SbBox3f.h"
#include "scene/base/SbMatrix.h"
#include "scene/base/SbRotation.h"
#include "scene/base/SbViewVolume.h"

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

} // namespace

TEST(SbMatrixTest, PointsAreRowVectorsAndProductsApplyTheLeftFactorFirst) {
    SbMatrix s;
    s.setScale(2);
    const SbMatrix t = translation(1, 2, 3);
    EXPECT_EQ(t[3][0], 1.0f);
    EXPECT_EQ(t[3][2], 3.0f);
    EXPECT_EQ(t[0][3], 0.0f);
    EXPECT_TRUE(near3(apply(t, SbVec3f(1, 1, 1)), SbVec3f(2, 3, 4)));
    SbVec3f d;
    t.multDirMatrix(SbVec3f(1, 1, 1), d); // directions ignore the translation
    EXPECT_TRUE(near3(d, SbVec3f(1, 1, 1)));
    SbVec4f h;
    t.multVecMatrix(SbVec4f(1, 1, 1, 2), h); // the homogeneous form keeps w
    EXPECT_FLOAT_EQ(h[0], 3);
    EXPECT_FLOAT_EQ(h[3], 2);
    // p x (S x T): scale first, then translate.
    EXPECT_TRUE(near3(apply(s * t, SbVec3f(1, 0, 0)), SbVec3f(3, 2, 3)));
    EXPECT_TRUE(near3(apply(t * s, SbVec3f(1, 0, 0)), SbVec3f(4, 4, 6)));
    SbMatrix right = s, left = s;
    right.multRight(t);
    left.multLeft(t);
    EXPECT_TRUE(right.equals(s * t, 0));
    EXPECT_TRUE(left.equals(t * s, 0));
}

TEST(SbMatrixTest, SetTransformScalesRotatesTranslatesAndInverts) {
    SbMatrix m;
    m.setTransform(SbVec3f(10, 0, 0), SbRotation(SbVec3f(0, 0, 1), kPi / 2), SbVec3f(2, 1, 1));
    // (1,0,0) -> scaled (2,0,0) -> rotated (0,2,0) -> translated (10,2,0).
    EXPECT_TRUE(near3(apply(m, SbVec3f(1, 0, 0)), SbVec3f(10, 2, 0)));
    // A centre moves the origin of scaling and rotation.
    m.setTransform(SbVec3f(0, 0, 0), SbRotation(SbVec3f(0, 0, 1), kPi), SbVec3f(1, 1, 1), SbRotation(),
                   SbVec3f(1, 0, 0));
    EXPECT_TRUE(near3(apply(m, SbVec3f(0, 0, 0)), SbVec3f(2, 0, 0)));
    m.setTransform(SbVec3f(1, -2, 3), SbRotation(SbVec3f(1, 1, 0), 0.7f), SbVec3f(2, 3, 0.5f));
    EXPECT_TRUE((m * m.inverse()).equals(SbMatrix::identity(), 1e-5f));
    // A singular matrix has no inverse: the identity stands for it.
    m.setScale(0);
    EXPECT_TRUE(m.inverse().equals(SbMatrix::identity(), 0));
}

TEST(SbRotationTest, AxisAngleMatrixAndComposition) {
    const SbRotation a(SbVec3f(0, 0, 1), kPi / 2), b(SbVec3f(1, 0, 0), kPi / 2);
    SbMatrix ma, mb, mab, back;
    a.getValue(ma);
    b.getValue(mb);
    (a * b).getValue(mab);
    SbRotation(ma).getValue(back);
    EXPECT_TRUE(mab.equals(ma * mb, 1e-6f));
    EXPECT_TRUE(back.equals(ma, 1e-6f));
    EXPECT_TRUE(near3(apply(ma, SbVec3f(1, 0, 0)), SbVec3f(0, 1, 0))); // counter-clockwise
    SbVec3f axis;
    float angle;
    a.getValue(axis, angle);
    EXPECT_TRUE(near3(axis, SbVec3f(0, 0, 1)));
    EXPECT_NEAR(angle, kPi / 2, 1e-6);
    // a * b turns by a first: x -> y, then about x: y -> z.
    const struct {
        SbRotation r;
        SbVec3f from, to;
    } cases[] = {
        {a, SbVec3f(0, 1, 0), SbVec3f(-1, 0, 0)},
        {a * b, SbVec3f(1, 0, 0), SbVec3f(0, 0, 1)},
        {b * a, SbVec3f(1, 0, 0), SbVec3f(0, 1, 0)},
        {a * a.inverse(), SbVec3f(0.2f, 0.3f, 0.4f), SbVec3f(0.2f, 0.3f, 0.4f)},
        {SbRotation(SbVec3f(0, 0, -1), SbVec3f(1, 0, 0)), SbVec3f(0, 0, -1), SbVec3f(1, 0, 0)},
        {SbRotation(SbVec3f(0, 0, -1), SbVec3f(0, 0, 1)), SbVec3f(0, 0, -1), SbVec3f(0, 0, 1)},
    };
    for (const auto &c : cases) {
        SbVec3f p;
        c.r.multVec(c.from, p);
        EXPECT_TRUE(near3(p, c.to));
    }
}

TEST(SbViewVolumeTest, NearGoesToMinusOneFarToPlusOneAndTheVisibleSquareToTheUnitSquare) {
    SbViewVolume ortho, persp;
    ortho.ortho(-2, 2, -1, 1, 1, 10);
    persp.perspective(kPi / 2, 2.0f, 1, 10); // half height = near x tan 45 = near
    EXPECT_EQ(ortho.getProjectionType(), SbViewVolume::ORTHOGRAPHIC);
    EXPECT_EQ(persp.getProjectionType(), SbViewVolume::PERSPECTIVE);
    EXPECT_FLOAT_EQ(ortho.getNearDist(), 1);
    EXPECT_FLOAT_EQ(ortho.getWidth(), 4);
    EXPECT_FLOAT_EQ(ortho.getHeight(), 2);
    const struct {
        const SbViewVolume &vv;
        SbVec3f world, ndc;
    } cases[] = {
        {ortho, SbVec3f(-2, -1, -1), SbVec3f(-1, -1, -1)},
        {ortho, SbVec3f(2, 1, -10), SbVec3f(1, 1, 1)},
        {ortho, SbVec3f(0, 0, -5.5f), SbVec3f(0, 0, 0)},
        {persp, SbVec3f(-2, -1, -1), SbVec3f(-1, -1, -1)},
        {persp, SbVec3f(20, 10, -10), SbVec3f(1, 1, 1)},
    };
    for (const auto &c : cases) EXPECT_TRUE(near3(apply(c.vv.getMatrix(), c.world), c.ndc, 1e-4f));
    // x and y divide by the distance: (1, 0.5) at distance 5 is (0.2, 0.1) on the near plane.
    const SbVec3f p = apply(persp.getMatrix(), SbVec3f(1, 0.5f, -5));
    EXPECT_TRUE(near3(SbVec3f(p[0], p[1], 0), SbVec3f(0.1f, 0.1f, 0), 1e-6f));
    EXPECT_GT(p[2], -1.0f);
    EXPECT_LT(p[2], 1.0f);
}

TEST(SbViewVolumeTest, PlacedCameraLooksAlongItsOrientation) {
    SbViewVolume vv;
    vv.ortho(-1, 1, -1, 1, 1, 3);
    // A camera at (5, 0, 0) turned to look along -x.
    vv.rotateCamera(SbRotation(SbVec3f(0, 1, 0), kPi / 2));
    vv.translateCamera(SbVec3f(5, 0, 0));
    SbMatrix affine, proj;
    vv.getMatrices(affine, proj);
    EXPECT_TRUE(near3(vv.getProjectionDirection(), SbVec3f(-1, 0, 0)));
    EXPECT_TRUE(near3(apply(affine, SbVec3f(4, 0, 0)), SbVec3f(0, 0, -1))); // one in front of the eye
    EXPECT_TRUE(near3(apply(vv.getMatrix(), SbVec3f(4, 0, 0)), SbVec3f(0, 0, -1)));
    EXPECT_TRUE(near3(apply(vv.getMatrix(), SbVec3f(2, 0, 0)), SbVec3f(0, 0, 1)));
}

TEST(SbViewportRegionTest, SizesAspectAndEquality) {
    SbViewportRegion r(SbVec2s(400, 200)), same(SbVec2s(400, 200));
    EXPECT_FLOAT_EQ(r.getViewportAspectRatio(), 2.0f);
    r.setViewport(0.5f, 0.0f, 0.5f, 1.0f);
    EXPECT_EQ(r.getViewportSizePixels(), SbVec2i32(200, 200));
    EXPECT_EQ(r.getViewportOriginPixels(), SbVec2i32(200, 0));
    EXPECT_FLOAT_EQ(r.getViewportAspectRatio(), 1.0f);
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
