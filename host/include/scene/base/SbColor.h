#ifndef SCENE_SBCOLOR_H
#define SCENE_SBCOLOR_H
#include "scene/SceneExport.h"
#include "scene/base/SbVec3f.h"
#include <cstdint>

// An RGB colour, three floats from 0 to 1.
class SCENE_API SbColor : public SbVec3f {
public:
    SbColor() = default;
    SbColor(const SbVec3f &v) : SbVec3f(v) {}
    SbColor(float r, float g, float b) : SbVec3f(r, g, b) {}
    explicit SbColor(const float rgb[3]) : SbVec3f(rgb) {}
    // 0xRRGGBBAA, each component rounded from 0..1 to 0..255; alpha = (1 - transparency) * 255.
    uint32_t getPackedValue(float transparency = 0.0f) const;
    SbColor &setPackedValue(uint32_t rgba, float &transparency);
    SbColor &setHSVValue(float h, float s, float v);
};

#endif
