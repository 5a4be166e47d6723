// Primitive generation and boxes of the text shapes.
//
// SoText2 generates nothing: it is drawn by whoever reads the node (a printer places its strings
// at the node's origin in screen space), so its box is the single point of that anchor.
// SoText3, SoAsciiText and SoAnnoText3 become flat stroke geometry (see StrokeText.h for the
// layout): two triangles per stroke segment, normal +z, material 0. SoText3 draws its FRONT
// part facing +z; a text with only the BACK part faces -z instead (reversed winding, material 2
// under PER_PART bindings); the SIDES of flat text are empty.
#include "ShapeBuilder.h"
#include "StrokeText.h"
#include "VertexShapeSupport.h"
#include "scene/actions/SoAction.h"
#include "scene/elements/SoFontSizeElement.h"
#include "scene/elements/SoMaterialBindingElement.h"
#include "scene/misc/SoState.h"
#include "scene/nodes/SoAnnoText3.h"
#include "scene/nodes/SoAsciiText.h"
#include "scene/nodes/SoText2.h"
#include "scene/nodes/SoText3.h"

using scene_detail::ShapeBuilder;
using scene_detail::StrokeTextLayout;

namespace {

StrokeTextLayout layoutOf(SoAction *action, float spacing, int justification, const SoMFFloat *widths = nullptr) {
    StrokeTextLayout layout;
    layout.size = SoFontSizeElement::get(action->getState());
    layout.spacing = spacing;
    layout.justification = justification;
    layout.widths = widths;
    return layout;
}

void generateStrokes(SoAction *action, const SoShape *shape, const SoMFString &strings,
                     const StrokeTextLayout &layout, bool facingBack = false, int material = 0) {
    ShapeBuilder builder(action, shape);
    if (!builder.isActive()) return;
    const SbVec3f normal(0, 0, facingBack ? -1.0f : 1.0f);
    scene_detail::forEachStrokeQuad(strings, layout, [&](const SbVec3f (&c)[4]) {
        SoPrimitiveVertex v[4];
        for (int k = 0; k < 4; k++) v[k] = scene_detail::primitiveVertex(c[k], normal, material);
        if (facingBack) {
            builder.triangle(v[0], v[2], v[1]);
            builder.triangle(v[0], v[3], v[2]);
        } else {
            builder.triangle(v[0], v[1], v[2]);
            builder.triangle(v[0], v[2], v[3]);
        }
    });
}

void setTextBox(const SoMFString &strings, const StrokeTextLayout &layout, SbBox3f &box, SbVec3f &center) {
    box = scene_detail::strokeTextBox(strings, layout);
    center = box.isEmpty() ? SbVec3f(0, 0, 0) : box.getCenter();
}

} // namespace

void SoText2::generatePrimitives(SoAction *) {}

void SoText2::computeBBox(SoAction *, SbBox3f &box, SbVec3f &center) {
    box.setBounds(SbVec3f(0, 0, 0), SbVec3f(0, 0, 0));
    center.setValue(0, 0, 0);
}

void SoText3::generatePrimitives(SoAction *action) {
    const int which = parts.getValue();
    if (!(which & (FRONT | BACK))) return;
    const bool back = !(which & FRONT);
    const int binding = SoMaterialBindingElement::get(action->getState());
    const bool byPart = binding == scene_detail::BIND_PER_PART || binding == scene_detail::BIND_PER_PART_INDEXED;
    generateStrokes(action, this, string, layoutOf(action, spacing.getValue(), justification.getValue()), back,
                    back && byPart ? 2 : 0);
}

void SoText3::computeBBox(SoAction *action, SbBox3f &box, SbVec3f &center) {
    setTextBox(string, layoutOf(action, spacing.getValue(), justification.getValue()), box, center);
}

void SoAsciiText::generatePrimitives(SoAction *action) {
    generateStrokes(action, this, string, layoutOf(action, spacing.getValue(), justification.getValue(), &width));
}

void SoAsciiText::computeBBox(SoAction *action, SbBox3f &box, SbVec3f &center) {
    setTextBox(string, layoutOf(action, spacing.getValue(), justification.getValue(), &width), box, center);
}

void SoAnnoText3::generatePrimitives(SoAction *action) {
    generateStrokes(action, this, string, layoutOf(action, spacing.getValue(), justification.getValue()));
}

void SoAnnoText3::computeBBox(SoAction *action, SbBox3f &box, SbVec3f &center) {
    setTextBox(string, layoutOf(action, spacing.getValue(), justification.getValue()), box, center);
}
