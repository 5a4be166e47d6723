// Images: an RGB image surface drawn as a rectangle of the requested size in image pixels of
// the pixel image size, placed by its alignment, its first stored row at the bottom, each
// source pixel a sharp-edged block (nearest-neighbour filter). Grey images (one or two
// components) take the first component for red, green and blue; an alpha component is not
// drawn, as in the other formats.
#include "scrivane/SoVectorizeCairoAction.h"
#include <cairo.h>
#include <cmath>
#include <cstdint>

void SoVectorizeCairoAction::printImage(const SbVec4f &origin, const unsigned char *pixels,
                                        SbVec2s &sourceSize, SbVec2s &requestedSize,
                                        int numComponents, SoImage::HorAlignment horAlign,
                                        SoImage::VertAlignment vertAlign) {
    cairo_t *cr = context();
    const int columns = sourceSize[0], rows = sourceSize[1];
    if (!cr || !pixels || numComponents <= 0 || columns <= 0 || rows <= 0) return;
    const float pixelSize = getPixelImageSize(MILLIMETER);
    const float w = requestedSize[0] * pixelSize, h = requestedSize[1] * pixelSize;
    // An image of no area (or not a number of millimetres) paints nothing, and its scale would
    // be singular.
    if (!(w > 0.0f && h > 0.0f) || !std::isfinite(w) || !std::isfinite(h)) return;
    if (!std::isfinite(origin[0]) || !std::isfinite(origin[1])) return;
    float x0 = origin[0], y0 = origin[1];
    if (horAlign == SoImage::CENTER) x0 -= w * 0.5f;
    if (horAlign == SoImage::RIGHT) x0 -= w;
    if (vertAlign == SoImage::HALF) y0 -= h * 0.5f;
    if (vertAlign == SoImage::TOP) y0 -= h;
    if (!getClippingLimits().intersect(SbBox2f(x0, y0, x0 + w, y0 + h))) return;

    cairo_surface_t *image = cairo_image_surface_create(CAIRO_FORMAT_RGB24, columns, rows);
    if (cairo_surface_status(image) != CAIRO_STATUS_SUCCESS) {
        cairo_surface_destroy(image);
        return;
    }
    cairo_surface_flush(image);
    unsigned char *data = cairo_image_surface_get_data(image);
    const int stride = cairo_image_surface_get_stride(image);
    const size_t components = static_cast<size_t>(numComponents);
    for (int row = 0; row < rows; row++) {
        uint32_t *line = reinterpret_cast<uint32_t *>(data + static_cast<size_t>(row) * stride);
        for (int column = 0; column < columns; column++) {
            const unsigned char *pixel =
                pixels + (static_cast<size_t>(row) * columns + column) * components;
            const uint32_t r = pixel[0], g = numComponents >= 3 ? pixel[1] : r,
                           b = numComponents >= 3 ? pixel[2] : r;
            line[column] = r << 16 | g << 8 | b;
        }
    }
    cairo_surface_mark_dirty(image);

    cairo_save(cr);
    cairo_translate(cr, x0, y0);
    cairo_scale(cr, static_cast<double>(w) / columns, static_cast<double>(h) / rows);
    cairo_set_source_surface(cr, image, 0.0, 0.0);
    cairo_pattern_set_filter(cairo_get_source(cr), CAIRO_FILTER_NEAREST);
    cairo_new_path(cr);
    cairo_rectangle(cr, 0.0, 0.0, columns, rows);
    cairo_fill(cr);
    cairo_restore(cr);
    cairo_surface_destroy(image);
}
