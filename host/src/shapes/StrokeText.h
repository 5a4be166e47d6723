// Lays out strings in the built-in stroke font and turns every stroke segment into a thin quad,
// for the text shapes that become geometry (SoText3, SoAsciiText, SoAnnoText3).
//
// Geometry convention, in the text node's local coordinates:
//   * everything lies in the plane z = 0; a font size s (SoFontSizeElement) scales one em to s;
//   * line i has its baseline at y = -i x spacing x s (lines go downward);
//   * x = 0 is where a LEFT (1) line starts, where a RIGHT (2) line ends, and the middle of a
//     CENTER (3) line; the width of a line is the sum of its glyph advances x s (the first and
//     last glyphs' side bearings included), times the line's stretch factor (SoAsciiText's width);
//   * each stroke segment becomes a quad of thickness t = s / 16 centred on the segment and
//     extended by t / 2 beyond both ends, so joined segments leave no gaps; its corners run
//     counter-clockwise seen from +z. Geometry therefore reaches at most t / sqrt(2) (the corner
//     of a square end) outside the glyph strokes.
#ifndef SCENE_SHAPES_STROKETEXT_H
#define SCENE_SHAPES_STROKETEXT_H

#include <functional>

#include "scene/base/SbBox3f.h"
#include "scene/base/SbVec3f.h"
#include "scene/fields/SoMFFloat.h"
#include "scene/fields/SoMFString.h"

namespace scene_detail {

// Stroke thickness as a fraction of the font size.
constexpr float kStrokeTextThickness = 1.0f / 16.0f;

struct StrokeTextLayout {
    float size = 10.0f;
    float spacing = 1.0f;
    int justification = 1;
    // Per-line target widths (SoAsciiText): a line whose entry is positive is stretched or
    // squeezed horizontally to that width. Null: natural widths.
    const SoMFFloat *widths = nullptr;
};

// Calls quad(corners) for every stroke segment of the strings, corners counter-clockwise from +z.
void forEachStrokeQuad(const SoMFString &strings, const StrokeTextLayout &layout,
                       const std::function<void(const SbVec3f (&corners)[4])> &quad);

// The box around all quads of the strings (empty when there are none).
SbBox3f strokeTextBox(const SoMFString &strings, const StrokeTextLayout &layout);

} // namespace scene_detail

#endif
