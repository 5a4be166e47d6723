// The marker bitmaps of SoMarkerSet: the 90 built-in markers and those the application adds.
//
// Every marker is kept as rows of (width + 7) / 8 bytes, bottom row first, the most significant
// bit of a byte being the leftmost pixel of its eight. Markers added with addMarker are converted
// to that layout and live in a process-wide table until replaced (which invalidates the bytes
// getMarker returned for that index) or until the program ends; an added marker with an index
// of 0..89 hides the built-in one.
#include <map>
#include <utility>
#include <vector>

#include "nodes/MarkerBitmaps.h"
#include "scene/nodes/SoMarkerSet.h"

namespace {

struct AddedMarker {
    int width = 0, height = 0;
    std::vector<unsigned char> bytes;
};

std::map<int, AddedMarker> &addedMarkers() {
    static std::map<int, AddedMarker> table;
    return table;
}

bool lookup(int index, int &width, int &height, const unsigned char *&bytes) {
    const std::map<int, AddedMarker> &table = addedMarkers();
    auto it = table.find(index);
    if (it != table.end()) {
        width = it->second.width;
        height = it->second.height;
        bytes = it->second.bytes.data();
        return true;
    }
    return scene_detail::builtinMarker(index, width, height, bytes);
}

} // namespace

SbBool SoMarkerSet::getMarker(int index, SbVec2s &size, const unsigned char *&bytes, SbBool &isLSBFirst) {
    int width = 0, height = 0;
    const unsigned char *data = nullptr;
    if (!lookup(index, width, height, data)) return FALSE;
    size.setValue(static_cast<short>(width), static_cast<short>(height));
    bytes = data;
    isLSBFirst = FALSE;
    return TRUE;
}

SbBool SoMarkerSet::isMarkerBitSet(int index, int bitNumber) {
    int width = 0, height = 0;
    const unsigned char *data = nullptr;
    if (!lookup(index, width, height, data) || width <= 0) return FALSE;
    if (bitNumber < 0 || bitNumber >= width * height) return FALSE;
    const int row = bitNumber / width, column = bitNumber % width;
    const int rowBytes = (width + 7) / 8;
    return (data[row * rowBytes + column / 8] >> (7 - column % 8)) & 1 ? TRUE : FALSE;
}

void SoMarkerSet::addMarker(int index, const SbVec2s &size, const unsigned char *bytes, SbBool isLSBFirst,
                            SbBool isUpToDown) {
    const int width = size[0], height = size[1];
    if (index < 0 || width <= 0 || height <= 0 || !bytes) return;
    const int rowBytes = (width + 7) / 8;
    AddedMarker marker;
    marker.width = width;
    marker.height = height;
    marker.bytes.assign(static_cast<size_t>(rowBytes) * static_cast<size_t>(height), 0);
    for (int row = 0; row < height; row++) {
        // Stored row `row` counts from the bottom; the source may run from the top.
        const int sourceRow = isUpToDown ? height - 1 - row : row;
        const unsigned char *source = bytes + static_cast<size_t>(sourceRow) * static_cast<size_t>(rowBytes);
        unsigned char *target = marker.bytes.data() + static_cast<size_t>(row) * static_cast<size_t>(rowBytes);
        for (int column = 0; column < width; column++) {
            const int shift = isLSBFirst ? column % 8 : 7 - column % 8;
            if ((source[column / 8] >> shift) & 1) target[column / 8] |= static_cast<unsigned char>(0x80 >> (column % 8));
        }
    }
    addedMarkers()[index] = std::move(marker);
}

// One more than the highest index that names a marker: the built-in markers always count.
int SoMarkerSet::getNumDefinedMarkers() {
    const std::map<int, AddedMarker> &table = addedMarkers();
    int count = scene_detail::builtinMarkerCount();
    if (!table.empty() && table.rbegin()->first + 1 > count) count = table.rbegin()->first + 1;
    return count;
}
