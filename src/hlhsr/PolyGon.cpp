// The stored polygon: observer-oriented normal, page tests, and the cut along another polygon's
// plane that the painter uses for interpenetrating faces and cycles.
#include "scrivane/PolyGon.h"
#include <algorithm>
#include <cmath>
#include <vector>
#include "scrivane/SoHLHSRVectorize.h"

void PolyGon::setValue(int n, const SbVec4f *newPoints, const SbColor *newColors, int multi, float width,
                       float size, unsigned short pattern, Style drawStyle, SbString category, SbString name,
                       const unsigned char *bits) {
    copyPoints(n, newPoints, newColors);
    multiColor = multi;
    lineWidth = width;
    pointSize = size;
    linePattern = pattern;
    style = drawStyle;
    computeZMinZMaxBBox();
    computeObserverOrientedNormal();
    flatOnPage = isFlatOnPage();
    patternCategory = category;
    patternName = name;
    patternBits = bits;
}

// The normal of the first three points; when it points away from the observer (positive z) the
// points after the first are reversed so that it faces the observer. The colours stay where they
// are: a filled polygon is printed in its first colour, which stays with the first point.
void PolyGon::computeObserverOrientedNormal() {
    if (num <= 2) return;
    const SbVec3f p0(points[0][0], points[0][1], points[0][2]);
    const SbVec3f p1(points[1][0], points[1][1], points[1][2]);
    const SbVec3f p2(points[2][0], points[2][1], points[2][2]);
    normal = (p1 - p0).cross(p2 - p0);
    normal.normalize();
    if (normal[2] > 0.0f) {
        for (int i = 1, j = num - 1; i < j; i++, j--) {
            const SbVec4f t = points[i];
            points[i] = points[j];
            points[j] = t;
        }
        normal = -normal;
    }
}

void PolyGon::print(SoHLHSRVectorize *driver) {
    switch (style) {
    case FILLED:
        driver->printPolygon(points, num, colors, patternCategory, patternName, patternBits);
        break;
    case LINES:
        driver->printPolyLine(points, num, colors, multiColor, lineWidth, linePattern);
        break;
    case POINTS:
        driver->printPolyMark(points, num, colors, multiColor, pointSize, nullptr);
        break;
    }
}

bool PolyGon::isFlatOnPage() const {
    double twiceArea = 0.0, longestEdge = 0.0;
    const SbVec4f &o = points[0];
    for (int i = 0; i < num; i++) {
        const SbVec4f &a = points[i], &b = points[i + 1 < num ? i + 1 : 0];
        twiceArea += (static_cast<double>(a[0]) - o[0]) * (static_cast<double>(b[1]) - o[1]) -
                     (static_cast<double>(a[1]) - o[1]) * (static_cast<double>(b[0]) - o[0]);
        longestEdge = std::max(longestEdge, std::hypot(static_cast<double>(b[0]) - a[0],
                                                       static_cast<double>(b[1]) - a[1]));
    }
    return std::fabs(twiceArea) <= 2e-7 * longestEdge;
}

double PolyGon::getAreaXY() const {
    double sum = 0.0;
    for (int i = 0; i + 1 < num; i++)
        sum += static_cast<double>(points[i][0]) * points[i + 1][1] - static_cast<double>(points[i + 1][0]) * points[i][1];
    return std::fabs(sum);
}

bool PolyGon::isPointInnerXYPlane(const SbVec2f &p) const {
    if (num < 3) return false;
    float reference = 0.0f;
    for (int i = 0; i < num; i++) {
        const SbVec4f &a = points[i], &b = points[(i + 1) % num];
        const float ex = b[0] - a[0], ey = b[1] - a[1];
        const float s = -ey * (p[0] - a[0]) + ex * (p[1] - a[1]);
        if (i == 0)
            reference = s;
        else if (s * reference <= 0.0f)
            return false;
    }
    return true;
}

