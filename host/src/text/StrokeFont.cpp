#include "StrokeFont.h"

namespace scene_detail {

namespace {

int glyphIndex(char c) {
    const int code = static_cast<unsigned char>(c);
    if (code < kStrokeFontFirstChar || code > kStrokeFontLastChar)
        return '?' - kStrokeFontFirstChar;
    return code - kStrokeFontFirstChar;
}

std::vector<StrokeFontGlyph> buildGlyphs() {
    std::vector<StrokeFontGlyph> glyphs(kStrokeFontGlyphCount);
    const float scale = 1.0f / kStrokeFontUnitsPerEm;
    for (int i = 0; i < kStrokeFontGlyphCount; ++i) {
        const StrokeFontRawGlyph &raw = kStrokeFontRawGlyphs[i];
        StrokeFontGlyph &g = glyphs[i];
        g.left = raw.left;
        g.right = raw.right;
        g.advance = static_cast<float>(raw.right - raw.left) * scale;
        std::vector<std::pair<float, float>> stroke;
        for (int k = 0; k < raw.count; ++k) {
            const signed char x = kStrokeFontRawCoords[2 * (raw.first + k)];
            const signed char y = kStrokeFontRawCoords[2 * (raw.first + k) + 1];
            if (x == kStrokeFontPenUp && y == kStrokeFontPenUp) {
                if (stroke.size() >= 2) g.strokes.push_back(stroke);
                stroke.clear();
                continue;
            }
            stroke.emplace_back(static_cast<float>(x) * scale, static_cast<float>(y) * scale);
        }
        if (stroke.size() >= 2) g.strokes.push_back(stroke);
    }
    return glyphs;
}

const std::vector<StrokeFontGlyph> &allGlyphs() {
    static const std::vector<StrokeFontGlyph> glyphs = buildGlyphs();
    return glyphs;
}

} // namespace

const StrokeFontGlyph &strokeFontGlyph(char c) {
    return allGlyphs()[glyphIndex(c)];
}

float strokeFontCapHeight() {
    return static_cast<float>(kStrokeFontCapHeightUnits) / kStrokeFontUnitsPerEm;
}

float strokeFontDescent() {
    return static_cast<float>(kStrokeFontDescentUnits) / kStrokeFontUnitsPerEm;
}

float strokeFontStringWidth(const char *s) {
    if (!s) return 0.0f;
    // Sum in integer Hershey units, scale once: exact for any realistic length.
    long units = 0;
    for (; *s; ++s) {
        const StrokeFontRawGlyph &raw = kStrokeFontRawGlyphs[glyphIndex(*s)];
        units += raw.right - raw.left;
    }
    return static_cast<float>(units) / kStrokeFontUnitsPerEm;
}

} // namespace scene_detail
