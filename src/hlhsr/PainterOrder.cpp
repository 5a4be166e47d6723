// The painter's ordering pass. For each entry i in turn, every later entry j that may overlap it
// on the page is compared with it: an entry that lies behind entry i is swapped into place i and
// the scan starts again; interpenetrating polygons are cut along one another's plane.
//
// Ending for every input. A swap marks the entry it displaces as moved. When an entry that was
// moved in this pass must move in front of entry i again, the entries displaced from place i
// since then form a cycle (each lies behind the next). The cycle is broken as Newell's method
// does: a polygon of the cycle that straddles the plane of its neighbour in the cycle is cut
// along that plane, the parts replace it, and the scan of place i starts again. Where no polygon
// of the cycle can be cut, the entry keeps its place: an entry moves into a place at most once
// in a pass (faces that share a vertex, such as a fan around a pole seen edge on, otherwise send
// each other back and forth). Cuts stop once the list has grown to maxGrowth times its first
// length (plus a margin), so that degenerate input cannot cut for ever.
#include <algorithm>
#include <memory>
#include <unordered_map>
#include <vector>
#include "PageGrid.h"
#include "scrivane/PolyGon.h"
#include "scrivane/PrimitiveList.h"
#include "scrivane/SoPainter.h"

namespace {
const int maxMoves = 1;
const int maxGrowth = 16;
const int growthMargin = 1024;

class PainterPass {
public:
    PainterPass(PrimitiveList &primitives, bool useGrid)
        : list(primitives), cutLimit(maxGrowth * primitives.getLength() + growthMargin) {
        if (useGrid) grid = std::make_unique<scrivane_hlhsr::PageGrid>(list);
    }

    void run() {
        for (int i = 0; i < list.getLength(); i++)
            orderPlace(i);
    }

private:
    using Position = SoPainter::Position;

    void orderPlace(int i) {
        clearMarks(i);
        displaced.clear();
        moves.clear();
        startScan(i);
        for (int j; (j = nextCandidate()) >= 0;) {
            Primitive *a = list.get(i), *b = list.get(j);
            if (grid ? grid->cannotOverlap(i, j) : SoPainter::isEqual(a, b)) continue;
            const Position position = SoPainter::comparePosition(b, a, 0);
            if (position == SoPainter::IN_FRONT || position == SoPainter::COPLANAR) continue;
            if (position == SoPainter::INTERSECTING) {
                cutPlace(i, j, b);
                continue;
            }
            // b lies behind a and must be printed first.
            if (b->mark == 0) {
                if (moveForward(i, j)) startScan(i);
                continue;
            }
            const Position strict = SoPainter::comparePosition(a, b, 1);
            if (strict == SoPainter::COPLANAR || strict == SoPainter::INTERSECTING) {
                b->mark = 0;
            } else if (strict == SoPainter::BEHIND) {
                cutPlace(i, j, b); // the two tests contradict each other
            } else if (breakCycle(i, b) || moveForward(i, j)) {
                startScan(i);
            }
        }
    }

    // Marks live for one pass over place i. Before the first place every mark is cleared (the
    // visibility filter leaves its own); afterwards only those this pass set.
    void clearMarks(int i) {
        if (i == 0)
            for (int k = 0; k < list.getLength(); k++)
                list.get(k)->mark = 0;
        for (Primitive *p : marked)
            p->mark = 0;
        marked.clear();
    }

    void startScan(int i) { continueScan(i, i); }

    // Scans on from the entry after position `after` for the primitive now at place i.
    void continueScan(int i, int after) {
        next = after + 1;
        if (!grid) return;
        candidates = grid->later(after, i);
        cursor = 0;
    }

    int nextCandidate() {
        if (!grid) return next < list.getLength() ? next++ : -1;
        return cursor < candidates.size() ? candidates[cursor++] : -1;
    }

    // Swaps entry j into place i; false (and nothing moves) once it has moved there maxMoves times.
    bool moveForward(int i, int j) {
        Primitive *a = list.get(i), *b = list.get(j);
        int &count = moves[b];
        if (count >= maxMoves) return false;
        count++;
        a->mark = 1;
        marked.push_back(a);
        displaced.push_back(a);
        list.swap(i, j);
        if (grid) grid->swapped(i, j);
        return true;
    }

    // Cuts entry i along the plane of b (at j): the back part takes place i, the front part goes
    // to the end of the list, and the scan goes on after j with the back part.
    void cutPlace(int i, int j, Primitive *b) {
        Primitive *a = list.get(i);
        if (a->getTypeId() != Primitive::POLYGON || b->getTypeId() != Primitive::POLYGON) return;
        if (!cutAt(i, static_cast<PolyGon *>(b))) return;
        b->mark = 0;
        continueScan(i, j);
    }

    // Replaces the polygon at position by its parts cut along cutter's plane.
    bool cutAt(int position, const PolyGon *cutter) {
        if (position < 0 || list.getLength() >= cutLimit) return false;
        const PolyGon *polygon = static_cast<const PolyGon *>(list.get(position));
        PolyGon *front = nullptr, *back = nullptr;
        if (!polygon->cutByPlane(cutter, front, back)) return false;
        forget(list.get(position));
        delete polygon;
        list.set(position, back);
        list.append(front);
        if (grid) {
            grid->replaced(position, back);
            grid->appended(list.getLength() - 1, front);
        }
        return true;
    }

    // b was displaced from place i earlier in this pass and must come in front of entry i again:
    // b, the entries displaced after it and entry i form a cycle. Tries to cut one polygon of a
    // neighbouring pair along the other's plane; on success the marks of the pass are cleared.
    bool breakCycle(int i, Primitive *b) {
        const auto from = std::find(displaced.begin(), displaced.end(), b);
        if (from == displaced.end()) return false;
        std::vector<Primitive *> cycle(from, displaced.end());
        cycle.push_back(list.get(i));
        for (size_t k = 0; k < cycle.size(); k++) {
            Primitive *u = cycle[k], *v = cycle[(k + 1) % cycle.size()];
            if (u->getTypeId() != Primitive::POLYGON || v->getTypeId() != Primitive::POLYGON) continue;
            if (cutAt(positionOf(u, i), static_cast<PolyGon *>(v)) ||
                cutAt(positionOf(v, i), static_cast<PolyGon *>(u))) {
                for (Primitive *p : marked)
                    p->mark = 0;
                marked.clear();
                displaced.clear();
                return true;
            }
        }
        return false;
    }

    int positionOf(const Primitive *p, int from) const {
        for (int k = from; k < list.getLength(); k++)
            if (list.get(k) == p) return k;
        return -1;
    }

    // A primitive about to be deleted leaves the pass's bookkeeping.
    void forget(Primitive *p) {
        marked.erase(std::remove(marked.begin(), marked.end(), p), marked.end());
        displaced.erase(std::remove(displaced.begin(), displaced.end(), p), displaced.end());
        moves.erase(p);
    }

    PrimitiveList &list;
    const int cutLimit;
    std::unique_ptr<scrivane_hlhsr::PageGrid> grid;
    std::vector<int> candidates;
    size_t cursor = 0;
    int next = 0;
    std::vector<Primitive *> marked;
    std::vector<Primitive *> displaced;
    std::unordered_map<const Primitive *, int> moves;
};
} // namespace

void SoPainter::order() { PainterPass(*primitiveList, useSpatialIndex).run(); }
