// Primitive generation of the shapes: counts, winding, normals, material and normal indices under
// every binding, concave faces, vertexProperty, and bounding boxes.
#include <algorithm>
#include <vector>

#include "scene_test_util.h"
#include "scene/actions/SoGetBoundingBoxAction.h"
#include "scene/nodes/SoComplexity.h"
#include "scene/nodes/SoCone.h"
#include "scene/nodes/SoCoordinate3.h"
#include "scene/nodes/SoCube.h"
#include "scene/nodes/SoCylinder.h"
#include "scene/nodes/SoFaceSet.h"
#include "scene/nodes/SoIndexedFaceSet.h"
#include "scene/nodes/SoIndexedLineSet.h"
#include "scene/nodes/SoIndexedTriangleStripSet.h"
#include "scene/nodes/SoLineSet.h"
#include "scene/nodes/SoMarkerSet.h"
#include "scene/nodes/SoMaterial.h"
#include "scene/nodes/SoMaterialBinding.h"
#include "scene/nodes/SoNormal.h"
#include "scene/nodes/SoNormalBinding.h"
#include "scene/nodes/SoPointSet.h"
#include "scene/nodes/SoQuadMesh.h"
#include "scene/nodes/SoSeparator.h"
#include "scene/nodes/SoShapeHints.h"
#include "scene/nodes/SoSphere.h"
#include "scene/nodes/SoText2.h"
#include "scene/nodes/SoTranslation.h"
#include "scene/nodes/SoTriangleStripSet.h"
#include "scene/nodes/SoVertexProperty.h"

namespace {

constexpr float kPi = 3.14159265358979f;
using MB = SoMaterialBinding;
const int kAllBindings[] = {MB::OVERALL,          MB::PER_PART,   MB::PER_PART_INDEXED, MB::PER_FACE,
                            MB::PER_FACE_INDEXED, MB::PER_VERTEX, MB::PER_VERTEX_INDEXED};

class ShapeTest : public SceneTest {};

// A separator holding the coordinates (if any), a material binding, a complexity (unless
// negative) and the shape.
SoSeparator *sceneWith(SoNode *shape, int binding, const std::vector<SbVec3f> &points = {},
                       float complexity = -1) {
    SoSeparator *root = new SoSeparator;
    if (!points.empty()) {
        SoCoordinate3 *c = new SoCoordinate3;
        setList(c->point, points);
        root->addChild(c);
    }
    SoMaterialBinding *mb = new SoMaterialBinding;
    mb->value.setValue(binding);
    root->addChild(mb);
    if (complexity >= 0) {
        SoComplexity *c = new SoComplexity;
        c->value.setValue(complexity);
        root->addChild(c);
    }
    root->addChild(shape);
    return root;
}

// The index a binding selects: the part's, the face's or the vertex's (0 when overall).
int pick(int binding, int part, int face, int vertex) {
    switch (binding) {
    case MB::PER_PART: case MB::PER_PART_INDEXED: return part;
    case MB::PER_FACE: case MB::PER_FACE_INDEXED: return face;
    case MB::PER_VERTEX: case MB::PER_VERTEX_INDEXED: return vertex;
    default: return 0;
    }
}

// Checks the material of every corner: triangle t is in part parts[t] and face faces[t], and a
// corner's vertex number is the index of its point among points.
void expectMaterials(const Recorded &r, int binding, const std::vector<SbVec3f> &points,
                     const std::vector<int> &parts, const std::vector<int> &faces) {
    ASSERT_EQ(r.triangles.size(), parts.size());
    for (size_t t = 0; t < parts.size(); t++)
        for (const SoPrimitiveVertex &v : r.triangles[t].v) {
            const int coord = int(std::find(points.begin(), points.end(), v.getPoint()) - points.begin());
            EXPECT_EQ(v.getMaterialIndex(), pick(binding, parts[t], faces[t], coord)) << binding << " " << t;
        }
}

// Material index of every corner of every triangle, segment and point, in order.
std::vector<int> vertexMaterials(const Recorded &r) {
    std::vector<int> out;
    for (const RecordedTriangle &t : r.triangles)
        for (const SoPrimitiveVertex &v : t.v) out.push_back(v.getMaterialIndex());
    for (const auto &s : r.segments)
        for (const SoPrimitiveVertex &v : s) out.push_back(v.getMaterialIndex());
    for (const SoPrimitiveVertex &v : r.points) out.push_back(v.getMaterialIndex());
    return out;
}

// Every triangle of a closed solid centred on the origin faces outward, with vertex normals on
// the same side, and together they enclose a positive volume.
void expectOutwardSolid(const Recorded &r, double expectedVolume, double tolerance) {
    for (const RecordedTriangle &t : r.triangles) {
        EXPECT_GT(t.winding().dot(t.centroid()), 0.0f);
        for (const SoPrimitiveVertex &v : t.v) EXPECT_GT(v.getNormal().dot(t.winding()), 0.0f);
    }
    EXPECT_NEAR(enclosedVolume(r.triangles), expectedVolume, tolerance);
}

std::vector<SbVec3f> unitSquareAt(float x) {
    return {SbVec3f(x, 0, 0), SbVec3f(x + 1, 0, 0), SbVec3f(x + 1, 1, 0), SbVec3f(x, 1, 0)};
}

SoSeparator *withHints(SoSeparator *root, int ordering, int faceType) {
    SoShapeHints *hints = new SoShapeHints;
    hints->vertexOrdering.setValue(ordering);
    hints->faceType.setValue(faceType);
    root->insertChild(hints, 0);
    return root;
}

} // namespace

