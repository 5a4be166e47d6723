// Triangle capture and polygon clipping, seen through a recording format.
#include "CaptureTestSupport.h"
#include "scene/nodes/SoPattern.h"
#include <algorithm>

using namespace capture_test;

namespace {
const SbColor red(1, 0, 0), green(0, 1, 0), blue(0, 0, 1);

// The colour at (x, y) of a triangle whose corners a, b, c carry the colours ca, cb, cc, by
// barycentric weights: what interpolation along the cut edges must give at any vertex the
// clipping creates.
SbColor barycentricColor(const SbVec3f &a, const SbVec3f &b, const SbVec3f &c, const SbColor &ca,
                         const SbColor &cb, const SbColor &cc, float x, float y) {
    const float det = (b[1] - c[1]) * (a[0] - c[0]) + (c[0] - b[0]) * (a[1] - c[1]);
    const float wa = ((b[1] - c[1]) * (x - c[0]) + (c[0] - b[0]) * (y - c[1])) / det;
    const float wb = ((c[1] - a[1]) * (x - c[0]) + (a[0] - c[0]) * (y - c[1])) / det;
    const float wc = 1.0f - wa - wb;
    return SbColor(ca * wa + cb * wb + cc * wc);
}

// Index of the printed point nearest to (x, y), to compare polygons whose first vertex is not
// fixed by the test.
size_t indexOf(const std::vector<SbVec4f> &points, float x, float y) {
    size_t best = 0;
    float bestDistance = 1e30f;
    for (size_t i = 0; i < points.size(); i++) {
        const float dx = points[i][0] - x, dy = points[i][1] - y;
        if (dx * dx + dy * dy < bestDistance) {
            bestDistance = dx * dx + dy * dy;
            best = i;
        }
    }
    return best;
}
} // namespace

TEST(TriangleTest, ATriangleInsideKeepsItsThreeVerticesInOrder) {
    Scene scene;
    addTriangle(scene, SbVec3f(-0.5f, -0.5f, 0.25f), SbVec3f(0.5f, -0.5f, 0), SbVec3f(0, 0.5f, 0));
    RecordingAction action;
    action.apply(scene.root);
    std::vector<RecordedCall> polygons = action.callsOf("polygon");
    ASSERT_EQ(polygons.size(), 1u);
    ASSERT_EQ(polygons[0].points.size(), 3u);
    expectPagePoint(polygons[0].points[0], 47.5f, 69.25f);
    expectPagePoint(polygons[0].points[1], 142.5f, 69.25f);
    expectPagePoint(polygons[0].points[2], 95.0f, 207.75f);
    EXPECT_EQ(polygons[0].points[0][2], 0.25f);
    // Without a pattern in the state.
    EXPECT_EQ(polygons[0].patternBits, nullptr);
    expectColor(polygons[0].colors[0], 0.8f, 0.8f, 0.8f);
}

TEST(TriangleTest, CrossingTheRightEdgeMakesAQuadrilateralWithInterpolatedColours) {
    Scene scene;
    addPerVertexMaterial(scene, {red, green, blue});
    addTriangle(scene, SbVec3f(0, 0, 0), SbVec3f(2, 0, 0), SbVec3f(0, 1, 0));
    RecordingAction action;
    action.apply(scene.root);
    std::vector<RecordedCall> polygons = action.callsOf("polygon");
    ASSERT_EQ(polygons.size(), 1u);
    const RecordedCall &quad = polygons[0];
    ASSERT_EQ(quad.points.size(), 4u);
    // A, the cut of AB at x = 1, the cut of BC at x = 1, C: the input's cyclic order.
    expectPagePoint(quad.points[0], 95.0f, 138.5f);
    expectPagePoint(quad.points[1], 190.0f, 138.5f);
    expectPagePoint(quad.points[2], 190.0f, 207.75f);
    expectPagePoint(quad.points[3], 95.0f, 277.0f);
    expectColor(quad.colors[0], 1, 0, 0);
    expectColor(quad.colors[1], 0.5f, 0.5f, 0);
    expectColor(quad.colors[2], 0, 0.5f, 0.5f);
    expectColor(quad.colors[3], 0, 0, 1);
}

