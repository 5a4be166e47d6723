// Device-context state: modes, window origin, coordinate conversion, text attributes, clip.
#include "api_common.h"

#include "scrivane_gdi/win_constants.h"
#include "scrivane_gdi/win_functions.h"

#include <cmath>

using namespace scrivane::gdi;

namespace {

using Convert = PointL (DeviceContext::*)(PointL) const;

BOOL convertPoints(HDC hdc, LPPOINT points, int count, Convert convert) {
    GdiCall call;
    const DeviceContext *dc = call.dc(hdc);
    if (!dc || count < 0 || (count > 0 && !points)) return FALSE;
    for (int i = 0; i < count; ++i) {
        const PointL p = (dc->*convert)(PointL{points[i].x, points[i].y});
        points[i].x = p.x;
        points[i].y = p.y;
    }
    return TRUE;
}

} // namespace

// The graphics mode has no metafile record; it is kept for text records and Rectangle.
int SetGraphicsMode(HDC hdc, int iMode) {
    GdiCall call;
    DeviceContext *dc = call.dc(hdc);
    if (!dc || (iMode != GM_COMPATIBLE && iMode != GM_ADVANCED)) return 0;
    const int previous = dc->state.graphicsMode;
    dc->state.graphicsMode = iMode;
    return previous;
}

int GetGraphicsMode(HDC hdc) {
    GdiCall call;
    const DeviceContext *dc = call.dc(hdc);
    return dc ? dc->state.graphicsMode : 0;
}

// MM_ISOTROPIC and MM_ANISOTROPIC are refused: without SetWindowExtEx/SetViewportExtEx
// their scale could not be set.
int SetMapMode(HDC hdc, int iMode) {
    GdiCall call;
    DeviceContext *dc = call.dc(hdc);
    if (!dc || !isSupportedMapMode(iMode)) return 0;
    const int previous = dc->state.mapMode;
    dc->state.mapMode = iMode;
    dc->emitU32(emr::SETMAPMODE, static_cast<std::uint32_t>(iMode));
    return previous;
}

int GetMapMode(HDC hdc) {
    GdiCall call;
    const DeviceContext *dc = call.dc(hdc);
    return dc ? dc->state.mapMode : 0;
}

BOOL SetWindowOrgEx(HDC hdc, int x, int y, LPPOINT lppt) {
    GdiCall call;
    DeviceContext *dc = call.dc(hdc);
    if (!dc) return FALSE;
    if (lppt) *lppt = POINT{dc->state.windowOrg.x, dc->state.windowOrg.y};
    dc->state.windowOrg = PointL{x, y};
    dc->emitPoint(emr::SETWINDOWORGEX, dc->state.windowOrg);
    return TRUE;
}

BOOL GetWindowOrgEx(HDC hdc, LPPOINT lppt) {
    GdiCall call;
    const DeviceContext *dc = call.dc(hdc);
    if (!dc || !lppt) return FALSE;
    *lppt = POINT{dc->state.windowOrg.x, dc->state.windowOrg.y};
    return TRUE;
}

int GetDeviceCaps(HDC hdc, int index) {
    GdiCall call;
    const DeviceContext *dc = call.dc(hdc);
    return dc ? deviceCaps(dc->device, index) : 0;
}

BOOL DPtoLP(HDC hdc, LPPOINT lppt, int c) {
    return convertPoints(hdc, lppt, c, &DeviceContext::toLogical);
}

BOOL LPtoDP(HDC hdc, LPPOINT lppt, int c) {
    return convertPoints(hdc, lppt, c, &DeviceContext::toDevice);
}

// The record holds the limit as an integer (what readers decode), so the value must fit.
BOOL SetMiterLimit(HDC hdc, FLOAT limit, FLOAT *old) {
    GdiCall call;
    DeviceContext *dc = call.dc(hdc);
    if (!dc || !std::isfinite(limit) || limit < 0.0f || limit > 4294967040.0f) return FALSE;
    if (old) *old = dc->state.miterLimit;
    dc->state.miterLimit = limit;
    dc->emitU32(emr::SETMITERLIMIT, static_cast<std::uint32_t>(limit));
    return TRUE;
}

COLORREF SetTextColor(HDC hdc, COLORREF color) {
    GdiCall call;
    DeviceContext *dc = call.dc(hdc);
    if (!dc) return CLR_INVALID;
    const COLORREF previous = dc->state.textColor;
    dc->state.textColor = color;
    dc->emitU32(emr::SETTEXTCOLOR, color);
    return previous;
}

UINT SetTextAlign(HDC hdc, UINT align) {
    GdiCall call;
    DeviceContext *dc = call.dc(hdc);
    if (!dc) return GDI_ERROR;
    const UINT previous = dc->state.textAlign;
    dc->state.textAlign = align;
    dc->emitU32(emr::SETTEXTALIGN, align);
    return previous;
}

int SetBkMode(HDC hdc, int mode) {
    GdiCall call;
    DeviceContext *dc = call.dc(hdc);
    if (!dc || (mode != TRANSPARENT && mode != OPAQUE)) return 0;
    const int previous = dc->state.bkMode;
    dc->state.bkMode = mode;
    dc->emitU32(emr::SETBKMODE, static_cast<std::uint32_t>(mode));
    return previous;
}

int SelectClipRgn(HDC hdc, HRGN hrgn) {
    GdiCall call;
    DeviceContext *dc = call.dc(hdc);
    if (!dc) return RGN_ERROR;
    if (!hrgn) {
        setClip(*dc, std::nullopt);
        return SIMPLEREGION;
    }
    const auto *region = payloadAs<RegionObject>(call.table.find(handleValue(hrgn)));
    if (!region) return RGN_ERROR;
    setClip(*dc, region->box);
    return region->empty() ? NULLREGION : SIMPLEREGION;
}
