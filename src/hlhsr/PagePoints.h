// What the painter's "can these two overlap on the page" test reads of a primitive: its page
// box, whether it is a polygon, and the x, y of its points. The pair scan reads them for every
// pair, so the page grid keeps them once per primitive instead of asking the primitive each time.
#ifndef SCRIVANE_HLHSR_PAGEPOINTS_H
#define SCRIVANE_HLHSR_PAGEPOINTS_H
#include <vector>
#include "scrivane/Primitive.h"

namespace scrivane_hlhsr {

struct PageShape {
    const Primitive *primitive;
    SbBox2f box;
    bool polygon;
    int n;
    const float *x, *y;
};

// The page shape of p, with its coordinates appended to xs and ys (which must not grow again
// while the shape is in use).
PageShape pageShapeOf(const Primitive *p, std::vector<float> &xs, std::vector<float> &ys);

// SoPainter::isEqual on page shapes.
bool cannotOverlap(const PageShape &a, const PageShape &b);

} // namespace scrivane_hlhsr

#endif
