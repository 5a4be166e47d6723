// The painter's ordering pass: a depth-first topological sort of the relation "lies behind and
// overlaps on the page", found lazily. Taking the entries deepest first, an entry is placed in
// the drawing order once every entry still to be placed that overlaps it and lies behind it has
// been placed; those are visited first, the same way. Each entry is compared with its overlapping
// neighbours once, whatever the order it arrives in, so the cost follows the number of
// overlapping pairs rather than the number of moves a scan-and-swap sort would make.
//
// Interpenetrating polygons: the one being visited is cut along the other's plane; its parts
// replace it, and whoever was waiting on it compares them instead. A cycle (each entry behind
// the next, back to the first) is broken as Newell's method does: a polygon of the cycle that
// straddles the plane of its neighbour in the cycle is cut along that plane. Where none does, a
// polygon is cut across the page between the areas it shares with its two neighbours in the
// cycle, which breaks that cycle for certain (it is not the first choice: on random triangles its
// parts take part in as many other cycles as the whole, and the cuts multiply). Where neither cut
// can be made, the comparison that closed the cycle is left out (faces that share a vertex, such
// as a fan around a pole seen edge on, otherwise wait on each other for ever). Cuts stop once the
// list has grown to maxGrowth times its first length (plus a margin), so that degenerate input
// cannot cut for ever.
#include "OverlapDepth.h"
#include "PageGrid.h"
#include "scrivane/PolyGon.h"
#include "scrivane/PrimitiveList.h"
#include "scrivane/SoPainter.h"
#include <algorithm>
#include <climits>
#include <memory>
#include <vector>

namespace {
const int maxGrowth = 64;
const int growthMargin = 1024;
// How far a polygon found passing through another must reach beyond the other's plane on both
// sides to be cut: farther than the depth differences the overlap test takes for equal.
const double crossingTolerance = 2e-6;

class PainterPass {
public:
    PainterPass(PrimitiveList &primitives, bool useGrid)
        : list(primitives), grid(primitives, !useGrid),
          cutLimit(maxGrowth * primitives.getLength() + growthMargin) {
        entries.resize(static_cast<size_t>(list.getLength()));
        states.assign(entries.size(), WAITING);
        for (int i = 0; i < list.getLength(); i++) {
            setPrimitive(entries[static_cast<size_t>(i)], list.get(i));
            entries[static_cast<size_t>(i)].plane = i;
        }
    }

    void run() {
        for (size_t root = 0; root < entries.size(); root++) {
            if (states[root] != WAITING) continue;
            visit(static_cast<int>(root));
            // Entries that a cut sent back to waiting come round again.
            if (lowestReopened < static_cast<int>(root))
                root = static_cast<size_t>(lowestReopened) - 1;
            lowestReopened = INT_MAX;
        }
        list.deleteValues(0);
        for (int entry : placed)
            list.append(entries[static_cast<size_t>(entry)].primitive);
    }

private:
    enum State : unsigned char { WAITING, VISITING, PLACED, REPLACED };
    struct Entry {
        Primitive *primitive = nullptr;
        int depth = -1;            // its place on the stack while VISITING
        int back = -1, front = -1; // its parts once REPLACED
        // The entry whose plane it lies in; for a part, the polygon it was cut from, the plane
        // of the cut and its side of it.
        int plane = -1;
        int whole = -1;
        // Of a polygon not seen edge on.
        bool hasDepthPlane = false;
        scrivane_hlhsr::DepthPlane depthPlane;
        int cutPlane = -1;
        bool frontPart = false;
        // The entries to compare it with (asked for on its first visit), how far the comparing
        // got, and entries to compare before going on: parts of replaced entries, and an entry
        // whose visit a cut broke off. A visit that a cut breaks off goes on from where it was:
        // entries that appeared since are parts of entries on the list. The parts of a cut
        // polygon go on from where it was too, with the rest of its list that meets their boxes:
        // what lay in front of it, or off its outline, lies so for its parts (they lie in its
        // plane, within its outline).
        std::shared_ptr<const std::vector<int>> candidates;
        size_t cursor = 0;
        std::vector<int> pending;
    };
    using Position = SoPainter::Position;

    Entry &at(int entry) { return entries[static_cast<size_t>(entry)]; }
    // Kept apart from the entries: the candidate loops read the states of many entries.
    State &state(int entry) { return states[static_cast<size_t>(entry)]; }
    Primitive *primitive(int entry) { return at(entry).primitive; }

