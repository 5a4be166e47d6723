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
#include "scrivane/SoScrivane.h"
#include "scrivane/SoVectorizePSAction.h"

#include <algorithm>

namespace scrivane::test {

namespace {

// The scene's triangles and line segments in clip coordinates, three and two points each.
struct ClipGeometry {
    std::vector<SbVec4f> triangles;
    std::vector<SbVec4f> segments;
};

SbVec4f toClip(SoCallbackAction *action, const SoPrimitiveVertex *v) {
    const SbMatrix toClipSpace =
        action->getModelMatrix() * action->getViewingMatrix() * action->getProjectionMatrix();
    const SbVec3f &p = v->getPoint();
    SbVec4f clip;
    toClipSpace.multVecMatrix(SbVec4f(p[0], p[1], p[2], 1.0f), clip);
    return clip;
}

bool drawn(SoCallbackAction *action) {
    return action->getDrawStyle() != SoDrawStyle::INVISIBLE;
}

void triangleCB(void *data, SoCallbackAction *action, const SoPrimitiveVertex *v1,
                const SoPrimitiveVertex *v2, const SoPrimitiveVertex *v3) {
    if (!drawn(action)) return;
    auto &out = static_cast<ClipGeometry *>(data)->triangles;
    for (const SoPrimitiveVertex *v : {v1, v2, v3})
        out.push_back(toClip(action, v));
}

void segmentCB(void *data, SoCallbackAction *action, const SoPrimitiveVertex *v1,
               const SoPrimitiveVertex *v2) {
    if (!drawn(action)) return;
    auto &out = static_cast<ClipGeometry *>(data)->segments;
    out.push_back(toClip(action, v1));
    out.push_back(toClip(action, v2));
}

void vertex(const SbVec4f &p) {
    glVertex4f(p[0], p[1], p[2], p[3]);
}

} // namespace

long EdgePicture::count() const {
    return long(std::count(on.begin(), on.end(), char(1)));
}

bool renderHiddenLineReference(SoNode *root, EdgePicture &picture, std::string &error,
                               const std::string &rgbPath) {
    const SbViewportRegion region(kDrawingPixels, kDrawingPixels);
    ClipGeometry geometry;
    {
        SoCallbackAction action(region);
        action.addTriangleCallback(SoShape::getClassTypeId(), triangleCB, &geometry);
        action.addLineSegmentCallback(SoShape::getClassTypeId(), segmentCB, &geometry);
        action.apply(root);
    }

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
    // The renderer leaves identity matrices, the depth test GL_LESS with depth writes, no
    // lighting, 1-pixel lines: the points are sent in clip coordinates.
    glDisable(GL_LINE_SMOOTH);
    glShadeModel(GL_FLAT);

    // Faces into the depth buffer only, pushed back.
    glColorMask(GL_FALSE, GL_FALSE, GL_FALSE, GL_FALSE);
    glEnable(GL_POLYGON_OFFSET_FILL);
    glPolygonOffset(kReferenceOffsetFactor, kReferenceOffsetUnits);
    glBegin(GL_TRIANGLES);
    for (const SbVec4f &p : geometry.triangles)
        vertex(p);
    glEnd();
    glDisable(GL_POLYGON_OFFSET_FILL);
    glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);

    // Every edge of every triangle, and the scene's lines, depth-tested, not written.
    glDepthFunc(GL_LEQUAL);
    glDepthMask(GL_FALSE);
    glColor3ub(0, 0, 0);
    glLineWidth(1.0f);
    glBegin(GL_LINES);
    for (size_t t = 0; t + 2 < geometry.triangles.size(); t += 3)
        for (int k = 0; k < 3; k++) {
            vertex(geometry.triangles[t + size_t(k)]);
            vertex(geometry.triangles[t + size_t((k + 1) % 3)]);
        }
    for (const SbVec4f &p : geometry.segments)
        vertex(p);
    glEnd();
    glDepthMask(GL_TRUE);
    glDepthFunc(GL_LESS);
    glFinish();

    std::vector<unsigned char> rgb(size_t(kDrawingPixels) * kDrawingPixels * 3);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadBuffer(GL_FRONT);
    glReadPixels(0, 0, kDrawingPixels, kDrawingPixels, GL_RGB, GL_UNSIGNED_BYTE, rgb.data());
    const GLenum glError = glGetError();
    if (glError != GL_NO_ERROR) {
        error = "OpenGL error " + std::to_string(unsigned(glError)) + " drawing the reference";
        return false;
    }

