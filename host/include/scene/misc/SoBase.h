#ifndef SCENE_SOBASE_H
#define SCENE_SOBASE_H
#include "scene/SceneExport.h"
#include "scene/base/SbName.h"
#include "scene/misc/SoType.h"

// Reference-counted base of nodes and paths. A new object has a count of 0; ref() and unref()
// raise and lower it, and an object is deleted when unref() brings it to 0.
// unrefNoDelete() lowers the count without deleting. Objects may carry a name (DEF name).
class SCENE_API SoBase {
public:
    static void initClass();
    static SoType getClassTypeId() { return classTypeId; }
    virtual SoType getTypeId() const = 0;
    bool isOfType(SoType type) const { return getTypeId().isDerivedFrom(type); }

    void ref() const;
    void unref() const;
    void unrefNoDelete() const;
    int getRefCount() const { return refCount; }

    SbName getName() const { return name; }
    void setName(const SbName &newName) { name = newName; }

protected:
    SoBase();
    virtual ~SoBase();

private:
    SoBase(const SoBase &) = delete;
    SoBase &operator=(const SoBase &) = delete;
    static SoType classTypeId;
    mutable int refCount;
    SbName name;
};

#endif
