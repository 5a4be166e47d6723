// Capture of the primitives that shapes generate. Every triangle is coloured, transformed and
// clipped at once as a 3-point polygon. Line segments that continue one another are joined into
// one polyline, and the points of a shape into one point set, in the action's pending buffer;
// the buffer is flushed at the end of every node (sendPoints, from the post-callback), so a
// polyline or point set never spans two nodes.
//
// The buffer grows by doubling and is never shrunk: a long line strip costs one clipping call
// and one print call, and no shape costs an allocation once the buffer is large enough.
//
// With feature edges (the hidden-line mode with the action's flag set) a triangle is coloured and
// transformed as always but kept with its shape (FeatureEdges.h) instead of being clipped at
// once: which of its edges are drawn depends on its neighbours. When the shape node ends, its
// triangles are clipped in the order they came, each with its three edge flags.
//
// With coplanar joining (the action's flag, filled faces outside the hidden-line mode) a triangle
// is offered to the shape's pending run of coplanar triangles of one colour (CoplanarJoin.h)
// instead of being clipped at once; the run's joined polygons are clipped when a triangle does not
// fit the run, before a line segment or point of the same shape, and when the shape node ends.
#include "CoplanarJoin.h"
#include "FeatureEdges.h"
#include "ShapeState.h"
#include "scene/actions/SoCallbackAction.h"
#include "scene/misc/SoPrimitiveVertex.h"
#include "scrivane/SoVectorizeAction.h"
#include <vector>

namespace {
// Room for a triangle and the vertices the polygon clipping may add in place (count + 7).
constexpr int kTriangleCapacity = 10;
// The draw style that draws nothing.
constexpr int kInvisibleStyle = 3;
// The draw style that fills faces.
constexpr int kFilledStyle = 0;

SbVec4f homogeneous(const SbVec3f &p) {
    return SbVec4f(p[0], p[1], p[2], 1.0f);
}
} // namespace

void SoVectorizeAction::growPointBuffer() {
    const int newSize = pointBufferSize * 2;
    SbVec4f *newPoints = new SbVec4f[static_cast<size_t>(newSize)]();
    SbColor *newColors = new SbColor[static_cast<size_t>(newSize)]();
    for (int i = 0; i < pointBufferSize; i++) {
        newPoints[i] = pointBuffer[i];
        newColors[i] = pointColors[i];
    }
    delete[] pointBuffer;
    delete[] pointColors;
    pointBuffer = newPoints;
    pointColors = newColors;
    pointBufferSize = newSize;
}

void SoVectorizeAction::drawTriangle(SoCallbackAction *action, const SoPrimitiveVertex *v1,
                                     const SoPrimitiveVertex *v2, const SoPrimitiveVertex *v3) {
    if (shapeState->drawStyle == kInvisibleStyle) return;
    const SoPrimitiveVertex *vertices[3] = {v1, v2, v3};
    SbVec4f points[kTriangleCapacity];
    SbColor colors[kTriangleCapacity];
    int invisible[3] = {0, 0, 0};
    for (int i = 0; i < 3; i++)
        points[i] = homogeneous(vertices[i]->getPoint());

    if (lightingEnabled && shapeState->lightModel == 1) {
        // Lit in eye space, then flat-shaded with the mean of the three vertex colours.
        transformPointsMCToVRC(action, points, 3);
        for (int i = 0; i < 3; i++)
            colors[i] = getLightingColor(action, vertices[i], points[i], invisible[i]);
        if (invisible[0] && invisible[1] && invisible[2]) return;
        const SbColor mean = (colors[0] + colors[1] + colors[2]) * 0.33333334f;
        colors[0] = colors[1] = colors[2] = mean;
        transformPointsVRCToNPC(action, points, 3);
    } else {
        for (int i = 0; i < 3; i++)
            colors[i] = getColor(action, vertices[i]->getMaterialIndex(), invisible[i]);
        if (invisible[0] && invisible[1] && invisible[2]) return;
        transformPoints(action, points, 3);
    }
    if (featureShape) {
        keepFeatureTriangle(action, vertices, points, colors);
        return;
    }
    if (joinsFaces()) {
        joinTriangle(action, vertices, points, colors);
        return;
    }
    clipPolygon(action, points, 3, colors);
}

bool SoVectorizeAction::joinsFaces() const {
    return joinCoplanarFaces && shapeState->drawStyle == kFilledStyle &&
           hlhsrMode != HIDDEN_BY_EDGE_SPLITTING;
}

void SoVectorizeAction::joinTriangle(SoCallbackAction *action,
                                     const SoPrimitiveVertex *const vertices[3], SbVec4f points[3],
                                     SbColor colors[3]) {
    const SbVec3f model[3] = {vertices[0]->getPoint(), vertices[1]->getPoint(),
                              vertices[2]->getPoint()};
    if (!coplanarJoin->isEmpty() && coplanarJoin->add(model, points, colors)) return;
    flushJoinedFaces(action);
    coplanarJoin->start(model, points, colors);
}

