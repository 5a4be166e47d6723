// The GDI writer's colours, pens and brushes, and the coordinate conversion.
//
// One pen is selected at a time; the cache (style, width, colour, geometric or cosmetic) makes
// an unchanged pen cost nothing. Solid lines use geometric pens (ExtCreatePen: width, caps,
// joins), dashed lines cosmetic pens (CreatePen, one pixel wide), marks a thin solid pen and
// polygons the null pen. The brush is created again only when its colour changes.
#include <cmath>

#include "output/gdi/GDIWriterSupport.h"
#include "scrivane/SoVectorizeGDIAction.h"

using scrivane::gdiwriter::LOGICAL_LIMIT;
using scrivane::gdiwriter::truncToInt;

namespace {

int component255(float c) {
    const float v = c * 255.0f;
    if (!(v > 0.0f)) return 0;
    if (v >= 255.0f) return 255;
    return static_cast<int>(v);
}

} // namespace

COLORREF SoVectorizeGDIAction::colorRef(const SbColor &color) {
    return RGB(component255(color[0]), component255(color[1]), component255(color[2]));
}

int SoVectorizeGDIAction::toLogical(float millimetres) const {
    // The product in single precision, as the coordinates arrive: 0.29 mm is 29 units.
    return truncToInt(static_cast<float>(scale) * millimetres);
}

void SoVectorizeGDIAction::pointsToLandscape(POINT *points, int count) const {
    for (int i = 0; i < count; i++) {
        const LONG x = points[i].x;
        points[i].x = truncToInt(static_cast<double>(pageHeight) - points[i].y);
        points[i].y = x;
    }
}

void SoVectorizeGDIAction::toDevicePoints(const SbVec4f *points, int n, POINT *out) const {
    // toLogical on each coordinate, written out so that the loop needs no call.
    const float unitsPerMillimetre = static_cast<float>(scale);
    for (int i = 0; i < n; i++) {
        out[i].x = truncToInt(unitsPerMillimetre * points[i][0]);
        out[i].y = truncToInt(unitsPerMillimetre * points[i][1]);
    }
    if (getOrientation() == LANDSCAPE) pointsToLandscape(out, n);
}

void SoVectorizeGDIAction::invalidateCaches() {
    penCacheValid = 0;
    penGeometric = 0;
    miterLimitCache = 0.0f;
    textStateValid = 0;
}

void SoVectorizeGDIAction::assignColor(SbColor color, float width) {
    if (getPenNum() > 0) {
        int pen = 0;
        float penWidthMm = 0.0f;
        penAssignment(color, width, &pen, &penWidthMm);
        if (pen >= 0 && pen < getPenNum()) color = getPenColors()[pen];
    }
    if (color != currentColor) currentColor = color;
}

int SoVectorizeGDIAction::isPenUsedAgain(DWORD style, DWORD width, DWORD color, int geometric) {
    if (penCacheValid && style == penStyle && width == penWidth && color == penColor &&
        geometric == penGeometric)
        return 1;
    penCacheValid = 1;
    penStyle = style;
    penWidth = width;
    penColor = color;
    penGeometric = geometric;
    return 0;
}

void SoVectorizeGDIAction::replacePen(HPEN pen) {
    if (!pen) {
        // Nothing was created: the pen in use stays, and the cache no longer describes it.
        penCacheValid = 0;
        return;
    }
    HGDIOBJ before = SelectObject(deviceContext, pen);
    if (currentPen)
        DeleteObject(currentPen);
    else
        previousPen = before;
    currentPen = pen;
}

void SoVectorizeGDIAction::selectPen(DWORD style, DWORD width, DWORD color, int geometric) {
    if (isPenUsedAgain(style, width, color, geometric)) return;
    if (geometric) {
        LOGBRUSH brush;
        brush.lbStyle = BS_SOLID;
        brush.lbColor = color;
        brush.lbHatch = 0;
        replacePen(ExtCreatePen(style, width, &brush, 0, nullptr));
    } else {
        replacePen(CreatePen(static_cast<int>(style), 1, color));
    }
}

void SoVectorizeGDIAction::selectBrush(COLORREF color) {
    if (currentBrush && color == brushColor) return;
    HBRUSH brush = CreateSolidBrush(color);
    HGDIOBJ before = SelectObject(deviceContext, brush);
    if (currentBrush)
        DeleteObject(currentBrush);
    else
        previousBrush = before;
    currentBrush = brush;
    brushColor = color;
}

void SoVectorizeGDIAction::selectFillPenAndBrush(int outline) {
    const COLORREF color = colorRef(currentColor);
    if (outline) {
        if (!isPenUsedAgain(PS_SOLID, 0, color, 0)) replacePen(CreatePen(PS_SOLID, 0, color));
    } else {
        if (!isPenUsedAgain(PS_NULL, 0, 0, 1)) replacePen(CreatePen(PS_NULL, 0, 0));
    }
    selectBrush(color);
}

void SoVectorizeGDIAction::updateMiterLimit() {
    const float limit = getMiterLimit();
    if (limit == miterLimitCache) return;
    miterLimitCache = limit;
    // The limit is a ratio of lengths, so it is not scaled to logical units. A metafile holds it
    // as a whole number, which its readers take as is: the nearest one is given, so that the
    // default 1.5 becomes 2 (mitring joins up to 60 degrees) rather than 1 (bevelling all).
    float whole = std::floor(limit + 0.5f);
    if (!(whole >= 1.0f)) whole = 1.0f;
    if (whole > static_cast<float>(LOGICAL_LIMIT)) whole = static_cast<float>(LOGICAL_LIMIT);
    SetMiterLimit(deviceContext, whole, nullptr);
}
