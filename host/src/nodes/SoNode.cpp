#include "scene/nodes/SoNode.h"
#include "scene/actions/SoCallbackAction.h"
#include "scene/actions/SoGetBoundingBoxAction.h"
#include "scene/actions/SoSearchAction.h"

SoType SoNode::classTypeId;

namespace {
uint32_t nextNodeId = 1;
}

void SoNode::initClass() { classTypeId = SoType::createType(SoFieldContainer::getClassTypeId(), "SoNode"); }

SoNode::SoNode() : nodeId(nextNodeId++) {}

void SoNode::doAction(SoAction *) {}
// Unless a node says otherwise, it does the same for every action.
void SoNode::callback(SoCallbackAction *action) { doAction(static_cast<SoAction *>(action)); }
void SoNode::getBoundingBox(SoGetBoundingBoxAction *action) { doAction(static_cast<SoAction *>(action)); }

void SoNode::search(SoSearchAction *action) { action->testNode(this); }

void SoNode::callbackMethod(SoAction *action, SoNode *node) {
    SoCallbackAction *cb = static_cast<SoCallbackAction *>(action);
    cb->setCurrentNode(node);
    SoCallbackAction::Response response = cb->invokePreCallbacks(node);
    if (response == SoCallbackAction::ABORT) {
        action->setTerminated(true);
        return;
    }
    if (response != SoCallbackAction::PRUNE) node->callback(cb);
    if (action->hasTerminated()) return;
    cb->setCurrentNode(node);
    cb->invokePostCallbacks(node);
}

void SoNode::getBoundingBoxMethod(SoAction *action, SoNode *node) {
    node->getBoundingBox(static_cast<SoGetBoundingBoxAction *>(action));
}

void SoNode::searchMethod(SoAction *action, SoNode *node) { node->search(static_cast<SoSearchAction *>(action)); }
