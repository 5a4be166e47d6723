// Built-in marker bitmaps: sizes by index, packing (bottom row first, MSB leftmost), agreement
// of the byte and bit lookups, shape properties and the enum names.
#include "nodes/MarkerBitmaps.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

using namespace scene_detail;

namespace {

// clang-format off
enum Shape {
    CROSS, PLUS, MINUS, SLASH, BACKSLASH, BAR, STAR, Y, LIGHTNING, WELL,
    CIRCLE_LINE, SQUARE_LINE, DIAMOND_LINE, TRIANGLE_LINE, RHOMBUS_LINE,
    HOURGLASS_LINE, SATELLITE_LINE, PINE_TREE_LINE, CAUTION_LINE, SHIP_LINE,
    CIRCLE_FILLED, SQUARE_FILLED, DIAMOND_FILLED, TRIANGLE_FILLED, RHOMBUS_FILLED,
    HOURGLASS_FILLED, SATELLITE_FILLED, PINE_TREE_FILLED, CAUTION_FILLED, SHIP_FILLED
};
// clang-format on

const int kSizes[3] = {5, 7, 9};

int indexOf(Shape shape, int sizeGroup) {
    return sizeGroup * 30 + shape;
}

// Pixel grid of a marker read through the bit lookup: grid[row][col], row 0 the bottom.
using Grid = std::vector<std::vector<bool>>;

Grid gridOf(int index) {
    int w = 0, h = 0;
    const unsigned char *bytes = nullptr;
    EXPECT_TRUE(builtinMarker(index, w, h, bytes));
    Grid g(h, std::vector<bool>(w));
    for (int r = 0; r < h; ++r)
        for (int c = 0; c < w; ++c)
            g[r][c] = builtinMarkerBit(index, r * w + c);
    return g;
}

int countSet(const Grid &g) {
    int n = 0;
    for (const auto &row : g)
        for (bool b : row)
            n += b;
    return n;
}

Grid mirrorX(const Grid &g) {
    Grid m;
    for (const auto &row : g)
        m.emplace_back(row.rbegin(), row.rend());
    return m;
}

Grid mirrorY(const Grid &g) {
    return Grid(g.rbegin(), g.rend());
}

} // namespace

TEST(MarkerBitmaps, CountIs90) {
    EXPECT_EQ(builtinMarkerCount(), 90);
    EXPECT_EQ(kBuiltinMarkerCount, 90);
}

TEST(MarkerBitmaps, SizeFollowsIndexAndNoneIsEmpty) {
    for (int i = 0; i < 90; ++i) {
        int w = -1, h = -1;
        const unsigned char *bytes = nullptr;
        ASSERT_TRUE(builtinMarker(i, w, h, bytes)) << i;
        EXPECT_EQ(w, kSizes[i / 30]) << i;
        EXPECT_EQ(h, kSizes[i / 30]) << i;
        ASSERT_NE(bytes, nullptr);
        EXPECT_GT(countSet(gridOf(i)), 0) << builtinMarkerName(i);
    }
}

TEST(MarkerBitmaps, BytesAndBitsAgreeAndPaddingIsClear) {
    for (int i = 0; i < 90; ++i) {
        int w = 0, h = 0;
        const unsigned char *bytes = nullptr;
        ASSERT_TRUE(builtinMarker(i, w, h, bytes));
        const int rowBytes = (w + 7) / 8;
        for (int r = 0; r < h; ++r) {
            for (int c = 0; c < rowBytes * 8; ++c) {
                const bool inByte = (bytes[r * rowBytes + c / 8] >> (7 - c % 8)) & 1;
                if (c < w) {
                    EXPECT_EQ(inByte, builtinMarkerBit(i, r * w + c))
                        << i << " r" << r << " c" << c;
                } else {
                    EXPECT_FALSE(inByte) << "padding bit set: " << i << " r" << r << " c" << c;
                }
            }
        }
    }
}

