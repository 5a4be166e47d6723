#include "output/LinePatternRuns.h"

int linePatternRuns(unsigned short pattern, int runs[16]) {
    if (pattern == 0) return 0;
    unsigned bits = pattern;
    while ((bits & 1u) == 0) bits >>= 1;
    int count = 0;
    int previous = -1;
    for (int i = 0; i < 16; i++) {
        int bit = static_cast<int>((bits >> i) & 1u);
        if (bit != previous) runs[count++] = 0;
        runs[count - 1]++;
        previous = bit;
    }
    return count;
}
