#include "scene/fields/SoMFNode.h"
#include "scene/fields/SoSFNode.h"
#include "scene/nodes/SoNode.h"

SoSFNode::~SoSFNode() {
    if (node) node->unref();
}

void SoSFNode::setValue(SoNode *newNode) {
    if (newNode) newNode->ref();
    if (node) node->unref();
    node = newNode;
    touch();
}

SoMFNode::~SoMFNode() { setNum(0); }

void SoMFNode::set1Value(int index, SoNode *node) {
    if (index < 0) return;
    if (static_cast<size_t>(index) >= nodes.size()) nodes.resize(static_cast<size_t>(index) + 1, nullptr);
    if (node) node->ref();
    if (nodes[static_cast<size_t>(index)]) nodes[static_cast<size_t>(index)]->unref();
    nodes[static_cast<size_t>(index)] = node;
    touch();
}

void SoMFNode::setValue(SoNode *node) {
    setNum(0);
    set1Value(0, node);
}

void SoMFNode::setNum(int num) {
    if (num < 0) num = 0;
    for (size_t i = static_cast<size_t>(num); i < nodes.size(); i++)
        if (nodes[i]) nodes[i]->unref();
    nodes.resize(static_cast<size_t>(num), nullptr);
    touch();
}

void SoMFNode::deleteValues(int start, int num) {
    if (start < 0 || start >= getNum()) return;
    int end = (num < 0) ? getNum() : std::min(getNum(), start + num);
    for (int i = start; i < end; i++)
        if (nodes[static_cast<size_t>(i)]) nodes[static_cast<size_t>(i)]->unref();
    nodes.erase(nodes.begin() + start, nodes.begin() + end);
    touch();
}

void SoMFNode::insertSpace(int start, int num) {
    if (start < 0 || num <= 0) return;
    if (start > getNum()) start = getNum();
    nodes.insert(nodes.begin() + start, static_cast<size_t>(num), nullptr);
    touch();
}
