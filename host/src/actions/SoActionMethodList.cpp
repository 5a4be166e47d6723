#include "scene/actions/SoActionMethodList.h"

void SoActionMethodList::addMethod(SoType nodeType, SoActionMethod method) {
    methods[nodeType.getKey()] = method;
    revision++;
}

SoActionMethod SoActionMethodList::findOwn(SoType nodeType) const {
    for (SoType t = nodeType; !t.isBad(); t = t.getParent()) {
        auto it = methods.find(t.getKey());
        if (it != methods.end()) return it->second;
    }
    return nullptr;
}

int SoActionMethodList::parentRevisionSum() const {
    int sum = revision;
    for (const SoActionMethodList *p = parent; p; p = p->parent) sum += p->revision;
    return sum;
}

SoActionMethod SoActionMethodList::lookup(SoType nodeType) {
    int types = SoType::getNumTypes();
    int rev = parentRevisionSum();
    if (types != cachedTypes || rev != cachedRevision) {
        cache.assign(static_cast<size_t>(types), nullptr);
        cachedTypes = types;
        cachedRevision = rev;
    }
    SoActionMethod &slot = cache[static_cast<size_t>(nodeType.getKey())];
    if (!slot) {
        // The nearest registered ancestor wins, whichever list (own or inherited) holds it.
        for (SoType t = nodeType; !t.isBad() && !slot; t = t.getParent())
            for (const SoActionMethodList *list = this; list && !slot; list = list->parent) {
                auto it = list->methods.find(t.getKey());
                if (it != list->methods.end()) slot = it->second;
            }
    }
    return slot;
}
