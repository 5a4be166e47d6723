#ifndef SCRIVANE_GDIWRITERSUPPORT_H
#define SCRIVANE_GDIWRITERSUPPORT_H
// Small pure helpers of the GDI writer: number conversion, the font name split, the pen style
// of a line pattern, and the pen bits of the line end and join styles.
#include <cstddef>
#include <memory>
#include <new>
#include <string>

#include "scrivane/SoVectorizeAction.h"
#include "scrivane_gdi/gdi.h"

namespace scrivane::gdiwriter {

// Logical coordinates are held to +-2^30 units, far beyond any page (10.7 km at 0.01 mm), so
// that sums of a coordinate and a size never overflow.
inline constexpr int LOGICAL_LIMIT = 1 << 30;

// A buffer of count elements allocated without throwing: null when memory is short, and the
// caller then draws nothing.
template <typename T> std::unique_ptr<T[]> allocateBuffer(size_t count) {
    return std::unique_ptr<T[]>(new (std::nothrow) T[count]);
}

// The logical points of one primitive: in the object itself for the usual small counts (a
// triangle, a quadrilateral), so that most primitives allocate nothing, else allocated without
// throwing; get() is null when memory is short, and the caller then draws nothing.
class PointBuffer {
public:
    explicit PointBuffer(size_t count)
        : heap(count > localCount ? allocateBuffer<POINT>(count) : nullptr),
          points(count > localCount ? heap.get() : local) {}
    PointBuffer(const PointBuffer &) = delete;
    PointBuffer &operator=(const PointBuffer &) = delete;
    POINT *get() const { return points; }
    POINT &operator[](size_t i) const { return points[i]; }

private:
    static constexpr size_t localCount = 16;
    POINT local[localCount];
    std::unique_ptr<POINT[]> heap;
    POINT *points;
};

// A value truncated toward zero and held to +-LOGICAL_LIMIT; not a number gives 0. Inline:
// every coordinate of every primitive goes through it.
inline int truncToInt(double value) {
    if (!(value == value)) return 0;
    if (value >= LOGICAL_LIMIT) return LOGICAL_LIMIT;
    if (value <= -LOGICAL_LIMIT) return -LOGICAL_LIMIT;
    return static_cast<int>(value);
}

// A font name "Face : Style" taken apart: the face before the last ':', the style after it, a
// single blank on either side of the ':' dropped; without ':' the whole name is the face. The
// face keeps at most 31 characters and the style 11. The style, in any case, "BOLD" gives weight
// 700, "ITALIC" italic, "BOLD ITALIC" both; anything else weight 400, upright.
struct FontSelection {
    std::string face;
    std::string style;
    int weight = 400;
    int italic = 0;
};
FontSelection splitFontName(const char *fontName);

// The GDI line style for a dashed pattern (not 0xFFFF): the runs of the pattern (an odd count
// has its last run added to the first) give PS_DASH for 2 runs, PS_DASHDOT (4 runs) or
// PS_DASHDOTDOT (6 runs) when some run is 8 bits or longer and PS_DASH otherwise, and PS_DOT for
// 8 runs or more. The pattern 0 has no dash at all: -1.
int dashStyleForPattern(unsigned short pattern);

// Pen bits for the action's line end and join styles; unknown values take the defaults
// (flat ends, bevelled joins as for UNJOINED).
DWORD penEndCap(SoVectorizeAction::EndLineStyle style);
DWORD penJoin(SoVectorizeAction::JoinLineStyle style);

} // namespace scrivane::gdiwriter

#endif
