#ifndef SCRIVANE_HLHSRTEXT2D_H
#define SCRIVANE_HLHSRTEXT2D_H
#include "scene/base/SbString.h"
#include "scrivane/PrimitiveMonoPoint.h"
#include "scrivane/ScrivaneExport.h"

// The lines of one text node kept for removal, anchored at one point. It owns copies of the
// font name and of the strings, so the caller's buffers may go right after setValue.
class SCRIVANE_API HLHSRText2D : public PrimitiveMonoPoint {
public:
    HLHSRText2D() = default;
    ~HLHSRText2D() override;
    HLHSRText2D(const HLHSRText2D &) = delete;
    HLHSRText2D &operator=(const HLHSRText2D &) = delete;

    void setValue(const SbVec4f &point, const SbColor &color, const char *fontName, float fontSize,
                  int numStrings, const SbString *strings, float lineSpacing, int justification, float angle);
    // Prints every line; the driver moves the stored anchor down the page as it goes.
    void print(SoHLHSRVectorize *driver) override;
    int getTypeId() const override { return TEXT; }
    SbColor getColor() const override { return color; }

private:
    char *fontName = nullptr;
    float fontSize = 0.0f;
    int numStrings = 0;
    SbString *strings = nullptr;
    float lineSpacing = 0.0f;
    int justification = 0;
    float angle = 0.0f;
};

#endif
