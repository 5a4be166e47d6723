#include "scene/actions/SoAction.h"
#include "scene/misc/SoPath.h"
#include "scene/misc/SoState.h"
#include "scene/nodes/SoNode.h"

SoType SoAction::classTypeId;
SoEnabledElementsList *SoAction::enabledElements = nullptr;
SoActionMethodList *SoAction::methods = nullptr;

void SoAction::initClass() {
    classTypeId = SoType::createType(SoType::badType(), "SoAction");
    if (!enabledElements) enabledElements = new SoEnabledElementsList(nullptr);
    if (!methods) methods = new SoActionMethodList(nullptr);
    methods->addMethod(SoNode::getClassTypeId(), &SoNode::doActionMethod);
}

SoAction::SoAction() : traversalMethods(methods) {}
SoAction::~SoAction() = default;

const SoEnabledElementsList &SoAction::getEnabledElements() const { return *enabledElements; }

SoState *SoAction::getState() {
    if (!state) state.reset(new SoState(this));
    return state.get();
}

void SoAction::invalidateState() { state.reset(); }

SoNode *SoAction::getCurPathTail() { return curNodes.empty() ? nullptr : curNodes.back(); }

void SoAction::runTraversal(SoNode *root) {
    terminated = false;
    state.reset(new SoState(this));
    curNodes.assign(1, root);
    curIndices.assign(1, -1);
    beginTraversal(root);
    endTraversal(root);
    curNodes.clear();
    curIndices.clear();
    pathCodes.clear();
    state.reset();
}

void SoAction::apply(SoNode *node) {
    if (!node) return;
    node->ref();
    appliedCode = NODE;
    appliedNode = node;
    appliedPath = nullptr;
    pathCodes.assign(1, NO_PATH);
    runTraversal(node);
    appliedNode = nullptr;
    node->unrefNoDelete();
}

void SoAction::apply(SoPath *path) {
    if (!path || path->getLength() == 0) return;
    path->ref();
    appliedCode = PATH;
    appliedPath = path;
    appliedNode = path->getHead();
    pathCodes.assign(1, path->getLength() == 1 ? BELOW_PATH : IN_PATH);
    runTraversal(path->getHead());
    appliedPath = nullptr;
    appliedNode = nullptr;
    path->unrefNoDelete();
}

void SoAction::apply(const SoPathList &pathList, bool) {
    // Each path is traversed on its own, with a fresh state, in list order.
    for (int i = 0; i < pathList.getLength(); i++) {
        apply(pathList[i]);
        if (terminated) break;
    }
    appliedCode = PATH_LIST;
}

void SoAction::beginTraversal(SoNode *node) { traverse(node); }
void SoAction::endTraversal(SoNode *) {}

void SoAction::traverse(SoNode *node) {
    if (!node || terminated) return;
    // Beside an applied path, only nodes that change the state matter to what lies on it.
    if (getCurPathCode() == OFF_PATH && !node->affectsState()) return;
    SoActionMethod method = traversalMethods->lookup(node->getTypeId());
    if (method) method(this, node);
}

SoAction::PathCode SoAction::getPathCode(int &numIndices, const int *&indices) {
    PathCode code = getCurPathCode();
    numIndices = 0;
    indices = nullptr;
    if (code == IN_PATH) {
        int depth = static_cast<int>(curNodes.size());
        pathChildIndex = appliedPath->getIndex(depth);
        numIndices = 1;
        indices = &pathChildIndex;
    }
    return code;
}

void SoAction::pushCurPath(int childIndex, SoNode *child) {
    PathCode parentCode = getCurPathCode();
    PathCode code = parentCode;
    if (parentCode == IN_PATH) {
        int depth = static_cast<int>(curNodes.size());
        if (appliedPath->getIndex(depth) == childIndex && appliedPath->getNode(depth) == child)
            code = (depth == appliedPath->getLength() - 1) ? BELOW_PATH : IN_PATH;
        else
            code = OFF_PATH;
    }
    curNodes.push_back(child);
    curIndices.push_back(childIndex);
    pathCodes.push_back(code);
}

void SoAction::popCurPath() {
    curNodes.pop_back();
    curIndices.pop_back();
    pathCodes.pop_back();
}

SoPath *SoAction::getCurPath() const {
    if (curNodes.empty()) return nullptr;
    SoPath *path = new SoPath(curNodes.front());
    for (size_t i = 1; i < curNodes.size(); i++) path->append(curIndices[i]);
    return path;
}
