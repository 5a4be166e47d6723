#include "scene/misc/SoState.h"
#include "scene/elements/SoElement.h"

SoState::SoState(SoAction *a) : action(a) {}
SoState::~SoState() = default;

std::vector<std::unique_ptr<SoElement>> &SoState::stackOf(int stackIndex) {
    if (static_cast<size_t>(stackIndex) >= stacks.size()) stacks.resize(static_cast<size_t>(stackIndex) + 1);
    auto &stack = stacks[static_cast<size_t>(stackIndex)];
    if (stack.empty()) {
        SoElement *e = SoElement::createElement(stackIndex);
        e->stackIndex = stackIndex;
        e->depth = 0;
        e->init(this);
        stack.emplace_back(e);
    }
    return stack;
}

void SoState::push() {
    depth++;
    changedAtLevel.emplace_back();
}

void SoState::pop() {
    if (depth == 0) return;
    for (int index : changedAtLevel.back()) stacks[static_cast<size_t>(index)].pop_back();
    changedAtLevel.pop_back();
    depth--;
}

SoElement *SoState::getElement(int stackIndex) {
    auto &stack = stackOf(stackIndex);
    SoElement *top = stack.back().get();
    if (top->depth < depth) {
        SoElement *e = top->copy();
        e->stackIndex = stackIndex;
        e->depth = depth;
        stack.emplace_back(e);
        changedAtLevel.back().push_back(stackIndex);
        return e;
    }
    return top;
}

const SoElement *SoState::getConstElement(int stackIndex) { return stackOf(stackIndex).back().get(); }
