// SoHiddenLines on meshes: a cube seen from a corner, two spheres checked edge by edge against
// a brute-force visibility count, and two computations on two threads at once.
#include "HiddenLinesTestSupport.h"
#include <gtest/gtest.h>
#include <map>
#include <set>
#include <thread>

using namespace hltest;

namespace {

struct V3 {
    double x, y, z;
};

// A triangle mesh in normalized coordinates (z = depth, growing away from the observer).
struct Mesh {
    std::vector<V3> v;
    std::vector<std::array<int, 3>> tri;
};

// Rotation about y by ay, then about x by ax, then into normalized coordinates: x and y kept,
// depth = 0.5 - 0.5 * (the coordinate toward the observer).
V3 view(const V3 &p, double ax, double ay) {
    const double x1 = std::cos(ay) * p.x + std::sin(ay) * p.z,
                 z1 = -std::sin(ay) * p.x + std::cos(ay) * p.z;
    const double y2 = std::cos(ax) * p.y - std::sin(ax) * z1,
                 z2 = std::sin(ax) * p.y + std::cos(ax) * z1;
    return {x1, y2, 0.5 - 0.5 * z2};
}

void addMesh(SoHiddenLines &h, const Mesh &m, const SbColor &c) {
    for (const auto &t : m.tri) {
        SbVec4f p[3];
        for (int k = 0; k < 3; k++) {
            const V3 &q = m.v[std::size_t(t[k])];
            p[k] = P(float(q.x), float(q.y), float(q.z));
        }
        h.addPolygon(p, 3, c, 1.0f, 0xFFFF);
    }
}

// A latitude-longitude sphere of radius r about (cx, cy) with 2 * slices * (stacks - 1)
// triangles, turned by ax, ay.
Mesh sphere(int slices, int stacks, double r, double cx, double cy, double ax, double ay) {
    Mesh m;
    const double pi = std::acos(-1.0);
    m.v.push_back(view({0, r, 0}, ax, ay));
    for (int i = 1; i < stacks; i++) {
        const double phi = pi * i / stacks;
        for (int j = 0; j < slices; j++) {
            const double th = 2 * pi * j / slices;
            m.v.push_back(view({r * std::sin(phi) * std::cos(th), r * std::cos(phi),
                                r * std::sin(phi) * std::sin(th)},
                               ax, ay));
        }
    }
    m.v.push_back(view({0, -r, 0}, ax, ay));
    // Kept as floats, as the hidden-line computation receives them.
    for (V3 &p : m.v)
        p = {double(float(p.x + cx)), double(float(p.y + cy)), double(float(p.z))};
    const int south = int(m.v.size()) - 1;
    auto ring = [&](int i, int j) { return 1 + (i - 1) * slices + (j % slices); };
    for (int j = 0; j < slices; j++)
        m.tri.push_back({0, ring(1, j), ring(1, j + 1)});
    for (int i = 1; i + 1 < stacks; i++)
        for (int j = 0; j < slices; j++) {
            m.tri.push_back({ring(i, j), ring(i + 1, j), ring(i + 1, j + 1)});
            m.tri.push_back({ring(i, j), ring(i + 1, j + 1), ring(i, j + 1)});
        }
    for (int j = 0; j < slices; j++)
        m.tri.push_back({south, ring(stacks - 1, j + 1), ring(stacks - 1, j)});
    return m;
}

TEST(HiddenLinesScenes, CubeFromACornerShowsNineEdgesAndThreeDiagonals) {
    const double s = 0.4, ax = 0.5, ay = 0.7;
    std::vector<V3> corner;
    for (int i = 0; i < 8; i++)
        corner.push_back(view({i & 1 ? s : -s, i & 2 ? s : -s, i & 4 ? s : -s}, ax, ay));
    // Faces by corner index (bit 0: x, bit 1: y, bit 2: z), each cut along its a-c diagonal.
    const int faces[6][4] = {{0, 2, 6, 4}, {1, 5, 7, 3}, {0, 4, 5, 1},
                             {2, 3, 7, 6}, {0, 1, 3, 2}, {4, 6, 7, 5}};
    const V3 normals[6] = {{-1, 0, 0}, {1, 0, 0}, {0, -1, 0}, {0, 1, 0}, {0, 0, -1}, {0, 0, 1}};
    SoHiddenLines h;
    std::set<std::pair<int, int>> expected;
    for (int f = 0; f < 6; f++) {
        const int *q = faces[f];
        for (const std::array<int, 3> &t :
             {std::array<int, 3>{q[0], q[1], q[2]}, {q[0], q[2], q[3]}}) {
            SbVec4f p[3];
            for (int k = 0; k < 3; k++)
                p[k] = P(float(corner[t[k]].x), float(corner[t[k]].y), float(corner[t[k]].z));
            h.addPolygon(p, 3, SbColor(0, 0, 0), 1.0f, 0xFFFF);
        }
        // Facing the observer: its normal's depth decreases.
        const V3 n = view(normals[f], ax, ay);
        if (n.z < 0.5) {
            for (int k = 0; k < 4; k++)
                expected.insert({std::min(q[k], q[(k + 1) % 4]), std::max(q[k], q[(k + 1) % 4])});
            expected.insert({std::min(q[0], q[2]), std::max(q[0], q[2])});
        }
    }
    ASSERT_EQ(expected.size(), 12u); // 9 edges and 3 diagonals
    double expectedLength = 0.0;
    for (const auto &e : expected)
        expectedLength += std::hypot(corner[e.first].x - corner[e.second].x,
                                     corner[e.first].y - corner[e.second].y);

    // Everything drawn lies on an expected segment, and the lengths add up: all of them is drawn.
    const std::vector<Line> lines = compute(h);
    EXPECT_NEAR(totalLength(lines), expectedLength, 1e-4);
    for (const Line &l : lines)
        for (std::size_t i = 1; i < l.pts.size(); i++)
            for (double t : {0.0, 0.5, 1.0}) {
                const double x = l.pts[i - 1][0] + t * (l.pts[i][0] - l.pts[i - 1][0]);
                const double y = l.pts[i - 1][1] + t * (l.pts[i][1] - l.pts[i - 1][1]);
                double d = 1e9;
                for (const auto &e : expected)
                    d = std::min(d, distanceToSegment(x, y, corner[e.first].x, corner[e.first].y,
                                                      corner[e.second].x, corner[e.second].y));
                EXPECT_LT(d, 1e-5);
            }
}

// How far (x, y, depth z) lies behind the mesh: the largest distance behind the plane of a
// triangle whose outline holds it strictly inside, measured along the plane's normal; 0 when
// nothing covers it or it is in front of everything that does.
double distanceBehindMesh(const Mesh &m, double x, double y, double z) {
    double behind = 0.0;
    for (const auto &t : m.tri) {
        const V3 &a = m.v[std::size_t(t[0])], &b = m.v[std::size_t(t[1])],
                 &c = m.v[std::size_t(t[2])];
        const double ux = b.x - a.x, uy = b.y - a.y, wx = c.x - a.x, wy = c.y - a.y;
        const double area = ux * wy - uy * wx;
        if (std::fabs(area) < 1e-12) continue;
        const double l1 = ((b.x - x) * (c.y - y) - (b.y - y) * (c.x - x)) / area;
        const double l2 = ((c.x - x) * (a.y - y) - (c.y - y) * (a.x - x)) / area;
        if (l1 <= 1e-9 || l2 <= 1e-9 || 1.0 - l1 - l2 <= 1e-9) continue;
        // Depth of the triangle at (x, y), and the cosine between its normal and the view axis.
        const double zt = l1 * a.z + l2 * b.z + (1.0 - l1 - l2) * c.z;
        const double uz = b.z - a.z, wz = c.z - a.z;
        const double nx = uy * wz - uz * wy, ny = uz * wx - ux * wz, nz = area;
        const double cosine = std::fabs(nz) / std::sqrt(nx * nx + ny * ny + nz * nz);
        behind = std::max(behind, (z - zt) * cosine);
    }
    return behind;
}

// The length of a-b that nothing hides, from samples at the centres of n equal parts.
double sampledVisibleLength(const Mesh &m, const V3 &a, const V3 &b, int n) {
    int seen = 0;
    for (int i = 0; i < n; i++) {
        const double t = (i + 0.5) / n;
        if (distanceBehindMesh(m, a.x + t * (b.x - a.x), a.y + t * (b.y - a.y),
                               a.z + t * (b.z - a.z)) < 1e-6)
            seen++;
    }
    return std::hypot(b.x - a.x, b.y - a.y) * seen / n;
}

// Checks the pieces drawn on the segment a-b (in 3-D, as given): none of its visible length is
// lost, and every drawn point is at most 0.008 behind the mesh. A piece is drawn when its
// midpoint, lifted 0.003 toward the observer, is less than 0.001 behind every face; a piece
// has no piercing inside, so its distance behind a face is linear along it and zero or less at
// its ends, which gives the 0.008 bound. Returns whether a-b is partly visible.
bool checkDrawnOnSegment(const Mesh &m, const V3 &a, const V3 &b,
                         const std::vector<std::array<double, 4>> &drawn, int samples) {
    const double len = std::hypot(b.x - a.x, b.y - a.y);
    double drawnLength = 0.0;
    for (const auto &d : drawn) {
        drawnLength += std::hypot(d[2] - d[0], d[3] - d[1]);
        for (int i = 1; i < 20; i++) { // the ends lie on outlines
            const double x = d[0] + i / 20.0 * (d[2] - d[0]), y = d[1] + i / 20.0 * (d[3] - d[1]);
            const double t = ((x - a.x) * (b.x - a.x) + (y - a.y) * (b.y - a.y)) / (len * len);
            EXPECT_LE(distanceBehindMesh(m, x, y, a.z + t * (b.z - a.z)), 0.008)
                << "drawn point (" << x << ", " << y << ") is hidden";
        }
    }
    const double visible = sampledVisibleLength(m, a, b, samples);
    EXPECT_GE(drawnLength, visible - 3.0 * len / samples)
        << "segment (" << a.x << ", " << a.y << ") - (" << b.x << ", " << b.y
        << ") lost visible length";
    return visible > 0.01 * len && visible < 0.99 * len;
}

TEST(HiddenLinesScenes, SpheresEdgesMatchABruteForceVisibilityCount) {
    // A sphere, and a smaller one in front of it covering part of it.
    Mesh m = sphere(24, 12, 0.6, 0.05, -0.05, 0.4, 0.3);
    const Mesh front = sphere(16, 8, 0.35, -0.3, 0.3, 0.2, 0.9);
    const int offset = int(m.v.size());
    for (const V3 &p : front.v)
        m.v.push_back({p.x, p.y, p.z - 0.3});
    for (const auto &t : front.tri)
        m.tri.push_back({t[0] + offset, t[1] + offset, t[2] + offset});
    SoHiddenLines h;
    addMesh(h, m, SbColor(0, 0, 0));
    // A line through the sphere: in front on the left, inside, out again on the right.
    const V3 la{-0.95, 0.1, 0.0}, lb{0.95, 0.2, 1.0};
    const SbVec4f line[2] = {P(float(la.x), float(la.y), float(la.z)),
                             P(float(lb.x), float(lb.y), float(lb.z))};
    const SbColor lineColor(1, 0, 0);
    h.addPolyline(line, 2, lineColor, 1.0f, 0xFFFF);
    const std::vector<Line> lines = compute(h);

    // Every drawn segment is laid on the mesh edge (or the line) it belongs to.
    std::vector<std::pair<V3, V3>> segments;
    {
        std::set<std::pair<int, int>> unique;
        for (const auto &t : m.tri)
            for (int k = 0; k < 3; k++)
                unique.insert({std::min(t[k], t[(k + 1) % 3]), std::max(t[k], t[(k + 1) % 3])});
        for (const auto &e : unique)
            segments.push_back({m.v[std::size_t(e.first)], m.v[std::size_t(e.second)]});
    }
    const std::size_t lineIndex = segments.size();
    segments.push_back({{double(line[0][0]), double(line[0][1]), double(line[0][2])},
                        {double(line[1][0]), double(line[1][1]), double(line[1][2])}});
    std::vector<std::vector<std::array<double, 4>>> drawn(segments.size());
    int unplaced = 0;
    for (const Line &l : lines)
        for (std::size_t i = 1; i < l.pts.size(); i++) {
            const double px = l.pts[i - 1][0], py = l.pts[i - 1][1], qx = l.pts[i][0],
                         qy = l.pts[i][1];
            std::size_t k = 0;
            for (; k < segments.size(); k++) {
                const V3 &a = segments[k].first, &b = segments[k].second;
                if (distanceToSegment(px, py, a.x, a.y, b.x, b.y) < 1e-5 &&
                    distanceToSegment(qx, qy, a.x, a.y, b.x, b.y) < 1e-5)
                    break;
            }
            if (k == segments.size())
                unplaced++;
            else
                drawn[k].push_back({px, py, qx, qy});
            EXPECT_EQ(l.color == lineColor, k == lineIndex);
        }
    EXPECT_EQ(unplaced, 0);
    int partly = 0;
    for (std::size_t k = 0; k < segments.size(); k++)
        if (checkDrawnOnSegment(m, segments[k].first, segments[k].second, drawn[k],
                                k == lineIndex ? 2000 : 400))
            partly++;
    EXPECT_GT(partly, 20); // the scene does test cutting at outlines
    // The line is cut where it pierces the sphere and where it comes out from behind it.
    EXPECT_LT(totalLength(withColor(lines, lineColor)), std::hypot(lb.x - la.x, lb.y - la.y) - 0.5);
}

// The mesh's triangles with edge flags: an edge shared by two triangles that do not overlap in
// view (their third vertices on opposite sides of the edge) gets `smooth`; the others (the
// outline, where the faces fold over) get 0: not drawn, but still where what hides may change.
void addHidingMesh(SoHiddenLines &h, const Mesh &m, unsigned char smooth) {
    std::map<std::pair<int, int>, std::vector<int>> thirdVertices;
    for (const auto &t : m.tri)
        for (int k = 0; k < 3; k++)
            thirdVertices[{std::min(t[k], t[(k + 1) % 3]), std::max(t[k], t[(k + 1) % 3])}]
                .push_back(t[(k + 2) % 3]);
    auto side = [&](int a, int b, int c) {
        const V3 &p = m.v[std::size_t(a)], &q = m.v[std::size_t(b)], &r = m.v[std::size_t(c)];
        return (q.x - p.x) * (r.y - p.y) - (q.y - p.y) * (r.x - p.x);
    };
    for (const auto &t : m.tri) {
        SbVec4f p[3];
        unsigned char flags[3];
        for (int k = 0; k < 3; k++) {
            const V3 &q = m.v[std::size_t(t[k])];
            p[k] = P(float(q.x), float(q.y), float(q.z));
            const int a = t[k], b = t[(k + 1) % 3];
            const std::vector<int> &third = thirdVertices[{std::min(a, b), std::max(a, b)}];
            flags[k] =
                third.size() == 2 && side(a, b, third[0]) * side(a, b, third[1]) < 0.0 ? smooth : 0;
        }
        h.addPolygon(p, 3, SbColor(0, 0, 0), 1.0f, 0xFFFF, flags);
    }
}

TEST(HiddenLinesScenes, SmoothEdgesLeftOutChangeNothingButTheTime) {
    // A sphere whose edges are all drawn and a line through it, behind a smaller sphere that
    // hides without drawing: its edges given as 0 (cutting what passes behind them) or, where
    // its faces do not fold over, as smooth (left out).
    const Mesh back = sphere(24, 12, 0.6, 0.05, -0.05, 0.4, 0.3);
    Mesh front = sphere(20, 10, 0.4, -0.2, 0.15, 0.2, 0.9);
    for (V3 &p : front.v)
        p.z -= 0.4;
    const SbVec4f line[2] = {P(-0.95f, 0.1f, 0.0f), P(0.95f, 0.2f, 1.0f)};
    const SbColor lineColor(1, 0, 0), meshColor(0, 0, 1);
    std::vector<Line> result[3];
    for (int run = 0; run < 3; run++) {
        SoHiddenLines h;
        h.addPolyline(line, 2, lineColor, 1.0f, 0xFFFF);
        addMesh(h, back, meshColor);
        if (run > 0) addHidingMesh(h, front, run == 1 ? 0 : SoHiddenLines::edgeSmooth);
        result[run] = compute(h);
    }
    // The front sphere hides a good part of the back one and of the line.
    EXPECT_LT(totalLength(result[1]), totalLength(result[0]) - 1.0);
    EXPECT_LT(totalLength(withColor(result[1], lineColor)),
              totalLength(withColor(result[0], lineColor)) - 0.1);
    // Nothing drawn of the front sphere, and the same drawn of the rest either way.
    for (const SbColor &c : {lineColor, meshColor})
        EXPECT_NEAR(totalLength(withColor(result[2], c)), totalLength(withColor(result[1], c)),
                    1e-6);
    EXPECT_NEAR(totalLength(result[2]), totalLength(result[1]), 1e-6);
    // Every point of the lines with the smooth edges left out lies on the lines without.
    for (const Line &drawn : result[2])
        for (const auto &pt : drawn.pts) {
            double d = 1e9;
            for (const Line &l : result[1])
                for (std::size_t i = 1; i < l.pts.size(); i++)
                    d = std::min(d, distanceToSegment(pt[0], pt[1], l.pts[i - 1][0],
                                                      l.pts[i - 1][1], l.pts[i][0], l.pts[i][1]));
            EXPECT_LT(d, 1e-6);
        }
}

void buildScene(SoHiddenLines &h, int variant) {
    if (variant == 0) {
        addMesh(h, sphere(40, 20, 0.8, 0.0, 0.0, 0.3, 0.2), SbColor(0, 0, 1));
        const SbVec4f pl[3] = {P(-0.9f, -0.9f, 0.0f), P(0.0f, 0.9f, 1.0f), P(0.9f, -0.9f, 0.0f)};
        h.addPolyline(pl, 3, SbColor(1, 0, 0), 2.0f, 0xF0F0);
    } else {
        addMesh(h, sphere(30, 30, 0.5, -0.3, 0.2, 0.9, 0.1), SbColor(0, 1, 0));
        addMesh(h, sphere(16, 8, 0.4, 0.4, -0.3, 0.1, 1.2), SbColor(1, 1, 0));
    }
}

bool sameLines(const std::vector<Line> &a, const std::vector<Line> &b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); i++)
        if (a[i].pts != b[i].pts || a[i].color != b[i].color || a[i].width != b[i].width ||
            a[i].pattern != b[i].pattern)
            return false;
    return true;
}

TEST(HiddenLinesScenes, TwoThreadsComputeWhatTwoSequentialRunsCompute) {
    std::vector<Line> sequential[2];
    for (int v = 0; v < 2; v++) {
        SoHiddenLines h;
        buildScene(h, v);
        sequential[v] = compute(h);
    }
    ASSERT_FALSE(sequential[0].empty());
    ASSERT_FALSE(sequential[1].empty());
    ASSERT_FALSE(sameLines(sequential[0], sequential[1]));
    std::vector<Line> concurrent[2][3];
    std::thread workers[2];
    for (int v = 0; v < 2; v++)
        workers[v] = std::thread([v, &concurrent] {
            for (int run = 0; run < 3; run++) {
                SoHiddenLines h;
                buildScene(h, v);
                concurrent[v][run] = compute(h);
            }
        });
    for (std::thread &t : workers)
        t.join();
    for (int v = 0; v < 2; v++)
        for (int run = 0; run < 3; run++)
            EXPECT_TRUE(sameLines(concurrent[v][run], sequential[v]))
                << "scene " << v << " run " << run;
}

} // namespace
