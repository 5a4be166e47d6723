// Set bits as rectangles, a polygon cut to a box, and the writers that draw marker bitmaps and
// fill patterns that way below version 3 (where a cell array or a pattern table would paint
// the clear bits too, hiding what lies under them).
#include "output/cgm/CGMSetBits.h"
#include "output/cgm/CGMBinaryEncoder.h"
#include "output/cgm/CGMClearText.h"
#include "scrivane/SoVectorizeCGMAction.h"
#include <cmath>

namespace CGMSetBits {

std::vector<CellRectangle> rectangles(int columns, int rows,
                                      const std::function<bool(int column, int row)> &isSet) {
    std::vector<CellRectangle> done;
    // Rectangles still open: they reach the previous row. Both lists are ordered by column.
    std::vector<CellRectangle> open, next;
    for (int row = 0; row < rows; row++) {
        next.clear();
        size_t k = 0;
        int column = 0;
        while (column < columns) {
            if (!isSet(column, row)) {
                column++;
                continue;
            }
            const int start = column;
            while (column < columns && isSet(column, row))
                column++;
            // Rectangles of the previous row that end before this run are finished.
            while (k < open.size() && open[k].column0 < start)
                done.push_back(open[k++]);
            if (k < open.size() && open[k].column0 == start && open[k].column1 == column) {
                CellRectangle grown = open[k++];
                grown.row1 = row + 1;
                next.push_back(grown);
            } else {
                next.push_back({start, column, row, row + 1});
            }
        }
        while (k < open.size())
            done.push_back(open[k++]);
        open.swap(next);
    }
    done.insert(done.end(), open.begin(), open.end());
    return done;
}

namespace {
struct Point {
    double x, y;
};

// Keeps the part of a closed polygon on the inner side of one box side: axis 0 cuts at x,
// axis 1 at y; keepAbove keeps the coordinates at or above the limit.
std::vector<Point> cut(const std::vector<Point> &in, int axis, double limit, bool keepAbove) {
    std::vector<Point> result;
    const size_t n = in.size();
    auto value = [&](const Point &p) { return axis == 0 ? p.x : p.y; };
    auto inside = [&](const Point &p) { return keepAbove ? value(p) >= limit : value(p) <= limit; };
    for (size_t i = 0; i < n; i++) {
        const Point &a = in[i], &b = in[(i + 1) % n];
        const bool aIn = inside(a), bIn = inside(b);
        if (aIn) result.push_back(a);
        if (aIn != bIn) {
            const double t = (limit - value(a)) / (value(b) - value(a));
            Point crossing{a.x + t * (b.x - a.x), a.y + t * (b.y - a.y)};
            if (axis == 0)
                crossing.x = limit;
            else
                crossing.y = limit;
            result.push_back(crossing);
        }
    }
    return result;
}
} // namespace

std::vector<SbVec4f> clipToBox(const SbVec4f *points, int n, float x0, float y0, float x1,
                               float y1) {
    std::vector<Point> polygon;
    for (int i = 0; i < n; i++)
        polygon.push_back({points[i][0], points[i][1]});
    polygon = cut(polygon, 0, x0, true);
    polygon = cut(polygon, 0, x1, false);
    polygon = cut(polygon, 1, y0, true);
    polygon = cut(polygon, 1, y1, false);
    std::vector<SbVec4f> result;
    for (const Point &p : polygon) {
        const SbVec4f v(static_cast<float>(p.x), static_cast<float>(p.y), 0.0f, 1.0f);
        if (result.empty() || !(result.back()[0] == v[0] && result.back()[1] == v[1]))
            result.push_back(v);
    }
    while (result.size() > 1 && result.back()[0] == result.front()[0] &&
           result.back()[1] == result.front()[1])
        result.pop_back();
    double area = 0.0;
    for (size_t i = 0; i < result.size(); i++) {
        const SbVec4f &a = result[i], &b = result[(i + 1) % result.size()];
        area += static_cast<double>(a[0]) * b[1] - static_cast<double>(b[0]) * a[1];
    }
    // A piece that only touches the box along a side has no area, up to rounding.
    const double boxArea = (static_cast<double>(x1) - x0) * (static_cast<double>(y1) - y0);
    if (result.size() < 3 || !(std::fabs(area) / 2.0 > 1e-9 * boxArea)) result.clear();
    return result;
}

} // namespace CGMSetBits

