#ifndef SCRIVANE_SOPAINTER_H
#define SCRIVANE_SOPAINTER_H
#include "scene/base/SbVec3f.h"
#include "scene/base/SbVec4f.h"
#include "scrivane/ScrivaneExport.h"

class PolyGon;
class PolyLine;
class Primitive;
class PrimitiveList;
class SoHLHSRVectorize;

// Puts the primitives of a removal run into back-to-front order for formats without a depth
// buffer: sorts them by depth, then (painter modes) compares every pair that overlaps on the
// page and places each entry after every entry that lies behind it, cutting a polygon along the
// plane of another where the two interpenetrate or lie in a cycle. display() prints the list in
// order and deletes each primitive. Built on the stack by the driver at the end of each run;
// neither pointer is owned.
class SCRIVANE_API SoPainter {
public:
    // P relative to Q.
    enum Position { BEHIND = 0, IN_FRONT = 1, COPLANAR = 2, INTERSECTING = 3 };

    SoPainter(PrimitiveList *primitiveList, SoHLHSRVectorize *driver);
    void apply();
    void display();

    // The ordering compares each entry only with the entries whose page boxes meet its box,
    // found through a grid over the page; the result is that of comparing it with every entry.
    // Off, it compares every entry with every other (kept for checking the index).
    void setUseSpatialIndex(bool on) { useSpatialIndex = on; }

    // How far from a plane a point may lie and still count as lying on it.
    static constexpr double planeTolerance = 0.0001;

    static Position comparePosition(const Primitive *p, const Primitive *q, int strictTest);
    // True when the polygon has points on both sides of the other's plane, beyond `tolerance`.
    static bool straddlesPlane(const PolyGon *polygon, const PolyGon *plane,
                               double tolerance = planeTolerance);
    // True when a and b cannot overlap on the page.
    static int isEqual(const Primitive *a, const Primitive *b);
    // True when every point of prim lies on the left of, or on, the directed line p1 -> p2.
    static int outSide(const SbVec4f &p1, const SbVec4f &p2, const Primitive *prim);
    // Up to two points where the segment crosses the polygon's edges on the page, with the
    // segment's depth there; count tells how many. The caller delete[]s the array.
    static SbVec3f *intersPolySegment(const PolyGon *polygon, const PolyLine *segment, int &count);
    static int isIntersSegmentSegment2D(const SbVec4f &a1, const SbVec4f &a2, const SbVec4f &b1,
                                        const SbVec4f &b2);

private:
    void dropFilledPolygonsWithoutArea();
    void order();

    PrimitiveList *primitiveList;
    SoHLHSRVectorize *driver;
    bool useSpatialIndex = true;
};

#endif
