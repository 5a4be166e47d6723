// The stored primitives other than the polygon: depth ranges, boxes, copies and printing.
#include <cstring>
#include "scrivane/HLHSRImage.h"
#include "scrivane/HLHSRText2D.h"
#include "scrivane/PolyLine.h"
#include "scrivane/PolyMark.h"
#include "scrivane/SoHLHSRVectorize.h"

namespace {
// The grid cell of a coordinate, truncated toward zero. A zero or unusable cell size (every
// primitive in one column) puts everything in cell 0; far cells are clamped rather than
// overflowing the integer.
long cellIndex(float value, float cellSize) {
    if (!(cellSize > 0.0f)) return 0;
    const double q = static_cast<double>(value) / cellSize;
    if (!(q > -1e9)) return -1000000000L;
    if (q > 1e9) return 1000000000L;
    return static_cast<long>(q);
}
} // namespace

int Primitive::superiorXY(const Primitive *other, float cellWidth, float cellHeight) const {
    const SbVec2f a = getBBox().getCenter(), b = other->getBBox().getCenter();
    const long rowA = cellIndex(a[1], cellHeight), rowB = cellIndex(b[1], cellHeight);
    if (rowA != rowB) return rowA > rowB;
    return cellIndex(a[0], cellWidth) > cellIndex(b[0], cellWidth);
}

PrimitiveMultiPoints::~PrimitiveMultiPoints() {
    delete[] points;
    delete[] colors;
}

void PrimitiveMultiPoints::copyPoints(int n, const SbVec4f *newPoints, const SbColor *newColors) {
    delete[] points;
    delete[] colors;
    num = n;
    points = new SbVec4f[static_cast<size_t>(n)];
    colors = new SbColor[static_cast<size_t>(n)];
    for (int i = 0; i < n; i++) {
        points[i] = newPoints[i];
        colors[i] = newColors[i];
    }
}

void PrimitiveMultiPoints::computeZMinZMaxBBox() {
    zmax = zmin = points[0][2];
    bbox.makeEmpty();
    bbox.extendBy(SbVec2f(points[0][0], points[0][1]));
    for (int i = 1; i < num; i++) {
        if (points[i][2] > zmax) zmax = points[i][2];
        if (points[i][2] < zmin) zmin = points[i][2];
        bbox.extendBy(SbVec2f(points[i][0], points[i][1]));
    }
}

void PrimitiveMonoPoint::computeBBox() {
    bbox.makeEmpty();
    bbox.extendBy(SbVec2f(point[0], point[1]));
}

void PolyLine::setValue(int n, const SbVec4f *newPoints, const SbColor *newColors, int multi, float width,
                        unsigned short pattern) {
    copyPoints(n, newPoints, newColors);
    multiColor = multi;
    lineWidth = width;
    linePattern = pattern;
    computeZMinZMaxBBox();
}

void PolyLine::print(SoHLHSRVectorize *driver) {
    driver->printPolyLine(points, num, colors, multiColor, lineWidth, linePattern);
}

void PolyMark::setValue(int n, const SbVec4f *newPoints, const SbColor *newColors, int multi, float size,
                        SoMarkerSet *markers) {
    copyPoints(n, newPoints, newColors);
    multiColor = multi;
    pointSize = size;
    markerSet = markers;
    computeZMinZMaxBBox();
}

void PolyMark::print(SoHLHSRVectorize *driver) {
    driver->printPolyMark(points, num, colors, multiColor, pointSize, markerSet);
}

HLHSRText2D::~HLHSRText2D() {
    delete[] fontName;
    delete[] strings;
}

void HLHSRText2D::setValue(const SbVec4f &anchor, const SbColor &textColor, const char *font, float size,
                           int count, const SbString *lines, float spacing, int justify, float textAngle) {
    point = anchor;
    color = textColor;
    delete[] fontName;
    const size_t length = font ? std::strlen(font) : 0;
    fontName = new char[length + 1];
    if (length) std::memcpy(fontName, font, length);
    fontName[length] = '\0';
    delete[] strings;
    strings = nullptr;
    numStrings = count > 0 ? count : 0;
    if (numStrings > 0) {
        strings = new SbString[static_cast<size_t>(numStrings)];
        for (int i = 0; i < numStrings; i++)
            strings[i] = lines[i];
    }
    fontSize = size;
    lineSpacing = spacing;
    justification = justify;
    angle = textAngle;
    computeBBox();
}

void HLHSRText2D::print(SoHLHSRVectorize *driver) {
    driver->printText2D(&point, color, fontName, fontSize, numStrings, strings, lineSpacing, justification, angle);
}

void HLHSRImage::setValue(const SbVec4f &anchor, const unsigned char *pixels, const SbVec2s &source,
                          const SbVec2s &requested, int components, SoImage::HorAlignment hor,
                          SoImage::VertAlignment vert) {
    point = anchor;
    imageData = pixels;
    sourceSize = source;
    requestedSize = requested;
    numComponents = components;
    horAlignment = hor;
    vertAlignment = vert;
    computeBBox();
}

void HLHSRImage::print(SoHLHSRVectorize *driver) {
    driver->printImage(point, imageData, sourceSize, requestedSize, numComponents, horAlignment, vertAlignment);
}