TEST_F(ShapeTest, CubeIsTwelveOutwardTrianglesWithFaceMaterials) {
    // Faces in the order front, back, left, right, top, bottom.
    const SbVec3f faces[6] = {SbVec3f(0, 0, 1), SbVec3f(0, 0, -1), SbVec3f(-1, 0, 0),
                              SbVec3f(1, 0, 0), SbVec3f(0, 1, 0),  SbVec3f(0, -1, 0)};
    for (int binding : kAllBindings) {
        NodeRef<SoSeparator> root(sceneWith(new SoCube, binding));
        const Recorded r = collectPrimitives(root);
        ASSERT_EQ(r.triangles.size(), 12u);
        expectOutwardSolid(r, 8.0, 1e-5);
        for (size_t i = 0; i < 12; i++) {
            EXPECT_TRUE(near3(r.triangles[i].facing(), faces[i / 2])) << i;
            const int face = static_cast<int>(i / 2);
            for (const SoPrimitiveVertex &v : r.triangles[i].v)
                EXPECT_EQ(v.getMaterialIndex(), pick(binding, face, face, 0)) << binding;
        }
    }
}

TEST_F(ShapeTest, SphereTessellationFollowsComplexity) {
    const struct {
        float complexity;
        int binding;
        size_t triangles;
        double volume; // of the tessellation
    } cases[] = {{-1, MB::PER_FACE, 224, 31.41}, // the default complexity is 0.5
                 {1.0f, MB::PER_PART, 960, 32.98},
                 {0.0f, MB::PER_VERTEX, 6, 6.928}};
    for (const auto &c : cases) {
        SoSphere *sphere = new SoSphere;
        sphere->radius.setValue(2);
        NodeRef<SoSeparator> root(sceneWith(sphere, c.binding, {}, c.complexity));
        const Recorded r = collectPrimitives(root);
        ASSERT_EQ(r.triangles.size(), c.triangles) << c.complexity;
        for (const RecordedTriangle &t : r.triangles)
            for (const SoPrimitiveVertex &v : t.v) {
                EXPECT_NEAR(v.getPoint().length(), 2.0f, 1e-5);
                EXPECT_TRUE(near3(v.getNormal(), v.getPoint() / 2.0f));
                EXPECT_EQ(v.getMaterialIndex(), 0);
            }
        expectOutwardSolid(r, c.volume, c.volume * 0.01);
    }
}

