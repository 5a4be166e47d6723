#ifndef SCRIVANE_PIPLIST_H
#define SCRIVANE_PIPLIST_H
#include "scrivane/ScrivaneExport.h"

// A growable array of untyped pointers. It never owns what its entries point to. The storage
// is malloc'ed and grows to twice the size asked for, so appends cost amortised constant time.
class SCRIVANE_API PiPList {
public:
    PiPList();
    ~PiPList();
    PiPList(const PiPList &) = delete;
    PiPList &operator=(const PiPList &) = delete;

    void append(void *p);
    // Stores p at i, growing the list to i + 1 entries when it is shorter.
    void set(int i, void *p);
    // Entry i; reading past the end first raises the count to i + 1 (the new entries in between
    // are not cleared).
    void *&operator[](int i);
    void *operator[](int i) const { return array[i]; }
    // With num < 0: truncates to start entries. With num >= 0: removes the num entries beginning
    // at start and moves the later ones down. Nothing is freed.
    void deleteValues(int start, int num = -1);
    int getLength() const { return count; }
    int getCapacity() const { return capacity; }

protected:
    void **array;
    int count;
    int capacity;

private:
    void grow(int n);
};

#endif
