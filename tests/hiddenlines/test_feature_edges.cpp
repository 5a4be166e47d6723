// Feature edges of the hidden-line mode, through the whole action: a cube, a sphere and a
// cylinder, crease angles with and without shape hints, shapes used twice, edges made by the
// clipping, and a degenerate triangle.
//
// Most scenes have no camera: a model point is then its own normalized coordinate (depth growing
// away from the observer, who looks along +z), printed at page ((1 + x) * 95, (1 + y) * 138.5).
#include "../capture/CaptureTestSupport.h"
#include "scene/base/SbRotation.h"
#include "scrivane/SoHiddenLines.h"
#include <algorithm>
#include <array>

using namespace capture_test;

namespace {

struct Segment {
    double ax, ay, bx, by; // page millimetres
    double length() const { return std::hypot(bx - ax, by - ay); }
};

// The polylines a hidden-line apply prints, as segments on the page.
std::vector<Segment> hiddenLines(const std::string &scene, bool featureEdges) {
    RecordingAction action;
    action.setHLHSRMode(SoVectorizeAction::HIDDEN_BY_EDGE_SPLITTING);
    action.setFeatureEdges(featureEdges ? 1 : 0);
    EXPECT_EQ(action.getFeatureEdges(), featureEdges ? 1 : 0);
    const Printed p = print(scene, action);
    std::vector<Segment> out;
    for (const RecordedCall &c : p.calls) {
        EXPECT_EQ(c.kind, "polyline");
        for (std::size_t i = 1; i < c.points.size(); i++)
            out.push_back({c.points[i - 1][0], c.points[i - 1][1], c.points[i][0], c.points[i][1]});
    }
    return out;
}

double totalLength(const std::vector<Segment> &segments) {
    double s = 0.0;
    for (const Segment &g : segments)
        s += g.length();
    return s;
}

double distanceToSegment(double x, double y, const Segment &g) {
    const double dx = g.bx - g.ax, dy = g.by - g.ay, len2 = dx * dx + dy * dy;
    double t = len2 > 0.0 ? ((x - g.ax) * dx + (y - g.ay) * dy) / len2 : 0.0;
    t = std::max(0.0, std::min(1.0, t));
    return std::hypot(x - (g.ax + t * dx), y - (g.ay + t * dy));
}

// Calls check(x, y) at both ends and the middle of every printed segment.
template <class Check> void forSamples(const std::vector<Segment> &segments, Check check) {
    for (const Segment &g : segments)
        for (double t : {0.0, 0.5, 1.0})
            check(g.ax + t * (g.bx - g.ax), g.ay + t * (g.by - g.ay));
}

// An NPC point (x, y) on the page.
Segment pageSegment(double ax, double ay, double bx, double by) {
    return {(1 + ax) * 95.0, (1 + ay) * 138.5, (1 + bx) * 95.0, (1 + by) * 138.5};
}

// The printed length lying along the segment (within 0.05 mm of it, at both ends and midway).
double lengthAlong(const std::vector<Segment> &segments, const Segment &line) {
    double s = 0.0;
    for (const Segment &g : segments)
        if (distanceToSegment(g.ax, g.ay, line) < 0.05 &&
            distanceToSegment(g.bx, g.by, line) < 0.05 &&
            distanceToSegment(0.5 * (g.ax + g.bx), 0.5 * (g.ay + g.by), line) < 0.05)
            s += g.length();
    return s;
}

// A cube of the given edge, turned so that one corner points at the observer and moved by dx:
// the segments (on the page) of the edges of its three faces that face the observer, and of
// those faces' diagonals (the cube's faces arrive as two triangles each, cut from their first
// corner to their third).
struct CubeView {
    std::string scene;
    std::vector<Segment> edges, diagonals;
};

CubeView cubeFromACorner(double dx, float size) {
    const SbRotation turn(SbVec3f(1, 1, 0.3f), 0.9f);
    const float h = 0.5f * size;
    auto corner = [&](float x, float y, float z) {
        SbVec3f p;
        turn.multVec(SbVec3f(x, y, z), p);
        return SbVec3f(p[0] + float(dx), p[1], p[2]);
    };
    // The faces' corners in the order the cube gives its triangles, with their normals.
    const float c[6][4][3] = {{{-h, -h, h}, {h, -h, h}, {h, h, h}, {-h, h, h}},
                              {{h, -h, -h}, {-h, -h, -h}, {-h, h, -h}, {h, h, -h}},
                              {{-h, -h, -h}, {-h, -h, h}, {-h, h, h}, {-h, h, -h}},
                              {{h, -h, h}, {h, -h, -h}, {h, h, -h}, {h, h, h}},
                              {{-h, h, h}, {h, h, h}, {h, h, -h}, {-h, h, -h}},
                              {{-h, -h, -h}, {h, -h, -h}, {h, -h, h}, {-h, -h, h}}};
    const float normals[6][3] = {{0, 0, 1}, {0, 0, -1}, {-1, 0, 0},
                                 {1, 0, 0}, {0, 1, 0},  {0, -1, 0}};
    CubeView v;
    std::vector<std::array<float, 4>> seen;
    for (int f = 0; f < 6; f++) {
        SbVec3f n;
        turn.multVec(SbVec3f(normals[f][0], normals[f][1], normals[f][2]), n);
        if (n[2] >= 0.0f) continue; // turned away from the observer
        SbVec3f q[4];
        for (int k = 0; k < 4; k++)
            q[k] = corner(c[f][k][0], c[f][k][1], c[f][k][2]);
        for (int k = 0; k < 4; k++) {
            const SbVec3f &a = q[k], &b = q[(k + 1) % 4];
            std::array<float, 4> key = {a[0], a[1], b[0], b[1]};
            if (std::make_pair(b[0], b[1]) < std::make_pair(a[0], a[1]))
                key = {b[0], b[1], a[0], a[1]};
            if (std::find(seen.begin(), seen.end(), key) != seen.end()) continue; // shared edge
            seen.push_back(key);
            v.edges.push_back(pageSegment(a[0], a[1], b[0], b[1]));
        }
        v.diagonals.push_back(pageSegment(q[0][0], q[0][1], q[2][0], q[2][1]));
    }
    const std::string edge = std::to_string(size);
    v.scene = "Separator { Translation { translation " + std::to_string(dx) +
              " 0 0 } Rotation { rotation 1 1 0.3 0.9 } DEF C Cube { width " + edge + " height " +
              edge + " depth " + edge + " } } ";
    return v;
}

// Checks that every printed sample lies on one of the expected segments, and that the printed
// length equals their length within 0.1 %: all of them is printed, and nothing else.
void expectExactly(const std::vector<Segment> &printed, const std::vector<Segment> &expected) {
    forSamples(printed, [&](double x, double y) {
        double d = 1e9;
        for (const Segment &e : expected)
            d = std::min(d, distanceToSegment(x, y, e));
        EXPECT_LT(d, 0.01) << "printed point (" << x << ", " << y << ") on no expected edge";
    });
    const double expectedLength = totalLength(expected);
    EXPECT_NEAR(totalLength(printed), expectedLength, 0.001 * expectedLength);
}

} // namespace

