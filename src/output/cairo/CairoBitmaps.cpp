// Marker bitmaps and fill patterns as runs of set bits, each run a rectangle.
#include "output/cairo/CairoBitmaps.h"
#include "scene/nodes/SoMarkerSet.h"

namespace scrivane_cairo {

namespace {
const int patternSide = 32;
const int patternBytes = 128;

bool patternBit(const unsigned char *bits, int row, int column) {
    return (bits[row * 4 + column / 8] & (0x80u >> (column % 8))) != 0;
}
} // namespace

bool appendMarkerPath(cairo_t *cr, int markerIndex) {
    SbVec2s size;
    const unsigned char *bytes = nullptr;
    SbBool isLSBFirst = FALSE;
    if (!SoMarkerSet::getMarker(markerIndex, size, bytes, isLSBFirst) || size[0] <= 0 ||
        size[1] <= 0)
        return false;
    const double left = -0.5 * size[0], bottom = -0.5 * size[1];
    for (int row = 0; row < size[1]; row++) {
        int column = 0;
        while (column < size[0]) {
            if (!SoMarkerSet::isMarkerBitSet(markerIndex, row * size[0] + column)) {
                column++;
                continue;
            }
            const int start = column;
            while (column < size[0] &&
                   SoMarkerSet::isMarkerBitSet(markerIndex, row * size[0] + column))
                column++;
            cairo_rectangle(cr, left + start, bottom + row, column - start, 1);
        }
    }
    return true;
}

PatternTiles::~PatternTiles() {
    clear();
}

void PatternTiles::clear() {
    for (auto &entry : tiles) {
        // Finishing the tile's surface lets go of the copies a document's writer attached to it;
        // they refer back to the surface and would otherwise keep each other alive.
        cairo_surface_t *surface = nullptr;
        if (cairo_pattern_get_surface(entry.second, &surface) == CAIRO_STATUS_SUCCESS)
            cairo_surface_finish(surface);
        cairo_pattern_destroy(entry.second);
    }
    tiles.clear();
}

cairo_pattern_t *PatternTiles::tile(const unsigned char *bits, const SbColor &color) {
    std::string key(reinterpret_cast<const char *>(bits), patternBytes);
    key.append(reinterpret_cast<const char *>(color.getValue()), 3 * sizeof(float));
    auto found = tiles.find(key);
    if (found != tiles.end()) return found->second;
    cairo_surface_t *surface = nullptr;
    if (kind == VECTOR_TILES) {
        const cairo_rectangle_t extents = {0.0, 0.0, patternSide, patternSide};
        surface = cairo_recording_surface_create(CAIRO_CONTENT_COLOR_ALPHA, &extents);
    } else {
        surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, patternSide, patternSide);
    }
    cairo_t *cr = cairo_create(surface);
    cairo_set_source_rgb(cr, color[0], color[1], color[2]);
    for (int row = 0; row < patternSide; row++) {
        int column = 0;
        while (column < patternSide) {
            if (!patternBit(bits, row, column)) {
                column++;
                continue;
            }
            const int start = column;
            while (column < patternSide && patternBit(bits, row, column))
                column++;
            cairo_rectangle(cr, start, row, column - start, 1);
        }
    }
    cairo_fill(cr);
    cairo_destroy(cr);
    cairo_pattern_t *pattern = cairo_pattern_create_for_surface(surface);
    cairo_surface_destroy(surface);
    cairo_pattern_set_extend(pattern, CAIRO_EXTEND_REPEAT);
    cairo_pattern_set_filter(pattern, CAIRO_FILTER_NEAREST);
    tiles[key] = pattern;
    return pattern;
}

} // namespace scrivane_cairo
