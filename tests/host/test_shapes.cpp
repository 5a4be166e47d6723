// Primitive generation of the shapes: counts, winding, normals, material and normal indices under
// every binding, concave faces, vertexProperty, and bounding boxes.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "scene_test_util.h"
#include "shapes/ShapeBuilder.h"
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

class ShapeTest : public SceneTest {};

// A separator holding a material binding (unless 0), optional complexity, and the shape.
SoSeparator *sceneWith(SoNode *shape, int binding = 0, float complexity = -1) {
    SoSeparator *root = new SoSeparator;
    if (binding) {
        SoMaterialBinding *mb = new SoMaterialBinding;
        mb->value.setValue(binding);
        root->addChild(mb);
    }
    if (complexity >= 0) {
        SoComplexity *c = new SoComplexity;
        c->value.setValue(complexity);
        root->addChild(c);
    }
    root->addChild(shape);
    return root;
}

SoCoordinate3 *coordinates(const std::vector<SbVec3f> &points) {
    SoCoordinate3 *c = new SoCoordinate3;
    c->point.setValues(0, static_cast<int>(points.size()), points.data());
    return c;
}

std::vector<int> materialsOfTriangles(const Recorded &r) {
    std::vector<int> out;
    for (const RecordedTriangle &t : r.triangles) out.push_back(t.v[0].getMaterialIndex());
    return out;
}

// Every triangle of a closed solid centred on the origin faces outward, with vertex normals on
// the same side, and together they enclose a positive volume.
void expectOutwardSolid(const Recorded &r, double expectedVolume, double tolerance) {
    for (const RecordedTriangle &t : r.triangles) {
        const SbVec3f w = t.winding();
        EXPECT_GT(w.dot(t.centroid()), 0.0f);
        for (const SoPrimitiveVertex &v : t.v) EXPECT_GT(v.getNormal().dot(w), 0.0f);
    }
    EXPECT_NEAR(enclosedVolume(r.triangles), expectedVolume, tolerance);
}

std::vector<SbVec3f> unitSquareAt(float x) {
    return {SbVec3f(x, 0, 0), SbVec3f(x + 1, 0, 0), SbVec3f(x + 1, 1, 0), SbVec3f(x, 1, 0)};
}

} // namespace

TEST_F(ShapeTest, CubeIsTwelveOutwardTrianglesWithFaceMaterials) {
    NodeRef<SoSeparator> root(sceneWith(new SoCube));
    Recorded r = collectPrimitives(root);
    ASSERT_EQ(r.triangles.size(), 12u);
    expectOutwardSolid(r, 8.0, 1e-5);
    for (const RecordedTriangle &t : r.triangles) EXPECT_EQ(t.v[0].getMaterialIndex(), 0);

    NodeRef<SoSeparator> perFace(sceneWith(new SoCube, SoMaterialBinding::PER_FACE_INDEXED));
    r = collectPrimitives(perFace);
    ASSERT_EQ(r.triangles.size(), 12u);
    // Faces in the order front, back, left, right, top, bottom.
    const SbVec3f expected[6] = {SbVec3f(0, 0, 1), SbVec3f(0, 0, -1), SbVec3f(-1, 0, 0),
                                 SbVec3f(1, 0, 0), SbVec3f(0, 1, 0),  SbVec3f(0, -1, 0)};
    for (size_t i = 0; i < 12; i++) {
        SbVec3f w = r.triangles[i].winding();
        w.normalize();
        EXPECT_TRUE(near3(w, expected[i / 2])) << i;
        for (const SoPrimitiveVertex &v : r.triangles[i].v) EXPECT_EQ(v.getMaterialIndex(), static_cast<int>(i / 2));
    }
    NodeRef<SoSeparator> perPart(sceneWith(new SoCube, SoMaterialBinding::PER_PART));
    EXPECT_EQ(materialsOfTriangles(collectPrimitives(perPart)), materialsOfTriangles(r));
    NodeRef<SoSeparator> perVertex(sceneWith(new SoCube, SoMaterialBinding::PER_VERTEX));
    for (int m : materialsOfTriangles(collectPrimitives(perVertex))) EXPECT_EQ(m, 0);
}