    void visit(int root) {
        push(root);
        while (!stack.empty()) {
            const int x = stack.back();
            const int y = nextCandidate(x);
            if (y < 0) {
                place(x);
                continue;
            }
            const Relation relation = relate(x, y);
            if (relation == UNRELATED) continue;
            if (relation == CROSSING) {
                if (cut(x, y, false)) unwindTo(static_cast<int>(stack.size()) - 1);
            } else if (state(y) == WAITING) {
                push(y); // y lies behind x: it is placed first
            } else {
                breakCycle(at(y).depth, y);
            }
        }
    }

    enum Relation { UNRELATED, Y_BEHIND, CROSSING };

    // What entry x must wait for of entry y, both still to be placed.
    Relation relate(int x, int y) {
        const scrivane_hlhsr::PageShape sx = grid.shape(x), sy = grid.shape(y);
        if (scrivane_hlhsr::cannotOverlap(sx, sy)) return UNRELATED;
        if (planeOf(x) && planeOf(y)) {
            using scrivane_hlhsr::OverlapDepth;
            switch (scrivane_hlhsr::overlapDepth(sy, planeOf(y), sx, planeOf(x), scratch)) {
            case OverlapDepth::APART:
            case OverlapDepth::LEVEL:
            case OverlapDepth::SECOND_BEHIND:
                return UNRELATED;
            case OverlapDepth::FIRST_BEHIND:
                return Y_BEHIND;
            case OverlapDepth::CROSSING:
                return crossingOrSide(x, y);
            case OverlapDepth::UNDECIDED:
                break;
            }
        }
        // Lines, marks, texts, and planes seen edge on: the plane tests.
        const Position position = SoPainter::comparePosition(primitive(y), primitive(x), 0);
        if (position == SoPainter::IN_FRONT || position == SoPainter::COPLANAR) return UNRELATED;
        if (position == SoPainter::INTERSECTING) return crossingOrSide(x, y);
        // Each in front of the other's plane: they touch along the crease at most.
        if (SoPainter::comparePosition(primitive(x), primitive(y), 0) == SoPainter::BEHIND)
            return UNRELATED;
        return Y_BEHIND;
    }

    // A part lies wholly on one side of the plane it was cut along, and so do its own parts.
    // Where x, or a polygon x was cut from, was cut along y's plane (or the other way round),
    // that side decides, whatever rounding makes of the depths near the cut.
    Relation crossingOrSide(int x, int y) {
        for (int e = x; at(e).whole >= 0; e = at(e).whole)
            if (at(e).cutPlane == at(y).plane) return at(e).frontPart ? Y_BEHIND : UNRELATED;
        for (int e = y; at(e).whole >= 0; e = at(e).whole)
            if (at(e).cutPlane == at(x).plane) return at(e).frontPart ? UNRELATED : Y_BEHIND;
        return CROSSING;
    }

    const scrivane_hlhsr::DepthPlane *planeOf(int entry) {
        const Entry &e = at(entry);
        return e.hasDepthPlane ? &e.depthPlane : nullptr;
    }

    void setPrimitive(Entry &e, Primitive *p) {
        e.primitive = p;
        if (p->getTypeId() == Primitive::POLYGON)
            e.hasDepthPlane =
                scrivane_hlhsr::depthPlaneOf(*static_cast<PolyGon *>(p), e.depthPlane);
    }

    void push(int entry) {
        Entry &e = at(entry);
        if (!e.candidates) {
            grid.overlapping(entry, found);
            e.candidates = std::make_shared<const std::vector<int>>(found);
        }
        state(entry) = VISITING;
        e.depth = static_cast<int>(stack.size());
        stack.push_back(entry);
    }

    void place(int entry) {
        Entry &e = at(entry);
        state(entry) = PLACED;
        e.candidates.reset();
        std::vector<int>().swap(e.pending);
        grid.retire(entry);
        placed.push_back(entry);
        stack.pop_back();
    }

