// Clipping of markers, points, 2-D text and images. None of them is cut: a marker or point
// survives or is dropped whole, and a text or an image survives or is dropped as a whole by its
// anchor. What survives is projected to the page and printed, or offered in NPC to the removal
// driver.
#include "ClipSupport.h"
#include "RemovalHandOff.h"
#include "scene/elements/SoFontSizeElement.h"
#include "scene/nodes/SoAnnoText3.h"
#include "scene/nodes/SoImage.h"
#include "scene/nodes/SoMarkerSet.h"
#include "scene/nodes/SoText2.h"
#include "scrivane/SoVectorizeAction.h"
#include <cmath>

namespace {
// In normalized units (the drawing volume spans -1 to 1): ten thousand drawing widths away.
constexpr float kFarthestImageAnchor = 1e4f;
} // namespace

void SoVectorizeAction::clipPolyMark(SoCallbackAction *action, SbVec4f *points, int n,
                                     SbColor *colors, SoMarkerSet *markerSet) {
    if (action->getDrawStyle() == 3) return;
    const int multiColor = scrivane_clip::multiColorFlag(colors, n);
    const float nearZ = scrivane_clip::nearLimit(action).z;

    // Points nearer than the near plane go first (tested before the division), then those outside
    // the drawing volume; the kept points close up in order, each with its colour.
    capturedPrimitives += n;
    int kept = 0;
    for (int i = 0; i < n; i++) {
        if (!scrivane_clip::isFinitePoint(points[i])) {
            nonFiniteCounts.coordinates++;
            continue;
        }
        if (points[i][2] < nearZ) continue;
        points[kept] = points[i];
        colors[kept] = colors[i];
        kept++;
    }
    const float halfWidth = getNormalizedWidth(), halfHeight = getNormalizedHeight();
    int inside = 0;
    for (int i = 0; i < kept; i++) {
        SbVec4f p = points[i];
        scrivane_clip::divideByW(p);
        if (!scrivane_clip::insideDrawingVolume(p, halfWidth, halfHeight)) continue;
        points[inside] = p;
        colors[inside] = colors[i];
        inside++;
    }

    // The print (or store) is made even when no point is left.
    printedPrimitives += inside;
    scrivane_clip::ClippedPrimitive marks;
    marks.kind = scrivane_clip::ClippedPrimitive::POLYMARK;
    marks.points = points;
    marks.count = inside;
    marks.colors = colors;
    marks.multiColor = multiColor;
    marks.pointSize = usablePointSize(action);
    marks.markerSet = markerSet;
    if (scrivane_clip::storeForRemoval(*this, marks)) return;
    projectPoints(points, inside);
    if (markerSet)
        printPolyMark(points, inside, colors, multiColor, markerSet);
    else
        printPolyMark(points, inside, colors, multiColor, marks.pointSize);
}