TEST_F(ShapeTest, SphereTessellationFollowsComplexity) {
    const struct {
        float complexity;
        size_t triangles;
        double volume; // of the tessellation
    } cases[] = {{0.5f, 224, 31.41}, {1.0f, 960, 32.98}, {0.0f, 6, 6.928}};
    for (const auto &c : cases) {
        SoSphere *sphere = new SoSphere;
        sphere->radius.setValue(2);
        NodeRef<SoSeparator> root(sceneWith(sphere, SoMaterialBinding::PER_PART, c.complexity));
        const Recorded r = collectPrimitives(root);
        ASSERT_EQ(r.triangles.size(), c.triangles) << c.complexity;
        for (const RecordedTriangle &t : r.triangles)
            for (const SoPrimitiveVertex &v : t.v) {
                EXPECT_NEAR(v.getPoint().length(), 2.0f, 1e-5);
                EXPECT_TRUE(near3(v.getNormal(), v.getPoint() / 2.0f));
                EXPECT_EQ(v.getMaterialIndex(), 0);
            }
        expectOutwardSolid(r, c.volume, c.volume * 0.01);
        EXPECT_LT(enclosedVolume(r.triangles), 4.0 / 3.0 * kPi * 8); // inscribed in the sphere
    }
    // The default complexity is 0.5.
    NodeRef<SoSphere> bare;
    EXPECT_EQ(collectPrimitives(bare).triangles.size(), 224u);
}

TEST_F(ShapeTest, ConeAndCylinderPartsAndMaterials) {
    NodeRef<SoSeparator> cone(sceneWith(new SoCone, SoMaterialBinding::PER_PART));
    Recorded r = collectPrimitives(cone);
    ASSERT_EQ(r.triangles.size(), 32u);
    expectOutwardSolid(r, kPi * 2.0 / 3.0, 0.15);
    int bottom = 0;
    for (const RecordedTriangle &t : r.triangles) {
        const bool isBottom = t.v[0].getNormal()[1] < -0.99f;
        bottom += isBottom;
        EXPECT_EQ(t.v[0].getMaterialIndex(), isBottom ? 1 : 0);
    }
    EXPECT_EQ(bottom, 16);
    SoCone *sides = new SoCone;
    sides->parts.setValue(SoCone::SIDES);
    NodeRef<SoSeparator> sidesOnly(sceneWith(sides));
    EXPECT_EQ(collectPrimitives(sidesOnly).triangles.size(), 16u);

    NodeRef<SoSeparator> cylinder(sceneWith(new SoCylinder, SoMaterialBinding::PER_PART_INDEXED));
    r = collectPrimitives(cylinder);
    ASSERT_EQ(r.triangles.size(), 64u);
    expectOutwardSolid(r, 2.0 * kPi, 0.2);
    int counts[3] = {0, 0, 0};
    for (const RecordedTriangle &t : r.triangles) {
        const float ny = t.v[0].getNormal()[1];
        const int expected = ny > 0.99f ? 1 : (ny < -0.99f ? 2 : 0);
        EXPECT_EQ(t.v[0].getMaterialIndex(), expected);
        counts[expected]++;
    }
    EXPECT_EQ(counts[0], 32);
    EXPECT_EQ(counts[1], 16);
    EXPECT_EQ(counts[2], 16);
    NodeRef<SoSeparator> overall(sceneWith(new SoCylinder, SoMaterialBinding::PER_FACE));
    for (int m : materialsOfTriangles(collectPrimitives(overall))) EXPECT_EQ(m, 0);
}

