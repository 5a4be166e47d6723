// Images of the CGM picture: each image is one cell array of its pixels, placed by its
// alignment on the origin, skipped when it lies wholly outside the clipping box.
#include <vector>
#include "output/cgm/CGMBinaryEncoder.h"
#include "scrivane/SoVectorizeCGMAction.h"

void SoVectorizeCGMAction::printImage(const SbVec4f &origin, const unsigned char *pixels, SbVec2s &sourceSize,
                                      SbVec2s &requestedSize, int numComponents, SoImage::HorAlignment horAlign,
                                      SoImage::VertAlignment vertAlign) {
    const int nx = sourceSize[0], ny = sourceSize[1];
    if (!pixels || numComponents < 1 || nx <= 0 || ny <= 0) return;
    const float pixel = getPixelImageSize(MILLIMETER);
    const float w = static_cast<float>(requestedSize[0]) * pixel, h = static_cast<float>(requestedSize[1]) * pixel;
    const float x = origin[0], y = origin[1];
    float left = x, right = x + w, bottom = y, top = y + h;
    if (horAlign == SoImage::CENTER) {
        left = x - w / 2.0f;
        right = x + w / 2.0f;
    } else if (horAlign == SoImage::RIGHT) {
        left = x - w;
        right = x;
    }
    if (vertAlign == SoImage::HALF) {
        bottom = y - h / 2.0f;
        top = y + h / 2.0f;
    } else if (vertAlign == SoImage::TOP) {
        bottom = y - h;
        top = y;
    }
    // Both boxes in page millimetres, offsets included, whatever the encoding.
    const SbBox2f placed(left + getOffsetX(), bottom + getOffsetY(), right + getOffsetX(), top + getOffsetY());
    if (!pageClipBox().intersect(placed)) return;

    const SbVec4f p(left, top, 0.0f, 1.0f), q(right, bottom, 0.0f, 1.0f), r(right, top, 0.0f, 1.0f);
    const size_t count = static_cast<size_t>(nx) * static_cast<size_t>(ny);
    std::vector<int> indexes(count);
    std::vector<SbColor> colors(count);
    const float scale = 1.0f / 255.0f;
    size_t k = 0;
    // Source rows run bottom to top; the cells run from the top row down.
    for (int row = ny - 1; row >= 0; row--) {
        for (int column = 0; column < nx; column++, k++) {
            const unsigned char *px =
                pixels + (static_cast<size_t>(row) * static_cast<size_t>(nx) + static_cast<size_t>(column)) *
                             static_cast<size_t>(numComponents);
            SbColor color = numComponents >= 3 ? SbColor(px[0] * scale, px[1] * scale, px[2] * scale)
                                               : SbColor(px[0] * scale, px[0] * scale, px[0] * scale);
            assignColor(color, getNominalWidth(), &indexes[k], &colors[k]);
        }
    }
    writeCellArray(p, q, r, nx, ny, indexes.data(), colors.data());
}
