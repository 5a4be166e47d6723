// Polyline clipping: a chain of six stages, one per plane, in the order near, far, left, right,
// bottom, top. Each stage cuts the strip it receives into the runs that lie inside its plane and
// hands every run to the next stage; the last stage projects each surviving piece to the page and
// prints it (or leaves it in NPC for the removal driver).
//
// The stages work in the caller's arrays. A run that leaves through the plane ends on a crossing
// point written over the first outside point; that point (and its colour) is saved before the
// next stage runs and written back afterwards, since the strip goes on from it. A run that enters
// through the plane begins on a crossing written over the last outside point, which is not
// needed again. Nothing is allocated: one saved point and colour per stage on the stack.
#include "ClipSupport.h"
#include "RemovalHandOff.h"
#include "capture/ShapeState.h"
#include "scene/elements/SoLineWidthElement.h"
#include "scene/elements/SoPointSizeElement.h"
#include "scrivane/SoVectorizeAction.h"

namespace {

// One clipping plane: coordinate axis (0 x, 1 y, 2 z) compared with a limit, inside when at least
// (or at most) the limit; points on the plane are inside. Crossings set the axis to the limit
// and interpolate the other two of x, y, z; on the near plane they also take the near w.
struct Plane {
    int axis;
    float limit;
    bool atLeast;
    bool setsW;
    float w;

    bool inside(const SbVec4f &p) const { return atLeast ? p[axis] >= limit : p[axis] <= limit; }

    // Moves the outside point `out` onto the plane along the segment towards `in`, and its colour
    // with it when the strip is multicoloured.
    void cross(SbVec4f &out, const SbVec4f &in, SbColor &outColor, const SbColor &inColor,
               int multiColor) const {
        const float t = (limit - out[axis]) / (in[axis] - out[axis]);
        for (int k = 0; k < 3; k++)
            if (k != axis) out[k] = out[k] + (in[k] - out[k]) * t;
        out[axis] = limit;
        if (setsW) out[3] = w;
        if (multiColor) outColor = outColor + (inColor - outColor) * t;
    }
};

// Splits the strip into its inside runs and calls next(first point, count, first colour) for
// each, in order along the strip.
template <class Next>
void splitIntoRuns(SbVec4f *p, int n, SbColor *col, int multiColor, const Plane &plane, Next next) {
    int i = 0;
    while (i < n) {
        while (i < n && !plane.inside(p[i]))
            i++;
        if (i == n) return;
        int start = i;
        if (i > 0) {
            start = i - 1;
            plane.cross(p[start], p[i], col[start], col[i], multiColor);
        }
        while (i < n && plane.inside(p[i]))
            i++;
        if (i == n) {
            next(p + start, n - start, col + start);
            return;
        }
        const SbVec4f savedPoint = p[i];
        const SbColor savedColor = col[i];
        plane.cross(p[i], p[i - 1], col[i], col[i - 1], multiColor);
        next(p + start, i - start + 1, col + start);
        p[i] = savedPoint;
        if (multiColor) col[i] = savedColor;
    }
}

} // namespace

float SoVectorizeAction::usableLineWidth(SoCallbackAction *action) {
    if (shapeState->valid) return shapeState->lineWidth;
    const float width = action->getLineWidth();
    if (scrivane_clip::isUsableSize(width)) return width;
    nonFiniteCounts.lineWidths++;
    return SoLineWidthElement::getDefault();
}

float SoVectorizeAction::usablePointSize(SoCallbackAction *action) {
    if (shapeState->valid) return shapeState->pointSize;
    const float size = action->getPointSize();
    if (scrivane_clip::isUsableSize(size)) return size;
    nonFiniteCounts.pointSizes++;
    return SoPointSizeElement::getDefault();
}

void SoVectorizeAction::clipPolyLine(SoCallbackAction *action, SbVec4f *points, int n,
                                     SbColor *colors) {
    if (n < 1) return;
    const int segments = n > 1 ? n - 1 : 1;
    capturedPrimitives += segments;
    if (!scrivane_clip::allFinite(points, n)) {
        // Every segment with an end that is not finite is dropped; the finite stretches between
        // are clipped as polylines of their own.
        int kept = 0, start = 0;
        for (int i = 0; i <= n; i++) {
            if (i < n && scrivane_clip::isFinitePoint(points[i])) continue;
            if (i - start >= 2) {
                clipFinitePolyLine(action, points + start, i - start, colors + start);
                kept += i - start - 1;
            }
            start = i + 1;
        }
        nonFiniteCounts.coordinates += segments - kept;
        return;
    }
    clipFinitePolyLine(action, points, n, colors);
}

