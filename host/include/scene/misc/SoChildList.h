#ifndef SCENE_SOCHILDLIST_H
#define SCENE_SOCHILDLIST_H
#include "scene/SceneExport.h"
#include "scene/misc/SoNodeList.h"

class SoAction;

// The children of a group node, with traversal of a range of them by an action.
class SCENE_API SoChildList : public SoNodeList {
public:
    // Traverses children first..last inclusive, keeping the action's current path up to date.
    void traverse(SoAction *action, int first, int last);
    void traverse(SoAction *action) { traverse(action, 0, getLength() - 1); }
    void traverse(SoAction *action, int index) { traverse(action, index, index); }
};

#endif
