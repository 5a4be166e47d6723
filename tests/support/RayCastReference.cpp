#include "RayCastReference.h"

#include "scene/nodes/SoCoordinate3.h"
#include "scene/nodes/SoDirectionalLight.h"
#include "scene/nodes/SoFaceSet.h"
#include "scene/nodes/SoLightModel.h"
#include "scene/nodes/SoMaterial.h"
#include "scene/nodes/SoMaterialBinding.h"
#include "scene/nodes/SoOrthographicCamera.h"
#include "scene/nodes/SoSeparator.h"

#include <algorithm>
#include <cmath>

namespace scrivane::test {

namespace {

constexpr double kPixelsPerMm = kFidelityPixelsPerMm;

// A point in pixel units of the sheet, v upwards from the bottom edge; z is the world depth.
struct Projected {
    double u, v, z;
};

Projected project(const SbVec3f &p, const FidelityView &view) {
    const double mmPerUnit = kDrawingMm / view.height;
    return {kPixelsPerMm * (kStartMm + kDrawingMm / 2 + (p[0] - view.centerX) * mmPerUnit),
            kPixelsPerMm * (kStartMm + kDrawingMm / 2 + (p[1] - view.centerY) * mmPerUnit), p[2]};
}

// The part of triangle t in the plane n . x = d (n of unit length): false when t lies wholly
// on one side or in the plane, else its end points (equal when t only touches the plane).
bool cutByPlane(const FlatTriangle &t, const SbVec3f &n, float d, SbVec3f &p, SbVec3f &q) {
    const SbVec3f v[3] = {t.a, t.b, t.c};
    const float eps = 1e-6f;
    float dist[3];
    for (int i = 0; i < 3; i++)
        dist[i] = n.dot(v[i]) - d;
    std::vector<SbVec3f> found;
    for (int i = 0; i < 3; i++) {
        const int j = (i + 1) % 3;
        if (std::fabs(dist[i]) <= eps) found.push_back(v[i]);
        if ((dist[i] > eps && dist[j] < -eps) || (dist[i] < -eps && dist[j] > eps))
            found.push_back(v[i] + (v[j] - v[i]) * (dist[i] / (dist[i] - dist[j])));
    }
    if (found.empty() || found.size() > 2) return false;
    p = found.front();
    q = found.back();
    return true;
}

SbVec3f unitNormal(const FlatTriangle &t) {
    SbVec3f n = (t.b - t.a).cross(t.c - t.a);
    n.normalize();
    return n;
}

// The segment common to s and t: each cut by the other's plane gives a segment on the planes'
// common line, and the two overlap along it.
bool commonSegment(const FlatTriangle &s, const FlatTriangle &t, SbVec3f &p, SbVec3f &q) {
    const SbVec3f ns = unitNormal(s), nt = unitNormal(t);
    const SbVec3f line = ns.cross(nt);
    if (line.length() < 1e-6f) return false; // parallel planes
    SbVec3f s0, s1, t0, t1;
    if (!cutByPlane(s, nt, nt.dot(t.a), s0, s1) || !cutByPlane(t, ns, ns.dot(s.a), t0, t1))
        return false;
    const float a0 = line.dot(s0), a1 = line.dot(s1);
    const float lo = std::max(std::min(a0, a1), std::min(line.dot(t0), line.dot(t1)));
    const float hi = std::min(std::max(a0, a1), std::max(line.dot(t0), line.dot(t1)));
    if (lo > hi) return false;
    auto at = [&](float a) { return a1 == a0 ? s0 : s0 + (s1 - s0) * ((a - a0) / (a1 - a0)); };
    p = at(lo);
    q = at(hi);
    return true;
}

// Marks the pixels whose centres lie within one pixel of the segment pq.
void markBand(std::vector<char> &mask, const Projected &p, const Projected &q) {
    const double du = q.u - p.u, dv = q.v - p.v, len2 = du * du + dv * dv;
    const int i0 = std::max(0, int(std::floor(std::min(p.u, q.u) - 1.5)));
    const int i1 = std::min(kSheetPixels - 1, int(std::ceil(std::max(p.u, q.u) + 1.5)));
    const int j0 = std::max(0, int(std::floor(std::min(p.v, q.v) - 1.5)));
    const int j1 = std::min(kSheetPixels - 1, int(std::ceil(std::max(p.v, q.v) + 1.5)));
    for (int j = j0; j <= j1; j++)
        for (int i = i0; i <= i1; i++) {
            const double cu = i + 0.5 - p.u, cv = j + 0.5 - p.v;
            const double s = len2 > 0 ? std::clamp((cu * du + cv * dv) / len2, 0.0, 1.0) : 0.0;
            const double eu = cu - s * du, ev = cv - s * dv;
            if (eu * eu + ev * ev <= 1.0) mask[size_t(j) * kSheetPixels + size_t(i)] = 1;
        }
}

// Ray cast at every pixel centre: owner[pixel] is the nearest covering triangle, or -1.
std::vector<int> castRays(const std::vector<FlatTriangle> &triangles, const FidelityView &view) {
    std::vector<int> owner(size_t(kSheetPixels) * kSheetPixels, -1);
    std::vector<double> depth(owner.size(), -HUGE_VAL);
    for (size_t t = 0; t < triangles.size(); t++) {
        const Projected a = project(triangles[t].a, view), b = project(triangles[t].b, view),
                        c = project(triangles[t].c, view);
        const double area = (b.u - a.u) * (c.v - a.v) - (c.u - a.u) * (b.v - a.v);
        if (std::fabs(area) < 1e-9) continue; // seen edge on: covers no pixel centre
        const int i0 = std::max(0, int(std::floor(std::min({a.u, b.u, c.u}))));
        const int i1 = std::min(kSheetPixels - 1, int(std::ceil(std::max({a.u, b.u, c.u}))));
        const int j0 = std::max(0, int(std::floor(std::min({a.v, b.v, c.v}))));
        const int j1 = std::min(kSheetPixels - 1, int(std::ceil(std::max({a.v, b.v, c.v}))));
        for (int j = j0; j <= j1; j++)
            for (int i = i0; i <= i1; i++) {
                const double pu = i + 0.5, pv = j + 0.5;
                const double wa = ((b.u - pu) * (c.v - pv) - (c.u - pu) * (b.v - pv)) / area;
                const double wb = ((c.u - pu) * (a.v - pv) - (a.u - pu) * (c.v - pv)) / area;
                const double wc = 1.0 - wa - wb;
                if (wa < 0 || wb < 0 || wc < 0) continue;
                const double z = wa * a.z + wb * b.z + wc * c.z;
                const size_t k = size_t(j) * kSheetPixels + size_t(i);
                if (z > depth[k]) {
                    depth[k] = z;
                    owner[k] = int(t);
                }
            }
    }
    return owner;
}

} // namespace

SoSeparator *buildFlatTriangleScene(const std::vector<FlatTriangle> &triangles,
                                    const FidelityView &view) {
    float zmin = 0.0f, zmax = 0.0f;
    for (const FlatTriangle &t : triangles)
        for (const SbVec3f &p : {t.a, t.b, t.c}) {
            zmin = std::min(zmin, p[2]);
            zmax = std::max(zmax, p[2]);
        }
    SoSeparator *root = new SoSeparator;
    root->ref();
    SoOrthographicCamera *camera = new SoOrthographicCamera;
    camera->position.setValue(SbVec3f(view.centerX, view.centerY, zmax + 1.0f));
    camera->height.setValue(view.height);
    camera->nearDistance.setValue(0.5f);
    camera->farDistance.setValue(zmax - zmin + 1.5f);
    root->addChild(camera);
    SoLightModel *model = new SoLightModel;
    model->model = view.light ? SoLightModel::PHONG : SoLightModel::BASE_COLOR;
    root->addChild(model);
    if (view.light) {
        SoDirectionalLight *light = new SoDirectionalLight;
        light->direction.setValue(view.light->direction);
        light->intensity.setValue(view.light->intensity);
        light->color.setValue(SbColor(1, 1, 1));
        root->addChild(light);
    }
    const int n = int(triangles.size());
    SoMaterial *material = new SoMaterial;
    SoCoordinate3 *coords = new SoCoordinate3;
    SoFaceSet *faces = new SoFaceSet;
    for (int i = 0; i < n; i++) {
        const FlatTriangle &t = triangles[size_t(i)];
        material->diffuseColor.set1Value(i, t.color);
        for (SoMFColor *black :
             {&material->ambientColor, &material->specularColor, &material->emissiveColor})
            black->set1Value(i, SbColor(0, 0, 0));
        coords->point.set1Value(3 * i, t.a);
        coords->point.set1Value(3 * i + 1, t.b);
        coords->point.set1Value(3 * i + 2, t.c);
        faces->numVertices.set1Value(i, 3);
    }
    SoMaterialBinding *binding = new SoMaterialBinding;
    binding->value = SoMaterialBinding::PER_FACE;
    root->addChild(material);
    root->addChild(binding);
    root->addChild(coords);
    root->addChild(faces);
    return root;
}

SbColor shownColor(const FlatTriangle &t, const DirectionalLightSetup *light) {
    if (!light) return t.color;
    SbVec3f d = light->direction;
    d.normalize();
    const float f = std::max(0.0f, -unitNormal(t).dot(d)) * light->intensity;
    return SbColor(std::min(1.0f, t.color[0] * f), std::min(1.0f, t.color[1] * f),
                   std::min(1.0f, t.color[2] * f));
}

int countCrossings(const std::vector<FlatTriangle> &triangles) {
    int n = 0;
    for (size_t s = 0; s < triangles.size(); s++)
        for (size_t t = s + 1; t < triangles.size(); t++) {
            SbVec3f p, q;
            if (commonSegment(triangles[s], triangles[t], p, q) && (q - p).length() > 1e-5f) n++;
        }
    return n;
}

RayCastPicture rayCast(const std::vector<FlatTriangle> &triangles, const FidelityView &view) {
    const std::vector<int> owner = castRays(triangles, view);
    std::vector<char> band(owner.size(), 0);
    for (const FlatTriangle &t : triangles) {
        const Projected a = project(t.a, view), b = project(t.b, view), c = project(t.c, view);
        markBand(band, a, b);
        markBand(band, b, c);
        markBand(band, c, a);
    }
    for (size_t s = 0; s < triangles.size(); s++)
        for (size_t t = s + 1; t < triangles.size(); t++) {
            SbVec3f p, q;
            if (commonSegment(triangles[s], triangles[t], p, q))
                markBand(band, project(p, view), project(q, view));
        }
    // Only the drawing area: nothing is drawn outside its clip.
    RayCastPicture picture;
    const size_t n = size_t(kDrawingPixels) * kDrawingPixels;
    picture.color.resize(n);
    picture.covered.resize(n);
    picture.band.resize(n);
    for (int y = 0; y < kDrawingPixels; y++)
        for (int x = 0; x < kDrawingPixels; x++) {
            const size_t k =
                size_t(kDrawingFirstPixel + y) * kSheetPixels + size_t(kDrawingFirstPixel + x);
            const size_t d = size_t(y) * kDrawingPixels + size_t(x);
            picture.band[d] = band[k];
            picture.covered[d] = owner[k] >= 0;
            picture.color[d] = owner[k] < 0 ? SbColor(1, 1, 1)
                                            : shownColor(triangles[size_t(owner[k])], view.light);
        }
    return picture;
}

FidelityCounts measureFidelity(const std::vector<FlatTriangle> &triangles, const FidelityView &view,
                               SoVectorizeAction::HLHSRMode mode, const std::string &name) {
    FidelityCounts counts;
    SoSeparator *root = buildFlatTriangleScene(triangles, view);
    PngImage image;
    const bool drawn =
        drawAndRasterize(root, mode, view.light != nullptr, name, image, counts.error);
    root->unref();
    if (!drawn) return counts;

    const RayCastPicture truth = rayCast(triangles, view);
    std::vector<unsigned char> diff(size_t(kSheetPixels) * kSheetPixels * 3, 255);
    for (int y = 0; y < kDrawingPixels; y++)
        for (int x = 0; x < kDrawingPixels; x++) {
            const size_t d = size_t(y) * kDrawingPixels + size_t(x);
            const int row = sheetRow(y), column = sheetColumn(x);
            const Rgb got = image.pixel(column, row);
            unsigned char *out = &diff[(size_t(row) * kSheetPixels + size_t(column)) * 3];
            if (truth.band[d]) {
                counts.excluded++;
                out[0] = out[1] = out[2] = 128;
                continue;
            }
            const SbColor &expected = truth.color[d];
            counts.compared++;
            counts.covered += truth.covered[d];
            const bool wrong = std::abs(got.r - level(expected[0])) > kColourTolerance ||
                               std::abs(got.g - level(expected[1])) > kColourTolerance ||
                               std::abs(got.b - level(expected[2])) > kColourTolerance;
            counts.wrong += wrong;
            const int shown[3] = {got.r, got.g, got.b};
            for (int ch = 0; ch < 3; ch++)
                out[ch] = wrong ? 0 : static_cast<unsigned char>(128 + shown[ch] / 2);
        }
    writeRgbPng(fidelityDir() + name + "-diff.png", diff, kSheetPixels, kSheetPixels);
    return counts;
}

} // namespace scrivane::test
