#ifndef SCENE_SBPLIST_H
#define SCENE_SBPLIST_H
#include "scene/SceneExport.h"
#include <vector>

// A list of untyped pointers. It owns nothing it holds.
class SCENE_API SbPList {
public:
    SbPList() = default;
    explicit SbPList(int initSize) { items.reserve(initSize > 0 ? initSize : 0); }
    void append(void *ptr) { items.push_back(ptr); }
    int find(const void *ptr) const;
    void insert(void *ptr, int addBefore);
    void remove(int which) { items.erase(items.begin() + which); }
    void removeItem(void *ptr);
    int getLength() const { return static_cast<int>(items.size()); }
    void truncate(int start) { if (start < getLength()) items.resize(start); }
    void truncate(int start, int) { truncate(start); }
    void copy(const SbPList &l) { items = l.items; }
    void *get(int i) const { return items[i]; }
    void set(int i, void *p) { items[i] = p; }
    void *&operator[](int i) { return items[i]; }
    void *operator[](int i) const { return items[i]; }
    friend bool operator==(const SbPList &a, const SbPList &b) { return a.items == b.items; }
    friend bool operator!=(const SbPList &a, const SbPList &b) { return !(a == b); }

private:
    std::vector<void *> items;
};

#endif