    // The next entry still to be placed that entry x must be compared with, or -1.
    int nextCandidate(int x) {
        Entry &e = at(x);
        const SbBox2f &box = grid.box(x);
        for (;;) {
            int y;
            if (!e.pending.empty()) {
                y = e.pending.back();
                e.pending.pop_back();
            } else if (e.cursor < e.candidates->size()) {
                y = (*e.candidates)[e.cursor++];
            } else {
                return -1;
            }
            const State s = state(y);
            if (s == REPLACED) {
                // Once both parts are placed, the replaced entry counts as placed: the parts of
                // parts are not gone through again by every entry that meets it.
                const Entry &other = at(y);
                if (state(other.front) == PLACED && state(other.back) == PLACED) {
                    state(y) = PLACED;
                    continue;
                }
                // Parts lie within the box of what they were cut from: those off x's box, and
                // their own parts, cannot overlap it.
                if (box.intersect(grid.box(other.front))) e.pending.push_back(other.front);
                if (box.intersect(grid.box(other.back))) e.pending.push_back(other.back);
            } else if (s != PLACED) {
                return y;
            }
        }
    }

    bool atCutLimit() const { return cuts + list.getLength() >= cutLimit; }

    // Replaces polygon `entry` by its parts cut along the plane of polygon `cutter`, when it
    // reaches beyond the plane on both sides: for polygons found passing through one another,
    // beyond crossingTolerance; to break a cycle, beyond the comparisons' plane tolerance, since
    // a cut that leaves a sliver would not change the relations that closed the cycle.
    bool cut(int entry, int cutter, bool breakingCycle = true) {
        if (atCutLimit()) return false;
        Primitive *p = primitive(entry), *c = primitive(cutter);
        if (p->getTypeId() != Primitive::POLYGON || c->getTypeId() != Primitive::POLYGON)
            return false;
        const PolyGon *polygon = static_cast<const PolyGon *>(p),
                      *plane = static_cast<const PolyGon *>(c);
        PolyGon *front = nullptr, *back = nullptr;
        if (!SoPainter::straddlesPlane(
                polygon, plane, breakingCycle ? SoPainter::planeTolerance : crossingTolerance))
            return false;
        if (!polygon->cutByPlane(plane, front, back)) return false;
        replace(entry, front, back, cutter);
        return true;
    }

    // Breaks the cycle through polygon x, which waits for `behind` and is waited for by
    // `inFront`, all three polygons: x is cut along a line on the page between the area it
    // shares with the one and the area it shares with the other. Neither part overlaps both, so
    // this cycle cannot close through them. The three cannot all overlap at one point (depths at
    // a point are ordered), so the two areas are apart unless they only touch.
    bool cutBetween(int x, int behind, int inFront) {
        if (behind == inFront || atCutLimit()) return false;
        if (!planeOf(x) || !planeOf(behind) || !planeOf(inFront)) return false;
        const scrivane_hlhsr::PageShape sx = grid.shape(x);
        if (!scrivane_hlhsr::commonArea(sx, grid.shape(behind), scratch)) return false;
        regionX.swap(scratch.x);
        regionY.swap(scratch.y);
        if (!scrivane_hlhsr::commonArea(sx, grid.shape(inFront), scratch)) return false;
        double a, b, c;
        if (!scrivane_hlhsr::separatingLine(regionX, regionY, scratch.x, scratch.y, a, b, c))
            return false;
        PolyGon *front = nullptr, *back = nullptr;
        const SbVec3f normal(static_cast<float>(a), static_cast<float>(b), 0.0f);
        if (!static_cast<const PolyGon *>(primitive(x))->cutByPlane(normal, c, front, back))
            return false;
        replace(x, front, back, -1);
        return true;
    }

    // Puts the parts of polygon `entry` in its place; `cutter` is the polygon whose plane it was
    // cut along (-1 for a cut across the page), which the parts compare again.
    void replace(int entry, PolyGon *front, PolyGon *back, int cutter) {
        cuts++;
        grid.retire(entry);
        delete primitive(entry);
        const int backEntry = addPart(back, entry, cutter, false),
                  frontEntry = addPart(front, entry, cutter, true);
        Entry &e = at(entry);
        e.primitive = nullptr;
        state(entry) = REPLACED;
        e.back = backEntry;
        e.front = frontEntry;
        e.candidates.reset();
        std::vector<int>().swap(e.pending);
    }

