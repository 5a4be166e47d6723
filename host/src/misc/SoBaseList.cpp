#include "scene/misc/SoBaseList.h"
#include <algorithm>
#include "scene/misc/SoChildList.h"
#include "scene/misc/SoNodeList.h"
#include "scene/misc/SoPath.h"
#include "scene/misc/SoPathList.h"
#include "scene/actions/SoAction.h"
#include "scene/nodes/SoNode.h"

SoBaseList::SoBaseList(const SoBaseList &l) : refs(l.refs) {
    for (SoBase *b : l.items) append(b);
}

SoBaseList &SoBaseList::operator=(const SoBaseList &l) {
    if (this == &l) return *this;
    truncate(0);
    refs = l.refs;
    for (SoBase *b : l.items) append(b);
    return *this;
}

void SoBaseList::append(SoBase *ptr) {
    if (refs && ptr) ptr->ref();
    items.push_back(ptr);
}

void SoBaseList::insert(SoBase *ptr, int addBefore) {
    if (addBefore < 0) addBefore = 0;
    if (addBefore > getLength()) addBefore = getLength();
    if (refs && ptr) ptr->ref();
    items.insert(items.begin() + addBefore, ptr);
}

void SoBaseList::remove(int which) {
    if (which < 0 || which >= getLength()) return;
    SoBase *b = items[static_cast<size_t>(which)];
    items.erase(items.begin() + which);
    if (refs && b) b->unref();
}

void SoBaseList::removeItem(SoBase *ptr) { remove(find(ptr)); }

int SoBaseList::find(const SoBase *ptr) const {
    auto it = std::find(items.begin(), items.end(), ptr);
    return it == items.end() ? -1 : static_cast<int>(it - items.begin());
}

void SoBaseList::truncate(int start) {
    while (getLength() > start && getLength() > 0) {
        SoBase *b = items.back();
        items.pop_back();
        if (refs && b) b->unref();
    }
}

void SoBaseList::set(int i, SoBase *ptr) {
    if (refs && ptr) ptr->ref();
    SoBase *old = items[static_cast<size_t>(i)];
    items[static_cast<size_t>(i)] = ptr;
    if (refs && old) old->unref();
}

void SoNodeList::append(SoNode *node) { SoBaseList::append(node); }
SoNode *SoNodeList::operator[](int i) const { return static_cast<SoNode *>(SoBaseList::get(i)); }

void SoPathList::append(SoPath *path) { SoBaseList::append(path); }
SoPath *SoPathList::operator[](int i) const { return static_cast<SoPath *>(SoBaseList::get(i)); }

void SoChildList::traverse(SoAction *action, int first, int last) {
    for (int i = first; i <= last && i < getLength(); i++) {
        if (action->hasTerminated()) return;
        SoNode *child = (*this)[i];
        action->pushCurPath(i, child);
        action->traverse(child);
        action->popCurPath();
    }
}
