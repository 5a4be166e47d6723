// The removal driver: stores what the clippers hand over, one removal run per viewport, and at
// the end of a run lets the painter order it and prints it through the action.
#include "scrivane/SoHLHSRVectorize.h"
#include "scrivane/HLHSRImage.h"
#include "scrivane/HLHSRText2D.h"
#include "scrivane/PolyGon.h"
#include "scrivane/PolyLine.h"
#include "scrivane/PolyMark.h"
#include "scrivane/PrimitiveList.h"
#include "scrivane/SoHiddenLines.h"
#include "scrivane/SoPainter.h"
#include "scrivane/SoVectorizeAction.h"

SoHLHSRVectorize::SoHLHSRVectorize(SoVectorizeAction *owner, HLHSRMode driverMode)
    : action(owner), mode(driverMode) {}

SoHLHSRVectorize::~SoHLHSRVectorize() {
    // A run still open (the action always ends its runs) is released without printing.
    if (primitives) {
        for (int i = 0; i < primitives->getLength(); i++)
            delete primitives->get(i);
        delete primitives;
    }
    delete hiddenLines;
}

void SoHLHSRVectorize::startHLHSR() {
    // A second start without an end prints what the first run stored rather than losing it.
    if (primitives) endHLHSR();
    arrivalCounter = 0;
    primitives = new PrimitiveList;
    if (mode == HIDDEN_LINE) hiddenLines = new SoHiddenLines;
}

void SoHLHSRVectorize::endHLHSR() {
    if (!primitives) return; // no run was started: nothing reached the action
    SoPainter painter(primitives, this);
    painter.apply();
    painter.display();
    delete primitives;
    primitives = nullptr;
    arrivalCounter = 0;
    if (hiddenLines) printHiddenLines();
}

// The visible pieces of every outline and line of the run, after its marks, texts and images.
void SoHLHSRVectorize::printHiddenLines() {
    int count = 0;
    SoHiddenLines::Polyline *lines = hiddenLines->computeHiddenLines(count);
    for (int i = 0; i < count; i++) {
        SoHiddenLines::Polyline &line = lines[i];
        action->projectPoints(line.points, line.num);
        action->printPolyLine(line.points, line.num, &line.color, 0, line.lineWidth, line.linePattern);
    }
    delete[] lines;
    delete hiddenLines;
    hiddenLines = nullptr;
}

void SoHLHSRVectorize::append(Primitive *primitive) {
    primitive->priority = arrivalCounter++;
    primitives->append(primitive);
}

void SoHLHSRVectorize::storePolygon(SbVec4f *points, int num, const SbColor *colors, int multiColor,
                                    float lineWidth, float pointSize, unsigned short linePattern,
                                    PolygonStyle style, SbString patternCategory, SbString patternName,
                                    const unsigned char *patternBits, const unsigned char *drawEdge) {
    if (num < 1) return;
    if (mode == HIDDEN_LINE) {
        // Every face hides what lies behind it and shows its outline, whatever its draw style
        // (with feature edges, only the edges that drawEdge asks for).
        hiddenLines->addPolygon(points, num, colors[0], lineWidth, linePattern, drawEdge);
        return;
    }
    PolyGon *polygon = new PolyGon;
    polygon->setValue(num, points, colors, multiColor, lineWidth, pointSize, linePattern,
                      static_cast<PolyGon::Style>(style), patternCategory, patternName, patternBits);
    append(polygon);
}

void SoHLHSRVectorize::storePolyLine(SbVec4f *points, int num, const SbColor *colors, int multiColor,
                                     float lineWidth, unsigned short linePattern) {
    if (num < 1) return;
    if (mode == HIDDEN_LINE) {
        hiddenLines->addPolyline(points, num, colors[0], lineWidth, linePattern);
        return;
    }
    if (mode == DEPTH_SORT) {
        PolyLine *line = new PolyLine;
        line->setValue(num, points, colors, multiColor, lineWidth, linePattern);
        append(line);
        return;
    }
    // The painter orders segments: a long strip would overlap too much to be ordered whole.
    for (int i = 0; i + 1 < num; i++) {
        PolyLine *segment = new PolyLine;
        segment->setValue(2, points + i, colors + i, multiColor, lineWidth, linePattern);
        append(segment);
    }
}

