#ifndef SCRIVANE_CAIROBITMAPS_H
#define SCRIVANE_CAIROBITMAPS_H
// Marker bitmaps and fill patterns drawn as vector shapes: every run of set bits in a row is one
// rectangle, so that each reader shows the same sharp pixels at any scale (cairo's image masks
// are read differently by different PDF and SVG readers).
#include "scene/base/SbColor.h"
#include <cairo.h>
#include <map>
#include <string>

namespace scrivane_cairo {

// Adds to the current path one rectangle per run of set bits of a marker of the marker set's
// table, one unit per bitmap pixel, the bitmap centred on the origin with row 0 at the bottom.
// Returns false for a marker that does not exist or has no pixels.
bool appendMarkerPath(cairo_t *cr, int markerIndex);

// Coloured fill patterns as repeating tiles: a 32 x 32 unit tile holding the set bits of the
// pattern (128 bytes, four a row, rows from the bottom up, the first pixel of a byte in its
// high bit) in one colour, the other bits transparent. Made once per pattern and colour (keyed
// by the bytes, so equal patterns share one tile whatever memory they come from) and owned here.
class PatternTiles {
public:
    // Vector tiles (a recording surface: a tiling pattern of rectangles in PDF) or image tiles
    // of one pixel per bit (for SVG: cairo 1.16 keeps a recording surface used by an SVG
    // document alive after the document, one per document written in a process).
    enum TileKind { VECTOR_TILES, IMAGE_TILES };
    explicit PatternTiles(TileKind tileKind) : kind(tileKind) {}
    ~PatternTiles();
    PatternTiles(const PatternTiles &) = delete;
    PatternTiles &operator=(const PatternTiles &) = delete;

    // The tile as a repeating cairo pattern in tile units; the caller sets its matrix.
    cairo_pattern_t *tile(const unsigned char *bits, const SbColor &color);
    void clear();

private:
    TileKind kind;
    std::map<std::string, cairo_pattern_t *> tiles;
};

} // namespace scrivane_cairo

#endif
