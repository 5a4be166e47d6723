// Built-in marker bitmaps of SoMarkerSet.
//
// 90 markers: 30 shapes in 3 sizes. Index = sizeGroup * 30 + shape, where sizeGroup 0 is 5x5,
// 1 is 7x7 and 2 is 9x9, and shape runs in this order:
//   0 CROSS, 1 PLUS, 2 MINUS, 3 SLASH, 4 BACKSLASH, 5 BAR, 6 STAR, 7 Y, 8 LIGHTNING, 9 WELL,
//   10 CIRCLE_LINE, 11 SQUARE_LINE, 12 DIAMOND_LINE, 13 TRIANGLE_LINE, 14 RHOMBUS_LINE,
//   15 HOURGLASS_LINE, 16 SATELLITE_LINE, 17 PINE_TREE_LINE, 18 CAUTION_LINE, 19 SHIP_LINE,
//   20..29 the same ten outlines FILLED (shape + 10 is the filled form of outline shape).
// A filled marker sets every pixel its outline sets.
#ifndef SCRIVANE_HOST_NODES_MARKERBITMAPS_H
#define SCRIVANE_HOST_NODES_MARKERBITMAPS_H

namespace scene_detail {

constexpr int kBuiltinMarkerShapeCount = 30;
constexpr int kBuiltinMarkerCount = 3 * kBuiltinMarkerShapeCount;

// Number of built-in markers: 90.
int builtinMarkerCount();

// Bitmap of a built-in marker: its width, height and packed bytes. Each row takes
// (width + 7) / 8 bytes, the most significant bit of a byte being the leftmost of its 8 pixels;
// row 0 is the BOTTOM row (rows are stored bottom to top). The bytes are static and stay valid.
// Returns false, leaving the outputs untouched, when index is not in 0..89.
bool builtinMarker(int index, int &width, int &height, const unsigned char *&bytes);

// Pixel test: bitNumber = row * width + column, row 0 the bottom row, column 0 the leftmost.
// False for an index outside 0..89 or a bitNumber outside 0..width*height-1.
bool builtinMarkerBit(int index, int bitNumber);

// Enum name of a built-in marker, e.g. "CROSS_5_5" (0), "CIRCLE_FILLED_9_9" (80);
// nullptr when index is not in 0..89.
const char *builtinMarkerName(int index);

// Inverse of builtinMarkerName (exact, case-sensitive match); -1 for an unknown name or nullptr.
int builtinMarkerIndex(const char *name);

} // namespace scene_detail

#endif
