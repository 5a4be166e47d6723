#include "StrokeText.h"

#include <cmath>

#include "text/StrokeFont.h"

namespace scene_detail {

void forEachStrokeQuad(const SoMFString &strings, const StrokeTextLayout &layout,
                       const std::function<void(const SbVec3f (&corners)[4])> &quad) {
    const float size = layout.size;
    if (!(size > 0.0f) || !std::isfinite(size)) return;
    const float half = 0.5f * kStrokeTextThickness * size;
    for (int line = 0; line < strings.getNum(); line++) {
        const char *text = strings[line].getString();
        const float natural = strokeFontStringWidth(text) * size;
        float stretch = 1.0f;
        if (layout.widths && line < layout.widths->getNum() && (*layout.widths)[line] > 0.0f && natural > 0.0f)
            stretch = (*layout.widths)[line] / natural;
        const float width = natural * stretch;
        float x = 0.0f;
        if (layout.justification == 2)
            x = -width;
        else if (layout.justification == 3)
            x = -0.5f * width;
        const float baseline = -float(line) * layout.spacing * size;
        for (const char *c = text; *c; c++) {
            const StrokeFontGlyph &glyph = strokeFontGlyph(*c);
            for (const auto &stroke : glyph.strokes) {
                for (size_t k = 0; k + 1 < stroke.size(); k++) {
                    const SbVec3f a(x + stroke[k].first * size * stretch, baseline + stroke[k].second * size, 0);
                    const SbVec3f b(x + stroke[k + 1].first * size * stretch, baseline + stroke[k + 1].second * size, 0);
                    SbVec3f dir = b - a;
                    if (dir.normalize() == 0.0f) dir.setValue(1, 0, 0);
                    const SbVec3f along = dir * half;
                    const SbVec3f across(-dir[1] * half, dir[0] * half, 0);
                    const SbVec3f start = a - along, end = b + along;
                    const SbVec3f corners[4] = {start - across, end - across, end + across, start + across};
                    quad(corners);
                }
            }
            x += glyph.advance * size * stretch;
        }
    }
}

SbBox3f strokeTextBox(const SoMFString &strings, const StrokeTextLayout &layout) {
    SbBox3f box;
    forEachStrokeQuad(strings, layout, [&](const SbVec3f (&corners)[4]) {
        for (const SbVec3f &p : corners) box.extendBy(p);
    });
    return box;
}

} // namespace scene_detail
