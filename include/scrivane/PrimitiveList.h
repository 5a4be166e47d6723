#ifndef SCRIVANE_PRIMITIVELIST_H
#define SCRIVANE_PRIMITIVELIST_H
#include "scene/base/SbBox3f.h"
#include "scrivane/PiPList.h"
#include "scrivane/Primitive.h"
#include "scrivane/ScrivaneExport.h"

// The primitives of one removal run. The list does not own them: whoever empties it deletes
// them (the painter after printing, the visibility filter when it drops one). The scene box and
// the grid cell sizes belong to the run, so that two runs on two threads never share them.
class SCRIVANE_API PrimitiveList : public PiPList {
public:
    // A sift-down step of the heap sort: a is the array, n its length, k a 1-based heap position.
    using SiftDown = void (*)(Primitive **a, int n, int k, const PrimitiveList *list);

    Primitive *get(int i) const { return static_cast<Primitive *>(array[i]); }
    void swap(int i, int j);
    // Removes entry i, moving the later ones down; the primitive is not deleted.
    void remove(int i);
    // Entries start ... end in decreasing zmax (the deepest first); equal zmax in arrival order.
    void sortZmax(int start);
    // Entries start ... end by the cell of a 10 x 10 grid over the scene box, row by row.
    void sortXY(int start);

    static void heapSort(Primitive **a, int n, SiftDown sift, const PrimitiveList *list);
    static void verifyHeapZmax(Primitive **a, int n, int k, const PrimitiveList *list);
    static void verifyHeapXY(Primitive **a, int n, int k, const PrimitiveList *list);
    static void verifyHeapPriority(Primitive **a, int n, int k, const PrimitiveList *list);

    // The box of every stored primitive (x, y from the page boxes, z from the depth ranges), set
    // by the visibility filter before it renders; sortXY grids it.
    SbBox3f sceneBox;
    float cellWidth = 0.0f;
    float cellHeight = 0.0f;

private:
    Primitive **entries() { return reinterpret_cast<Primitive **>(array); }
};

#endif
