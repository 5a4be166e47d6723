#include "scene/actions/SoSearchAction.h"
#include "scene/nodes/SoNode.h"

SoType SoSearchAction::classTypeId;
SoEnabledElementsList *SoSearchAction::enabledElements = nullptr;
SoActionMethodList *SoSearchAction::methods = nullptr;

void SoSearchAction::initClass() {
    classTypeId = SoType::createType(SoAction::getClassTypeId(), "SoSearchAction");
    if (!enabledElements) enabledElements = new SoEnabledElementsList(SoAction::enabledElements);
    if (!methods) methods = new SoActionMethodList(SoAction::methods);
    methods->addMethod(SoNode::getClassTypeId(), &SoNode::searchMethod);
}

SoSearchAction::SoSearchAction() { traversalMethods = methods; }

SoSearchAction::~SoSearchAction() { reset(); }

void SoSearchAction::setNode(SoNode *n) {
    node = n;
    lookingFor |= NODE;
}

void SoSearchAction::setType(SoType t, bool derivedIsOk) {
    type = t;
    derivedOk = derivedIsOk;
    lookingFor |= TYPE;
}

SoType SoSearchAction::getType(bool &derivedIsOk) const {
    derivedIsOk = derivedOk;
    return type;
}

void SoSearchAction::setName(const SbName &n) {
    name = n;
    lookingFor |= NAME;
}

void SoSearchAction::reset() {
    if (path) path->unref();
    path = nullptr;
    paths.truncate(0);
}

void SoSearchAction::beginTraversal(SoNode *root) {
    reset();
    traverse(root);
}

void SoSearchAction::addPath(SoPath *p) {
    p->ref();
    if (interest == ALL) {
        paths.append(p);
        p->unref();
        return;
    }
    if (path) path->unref();
    path = p;
    if (interest == FIRST) setTerminated(true);
}

void SoSearchAction::testNode(SoNode *candidate) {
    if (lookingFor == 0) return;
    if ((lookingFor & NODE) && candidate != node) return;
    if ((lookingFor & TYPE) &&
        !(derivedOk ? candidate->isOfType(type) : candidate->getTypeId() == type))
        return;
    if ((lookingFor & NAME) && candidate->getName() != name) return;
    addPath(getCurPath());
}
