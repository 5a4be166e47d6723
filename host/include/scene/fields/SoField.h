#ifndef SCENE_SOFIELD_H
#define SCENE_SOFIELD_H
#include "scene/SceneExport.h"
#include "scene/misc/SoType.h"

class SoFieldContainer;

// Base of all fields: a value (or list of values) held by a node. A field knows its container,
// whether it still holds its default, and the ignore flag of the file format ("~").
class SCENE_API SoField {
public:
    virtual ~SoField() = default;
    static void initClass();
    static SoType getClassTypeId() { return classTypeId; }
    virtual SoType getTypeId() const = 0;
    bool isOfType(SoType type) const { return getTypeId().isDerivedFrom(type); }

    void setContainer(SoFieldContainer *c) { container = c; }
    SoFieldContainer *getContainer() const { return container; }
    bool isDefault() const { return defaultFlag; }
    void setDefault(bool flag) { defaultFlag = flag; }
    bool isIgnored() const { return ignoredFlag; }
    void setIgnored(bool flag) { ignoredFlag = flag; }
    virtual bool isMultiple() const { return false; }
    // Marks the field as changed (no longer its default).
    void touch() { defaultFlag = false; }

protected:
    SoField() = default;

private:
    SoField(const SoField &) = delete;
    SoField &operator=(const SoField &) = delete;
    static SoType classTypeId;
    SoFieldContainer *container = nullptr;
    bool defaultFlag = true;
    bool ignoredFlag = false;
};

#endif
