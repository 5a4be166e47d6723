#include "OverlapDepth.h"
#include "scrivane/PolyGon.h"
#include <algorithm>
#include <cmath>

namespace scrivane_hlhsr {
namespace {
// Common areas smaller than this (in the page coordinates of the run, where the drawing spans
// about 2 units) are touching edges, not overlaps: a pixel of a fine print is some 1e-5 square.
const double minimumArea = 1e-10;
// Regions closer than this on the page are taken to touch: no line is drawn between them.
const double minimumGap = 1e-7;
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

bool commonArea(const PageShape &a, const PageShape &b, OverlapScratch &s) {
    s.x.assign(a.x, a.x + a.n);
    s.y.assign(a.y, a.y + a.n);
    const bool clockwise = signedArea(b.x, b.y, b.n) < 0.0;
    for (int i = 0, j = b.n - 1; i < b.n && s.x.size() >= 3; j = i++) {
        clipByLine(s.x, s.y, b.x[j], b.y[j], b.x[i], b.y[i], clockwise, s.clippedX, s.clippedY);
        s.x.swap(s.clippedX);
        s.y.swap(s.clippedY);
    }
    const int n = static_cast<int>(s.x.size());
    return n >= 3 && std::fabs(signedArea(s.x.data(), s.y.data(), n)) >= minimumArea;
}

namespace {
void projectionRange(const std::vector<float> &x, const std::vector<float> &y, double a, double b,
                     double &low, double &high) {
    low = high = a * x[0] + b * y[0];
    for (size_t i = 1; i < x.size(); i++) {
        const double p = a * x[i] + b * y[i];
        low = std::min(low, p);
        high = std::max(high, p);
    }
}
} // namespace

bool separatingLine(const std::vector<float> &x1, const std::vector<float> &y1,
                    const std::vector<float> &x2, const std::vector<float> &y2, double &a,
                    double &b, double &c) {
    double gap = minimumGap;
    // The normals of both regions' edges are the directions across the gap to try.
    auto tryEdgesOf = [&](const std::vector<float> &ex, const std::vector<float> &ey) {
        for (size_t i = 0, j = ex.size() - 1; i < ex.size(); j = i++) {
            const double dx = static_cast<double>(ex[i]) - ex[j];
            const double dy = static_cast<double>(ey[i]) - ey[j];
            const double length = std::hypot(dx, dy);
            if (length == 0.0) continue;
            // Rounded to the single precision the cut will use, so that c is exact for it.
            const double na = static_cast<float>(-dy / length),
                         nb = static_cast<float>(dx / length);
            double low1, high1, low2, high2;
            projectionRange(x1, y1, na, nb, low1, high1);
            projectionRange(x2, y2, na, nb, low2, high2);
            if (low2 - high1 > gap) {
                gap = low2 - high1;
                a = na, b = nb, c = 0.5 * (low2 + high1);
            }
            if (low1 - high2 > gap) {
                gap = low1 - high2;
                a = -na, b = -nb, c = -0.5 * (low1 + high2);
            }
        }
    };
    tryEdgesOf(x1, y1);
    tryEdgesOf(x2, y2);
    return gap > minimumGap;
}

OverlapDepth overlapDepth(const PageShape &a, const DepthPlane *pa, const PageShape &b,
                          const DepthPlane *pb, OverlapScratch &s) {
    if (a.n < 3 || b.n < 3 || !pa || !pb) return OverlapDepth::UNDECIDED;
    if (!commonArea(a, b, s)) return OverlapDepth::APART;
    const int n = static_cast<int>(s.x.size());
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