TEST(FeatureEdges, ACubeSeenFromACornerGivesItsNineVisibleEdges) {
    const CubeView cube = cubeFromACorner(0.0, 0.8f);
    ASSERT_EQ(cube.edges.size(), 9u);
    ASSERT_EQ(cube.diagonals.size(), 3u);
    expectExactly(hiddenLines(cube.scene, true), cube.edges);

    // Every edge of every triangle: the diagonals of the three visible faces as well.
    std::vector<Segment> all = cube.edges;
    all.insert(all.end(), cube.diagonals.begin(), cube.diagonals.end());
    expectExactly(hiddenLines(cube.scene, false), all);
}

TEST(FeatureEdges, ASphereGivesItsOutlineOnly) {
    // Seen in perspective from its axis: its outline is a circle about the middle of the page.
    const std::string scene = "PerspectiveCamera { position 0 0 3 } Complexity { value 1 } "
                              "Rotation { rotation 1 0.2 0 0.4 } Sphere { radius 1 } ";
    auto radii = [](const std::vector<Segment> &segments) {
        std::vector<double> r;
        forSamples(segments,
                   [&](double x, double y) { r.push_back(std::hypot(x - 95.0, y - 138.5)); });
        std::sort(r.begin(), r.end());
        return r;
    };
    const std::vector<Segment> outline = hiddenLines(scene, true);
    const std::vector<double> r = radii(outline);
    ASSERT_FALSE(r.empty());
    const double outer = r.back();
    // The tessellation (32 sides, 16 bands) keeps every point of the outline within 1.5 % of the
    // circle through its vertices.
    EXPECT_GT(r.front(), 0.985 * outer) << "a line inside the outline";
    EXPECT_GT(outer, 20.0);
    // One closed line around: no piece missing, nothing drawn twice.
    const double circumference = 2.0 * std::acos(-1.0) * outer;
    EXPECT_NEAR(totalLength(outline), circumference, 0.03 * circumference);

    // With every edge, the facets show inside the outline.
    const std::vector<double> all = radii(hiddenLines(scene, false));
    ASSERT_FALSE(all.empty());
    EXPECT_LT(all.front(), 0.5 * outer);
    EXPECT_NEAR(all.back(), outer, 0.01 * outer);
}

