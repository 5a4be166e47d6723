// Lines and markers of the CGM picture: polylines with their width, colour and line pattern
// (standard line types below version 3, the dash definitions of the picture descriptor with
// caps and joins from version 3), dots as POLYMARKER runs of equal colour, and marker-set
// bitmaps as cell arrays with transparent clear cells (version 3 and later) or as the
// rectangles of their set bits (below version 3).
#include <vector>
#include "output/LinePatternRuns.h"
#include "output/cgm/CGMBinaryEncoder.h"
#include "output/cgm/CGMClearText.h"
#include "output/cgm/CGMSetBits.h"
#include "scene/nodes/SoMarkerSet.h"
#include "scrivane/SoVectorizeCGMAction.h"

namespace {
int capCode(SoVectorizeAction::EndLineStyle style) {
    switch (style) {
    case SoVectorizeAction::SQUARE_CAP: return 4;
    case SoVectorizeAction::POINTED_CAP: return 5;
    case SoVectorizeAction::ROUND_CAP: return 3;
    default: return 2; // butt
    }
}

int joinCode(SoVectorizeAction::JoinLineStyle style) {
    switch (style) {
    case SoVectorizeAction::MITER_JOIN:
    case SoVectorizeAction::MITER_BEVEL_JOIN: return 2;
    case SoVectorizeAction::POINTED_JOIN:
    case SoVectorizeAction::ROUND_JOIN: return 3;
    default: return 4; // bevel, also for unjoined lines
    }
}
} // namespace

// Standard line types: 1 solid, 2 dash, 3 dot, 4 dash-dot, 5 dash-dot-dot. The runs of the
// pattern decide: an odd run count joins the last run to the first (the pattern repeats), two
// runs are a dash, four or six runs a dash-dot or dash-dot-dot when one run is 8 bits or
// longer (else a plain dash), eight or more runs a dot.
int SoVectorizeCGMAction::standardLineType(unsigned short pattern) {
    if (pattern == 0xFFFF) return 1;
    int runs[16];
    int k = linePatternRuns(pattern, runs);
    if (k == 0) return 1;
    if (k & 1) {
        runs[0] += runs[k - 1];
        k--;
    }
    int longRun = 0;
    for (int i = 0; i < k; i++)
        if (runs[i] >= 8) longRun = 1;
    if (k <= 2) return k == 2 ? 2 : 1;
    if (k == 4) return longRun ? 4 : 2;
    if (k == 6) return longRun ? 5 : 2;
    return 3;
}

int SoVectorizeCGMAction::dashElements(unsigned short pattern, int *dashes) const {
    if (pattern == 0xFFFF || pattern == 0) return 0;
    int runs[16];
    const int n = linePatternRuns(pattern, runs);
    int total = 0;
    for (int i = 0; i < n; i++) {
        dashes[i] = static_cast<int>(static_cast<float>(runs[i]) * getNominalWidth());
        total += dashes[i];
    }
    return total > 0 ? n : 0;
}

// The line type of a new pattern. From version 3 a pattern that the picture descriptor defined
// selects its own line type (-1, -2, ...). Every other pattern, and every pattern below
// version 3, takes the standard line type nearest to it: the definitions can only stand in the
// descriptor, which was written before this pattern was known.
void SoVectorizeCGMAction::writeLinePattern(unsigned short pattern) {
    int type = standardLineType(pattern);
    if (version() >= 3)
        for (size_t k = 0; k < definedLinePatterns.size(); k++)
            if (definedLinePatterns[k] == pattern) type = -static_cast<int>(k + 1);
    if (binary())
        bin().Plinetype(type);
    else
        CGMClearText::linetype(out(), type);
}

// A line pattern of 0 has no dash at all: such a polyline is invisible and nothing is written.
// Polylines of fewer than two points are dropped too.
void SoVectorizeCGMAction::printPolyLine(const SbVec4f *points, int n, const SbColor *colors, int,
                                         float thickness, unsigned short pattern) {
    if (!points || !colors || n < 2 || pattern == 0) return;
    const float w = (thickness == 0.0f ? 1.0f : thickness) * getNominalWidth();
    int index = 0;
    SbColor color;
    assignColor(colors[0], w, &index, &color);
    if (pattern != currentLinePattern) {
        currentLinePattern = pattern;
        writeLinePattern(pattern);
    }
    if (version() == 3) {
        const int cap = capCode(getLineEndStyle()), join = joinCode(getLineJoinsStyle());
        if (binary())
            bin().Plinecap_join(cap, join, getMiterLimit());
        else
            CGMClearText::linecapJoin(out(), cap, join, getMiterLimit());
    }
    if (w != currentLineWidth) {
        currentLineWidth = w;
        if (binary())
            bin().Plinewidth(w);
        else
            CGMClearText::linewidth(out(), w);
    }
    if (colorChanged(lineColorIndex, lineColor, index, color)) {
        if (binary())
            bin().Plinecolr(index, color);
        else
            CGMClearText::colr(out(), "LINECOLR", indexed(), index, color);
    }
    if (binary())
        bin().Pline(n, points);
    else
        CGMClearText::line(out(), n, points, placement());
}

void SoVectorizeCGMAction::writeMarkers(const SbVec4f *points, int n) {
    if (binary())
        bin().Pmarker(n, points);
    else
        CGMClearText::marker(out(), n, points, placement());
}