TEST_F(ShapeTest, ConeAndCylinderPartsAndMaterials) {
    for (int binding : kAllBindings)
        for (bool cylinder : {false, true}) {
            SoNode *shape = cylinder ? static_cast<SoNode *>(new SoCylinder) : new SoCone;
            NodeRef<SoSeparator> root(sceneWith(shape, binding));
            const Recorded r = collectPrimitives(root);
            ASSERT_EQ(r.triangles.size(), cylinder ? 64u : 32u);
            expectOutwardSolid(r, cylinder ? 2.0 * kPi : kPi * 2.0 / 3.0, cylinder ? 0.2 : 0.15);
            // Parts: the sides 0, then the cone's bottom 1, the cylinder's top 1 and bottom 2.
            int counts[3] = {0, 0, 0};
            for (const RecordedTriangle &t : r.triangles) {
                const float ny = t.v[0].getNormal()[1];
                const int part = ny > 0.99f ? 1 : ny < -0.99f ? (cylinder ? 2 : 1) : 0;
                counts[part]++;
                EXPECT_EQ(t.v[0].getMaterialIndex(), pick(binding, part, 0, 0)) << binding;
            }
            EXPECT_EQ(counts[0], cylinder ? 32 : 16);
            EXPECT_EQ(counts[1], 16);
            EXPECT_EQ(counts[2], cylinder ? 16 : 0);
        }
    SoCone *sides = new SoCone;
    sides->parts.setValue(SoCone::SIDES);
    NodeRef<SoSeparator> sidesOnly(sceneWith(sides, MB::OVERALL));
    EXPECT_EQ(collectPrimitives(sidesOnly).triangles.size(), 16u);
}

TEST_F(ShapeTest, FaceSetFacesFromTheStartIndexWithGeneratedNormals) {
    // After one skipped coordinate, a quad in z = 0 and a triangle in y = 0 (counter-clockwise
    // from +y).
    std::vector<SbVec3f> pts = {SbVec3f(9, 9, 9)};
    for (const SbVec3f &p : unitSquareAt(0)) pts.push_back(p);
    pts.insert(pts.end(), {SbVec3f(2, 0, 0), SbVec3f(3, 0, 0), SbVec3f(2, 0, -1)});
    for (int binding : kAllBindings) {
        SoFaceSet *faces = new SoFaceSet;
        faces->startIndex.setValue(1);
        setList(faces->numVertices, {4, 3});
        NodeRef<SoSeparator> root(sceneWith(faces, binding, pts));
        const Recorded r = collectPrimitives(root);
        ASSERT_EQ(r.triangles.size(), 3u);
        for (size_t t = 0; t < 3; t++) {
            const SbVec3f expected = t < 2 ? SbVec3f(0, 0, 1) : SbVec3f(0, 1, 0);
            EXPECT_TRUE(near3(r.triangles[t].facing(), expected));
            for (const SoPrimitiveVertex &v : r.triangles[t].v) EXPECT_TRUE(near3(v.getNormal(), expected));
        }
        expectMaterials(r, binding, pts, {0, 0, 1}, {0, 0, 1});
    }
    // Clockwise vertex ordering turns generated normals around.
    NodeRef<SoSeparator> cw(withHints(sceneWith(new SoFaceSet, MB::OVERALL, unitSquareAt(0)),
                                      SoShapeHints::CLOCKWISE, SoShapeHints::CONVEX));
    const Recorded r = collectPrimitives(cw);
    ASSERT_EQ(r.triangles.size(), 2u);
    EXPECT_TRUE(near3(r.triangles[0].v[0].getNormal(), SbVec3f(0, 0, -1)));
}

TEST_F(ShapeTest, IndexedFaceSetUsesIndexListsForIndexedBindings) {
    std::vector<SbVec3f> pts = unitSquareAt(0);
    pts.push_back(SbVec3f(0, 0, 1));
    const std::vector<int32_t> corners = {5, 6, 7, -1, 8, 9, 10, -1, 11, 12, 13, -1};
    const struct {
        int binding;
        std::vector<int32_t> materialIndex;
        std::vector<int> expected; // of each triangle corner
    } cases[] = {
        {MB::OVERALL, corners, {0, 0, 0, 0, 0, 0, 0, 0, 0}},
        {MB::PER_VERTEX_INDEXED, {}, {0, 1, 2, 0, 2, 3, 4, 1, 0}}, // the coordinate indices
        {MB::PER_VERTEX_INDEXED, corners, {5, 6, 7, 8, 9, 10, 11, 12, 13}},
        {MB::PER_VERTEX, corners, {0, 1, 2, 3, 4, 5, 6, 7, 8}},
        {MB::PER_FACE_INDEXED, {4, 2, 9}, {4, 4, 4, 2, 2, 2, 9, 9, 9}},
        {MB::PER_FACE, corners, {0, 0, 0, 1, 1, 1, 2, 2, 2}},
        {MB::PER_PART_INDEXED, {3, 1, 2}, {3, 3, 3, 1, 1, 1, 2, 2, 2}},
        {MB::PER_PART, {3, 1, 2}, {0, 0, 0, 1, 1, 1, 2, 2, 2}},
    };
    for (const auto &c : cases) {
        SoIndexedFaceSet *ifs = new SoIndexedFaceSet;
        setList(ifs->coordIndex, {0, 1, 2, -1, 0, 2, 3, -1, 4, 1, 0, -1});
        if (!c.materialIndex.empty()) setList(ifs->materialIndex, c.materialIndex);
        NodeRef<SoSeparator> root(sceneWith(ifs, c.binding, pts));
        EXPECT_EQ(vertexMaterials(collectPrimitives(root)), c.expected) << c.binding;
    }
}

