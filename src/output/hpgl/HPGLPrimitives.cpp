// The HP-GL/2 writer's primitives: dots in symbol mode, PE polylines with their line type and
// width, filled polygons in polygon mode, and labels. Images are not plotted.
#include <cmath>
#include <cstdio>
#include <cstring>
#include <string>
#include "output/LinePatternRuns.h"
#include "output/hpgl/HPGLEncoding.h"
#include "output/hpgl/HPGLLabel.h"
#include "scrivane/SoVectorizeHPGLAction.h"

namespace {
// One typographic point (1/72 inch) in millimetres, the unit of SD's font height. The same float
// as the action's default nominal width.
constexpr float POINT_MM = 0.35277778f;

// A page coordinate in millimetres, moved by the offset, in plotter units (not truncated).
double toPlu(float offset, float value) {
    return (static_cast<double>(offset) + static_cast<double>(value)) * SoVectorizeHPGLAction::PLU_PER_MM;
}
} // namespace

void SoVectorizeHPGLAction::printPolyMark(const SbVec4f *points, int n, const SbColor *colors, int multiColor,
                                          SoMarkerSet *) {
    // Marker bitmaps have no plotter equivalent: marker sets are plotted as dots.
    printPolyMark(points, n, colors, multiColor, 0.0f);
}

void SoVectorizeHPGLAction::printPolyMark(const SbVec4f *points, int n, const SbColor *colors, int multiColor,
                                          float) {
    // Every point is the symbol "." of symbol mode, which the plotter draws at its own size.
    if (n < 0) n = 0;
    if (n > 0 && (!points || !colors)) return;
    FILE *fp = out();
    const float offX = getOffsetX(), offY = getOffsetY();
    if (!multiColor) {
        if (colors) selectPen(colors[0]);
        fprintf(fp, "PUSM.PA");
        for (int i = 0; i < n; i++)
            fprintf(fp, i ? ",%d,%d" : "%d,%d", truncPlu(toPlu(offX, points[i][0])),
                    truncPlu(toPlu(offY, points[i][1])));
        fprintf(fp, "SM;\n");
        return;
    }
    for (int i = 0; i < n; i++) {
        // A pen change restarts the dot sequence after its SP.
        int changed = selectPen(colors[i]);
        fprintf(fp, (changed || i == 0) ? "PUSM.PA" : ",");
        fprintf(fp, "%d,%d", truncPlu(toPlu(offX, points[i][0])), truncPlu(toPlu(offY, points[i][1])));
    }
    fprintf(fp, "SM;\n");
}

void SoVectorizeHPGLAction::printImage(const SbVec4f &, const unsigned char *, SbVec2s &, SbVec2s &, int,
                                       SoImage::HorAlignment, SoImage::VertAlignment) {
    // A pen plotter cannot render pixels: images are left out of HP-GL/2 drawings.
}

void SoVectorizeHPGLAction::writeLinePattern(unsigned short pattern) {
    if (pattern == currentLinePattern) return;
    currentLinePattern = pattern;
    FILE *fp = out();
    if (pattern == 0xFFFF) {
        fprintf(fp, "LT");
        return;
    }
    // User line type 8: the runs (dash, gap, dash ...) as relative lengths, each sixteenth of
    // the pattern one nominal width; the pattern length 5.65 mm is sixteen default widths.
    int runs[16];
    int count = linePatternRuns(pattern, runs);
    std::string text = "UL8";
    for (int i = 0; i < count; i++) {
        char item[64];
        snprintf(item, sizeof item, ",%.2f ", static_cast<double>(static_cast<float>(runs[i]) * getNominalWidth()));
        text += item;
    }
    fprintf(fp, "%sLT8,5.65,1\n", text.c_str());
}

void SoVectorizeHPGLAction::writeSteps(const SbVec4f *points, int n, double x0d, double y0d, int x0, int y0) {
    // Each step is truncated; what the truncation leaves is carried into the next step, so the
    // plotted vertices never drift more than one plotter unit from the exact ones. A step of
    // (0, 0) is not written (the pen is already there) and its remainder carries on.
    scrivane_hpgl::CommandText text(out());
    double xd = x0d, yd = y0d;
    int stepX = x0, stepY = y0;
    for (int i = 1; i < n; i++) {
        xd = xd - stepX + (static_cast<double>(points[i][0]) - static_cast<double>(points[i - 1][0])) * PLU_PER_MM;
        yd = yd - stepY + (static_cast<double>(points[i][1]) - static_cast<double>(points[i - 1][1])) * PLU_PER_MM;
        stepX = truncPlu(xd);
        stepY = truncPlu(yd);
        if (stepX == 0 && stepY == 0) continue;
        text.pe(stepX);
        text.pe(stepY);
    }
}

