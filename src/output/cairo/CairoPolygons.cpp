// Polygons: one closed path filled by the even-odd rule in the polygon's first colour. A
// polygon with a fill pattern is filled with the pattern's 32 x 32 tile instead (a tiling
// pattern in PDF, a <pattern> in SVG), repeated from the drawing's origin with one bit per
// 1/72 inch, so that neighbouring faces with the same pattern line up; only the set bits are
// painted, in the polygon's colour, as the PostScript output does.
#include "output/cairo/CairoBitmaps.h"
#include "scrivane/SoVectorizeCairoAction.h"
#include <cairo.h>

namespace {
// Size of one pattern bit in millimetres (1/72 inch).
const double patternScale = 25.4 / 72.0;
} // namespace

void SoVectorizeCairoAction::printPolygon(const SbVec4f *points, int n, const SbColor *colors,
                                          SbString, SbString, const unsigned char *patternBits) {
    cairo_t *cr = context();
    if (!cr || !points || !colors || n <= 0) return;
    setColor(cr, colors[0], getNominalWidth(MILLIMETER));
    cairo_set_fill_rule(cr, CAIRO_FILL_RULE_EVEN_ODD);
    cairo_new_path(cr);
    cairo_move_to(cr, points[0][0], points[0][1]);
    for (int i = 1; i < n; i++)
        cairo_line_to(cr, points[i][0], points[i][1]);
    cairo_close_path(cr);
    if (!patternBits) {
        cairo_fill(cr);
        return;
    }
    cairo_pattern_t *tile =
        tiles->tile(patternBits, penColor(colors[0], getNominalWidth(MILLIMETER)));
    cairo_matrix_t bits;
    cairo_matrix_init_scale(&bits, 1.0 / patternScale, 1.0 / patternScale);
    cairo_pattern_set_matrix(tile, &bits);
    cairo_set_source(cr, tile);
    cairo_fill(cr);
}