void SoVectorizeAction::clipText(SoCallbackAction *action, SbVec4f *anchor, SbColor color,
                                 SoNode *node, int annotation) {
    capturedPrimitives++;
    if (!scrivane_clip::isFinitePoint(*anchor)) {
        nonFiniteCounts.coordinates++;
        return;
    }
    if ((*anchor)[2] < scrivane_clip::nearLimit(action).z) return;
    scrivane_clip::divideByW(*anchor);
    // The anchor decides alone: a text is printed whole however far it reaches.
    if (!scrivane_clip::insideDrawingVolume(*anchor, getNormalizedWidth(), getNormalizedHeight()))
        return;

    const SoMFString *strings = nullptr;
    float spacing = 0.0f;
    int justification = 0;
    if (node->isOfType(SoText2::getClassTypeId())) {
        const SoText2 *text = static_cast<const SoText2 *>(node);
        strings = &text->string;
        spacing = text->spacing.getValue();
        justification = text->justification.getValue();
    } else if (node->isOfType(SoAnnoText3::getClassTypeId())) {
        const SoAnnoText3 *text = static_cast<const SoAnnoText3 *>(node);
        strings = &text->string;
        spacing = text->spacing.getValue();
        justification = text->justification.getValue();
    } else {
        return;
    }

    if (!scrivane_clip::isUsableSize(spacing)) {
        spacing = 1.0f;
        nonFiniteCounts.textSpacings++;
    }
    float fontSize = action->getFontSize();
    if (!scrivane_clip::isUsableSize(fontSize)) {
        fontSize = SoFontSizeElement::getDefault();
        nonFiniteCounts.fontSizes++;
    }
    float angle = 0.0f;
    if (annotation) fontSize = computeFontSizeAngleViewing(action, fontSize, angle);
    const SbName &fontName = action->getFontName();

    scrivane_clip::ClippedPrimitive text;
    printedPrimitives++;
    text.kind = scrivane_clip::ClippedPrimitive::TEXT;
    text.points = anchor;
    text.count = 1;
    text.textColor = color;
    text.fontName = fontName.getString();
    text.fontSize = fontSize;
    text.stringCount = strings->getNum();
    text.strings = strings->getValues(0);
    text.spacing = spacing;
    text.justification = justification;
    text.angle = angle;
    if (scrivane_clip::storeForRemoval(*this, text)) return;

    projectPoints(anchor, 1);
    // Each further line goes straight down the page, whatever the angle.
    const float lineStep = spacing * fontSize * getNominalWidth(MILLIMETER);
    for (int i = 0; i < strings->getNum(); i++) {
        printText2(*anchor, color, fontName.getString(), fontSize, (*strings)[i].getString(),
                   justification, angle);
        (*anchor)[1] -= lineStep;
    }
}

void SoVectorizeAction::clipImage(SoCallbackAction *action, SbVec4f *anchor, const SoNode *node) {
    capturedPrimitives++;
    if (!scrivane_clip::isFinitePoint(*anchor)) {
        nonFiniteCounts.coordinates++;
        return;
    }
    if ((*anchor)[2] < scrivane_clip::nearLimit(action).z) return;
    scrivane_clip::divideByW(*anchor);
    // Only the far plane: whether the image's rectangle meets the page is the format's decision.
    // An anchor this far from the drawing volume (or overflowed by the division) cannot bring
    // any image onto the page, and its page position could overflow the format's numbers.
    if (!((*anchor)[2] <= 1.0f)) return;
    if (!(std::fabs((*anchor)[0]) <= kFarthestImageAnchor &&
          std::fabs((*anchor)[1]) <= kFarthestImageAnchor))
        return;
    if (!node->isOfType(SoImage::getClassTypeId())) return;
    const SoImage *image = static_cast<const SoImage *>(node);

    SbVec2s sourceSize;
    int components = 0;
    const unsigned char *pixels = image->image.getValue(sourceSize, components);
    // A negative width or height field means the source's own.
    const int width = image->width.getValue(), height = image->height.getValue();
    SbVec2s requestedSize(static_cast<short>(width >= 0 ? width : sourceSize[0]),
                          static_cast<short>(height >= 0 ? height : sourceSize[1]));
    // The fields hold whatever number a scene file gives; one that names no alignment draws as
    // the default, as every writer draws it.
    const int hor = image->horAlignment.getValue(), vert = image->vertAlignment.getValue();
    const SoImage::HorAlignment horAlign =
        hor == SoImage::CENTER || hor == SoImage::RIGHT ? static_cast<SoImage::HorAlignment>(hor)
                                                        : SoImage::LEFT;
    const SoImage::VertAlignment vertAlign =
        vert == SoImage::HALF || vert == SoImage::TOP ? static_cast<SoImage::VertAlignment>(vert)
                                                      : SoImage::BOTTOM;

    scrivane_clip::ClippedPrimitive picture;
    printedPrimitives++;
    picture.kind = scrivane_clip::ClippedPrimitive::IMAGE;
    picture.points = anchor;
    picture.count = 1;
    picture.pixels = pixels;
    picture.sourceSize = sourceSize;
    picture.requestedSize = requestedSize;
    picture.components = components;
    picture.horAlignment = horAlign;
    picture.vertAlignment = vertAlign;
    if (scrivane_clip::storeForRemoval(*this, picture)) return;

    projectPoints(anchor, 1);
    printImage(*anchor, pixels, sourceSize, requestedSize, components, horAlign, vertAlign);
}
