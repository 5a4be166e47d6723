// Joining of coplanar, same-coloured neighbouring triangles into one polygon, seen through a
// recording format.
#include "CaptureTestSupport.h"
#include <algorithm>

using namespace capture_test;

namespace {

// Twice the area of a printed polygon on the page, from the shoelace sum.
double pageArea(const RecordedCall &c) {
    double sum = 0;
    for (size_t i = 0; i < c.points.size(); i++) {
        const SbVec4f &a = c.points[i], &b = c.points[(i + 1) % c.points.size()];
        sum += double(a[0]) * b[1] - double(b[0]) * a[1];
    }
    return std::fabs(sum);
}

double totalArea(const Printed &p) {
    double sum = 0;
    for (const RecordedCall &c : p.calls)
        sum += pageArea(c);
    return sum;
}

// The call's points are these NPC points in this cyclic order, from any of them.
void expectOutline(const RecordedCall &call, std::vector<std::pair<float, float>> npc) {
    ASSERT_EQ(call.points.size(), npc.size());
    size_t start = 0;
    while (start < npc.size() && std::hypot(call.points[0][0] - pageX(npc[start].first),
                                            call.points[0][1] - pageY(npc[start].second)) > 1e-3)
        start++;
    ASSERT_LT(start, npc.size()) << "first point " << call.points[0][0] << " " << call.points[0][1];
    std::rotate(npc.begin(), npc.begin() + long(start), npc.end());
    expectNpc(call, npc);
}

// The vertex counts of the printed polygons, space separated.
std::string vertexCounts(const Printed &p) {
    std::string counts;
    for (const RecordedCall &c : p.calls)
        counts += (counts.empty() ? "" : " ") + std::to_string(c.points.size());
    return counts;
}

Printed printJoined(const std::string &inventor, bool join,
                    SoVectorizeAction::HLHSRMode mode = SoVectorizeAction::HIDDEN_NONE,
                    bool lighting = false) {
    RecordingAction action;
    action.setJoinCoplanarFaces(join ? 1 : 0);
    action.setHLHSRMode(mode);
    action.enableLighting(lighting ? 1 : 0);
    return print(inventor, action);
}

const char *const kLitCube =
    "OrthographicCamera { position 3 4 5 orientation -0.7 0.7 0 0.7 height 4 } "
    "DirectionalLight { direction -0.3 -0.5 -1 } Material { diffuseColor 0.8 0.3 0.2 } Cube { }";

} // namespace

TEST(CoplanarJoinTest, ACubeGivesSixQuadsJoinedAndTwelveTrianglesOtherwise) {
    EXPECT_EQ(RecordingAction().getJoinCoplanarFaces(), 0);
    for (bool lighting : {false, true}) {
        const Printed separate =
            printJoined(kLitCube, false, SoVectorizeAction::HIDDEN_NONE, lighting);
        const Printed joined =
            printJoined(kLitCube, true, SoVectorizeAction::HIDDEN_NONE, lighting);
        EXPECT_EQ(vertexCounts(separate), "3 3 3 3 3 3 3 3 3 3 3 3");
        ASSERT_EQ(vertexCounts(joined), "4 4 4 4 4 4");
        EXPECT_NEAR(totalArea(joined), totalArea(separate), 1e-3 * totalArea(separate));
        for (size_t f = 0; f < 6; f++) {
            // Each quad replaces the face's two triangles, in their place, with their colour and
            // their corners.
            const RecordedCall &quad = joined.calls[f];
            const RecordedCall &t1 = separate.calls[2 * f], &t2 = separate.calls[2 * f + 1];
            expectColor(quad.colors[0], t1.colors[0]);
            EXPECT_NEAR(pageArea(quad), pageArea(t1) + pageArea(t2), 1e-3);
            for (const SbVec4f &corner : quad.points) {
                bool found = false;
                for (const RecordedCall *t : {&t1, &t2})
                    for (const SbVec4f &p : t->points)
                        found = found || p == corner;
                EXPECT_TRUE(found) << "face " << f;
            }
        }
    }
    // The modes that fill faces join them; the visible painter prints the three faces in view.
    EXPECT_EQ(vertexCounts(printJoined(kLitCube, true, SoVectorizeAction::HIDDEN_BY_DEPTH_SORT)),
              "4 4 4 4 4 4");
    EXPECT_EQ(vertexCounts(printJoined(kLitCube, true, SoVectorizeAction::HIDDEN_BY_PAINTER)),
              "4 4 4 4 4 4");
    EXPECT_EQ(
        vertexCounts(printJoined(kLitCube, true, SoVectorizeAction::HIDDEN_BY_VISIBLE_PAINTER)),
        "4 4 4");
    // The hidden-line mode draws every triangle edge: the flag leaves it as it is, and so does an
    // outline draw style.
    const Printed lines = printJoined(kLitCube, true, SoVectorizeAction::HIDDEN_BY_EDGE_SPLITTING);
    EXPECT_EQ(lines.kinds,
              printJoined(kLitCube, false, SoVectorizeAction::HIDDEN_BY_EDGE_SPLITTING).kinds);
    EXPECT_EQ(vertexCounts(printJoined(std::string("DrawStyle { style LINES } ") + kLitCube, true)),
              "4 4 4 4 4 4 4 4 4 4 4 4"); // each triangle's closed outline
}