    // A part of a cut polygon (`whole`), which compares the cutter again.
    int addPart(PolyGon *polygon, int whole, int cutter, bool front) {
        const int entry = grid.add(polygon);
        entries.emplace_back();
        states.push_back(WAITING);
        Entry &part = entries.back();
        const Entry &w = at(whole);
        // The part lies in the plane of the whole, which its own points (a thin part's above
        // all) would give less exactly.
        part.primitive = polygon;
        part.hasDepthPlane = w.hasDepthPlane;
        part.depthPlane = w.depthPlane;
        part.plane = w.plane;
        part.whole = whole;
        part.cutPlane = cutter >= 0 ? at(cutter).plane : -1;
        part.frontPart = front;
        const SbBox2f &box = grid.box(entry);
        auto kept = std::make_shared<std::vector<int>>();
        for (size_t k = w.cursor; k < w.candidates->size(); k++) {
            const int candidate = (*w.candidates)[k];
            if (state(candidate) != PLACED && box.intersect(grid.box(candidate)))
                kept->push_back(candidate);
        }
        part.candidates = std::move(kept);
        part.pending = w.pending;
        if (cutter >= 0) part.pending.push_back(cutter);
        return entry;
    }

    // The entry at stack depth `index` was replaced: it and the entries visited from it leave
    // the stack (those wait again, each to compare the one it was visiting once more), and the
    // entry below compares the parts instead.
    void unwindTo(int index) {
        const int top = static_cast<int>(stack.size()) - 1;
        for (int k = top; k > index; k--) {
            const int entry = stack[static_cast<size_t>(k)];
            state(entry) = WAITING;
            if (k < top) at(entry).pending.push_back(stack[static_cast<size_t>(k) + 1]);
            lowestReopened = std::min(lowestReopened, entry);
        }
        const int replaced = stack[static_cast<size_t>(index)];
        if (index < top) {
            const int visited = stack[static_cast<size_t>(index) + 1];
            at(at(replaced).front).pending.push_back(visited);
            at(at(replaced).back).pending.push_back(visited);
        }
        stack.resize(static_cast<size_t>(index));
        if (index == 0) return;
        Entry &below = at(stack.back());
        below.pending.push_back(at(replaced).front);
        below.pending.push_back(at(replaced).back);
    }

    // The entry at stack depth `from` lies behind the entry on top of the stack, and each entry
    // above `from` lies behind the one below it: a cycle. An entry is cut along the plane of a
    // neighbour in the cycle, or else across the page between its neighbours; the entries
    // nearest the top are tried first, so that as few visits as possible are broken off.
    // `closing` is the entry at `from`, which the entry on top was comparing: whatever the cut,
    // the top entry (or its parts) compares it again.
    void breakCycle(int from, int closing) {
        const int top = static_cast<int>(stack.size()) - 1;
        const int topEntry = stack.back();
        auto entryAt = [&](int k) { return stack[static_cast<size_t>(k)]; };
        auto above = [&](int k) { return entryAt(k == top ? from : k + 1); };
        auto below = [&](int k) { return entryAt(k == from ? top : k - 1); };
        for (int pass = 0; pass < 2; pass++) {
            for (int k = top; k >= from; k--) {
                const int entry = entryAt(k);
                const bool done = pass == 1 ? cutBetween(entry, above(k), below(k))
                                            : cut(entry, above(k)) || cut(entry, below(k));
                if (done) {
                    unwindTo(k);
                    compareAgain(topEntry, closing);
                    return;
                }
            }
        }
    }

    void compareAgain(int entry, int other) {
        Entry &e = at(entry);
        if (state(entry) != REPLACED) {
            e.pending.push_back(other);
            return;
        }
        const int front = e.front, back = e.back;
        compareAgain(front, other);
        compareAgain(back, other);
    }

    PrimitiveList &list;
    scrivane_hlhsr::PageGrid grid;
    const int cutLimit;
    int cuts = 0;
    std::vector<Entry> entries; // indexed like the grid's slots
    std::vector<State> states;
    std::vector<int> stack; // the entries being visited, each lying behind the one below
    int lowestReopened = INT_MAX;
    std::vector<int> placed;
    std::vector<int> found;
    scrivane_hlhsr::OverlapScratch scratch;
    std::vector<float> regionX, regionY;
};
} // namespace

void SoPainter::order() {
    // The visibility filter reorders the list; the deepest entries first make short visits.
    primitiveList->sortZmax(0);
    PainterPass(*primitiveList, useSpatialIndex).run();
}
