#include "PageGrid.h"
#include "scrivane/PrimitiveList.h"
#include <algorithm>
#include <cmath>

namespace scrivane_hlhsr {
namespace {
// The median extent of the primitives' boxes along one axis.
float typicalSize(const PrimitiveList &list, int axis) {
    std::vector<float> sizes;
    sizes.reserve(static_cast<size_t>(list.getLength()));
    for (int i = 0; i < list.getLength(); i++) {
        const SbBox2f &box = list.get(i)->getBBox();
        const float size = box.getMax()[axis] - box.getMin()[axis];
        if (size >= 0.0f) sizes.push_back(size); // not a number: left out
    }
    if (sizes.empty()) return 0.0f;
    std::nth_element(sizes.begin(), sizes.begin() + static_cast<long>(sizes.size() / 2),
                     sizes.end());
    return sizes[sizes.size() / 2];
}

int cellsAlong(float extent, float cellSize, double maxCells) {
    if (!(extent > 0.0f) || !(cellSize > 0.0f)) return 1;
    const double cells =
        std::min(std::min(static_cast<double>(extent) / cellSize, maxCells), 4096.0);
    return std::max(1, static_cast<int>(cells));
}
} // namespace

PageGrid::PageGrid(const PrimitiveList &list, bool singleCell) {
    const int n = list.getLength();
    for (int i = 0; i < n; i++)
        area.extendBy(list.get(i)->getBBox());
    // Cells about twice the typical box: a query then visits a few cells, each holding few
    // boxes. At most about two cells per primitive.
    float w = 0.0f, h = 0.0f;
    if (!area.isEmpty()) area.getSize(w, h);
    const double maxCells = 2.0 * n + 16.0;
    if (!singleCell) {
        columns = cellsAlong(w, 1.0f * typicalSize(list, 0), maxCells);
        rows = cellsAlong(h, 1.0f * typicalSize(list, 1), maxCells / columns);
    }
    cellWidth = w > 0.0f ? w / static_cast<float>(columns) : 1.0f;
    cellHeight = h > 0.0f ? h / static_cast<float>(rows) : 1.0f;
    cells.resize(static_cast<size_t>(columns) * static_cast<size_t>(rows));
    slots.reserve(static_cast<size_t>(3 * n));
    for (int i = 0; i < n; i++)
        addSlot(list.get(i), false);
    for (Cell &cell : cells)
        std::stable_sort(cell.slots.begin(), cell.slots.end(), [this](int a, int b) {
            return slots[static_cast<size_t>(a)].depthKey > slots[static_cast<size_t>(b)].depthKey;
        });
}

// Cells of coordinates outside the area (or not numbers) are clamped to the border cells: parts
// cut from a primitive lie within its box, and a clamped lookup only visits more cells, never
// fewer, so no overlapping pair is missed.
int PageGrid::column(float x) const {
    const float c = (x - area.getMin()[0]) / cellWidth;
    if (!(c >= 0.0f)) return 0;
    return c >= static_cast<float>(columns) ? columns - 1 : static_cast<int>(c);
}

int PageGrid::row(float y) const {
    const float r = (y - area.getMin()[1]) / cellHeight;
    if (!(r >= 0.0f)) return 0;
    return r >= static_cast<float>(rows) ? rows - 1 : static_cast<int>(r);
}

int PageGrid::add(const Primitive *primitive) {
    return addSlot(primitive, true);
}

// Slots added after the first are put in depth order in each of their cells.
int PageGrid::addSlot(const Primitive *primitive, bool keepCellsSorted) {
    const PageShape shape = pageShapeOf(primitive, xs, ys);
    const int slot = static_cast<int>(slots.size());
    const float zmax = primitive->getZmax();
    const float key = zmax == zmax ? zmax : HUGE_VALF;
    slots.push_back(Slot{shape.box, key, primitive->getZmin(), shape.polygon, true, shape.n,
                         xs.size() - static_cast<size_t>(shape.n), 0, primitive});
    forEachCell(shape.box, [&](Cell &cell) {
        if (!keepCellsSorted) {
            cell.slots.push_back(slot);
            return;
        }
        const auto at =
            std::upper_bound(cell.slots.begin(), cell.slots.end(), key, [this](float k, int other) {
                return k > slots[static_cast<size_t>(other)].depthKey;
            });
        cell.slots.insert(at, slot);
    });
    return slot;
}

template <typename F> void PageGrid::forEachCell(const SbBox2f &box, F &&f) {
    const int c0 = column(box.getMin()[0]), c1 = column(box.getMax()[0]);
    const int r0 = row(box.getMin()[1]), r1 = row(box.getMax()[1]);
    for (int r = r0; r <= r1; r++)
        for (int c = c0; c <= c1; c++)
            f(cells[static_cast<size_t>(r) * static_cast<size_t>(columns) +
                    static_cast<size_t>(c)]);
}

// A cell drops its retired slots once they are half of it, keeping the depth order.
void PageGrid::retire(int slot) {
    Slot &retired = slots[static_cast<size_t>(slot)];
    retired.live = false;
    forEachCell(retired.box, [this](Cell &cell) {
        if (++cell.retired * 2 < cell.slots.size()) return;
        cell.slots.erase(
            std::remove_if(cell.slots.begin(), cell.slots.end(),
                           [this](int s) { return !slots[static_cast<size_t>(s)].live; }),
            cell.slots.end());
        cell.retired = 0;
    });
}

PageShape PageGrid::shapeOf(const Slot &slot) const {
    return PageShape{
        slot.primitive,         slot.box, slot.polygon, slot.n, xs.data() + slot.offset,
        ys.data() + slot.offset};
}

void PageGrid::overlapping(int slotIndex, std::vector<int> &found) {
    found.clear();
    if (++query == 0) { // the visit stamps wrapped around: start them again
        for (Slot &slot : slots)
            slot.visit = 0;
        query = 1;
    }
    Slot &at = slots[static_cast<size_t>(slotIndex)];
    at.visit = query;
    const SbBox2f box = at.box;
    const float zmin = at.zmin;
    forEachCell(box, [&](Cell &cell) {
        for (int index : cell.slots) {
            Slot &slot = slots[static_cast<size_t>(index)];
            if (slot.depthKey < zmin) break; // this one and all after it lie wholly in front
            if (slot.visit == query || !slot.live) continue;
            slot.visit = query;
            if (box.intersect(slot.box)) found.push_back(index);
        }
    });
    std::sort(found.begin(), found.end());
}


} // namespace scrivane_hlhsr
