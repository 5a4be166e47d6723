// Polygon clipping: Sutherland-Hodgman passes, in place in the caller's arrays, against the near
// plane (in clip coordinates), then, after the division by w, the left, bottom, right, top and far
// planes. What survives is drawn according to the draw style: filled, as a closed outline, or as
// its vertices.
//
// Edge flags (feature edges in the hidden-line mode), when given, go along: flag i belongs to the
// edge from vertex i to vertex i + 1, the last to the closing edge. A kept vertex and a crossing
// where the outline comes back inside start a piece of the same input edge and keep its flag; a
// crossing where the outline leaves starts an edge along the plane, made by the clipping: flag 0.
//
// Capacity: the arrays must hold the entry count plus 7 (10 for a triangle). A convex polygon
// gains at most one vertex per plane; each pass writes a closing copy of vertex 0 after the last
// vertex, and when an edge leaves the plane right after a vertex that was kept in its own slot,
// the crossing would overwrite the next vertex, so the tail is moved up by one entry first.
#include "ClipSupport.h"
#include "RemovalHandOff.h"
#include "capture/ShapeState.h"
#include "scene/elements/SoPatternElement.h"
#include "scrivane/SoVectorizeAction.h"

namespace {

// One plane: axis (0 x, 1 y, 2 z), limit, inside when at least (or at most) the limit, limits
// included. Crossings on the near plane take its w; the others keep w (1 after the division).
struct Plane {
    int axis;
    float limit;
    bool atLeast;
    bool setsW;
    float w;
    bool inside(const SbVec4f &p) const { return atLeast ? p[axis] >= limit : p[axis] <= limit; }
};

// One pass over the c vertices in p[0 .. c-1] (and their colours when multicoloured, and their
// edge flags when flags is not null). Returns the number of vertices kept, written from entry 0
// on in the cyclic order of the input.
int clipPass(SbVec4f *p, SbColor *col, unsigned char *flags, int c, int multiColor,
             const Plane &plane) {
    p[c] = p[0];
    if (multiColor) col[c] = col[0];
    if (flags) flags[c] = flags[0];
    int out = -1;
    bool prev = plane.inside(p[0]);
    for (int i = 0; i < c; i++) {
        const bool cur = plane.inside(p[i + 1]);
        if (prev) {
            out++;
            if (out != i) {
                p[out] = p[i];
                if (multiColor) col[out] = col[i];
                if (flags) flags[out] = flags[i];
            }
        }
        if (prev != cur) {
            if (out == i) {
                // The crossing's slot still holds vertex i + 1: move the tail up by one.
                for (int k = c; k >= i; k--) {
                    p[k + 1] = p[k];
                    if (multiColor) col[k + 1] = col[k];
                    if (flags) flags[k + 1] = flags[k];
                }
                c++;
                i++;
            }
            out++;
            if (flags) flags[out] = cur ? flags[i] : 0;
            const SbVec4f a = p[i], b = p[i + 1];
            const float t = (plane.limit - a[plane.axis]) / (b[plane.axis] - a[plane.axis]);
            SbVec4f crossing = a;
            for (int k = 0; k < 3; k++)
                if (k != plane.axis) crossing[k] = a[k] + (b[k] - a[k]) * t;
            crossing[plane.axis] = plane.limit;
            if (plane.setsW) crossing[3] = plane.w;
            p[out] = crossing;
            if (multiColor) {
                const SbColor ca = col[i], cb = col[i + 1];
                col[out] = ca + (cb - ca) * t;
            }
        }
        prev = cur;
    }
    return out + 1;
}

// Whether every vertex lies inside every plane: the passes would then give the polygon back as
// it is, so they are left out (most triangles of a scene in view).
bool insideAll(const SbVec4f *p, int c, const Plane *planes, int planeCount) {
    for (int i = 0; i < c; i++)
        for (int k = 0; k < planeCount; k++)
            if (!planes[k].inside(p[i])) return false;
    return true;
}

} // namespace

