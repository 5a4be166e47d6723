#ifndef SCENE_SOFILE_H
#define SCENE_SOFILE_H
#include "scene/SceneExport.h"
#include "scene/fields/SoSFString.h"
#include "scene/misc/SoChildList.h"
#include "scene/nodes/SoNode.h"

// Includes another scene file: `File { name "part.iv" }`. The reader reads the named file (relative
// to the including file) and makes its top-level nodes the children of this node. Actions traverse
// the children like a plain group (no state is pushed). The children are not written back by
// SoWriteAction; the written node names the file again.
class SCENE_API SoFile : public SoNode {
public:
    static void initClass();
    static SoType getClassTypeId() { return classTypeId; }
    SoType getTypeId() const override { return classTypeId; }
    SoFile();

    SoSFString name;

    // The included nodes; they may be replaced or extended by the caller.
    SoChildList *getChildren() const override { return &children; }
    void doAction(SoAction *action) override;
    void callback(SoCallbackAction *action) override;
    void getBoundingBox(SoGetBoundingBoxAction *action) override;
    void search(SoSearchAction *action) override;

protected:
    ~SoFile() override = default;

private:
    static SoType classTypeId;
    mutable SoChildList children;
};

#endif
