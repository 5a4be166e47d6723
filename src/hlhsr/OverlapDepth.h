// Which of two polygons lies behind the other where they overlap on the page: the exact answer
// the painter's ordering needs, from the region they share rather than from their planes alone.
#ifndef SCRIVANE_HLHSR_OVERLAPDEPTH_H
#define SCRIVANE_HLHSR_OVERLAPDEPTH_H
#include "PagePoints.h"
#include <vector>

class PolyGon;

namespace scrivane_hlhsr {

enum class OverlapDepth {
    APART,         // no area in common on the page
    LEVEL,         // the same depth all over the common area
    FIRST_BEHIND,  // the first lies behind the second all over the common area
    SECOND_BEHIND, // the second lies behind the first
    CROSSING,      // they pass through one another within the common area
    UNDECIDED      // a plane seen edge on: no depth can be read off it
};

// Scratch space for the common area, reused from pair to pair.
struct OverlapScratch {
    std::vector<float> x, y, clippedX, clippedY;
};

// a and b are the page shapes of the convex polygons ga and gb.
OverlapDepth overlapDepth(const PageShape &a, const PolyGon &ga, const PageShape &b,
                          const PolyGon &gb, OverlapScratch &scratch);

} // namespace scrivane_hlhsr

#endif
