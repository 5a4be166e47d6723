// Drawing calls: each writes one drawing record (polylines longer than a record can hold are
// split) and extends the drawn area.
#include "api_common.h"

#include "scrivane_gdi/win_constants.h"
#include "scrivane_gdi/win_functions.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>

using namespace scrivane::gdi;

namespace {

// Windows caps a point record at 16K points; chunks stay below that.
constexpr std::size_t kMaxPointsPerRecord = 16000;
constexpr std::int64_t kMaxRecordBytes = 0x7FFFFFF0;

// Drawing needs a context that records: a printer context records only between StartPage
// and EndPage.
DeviceContext *drawingDc(GdiCall &call, HDC hdc) {
    DeviceContext *dc = call.dc(hdc);
    return dc && dc->recording ? dc : nullptr;
}

std::int32_t clampedSum(std::int64_t a, std::int64_t b) {
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(a + b, INT32_MIN, INT32_MAX));
}

// The caller's points go into the record as they are, without a copy.
void recordPoints(DeviceContext &dc, std::uint32_t type32, std::uint32_t type16,
                  const POINT *points, std::size_t count) {
    const bool use16 = dc.compactPoints && pointsFit16(points, count);
    const RectL bounds = pointBounds(points, count);
    dc.emit([&](RecordBuffer &out) {
        writePolyRecord(out, type32, type16, use16, points, count, bounds);
    });
    dc.includeLogicalBox(bounds);
}

// Size of the colour table and of the pixel rows of an uncompressed DIB; false for the DIBs
// the layer does not record (compressed, palette-index colours, unusual header sizes).
bool dibSizes(const BITMAPINFOHEADER &h, UINT usage, std::size_t &cbBmi, std::size_t &cbBits) {
    const WORD bits = h.biBitCount;
    const bool knownDepth =
        bits == 1 || bits == 4 || bits == 8 || bits == 16 || bits == 24 || bits == 32;
    if (h.biSize != sizeof(BITMAPINFOHEADER) || h.biCompression != BI_RGB || !knownDepth ||
        usage != DIB_RGB_COLORS || h.biWidth <= 0 || h.biHeight == 0 || h.biPlanes != 1)
        return false;
    const std::int64_t paletteMax = bits <= 8 ? (std::int64_t{1} << bits) : 0;
    const std::int64_t colors = h.biClrUsed != 0 ? h.biClrUsed : paletteMax;
    if (colors > std::max<std::int64_t>(paletteMax, 256)) return false;
    const std::int64_t stride = ((std::int64_t{h.biWidth} * bits + 31) / 32) * 4;
    const std::int64_t rows = std::llabs(std::int64_t{h.biHeight});
    const std::int64_t total = stride * rows;
    if (total > kMaxRecordBytes) return false;
    cbBmi = static_cast<std::size_t>(sizeof(BITMAPINFOHEADER) + 4 * colors);
    cbBits = static_cast<std::size_t>(total);
    return true;
}

} // namespace

BOOL Polyline(HDC hdc, const POINT *apt, int cpt) {
    GdiCall call;
    DeviceContext *dc = drawingDc(call, hdc);
    if (!dc || !apt || cpt < 2) return FALSE;
    const auto total = static_cast<std::size_t>(cpt);
    // Consecutive chunks share their end point so that the line stays connected.
    for (std::size_t start = 0; start + 1 < total; start += kMaxPointsPerRecord - 1) {
        const std::size_t count = std::min(kMaxPointsPerRecord, total - start);
        recordPoints(*dc, emr::POLYLINE, emr::POLYLINE16, apt + start, count);
    }
    return TRUE;
}

// A polygon is one record whatever its size: split, it would no longer fill the same area.
BOOL Polygon(HDC hdc, const POINT *apt, int cpt) {
    GdiCall call;
    DeviceContext *dc = drawingDc(call, hdc);
    if (!dc || !apt || cpt < 2) return FALSE;
    recordPoints(*dc, emr::POLYGON, emr::POLYGON16, apt, static_cast<std::size_t>(cpt));
    return TRUE;
}

BOOL MoveToEx(HDC hdc, int x, int y, LPPOINT lppt) {
    GdiCall call;
    DeviceContext *dc = drawingDc(call, hdc);
    if (!dc) return FALSE;
    if (lppt) *lppt = POINT{dc->state.position.x, dc->state.position.y};
    dc->state.position = PointL{x, y};
    dc->emitPoint(emr::MOVETOEX, dc->state.position);
    return TRUE;
}

