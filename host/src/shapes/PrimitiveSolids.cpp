// Primitive generation and boxes of the solid shapes: cube, sphere, cone and cylinder.
//
// All are centred on the origin, their triangles run counter-clockwise seen from outside, and
// their normals point outward (smooth on curved surfaces, flat on planar ones).
//
// Tessellation of the curved solids follows the complexity value c (0..1) of the state:
//   sides around the y axis   N = max(3, round(32 c))          (c = 0.5 gives 16)
//   latitude bands of sphere  M = max(2, N / 2)                (c = 0.5 gives 8)
// so at the default complexity 0.5: sphere 2 N (M - 1) = 224 triangles, cone N sides + N
// bottom = 32 triangles, cylinder 2 N sides + N top + N bottom = 64 triangles. Discs are fans
// around their centre. The complexity type is not consulted (object space throughout).
//
// Materials: the cube binds faces in the order front (+z), back (-z), left (-x), right (+x),
// top (+y), bottom (-y) under the PER_PART and PER_FACE bindings (indexed or not); the cone's
// parts are sides 0, bottom 1 and the cylinder's sides 0, top 1, bottom 2 under PER_PART and
// PER_PART_INDEXED. Every other binding, and every binding of the sphere, uses material 0.
#include <algorithm>
#include <cmath>

#include "ShapeBuilder.h"
#include "VertexShapeSupport.h"
#include "scene/actions/SoAction.h"
#include "scene/elements/SoComplexityElement.h"
#include "scene/elements/SoMaterialBindingElement.h"
#include "scene/misc/SoState.h"
#include "scene/nodes/SoCone.h"
#include "scene/nodes/SoCube.h"
#include "scene/nodes/SoCylinder.h"
#include "scene/nodes/SoSphere.h"

using scene_detail::ShapeBuilder;

namespace {

constexpr float kPi = 3.14159265358979323846f;

int sidesFor(SoAction *action) {
    float c = SoComplexityElement::get(action->getState());
    if (!(c >= 0.0f)) c = 0.0f;
    if (c > 1.0f) c = 1.0f;
    return std::max(3, static_cast<int>(std::lround(32.0f * c)));
}

int bindingOf(SoAction *action) { return SoMaterialBindingElement::get(action->getState()); }

bool bindsParts(int binding) {
    return binding == scene_detail::BIND_PER_PART || binding == scene_detail::BIND_PER_PART_INDEXED;
}

bool bindsFaces(int binding) {
    return binding == scene_detail::BIND_PER_FACE || binding == scene_detail::BIND_PER_FACE_INDEXED;
}

SoPrimitiveVertex makeVertex(const SbVec3f &p, const SbVec3f &n, int material) {
    SoPrimitiveVertex v;
    v.setPoint(p);
    v.setNormal(n);
    v.setMaterialIndex(material);
    return v;
}

// Point on the unit circle in the x-z plane at step i of n, starting at +z and turning
// towards +x (counter-clockwise seen from +y).
void circlePoint(int i, int n, float &s, float &c) {
    const float angle = 2.0f * kPi * float(i % n) / float(n);
    s = std::sin(angle);
    c = std::cos(angle);
}

// A disc of radius r at height y, facing up (+y) or down (-y), as a fan around its centre.
void generateDisc(ShapeBuilder &builder, int n, float r, float y, bool up, int material) {
    const SbVec3f normal(0, up ? 1.0f : -1.0f, 0);
    const SoPrimitiveVertex centre = makeVertex(SbVec3f(0, y, 0), normal, material);
    for (int i = 0; i < n; i++) {
        float s0, c0, s1, c1;
        circlePoint(i, n, s0, c0);
        circlePoint(i + 1, n, s1, c1);
        const SoPrimitiveVertex a = makeVertex(SbVec3f(r * s0, y, r * c0), normal, material);
        const SoPrimitiveVertex b = makeVertex(SbVec3f(r * s1, y, r * c1), normal, material);
        if (up)
            builder.triangle(centre, a, b);
        else
            builder.triangle(centre, b, a);
    }
}

void setBox(SbBox3f &box, SbVec3f &center, float hx, float hy, float hz) {
    box.setBounds(SbVec3f(-hx, -hy, -hz), SbVec3f(hx, hy, hz));
    center.setValue(0, 0, 0);
}

} // namespace

