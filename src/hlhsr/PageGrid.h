// The spatial index of the painter's ordering: a uniform grid over the page boxes of a run's
// primitives, answering "which entries still to be placed may need comparing with this one".
#ifndef SCRIVANE_HLHSR_PAGEGRID_H
#define SCRIVANE_HLHSR_PAGEGRID_H
#include "PagePoints.h"
#include "scene/base/SbBox2f.h"
#include <vector>

class Primitive;
class PrimitiveList;

namespace scrivane_hlhsr {

// Every primitive gets a slot with a copy of its page shape; the list's entries get slots 0 to
// n - 1 in list order, parts cut later the next numbers. A slot is retired once its primitive is
// placed in the drawing order or replaced by its parts: queries never return it again.
//
// Each cell lists its slots from the deepest zmax to the nearest, so that a query stops at the
// first slot wholly in front of the queried one.
class PageGrid {
public:
    // With singleCell, every slot lies in one cell: each query looks at every live slot (kept to
    // check that the grid changes nothing).
    PageGrid(const PrimitiveList &list, bool singleCell);
    int add(const Primitive *primitive);
    // The live slots other than `slot` whose page boxes meet its box and whose depth ranges reach
    // its nearest depth, increasing. A slot left out lies wholly in front of the queried one (its
    // zmax below the other's zmin): the painter's comparison answers "in front" for it whatever
    // its page position.
    void overlapping(int slot, std::vector<int> &found);
    void retire(int slot);
    PageShape shape(int slot) const { return shapeOf(slots[static_cast<size_t>(slot)]); }
    const SbBox2f &box(int slot) const { return slots[static_cast<size_t>(slot)].box; }

private:
    struct Slot {
        SbBox2f box;
        float depthKey; // zmax, with "not a number" as the deepest
        float zmin;
        bool polygon;
        bool live;
        int n;
        size_t offset;  // of its points in xs, ys
        unsigned visit; // the last query that saw it
        const Primitive *primitive;
    };
    struct Cell {
        std::vector<int> slots; // deepest first
        size_t retired = 0;     // of them; they leave once they are half
    };

    int addSlot(const Primitive *primitive, bool keepCellsSorted);
    template <typename F> void forEachCell(const SbBox2f &box, F &&f);
    PageShape shapeOf(const Slot &slot) const;
    int column(float x) const;
    int row(float y) const;

    SbBox2f area;
    int columns = 1, rows = 1;
    float cellWidth = 1.0f, cellHeight = 1.0f;
    std::vector<Cell> cells;
    std::vector<Slot> slots;
    std::vector<float> xs, ys;
    unsigned query = 0;
};

} // namespace scrivane_hlhsr

#endif
