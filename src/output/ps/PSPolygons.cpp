// Polygons and fill patterns. A polygon starts at its first point and goes on in groups of at
// most 248 points, each written from its highest point down and closed by its count:
//
//   10 10 pfabeg                     (first point)
//   ... 248 pfacnt                   (full groups)
//   50 50 50 10 3 pfaend             (the rest, closing the path)
//   1 pfa                            (even-odd fill)
//
// A polygon with a fill pattern defines the pattern at its first use in the document in its
// colour, as a coloured 32 x 32 tiling named PATTERN_N, then starts with ppatbeg and ends with
// ppatend:
//
//   1.000000 0.000000 0.000000       (colour of the polygons that use it)
//   0.352778                         (pattern scale: one bit per 1/72 inch)
//   0.352778
//   {<ff 00 ff 00 ... >} pcreatpat    (128 bytes, rows from the bottom up)
//    /PATTERN_0 exch def
//   10 10 PATTERN_0 ppatbeg
//   ... 3 ppatend
#include "output/NumberFormat.h"
#include "output/ps/PSCoordinateLine.h"
#include "scrivane/SoVectorizePSAction.h"
#include <algorithm>
#include <cstdio>

namespace {
// Longest coordinate line of polygons before it is written.
const int polygonFlushLength = 67;
// Largest group of points after the first for one call of pfacnt.
const int maxGroupPoints = 248;
// Bytes of a fill pattern: 32 rows of 32 bits.
const int patternBytes = 128;
// Size of one pattern bit in millimetres (1/72 inch).
const double patternScale = 0.35277778;

// "x y pfabeg" with the numbers as "%.2f" writes them.
void writeStart(FILE *fp, const SbVec4f &point) {
    char line[2 * scrivane_format::formattedLengthBound + 16];
    char *end = scrivane_format::fixed(line, point[0], 2);
    *end++ = ' ';
    end = scrivane_format::fixed(end, point[1], 2);
    end = std::copy_n(" pfabeg\n", 8, end);
    std::fwrite(line, 1, static_cast<size_t>(end - line), fp);
}

// "N pfaend" (N >= 0) and the even-odd fill "1 pfa".
void writeEnd(FILE *fp, int remaining) {
    char line[48];
    char *end = scrivane_format::digits(line, static_cast<unsigned long long>(remaining));
    end = std::copy_n(" pfaend\n1 pfa\n", 14, end);
    std::fwrite(line, 1, static_cast<size_t>(end - line), fp);
}
} // namespace

void SoVectorizePSAction::printPolygon(const SbVec4f *points, int n, const SbColor *colors,
                                       SbString, SbString, const unsigned char *patternBits) {
    if (!points || !colors || n <= 0) return;
    FILE *fp = out();
    const float nominal = getNominalWidth(MILLIMETER);
    // The polygon procedures take their line width from the last "ep".
    if (currentLineWidth != nominal) {
        currentLineWidth = nominal;
        char line[64];
        std::snprintf(line, sizeof(line), "%.2f ep", static_cast<double>(nominal));
        writeCompacted(fp, line);
    }
    assignColor(colors[0], nominal);

    if (patternBits) {
        // A tiling pattern carries its colour, so a pattern is the same only for the same bits
        // (by address) in the same colour: defined once, then used by number.
        int found = -1;
        for (int k = 0; k < patternCount && found < 0; k++)
            if (patternList[k] == patternBits && patternColors[static_cast<size_t>(k)] == colors[0])
                found = k;
        if (found >= 0) {
            currentPattern = found;
        } else {
            patternList.append(const_cast<unsigned char *>(patternBits));
            patternColors.push_back(colors[0]);
            char definition[1024];
            int length =
                std::snprintf(definition, sizeof(definition), "%f %f %f\n%f\n%f\n{<",
                              static_cast<double>(colors[0][0]), static_cast<double>(colors[0][1]),
                              static_cast<double>(colors[0][2]), patternScale, patternScale);
            // The head is at most about 170 characters ("%f" of any float is at most 47), so
            // the 128 bytes of three characters each and the tail always fit.
            if (length < 0 || length > 512) length = 0;
            static const char digits[] = "0123456789abcdef";
            for (int i = 0; i < patternBytes; i++) {
                definition[length++] = digits[patternBits[i] >> 4];
                definition[length++] = digits[patternBits[i] & 0x0F];
                definition[length++] = ' ';
            }
            std::snprintf(definition + length, sizeof(definition) - static_cast<size_t>(length),
                          ">} pcreatpat\n /PATTERN_%d exch def\n", patternCount);
            std::fputs(definition, fp);
            currentPattern = patternCount;
            patternCount++;
        }
        std::fprintf(fp, "%.2f %.2f PATTERN_%d ppatbeg\n", static_cast<double>(points[0][0]),
                     static_cast<double>(points[0][1]), currentPattern);
    } else {
        writeStart(fp, points[0]);
    }

    // Points 1 to n - 1 in groups of 248; the last group holds the rest.
    scrivane_ps::CoordinateLine line(fp, polygonFlushLength);
    int first = 1;
    int remaining = n - 1;
    while (remaining > maxGroupPoints) {
        for (int i = first + maxGroupPoints - 1; i >= first; i--)
            line.append(points[i]);
        line.flush();
        std::fprintf(fp, "%d pfacnt\n", maxGroupPoints);
        first += maxGroupPoints;
        remaining -= maxGroupPoints;
    }
    for (int i = first + remaining - 1; i >= first; i--)
        line.append(points[i]);
    line.flush();
    if (patternBits) {
        std::fprintf(fp, "%d ppatend\n", remaining);
    } else {
        writeEnd(fp, remaining);
    }
}
