// The coordinate pipeline's page mapping, the pending point buffer, and polyline and point
// capture and clipping, seen through a recording format.
#include "CaptureTestSupport.h"

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

TEST(PipelineTest, NpcLandsOnTheDrawingAndAHomogeneousWIsKeptUntilTheClippingDivides) {
    // NPC corners and centre land on the drawing's corners and centre.
    const Printed corners = print("Coordinate3 { point [ -1 -1 0, 0 0 0, 1 1 0 ] } PointSet { }");
    ASSERT_EQ(corners.kinds, "marks");
    expectNpc(corners.calls[0], {{-1, -1}, {0, 0}, {1, 1}});
    EXPECT_EQ(corners.calls[0].points[2], SbVec4f(190, 277, 0, 1)); // z and w from the pipeline
    // Every point gets w = 2: (1.5, 0.5, 0) divides to NPC (0.75, 0.25); (3, 0, 0) to x = 1.5,
    // which is dropped.
    const Printed p = print("MatrixTransform { matrix 1 0 0 0 0 1 0 0 0 0 1 0 0 0 0 2 } "
                            "Coordinate3 { point [ 1.5 0.5 0, 3 0 0 ] } PointSet { }");
    ASSERT_EQ(p.kinds, "marks");
    expectNpc(p.calls[0], {{0.75f, 0.25f}});
    EXPECT_EQ(p.calls[0].points[0][3], 1.0f);
}

TEST(LineCaptureTest, AStripOfAHundredSegmentsIsOnePolylineAndTheBufferDoubles) {
    std::string points;
    for (int i = 0; i <= 100; i++)
        points +=
            (i ? ", " : "") + std::to_string(-0.9f + 0.018f * i) + (i % 2 ? " 0.5 0" : " 0 0");
    GrowthWatchingAction action;
    const Printed p = print("Coordinate3 { point [ " + points + " ] } LineSet { }", action);
    EXPECT_EQ(action.capacities, (std::vector<int>{10, 20, 40, 80, 160}));
    ASSERT_EQ(p.kinds, "polyline");
    const RecordedCall &line = p.calls[0];
    ASSERT_EQ(line.points.size(), 101u);
    for (int i : {0, 1, 50, 99, 100})
        expectPagePoint(line.points[i], pageX(-0.9f + 0.018f * i), pageY((i % 2) * 0.5f));
    // One colour for the whole line (the default grey), default width and solid pattern.
    EXPECT_EQ(line.multiColor, 0);
    expectColors(line, {SbColor(0.8f, 0.8f, 0.8f)});
    EXPECT_EQ(line.pattern, 0xFFFF);
}

TEST(LineCaptureTest, TwoStripsOfOneNodeAreTwoPolylines) {
    const Printed p = print("Coordinate3 { point [ 0 0 0, 0.5 0 0, 0.5 0.5 0, -0.5 0 0, "
                            "-0.5 -0.5 0, -0.2 -0.5 0, -0.2 -0.8 0 ] } "
                            "LineSet { numVertices [ 3, 4 ] }");
    ASSERT_EQ(p.kinds, "polyline polyline");
    expectNpc(p.calls[0], {{0, 0}, {0.5f, 0}, {0.5f, 0.5f}});
    expectNpc(p.calls[1], {{-0.5f, 0}, {-0.5f, -0.5f}, {-0.2f, -0.5f}, {-0.2f, -0.8f}});
}