TEST(FeatureEdges, ACylinderGivesItsOutlineAndItsRims) {
    // Radius 0.5, height 1, its axis (y) turned by a about x: the bottom disc faces the
    // observer, the top one away; the outline's straight sides lie at x = +-0.5.
    const double a = 0.5, r = 0.5, h = 0.5;
    const std::string scene = "Complexity { value 1 } Rotation { rotation 1 0 0 0.5 } "
                              "Cylinder { radius 0.5 height 1 } ";
    // A point of a rim at angle t (sin t, cos t in the model's x, z), turned into NPC.
    auto rim = [&](double y, double t) {
        const double z = r * std::cos(t);
        return std::array<double, 2>{r * std::sin(t), y * std::cos(a) - z * std::sin(a)};
    };
    // The expected curves as fine polylines on the page: the bottom rim whole, the front half of
    // the top rim (where the side faces the observer: cos t < 0), the two straight sides.
    std::vector<Segment> expected;
    const int steps = 720;
    const double pi = std::acos(-1.0);
    for (int i = 0; i < steps; i++) {
        const double t0 = 2 * pi * i / steps, t1 = 2 * pi * (i + 1) / steps;
        const auto b0 = rim(-h, t0), b1 = rim(-h, t1);
        expected.push_back(pageSegment(b0[0], b0[1], b1[0], b1[1]));
        if (std::cos(0.5 * (t0 + t1)) < 0.0) {
            const auto u0 = rim(h, t0), u1 = rim(h, t1);
            expected.push_back(pageSegment(u0[0], u0[1], u1[0], u1[1]));
        }
    }
    for (double x : {-r, r})
        expected.push_back(pageSegment(x, -h * std::cos(a), x, h * std::cos(a)));

    // Within the tessellation's distance of the curves (32 sides: 0.5 % of the radius, 1 % here).
    auto offCurves = [&](const std::vector<Segment> &printed) {
        int off = 0;
        forSamples(printed, [&](double x, double y) {
            double d = 1e9;
            for (const Segment &e : expected)
                d = std::min(d, distanceToSegment(x, y, e));
            if (d > 0.01 * r * 138.5) off++;
        });
        return off;
    };
    const std::vector<Segment> lines = hiddenLines(scene, true);
    EXPECT_EQ(offCurves(lines), 0);
    const double expectedLength = totalLength(expected);
    EXPECT_NEAR(totalLength(lines), expectedLength, 0.01 * expectedLength);

    // With every edge, the side's facets show.
    EXPECT_GT(offCurves(hiddenLines(scene, false)), 10);
}

