#include "scene/actions/SoCallbackAction.h"
#include "scene/actions/SoGetBoundingBoxAction.h"
#include "scene/actions/SoSearchAction.h"
#include "scene/elements/SoModelMatrixElement.h"
#include "scene/misc/SoState.h"
#include "scene/nodes/SoGroup.h"
#include "scene/nodes/SoLOD.h"
#include "scene/nodes/SoLevelOfDetail.h"
#include "scene/nodes/SoSeparator.h"
#include "scene/nodes/SoSwitch.h"
#include "scene/nodes/SoTransformSeparator.h"

namespace {
// Traverses the children a group must visit: all of them, or on an applied path only up to the
// child on the path (those after it cannot affect it).
void traverseChildren(SoAction *action, SoChildList &children) {
    int numIndices;
    const int *indices;
    int last = children.getLength() - 1;
    if (action->getPathCode(numIndices, indices) == SoAction::IN_PATH) last = indices[numIndices - 1];
    children.traverse(action, 0, last);
}

// Traverses one chosen child, or on an applied path the child that lies on it.
void traverseOneChild(SoAction *action, SoChildList &children, int which) {
    int numIndices;
    const int *indices;
    if (action->getPathCode(numIndices, indices) == SoAction::IN_PATH) which = indices[numIndices - 1];
    if (which >= 0 && which < children.getLength()) children.traverse(action, which);
}
} // namespace

void SoGroup::addChild(SoNode *child) { children.append(child); }
void SoGroup::insertChild(SoNode *child, int newChildIndex) { children.insert(child, newChildIndex); }
SoNode *SoGroup::getChild(int index) const { return children[index]; }
int SoGroup::findChild(const SoNode *child) const { return children.find(child); }
int SoGroup::getNumChildren() const { return children.getLength(); }
void SoGroup::removeChild(int index) { children.remove(index); }
void SoGroup::removeChild(SoNode *child) { children.remove(children.find(child)); }
void SoGroup::removeAllChildren() { children.truncate(0); }
void SoGroup::replaceChild(int index, SoNode *newChild) {
    if (index >= 0 && index < children.getLength()) children.set(index, newChild);
}
void SoGroup::replaceChild(SoNode *oldChild, SoNode *newChild) { replaceChild(children.find(oldChild), newChild); }
SoChildList *SoGroup::getChildren() const { return &children; }
void SoGroup::doAction(SoAction *action) { traverseChildren(action, children); }
void SoGroup::callback(SoCallbackAction *action) { traverseChildren(action, children); }
void SoGroup::getBoundingBox(SoGetBoundingBoxAction *action) { traverseChildren(action, children); }

void SoGroup::search(SoSearchAction *action) {
    action->testNode(this);
    if (!action->hasTerminated()) traverseChildren(action, children);
}

void SoSeparator::doAction(SoAction *action) {
    SoState *state = action->getState();
    state->push();
    SoGroup::doAction(action);
    state->pop();
}

void SoSeparator::callback(SoCallbackAction *action) {
    SoState *state = action->getState();
    state->push();
    SoGroup::callback(action);
    state->pop();
}

void SoSeparator::getBoundingBox(SoGetBoundingBoxAction *action) {
    SoState *state = action->getState();
    state->push();
    SoGroup::getBoundingBox(action);
    state->pop();
}

namespace {
template <class Traverse> void keepingModelMatrix(SoAction *action, Traverse traverse) {
    SbMatrix saved = SoModelMatrixElement::get(action->getState());
    traverse();
    SoModelMatrixElement::set(action->getState(), saved);
}
} // namespace

void SoTransformSeparator::doAction(SoAction *action) {
    keepingModelMatrix(action, [&] { SoGroup::doAction(action); });
}
void SoTransformSeparator::callback(SoCallbackAction *action) {
    keepingModelMatrix(action, [&] { SoGroup::callback(action); });
}
void SoTransformSeparator::getBoundingBox(SoGetBoundingBoxAction *action) {
    keepingModelMatrix(action, [&] { SoGroup::getBoundingBox(action); });
}

namespace {
// whichChild: a child index, -1 none, -3 all. -2 (inherit) has no enclosing switch value to
// inherit here and traverses nothing.
void traverseSwitch(SoAction *action, SoChildList &children, int which) {
    if (which == SoSwitch::SO_SWITCH_ALL)
        traverseChildren(action, children);
    else
        traverseOneChild(action, children, which);
}
} // namespace

void SoSwitch::doAction(SoAction *action) { traverseSwitch(action, *getChildren(), whichChild.getValue()); }
void SoSwitch::callback(SoCallbackAction *action) { traverseSwitch(action, *getChildren(), whichChild.getValue()); }
void SoSwitch::getBoundingBox(SoGetBoundingBoxAction *action) {
    traverseSwitch(action, *getChildren(), whichChild.getValue());
}

void SoSwitch::search(SoSearchAction *action) {
    action->testNode(this);
    if (action->hasTerminated()) return;
    if (action->isSearchingAll())
        traverseChildren(action, *getChildren());
    else
        traverseSwitch(action, *getChildren(), whichChild.getValue());
}

void SoLOD::doAction(SoAction *action) { traverseOneChild(action, *getChildren(), 0); }
void SoLOD::callback(SoCallbackAction *action) { traverseOneChild(action, *getChildren(), 0); }
void SoLOD::getBoundingBox(SoGetBoundingBoxAction *action) { traverseOneChild(action, *getChildren(), 0); }
void SoLevelOfDetail::doAction(SoAction *action) { traverseOneChild(action, *getChildren(), 0); }
void SoLevelOfDetail::callback(SoCallbackAction *action) { traverseOneChild(action, *getChildren(), 0); }
void SoLevelOfDetail::getBoundingBox(SoGetBoundingBoxAction *action) { traverseOneChild(action, *getChildren(), 0); }
