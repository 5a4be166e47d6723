// The stored primitives and their lists: growth and removal, the depth and grid sorts, the
// polygon's orientation, page tests and cut.
#include "HlhsrTestSupport.h"
#include "scrivane/PiPList.h"

using namespace hlhsr_test;

TEST(PiPList, GrowsAppendsSetsAndRemoves) {
    PiPList list;
    EXPECT_EQ(list.getLength(), 0);
    EXPECT_EQ(list.getCapacity(), 100);
    int values[8];
    for (int i = 0; i < 8; i++)
        list.append(&values[i]);
    list[150] = &values[0]; // past the end: the count follows
    EXPECT_EQ(list.getLength(), 151);
    EXPECT_EQ(list.getCapacity(), 302);
    list.deleteValues(2, 3); // removes entries 2, 3, 4
    EXPECT_EQ(list.getLength(), 148);
    EXPECT_EQ(list[2], &values[5]);
    list.deleteValues(4, -1);
    EXPECT_EQ(list.getLength(), 4);
    list.set(5, &values[7]);
    EXPECT_EQ(list.getLength(), 6);
    EXPECT_EQ(list[5], &values[7]);
}

TEST(PrimitiveList, DepthSortIsDeepestFirstAndStableForEqualDepths) {
    OwnedList owned;
    const float depths[] = {0.2f, 0.5f, 0.2f, 0.9f, 0.5f, 0.2f, 0.9f, 0.1f, 0.5f, 0.2f, 0.7f, 0.2f};
    for (float z : depths)
        owned.add(mark(SbVec3f(0, 0, z)));
    owned.list.sortZmax(owned.size() - 1); // one entry: nothing moves
    EXPECT_EQ(owned[0]->priority, 0);
    owned.list.sortZmax(0);
    for (int i = 1; i < owned.size(); i++) {
        const Primitive *a = owned[i - 1], *b = owned[i];
        EXPECT_GE(a->getZmax(), b->getZmax());
        if (a->getZmax() == b->getZmax()) {
            EXPECT_LT(a->priority, b->priority);
        }
    }
}

TEST(PrimitiveList, GridSortGoesRowByRowOverTheSceneBox) {
    OwnedList owned{mark(SbVec3f(0.95f, 0.95f, 0)), mark(SbVec3f(0.05f, 0.95f, 0)), mark(SbVec3f(0.55f, 0.05f, 0)),
                    mark(SbVec3f(0.05f, 0.05f, 0))};
    owned.list.sceneBox = SbBox3f(0, 0, 0, 1, 1, 1);
    owned.list.sortXY(0);
    EXPECT_FLOAT_EQ(owned.list.cellWidth, 0.1f);
    const int expected[] = {3, 2, 1, 0};
    for (int i = 0; i < 4; i++)
        EXPECT_EQ(owned[i]->priority, expected[i]);
}

TEST(PolyGon, FacesTheObserverAndAnswersPageTests) {
    const SbColor colors[3] = {SbColor(1, 0, 0), SbColor(0, 1, 0), SbColor(0, 0, 1)};
    const SbVec4f points[3] = {SbVec4f(0, 0, 0, 1), SbVec4f(1, 0, 0, 1), SbVec4f(0, 1, 0, 1)};
    PolyGon g;
    // Counter-clockwise on the page: the normal (0, 0, 1) points away, so points 1.. are reversed.
    g.setValue(3, points, colors, 1, 1, 1, 0xFFFF, PolyGon::FILLED, "", "", nullptr);
    EXPECT_EQ(g.getNormal(), SbVec3f(0, 0, -1));
    EXPECT_EQ(g.getPoint(1), points[2]);
    EXPECT_EQ(g.getPoint(2), points[1]);
    EXPECT_EQ(g.getColors()[1], colors[1]); // colours keep their places
    EXPECT_TRUE(g.isPointInnerXYPlane(SbVec2f(0.2f, 0.2f)));
    EXPECT_FALSE(g.isPointInnerXYPlane(SbVec2f(0.5f, 0.0f))); // on an edge
    EXPECT_FALSE(g.isPointInnerXYPlane(SbVec2f(0.8f, 0.8f)));
    EXPECT_NEAR(g.getAreaXY(), 1.0, 1e-9);

    std::unique_ptr<PolyGon> square(polygon({{0, 0, 0}, {1, 0, 0}, {1, 1, 0}, {0, 1, 0}}));
    EXPECT_NEAR(square->getAreaXY(), 2.0, 1e-9); // open chain, not halved
    std::unique_ptr<PolyGon> dot(polygon({{0.5f, 0.5f, 0}}));
    EXPECT_EQ(dot->getAreaXY(), 0.0);
    EXPECT_FALSE(dot->isPointInnerXYPlane(SbVec2f(0.5f, 0.5f)));
}

