// The hand-off of clipped primitives to the removal driver (see RemovalHandOff.h).
#include "RemovalHandOff.h"
#include "scrivane/SoHLHSRVectorize.h"
#include "scrivane/SoVectorizeAction.h"

namespace scrivane_clip {

namespace {
SbString nameOrEmpty(const SbString *name) {
    return name ? *name : SbString();
}
} // namespace

bool storeForRemoval(const SoVectorizeAction &action, const ClippedPrimitive &primitive) {
    if (action.getHLHSRMode() == SoVectorizeAction::HIDDEN_NONE) return false;
    SoHLHSRVectorize *driver = action.getHLHSRVectorize();
    if (driver == nullptr) return false; // the driver could not be created: print at once
    // The store operations copy what they keep; the clipper's arrays stay the clipper's.
    SbVec4f *points = const_cast<SbVec4f *>(primitive.points);
    switch (primitive.kind) {
    case ClippedPrimitive::POLYLINE:
        driver->storePolyLine(points, primitive.count, primitive.colors, primitive.multiColor,
                              primitive.lineWidth, primitive.linePattern);
        break;
    case ClippedPrimitive::POLYMARK:
        driver->storePolyMark(points, primitive.count, primitive.colors, primitive.multiColor,
                              primitive.pointSize, primitive.markerSet);
        break;
    case ClippedPrimitive::POLYGON:
        driver->storePolygon(points, primitive.count, primitive.colors, primitive.multiColor,
                             primitive.lineWidth, primitive.pointSize, primitive.linePattern,
                             static_cast<SoHLHSRVectorize::PolygonStyle>(primitive.polygonStyle),
                             nameOrEmpty(primitive.patternCategory),
                             nameOrEmpty(primitive.patternName), primitive.patternBits,
                             primitive.edgeFlags);
        break;
    case ClippedPrimitive::TEXT:
        driver->storeText2D(points, primitive.textColor, primitive.fontName, primitive.fontSize,
                            primitive.stringCount, primitive.strings, primitive.spacing,
                            primitive.justification, primitive.angle);
        break;
    case ClippedPrimitive::IMAGE:
        driver->storeImage(points[0], primitive.pixels, primitive.sourceSize,
                           primitive.requestedSize, primitive.components,
                           static_cast<SoImage::HorAlignment>(primitive.horAlignment),
                           static_cast<SoImage::VertAlignment>(primitive.vertAlignment));
        break;
    }
    return true;
}

} // namespace scrivane_clip
