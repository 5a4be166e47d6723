#ifndef SCENE_SOMFNODE_H
#define SCENE_SOMFNODE_H
#include "scene/SceneExport.h"
#include "scene/fields/SoMField.h"
#include <vector>

class SoNode;

// A list of node references; the field holds a reference on each node.
class SCENE_API SoMFNode : public SoMField {
public:
    static void initClass();
    static SoType getClassTypeId() { return classTypeId; }
    SoType getTypeId() const override { return classTypeId; }
    SoMFNode() = default;
    ~SoMFNode() override;
    int getNum() const override { return static_cast<int>(nodes.size()); }
    SoNode *operator[](int i) const { return nodes[static_cast<size_t>(i)]; }
    void set1Value(int index, SoNode *node);
    void setValue(SoNode *node);
    void setNum(int num) override;
    void deleteValues(int start, int num = -1) override;
    void insertSpace(int start, int num) override;

private:
    static SoType classTypeId;
    std::vector<SoNode *> nodes;
};

#endif