TEST_F(ShapeTest, GivenNormalsFollowTheNormalBinding) {
    SoNormal *normals = new SoNormal;
    const std::vector<SbVec3f> n = {SbVec3f(1, 0, 0), SbVec3f(0, 1, 0), SbVec3f(0, 0, 1), SbVec3f(-1, 0, 0)};
    setList(normals->vector, n);
    SoNormalBinding *nb = new SoNormalBinding; // default PER_VERTEX_INDEXED
    SoIndexedFaceSet *ifs = new SoIndexedFaceSet;
    setList(ifs->coordIndex, {0, 1, 2, 3, -1});
    setList(ifs->normalIndex, {3, 2, 1, 0, -1});
    NodeRef<SoSeparator> root(sceneWith(ifs, MB::OVERALL, unitSquareAt(0)));
    root->insertChild(normals, 0);
    root->insertChild(nb, 0);
    Recorded r = collectPrimitives(root);
    ASSERT_EQ(r.triangles.size(), 2u);
    EXPECT_TRUE(near3(r.triangles[0].v[0].getNormal(), n[3]));
    EXPECT_TRUE(near3(r.triangles[0].v[1].getNormal(), n[2]));
    EXPECT_TRUE(near3(r.triangles[1].v[2].getNormal(), n[0]));
    nb->value.setValue(SoNormalBinding::OVERALL);
    r = collectPrimitives(root);
    for (const RecordedTriangle &t : r.triangles)
        for (const SoPrimitiveVertex &v : t.v) EXPECT_TRUE(near3(v.getNormal(), n[0]));
}

namespace {
// Whether a point is inside a simple polygon in the x-y plane (even-odd rule).
bool insidePolygon(const std::vector<SbVec3f> &poly, const SbVec3f &p) {
    bool in = false;
    for (size_t i = 0, j = poly.size() - 1; i < poly.size(); j = i++) {
        const SbVec3f &a = poly[i], &b = poly[j];
        if ((a[1] > p[1]) != (b[1] > p[1]) && p[0] < (b[0] - a[0]) * (p[1] - a[1]) / (b[1] - a[1]) + a[0]) in = !in;
    }
    return in;
}
} // namespace

TEST_F(ShapeTest, ConcaveFacesAreTriangulatedWhenTheFaceTypeIsUnknown) {
    // An L of area 3; a comb of area 11 whose fan from the first corner would leave the shape, also
    // wound clockwise; collinear corners, which must end without looping and add no area.
    const std::vector<SbVec3f> comb = {SbVec3f(0, 0, 0), SbVec3f(5, 0, 0), SbVec3f(5, 3, 0), SbVec3f(4, 3, 0),
                                       SbVec3f(4, 1, 0), SbVec3f(3, 1, 0), SbVec3f(3, 3, 0), SbVec3f(2, 3, 0),
                                       SbVec3f(2, 1, 0), SbVec3f(1, 1, 0), SbVec3f(1, 3, 0), SbVec3f(0, 3, 0)};
    const struct {
        std::vector<SbVec3f> poly;
        int ordering;
        double signedArea;
    } cases[] = {
        {{SbVec3f(0, 0, 0), SbVec3f(2, 0, 0), SbVec3f(2, 1, 0), SbVec3f(1, 1, 0), SbVec3f(1, 2, 0), SbVec3f(0, 2, 0)},
         SoShapeHints::COUNTERCLOCKWISE, 3},
        {comb, SoShapeHints::COUNTERCLOCKWISE, 11},
        {{comb.rbegin(), comb.rend()}, SoShapeHints::CLOCKWISE, -11},
        {{SbVec3f(0, 0, 0), SbVec3f(1, 0, 0), SbVec3f(2, 0, 0), SbVec3f(3, 0, 0)}, SoShapeHints::COUNTERCLOCKWISE, 0},
    };
    for (const auto &c : cases) {
        NodeRef<SoSeparator> root(
            withHints(sceneWith(new SoFaceSet, MB::OVERALL, c.poly), c.ordering, SoShapeHints::UNKNOWN_FACE_TYPE));
        const Recorded r = collectPrimitives(root);
        double area = 0;
        for (const RecordedTriangle &t : r.triangles) {
            area += 0.5 * t.winding()[2];
            if (c.signedArea == 0) continue;
            EXPECT_GT(t.winding()[2] * c.signedArea, 0.0); // wound like the face
            EXPECT_TRUE(insidePolygon(c.poly, t.centroid()));
        }
        EXPECT_NEAR(area, c.signedArea, 1e-5);
        if (c.signedArea != 0) {
            EXPECT_EQ(r.triangles.size(), c.poly.size() - 2);
        }
    }
}

