// The coordinate pipeline's page mapping, the pending point buffer, and polyline and point
// capture and clipping, seen through a recording format.
#include "CaptureTestSupport.h"
#include "scene/nodes/SoLabel.h"
#include "scene/nodes/SoMatrixTransform.h"

using namespace capture_test;

namespace {
// Records the capacity of the point buffer after every line segment the action captured.
class GrowthWatchingAction : public RecordingAction {
public:
    std::vector<int> capacities;

protected:
    void prepareAction(SoCallbackAction &action) override {
        RecordingAction::prepareAction(action);
        action.addLineSegmentCallback(SoShape::getClassTypeId(), afterSegment, this);
    }

private:
    static void afterSegment(void *data, SoCallbackAction *, const SoPrimitiveVertex *,
                             const SoPrimitiveVertex *) {
        GrowthWatchingAction *self = static_cast<GrowthWatchingAction *>(data);
        const int size = self->getPointBufferSize();
        if (self->capacities.empty() || self->capacities.back() != size)
            self->capacities.push_back(size);
    }
};
} // namespace

TEST(PipelineTest, NpcCornersAndCentreLandOnTheDrawingsCornersAndCentre) {
    Scene scene;
    scene.add(coordinates({SbVec3f(-1, -1, 0), SbVec3f(0, 0, 0), SbVec3f(1, 1, 0)}));
    scene.add(new SoPointSet);
    RecordingAction action;
    action.apply(scene.root);
    EXPECT_EQ(action.kinds(), "header background clip marks border footer");
    std::vector<RecordedCall> marks = action.callsOf("marks");
    ASSERT_EQ(marks.size(), 1u);
    ASSERT_EQ(marks[0].points.size(), 3u);
    expectPagePoint(marks[0].points[0], 0.0f, 0.0f);
    expectPagePoint(marks[0].points[1], 95.0f, 138.5f);
    expectPagePoint(marks[0].points[2], 190.0f, 277.0f);
    // z and w are what the pipeline produced.
    EXPECT_EQ(marks[0].points[1][2], 0.0f);
    EXPECT_EQ(marks[0].points[1][3], 1.0f);
}

TEST(PipelineTest, AHalfViewportMapsNpcToItsHalfOfTheDrawing) {
    Scene scene;
    scene.add(new SoLabel);
    scene.add(coordinates({SbVec3f(-1, 0, 0), SbVec3f(1, 0, 0), SbVec3f(0, -1, 0)}));
    scene.add(new SoPointSet);
    HalfViewportAction action;
    action.apply(scene.root);
    std::vector<RecordedCall> marks = action.callsOf("marks");
    ASSERT_EQ(marks.size(), 1u);
    ASSERT_EQ(marks[0].points.size(), 3u);
    expectPagePoint(marks[0].points[0], 95.0f, 138.5f);
    expectPagePoint(marks[0].points[1], 190.0f, 138.5f);
    expectPagePoint(marks[0].points[2], 142.5f, 0.0f);
}

TEST(PipelineTest, AHomogeneousWIsKeptUntilTheClippingDivides) {
    // The matrix gives every point w = 2: (1.5, 0.5, 0, 1) becomes (1.5, 0.5, 0, 2), which the
    // clipping divides to NPC (0.75, 0.25); (3, 0, 0) divides to x = 1.5 and is dropped.
    Scene scene;
    SoMatrixTransform *transform = scene.add(new SoMatrixTransform);
    transform->matrix = SbMatrix(1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 2);
    scene.add(coordinates({SbVec3f(1.5f, 0.5f, 0), SbVec3f(3, 0, 0)}));
    scene.add(new SoPointSet);
    RecordingAction action;
    action.apply(scene.root);
    std::vector<RecordedCall> marks = action.callsOf("marks");
    ASSERT_EQ(marks.size(), 1u);
    ASSERT_EQ(marks[0].points.size(), 1u);
    expectPagePoint(marks[0].points[0], 1.75f * 95.0f, 1.25f * 138.5f);
    EXPECT_EQ(marks[0].points[0][3], 1.0f);
}

