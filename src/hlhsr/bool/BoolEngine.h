// The edge visibility engine: given planar polygons (opaque faces whose outlines are drawn) and
// open polylines (drawn, hiding nothing), it finds the visible pieces of every drawn edge and
// joins them into polylines.
//
// The engine keeps its input shapes; compute() builds all working state (pools, bucket tables,
// sweep state) inside the call and leaves the input untouched, so it may be called again and
// two engines may compute on two threads at once. Owned by SoHiddenLines.
#ifndef SCRIVANE_HLHSR_BOOL_BOOLENGINE_H
#define SCRIVANE_HLHSR_BOOL_BOOLENGINE_H
#include "BoolRecords.h"
#include <vector>

namespace scrivane_bool {

// Visible polylines: line i has lines[i].count points starting at point lines[i].start of
// points (x, y pairs), drawn with attributes[lines[i].attribute] of the engine.
struct BoolLines {
    struct Line {
        int start;
        int count;
        int attribute;
    };
    std::vector<double> points;
    std::vector<Line> lines;
};

class BoolEngine {
public:
    // Stores a drawing attribute and returns its index for addShape.
    int addAttribute(const BoolAttribute &attribute);
    const BoolAttribute &getAttribute(int index) const { return attributes[index]; }

    // Adds a shape of count (x, y, z) points (z toward the observer). A closed shape is a face
    // with the edges i -> i+1 and the closing edge last -> first; an open one has the edges
    // i -> i+1 only. drawEdge, when given, holds one flag per edge in that order: a zero flag
    // keeps the edge out of the result entirely (a face still hides with all its area); the
    // flag edgeLeftOut does so too and moreover keeps the edge out of the computation, so that
    // it cuts no other edge (for an edge shared with a neighbouring face that continues the
    // surface: what passes behind it is hidden on both of its sides alike). Any other value
    // draws the edge. Shapes with fewer than two points, or with a coordinate that is not
    // finite, are ignored.
    void addShape(const double *xyz, int count, bool closed, int attribute,
                  const unsigned char *drawEdge = nullptr);

    // The visible pieces of all drawn edges, chained. Shapes are processed in the order: first
    // shape added, then the others from the newest to the oldest; where two shapes share an
    // edge, the edge of the one processed first is kept.
    BoolLines compute() const;

    struct Shape {
        int firstPoint; // index of the first point (in points, counted in points not doubles)
        int count;
        bool closed;
        int attribute;
    };
    const std::vector<Shape> &getShapes() const { return shapes; }
    const double *getPoint(int index) const { return &points[3 * static_cast<std::size_t>(index)]; }
    bool isEdgeDrawn(int shape, int edge) const {
        return draws[static_cast<std::size_t>(shapes[shape].firstPoint + edge)] == 1;
    }
    bool isEdgeLeftOut(int shape, int edge) const {
        return draws[static_cast<std::size_t>(shapes[shape].firstPoint + edge)] == edgeLeftOut;
    }
    static constexpr unsigned char edgeLeftOut = 2;

private:
    std::vector<Shape> shapes;
    std::vector<double> points; // x, y, z of every point of every shape
    // One flag per point, for the edge leaving that point: 1 drawn, 0 not drawn, edgeLeftOut.
    std::vector<unsigned char> draws;
    std::vector<BoolAttribute> attributes;
};

} // namespace scrivane_bool

#endif