TEST_F(ShapeTest, FaceSetMaterialsNormalsAndStartIndex) {
    // A quad and a triangle, after one skipped coordinate.
    std::vector<SbVec3f> pts = {SbVec3f(9, 9, 9)};
    for (const SbVec3f &p : unitSquareAt(0)) pts.push_back(p);
    pts.push_back(SbVec3f(2, 0, 0)); // this face lies in y = 0, counter-clockwise from +y
    pts.push_back(SbVec3f(3, 0, 0));
    pts.push_back(SbVec3f(2, 0, -1));
    const int bindings[] = {SoMaterialBinding::OVERALL, SoMaterialBinding::PER_FACE, SoMaterialBinding::PER_FACE_INDEXED,
                            SoMaterialBinding::PER_PART, SoMaterialBinding::PER_VERTEX,
                            SoMaterialBinding::PER_VERTEX_INDEXED};
    for (int binding : bindings) {
        SoFaceSet *faces = new SoFaceSet;
        faces->startIndex.setValue(1);
        faces->numVertices.setValue(4);
        faces->numVertices.set1Value(1, 3);
        SoSeparator *root = sceneWith(faces, binding);
        root->insertChild(coordinates(pts), 0);
        NodeRef<SoSeparator> keep(root);
        const Recorded r = collectPrimitives(root);
        ASSERT_EQ(r.triangles.size(), 3u);
        // Generated normals: each face's, on its counter-clockwise side.
        for (size_t t = 0; t < 3; t++) {
            const SbVec3f expected = t < 2 ? SbVec3f(0, 0, 1) : SbVec3f(0, 1, 0);
            for (const SoPrimitiveVertex &v : r.triangles[t].v) EXPECT_TRUE(near3(v.getNormal(), expected));
            SbVec3f w = r.triangles[t].winding();
            w.normalize();
            EXPECT_TRUE(near3(w, expected));
        }
        std::vector<int> mats;
        for (const RecordedTriangle &t : r.triangles)
            for (const SoPrimitiveVertex &v : t.v) mats.push_back(v.getMaterialIndex());
        // Fans (0 1 2) (0 2 3) over coordinates 1..4, then coordinates 5..7.
        std::vector<int> expected;
        switch (binding) {
        case SoMaterialBinding::OVERALL: expected.assign(9, 0); break;
        case SoMaterialBinding::PER_VERTEX:
        case SoMaterialBinding::PER_VERTEX_INDEXED: expected = {1, 2, 3, 1, 3, 4, 5, 6, 7}; break;
        default: expected = {0, 0, 0, 0, 0, 0, 1, 1, 1}; break;
        }
        EXPECT_EQ(mats, expected) << "binding " << binding;
    }
}

TEST_F(ShapeTest, IndexedFaceSetUsesIndexListsForIndexedBindings) {
    std::vector<SbVec3f> pts = unitSquareAt(0);
    pts.push_back(SbVec3f(0, 0, 1));
    auto build = [&](int binding, bool withMaterialIndex) {
        SoIndexedFaceSet *ifs = new SoIndexedFaceSet;
        const int32_t idx[] = {0, 1, 2, -1, 0, 2, 3, -1, 4, 1, 0, -1};
        ifs->coordIndex.setValues(0, 12, idx);
        if (withMaterialIndex) {
            const int32_t mi[] = {5, 6, 7, -1, 8, 9, 10, -1, 11, 12, 13, -1};
            ifs->materialIndex.setValues(0, 12, mi);
        }
        SoSeparator *root = sceneWith(ifs, binding);
        root->insertChild(coordinates(pts), 0);
        return root;
    };
    auto mats = [](const Recorded &r) {
        std::vector<int> out;
        for (const RecordedTriangle &t : r.triangles)
            for (const SoPrimitiveVertex &v : t.v) out.push_back(v.getMaterialIndex());
        return out;
    };
    {
        NodeRef<SoSeparator> root(build(SoMaterialBinding::PER_VERTEX_INDEXED, false));
        EXPECT_EQ(mats(collectPrimitives(root)), (std::vector<int>{0, 1, 2, 0, 2, 3, 4, 1, 0}));
    }
    {
        NodeRef<SoSeparator> root(build(SoMaterialBinding::PER_VERTEX_INDEXED, true));
        EXPECT_EQ(mats(collectPrimitives(root)), (std::vector<int>{5, 6, 7, 8, 9, 10, 11, 12, 13}));
    }
    {
        NodeRef<SoSeparator> root(build(SoMaterialBinding::PER_VERTEX, true));
        EXPECT_EQ(mats(collectPrimitives(root)), (std::vector<int>{0, 1, 2, 3, 4, 5, 6, 7, 8}));
    }
    {
        SoSeparator *root = build(SoMaterialBinding::PER_FACE_INDEXED, false);
        NodeRef<SoSeparator> keep(root);
        static_cast<SoIndexedFaceSet *>(root->getChild(2))->materialIndex.setValues(0, 3, std::vector<int32_t>{4, 2, 9}.data());
        EXPECT_EQ(mats(collectPrimitives(root)), (std::vector<int>{4, 4, 4, 2, 2, 2, 9, 9, 9}));
    }
    {
        NodeRef<SoSeparator> root(build(SoMaterialBinding::PER_FACE, true));
        EXPECT_EQ(mats(collectPrimitives(root)), (std::vector<int>{0, 0, 0, 1, 1, 1, 2, 2, 2}));
    }
    {
        NodeRef<SoSeparator> root(build(SoMaterialBinding::PER_PART_INDEXED, false));
        static_cast<SoIndexedFaceSet *>(root->getChild(2))->materialIndex.setValues(0, 3, std::vector<int32_t>{3, 1, 2}.data());
        EXPECT_EQ(mats(collectPrimitives(root)), (std::vector<int>{3, 3, 3, 1, 1, 1, 2, 2, 2}));
    }
}

