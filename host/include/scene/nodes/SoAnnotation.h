#ifndef SCENE_SOANNOTATION_H
#define SCENE_SOANNOTATION_H
#include "scene/SceneExport.h"
#include "scene/nodes/SoSeparator.h"

// A separator whose contents are drawn on top of the rest by interactive renderers; for printing it
// is an ordinary separator.
class SCENE_API SoAnnotation : public SoSeparator {
public:
    static void initClass();
    static SoType getClassTypeId() { return classTypeId; }
    SoType getTypeId() const override { return classTypeId; }
    SoAnnotation();


protected:
    ~SoAnnotation() override = default;

private:
    static SoType classTypeId;
};

#endif
