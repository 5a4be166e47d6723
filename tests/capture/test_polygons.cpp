// Triangle capture and polygon clipping, seen through a recording format.
#include "CaptureTestSupport.h"
#include "scene/nodes/SoPattern.h"
#include <cmath>

using namespace capture_test;

TEST(TriangleTest, ATriangleInsideKeepsItsThreeVerticesInOrder) {
    const Printed p =
        print("Coordinate3 { point [ -0.5 -0.5 0.25, 0.5 -0.5 0, 0 0.5 0 ] } FaceSet { }");
    ASSERT_EQ(p.kinds, "polygon");
    expectNpc(p.calls[0], {{-0.5f, -0.5f}, {0.5f, -0.5f}, {0, 0.5f}});
    EXPECT_EQ(p.calls[0].points[0][2], 0.25f);
    EXPECT_EQ(p.calls[0].patternBits, nullptr); // no pattern in the state
    expectColor(p.calls[0].colors[0], SbColor(0.8f, 0.8f, 0.8f));
}

TEST(TriangleTest, CrossingTheRightEdgeMakesAQuadrilateralWithInterpolatedColours) {
    const Printed p =
        print(kRgbPerVertex + "Coordinate3 { point [ 0 0 0, 2 0 0, 0 1 0 ] } FaceSet { }");
    ASSERT_EQ(p.kinds, "polygon");
    // A, the cut of AB at x = 1, the cut of BC at x = 1, C: the input's cyclic order.
    expectNpc(p.calls[0], {{0, 0}, {1, 0}, {1, 0.5f}, {0, 1}});
    expectColors(p.calls[0], {red, SbColor(0.5f, 0.5f, 0), SbColor(0, 0.5f, 0.5f), blue});
}

TEST(TriangleTest, CutByAllSixPlanesANineSidedPolygonFillsTheTenEntries) {
    // The triangle a, b, c crosses the near and far planes and all four sides: what remains has
    // nine vertices, the most a triangle can keep, and the passes use all ten entries of the
    // capture's arrays (the outline's closing vertex too; an overrun shows under the
    // sanitizers). The vertices are where the triangle's plane, 5.3125 x + 9.75 y - 11 z = 6.0,
    // meets the edges of the cube [-1, 1]^3 and the triangle's own edges, in the triangle's
    // cyclic order. Their colours are the barycentric mix of the corners' colours there.
    const SbVec3f a(-2.75f, -0.5f, -1.75f), b(0.25f, 1.25f, 1.25f), c(2.25f, -1.25f, 0);
    const float expected[9][3] = {
        {-1.00000f, 0.52083f, 0.00000f},  {-0.17857f, 1.00000f, 0.82143f},
        {0.19118f, 1.00000f, 1.00000f},   {0.65000f, 0.75000f, 1.00000f},
        {1.00000f, 0.31250f, 0.78125f},   {1.00000f, -1.00000f, -0.38210f},
        {0.58333f, -1.00000f, -0.58333f}, {-0.60714f, -0.82143f, -1.00000f},
        {-1.00000f, -0.60737f, -1.00000f}};
    const float det = (b[1] - c[1]) * (a[0] - c[0]) + (c[0] - b[0]) * (a[1] - c[1]);
    for (const char *style : {"FILLED", "LINES"}) {
        const bool filled = std::string(style) == "FILLED";
        const Printed p =
            print(std::string("DrawStyle { style ") + style + " } " + kRgbPerVertex +
                  "Coordinate3 { point [ -2.75 -0.5 -1.75, 0.25 1.25 1.25, 2.25 -1.25 0 ] } "
                  "FaceSet { }");
        ASSERT_EQ(p.kinds, filled ? "polygon" : "polyline");
        const RecordedCall &cut = p.calls[0];
        ASSERT_EQ(cut.points.size(), filled ? 9u : 10u);
        ASSERT_EQ(cut.colors.size(), cut.points.size());
        // The polygon may start at any of its vertices.
        size_t first = 0;
        while (first < 9 && std::abs(cut.points[first][0] - pageX(expected[0][0])) +
                                    std::abs(cut.points[first][1] - pageY(expected[0][1])) >
                                0.01f)
            first++;
        ASSERT_LT(first, 9u);
        for (size_t k = 0; k < 9; k++) {
            const size_t i = (first + k) % 9;
            const float x = expected[k][0], y = expected[k][1];
            expectPagePoint(cut.points[i], pageX(x), pageY(y), 2e-3f);
            EXPECT_NEAR(cut.points[i][2], expected[k][2], 1e-4f) << "vertex " << k;
            const float wa = ((b[1] - c[1]) * (x - c[0]) + (c[0] - b[0]) * (y - c[1])) / det;
            const float wb = ((c[1] - a[1]) * (x - c[0]) + (a[0] - c[0]) * (y - c[1])) / det;
            expectColor(cut.colors[i], SbColor(wa, wb, 1 - wa - wb), 1e-4f);
        }
        if (!filled) {
            EXPECT_EQ(cut.points[9], cut.points[0]);
        }
    }
}

TEST(TriangleTest, AVertexOnTheEdgeWithTheOthersBeyondGivesThatVertexThreeTimes) {
    const Printed p = print("Coordinate3 { point [ 1 0 0, 2 -0.5 0, 2 0.5 0 ] } FaceSet { }");
    ASSERT_EQ(p.kinds, "polygon");
    ASSERT_EQ(p.calls[0].points.size(), 3u);
    for (const SbVec4f &point : p.calls[0].points)
        EXPECT_EQ(point, SbVec4f(190, 138.5f, 0, 1));
}

TEST(TriangleTest, OutsideTheVolumeOrWithThreeTransparentVerticesATriangleIsDropped) {
    // In front of the near plane, beyond the far one, or outside.
    EXPECT_EQ(print("Coordinate3 { point [ -0.5 0 -1.5, 0.5 0 -1.2, 0 0.5 -3, "
                    "1.1 0 0, 1.5 0 0, 1.2 0.5 0, -0.5 0 1.1, 0.5 0 1.2, 0 0.5 3 ] } "
                    "FaceSet { numVertices [ 3, 3, 3 ] }")
                  .kinds,
              "");
    for (const char *middle : {"1", "0"}) {
        const Printed p = print(std::string("Material { diffuseColor [ 1 0 0, 0 1 0, 0 0 1 ] "
                                            "transparency [ 1, ") +
                                middle +
                                ", 1 ] } MaterialBinding { value PER_VERTEX } "
                                "Coordinate3 { point [ 0 0 0, 0.5 0 0, 0 0.5 0 ] } FaceSet { }");
        ASSERT_EQ(p.kinds, *middle == '1' ? "" : "polygon");
        if (*middle == '0') expectColors(p.calls[0], {red, green, blue});
    }
}

TEST(TriangleTest, TheFillPatternGoesWithFilledFacesOnly) {
    Scene scene("Pattern { category \"hatch\" name \"diagonal\" rows [ 0x80000000, 0x40000000 ] } "
                "Coordinate3 { point [ 0 0 0, 0.5 0 0, 0 0.5 0 ] } FaceSet { } "
                "DrawStyle { style LINES } FaceSet { }");
    RecordingAction action;
    const Printed p = print(scene.root, action);
    ASSERT_EQ(p.kinds, "polygon polyline");
    EXPECT_EQ(p.calls[0].text, "hatch/diagonal");
    ASSERT_NE(p.calls[0].patternBits, nullptr);
    EXPECT_EQ(p.calls[0].patternBits,
              static_cast<SoPattern *>(scene.root->getChild(0))->getPatternBytes());
}
