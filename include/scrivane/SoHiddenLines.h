#ifndef SCRIVANE_SOHIDDENLINES_H
#define SCRIVANE_SOHIDDENLINES_H
#include "scene/base/SbColor.h"
#include "scene/base/SbVec4f.h"
#include "scrivane/ScrivaneExport.h"
#include <memory>

namespace scrivane_bool {
class BoolEngine;
}

// Hidden-line computation for the HIDDEN_LINE removal mode. During a removal run it is given
// polygons (opaque faces: they hide what lies behind them and their outlines are drawn; their
// filling never is) and polylines (drawn, hiding nothing), all in normalized projection
// coordinates: x and y within [-1, 1], z the depth growing away from the observer, w ignored.
// computeHiddenLines then returns the visible pieces of all outlines and polylines, each piece
// with the colour, line width and line pattern of the primitive it came from.
//
// Where two primitives share an edge it is drawn once, with the attribute of the first
// primitive in the order: first added, then the others from the newest to the oldest.
//
// Every object keeps its own working state, so separate objects may compute on separate
// threads at the same time. One object is not for concurrent use. Created and deleted by the
// removal driver (or any caller); it owns copies of everything it is given.
class SCRIVANE_API SoHiddenLines {
public:
    // One visible polyline. points holds num points (x, y in normalized coordinates, z = w = 0)
    // and is freed by the destructor.
    struct Polyline {
        SbVec4f *points = nullptr;
        int num = 0;
        SbColor color;
        float lineWidth = 0.0f;
        unsigned short linePattern = 0xFFFF;

        Polyline() = default;
        ~Polyline();
        Polyline(const Polyline &) = delete;
        Polyline &operator=(const Polyline &) = delete;
    };

    SoHiddenLines();
    ~SoHiddenLines();
    SoHiddenLines(const SoHiddenLines &) = delete;
    SoHiddenLines &operator=(const SoHiddenLines &) = delete;

    // A planar, convex polygon of num points. drawEdge, when given, holds num flags: flag i for
    // the edge from point i to point i+1, the last for the closing edge back to point 0. An edge
    // whose flag is 0 is never drawn (the polygon still hides with all its area). An edge whose
    // flag is edgeSmooth is not drawn either, and is moreover no limit of what the polygons
    // hide: the caller knows that a polygon on its other side continues the surface without
    // folding over it (neither one turned toward the observer and the other away), so whatever
    // passes behind the edge is hidden on both sides alike and need not be cut there; this only
    // saves time. Any other value draws the edge. Polygons whose points are (nearly) collinear
    // in space are ignored. A polygon of two points is taken as its one edge, drawn like a
    // polyline (hiding nothing) unless neither of its flags draws it. Fewer than two points:
    // ignored.
    static constexpr unsigned char edgeSmooth = 2;
    void addPolygon(const SbVec4f *points, int num, const SbColor &color, float lineWidth,
                    unsigned short linePattern, const unsigned char *drawEdge = nullptr);
    // An open line through num points (at least two), drawn where visible, hiding nothing.
    void addPolyline(const SbVec4f *points, int num, const SbColor &color, float lineWidth,
                     unsigned short linePattern);

    // The visible polylines: a new[]-allocated array of count entries (count may be 0), which
    // the caller delete[]s. Edges wholly outside the square [-1, 1]^2 give nothing.
    Polyline *computeHiddenLines(int &count);

private:
    std::unique_ptr<scrivane_bool::BoolEngine> engine;
};

#endif
