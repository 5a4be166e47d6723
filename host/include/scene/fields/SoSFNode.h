#ifndef SCENE_SOSFNODE_H
#define SCENE_SOSFNODE_H
#include "scene/SceneExport.h"
#include "scene/fields/SoSField.h"

class SoNode;

// A reference to a node (or none); the field holds a reference on it.
class SCENE_API SoSFNode : public SoSField {
public:
    static void initClass();
    static SoType getClassTypeId() { return classTypeId; }
    SoType getTypeId() const override { return classTypeId; }
    SoSFNode() = default;
    ~SoSFNode() override;
    SoNode *getValue() const { return node; }
    void setValue(SoNode *newNode);
    SoSFNode &operator=(SoNode *newNode) {
        setValue(newNode);
        return *this;
    }

private:
    static SoType classTypeId;
    SoNode *node = nullptr;
};

#endif