TEST_F(ShapeTest, GivenNormalsFollowTheNormalBinding) {
    std::vector<SbVec3f> pts = unitSquareAt(0);
    SoNormal *normals = new SoNormal;
    const SbVec3f n[] = {SbVec3f(1, 0, 0), SbVec3f(0, 1, 0), SbVec3f(0, 0, 1), SbVec3f(-1, 0, 0)};
    normals->vector.setValues(0, 4, n);
    SoNormalBinding *nb = new SoNormalBinding; // default PER_VERTEX_INDEXED
    SoIndexedFaceSet *ifs = new SoIndexedFaceSet;
    const int32_t idx[] = {0, 1, 2, 3, -1};
    ifs->coordIndex.setValues(0, 5, idx);
    const int32_t ni[] = {3, 2, 1, 0, -1};
    ifs->normalIndex.setValues(0, 5, ni);
    NodeRef<SoSeparator> root;
    root->addChild(coordinates(pts));
    root->addChild(normals);
    root->addChild(nb);
    root->addChild(ifs);
    Recorded r = collectPrimitives(root);
    ASSERT_EQ(r.triangles.size(), 2u);
    EXPECT_TRUE(near3(r.triangles[0].v[0].getNormal(), n[3]));
    EXPECT_TRUE(near3(r.triangles[0].v[1].getNormal(), n[2]));
    EXPECT_TRUE(near3(r.triangles[1].v[2].getNormal(), n[0]));
    nb->value.setValue(SoNormalBinding::OVERALL);
    r = collectPrimitives(root);
    for (const RecordedTriangle &t : r.triangles)
        for (const SoPrimitiveVertex &v : t.v) EXPECT_TRUE(near3(v.getNormal(), n[0]));
    // Clockwise vertex ordering turns generated normals around.
    NodeRef<SoSeparator> cw;
    SoShapeHints *hints = new SoShapeHints;
    hints->vertexOrdering.setValue(SoShapeHints::CLOCKWISE);
    cw->addChild(hints);
    cw->addChild(coordinates(pts));
    SoFaceSet *fs = new SoFaceSet;
    cw->addChild(fs);
    r = collectPrimitives(cw);
    ASSERT_EQ(r.triangles.size(), 2u);
    EXPECT_TRUE(near3(r.triangles[0].v[0].getNormal(), SbVec3f(0, 0, -1)));
}