void SoVectorizeAction::clipPolygon(SoCallbackAction *action, SbVec4f *points, int n,
                                    SbColor *colors, unsigned char *edgeFlags) {
    if (n < 1) return;
    capturedPrimitives++;
    if (!scrivane_clip::allFinite(points, n)) {
        nonFiniteCounts.coordinates++;
        return;
    }
    const int multiColor = scrivane_clip::multiColorFlag(colors, n);
    const scrivane_capture::ShapeState &shape = *shapeState;
    const scrivane_clip::NearLimit nearPlane =
        shape.valid ? shape.nearPlane : scrivane_clip::nearLimit(action);

    const Plane near{2, nearPlane.z, true, true, nearPlane.w};
    if (!insideAll(points, n, &near, 1)) {
        n = clipPass(points, colors, edgeFlags, n, multiColor, near);
        if (n == 0) return;
    }
    for (int i = 0; i < n; i++)
        scrivane_clip::divideByW(points[i]);

    // Not the polyline chain's order: left, bottom, right, top, far.
    const Plane planes[5] = {Plane{0, -getNormalizedWidth(), true, false, 1.0f},
                             Plane{1, -getNormalizedHeight(), true, false, 1.0f},
                             Plane{0, getNormalizedWidth(), false, false, 1.0f},
                             Plane{1, getNormalizedHeight(), false, false, 1.0f},
                             Plane{2, 1.0f, false, false, 1.0f}};
    if (!insideAll(points, n, planes, 5)) {
        for (const Plane &plane : planes) {
            n = clipPass(points, colors, edgeFlags, n, multiColor, plane);
            if (n == 0) return;
        }
        // Finite clip coordinates can still overflow: divided by a w near 0, or interpolated
        // between values near the float limit. Such crossings are not points of the face.
        if (!scrivane_clip::allFinite(points, n)) {
            nonFiniteCounts.coordinates++;
            return;
        }
    }

    scrivane_clip::ClippedPrimitive polygon;
    polygon.kind = scrivane_clip::ClippedPrimitive::POLYGON;
    polygon.points = points;
    polygon.count = n;
    polygon.colors = colors;
    polygon.multiColor = multiColor;
    polygon.lineWidth = shape.valid ? shape.lineWidth : usableLineWidth(action);
    polygon.pointSize = shape.valid ? shape.pointSize : usablePointSize(action);
    polygon.linePattern = shape.valid ? shape.linePattern : action->getLinePattern();
    polygon.edgeFlags = edgeFlags;
    const int style = shape.valid ? shape.drawStyle : action->getDrawStyle();
    if (style >= 0 && style <= 2) printedPrimitives++;
    switch (style) {
    case 0: {
        polygon.polygonStyle = scrivane_clip::ClippedPrimitive::FILLED;
        // The pattern names are pointed to, not copied: most faces have none.
        SbString stateCategory, stateName;
        if (shape.valid) {
            polygon.patternCategory = &shape.patternCategory;
            polygon.patternName = &shape.patternName;
            polygon.patternBits = shape.patternBits;
        } else {
            SoPatternElement::get(action->getState(), stateCategory, stateName,
                                  polygon.patternBits);
            polygon.patternCategory = &stateCategory;
            polygon.patternName = &stateName;
        }
        if (scrivane_clip::storeForRemoval(*this, polygon)) return;
        projectPoints(points, n);
        printPolygon(points, n, colors, *polygon.patternCategory, *polygon.patternName,
                     polygon.patternBits);
        break;
    }
    case 1:
        // The outline is closed explicitly, with the first colour repeated whatever the flag.
        points[n] = points[0];
        colors[n] = colors[0];
        if (edgeFlags) edgeFlags[n] = 0; // the closing copy adds an edge of no length
        polygon.polygonStyle = scrivane_clip::ClippedPrimitive::LINES;
        polygon.count = n + 1;
        if (scrivane_clip::storeForRemoval(*this, polygon)) return;
        projectPoints(points, n + 1);
        printPolyLine(points, n + 1, colors, multiColor, polygon.lineWidth, polygon.linePattern);
        break;
    case 2:
        polygon.polygonStyle = scrivane_clip::ClippedPrimitive::POINTS;
        if (scrivane_clip::storeForRemoval(*this, polygon)) return;
        projectPoints(points, n);
        printPolyMark(points, n, colors, multiColor, polygon.pointSize);
        break;
    default:
        break; // invisible
    }
}