BOOL LineTo(HDC hdc, int x, int y) {
    GdiCall call;
    DeviceContext *dc = drawingDc(call, hdc);
    if (!dc) return FALSE;
    const PointL ends[2] = {dc->state.position, PointL{x, y}};
    dc->emitPoint(emr::LINETO, ends[1]);
    dc->includeLogicalBox(pointBounds(ends, 2));
    dc->state.position = ends[1];
    return TRUE;
}

// The box is recorded normalised and inclusive; in GM_COMPATIBLE GDI leaves out the right and
// bottom edges, hence the -1. An empty rectangle draws nothing and records nothing.
BOOL Rectangle(HDC hdc, int left, int top, int right, int bottom) {
    GdiCall call;
    DeviceContext *dc = drawingDc(call, hdc);
    if (!dc) return FALSE;
    if (left == right || top == bottom) return TRUE;
    RectL box{std::min(left, right), std::min(top, bottom), std::max(left, right),
              std::max(top, bottom)};
    if (dc->state.graphicsMode == GM_COMPATIBLE) {
        --box.right;
        --box.bottom;
    }
    dc->emitRect(emr::RECTANGLE, box);
    dc->includeLogicalBox(box);
    return TRUE;
}

// Recorded, as Windows records every text call, as EMR_EXTTEXTOUTW. exScale/eyScale give
// 0.01 mm per device pixel (1.0 on the reference device) and apply to GM_COMPATIBLE only.
template <typename Char> static BOOL textOut(HDC hdc, int x, int y, const Char *lpString, int c) {
    GdiCall call;
    DeviceContext *dc = drawingDc(call, hdc);
    if (!dc || c < 0 || (c > 0 && !lpString)) return FALSE;
    float exScale = 0.0f;
    float eyScale = 0.0f;
    if (dc->state.graphicsMode == GM_COMPATIBLE) {
        exScale = static_cast<float>(dc->device.micrometersX / (10.0 * dc->device.horzRes));
        eyScale = static_cast<float>(dc->device.micrometersY / (10.0 * dc->device.vertRes));
    }
    const auto graphicsMode = static_cast<std::uint32_t>(dc->state.graphicsMode);
    dc->emit([&](RecordBuffer &out) {
        writeExtTextOutW(out, graphicsMode, exScale, eyScale, PointL{x, y}, lpString,
                         static_cast<std::size_t>(c));
    });
    return TRUE;
}

BOOL TextOutA(HDC hdc, int x, int y, LPCSTR lpString, int c) {
    return textOut(hdc, x, y, lpString, c);
}

BOOL TextOutW(HDC hdc, int x, int y, LPCWSTR lpString, int c) {
    return textOut(hdc, x, y, lpString, c);
}

int StretchDIBits(HDC hdc, int xDest, int yDest, int DestWidth, int DestHeight, int xSrc, int ySrc,
                  int SrcWidth, int SrcHeight, const void *lpBits, const BITMAPINFO *lpbmi,
                  UINT iUsage, DWORD rop) {
    GdiCall call;
    DeviceContext *dc = drawingDc(call, hdc);
    std::size_t cbBmi = 0;
    std::size_t cbBits = 0;
    if (!dc || !lpBits || !lpbmi || SrcHeight == 0 ||
        !dibSizes(lpbmi->bmiHeader, iUsage, cbBmi, cbBits))
        return 0;
    StretchFields f;
    f.bounds = RectL{xDest, yDest, clampedSum(xDest, std::int64_t{DestWidth} - 1),
                     clampedSum(yDest, std::int64_t{DestHeight} - 1)};
    f.dest = PointL{xDest, yDest};
    f.src = PointL{xSrc, ySrc};
    f.srcSize = SizeL{SrcWidth, SrcHeight};
    f.destSize = SizeL{DestWidth, DestHeight};
    f.usage = iUsage;
    f.rop = rop;
    dc->emit([&](RecordBuffer &out) {
        writeStretchDIBits(out, f, reinterpret_cast<const std::uint8_t *>(lpbmi), cbBmi,
                           static_cast<const std::uint8_t *>(lpBits), cbBits);
    });
    dc->includeLogicalBox(
        RectL{xDest, yDest, clampedSum(xDest, DestWidth), clampedSum(yDest, DestHeight)});
    return std::abs(SrcHeight);
}