namespace {
double shoelace(const std::vector<SbVec3f> &p) {
    double a = 0;
    for (size_t i = 0; i < p.size(); i++) {
        const SbVec3f &u = p[i], &v = p[(i + 1) % p.size()];
        a += double(u[0]) * v[1] - double(v[0]) * u[1];
    }
    return a / 2;
}

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
    // An L of area 3, and a comb of area 11 whose fan from the first corner would leave the shape.
    const std::vector<std::vector<SbVec3f>> polygons = {
        {SbVec3f(0, 0, 0), SbVec3f(2, 0, 0), SbVec3f(2, 1, 0), SbVec3f(1, 1, 0), SbVec3f(1, 2, 0), SbVec3f(0, 2, 0)},
        {SbVec3f(0, 0, 0), SbVec3f(5, 0, 0), SbVec3f(5, 3, 0), SbVec3f(4, 3, 0), SbVec3f(4, 1, 0), SbVec3f(3, 1, 0),
         SbVec3f(3, 3, 0), SbVec3f(2, 3, 0), SbVec3f(2, 1, 0), SbVec3f(1, 1, 0), SbVec3f(1, 3, 0), SbVec3f(0, 3, 0)},
    };
    for (const auto &poly : polygons) {
        NodeRef<SoSeparator> root;
        SoShapeHints *hints = new SoShapeHints;
        hints->faceType.setValue(SoShapeHints::UNKNOWN_FACE_TYPE);
        root->addChild(hints);
        root->addChild(coordinates(poly));
        root->addChild(new SoFaceSet);
        const Recorded r = collectPrimitives(root);
        ASSERT_EQ(r.triangles.size(), poly.size() - 2);
        double area = 0;
        for (const RecordedTriangle &t : r.triangles) {
            EXPECT_GT(t.winding()[2], 0.0f); // wound like the face
            EXPECT_TRUE(insidePolygon(poly, t.centroid()));
            area += t.area();
        }
        EXPECT_NEAR(area, shoelace(poly), 1e-5);
    }
    // The same builder used directly on a clockwise polygon keeps it clockwise.
    std::vector<SbVec3f> cw(polygons[1].rbegin(), polygons[1].rend());
    std::vector<int> tris;
    scene_detail::ShapeBuilder::triangulatePolygon(cw.data(), static_cast<int>(cw.size()), tris);
    ASSERT_EQ(tris.size(), 3 * (cw.size() - 2));
    double area = 0;
    for (size_t t = 0; t < tris.size(); t += 3) {
        const SbVec3f w = (cw[tris[t + 1]] - cw[tris[t]]).cross(cw[tris[t + 2]] - cw[tris[t]]);
        EXPECT_LT(w[2], 0.0f);
        area += 0.5 * w.length();
    }
    EXPECT_NEAR(area, 11.0, 1e-5);
    // Degenerate input ends without looping: collinear corners add no triangles.
    const std::vector<SbVec3f> line = {SbVec3f(0, 0, 0), SbVec3f(1, 0, 0), SbVec3f(2, 0, 0), SbVec3f(3, 0, 0)};
    tris.clear();
    scene_detail::ShapeBuilder::triangulatePolygon(line.data(), 4, tris);
    for (size_t t = 0; t + 2 < tris.size(); t += 3)
        EXPECT_FLOAT_EQ((line[tris[t + 1]] - line[tris[t]]).cross(line[tris[t + 2]] - line[tris[t]]).length(), 0.0f);
}

