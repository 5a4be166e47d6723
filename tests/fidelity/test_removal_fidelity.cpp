// How faithfully each removal mode draws the visible surfaces, measured pixel by pixel against a
// ray cast through the scene's triangles (see RayCastReference.h). Every scene is drawn in the
// modes none, depth sort, painter and visible painter; each prints "fidelity <scene> <mode>:
// wrong/compared = percent%" for the comparison table. The two painter modes must be exact on the
// small scenes and nearly so on random crossing triangles; the other modes are only reported.
#include "FidelityScenes.h"
#include "RayCastReference.h"
#include <algorithm>
#include <cstdio>
#include <gtest/gtest.h>
#include <string>
#include <vector>

using namespace scrivane::test;

namespace {

struct ModeResults {
    FidelityCounts none, depthSort, painter, visiblePainter;
};

// Draws the scene in the four modes, prints the table lines and checks that each measurement
// was made and saw the scene.
ModeResults measureModes(const std::string &scene, const std::vector<FlatTriangle> &triangles,
                         const FidelityView &view) {
    ModeResults results;
    const struct {
        SoVectorizeAction::HLHSRMode mode;
        const char *name;
        FidelityCounts *counts;
    } modes[] = {
        {SoVectorizeAction::HIDDEN_NONE, "none", &results.none},
        {SoVectorizeAction::HIDDEN_BY_DEPTH_SORT, "depth-sort", &results.depthSort},
        {SoVectorizeAction::HIDDEN_BY_PAINTER, "painter", &results.painter},
        {SoVectorizeAction::HIDDEN_BY_VISIBLE_PAINTER, "visible-painter", &results.visiblePainter}};
    for (const auto &m : modes) {
        *m.counts = scrivane::test::measureFidelity(triangles, view, m.mode, scene + "-" + m.name);
        const FidelityCounts &c = *m.counts;
        EXPECT_TRUE(c.error.empty()) << scene << " " << m.name << ": " << c.error;
        EXPECT_GT(c.covered, 0) << scene << " " << m.name;
        std::printf("fidelity %s %s: %ld/%ld = %.3f%%\n", scene.c_str(), m.name, c.wrong,
                    c.compared, c.wrongPercent());
    }
    std::printf("  (%s: %ld pixels excluded, %.1f%% of the drawing; %ld compared pixels covered)\n",
                scene.c_str(), results.none.excluded, 100.0 * results.none.excludedFraction(),
                results.none.covered);
    return results;
}

} // namespace

// The harness itself: triangles at different depths whose projections do not overlap are
// drawn right in any order, so mode none has no wrong pixel, and the bands left out along
// their edges are a small part of the drawing.
TEST(RemovalFidelityTest, HarnessFindsNoErrorWhereNothingOverlaps) {
    const std::vector<FlatTriangle> scene = {
        triangle({-1.8f, 0.2f, 0.5f}, {-0.2f, 0.2f, -0.5f}, {-1, 1.8f, 0}, {0.9f, 0.2f, 0.1f}),
        triangle({0.2f, 0.2f, -1}, {1.8f, 0.4f, 1}, {0.6f, 1.7f, 0.3f}, {0.1f, 0.6f, 0.2f}),
        triangle({-1.7f, -0.3f, 2}, {-0.3f, -1.8f, 2}, {-0.4f, -0.2f, -2}, {0.2f, 0.3f, 0.9f}),
        triangle({0.3f, -0.2f, 0}, {1.8f, -1.8f, 0}, {0.3f, -1.6f, 0}, {0, 0, 0})};
    const FidelityView view{0, 0, 4, nullptr};
    ASSERT_EQ(scrivane::test::countCrossings(scene), 0);
    for (const auto mode : {SoVectorizeAction::HIDDEN_NONE, SoVectorizeAction::HIDDEN_BY_PAINTER}) {
        const FidelityCounts c = scrivane::test::measureFidelity(
            scene, view, mode, "disjoint-" + std::to_string(int(mode)));
        ASSERT_TRUE(c.error.empty()) << c.error;
        EXPECT_EQ(c.wrong, 0);
        EXPECT_EQ(c.compared + c.excluded, 500L * 500L);
        // The four triangles cover about 0.28 of the drawing.
        EXPECT_GT(c.covered, 500L * 500L / 5);
        EXPECT_LT(c.excludedFraction(), 0.03);
    }
}

TEST(RemovalFidelityTest, TwoTrianglesCrossingLikeAnX) {
    const std::vector<FlatTriangle> scene = crossingX();
    EXPECT_EQ(scrivane::test::countCrossings(scene), 1);
    const ModeResults r = measureModes("x", scene, {0, 0, 2.5f, nullptr});
    // Painted in scene order the second triangle covers the first right of the crossing: about
    // a quarter of the union is wrong. This proves the comparison can fail.
    EXPECT_GT(r.none.wrong, r.none.covered / 10);
    EXPECT_EQ(r.painter.wrong, 0);
    EXPECT_EQ(r.visiblePainter.wrong, 0);
}

TEST(RemovalFidelityTest, ThreeTrianglesInACycle) {
    const std::vector<FlatTriangle> scene = cycle();
    EXPECT_EQ(scrivane::test::countCrossings(scene), 0);
    const ModeResults r = measureModes("cycle", scene, {0, 0, 5, nullptr});
    EXPECT_EQ(r.painter.wrong, 0);
    EXPECT_EQ(r.visiblePainter.wrong, 0);
}

TEST(RemovalFidelityTest, LitCubeSeenFromACorner) {
    // A white light from the lower left, in front of the cube, lights the three faces in view
    // by 0.35, 0.54 and 0.77 of their colour; the three turned away get no light: black.
    const DirectionalLightSetup light{SbVec3f(0.3f, 0.1f, -1), 1.0f};
    const std::vector<FlatTriangle> scene = cubeFromCorner();
    int lit = 0, dark = 0;
    for (const FlatTriangle &t : scene) {
        const SbColor c = scrivane::test::shownColor(t, &light);
        lit += std::max({c[0], c[1], c[2]}) > 0.3f;
        dark += c == SbColor(0, 0, 0);
    }
    EXPECT_EQ(lit, 6); // two triangles of each face in view
    EXPECT_EQ(dark, 6);
    const ModeResults r = measureModes("cube-lit", scene, {0, 0, 3, &light});
    EXPECT_EQ(r.painter.wrong, 0);
    EXPECT_EQ(r.visiblePainter.wrong, 0);
}

TEST(RemovalFidelityTest, UvSphere) {
    const ModeResults r = measureModes("sphere", uvSphere(), {0, 0, 2.5f, nullptr});
    EXPECT_EQ(r.painter.wrong, 0);
    EXPECT_EQ(r.visiblePainter.wrong, 0);
}

TEST(RemovalFidelityTest, RandomCrossingTriangles) {
    const std::vector<FlatTriangle> scene = randomTriangles();
    EXPECT_GT(scrivane::test::countCrossings(scene), 50);
    const ModeResults r = measureModes("random200", scene, {0.5f, 0.5f, 1.25f, nullptr});
    EXPECT_LT(r.painter.wrongPercent(), 1.0);
    EXPECT_LT(r.visiblePainter.wrongPercent(), 1.0);
}
