#ifndef SCRIVANE_HLHSRIMAGE_H
#define SCRIVANE_HLHSRIMAGE_H
#include "scene/base/SbVec2s.h"
#include "scene/nodes/SoImage.h"
#include "scrivane/PrimitiveMonoPoint.h"
#include "scrivane/ScrivaneExport.h"

// An image kept for removal, anchored at one point. The pixels are not copied: the image node's
// field outlives the removal run.
class SCRIVANE_API HLHSRImage : public PrimitiveMonoPoint {
public:
    HLHSRImage() = default;
    HLHSRImage(const HLHSRImage &) = delete;
    HLHSRImage &operator=(const HLHSRImage &) = delete;

    void setValue(const SbVec4f &point, const unsigned char *imageData, const SbVec2s &sourceSize,
                  const SbVec2s &requestedSize, int numComponents, SoImage::HorAlignment horAlignment,
                  SoImage::VertAlignment vertAlignment);
    void print(SoHLHSRVectorize *driver) override;
    int getTypeId() const override { return IMAGE; }

private:
    const unsigned char *imageData = nullptr;
    SbVec2s sourceSize{0, 0};
    SbVec2s requestedSize{0, 0};
    int numComponents = 0;
    SoImage::HorAlignment horAlignment = SoImage::LEFT;
    SoImage::VertAlignment vertAlignment = SoImage::BOTTOM;
};

#endif
