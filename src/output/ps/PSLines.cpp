// Lines and marks. A single-colour polyline or point set is written last point first, in
// groups of at most 100 points that share their boundary points, each group closed by its
// count and the procedure:
//
//   0.71 ep                          line width, when it changes
//   [2.80 2.80 ] 5.64 tl             dash array and offset, when the pattern changes
//   1 0 0 gc                         colour, when it changes
//   100 20 50 20 10 20
//   3 ppl                            (ppmp for square dots, after "0.71 ps" for their size)
//
// A multicolour polyline becomes one "x1 y1 x2 y2 2 ppl" line per segment, a multicolour
// point set one "x y 1 ppmp" line per point, each after its colour. Marker bitmaps are defined
// once per document as procedures and painted through DisplayBitmap:
//
//   /Bitmap0                         the mask of marker 0: 5 x 5 pixels, rows from the
//   { 5 5                            bottom up, each padded to whole bytes, 40 hexadecimal
//    true                            digits a line
//    [5 0 0 5 0 0]
//   {<8850205088>} imagemask
//   } bind def
//   /currentBitmapIndex {Bitmap0} bind def
//   1.76 1.76 49.12 49.12 DisplayBitmap
#include "output/ps/PSCoordinateLine.h"
#include "scene/nodes/SoMarkerSet.h"
#include "scrivane/SoVectorizePSAction.h"
#include <cstdio>

namespace {
// Longest coordinate line of polylines and point sets before it is written.
const int lineFlushLength = 79;
// Largest group of points for one call of ppl or ppmp.
const int maxGroupPoints = 100;
// Length of line that one bit of a 16-bit line pattern stands for, in millimetres.
const double dashUnit = 0.35;
} // namespace

void SoVectorizePSAction::writeGroups(FILE *fp, const SbVec4f *points, int n,
                                      const char *procName) {
    scrivane_ps::CoordinateLine line(fp, lineFlushLength);
    int group = 0;
    int i = n - 1;
    while (i >= 0) {
        line.append(points[i]);
        group++;
        if (group == maxGroupPoints) {
            line.flush();
            std::fprintf(fp, "%d %s\n", maxGroupPoints, procName);
            group = 0;
            // Point i also starts the next group, so that the groups join up. A group that
            // ends on the first point ends the line: a group of that point alone would draw
            // nothing more.
            if (i == 0) break;
        } else {
            i--;
        }
    }
    if (group != 0) {
        line.flush();
        std::fprintf(fp, "%d %s\n", group, procName);
    }
}

void SoVectorizePSAction::writeDash(FILE *fp, unsigned short pattern) {
    if (pattern == 0xFFFF) {
        std::fprintf(fp, "[%s] %.2f tl\n", "", 0.0);
        return;
    }
    // The pattern is shifted down to its lowest set bit; its 16 bits are then cut into runs of
    // equal bits, dash first, gap next. An odd number of runs gets a closing gap of 0. The
    // shift comes back as the offset into the dash array.
    int shift = 0;
    while (((pattern >> shift) & 1u) == 0)
        shift++;
    const unsigned q = static_cast<unsigned>(pattern) >> shift;
    char dashes[160];
    int length = 0;
    int runs = 0;
    int bit = 0;
    while (bit < 16) {
        const unsigned value = (q >> bit) & 1u;
        int run = 0;
        while (bit < 16 && ((q >> bit) & 1u) == value) {
            run++;
            bit++;
        }
        length += std::snprintf(dashes + length, sizeof(dashes) - static_cast<size_t>(length),
                                "%.2f ", run * dashUnit);
        runs++;
    }
    if (runs % 2 != 0)
        std::snprintf(dashes + length, sizeof(dashes) - static_cast<size_t>(length), "0. ");
    std::fprintf(fp, "[%s] %.2f tl\n", dashes,
                 static_cast<double>((16 - shift) * getNominalWidth(MILLIMETER)));
}

void SoVectorizePSAction::printPolyLine(const SbVec4f *points, int n, const SbColor *colors,
                                        int multiColor, float thickness, unsigned short pattern) {
    if (!points || !colors || n <= 0) return;
    // A pattern without any set bit draws no part of the line, as on the screen where such a
    // stipple lights no pixel: nothing is written, and the state in force stays as it is.
    if (pattern == 0) return;
    FILE *fp = out();
    const float width = (thickness == 0.0f ? 1.0f : thickness) * getNominalWidth(MILLIMETER);
    char line[256];
    if (width != currentLineWidth) {
        currentLineWidth = width;
        std::snprintf(line, sizeof(line), "%.2f ep", static_cast<double>(width));
        writeCompacted(fp, line);
    }
    if (pattern != currentLinePattern) {
        currentLinePattern = pattern;
        writeDash(fp, pattern);
    }
    if (multiColor) {
        // One segment per colour: colour i runs from point i to point i + 1.
        for (int i = 0; i + 1 < n; i++) {
            assignColor(colors[i], width);
            std::snprintf(line, sizeof(line), "%.2f %.2f %.2f %.2f 2 ppl",
                          static_cast<double>(points[i][0]), static_cast<double>(points[i][1]),
                          static_cast<double>(points[i + 1][0]),
                          static_cast<double>(points[i + 1][1]));
            writeCompacted(fp, line);
        }
    } else {
        assignColor(colors[0], width);
        writeGroups(fp, points, n, "ppl");
    }
}

