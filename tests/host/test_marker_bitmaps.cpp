// Built-in marker bitmaps: sizes by index, packing (bottom row first, MSB leftmost), agreement
// of the byte and bit lookups, shape properties and the enum names.
#include "nodes/MarkerBitmaps.h"

#include <gtest/gtest.h>

#include <algorithm>
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
const char *const kShapeNames[30] = {
    "CROSS", "PLUS", "MINUS", "SLASH", "BACKSLASH", "BAR", "STAR", "Y", "LIGHTNING", "WELL",
    "CIRCLE_LINE", "SQUARE_LINE", "DIAMOND_LINE", "TRIANGLE_LINE", "RHOMBUS_LINE",
    "HOURGLASS_LINE", "SATELLITE_LINE", "PINE_TREE_LINE", "CAUTION_LINE", "SHIP_LINE",
    "CIRCLE_FILLED", "SQUARE_FILLED", "DIAMOND_FILLED", "TRIANGLE_FILLED", "RHOMBUS_FILLED",
    "HOURGLASS_FILLED", "SATELLITE_FILLED", "PINE_TREE_FILLED", "CAUTION_FILLED", "SHIP_FILLED"};
// clang-format on

const int kSizes[3] = {5, 7, 9};

// Pixel grid of a marker read through the bit lookup: grid[row][col], row 0 the bottom.
using Grid = std::vector<std::vector<bool>>;

Grid gridOf(int shape, int sizeGroup) {
    const int n = kSizes[sizeGroup];
    Grid g(n, std::vector<bool>(n));
    for (int r = 0; r < n; ++r)
        for (int c = 0; c < n; ++c) g[r][c] = builtinMarkerBit(sizeGroup * 30 + shape, r * n + c);
    return g;
}

int countSet(const Grid &g) {
    int n = 0;
    for (const auto &row : g)
        for (bool b : row) n += b;
    return n;
}

Grid mirrorX(Grid g) {
    for (auto &row : g) std::reverse(row.begin(), row.end());
    return g;
}

Grid mirrorY(const Grid &g) { return Grid(g.rbegin(), g.rend()); }

} // namespace

TEST(MarkerBitmaps, SizesPackingNamesAndRangeOfEveryMarker) {
    EXPECT_EQ(builtinMarkerCount(), 90);
    for (int i = 0; i < 90; ++i) {
        const std::string n = std::to_string(kSizes[i / 30]), name = kShapeNames[i % 30] + ("_" + n + "_" + n);
        ASSERT_NE(builtinMarkerName(i), nullptr);
        EXPECT_EQ(name, builtinMarkerName(i));
        EXPECT_EQ(builtinMarkerIndex(name.c_str()), i);
        int w = -1, h = -1;
        const unsigned char *bytes = nullptr;
        ASSERT_TRUE(builtinMarker(i, w, h, bytes)) << i;
        ASSERT_NE(bytes, nullptr);
        EXPECT_EQ(w, kSizes[i / 30]) << i;
        EXPECT_EQ(h, kSizes[i / 30]) << i;
        EXPECT_GT(countSet(gridOf(i % 30, i / 30)), 0) << name;
        // The bytes agree with the bit lookup, and the padding of each row is clear.
        const int rowBytes = (w + 7) / 8;
        for (int r = 0; r < h; ++r)
            for (int c = 0; c < rowBytes * 8; ++c) {
                const bool inByte = (bytes[r * rowBytes + c / 8] >> (7 - c % 8)) & 1;
                EXPECT_EQ(inByte, c < w && builtinMarkerBit(i, r * w + c)) << i << " r" << r << " c" << c;
            }
        EXPECT_FALSE(builtinMarkerBit(i, -1));
        EXPECT_FALSE(builtinMarkerBit(i, w * h)); // even where the padded byte would still exist
    }
    int w = 123, h = 456;
    const unsigned char *bytes = nullptr;
    for (int i : {-1, 90, 1000, -1000}) {
        EXPECT_FALSE(builtinMarker(i, w, h, bytes)) << i;
        EXPECT_FALSE(builtinMarkerBit(i, 0)) << i;
        EXPECT_EQ(builtinMarkerName(i), nullptr) << i;
    }
    EXPECT_TRUE(w == 123 && h == 456 && bytes == nullptr);
    EXPECT_STREQ(builtinMarkerName(80), "CIRCLE_FILLED_9_9");
    for (const char *unknown : {"CROSS_6_6", "cross_5_5", "", static_cast<const char *>(nullptr)})
        EXPECT_EQ(builtinMarkerIndex(unknown), -1);
}

