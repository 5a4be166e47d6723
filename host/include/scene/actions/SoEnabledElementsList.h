#ifndef SCENE_SOENABLEDELEMENTSLIST_H
#define SCENE_SOENABLEDELEMENTSLIST_H
#include "scene/SceneExport.h"
#include "scene/misc/SoType.h"
#include <vector>

// The elements an action class uses, built on its parent class's list. The state creates
// elements on demand, so the list documents what an action reads rather than limiting it.
class SCENE_API SoEnabledElementsList {
public:
    explicit SoEnabledElementsList(SoEnabledElementsList *parentList) : parent(parentList) {}
    void enable(SoType elementType, int stackIndex);
    // Every enabled element type, the parent's first.
    std::vector<SoType> getElements() const;
    bool isEnabled(int stackIndex) const;
    void merge(const SoEnabledElementsList &other);

private:
    SoEnabledElementsList *parent;
    std::vector<std::pair<SoType, int>> enabled;
};

#endif
