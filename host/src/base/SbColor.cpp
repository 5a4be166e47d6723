#include "scene/base/SbColor.h"
#include <algorithm>
#include <cmath>

namespace {
uint32_t toByte(float c) {
    float clamped = std::min(1.0f, std::max(0.0f, c));
    return static_cast<uint32_t>(clamped * 255.0f + 0.5f);
}
} // namespace

uint32_t SbColor::getPackedValue(float transparency) const {
    return (toByte((*this)[0]) << 24) | (toByte((*this)[1]) << 16) | (toByte((*this)[2]) << 8) |
           toByte(1.0f - transparency);
}

SbColor &SbColor::setPackedValue(uint32_t rgba, float &transparency) {
    setValue(((rgba >> 24) & 0xFF) / 255.0f, ((rgba >> 16) & 0xFF) / 255.0f, ((rgba >> 8) & 0xFF) / 255.0f);
    transparency = 1.0f - (rgba & 0xFF) / 255.0f;
    return *this;
}

SbColor &SbColor::setHSVValue(float h, float s, float v) {
    if (s <= 0.0f) {
        setValue(v, v, v);
        return *this;
    }
    float hh = (h >= 1.0f ? 0.0f : h) * 6.0f;
    int sector = static_cast<int>(std::floor(hh));
    float f = hh - sector;
    float p = v * (1 - s), q = v * (1 - s * f), t = v * (1 - s * (1 - f));
    switch (sector) {
    case 0: setValue(v, t, p); break;
    case 1: setValue(q, v, p); break;
    case 2: setValue(p, v, t); break;
    case 3: setValue(p, q, v); break;
    case 4: setValue(t, p, v); break;
    default: setValue(v, p, q); break;
    }
    return *this;
}
