#include "scene/actions/SoEnabledElementsList.h"

void SoEnabledElementsList::enable(SoType elementType, int stackIndex) {
    for (const auto &e : enabled)
        if (e.second == stackIndex) return;
    enabled.emplace_back(elementType, stackIndex);
}

std::vector<SoType> SoEnabledElementsList::getElements() const {
    std::vector<SoType> all = parent ? parent->getElements() : std::vector<SoType>();
    for (const auto &e : enabled) all.push_back(e.first);
    return all;
}

bool SoEnabledElementsList::isEnabled(int stackIndex) const {
    for (const auto &e : enabled)
        if (e.second == stackIndex) return true;
    return parent && parent->isEnabled(stackIndex);
}

void SoEnabledElementsList::merge(const SoEnabledElementsList &other) {
    for (const auto &e : other.enabled) enable(e.first, e.second);
}