TEST(PolyGon, CutAlongAPlaneGivesTwoPartsWithInterpolatedColours) {
    // The cutting plane x = 0 (a wall seen edge on), normal toward -x after orientation.
    std::unique_ptr<PolyGon> wall(polygon({{0, -1, 0}, {0, 1, 0}, {0, 0, 1}}));
    const SbVec4f points[3] = {SbVec4f(-1, -0.5f, 0.5f, 1), SbVec4f(1, -0.5f, 0.5f, 1), SbVec4f(1, 0.5f, 0.5f, 1)};
    const SbColor colors[3] = {SbColor(0, 0, 0), SbColor(1, 1, 1), SbColor(1, 1, 1)};
    PolyGon g;
    g.setValue(3, points, colors, 1, 1, 1, 0xFFFF, PolyGon::FILLED, "", "", nullptr);
    PolyGon *front = nullptr, *back = nullptr;
    ASSERT_EQ(g.cutByPlane(wall.get(), front, back), 1);
    std::unique_ptr<PolyGon> f(front), b(back);
    const bool frontIsRight = f->getNum() == 4; // x > 0 holds the quadrilateral
    const PolyGon *quad = frontIsRight ? f.get() : b.get(), *tri = frontIsRight ? b.get() : f.get();
    ASSERT_EQ(quad->getNum(), 4);
    ASSERT_EQ(tri->getNum(), 3);
    EXPECT_EQ(f->priority, 0);
    // The crossing on the bottom edge is at x = 0, halfway: its colour is halfway too.
    int crossing = -1;
    for (int i = 0; i < tri->getNum(); i++)
        if (std::fabs(tri->getPoint(i)[0]) < 1e-6f && std::fabs(tri->getPoint(i)[1] + 0.5f) < 1e-6f) crossing = i;
    ASSERT_GE(crossing, 0);
    EXPECT_NEAR(tri->getColors()[crossing][0], 0.5f, 1e-6f);

    // A flat polygon keeps its colour in both parts.
    std::unique_ptr<PolyGon> flat(polygon({{-1, -0.5f, 0.5f}, {1, -0.5f, 0.5f}, {1, 0.5f, 0.5f}}, SbColor(0, 1, 0)));
    ASSERT_EQ(flat->cutByPlane(wall.get(), front, back), 1);
    std::unique_ptr<PolyGon> f2(front), b2(back);
    for (const PolyGon *part : {f2.get(), b2.get()})
        for (int i = 0; i < part->getNum(); i++)
            EXPECT_EQ(part->getColors()[i], SbColor(0, 1, 0));

    // Through a vertex and across the opposite edge: three crossings, no cut. Touching a vertex
    // only: one part would have fewer than three points, no cut.
    std::unique_ptr<PolyGon> split(polygon({{0, -0.5f, 0.5f}, {1, 0.5f, 0.5f}, {-1, 0.5f, 0.5f}}));
    EXPECT_EQ(split->cutByPlane(wall.get(), front, back), 0);
    std::unique_ptr<PolyGon> touch(polygon({{0, -0.5f, 0.5f}, {1, -0.5f, 0.5f}, {1, 0.5f, 0.5f}}));
    EXPECT_EQ(touch->cutByPlane(wall.get(), front, back), 0);
}
