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

// The plane of a polygon as depth = z0 + gx (x - x0) + gy (y - y0), from the normal that Newell's
// sums give over all its points in double precision: the normal of the first three points of a
// long thin triangle is too rough to tell depths apart far from them.
struct DepthPlane {
    double x0, y0, z0, gx, gy;
    double at(double x, double y) const { return z0 + gx * (x - x0) + gy * (y - y0); }
};

// False for a polygon seen edge on, whose plane gives no depth on the page.
bool depthPlaneOf(const PolyGon &g, DepthPlane &plane);

// Scratch space for the common area, reused from pair to pair.
struct OverlapScratch {
    std::vector<float> x, y, clippedX, clippedY;
};

// The area a and b have in common on the page (convex polygons), left in scratch.x, scratch.y;
// false when it is too small to be an overlap.
bool commonArea(const PageShape &a, const PageShape &b, OverlapScratch &scratch);

// A line a x + b y = c (a, b a unit normal) between two convex regions on the page that do not
// overlap, with the first on its negative side and the second on its positive side, halfway
// across the widest gap between them; false when no line leaves them apart.
bool separatingLine(const std::vector<float> &x1, const std::vector<float> &y1,
                    const std::vector<float> &x2, const std::vector<float> &y2, double &a,
                    double &b, double &c);

// a and b are the page shapes of two convex polygons, pa and pb their planes (null for a
// polygon seen edge on: UNDECIDED).
OverlapDepth overlapDepth(const PageShape &a, const DepthPlane *pa, const PageShape &b,
                          const DepthPlane *pb, OverlapScratch &scratch);

} // namespace scrivane_hlhsr

#endif