TEST(MarkerBitmaps, KnownPackedBytes) {
    int w, h;
    const unsigned char *b;
    ASSERT_TRUE(builtinMarker(indexOf(CROSS, 0), w, h, b));
    const unsigned char cross5[5] = {0x88, 0x50, 0x20, 0x50, 0x88};
    for (int r = 0; r < 5; ++r)
        EXPECT_EQ(b[r], cross5[r]) << r;

    // 9 pixels wide: two bytes a row, the ninth pixel in the second byte's top bit.
    ASSERT_TRUE(builtinMarker(indexOf(PLUS, 2), w, h, b));
    for (int r = 0; r < 9; ++r) {
        EXPECT_EQ(b[2 * r], r == 4 ? 0xFF : 0x08) << r;
        EXPECT_EQ(b[2 * r + 1], r == 4 ? 0x80 : 0x00) << r;
    }

    // Rows run bottom to top: SLASH rises to the right, so row 0 has the leftmost pixel.
    ASSERT_TRUE(builtinMarker(indexOf(SLASH, 2), w, h, b));
    EXPECT_EQ(b[0], 0x80);
    EXPECT_EQ(b[1], 0x00);
    EXPECT_EQ(b[16], 0x00);
    EXPECT_EQ(b[17], 0x80);
}

TEST(MarkerBitmaps, OrientationBottomRowFirst) {
    for (int s = 0; s < 3; ++s) {
        const int n = kSizes[s];
        // SLASH: bottom-left and top-right corners; BACKSLASH the other two.
        EXPECT_TRUE(builtinMarkerBit(indexOf(SLASH, s), 0));
        EXPECT_TRUE(builtinMarkerBit(indexOf(SLASH, s), n * n - 1));
        EXPECT_FALSE(builtinMarkerBit(indexOf(SLASH, s), n - 1));
        EXPECT_TRUE(builtinMarkerBit(indexOf(BACKSLASH, s), n - 1));
        EXPECT_TRUE(builtinMarkerBit(indexOf(BACKSLASH, s), (n - 1) * n));
        EXPECT_FALSE(builtinMarkerBit(indexOf(BACKSLASH, s), 0));
        // Triangles point up: full base row at the bottom, a single apex pixel at the top.
        for (Shape t : {TRIANGLE_LINE, TRIANGLE_FILLED}) {
            const Grid g = gridOf(indexOf(t, s));
            EXPECT_EQ(std::vector<bool>(n, true), g[0]);
            int topCount = 0;
            for (bool b : g[n - 1])
                topCount += b;
            EXPECT_EQ(topCount, 1);
            EXPECT_TRUE(g[n - 1][n / 2]);
        }
        // Pine tree: a one-pixel trunk at the bottom centre.
        const Grid tree = gridOf(indexOf(PINE_TREE_LINE, s));
        EXPECT_EQ(countSet(Grid{tree[0]}), 1);
        EXPECT_TRUE(tree[0][n / 2]);
    }
}

TEST(MarkerBitmaps, PlusIsSymmetricBothWays) {
    for (int s = 0; s < 3; ++s) {
        const Grid g = gridOf(indexOf(PLUS, s));
        EXPECT_EQ(g, mirrorX(g));
        EXPECT_EQ(g, mirrorY(g));
        const int n = kSizes[s];
        EXPECT_EQ(countSet(g), 2 * n - 1);
        for (int k = 0; k < n; ++k) {
            EXPECT_TRUE(g[n / 2][k]);
            EXPECT_TRUE(g[k][n / 2]);
        }
    }
}

TEST(MarkerBitmaps, MinusIsOnlyTheMiddleRowAndBarOnlyTheMiddleColumn) {
    for (int s = 0; s < 3; ++s) {
        const int n = kSizes[s];
        const Grid minus = gridOf(indexOf(MINUS, s));
        const Grid bar = gridOf(indexOf(BAR, s));
        for (int r = 0; r < n; ++r)
            for (int c = 0; c < n; ++c) {
                EXPECT_EQ(minus[r][c], r == n / 2) << "MINUS size " << n << " r" << r << " c" << c;
                EXPECT_EQ(bar[r][c], c == n / 2) << "BAR size " << n << " r" << r << " c" << c;
            }
    }
}

