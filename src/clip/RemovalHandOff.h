// The one place where a clipped primitive can leave the drawing path for the hidden-line /
// hidden-surface removal driver instead of being printed at once.
//
// Every last clipping stage describes what survived in NPC (x, y in [-1, 1], z <= 1, w = 1) as a
// ClippedPrimitive and offers it here before it projects anything to the page. When the action
// has a removal mode and a driver for the current apply, the driver keeps the primitive and the
// clipping stage is done; otherwise the stage projects the points and calls the format's print
// operation, which is what HIDDEN_NONE does.
#ifndef SCRIVANE_CLIP_REMOVALHANDOFF_H
#define SCRIVANE_CLIP_REMOVALHANDOFF_H
#include "scene/base/SbColor.h"
#include "scene/base/SbString.h"
#include "scene/base/SbVec2s.h"
#include "scene/base/SbVec4f.h"

class SoMarkerSet;
class SoVectorizeAction;

namespace scrivane_clip {

// Everything a store operation of the removal driver needs for one primitive. The arrays belong
// to the clipping stage and are valid only during the hand-off.
struct ClippedPrimitive {
    enum Kind { POLYLINE, POLYMARK, POLYGON, TEXT, IMAGE };
    // How a polygon is drawn, from the draw style: filled, its closed outline, or its vertices.
    enum PolygonStyle { FILLED = 0, LINES = 1, POINTS = 2 };

    Kind kind = POLYLINE;
    // Polylines, marks and polygons.
    const SbVec4f *points = nullptr;
    int count = 0;
    const SbColor *colors = nullptr;
    int multiColor = 0;
    float lineWidth = 0.0f;
    float pointSize = 0.0f;
    unsigned short linePattern = 0xFFFF;
    PolygonStyle polygonStyle = FILLED;
    // Filled polygons: the fill pattern, by the pattern's category and name (null: no names).
    const SbString *patternCategory = nullptr, *patternName = nullptr;
    const unsigned char *patternBits = nullptr;
    // Polygons: null, or one flag per edge (edge i from point i to point i + 1, the last closing);
    // an edge whose flag is 0 is not drawn by the hidden-line mode, and one whose flag is 2 is
    // moreover no limit of what the faces hide (see SoHiddenLines::addPolygon).
    const unsigned char *edgeFlags = nullptr;
    SoMarkerSet *markerSet = nullptr; // marks: null for plain points
    // Text: one primitive for all the lines of a node, anchored at points[0].
    SbColor textColor;
    const char *fontName = "";
    float fontSize = 0.0f;
    int stringCount = 0;
    const SbString *strings = nullptr;
    float spacing = 0.0f;
    int justification = 0;
    float angle = 0.0f;
    // Image, anchored at points[0].
    const unsigned char *pixels = nullptr;
    SbVec2s sourceSize, requestedSize;
    int components = 0;
    int horAlignment = 0, vertAlignment = 0;
};

// True when the removal driver of the current apply took the primitive (it stays in NPC and is
// printed at the end of the removal run); false when the caller must project and print it.
// Without a driver (HIDDEN_NONE, or a removal mode for which no driver was created) the answer
// is false.
bool storeForRemoval(const SoVectorizeAction &action, const ClippedPrimitive &primitive);

} // namespace scrivane_clip

#endif
