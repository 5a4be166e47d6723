// What the primitives of one shape node share. The traversal state cannot change while a shape
// generates its triangles, line segments and points, so these values are read at the shape's
// first primitive and forgotten after every node (in the post-callback that also flushes the
// pending points). They are the values the look-ups of each primitive would give, computed in
// the same order of operations, so the drawing stays the same to the bit.
#ifndef SCRIVANE_CAPTURE_SHAPESTATE_H
#define SCRIVANE_CAPTURE_SHAPESTATE_H
#include "clip/ClipSupport.h"
#include "scene/actions/SoCallbackAction.h"
#include "scene/base/SbColor.h"
#include "scene/base/SbMatrix.h"
#include "scene/base/SbString.h"
#include "scrivane/SoVectorizeAction.h"

namespace scrivane_capture {

struct ShapeState {
    bool valid = false;
    // Where replaced values are counted: the owning action's counts.
    SoVectorizeAction::NonFiniteCounts *counts = nullptr;
    int drawStyle = 0;
    int lightModel = 0;
    // Model x viewing, and that times the projection, as the coordinate pipeline forms them.
    SbMatrix modelView;
    SbMatrix modelViewProjection;
    scrivane_clip::NearLimit nearPlane{0.0f, 1.0f};
    float lineWidth = 0.0f;
    float pointSize = 0.0f;
    unsigned short linePattern = 0xFFFF;
    SbString patternCategory, patternName;
    const unsigned char *patternBits = nullptr;
    // Lighting: the environment's ambient light and whether both sides of a face are lit.
    SbColor environment{0, 0, 0};
    bool twoSided = false;
    // The material looked up last, by index.
    bool hasMaterial = false;
    int materialIndex = 0;
    SbColor ambient, diffuse, specular, emissive;
    float shininess = 0.0f, transparency = 0.0f;

    // A line width or point size that cannot be printed (not finite, or overflowing on the page)
    // is replaced by the default and counted.
    void read(SoCallbackAction *action);
    // The material of that index, looked up only when the index changes. A colour that is not
    // finite becomes black, a shininess or transparency that is not finite 0; counted once.
    void material(SoCallbackAction *action, int index);
};

} // namespace scrivane_capture

#endif