TEST(MarkerBitmaps, SymmetricShapesAreSymmetric) {
    const Shape leftRight[] = {CROSS,
                               PLUS,
                               MINUS,
                               BAR,
                               STAR,
                               Y,
                               WELL,
                               CIRCLE_LINE,
                               SQUARE_LINE,
                               DIAMOND_LINE,
                               TRIANGLE_LINE,
                               HOURGLASS_LINE,
                               SATELLITE_LINE,
                               PINE_TREE_LINE,
                               CAUTION_LINE,
                               CIRCLE_FILLED,
                               SQUARE_FILLED,
                               DIAMOND_FILLED,
                               TRIANGLE_FILLED,
                               HOURGLASS_FILLED,
                               SATELLITE_FILLED,
                               PINE_TREE_FILLED,
                               CAUTION_FILLED};
    const Shape upDown[] = {CROSS,
                            PLUS,
                            MINUS,
                            BAR,
                            STAR,
                            WELL,
                            CIRCLE_LINE,
                            SQUARE_LINE,
                            DIAMOND_LINE,
                            HOURGLASS_LINE,
                            SATELLITE_LINE,
                            CIRCLE_FILLED,
                            SQUARE_FILLED,
                            DIAMOND_FILLED,
                            HOURGLASS_FILLED,
                            SATELLITE_FILLED};
    // Half-turn symmetric: the zigzag of the lightning bolt and the slanted rhombus.
    const Shape halfTurn[] = {LIGHTNING, RHOMBUS_LINE, RHOMBUS_FILLED, SLASH, BACKSLASH};
    for (int s = 0; s < 3; ++s) {
        for (Shape sh : leftRight) {
            const Grid g = gridOf(indexOf(sh, s));
            EXPECT_EQ(g, mirrorX(g)) << builtinMarkerName(indexOf(sh, s));
        }
        for (Shape sh : upDown) {
            const Grid g = gridOf(indexOf(sh, s));
            EXPECT_EQ(g, mirrorY(g)) << builtinMarkerName(indexOf(sh, s));
        }
        for (Shape sh : halfTurn) {
            const Grid g = gridOf(indexOf(sh, s));
            EXPECT_EQ(g, mirrorX(mirrorY(g))) << builtinMarkerName(indexOf(sh, s));
        }
        EXPECT_EQ(gridOf(indexOf(SLASH, s)), mirrorX(gridOf(indexOf(BACKSLASH, s))));
        // Asymmetric shapes really are asymmetric (a mirrored picture would be a bug).
        for (Shape sh : {LIGHTNING, RHOMBUS_LINE, SHIP_LINE, SHIP_FILLED, SLASH}) {
            const Grid g = gridOf(indexOf(sh, s));
            EXPECT_NE(g, mirrorX(g)) << builtinMarkerName(indexOf(sh, s));
        }
    }
}

TEST(MarkerBitmaps, FilledIsAStrictSupersetOfLine) {
    for (int s = 0; s < 3; ++s) {
        for (int shape = CIRCLE_LINE; shape <= SHIP_LINE; ++shape) {
            const int line = s * 30 + shape;
            const int filled = line + 10;
            const Grid gl = gridOf(line);
            const Grid gf = gridOf(filled);
            for (size_t r = 0; r < gl.size(); ++r)
                for (size_t c = 0; c < gl.size(); ++c)
                    if (gl[r][c]) {
                        EXPECT_TRUE(gf[r][c]) << builtinMarkerName(filled) << " misses a pixel of "
                                              << builtinMarkerName(line);
                    }
            EXPECT_GT(countSet(gf), countSet(gl)) << builtinMarkerName(filled);
        }
    }
}

TEST(MarkerBitmaps, SquareFilledIsFullAndCircleHasRoundCorners) {
    for (int s = 0; s < 3; ++s) {
        const int n = kSizes[s];
        EXPECT_EQ(countSet(gridOf(indexOf(SQUARE_FILLED, s))), n * n);
        const Grid circle = gridOf(indexOf(CIRCLE_FILLED, s));
        EXPECT_FALSE(circle[0][0]);
        EXPECT_FALSE(circle[n - 1][n - 1]);
        EXPECT_TRUE(circle[n / 2][0]);
        EXPECT_TRUE(circle[n / 2][n / 2]);
        EXPECT_FALSE(gridOf(indexOf(CIRCLE_LINE, s))[n / 2][n / 2]);
    }
}

