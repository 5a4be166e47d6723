#ifndef SCENE_SOTYPE_H
#define SCENE_SOTYPE_H
#include "scene/SceneExport.h"
#include "scene/base/SbName.h"
#include <cstdint>

// Run-time type of a class: its name, its parent type and, for classes that can be created by
// name (nodes read from files), a creation function. Types are small handles into one
// process-wide table; the bad type has index 0.
class SCENE_API SoType {
public:
    typedef void *(*InstantiationMethod)();

    SoType() : index(0) {}
    static SoType createType(SoType parent, SbName name, InstantiationMethod method = nullptr,
                             uint16_t data = 0);
    // Looks a name up; a name without the "So" prefix also finds the prefixed class.
    static SoType fromName(SbName name);
    static SoType badType() { return SoType(); }
    SbName getName() const;
    SoType getParent() const;
    bool isBad() const { return index == 0; }
    bool isDerivedFrom(SoType parent) const;
    bool canCreateInstance() const;
    void *createInstance() const;
    uint16_t getData() const;
    int getKey() const { return index; }
    static int getNumTypes();
    friend bool operator==(SoType a, SoType b) { return a.index == b.index; }
    friend bool operator!=(SoType a, SoType b) { return a.index != b.index; }
    friend bool operator<(SoType a, SoType b) { return a.index < b.index; }

private:
    explicit SoType(int i) : index(i) {}
    int index;
};

#endif