namespace {
// The points of one side of a cut, each with its colour.
struct CutSide {
    std::vector<SbVec4f> points;
    std::vector<SbColor> colors;
    void append(const SbVec4f &p, const SbColor &c) {
        points.push_back(p);
        colors.push_back(c);
    }
    // Appends unless a point with the same x, y and z is already there.
    void add(const SbVec4f &p, const SbColor &c) {
        for (const SbVec4f &q : points)
            if (q[0] == p[0] && q[1] == p[1] && q[2] == p[2]) return;
        append(p, c);
    }
};

double signedDistance(const SbVec3f &n, double h, const SbVec4f &x) {
    return static_cast<double>(n[0]) * x[0] + static_cast<double>(n[1]) * x[1] + static_cast<double>(n[2]) * x[2] - h;
}
} // namespace

int PolyGon::cutByPlane(const PolyGon *cutter, PolyGon *&front, PolyGon *&back) const {
    const SbVec3f &n = cutter->normal;
    const SbVec4f &q0 = cutter->points[0];
    const double h = static_cast<double>(n[0]) * q0[0] + static_cast<double>(n[1]) * q0[1] +
                     static_cast<double>(n[2]) * q0[2];
    return cutByPlane(n, h, front, back);
}

int PolyGon::cutByPlane(const SbVec3f &n, double h, PolyGon *&front, PolyGon *&back) const {
    CutSide f, k;
    f.points.reserve(static_cast<size_t>(2 * num));
    k.points.reserve(static_cast<size_t>(2 * num));
    int crossings = 0;
    for (int i = 0; i < num && crossings < 3; i++) {
        const int j = (i + 1) % num;
        const SbVec4f &pi = points[i], &pj = points[j];
        const SbColor ci = multiColor ? colors[i] : colors[0];
        const SbColor cj = multiColor ? colors[j] : colors[0];
        const double si = signedDistance(n, h, pi), sj = signedDistance(n, h, pj);
        if (si * sj > 0.0) {
            (si > 0.0 ? f : k).append(pi, ci);
            continue;
        }
        crossings++;
        SbVec4f x;
        SbColor cx;
        if (si * sj < 0.0) {
            SbVec3f dir(pj[0] - pi[0], pj[1] - pi[1], pj[2] - pi[2]);
            const float length = dir.normalize();
            const double along = static_cast<double>(n[0]) * dir[0] + static_cast<double>(n[1]) * dir[1] +
                                 static_cast<double>(n[2]) * dir[2];
            if (std::fabs(along) < 0.0001) return 0;
            const double t = -si / along;
            x.setValue(static_cast<float>(pi[0] + dir[0] * t), static_cast<float>(pi[1] + dir[1] * t),
                       static_cast<float>(pi[2] + dir[2] * t), 1.0f);
            // A flat polygon's parts keep its colour exactly; interpolating would change its last bits.
            const float u = length > 0.0f ? static_cast<float>(t / length) : 0.0f;
            cx = multiColor ? SbColor(ci * (1.0f - u) + cj * u) : colors[0];
        } else {
            const bool atI = std::fabs(sj) > std::fabs(si);
            x = atI ? pi : pj;
            x[3] = 1.0f;
            cx = atI ? ci : cj;
        }
        if (si > 0.0) {
            f.add(pi, ci);
            f.add(x, cx);
            k.add(x, cx);
        } else {
            k.add(pi, ci);
            k.add(x, cx);
            f.add(x, cx);
        }
    }
    if (crossings != 2 || f.points.size() < 3 || k.points.size() < 3) return 0;
    front = new PolyGon;
    front->setValue(static_cast<int>(f.points.size()), f.points.data(), f.colors.data(), multiColor, lineWidth,
                    pointSize, linePattern, style, patternCategory, patternName, patternBits);
    back = new PolyGon;
    back->setValue(static_cast<int>(k.points.size()), k.points.data(), k.colors.data(), multiColor, lineWidth,
                   pointSize, linePattern, style, patternCategory, patternName, patternBits);
    // The parts lie in this polygon's plane: its normal is exact for them, where the first three
    // points of a thin part would give a rough one.
    front->normal = normal;
    back->normal = normal;
    return 1;
}
