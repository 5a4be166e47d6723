#ifndef SCENE_SOPATTERN_H
#define SCENE_SOPATTERN_H
#include "scene/SceneExport.h"
#include "scene/fields/SoMFUInt32.h"
#include "scene/fields/SoSFString.h"
#include "scene/nodes/SoNode.h"

// A 32 x 32 fill pattern for the faces that follow: rows holds 32 words, bit 31 of a word the
// leftmost pixel. It sets the pattern element to its category, name and 128 bytes (row 0 first, most
// significant bit first), or to no pattern when rows is empty.
class SCENE_API SoPattern : public SoNode {
public:
    static void initClass();
    static SoType getClassTypeId() { return classTypeId; }
    SoType getTypeId() const override { return classTypeId; }
    SoPattern();

    SoSFString category;
    SoSFString name;
    SoMFUInt32 rows;
    void doAction(SoAction *action) override;
    void callback(SoCallbackAction *action) override;
    // The 128 bytes of the pattern, or null when rows is empty.
    const unsigned char *getPatternBytes() const;

protected:
    ~SoPattern() override = default;

private:
    static SoType classTypeId;
    mutable unsigned char bytes[128];
};

#endif
