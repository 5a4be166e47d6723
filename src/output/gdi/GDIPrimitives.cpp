// The GDI writer's lines, marks and polygons.
//
// A solid line is one Polyline with a geometric pen of the line's width in logical units; a
// dashed line uses a cosmetic pen of the GDI dash style nearest to the pattern's runs. A line with
// a colour per point is drawn segment by segment, each segment in the colour of its first point.
// Dots are squares (Rectangle) of the point size, marker bitmaps one filled square per set cell,
// polygons a Polygon with the null pen.
#include "output/gdi/GDIWriterSupport.h"
#include "scene/nodes/SoMarkerSet.h"
#include "scrivane/SoVectorizeGDIAction.h"

using scrivane::gdiwriter::dashStyleForPattern;
using scrivane::gdiwriter::penEndCap;
using scrivane::gdiwriter::penJoin;
using scrivane::gdiwriter::PointBuffer;
using scrivane::gdiwriter::truncToInt;

void SoVectorizeGDIAction::printPolyLine(const SbVec4f *points, int n, const SbColor *colors,
                                         int multiColor, float thickness, unsigned short pattern) {
    if (!points || !colors || n < 2) return;
    // The pattern 0 has no dash at all: the line is not drawn.
    const int dashStyle = pattern == 0xFFFF ? PS_SOLID : dashStyleForPattern(pattern);
    if (dashStyle < 0) return;

    const float width = thickness == 0.0f ? 1.0f : thickness;
    const float millimetres = getNominalWidth() * width;
    const float w = static_cast<float>(scale) * getNominalWidth() * width;
    const int logicalWidth = truncToInt(w);
    const DWORD lineWidth = static_cast<DWORD>(logicalWidth > 0 ? logicalWidth : 0);
    dashed = pattern != 0xFFFF;
    DWORD style = static_cast<DWORD>(dashStyle);
    if (!dashed) {
        style =
            PS_GEOMETRIC | PS_SOLID | penEndCap(getLineEndStyle()) | penJoin(getLineJoinsStyle());
        updateMiterLimit();
    }
    const int geometric = dashed ? 0 : 1;

    const PointBuffer device(static_cast<size_t>(n));
    if (!device.get()) return;
    toDevicePoints(points, n, device.get());
    assignColor(colors[0], millimetres);
    selectPen(style, lineWidth, colorRef(currentColor), geometric);
    if (!multiColor) {
        Polyline(deviceContext, device.get(), n);
        return;
    }
    for (int i = 1; i < n; i++) {
        MoveToEx(deviceContext, device[i - 1].x, device[i - 1].y, nullptr);
        LineTo(deviceContext, device[i].x, device[i].y);
        if (i + 1 < n && colors[i] != colors[i - 1]) {
            assignColor(colors[i], millimetres);
            selectPen(style, lineWidth, colorRef(currentColor), geometric);
        }
    }
}

void SoVectorizeGDIAction::printPolyMark(const SbVec4f *points, int n, const SbColor *colors,
                                         int multiColor, float size) {
    if (!points || !colors || n <= 0) return;
    // A point size of 0 is drawn one line width wide, as a line width of 0 is.
    const float dotSize = size == 0.0f ? 1.0f : size;
    int side = truncToInt(static_cast<float>(scale) * getNominalWidth() * dotSize);
    if (side < 0) side = 0;
    const int half = side / 2;
    const int even = side % 2 == 0;

    const PointBuffer device(static_cast<size_t>(n));
    if (!device.get()) return;
    toDevicePoints(points, n, device.get());
    for (int i = 0; i < n; i++) {
        if (i == 0 || (multiColor && colors[i] != colors[i - 1])) {
            assignColor(multiColor ? colors[i] : colors[0], 0.0f);
            selectFillPenAndBrush(1);
        }
        const LONG x = device[i].x, y = device[i].y;
        // GDI leaves out the right and bottom edges of a rectangle: an odd side keeps both
        // halves, an even one loses a unit on the right and the bottom.
        if (even)
            Rectangle(deviceContext, x - half, y + half, x + half - 1, y - half + 1);
        else
            Rectangle(deviceContext, x - half, y + half, x + half, y - half);
    }
}

void SoVectorizeGDIAction::printPolyMark(const SbVec4f *points, int n, const SbColor *colors,
                                         int multiColor, SoMarkerSet *markerSet) {
    if (!points || !colors || !markerSet || n <= 0) return;
    // A marker set without marker index values has nothing to show.
    const int indexCount = markerSet->markerIndex.getNum();
    if (indexCount <= 0) return;
    const int cell = truncToInt(static_cast<float>(scale) * getNominalWidth());
    const float halfScale = static_cast<float>(scale) / 2.0f;
    const int landscape = getOrientation() == LANDSCAPE;

    const PointBuffer device(static_cast<size_t>(n));
    if (!device.get()) return;
    toDevicePoints(points, n, device.get());
    for (int i = 0; i < n; i++) {
        const int marker = markerSet->markerIndex[i % indexCount];
        SbVec2s size;
        const unsigned char *bytes = nullptr;
        SbBool isLSBFirst = FALSE;
        if (!SoMarkerSet::getMarker(marker, size, bytes, isLSBFirst)) continue;
        const int columns = size[0], rows = size[1];
        if (columns <= 0 || rows <= 0) continue;
        assignColor(multiColor ? colors[i] : colors[0], 0.0f);
        selectFillPenAndBrush(1);
        const int halfWidth = truncToInt(columns * halfScale * getNominalWidth());
        const int halfHeight = truncToInt(rows * halfScale * getNominalWidth());
        for (int row = 0; row < rows; row++) {
            for (int column = 0; column < columns; column++) {
                if (!SoMarkerSet::isMarkerBitSet(marker, row * columns + column)) continue;
                // Offsets from the point, wide enough for any cell size.
                const long long left = -halfWidth + static_cast<long long>(column) * cell;
                const long long bottom = -halfHeight + static_cast<long long>(row) * cell;
                const long long offsets[4][2] = {{left, bottom},
                                                 {left + cell, bottom},
                                                 {left + cell, bottom + cell},
                                                 {left, bottom + cell}};
                POINT square[4];
                for (int k = 0; k < 4; k++) {
                    // In landscape the bitmap turns with the page: (dx, dy) becomes (-dy, dx).
                    const long long dx = landscape ? -offsets[k][1] : offsets[k][0];
                    const long long dy = landscape ? offsets[k][0] : offsets[k][1];
                    square[k].x = truncToInt(static_cast<double>(device[i].x + dx));
                    square[k].y = truncToInt(static_cast<double>(device[i].y + dy));
                }
                Polygon(deviceContext, square, 4);
            }
        }
    }
}

void SoVectorizeGDIAction::printPolygon(const SbVec4f *points, int n, const SbColor *colors,
                                        SbString, SbString, const unsigned char *) {
    // Fill patterns are not drawn: GDI's hatch brushes do not match the pattern bitmaps.
    if (!points || !colors || n < 3) return;
    const PointBuffer device(static_cast<size_t>(n));
    if (!device.get()) return;
    toDevicePoints(points, n, device.get());
    assignColor(colors[0], 0.0f);
    selectFillPenAndBrush(0);
    Polygon(deviceContext, device.get(), n);
}