TEST(MarkerBitmaps, ShapesStandBottomRowFirstWithTheirSymmetriesAndFormsAndAllDiffer) {
    // The mirror symmetries of each shape: B both, X left-right only, H a half turn only, - none.
    const std::string symmetry = "BBBHHBBXHB"
                                 "BBBXHBBXX-"
                                 "BBBXHBBXX-";
    for (int s = 0; s < 3; ++s) {
        const int n = kSizes[s];
        // SLASH rises to the right: bottom-left and top-right corners; BACKSLASH mirrors it.
        const Grid slash = gridOf(SLASH, s);
        EXPECT_TRUE(slash[0][0] && slash[n - 1][n - 1] && !slash[0][n - 1]);
        EXPECT_EQ(gridOf(BACKSLASH, s), mirrorX(slash));
        // Triangles point up: full base row at the bottom, a single apex pixel at the top.
        for (Shape t : {TRIANGLE_LINE, TRIANGLE_FILLED}) {
            const Grid g = gridOf(t, s);
            EXPECT_EQ(g[0], std::vector<bool>(n, true));
            EXPECT_EQ(countSet({g[n - 1]}), 1);
            EXPECT_TRUE(g[n - 1][n / 2]);
        }
        // Pine tree: a one-pixel trunk at the bottom centre.
        const Grid tree = gridOf(PINE_TREE_LINE, s);
        EXPECT_EQ(countSet({tree[0]}), 1);
        EXPECT_TRUE(tree[0][n / 2]);
        for (int sh = 0; sh < 30; ++sh) {
            const Grid g = gridOf(sh, s);
            EXPECT_EQ(g == mirrorX(g), symmetry[sh] == 'B' || symmetry[sh] == 'X') << kShapeNames[sh];
            EXPECT_EQ(g == mirrorY(g), symmetry[sh] == 'B') << kShapeNames[sh];
            EXPECT_EQ(g == mirrorX(mirrorY(g)), symmetry[sh] == 'B' || symmetry[sh] == 'H') << kShapeNames[sh];
        }
        // PLUS, MINUS and BAR are the middle row and column; SQUARE_FILLED is full; circles
        // have round corners, the outline an empty centre.
        for (int r = 0; r < n; ++r)
            for (int c = 0; c < n; ++c) {
                EXPECT_EQ(gridOf(PLUS, s)[r][c], r == n / 2 || c == n / 2);
                EXPECT_EQ(gridOf(MINUS, s)[r][c], r == n / 2);
                EXPECT_EQ(gridOf(BAR, s)[r][c], c == n / 2);
                EXPECT_TRUE(gridOf(SQUARE_FILLED, s)[r][c]);
            }
        const Grid circle = gridOf(CIRCLE_FILLED, s);
        EXPECT_TRUE(!circle[0][0] && !circle[n - 1][n - 1] && circle[n / 2][0] && circle[n / 2][n / 2]);
        EXPECT_FALSE(gridOf(CIRCLE_LINE, s)[n / 2][n / 2]);
        // Filled forms contain their outlines, and all markers of a size differ.
        for (int line = CIRCLE_LINE; line <= SHIP_LINE; ++line) {
            const Grid gl = gridOf(line, s), gf = gridOf(line + 10, s);
            for (size_t r = 0; r < gl.size(); ++r)
                for (size_t c = 0; c < gl.size(); ++c)
                    EXPECT_TRUE(!gl[r][c] || gf[r][c]) << kShapeNames[line + 10] << " misses a pixel of its outline";
            EXPECT_GT(countSet(gf), countSet(gl)) << kShapeNames[line + 10];
        }
        for (int a = 0; a < 30; ++a)
            for (int b = a + 1; b < 30; ++b)
                EXPECT_NE(gridOf(a, s), gridOf(b, s)) << kShapeNames[a] << " == " << kShapeNames[b];
    }
}