TEST(MarkerBitmaps, MarkersOfOneSizeAreAllDifferent) {
    for (int s = 0; s < 3; ++s)
        for (int a = 0; a < 30; ++a)
            for (int b = a + 1; b < 30; ++b)
                EXPECT_NE(gridOf(s * 30 + a), gridOf(s * 30 + b))
                    << builtinMarkerName(s * 30 + a) << " == " << builtinMarkerName(s * 30 + b);
}

TEST(MarkerBitmaps, OutOfRangeIsRejected) {
    int w = 123, h = 456;
    const unsigned char *bytes = nullptr;
    for (int i : {-1, 90, 91, 1000, -1000}) {
        EXPECT_FALSE(builtinMarker(i, w, h, bytes)) << i;
        EXPECT_FALSE(builtinMarkerBit(i, 0)) << i;
        EXPECT_EQ(builtinMarkerName(i), nullptr) << i;
    }
    EXPECT_EQ(w, 123);
    EXPECT_EQ(h, 456);
    EXPECT_EQ(bytes, nullptr);
    // Bit numbers past the bitmap, even where the padded byte would still exist.
    const int square5 = indexOf(SQUARE_FILLED, 0);
    EXPECT_TRUE(builtinMarkerBit(square5, 24));
    EXPECT_FALSE(builtinMarkerBit(square5, 25));
    EXPECT_FALSE(builtinMarkerBit(square5, -1));
    const int square9 = indexOf(SQUARE_FILLED, 2);
    EXPECT_TRUE(builtinMarkerBit(square9, 80));
    EXPECT_FALSE(builtinMarkerBit(square9, 81));
}

TEST(MarkerBitmaps, EnumNames) {
    EXPECT_STREQ(builtinMarkerName(0), "CROSS_5_5");
    EXPECT_STREQ(builtinMarkerName(29), "SHIP_FILLED_5_5");
    EXPECT_STREQ(builtinMarkerName(30), "CROSS_7_7");
    EXPECT_STREQ(builtinMarkerName(37), "Y_7_7");
    EXPECT_STREQ(builtinMarkerName(47), "PINE_TREE_LINE_7_7");
    EXPECT_STREQ(builtinMarkerName(80), "CIRCLE_FILLED_9_9");
    EXPECT_STREQ(builtinMarkerName(89), "SHIP_FILLED_9_9");
    const char *shapes[30] = {"CROSS",
                              "PLUS",
                              "MINUS",
                              "SLASH",
                              "BACKSLASH",
                              "BAR",
                              "STAR",
                              "Y",
                              "LIGHTNING",
                              "WELL",
                              "CIRCLE_LINE",
                              "SQUARE_LINE",
                              "DIAMOND_LINE",
                              "TRIANGLE_LINE",
                              "RHOMBUS_LINE",
                              "HOURGLASS_LINE",
                              "SATELLITE_LINE",
                              "PINE_TREE_LINE",
                              "CAUTION_LINE",
                              "SHIP_LINE",
                              "CIRCLE_FILLED",
                              "SQUARE_FILLED",
                              "DIAMOND_FILLED",
                              "TRIANGLE_FILLED",
                              "RHOMBUS_FILLED",
                              "HOURGLASS_FILLED",
                              "SATELLITE_FILLED",
                              "PINE_TREE_FILLED",
                              "CAUTION_FILLED",
                              "SHIP_FILLED"};
    std::set<std::string> seen;
    for (int i = 0; i < 90; ++i) {
        const int n = kSizes[i / 30];
        const std::string expected =
            std::string(shapes[i % 30]) + "_" + std::to_string(n) + "_" + std::to_string(n);
        ASSERT_NE(builtinMarkerName(i), nullptr);
        EXPECT_EQ(expected, builtinMarkerName(i));
        EXPECT_EQ(builtinMarkerIndex(expected.c_str()), i);
        seen.insert(builtinMarkerName(i));
    }
    EXPECT_EQ(seen.size(), 90u);
    EXPECT_EQ(builtinMarkerIndex("CROSS_6_6"), -1);
    EXPECT_EQ(builtinMarkerIndex("cross_5_5"), -1);
    EXPECT_EQ(builtinMarkerIndex(""), -1);
    EXPECT_EQ(builtinMarkerIndex(nullptr), -1);
}
