#ifndef SCENE_SOSTATE_H
#define SCENE_SOSTATE_H
#include "scene/SceneExport.h"
#include <memory>
#include <vector>

class SoAction;
class SoElement;

// The traversal state of an action: one stack of elements per element class. push() opens a
// level (a separator), pop() throws away every element changed since the matching push().
// Elements are created with their defaults the first time they are asked for.
class SCENE_API SoState {
public:
    explicit SoState(SoAction *action);
    ~SoState();
    SoAction *getAction() const { return action; }
    void push();
    void pop();
    int getDepth() const { return depth; }
    // The top element of a stack, copied first when it belongs to a shallower level.
    SoElement *getElement(int stackIndex);
    const SoElement *getConstElement(int stackIndex);

private:
    SoState(const SoState &) = delete;
    SoState &operator=(const SoState &) = delete;
    std::vector<std::unique_ptr<SoElement>> &stackOf(int stackIndex);
    SoAction *action;
    int depth = 0;
    std::vector<std::vector<std::unique_ptr<SoElement>>> stacks;
    // For each open level, the stacks that received a copy at that level.
    std::vector<std::vector<int>> changedAtLevel;
};

#endif
