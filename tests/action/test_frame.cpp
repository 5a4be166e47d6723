// The apply lifecycle, page mode, the camera callback and viewport changes, seen through a
// recording format.
#include "RecordingAction.h"
#include "scene/elements/SoViewportRegionElement.h"
#include "scene/misc/SoPath.h"
#include "scene/misc/SoState.h"
#include "scene/nodes/SoCoordinate3.h"
#include "scene/nodes/SoCube.h"
#include "scene/nodes/SoLabel.h"
#include "scene/nodes/SoOrthographicCamera.h"
#include "scene/nodes/SoPointSet.h"
#include "scene/nodes/SoSeparator.h"
#include "scrivane/SoScrivane.h"
#include <gtest/gtest.h>

namespace {
// A camera and a cube.
struct FrameTest : ::testing::Test {
    void SetUp() override {
        SoScrivane::init();
        root = new SoSeparator;
        root->ref();
        root->addChild(new SoOrthographicCamera);
        root->addChild(new SoCube);
    }
    void TearDown() override { root->unref(); }
    SoSeparator *root = nullptr;
};

const char *const kFrame = "header background clip border footer";

// Switches the viewport to the right half of the window when the traversal meets a label.
class ViewportSwitchingAction : public RecordingAction {
protected:
    void prepareAction(SoCallbackAction &action) override {
        RecordingAction::prepareAction(action);
        action.addPreCallback(SoLabel::getClassTypeId(), halfViewport, nullptr);
    }

private:
    static SoCallbackAction::Response halfViewport(void *, SoCallbackAction *action,
                                                   const SoNode *) {
        SbViewportRegion region = SoViewportRegionElement::get(action->getState());
        region.setViewport(0.5f, 0.0f, 0.5f, 1.0f);
        SoViewportRegionElement::set(action->getState(), region);
        return SoCallbackAction::CONTINUE;
    }
};
} // namespace

TEST_F(FrameTest, ApplyToNodePathAndPathListRunsTheSameLifecycle) {
    RecordingAction action;
    action.apply(root);
    EXPECT_EQ(action.frameKinds(), kFrame);
    // The cube's faces arrive between the clip and the border.
    EXPECT_EQ(action.kinds().find("header background clip polygon"), 0u);
    EXPECT_NE(action.kinds().find("polygon border footer"), std::string::npos);

    SoPath *path = new SoPath(root);
    path->ref();
    path->append(1);
    RecordingAction onPath, onList;
    onPath.apply(path);
    EXPECT_EQ(onPath.frameKinds(), kFrame);
    SoPathList list;
    list.append(path);
    onList.apply(list);
    EXPECT_EQ(onList.frameKinds(), kFrame);
    path->unref();
}

TEST_F(FrameTest, EachApplyOutsidePageModeIsADocumentAndPagesShareOne) {
    RecordingAction twice;
    twice.apply(root);
    twice.apply(root);
    EXPECT_EQ(twice.frameKinds(), std::string(kFrame) + " " + kFrame);

    RecordingAction paged;
    paged.beginPage(SbVec2f(0, 0), SbVec2f(210, 297));
    for (int i = 0; i < 3; i++)
        paged.apply(root);
    paged.endPage();
    EXPECT_EQ(paged.frameKinds(), "header background clip border background clip border "
                                  "background clip border footer");
    // A second page starts with a new header.
    paged.calls().clear();
    paged.beginPage(SbVec2f(0, 0), SbVec2f(210, 297));
    paged.apply(root);
    paged.endPage();
    EXPECT_EQ(paged.frameKinds(), kFrame);
}

TEST_F(FrameTest, DestroyingAnActionInsideAPageWritesTheFooterOnce) {
    std::vector<RecordedCall> log;
    {
        RecordingAction action(&log);
        action.beginPage(SbVec2f(0, 0), SbVec2f(210, 297));
        action.apply(root);
    }
    ASSERT_FALSE(log.empty());
    int footers = 0;
    for (const RecordedCall &c : log)
        footers += c.kind == "footer";
    EXPECT_EQ(footers, 1);
    EXPECT_EQ(log.back().kind, "footer");
}

TEST_F(FrameTest, TheCameraSeesTheDrawingsAspectRatio) {
    RecordingAction action;
    action.apply(root);
    // 190 / 277 x 10000 truncated.
    EXPECT_EQ(action.getViewportRegion().getWindowSize(), SbVec2i32(6859, 10000));
    action.setDrawingDimensions(100, 50);
    action.apply(root);
    EXPECT_EQ(action.getViewportRegion().getWindowSize(), SbVec2i32(20000, 10000));
}

TEST(ViewportTest, AViewportChangeMidTraversalEmitsTheClipAgainAndMapsToItsPart) {
    // Without a camera NPC (-1, 0), (1, 0) and (0, -1) land, in the right half of the default
    // drawing (190 x 277 mm), on its centre, the middle of its right edge and the middle of the
    // bottom of that half.
    SoScrivane::init();
    SoSeparator *root = new SoSeparator;
    root->ref();
    root->addChild(new SoCube);
    root->addChild(new SoLabel);
    SoCoordinate3 *coordinates = new SoCoordinate3;
    const float points[3][3] = {{-1, 0, 0}, {1, 0, 0}, {0, -1, 0}};
    coordinates->point.setValues(0, 3, points);
    root->addChild(coordinates);
    root->addChild(new SoPointSet);
    ViewportSwitchingAction action;
    action.apply(root);
    root->unref();
    EXPECT_EQ(action.frameKinds(), "header background clip clip border footer");
    const std::vector<RecordedCall> marks = action.callsOf("marks");
    ASSERT_EQ(marks.size(), 1u);
    ASSERT_EQ(marks[0].points.size(), 3u);
    const float expected[3][2] = {{95, 138.5f}, {190, 138.5f}, {142.5f, 0}};
    for (int i = 0; i < 3; i++) {
        EXPECT_NEAR(marks[0].points[i][0], expected[i][0], 1e-3f) << i;
        EXPECT_NEAR(marks[0].points[i][1], expected[i][1], 1e-3f) << i;
    }
    // The limits follow the last viewport.
    const SbBox2f limits = action.getClippingLimits();
    EXPECT_EQ(limits.getMin(), SbVec2f(95, 0));
    EXPECT_EQ(limits.getMax(), SbVec2f(190, 277));
    EXPECT_FLOAT_EQ(action.getViewportWidth(), 95.0f);
}

TEST(ViewportTest, ARemovalModeWithoutPrimitivesWritesOnlyTheFrame) {
    SoScrivane::init();
    RecordingAction action;
    action.setHLHSRMode(SoVectorizeAction::HIDDEN_BY_EDGE_SPLITTING);
    SoSeparator *empty = new SoSeparator;
    empty->ref();
    action.apply(empty);
    empty->unref();
    EXPECT_EQ(action.frameKinds(), "header background border footer");
}

TEST(ScrivaneTest, NameVersionAndOneTimeInit) {
    EXPECT_STREQ(SoScrivane::getProductName(), "Scrivane");
    EXPECT_STREQ(SoScrivane::getVersion(), "3.7");
    SoScrivane::init();
    SoScrivane::init();
    EXPECT_FALSE(SoType::fromName("SoCube").isBad());
    EXPECT_TRUE(SoVectorizeAction::getClassTypeId().isDerivedFrom(SoAction::getClassTypeId()));
}