void SoVectorizeCGMAction::printPolyMark(const SbVec4f *points, int n, const SbColor *colors, int multiColor,
                                         float size) {
    if (!points || !colors || n < 1) return;
    const float s = (size == 0.0f ? 1.0f : size) * getNominalWidth();
    if (binary()) {
        bin().Pmarkertype(1);
        bin().Pmarkersize(s);
    } else {
        CGMClearText::markertype(out());
        CGMClearText::markersize(out(), s);
    }
    // Runs of points of equal colour (one run without the multicolour flag), each written as
    // one POLYMARKER after its MARKER COLOUR when the colour-element test asks for one.
    std::vector<int> indexes(static_cast<size_t>(n));
    std::vector<SbColor> outs(static_cast<size_t>(n));
    const int count = multiColor ? n : 1;
    for (int i = 0; i < count; i++) assignColor(colors[i], getNominalWidth(), &indexes[i], &outs[i]);
    int start = 0;
    while (start < n) {
        int end = start + 1;
        if (multiColor)
            while (end < n && indexes[end] == indexes[start] && outs[end] == outs[start]) end++;
        else
            end = n;
        if (colorChanged(markerColorIndex, markerColor, indexes[start], outs[start])) {
            if (binary())
                bin().Pmarkercolr(indexes[start], outs[start]);
            else
                CGMClearText::colr(out(), "MARKERCOLR", indexed(), indexes[start], outs[start]);
        }
        writeMarkers(points + start, end - start);
        start = end;
    }
}

void SoVectorizeCGMAction::writeCellArray(const SbVec4f &p, const SbVec4f &q, const SbVec4f &r, int nx, int ny,
                                          const int *indexes, const SbColor *colors) {
    if (binary()) {
        bin().Pcellarray(p, q, r, nx, ny, indexes, colors);
        return;
    }
    const CGMPlacement at = placement();
    auto place = [&](const SbVec4f &v) {
        const SbVec2f placed = at.place(v[0], v[1]);
        return SbVec4f(placed[0], placed[1], v[2], v[3]);
    };
    CGMClearText::cellarray(out(), place(p), place(q), place(r), nx, ny, indexed(), indexes, colors);
}

// From version 3 every marker is a cell array of its bitmap, centred on its point, one nominal
// width per bitmap pixel: set bits in the marker's colour, clear bits in the transparent colour
// (index 0, the background entry, or the background colour) declared transparent around the
// markers. Below version 3 there is no transparent cell colour and a cell array would paint the
// clear bits, hiding what lies under them, so the set bits alone are drawn, gathered into
// filled rectangles over the same cells.
void SoVectorizeCGMAction::printPolyMark(const SbVec4f *points, int n, const SbColor *colors, int multiColor,
                                         SoMarkerSet *markerSet) {
    if (!points || !colors || n < 1 || !markerSet) return;
    const int values = markerSet->markerIndex.getNum();
    if (values <= 0) return;
    const float nominal = getNominalWidth();
    const int transparentCells = version() >= 3;
    int transparentIndex = 0;
    SbColor transparentColor;
    if (transparentCells) {
        SbColor background;
        getBackgroundColor(&background);
        if (indexed()) {
            transparentColor = translateColor(background);
        } else {
            int unused = 0;
            assignColor(translateColor(background), nominal, &unused, &transparentColor);
        }
        writeTransparentCell(1, transparentIndex, transparentColor, 0);
    }
    std::vector<int> indexes;
    std::vector<SbColor> cells;
    std::vector<BitRectangle> rectangles;
    int styleWritten = 0;
    for (int i = 0; i < n; i++) {
        const int marker = markerSet->markerIndex[i % values];
        SbVec2s size;
        const unsigned char *bytes = nullptr;
        SbBool lsbFirst = FALSE;
        if (!SoMarkerSet::getMarker(marker, size, bytes, lsbFirst)) continue;
        const int w = size[0], h = size[1];
        if (w <= 0 || h <= 0) continue;
        int index = 0;
        SbColor color;
        assignColor(colors[multiColor ? i : 0], nominal, &index, &color);
        const float x = points[i][0], y = points[i][1];
        const float halfW = static_cast<float>(w) * nominal / 2.0f, halfH = static_cast<float>(h) * nominal / 2.0f;
        if (!transparentCells) {
            // Bit rows count from the bottom of the bitmap, as the rectangles' rows do.
            rectangles.clear();
            const float left = x - halfW, bottom = y - halfH;
            for (const CGMSetBits::CellRectangle &r : CGMSetBits::rectangles(
                     w, h, [&](int column, int row) { return SoMarkerSet::isMarkerBitSet(marker, row * w + column) != 0; }))
                rectangles.push_back({left + static_cast<float>(r.column0) * nominal,
                                      bottom + static_cast<float>(r.row0) * nominal,
                                      left + static_cast<float>(r.column1) * nominal,
                                      bottom + static_cast<float>(r.row1) * nominal});
            writeSetBits(rectangles, index, color, nullptr, 0, &styleWritten);
            continue;
        }
        const SbVec4f p(x - halfW, y + halfH, 0.0f, 1.0f), q(x + halfW, y - halfH, 0.0f, 1.0f),
            r(x + halfW, y + halfH, 0.0f, 1.0f);
        indexes.assign(static_cast<size_t>(w * h), transparentIndex);
        cells.assign(static_cast<size_t>(w * h), transparentColor);
        // Rows from the top of the bitmap down; bit numbers count rows from the bottom.
        for (int row = 0; row < h; row++)
            for (int column = 0; column < w; column++)
                if (SoMarkerSet::isMarkerBitSet(marker, (h - 1 - row) * w + column)) {
                    indexes[static_cast<size_t>(row * w + column)] = index;
                    cells[static_cast<size_t>(row * w + column)] = color;
                }
        writeCellArray(p, q, r, w, h, indexes.data(), cells.data());
    }
    if (transparentCells) writeTransparentCell(0, transparentIndex, transparentColor, 0);
}
