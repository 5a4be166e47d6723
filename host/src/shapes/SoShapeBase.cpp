// Traversal of shapes by the callback and bounding-box actions, shared by every shape.
#include "VertexShapeSupport.h"
#include "scene/actions/SoCallbackAction.h"
#include "scene/actions/SoGetBoundingBoxAction.h"
#include "scene/misc/SoState.h"
#include "scene/nodes/SoShape.h"
#include "scene/nodes/SoVertexShape.h"

void SoShape::callback(SoCallbackAction *action) {
    if (action->shouldGeneratePrimitives(this)) generatePrimitives(action);
}

void SoShape::getBoundingBox(SoGetBoundingBoxAction *action) {
    SbBox3f box;
    SbVec3f center(0, 0, 0);
    computeBBox(action, box, center);
    if (box.isEmpty()) return;
    action->extendBy(box);
    action->setCenter(center, true);
}

namespace {
// Runs a traversal step of a vertex shape with its vertexProperty node applied in a state level
// of its own, or directly when it has none.
template <class Step> void withVertexProperty(SoVertexShape *shape, SoAction *action, Step step) {
    SoNode *property = shape->vertexProperty.getValue();
    if (!property) {
        step();
        return;
    }
    SoState *state = action->getState();
    state->push();
    property->doAction(action);
    step();
    state->pop();
}
} // namespace

void SoVertexShape::callback(SoCallbackAction *action) {
    if (!action->shouldGeneratePrimitives(this)) return;
    withVertexProperty(this, action, [&] { generatePrimitives(action); });
}

void SoVertexShape::getBoundingBox(SoGetBoundingBoxAction *action) {
    withVertexProperty(this, action, [&] { SoShape::getBoundingBox(action); });
}

// Every coordinate in force; the concrete shapes narrow this to the coordinates they use.
void SoVertexShape::computeBBox(SoAction *action, SbBox3f &box, SbVec3f &center) {
    scene_detail::boxOfCoordinateRange(action, 0, 0x7fffffff, box, center);
}