TEST_F(ShapeTest, TriangleStripsKeepTheirWindingAndBindPerTriangle) {
    // A zigzag strip in the x-y plane whose first triangle is counter-clockwise: 6 vertices, 4
    // triangles.
    const std::vector<SbVec3f> pts = {SbVec3f(0, 0, 0), SbVec3f(0, -1, 0), SbVec3f(1, 0, 0),
                                      SbVec3f(1, -1, 0), SbVec3f(2, 0, 0), SbVec3f(2, -1, 0)};
    for (int binding : kAllBindings) {
        SoTriangleStripSet *strips = new SoTriangleStripSet;
        setList(strips->numVertices, {4, 2}); // the second is too short for a triangle
        NodeRef<SoSeparator> root(sceneWith(strips, binding, pts));
        expectMaterials(collectPrimitives(root), binding, pts, {0, 0}, {0, 1});
        strips->numVertices.setValue(-1);
        const Recorded r = collectPrimitives(root);
        ASSERT_EQ(r.triangles.size(), 4u);
        for (const RecordedTriangle &t : r.triangles) {
            EXPECT_GT(t.winding()[2], 0.0f);
            EXPECT_TRUE(near3(t.v[0].getNormal(), SbVec3f(0, 0, 1)));
        }
        expectMaterials(r, binding, pts, {0, 0, 0, 0}, {0, 1, 2, 3});
        // Odd triangles swap their first two corners.
        EXPECT_EQ(r.triangles[1].v[0].getPoint(), pts[2]);
    }
    // Indexed strips: two strips, materials per strip from materialIndex.
    SoIndexedTriangleStripSet *its = new SoIndexedTriangleStripSet;
    setList(its->coordIndex, {0, 1, 2, 3, -1, 2, 3, 4, 5});
    setList(its->materialIndex, {7, 3});
    NodeRef<SoSeparator> root(sceneWith(its, MB::PER_PART_INDEXED, pts));
    const Recorded r = collectPrimitives(root);
    EXPECT_EQ(vertexMaterials(r), (std::vector<int>{7, 7, 7, 7, 7, 7, 3, 3, 3, 3, 3, 3}));
    for (const RecordedTriangle &t : r.triangles) EXPECT_GT(t.winding()[2], 0.0f);
}

TEST_F(ShapeTest, QuadMeshRowsAndQuads) {
    // 4 columns x 3 rows on the x-y plane: 6 quads in 2 rows.
    std::vector<SbVec3f> pts;
    for (int row = 0; row < 3; row++)
        for (int col = 0; col < 4; col++) pts.push_back(SbVec3f(float(col), float(row), 0));
    for (int binding : kAllBindings) {
        SoQuadMesh *mesh = new SoQuadMesh;
        mesh->verticesPerRow.setValue(4);
        mesh->verticesPerColumn.setValue(3);
        NodeRef<SoSeparator> root(sceneWith(mesh, binding, pts));
        const Recorded r = collectPrimitives(root);
        ASSERT_EQ(r.triangles.size(), 12u);
        double area = 0;
        std::vector<int> parts, faces;
        for (size_t t = 0; t < r.triangles.size(); t++) {
            EXPECT_GT(r.triangles[t].winding()[2], 0.0f);
            area += r.triangles[t].area();
            faces.push_back(static_cast<int>(t / 2));
            parts.push_back(static_cast<int>(t / 6));
        }
        EXPECT_NEAR(area, 6.0, 1e-5);
        expectMaterials(r, binding, pts, parts, faces);
        // Too few coordinates: only whole rows are used.
        mesh->verticesPerColumn.setValue(5);
        EXPECT_EQ(collectPrimitives(root).triangles.size(), 12u);
    }
}

