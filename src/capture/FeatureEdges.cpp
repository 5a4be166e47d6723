// Feature edges of one shape (see FeatureEdges.h).
#include "FeatureEdges.h"
#include <algorithm>
#include <cmath>
#include <cstdint>

namespace scrivane_capture {

namespace {

// A triangle is degenerate when twice its area is at most this times its longest edge squared.
constexpr double degenerateRatio = 1e-7;
// A vertex lies on the plane through an edge and the observer when its distance to it is at
// most this times its distance to the edge's first end.
constexpr double sideRatio = 1e-10;

struct Vec {
    double x, y, z;
};

Vec operator-(const Vec &a, const Vec &b) {
    return {a.x - b.x, a.y - b.y, a.z - b.z};
}
Vec operator*(double s, const Vec &a) {
    return {s * a.x, s * a.y, s * a.z};
}
double dot(const Vec &a, const Vec &b) {
    return a.x * b.x + a.y * b.y + a.z * b.z;
}
Vec cross(const Vec &a, const Vec &b) {
    return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}
double length(const Vec &a) {
    return std::sqrt(dot(a, a));
}

double det3(const Vec &a, const Vec &b, const Vec &c) {
    return dot(a, cross(b, c));
}

// Which side of the plane through the edge a-b and the observer p lies on: +1, -1, or 0 when it
// lies on the plane (within the tolerance). observer is (x, y, z, w), homogeneous.
int sideOf(const Vec &a, const Vec &b, const Vec &p, const double observer[4]) {
    const Vec toward = observer[3] * a - Vec{observer[0], observer[1], observer[2]};
    const Vec m = cross(a - b, toward);
    const Vec ap = p - a;
    const double s = dot(m, ap);
    if (std::fabs(s) <= sideRatio * length(m) * length(ap)) return 0;
    return s > 0.0 ? 1 : -1;
}

} // namespace

double creaseAngleOf(float hintsAngle) {
    if (!(hintsAngle > 0.0f)) return defaultCreaseAngle;
    return static_cast<double>(hintsAngle);
}

void FeatureEdgeShape::begin(double creaseAngle, const SbMatrix &projection) {
    crease = creaseAngle;
    // The observer: the homogeneous eye point that the projection sends to x = y = w = 0, i.e.
    // the vector orthogonal to the projection's x, y and w columns (their generalized cross
    // product: component i is the signed minor of the three columns without row i).
    const int used[3] = {0, 1, 3};
    double c[3][4];
    for (int k = 0; k < 3; k++)
        for (int r = 0; r < 4; r++)
            c[k][r] = projection[r][used[k]];
    double largest = 0.0;
    for (int i = 0; i < 4; i++) {
        int rows[3], n = 0;
        for (int r = 0; r < 4; r++)
            if (r != i) rows[n++] = r;
        const Vec u{c[0][rows[0]], c[0][rows[1]], c[0][rows[2]]};
        const Vec v{c[1][rows[0]], c[1][rows[1]], c[1][rows[2]]};
        const Vec w{c[2][rows[0]], c[2][rows[1]], c[2][rows[2]]};
        observer[i] = (i % 2 == 0 ? 1.0 : -1.0) * det3(u, v, w);
        largest = std::max(largest, std::fabs(observer[i]));
    }
    if (!(largest > 0.0) || !std::isfinite(largest)) {
        for (double &o : observer)
            o = 0.0;
        return;
    }
    for (double &o : observer)
        o /= largest;
}

void FeatureEdgeShape::addTriangle(const double eye[3][3], const SbVec4f clip[3],
                                   const SbColor triangleColors[3]) {
    for (int k = 0; k < 3; k++) {
        // + 0.0 makes -0 into +0: the two are one position.
        for (int j = 0; j < 3; j++)
            eyePoints.push_back(eye[k][j] + 0.0);
        clipPoints.push_back(clip[k]);
        colors.push_back(triangleColors[k]);
    }
}

void FeatureEdgeShape::clear() {
    eyePoints.clear();
    clipPoints.clear();
    colors.clear();
}

void FeatureEdgeShape::classify(std::vector<unsigned char> &flags) const {
    const int triangles = getTriangleCount();
    const int corners = 3 * triangles;
    flags.assign(std::size_t(corners), hiddenEdge);
    auto point = [&](int corner) {
        const double *p = &eyePoints[3 * std::size_t(corner)];
        return Vec{p[0], p[1], p[2]};
    };

    // Vertex numbers: corners at the same position get the same number. Corners with a
    // coordinate that is not a number are left out (their triangles are degenerate).
    std::vector<int> order;
    order.reserve(std::size_t(corners));
    for (int c = 0; c < corners; c++) {
        const Vec p = point(c);
        if (std::isfinite(p.x) && std::isfinite(p.y) && std::isfinite(p.z)) order.push_back(c);
    }
    auto less = [&](int a, int b) {
        const double *p = &eyePoints[3 * std::size_t(a)], *q = &eyePoints[3 * std::size_t(b)];
        if (p[0] != q[0]) return p[0] < q[0];
        if (p[1] != q[1]) return p[1] < q[1];
        return p[2] < q[2];
    };
    std::sort(order.begin(), order.end(), less);
    std::vector<int> vertex(std::size_t(corners), -1);
    int next = 0;
    for (std::size_t k = 0; k < order.size(); k++) {
        if (k > 0 && less(order[k - 1], order[k])) next++;
        vertex[std::size_t(order[k])] = next;
    }

    // The edges of the triangles that have a plane, keyed by their two vertex numbers.
    struct EdgeUse {
        std::uint64_t key;
        int corner; // 3 * triangle + i: the edge from vertex i to vertex i + 1
    };
    std::vector<EdgeUse> uses;
    uses.reserve(std::size_t(corners));
    for (int t = 0; t < triangles; t++) {
        const int *v = &vertex[3 * std::size_t(t)];
        if (v[0] < 0 || v[1] < 0 || v[2] < 0 || v[0] == v[1] || v[1] == v[2] || v[2] == v[0])
            continue;
        const Vec a = point(3 * t), b = point(3 * t + 1), c = point(3 * t + 2);
        const double longest = std::max({dot(b - a, b - a), dot(c - b, c - b), dot(a - c, a - c)});
        if (!(length(cross(b - a, c - a)) > degenerateRatio * longest)) continue;
        for (int i = 0; i < 3; i++) {
            const std::uint64_t p = std::uint32_t(v[i]), q = std::uint32_t(v[(i + 1) % 3]);
            uses.push_back({std::min(p, q) << 32 | std::max(p, q), 3 * t + i});
        }
    }
    std::sort(uses.begin(), uses.end(), [](const EdgeUse &u, const EdgeUse &w) {
        return u.key != w.key ? u.key < w.key : u.corner < w.corner;
    });

    const double creaseLimit = std::max(crease, minimumCreaseAngle);
    for (std::size_t k = 0; k < uses.size();) {
        std::size_t end = k + 1;
        while (end < uses.size() && uses[end].key == uses[k].key)
            end++;
        unsigned char flag = drawnEdge; // a border of one triangle, or a seam of more than two
        if (end - k == 2) {
            const int c1 = uses[k].corner, c2 = uses[k + 1].corner;
            const int t1 = c1 / 3, i1 = c1 % 3, t2 = c2 / 3, i2 = c2 % 3;
            const Vec a = point(c1), b = point(3 * t1 + (i1 + 1) % 3);
            const Vec p = point(3 * t1 + (i1 + 2) % 3), q = point(3 * t2 + (i2 + 2) % 3);
            // The planes' normals as if the two triangles ran a -> b -> p and b -> a -> q: equal
            // directions for a flat pair, whichever way the triangles themselves run.
            const Vec n1 = cross(b - a, p - a), n2 = cross(a - b, q - b);
            const double angle = std::atan2(length(cross(n1, n2)), dot(n1, n2));
            bool feature = angle > creaseLimit;
            if (!feature) {
                // One triangle toward the observer and one away: both third vertices on one side of
                // the plane through the edge and the observer, so that the two overlap in view.
                // A triangle seen edge on (its vertex on that plane) next to one that is not makes
                // a silhouette too; two seen edge on do not.
                const int sp = sideOf(a, b, p, observer), sq = sideOf(a, b, q, observer);
                feature = sp * sq > 0 || (sp == 0) != (sq == 0);
            }
            flag = feature ? drawnEdge : smoothEdge;
        }
        for (std::size_t m = k; m < end; m++)
            flags[std::size_t(uses[m].corner)] = flag;
        k = end;
    }
}

} // namespace scrivane_capture
