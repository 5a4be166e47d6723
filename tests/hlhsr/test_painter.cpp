// The painter's pair tests and ordering: what lies behind what, the cut of interpenetrating
// faces, cycles, and the spatial index giving the result of the full scan.
#include <cstdint>
#include <iostream>
#include <memory>
#include "HlhsrTestSupport.h"
#include "RecordingAction.h"
#include "scrivane/SoHLHSRVectorize.h"
#include "scrivane/SoPainter.h"

using namespace hlhsr_test;

namespace {
const SbColor red(1, 0, 0), green(0, 1, 0), blue(0, 0, 1);

// Orders a list as the removal run of the given mode would.
void order(OwnedList &owned, SoHLHSRVectorize::HLHSRMode mode = SoHLHSRVectorize::PAINTER_ORDER,
           bool spatialIndex = true) {
    RecordingAction action;
    SoHLHSRVectorize driver(&action, mode);
    SoPainter painter(&owned.list, &driver);
    painter.setUseSpatialIndex(spatialIndex);
    painter.apply();
}

// Two squares crossing like an X along y = 0 seen from above: first tilts down to the right.
PolyGon *firstOfX() { return polygon({{-0.8f, -0.5f, 0.2f}, {0.8f, -0.5f, 0.8f}, {0.8f, 0.5f, 0.8f}, {-0.8f, 0.5f, 0.2f}}, red); }
PolyGon *secondOfX() { return polygon({{-0.8f, -0.8f, 0.8f}, {0.8f, -0.8f, 0.2f}, {0.8f, 0.8f, 0.2f}, {-0.8f, 0.8f, 0.8f}}, blue); }

// Deterministic numbers in [0, 1).
struct Random {
    uint64_t state = 88172645463325252ull;
    float next() {
        state ^= state << 13;
        state ^= state >> 7;
        state ^= state << 17;
        return static_cast<float>(state >> 40) / 16777216.0f;
    }
};
} // namespace

TEST(Painter, ComparesPositionsByDepthRangesAndPlanes) {
    std::unique_ptr<PolyGon> near(polygon({{-1, -1, 0.1f}, {1, -1, 0.1f}, {0, 1, 0.2f}}));
    std::unique_ptr<PolyGon> far(polygon({{-1, -1, 0.5f}, {1, -1, 0.5f}, {0, 1, 0.6f}}));
    EXPECT_EQ(SoPainter::comparePosition(far.get(), near.get(), 0), SoPainter::BEHIND);
    EXPECT_EQ(SoPainter::comparePosition(near.get(), far.get(), 0), SoPainter::IN_FRONT);
    std::unique_ptr<PolyGon> a(firstOfX()), b(secondOfX());
    EXPECT_EQ(SoPainter::comparePosition(a.get(), b.get(), 0), SoPainter::INTERSECTING);
    EXPECT_EQ(SoPainter::comparePosition(a.get(), b.get(), 1), SoPainter::INTERSECTING);
    std::unique_ptr<PolyGon> flat1(polygon({{-1, -1, 0.5f}, {1, -1, 0.5f}, {0, 1, 0.5f}}));
    std::unique_ptr<PolyGon> flat2(polygon({{-1, 1, 0.5f}, {1, 1, 0.5f}, {0, -1, 0.5f}}));
    EXPECT_EQ(SoPainter::comparePosition(flat1.get(), flat2.get(), 0), SoPainter::COPLANAR);

    // A segment through a tilted polygon is judged by the depth where it crosses the outline
    // against the polygon's mean depth.
    std::unique_ptr<PolyGon> tilted(polygon({{-0.5f, -0.5f, 0.3f}, {0.5f, -0.5f, 0.3f}, {0.5f, 0.5f, 0.7f}, {-0.5f, 0.5f, 0.7f}}));
    std::unique_ptr<PolyLine> through(segment({-0.9f, 0, 0.9f}, {0.9f, 0, 0.1f}));
    EXPECT_EQ(SoPainter::comparePosition(tilted.get(), through.get(), 0), SoPainter::BEHIND);
    EXPECT_EQ(SoPainter::comparePosition(through.get(), tilted.get(), 0), SoPainter::IN_FRONT);

    // A one-point mark is compared with a polygon only when it lies strictly inside it.
    std::unique_ptr<PolyMark> inside(mark({0, 0, 0.9f})), outside(mark({0.45f, 0.9f, 0.9f}));
    EXPECT_EQ(SoPainter::isEqual(tilted.get(), inside.get()), 0);
    EXPECT_EQ(SoPainter::isEqual(outside.get(), far.get()), 1);
    // Neighbours that share an edge, or boxes apart, cannot overlap.
    std::unique_ptr<PolyGon> left(polygon({{-1, -1, 0}, {0, -1, 0}, {0, 1, 0}})), right(polygon({{0, -1, 0}, {1, 1, 0}, {0, 1, 0}}));
    EXPECT_EQ(SoPainter::isEqual(left.get(), right.get()), 1);
    EXPECT_EQ(SoPainter::isEqual(left.get(), far.get()), 0);
}