void SoCube::generatePrimitives(SoAction *action) {
    ShapeBuilder builder(action, this);
    if (!builder.isActive()) return;
    const int binding = bindingOf(action);
    const bool perFace = bindsParts(binding) || bindsFaces(binding);
    const float x = std::fabs(width.getValue()) * 0.5f, y = std::fabs(height.getValue()) * 0.5f,
                z = std::fabs(depth.getValue()) * 0.5f;
    // Corners of each face counter-clockwise seen from outside, with the face's normal.
    const SbVec3f faces[6][4] = {
        {SbVec3f(-x, -y, z), SbVec3f(x, -y, z), SbVec3f(x, y, z), SbVec3f(-x, y, z)},     // front
        {SbVec3f(x, -y, -z), SbVec3f(-x, -y, -z), SbVec3f(-x, y, -z), SbVec3f(x, y, -z)}, // back
        {SbVec3f(-x, -y, -z), SbVec3f(-x, -y, z), SbVec3f(-x, y, z), SbVec3f(-x, y, -z)}, // left
        {SbVec3f(x, -y, z), SbVec3f(x, -y, -z), SbVec3f(x, y, -z), SbVec3f(x, y, z)},     // right
        {SbVec3f(-x, y, z), SbVec3f(x, y, z), SbVec3f(x, y, -z), SbVec3f(-x, y, -z)},     // top
        {SbVec3f(-x, -y, -z), SbVec3f(x, -y, -z), SbVec3f(x, -y, z), SbVec3f(-x, -y, z)}, // bottom
    };
    const SbVec3f normals[6] = {SbVec3f(0, 0, 1),  SbVec3f(0, 0, -1), SbVec3f(-1, 0, 0),
                                SbVec3f(1, 0, 0),  SbVec3f(0, 1, 0),  SbVec3f(0, -1, 0)};
    for (int f = 0; f < 6; f++) {
        const int material = perFace ? f : 0;
        SoPrimitiveVertex v[4];
        for (int k = 0; k < 4; k++) v[k] = makeVertex(faces[f][k], normals[f], material);
        builder.triangle(v[0], v[1], v[2]);
        builder.triangle(v[0], v[2], v[3]);
    }
}

void SoCube::computeBBox(SoAction *, SbBox3f &box, SbVec3f &center) {
    setBox(box, center, std::fabs(width.getValue()) * 0.5f, std::fabs(height.getValue()) * 0.5f,
           std::fabs(depth.getValue()) * 0.5f);
}

void SoSphere::generatePrimitives(SoAction *action) {
    ShapeBuilder builder(action, this);
    if (!builder.isActive()) return;
    const float r = std::fabs(radius.getValue());
    const int n = sidesFor(action);
    const int bands = std::max(2, n / 2);
    // Vertex at band boundary j (0 the top pole .. bands the bottom pole) and side i.
    auto at = [&](int j, int i) {
        const float theta = kPi * float(j) / float(bands);
        float s, c;
        circlePoint(i, n, s, c);
        SbVec3f normal(std::sin(theta) * s, std::cos(theta), std::sin(theta) * c);
        if (j == 0) normal.setValue(0, 1, 0);
        if (j == bands) normal.setValue(0, -1, 0);
        SoPrimitiveVertex v = makeVertex(normal * r, normal, 0);
        v.setTextureCoords(SbVec4f(float(i) / float(n), 1.0f - float(j) / float(bands), 0, 1));
        return v;
    };
    for (int j = 0; j < bands; j++) {
        for (int i = 0; i < n; i++) {
            const SoPrimitiveVertex a = at(j, i), b = at(j + 1, i), c = at(j + 1, i + 1), d = at(j, i + 1);
            if (j > 0) builder.triangle(a, b, d);
            if (j + 1 < bands) builder.triangle(d, b, c);
        }
    }
}

