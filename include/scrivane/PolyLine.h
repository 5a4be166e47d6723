#ifndef SCRIVANE_POLYLINE_H
#define SCRIVANE_POLYLINE_H
#include "scrivane/PrimitiveMultiPoints.h"
#include "scrivane/ScrivaneExport.h"

// A clipped line strip (or, in the painter modes, one segment of it) kept for removal.
class SCRIVANE_API PolyLine : public PrimitiveMultiPoints {
public:
    PolyLine() = default;
    PolyLine(const PolyLine &) = delete;
    PolyLine &operator=(const PolyLine &) = delete;

    void setValue(int num, const SbVec4f *points, const SbColor *colors, int multiColor, float lineWidth,
                  unsigned short linePattern);
    void print(SoHLHSRVectorize *driver) override;
    int getTypeId() const override { return POLYLINE; }

private:
    int multiColor = 0;
    float lineWidth = 0.0f;
    unsigned short linePattern = 0xFFFF;
};

#endif
