// Images. An image is placed by its lower-left corner after alignment, scaled to the
// requested size in image pixels, and followed by its pixels as hexadecimal rows, the first
// stored row at the bottom:
//
//   4 2                              source width and height in pixels
//   8.47 4.23                        size on the page in millimetres
//   20.00 30.00                      lower-left corner
//   4                                length of the row string (the source width)
//   3                                colour output only: 3 for RGB, 1 for grey
//   DisplayImage
//   FF0000FF0000...                  40 bytes a line; grey output has one byte per pixel
#include "scrivane/SoVectorizePSAction.h"
#include <cstdio>

void SoVectorizePSAction::printImage(const SbVec4f &origin, const unsigned char *pixels,
                                     SbVec2s &sourceSize, SbVec2s &requestedSize, int numComponents,
                                     SoImage::HorAlignment horAlign,
                                     SoImage::VertAlignment vertAlign) {
    const int columns = sourceSize[0], rows = sourceSize[1];
    if (!pixels || numComponents <= 0 || columns <= 0 || rows <= 0) return;
    const float pixelSize = getPixelImageSize(MILLIMETER);
    const float w = requestedSize[0] * pixelSize, h = requestedSize[1] * pixelSize;
    // An image of no area paints nothing, and its scale would make the image matrix singular.
    if (!(w > 0.0f && h > 0.0f)) return;

    // Alignment values outside 0 to 2 place the image as LEFT and BOTTOM do.
    float x0 = origin[0], y0 = origin[1];
    switch (static_cast<int>(horAlign)) {
    case SoImage::CENTER:
        x0 -= w * 0.5f;
        break;
    case SoImage::RIGHT:
        x0 -= w;
        break;
    default:
        break;
    }
    switch (static_cast<int>(vertAlign)) {
    case SoImage::HALF:
        y0 -= h * 0.5f;
        break;
    case SoImage::TOP:
        y0 -= h;
        break;
    default:
        break;
    }
    if (!getClippingLimits().intersect(SbBox2f(x0, y0, x0 + w, y0 + h))) return;

    FILE *fp = out();
    const int color = psOutput->getColorOutput();
    std::fprintf(fp, "%d %d\n", columns, rows);
    std::fprintf(fp, "%.2f %.2f\n", static_cast<double>(w), static_cast<double>(h));
    std::fprintf(fp, "%.2f %.2f\n", static_cast<double>(x0), static_cast<double>(y0));
    std::fprintf(fp, "%d\n", columns);
    if (color) std::fprintf(fp, "%d\n", numComponents >= 3 ? 3 : 1);
    std::fprintf(fp, "%s\n", "DisplayImage");

    initWritePixel();
    const size_t count = static_cast<size_t>(columns) * static_cast<size_t>(rows);
    const size_t stride = static_cast<size_t>(numComponents);
    for (size_t i = 0; i < count; i++) {
        const unsigned char *pixel = pixels + i * stride;
        if (color && numComponents >= 3) {
            // Red, green and blue; a fourth component (alpha) is not written.
            writePixel(pixel[0]);
            writePixel(pixel[1]);
            writePixel(pixel[2]);
        } else if (numComponents >= 3) {
            const double grey = 0.3 * pixel[0] + 0.59 * pixel[1] + 0.11 * pixel[2];
            writePixel(static_cast<unsigned char>(grey < 255.0 ? static_cast<int>(grey) : 255));
        } else {
            writePixel(pixel[0]);
        }
    }
    std::fputs("\n", fp);
}
