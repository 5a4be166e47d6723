// The coordinate pipeline: model coordinates to eye space (VRC) and clip coordinates with the
// matrices of the traversal, and normalized projection coordinates to page millimetres.
//
// Matrices act on row vectors (p x M) and on all four components of a point, with the point's
// own w: nothing here assumes w = 1 and nothing divides. The division by w belongs to the first
// clipping stage, between the two halves of this file.
#include "scene/actions/SoCallbackAction.h"
#include "scene/base/SbMatrix.h"
#include "capture/ShapeState.h"
#include "scrivane/SoVectorizeAction.h"

namespace {
// p x m, every component of the result from all four of p.
void multiplyRow(SbVec4f &p, const SbMatrix &m) {
    const float x = p[0], y = p[1], z = p[2], w = p[3];
    for (int j = 0; j < 4; j++)
        p[j] = x * m[0][j] + y * m[1][j] + z * m[2][j] + w * m[3][j];
}

void multiplyAll(SbVec4f *points, int n, const SbMatrix &m) {
    for (int i = 0; i < n; i++)
        multiplyRow(points[i], m);
}
} // namespace

// Within a shape the matrices are those its state cache formed once (ShapeState.h).
void SoVectorizeAction::transformPoints(SoCallbackAction *action, SbVec4f *points, int n) {
    if (shapeState->valid) {
        multiplyAll(points, n, shapeState->modelViewProjection);
        return;
    }
    SbMatrix m = action->getModelMatrix() * action->getViewingMatrix();
    m = m * action->getProjectionMatrix();
    multiplyAll(points, n, m);
}

void SoVectorizeAction::transformPointsMCToVRC(SoCallbackAction *action, SbVec4f *points, int n) {
    if (shapeState->valid)
        multiplyAll(points, n, shapeState->modelView);
    else
        multiplyAll(points, n, action->getModelMatrix() * action->getViewingMatrix());
}

void SoVectorizeAction::transformPointsVRCToNPC(SoCallbackAction *action, SbVec4f *points, int n) {
    // The result is in clip coordinates: the clipping divides by w.
    multiplyAll(points, n, action->getProjectionMatrix());
}

void SoVectorizeAction::transformVecMCToVRC(SoCallbackAction *action, SbVec3f &v) {
    // The upper-left 3x3 block only: directions ignore translation. Normals of non-uniformly
    // scaled shapes are turned, not corrected; the lighting normalizes them.
    const SbMatrix m = shapeState->valid ? shapeState->modelView
                                         : action->getModelMatrix() * action->getViewingMatrix();
    const float x = v[0], y = v[1], z = v[2];
    v.setValue(x * m[0][0] + y * m[1][0] + z * m[2][0], x * m[0][1] + y * m[1][1] + z * m[2][1],
               x * m[0][2] + y * m[1][2] + z * m[2][2]);
}

void SoVectorizeAction::projectPoints(SbVec4f *points, int n) {
    // NPC x = -1 lands on the left edge of the viewport's area in the drawing, +1 on its right
    // edge; likewise y from bottom to top. z and w are kept for the removal ordering.
    const float nw = getNormalizedWidth(), nh = getNormalizedHeight();
    const float sx = getViewportWidth() / (2.0f * nw);
    const float sy = getViewportHeight() / (2.0f * nh);
    const SbVec2f &origin = viewportRegion.getViewportOrigin();
    const float ox = drawingWidth * origin[0];
    const float oy = drawingHeight * origin[1];
    for (int i = 0; i < n; i++) {
        points[i][0] = (nw + points[i][0]) * sx + ox;
        points[i][1] = (nh + points[i][1]) * sy + oy;
    }
}
