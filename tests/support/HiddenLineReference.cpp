#include "HiddenLineReference.h"

#include <GL/gl.h>

#include "scene/actions/SoCallbackAction.h"
#include "scene/base/SbMatrix.h"
#include "scene/base/SbVec4f.h"
#include "scene/base/SbViewportRegion.h"
#include "scene/misc/SoOffscreenRenderer.h"
#include "scene/misc/SoPrimitiveVertex.h"
#include "scene/nodes/SoDrawStyle.h"
#include "scene/nodes/SoSeparator.h"
#include "scene/nodes/SoShape.h"

namespace scrivane::test {

namespace {

// The scene's triangles and line segments in clip coordinates, three and two points each.
struct ClipGeometry {
    std::vector<SbVec4f> triangles, segments;
};

void collect(void *data, SoCallbackAction *action,
             std::initializer_list<const SoPrimitiveVertex *> vertices) {
    if (action->getDrawStyle() == SoDrawStyle::INVISIBLE) return;
    auto &geometry = *static_cast<ClipGeometry *>(data);
    auto &out = vertices.size() == 3 ? geometry.triangles : geometry.segments;
    const SbMatrix toClip =
        action->getModelMatrix() * action->getViewingMatrix() * action->getProjectionMatrix();
    for (const SoPrimitiveVertex *v : vertices) {
        SbVec4f clip;
        toClip.multVecMatrix(SbVec4f(v->getPoint()[0], v->getPoint()[1], v->getPoint()[2], 1),
                             clip);
        out.push_back(clip);
    }
}

void vertex(const SbVec4f &p) {
    glVertex4f(p[0], p[1], p[2], p[3]);
}

} // namespace

bool renderHiddenLineReference(SoNode *root, Mask &edges, std::string &error,
                               const std::string &pngPath) {
    const SbViewportRegion region(kDrawingPixels, kDrawingPixels);
    ClipGeometry geometry;
    {
        SoCallbackAction action(region);
        action.addTriangleCallback(
            SoShape::getClassTypeId(),
            [](void *data, SoCallbackAction *a, const SoPrimitiveVertex *v1,
               const SoPrimitiveVertex *v2, const SoPrimitiveVertex *v3) {
                collect(data, a, {v1, v2, v3});
            },
            &geometry);
        action.addLineSegmentCallback(
            SoShape::getClassTypeId(),
            [](void *data, SoCallbackAction *a, const SoPrimitiveVertex *v1,
               const SoPrimitiveVertex *v2) {
                collect(data, a, {v1, v2});
            },
            &geometry);
        action.apply(root);
    }
    // Rendering an empty scene leaves a white picture, depth 1, identity matrices, the depth
    // test GL_LESS with depth writes, no lighting and 1-pixel lines.
    SoOffscreenRenderer renderer(region);
    renderer.setBackgroundColor(SbColor(1, 1, 1));
    SoSeparator *empty = new SoSeparator;
    empty->ref();
    const bool ready = renderer.render(empty);
    empty->unref();
    if (!ready) {
        error = "the off-screen renderer could not draw";
        return false;
    }
    glDisable(GL_LINE_SMOOTH);
    glShadeModel(GL_FLAT);
    glColorMask(GL_FALSE, GL_FALSE, GL_FALSE, GL_FALSE);
    glEnable(GL_POLYGON_OFFSET_FILL);
    glPolygonOffset(1.0f, 1.0f);
    glBegin(GL_TRIANGLES);
    for (const SbVec4f &p : geometry.triangles)
        vertex(p);
    glEnd();
    glDisable(GL_POLYGON_OFFSET_FILL);
    glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
    glDepthFunc(GL_LEQUAL);
    glDepthMask(GL_FALSE);
    glColor3ub(0, 0, 0);
    glLineWidth(1.0f);
    glBegin(GL_LINES);
    for (size_t t = 0; t + 2 < geometry.triangles.size(); t += 3)
        for (size_t k = 0; k < 3; k++) {
            vertex(geometry.triangles[t + k]);
            vertex(geometry.triangles[t + (k + 1) % 3]);
        }
    for (const SbVec4f &p : geometry.segments)
        vertex(p);
    glEnd();
    glDepthMask(GL_TRUE);
    glDepthFunc(GL_LESS);
    glFinish();

    Picture picture;
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadBuffer(GL_FRONT);
    glReadPixels(0, 0, kDrawingPixels, kDrawingPixels, GL_RGB, GL_UNSIGNED_BYTE,
                 picture.rgb.data());
    if (const GLenum glError = glGetError(); glError != GL_NO_ERROR) {
        error = "OpenGL error " + std::to_string(unsigned(glError)) + " drawing the reference";
        return false;
    }
    picture.write(pngPath);
    edges = picture.nonWhite();
    return true;
}

Agreement agreement(const Mask &from, const Mask &to, int radius) {
    Agreement a;
    for (int y = 0; y < kDrawingPixels; y++)
        for (int x = 0; x < kDrawingPixels; x++) {
            if (!on(from, x, y)) continue;
            a.pixels++;
            bool found = false;
            for (int dy = -radius; dy <= radius && !found; dy++)
                for (int dx = -radius; dx <= radius && !found; dx++)
                    found = on(to, x + dx, y + dy);
            a.near += found;
        }
    return a;
}

bool writeEdgeComparison(const Mask &reference, const Mask &drawing, const std::string &path) {
    Picture picture;
    for (int y = 0; y < kDrawingPixels; y++)
        for (int x = 0; x < kDrawingPixels; x++) {
            const bool r = on(reference, x, y), d = on(drawing, x, y);
            if (r || d) picture.set(x, y, r && !d ? 220 : 0, 0, d && !r ? 220 : 0);
        }
    return picture.write(path);
}

} // namespace scrivane::test