TEST_F(ShapeTest, TriangleStripsKeepTheirWindingAndBindPerTriangle) {
    // A zigzag strip in the x-y plane: 6 vertices, 4 triangles, all facing +z.
    const std::vector<SbVec3f> zig = {SbVec3f(0, 0, 0), SbVec3f(0, 1, 0), SbVec3f(1, 0, 0),
                                      SbVec3f(1, 1, 0), SbVec3f(2, 0, 0), SbVec3f(2, 1, 0)};
    // Wound (0,1,2) faces -z with y up; flip so the first triangle is counter-clockwise.
    std::vector<SbVec3f> pts;
    for (const SbVec3f &p : zig) pts.push_back(SbVec3f(p[0], -p[1], 0));
    for (int binding : {SoMaterialBinding::PER_FACE, SoMaterialBinding::PER_PART, SoMaterialBinding::PER_VERTEX}) {
        SoTriangleStripSet *strips = new SoTriangleStripSet;
        strips->numVertices.setValue(4);
        strips->numVertices.set1Value(1, 2); // too short for a triangle
        SoSeparator *root = sceneWith(strips, binding);
        root->insertChild(coordinates(pts), 0);
        NodeRef<SoSeparator> keep(root);
        Recorded r = collectPrimitives(root);
        ASSERT_EQ(r.triangles.size(), 2u);
        strips->numVertices.setValue(-1);
        r = collectPrimitives(root);
        ASSERT_EQ(r.triangles.size(), 4u);
        for (size_t t = 0; t < 4; t++) {
            EXPECT_GT(r.triangles[t].winding()[2], 0.0f) << t;
            EXPECT_TRUE(near3(r.triangles[t].v[0].getNormal(), SbVec3f(0, 0, 1)));
            if (binding == SoMaterialBinding::PER_FACE) {
                for (const SoPrimitiveVertex &v : r.triangles[t].v) EXPECT_EQ(v.getMaterialIndex(), static_cast<int>(t));
            }
            if (binding == SoMaterialBinding::PER_PART) {
                for (const SoPrimitiveVertex &v : r.triangles[t].v) EXPECT_EQ(v.getMaterialIndex(), 0);
            }
        }
        if (binding == SoMaterialBinding::PER_VERTEX) {
            // Odd triangles swap their first two corners.
            EXPECT_EQ(r.triangles[1].v[0].getMaterialIndex(), 2);
            EXPECT_EQ(r.triangles[1].v[1].getMaterialIndex(), 1);
            EXPECT_EQ(r.triangles[1].v[2].getMaterialIndex(), 3);
        }
    }
    // Indexed strips: two strips, materials per strip from materialIndex.
    SoIndexedTriangleStripSet *its = new SoIndexedTriangleStripSet;
    const int32_t idx[] = {0, 1, 2, 3, -1, 2, 3, 4, 5};
    its->coordIndex.setValues(0, 9, idx);
    its->materialIndex.setValues(0, 2, std::vector<int32_t>{7, 3}.data());
    SoSeparator *root = sceneWith(its, SoMaterialBinding::PER_PART_INDEXED);
    root->insertChild(coordinates(pts), 0);
    NodeRef<SoSeparator> keep(root);
    const Recorded r = collectPrimitives(root);
    EXPECT_EQ(materialsOfTriangles(r), (std::vector<int>{7, 7, 3, 3}));
    for (const RecordedTriangle &t : r.triangles) EXPECT_GT(t.winding()[2], 0.0f);
}

TEST_F(ShapeTest, QuadMeshRowsAndQuads) {
    // 4 columns x 3 rows on the x-y plane.
    std::vector<SbVec3f> pts;
    for (int row = 0; row < 3; row++)
        for (int col = 0; col < 4; col++) pts.push_back(SbVec3f(float(col), float(row), 0));
    for (int binding : {SoMaterialBinding::PER_FACE, SoMaterialBinding::PER_PART}) {
        SoQuadMesh *mesh = new SoQuadMesh;
        mesh->verticesPerRow.setValue(4);
        mesh->verticesPerColumn.setValue(3);
        SoSeparator *root = sceneWith(mesh, binding);
        root->insertChild(coordinates(pts), 0);
        NodeRef<SoSeparator> keep(root);
        const Recorded r = collectPrimitives(root);
        ASSERT_EQ(r.triangles.size(), 12u);
        double area = 0;
        for (size_t t = 0; t < r.triangles.size(); t++) {
            EXPECT_GT(r.triangles[t].winding()[2], 0.0f);
            area += r.triangles[t].area();
            const int quad = static_cast<int>(t / 2);
            EXPECT_EQ(r.triangles[t].v[0].getMaterialIndex(), binding == SoMaterialBinding::PER_FACE ? quad : quad / 3);
        }
        EXPECT_NEAR(area, 6.0, 1e-5);
    }
    // Too few coordinates: only whole rows are used.
    SoQuadMesh *mesh = new SoQuadMesh;
    mesh->verticesPerRow.setValue(4);
    mesh->verticesPerColumn.setValue(5);
    SoSeparator *root = sceneWith(mesh);
    root->insertChild(coordinates(pts), 0);
    NodeRef<SoSeparator> keep(root);
    EXPECT_EQ(collectPrimitives(root).triangles.size(), 12u);
}

