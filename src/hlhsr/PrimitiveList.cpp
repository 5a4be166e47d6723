// The sorts of a removal run's list: in-place heap sorts on the pointer array, with sift-down
// functions on 1-based heap positions (position k is a[k - 1], its children 2k and 2k + 1).
#include "scrivane/PrimitiveList.h"
#include <cstring>

void PrimitiveList::swap(int i, int j) {
    void *t = array[i];
    array[i] = array[j];
    array[j] = t;
}

void PrimitiveList::remove(int i) {
    if (i < 0) return;
    if (i < count - 1)
        std::memmove(array + i, array + i + 1, static_cast<size_t>(count - 1 - i) * sizeof(void *));
    count--;
}

void PrimitiveList::heapSort(Primitive **a, int n, SiftDown sift, const PrimitiveList *list) {
    for (int k = n / 2; k >= 1; k--)
        sift(a, n, k, list);
    while (n > 1) {
        Primitive *t = a[0];
        a[0] = a[n - 1];
        a[n - 1] = t;
        n--;
        sift(a, n, 1, list);
    }
}

// A min-heap on zmax, so that the sorted array runs from the largest zmax (deepest) down.
void PrimitiveList::verifyHeapZmax(Primitive **a, int n, int k, const PrimitiveList *) {
    Primitive *element = a[k - 1];
    const float z = element->getZmax();
    while (k <= n / 2) {
        int child = 2 * k;
        if (child < n && a[child]->getZmax() < a[child - 1]->getZmax()) child++;
        if (a[child - 1]->getZmax() >= z) break;
        a[k - 1] = a[child - 1];
        k = child;
    }
    a[k - 1] = element;
}

void PrimitiveList::verifyHeapXY(Primitive **a, int n, int k, const PrimitiveList *list) {
    const float cw = list->cellWidth, ch = list->cellHeight;
    Primitive *element = a[k - 1];
    while (k <= n / 2) {
        int child = 2 * k;
        if (child < n && a[child - 1]->inferiorEqualXY(a[child], cw, ch)) child++;
        if (element->superiorXY(a[child - 1], cw, ch)) break;
        a[k - 1] = a[child - 1];
        k = child;
    }
    a[k - 1] = element;
}

void PrimitiveList::verifyHeapPriority(Primitive **a, int n, int k, const PrimitiveList *) {
    Primitive *element = a[k - 1];
    while (k <= n / 2) {
        int child = 2 * k;
        if (child < n && a[child - 1]->priority < a[child]->priority) child++;
        if (element->priority >= a[child - 1]->priority) break;
        a[k - 1] = a[child - 1];
        k = child;
    }
    a[k - 1] = element;
}

void PrimitiveList::sortZmax(int start) {
    if (start >= count) return;
    Primitive **a = entries() + start;
    heapSort(a, count - start, verifyHeapZmax, this);
    // The heap sort is not stable: runs of equal zmax are put back in arrival order.
    int runStart = -1;
    for (int i = start; i < count - 1; i++) {
        const bool equal = get(i)->getZmax() == get(i + 1)->getZmax();
        if (equal && runStart < 0) runStart = i;
        if (!equal && runStart >= 0) {
            heapSort(entries() + runStart, i - runStart + 1, verifyHeapPriority, this);
            runStart = -1;
        }
    }
    if (runStart >= 0) heapSort(entries() + runStart, count - runStart, verifyHeapPriority, this);
}

void PrimitiveList::sortXY(int start) {
    const SbVec3f &lo = sceneBox.getMin(), &hi = sceneBox.getMax();
    cellWidth = (hi[0] - lo[0]) * 0.1f;
    cellHeight = (hi[1] - lo[1]) * 0.1f;
    if (start >= count) return;
    heapSort(entries() + start, count - start, verifyHeapXY, this);
}
