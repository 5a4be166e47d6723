// The stored primitives and their lists (growth, depth and grid sorts, a polygon's orientation,
// page tests and cut), and the painter: pair tests, cuts of crossing faces, cycles, and the
// spatial index giving the result of the full scan. Points are normalized projection coordinates.
#include "RecordingAction.h"
#include "scrivane/PiPList.h"
#include "scrivane/PolyGon.h"
#include "scrivane/PolyLine.h"
#include "scrivane/PolyMark.h"
#include "scrivane/PrimitiveList.h"
#include "scrivane/SoHLHSRVectorize.h"
#include "scrivane/SoPainter.h"
#include <cmath>
#include <cstdint>
#include <gtest/gtest.h>
#include <memory>
#include <vector>

namespace {

const SbColor red(1, 0, 0), green(0, 1, 0), blue(0, 0, 1);

PolyGon *polygon(const std::vector<SbVec3f> &points, const SbColor &color = red) {
    std::vector<SbVec4f> p;
    for (const SbVec3f &q : points)
        p.emplace_back(q[0], q[1], q[2], 1.0f);
    const std::vector<SbColor> colors(points.size(), color);
    PolyGon *g = new PolyGon;
    g->setValue(int(p.size()), p.data(), colors.data(), 0, 1, 1, 0xFFFF, PolyGon::FILLED, "", "",
                nullptr);
    return g;
}

// A polygon from its points' coordinates x, y, z one after the other.
PolyGon *polygon(const std::vector<float> &xyz, const SbColor &color = red) {
    std::vector<SbVec3f> points;
    for (std::size_t i = 0; i + 2 < xyz.size(); i += 3)
        points.emplace_back(xyz[i], xyz[i + 1], xyz[i + 2]);
    return polygon(points, color);
}

PolyLine *segment(const SbVec3f &a, const SbVec3f &b) {
    const SbVec4f p[2] = {SbVec4f(a[0], a[1], a[2], 1), SbVec4f(b[0], b[1], b[2], 1)};
    const SbColor c[2] = {SbColor(0, 0, 0), SbColor(0, 0, 0)};
    PolyLine *s = new PolyLine;
    s->setValue(2, p, c, 0, 1.0f, 0xFFFF);
    return s;
}

PolyMark *mark(const SbVec3f &a) {
    const SbVec4f p(a[0], a[1], a[2], 1);
    const SbColor c(0, 0, 0);
    PolyMark *m = new PolyMark;
    m->setValue(1, &p, &c, 0, 2.0f, nullptr);
    return m;
}

// A list that deletes what it still holds; entries are numbered in the order they are added.
struct OwnedList {
    PrimitiveList list;
    OwnedList(std::initializer_list<Primitive *> primitives = {}) {
        for (Primitive *p : primitives)
            add(p);
    }
    ~OwnedList() {
        for (int i = 0; i < list.getLength(); i++)
            delete list.get(i);
    }
    void add(Primitive *p) {
        p->priority = list.getLength();
        list.append(p);
    }
    int size() const { return list.getLength(); }
    Primitive *operator[](int i) const { return list.get(i); }
};

// Orders a list as the removal run of the given mode would.
void order(OwnedList &owned, SoHLHSRVectorize::HLHSRMode mode = SoHLHSRVectorize::PAINTER_ORDER,
           bool spatialIndex = true) {
    RecordingAction action;
    SoHLHSRVectorize driver(&action, mode);
    SoPainter painter(&owned.list, &driver);
    painter.setUseSpatialIndex(spatialIndex);
    painter.apply();
}

// Depth of a polygon's plane at (x, y), when (x, y) lies inside its outline.
bool depthAt(const Primitive *p, float x, float y, float &z) {
    const PolyGon *g = static_cast<const PolyGon *>(p);
    const SbVec3f &n = g->getNormal();
    const SbVec4f &a = g->getPoint(0);
    if (!g->isPointInnerXYPlane(SbVec2f(x, y)) || std::fabs(n[2]) < 1e-6f) return false;
    z = a[2] - (n[0] * (x - a[0]) + n[1] * (y - a[1])) / n[2];
    return true;
}

// On a grid over [-1, 1]^2, the samples where the polygon painted last of `painted` has not the
// colour of the nearest of `truth`, leaving out those where the two nearest surfaces lie within
// `tie` in depth.
int wrongSamples(const std::vector<const Primitive *> &truth, const PrimitiveList &painted,
                 int steps = 80, float tie = 1e-3f) {
    int wrong = 0;
    for (int i = 0; i < steps; i++)
        for (int j = 0; j < steps; j++) {
            const float x = -1 + (i + 0.5f) * 2 / steps, y = -1 + (j + 0.5f) * 2 / steps;
            float best = HUGE_VALF, second = HUGE_VALF, z;
            SbColor expected(1, 1, 1), shown(1, 1, 1);
            for (const Primitive *p : truth)
                if (depthAt(p, x, y, z) && z < best) {
                    second = best;
                    best = z;
                    expected = p->getColor();
                } else if (depthAt(p, x, y, z) && z < second) {
                    second = z;
                }
            for (int k = 0; k < painted.getLength(); k++)
                if (painted.get(k)->getTypeId() == Primitive::POLYGON &&
                    depthAt(painted.get(k), x, y, z))
                    shown = painted.get(k)->getColor();
            wrong += second - best >= tie && shown != expected;
        }
    return wrong;
}

// Two squares crossing like an X along y = 0 seen from above: the first tilts down to the right.
PolyGon *firstOfX() {
    return polygon({-0.8f, -0.5f, 0.2f, 0.8f, -0.5f, 0.8f, 0.8f, 0.5f, 0.8f, -0.8f, 0.5f, 0.2f},
                   red);
}
PolyGon *secondOfX() {
    return polygon({-0.8f, -0.8f, 0.8f, 0.8f, -0.8f, 0.2f, 0.8f, 0.8f, 0.2f, -0.8f, 0.8f, 0.8f},
                   blue);
}

TEST(PiPList, GrowsPastItsEndAndRemoves) {
    PiPList list;
    int values[8];
    for (int i = 0; i < 8; i++)
        list.append(&values[i]);
    list[150] = &values[0]; // past the end: the count follows
    EXPECT_EQ(list.getLength(), 151);
    list.deleteValues(2, 3); // removes entries 2, 3, 4
    EXPECT_EQ(list.getLength(), 148);
    EXPECT_EQ(list[2], &values[5]);
    list.deleteValues(4, -1); // truncates
    EXPECT_EQ(list.getLength(), 4);
    list.set(5, &values[7]);
    EXPECT_EQ(list.getLength(), 6);
    EXPECT_EQ(list[5], &values[7]);
}

TEST(PrimitiveList, DepthSortIsDeepestFirstAndStableAndGridSortGoesRowByRow) {
    OwnedList owned;
    for (float z : {0.2f, 0.5f, 0.2f, 0.9f, 0.5f, 0.2f, 0.9f, 0.1f, 0.5f, 0.2f, 0.7f, 0.2f})
        owned.add(mark(SbVec3f(0, 0, z)));
    owned.list.sortZmax(owned.size() - 1); // one entry: nothing moves
    EXPECT_EQ(owned[0]->priority, 0);
    owned.list.sortZmax(0);
    for (int i = 1; i < owned.size(); i++) {
        const Primitive *a = owned[i - 1], *b = owned[i];
        EXPECT_TRUE(a->getZmax() > b->getZmax() ||
                    (a->getZmax() == b->getZmax() && a->priority < b->priority))
            << i;
    }

    OwnedList grid{mark({0.95f, 0.95f, 0}), mark({0.05f, 0.95f, 0}), mark({0.55f, 0.05f, 0}),
                   mark({0.05f, 0.05f, 0})};
    grid.list.sceneBox = SbBox3f(0, 0, 0, 1, 1, 1);
    grid.list.sortXY(0);
    EXPECT_FLOAT_EQ(grid.list.cellWidth, 0.1f);
    for (int i = 0; i < 4; i++)
        EXPECT_EQ(grid[i]->priority, 3 - i);
}

TEST(PolyGon, FacesTheObserverAndAnswersPageTests) {
    // Counter-clockwise on the page: the normal (0, 0, 1) points away, so points 1.. are
    // reversed; point 0 and the colours keep their places.
    const SbColor colors[3] = {red, green, blue};
    const SbVec4f points[3] = {SbVec4f(0, 0, 0, 1), SbVec4f(1, 0, 0, 1), SbVec4f(0, 1, 0, 1)};
    PolyGon g;
    g.setValue(3, points, colors, 1, 1, 1, 0xFFFF, PolyGon::FILLED, "", "", nullptr);
    EXPECT_EQ(g.getNormal(), SbVec3f(0, 0, -1));
    EXPECT_EQ(g.getPoint(1), points[2]);
    EXPECT_EQ(g.getPoint(2), points[1]);
    EXPECT_EQ(g.getColors()[1], colors[1]);
    EXPECT_TRUE(g.isPointInnerXYPlane(SbVec2f(0.2f, 0.2f)));
    EXPECT_FALSE(g.isPointInnerXYPlane(SbVec2f(0.5f, 0.0f))); // on an edge
    EXPECT_FALSE(g.isPointInnerXYPlane(SbVec2f(0.8f, 0.8f)));
    EXPECT_NEAR(g.getAreaXY(), 1.0, 1e-9);
    std::unique_ptr<PolyGon> square(polygon({0, 0, 0, 1, 0, 0, 1, 1, 0, 0, 1, 0}));
    EXPECT_NEAR(square->getAreaXY(), 2.0, 1e-9); // open chain, not halved
    std::unique_ptr<PolyGon> dot(polygon({0.5f, 0.5f, 0}));
    EXPECT_EQ(dot->getAreaXY(), 0.0);
    EXPECT_FALSE(dot->isPointInnerXYPlane(SbVec2f(0.5f, 0.5f)));
}

TEST(PolyGon, CutAlongAPlaneGivesTwoPartsWithInterpolatedColours) {
    // The cutting plane x = 0 (a wall seen edge on).
    std::unique_ptr<PolyGon> wall(polygon({0, -1, 0, 0, 1, 0, 0, 0, 1}));
    const SbVec4f points[3] = {SbVec4f(-1, -0.5f, 0.5f, 1), SbVec4f(1, -0.5f, 0.5f, 1),
                               SbVec4f(1, 0.5f, 0.5f, 1)};
    const SbColor colors[3] = {SbColor(0, 0, 0), SbColor(1, 1, 1), SbColor(1, 1, 1)};
    PolyGon g;
    g.setValue(3, points, colors, 1, 1, 1, 0xFFFF, PolyGon::FILLED, "", "", nullptr);
    PolyGon *front = nullptr, *back = nullptr;
    ASSERT_EQ(g.cutByPlane(wall.get(), front, back), 1);
    std::unique_ptr<PolyGon> f(front), b(back);
    const PolyGon *tri = f->getNum() == 3 ? f.get() : b.get(); // the x < 0 part
    EXPECT_EQ(f->getNum() + b->getNum(), 7);
    // Its crossing on the bottom edge is at x = 0, halfway: its colour is halfway too.
    int halfway = 0;
    for (int i = 0; i < tri->getNum(); i++)
        halfway += std::fabs(tri->getPoint(i)[0]) < 1e-6f &&
                   std::fabs(tri->getPoint(i)[1] + 0.5f) < 1e-6f &&
                   std::fabs(tri->getColors()[i][0] - 0.5f) < 1e-6f;
    EXPECT_EQ(halfway, 1);
    // A flat polygon keeps its colour in both parts.
    std::unique_ptr<PolyGon> flat(polygon({-1, -0.5f, 0.5f, 1, -0.5f, 0.5f, 1, 0.5f, 0.5f}, green));
    ASSERT_EQ(flat->cutByPlane(wall.get(), front, back), 1);
    std::unique_ptr<PolyGon> f2(front), b2(back);
    for (const PolyGon *part : {f2.get(), b2.get()})
        for (int i = 0; i < part->getNum(); i++)
            EXPECT_EQ(part->getColors()[i], green);
    // Through a vertex and across the opposite edge, or touching a vertex only: no cut.
    std::unique_ptr<PolyGon> split(polygon({0, -0.5f, 0.5f, 1, 0.5f, 0.5f, -1, 0.5f, 0.5f}));
    EXPECT_EQ(split->cutByPlane(wall.get(), front, back), 0);
    std::unique_ptr<PolyGon> touch(polygon({0, -0.5f, 0.5f, 1, -0.5f, 0.5f, 1, 0.5f, 0.5f}));
    EXPECT_EQ(touch->cutByPlane(wall.get(), front, back), 0);
}

TEST(Painter, PairTests) {
    std::vector<std::unique_ptr<Primitive>> keep;
    auto own = [&keep](Primitive *p) { return keep.emplace_back(p).get(); };
    Primitive *near = own(polygon({-1, -1, 0.1f, 1, -1, 0.1f, 0, 1, 0.2f})),
              *far = own(polygon({-1, -1, 0.5f, 1, -1, 0.5f, 0, 1, 0.6f})), *x1 = own(firstOfX()),
              *x2 = own(secondOfX()),
              *flat1 = own(polygon({-1, -1, 0.5f, 1, -1, 0.5f, 0, 1, 0.5f})),
              *flat2 = own(polygon({-1, 1, 0.5f, 1, 1, 0.5f, 0, -1, 0.5f})),
              *tilted = own(polygon(
                  {-0.5f, -0.5f, 0.3f, 0.5f, -0.5f, 0.3f, 0.5f, 0.5f, 0.7f, -0.5f, 0.5f, 0.7f})),
              *through = own(segment({-0.9f, 0, 0.9f}, {0.9f, 0, 0.1f})),
              *inside = own(mark({0, 0, 0.9f})), *outside = own(mark({0.45f, 0.9f, 0.9f})),
              *left = own(polygon({-1, -1, 0, 0, -1, 0, 0, 1, 0})),
              *right = own(polygon({0, -1, 0, 1, 1, 0, 0, 1, 0}));
    // A segment through a tilted polygon is judged by the depth where it crosses the outline
    // against the polygon's mean depth.
    const struct {
        Primitive *a, *b;
        int strict;
        SoPainter::Position expected;
    } compared[] = {
        {far, near, 0, SoPainter::BEHIND},         {near, far, 0, SoPainter::IN_FRONT},
        {x1, x2, 0, SoPainter::INTERSECTING},      {x1, x2, 1, SoPainter::INTERSECTING},
        {flat1, flat2, 0, SoPainter::COPLANAR},    {tilted, through, 0, SoPainter::BEHIND},
        {through, tilted, 0, SoPainter::IN_FRONT},
    };
    for (const auto &c : compared)
        EXPECT_EQ(SoPainter::comparePosition(c.a, c.b, c.strict), c.expected) << (&c - compared);
    // Pairs that need no comparison (1): a one-point mark not strictly inside the polygon,
    // neighbours that only share an edge; boxes that meet do (0).
    EXPECT_EQ(SoPainter::isEqual(tilted, inside), 0);
    EXPECT_EQ(SoPainter::isEqual(outside, far), 1);
    EXPECT_EQ(SoPainter::isEqual(left, right), 1);
    EXPECT_EQ(SoPainter::isEqual(left, far), 0);
}

TEST(Painter, OrdersByDepthCutsACrossingPairAndKeepsCoplanarOrder) {
    // The back part of the first in its place, the second whole, the front part appended.
    OwnedList x{firstOfX(), secondOfX()};
    const std::unique_ptr<Primitive> a(firstOfX()), b(secondOfX());
    order(x);
    ASSERT_EQ(x.size(), 3);
    EXPECT_EQ(x[0]->getColor(), red);
    EXPECT_EQ(x[1]->getColor(), blue);
    EXPECT_EQ(x[2]->getColor(), red);
    EXPECT_GT(x[0]->getZmax(), x[2]->getZmax());
    EXPECT_EQ(wrongSamples({a.get(), b.get()}, x.list), 0);
    // Depth sorting alone does not cut.
    OwnedList sorted{firstOfX(), secondOfX()};
    order(sorted, SoHLHSRVectorize::DEPTH_SORT);
    EXPECT_EQ(sorted.size(), 2);
    // Apart on the page: the pure depth order; coplanar: the order they came in.
    OwnedList apart{polygon({-1, -1, 0.1f, -0.5f, -1, 0.1f, -0.5f, -0.5f, 0.1f}),
                    polygon({0.5f, 0.5f, 0.9f, 1, 0.5f, 0.9f, 1, 1, 0.9f}),
                    polygon({0, 0, 0.5f, 0.4f, 0, 0.5f, 0.4f, 0.4f, 0.5f})};
    order(apart);
    OwnedList coplanar{polygon({-1, -1, 0.5f, 1, -1, 0.5f, 0, 1, 0.5f}, red),
                       polygon({-1, 1, 0.5f, 1, 1, 0.5f, 0, -1, 0.5f}, blue)};
    order(coplanar);
    const int depthOrder[3] = {1, 2, 0};
    for (int i = 0; i < 3; i++)
        EXPECT_EQ(apart[i]->priority, depthOrder[i]);
    for (int i = 0; i < 2; i++)
        EXPECT_EQ(coplanar[i]->priority, i);
    // Filled polygons that cover nothing on the page, a sliver whose last two points nearly
    // coincide and a face seen edge on, are left out of the painter's drawing; depth sorting
    // keeps them.
    auto flatOnes = [] {
        return new OwnedList{polygon({-0.5f, -0.5f, 0.5f, 0.2f, 0.3f, 0.6f, 0.2f, 0.3000001f, 0.6f}),
                             polygon({0, 0, 0.2f, 0.5f, 0.5f, 0.4f, 1, 1, 0.6f}),
                             polygon({-1, -1, 0.5f, 1, -1, 0.5f, 0, 1, 0.5f}, blue)};
    };
    const std::unique_ptr<OwnedList> painted(flatOnes()), depthSorted(flatOnes());
    order(*painted);
    ASSERT_EQ(painted->size(), 1);
    EXPECT_EQ((*painted)[0]->getColor(), blue);
    order(*depthSorted, SoHLHSRVectorize::DEPTH_SORT);
    EXPECT_EQ(depthSorted->size(), 3);
}

TEST(Painter, BreaksCyclesByCuttingAndEnds) {
    std::vector<float> scenes[3][3] = {
        // Three strips around a triangle, each lying over the next where they cross (green over
        // red at the lower right, blue over green at the top, red over blue at the lower left).
        {{-0.9f, -0.7f, 0.2f, 0.9f, -0.7f, 0.8f, 0.9f, -0.4f, 0.8f, -0.9f, -0.4f, 0.2f},
         {0.6f, -0.9f, 0.2f, 0.9f, -0.9f, 0.2f, 0.15f, 0.9f, 0.8f, -0.15f, 0.9f, 0.8f},
         {-0.9f, -0.9f, 0.8f, -0.6f, -0.9f, 0.8f, 0.3f, 0.8f, 0.2333f, 0.0f, 0.8f, 0.2333f}},
        // Three triangles that no order of them whole draws right, where the scan comes back to
        // one it has already moved: one of the cycle is cut along another's plane.
        {{-0.1f, -0.1f, 0.9f, 0.6f, 0.7f, 0.7f, 0.9f, 0.1f, 0.7f},
         {0.8f, 0.3f, 0.9f, -0.5f, 0.5f, 0.4f, 0.9f, -0.4f, 0.5f},
         {0.8f, -0.7f, 0.2f, 0.5f, -0.9f, 0.5f, 0.8f, 0.5f, 0.7f}}};
    // The strips pressed to 6e-5 in depth: none reaches 1e-4 beyond another's plane, too little
    // to cut along it, so one is cut across the page between its neighbours.
    for (int k = 0; k < 3; k++) {
        scenes[2][k] = scenes[0][k];
        for (size_t i = 2; i < scenes[2][k].size(); i += 3)
            scenes[2][k][i] = 0.5f + (scenes[2][k][i] - 0.5f) * 1e-4f;
    }
    for (const auto &scene : scenes) {
        OwnedList truth, cycle;
        for (int k = 0; k < 3; k++) {
            truth.add(polygon(scene[k], k == 0 ? red : k == 1 ? green : blue));
            cycle.add(polygon(scene[k], k == 0 ? red : k == 1 ? green : blue));
        }
        order(cycle);
        EXPECT_GT(cycle.size(), 3);
        EXPECT_EQ(wrongSamples({truth[0], truth[1], truth[2]}, cycle.list, 80, 1e-6f), 0)
            << (&scene - scenes);
    }
}

TEST(Painter, SpatialIndexGivesTheFullScansResultAndEveryInputEnds) {
    // Random triangles that overlap and pass through one another, with segments, marks and
    // faces of no area among them.
    auto build = [](OwnedList &owned) {
        std::uint64_t state = 88172645463325252ull;
        auto next = [&state] {
            state ^= state << 13;
            state ^= state >> 7;
            state ^= state << 17;
            return static_cast<float>(state >> 40) / 16777216.0f;
        };
        for (int i = 0; i < 300; i++) {
            const SbVec3f c(next() * 1.6f - 0.8f, next() * 1.6f - 0.8f, next());
            auto corner = [&] {
                return c + SbVec3f(next() - 0.5f, next() - 0.5f, next() - 0.5f) * 0.5f;
            };
            if (i % 10 == 7)
                owned.add(segment(corner(), corner()));
            else if (i % 10 == 8)
                owned.add(mark(c));
            else if (i % 50 == 9)
                owned.add(polygon({c, c, corner()}));
            else
                owned.add(polygon({corner(), corner(), corner()}, SbColor(next(), next(), next())));
        }
    };
    OwnedList indexed, full, truth;
    build(indexed);
    build(full);
    build(truth);
    order(indexed, SoHLHSRVectorize::PAINTER_ORDER, true);
    order(full, SoHLHSRVectorize::PAINTER_ORDER, false);
    ASSERT_EQ(indexed.size(), full.size());
    EXPECT_GT(indexed.size(), 300); // interpenetrating faces were cut
    for (int i = 0; i < indexed.size(); i++) {
        ASSERT_EQ(indexed[i]->getNum(), full[i]->getNum()) << i;
        for (int k = 0; k < indexed[i]->getNum(); k++)
            ASSERT_EQ(indexed[i]->getPoint(k), full[i]->getPoint(k)) << i;
    }
    // And the drawing is right wherever the samples look (cycles among crossings included).
    std::vector<const Primitive *> faces;
    for (int i = 0; i < truth.size(); i++)
        if (truth[i]->getTypeId() == Primitive::POLYGON) faces.push_back(truth[i]);
    EXPECT_EQ(wrongSamples(faces, indexed.list, 100), 0);
}

} // namespace
