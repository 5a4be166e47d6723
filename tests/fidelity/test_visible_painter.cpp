// The visible-painter mode through the action: the back of a closed sphere is dropped, and on the
// closed meshes of the removal benchmarks the drawing keeps at most 60 % of the painter's polygons.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <vector>

#include "HlhsrScenes.h"
#include "RecordingAction.h"
#include "scene/nodes/SoComplexity.h"
#include "scene/nodes/SoDirectionalLight.h"
#include "scene/nodes/SoOrthographicCamera.h"
#include "scene/nodes/SoSeparator.h"
#include "scene/nodes/SoSphere.h"
#include "scrivane/SoScrivane.h"

namespace {

// The polygons an action prints for the scene in one removal mode.
std::vector<RecordedCall> polygonsDrawn(SoNode *root, SoVectorizeAction::HLHSRMode mode) {
    RecordingAction action;
    action.enableLighting(1);
    action.setHLHSRMode(mode);
    action.apply(root);
    return action.callsOf("polygon");
}

TEST(VisiblePainterTest, ClosedLitSphereLosesItsBackFaces) {
    SoScrivane::init();
    SoSeparator *root = new SoSeparator;
    root->ref();
    SoOrthographicCamera *camera = new SoOrthographicCamera;
    camera->position.setValue(0, 0, 5);
    camera->height.setValue(2.5f);
    root->addChild(camera);
    root->addChild(new SoDirectionalLight);
    SoComplexity *complexity = new SoComplexity;
    complexity->value.setValue(0.8f);
    root->addChild(complexity);
    root->addChild(new SoSphere);

    const std::vector<RecordedCall> painter =
        polygonsDrawn(root, SoVectorizeAction::HIDDEN_BY_PAINTER);
    const std::vector<RecordedCall> visible =
        polygonsDrawn(root, SoVectorizeAction::HIDDEN_BY_VISIBLE_PAINTER);
    root->unref();
    ASSERT_GT(painter.size(), 200u);

    // The camera is orthographic, so depth is linear in the sphere's z: the centre's depth is
    // halfway between the nearest and the farthest point drawn. A polygon whose points all lie
    // beyond it belongs to the back half, one whose points all lie before it to the front half.
    float zmin = 1e30f, zmax = -1e30f;
    for (const RecordedCall &c : painter)
        for (const SbVec4f &p : c.points) {
            zmin = std::min(zmin, p[2]);
            zmax = std::max(zmax, p[2]);
        }
    const float centre = 0.5f * (zmin + zmax), tolerance = 1e-4f * (zmax - zmin);
    auto count = [&](const std::vector<RecordedCall> &calls, bool back) {
        int n = 0;
        for (const RecordedCall &c : calls) {
            bool all = true;
            for (const SbVec4f &p : c.points)
                all = all && (back ? p[2] > centre + tolerance : p[2] < centre - tolerance);
            n += all;
        }
        return n;
    };
    // The finder keeps a polygon whose area term is below 2 square pixels without looking at
    // its pixels. The term sums the open chain of points in NPC without the closing edge, so it
    // is near zero for a large triangle whose chain passes close to the origin: the one back
    // face behind the sphere's centre, where the NPC origin lies, may stay for that reason.
    const int backDrawn = count(painter, true), backKept = count(visible, true);
    EXPECT_GT(backDrawn, static_cast<int>(painter.size()) / 3);
    EXPECT_LE(backKept * 100, backDrawn);
    EXPECT_EQ(count(visible, false), count(painter, false));
    EXPECT_LT(visible.size(), painter.size() * 6 / 10);
    std::printf(
        "sphere: painter draws %zu polygons (%d in the back half), visible painter %zu (%d)\n",
        painter.size(), backDrawn, visible.size(), backKept);
}

// The knot and the sphere of the benchmarks at about 10^4 triangles, lit, seen obliquely.
TEST(VisiblePainterTest, ClosedMeshesKeepAtMostSixtyPercentOfThePaintersPolygons) {
    SoScrivane::init();
    for (const int kind : {bench_scenes::KNOT, bench_scenes::SPHERE}) {
        int triangles = 0;
        SoSeparator *root = bench_scenes::buildScene(kind, 10000, triangles);
        root->ref();
        const size_t painter = polygonsDrawn(root, SoVectorizeAction::HIDDEN_BY_PAINTER).size();
        const size_t visible =
            polygonsDrawn(root, SoVectorizeAction::HIDDEN_BY_VISIBLE_PAINTER).size();
        root->unref();
        std::printf("visible-painter polygons %s (%d triangles): painter %zu, visible painter %zu "
                    "= %.1f%%\n",
                    bench_scenes::kindName(kind), triangles, painter, visible,
                    100.0 * visible / painter);
        EXPECT_GT(painter * 10, static_cast<size_t>(triangles) * 9) << bench_scenes::kindName(kind);
        EXPECT_LE(visible * 10, painter * 6) << bench_scenes::kindName(kind);
        // Something is drawn: the visible side of the mesh.
        EXPECT_GT(visible * 4, painter) << bench_scenes::kindName(kind);
    }
}

} // namespace
