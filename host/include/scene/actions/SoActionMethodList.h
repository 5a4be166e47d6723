#ifndef SCENE_SOACTIONMETHODLIST_H
#define SCENE_SOACTIONMETHODLIST_H
#include "scene/SceneExport.h"
#include "scene/misc/SoType.h"
#include <map>
#include <vector>

class SoAction;
class SoNode;
typedef void (*SoActionMethod)(SoAction *, SoNode *);

// The traversal methods of an action class, by node type. A lookup finds the method of the
// nearest registered ancestor type, in this list or, failing that, in the parent class's list.
class SCENE_API SoActionMethodList {
public:
    explicit SoActionMethodList(SoActionMethodList *parentList) : parent(parentList) {}
    void addMethod(SoType nodeType, SoActionMethod method);
    SoActionMethod lookup(SoType nodeType);
    SoActionMethodList *getParent() const { return parent; }

private:
    SoActionMethod findOwn(SoType nodeType) const;
    SoActionMethodList *parent;
    std::map<int, SoActionMethod> methods;
    std::vector<SoActionMethod> cache;
    int cachedTypes = -1;
    int revision = 0, cachedRevision = -1;
    int parentRevisionSum() const;
};

#endif
