#ifndef SCRIVANE_CGMSETBITS_H
#define SCRIVANE_CGMSETBITS_H
// The geometry of drawing only the set bits of a bitmap (a marker, a tiled fill pattern), for
// metafile versions that have no transparent cells: the set cells gathered into rectangles,
// and a polygon cut to a rectangle.
#include "scene/base/SbVec4f.h"
#include <functional>
#include <vector>

namespace CGMSetBits {

// Cells [column0, column1) x [row0, row1) of a grid.
struct CellRectangle {
    int column0, column1, row0, row1;
};

// The set cells of a columns x rows grid as rectangles: each row's runs of set cells, a run
// carried on into the next row while that row has the very same run. Every set cell lies in
// exactly one rectangle and no clear cell in any.
std::vector<CellRectangle> rectangles(int columns, int rows,
                                      const std::function<bool(int column, int row)> &isSet);

// The part of a polygon (x and y of n points; z and w are ignored) inside the box [x0, x1] x
// [y0, y1], cut edge by edge. Points inside the box keep the fill of the polygon under both
// the even-odd and the winding rule, since only parts outside the box are replaced, by
// stretches of its sides. Repeated points are dropped; fewer than three points or no area
// give an empty result.
std::vector<SbVec4f> clipToBox(const SbVec4f *points, int n, float x0, float y0, float x1,
                               float y1);

} // namespace CGMSetBits

#endif
