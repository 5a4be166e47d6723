// The spatial index of the painter's pair scan: a uniform grid over the page boxes of a run's
// primitives, answering "which later entries may need comparing with this one, in list order".
#ifndef SCRIVANE_HLHSR_PAGEGRID_H
#define SCRIVANE_HLHSR_PAGEGRID_H
#include <vector>
#include "PagePoints.h"
#include "scene/base/SbBox2f.h"

class Primitive;
class PrimitiveList;

namespace scrivane_hlhsr {

// Follows the list through swaps, replaced entries and appended entries. Every primitive the
// list holds gets a slot with a copy of its page shape; a slot knows its current list position,
// a position its slot. A replaced primitive's slot is retired.
//
// Each cell lists its slots from the deepest zmax to the nearest, so that a query stops at the
// first slot wholly in front of the queried entry. Slots before the place being ordered never
// move again and are dropped from the front of the cells as the pass goes on.
class PageGrid {
public:
    explicit PageGrid(const PrimitiveList &list);
    // The positions after `after` whose page boxes meet the box of the entry at `place` and
    // whose depth ranges reach its nearest depth, increasing. An entry left out lies wholly in
    // front of the one at `place` (its zmax below the other's zmin): the painter's comparison
    // answers "in front" for it whatever its page position, so the scan needs not see it.
    // Positions before `place` must never be asked for again. The result is reused by the next
    // call.
    const std::vector<int> &later(int after, int place);
    // SoPainter::isEqual of the entries at two positions, from the shapes kept here.
    bool cannotOverlap(int i, int j) const;
    void swapped(int i, int j);
    // The entry at position is a new primitive.
    void replaced(int position, const Primitive *primitive);
    void appended(int position, const Primitive *primitive);

private:
    struct Slot {
        const Primitive *primitive;
        SbBox2f box;
        float depthKey; // zmax, with "not a number" as the deepest
        bool polygon;
        int n;
        size_t offset;  // of its points in xs, ys
        int position;   // -1 once retired
        unsigned visit; // the last query that saw it
    };
    struct Cell {
        std::vector<int> slots; // deepest first
        size_t start = 0;       // slots before it are settled or retired
    };

    int addSlot(int position, const Primitive *primitive, bool keepCellsSorted);
    PageShape shapeOf(const Slot &slot) const;
    int column(float x) const;
    int row(float y) const;

    SbBox2f area;
    int columns = 1, rows = 1;
    float cellWidth = 1.0f, cellHeight = 1.0f;
    std::vector<Cell> cells;
    std::vector<Slot> slots;
    std::vector<float> xs, ys;
    std::vector<int> positionSlot; // slot of each list position
    unsigned query = 0;
    std::vector<int> found;
};

} // namespace scrivane_hlhsr

#endif
