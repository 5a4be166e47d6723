#ifndef SCENE_SOGROUP_H
#define SCENE_SOGROUP_H
#include "scene/SceneExport.h"
#include "scene/misc/SoChildList.h"
#include "scene/nodes/SoNode.h"

// A node with children, traversed in order; state changes made by the children stay in force after
// the group.
class SCENE_API SoGroup : public SoNode {
public:
    static void initClass();
    static SoType getClassTypeId() { return classTypeId; }
    SoType getTypeId() const override { return classTypeId; }
    SoGroup();


    void addChild(SoNode *child);
    void insertChild(SoNode *child, int newChildIndex);
    SoNode *getChild(int index) const;
    int findChild(const SoNode *child) const;
    int getNumChildren() const;
    void removeChild(int index);
    void removeChild(SoNode *child);
    void removeAllChildren();
    void replaceChild(int index, SoNode *newChild);
    void replaceChild(SoNode *oldChild, SoNode *newChild);
    SoChildList *getChildren() const override;
    void doAction(SoAction *action) override;
    void callback(SoCallbackAction *action) override;
    void getBoundingBox(SoGetBoundingBoxAction *action) override;
    void search(SoSearchAction *action) override;

protected:
    ~SoGroup() override = default;

private:
    static SoType classTypeId;
    mutable SoChildList children;
};

#endif
