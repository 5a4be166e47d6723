#ifndef SCENE_SODRAWSTYLE_H
#define SCENE_SODRAWSTYLE_H
#include "scene/SceneExport.h"
#include "scene/fields/SoSFEnum.h"
#include "scene/fields/SoSFFloat.h"
#include "scene/fields/SoSFUShort.h"
#include "scene/nodes/SoNode.h"

// How shapes are drawn: filled, as lines, as points or not at all; point size, line width and line
// pattern.
class SCENE_API SoDrawStyle : public SoNode {
public:
    enum Style { FILLED = 0, LINES = 1, POINTS = 2, INVISIBLE = 3 };
    static void initClass();
    static SoType getClassTypeId() { return classTypeId; }
    SoType getTypeId() const override { return classTypeId; }
    SoDrawStyle();

    SoSFEnum style;
    SoSFFloat pointSize;
    SoSFFloat lineWidth;
    SoSFUShort linePattern;
    void doAction(SoAction *action) override;
    void callback(SoCallbackAction *action) override;

protected:
    ~SoDrawStyle() override = default;

private:
    static SoType classTypeId;
};

#endif
