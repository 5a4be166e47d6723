// Page layout, units and drawing settings. Lengths are held in millimetres and converted per
// call; line widths, the border width and sizes stay in line-width units.
#include "scrivane/SoVectorizeAction.h"

float SoVectorizeAction::unitsToMillimeters(float value, DimensionUnit unit) {
    switch (unit) {
    case INCH: return static_cast<float>(value * 25.4);
    case MILLIMETER: return value;
    case METER: return static_cast<float>(value * 1000.0);
    }
    return 0.0f;
}

float SoVectorizeAction::millimetersToUnits(float value, DimensionUnit unit) {
    switch (unit) {
    case INCH: return static_cast<float>(value * 0.03937007874015748);
    case MILLIMETER: return value;
    case METER: return static_cast<float>(value * 0.001);
    }
    return 0.0f;
}

void SoVectorizeAction::setDrawingDimensions(const SbVec2f &d, DimensionUnit unit) {
    setDrawingDimensions(d[0], d[1], unit);
}

void SoVectorizeAction::setDrawingDimensions(float w, float h, DimensionUnit unit) {
    drawingWidth = unitsToMillimeters(w, unit);
    drawingHeight = unitsToMillimeters(h, unit);
    if (!pageMode) pageSize.setValue(drawingWidth, drawingHeight);
}

SbVec2f SoVectorizeAction::getDrawingDimensions(DimensionUnit unit) const {
    return SbVec2f(millimetersToUnits(drawingWidth, unit), millimetersToUnits(drawingHeight, unit));
}

void SoVectorizeAction::setStartPosition(const SbVec2f &p, DimensionUnit unit) { setStartPosition(p[0], p[1], unit); }

void SoVectorizeAction::setStartPosition(float x, float y, DimensionUnit unit) {
    startPosition.setValue(unitsToMillimeters(x, unit), unitsToMillimeters(y, unit));
    if (!pageMode) pageStart = startPosition;
}

SbVec2f SoVectorizeAction::getStartPosition(DimensionUnit unit) const {
    return SbVec2f(millimetersToUnits(startPosition[0], unit), millimetersToUnits(startPosition[1], unit));
}

void SoVectorizeAction::setOrientation(Orientation o) { orientation = o; }
SoVectorizeAction::Orientation SoVectorizeAction::getOrientation() const { return orientation; }

void SoVectorizeAction::setBorder(float width, SbColor color) {
    borderWidth = width;
    borderColor = color;
}

void SoVectorizeAction::setBorder(float width) { setBorder(width, SbColor(1, 1, 1)); }

void SoVectorizeAction::getBorder(float *width, SbColor *color) const {
    if (width) *width = borderWidth;
    if (color) *color = borderColor;
}

void SoVectorizeAction::setBackgroundColor(int bg, SbColor color) {
    backgroundFlag = bg;
    backgroundColor = color;
}

void SoVectorizeAction::setBackgroundColor(int bg) { setBackgroundColor(bg, SbColor(0, 0, 0)); }

int SoVectorizeAction::getBackgroundColor(SbColor *color) const {
    if (color) *color = backgroundColor;
    return backgroundFlag;
}

void SoVectorizeAction::setNominalWidth(float w, DimensionUnit unit) { nominalWidth = unitsToMillimeters(w, unit); }
float SoVectorizeAction::getNominalWidth(DimensionUnit unit) const { return millimetersToUnits(nominalWidth, unit); }

void SoVectorizeAction::setPixelImageSize(float w, DimensionUnit unit) {
    pixelImageSize = unitsToMillimeters(w, unit);
}

float SoVectorizeAction::getPixelImageSize(DimensionUnit unit) const {
    return millimetersToUnits(pixelImageSize, unit);
}

void SoVectorizeAction::setLineEndStyle(EndLineStyle style) { lineEndStyle = style; }
SoVectorizeAction::EndLineStyle SoVectorizeAction::getLineEndStyle() const { return lineEndStyle; }
void SoVectorizeAction::setLineJoinsStyle(JoinLineStyle style) { lineJoinsStyle = style; }
SoVectorizeAction::JoinLineStyle SoVectorizeAction::getLineJoinsStyle() const { return lineJoinsStyle; }
void SoVectorizeAction::setMiterLimit(float limit) { miterLimit = limit < 1.0f ? 1.0f : limit; }
float SoVectorizeAction::getMiterLimit() const { return miterLimit; }

float SoVectorizeAction::getViewportWidth() const { return viewportRegion.getViewportSize()[0] * drawingWidth; }
float SoVectorizeAction::getViewportHeight() const { return viewportRegion.getViewportSize()[1] * drawingHeight; }
float SoVectorizeAction::getOffsetX() const { return pageMode ? startPosition[0] + pageStart[0] : pageStart[0]; }
float SoVectorizeAction::getOffsetY() const { return pageMode ? startPosition[1] + pageStart[1] : pageStart[1]; }

SbBox2f SoVectorizeAction::getClippingLimits() const {
    const SbVec2f &origin = viewportRegion.getViewportOrigin();
    float xmin = drawingWidth * origin[0], ymin = drawingHeight * origin[1];
    return SbBox2f(xmin, ymin, xmin + getViewportWidth(), ymin + getViewportHeight());
}