TEST(LineCaptureTest, AStripOfAHundredSegmentsIsOnePolylineAndTheBufferDoubles) {
    Scene scene;
    SoCoordinate3 *coords = scene.add(new SoCoordinate3);
    for (int i = 0; i <= 100; i++)
        coords->point.set1Value(i, SbVec3f(-0.9f + 0.018f * i, (i % 2) * 0.5f, 0));
    scene.add(new SoLineSet);
    GrowthWatchingAction action;
    action.apply(scene.root);
    EXPECT_EQ(action.kinds(), "header background clip polyline border footer");
    EXPECT_EQ(action.capacities, (std::vector<int>{10, 20, 40, 80, 160}));
    std::vector<RecordedCall> lines = action.callsOf("polyline");
    ASSERT_EQ(lines.size(), 1u);
    ASSERT_EQ(lines[0].points.size(), 101u);
    for (int i : {0, 1, 50, 99, 100})
        expectPagePoint(lines[0].points[i], pageX(-0.9f + 0.018f * i), pageY((i % 2) * 0.5f));
    // One colour for the whole line (the default grey), default width and solid pattern.
    EXPECT_EQ(lines[0].multiColor, 0);
    ASSERT_EQ(lines[0].colors.size(), 1u);
    expectColor(lines[0].colors[0], 0.8f, 0.8f, 0.8f);
    EXPECT_EQ(lines[0].pattern, 0xFFFF);
}

TEST(LineCaptureTest, TwoStripsOfOneNodeAreTwoPolylines) {
    Scene scene;
    scene.add(coordinates({SbVec3f(0, 0, 0), SbVec3f(0.5f, 0, 0), SbVec3f(0.5f, 0.5f, 0),
                           SbVec3f(-0.5f, 0, 0), SbVec3f(-0.5f, -0.5f, 0), SbVec3f(-0.2f, -0.5f, 0),
                           SbVec3f(-0.2f, -0.8f, 0)}));
    SoLineSet *lines = scene.add(new SoLineSet);
    lines->numVertices.set1Value(0, 3);
    lines->numVertices.set1Value(1, 4);
    RecordingAction action;
    action.apply(scene.root);
    std::vector<RecordedCall> polylines = action.callsOf("polyline");
    ASSERT_EQ(polylines.size(), 2u);
    ASSERT_EQ(polylines[0].points.size(), 3u);
    ASSERT_EQ(polylines[1].points.size(), 4u);
    expectPagePoint(polylines[0].points[2], pageX(0.5f), pageY(0.5f));
    expectPagePoint(polylines[1].points[0], pageX(-0.5f), pageY(0));
    expectPagePoint(polylines[1].points[3], pageX(-0.2f), pageY(-0.8f));
}

TEST(LineCaptureTest, TransparentEndsShortenOrDropStrips) {
    const SbColor grey(0.5f, 0.5f, 0.5f);
    {
        // Last vertex fully transparent: the strip ends one point early.
        Scene scene;
        addPerVertexMaterial(scene, {grey}, {0, 0, 0, 1});
        addLineStrip(scene, {SbVec3f(0, 0, 0), SbVec3f(0.2f, 0, 0), SbVec3f(0.4f, 0, 0),
                             SbVec3f(0.6f, 0, 0)});
        RecordingAction action;
        action.apply(scene.root);
        std::vector<RecordedCall> lines = action.callsOf("polyline");
        ASSERT_EQ(lines.size(), 1u);
        ASSERT_EQ(lines[0].points.size(), 3u);
        expectPagePoint(lines[0].points[2], pageX(0.4f), pageY(0));
    }
    {
        // Both ends of the only segment transparent: nothing.
        Scene scene;
        addPerVertexMaterial(scene, {grey}, {1, 1});
        addLineStrip(scene, {SbVec3f(0, 0, 0), SbVec3f(0.2f, 0, 0)});
        RecordingAction action;
        action.apply(scene.root);
        EXPECT_EQ(primitiveKinds(action), "");
    }
    {
        // A transparent vertex in the middle breaks the strip: the first piece stops before it,
        // the second starts on it (a segment with one visible end is kept whole).
        Scene scene;
        addPerVertexMaterial(scene, {grey}, {0, 0, 1, 0, 0});
        addLineStrip(scene, {SbVec3f(0, 0, 0), SbVec3f(0.2f, 0, 0), SbVec3f(0.4f, 0, 0),
                             SbVec3f(0.6f, 0, 0), SbVec3f(0.8f, 0, 0)});
        RecordingAction action;
        action.apply(scene.root);
        std::vector<RecordedCall> lines = action.callsOf("polyline");
        ASSERT_EQ(lines.size(), 2u);
        ASSERT_EQ(lines[0].points.size(), 2u);
        ASSERT_EQ(lines[1].points.size(), 3u);
        expectPagePoint(lines[0].points[1], pageX(0.2f), pageY(0));
        expectPagePoint(lines[1].points[0], pageX(0.4f), pageY(0));
        expectPagePoint(lines[1].points[2], pageX(0.8f), pageY(0));
    }
}