void SoVectorizeAction::flushJoinedFaces(SoCallbackAction *action) {
    if (coplanarJoin->isEmpty()) return;
    for (int slot = 0; slot < coplanarJoin->polygonSlots(); slot++) {
        SbVec4f *points = nullptr;
        SbColor *colors = nullptr;
        const int count = coplanarJoin->polygon(slot, points, colors);
        if (count > 0) clipPolygon(action, points, count, colors);
    }
    coplanarJoin->clear();
}

void SoVectorizeAction::keepFeatureTriangle(SoCallbackAction *action,
                                            const SoPrimitiveVertex *const vertices[3],
                                            const SbVec4f clip[3], const SbColor colors[3]) {
    // Eye space in doubles, from the model points: the same point under the same matrices has the
    // same eye position, which is how the triangles of a shape are matched edge to edge.
    const SbMatrix m = action->getModelMatrix() * action->getViewingMatrix();
    double eye[3][3];
    for (int i = 0; i < 3; i++) {
        const SbVec3f &p = vertices[i]->getPoint();
        for (int j = 0; j < 3; j++)
            eye[i][j] = double(p[0]) * m[0][j] + double(p[1]) * m[1][j] + double(p[2]) * m[2][j] +
                        double(m[3][j]);
    }
    if (featureShape->isEmpty())
        featureShape->begin(scrivane_capture::creaseAngleOf(action->getCreaseAngle()),
                            action->getProjectionMatrix());
    featureShape->addTriangle(eye, clip, colors);
}

void SoVectorizeAction::sendFeatureShape(SoCallbackAction *action) {
    std::vector<unsigned char> flags;
    featureShape->classify(flags);
    for (int t = 0; t < featureShape->getTriangleCount(); t++) {
        SbVec4f points[kTriangleCapacity];
        SbColor colors[kTriangleCapacity];
        unsigned char edgeFlags[kTriangleCapacity];
        for (int i = 0; i < 3; i++) {
            points[i] = featureShape->getClipPoints(t)[i];
            colors[i] = featureShape->getColors(t)[i];
            edgeFlags[i] = flags[3 * std::size_t(t) + i];
        }
        clipPolygon(action, points, 3, colors, edgeFlags);
    }
    featureShape->clear();
}

void SoVectorizeAction::drawLineSegment(SoCallbackAction *action, const SoPrimitiveVertex *a,
                                        const SoPrimitiveVertex *b) {
    if (shapeState->drawStyle == kInvisibleStyle) return;
    flushJoinedFaces(action);
    const SbVec4f p = homogeneous(a->getPoint());
    const SbVec4f q = homogeneous(b->getPoint());
    if (pointCount == pointBufferSize) growPointBuffer();

    if (pointCount > 0 && pointBuffer[pointCount - 1] == p) {
        // Continues the polyline: only the far end is new. An invisible end is stored but not
        // counted, so the next segment, which starts there, begins a new polyline.
        int invisible = 0;
        pointBuffer[pointCount] = q;
        pointColors[pointCount] = getColor(action, b->getMaterialIndex(), invisible);
        if (invisible) return;
        pointCount++;
        pendingKind = 1;
        return;
    }
    // A new polyline; whatever is pending is printed first.
    if (pointCount > 0) sendPoints(action);
    int invisibleA = 0, invisibleB = 0;
    pointBuffer[0] = p;
    pointBuffer[1] = q;
    pointColors[0] = getColor(action, a->getMaterialIndex(), invisibleA);
    pointColors[1] = getColor(action, b->getMaterialIndex(), invisibleB);
    if (invisibleA && invisibleB) {
        pointCount = 0;
        return;
    }
    pointCount = 2;
    pendingKind = 1;
}

void SoVectorizeAction::drawPoint(SoCallbackAction *action, const SoPrimitiveVertex *v) {
    if (shapeState->drawStyle == kInvisibleStyle) return;
    flushJoinedFaces(action);
    if (pointCount == pointBufferSize) growPointBuffer();
    int invisible = 0;
    pointBuffer[pointCount] = homogeneous(v->getPoint());
    pointColors[pointCount] = getColor(action, v->getMaterialIndex(), invisible);
    if (invisible) return;
    pointCount++;
    pendingKind = 2;
}

SoCallbackAction::Response SoVectorizeAction::sendPoints(SoCallbackAction *action) {
    if (pendingKind == 0) return SoCallbackAction::CONTINUE;
    transformPoints(action, pointBuffer, pointCount);
    // The kind of the last entry counted decides how the whole buffer is drawn.
    if (pendingKind == 1)
        clipPolyLine(action, pointBuffer, pointCount, pointColors);
    else
        clipPolyMark(action, pointBuffer, pointCount, pointColors, nullptr);
    pendingKind = 0;
    pointCount = 0;
    return SoCallbackAction::CONTINUE;
}
