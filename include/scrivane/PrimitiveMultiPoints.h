#ifndef SCRIVANE_PRIMITIVEMULTIPOINTS_H
#define SCRIVANE_PRIMITIVEMULTIPOINTS_H
#include "scrivane/Primitive.h"
#include "scrivane/ScrivaneExport.h"

// A primitive made of num points with a colour each (polygon, polyline, marks). It owns both
// arrays.
class SCRIVANE_API PrimitiveMultiPoints : public Primitive {
public:
    float getZmax() const override { return zmax; }
    float getZmin() const override { return zmin; }
    const SbVec4f &getPoint(int i) const override { return points[i]; }
    int getNum() const override { return num; }
    SbColor getColor() const override { return colors[0]; }
    int getTypeId() const override { return MULTI_POINTS; }
    const SbColor *getColors() const { return colors; }
    // Depth range and page box of the points; needs at least one point.
    void computeZMinZMaxBBox();

protected:
    PrimitiveMultiPoints() = default;
    ~PrimitiveMultiPoints() override;
    // Replaces the arrays by copies of num points and num colours.
    void copyPoints(int n, const SbVec4f *newPoints, const SbColor *newColors);

    float zmax = 0.0f;
    float zmin = 0.0f;
    int num = 0;
    SbVec4f *points = nullptr;
    SbColor *colors = nullptr;
};

#endif
