#include "device_info.h"

#include "scrivane_gdi/win_constants.h"

#include <algorithm>
#include <limits>

namespace scrivane::gdi {

namespace {

std::int32_t clamp32(std::int64_t v) {
    constexpr std::int64_t lo = std::numeric_limits<std::int32_t>::min();
    constexpr std::int64_t hi = std::numeric_limits<std::int32_t>::max();
    return static_cast<std::int32_t>(std::clamp(v, lo, hi));
}

// Window and viewport extents that GDI sets for a map mode: the metric and English modes map
// the device's printable size in their unit onto its pixel size, y growing upward.
struct Extents {
    std::int64_t windowX = 1;
    std::int64_t windowY = 1;
    std::int64_t viewportX = 1;
    std::int64_t viewportY = 1;
};

Extents extentsFor(const DeviceInfo &d, int mapMode) {
    Extents e;
    if (mapMode == MM_TEXT || !isSupportedMapMode(mapMode)) return e;
    std::int64_t num = 1;
    std::int64_t den = 1;
    switch (mapMode) {
    case MM_LOMETRIC:
        num = 10;
        break;
    case MM_HIMETRIC:
        num = 100;
        break;
    case MM_LOENGLISH:
        num = 1000, den = 254;
        break;
    case MM_HIENGLISH:
        num = 10000, den = 254;
        break;
    case MM_TWIPS:
        num = 14400, den = 254;
        break;
    default:
        break;
    }
    e.windowX = mulDivRound(d.horzSizeMm, num, den);
    e.windowY = mulDivRound(d.vertSizeMm, num, den);
    e.viewportX = d.horzRes;
    e.viewportY = -static_cast<std::int64_t>(d.vertRes);
    if (e.windowX == 0 || e.windowY == 0 || e.viewportX == 0 || e.viewportY == 0) return Extents{};
    return e;
}

} // namespace

std::int32_t mulDivRound(std::int64_t a, std::int64_t b, std::int64_t c) {
    if (c < 0) {
        a = -a;
        c = -c;
    }
    const std::int64_t n = a * b;
    const std::int64_t q = n >= 0 ? (2 * n + c) / (2 * c) : -((-2 * n + c) / (2 * c));
    return clamp32(q);
}

DeviceInfo metafileReferenceDevice() {
    DeviceInfo d;
    d.technology = DT_RASDISPLAY;
    d.horzSizeMm = 210;
    d.vertSizeMm = 297;
    d.horzRes = 21000;
    d.vertRes = 29700;
    d.logPixelsX = 2540;
    d.logPixelsY = 2540;
    d.micrometersX = 210000;
    d.micrometersY = 297000;
    return d;
}

DeviceInfo a4LaserPrinter() {
    constexpr int dpi = 600;
    constexpr int margin = 118; // 5 mm
    DeviceInfo d;
    d.technology = DT_RASPRINTER;
    d.physicalWidth = 4960;  // 210 mm
    d.physicalHeight = 7016; // 297 mm
    d.physicalOffsetX = margin;
    d.physicalOffsetY = margin;
    d.horzRes = d.physicalWidth - 2 * margin;
    d.vertRes = d.physicalHeight - 2 * margin;
    d.logPixelsX = dpi;
    d.logPixelsY = dpi;
    d.micrometersX = mulDivRound(d.horzRes, 25400, dpi);
    d.micrometersY = mulDivRound(d.vertRes, 25400, dpi);
    d.horzSizeMm = mulDivRound(d.micrometersX, 1, 1000);
    d.vertSizeMm = mulDivRound(d.micrometersY, 1, 1000);
    return d;
}

DeviceInfo rasterDisplay(int widthPixels, int heightPixels) {
    constexpr int dpi = 96;
    DeviceInfo d;
    d.technology = DT_RASDISPLAY;
    d.horzRes = widthPixels;
    d.vertRes = heightPixels;
    d.logPixelsX = dpi;
    d.logPixelsY = dpi;
    d.bitsPixel = 32;
    d.micrometersX = mulDivRound(widthPixels, 25400, dpi);
    d.micrometersY = mulDivRound(heightPixels, 25400, dpi);
    d.horzSizeMm = std::max(1, mulDivRound(d.micrometersX, 1, 1000));
    d.vertSizeMm = std::max(1, mulDivRound(d.micrometersY, 1, 1000));
    return d;
}

int deviceCaps(const DeviceInfo &d, int index) {
    switch (index) {
    case DRIVERVERSION:
        return 0x4000;
    case TECHNOLOGY:
        return d.technology;
    case HORZSIZE:
        return d.horzSizeMm;
    case VERTSIZE:
        return d.vertSizeMm;
    case HORZRES:
        return d.horzRes;
    case VERTRES:
        return d.vertRes;
    case BITSPIXEL:
        return d.bitsPixel;
    case PLANES:
        return 1;
    case NUMCOLORS:
        return -1;
    case ASPECTX:
    case ASPECTY:
        return 36;
    case ASPECTXY:
        return 51;
    case LOGPIXELSX:
        return d.logPixelsX;
    case LOGPIXELSY:
        return d.logPixelsY;
    case PHYSICALWIDTH:
        return d.physicalWidth;
    case PHYSICALHEIGHT:
        return d.physicalHeight;
    case PHYSICALOFFSETX:
        return d.physicalOffsetX;
    case PHYSICALOFFSETY:
        return d.physicalOffsetY;
    default:
        return 0;
    }
}

bool isSupportedMapMode(int mapMode) {
    return mapMode >= MM_TEXT && mapMode <= MM_TWIPS;
}

PointL logicalToDevice(const DeviceInfo &device, const Mapping &m, PointL p) {
    const Extents e = extentsFor(device, m.mapMode);
    const std::int64_t x = mulDivRound(std::int64_t{p.x} - m.windowOrg.x, e.viewportX, e.windowX);
    const std::int64_t y = mulDivRound(std::int64_t{p.y} - m.windowOrg.y, e.viewportY, e.windowY);
    return PointL{clamp32(x + m.viewportOrg.x), clamp32(y + m.viewportOrg.y)};
}

PointL deviceToLogical(const DeviceInfo &device, const Mapping &m, PointL p) {
    const Extents e = extentsFor(device, m.mapMode);
    const std::int64_t x = mulDivRound(std::int64_t{p.x} - m.viewportOrg.x, e.windowX, e.viewportX);
    const std::int64_t y = mulDivRound(std::int64_t{p.y} - m.viewportOrg.y, e.windowY, e.viewportY);
    return PointL{clamp32(x + m.windowOrg.x), clamp32(y + m.windowOrg.y)};
}

RectL hundredthsMmToDevice(const DeviceInfo &d, const RectL &f) {
    const std::int64_t umX = d.micrometersX;
    const std::int64_t umY = d.micrometersY;
    return RectL{mulDivRound(f.left, 10 * std::int64_t{d.horzRes}, umX),
                 mulDivRound(f.top, 10 * std::int64_t{d.vertRes}, umY),
                 mulDivRound(f.right, 10 * std::int64_t{d.horzRes}, umX),
                 mulDivRound(f.bottom, 10 * std::int64_t{d.vertRes}, umY)};
}

RectL deviceToHundredthsMm(const DeviceInfo &d, const RectL &b) {
    const std::int64_t resX = 10 * std::int64_t{d.horzRes};
    const std::int64_t resY = 10 * std::int64_t{d.vertRes};
    return RectL{
        mulDivRound(b.left, d.micrometersX, resX), mulDivRound(b.top, d.micrometersY, resY),
        mulDivRound(b.right, d.micrometersX, resX), mulDivRound(b.bottom, d.micrometersY, resY)};
}

} // namespace scrivane::gdi