TEST(TriangleTest, CutByTheFourSidesAndTheNearPlaneItStaysInTenEntries) {
    // The triangle covers the whole square; its plane z = (x + y) / 2 - 0.2 meets the near plane
    // z = -1 along x + y = -1.6, which cuts the square's lower-left corner. What remains is the
    // pentagon (-0.6, -1), (1, -1), (1, 1), (-1, 1), (-1, -0.6). Nine vertices at most exist at
    // any time; the capture's arrays have ten entries (an overrun shows under the sanitizers).
    const SbVec3f a(-3, -1.5f, -2.45f), b(3, -1.5f, 0.55f), c(0, 3, 1.3f);
    Scene scene;
    addPerVertexMaterial(scene, {red, green, blue});
    addTriangle(scene, a, b, c);
    RecordingAction action;
    action.apply(scene.root);
    std::vector<RecordedCall> polygons = action.callsOf("polygon");
    ASSERT_EQ(polygons.size(), 1u);
    const RecordedCall &pentagon = polygons[0];
    ASSERT_EQ(pentagon.points.size(), 5u);
    const float corners[5][2] = {{-0.6f, -1}, {1, -1}, {1, 1}, {-1, 1}, {-1, -0.6f}};
    const size_t first = indexOf(pentagon.points, pageX(corners[0][0]), pageY(corners[0][1]));
    for (size_t k = 0; k < 5; k++) {
        const size_t i = (first + k) % 5;
        const float x = corners[k][0], y = corners[k][1];
        expectPagePoint(pentagon.points[i], pageX(x), pageY(y), 2e-3f);
        EXPECT_NEAR(pentagon.points[i][2], 0.5f * (x + y) - 0.2f, 1e-5f);
        const SbColor expected = barycentricColor(a, b, c, red, green, blue, x, y);
        expectColor(pentagon.colors[i], expected[0], expected[1], expected[2], 1e-4f);
    }
}

TEST(TriangleTest, CutByAllSixPlanesANineSidedPolygonFillsTheTenEntries) {
    // This triangle crosses the near and far planes and all four sides: what remains has nine
    // vertices, the most a triangle can keep, and the passes use all ten entries of the capture's
    // arrays (the outline's closing vertex too). The vertices are where the triangle's plane,
    // 5.3125 x + 9.75 y - 11 z = 6.0, meets the edges of the cube [-1, 1]^3 and the triangle's
    // own edges, in the triangle's cyclic order.
    const SbVec3f a(-2.75f, -0.5f, -1.75f), b(0.25f, 1.25f, 1.25f), c(2.25f, -1.25f, 0);
    const float expected[9][3] = {
        {-1.00000f, 0.52083f, 0.00000f},  {-0.17857f, 1.00000f, 0.82143f},
        {0.19118f, 1.00000f, 1.00000f},   {0.65000f, 0.75000f, 1.00000f},
        {1.00000f, 0.31250f, 0.78125f},   {1.00000f, -1.00000f, -0.38210f},
        {0.58333f, -1.00000f, -0.58333f}, {-0.60714f, -0.82143f, -1.00000f},
        {-1.00000f, -0.60737f, -1.00000f}};
    for (int style : {SoDrawStyle::FILLED, SoDrawStyle::LINES}) {
        Scene scene;
        addDrawStyle(scene, style);
        addTriangle(scene, a, b, c);
        RecordingAction action;
        action.apply(scene.root);
        const bool filled = style == SoDrawStyle::FILLED;
        std::vector<RecordedCall> calls = action.callsOf(filled ? "polygon" : "polyline");
        ASSERT_EQ(calls.size(), 1u);
        const std::vector<SbVec4f> &points = calls[0].points;
        ASSERT_EQ(points.size(), filled ? 9u : 10u);
        const size_t first = indexOf(points, pageX(expected[0][0]), pageY(expected[0][1]));
        for (size_t k = 0; k < 9; k++) {
            const SbVec4f &p = points[(first + k) % 9];
            expectPagePoint(p, pageX(expected[k][0]), pageY(expected[k][1]), 2e-3f);
            EXPECT_NEAR(p[2], expected[k][2], 1e-4f) << "vertex " << k;
        }
        if (!filled) {
            EXPECT_EQ(points[9], points[0]);
        }
    }
}

TEST(TriangleTest, AVertexOnTheEdgeWithTheOthersBeyondGivesThatVertexThreeTimes) {
    Scene scene;
    addTriangle(scene, SbVec3f(1, 0, 0), SbVec3f(2, -0.5f, 0), SbVec3f(2, 0.5f, 0));
    RecordingAction action;
    action.apply(scene.root);
    std::vector<RecordedCall> polygons = action.callsOf("polygon");
    ASSERT_EQ(polygons.size(), 1u);
    ASSERT_EQ(polygons[0].points.size(), 3u);
    for (const SbVec4f &p : polygons[0].points) {
        EXPECT_EQ(p[0], 190.0f);
        EXPECT_EQ(p[1], 138.5f);
    }
}

TEST(TriangleTest, TrianglesInFrontOfTheNearPlaneOrOutsideAreDropped) {
    Scene scene;
    addTriangle(scene, SbVec3f(-0.5f, 0, -1.5f), SbVec3f(0.5f, 0, -1.2f), SbVec3f(0, 0.5f, -3));
    addTriangle(scene, SbVec3f(1.1f, 0, 0), SbVec3f(1.5f, 0, 0), SbVec3f(1.2f, 0.5f, 0));
    addTriangle(scene, SbVec3f(-0.5f, 0, 1.1f), SbVec3f(0.5f, 0, 1.2f), SbVec3f(0, 0.5f, 3));
    RecordingAction action;
    action.apply(scene.root);
    EXPECT_EQ(primitiveKinds(action), "");
}

