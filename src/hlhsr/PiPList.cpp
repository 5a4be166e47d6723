#include "scrivane/PiPList.h"
#include <cstdlib>
#include <cstring>

PiPList::PiPList() : array(static_cast<void **>(std::malloc(100 * sizeof(void *)))), count(0), capacity(100) {}

PiPList::~PiPList() { std::free(array); }

void PiPList::grow(int n) {
    if (n <= capacity) return;
    capacity = 2 * n;
    array = static_cast<void **>(std::realloc(array, static_cast<size_t>(capacity) * sizeof(void *)));
}

void PiPList::append(void *p) {
    grow(count + 1);
    array[count++] = p;
}

void PiPList::set(int i, void *p) {
    grow(i + 1);
    array[i] = p;
    if (i + 1 > count) count = i + 1;
}

void *&PiPList::operator[](int i) {
    if (i >= count) {
        grow(i + 1);
        count = i + 1;
    }
    return array[i];
}

void PiPList::deleteValues(int start, int num) {
    if (start < 0) start = 0;
    if (start >= count) return;
    // Removing up to or past the end is a truncation.
    if (num < 0 || start + num >= count) {
        count = start;
        return;
    }
    std::memmove(array + start, array + start + num, static_cast<size_t>(count - start - num) * sizeof(void *));
    count -= num;
}
