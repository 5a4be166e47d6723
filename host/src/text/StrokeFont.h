// Built-in stroke font for printable ASCII (32..126), used where text must become geometry.
//
// The glyphs are the Hershey "rowmans" (Roman simplex) font; the tables are generated into
// StrokeFontData.cpp by gen_stroke_font.py.
//
// Coordinate convention of everything returned here except the raw tables:
//   * units: ems. One em is 32 Hershey units, the full height of the Hershey character cell,
//     so a font size of s means "multiply by s". In these units a capital letter is
//     21/32 = 0.65625 high and descenders reach 7/32 = 0.21875 below the baseline.
//   * y points up and the baseline is y = 0.
//   * x starts at the glyph's left bound (its left side bearing included), so a glyph occupies
//     [0, advance] horizontally and the next glyph starts at x = advance.
#ifndef SCRIVANE_HOST_TEXT_STROKEFONT_H
#define SCRIVANE_HOST_TEXT_STROKEFONT_H

#include <utility>
#include <vector>

namespace scene_detail {

constexpr int kStrokeFontFirstChar = 32;
constexpr int kStrokeFontLastChar = 126;
constexpr int kStrokeFontGlyphCount = kStrokeFontLastChar - kStrokeFontFirstChar + 1;
// Hershey units per em.
constexpr float kStrokeFontUnitsPerEm = 32.0f;
// Coordinate value of the pair that separates two strokes in kStrokeFontRawCoords.
constexpr signed char kStrokeFontPenUp = -128;

// ---- Raw tables (generated) ----------------------------------------------------------------
// One entry per character 32..126. left/right: the glyph's bounds in Hershey units relative to
// its centre line (advance = right - left). Its strokes are the pairs
// kStrokeFontRawCoords[2*first .. 2*(first+count)), each an (x, y) in Hershey units with x from
// the left bound and y up from the baseline; a (kStrokeFontPenUp, kStrokeFontPenUp) pair ends
// one stroke and starts the next.
struct StrokeFontRawGlyph {
    signed char left;
    signed char right;
    unsigned short first;
    unsigned short count;
};
extern const StrokeFontRawGlyph kStrokeFontRawGlyphs[kStrokeFontGlyphCount];
extern const signed char kStrokeFontRawCoords[];
extern const int kStrokeFontRawCoordCount;  // number of pairs in kStrokeFontRawCoords
extern const int kStrokeFontCapHeightUnits; // top of 'H' above the baseline, Hershey units
extern const int kStrokeFontDescentUnits;   // lowest descender below the baseline, Hershey units

// ---- Convenient form ------------------------------------------------------------------------
struct StrokeFontGlyph {
    int left;      // Hershey left bound, Hershey units from the glyph's centre line
    int right;     // Hershey right bound; advance = (right - left) Hershey units
    float advance; // (right - left) / 32: the advance in ems
    // Polylines in ems (convention above); each has at least two points. Empty for ' '.
    std::vector<std::vector<std::pair<float, float>>> strokes;
};

// Glyph of c; any char outside 32..126 gives the glyph of '?'. The glyphs are built once, on
// the first call (thread-safe), and the reference stays valid for the program's lifetime.
const StrokeFontGlyph &strokeFontGlyph(char c);

// Height of a capital letter above the baseline, in ems (21/32).
float strokeFontCapHeight();

// Depth of the lowest descender (g, j, p, q, y) below the baseline, in ems, as a positive
// number (7/32).
float strokeFontDescent();

// Sum of the advances of the characters of s, in ems (side bearings of the first and last
// glyph included). Characters outside 32..126 count as '?'. A null pointer gives 0.
float strokeFontStringWidth(const char *s);

} // namespace scene_detail

#endif