TEST_F(ShapeTest, LineSetsGiveJoinedSegmentsWithPartAndLineMaterials) {
    const std::vector<SbVec3f> pts = {SbVec3f(0, 0, 0), SbVec3f(1, 0, 0), SbVec3f(1, 1, 0), SbVec3f(5, 5, 5),
                                      SbVec3f(6, 5, 5)};
    for (int binding : kAllBindings) {
        SoLineSet *lines = new SoLineSet;
        setList(lines->numVertices, {3, 2});
        NodeRef<SoSeparator> root(sceneWith(lines, binding, pts));
        const Recorded r = collectPrimitives(root);
        ASSERT_EQ(r.segments.size(), 3u);
        EXPECT_TRUE(r.triangles.empty());
        EXPECT_EQ(r.segments[0][1].getPoint(), r.segments[1][0].getPoint()); // joined exactly
        EXPECT_EQ(r.segments[2][0].getPoint(), pts[3]);
        // A part is a segment, a face a polyline.
        const int segmentLine[3] = {0, 0, 1}, coords[3][2] = {{0, 1}, {1, 2}, {3, 4}};
        for (int s = 0; s < 3; s++)
            for (int k = 0; k < 2; k++)
                EXPECT_EQ(r.segments[s][k].getMaterialIndex(), pick(binding, s, segmentLine[s], coords[s][k])) << binding;
    }
    SoIndexedLineSet *ils = new SoIndexedLineSet;
    setList(ils->coordIndex, {4, 3, -1, 0, 1, 2, -1});
    NodeRef<SoSeparator> root(sceneWith(ils, MB::PER_VERTEX_INDEXED, pts));
    Recorded r = collectPrimitives(root);
    ASSERT_EQ(r.segments.size(), 3u);
    EXPECT_EQ(r.segments[0][0].getPoint(), pts[4]);
    EXPECT_EQ(vertexMaterials(r), (std::vector<int>{4, 3, 0, 1, 1, 2}));
    setList(ils->materialIndex, {8, 9});
    static_cast<SoMaterialBinding *>(root->getChild(1))->value.setValue(MB::PER_FACE_INDEXED);
    EXPECT_EQ(vertexMaterials(collectPrimitives(root)), (std::vector<int>{8, 8, 9, 9, 9, 9}));
}

TEST_F(ShapeTest, PointAndMarkerSetsGivePoints) {
    const std::vector<SbVec3f> pts = {SbVec3f(0, 0, 0), SbVec3f(1, 0, 0), SbVec3f(2, 0, 0), SbVec3f(3, 0, 0),
                                      SbVec3f(4, 0, 0)};
    const std::vector<SbColor> colours = {SbColor(1, 0, 0), SbColor(0, 1, 0), SbColor(0, 0, 1), SbColor(1, 1, 0),
                                          SbColor(0, 1, 1)};
    for (bool marker : {false, true})
        for (int binding : kAllBindings) {
            SoPointSet *set = marker ? new SoMarkerSet : new SoPointSet;
            set->startIndex.setValue(1);
            NodeRef<SoSeparator> root(sceneWith(set, binding, pts));
            SoMaterial *material = new SoMaterial;
            setList(material->diffuseColor, colours);
            root->insertChild(material, 0);
            const Recorded r = collectPrimitives(root);
            ASSERT_EQ(r.points.size(), 4u);
            for (int i = 0; i < 4; i++) { // each point is its own part and face
                const int m = pick(binding, i, i, i + 1);
                EXPECT_EQ(r.points[i].getPoint(), pts[i + 1]);
                EXPECT_EQ(r.points[i].getMaterialIndex(), m) << binding;
                EXPECT_EQ(r.pointDiffuse[i], colours[m]);
            }
            set->numPoints.setValue(2);
            EXPECT_EQ(collectPrimitives(root).points.size(), 2u);
        }
}

