// SoHiddenLines on small scenes: what hides what and where lines are cut, shared, undrawn and
// in-plane edges, what gives no edges, the attributes carried, and two runs on two threads.
#include "scrivane/SoHiddenLines.h"
#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <gtest/gtest.h>
#include <thread>
#include <vector>

namespace {

const SbColor RED(1, 0, 0), GREEN(0, 1, 0), BLUE(0, 0, 1), ANY(-1, -1, -1);
using Piece = std::array<float, 4>; // end points x0, y0, x1, y1, the smaller (x, y) first

SbVec4f P(float x, float y, float z) {
    return SbVec4f(x, y, z, 1.0f);
}

struct Line {
    std::vector<std::array<float, 2>> pts;
    SbColor color;
    float width;
    unsigned short pattern;
    bool operator==(const Line &o) const {
        return pts == o.pts && color == o.color && width == o.width && pattern == o.pattern;
    }
};

// Runs the computation and copies its result; every point returned has z = w = 0.
std::vector<Line> compute(SoHiddenLines &h) {
    int count = -1;
    SoHiddenLines::Polyline *r = h.computeHiddenLines(count);
    EXPECT_NE(r, nullptr);
    EXPECT_GE(count, 0);
    std::vector<Line> out;
    for (int i = 0; r != nullptr && i < count; i++) {
        out.push_back({{}, r[i].color, r[i].lineWidth, r[i].linePattern});
        for (int k = 0; k < r[i].num; k++) {
            out.back().pts.push_back({r[i].points[k][0], r[i].points[k][1]});
            EXPECT_EQ(r[i].points[k][2], 0.0f);
            EXPECT_EQ(r[i].points[k][3], 0.0f);
        }
    }
    delete[] r;
    return out;
}

// Total length of the lines of colour c (of all lines for ANY).
double length(const std::vector<Line> &lines, const SbColor &c = ANY) {
    double s = 0.0;
    for (const Line &l : lines)
        if (c == ANY || l.color == c)
            for (std::size_t i = 1; i < l.pts.size(); i++)
                s += std::hypot(double(l.pts[i][0]) - l.pts[i - 1][0],
                                double(l.pts[i][1]) - l.pts[i - 1][1]);
    return s;
}

// The lines of colour c as pieces, sorted.
std::vector<Piece> pieces(const std::vector<Line> &lines, const SbColor &c) {
    std::vector<Piece> out;
    for (const Line &l : lines) {
        if (l.color != c) continue;
        std::array<float, 2> a = l.pts.front(), b = l.pts.back();
        if (b < a) std::swap(a, b);
        out.push_back({a[0], a[1], b[0], b[1]});
    }
    std::sort(out.begin(), out.end());
    return out;
}

void expectPieces(const std::vector<Piece> &got, const std::vector<Piece> &expected) {
    ASSERT_EQ(got.size(), expected.size());
    for (std::size_t i = 0; i < got.size(); i++)
        for (int k = 0; k < 4; k++)
            EXPECT_NEAR(got[i][k], expected[i][k], 1e-5f) << "piece " << i;
}

void addSegment(SoHiddenLines &h, SbVec4f a, SbVec4f b, const SbColor &c) {
    const SbVec4f pts[2] = {a, b};
    h.addPolyline(pts, 2, c, 1.0f, 0xFFFF);
}

TEST(HiddenLines, EmptyRunAndGeometryThatGivesNoEdges) {
    SoHiddenLines empty;
    EXPECT_TRUE(compute(empty).empty());
    // One-point primitives, a segment and a triangle outside the [-1, 1] square, and three
    // points on a line in space (no plane: neither a face nor an outline) in front of a segment.
    SoHiddenLines h;
    const SbVec4f one[1] = {P(0, 0, 0)};
    h.addPolygon(one, 1, RED, 1, 0xFFFF);
    h.addPolyline(one, 1, RED, 1, 0xFFFF);
    addSegment(h, P(1.2f, 0.0f, 0.5f), P(1.8f, 0.5f, 0.5f), RED);
    const SbVec4f outside[3] = {P(1.5f, -0.2f, 0.1f), P(2.0f, -0.2f, 0.1f), P(1.7f, 0.4f, 0.1f)};
    h.addPolygon(outside, 3, RED, 1, 0xFFFF);
    const SbVec4f collinear[3] = {P(-0.5f, 0, 0.2f), P(0, 0, 0.2f), P(0.5f, 0, 0.2f)};
    h.addPolygon(collinear, 3, RED, 1, 0xFFFF);
    addSegment(h, P(0.0f, -0.5f, 0.8f), P(0.0f, 0.5f, 0.8f), GREEN);
    const std::vector<Line> lines = compute(h);
    EXPECT_EQ(length(lines, RED), 0.0);
    EXPECT_NEAR(length(lines), 1.0, 1e-5);
}

TEST(HiddenLines, SegmentAgainstASquareIsCutExactlyWhereItsVisibilityChanges) {
    // The square [-0.5, 0.5]^2 at depth 0.5 and a segment from (x0, y0, z0) to (x1, y1, z1); the
    // segment shows whole, or but for a stretch from (h0, h1) to (h2, h3). The square's sides
    // are cut where segments pass in front of them but lose nothing.
    const unsigned char topAndBottom[4] = {1, 0, 1, 0};
    struct Case {
        Piece segment;
        float z0, z1;
        std::vector<float> hidden;
        double outline = 4.0;
        const unsigned char *draw = nullptr;
    };
    const Case cases[] = {
        {{-0.8f, 0.1f, 0.8f, 0.1f}, 0.2f, 0.2f, {}}, // in front
        // Behind: shown beyond the outline only, through two opposite sides or at a slope.
        {{-0.8f, 0.1f, 0.8f, 0.1f}, 0.8f, 0.8f, {-0.5f, 0.1f, 0.5f, 0.1f}},
        {{0.1f, -0.8f, 0.1f, 0.8f}, 0.8f, 0.8f, {0.1f, -0.5f, 0.1f, 0.5f}},
        {{-0.9f, -0.3f, 0.9f, 0.6f}, 0.8f, 0.8f, {-0.5f, -0.1f, 0.5f, 0.4f}},
        // Piercing the square halfway: cut at the piercing point, shown beyond the outline.
        {{-0.8f, 0.1f, 0.8f, 0.1f}, 0.2f, 0.8f, {0.0f, 0.1f, 0.5f, 0.1f}},
        {{-0.8f, -0.9f, 0.8f, 0.9f}, 0.2f, 0.8f, {0.0f, 0.0f, 4.0f / 9.0f, 0.5f}},
        // Right and left sides not drawn: the face still cuts there and hides between them.
        {{-0.8f, 0.1f, 0.8f, 0.1f}, 0.8f, 0.8f, {-0.5f, 0.1f, 0.5f, 0.1f}, 2.0, topAndBottom},
    };
    for (const Case &c : cases) {
        SoHiddenLines h;
        const SbVec4f sq[4] = {P(-0.5f, -0.5f, 0.5f), P(0.5f, -0.5f, 0.5f), P(0.5f, 0.5f, 0.5f),
                               P(-0.5f, 0.5f, 0.5f)};
        h.addPolygon(sq, 4, RED, 1.0f, 0xFFFF, c.draw);
        const Piece &s = c.segment;
        addSegment(h, P(s[0], s[1], c.z0), P(s[2], s[3], c.z1), GREEN);
        const std::vector<Line> lines = compute(h);
        SCOPED_TRACE(testing::Message() << "case " << (&c - cases));
        const std::vector<float> &v = c.hidden;
        expectPieces(pieces(lines, GREEN),
                     v.empty()
                         ? std::vector<Piece>{s}
                         : std::vector<Piece>{{s[0], s[1], v[0], v[1]}, {v[2], v[3], s[2], s[3]}});
        EXPECT_NEAR(length(lines, RED), c.outline, 1e-5);
    }
}

TEST(HiddenLines, LongAndFarReachingLinesAreCutBehindEveryFaceTheyPass) {
    // A row of 21 squares of side 0.04 in front; behind them a line across the whole row and
    // one reaching 300 units out on both sides (far beyond the square that holds the drawing).
    // Each loses exactly what the squares cover and is cut at every side it passes behind.
    SoHiddenLines h;
    std::vector<float> sides;
    for (int i = 0; i < 21; i++) {
        const float x = -0.8f + 0.08f * static_cast<float>(i);
        const SbVec4f sq[4] = {P(x - 0.02f, 0.08f, 0.2f), P(x + 0.02f, 0.08f, 0.2f),
                               P(x + 0.02f, 0.12f, 0.2f), P(x - 0.02f, 0.12f, 0.2f)};
        h.addPolygon(sq, 4, RED, 1.0f, 0xFFFF);
        sides.push_back(x - 0.02f);
        sides.push_back(x + 0.02f);
    }
    addSegment(h, P(-0.95f, 0.1f, 0.8f), P(0.95f, 0.1f, 0.8f), GREEN);
    addSegment(h, P(-300.0f, 0.11f, 0.8f), P(300.0f, 0.11f, 0.8f), BLUE);
    const std::vector<Line> lines = compute(h);
    struct Expected {
        SbColor color;
        float y, from, to;
    };
    for (const Expected &e :
         {Expected{GREEN, 0.1f, -0.95f, 0.95f}, Expected{BLUE, 0.11f, -300.0f, 300.0f}}) {
        std::vector<Piece> expected;
        for (std::size_t i = 0; i <= sides.size(); i += 2)
            expected.push_back(
                {i == 0 ? e.from : sides[i - 1], e.y, i == sides.size() ? e.to : sides[i], e.y});
        expectPieces(pieces(lines, e.color), expected);
        EXPECT_NEAR(length(lines, e.color), (e.to - e.from) - 21 * 0.04, 1e-3);
    }
}

TEST(HiddenLines, EdgeInTheFacePlaneIsNotHiddenButOneBehindIs) {
    // A tilted square, depth 0.5 + 0.2 x + 0.1 y; a segment in its plane, the same segment
    // 0.002 and 0.0035 behind it (still taken as lying in it: the midpoint's lift and the
    // margin) and 0.01 behind it (hidden).
    auto at = [](float x, float y, float behind) {
        return P(x, y, 0.5f + 0.2f * x + 0.1f * y + behind);
    };
    const SbVec4f sq[4] = {at(-0.5f, -0.5f, 0), at(0.5f, -0.5f, 0), at(0.5f, 0.5f, 0),
                           at(-0.5f, 0.5f, 0)};
    for (float behind : {0.0f, 0.002f, 0.0035f, 0.01f}) {
        SoHiddenLines h;
        h.addPolygon(sq, 4, RED, 1, 0xFFFF);
        addSegment(h, at(-0.3f, -0.2f, behind), at(0.4f, 0.3f, behind), GREEN);
        const std::vector<Piece> whole = {{-0.3f, -0.2f, 0.4f, 0.3f}};
        expectPieces(pieces(compute(h), GREEN), behind < 0.005f ? whole : std::vector<Piece>{});
    }
}

TEST(HiddenLines, SharedEdgesAreDrawnOnceAndUndrawnOnesNot) {
    // Two triangles sharing the diagonal of [-0.5, 0.5]^2, a small one apart, a two-point polygon.
    using Pts = std::vector<SbVec4f>;
    const Pts a = {P(-0.5f, -0.5f, 0.5f), P(0.5f, -0.5f, 0.5f), P(0.5f, 0.5f, 0.5f)};
    const Pts b = {P(-0.5f, -0.5f, 0.5f), P(0.5f, 0.5f, 0.5f), P(-0.5f, 0.5f, 0.5f)};
    const Pts far = {P(-0.9f, -0.9f, 0.5f), P(-0.7f, -0.9f, 0.5f), P(-0.8f, -0.7f, 0.5f)};
    const Pts two = {P(-0.6f, 0.2f, 0.1f), P(0.6f, 0.2f, 0.1f)};
    struct Polygon {
        const Pts &pts;
        SbColor color;
        std::vector<unsigned char> draw;
    };
    struct Run {
        std::vector<Polygon> polygons;
        double red, green, blue;
    };
    const double d = std::sqrt(2.0), farOutline = 0.2 + 2 * std::hypot(0.1, 0.2);
    const Run runs[] = {
        // The first primitive added is processed first and keeps the shared edge; after it,
        // the newest goes first.
        {{{a, RED, {}}, {b, GREEN, {}}}, 2 + d, 2, 0},
        {{{far, RED, {}}, {a, GREEN, {}}, {b, BLUE, {}}}, farOutline, 2, 2 + d},
        // An edge drawn by one of the two polygons only is drawn by it; by neither, not at all.
        {{{a, RED, {1, 1, 0}}, {b, GREEN, {}}}, 2, 2 + d, 0},
        {{{a, RED, {1, 1, 0}}, {b, GREEN, {0, 1, 1}}}, 2, 2, 0},
        // A two-point polygon is its one edge, unless neither flag draws it.
        {{{two, RED, {0, 0}}}, 0, 0, 0},
        {{{two, RED, {0, 1}}}, 1.2, 0, 0},
    };
    for (const Run &run : runs) {
        SoHiddenLines h;
        for (const Polygon &p : run.polygons)
            h.addPolygon(p.pts.data(), int(p.pts.size()), p.color, 1, 0xFFFF,
                         p.draw.empty() ? nullptr : p.draw.data());
        const std::vector<Line> lines = compute(h);
        EXPECT_NEAR(length(lines, RED), run.red, 1e-5) << "run " << (&run - runs);
        EXPECT_NEAR(length(lines, GREEN), run.green, 1e-5) << "run " << (&run - runs);
        EXPECT_NEAR(length(lines, BLUE), run.blue, 1e-5) << "run " << (&run - runs);
    }
}

TEST(HiddenLines, PolylinesHideNothing) {
    // A far diagonal crossed by a near horizontal line and a near zigzag: all stay, whole; the
    // diagonal, cut where the others pass in front, is joined again into one line.
    const SbVec4f diag[2] = {P(-0.6f, -0.6f, 0.9f), P(0.6f, 0.6f, 0.9f)};
    const SbVec4f zig[3] = {P(-0.2f, -0.5f, 0.1f), P(0.0f, 0.4f, 0.1f), P(0.2f, -0.5f, 0.1f)};
    SoHiddenLines h;
    h.addPolyline(diag, 2, RED, 1, 0xFFFF);
    addSegment(h, P(-0.7f, 0.0f, 0.1f), P(0.7f, 0.0f, 0.1f), GREEN);
    h.addPolyline(zig, 3, BLUE, 1, 0xFFFF);
    const std::vector<Line> lines = compute(h);
    expectPieces(pieces(lines, RED), {{-0.6f, -0.6f, 0.6f, 0.6f}});
    EXPECT_NEAR(length(lines, RED), 1.2 * std::sqrt(2.0), 1e-5);
    EXPECT_NEAR(length(lines, GREEN), 1.4, 1e-5);
    EXPECT_NEAR(length(lines, BLUE), 2.0 * std::hypot(0.2, 0.9), 1e-5);
}

TEST(HiddenLines, ResultLinesCarryTheirPrimitivesAttributes) {
    // A triangle, a polyline above it, and a two-point polygon across it in front (drawn whole,
    // hiding nothing).
    SoHiddenLines h;
    const SbVec4f tri[3] = {P(-0.5f, -0.5f, 0.5f), P(0.5f, -0.5f, 0.5f), P(0.0f, 0.5f, 0.5f)};
    h.addPolygon(tri, 3, RED, 2.5f, 0xF0F0);
    const SbVec4f pl[3] = {P(-0.9f, 0.8f, 0.3f), P(0.0f, 0.9f, 0.3f), P(0.9f, 0.8f, 0.3f)};
    h.addPolyline(pl, 3, GREEN, 0.5f, 0x00FF);
    const SbVec4f two[2] = {P(-0.6f, 0.0f, 0.1f), P(0.6f, 0.0f, 0.1f)};
    h.addPolygon(two, 2, BLUE, 3.0f, 0x0F0F);
    const std::vector<Line> lines = compute(h);
    EXPECT_NEAR(length(lines, RED), 1.0 + 2.0 * std::hypot(0.5, 1.0), 1e-5);
    EXPECT_NEAR(length(lines, GREEN), 2.0 * std::hypot(0.9, 0.1), 1e-5);
    expectPieces(pieces(lines, BLUE), {{-0.6f, 0.0f, 0.6f, 0.0f}});
    for (const Line &l : lines) {
        const bool red = l.color == RED, green = l.color == GREEN;
        EXPECT_TRUE(red || green || l.color == BLUE);
        EXPECT_EQ(l.width, red ? 2.5f : green ? 0.5f : 3.0f);
        EXPECT_EQ(l.pattern, red ? 0xF0F0 : green ? 0x00FF : 0x0F0F);
    }
}

// 150 random triangles (overlapping and passing through one another) and a polyline.
std::vector<Line> randomScene(std::uint32_t seed) {
    auto next = [&seed] {
        seed = seed * 1664525u + 1013904223u;
        return float(seed >> 8) / 16777216.0f;
    };
    SoHiddenLines h;
    for (int i = 0; i < 150; i++) {
        const float cx = 1.6f * next() - 0.8f, cy = 1.6f * next() - 0.8f, cz = 0.2f + 0.6f * next();
        SbVec4f t[3];
        for (SbVec4f &p : t)
            p = P(cx + 0.4f * next() - 0.2f, cy + 0.4f * next() - 0.2f, cz + 0.3f * next() - 0.15f);
        h.addPolygon(t, 3, SbColor(next(), next(), next()), 1.0f, 0xFFFF);
    }
    const SbVec4f pl[3] = {P(-0.9f, -0.9f, 0.0f), P(0.0f, 0.9f, 1.0f), P(0.9f, -0.9f, 0.0f)};
    h.addPolyline(pl, 3, RED, 2.0f, 0xF0F0);
    return compute(h);
}

TEST(HiddenLines, TwoThreadsComputeWhatTwoSequentialRunsCompute) {
    const std::vector<Line> sequential[2] = {randomScene(1), randomScene(2)};
    ASSERT_GT(sequential[0].size(), 100u);
    ASSERT_FALSE(sequential[0] == sequential[1]);
    std::vector<Line> concurrent[2][3];
    std::thread workers[2];
    for (int v = 0; v < 2; v++)
        workers[v] = std::thread([v, &concurrent] {
            for (int run = 0; run < 3; run++)
                concurrent[v][run] = randomScene(std::uint32_t(v + 1));
        });
    for (std::thread &t : workers)
        t.join();
    for (int v = 0; v < 2; v++)
        for (int run = 0; run < 3; run++)
            EXPECT_TRUE(concurrent[v][run] == sequential[v]) << "scene " << v << " run " << run;
}

} // namespace
