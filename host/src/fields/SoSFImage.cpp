#include "scene/fields/SoSFImage.h"
#include <cstring>

const unsigned char *SoSFImage::getValue(SbVec2s &sizeOut, int &ncOut) const {
    sizeOut = size;
    ncOut = nc;
    return pixels.empty() ? nullptr : pixels.data();
}

void SoSFImage::setValue(const SbVec2s &newSize, int newNc, const unsigned char *bytes) {
    int w = newSize[0] > 0 ? newSize[0] : 0, h = newSize[1] > 0 ? newSize[1] : 0;
    int components = newNc > 0 ? newNc : 0;
    size.setValue(short(w), short(h));
    nc = components;
    pixels.assign(static_cast<size_t>(w) * h * components, 0);
    if (bytes && !pixels.empty()) std::memcpy(pixels.data(), bytes, pixels.size());
    touch();
}

unsigned char *SoSFImage::startEditing(SbVec2s &sizeOut, int &ncOut) {
    sizeOut = size;
    ncOut = nc;
    return pixels.empty() ? nullptr : pixels.data();
}