TEST(FeatureEdges, CreasesAboveTheCreaseAngleAreDrawn) {
    // Two 0.4 x 0.6 rectangles sharing an edge (x = 0, y from -0.3 to 0.3), the right one
    // folded back by the angle (degrees); each arrives as two triangles. The fold is placed at
    // x = dx.
    auto hinge = [](double dx, double degrees) {
        const double t = degrees * std::acos(-1.0) / 180.0;
        const std::string fx = std::to_string(0.4 * std::cos(t)),
                          fz = std::to_string(0.4 * std::sin(t));
        return "Separator { Translation { translation " + std::to_string(dx) +
               " 0 0 } Coordinate3 { point [ 0 -0.3 0, 0 0.3 0, -0.4 0.3 0, -0.4 -0.3 0, " + fx +
               " -0.3 " + fz + ", " + fx + " 0.3 " + fz +
               " ] } IndexedFaceSet { coordIndex [ 0, 1, 2, 3, -1, 1, 0, 4, 5, -1 ] } } ";
    };
    auto fold = [](double dx) { return pageSegment(dx, -0.3, dx, 0.3); };
    // The outline of the two rectangles: their outer edges.
    auto outlineLength = [](double degrees) {
        const double c = std::cos(degrees * std::acos(-1.0) / 180.0);
        return 2 * 0.6 * 138.5 + 2 * 0.4 * 95 + 2 * 0.4 * c * 95;
    };
    const double foldLength = 0.6 * 138.5;

    // Shape hints with a crease angle of 0.2 rad (11.5 degrees): 8 degrees is smooth, 15 is not.
    const std::string hinted = "ShapeHints { creaseAngle 0.2 } " + hinge(-0.5, 8) + hinge(0.5, 15);
    std::vector<Segment> lines = hiddenLines(hinted, true);
    EXPECT_NEAR(lengthAlong(lines, fold(-0.5)), 0.0, 1e-6);
    EXPECT_NEAR(lengthAlong(lines, fold(0.5)), foldLength, 0.001 * foldLength);
    // Besides the folds, the outlines, and no diagonal.
    double expected = outlineLength(8) + outlineLength(15) + foldLength;
    EXPECT_NEAR(totalLength(lines), expected, 0.001 * expected);

    // Without shape hints, 30 degrees: 25 is smooth, 35 is not.
    lines = hiddenLines(hinge(-0.5, 25) + hinge(0.5, 35), true);
    EXPECT_NEAR(lengthAlong(lines, fold(-0.5)), 0.0, 1e-6);
    EXPECT_NEAR(lengthAlong(lines, fold(0.5)), foldLength, 0.001 * foldLength);
    expected = outlineLength(25) + outlineLength(35) + foldLength;
    EXPECT_NEAR(totalLength(lines), expected, 0.001 * expected);

    // Shape hints that leave the crease angle as it is (0) give 30 degrees too.
    lines = hiddenLines("ShapeHints { vertexOrdering COUNTERCLOCKWISE } " + hinge(-0.5, 25), true);
    EXPECT_NEAR(lengthAlong(lines, fold(-0.5)), 0.0, 1e-6);

    // The angle is measured in eye space: through a camera whose depth range (1 to 100) flattens
    // every fold in normalized coordinates, 35 degrees is still a crease and 25 is not. The
    // camera shows 2.5 units across the drawing's width: 76 mm per unit about the middle.
    lines = hiddenLines(
        "OrthographicCamera { position 0 0 5 height 2.5 nearDistance 1 farDistance 100 } " +
            hinge(-0.5, 25) + hinge(0.5, 35),
        true);
    auto cameraFold = [](double dx) {
        return Segment{95 + 76 * dx, 138.5 - 76 * 0.3, 95 + 76 * dx, 138.5 + 76 * 0.3};
    };
    EXPECT_NEAR(lengthAlong(lines, cameraFold(-0.5)), 0.0, 1e-6);
    EXPECT_NEAR(lengthAlong(lines, cameraFold(0.5)), 76 * 0.6, 0.001 * 76 * 0.6);
}

