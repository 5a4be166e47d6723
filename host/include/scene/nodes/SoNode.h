#ifndef SCENE_SONODE_H
#define SCENE_SONODE_H
#include "scene/SceneExport.h"
#include "scene/misc/SoFieldContainer.h"

class SoAction;
class SoCallbackAction;
class SoChildList;
class SoGetBoundingBoxAction;
class SoSearchAction;

// Base of every scene node. Actions reach a node through their method lists, which call the
// node's virtual operation for that action (doAction for plain actions).
class SCENE_API SoNode : public SoFieldContainer {
public:
    static void initClass();
    static SoType getClassTypeId() { return classTypeId; }
    // Registers every node class of the toolkit.
    static void initClasses();

    virtual void doAction(SoAction *action);
    virtual void callback(SoCallbackAction *action);
    virtual void getBoundingBox(SoGetBoundingBoxAction *action);
    virtual void search(SoSearchAction *action);
    // Children of a group, or null.
    virtual SoChildList *getChildren() const { return nullptr; }
    // False for nodes whose traversal leaves the state as it found it (shapes, separators),
    // so that path traversal can skip them when they are off the path.
    virtual bool affectsState() const { return true; }
    // A number that changes with every node created, for telling nodes apart in order.
    uint32_t getNodeId() const { return nodeId; }

    // The static entry points that the actions register in their method lists.
    static void doActionMethod(SoAction *action, SoNode *node) { node->doAction(action); }
    static void callbackMethod(SoAction *action, SoNode *node);
    static void getBoundingBoxMethod(SoAction *action, SoNode *node);
    static void searchMethod(SoAction *action, SoNode *node);

protected:
    SoNode();
    ~SoNode() override = default;

private:
    static SoType classTypeId;
    uint32_t nodeId;
};

#endif
