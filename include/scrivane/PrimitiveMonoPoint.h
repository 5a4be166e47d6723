#ifndef SCRIVANE_PRIMITIVEMONOPOINT_H
#define SCRIVANE_PRIMITIVEMONOPOINT_H
#include "scrivane/Primitive.h"
#include "scrivane/ScrivaneExport.h"

// A primitive anchored at one point (text, image): its depth range is the point's depth.
class SCRIVANE_API PrimitiveMonoPoint : public Primitive {
public:
    float getZmax() const override { return point[2]; }
    float getZmin() const override { return point[2]; }
    const SbVec4f &getPoint(int) const override { return point; }
    int getNum() const override { return 1; }
    int getTypeId() const override { return MONO_POINT; }

protected:
    PrimitiveMonoPoint() = default;
    void computeBBox();

    SbVec4f point;
    SbColor color{0.0f, 0.0f, 0.0f};
};

#endif