// Pairs of triangles sharing the edge (0 0 0)-(1 0 0): only the coplanar pair of one flat colour
// that lies on both sides of the edge is joined.
TEST(CoplanarJoinTest, OnlyCoplanarSameColouredNeighboursOnBothSidesOfTheirEdgeJoin) {
    const std::string pair = "FaceSet { numVertices [ 3, 3 ] }";
    const auto triangles = [](const char *third) {
        return std::string("Coordinate3 { point [ 0 0 0, 1 0 0, 0.5 0.5 0, 1 0 0, 0 0 0, ") +
               third + " ] } ";
    };
    EXPECT_EQ(vertexCounts(printJoined(triangles("0.5 -0.5 0") + pair, true)), "4");
    EXPECT_EQ(vertexCounts(printJoined(triangles("0.5 -0.5 0") + pair, false)), "3 3");
    // Folded along the edge, even slightly.
    EXPECT_EQ(vertexCounts(printJoined(triangles("0.5 -0.5 0.01") + pair, true)), "3 3");
    // Overlapping: the second triangle lies on the first one's side of the edge.
    EXPECT_EQ(vertexCounts(printJoined(triangles("0.5 0.25 0") + pair, true)), "3 3");
    // One colour per face, different.
    const std::string perFace = "Material { diffuseColor [ 1 0 0, 0 0 1 ] } "
                                "MaterialBinding { value PER_FACE } ";
    EXPECT_EQ(vertexCounts(printJoined(perFace + triangles("0.5 -0.5 0") + pair, true)), "3 3");
    // Colours per vertex that differ: no flat colour to fill with.
    const std::string perVertex = "Material { diffuseColor [ 1 0 0, 1 0 0, 0 0 1 ] } "
                                  "MaterialBinding { value PER_VERTEX } ";
    EXPECT_EQ(vertexCounts(printJoined(perVertex + triangles("0.5 -0.5 0") + pair, true)), "3 3");
    // Neighbours that do not come one after another are not joined: the triangle between them,
    // in another plane, keeps its place in the painting order. In the plane, it joins the run.
    const auto threeTriangles = [](const char *middleZ) {
        return std::string("Coordinate3 { point [ 0 0 0, 1 0 0, 0.5 0.5 0, 0.6 0.6 ") + middleZ +
               ", 0.9 0.6 " + middleZ + ", 0.6 0.9 " + middleZ +
               ", 1 0 0, 0 0 0, 0.5 -0.5 0 ] } FaceSet { numVertices [ 3, 3, 3 ] }";
    };
    EXPECT_EQ(vertexCounts(printJoined(threeTriangles("0.1"), true)), "3 3 3");
    EXPECT_EQ(vertexCounts(printJoined(threeTriangles("0"), true)), "4 3");
    // Two shapes never join.
    EXPECT_EQ(vertexCounts(printJoined("Coordinate3 { point [ 0 0 0, 1 0 0, 0.5 0.5 0, 1 0 0, "
                                       "0 0 0, 0.5 -0.5 0 ] } FaceSet { numVertices 3 } "
                                       "FaceSet { startIndex 3 numVertices 3 }",
                                       true)),
              "3 3");
}

// A union that would not be convex is left in convex pieces; vertices left on a straight side
// are dropped.
TEST(CoplanarJoinTest, JoinedPolygonsStayConvexWithoutStraightVertices) {
    // Two triangles whose union is the triangle (0 0)-(0.8 0)-(0 0.8): (0.4 0.4) is on its side.
    const Printed straight = printJoined("Coordinate3 { point [ 0 0 0, 0.8 0 0, 0.4 0.4 0, 0 0 0, "
                                         "0.4 0.4 0, 0 0.8 0 ] } FaceSet { numVertices [ 3, 3 ] }",
                                         true);
    ASSERT_EQ(vertexCounts(straight), "3");
    expectOutline(straight.calls[0], {{0, 0}, {0.8f, 0}, {0, 0.8f}});
    // The same with (0.4 0.2): the union has a reflex corner there.
    EXPECT_EQ(vertexCounts(printJoined("Coordinate3 { point [ 0 0 0, 0.8 0 0, 0.4 0.2 0, 0 0 0, "
                                       "0.4 0.2 0, 0 0.8 0 ] } FaceSet { numVertices [ 3, 3 ] }",
                                       true)),
              "3 3");
    // An L of three squares, each split into two triangles: the first two squares make one
    // rectangle, and the third, above the first, would make an L with it: it stays a square.
    const Printed ell = printJoined(
        "Coordinate3 { point [ 0 0 0, 0.4 0 0, 0.8 0 0, 0 0.4 0, 0.4 0.4 0, 0.8 0.4 0, 0 0.8 0, "
        "0.4 0.8 0 ] } IndexedFaceSet { coordIndex [ 0, 1, 4, 3, -1, 1, 2, 5, 4, -1, 3, 4, 7, 6, "
        "-1 ] }",
        true);
    ASSERT_EQ(vertexCounts(ell), "4 4");
    EXPECT_NEAR(pageArea(ell.calls[0]), 2 * (0.8 * 95) * (0.4 * 138.5), 0.1);
    EXPECT_NEAR(pageArea(ell.calls[1]), 2 * (0.4 * 95) * (0.4 * 138.5), 0.1);
    // A flat quad mesh of 4 x 2 quads gives one rectangle, clipped whole at the drawing's edge.
    const Printed mesh = printJoined(
        "Coordinate3 { point [ -1.5 -0.5 0, -1 -0.5 0, -0.5 -0.5 0, 0 -0.5 0, 0.5 -0.5 0, "
        "-1.5 0 0, -1 0 0, -0.5 0 0, 0 0 0, 0.5 0 0, -1.5 0.5 0, -1 0.5 0, -0.5 0.5 0, 0 0.5 0, "
        "0.5 0.5 0 ] } QuadMesh { verticesPerRow 5 verticesPerColumn 3 }",
        true);
    ASSERT_EQ(vertexCounts(mesh), "4");
    expectOutline(mesh.calls[0], {{-1, -0.5f}, {0.5f, -0.5f}, {0.5f, 0.5f}, {-1, 0.5f}});
}
