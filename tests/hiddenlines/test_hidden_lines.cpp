// Behaviour of SoHiddenLines on small scenes: what hides what, where lines are cut, shared and
// in-plane edges, what is dropped, and what each result line carries.
#include "HiddenLinesTestSupport.h"
#include <gtest/gtest.h>

using namespace hltest;

namespace {

const SbColor RED(1, 0, 0), GREEN(0, 1, 0), BLUE(0, 0, 1);
constexpr float TOL = 1e-5f;

// The square [-0.5, 0.5]^2 at depth z, counter-clockwise.
void addSquare(SoHiddenLines &h, float z, const SbColor &c, const unsigned char *draw = nullptr) {
    const SbVec4f sq[4] = {P(-0.5f, -0.5f, z), P(0.5f, -0.5f, z), P(0.5f, 0.5f, z),
                           P(-0.5f, 0.5f, z)};
    h.addPolygon(sq, 4, c, 1.0f, 0xFFFF, draw);
}

void addSegment(SoHiddenLines &h, SbVec4f a, SbVec4f b, const SbColor &c) {
    const SbVec4f pts[2] = {a, b};
    h.addPolyline(pts, 2, c, 1.0f, 0xFFFF);
}

// The pieces of one colour as their end points, sorted, each piece (x0, y0, x1, y1) with the
// left end first.
std::vector<std::array<float, 4>> pieces(const std::vector<Line> &lines, const SbColor &c) {
    std::vector<std::array<float, 4>> out;
    for (const Line &l : withColor(lines, c))
        out.push_back(l.ends());
    std::sort(out.begin(), out.end());
    return out;
}

void expectPiece(const std::array<float, 4> &got, float x0, float y0, float x1, float y1) {
    EXPECT_NEAR(got[0], x0, TOL);
    EXPECT_NEAR(got[1], y0, TOL);
    EXPECT_NEAR(got[2], x1, TOL);
    EXPECT_NEAR(got[3], y1, TOL);
}

TEST(HiddenLines, EmptyRunAndTooShortPrimitivesGiveNothing) {
    SoHiddenLines empty;
    int count = -1;
    SoHiddenLines::Polyline *r = empty.computeHiddenLines(count);
    EXPECT_EQ(count, 0);
    EXPECT_NE(r, nullptr);
    delete[] r;

    SoHiddenLines h;
    const SbVec4f one[1] = {P(0, 0, 0)};
    h.addPolygon(one, 1, RED, 1, 0xFFFF);
    h.addPolyline(one, 1, RED, 1, 0xFFFF);
    EXPECT_TRUE(compute(h).empty());
}

TEST(HiddenLines, SegmentInFrontOfPolygonStaysWhole) {
    SoHiddenLines h;
    addSquare(h, 0.5f, RED);
    addSegment(h, P(-0.8f, 0.1f, 0.2f), P(0.8f, 0.1f, 0.2f), GREEN);
    bool zwZero = false;
    const std::vector<Line> lines = compute(h, &zwZero);
    EXPECT_TRUE(zwZero);
    const auto seg = pieces(lines, GREEN);
    ASSERT_EQ(seg.size(), 1u);
    expectPiece(seg[0], -0.8f, 0.1f, 0.8f, 0.1f);
    EXPECT_EQ(withColor(lines, GREEN)[0].pts.size(), 2u);
    // The square's sides are cut where the segment passes in front, but nothing of them is lost.
    EXPECT_NEAR(totalLength(withColor(lines, RED)), 4.0, 1e-5);
}

TEST(HiddenLines, SegmentBehindPolygonShowsOnlyBeyondTheOutline) {
    struct Case {
        float x0, y0, x1, y1; // the segment, behind the square
        float ax, ay, bx, by; // where it crosses the outline
    };
    const Case cases[] = {
        {-0.8f, 0.1f, 0.8f, 0.1f, -0.5f, 0.1f, 0.5f, 0.1f},
        // y = -0.3 + 0.5 (x + 0.9): enters through the left side, leaves through the right.
        {-0.9f, -0.3f, 0.9f, 0.6f, -0.5f, -0.1f, 0.5f, 0.4f},
        // Vertical, through the bottom and the top side.
        {0.1f, -0.8f, 0.1f, 0.8f, 0.1f, -0.5f, 0.1f, 0.5f},
    };
    for (const Case &c : cases) {
        SoHiddenLines h;
        addSquare(h, 0.5f, RED);
        addSegment(h, P(c.x0, c.y0, 0.8f), P(c.x1, c.y1, 0.8f), GREEN);
        const std::vector<Line> lines = compute(h);
        const auto seg = pieces(lines, GREEN);
        ASSERT_EQ(seg.size(), 2u);
        expectPiece(seg[0], c.x0, c.y0, c.ax, c.ay);
        expectPiece(seg[1], c.bx, c.by, c.x1, c.y1);
        EXPECT_NEAR(totalLength(withColor(lines, RED)), 4.0, 1e-5);
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
        const auto seg = pieces(lines, e.color);
        ASSERT_EQ(seg.size(), 22u);
        EXPECT_NEAR(totalLength(withColor(lines, e.color)), (e.to - e.from) - 21 * 0.04, 1e-3);
        for (std::size_t i = 0; i < seg.size(); i++) {
            expectPiece(seg[i], i == 0 ? e.from : sides[2 * i - 1], e.y,
                        i + 1 == seg.size() ? e.to : sides[2 * i], e.y);
        }
    }
}

TEST(HiddenLines, SegmentPiercingPolygonIsCutAtThePiercingPoint) {
    // Depth goes from 0.2 to 0.8 along each segment: it passes the square's plane (0.5) halfway,
    // in front before, behind after; beyond the square's outline it shows again.
    struct Case {
        float x0, y0, x1, y1; // the segment
        float px, py;         // where it pierces the square
        float ox, oy;         // where it comes out from behind the outline
    };
    const Case cases[] = {
        {-0.8f, 0.1f, 0.8f, 0.1f, 0.0f, 0.1f, 0.5f, 0.1f},
        // Starting below the square, y = 1.125 x; out through the top side at x = 4/9.
        {-0.8f, -0.9f, 0.8f, 0.9f, 0.0f, 0.0f, 4.0f / 9.0f, 0.5f},
    };
    for (const Case &c : cases) {
        SoHiddenLines h;
        addSquare(h, 0.5f, RED);
        addSegment(h, P(c.x0, c.y0, 0.2f), P(c.x1, c.y1, 0.8f), GREEN);
        const auto seg = pieces(compute(h), GREEN);
        ASSERT_EQ(seg.size(), 2u);
        expectPiece(seg[0], c.x0, c.y0, c.px, c.py);
        expectPiece(seg[1], c.ox, c.oy, c.x1, c.y1);
    }
}

TEST(HiddenLines, SharedEdgeIsDrawnOnceWithTheFirstProcessedAttribute) {
    const SbVec4f a[3] = {P(-0.5f, -0.5f, 0.5f), P(0.5f, -0.5f, 0.5f), P(0.5f, 0.5f, 0.5f)};
    const SbVec4f b[3] = {P(-0.5f, -0.5f, 0.5f), P(0.5f, 0.5f, 0.5f), P(-0.5f, 0.5f, 0.5f)};
    const SbVec4f far[3] = {P(-0.9f, -0.9f, 0.5f), P(-0.7f, -0.9f, 0.5f), P(-0.8f, -0.7f, 0.5f)};
    const double diagonal = std::sqrt(2.0);
    {
        // The first primitive added is processed first: it keeps the diagonal.
        SoHiddenLines h;
        h.addPolygon(a, 3, RED, 1, 0xFFFF);
        h.addPolygon(b, 3, GREEN, 1, 0xFFFF);
        const std::vector<Line> lines = compute(h);
        EXPECT_NEAR(totalLength(lines), 4.0 + diagonal, 1e-5);
        EXPECT_NEAR(totalLength(withColor(lines, RED)), 2.0 + diagonal, 1e-5);
        EXPECT_NEAR(totalLength(withColor(lines, GREEN)), 2.0, 1e-5);
    }
    {
        // After the first, the newest goes first: the third primitive keeps the edge it shares
        // with the second.
        SoHiddenLines h;
        h.addPolygon(far, 3, RED, 1, 0xFFFF);
        h.addPolygon(a, 3, GREEN, 1, 0xFFFF);
        h.addPolygon(b, 3, BLUE, 1, 0xFFFF);
        const std::vector<Line> lines = compute(h);
        EXPECT_NEAR(totalLength(withColor(lines, GREEN)), 2.0, 1e-5);
        EXPECT_NEAR(totalLength(withColor(lines, BLUE)), 2.0 + diagonal, 1e-5);
    }
}

TEST(HiddenLines, EdgeInTheFacePlaneIsNotHiddenButOneBehindIs) {
    // A tilted square, depth 0.5 + 0.2 x + 0.1 y; a segment in its plane, the same segment
    // 0.002 behind it (still taken as lying in it) and 0.01 behind it (hidden).
    auto depth = [](float x, float y) { return 0.5f + 0.2f * x + 0.1f * y; };
    const SbVec4f sq[4] = {P(-0.5f, -0.5f, depth(-0.5f, -0.5f)), P(0.5f, -0.5f, depth(0.5f, -0.5f)),
                           P(0.5f, 0.5f, depth(0.5f, 0.5f)), P(-0.5f, 0.5f, depth(-0.5f, 0.5f))};
    for (float behind : {0.0f, 0.002f, 0.01f}) {
        SoHiddenLines h;
        h.addPolygon(sq, 4, RED, 1, 0xFFFF);
        addSegment(h, P(-0.3f, -0.2f, depth(-0.3f, -0.2f) + behind),
                   P(0.4f, 0.3f, depth(0.4f, 0.3f) + behind), GREEN);
        const auto seg = pieces(compute(h), GREEN);
        if (behind < 0.005f) {
            ASSERT_EQ(seg.size(), 1u);
            expectPiece(seg[0], -0.3f, -0.2f, 0.4f, 0.3f);
        } else {
            EXPECT_TRUE(seg.empty());
        }
    }
}

TEST(HiddenLines, PolylinesHideNothing) {
    // A far diagonal crossed by a near horizontal line and a near zigzag: all stay, whole.
    const SbVec4f diag[2] = {P(-0.6f, -0.6f, 0.9f), P(0.6f, 0.6f, 0.9f)};
    const SbVec4f flat[2] = {P(-0.7f, 0.0f, 0.1f), P(0.7f, 0.0f, 0.1f)};
    const SbVec4f zig[3] = {P(-0.2f, -0.5f, 0.1f), P(0.0f, 0.4f, 0.1f), P(0.2f, -0.5f, 0.1f)};
    SoHiddenLines h;
    h.addPolyline(diag, 2, RED, 1, 0xFFFF);
    h.addPolyline(flat, 2, GREEN, 1, 0xFFFF);
    h.addPolyline(zig, 3, BLUE, 1, 0xFFFF);
    const std::vector<Line> lines = compute(h);
    EXPECT_NEAR(totalLength(withColor(lines, RED)), 1.2 * std::sqrt(2.0), 1e-5);
    EXPECT_NEAR(totalLength(withColor(lines, GREEN)), 1.4, 1e-5);
    EXPECT_NEAR(totalLength(withColor(lines, BLUE)), 2.0 * std::hypot(0.2, 0.9), 1e-5);
    // The diagonal, cut where the others pass in front, is joined again into one line.
    const auto d = pieces(lines, RED);
    ASSERT_EQ(d.size(), 1u);
    expectPiece(d[0], -0.6f, -0.6f, 0.6f, 0.6f);
    for (const Line &l : withColor(lines, RED))
        for (const auto &p : l.pts)
            EXPECT_NEAR(p[0], p[1], TOL);
}

TEST(HiddenLines, GeometryOutsideTheSquareGivesNoEdges) {
    SoHiddenLines h;
    addSegment(h, P(1.2f, 0.0f, 0.5f), P(1.8f, 0.5f, 0.5f), GREEN);
    addSegment(h, P(-0.5f, -1.5f, 0.5f), P(0.5f, -1.2f, 0.5f), GREEN);
    const SbVec4f tri[3] = {P(1.5f, -0.2f, 0.1f), P(2.0f, -0.2f, 0.1f), P(1.7f, 0.4f, 0.1f)};
    h.addPolygon(tri, 3, RED, 1, 0xFFFF);
    EXPECT_TRUE(compute(h).empty());
}

TEST(HiddenLines, CollinearPolygonIsDropped) {
    // Three points on a line in space: no plane, so no face and no outline.
    SoHiddenLines h;
    const SbVec4f line[3] = {P(-0.5f, 0.0f, 0.2f), P(0.0f, 0.0f, 0.2f), P(0.5f, 0.0f, 0.2f)};
    h.addPolygon(line, 3, RED, 1, 0xFFFF);
    addSegment(h, P(0.0f, -0.5f, 0.8f), P(0.0f, 0.5f, 0.8f), GREEN);
    const std::vector<Line> lines = compute(h);
    EXPECT_TRUE(withColor(lines, RED).empty());
    EXPECT_NEAR(totalLength(withColor(lines, GREEN)), 1.0, 1e-5);
}

TEST(HiddenLines, ResultLinesCarryTheirPrimitivesAttributes) {
    SoHiddenLines h;
    const SbVec4f tri[3] = {P(-0.5f, -0.5f, 0.5f), P(0.5f, -0.5f, 0.5f), P(0.0f, 0.5f, 0.5f)};
    h.addPolygon(tri, 3, RED, 2.5f, 0xF0F0);
    const SbVec4f pl[3] = {P(-0.9f, 0.8f, 0.3f), P(0.0f, 0.9f, 0.3f), P(0.9f, 0.8f, 0.3f)};
    h.addPolyline(pl, 3, GREEN, 0.5f, 0x00FF);
    const std::vector<Line> lines = compute(h);
    ASSERT_FALSE(withColor(lines, RED).empty());
    ASSERT_FALSE(withColor(lines, GREEN).empty());
    ASSERT_EQ(withColor(lines, RED).size() + withColor(lines, GREEN).size(), lines.size());
    for (const Line &l : withColor(lines, RED)) {
        EXPECT_EQ(l.width, 2.5f);
        EXPECT_EQ(l.pattern, 0xF0F0);
    }
    for (const Line &l : withColor(lines, GREEN)) {
        EXPECT_EQ(l.width, 0.5f);
        EXPECT_EQ(l.pattern, 0x00FF);
    }
    EXPECT_NEAR(totalLength(withColor(lines, RED)), 1.0 + 2.0 * std::hypot(0.5, 1.0), 1e-5);
}

TEST(HiddenLines, TwoPointPolygonIsALine) {
    const SbVec4f two[2] = {P(-0.6f, 0.2f, 0.1f), P(0.6f, 0.2f, 0.1f)};
    {
        // Drawn as its one edge, in front of a segment it hides nothing of.
        SoHiddenLines h;
        h.addPolygon(two, 2, RED, 3.0f, 0x0F0F);
        addSegment(h, P(0.0f, -0.5f, 0.9f), P(0.0f, 0.7f, 0.9f), GREEN);
        const std::vector<Line> lines = compute(h);
        const auto edge = pieces(lines, RED);
        ASSERT_EQ(edge.size(), 1u);
        expectPiece(edge[0], -0.6f, 0.2f, 0.6f, 0.2f);
        EXPECT_EQ(withColor(lines, RED)[0].width, 3.0f);
        EXPECT_EQ(withColor(lines, RED)[0].pattern, 0x0F0F);
        EXPECT_NEAR(totalLength(withColor(lines, GREEN)), 1.2, 1e-5);
    }
    const unsigned char none[2] = {0, 0}, closingOnly[2] = {0, 1};
    {
        SoHiddenLines h;
        h.addPolygon(two, 2, RED, 1, 0xFFFF, none);
        EXPECT_TRUE(compute(h).empty());
    }
    {
        SoHiddenLines h;
        h.addPolygon(two, 2, RED, 1, 0xFFFF, closingOnly);
        EXPECT_NEAR(totalLength(compute(h)), 1.2, 1e-5);
    }
}

TEST(HiddenLines, UndrawnEdgesAreLeftOutButTheFaceStillHides) {
    // Bottom and top drawn, right and left not.
    const unsigned char draw[4] = {1, 0, 1, 0};
    SoHiddenLines h;
    addSquare(h, 0.5f, RED, draw);
    addSegment(h, P(-0.8f, 0.1f, 0.8f), P(0.8f, 0.1f, 0.8f), GREEN);
    const std::vector<Line> lines = compute(h);
    const auto sides = pieces(lines, RED);
    ASSERT_EQ(sides.size(), 2u);
    expectPiece(sides[0], -0.5f, -0.5f, 0.5f, -0.5f);
    expectPiece(sides[1], -0.5f, 0.5f, 0.5f, 0.5f);
    // The segment behind is still cut at the undrawn sides and hidden between them.
    const auto seg = pieces(lines, GREEN);
    ASSERT_EQ(seg.size(), 2u);
    expectPiece(seg[0], -0.8f, 0.1f, -0.5f, 0.1f);
    expectPiece(seg[1], 0.5f, 0.1f, 0.8f, 0.1f);
    EXPECT_EQ(lines.size(), 4u);
}

TEST(HiddenLines, EdgeSharedWithAnUndrawnEdgeIsDrawnOnce) {
    // Two triangles share the diagonal; the first (processed first) does not draw it, the
    // second does: it is drawn once, with the second's colour.
    const SbVec4f a[3] = {P(-0.5f, -0.5f, 0.5f), P(0.5f, -0.5f, 0.5f), P(0.5f, 0.5f, 0.5f)};
    const SbVec4f b[3] = {P(-0.5f, -0.5f, 0.5f), P(0.5f, 0.5f, 0.5f), P(-0.5f, 0.5f, 0.5f)};
    const unsigned char noDiagonal[3] = {1, 1, 0};
    const double diagonal = std::sqrt(2.0);
    SoHiddenLines h;
    h.addPolygon(a, 3, RED, 1, 0xFFFF, noDiagonal);
    h.addPolygon(b, 3, GREEN, 1, 0xFFFF);
    const std::vector<Line> lines = compute(h);
    EXPECT_NEAR(totalLength(withColor(lines, RED)), 2.0, 1e-5);
    EXPECT_NEAR(totalLength(withColor(lines, GREEN)), 2.0 + diagonal, 1e-5);
    // Neither draws it: it is gone.
    const unsigned char noFirst[3] = {0, 1, 1};
    SoHiddenLines h2;
    h2.addPolygon(a, 3, RED, 1, 0xFFFF, noDiagonal);
    h2.addPolygon(b, 3, GREEN, 1, 0xFFFF, noFirst);
    EXPECT_NEAR(totalLength(compute(h2)), 4.0, 1e-5);
}

} // namespace
