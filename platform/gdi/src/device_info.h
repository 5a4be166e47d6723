// What a device context reports about its device (GetDeviceCaps) and the logical <-> device
// coordinate mapping of the map modes with fixed scales.
#ifndef SCRIVANE_GDI_DEVICE_INFO_H
#define SCRIVANE_GDI_DEVICE_INFO_H

#include "record_builder.h"

#include <cstdint>

namespace scrivane::gdi {

struct DeviceInfo {
    int technology = 0;
    int horzSizeMm = 0; // printable area, whole millimetres
    int vertSizeMm = 0;
    int horzRes = 0; // printable area, pixels
    int vertRes = 0;
    int logPixelsX = 0;
    int logPixelsY = 0;
    int physicalWidth = 0; // printers only: sheet and printable-area offset, pixels
    int physicalHeight = 0;
    int physicalOffsetX = 0;
    int physicalOffsetY = 0;
    int bitsPixel = 24;
    std::int32_t micrometersX = 0; // exact printable size, for the metafile header
    std::int32_t micrometersY = 0;
};

// The virtual device of metafiles made without a reference context: A4 at exactly 100 pixels
// per millimetre, so that one device pixel is one MM_HIMETRIC unit.
DeviceInfo metafileReferenceDevice();
// The printer behind the print-to-file destination: A4 sheet at 600 dpi, printable area
// inset by 118 pixels (5 mm) on every side, as on a typical laser printer. The printable area
// (4724 x 6780 pixels) is within 0.02 mm of whole millimetres (200 x 287), so the metric map
// modes, which GDI derives from the size in whole millimetres, are nearly exact.
DeviceInfo a4LaserPrinter();
// A 96-dpi raster display of the given size in pixels.
DeviceInfo rasterDisplay(int widthPixels, int heightPixels);

int deviceCaps(const DeviceInfo &device, int index);

struct Mapping {
    int mapMode = 1; // MM_TEXT
    PointL windowOrg;
    PointL viewportOrg;
};

bool isSupportedMapMode(int mapMode);
PointL logicalToDevice(const DeviceInfo &device, const Mapping &mapping, PointL p);
PointL deviceToLogical(const DeviceInfo &device, const Mapping &mapping, PointL p);

// a * b / c rounded half away from zero, clamped to the 32-bit range (c != 0).
std::int32_t mulDivRound(std::int64_t a, std::int64_t b, std::int64_t c);

// Conversions between a box in 0.01 mm and device pixels, through the exact size in
// micrometres.
RectL hundredthsMmToDevice(const DeviceInfo &device, const RectL &frame);
RectL deviceToHundredthsMm(const DeviceInfo &device, const RectL &box);

} // namespace scrivane::gdi

#endif