TEST_F(ShapeTest, LineSetsGiveJoinedSegmentsWithPartAndLineMaterials) {
    const std::vector<SbVec3f> pts = {SbVec3f(0, 0, 0), SbVec3f(1, 0, 0), SbVec3f(1, 1, 0), SbVec3f(5, 5, 5),
                                      SbVec3f(6, 5, 5)};
    for (int binding : {SoMaterialBinding::PER_PART, SoMaterialBinding::PER_FACE, SoMaterialBinding::PER_VERTEX}) {
        SoLineSet *lines = new SoLineSet;
        lines->numVertices.setValue(3);
        lines->numVertices.set1Value(1, 2);
        SoSeparator *root = sceneWith(lines, binding);
        root->insertChild(coordinates(pts), 0);
        NodeRef<SoSeparator> keep(root);
        const Recorded r = collectPrimitives(root);
        ASSERT_EQ(r.segments.size(), 3u);
        EXPECT_TRUE(r.triangles.empty());
        EXPECT_EQ(r.segments[0][1].getPoint(), r.segments[1][0].getPoint()); // joined exactly
        EXPECT_EQ(r.segments[2][0].getPoint(), pts[3]);
        std::vector<int> mats;
        for (const auto &s : r.segments) mats.insert(mats.end(), {s[0].getMaterialIndex(), s[1].getMaterialIndex()});
        const std::vector<int> expected = binding == SoMaterialBinding::PER_PART   ? std::vector<int>{0, 0, 1, 1, 2, 2}
                                          : binding == SoMaterialBinding::PER_FACE ? std::vector<int>{0, 0, 0, 0, 1, 1}
                                                                                   : std::vector<int>{0, 1, 1, 2, 3, 4};
        EXPECT_EQ(mats, expected) << binding;
    }
    SoIndexedLineSet *ils = new SoIndexedLineSet;
    const int32_t idx[] = {4, 3, -1, 0, 1, 2, -1};
    ils->coordIndex.setValues(0, 7, idx);
    SoSeparator *root = sceneWith(ils, SoMaterialBinding::PER_VERTEX_INDEXED);
    root->insertChild(coordinates(pts), 0);
    NodeRef<SoSeparator> keep(root);
    Recorded r = collectPrimitives(root);
    ASSERT_EQ(r.segments.size(), 3u);
    EXPECT_EQ(r.segments[0][0].getPoint(), pts[4]);
    EXPECT_EQ(r.segments[0][0].getMaterialIndex(), 4);
    EXPECT_EQ(r.segments[2][1].getMaterialIndex(), 2);
    ils->materialIndex.setValues(0, 2, std::vector<int32_t>{8, 9}.data());
    static_cast<SoMaterialBinding *>(root->getChild(1))->value.setValue(SoMaterialBinding::PER_FACE_INDEXED);
    r = collectPrimitives(root);
    EXPECT_EQ(r.segments[0][0].getMaterialIndex(), 8);
    EXPECT_EQ(r.segments[1][1].getMaterialIndex(), 9);
}

TEST_F(ShapeTest, PointAndMarkerSetsGivePoints) {
    const std::vector<SbVec3f> pts = {SbVec3f(0, 0, 0), SbVec3f(1, 0, 0), SbVec3f(2, 0, 0), SbVec3f(3, 0, 0),
                                      SbVec3f(4, 0, 0)};
    for (bool marker : {false, true}) {
        SoPointSet *set = marker ? new SoMarkerSet : new SoPointSet;
        set->startIndex.setValue(1);
        SoSeparator *root = sceneWith(set, SoMaterialBinding::PER_VERTEX);
        root->insertChild(coordinates(pts), 0);
        SoMaterial *colours = new SoMaterial;
        const SbColor c[] = {SbColor(1, 0, 0), SbColor(0, 1, 0), SbColor(0, 0, 1), SbColor(1, 1, 0), SbColor(0, 1, 1)};
        colours->diffuseColor.setValues(0, 5, c);
        root->insertChild(colours, 0);
        NodeRef<SoSeparator> keep(root);
        Recorded r = collectPrimitives(root);
        ASSERT_EQ(r.points.size(), 4u);
        for (int i = 0; i < 4; i++) {
            EXPECT_EQ(r.points[i].getPoint(), pts[i + 1]);
            EXPECT_EQ(r.points[i].getMaterialIndex(), i + 1);
            EXPECT_EQ(r.pointDiffuse[i], c[i + 1]);
        }
        set->numPoints.setValue(2);
        EXPECT_EQ(collectPrimitives(root).points.size(), 2u);
    }
}