TEST(TriangleTest, TransparentVerticesDropOnlyWhenAllThreeAre) {
    {
        Scene scene;
        addPerVertexMaterial(scene, {red}, {1, 1, 1});
        addTriangle(scene, SbVec3f(0, 0, 0), SbVec3f(0.5f, 0, 0), SbVec3f(0, 0.5f, 0));
        RecordingAction action;
        action.apply(scene.root);
        EXPECT_EQ(primitiveKinds(action), "");
    }
    {
        Scene scene;
        addPerVertexMaterial(scene, {red, green, blue}, {1, 0, 1});
        addTriangle(scene, SbVec3f(0, 0, 0), SbVec3f(0.5f, 0, 0), SbVec3f(0, 0.5f, 0));
        RecordingAction action;
        action.apply(scene.root);
        std::vector<RecordedCall> polygons = action.callsOf("polygon");
        ASSERT_EQ(polygons.size(), 1u);
        ASSERT_EQ(polygons[0].points.size(), 3u);
        expectColor(polygons[0].colors[0], 1, 0, 0);
        expectColor(polygons[0].colors[1], 0, 1, 0);
        expectColor(polygons[0].colors[2], 0, 0, 1);
    }
}

TEST(TriangleTest, DrawStyleLinesClosesTheOutlineAndPointsMarkTheVertices) {
    {
        Scene scene;
        SoDrawStyle *style = addDrawStyle(scene, SoDrawStyle::LINES);
        style->lineWidth = 2.0f;
        style->linePattern = 0xF0F0;
        addPerVertexMaterial(scene, {red, green, blue});
        addTriangle(scene, SbVec3f(0, 0, 0), SbVec3f(0.5f, 0, 0), SbVec3f(0, 0.5f, 0));
        RecordingAction action;
        action.apply(scene.root);
        EXPECT_EQ(primitiveKinds(action), "polyline");
        std::vector<RecordedCall> lines = action.callsOf("polyline");
        ASSERT_EQ(lines.size(), 1u);
        ASSERT_EQ(lines[0].points.size(), 4u);
        EXPECT_EQ(lines[0].points[3], lines[0].points[0]);
        EXPECT_EQ(lines[0].multiColor, 1);
        ASSERT_EQ(lines[0].colors.size(), 4u);
        expectColor(lines[0].colors[3], 1, 0, 0);
        EXPECT_EQ(lines[0].size, 2.0f);
        EXPECT_EQ(lines[0].pattern, 0xF0F0);
    }
    {
        Scene scene;
        SoDrawStyle *style = addDrawStyle(scene, SoDrawStyle::POINTS);
        style->pointSize = 5.0f;
        addTriangle(scene, SbVec3f(0, 0, 0), SbVec3f(0.5f, 0, 0), SbVec3f(0, 0.5f, 0));
        RecordingAction action;
        action.apply(scene.root);
        EXPECT_EQ(primitiveKinds(action), "marks");
        std::vector<RecordedCall> marks = action.callsOf("marks");
        ASSERT_EQ(marks.size(), 1u);
        ASSERT_EQ(marks[0].points.size(), 3u);
        expectPagePoint(marks[0].points[1], pageX(0.5f), pageY(0));
        EXPECT_EQ(marks[0].size, 5.0f);
    }
    {
        Scene scene;
        addDrawStyle(scene, SoDrawStyle::INVISIBLE);
        addTriangle(scene, SbVec3f(0, 0, 0), SbVec3f(0.5f, 0, 0), SbVec3f(0, 0.5f, 0));
        RecordingAction action;
        action.apply(scene.root);
        EXPECT_EQ(primitiveKinds(action), "");
    }
}

TEST(TriangleTest, TheFillPatternGoesWithFilledFacesOnly) {
    Scene scene;
    SoPattern *pattern = scene.add(new SoPattern);
    pattern->category = "hatch";
    pattern->name = "diagonal";
    for (int i = 0; i < 32; i++)
        pattern->rows.set1Value(i, 0x80000000u >> i);
    addTriangle(scene, SbVec3f(0, 0, 0), SbVec3f(0.5f, 0, 0), SbVec3f(0, 0.5f, 0));
    addDrawStyle(scene, SoDrawStyle::LINES);
    scene.add(new SoFaceSet);
    RecordingAction action;
    action.apply(scene.root);
    EXPECT_EQ(primitiveKinds(action), "polygon polyline");
    std::vector<RecordedCall> polygons = action.callsOf("polygon");
    ASSERT_EQ(polygons.size(), 1u);
    EXPECT_EQ(polygons[0].text, "hatch/diagonal");
    ASSERT_NE(polygons[0].patternBits, nullptr);
    EXPECT_EQ(polygons[0].patternBits, pattern->getPatternBytes());
}
