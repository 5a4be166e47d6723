#ifndef SCENE_SOACTION_H
#define SCENE_SOACTION_H
#include "scene/SceneExport.h"
#include "scene/actions/SoActionMethodList.h"
#include "scene/actions/SoEnabledElementsList.h"
#include "scene/misc/SoPathList.h"
#include "scene/misc/SoType.h"
#include <memory>
#include <vector>

class SoNode;
class SoPath;
class SoState;

// Base of all actions. apply() traverses a scene (a node, a path, or each path of a list) with
// a fresh traversal state. Each node is handed to the method that the action's method list holds
// for its type. While a path is applied, the action tracks where the traversal is relative to it:
// IN_PATH on the path above its tail, BELOW_PATH at or under the tail, OFF_PATH beside it.
class SCENE_API SoAction {
public:
    enum AppliedCode { NODE, PATH, PATH_LIST };
    enum PathCode { NO_PATH, IN_PATH, BELOW_PATH, OFF_PATH };

    virtual ~SoAction();
    static void initClass();
    static SoType getClassTypeId() { return classTypeId; }
    virtual SoType getTypeId() const = 0;
    bool isOfType(SoType type) const { return getTypeId().isDerivedFrom(type); }

    virtual void apply(SoNode *node);
    virtual void apply(SoPath *path);
    virtual void apply(const SoPathList &pathList, bool obeysRules = false);
    virtual void invalidateState();
    virtual SoNode *getCurPathTail();
    virtual const SoEnabledElementsList &getEnabledElements() const;

    // Traverses one node through the method list.
    void traverse(SoNode *node);
    bool hasTerminated() const { return terminated; }
    void setTerminated(bool flag) { terminated = flag; }
    SoState *getState();
    AppliedCode getWhatAppliedTo() const { return appliedCode; }
    SoNode *getNodeAppliedTo() const { return appliedNode; }
    SoPath *getPathAppliedTo() const { return appliedPath; }
    // For a group on the applied path: which of its children lie on the path.
    PathCode getPathCode(int &numIndices, const int *&indices);
    PathCode getCurPathCode() const { return pathCodes.empty() ? NO_PATH : pathCodes.back(); }
    // A new path holding the nodes from the applied root to the current node; the caller refs it.
    SoPath *getCurPath() const;
    int getCurPathLength() const { return static_cast<int>(curNodes.size()); }
    // Called by groups around the traversal of a child.
    void pushCurPath(int childIndex, SoNode *child);
    void popCurPath();

    static SoEnabledElementsList *enabledElements;
    static SoActionMethodList *methods;

protected:
    SoAction();
    virtual void beginTraversal(SoNode *node);
    virtual void endTraversal(SoNode *node);
    virtual bool shouldCompactPathLists() const { return true; }
    SoActionMethodList *traversalMethods;

private:
    static SoType classTypeId;
    void runTraversal(SoNode *root);
    AppliedCode appliedCode = NODE;
    SoNode *appliedNode = nullptr;
    SoPath *appliedPath = nullptr;
    bool terminated = false;
    std::unique_ptr<SoState> state;
    std::vector<SoNode *> curNodes;
    std::vector<int> curIndices;
    std::vector<PathCode> pathCodes;
    int pathChildIndex = -1;
};

#endif
