#ifndef SCRIVANE_POLYMARK_H
#define SCRIVANE_POLYMARK_H
#include "scrivane/PrimitiveMultiPoints.h"
#include "scrivane/ScrivaneExport.h"

class SoMarkerSet;

// Dots or the markers of a marker set kept for removal. The marker set is not owned: the scene
// outlives the run. A null marker set means dots of pointSize.
class SCRIVANE_API PolyMark : public PrimitiveMultiPoints {
public:
    PolyMark() = default;
    PolyMark(const PolyMark &) = delete;
    PolyMark &operator=(const PolyMark &) = delete;

    void setValue(int num, const SbVec4f *points, const SbColor *colors, int multiColor, float pointSize,
                  SoMarkerSet *markerSet);
    void print(SoHLHSRVectorize *driver) override;
    int getTypeId() const override { return POLYMARK; }

private:
    int multiColor = 0;
    float pointSize = 0.0f;
    SoMarkerSet *markerSet = nullptr;
};

#endif