TEST(LineClipTest, AStripThatLeavesAndComesBackIsTwoPiecesMeetingTheEdge) {
    Scene scene;
    addPerVertexMaterial(scene,
                         {SbColor(1, 0, 0), SbColor(0, 1, 0), SbColor(0, 0, 1), SbColor(1, 1, 0)});
    addLineStrip(scene,
                 {SbVec3f(0, 0, 0), SbVec3f(2, 0, 0), SbVec3f(2, 0.5f, 0), SbVec3f(0, 0.5f, 0)});
    RecordingAction action;
    action.apply(scene.root);
    std::vector<RecordedCall> lines = action.callsOf("polyline");
    ASSERT_EQ(lines.size(), 2u);
    ASSERT_EQ(lines[0].points.size(), 2u);
    ASSERT_EQ(lines[1].points.size(), 2u);
    expectPagePoint(lines[0].points[0], 95.0f, 138.5f);
    expectPagePoint(lines[0].points[1], 190.0f, 138.5f);  // ends on x = 1
    expectPagePoint(lines[1].points[0], 190.0f, 207.75f); // begins on x = 1
    expectPagePoint(lines[1].points[1], 95.0f, 207.75f);
    // Halfway crossings take the mean of the two colours.
    EXPECT_EQ(lines[0].multiColor, 1);
    ASSERT_EQ(lines[0].colors.size(), 2u);
    expectColor(lines[0].colors[0], 1, 0, 0);
    expectColor(lines[0].colors[1], 0.5f, 0.5f, 0);
    ASSERT_EQ(lines[1].colors.size(), 2u);
    expectColor(lines[1].colors[0], 0.5f, 0.5f, 0.5f);
    expectColor(lines[1].colors[1], 1, 1, 0);
}

TEST(LineClipTest, APointOnALimitIsInsideAndNotMoved) {
    Scene scene;
    addLineStrip(scene,
                 {SbVec3f(0, 0, 0), SbVec3f(1, 0.5f, 0), SbVec3f(0.5f, 1, 0), SbVec3f(-1, -1, 0)});
    RecordingAction action;
    action.apply(scene.root);
    std::vector<RecordedCall> lines = action.callsOf("polyline");
    ASSERT_EQ(lines.size(), 1u);
    ASSERT_EQ(lines[0].points.size(), 4u);
    EXPECT_EQ(lines[0].points[1][0], 190.0f);
    EXPECT_EQ(lines[0].points[2][1], 277.0f);
    EXPECT_EQ(lines[0].points[3][0], 0.0f);
    EXPECT_EQ(lines[0].points[3][1], 0.0f);
}

TEST(LineClipTest, TheNearPlaneCutsAStripAndWhatIsInFrontIsDropped) {
    // Near plane at clip z = -1: the segment from z = 0 to z = -3 is cut a third of the way,
    // at x = 0.2; a strip wholly in front of it prints nothing.
    Scene scene;
    addLineStrip(scene, {SbVec3f(0, 0, 0), SbVec3f(0.6f, 0, -3)});
    scene.add(coordinates({SbVec3f(0, 0.5f, -1.5f), SbVec3f(0.5f, 0.5f, -2)}));
    scene.add(new SoLineSet);
    RecordingAction action;
    action.apply(scene.root);
    std::vector<RecordedCall> lines = action.callsOf("polyline");
    ASSERT_EQ(lines.size(), 1u);
    ASSERT_EQ(lines[0].points.size(), 2u);
    expectPagePoint(lines[0].points[1], pageX(0.2f), pageY(0));
    EXPECT_NEAR(lines[0].points[1][2], -1.0f, 1e-6f);
    EXPECT_EQ(lines[0].points[1][3], 1.0f);
}

TEST(LineClipTest, BeyondTheFarPlaneOrOutsideTheSquareNothingIsPrinted) {
    Scene scene;
    addLineStrip(scene, {SbVec3f(0, 0, 1.5f), SbVec3f(0.5f, 0, 2)});
    scene.add(coordinates({SbVec3f(-0.5f, 1.2f, 0), SbVec3f(0.5f, 1.5f, 0)}));
    scene.add(new SoLineSet);
    scene.add(coordinates({SbVec3f(-1.2f, 0, 0), SbVec3f(-1.5f, 0.5f, 0)}));
    scene.add(new SoLineSet);
    RecordingAction action;
    action.apply(scene.root);
    EXPECT_EQ(primitiveKinds(action), "");
}