void SoVectorizePSAction::printPolyMark(const SbVec4f *points, int n, const SbColor *colors,
                                        int multiColor, float size) {
    if (!points || !colors || n <= 0) return;
    FILE *fp = out();
    const float nominal = getNominalWidth(MILLIMETER);
    const float pointSize = (size == 0.0f ? 1.0f : size) * nominal;
    if (pointSize != currentPointSize) {
        currentPointSize = pointSize;
        std::fprintf(fp, "%.2f ps\n", static_cast<double>(pointSize));
    }
    if (multiColor) {
        char line[256];
        for (int i = 0; i < n; i++) {
            assignColor(colors[i], nominal);
            std::snprintf(line, sizeof(line), "%.2f %.2f 1 ppmp", static_cast<double>(points[i][0]),
                          static_cast<double>(points[i][1]));
            writeCompacted(fp, line);
        }
    } else {
        assignColor(colors[0], nominal);
        writeGroups(fp, points, n, "ppmp");
    }
}

void SoVectorizePSAction::printPolyMark(const SbVec4f *points, int n, const SbColor *colors,
                                        int multiColor, SoMarkerSet *markerSet) {
    if (!points || !colors || !markerSet || n <= 0) return;
    // Point i shows marker value i modulo k of the markerIndex field. An empty field names no
    // marker at all, so every point is skipped, as a point whose marker does not exist is.
    const int numValues = markerSet->markerIndex.getNum();
    if (numValues <= 0) return;
    FILE *fp = out();
    const float nominal = getNominalWidth(MILLIMETER);
    for (int i = 0; i < n; i++) {
        const int marker = markerSet->markerIndex[i % numValues];
        SbVec2s size;
        const unsigned char *bytes = nullptr;
        SbBool isLSBFirst = FALSE;
        if (!SoMarkerSet::getMarker(marker, size, bytes, isLSBFirst)) continue;
        // A marker without pixels has nothing to paint (and its image matrix would be singular).
        if (size[0] <= 0 || size[1] <= 0) continue;
        if (!isBitmapExist(marker)) createBitmap(marker, size);
        if (marker != currentMarkerBitmap) {
            currentMarkerBitmap = marker;
            std::fprintf(fp, "/currentBitmapIndex {Bitmap%d} bind def\n", marker);
        }
        assignColor(multiColor ? colors[i] : colors[0], nominal);
        // One bitmap pixel per nominal width, centred on the point.
        const float sx = size[0] * nominal, sy = size[1] * nominal;
        std::fprintf(fp, "%.2f %.2f", static_cast<double>(sx), static_cast<double>(sy));
        std::fprintf(fp, " %.2f %.2f", static_cast<double>(points[i][0] - sx * 0.5f),
                     static_cast<double>(points[i][1] - sy * 0.5f));
        std::fputs(" DisplayBitmap\n", fp);
    }
}

int SoVectorizePSAction::isBitmapExist(int markerIndex) const {
    for (int i = 0; i < markerBitmapCount; i++)
        if (markerBitmapIds[i] == markerIndex) return 1;
    return 0;
}

void SoVectorizePSAction::createBitmap(int markerIndex, const SbVec2s &size) {
    // Only MAX_MARKER_BITMAPS definitions are recorded per document; a marker beyond them is
    // defined again at each use, under the same name, which is just as correct.
    if (markerBitmapCount < MAX_MARKER_BITMAPS) markerBitmapIds[markerBitmapCount++] = markerIndex;
    static const char digits[] = "0123456789ABCDEF";
    FILE *fp = out();
    const int width = size[0], height = size[1];
    std::fprintf(fp, "/Bitmap%d\n", markerIndex);
    std::fputs("{", fp);
    std::fprintf(fp, " %d %d\n", width, height);
    std::fputs(" true\n", fp);
    std::fprintf(fp, " [%d 0 0 %d 0 0]\n", width, height);
    std::fputs("{<", fp);
    // Row 0 is the bottom row; each row is padded to whole bytes, first pixel in the high bit.
    int bytesOnLine = 0;
    for (int row = 0; row < height; row++) {
        for (int column = 0; column < width; column += 8) {
            unsigned byte = 0;
            for (int bit = 0; bit < 8 && column + bit < width; bit++)
                if (SoMarkerSet::isMarkerBitSet(markerIndex, row * width + column + bit))
                    byte |= 0x80u >> bit;
            std::putc(digits[byte >> 4], fp);
            std::putc(digits[byte & 0x0F], fp);
            if (++bytesOnLine == 20) {
                std::putc('\n', fp);
                bytesOnLine = 0;
            }
        }
    }
    std::fputs(">} imagemask\n", fp);
    std::fputs("} bind def\n", fp);
}
