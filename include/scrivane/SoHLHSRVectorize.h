#ifndef SCRIVANE_SOHLHSRVECTORIZE_H
#define SCRIVANE_SOHLHSRVECTORIZE_H
#include "scene/base/SbColor.h"
#include "scene/base/SbString.h"
#include "scene/base/SbVec2s.h"
#include "scene/base/SbVec4f.h"
#include "scene/nodes/SoImage.h"
#include "scrivane/ScrivaneExport.h"

class PrimitiveList;
class SoHiddenLines;
class SoMarkerSet;
class SoVectorizeAction;

// The hidden-line/hidden-surface removal driver. The vectorize action creates one per apply for
// every removal mode; while the scene is traversed the clippers hand every visible piece to the
// store operations (in normalized projection coordinates) instead of printing it. Each viewport
// is a removal run of its own: startHLHSR begins one, endHLHSR orders, filters or trims what was
// stored and prints it through the action, projecting the points to the page on the way.
//
// Ownership: the driver owns its primitive list and, in hidden-line mode, its SoHiddenLines, from
// startHLHSR to endHLHSR; stored primitives belong to the run and are deleted as they are
// printed. The action is not owned. All state (the arrival counter included) is per driver, so
// two actions on two threads can each run removal at the same time.
class SCRIVANE_API SoHLHSRVectorize {
public:
    enum HLHSRMode { DEPTH_SORT = 0, PAINTER_ORDER = 1, VISIBLE_PAINTER_ORDER = 2, HIDDEN_LINE = 3 };
    enum PolygonStyle { FILLED = 0, LINES = 1, POINTS = 2 };

    SoHLHSRVectorize(SoVectorizeAction *action, HLHSRMode mode);
    ~SoHLHSRVectorize();
    SoHLHSRVectorize(const SoHLHSRVectorize &) = delete;
    SoHLHSRVectorize &operator=(const SoHLHSRVectorize &) = delete;

    void startHLHSR();
    void endHLHSR();

    // drawEdge, when given, holds one flag per edge for the hidden-line mode, as
    // SoHiddenLines::addPolygon takes it; the other modes ignore it.
    void storePolygon(SbVec4f *points, int num, const SbColor *colors, int multiColor, float lineWidth,
                      float pointSize, unsigned short linePattern, PolygonStyle style, SbString patternCategory,
                      SbString patternName, const unsigned char *patternBits,
                      const unsigned char *drawEdge = nullptr);
    void storePolyLine(SbVec4f *points, int num, const SbColor *colors, int multiColor, float lineWidth,
                       unsigned short linePattern);
    void storePolyMark(SbVec4f *points, int num, const SbColor *colors, int multiColor, float pointSize,
                       SoMarkerSet *markerSet);
    void storeImage(const SbVec4f &point, const unsigned char *imageData, const SbVec2s &sourceSize,
                    const SbVec2s &requestedSize, int numComponents, SoImage::HorAlignment horAlignment,
                    SoImage::VertAlignment vertAlignment);
    void storeText2D(SbVec4f *point, const SbColor &color, const char *fontName, float fontSize, int numStrings,
                     const SbString *strings, float lineSpacing, int justification, float angle);

    // Called by the primitives when they print: each projects the points to the page in place,
    // then calls the action's print operation of the same name.
    void printPolygon(SbVec4f *points, int num, const SbColor *colors, SbString patternCategory,
                      SbString patternName, const unsigned char *patternBits);
    void printPolyLine(SbVec4f *points, int num, const SbColor *colors, int multiColor, float lineWidth,
                       unsigned short linePattern);
    void printPolyMark(SbVec4f *points, int num, const SbColor *colors, int multiColor, float pointSize,
                       SoMarkerSet *markerSet);
    void printImage(SbVec4f &point, const unsigned char *imageData, const SbVec2s &sourceSize,
                    const SbVec2s &requestedSize, int numComponents, SoImage::HorAlignment horAlignment,
                    SoImage::VertAlignment vertAlignment);
    // One printText2 per line, each lower on the page by nominal width x font size x spacing;
    // the point is moved in place.
    void printText2D(SbVec4f *point, const SbColor &color, const char *fontName, float fontSize, int numStrings,
                     const SbString *strings, float lineSpacing, int justification, float angle);

    SoVectorizeAction *getVectorizeAction() const { return action; }
    HLHSRMode getMode() const { return mode; }
    // The list of the current run (null outside a run).
    PrimitiveList *getPrimitives() const { return primitives; }

private:
    void append(class Primitive *primitive);
    void printHiddenLines();

    SoVectorizeAction *action;
    SoHiddenLines *hiddenLines = nullptr;
    PrimitiveList *primitives = nullptr;
    HLHSRMode mode;
    // The next arrival number; every run numbers its primitives 0, 1, 2, ...
    int arrivalCounter = 0;
};

#endif
