// The apply lifecycle, page mode, the camera callback and viewport changes, seen through a
// recording format.
#include <gtest/gtest.h>
#include "RecordingAction.h"
#include "scene/elements/SoViewportRegionElement.h"
#include "scene/misc/SoPath.h"
#include "scene/misc/SoState.h"
#include "scene/nodes/SoCube.h"
#include "scene/nodes/SoLabel.h"
#include "scene/nodes/SoOrthographicCamera.h"
#include "scene/nodes/SoSeparator.h"
#include "scrivane/SoScrivane.h"

namespace {
struct FrameTest : ::testing::Test {
    void SetUp() override {
        SoScrivane::init();
        root = new SoSeparator;
        root->ref();
        root->addChild(new SoOrthographicCamera);
        cube = new SoCube;
        root->addChild(cube);
    }
    void TearDown() override { root->unref(); }
    SoSeparator *root = nullptr;
    SoCube *cube = nullptr;
};

// Switches the viewport to the right half of the window when the traversal meets a label.
class ViewportSwitchingAction : public RecordingAction {
protected:
    void prepareAction(SoCallbackAction &action) override {
        RecordingAction::prepareAction(action);
        action.addPreCallback(SoLabel::getClassTypeId(), halfViewport, nullptr);
    }

private:
    static SoCallbackAction::Response halfViewport(void *, SoCallbackAction *action, const SoNode *) {
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
    EXPECT_EQ(action.frameKinds(), "header background clip border footer");
    // The cube's faces arrive between the clip and the border.
    EXPECT_EQ(action.kinds().find("header background clip polygon"), 0u);
    EXPECT_NE(action.kinds().find("polygon border footer"), std::string::npos);

    RecordingAction onPath;
    SoPath *path = new SoPath(root);
    path->ref();
    path->append(1);
    onPath.apply(path);
    EXPECT_EQ(onPath.frameKinds(), "header background clip border footer");

    RecordingAction onList;
    SoPathList list;
    list.append(path);
    onList.apply(list);
    EXPECT_EQ(onList.frameKinds(), "header background clip border footer");
    path->unref();
}

TEST_F(FrameTest, EachApplyOutsidePageModeIsADocumentAndPagesShareOne) {
    RecordingAction twice;
    twice.apply(root);
    twice.apply(root);
    EXPECT_EQ(twice.frameKinds(), "header background clip border footer header background clip border footer");

    RecordingAction paged;
    paged.beginPage(SbVec2f(0, 0), SbVec2f(210, 297));
    for (int i = 0; i < 3; i++) paged.apply(root);
    paged.endPage();
    EXPECT_EQ(paged.frameKinds(), "header background clip border background clip border background clip border footer");

    // A second page starts with a new header.
    paged.calls().clear();
    paged.beginPage(SbVec2f(0, 0), SbVec2f(210, 297));
    paged.apply(root);
    paged.endPage();
    EXPECT_EQ(paged.frameKinds(), "header background clip border footer");
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
    for (const RecordedCall &c : log) footers += c.kind == "footer";
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

TEST_F(FrameTest, AViewportChangeMidTraversalEmitsTheClipAgain) {
    ViewportSwitchingAction action;
    root->addChild(new SoLabel);
    root->addChild(new SoCube);
    action.apply(root);
    EXPECT_EQ(action.frameKinds(), "header background clip clip border footer");
    // The limits follow the last viewport: the right half of the default drawing.
    SbBox2f limits = action.getClippingLimits();
    EXPECT_FLOAT_EQ(limits.getMin()[0], 95.0f);
    EXPECT_FLOAT_EQ(limits.getMin()[1], 0.0f);
    EXPECT_FLOAT_EQ(limits.getMax()[0], 190.0f);
    EXPECT_FLOAT_EQ(limits.getMax()[1], 277.0f);
    EXPECT_FLOAT_EQ(action.getViewportWidth(), 95.0f);
}

TEST_F(FrameTest, ARemovalModeWithoutPrimitivesWritesOnlyTheFrame) {
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
    EXPECT_EQ(SoVectorizeAction::getClassTypeId().getName(), SbName("SoVectorizeAction"));
}