void SoVectorizeAction::clipFinitePolyLine(SoCallbackAction *action, SbVec4f *points, int n,
                                           SbColor *colors) {
    const int multiColor = scrivane_clip::multiColorFlag(colors, n);
    const scrivane_clip::NearLimit nearPlane = scrivane_clip::nearLimit(action);
    const Plane plane{2, nearPlane.z, true, true, nearPlane.w};
    splitIntoRuns(points, n, colors, multiColor, plane,
                  [&](SbVec4f *run, int count, SbColor *runColors) {
                      // Tested in clip coordinates; every later stage works in NPC.
                      for (int k = 0; k < count; k++)
                          scrivane_clip::divideByW(run[k]);
                      clipPolyLineFar(action, run, count, runColors, multiColor);
                  });
}

void SoVectorizeAction::clipPolyLineFar(SoCallbackAction *action, SbVec4f *points, int n,
                                        SbColor *colors, int multiColor) {
    const Plane plane{2, 1.0f, false, false, 1.0f};
    splitIntoRuns(points, n, colors, multiColor, plane,
                  [&](SbVec4f *run, int count, SbColor *runColors) {
                      clipPolyLineXMin(action, run, count, runColors, multiColor);
                  });
}

void SoVectorizeAction::clipPolyLineXMin(SoCallbackAction *action, SbVec4f *points, int n,
                                         SbColor *colors, int multiColor) {
    const Plane plane{0, -getNormalizedWidth(), true, false, 1.0f};
    splitIntoRuns(points, n, colors, multiColor, plane,
                  [&](SbVec4f *run, int count, SbColor *runColors) {
                      clipPolyLineXMax(action, run, count, runColors, multiColor);
                  });
}

void SoVectorizeAction::clipPolyLineXMax(SoCallbackAction *action, SbVec4f *points, int n,
                                         SbColor *colors, int multiColor) {
    const Plane plane{0, getNormalizedWidth(), false, false, 1.0f};
    splitIntoRuns(points, n, colors, multiColor, plane,
                  [&](SbVec4f *run, int count, SbColor *runColors) {
                      clipPolyLineYMin(action, run, count, runColors, multiColor);
                  });
}

void SoVectorizeAction::clipPolyLineYMin(SoCallbackAction *action, SbVec4f *points, int n,
                                         SbColor *colors, int multiColor) {
    const Plane plane{1, -getNormalizedHeight(), true, false, 1.0f};
    splitIntoRuns(points, n, colors, multiColor, plane,
                  [&](SbVec4f *run, int count, SbColor *runColors) {
                      clipPolyLineYMax(action, run, count, runColors, multiColor);
                  });
}

void SoVectorizeAction::clipPolyLineYMax(SoCallbackAction *action, SbVec4f *points, int n,
                                         SbColor *colors, int multiColor) {
    const Plane plane{1, getNormalizedHeight(), false, false, 1.0f};
    splitIntoRuns(points, n, colors, multiColor, plane,
                  [&](SbVec4f *run, int count, SbColor *runColors) {
                      // A visible piece: drawn as a line under the styles filled and lines, as dots
                      // under the style points, and not at all when invisible.
                      const int style = action->getDrawStyle();
                      // Crossings made from points near the float limit can overflow.
                      if (!scrivane_clip::allFinite(run, count)) {
                          nonFiniteCounts.coordinates++;
                          return;
                      }
                      if (style >= 0 && style <= 2) printedPrimitives++;
                      scrivane_clip::ClippedPrimitive piece;
                      piece.points = run;
                      piece.count = count;
                      piece.colors = runColors;
                      piece.multiColor = multiColor;
                      if (style == 0 || style == 1) {
                          piece.kind = scrivane_clip::ClippedPrimitive::POLYLINE;
                          piece.lineWidth = usableLineWidth(action);
                          piece.linePattern = action->getLinePattern();
                          if (scrivane_clip::storeForRemoval(*this, piece)) return;
                          projectPoints(run, count);
                          printPolyLine(run, count, runColors, multiColor, piece.lineWidth,
                                        piece.linePattern);
                      } else if (style == 2) {
                          piece.kind = scrivane_clip::ClippedPrimitive::POLYMARK;
                          piece.pointSize = usablePointSize(action);
                          if (scrivane_clip::storeForRemoval(*this, piece)) return;
                          projectPoints(run, count);
                          printPolyMark(run, count, runColors, multiColor, piece.pointSize);
                      }
                  });
}
