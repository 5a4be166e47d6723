// Built-in stroke font: coverage of printable ASCII, the em-based coordinate convention, and
// known metrics of the Hershey rowmans glyphs.
#include "text/StrokeFont.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>

using namespace scene_detail;

namespace {

constexpr float kUnit = 1.0f / 32.0f; // one Hershey unit in ems
constexpr float kEps = 1e-6f;

struct Extent {
    float minX = 1e9f, maxX = -1e9f, minY = 1e9f, maxY = -1e9f;
};

Extent extentOf(const StrokeFontGlyph &g) {
    Extent e;
    for (const auto &stroke : g.strokes)
        for (const auto &p : stroke) {
            e.minX = std::min(e.minX, p.first);
            e.maxX = std::max(e.maxX, p.first);
            e.minY = std::min(e.minY, p.second);
            e.maxY = std::max(e.maxY, p.second);
        }
    return e;
}

} // namespace

TEST(StrokeFont, EveryPrintableCharacterHasAGlyph) {
    for (int c = 33; c <= 126; ++c) {
        const StrokeFontGlyph &g = strokeFontGlyph(static_cast<char>(c));
        EXPECT_FALSE(g.strokes.empty()) << "char " << c;
        EXPECT_GT(g.advance, 0.0f) << "char " << c;
        EXPECT_FLOAT_EQ(g.advance, (g.right - g.left) * kUnit) << "char " << c;
        for (const auto &stroke : g.strokes)
            EXPECT_GE(stroke.size(), 2u) << "char " << c;
    }
}

TEST(StrokeFont, SpaceHasAnAdvanceButNoStrokes) {
    const StrokeFontGlyph &g = strokeFontGlyph(' ');
    EXPECT_TRUE(g.strokes.empty());
    EXPECT_EQ(g.left, -8);
    EXPECT_EQ(g.right, 8);
    EXPECT_FLOAT_EQ(g.advance, 0.5f);
}

TEST(StrokeFont, GlyphsStayInsideTheirCellAndAdvance) {
    // x runs from the left bound (0) to the advance, y from the descender line to the top of
    // the 32-unit Hershey cell: -7/32 .. 25/32.
    for (int c = 33; c <= 126; ++c) {
        const StrokeFontGlyph &g = strokeFontGlyph(static_cast<char>(c));
        const Extent e = extentOf(g);
        EXPECT_GE(e.minX, -kEps) << "char " << c;
        EXPECT_LE(e.maxX, g.advance + kEps) << "char " << c;
        EXPECT_GE(e.minY, -7 * kUnit - kEps) << "char " << c;
        EXPECT_LE(e.maxY, 25 * kUnit + kEps) << "char " << c;
    }
}

TEST(StrokeFont, CapitalIIsOneVerticalStrokeOfCapHeight) {
    const StrokeFontGlyph &g = strokeFontGlyph('I');
    ASSERT_EQ(g.strokes.size(), 1u);
    ASSERT_EQ(g.strokes[0].size(), 2u);
    const auto a = g.strokes[0][0];
    const auto b = g.strokes[0][1];
    EXPECT_FLOAT_EQ(a.first, b.first);
    EXPECT_FLOAT_EQ(a.first, g.advance / 2); // centred between its bounds
    EXPECT_FLOAT_EQ(std::max(a.second, b.second), strokeFontCapHeight());
    EXPECT_FLOAT_EQ(std::min(a.second, b.second), 0.0f); // stands on the baseline
}

TEST(StrokeFont, CapHeightDescentAndXHeight) {
    EXPECT_FLOAT_EQ(strokeFontCapHeight(), 21.0f / 32.0f);
    EXPECT_FLOAT_EQ(strokeFontDescent(), 7.0f / 32.0f);
    const Extent h = extentOf(strokeFontGlyph('H'));
    EXPECT_FLOAT_EQ(h.maxY, strokeFontCapHeight());
    EXPECT_FLOAT_EQ(h.minY, 0.0f);
    const Extent x = extentOf(strokeFontGlyph('x'));
    EXPECT_FLOAT_EQ(x.maxY, 14 * kUnit);
    EXPECT_FLOAT_EQ(x.minY, 0.0f);
    for (char c : std::string("gjpqy")) {
        EXPECT_FLOAT_EQ(extentOf(strokeFontGlyph(c)).minY, -strokeFontDescent()) << c;
    }
}

TEST(StrokeFont, LetterOIsClosed) {
    const StrokeFontGlyph &g = strokeFontGlyph('O');
    ASSERT_EQ(g.strokes.size(), 1u);
    const auto &s = g.strokes[0];
    ASSERT_GT(s.size(), 8u);
    EXPECT_FLOAT_EQ(s.front().first, s.back().first);
    EXPECT_FLOAT_EQ(s.front().second, s.back().second);
    const Extent e = extentOf(g);
    EXPECT_FLOAT_EQ(e.minY, 0.0f);
    EXPECT_FLOAT_EQ(e.maxY, strokeFontCapHeight());
}