TEST(LineCaptureTest, TransparentEndsShortenOrDropStrips) {
    // A transparent last vertex ends the strip one point early; a transparent vertex in the
    // middle breaks it (a segment with one visible end is kept whole); an only segment with
    // both ends transparent prints nothing.
    const struct {
        const char *transparency, *points;
        std::vector<std::vector<std::pair<float, float>>> pieces;
    } cases[] = {
        {"0, 0, 0, 1", "0 0 0, 0.2 0 0, 0.4 0 0, 0.6 0 0", {{{0, 0}, {0.2f, 0}, {0.4f, 0}}}},
        {"0, 0, 1, 0, 0",
         "0 0 0, 0.2 0 0, 0.4 0 0, 0.6 0 0, 0.8 0 0",
         {{{0, 0}, {0.2f, 0}}, {{0.4f, 0}, {0.6f, 0}, {0.8f, 0}}}},
        {"1, 1", "0 0 0, 0.2 0 0", {}}};
    for (const auto &c : cases) {
        const Printed p = print(std::string("Material { transparency [ ") + c.transparency +
                                " ] } MaterialBinding { value PER_VERTEX } Coordinate3 { point [ " +
                                c.points + " ] } LineSet { }");
        ASSERT_EQ(p.calls.size(), c.pieces.size()) << p.kinds;
        for (size_t i = 0; i < c.pieces.size(); i++)
            expectNpc(p.calls[i], c.pieces[i]);
    }
}

TEST(LineClipTest, AStripThatLeavesAndComesBackIsTwoPiecesMeetingTheEdge) {
    const Printed p = print("Material { diffuseColor [ 1 0 0, 0 1 0, 0 0 1, 1 1 0 ] } "
                            "MaterialBinding { value PER_VERTEX } "
                            "Coordinate3 { point [ 0 0 0, 2 0 0, 2 0.5 0, 0 0.5 0 ] } LineSet { }");
    ASSERT_EQ(p.kinds, "polyline polyline");
    expectNpc(p.calls[0], {{0, 0}, {1, 0}});       // ends on x = 1
    expectNpc(p.calls[1], {{1, 0.5f}, {0, 0.5f}}); // begins on x = 1
    // Halfway crossings take the mean of the two colours.
    EXPECT_EQ(p.calls[0].multiColor, 1);
    expectColors(p.calls[0], {red, SbColor(0.5f, 0.5f, 0)});
    expectColors(p.calls[1], {SbColor(0.5f, 0.5f, 0.5f), SbColor(1, 1, 0)});
}

TEST(LineClipTest, APointOnALimitIsInsideAndNotMoved) {
    const Printed p =
        print("Coordinate3 { point [ 0 0 0, 1 0.5 0, 0.5 1 0, -1 -1 0 ] } LineSet { }");
    ASSERT_EQ(p.kinds, "polyline");
    ASSERT_EQ(p.calls[0].points.size(), 4u);
    EXPECT_EQ(p.calls[0].points[1][0], 190.0f);
    EXPECT_EQ(p.calls[0].points[2][1], 277.0f);
    EXPECT_EQ(p.calls[0].points[3], SbVec4f(0, 0, 0, 1));
}

TEST(LineClipTest, TheNearPlaneCutsAStripAndWhatIsOutsideIsDropped) {
    // Near plane at clip z = -1: the segment from z = 0 to z = -3 is cut a third of the way, at
    // x = 0.2. Strips wholly in front of it, beyond the far plane, or beside the square print
    // nothing.
    const Printed p = print("Coordinate3 { point [ 0 0 0, 0.6 0 -3, 0 0.5 -1.5, 0.5 0.5 -2, "
                            "0 0 1.5, 0.5 0 2, -0.5 1.2 0, 0.5 1.5 0, -1.2 0 0, -1.5 0.5 0 ] } "
                            "LineSet { numVertices [ 2, 2, 2, 2, 2 ] }");
    ASSERT_EQ(p.kinds, "polyline");
    expectNpc(p.calls[0], {{0, 0}, {0.2f, 0}});
    EXPECT_NEAR(p.calls[0].points[1][2], -1.0f, 1e-6f);
    EXPECT_EQ(p.calls[0].points[1][3], 1.0f);
}

