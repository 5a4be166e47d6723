#include "RecordingAction.h"

RecordingAction::RecordingAction(std::vector<RecordedCall> *externalLog)
    : log(externalLog ? externalLog : &ownLog) {
    setVectorOutput(&output);
}

RecordingAction::~RecordingAction() { endOpenPage(); }

RecordedCall &RecordingAction::record(const char *kind) {
    log->emplace_back();
    log->back().kind = kind;
    return log->back();
}

std::string RecordingAction::kinds() const {
    std::string all;
    for (const RecordedCall &c : *log) all += (all.empty() ? "" : " ") + c.kind;
    return all;
}

std::string RecordingAction::frameKinds() const {
    std::string all;
    for (const RecordedCall &c : *log)
        if (c.kind == "header" || c.kind == "footer" || c.kind == "clip" || c.kind == "background" ||
            c.kind == "border")
            all += (all.empty() ? "" : " ") + c.kind;
    return all;
}

std::vector<RecordedCall> RecordingAction::callsOf(const std::string &kind) const {
    std::vector<RecordedCall> found;
    for (const RecordedCall &c : *log)
        if (c.kind == kind) found.push_back(c);
    return found;
}

void RecordingAction::printPolyLine(const SbVec4f *points, int n, const SbColor *colors, int multiColor,
                                    float thickness, unsigned short pattern) {
    if (trace) return SoVectorizeAction::printPolyLine(points, n, colors, multiColor, thickness, pattern);
    RecordedCall &c = record("polyline");
    c.points.assign(points, points + n);
    c.colors.assign(colors, colors + (multiColor ? n : (n > 0 ? 1 : 0)));
    c.multiColor = multiColor;
    c.size = thickness;
    c.pattern = pattern;
}

void RecordingAction::printPolygon(const SbVec4f *points, int n, const SbColor *colors, SbString category,
                                   SbString name, const unsigned char *bits) {
    if (trace) return SoVectorizeAction::printPolygon(points, n, colors, category, name, bits);
    RecordedCall &c = record("polygon");
    c.points.assign(points, points + n);
    c.colors.assign(colors, colors + n);
    c.text = std::string(category.getString()) + "/" + name.getString();
    c.patternBits = bits;
}

void RecordingAction::printPolyMark(const SbVec4f *points, int n, const SbColor *colors, int multiColor,
                                    float size) {
    if (trace) return SoVectorizeAction::printPolyMark(points, n, colors, multiColor, size);
    RecordedCall &c = record("marks");
    c.points.assign(points, points + n);
    c.colors.assign(colors, colors + (multiColor ? n : (n > 0 ? 1 : 0)));
    c.multiColor = multiColor;
    c.size = size;
}

void RecordingAction::printPolyMark(const SbVec4f *points, int n, const SbColor *colors, int multiColor,
                                    SoMarkerSet *markerSet) {
    if (trace) return SoVectorizeAction::printPolyMark(points, n, colors, multiColor, markerSet);
    RecordedCall &c = record("markerset");
    c.points.assign(points, points + n);
    c.colors.assign(colors, colors + (multiColor ? n : (n > 0 ? 1 : 0)));
    c.multiColor = multiColor;
    c.markerSet = markerSet;
}

void RecordingAction::printImage(const SbVec4f &origin, const unsigned char *pixels, SbVec2s &sourceSize,
                                 SbVec2s &requestedSize, int numComponents, SoImage::HorAlignment horAlign,
                                 SoImage::VertAlignment vertAlign) {
    if (trace)
        return SoVectorizeAction::printImage(origin, pixels, sourceSize, requestedSize, numComponents, horAlign,
                                             vertAlign);
    RecordedCall &c = record("image");
    c.points.assign(1, origin);
    c.sourceSize = sourceSize;
    c.requestedSize = requestedSize;
    c.components = numComponents;
    c.justification = static_cast<int>(horAlign) * 10 + static_cast<int>(vertAlign);
}

void RecordingAction::printText2(SbVec4f position, SbColor color, const char *fontName, float fontSize,
                                 const char *text, int justification, float angle) {
    if (trace)
        return SoVectorizeAction::printText2(position, color, fontName, fontSize, text, justification, angle);
    RecordedCall &c = record("text");
    c.points.assign(1, position);
    c.colors.assign(1, color);
    c.size = fontSize;
    c.text = text;
    c.justification = justification;
    c.angle = angle;
    (void)fontName;
}