    picture.width = picture.height = kDrawingPixels;
    picture.on.assign(size_t(kDrawingPixels) * kDrawingPixels, 0);
    for (size_t i = 0; i < picture.on.size(); i++)
        picture.on[i] = rgb[3 * i] != 255 || rgb[3 * i + 1] != 255 || rgb[3 * i + 2] != 255;
    if (!rgbPath.empty()) {
        // Bottom row first in memory; PNG rows go top first.
        const size_t row = size_t(kDrawingPixels) * 3;
        std::vector<unsigned char> topFirst(rgb.size());
        for (int y = 0; y < kDrawingPixels; y++)
            std::copy_n(&rgb[size_t(y) * row], row,
                        &topFirst[size_t(kDrawingPixels - 1 - y) * row]);
        writeRgbPng(rgbPath, topFirst, kDrawingPixels, kDrawingPixels);
    }
    return true;
}

bool drawEdges(SoNode *root, const EdgeDrawing &drawing, const std::string &name, PngImage &sheet,
               std::string &error) {
    SoScrivane::init();
    const std::string ps = fidelityDir() + name + ".ps", png = fidelityDir() + name + ".png";
    {
        SoVectorizePSAction action;
        if (action.getOutput()->openFile(ps.c_str()) != 1) {
            error = "cannot write " + ps;
            return false;
        }
        action.setDrawingDimensions(kDrawingMm, kDrawingMm);
        action.setStartPosition(kStartMm, kStartMm);
        action.setColorTranslationMethod(SoVectorizeAction::KEEP_COLORS);
        action.setBorder(0.0f);
        action.setNominalWidth(drawing.nominalWidthMm);
        action.setHLHSRMode(drawing.mode);
        action.setFeatureEdges(drawing.featureEdges ? 1 : 0);
        action.enableLighting(0);
        action.apply(root);
        action.getOutput()->closeFile();
    }
    RenderOptions options;
    options.dpi = drawing.dpi;
    options.pageWidthPoints = options.pageHeightPoints = kSheetPoints;
    const GhostscriptRun run = renderToPng(ps, png, options);
    if (!run.ok() || run.pages != 1) {
        error = run.describe();
        return false;
    }
    if (!sheet.read(png, &error)) return false;
    const int pixels = kSheetPoints * drawing.dpi / 72;
    if (sheet.width() != pixels || sheet.height() != pixels) {
        error = png + ": unexpected size";
        return false;
    }
    return true;
}

EdgePicture drawingEdges(const PngImage &sheet, int shiftX, int shiftY) {
    EdgePicture picture;
    picture.width = picture.height = kDrawingPixels;
    picture.on.assign(size_t(kDrawingPixels) * kDrawingPixels, 0);
    const Rgb white(255, 255, 255);
    for (int y = 0; y < kDrawingPixels; y++)
        for (int x = 0; x < kDrawingPixels; x++) {
            // Outside the sheet pixel() gives (-1, -1, -1): no edge.
            const Rgb c = sheet.pixel(sheetColumn(x) + shiftX, sheetRow(y) - shiftY);
            picture.on[size_t(y) * kDrawingPixels + size_t(x)] = c != white && c.r >= 0;
        }
    return picture;
}

Agreement agreement(const EdgePicture &from, const EdgePicture &to, int radius) {
    Agreement a;
    for (int y = 0; y < from.height; y++)
        for (int x = 0; x < from.width; x++) {
            if (!from.at(x, y)) continue;
            a.pixels++;
            bool found = false;
            for (int dy = -radius; dy <= radius && !found; dy++)
                for (int dx = -radius; dx <= radius && !found; dx++)
                    found = to.at(x + dx, y + dy);
            a.near += found;
        }
    return a;
}

bool writeEdgeComparison(const EdgePicture &reference, const EdgePicture &drawing,
                         const std::string &path) {
    const int w = reference.width, h = reference.height;
    std::vector<unsigned char> rgb(size_t(w) * size_t(h) * 3, 255);
    for (int y = 0; y < h; y++)
        for (int x = 0; x < w; x++) {
            const bool r = reference.at(x, y), d = drawing.at(x, y);
            if (!r && !d) continue;
            unsigned char *out = &rgb[(size_t(h - 1 - y) * size_t(w) + size_t(x)) * 3];
            out[0] = r && !d ? 220 : 0;
            out[1] = 0;
            out[2] = d && !r ? 220 : 0;
        }
    return writeRgbPng(path, rgb, w, h);
}

} // namespace scrivane::test
