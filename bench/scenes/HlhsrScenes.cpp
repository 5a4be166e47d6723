#include "HlhsrScenes.h"
#include <cmath>
#include <cstdint>
#include <vector>
#include "scene/nodes/SoCoordinate3.h"
#include "scene/nodes/SoDirectionalLight.h"
#include "scene/nodes/SoIndexedFaceSet.h"
#include "scene/nodes/SoMaterial.h"
#include "scene/nodes/SoPerspectiveCamera.h"
#include "scene/nodes/SoSeparator.h"
#include "scene/nodes/SoShapeHints.h"

namespace bench_scenes {
namespace {
const float pi = 3.14159265f;

struct Mesh {
    std::vector<SbVec3f> points;
    std::vector<int32_t> indices; // three per triangle, each triangle ended by -1

    void triangle(int a, int b, int c) { indices.insert(indices.end(), {a, b, c, -1}); }
    // A grid of rows x columns points, columns wrapping around when closed.
    void gridTriangles(int rows, int columns, bool wrapColumns, bool wrapRows) {
        const int cellColumns = wrapColumns ? columns : columns - 1;
        const int cellRows = wrapRows ? rows : rows - 1;
        for (int r = 0; r < cellRows; r++)
            for (int c = 0; c < cellColumns; c++) {
                const int a = r * columns + c, b = r * columns + (c + 1) % columns;
                const int d = ((r + 1) % rows) * columns + c, e = ((r + 1) % rows) * columns + (c + 1) % columns;
                triangle(a, b, e);
                triangle(a, e, d);
            }
    }
};

SbVec3f knotPoint(float t) {
    // The (3,2) torus knot on a torus of radii 2 and 1.
    const float r = 2.0f + std::cos(3.0f * t);
    return SbVec3f(r * std::cos(2.0f * t), r * std::sin(2.0f * t), std::sin(3.0f * t));
}

Mesh knot(int triangles) {
    const int around = 16, along = std::max(3, triangles / (2 * around));
    Mesh m;
    for (int i = 0; i < along; i++) {
        const float t = 2.0f * pi * i / along;
        const SbVec3f p = knotPoint(t);
        SbVec3f tangent = knotPoint(t + 0.001f) - knotPoint(t - 0.001f);
        tangent.normalize();
        SbVec3f side = tangent.cross(SbVec3f(0, 0, 1));
        side.normalize();
        const SbVec3f up = side.cross(tangent);
        for (int k = 0; k < around; k++) {
            const float a = 2.0f * pi * k / around;
            m.points.push_back(p + (side * std::cos(a) + up * std::sin(a)) * 0.35f);
        }
    }
    m.gridTriangles(along, around, true, true);
    return m;
}

Mesh sphere(int triangles) {
    const int stacks = std::max(2, static_cast<int>(std::sqrt(triangles / 4.0))), slices = 2 * stacks;
    Mesh m;
    for (int s = 0; s <= stacks; s++) {
        const float phi = pi * s / stacks;
        for (int k = 0; k < slices; k++) {
            const float theta = 2.0f * pi * k / slices;
            m.points.emplace_back(std::sin(phi) * std::cos(theta), std::cos(phi), std::sin(phi) * std::sin(theta));
        }
    }
    m.gridTriangles(stacks + 1, slices, true, false);
    return m;
}

Mesh heightField(int triangles) {
    const int side = std::max(2, static_cast<int>(std::sqrt(triangles / 2.0)) + 1);
    Mesh m;
    for (int r = 0; r < side; r++)
        for (int c = 0; c < side; c++) {
            const float x = -6.0f + 12.0f * c / (side - 1), y = -6.0f + 12.0f * r / (side - 1);
            m.points.emplace_back(x, y, std::sin(x) * std::cos(y));
        }
    m.gridTriangles(side, side, false, false);
    return m;
}

// Triangles of about a fifth of the cube's size with centres anywhere in it: many overlap on
// the page and many pass through one another.
Mesh randomTriangles(int triangles) {
    uint64_t state = 0x9E3779B97F4A7C15ull;
    auto next = [&state]() {
        state ^= state << 13;
        state ^= state >> 7;
        state ^= state << 17;
        return static_cast<float>(state >> 40) / static_cast<float>(1 << 24);
    };
    Mesh m;
    for (int i = 0; i < triangles; i++) {
        const SbVec3f centre(next(), next(), next());
        for (int k = 0; k < 3; k++)
            m.points.push_back(centre + SbVec3f(next() - 0.5f, next() - 0.5f, next() - 0.5f) * 0.2f);
        m.triangle(3 * i, 3 * i + 1, 3 * i + 2);
    }
    return m;
}
} // namespace

const char *kindName(int kind) {
    static const char *const names[] = {"knot", "sphere", "height", "random"};
    return kind >= 0 && kind < 4 ? names[kind] : "?";
}

SoSeparator *buildScene(int kind, int triangles, int &triangleCount) {
    Mesh m = kind == KNOT ? knot(triangles)
             : kind == SPHERE ? sphere(triangles)
             : kind == HEIGHT_FIELD ? heightField(triangles)
                                    : randomTriangles(triangles);
    triangleCount = static_cast<int>(m.indices.size() / 4);

    SoSeparator *root = new SoSeparator;
    SoPerspectiveCamera *camera = new SoPerspectiveCamera;
    root->addChild(camera);
    SoDirectionalLight *light = new SoDirectionalLight;
    light->direction.setValue(-0.4f, -0.6f, -1.0f);
    root->addChild(light);
    SoShapeHints *hints = new SoShapeHints;
    hints->vertexOrdering.setValue(SoShapeHints::COUNTERCLOCKWISE);
    root->addChild(hints);
    SoMaterial *material = new SoMaterial;
    material->diffuseColor.setValue(0.8f, 0.5f, 0.2f);
    root->addChild(material);
    SoCoordinate3 *coordinates = new SoCoordinate3;
    coordinates->point.setValues(0, static_cast<int>(m.points.size()), m.points.data());
    root->addChild(coordinates);
    SoIndexedFaceSet *faces = new SoIndexedFaceSet;
    faces->coordIndex.setValues(0, static_cast<int>(m.indices.size()), m.indices.data());
    root->addChild(faces);

    // An oblique view of the whole mesh.
    camera->orientation.setValue(SbRotation(SbVec3f(1, 0, 0), -0.9f) * SbRotation(SbVec3f(0, 0, 1), 0.3f));
    camera->viewAll(root, SbViewportRegion(1000, 1000));
    return root;
}

} // namespace bench_scenes