void SoHLHSRVectorize::storePolyMark(SbVec4f *points, int num, const SbColor *colors, int multiColor,
                                     float pointSize, SoMarkerSet *markerSet) {
    if (num < 1) return; // the clipper hands over marker sets with no point left
    if (mode == DEPTH_SORT || mode == HIDDEN_LINE) {
        PolyMark *marks = new PolyMark;
        marks->setValue(num, points, colors, multiColor, pointSize, markerSet);
        append(marks);
        return;
    }
    for (int i = 0; i < num; i++) {
        PolyMark *mark = new PolyMark;
        mark->setValue(1, points + i, colors + i, multiColor, pointSize, markerSet);
        append(mark);
    }
}

void SoHLHSRVectorize::storeImage(const SbVec4f &point, const unsigned char *imageData, const SbVec2s &sourceSize,
                                  const SbVec2s &requestedSize, int numComponents,
                                  SoImage::HorAlignment horAlignment, SoImage::VertAlignment vertAlignment) {
    HLHSRImage *image = new HLHSRImage;
    image->setValue(point, imageData, sourceSize, requestedSize, numComponents, horAlignment, vertAlignment);
    append(image);
}

void SoHLHSRVectorize::storeText2D(SbVec4f *point, const SbColor &color, const char *fontName, float fontSize,
                                   int numStrings, const SbString *strings, float lineSpacing, int justification,
                                   float angle) {
    HLHSRText2D *text = new HLHSRText2D;
    text->setValue(*point, color, fontName, fontSize, numStrings, strings, lineSpacing, justification, angle);
    append(text);
}

void SoHLHSRVectorize::printPolygon(SbVec4f *points, int num, const SbColor *colors, SbString patternCategory,
                                    SbString patternName, const unsigned char *patternBits) {
    action->projectPoints(points, num);
    action->printPolygon(points, num, colors, patternCategory, patternName, patternBits);
}

void SoHLHSRVectorize::printPolyLine(SbVec4f *points, int num, const SbColor *colors, int multiColor,
                                     float lineWidth, unsigned short linePattern) {
    action->projectPoints(points, num);
    action->printPolyLine(points, num, colors, multiColor, lineWidth, linePattern);
}

void SoHLHSRVectorize::printPolyMark(SbVec4f *points, int num, const SbColor *colors, int multiColor,
                                     float pointSize, SoMarkerSet *markerSet) {
    action->projectPoints(points, num);
    if (markerSet)
        action->printPolyMark(points, num, colors, multiColor, markerSet);
    else
        action->printPolyMark(points, num, colors, multiColor, pointSize);
}

void SoHLHSRVectorize::printImage(SbVec4f &point, const unsigned char *imageData, const SbVec2s &sourceSize,
                                  const SbVec2s &requestedSize, int numComponents,
                                  SoImage::HorAlignment horAlignment, SoImage::VertAlignment vertAlignment) {
    action->projectPoints(&point, 1);
    // The format's interface takes the sizes by reference; the stored ones stay as they are.
    SbVec2s source = sourceSize, requested = requestedSize;
    action->printImage(point, imageData, source, requested, numComponents, horAlignment, vertAlignment);
}

void SoHLHSRVectorize::printText2D(SbVec4f *point, const SbColor &color, const char *fontName, float fontSize,
                                   int numStrings, const SbString *strings, float lineSpacing, int justification,
                                   float angle) {
    action->projectPoints(point, 1);
    const float lineStep = action->getNominalWidth(SoVectorizeAction::MILLIMETER) * fontSize * lineSpacing;
    for (int i = 0; i < numStrings; i++) {
        action->printText2(*point, color, fontName, fontSize, strings[i].getString(), justification, angle);
        (*point)[1] -= lineStep;
    }
}
