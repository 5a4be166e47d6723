#ifndef SCRIVANE_TESTS_RECORDINGACTION_H
#define SCRIVANE_TESTS_RECORDINGACTION_H
// A format action for tests: it records every call of the format interface, so that the frame,
// capture, clipping and colour can be checked without parsing a file format.
#include <string>
#include <vector>
#include "scene/nodes/SoMarkerSet.h"
#include "scrivane/SoPSVectorOutput.h"
#include "scrivane/SoVectorizeAction.h"

struct RecordedCall {
    std::string kind;  // header, footer, clip, background, border, polyline, polygon, marks,
                       // markerset, image, text
    std::vector<SbVec4f> points;
    std::vector<SbColor> colors;
    int multiColor = 0;
    float size = 0.0f;           // thickness, point size or font size
    unsigned short pattern = 0;  // line pattern
    std::string text;            // text, font name, or pattern category/name
    int justification = 0;
    float angle = 0.0f;
    const unsigned char *patternBits = nullptr;
    SoMarkerSet *markerSet = nullptr;
    SbVec2s sourceSize, requestedSize;
    int components = 0;
};

class RecordingAction : public SoVectorizeAction {
public:
    // log may outlive the action, so that what its destructor writes can be checked.
    explicit RecordingAction(std::vector<RecordedCall> *externalLog = nullptr);
    ~RecordingAction() override;
    std::vector<RecordedCall> &calls() { return *log; }
    // The kinds of the recorded calls, space separated.
    std::string kinds() const;
    // The same, for the calls of the document frame only (header, footer, clip, background,
    // border): primitives left out.
    std::string frameKinds() const;
    std::vector<RecordedCall> callsOf(const std::string &kind) const;

    using SoVectorizeAction::getClippingLimits;
    using SoVectorizeAction::getOffsetX;
    using SoVectorizeAction::getOffsetY;
    using SoVectorizeAction::getViewportHeight;
    using SoVectorizeAction::getViewportWidth;
    using SoVectorizeAction::penAssignment;
    using SoVectorizeAction::translateColor;

    // Base trace output, for checking the trace texts.
    void traceMode(bool on) { trace = on; }

protected:
    void writeHeader() override { record("header"); }
    void writeFooter() override { record("footer"); }
    void setHardwareClip() override { record("clip"); }
    void printBorder() override { record("border"); }
    void printBackground() override { record("background"); }

public:
    void printPolyLine(const SbVec4f *points, int n, const SbColor *colors, int multiColor, float thickness,
                       unsigned short pattern) override;
    void printPolygon(const SbVec4f *points, int n, const SbColor *colors, SbString category, SbString name,
                      const unsigned char *bits) override;
    void printPolyMark(const SbVec4f *points, int n, const SbColor *colors, int multiColor, float size) override;
    void printPolyMark(const SbVec4f *points, int n, const SbColor *colors, int multiColor,
                       SoMarkerSet *markerSet) override;
    void printImage(const SbVec4f &origin, const unsigned char *pixels, SbVec2s &sourceSize,
                    SbVec2s &requestedSize, int numComponents, SoImage::HorAlignment horAlign,
                    SoImage::VertAlignment vertAlign) override;
    void printText2(SbVec4f position, SbColor color, const char *fontName, float fontSize, const char *text,
                    int justification, float angle) override;

private:
    RecordedCall &record(const char *kind);
    std::vector<RecordedCall> ownLog;
    std::vector<RecordedCall> *log;
    SoPSVectorOutput output;
    bool trace = false;
};

#endif
