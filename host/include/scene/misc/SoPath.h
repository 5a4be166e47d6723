#ifndef SCENE_SOPATH_H
#define SCENE_SOPATH_H
#include "scene/SceneExport.h"
#include "scene/misc/SoBase.h"
#include "scene/misc/SoNodeList.h"
#include <vector>

class SoNode;

// A chain of nodes from a head down through children: node i + 1 is child number index(i + 1)
// of node i. The path references its nodes.
class SCENE_API SoPath : public SoBase {
public:
    static void initClass();
    static SoType getClassTypeId() { return classTypeId; }
    SoType getTypeId() const override { return classTypeId; }

    SoPath() = default;
    explicit SoPath(SoNode *head);
    SoPath(const SoPath &other);
    void setHead(SoNode *head);
    SoNode *getHead() const;
    // Appends the child of the tail with that index.
    void append(int childIndex);
    // Appends a child of the tail; it must be one of its children.
    void append(SoNode *childNode);
    void push(int childIndex) { append(childIndex); }
    void pop() { truncate(getLength() - 1); }
    SoNode *getTail() const;
    SoNode *getNode(int i) const;
    SoNode *getNodeFromTail(int i) const { return getNode(getLength() - 1 - i); }
    int getIndex(int i) const { return indices[i]; }
    int getIndexFromTail(int i) const { return indices[getLength() - 1 - i]; }
    int getLength() const { return nodes.getLength(); }
    void truncate(int start);
    bool containsNode(const SoNode *node) const;
    friend SCENE_API bool operator==(const SoPath &a, const SoPath &b);

private:
    ~SoPath() override = default;
    static SoType classTypeId;
    SoNodeList nodes;
    std::vector<int> indices;
};

#endif
