#ifndef SCRIVANE_PS_PSCOORDINATELINE_H
#define SCRIVANE_PS_PSCOORDINATELINE_H
#include "scene/base/SbVec4f.h"
#include <cstdio>

namespace scrivane_ps {

// Compacts a line of numbers in place (see SoVectorizePSAction::pcp079).
void compactNumbers(char *line);

// A line of coordinate pairs on its way to the file. Pairs are appended as "%.2f %.2f" would
// write them; once the line has reached the flush length (counted on those full texts) it is
// written with a newline, otherwise a space separates it from the next pair. What is written is
// the line compacted (compactNumbers), which the line does as it goes: each number that a space
// follows loses its trailing zeros, so the last number keeps its zeros only on a line written
// because it reached the flush length (flush() drops the space that would follow). A line never
// exceeds the flush length by more than one pair, and a pair is at most 2 x 43 characters
// ("%.2f" of the largest float), so the buffer cannot overflow.
class CoordinateLine {
public:
    CoordinateLine(FILE *fp, int flushLength) : fp(fp), flushLength(flushLength) {}
    void append(const SbVec4f &point);
    // Writes what the line holds (compacted, with a newline); nothing when it is empty.
    void flush();
    bool isEmpty() const { return length == 0; }

private:
    FILE *fp;
    int flushLength;
    // Length of the line as "%.2f %.2f" pairs and spaces would make it, and of the compacted
    // text.
    int fullLength = 0;
    int length = 0;
    char text[512] = {};
};

} // namespace scrivane_ps

#endif
