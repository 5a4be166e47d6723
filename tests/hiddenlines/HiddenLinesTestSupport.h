// Helpers of the hidden-line tests: points in normalized coordinates, the result copied into
// plain vectors, and measures over it.
#ifndef SCRIVANE_TESTS_HIDDENLINESTESTSUPPORT_H
#define SCRIVANE_TESTS_HIDDENLINESTESTSUPPORT_H
#include "scrivane/SoHiddenLines.h"
#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

namespace hltest {

inline SbVec4f P(float x, float y, float z) {
    return SbVec4f(x, y, z, 1.0f);
}

struct Line {
    std::vector<std::array<float, 2>> pts;
    SbColor color;
    float width = 0.0f;
    unsigned short pattern = 0;

    double length() const {
        double s = 0.0;
        for (std::size_t i = 1; i < pts.size(); i++)
            s += std::hypot(double(pts[i][0]) - pts[i - 1][0], double(pts[i][1]) - pts[i - 1][1]);
        return s;
    }
    // The end points, the one with the smaller x (then y) first.
    std::array<float, 4> ends() const {
        std::array<float, 2> a = pts.front(), b = pts.back();
        if (b < a) std::swap(a, b);
        return {a[0], a[1], b[0], b[1]};
    }
};

// Runs the computation and copies the result; also checks that every returned point has
// z = w = 0 and that the count matches.
inline std::vector<Line> compute(SoHiddenLines &h, bool *zwZero = nullptr) {
    int count = -1;
    SoHiddenLines::Polyline *r = h.computeHiddenLines(count);
    std::vector<Line> out;
    bool ok = r != nullptr && count >= 0;
    for (int i = 0; ok && i < count; i++) {
        Line l;
        for (int k = 0; k < r[i].num; k++) {
            l.pts.push_back({r[i].points[k][0], r[i].points[k][1]});
            if (r[i].points[k][2] != 0.0f || r[i].points[k][3] != 0.0f) ok = false;
        }
        l.color = r[i].color;
        l.width = r[i].lineWidth;
        l.pattern = r[i].linePattern;
        out.push_back(l);
    }
    delete[] r;
    if (zwZero != nullptr) *zwZero = ok;
    return out;
}

inline std::vector<Line> withColor(const std::vector<Line> &lines, const SbColor &c) {
    std::vector<Line> out;
    for (const Line &l : lines)
        if (l.color == c) out.push_back(l);
    return out;
}

inline double totalLength(const std::vector<Line> &lines) {
    double s = 0.0;
    for (const Line &l : lines)
        s += l.length();
    return s;
}

// Distance from (x, y) to the segment a-b.
inline double distanceToSegment(double x, double y, double ax, double ay, double bx, double by) {
    const double dx = bx - ax, dy = by - ay, len2 = dx * dx + dy * dy;
    double t = len2 > 0.0 ? ((x - ax) * dx + (y - ay) * dy) / len2 : 0.0;
    t = std::max(0.0, std::min(1.0, t));
    return std::hypot(x - (ax + t * dx), y - (ay + t * dy));
}

} // namespace hltest

#endif