TEST_F(ShapeTest, VertexPropertyAppliesOnlyToItsShape) {
    SoVertexProperty *vp = new SoVertexProperty;
    std::vector<SbVec3f> square = unitSquareAt(10);
    square.insert(square.end(), {SbVec3f(10, 2, 0), SbVec3f(11, 2, 0)});
    setList(vp->vertex, square);
    setList(vp->orderedRGBA, {0xff0000ffu, 0x00ff00ffu});
    vp->materialBinding.setValue(SoVertexProperty::PER_FACE);
    SoFaceSet *withVp = new SoFaceSet;
    withVp->vertexProperty.setValue(vp);
    setList(withVp->numVertices, {3, 3});
    // The shape after it still sees the separator's own coordinates and material.
    SoFaceSet *after = new SoFaceSet;
    NodeRef<SoSeparator> root(sceneWith(withVp, MB::OVERALL, unitSquareAt(0)));
    root->addChild(after);
    const Recorded r = collectPrimitives(root);
    ASSERT_EQ(r.triangles.size(), 4u);
    EXPECT_EQ(r.triangles[0].shape, withVp);
    EXPECT_EQ(r.triangles[0].v[0].getPoint(), square[0]);
    EXPECT_EQ(r.triangles[0].diffuse, SbColor(1, 0, 0));
    EXPECT_EQ(r.triangles[1].v[0].getMaterialIndex(), 1);
    EXPECT_EQ(r.triangles[1].diffuse, SbColor(0, 1, 0));
    EXPECT_EQ(r.triangles[2].shape, after);
    EXPECT_EQ(r.triangles[2].v[0].getPoint(), SbVec3f(0, 0, 0));
    EXPECT_EQ(r.triangles[2].v[0].getMaterialIndex(), 0);
    EXPECT_TRUE(near3(r.triangles[2].diffuse, SbColor(0.8f, 0.8f, 0.8f)));
}

TEST_F(ShapeTest, BoundingBoxesCoverWhatTheShapesUse) {
    auto expectBox = [](SoNode *root, const SbVec3f &min, const SbVec3f &max) {
        SoGetBoundingBoxAction action;
        action.apply(root);
        EXPECT_TRUE(near3(action.getBoundingBox().getMin(), min));
        EXPECT_TRUE(near3(action.getBoundingBox().getMax(), max));
    };
    auto translated = [](SoNode *shape, const SbVec3f &by) {
        SoSeparator *root = new SoSeparator;
        SoTranslation *t = new SoTranslation;
        t->translation.setValue(by);
        root->addChild(t);
        root->addChild(shape);
        return root;
    };
    SoCone *cone = new SoCone;
    cone->bottomRadius.setValue(2);
    cone->height.setValue(6);
    NodeRef<SoSeparator> coneRoot(translated(cone, SbVec3f(5, 0, 0)));
    expectBox(coneRoot, SbVec3f(3, -3, -2), SbVec3f(7, 3, 2));
    // Indexed shapes cover only the coordinates they name; vertexProperty replaces the state's.
    SoIndexedLineSet *ils = new SoIndexedLineSet;
    setList(ils->coordIndex, {0, 1, 3});
    NodeRef<SoSeparator> indexed(
        sceneWith(ils, MB::OVERALL, {SbVec3f(0, 0, 0), SbVec3f(1, 1, 1), SbVec3f(100, 0, 0), SbVec3f(2, -1, 0)}));
    expectBox(indexed, SbVec3f(0, -1, 0), SbVec3f(2, 1, 1));
    SoVertexProperty *vp = new SoVertexProperty;
    setList(vp->vertex, {SbVec3f(10, 0, 0), SbVec3f(11, 2, 0), SbVec3f(10, 1, 0)});
    SoFaceSet *withVp = new SoFaceSet;
    withVp->vertexProperty.setValue(vp);
    NodeRef<SoSeparator> vpRoot(sceneWith(withVp, MB::OVERALL, unitSquareAt(0)));
    expectBox(vpRoot, SbVec3f(10, 0, 0), SbVec3f(11, 2, 0));
    // 2-D text has a box at its anchor only, and no geometry.
    SoText2 *label = new SoText2;
    label->string.setValue("label");
    NodeRef<SoSeparator> text(translated(label, SbVec3f(1, 2, 3)));
    expectBox(text, SbVec3f(1, 2, 3), SbVec3f(1, 2, 3));
    const Recorded r = collectPrimitives(text);
    EXPECT_TRUE(r.triangles.empty() && r.segments.empty() && r.points.empty());
}
