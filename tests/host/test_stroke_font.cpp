// Built-in stroke font: coverage of printable ASCII, the em-based coordinate convention, and
// known metrics of the Hershey rowmans glyphs.
#include "text/StrokeFont.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

using namespace scene_detail;

namespace {

constexpr float kUnit = 1.0f / 32.0f; // one Hershey unit in ems
constexpr float kEps = 1e-6f;

struct Extent {
    float minX = 1e9f, maxX = -1e9f, minY = 1e9f, maxY = -1e9f;
};

Extent extentOf(char c) {
    Extent e;
    for (const auto &stroke : strokeFontGlyph(c).strokes)
        for (const auto &p : stroke) {
            e.minX = std::min(e.minX, p.first);
            e.maxX = std::max(e.maxX, p.first);
            e.minY = std::min(e.minY, p.second);
            e.maxY = std::max(e.maxY, p.second);
        }
    return e;
}

} // namespace

TEST(StrokeFont, EveryPrintableCharacterHasAGlyphInsideItsCell) {
    // x runs from the left bound (0) to the advance, y from the descender line to the top of
    // the 32-unit Hershey cell: -7/32 .. 25/32.
    for (int c = 33; c <= 126; ++c) {
        const StrokeFontGlyph &g = strokeFontGlyph(static_cast<char>(c));
        EXPECT_FALSE(g.strokes.empty()) << "char " << c;
        EXPECT_GT(g.advance, 0.0f) << "char " << c;
        EXPECT_FLOAT_EQ(g.advance, (g.right - g.left) * kUnit) << "char " << c;
        for (const auto &stroke : g.strokes) EXPECT_GE(stroke.size(), 2u) << "char " << c;
        const Extent e = extentOf(static_cast<char>(c));
        EXPECT_GE(e.minX, -kEps) << "char " << c;
        EXPECT_LE(e.maxX, g.advance + kEps) << "char " << c;
        EXPECT_GE(e.minY, -7 * kUnit - kEps) << "char " << c;
        EXPECT_LE(e.maxY, 25 * kUnit + kEps) << "char " << c;
    }
    const StrokeFontGlyph &space = strokeFontGlyph(' ');
    EXPECT_TRUE(space.strokes.empty());
    EXPECT_EQ(space.left, -8);
    EXPECT_EQ(space.right, 8);
    EXPECT_FLOAT_EQ(space.advance, 0.5f);
}

TEST(StrokeFont, KnownGlyphsMetricsAndStringWidths) {
    EXPECT_FLOAT_EQ(strokeFontCapHeight(), 21.0f / 32.0f);
    EXPECT_FLOAT_EQ(strokeFontDescent(), 7.0f / 32.0f);
    // Capitals, '!' and 'O' stand on the baseline and reach the cap height, 'x' the x height;
    // descenders reach the descent.
    for (char c : std::string("HIO!")) {
        EXPECT_FLOAT_EQ(extentOf(c).minY, 0.0f) << c;
        EXPECT_FLOAT_EQ(extentOf(c).maxY, strokeFontCapHeight()) << c;
    }
    EXPECT_FLOAT_EQ(extentOf('x').maxY, 14 * kUnit);
    EXPECT_FLOAT_EQ(extentOf('x').minY, 0.0f);
    for (char c : std::string("gjpqy")) EXPECT_FLOAT_EQ(extentOf(c).minY, -strokeFontDescent()) << c;
    // 'I' is one vertical stroke centred between its bounds; 'O' one closed stroke; '-' one
    // horizontal stroke above the baseline; '!' a bar and a dot.
    const StrokeFontGlyph &i = strokeFontGlyph('I'), &o = strokeFontGlyph('O'), &minus = strokeFontGlyph('-');
    ASSERT_EQ(i.strokes.size(), 1u);
    ASSERT_EQ(i.strokes[0].size(), 2u);
    EXPECT_FLOAT_EQ(i.strokes[0][0].first, i.advance / 2);
    EXPECT_FLOAT_EQ(i.strokes[0][1].first, i.advance / 2);
    ASSERT_EQ(o.strokes.size(), 1u);
    ASSERT_GT(o.strokes[0].size(), 8u);
    EXPECT_EQ(o.strokes[0].front(), o.strokes[0].back());
    ASSERT_EQ(minus.strokes.size(), 1u);
    ASSERT_EQ(minus.strokes[0].size(), 2u);
    EXPECT_FLOAT_EQ(minus.strokes[0][0].second, minus.strokes[0][1].second);
    EXPECT_GT(minus.strokes[0][0].second, 0.0f);
    EXPECT_EQ(strokeFontGlyph('!').strokes.size(), 2u);
    // Digits share one advance, so columns of numbers line up.
    for (char c = '1'; c <= '9'; ++c) EXPECT_FLOAT_EQ(strokeFontGlyph(c).advance, strokeFontGlyph('0').advance) << c;
    // A string is as wide as the sum of its advances.
    EXPECT_FLOAT_EQ(strokeFontStringWidth("ii"), 0.5f);
    EXPECT_FLOAT_EQ(strokeFontStringWidth("WW"), 1.5f);
    EXPECT_FLOAT_EQ(strokeFontStringWidth(""), 0.0f);
    EXPECT_FLOAT_EQ(strokeFontStringWidth(nullptr), 0.0f);
    const char *text = "Hello, World! 0123 ~{|}";
    float sum = 0;
    for (const char *p = text; *p; ++p) sum += strokeFontGlyph(*p).advance;
    EXPECT_NEAR(strokeFontStringWidth(text), sum, 1e-5f);
    // Unprintable characters measure as '?'.
    EXPECT_FLOAT_EQ(strokeFontStringWidth("a\tb"), strokeFontStringWidth("a?b"));
}

TEST(StrokeFont, UnprintableCharactersGiveTheQuestionMarkAndOtherGlyphsDiffer) {
    const StrokeFontGlyph *question = &strokeFontGlyph('?');
    for (int c : {0, 9, 10, 31, 127, 128, 200, 255})
        EXPECT_EQ(&strokeFontGlyph(static_cast<char>(c)), question) << "char " << c;
    // In the simplex Roman font capital I and lower-case l are the same bare stroke; every
    // other pair of characters differs.
    auto same = [](int a, int b) {
        const StrokeFontGlyph &ga = strokeFontGlyph(static_cast<char>(a)), &gb = strokeFontGlyph(static_cast<char>(b));
        return ga.strokes == gb.strokes && ga.advance == gb.advance;
    };
    for (int a = 33; a <= 126; ++a)
        for (int b = a + 1; b <= 126; ++b) EXPECT_EQ(same(a, b), a == 'I' && b == 'l') << "chars " << a << " and " << b;
}