void SoSphere::computeBBox(SoAction *, SbBox3f &box, SbVec3f &center) {
    const float r = std::fabs(radius.getValue());
    setBox(box, center, r, r, r);
}

void SoCone::generatePrimitives(SoAction *action) {
    ShapeBuilder builder(action, this);
    if (!builder.isActive()) return;
    const bool byPart = bindsParts(bindingOf(action));
    const float r = std::fabs(bottomRadius.getValue()), h = std::fabs(height.getValue());
    const int n = sidesFor(action);
    const int which = parts.getValue();
    if (which & SIDES) {
        // The side normal at angle a is (h sin a, r, h cos a), normalized; the apex takes the
        // normal of the middle of its triangle.
        auto sideNormal = [&](float s, float c) {
            SbVec3f normal(h * s, r, h * c);
            if (normal.normalize() == 0.0f) normal.setValue(0, 1, 0);
            return normal;
        };
        for (int i = 0; i < n; i++) {
            float s0, c0, s1, c1;
            circlePoint(i, n, s0, c0);
            circlePoint(i + 1, n, s1, c1);
            const float mid = 2.0f * kPi * (float(i) + 0.5f) / float(n);
            const SoPrimitiveVertex apex = makeVertex(SbVec3f(0, h * 0.5f, 0), sideNormal(std::sin(mid), std::cos(mid)), 0);
            const SoPrimitiveVertex a = makeVertex(SbVec3f(r * s0, -h * 0.5f, r * c0), sideNormal(s0, c0), 0);
            const SoPrimitiveVertex b = makeVertex(SbVec3f(r * s1, -h * 0.5f, r * c1), sideNormal(s1, c1), 0);
            builder.triangle(apex, a, b);
        }
    }
    if (which & BOTTOM) generateDisc(builder, n, r, -h * 0.5f, false, byPart ? 1 : 0);
}

void SoCone::computeBBox(SoAction *, SbBox3f &box, SbVec3f &center) {
    const float r = std::fabs(bottomRadius.getValue()), h = std::fabs(height.getValue());
    setBox(box, center, r, h * 0.5f, r);
}

void SoCylinder::generatePrimitives(SoAction *action) {
    ShapeBuilder builder(action, this);
    if (!builder.isActive()) return;
    const bool byPart = bindsParts(bindingOf(action));
    const float r = std::fabs(radius.getValue()), h = std::fabs(height.getValue());
    const int n = sidesFor(action);
    const int which = parts.getValue();
    if (which & SIDES) {
        for (int i = 0; i < n; i++) {
            float s0, c0, s1, c1;
            circlePoint(i, n, s0, c0);
            circlePoint(i + 1, n, s1, c1);
            const SbVec3f n0(s0, 0, c0), n1(s1, 0, c1);
            const SoPrimitiveVertex topA = makeVertex(SbVec3f(r * s0, h * 0.5f, r * c0), n0, 0);
            const SoPrimitiveVertex botA = makeVertex(SbVec3f(r * s0, -h * 0.5f, r * c0), n0, 0);
            const SoPrimitiveVertex botB = makeVertex(SbVec3f(r * s1, -h * 0.5f, r * c1), n1, 0);
            const SoPrimitiveVertex topB = makeVertex(SbVec3f(r * s1, h * 0.5f, r * c1), n1, 0);
            builder.triangle(topA, botA, botB);
            builder.triangle(topA, botB, topB);
        }
    }
    if (which & TOP) generateDisc(builder, n, r, h * 0.5f, true, byPart ? 1 : 0);
    if (which & BOTTOM) generateDisc(builder, n, r, -h * 0.5f, false, byPart ? 2 : 0);
}

void SoCylinder::computeBBox(SoAction *, SbBox3f &box, SbVec3f &center) {
    const float r = std::fabs(radius.getValue()), h = std::fabs(height.getValue());
    setBox(box, center, r, h * 0.5f, r);
}