void SoVectorizeHPGLAction::printPolyLine(const SbVec4f *points, int n, const SbColor *colors, int, float thickness,
                                          unsigned short pattern) {
    if (n < 1 || !points || !colors) return;
    // A pattern without a set bit is all gap: as on the screen, the line is not drawn at all, and
    // nothing of the plotter's state changes.
    if (pattern == 0) return;
    // Width 0 (and any width that is not positive) draws with the nominal width.
    if (!(thickness > 0.0f)) thickness = 1.0f;
    const float width = thickness * getNominalWidth();
    // A line has one pen: the first colour stands for the whole line.
    int pen = 0;
    assignColor(colors[0], width, &pen);
    writeLinePattern(pattern);
    FILE *fp = out();
    if (width != currentLineWidth) {
        currentLineWidth = width;
        fprintf(fp, "PW%f", static_cast<double>(width));
    }
    // ":" selects the pen, "<" lifts it for the next pair, "=" makes that pair absolute.
    if (pen != currentPen)
        fprintf(fp, "PE:%s<=", encodePE(pen));
    else
        fprintf(fp, "PE<=");
    currentPen = pen;
    const double x0d = toPlu(getOffsetX(), points[0][0]), y0d = toPlu(getOffsetY(), points[0][1]);
    const int x0 = truncPlu(x0d), y0 = truncPlu(y0d);
    {
        scrivane_hpgl::CommandText text(fp);
        text.pe(x0);
        text.pe(y0);
    }
    writeSteps(points, n, x0d, y0d, x0, y0);
    std::fputs(";\n", fp);
}

void SoVectorizeHPGLAction::printPolygon(const SbVec4f *points, int n, const SbColor *colors, SbString, SbString,
                                         const unsigned char *) {
    // Fill patterns have no plotter equivalent: the polygon is filled solid in its first colour.
    if (n < 1 || !points || !colors) return;
    selectPen(colors[0]);
    FILE *fp = out();
    const double x0d = toPlu(getOffsetX(), points[0][0]), y0d = toPlu(getOffsetY(), points[0][1]);
    const int x0 = truncPlu(x0d), y0 = truncPlu(y0d);
    // The pen-up move gives the first vertex; PM0 then collects the relative pen-down outline,
    // PM2 closes it and FP fills it with the fill type of the header (solid).
    {
        scrivane_hpgl::CommandText text(fp);
        text.text("PU");
        text.integer(x0);
        text.text(",");
        text.integer(y0);
        text.text("PMPE");
    }
    writeSteps(points, n, x0d, y0d, x0, y0);
    std::fputs(";PM2FP\n", fp);
}

int SoVectorizeHPGLAction::fontNameMatches(const char *name) const {
    // A name that does not fit the cache is never taken as equal, so its SD is written at each
    // use. SD never carries the name, so this costs a few bytes and never changes the plot.
    if (currentFontNameTooLong) return 0;
    if (strlen(name) >= static_cast<size_t>(FONT_NAME_SIZE)) return 0;
    return strcmp(name, currentFontName) == 0;
}

void SoVectorizeHPGLAction::setCurrentFontName(const char *name) {
    size_t length = strlen(name);
    currentFontNameTooLong = length >= static_cast<size_t>(FONT_NAME_SIZE);
    if (currentFontNameTooLong) length = 0;
    memcpy(currentFontName, name, length);
    currentFontName[length] = '\0';
}

void SoVectorizeHPGLAction::printText2(SbVec4f position, SbColor color, const char *fontName, float fontSize,
                                       const char *text, int justification, float angle) {
    if (!fontName) fontName = "";
    if (!text) text = "";
    FILE *fp = out();
    selectPen(color);
    // The font size is in line-width units, nominal width millimetres each, as in every format;
    // SD takes the height in points. At the default nominal width, one point, the ratio is
    // exactly 1 and the size goes out as it came.
    const float height = fontSize * (getNominalWidth() / POINT_MM);
    if (!(height == currentTextHeight && fontNameMatches(fontName))) {
        currentTextHeight = height;
        setCurrentFontName(fontName);
        // Proportional spacing, the height in points, and the standard font selected.
        fprintf(fp, "SD2,1,4,%.2fSS", static_cast<double>(height));
    }
    if (justification != currentJustification) {
        currentJustification = justification;
        // Label origins on the baseline: 1 left, 4 centre, 7 right. An unknown justification
        // is placed as left.
        int origin = justification == 2 ? 7 : justification == 3 ? 4 : 1;
        fprintf(fp, "LO%d", origin);
    }
    fprintf(fp, "PU\n");
    if (angle != currentTextAngle) {
        currentTextAngle = angle;
        fprintf(fp, "DI%f,%f\n", std::cos(static_cast<double>(angle)), std::sin(static_cast<double>(angle)));
    }
    const int x = truncPlu(toPlu(getOffsetX(), position[0])), y = truncPlu(toPlu(getOffsetY(), position[1]));
    // Only printable characters go into the label (HPGLLabel.cpp says which and why).
    const std::string label = scrivane_hpgl::labelText(text, &replacedCharacters);
    fprintf(fp, "PA%d,%dLB%s\x03\n", x, y, label.c_str());
}