TEST(DrawStyleTest, LinesGiveOutlinesPointsGiveDotsInvisibleGivesNothing) {
    // A strip, a per-vertex coloured triangle, a marker set on the triangle's corners, a point
    // set and an image under each style.
    const struct {
        const char *style, *kinds;
    } cases[] = {{"LINES", "polyline polyline markerset marks image"},
                 {"POINTS", "marks marks markerset marks image"},
                 {"INVISIBLE", ""}};
    for (const auto &c : cases) {
        const Printed p = print(
            std::string("DrawStyle { lineWidth 3 linePattern 0x00FF pointSize 4 style ") + c.style +
            " } Coordinate3 { point [ 0 0 0, 0.5 0 0 ] } LineSet { } " + kRgbPerVertex +
            "Coordinate3 { point [ 0 0 0, 0.5 0 0, 0 0.5 0 ] } FaceSet { } MarkerSet { } "
            "PointSet { } Image { image 1 1 1 0xc8 }");
        ASSERT_EQ(p.kinds, c.kinds) << c.style;
        if (p.kinds.empty()) continue;
        const bool lines = std::string(c.style) == "LINES";
        expectNpc(p.calls[0], {{0, 0}, {0.5f, 0}});
        const RecordedCall &triangle = p.calls[1];
        for (const RecordedCall *call : {&p.calls[0], &triangle})
            EXPECT_EQ(call->size, lines ? 3.0f : 4.0f);
        if (lines) {
            // The triangle's outline is closed, in its vertex colours.
            expectNpc(triangle, {{0, 0}, {0.5f, 0}, {0, 0.5f}, {0, 0}});
            EXPECT_EQ(triangle.multiColor, 1);
            expectColors(triangle, {red, green, blue, red});
            EXPECT_EQ(p.calls[0].pattern, 0x00FF);
            EXPECT_EQ(triangle.pattern, 0x00FF);
        } else {
            expectNpc(triangle, {{0, 0}, {0.5f, 0}, {0, 0.5f}});
        }
    }
}

TEST(PointCaptureTest, EachPointSetIsOneCallOfItsVisiblePoints) {
    const Printed p = print("Material { diffuseColor [ 1 0 0, 0 1 0, 0 0 1 ] "
                            "transparency [ 0, 1, 0 ] } MaterialBinding { value PER_VERTEX } "
                            "Coordinate3 { point [ 0 0 0, 0.5 0 0, 0 0.5 0 ] } "
                            "PointSet { } PointSet { numPoints 1 }");
    ASSERT_EQ(p.kinds, "marks marks");
    // The transparent middle point is not counted.
    expectNpc(p.calls[0], {{0, 0}, {0, 0.5f}});
    EXPECT_EQ(p.calls[0].multiColor, 1);
    expectColors(p.calls[0], {red, blue});
    expectNpc(p.calls[1], {{0, 0}});
}

TEST(RemovalModeTest, RemovalModesKeepNpcAndProjectWhenTheRunEnds) {
    const std::string scene = "Coordinate3 { point [ 0 0 0, 2 0 0 ] } LineSet { } "
                              "Coordinate3 { point [ -0.5 -0.5 0, 0.5 -0.5 0, 0 0.5 0 ] } FaceSet { }";
    // Depth sorting keeps the order of arrival at equal depths; the painter draws the line lying
    // on the face after the face.
    const struct {
        SoVectorizeAction::HLHSRMode mode;
        int line, face;
    } modes[] = {{SoVectorizeAction::HIDDEN_BY_DEPTH_SORT, 0, 1}, {SoVectorizeAction::HIDDEN_BY_PAINTER, 1, 0}};
    for (const auto &m : modes) {
        RecordingAction action;
        action.setHLHSRMode(m.mode);
        const Printed p = print(scene, action);
        ASSERT_EQ(p.calls.size(), 2u) << "mode " << m.mode;
        ASSERT_EQ(p.calls[m.line].kind, "polyline");
        // Clipped in NPC, projected to the page only when printed.
        expectNpc(p.calls[m.line], {{0, 0}, {1, 0}});
        expectNpc(p.calls[m.face], {{-0.5f, -0.5f}, {0, 0.5f}, {0.5f, -0.5f}}); // turned to face the observer
    }
    // Hidden lines: the face is drawn as its outline, the line where the face does not hide it.
    RecordingAction action;
    action.setHLHSRMode(SoVectorizeAction::HIDDEN_BY_EDGE_SPLITTING);
    const Printed p = print(scene, action);
    EXPECT_EQ(p.kinds.find("polygon"), std::string::npos);
    EXPECT_GE(p.calls.size(), 2u);
}
