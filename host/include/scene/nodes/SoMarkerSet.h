#ifndef SCENE_SOMARKERSET_H
#define SCENE_SOMARKERSET_H
#include "scene/SceneExport.h"
#include "scene/base/SbBasic.h"
#include "scene/base/SbVec2s.h"
#include "scene/fields/SoMFInt32.h"
#include "scene/nodes/SoPointSet.h"

// Points drawn as bitmap markers; markerIndex selects the marker of each point in turn (90 built-in
// markers: 30 shapes in 5x5, 7x7 and 9x9).
class SCENE_API SoMarkerSet : public SoPointSet {
public:
    enum MarkerType {
        NONE = -1,
        CROSS_5_5 = 0,
        PLUS_5_5 = 1,
        MINUS_5_5 = 2,
        SLASH_5_5 = 3,
        BACKSLASH_5_5 = 4,
        BAR_5_5 = 5,
        STAR_5_5 = 6,
        Y_5_5 = 7,
        LIGHTNING_5_5 = 8,
        WELL_5_5 = 9,
        CIRCLE_LINE_5_5 = 10,
        SQUARE_LINE_5_5 = 11,
        DIAMOND_LINE_5_5 = 12,
        TRIANGLE_LINE_5_5 = 13,
        RHOMBUS_LINE_5_5 = 14,
        HOURGLASS_LINE_5_5 = 15,
        SATELLITE_LINE_5_5 = 16,
        PINE_TREE_LINE_5_5 = 17,
        CAUTION_LINE_5_5 = 18,
        SHIP_LINE_5_5 = 19,
        CIRCLE_FILLED_5_5 = 20,
        SQUARE_FILLED_5_5 = 21,
        DIAMOND_FILLED_5_5 = 22,
        TRIANGLE_FILLED_5_5 = 23,
        RHOMBUS_FILLED_5_5 = 24,
        HOURGLASS_FILLED_5_5 = 25,
        SATELLITE_FILLED_5_5 = 26,
        PINE_TREE_FILLED_5_5 = 27,
        CAUTION_FILLED_5_5 = 28,
        SHIP_FILLED_5_5 = 29,
        CROSS_7_7 = 30,
        PLUS_7_7 = 31,
        MINUS_7_7 = 32,
        SLASH_7_7 = 33,
        BACKSLASH_7_7 = 34,
        BAR_7_7 = 35,
        STAR_7_7 = 36,
        Y_7_7 = 37,
        LIGHTNING_7_7 = 38,
        WELL_7_7 = 39,
        CIRCLE_LINE_7_7 = 40,
        SQUARE_LINE_7_7 = 41,
        DIAMOND_LINE_7_7 = 42,
        TRIANGLE_LINE_7_7 = 43,
        RHOMBUS_LINE_7_7 = 44,
        HOURGLASS_LINE_7_7 = 45,
        SATELLITE_LINE_7_7 = 46,
        PINE_TREE_LINE_7_7 = 47,
        CAUTION_LINE_7_7 = 48,
        SHIP_LINE_7_7 = 49,
        CIRCLE_FILLED_7_7 = 50,
        SQUARE_FILLED_7_7 = 51,
        DIAMOND_FILLED_7_7 = 52,
        TRIANGLE_FILLED_7_7 = 53,
        RHOMBUS_FILLED_7_7 = 54,
        HOURGLASS_FILLED_7_7 = 55,
        SATELLITE_FILLED_7_7 = 56,
        PINE_TREE_FILLED_7_7 = 57,
        CAUTION_FILLED_7_7 = 58,
        SHIP_FILLED_7_7 = 59,
        CROSS_9_9 = 60,
        PLUS_9_9 = 61,
        MINUS_9_9 = 62,
        SLASH_9_9 = 63,
        BACKSLASH_9_9 = 64,
        BAR_9_9 = 65,
        STAR_9_9 = 66,
        Y_9_9 = 67,
        LIGHTNING_9_9 = 68,
        WELL_9_9 = 69,
        CIRCLE_LINE_9_9 = 70,
        SQUARE_LINE_9_9 = 71,
        DIAMOND_LINE_9_9 = 72,
        TRIANGLE_LINE_9_9 = 73,
        RHOMBUS_LINE_9_9 = 74,
        HOURGLASS_LINE_9_9 = 75,
        SATELLITE_LINE_9_9 = 76,
        PINE_TREE_LINE_9_9 = 77,
        CAUTION_LINE_9_9 = 78,
        SHIP_LINE_9_9 = 79,
        CIRCLE_FILLED_9_9 = 80,
        SQUARE_FILLED_9_9 = 81,
        DIAMOND_FILLED_9_9 = 82,
        TRIANGLE_FILLED_9_9 = 83,
        RHOMBUS_FILLED_9_9 = 84,
        HOURGLASS_FILLED_9_9 = 85,
        SATELLITE_FILLED_9_9 = 86,
        PINE_TREE_FILLED_9_9 = 87,
        CAUTION_FILLED_9_9 = 88,
        SHIP_FILLED_9_9 = 89
    };
    static void initClass();
    static SoType getClassTypeId() { return classTypeId; }
    SoType getTypeId() const override { return classTypeId; }
    SoMarkerSet();

    SoMFInt32 markerIndex;
    // The bitmap of a marker: size, bytes (rows padded to whole bytes, most significant bit the
    // leftmost pixel, rows from the bottom up) and the bit order flag (always FALSE here).
    static SbBool getMarker(int markerIndex, SbVec2s &size, const unsigned char *&bytes, SbBool &isLSBFirst);
    // Whether bit number row x width + column of a marker is set (row 0 the bottom row).
    static SbBool isMarkerBitSet(int markerIndex, int bitNumber);
    // Adds (or replaces) a marker; the bytes are copied. Rows bottom to top, MSB first unless
    // isLSBFirst. Indices 0..89 are the built-in markers.
    static void addMarker(int markerIndex, const SbVec2s &size, const unsigned char *bytes, SbBool isLSBFirst = FALSE, SbBool isUpToDown = FALSE);
    // One more than the highest index that names a marker (at least 90, the built-in ones).
    static int getNumDefinedMarkers();

protected:
    ~SoMarkerSet() override = default;

private:
    static SoType classTypeId;
};

#endif