TEST(LineClipTest, DrawStylesChooseLinesDotsOrNothing) {
    {
        Scene scene;
        SoDrawStyle *style = addDrawStyle(scene, SoDrawStyle::LINES);
        style->lineWidth = 3.0f;
        style->linePattern = 0x00FF;
        addLineStrip(scene, {SbVec3f(0, 0, 0), SbVec3f(0.5f, 0, 0)});
        RecordingAction action;
        action.apply(scene.root);
        std::vector<RecordedCall> lines = action.callsOf("polyline");
        ASSERT_EQ(lines.size(), 1u);
        EXPECT_EQ(lines[0].size, 3.0f);
        EXPECT_EQ(lines[0].pattern, 0x00FF);
    }
    {
        Scene scene;
        SoDrawStyle *style = addDrawStyle(scene, SoDrawStyle::POINTS);
        style->pointSize = 4.0f;
        addLineStrip(scene, {SbVec3f(0, 0, 0), SbVec3f(0.5f, 0, 0), SbVec3f(0.5f, 0.5f, 0)});
        RecordingAction action;
        action.apply(scene.root);
        EXPECT_EQ(primitiveKinds(action), "marks");
        std::vector<RecordedCall> marks = action.callsOf("marks");
        ASSERT_EQ(marks.size(), 1u);
        EXPECT_EQ(marks[0].points.size(), 3u);
        EXPECT_EQ(marks[0].size, 4.0f);
    }
    {
        Scene scene;
        addDrawStyle(scene, SoDrawStyle::INVISIBLE);
        addLineStrip(scene, {SbVec3f(0, 0, 0), SbVec3f(0.5f, 0, 0)});
        scene.add(new SoPointSet);
        RecordingAction action;
        action.apply(scene.root);
        EXPECT_EQ(primitiveKinds(action), "");
    }
}

TEST(PointCaptureTest, EachPointSetIsOneCallOfItsVisiblePoints) {
    Scene scene;
    addPerVertexMaterial(scene, {SbColor(1, 0, 0), SbColor(0, 1, 0), SbColor(0, 0, 1)}, {0, 1, 0});
    scene.add(coordinates({SbVec3f(0, 0, 0), SbVec3f(0.5f, 0, 0), SbVec3f(0, 0.5f, 0)}));
    scene.add(new SoPointSet);
    SoPointSet *second = scene.add(new SoPointSet);
    second->numPoints = 1;
    RecordingAction action;
    action.apply(scene.root);
    std::vector<RecordedCall> marks = action.callsOf("marks");
    ASSERT_EQ(marks.size(), 2u);
    // The transparent middle point is not counted.
    ASSERT_EQ(marks[0].points.size(), 2u);
    expectPagePoint(marks[0].points[1], pageX(0), pageY(0.5f));
    EXPECT_EQ(marks[0].multiColor, 1);
    ASSERT_EQ(marks[0].colors.size(), 2u);
    expectColor(marks[0].colors[1], 0, 0, 1);
    EXPECT_EQ(marks[1].points.size(), 1u);
}

TEST(RemovalModeTest, WithoutADriverARemovalModePrintsAsHiddenNone) {
    Scene scene;
    addLineStrip(scene, {SbVec3f(0, 0, 0), SbVec3f(2, 0, 0)});
    addTriangle(scene, SbVec3f(-0.5f, -0.5f, 0), SbVec3f(0.5f, -0.5f, 0), SbVec3f(0, 0.5f, 0));
    for (SoVectorizeAction::HLHSRMode mode :
         {SoVectorizeAction::HIDDEN_BY_DEPTH_SORT, SoVectorizeAction::HIDDEN_BY_PAINTER,
          SoVectorizeAction::HIDDEN_BY_VISIBLE_PAINTER,
          SoVectorizeAction::HIDDEN_BY_EDGE_SPLITTING}) {
        RecordingAction action;
        action.setHLHSRMode(mode);
        action.apply(scene.root);
        EXPECT_EQ(action.kinds(), "header background clip polyline polygon border footer")
            << "mode " << mode;
        std::vector<RecordedCall> lines = action.callsOf("polyline");
        ASSERT_EQ(lines.size(), 1u);
        // Projected to the page, not left in NPC.
        expectPagePoint(lines[0].points[1], 190.0f, 138.5f);
        std::vector<RecordedCall> polygons = action.callsOf("polygon");
        ASSERT_EQ(polygons.size(), 1u);
        expectPagePoint(polygons[0].points[2], 95.0f, pageY(0.5f));
    }
}
