#include "scene/misc/SoPath.h"
#include "scene/misc/SoChildList.h"
#include "scene/nodes/SoNode.h"

SoType SoPath::classTypeId;

void SoPath::initClass() { classTypeId = SoType::createType(SoBase::getClassTypeId(), "SoPath"); }

SoPath::SoPath(SoNode *head) { setHead(head); }

SoPath::SoPath(const SoPath &other) : SoBase() {
    for (int i = 0; i < other.getLength(); i++) nodes.append(other.getNode(i));
    indices = other.indices;
}

void SoPath::setHead(SoNode *head) {
    truncate(0);
    nodes.append(head);
    indices.push_back(-1);
}

SoNode *SoPath::getHead() const { return getLength() > 0 ? nodes[0] : nullptr; }
SoNode *SoPath::getTail() const { return getLength() > 0 ? nodes[getLength() - 1] : nullptr; }
SoNode *SoPath::getNode(int i) const { return (i >= 0 && i < getLength()) ? nodes[i] : nullptr; }

void SoPath::append(int childIndex) {
    SoNode *tail = getTail();
    SoChildList *children = tail ? tail->getChildren() : nullptr;
    if (!children || childIndex < 0 || childIndex >= children->getLength()) return;
    nodes.append((*children)[childIndex]);
    indices.push_back(childIndex);
}

void SoPath::append(SoNode *childNode) {
    SoNode *tail = getTail();
    SoChildList *children = tail ? tail->getChildren() : nullptr;
    if (!children) return;
    int index = children->find(childNode);
    if (index >= 0) append(index);
}

void SoPath::truncate(int start) {
    if (start < 0) start = 0;
    if (start >= getLength()) return;
    nodes.truncate(start);
    indices.resize(static_cast<size_t>(start));
}

bool SoPath::containsNode(const SoNode *node) const { return nodes.find(node) >= 0; }

bool operator==(const SoPath &a, const SoPath &b) {
    if (a.getLength() != b.getLength()) return false;
    for (int i = 0; i < a.getLength(); i++)
        if (a.getNode(i) != b.getNode(i) || a.indices[static_cast<size_t>(i)] != b.indices[static_cast<size_t>(i)])
            return false;
    return true;
}
