#ifndef SCRIVANE_PS_PSCOORDINATELINE_H
#define SCRIVANE_PS_PSCOORDINATELINE_H
#include "scene/base/SbVec4f.h"
#include <cstdio>

namespace scrivane_ps {

// Compacts a line of numbers in place (see SoVectorizePSAction::pcp079).
void compactNumbers(char *line);

// A line of coordinate pairs on its way to the file. Pairs are appended with "%.2f %.2f";
// once the line has reached the flush length it is compacted and written with a newline,
// otherwise a space separates it from the next pair. A line never exceeds the flush length
// by more than one pair, and a pair is at most 2 x 43 characters ("%.2f" of the largest
// float), so the buffer cannot overflow.
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
    int length = 0;
    char text[512] = {};
};

} // namespace scrivane_ps

#endif
