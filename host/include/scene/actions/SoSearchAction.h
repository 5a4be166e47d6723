#ifndef SCENE_SOSEARCHACTION_H
#define SCENE_SOSEARCHACTION_H
#include "scene/SceneExport.h"
#include "scene/actions/SoAction.h"
#include "scene/base/SbName.h"
#include "scene/misc/SoPath.h"
#include "scene/misc/SoPathList.h"

// Finds nodes by pointer, type or name and returns paths to them.
class SCENE_API SoSearchAction : public SoAction {
public:
    enum LookFor { NODE = 0x01, TYPE = 0x02, NAME = 0x04 };
    enum Interest { FIRST, LAST, ALL };

    static void initClass();
    static SoType getClassTypeId() { return classTypeId; }
    SoType getTypeId() const override { return classTypeId; }
    SoSearchAction();
    ~SoSearchAction() override;

    void setNode(SoNode *n);
    SoNode *getNode() const { return node; }
    void setType(SoType t, bool derivedIsOk = true);
    SoType getType(bool &derivedIsOk) const;
    void setName(const SbName &n);
    const SbName &getName() const { return name; }
    void setFind(int what) { lookingFor = what; }
    int getFind() const { return lookingFor; }
    void setInterest(Interest i) { interest = i; }
    Interest getInterest() const { return interest; }
    void setSearchingAll(bool flag) { searchingAll = flag; }
    bool isSearchingAll() const { return searchingAll; }
    SoPath *getPath() const { return path; }
    const SoPathList &getPaths() const { return paths; }
    void reset();

    // Called for each node traversed; records a match.
    void testNode(SoNode *candidate);
    static SoEnabledElementsList *enabledElements;
    static SoActionMethodList *methods;

protected:
    void beginTraversal(SoNode *node) override;

private:
    static SoType classTypeId;
    void addPath(SoPath *p);
    SoNode *node = nullptr;
    SoType type;
    bool derivedOk = true;
    SbName name;
    int lookingFor = 0;
    Interest interest = FIRST;
    bool searchingAll = false;
    SoPath *path = nullptr;
    SoPathList paths;
};

#endif
