// Caches and numbers. Inside the drawing, settings appear as short compacted lines, written
// only when the value in force changes:
//
//   1 0.5 0.25 gc        colour (grey output: "0.42 gb")
//   0.71 ep              line width in millimetres
//   2.82 1.41 2.82 ...   coordinate lines, at most about 79 characters
//   0A0B0C...            image data: 40 bytes (80 hexadecimal digits) a line
//
// Numbers are written with "%.2f" and then compacted: trailing zeros of a decimal part that a
// space follows are dropped, so "1.00 0.50 0.25 gc" becomes "1 0.5 0.25 gc".
#include "output/NumberFormat.h"
#include "output/ps/PSCoordinateLine.h"
#include "scrivane/SoVectorizePSAction.h"
#include <algorithm>
#include <cstdio>
#include <cstring>

namespace scrivane_ps {

void compactNumbers(char *line) {
    const size_t length = std::strlen(line);
    for (size_t i = 0; i < length; i++) {
        if (line[i] != '.') continue;
        const char *space = std::strchr(line + i + 1, ' ');
        // The last number of a line keeps its zeros unless a space follows it.
        if (!space) continue;
        size_t k = static_cast<size_t>(space - line);
        while (k > i + 1 && line[k - 1] == '0')
            line[--k] = ' ';
        if (k == i + 1 && i > 0 && line[i - 1] != ' ') line[i] = ' ';
    }
    // Leading and trailing spaces go; every run of spaces becomes one.
    size_t w = 0;
    for (size_t r = 0; r < length; r++) {
        if (line[r] == ' ' && (w == 0 || line[w - 1] == ' ')) continue;
        line[w++] = line[r];
    }
    if (w > 0 && line[w - 1] == ' ') w--;
    line[w] = '\0';
}

void CoordinateLine::append(const SbVec4f &point) {
    using scrivane_format::compactTail;
    using scrivane_format::fixed;
    if (length > 0) text[length++] = ' ';
    char *const start = text + length;
    char *end = fixed(start, point[0], 2);
    const int xLength = static_cast<int>(end - start);
    end = compactTail(start, end);
    *end++ = ' ';
    char *const y = end;
    end = fixed(y, point[1], 2);
    fullLength += xLength + 1 + static_cast<int>(end - y);
    length = static_cast<int>(end - text);
    if (fullLength >= flushLength) {
        // Written as it stands: no space follows the last number, which keeps its zeros.
        flush();
    } else {
        // A space follows from here on, so the last number loses its zeros too.
        fullLength++;
        length = static_cast<int>(compactTail(y, end) - text);
    }
}

void CoordinateLine::flush() {
    if (length == 0) return;
    text[length++] = '\n';
    std::fwrite(text, 1, static_cast<size_t>(length), fp);
    length = 0;
    fullLength = 0;
}

} // namespace scrivane_ps

void SoVectorizePSAction::pcp079(char *line) {
    scrivane_ps::compactNumbers(line);
}

void SoVectorizePSAction::writeCompacted(FILE *fp, char *line) {
    pcp079(line);
    std::fprintf(fp, "%s\n", line);
}

void SoVectorizePSAction::initDefaultCurrentValues() {
    currentFontSize = -1.0f;
    currentFontName[0] = '\0';
    currentFontLatin1 = false;
}

void SoVectorizePSAction::assignColor(SbColor color, float width) {
    const int numPens = getPenNum();
    const SbColor *penColors = getPenColors();
    if (numPens != 0 && penColors) {
        int pen = 0;
        float penWidth = 0.0f;
        penAssignment(color, width, &pen, &penWidth);
        if (pen >= 0 && pen < numPens) color = penColors[pen];
    }
    if (color == currentColor) return;
    currentColor = color;
    // Every number of the line is followed by a space, so each is written compacted.
    using scrivane_format::fixedCompact;
    char line[4 * scrivane_format::formattedLengthBound];
    char *end = line;
    if (psOutput->getColorOutput()) {
        for (int k = 0; k < 3; k++) {
            end = fixedCompact(end, color[k], 2);
            *end++ = ' ';
        }
        end = std::copy_n("gc\n", 3, end);
    } else {
        const double grey = 0.3 * color[0] + 0.59 * color[1] + 0.11 * color[2];
        end = fixedCompact(end, grey, 2);
        end = std::copy_n(" gb\n", 4, end);
    }
    std::fwrite(line, 1, static_cast<size_t>(end - line), out());
}

void SoVectorizePSAction::initWritePixel() {
    hexByteCount = 0;
}

void SoVectorizePSAction::writePixel(unsigned char byte) {
    static const char digits[] = "0123456789ABCDEF";
    FILE *fp = out();
    std::putc(digits[byte >> 4], fp);
    std::putc(digits[byte & 0x0F], fp);
    if (++hexByteCount == 40) {
        std::putc('\n', fp);
        hexByteCount = 0;
    }
}
