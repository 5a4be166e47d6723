// Capture of the nodes that are drawn from the node itself rather than from generated geometry:
// 2-D text (and annotation text printed as text), images and marker sets. Each is reduced to an
// anchor (the origin of the node's coordinates) or to the marker positions gathered in the
// pending buffer, transformed to clip coordinates and handed to the clipping, which reads the
// node's fields.
//
// Also the printed size and angle of annotation text, from the projection of its local frame.
#include "scene/actions/SoCallbackAction.h"
#include "scene/elements/SoAnnoText3CharOrientElement.h"
#include "scene/elements/SoAnnoText3FontSizeHintElement.h"
#include "scene/nodes/SoMarkerSet.h"
#include "scrivane/SoVectorizeAction.h"
#include <cmath>

namespace {
constexpr int kInvisibleStyle = 3;
// The largest printed annotation font, in millimetres.
constexpr float kMaxAnnotationFontSize = 64.0f;

float planarDistance(const SbVec4f &a, const SbVec4f &b) {
    const float dx = a[0] - b[0], dy = a[1] - b[1];
    return std::sqrt(dx * dx + dy * dy);
}
} // namespace

SoCallbackAction::Response SoVectorizeAction::drawText2(SoCallbackAction *action,
                                                        const SoNode *node, int annotation) {
    if (action->getDrawStyle() == kInvisibleStyle) return SoCallbackAction::CONTINUE;
    SbVec4f anchor(0.0f, 0.0f, 0.0f, 1.0f);
    transformPoints(action, &anchor, 1);
    int invisible = 0;
    const SbColor color = getColor(action, 0, invisible);
    if (invisible) return SoCallbackAction::CONTINUE;
    clipText(action, &anchor, color, const_cast<SoNode *>(node), annotation);
    return SoCallbackAction::CONTINUE;
}

SoCallbackAction::Response SoVectorizeAction::drawImage(SoCallbackAction *action,
                                                        const SoNode *node) {
    if (action->getDrawStyle() == kInvisibleStyle) return SoCallbackAction::CONTINUE;
    // Images carry their own pixels: no material colour and no transparency test.
    SbVec4f anchor(0.0f, 0.0f, 0.0f, 1.0f);
    transformPoints(action, &anchor, 1);
    clipImage(action, &anchor, node);
    return SoCallbackAction::CONTINUE;
}

SoCallbackAction::Response SoVectorizeAction::drawMarkerSet(SoCallbackAction *action,
                                                            const SoNode *node) {
    // Under the invisible style drawPoint gathered nothing either.
    if (action->getDrawStyle() == kInvisibleStyle) return SoCallbackAction::CONTINUE;
    transformPoints(action, pointBuffer, pointCount);
    SoMarkerSet *markerSet = const_cast<SoMarkerSet *>(static_cast<const SoMarkerSet *>(node));
    clipPolyMark(action, pointBuffer, pointCount, pointColors, markerSet);
    pendingKind = 0;
    pointCount = 0;
    return SoCallbackAction::CONTINUE;
}

float SoVectorizeAction::computeFontSizeAngleViewing(SoCallbackAction *action, float fontSize,
                                                     float &angle) {
    SoState *state = action->getState();
    const int hint = SoAnnoText3FontSizeHintElement::get(state);
    // The text's local frame: origin and the three axes scaled to the font size. With a hint
    // other than 0 the depth axis plays no part.
    const float s = fontSize;
    SbVec4f frame[4] = {SbVec4f(0, 0, 0, 1), SbVec4f(s, 0, 0, 1), SbVec4f(0, s, 0, 1),
                        SbVec4f(0, 0, s, 1)};
    const int n = (hint == 0) ? 4 : 3;
    transformPoints(action, frame, n);
    for (int i = 0; i < n; i++) {
        const float w = frame[i][3];
        frame[i].setValue(frame[i][0] / w, frame[i][1] / w, frame[i][2] / w, 1.0f);
    }
    // The angle of the projected x axis, in normalized coordinates (before the page mapping).
    if (SoAnnoText3CharOrientElement::get(state))
        angle = std::atan2(frame[1][1] - frame[0][1], frame[1][0] - frame[0][0]);
    else
        angle = 0.0f;
    projectPoints(frame, n);

    const float a = planarDistance(frame[1], frame[0]);
    const float b = planarDistance(frame[2], frame[0]);
    float size;
    if (hint == 0) {
        // As large as the longest projected axis: text turned away from the viewer stays readable.
        const float c = planarDistance(frame[3], frame[0]);
        size = a;
        if (b > size) size = b;
        if (c > size) size = c;
    } else {
        // The shorter in-plane axis: text seen at a slant shrinks.
        size = (b < a) ? b : a;
    }
    // Also when the projected axes are not finite (a font size near the float limit).
    if (!(size > 0.0f)) size = 1.0f;
    if (!std::isfinite(angle)) angle = 0.0f;
    if (size > kMaxAnnotationFontSize) size = kMaxAnnotationFontSize;
    return size / getNominalWidth(MILLIMETER);
}
