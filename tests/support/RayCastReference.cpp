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

// A point in pixels of the drawing area, v upwards; z is the world depth.
struct Projected {
    double u, v, z;
};

Projected project(const SbVec3f &p, const FidelityView &view) {
    const double mmPerUnit = kDrawingMm / view.height;
    auto pixel = [&](double offsetMm) { // from the sheet's edge, then from the area's (exact)
        return kFidelityPixelsPerMm * (kStartMm + kDrawingMm / 2 + offsetMm) - kDrawingFirstPixel;
    };
    return {pixel((p[0] - view.centerX) * mmPerUnit), pixel((p[1] - view.centerY) * mmPerUnit),
            p[2]};
}

SbVec3f unitNormal(const FlatTriangle &t) {
    SbVec3f n = (t.b - t.a).cross(t.c - t.a);
    n.normalize();
    return n;
}

// The part of t in the plane n . x = d: false when t lies wholly on one side or in the plane.
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

// The segment common to s and t: where the parts of each in the other's plane overlap.
bool commonSegment(const FlatTriangle &s, const FlatTriangle &t, SbVec3f &p, SbVec3f &q) {
    const SbVec3f ns = unitNormal(s), nt = unitNormal(t), line = ns.cross(nt);
    SbVec3f s0, s1, t0, t1;
    if (line.length() < 1e-6f || !cutByPlane(s, nt, nt.dot(t.a), s0, s1) ||
        !cutByPlane(t, ns, ns.dot(s.a), t0, t1))
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

// Bounds of the pixels to visit around a range of coordinates, widened by `by`.
int lowPixel(double a, double by) {
    return std::max(0, int(std::floor(a - by)));
}
int highPixel(double a, double by) {
    return std::min(kDrawingPixels - 1, int(std::ceil(a + by)));
}

// Marks the pixels whose centres lie within one pixel of the segment pq.
void markBand(Mask &band, const Projected &p, const Projected &q) {
    const double du = q.u - p.u, dv = q.v - p.v, len2 = du * du + dv * dv;
    for (int j = lowPixel(std::min(p.v, q.v), 1.5); j <= highPixel(std::max(p.v, q.v), 1.5); j++)
        for (int i = lowPixel(std::min(p.u, q.u), 1.5); i <= highPixel(std::max(p.u, q.u), 1.5);
             i++) {
            const double cu = i + 0.5 - p.u, cv = j + 0.5 - p.v;
            const double s = len2 > 0 ? std::clamp((cu * du + cv * dv) / len2, 0.0, 1.0) : 0.0;
            const double eu = cu - s * du, ev = cv - s * dv;
            if (eu * eu + ev * ev <= 1.0) band[size_t(j) * kDrawingPixels + size_t(i)] = 1;
        }
}

SbColor shownColor(const FlatTriangle &t, const DirectionalLightSetup *light) {
    if (!light) return t.color;
    SbVec3f d = light->direction;
    d.normalize();
    const float f = std::max(0.0f, -unitNormal(t).dot(d)) * light->intensity;
    return SbColor(std::min(1.0f, t.color[0] * f), std::min(1.0f, t.color[1] * f),
                   std::min(1.0f, t.color[2] * f));
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
    SoMaterial *material = new SoMaterial;
    SoCoordinate3 *coords = new SoCoordinate3;
    SoFaceSet *faces = new SoFaceSet;
    for (int i = 0; i < int(triangles.size()); i++) {
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

RayCast rayCast(const std::vector<FlatTriangle> &triangles, const FidelityView &view) {
    RayCast result;
    result.band.assign(size_t(kDrawingPixels) * kDrawingPixels, 0);
    std::vector<double> depth(result.band.size(), -HUGE_VAL);
    for (size_t s = 0; s < triangles.size(); s++) {
        const FlatTriangle &t = triangles[s];
        const Projected a = project(t.a, view), b = project(t.b, view), c = project(t.c, view);
        markBand(result.band, a, b);
        markBand(result.band, b, c);
        markBand(result.band, c, a);
        for (size_t r = s + 1; r < triangles.size(); r++) {
            SbVec3f p, q;
            if (commonSegment(t, triangles[r], p, q))
                markBand(result.band, project(p, view), project(q, view));
        }
        const double area = (b.u - a.u) * (c.v - a.v) - (c.u - a.u) * (b.v - a.v);
        if (std::fabs(area) < 1e-9) continue; // seen edge on: covers no pixel centre
        const SbColor shown = shownColor(t, view.light);
        for (int j = lowPixel(std::min({a.v, b.v, c.v}), 0);
             j <= highPixel(std::max({a.v, b.v, c.v}), 0); j++)
            for (int i = lowPixel(std::min({a.u, b.u, c.u}), 0);
                 i <= highPixel(std::max({a.u, b.u, c.u}), 0); i++) {
                const double pu = i + 0.5, pv = j + 0.5;
                const double wa = ((b.u - pu) * (c.v - pv) - (c.u - pu) * (b.v - pv)) / area;
                const double wb = ((c.u - pu) * (a.v - pv) - (a.u - pu) * (c.v - pv)) / area;
                const double wc = 1.0 - wa - wb, z = wa * a.z + wb * b.z + wc * c.z;
                const size_t k = size_t(j) * kDrawingPixels + size_t(i);
                if (wa < 0 || wb < 0 || wc < 0 || z <= depth[k]) continue;
                depth[k] = z;
                result.picture.set(i, j, level(shown[0]), level(shown[1]), level(shown[2]));
            }
    }
    return result;
}

} // namespace scrivane::test
