// The GDI writer's images: the pixels as a 24-bit device-independent bitmap, stretched over the
// image's box with StretchDIBits. The box is given by its top edge and a negative height, which
// keeps the picture upright in a mode where y grows upward. Pixel colours are drawn as they are:
// they are not translated nor matched to pens.
#include "output/gdi/GDIWriterSupport.h"
#include "scrivane/SoVectorizeGDIAction.h"

using scrivane::gdiwriter::allocateBuffer;
using scrivane::gdiwriter::truncToInt;

std::unique_ptr<unsigned char[]> SoVectorizeGDIAction::buildDib(const unsigned char *pixels,
                                                                int width, int height,
                                                                int numComponents, int turned,
                                                                BITMAPINFO &info) {
    // A turned bitmap is the image a quarter turn counter-clockwise: its rows, bottom first, are
    // the image's columns, left first, each running from the image's top row down.
    const int bitmapWidth = turned ? height : width;
    const int bitmapHeight = turned ? width : height;
    const size_t stride = (static_cast<size_t>(bitmapWidth) * 3 + 3) & ~static_cast<size_t>(3);
    const size_t size = stride * static_cast<size_t>(bitmapHeight);
    std::unique_ptr<unsigned char[]> bits = allocateBuffer<unsigned char>(size);
    if (!bits) return bits;
    const size_t components = static_cast<size_t>(numComponents);
    for (int row = 0; row < bitmapHeight; row++) {
        unsigned char *out = bits.get() + stride * static_cast<size_t>(row);
        for (int column = 0; column < bitmapWidth; column++) {
            const int imageColumn = turned ? row : column;
            const int imageRow = turned ? height - 1 - column : row;
            const unsigned char *pixel =
                pixels + (static_cast<size_t>(imageRow) * static_cast<size_t>(width) +
                          static_cast<size_t>(imageColumn)) *
                             components;
            // Blue, green, red; grey (and grey with alpha) images repeat their one value.
            out[0] = numComponents >= 3 ? pixel[2] : pixel[0];
            out[1] = numComponents >= 3 ? pixel[1] : pixel[0];
            out[2] = pixel[0];
            out += 3;
        }
        for (size_t pad = static_cast<size_t>(bitmapWidth) * 3; pad < stride; pad++)
            *out++ = 0;
    }
    BITMAPINFOHEADER &header = info.bmiHeader;
    header.biSize = sizeof(BITMAPINFOHEADER);
    header.biWidth = bitmapWidth;
    header.biHeight = bitmapHeight;
    header.biPlanes = 1;
    header.biBitCount = 24;
    header.biCompression = BI_RGB;
    header.biSizeImage = static_cast<DWORD>(size);
    header.biXPelsPerMeter = 0;
    header.biYPelsPerMeter = 0;
    header.biClrUsed = 0;
    header.biClrImportant = 0;
    return bits;
}

void SoVectorizeGDIAction::printImage(const SbVec4f &origin, const unsigned char *pixels,
                                      SbVec2s &sourceSize, SbVec2s &requestedSize,
                                      int numComponents, SoImage::HorAlignment horAlign,
                                      SoImage::VertAlignment vertAlign) {
    const int width = sourceSize[0], height = sourceSize[1];
    if (!pixels || width <= 0 || height <= 0 || numComponents < 1 || numComponents > 4) return;
    if (requestedSize[0] <= 0 || requestedSize[1] <= 0) return;

    const float pixelSize = getPixelImageSize(MILLIMETER);
    const float boxWidth = requestedSize[0] * pixelSize;
    const float boxHeight = requestedSize[1] * pixelSize;
    float left = origin[0], bottom = origin[1];
    if (horAlign == SoImage::CENTER) left -= boxWidth / 2.0f;
    if (horAlign == SoImage::RIGHT) left -= boxWidth;
    if (vertAlign == SoImage::HALF) bottom -= boxHeight / 2.0f;
    if (vertAlign == SoImage::TOP) bottom -= boxHeight;
    if (!SbBox2f(left, bottom, left + boxWidth, bottom + boxHeight).intersect(getClippingLimits()))
        return;

    const int landscape = getOrientation() == LANDSCAPE;
    BITMAPINFO info{};
    const std::unique_ptr<unsigned char[]> bits =
        buildDib(pixels, width, height, numComponents, landscape, info);
    if (!bits) return;
    // LOGPIXELS counts pixels per inch; the bitmap header wants pixels per metre.
    info.bmiHeader.biXPelsPerMeter =
        truncToInt(GetDeviceCaps(deviceContext, LOGPIXELSX) * 10000LL / 254);
    info.bmiHeader.biYPelsPerMeter =
        truncToInt(GetDeviceCaps(deviceContext, LOGPIXELSY) * 10000LL / 254);

    // The box in logical units: its lower-left corner and its size.
    const int x = toLogical(left), y = toLogical(bottom);
    const int w = toLogical(boxWidth), h = toLogical(boxHeight);
    const int right = truncToInt(static_cast<double>(x) + w),
              top = truncToInt(static_cast<double>(y) + h);
    if (!landscape) {
        StretchDIBits(deviceContext, x, top, w, -h, 0, 0, width, height, bits.get(), &info,
                      DIB_RGB_COLORS, SRCCOPY);
        return;
    }
    // The image's upper-right corner turns into the upper-left corner of the turned box, which
    // is as wide as the image is high.
    POINT corner = {right, top};
    pointsToLandscape(&corner, 1);
    StretchDIBits(deviceContext, corner.x, corner.y, h, -w, 0, 0, height, width, bits.get(), &info,
                  DIB_RGB_COLORS, SRCCOPY);
}
