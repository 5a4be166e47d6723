#ifndef SCENE_SOBASELIST_H
#define SCENE_SOBASELIST_H
#include "scene/SceneExport.h"
#include "scene/misc/SoBase.h"
#include <vector>

// A list of objects that holds a reference on each (unless built with referencing off).
// Two lists are equal when they hold the same objects in the same order.
class SCENE_API SoBaseList {
public:
    SoBaseList() = default;
    SoBaseList(const SoBaseList &l);
    SoBaseList &operator=(const SoBaseList &l);
    virtual ~SoBaseList() { truncate(0); }
    void append(SoBase *ptr);
    void insert(SoBase *ptr, int addBefore);
    void remove(int which);
    void removeItem(SoBase *ptr);
    int find(const SoBase *ptr) const;
    void truncate(int start);
    void set(int i, SoBase *ptr);
    SoBase *get(int i) const { return items[i]; }
    SoBase *operator[](int i) const { return items[i]; }
    int getLength() const { return static_cast<int>(items.size()); }
    void addReferences(bool flag) { refs = flag; }
    friend bool operator==(const SoBaseList &a, const SoBaseList &b) { return a.items == b.items; }
    friend bool operator!=(const SoBaseList &a, const SoBaseList &b) { return !(a == b); }

private:
    std::vector<SoBase *> items;
    bool refs = true;
};

#endif
