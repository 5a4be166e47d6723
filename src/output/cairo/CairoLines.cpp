// Lines and marks. A single-colour polyline is one stroked path; a multicolour polyline one
// path per segment, segment i in colour i. Line width, cap, join and miter limit follow the
// action's settings; a 16-bit line pattern becomes a dash array of its runs of equal bits, one
// nominal line width per bit, dash first, a closing gap of 0 added to an odd count (so that the
// array does not swap dashes and gaps on its second turn), and the offset where bit 0 of the
// pattern falls. Dots are filled squares of the point size centred on their points; markers are
// their bitmaps as filled rectangles (one per run of set bits), one bitmap pixel per nominal
// width, centred on the point.
#include "output/LinePatternRuns.h"
#include "output/cairo/CairoBitmaps.h"
#include "scene/nodes/SoMarkerSet.h"
#include "scrivane/SoVectorizeCairoAction.h"
#include <cairo.h>
#include <cmath>

namespace {

cairo_line_cap_t cairoCap(SoVectorizeAction::EndLineStyle style) {
    switch (style) {
    case SoVectorizeAction::SQUARE_CAP:
        return CAIRO_LINE_CAP_SQUARE;
    case SoVectorizeAction::POINTED_CAP:
    case SoVectorizeAction::ROUND_CAP:
        return CAIRO_LINE_CAP_ROUND;
    default:
        return CAIRO_LINE_CAP_BUTT;
    }
}

cairo_line_join_t cairoJoin(SoVectorizeAction::JoinLineStyle style) {
    switch (style) {
    case SoVectorizeAction::MITER_JOIN:
    case SoVectorizeAction::MITER_BEVEL_JOIN:
        return CAIRO_LINE_JOIN_MITER;
    case SoVectorizeAction::POINTED_JOIN:
    case SoVectorizeAction::ROUND_JOIN:
        return CAIRO_LINE_JOIN_ROUND;
    default:
        return CAIRO_LINE_JOIN_BEVEL;
    }
}

} // namespace

SbColor SoVectorizeCairoAction::penColor(SbColor color, float width) {
    const int numPens = getPenNum();
    const SbColor *colors = getPenColors();
    if (numPens == 0 || !colors) return color;
    int pen = 0;
    float penWidth = 0.0f;
    penAssignment(color, width, &pen, &penWidth);
    return pen >= 0 && pen < numPens ? colors[pen] : color;
}

void SoVectorizeCairoAction::setColor(cairo_t *cr, SbColor color, float width) {
    const SbColor drawn = penColor(color, width);
    cairo_set_source_rgb(cr, drawn[0], drawn[1], drawn[2]);
}

void SoVectorizeCairoAction::setStroke(cairo_t *cr, float width, unsigned short pattern) {
    cairo_set_line_width(cr, width);
    cairo_set_line_cap(cr, cairoCap(getLineEndStyle()));
    cairo_set_line_join(cr, cairoJoin(getLineJoinsStyle()));
    cairo_set_miter_limit(cr, getMiterLimit());
    int runs[16];
    const int count = pattern == 0xFFFF ? 0 : linePatternRuns(pattern, runs);
    if (count <= 1) {
        cairo_set_dash(cr, nullptr, 0, 0.0);
        return;
    }
    const double unit = getNominalWidth(MILLIMETER);
    // Dashes of no length are an error to cairo: without a length per bit the line is solid.
    if (!(unit > 0.0) || !std::isfinite(unit)) {
        cairo_set_dash(cr, nullptr, 0, 0.0);
        return;
    }
    double dashes[17];
    for (int i = 0; i < count; i++)
        dashes[i] = runs[i] * unit;
    int length = count;
    if (length % 2 != 0) dashes[length++] = 0.0;
    // The runs start at the lowest set bit; the line starts at bit 0, that many bits before.
    int shift = 0;
    while (((pattern >> shift) & 1u) == 0)
        shift++;
    cairo_set_dash(cr, dashes, length, ((16 - shift) % 16) * unit);
}

void SoVectorizeCairoAction::printPolyLine(const SbVec4f *points, int n, const SbColor *colors,
                                           int multiColor, float thickness,
                                           unsigned short pattern) {
    cairo_t *cr = context();
    if (!cr || !points || !colors || n <= 0) return;
    // A pattern without a set bit lights no pixel on the screen and draws nothing here.
    if (pattern == 0) return;
    const float width = (thickness == 0.0f ? 1.0f : thickness) * getNominalWidth(MILLIMETER);
    setStroke(cr, width, pattern);
    cairo_new_path(cr);
    if (multiColor) {
        for (int i = 0; i + 1 < n; i++) {
            setColor(cr, colors[i], width);
            cairo_move_to(cr, points[i][0], points[i][1]);
            cairo_line_to(cr, points[i + 1][0], points[i + 1][1]);
            cairo_stroke(cr);
        }
        return;
    }
    setColor(cr, colors[0], width);
    cairo_move_to(cr, points[0][0], points[0][1]);
    for (int i = 1; i < n; i++)
        cairo_line_to(cr, points[i][0], points[i][1]);
    cairo_stroke(cr);
}

void SoVectorizeCairoAction::printPolyMark(const SbVec4f *points, int n, const SbColor *colors,
                                           int multiColor, float size) {
    cairo_t *cr = context();
    if (!cr || !points || !colors || n <= 0) return;
    const float nominal = getNominalWidth(MILLIMETER);
    const double side = (size == 0.0f ? 1.0f : size) * nominal;
    cairo_new_path(cr);
    for (int i = 0; i < n; i++) {
        if (multiColor || i == 0) setColor(cr, multiColor ? colors[i] : colors[0], nominal);
        cairo_rectangle(cr, points[i][0] - side * 0.5, points[i][1] - side * 0.5, side, side);
        // A multicolour set fills each dot on its own; one colour fills them all at once.
        if (multiColor) cairo_fill(cr);
    }
    if (!multiColor) cairo_fill(cr);
}

void SoVectorizeCairoAction::printPolyMark(const SbVec4f *points, int n, const SbColor *colors,
                                           int multiColor, SoMarkerSet *markerSet) {
    cairo_t *cr = context();
    if (!cr || !points || !colors || !markerSet || n <= 0) return;
    // Point i shows marker value i modulo k; an empty field names no marker at all.
    const int numValues = markerSet->markerIndex.getNum();
    if (numValues <= 0) return;
    const double nominal = getNominalWidth(MILLIMETER);
    // Bitmap pixels of no size paint nothing (and their scale would be singular).
    if (!(nominal > 0.0) || !std::isfinite(nominal)) return;
    for (int i = 0; i < n; i++) {
        if (!std::isfinite(points[i][0]) || !std::isfinite(points[i][1])) continue;
        setColor(cr, multiColor ? colors[i] : colors[0], static_cast<float>(nominal));
        cairo_save(cr);
        cairo_translate(cr, points[i][0], points[i][1]);
        cairo_scale(cr, nominal, nominal);
        cairo_new_path(cr);
        if (scrivane_cairo::appendMarkerPath(cr, markerSet->markerIndex[i % numValues]))
            cairo_fill(cr);
        cairo_restore(cr);
    }
}
