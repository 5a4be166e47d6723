#include "DemoScene.h"
#include <array>
#include <cmath>
#include <vector>
#include "scene/nodes/SoBaseColor.h"
#include "scene/nodes/SoCoordinate3.h"
#include "scene/nodes/SoCylinder.h"
#include "scene/nodes/SoDirectionalLight.h"
#include "scene/nodes/SoDrawStyle.h"
#include "scene/nodes/SoFaceSet.h"
#include "scene/nodes/SoFont.h"
#include "scene/nodes/SoImage.h"
#include "scene/nodes/SoIndexedFaceSet.h"
#include "scene/nodes/SoOrthographicCamera.h"
#include "scene/nodes/SoVertexProperty.h"
#include "scene/nodes/SoLineSet.h"
#include "scene/nodes/SoMarkerSet.h"
#include "scene/nodes/SoMaterial.h"
#include "scene/nodes/SoPattern.h"
#include "scene/nodes/SoRotation.h"
#include "scene/nodes/SoSeparator.h"
#include "scene/nodes/SoText2.h"
#include "scene/nodes/SoTranslation.h"

namespace {
// A separator holding a translation to (x, y, 0) and the given nodes.
SoSeparator *placed(float x, float y, std::initializer_list<SoNode *> nodes) {
    SoSeparator *sep = new SoSeparator;
    SoTranslation *t = new SoTranslation;
    t->translation.setValue(x, y, 0);
    sep->addChild(t);
    for (SoNode *n : nodes) sep->addChild(n);
    return sep;
}

SoMaterial *material(float r, float g, float b) {
    SoMaterial *m = new SoMaterial;
    m->diffuseColor.setValue(r, g, b);
    m->specularColor.setValue(0.4f, 0.4f, 0.4f);
    m->shininess.setValue(0.3f);
    return m;
}

// A triangle mesh with a normal per point.
struct Mesh {
    std::vector<SbVec3f> points, normals;
    std::vector<std::array<int, 3>> triangles;
    int add(const SbVec3f &p, const SbVec3f &n) {
        points.push_back(p);
        normals.push_back(n);
        return static_cast<int>(points.size()) - 1;
    }
};

Mesh sphereMesh(float r, int slices, int bands) {
    Mesh m;
    const float pi = 3.14159265f;
    for (int b = 0; b <= bands; b++)
        for (int s = 0; s <= slices; s++) {
            float lat = -pi / 2 + pi * b / bands, lon = 2 * pi * s / slices;
            SbVec3f n(std::cos(lat) * std::sin(lon), std::sin(lat), std::cos(lat) * std::cos(lon));
            m.add(n * r, n);
        }
    for (int b = 0; b < bands; b++)
        for (int s = 0; s < slices; s++) {
            int a = b * (slices + 1) + s, c = a + slices + 1;
            m.triangles.push_back({a, a + 1, c + 1});
            m.triangles.push_back({a, c + 1, c});
        }
    return m;
}

Mesh cubeMesh(float half) {
    Mesh m;
    const SbVec3f axes[3] = {SbVec3f(1, 0, 0), SbVec3f(0, 1, 0), SbVec3f(0, 0, 1)};
    for (int axis = 0; axis < 3; axis++)
        for (float sign : {1.0f, -1.0f}) {
            SbVec3f n = axes[axis] * sign, u = axes[(axis + 1) % 3], v = axes[(axis + 2) % 3] * sign;
            int corners[4];
            const float du[4] = {-1, 1, 1, -1}, dv[4] = {-1, -1, 1, 1};
            for (int k = 0; k < 4; k++) corners[k] = m.add((n + u * du[k] + v * dv[k]) * half, n);
            m.triangles.push_back({corners[0], corners[1], corners[2]});
            m.triangles.push_back({corners[0], corners[2], corners[3]});
        }
    return m;
}

Mesh coneMesh(float r, float h, int slices) {
    Mesh m;
    const float pi = 3.14159265f;
    SbVec3f apex(0, h / 2, 0);
    for (int s = 0; s < slices; s++) {
        float a0 = 2 * pi * s / slices, a1 = 2 * pi * (s + 1) / slices, am = (a0 + a1) / 2;
        SbVec3f n(std::sin(am) * h, r, std::cos(am) * h);
        n.normalize();
        int p0 = m.add(SbVec3f(std::sin(a0) * r, -h / 2, std::cos(a0) * r), n);
        int p1 = m.add(SbVec3f(std::sin(a1) * r, -h / 2, std::cos(a1) * r), n);
        m.triangles.push_back({p0, p1, m.add(apex, n)});
        int c = m.add(SbVec3f(0, -h / 2, 0), SbVec3f(0, -1, 0));
        int q0 = m.add(SbVec3f(std::sin(a0) * r, -h / 2, std::cos(a0) * r), SbVec3f(0, -1, 0));
        int q1 = m.add(SbVec3f(std::sin(a1) * r, -h / 2, std::cos(a1) * r), SbVec3f(0, -1, 0));
        m.triangles.push_back({c, q1, q0});
    }
    return m;
}

// The faces of a turned convex solid that face the demo's camera (which looks along -z). The
// vectorizer draws faces in scene order, and without hidden-surface removal a face turned away
// could be painted over one in front; the faces of a convex solid that face the viewer never
// overlap, so drawing only those gives the right picture.
SoIndexedFaceSet *facesTowardViewer(const Mesh &mesh, const SbRotation &turn) {
    SoVertexProperty *property = new SoVertexProperty;
    for (size_t i = 0; i < mesh.points.size(); i++) {
        SbVec3f p, n;
        turn.multVec(mesh.points[i], p);
        turn.multVec(mesh.normals[i], n);
        property->vertex.set1Value(static_cast<int>(i), p);
        property->normal.set1Value(static_cast<int>(i), n);
    }
    SoIndexedFaceSet *faces = new SoIndexedFaceSet;
    faces->vertexProperty.setValue(property);
    int k = 0;
    for (const auto &tri : mesh.triangles) {
        const SbVec3f &a = property->vertex[tri[0]], &b = property->vertex[tri[1]], &c = property->vertex[tri[2]];
        if ((b - a).cross(c - a)[2] <= 0.0f) continue;
        for (int corner : tri) faces->coordIndex.set1Value(k++, corner);
        faces->coordIndex.set1Value(k++, -1);
    }
    return faces;
}

SoSeparator *litSolids() {
    SoSeparator *sep = new SoSeparator;
    SbRotation tilt(SbVec3f(1, 1, 0), 0.6f);
    SbRotation lean(SbVec3f(1, 0, 0), 0.35f);
    sep->addChild(placed(-3.5f, 2.5f, {material(0.85f, 0.2f, 0.15f), facesTowardViewer(sphereMesh(1, 24, 12), SbRotation())}));
    sep->addChild(placed(0.0f, 2.5f, {material(0.2f, 0.4f, 0.85f), facesTowardViewer(cubeMesh(0.9f), tilt)}));
    sep->addChild(placed(3.5f, 2.5f, {material(0.2f, 0.7f, 0.3f), facesTowardViewer(coneMesh(1, 2, 24), lean)}));
    return sep;
}

SoSeparator *wireframe() {
    SoDrawStyle *lines = new SoDrawStyle;
    lines->style.setValue(SoDrawStyle::LINES);
    lines->lineWidth.setValue(1.0f);
    SoBaseColor *color = new SoBaseColor;
    color->rgb.setValue(0.1f, 0.1f, 0.1f);
    SoRotation *tilt = new SoRotation;
    tilt->rotation.setValue(SbRotation(SbVec3f(1, 0, 0), 0.4f));
    return placed(-3.5f, -1.0f, {lines, color, tilt, new SoCylinder});
}

SoSeparator *dashedLines() {
    SoSeparator *sep = new SoSeparator;
    const unsigned short patterns[3] = {0x00FF, 0x0F0F, 0xFF18};
    for (int i = 0; i < 3; i++) {
        SoDrawStyle *style = new SoDrawStyle;
        style->linePattern.setValue(patterns[i]);
        style->lineWidth.setValue(2.0f);
        SoBaseColor *color = new SoBaseColor;
        color->rgb.setValue(0.2f * i, 0.1f, 0.6f - 0.2f * i);
        SoCoordinate3 *coords = new SoCoordinate3;
        for (int k = 0; k <= 12; k++)
            coords->point.set1Value(k, -1.4f + k * 0.25f, 0.35f * std::sin(k * 0.8f) - 0.6f * i, 0);
        sep->addChild(placed(0.0f, -0.4f, {style, color, coords, new SoLineSet}));
    }
    return sep;
}

SoSeparator *markers() {
    SoCoordinate3 *coords = new SoCoordinate3;
    SoMarkerSet *set = new SoMarkerSet;
    const int kinds[5] = {SoMarkerSet::CIRCLE_FILLED_9_9, SoMarkerSet::SQUARE_LINE_9_9, SoMarkerSet::STAR_9_9,
                          SoMarkerSet::TRIANGLE_FILLED_9_9, SoMarkerSet::DIAMOND_FILLED_9_9};
    for (int i = 0; i < 5; i++) {
        coords->point.set1Value(i, -1.2f + 0.6f * i, 0.25f * (i % 2), 0);
        set->markerIndex.set1Value(i, kinds[i]);
    }
    SoBaseColor *color = new SoBaseColor;
    color->rgb.setValue(0.8f, 0.3f, 0.0f);
    return placed(3.5f, -0.6f, {color, coords, set});
}

SoSeparator *patternedFace() {
    SoPattern *pattern = new SoPattern;
    pattern->category.setValue("demo");
    pattern->name.setValue("diagonal");
    for (int row = 0; row < 32; row++) {
        uint32_t bits = 0;
        for (int col = 0; col < 32; col++)
            if ((row + col) % 8 < 3) bits |= 0x80000000u >> col;
        pattern->rows.set1Value(row, bits);
    }
    SoCoordinate3 *coords = new SoCoordinate3;
    const float square[4][3] = {{-1, -0.7f, 0}, {1, -0.7f, 0}, {1, 0.7f, 0}, {-1, 0.7f, 0}};
    coords->point.setValues(0, 4, square);
    SoBaseColor *color = new SoBaseColor;
    color->rgb.setValue(0.5f, 0.1f, 0.5f);
    return placed(3.5f, -3.2f, {color, pattern, coords, new SoFaceSet});
}

SoSeparator *image() {
    const int w = 32, h = 24;
    std::vector<unsigned char> pixels(static_cast<size_t>(w) * h * 3);
    for (int y = 0; y < h; y++)
        for (int x = 0; x < w; x++) {
            unsigned char *p = &pixels[static_cast<size_t>((y * w + x) * 3)];
            p[0] = static_cast<unsigned char>(255 * x / (w - 1));
            p[1] = static_cast<unsigned char>(255 * y / (h - 1));
            p[2] = static_cast<unsigned char>(((x / 4 + y / 4) % 2) ? 200 : 60);
        }
    SoImage *img = new SoImage;
    img->image.setValue(SbVec2s(w, h), 3, pixels.data());
    img->width.setValue(64);
    img->height.setValue(48);
    img->horAlignment.setValue(SoImage::CENTER);
    img->vertAlignment.setValue(SoImage::HALF);
    return placed(-3.5f, -3.4f, {img});
}

SoSeparator *texts() {
    SoSeparator *sep = new SoSeparator;
    SoFont *font = new SoFont;
    font->name.setValue("Helvetica");
    font->size.setValue(14.0f);
    sep->addChild(font);
    // White on the screen's black background; the default colour translation prints it black.
    SoBaseColor *color = new SoBaseColor;
    color->rgb.setValue(1, 1, 1);
    sep->addChild(color);
    const char *words[3] = {"left (x)", "centre", "right"};
    const int justifications[3] = {SoText2::LEFT, SoText2::CENTER, SoText2::RIGHT};
    for (int i = 0; i < 3; i++) {
        SoText2 *text = new SoText2;
        text->string.setValue(words[i]);
        text->justification.setValue(justifications[i]);
        sep->addChild(placed(0.0f, -2.8f - 0.5f * i, {text}));
    }
    SoText2 *title = new SoText2;
    title->string.set1Value(0, "Scrivane demo");
    title->string.set1Value(1, "vector output of a 3-D scene");
    title->justification.setValue(SoText2::CENTER);
    SoFont *big = new SoFont;
    big->name.setValue("Helvetica-Bold");
    big->size.setValue(20.0f);
    sep->addChild(placed(0.0f, 4.6f, {big, title}));
    return sep;
}
} // namespace

SoSeparator *buildDemoScene() {
    SoSeparator *root = new SoSeparator;
    SoOrthographicCamera *camera = new SoOrthographicCamera;
    camera->position.setValue(0, 0.4f, 20);
    camera->height.setValue(11.0f);
    camera->nearDistance.setValue(1);
    camera->farDistance.setValue(40);
    root->addChild(camera);
    SoDirectionalLight *light = new SoDirectionalLight;
    light->direction.setValue(0.4f, -0.5f, -1.0f);
    root->addChild(light);
    root->addChild(litSolids());
    root->addChild(wireframe());
    root->addChild(dashedLines());
    root->addChild(markers());
    root->addChild(patternedFace());
    root->addChild(image());
    root->addChild(texts());
    return root;
}
