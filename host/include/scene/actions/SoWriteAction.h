#ifndef SCENE_SOWRITEACTION_H
#define SCENE_SOWRITEACTION_H
#include "scene/SceneExport.h"
#include "scene/actions/SoAction.h"

class SoOutput;

// Writes a scene in the ASCII scene format: the header "#Inventor V2.1 ascii" (once per output),
// then each node as `Type { field value ... children }` with the fields that no longer hold their
// defaults (and those flagged ignored, followed by "~").
//
// Sharing is kept: a node reached more than once (as a child or through a node field) is written in
// full the first time with "DEF name" and as "USE name" afterwards. Nodes that carry a name are
// also written with DEF so the name survives. A node's name is used when it is unique in the
// output; otherwise, and for shared nodes without a name, a suffix "+N" makes it unique. The reader
// strips such a "+N" suffix again, so names come back as they were.
//
// SoFile nodes are written as `File { name "..." }` without their children, which stay in the
// included file. Unknown nodes (SoUnknownNode) are written under their own class name with a
// `fields [ ... ]` declaration, so that reading the output gives them back.
//
// Applied to a path, only the nodes on the path and, in each group on it, the children before the
// path's child that affect the state are written.
//
// Ownership: the output given to the constructor stays the caller's; without one, the action owns
// an output that writes to stdout.
class SCENE_API SoWriteAction : public SoAction {
public:
    static void initClass();
    static SoType getClassTypeId() { return classTypeId; }
    SoType getTypeId() const override { return classTypeId; }
    SoWriteAction();
    explicit SoWriteAction(SoOutput *out);
    ~SoWriteAction() override;

    SoOutput *getOutput() const { return output; }

    static SoEnabledElementsList *enabledElements;
    static SoActionMethodList *methods;

protected:
    void beginTraversal(SoNode *node) override;

private:
    static SoType classTypeId;
    SoOutput *output;
    bool ownsOutput;
};

#endif