TEST_F(ShapeTest, VertexPropertyAppliesOnlyToItsShape) {
    SoVertexProperty *vp = new SoVertexProperty;
    std::vector<SbVec3f> square = unitSquareAt(10);
    square.push_back(SbVec3f(10, 2, 0));
    square.push_back(SbVec3f(11, 2, 0));
    vp->vertex.setValues(0, 6, square.data());
    vp->orderedRGBA.setValue(0xff0000ffu);
    vp->orderedRGBA.set1Value(1, 0x00ff00ffu);
    vp->materialBinding.setValue(SoVertexProperty::PER_FACE);
    SoFaceSet *withVp = new SoFaceSet;
    withVp->vertexProperty.setValue(vp);
    withVp->numVertices.setValue(3);
    withVp->numVertices.set1Value(1, 3);
    // The shape after it still sees the separator's own coordinates and material.
    SoFaceSet *after = new SoFaceSet;
    NodeRef<SoSeparator> root;
    root->addChild(coordinates(unitSquareAt(0)));
    root->addChild(withVp);
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

    SoGetBoundingBoxAction bbox;
    bbox.apply(withVp);
    EXPECT_TRUE(near3(bbox.getBoundingBox().getMin(), SbVec3f(10, 0, 0)));
    EXPECT_TRUE(near3(bbox.getBoundingBox().getMax(), SbVec3f(11, 2, 0)));
}

TEST_F(ShapeTest, BoundingBoxesCoverWhatTheShapesUse) {
    auto boxOf = [](SoNode *root) {
        SoGetBoundingBoxAction action;
        action.apply(root);
        return action.getBoundingBox();
    };
    NodeRef<SoSeparator> root;
    SoTranslation *t = new SoTranslation;
    t->translation.setValue(SbVec3f(5, 0, 0));
    root->addChild(t);
    SoCone *cone = new SoCone;
    cone->bottomRadius.setValue(2);
    cone->height.setValue(6);
    root->addChild(cone);
    SbBox3f box = boxOf(root);
    EXPECT_TRUE(near3(box.getMin(), SbVec3f(3, -3, -2)));
    EXPECT_TRUE(near3(box.getMax(), SbVec3f(7, 3, 2)));

    // Indexed shapes cover only the coordinates they name.
    NodeRef<SoSeparator> indexed;
    indexed->addChild(coordinates({SbVec3f(0, 0, 0), SbVec3f(1, 1, 1), SbVec3f(100, 0, 0), SbVec3f(2, -1, 0)}));
    SoIndexedLineSet *ils = new SoIndexedLineSet;
    ils->coordIndex.setValues(0, 3, std::vector<int32_t>{0, 1, 3}.data());
    indexed->addChild(ils);
    box = boxOf(indexed);
    EXPECT_TRUE(near3(box.getMin(), SbVec3f(0, -1, 0)));
    EXPECT_TRUE(near3(box.getMax(), SbVec3f(2, 1, 1)));

    // 2-D text has a box at its anchor only, and no geometry.
    NodeRef<SoSeparator> text;
    SoTranslation *moved = new SoTranslation;
    moved->translation.setValue(SbVec3f(1, 2, 3));
    text->addChild(moved);
    SoText2 *label = new SoText2;
    label->string.setValue("label");
    text->addChild(label);
    box = boxOf(text);
    EXPECT_TRUE(near3(box.getMin(), SbVec3f(1, 2, 3)));
    EXPECT_TRUE(near3(box.getMax(), SbVec3f(1, 2, 3)));
    const Recorded r = collectPrimitives(text);
    EXPECT_TRUE(r.triangles.empty() && r.segments.empty() && r.points.empty());
}
