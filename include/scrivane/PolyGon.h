#ifndef SCRIVANE_POLYGON_H
#define SCRIVANE_POLYGON_H
#include "scene/base/SbString.h"
#include "scene/base/SbVec2f.h"
#include "scene/base/SbVec3f.h"
#include "scrivane/PrimitiveMultiPoints.h"
#include "scrivane/ScrivaneExport.h"

// A clipped face kept for removal. Its points are ordered so that its normal faces the observer
// (z of the normal never positive); seen on the page, its interior lies on the right of each
// edge. The fill pattern bits are not owned: the scene's pattern node outlives the run.
class SCRIVANE_API PolyGon : public PrimitiveMultiPoints {
public:
    enum Style { FILLED = 0, LINES = 1, POINTS = 2 };

    PolyGon() = default;
    PolyGon(const PolyGon &) = delete;
    PolyGon &operator=(const PolyGon &) = delete;

    // Copies num points and num colours (the colour array must hold num entries), computes the
    // depth range, the box and the observer-oriented normal.
    void setValue(int num, const SbVec4f *points, const SbColor *colors, int multiColor, float lineWidth,
                  float pointSize, unsigned short linePattern, Style style, SbString patternCategory,
                  SbString patternName, const unsigned char *patternBits);
    void print(SoHLHSRVectorize *driver) override;
    int getTypeId() const override { return POLYGON; }

    // Twice the signed-area sum of the open chain of points, made positive (the closing term from
    // the last point back to the first is left out).
    double getAreaXY() const;
    // True when p lies strictly inside the polygon on the page (convex polygons).
    bool isPointInnerXYPlane(const SbVec2f &p) const;
    // Cuts this polygon along the plane of cutter. On success (exactly two crossings, each part
    // with at least three points) returns 1 with two new polygons the caller owns; else returns 0
    // and creates nothing. A multicoloured polygon gives each crossing point the colour
    // interpolated along its edge; a flat one keeps its colour.
    int cutByPlane(const PolyGon *cutter, PolyGon *&front, PolyGon *&back) const;
    // The same along the plane n . p = h; front is the part where n . p > h.
    int cutByPlane(const SbVec3f &n, double h, PolyGon *&front, PolyGon *&back) const;

    // True when the polygon's area on the page is at most 1e-7 times its longest edge (a strip a
    // hundred-thousandth of a pixel wide on any page): filled, it paints nothing, and its plane,
    // taken from nearly coincident points, says nothing the ordering could trust.
    bool coversNoArea() const { return flatOnPage; }
    const SbVec3f &getNormal() const { return normal; }
    Style getStyle() const { return style; }
    int isMultiColor() const { return multiColor; }

private:
    void computeObserverOrientedNormal();
    bool isFlatOnPage() const;

    Style style = FILLED;
    float pointSize = 0.0f;
    float lineWidth = 0.0f;
    unsigned short linePattern = 0xFFFF;
    int multiColor = 0;
    bool flatOnPage = false;
    SbVec3f normal{0.0f, 0.0f, 0.0f};
    SbString patternCategory;
    SbString patternName;
    const unsigned char *patternBits = nullptr;
};

#endif
