// Feature edges of the hidden-line mode, through the whole action: a cube, a sphere, a cylinder,
// crease angles, shapes used twice, degenerate triangles and edges made by the clipping.
//
// Most scenes have no camera: a model point is then its own normalized coordinate (depth growing
// away from the observer, who looks along +z), printed at page ((1 + x) * 95, (1 + y) * 138.5).
#include "../capture/CaptureTestSupport.h"
#include "scene/base/SbRotation.h"
#include <algorithm>
#include <array>

using namespace capture_test;

namespace {

const double pi = std::acos(-1.0);

struct Segment {
    double ax, ay, bx, by; // page millimetres
    double length() const { return std::hypot(bx - ax, by - ay); }
};

// An NPC segment on the page.
Segment page(double ax, double ay, double bx, double by) {
    return {(1 + ax) * 95.0, (1 + ay) * 138.5, (1 + bx) * 95.0, (1 + by) * 138.5};
}

// The polylines a hidden-line apply prints, as segments on the page.
std::vector<Segment> hiddenLines(const std::string &scene, bool featureEdges) {
    RecordingAction action;
    action.setHLHSRMode(SoVectorizeAction::HIDDEN_BY_EDGE_SPLITTING);
    action.setFeatureEdges(featureEdges ? 1 : 0);
    std::vector<Segment> out;
    for (const RecordedCall &c : print(scene, action).calls) {
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

double distance(double x, double y, const Segment &g) {
    const double dx = g.bx - g.ax, dy = g.by - g.ay, len2 = dx * dx + dy * dy;
    const double t =
        len2 > 0.0 ? std::clamp(((x - g.ax) * dx + (y - g.ay) * dy) / len2, 0.0, 1.0) : 0.0;
    return std::hypot(x - (g.ax + t * dx), y - (g.ay + t * dy));
}

double distance(double x, double y, const std::vector<Segment> &to) {
    double d = 1e9;
    for (const Segment &g : to)
        d = std::min(d, distance(x, y, g));
    return d;
}

// Calls check(x, y) at both ends and the middle of every printed segment.
template <class Check> void forSamples(const std::vector<Segment> &segments, Check check) {
    for (const Segment &g : segments)
        for (double t : {0.0, 0.5, 1.0})
            check(g.ax + t * (g.bx - g.ax), g.ay + t * (g.by - g.ay));
}

// Every printed sample lies on an expected segment, and the printed length is theirs within
// 0.1 %: all of them is printed, and nothing else.
void expectExactly(const std::vector<Segment> &printed, const std::vector<Segment> &expected) {
    forSamples(printed, [&](double x, double y) {
        EXPECT_LT(distance(x, y, expected), 0.01) << "printed (" << x << ", " << y << ")";
    });
    const double expectedLength = totalLength(expected);
    EXPECT_NEAR(totalLength(printed), expectedLength, 0.001 * expectedLength);
}

TEST(FeatureEdges, ACubeSeenFromACornerGivesItsNineVisibleEdges) {
    // A cube of edge 0.8 turned so that a corner points at the observer. Its faces' corners in
    // the order the cube gives its two triangles (0, 1, 2 and 0, 2, 3), counter-clockwise
    // seen from outside.
    const SbRotation turn(SbVec3f(1, 1, 0.3f), 0.9f);
    const std::string scene = "Rotation { rotation 1 1 0.3 0.9 } Cube { width 0.8 height 0.8 "
                              "depth 0.8 } ";
    const float h = 0.4f, c[6][4][3] = {{{-h, -h, h}, {h, -h, h}, {h, h, h}, {-h, h, h}},
                                        {{h, -h, -h}, {-h, -h, -h}, {-h, h, -h}, {h, h, -h}},
                                        {{-h, -h, -h}, {-h, -h, h}, {-h, h, h}, {-h, h, -h}},
                                        {{h, -h, h}, {h, -h, -h}, {h, h, -h}, {h, h, h}},
                                        {{-h, h, h}, {h, h, h}, {h, h, -h}, {-h, h, -h}},
                                        {{-h, -h, -h}, {h, -h, -h}, {h, -h, h}, {-h, -h, h}}};
    // The edges of the three faces turned toward the observer (once each), and their diagonals.
    std::vector<Segment> edges, diagonals;
    for (const auto &face : c) {
        SbVec3f q[4];
        for (int k = 0; k < 4; k++)
            turn.multVec(SbVec3f(face[k][0], face[k][1], face[k][2]), q[k]);
        if ((q[1] - q[0]).cross(q[2] - q[0])[2] >= 0.0f) continue;
        for (int k = 0; k < 4; k++) {
            const Segment e = page(q[k][0], q[k][1], q[(k + 1) % 4][0], q[(k + 1) % 4][1]);
            if (std::none_of(edges.begin(), edges.end(), [&](const Segment &o) {
                    return o.ax == e.bx && o.ay == e.by && o.bx == e.ax && o.by == e.ay;
                }))
                edges.push_back(e);
        }
        diagonals.push_back(page(q[0][0], q[0][1], q[2][0], q[2][1]));
    }
    ASSERT_EQ(edges.size(), 9u);
    ASSERT_EQ(diagonals.size(), 3u);
    expectExactly(hiddenLines(scene, true), edges);
    // Every edge of every triangle: the diagonals as well.
    edges.insert(edges.end(), diagonals.begin(), diagonals.end());
    expectExactly(hiddenLines(scene, false), edges);
}

TEST(FeatureEdges, ASphereGivesItsOutlineOnly) {
    // In perspective from its axis: its outline is a circle about the middle of the page.
    const std::string scene = "PerspectiveCamera { position 0 0 3 } Complexity { value 1 } "
                              "Rotation { rotation 1 0.2 0 0.4 } Sphere { radius 1 } ";
    auto radii = [](const std::vector<Segment> &segments) {
        std::vector<double> r;
        forSamples(segments,
                   [&](double x, double y) { r.push_back(std::hypot(x - 95.0, y - 138.5)); });
        std::sort(r.begin(), r.end());
        return r.empty() ? std::vector<double>{0.0} : r;
    };
    const std::vector<Segment> outline = hiddenLines(scene, true);
    const std::vector<double> r = radii(outline);
    const double outer = r.back();
    EXPECT_GT(outer, 20.0);
    // The tessellation (32 sides, 16 bands) keeps every point of the outline within 1.5 % of the
    // circle through its vertices; one closed line around, nothing missing or drawn twice.
    EXPECT_GT(r.front(), 0.985 * outer) << "a line inside the outline";
    EXPECT_NEAR(totalLength(outline), 2.0 * pi * outer, 0.03 * 2.0 * pi * outer);
    // With every edge, the facets show inside the outline.
    const std::vector<double> all = radii(hiddenLines(scene, false));
    EXPECT_LT(all.front(), 0.5 * outer);
    EXPECT_NEAR(all.back(), outer, 0.01 * outer);
}

TEST(FeatureEdges, ACylinderGivesItsOutlineAndItsRims) {
    // Radius 0.5, height 1, its axis (y) turned by a = 0.5 about x: the bottom disc faces the
    // observer, the top one away. Expected, as fine polylines: the bottom rim whole, the front
    // half of the top rim (where the side faces the observer: cos t < 0), the straight sides.
    const std::string scene = "Complexity { value 1 } Rotation { rotation 1 0 0 0.5 } "
                              "Cylinder { radius 0.5 height 1 } ";
    const double a = 0.5, r = 0.5;
    auto rim = [&](double y, double t) { // the point at angle t of the rim at height y, in NPC
        return std::array<double, 2>{r * std::sin(t),
                                     y * std::cos(a) - r * std::cos(t) * std::sin(a)};
    };
    std::vector<Segment> expected;
    for (int i = 0; i < 720; i++) {
        const double t0 = pi * i / 360, t1 = pi * (i + 1) / 360;
        for (double y : {-0.5, 0.5}) {
            if (y > 0 && std::cos(0.5 * (t0 + t1)) >= 0.0) continue;
            const auto p = rim(y, t0), q = rim(y, t1);
            expected.push_back(page(p[0], p[1], q[0], q[1]));
        }
    }
    for (double x : {-r, r})
        expected.push_back(page(x, -0.5 * std::cos(a), x, 0.5 * std::cos(a)));
    // Within the tessellation's distance of the curves (32 sides: 0.5 % of the radius, 1 % here).
    auto offCurves = [&](const std::vector<Segment> &printed) {
        int off = 0;
        forSamples(printed,
                   [&](double x, double y) { off += distance(x, y, expected) > 0.01 * r * 138.5; });
        return off;
    };
    const std::vector<Segment> lines = hiddenLines(scene, true);
    EXPECT_EQ(offCurves(lines), 0);
    EXPECT_NEAR(totalLength(lines), totalLength(expected), 0.01 * totalLength(expected));
    EXPECT_GT(offCurves(hiddenLines(scene, false)), 10); // every edge: the side's facets show
}

TEST(FeatureEdges, FoldsAreDrawnAboveTheCreaseAngleOnly) {
    // Two 0.4 x 0.6 rectangles sharing an edge (x = 0, y from -0.3 to 0.3), the right one folded
    // back by the angle; each arrives as two triangles. The fold is placed at x = dx.
    auto hinge = [](double dx, double degrees) {
        const std::string fx = std::to_string(0.4 * std::cos(degrees * pi / 180)),
                          fz = std::to_string(0.4 * std::sin(degrees * pi / 180));
        return "Separator { Translation { translation " + std::to_string(dx) +
               " 0 0 } Coordinate3 { point [ 0 -0.3 0, 0 0.3 0, -0.4 0.3 0, -0.4 -0.3 0, " + fx +
               " -0.3 " + fz + ", " + fx + " 0.3 " + fz +
               " ] } IndexedFaceSet { coordIndex [ 0, 1, 2, 3, -1, 1, 0, 4, 5, -1 ] } } ";
    };
    struct Case {
        std::string prefix;
        double smooth, crease; // degrees of the folds at x = -0.5 and 0.5
        double sx, sy;         // page millimetres per unit about the middle of the page
    };
    const Case cases[] = {
        // Shape hints with a crease angle of 0.2 rad (11.5 degrees).
        {"ShapeHints { creaseAngle 0.2 } ", 8, 15, 95, 138.5},
        // None, or shape hints leaving it as it is (0): 30 degrees.
        {"", 25, 35, 95, 138.5},
        {"ShapeHints { vertexOrdering COUNTERCLOCKWISE } ", 25, 35, 95, 138.5},
        // Measured in eye space: a depth range (1 to 100) that flattens every fold in
        // normalized coordinates changes nothing. 2.5 units across the 190 mm width.
        {"OrthographicCamera { position 0 0 5 height 2.5 nearDistance 1 farDistance 100 } ", 25, 35,
         76, 76},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.prefix);
        const std::vector<Segment> lines =
            hiddenLines(c.prefix + hinge(-0.5, c.smooth) + hinge(0.5, c.crease), true);
        // The printed length along the fold at x = dx.
        auto alongFold = [&](double dx) {
            const Segment fold{95 + c.sx * dx, 138.5 - c.sy * 0.3, 95 + c.sx * dx,
                               138.5 + c.sy * 0.3};
            double s = 0.0;
            for (const Segment &g : lines)
                if (distance(g.ax, g.ay, fold) < 0.05 && distance(g.bx, g.by, fold) < 0.05)
                    s += g.length();
            return s;
        };
        EXPECT_NEAR(alongFold(-0.5), 0.0, 1e-6);
        EXPECT_NEAR(alongFold(0.5), 0.6 * c.sy, 0.001 * 0.6 * c.sy);
        // Besides, the rectangles' outer edges, and no diagonal.
        double expected = 0.6 * c.sy;
        for (double degrees : {c.smooth, c.crease})
            expected += 1.2 * c.sy + 0.8 * c.sx * (1 + std::cos(degrees * pi / 180));
        EXPECT_NEAR(totalLength(lines), expected, 0.001 * expected);
    }
}

TEST(FeatureEdges, SmallScenesGiveExactlyTheirFeatureEdges) {
    auto square = [](double h) {
        return std::vector<Segment>{page(-h, -h, h, -h), page(h, -h, h, h), page(h, h, -h, h),
                                    page(-h, h, -h, -h)};
    };
    std::vector<Segment> squareAndDiagonal = square(0.4);
    squareAndDiagonal.push_back(page(0.4, -0.4, -0.4, 0.4));
    const std::pair<std::string, std::vector<Segment>> cases[] = {
        // A triangle and the same node used again turned by 180 degrees (x and y negated
        // exactly): they meet along a diagonal at the same points, but each use is a shape of
        // its own, so the diagonal bounds one face of each and is drawn.
        {"Coordinate3 { point [ -0.4 -0.4 0, 0.4 -0.4 0, -0.4 0.4 0 ] } DEF T FaceSet { } "
         "Scale { scaleFactor -1 -1 1 } USE T ",
         squareAndDiagonal},
        // A square as two triangles, with two of no area along their common diagonal (a repeated
        // corner; three points in a line): these neither draw nor separate their neighbours.
        {"Coordinate3 { point [ -0.5 -0.5 0, 0.5 -0.5 0, 0.5 0.5 0, -0.5 0.5 0, 0 0 0 ] } "
         "IndexedFaceSet { coordIndex [ 0, 1, 2, -1, 0, 2, 2, -1, 0, 4, 2, -1, 0, 2, 3, -1 ] } ",
         square(0.5)},
        // A sheet wider than the page, its near end before the near plane (z = -1): nothing of
        // what the clipping makes at the page's borders and the near plane is drawn, only its
        // far edge, cut to the page.
        {"Coordinate3 { point [ -2 -0.5 -2, 2 -0.5 -2, 2 0.5 0.5, -2 0.5 0.5 ] } FaceSet { } ",
         {page(-1, 0.5, 1, 0.5)}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.first);
        expectExactly(hiddenLines(c.first, true), c.second);
    }
    // With every edge, the sheet's clipped outline shows at the borders and the near plane.
    EXPECT_GT(totalLength(hiddenLines(cases[2].first, false)), 190.0 + 2 * 95.0);
}

TEST(FeatureEdges, OffByDefaultAndOnlyInTheHiddenLineMode) {
    RecordingAction action;
    EXPECT_EQ(action.getFeatureEdges(), 0);
    // In another removal mode the flag changes nothing: the painter prints the faces (those of
    // the front and the back; the four side faces, seen edge on, cover nothing and are left out).
    action.setFeatureEdges(1);
    EXPECT_EQ(action.getFeatureEdges(), 1);
    action.setHLHSRMode(SoVectorizeAction::HIDDEN_BY_PAINTER);
    EXPECT_EQ(print("Cube { width 0.8 height 0.8 depth 0.8 } ", action).kinds,
              "polygon polygon polygon polygon");
}

} // namespace
