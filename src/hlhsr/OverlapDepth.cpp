#include "OverlapDepth.h"
#include "scrivane/PolyGon.h"
#include <cmath>

namespace scrivane_hlhsr {
namespace {
// Common areas smaller than this (in the page coordinates of the run, where the drawing spans
// about 2 units) are touching edges, not overlaps: a pixel of a fine print is some 1e-5 square.
const double minimumArea = 1e-10;
// Depths closer than this count as equal.
const double depthTolerance = 1e-5;
// A plane whose normal has a smaller depth component is seen edge on.
const double edgeOnNormal = 1e-4;

double signedArea(const float *x, const float *y, int n) {
    double area = 0.0;
    for (int i = 0, j = n - 1; i < n; j = i++)
        area += static_cast<double>(x[j]) * y[i] - static_cast<double>(x[i]) * y[j];
    return 0.5 * area;
}

// Keeps the part of the polygon (x, y) on the left of the directed line p -> q (on the right
// when `right`), into (outX, outY).
void clipByLine(const std::vector<float> &x, const std::vector<float> &y, float px, float py,
                float qx, float qy, bool right, std::vector<float> &outX,
                std::vector<float> &outY) {
    outX.clear();
    outY.clear();
    const size_t n = x.size();
    const double ex = static_cast<double>(qx) - px, ey = static_cast<double>(qy) - py;
    auto side = [&](size_t i) {
        const double s = ex * (y[i] - py) - ey * (x[i] - px);
        return right ? -s : s;
    };
    for (size_t i = 0, j = n - 1; i < n; j = i++) {
        const double sj = side(j), si = side(i);
        if ((sj >= 0.0) != (si >= 0.0)) {
            const double t = sj / (sj - si);
            outX.push_back(static_cast<float>(x[j] + t * (static_cast<double>(x[i]) - x[j])));
            outY.push_back(static_cast<float>(y[j] + t * (static_cast<double>(y[i]) - y[j])));
        }
        if (si >= 0.0) {
            outX.push_back(x[i]);
            outY.push_back(y[i]);
        }
    }
}

} // namespace

bool depthPlaneOf(const PolyGon &g, DepthPlane &plane) {
    double nx = 0.0, ny = 0.0, nz = 0.0, cx = 0.0, cy = 0.0, cz = 0.0;
    const int n = g.getNum();
    for (int i = 0, j = n - 1; i < n; j = i++) {
        const SbVec4f &p = g.getPoint(j), &q = g.getPoint(i);
        nx += (static_cast<double>(p[1]) - q[1]) * (static_cast<double>(p[2]) + q[2]);
        ny += (static_cast<double>(p[2]) - q[2]) * (static_cast<double>(p[0]) + q[0]);
        nz += (static_cast<double>(p[0]) - q[0]) * (static_cast<double>(p[1]) + q[1]);
        cx += q[0];
        cy += q[1];
        cz += q[2];
    }
    const double length = std::sqrt(nx * nx + ny * ny + nz * nz);
    if (!(std::fabs(nz) > edgeOnNormal * length)) return false;
    plane = DepthPlane{cx / n, cy / n, cz / n, -nx / nz, -ny / nz};
    return true;
}

OverlapDepth overlapDepth(const PageShape &a, const DepthPlane *pa, const PageShape &b,
                          const DepthPlane *pb, OverlapScratch &s) {
    if (a.n < 3 || b.n < 3 || !pa || !pb) return OverlapDepth::UNDECIDED;
    s.x.assign(a.x, a.x + a.n);
    s.y.assign(a.y, a.y + a.n);
    const bool clockwise = signedArea(b.x, b.y, b.n) < 0.0;
    for (int i = 0, j = b.n - 1; i < b.n && s.x.size() >= 3; j = i++) {
        clipByLine(s.x, s.y, b.x[j], b.y[j], b.x[i], b.y[i], clockwise, s.clippedX, s.clippedY);
        s.x.swap(s.clippedX);
        s.y.swap(s.clippedY);
    }
    const int n = static_cast<int>(s.x.size());
    if (n < 3 || std::fabs(signedArea(s.x.data(), s.y.data(), n)) < minimumArea)
        return OverlapDepth::APART;
    double nearer = 0.0, deeper = 0.0; // how far b lies in front of, and behind, a
    for (int i = 0; i < n; i++) {
        const double d = pb->at(s.x[i], s.y[i]) - pa->at(s.x[i], s.y[i]);
        if (-d > nearer) nearer = -d;
        if (d > deeper) deeper = d;
    }
    const bool bNearer = nearer > depthTolerance, bDeeper = deeper > depthTolerance;
    if (bNearer && bDeeper) return OverlapDepth::CROSSING;
    if (bDeeper) return OverlapDepth::SECOND_BEHIND;
    if (bNearer) return OverlapDepth::FIRST_BEHIND;
    return OverlapDepth::LEVEL;
}

} // namespace scrivane_hlhsr
