#include "scene/base/SbPList.h"
#include <algorithm>

int SbPList::find(const void *ptr) const {
    auto it = std::find(items.begin(), items.end(), ptr);
    return it == items.end() ? -1 : static_cast<int>(it - items.begin());
}

void SbPList::insert(void *ptr, int addBefore) {
    if (addBefore < 0) addBefore = 0;
    if (addBefore > getLength()) addBefore = getLength();
    items.insert(items.begin() + addBefore, ptr);
}

void SbPList::removeItem(void *ptr) {
    int i = find(ptr);
    if (i >= 0) remove(i);
}