// The pieces are joined into one POLYGON: each piece closes on its own first point and then
// returns to the polygon's first point, and these there-and-back joins enclose no area, so the
// even-odd fill is exactly the pieces. One polygon rather than one per piece keeps the output
// small, and readers that smooth edges draw no seams where two pieces meet. A polygon is ended
// before it passes 4000 points (32000 bytes of binary points), so that no element needs a
// second partition, which some readers mishandle.
void SoVectorizeCGMAction::writeSetBits(const std::vector<BitRectangle> &rectangles, int index,
                                        const SbColor &color, const SbVec4f *within, int n,
                                        int *styleWritten) {
    const size_t maxPoints = 4000;
    std::vector<SbVec4f> path;
    auto flush = [&]() {
        // The last return to the first point is the polygon's own closing edge.
        while (path.size() > 1 && path.back()[0] == path[0][0] && path.back()[1] == path[0][1])
            path.pop_back();
        if (path.size() < 3) {
            path.clear();
            return;
        }
        if (!*styleWritten) {
            *styleWritten = 1;
            if (binary())
                bin().Pintstyle(1);
            else
                CGMClearText::intstyle(out(), 0);
        }
        if (colorChanged(fillColorIndex, fillColor, index, color)) {
            if (binary())
                bin().Pfillcolr(index, color);
            else
                CGMClearText::colr(out(), "FILLCOLR", indexed(), index, color);
        }
        const int count = static_cast<int>(path.size());
        if (binary())
            bin().Ppolygon(count, path.data());
        else
            CGMClearText::polygon(out(), count, path.data(), placement());
        path.clear();
    };
    for (const BitRectangle &r : rectangles) {
        std::vector<SbVec4f> piece;
        if (within) {
            piece = CGMSetBits::clipToBox(within, n, r.x0, r.y0, r.x1, r.y1);
            if (piece.empty()) continue;
        } else {
            piece = {SbVec4f(r.x0, r.y0, 0, 1), SbVec4f(r.x1, r.y0, 0, 1),
                     SbVec4f(r.x1, r.y1, 0, 1), SbVec4f(r.x0, r.y1, 0, 1)};
        }
        if (!path.empty() && path.size() + piece.size() + 2 > maxPoints) flush();
        const int joined = !path.empty();
        const SbVec4f first = joined ? path[0] : piece[0];
        path.insert(path.end(), piece.begin(), piece.end());
        path.push_back(piece[0]);
        if (joined) path.push_back(first);
    }
    flush();
}

// The pattern is tiled from the drawing's origin, one bit per pixel image size, rows from the
// bottom up (the first four pattern bytes are the bottom row), as the PostScript writer tiles
// it. The bits of the cells that the polygon's box covers are gathered into rectangles, and
// each rectangle is filled where it overlaps the polygon.
int SoVectorizeCGMAction::printPatternSetBits(const SbVec4f *points, int n, int index,
                                              const SbColor &color,
                                              const unsigned char *patternBits) {
    // Beyond this many cells in the polygon's box the tiling is not worth its output.
    const double maxCells = 4194304.0;
    const double pixel = getPixelImageSize(MILLIMETER);
    if (!(pixel > 0.0) || !std::isfinite(pixel)) return 0;
    double xmin = points[0][0], xmax = xmin, ymin = points[0][1], ymax = ymin;
    for (int i = 1; i < n; i++) {
        xmin = std::fmin(xmin, points[i][0]);
        xmax = std::fmax(xmax, points[i][0]);
        ymin = std::fmin(ymin, points[i][1]);
        ymax = std::fmax(ymax, points[i][1]);
    }
    const double c0 = std::floor(xmin / pixel), c1 = std::ceil(xmax / pixel);
    const double r0 = std::floor(ymin / pixel), r1 = std::ceil(ymax / pixel);
    if (!std::isfinite(c0) || !std::isfinite(c1) || !std::isfinite(r0) || !std::isfinite(r1))
        return 0;
    if ((c1 - c0) * (r1 - r0) > maxCells) return 0;
    const int columns = static_cast<int>(c1 - c0), rows = static_cast<int>(r1 - r0);
    const long long firstColumn = static_cast<long long>(c0), firstRow = static_cast<long long>(r0);
    auto isSet = [&](int column, int row) {
        const int x = static_cast<int>(((firstColumn + column) % 32 + 32) % 32);
        const int y = static_cast<int>(((firstRow + row) % 32 + 32) % 32);
        return ((patternBits[y * 4 + x / 8] >> (7 - x % 8)) & 1) != 0;
    };
    std::vector<BitRectangle> rectangles;
    for (const CGMSetBits::CellRectangle &r : CGMSetBits::rectangles(columns, rows, isSet))
        rectangles.push_back({static_cast<float>((c0 + r.column0) * pixel),
                              static_cast<float>((r0 + r.row0) * pixel),
                              static_cast<float>((c0 + r.column1) * pixel),
                              static_cast<float>((r0 + r.row1) * pixel)});
    int styleWritten = 0;
    writeSetBits(rectangles, index, color, points, n, &styleWritten);
    return 1;
}