TEST(FeatureEdges, EachUseOfAShapeIsAShapeOfItsOwn) {
    // A triangle, and the same node used again turned by 180 degrees (exactly: x and y negated):
    // the two fill a square and meet along its diagonal at exactly the same points. Each use is
    // a shape of its own, so the diagonal bounds one face of each and is drawn.
    const std::string scene = "Coordinate3 { point [ -0.4 -0.4 0, 0.4 -0.4 0, -0.4 0.4 0 ] } "
                              "DEF T FaceSet { } Scale { scaleFactor -1 -1 1 } USE T ";
    std::vector<Segment> expected = {
        pageSegment(-0.4, -0.4, 0.4, -0.4), pageSegment(0.4, -0.4, 0.4, 0.4),
        pageSegment(0.4, 0.4, -0.4, 0.4), pageSegment(-0.4, 0.4, -0.4, -0.4),
        pageSegment(0.4, -0.4, -0.4, 0.4)};
    expectExactly(hiddenLines(scene, true), expected);

    // Two uses of a cube side by side: the nine visible edges of each.
    const CubeView left = cubeFromACorner(-0.5, 0.5f), right = cubeFromACorner(0.5, 0.5f);
    std::string cubes = left.scene + right.scene;
    const std::size_t def = cubes.rfind("DEF C Cube");
    cubes.replace(def, cubes.find('}', def) + 1 - def, "USE C");
    ASSERT_NE(cubes.find("USE C"), std::string::npos);
    expected = left.edges;
    expected.insert(expected.end(), right.edges.begin(), right.edges.end());
    expectExactly(hiddenLines(cubes, true), expected);
}

TEST(FeatureEdges, EdgesMadeByTheClippingAreNotDrawn) {
    // A square sheet wider than the page, tilted in depth so that its near end lies before the
    // near plane (z = -1): clipped at the page's left and right borders and at the near plane.
    // Its one edge inside the drawing is its far one, y = 0.5, cut to x = -1 .. 1.
    const std::string scene =
        "Coordinate3 { point [ -2 -0.5 -2, 2 -0.5 -2, 2 0.5 0.5, -2 0.5 0.5 ] } "
        "FaceSet { } ";
    const std::vector<Segment> lines = hiddenLines(scene, true);
    expectExactly(lines, {pageSegment(-1, 0.5, 1, 0.5)});
    // Every edge: the clipped outline at the borders and the near plane, and the diagonal.
    EXPECT_GT(totalLength(hiddenLines(scene, false)), totalLength(lines) + 2 * 95.0);
}

TEST(FeatureEdges, ADegenerateTriangleNeitherDrawsNorSeparatesItsNeighbours) {
    // A square as two triangles, with two triangles of no area along their common diagonal: one
    // with a repeated corner, one through the square's middle (three points in a line).
    const std::string scene =
        "Coordinate3 { point [ -0.5 -0.5 0, 0.5 -0.5 0, 0.5 0.5 0, -0.5 0.5 0, 0 0 0 ] } "
        "IndexedFaceSet { coordIndex [ 0, 1, 2, -1, 0, 2, 2, -1, 0, 4, 2, -1, 0, 2, 3, -1 ] } ";
    expectExactly(hiddenLines(scene, true),
                  {pageSegment(-0.5, -0.5, 0.5, -0.5), pageSegment(0.5, -0.5, 0.5, 0.5),
                   pageSegment(0.5, 0.5, -0.5, 0.5), pageSegment(-0.5, 0.5, -0.5, -0.5)});
}

TEST(FeatureEdges, OffByDefaultAndOnlyInTheHiddenLineMode) {
    RecordingAction action;
    EXPECT_EQ(action.getFeatureEdges(), 0);
    // In another removal mode the flag changes nothing: the painter prints the faces.
    action.setFeatureEdges(1);
    action.setHLHSRMode(SoVectorizeAction::HIDDEN_BY_PAINTER);
    const Printed p = print("Cube { width 0.8 height 0.8 depth 0.8 } ", action);
    EXPECT_EQ(p.calls.size(), 12u);
    for (const RecordedCall &c : p.calls)
        EXPECT_EQ(c.kind, "polygon");
}
