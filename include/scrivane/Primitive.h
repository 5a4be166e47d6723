#ifndef SCRIVANE_PRIMITIVE_H
#define SCRIVANE_PRIMITIVE_H
#include "scene/base/SbBox2f.h"
#include "scene/base/SbColor.h"
#include "scene/base/SbVec4f.h"
#include "scrivane/ScrivaneExport.h"

class SoHLHSRVectorize;

// A primitive kept by the hidden-line/hidden-surface removal driver until the end of a removal
// run. Points are normalized projection coordinates (x, y in [-1, 1], z the depth growing away
// from the observer); nothing here divides by w. The removal run owns its primitives: the
// painter prints each one once and deletes it.
class SCRIVANE_API Primitive {
public:
    // Run-time type numbers, the only type test the ordering and the visibility filter use.
    enum TypeId {
        PRIMITIVE = 0,
        MULTI_POINTS = 1,
        MONO_POINT = 2,
        POLYGON = 3,
        POLYLINE = 4,
        POLYMARK = 5,
        TEXT = 6,
        IMAGE = 7
    };

    virtual void print(SoHLHSRVectorize *driver) = 0;
    virtual float getZmax() const = 0;
    virtual float getZmin() const = 0;
    virtual const SbBox2f &getBBox() const { return bbox; }
    virtual const SbVec4f &getPoint(int i) const = 0;
    virtual int getNum() const = 0;
    virtual SbColor getColor() const { return SbColor(0.0f, 0.0f, 0.0f); }
    virtual int getTypeId() const { return PRIMITIVE; }
    virtual ~Primitive() = default;

    // Order of the cells of a grid of cellWidth x cellHeight anchored at the origin, taken at the
    // centres of the boxes: row first, then column.
    int superiorXY(const Primitive *other, float cellWidth, float cellHeight) const;
    int inferiorEqualXY(const Primitive *other, float cellWidth, float cellHeight) const {
        return !superiorXY(other, cellWidth, cellHeight);
    }

    // Arrival number within the removal run, set by the driver; the painter's last tie-break.
    int priority = 0;
    // Scratch flag: "already moved in this pass" for the painter, "keep" for the visibility filter.
    int mark = 0;

protected:
    Primitive() { bbox.makeEmpty(); }
    SbBox2f bbox;
};

#endif