TEST(Painter, CutsACrossingPairIntoThreeInDrawingOrder) {
    OwnedList x{firstOfX(), secondOfX()};
    const std::unique_ptr<Primitive> a(firstOfX()), b(secondOfX());
    order(x);
    ASSERT_EQ(x.size(), 3);
    EXPECT_EQ(x[0]->getColor(), red);  // the back part of the first
    EXPECT_EQ(x[1]->getColor(), blue); // the second whole
    EXPECT_EQ(x[2]->getColor(), red);  // the front part, appended
    EXPECT_GT(x[0]->getZmax(), x[2]->getZmax());
    EXPECT_EQ(wrongSamples({a.get(), b.get()}, x.list), 0);

    // Depth sorting alone neither cuts nor reorders beyond depth.
    OwnedList sorted{firstOfX(), secondOfX()};
    order(sorted, SoHLHSRVectorize::DEPTH_SORT);
    EXPECT_EQ(sorted.size(), 2);
}

TEST(Painter, KeepsDepthOrderWhereNothingOverlapsAndForCoplanarFaces) {
    OwnedList apart{polygon({{-1, -1, 0.1f}, {-0.5f, -1, 0.1f}, {-0.5f, -0.5f, 0.1f}}),
                    polygon({{0.5f, 0.5f, 0.9f}, {1, 0.5f, 0.9f}, {1, 1, 0.9f}}),
                    polygon({{0, 0, 0.5f}, {0.4f, 0, 0.5f}, {0.4f, 0.4f, 0.5f}})};
    order(apart);
    EXPECT_EQ(apart[0]->priority, 1);
    EXPECT_EQ(apart[1]->priority, 2);
    EXPECT_EQ(apart[2]->priority, 0);

    OwnedList coplanar{polygon({{-1, -1, 0.5f}, {1, -1, 0.5f}, {0, 1, 0.5f}}, red),
                       polygon({{-1, 1, 0.5f}, {1, 1, 0.5f}, {0, -1, 0.5f}}, blue)};
    order(coplanar);
    EXPECT_EQ(coplanar[0]->priority, 0);
    EXPECT_EQ(coplanar[1]->priority, 1);
}

TEST(Painter, BreaksACycleOfThreeByCuttingAndEnds) {
    // Three strips around a triangle, each lying over the next where they cross: green over red
    // at the lower right, blue over green at the top, red over blue at the lower left.
    auto strips = [] {
        return std::vector<Primitive *>{
            polygon({{-0.9f, -0.7f, 0.2f}, {0.9f, -0.7f, 0.8f}, {0.9f, -0.4f, 0.8f}, {-0.9f, -0.4f, 0.2f}}, red),
            polygon({{0.6f, -0.9f, 0.2f}, {0.9f, -0.9f, 0.2f}, {0.15f, 0.9f, 0.8f}, {-0.15f, 0.9f, 0.8f}}, green),
            polygon({{-0.9f, -0.9f, 0.8f}, {-0.6f, -0.9f, 0.8f}, {0.3f, 0.8f, 0.2333f}, {0.0f, 0.8f, 0.2333f}}, blue)};
    };
    // No order of the whole strips draws them right.
    std::vector<Primitive *> truth = strips();
    std::vector<const Primitive *> truthView(truth.begin(), truth.end());
    const int orders[6][3] = {{0, 1, 2}, {0, 2, 1}, {1, 0, 2}, {1, 2, 0}, {2, 0, 1}, {2, 1, 0}};
    for (const auto &o : orders) {
        PrimitiveList whole;
        for (int k : o)
            whole.append(truth[k]);
        EXPECT_GT(wrongSamples(truthView, whole), 0);
    }
    OwnedList cycle;
    for (Primitive *p : strips())
        cycle.add(p);
    order(cycle);
    EXPECT_GT(cycle.size(), 3);
    EXPECT_EQ(wrongSamples(truthView, cycle.list), 0);
    for (Primitive *p : truth)
        delete p;
}

TEST(Painter, SpatialIndexGivesTheFullScansResultAndEveryInputEnds) {
    // Random triangles that overlap and pass through one another, with segments, marks and
    // degenerate faces among them.
    auto build = [](OwnedList &owned) {
        Random r;
        for (int i = 0; i < 300; i++) {
            const SbVec3f c(r.next() * 1.6f - 0.8f, r.next() * 1.6f - 0.8f, r.next());
            auto corner = [&] { return c + SbVec3f(r.next() - 0.5f, r.next() - 0.5f, r.next() - 0.5f) * 0.5f; };
            if (i % 10 == 7)
                owned.add(segment(corner(), corner()));
            else if (i % 10 == 8)
                owned.add(mark(c));
            else if (i % 50 == 9)
                owned.add(polygon({c, c, corner()})); // no area
            else
                owned.add(polygon({corner(), corner(), corner()}, SbColor(r.next(), r.next(), r.next())));
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
    // And the drawing is right nearly everywhere (cycles among crossings included).
    std::vector<const Primitive *> faces;
    for (int i = 0; i < truth.size(); i++)
        if (truth[i]->getTypeId() == Primitive::POLYGON) faces.push_back(truth[i]);
    const int wrong = wrongSamples(faces, indexed.list, 100);
    std::cout << "random triangles: " << wrong << " wrong of 10000 samples\n";
    EXPECT_LT(wrong, 50);
}
