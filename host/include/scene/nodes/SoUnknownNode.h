#ifndef SCENE_SOUNKNOWNNODE_H
#define SCENE_SOUNKNOWNNODE_H
#include "scene/SceneExport.h"
#include "scene/base/SbName.h"
#include "scene/misc/SoChildList.h"
#include "scene/nodes/SoNode.h"

// A node of a class this toolkit does not know, read from a file that declared its fields
// (`SoVolumeData { fields [ SFString fileName ] fileName "x.vol" }`). It keeps the class name, the
// declared fields (owned as dynamic fields) and any child nodes, so that writing it gives the same
// text back. It has no effect on any action and its children are not traversed, since what the
// class would do with them is unknown.
class SCENE_API SoUnknownNode : public SoNode {
public:
    static void initClass();
    static SoType getClassTypeId() { return classTypeId; }
    SoType getTypeId() const override { return classTypeId; }
    SoUnknownNode();

    void setClassName(const SbName &name) { className = name; }
    // The class name as written in the file.
    const SbName &getClassName() const { return className; }
    // Adds a declared field; the node owns it.
    void addDeclaredField(const SbName &fieldName, SoField *field) {
        addDynamicField(fieldName, field);
    }
    SoChildList *getChildren() const override { return &children; }
    bool affectsState() const override { return false; }

protected:
    ~SoUnknownNode() override = default;

private:
    static SoType classTypeId;
    SbName className;
    mutable SoChildList children;
};

#endif