TEST(StrokeFont, HyphenIsHorizontalAndExclamationHasADot) {
    const StrokeFontGlyph &minus = strokeFontGlyph('-');
    ASSERT_EQ(minus.strokes.size(), 1u);
    ASSERT_EQ(minus.strokes[0].size(), 2u);
    EXPECT_FLOAT_EQ(minus.strokes[0][0].second, minus.strokes[0][1].second);
    EXPECT_GT(minus.strokes[0][0].second, 0.0f);

    const StrokeFontGlyph &bang = strokeFontGlyph('!');
    ASSERT_EQ(bang.strokes.size(), 2u);
    // Bar above, dot at the baseline.
    EXPECT_FLOAT_EQ(extentOf(bang).maxY, strokeFontCapHeight());
    EXPECT_FLOAT_EQ(extentOf(bang).minY, 0.0f);
}

TEST(StrokeFont, KnownRowmansAdvances) {
    EXPECT_EQ(strokeFontGlyph('A').left, -9);
    EXPECT_EQ(strokeFontGlyph('A').right, 9);
    EXPECT_FLOAT_EQ(strokeFontGlyph('A').advance, 18.0f / 32.0f);
    EXPECT_FLOAT_EQ(strokeFontGlyph('W').advance, 24.0f / 32.0f);
    EXPECT_FLOAT_EQ(strokeFontGlyph('i').advance, 8.0f / 32.0f);
    EXPECT_FLOAT_EQ(strokeFontGlyph('M').advance, 24.0f / 32.0f);
    // Digits share one advance, as in most typefaces, so columns of numbers line up.
    for (char c = '0'; c <= '9'; ++c)
        EXPECT_FLOAT_EQ(strokeFontGlyph(c).advance, 20.0f / 32.0f);
}

TEST(StrokeFont, StringWidth) {
    EXPECT_LT(strokeFontStringWidth("ii"), strokeFontStringWidth("WW"));
    EXPECT_FLOAT_EQ(strokeFontStringWidth("ii"), 0.5f);
    EXPECT_FLOAT_EQ(strokeFontStringWidth("WW"), 1.5f);
    EXPECT_FLOAT_EQ(strokeFontStringWidth(""), 0.0f);
    EXPECT_FLOAT_EQ(strokeFontStringWidth(nullptr), 0.0f);
    const char *text = "Hello, World! 0123 ~{|}";
    float sum = 0;
    for (const char *p = text; *p; ++p)
        sum += strokeFontGlyph(*p).advance;
    EXPECT_NEAR(strokeFontStringWidth(text), sum, 1e-5f);
    // Unprintable characters measure as '?'.
    EXPECT_FLOAT_EQ(strokeFontStringWidth("a\tb"), strokeFontStringWidth("a?b"));
}

TEST(StrokeFont, OutOfRangeCharactersGiveTheQuestionMark) {
    const StrokeFontGlyph *question = &strokeFontGlyph('?');
    EXPECT_FALSE(question->strokes.empty());
    for (int c : {0, 9, 10, 31, 127, 128, 200, 255}) {
        EXPECT_EQ(&strokeFontGlyph(static_cast<char>(c)), question) << "char " << c;
    }
    EXPECT_NE(&strokeFontGlyph('A'), question);
    EXPECT_EQ(&strokeFontGlyph('A'), &strokeFontGlyph('A'));
}

TEST(StrokeFont, DistinctCharactersHaveDistinctGlyphs) {
    // In the simplex Roman font capital I and lower-case l are the same bare stroke; every
    // other pair of characters differs.
    auto same = [](char a, char b) {
        const StrokeFontGlyph &ga = strokeFontGlyph(a);
        const StrokeFontGlyph &gb = strokeFontGlyph(b);
        return ga.strokes == gb.strokes && ga.advance == gb.advance;
    };
    EXPECT_TRUE(same('I', 'l'));
    for (int a = 33; a <= 126; ++a)
        for (int b = a + 1; b <= 126; ++b) {
            if (a == 'I' && b == 'l') continue;
            EXPECT_FALSE(same(static_cast<char>(a), static_cast<char>(b)))
                << "chars " << a << " and " << b;
        }
}

TEST(StrokeFont, RawTablesAreContiguousAndWellFormed) {
    int next = 0;
    for (int i = 0; i < kStrokeFontGlyphCount; ++i) {
        const StrokeFontRawGlyph &g = kStrokeFontRawGlyphs[i];
        EXPECT_EQ(g.first, next) << "glyph " << i;
        EXPECT_LT(g.left, g.right) << "glyph " << i;
        next = g.first + g.count;
        if (g.count > 0) {
            // Strokes never start or end with a pen-up, and two pen-ups never follow each other.
            EXPECT_NE(kStrokeFontRawCoords[2 * g.first], kStrokeFontPenUp) << "glyph " << i;
            EXPECT_NE(kStrokeFontRawCoords[2 * (next - 1)], kStrokeFontPenUp) << "glyph " << i;
            for (int k = g.first + 1; k < next; ++k) {
                EXPECT_FALSE(kStrokeFontRawCoords[2 * k] == kStrokeFontPenUp &&
                             kStrokeFontRawCoords[2 * (k - 1)] == kStrokeFontPenUp);
            }
        }
    }
    EXPECT_EQ(next, kStrokeFontRawCoordCount);
}
