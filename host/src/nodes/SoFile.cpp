// The File node: an included scene file whose top-level nodes are its children.
#include "scene/nodes/SoFile.h"
#include "NodeRegistration.h"
#include "scene/actions/SoAction.h"
#include "scene/actions/SoCallbackAction.h"
#include "scene/actions/SoGetBoundingBoxAction.h"
#include "scene/actions/SoSearchAction.h"

SoType SoFile::classTypeId;
void SoFile::initClass() {
    classTypeId = SoType::createType(SoNode::getClassTypeId(), "SoFile", &createNode<SoFile>);
}

SoFile::SoFile() {
    addField(&name, "name");
    name.setValue(SbString(""));
    name.setDefault(true);
}

namespace {
// Like a group: every child, or on an applied path only those up to the child on the path.
void traverseIncluded(SoAction *action, SoChildList &children) {
    int numIndices;
    const int *indices;
    int last = children.getLength() - 1;
    if (action->getPathCode(numIndices, indices) == SoAction::IN_PATH)
        last = indices[numIndices - 1];
    children.traverse(action, 0, last);
}
} // namespace

void SoFile::doAction(SoAction *action) {
    traverseIncluded(action, children);
}
void SoFile::callback(SoCallbackAction *action) {
    traverseIncluded(action, children);
}
void SoFile::getBoundingBox(SoGetBoundingBoxAction *action) {
    traverseIncluded(action, children);
}

void SoFile::search(SoSearchAction *action) {
    action->testNode(this);
    if (!action->hasTerminated()) traverseIncluded(action, children);
}
