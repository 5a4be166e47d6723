// Pens, brushes, fonts, regions and stock objects; selecting and deleting them.
#include "api_common.h"
#include "text_codec.h"

#include "scrivane_gdi/win_constants.h"
#include "scrivane_gdi/win_functions.h"

#include <algorithm>
#include <cstring>

using namespace scrivane::gdi;

namespace {

constexpr DWORD kMaxStyleEntries = 16;

bool validExtPenStyle(DWORD style) {
    const DWORD type = style & PS_TYPE_MASK;
    const DWORD line = style & PS_STYLE_MASK;
    const DWORD cap = style & PS_ENDCAP_MASK;
    const DWORD join = style & PS_JOIN_MASK;
    const DWORD known = PS_TYPE_MASK | PS_STYLE_MASK | PS_ENDCAP_MASK | PS_JOIN_MASK;
    if ((style & ~known) != 0 || cap > PS_ENDCAP_FLAT || join > PS_JOIN_MITER) return false;
    if (type == PS_COSMETIC) return line <= PS_ALTERNATE && line != PS_INSIDEFRAME;
    return type == PS_GEOMETRIC && line <= PS_USERSTYLE;
}

bool validExtPenBrush(DWORD style, const LOGBRUSH &brush) {
    if ((style & PS_TYPE_MASK) == PS_COSMETIC) return brush.lbStyle == BS_SOLID;
    return brush.lbStyle == BS_SOLID || brush.lbStyle == BS_NULL || brush.lbStyle == BS_HATCHED;
}

std::uintptr_t *selectionSlot(DcState &state, const ObjectPayload &payload) {
    if (isPen(payload)) return &state.pen;
    if (isBrush(payload)) return &state.brush;
    if (isFont(payload)) return &state.font;
    return nullptr;
}

} // namespace

HBRUSH CreateSolidBrush(COLORREF color) {
    GdiCall call;
    return toHandle<HBRUSH>(
        call.table.add(BrushObject{static_cast<std::uint32_t>(BS_SOLID), color, 0}));
}

HPEN CreatePen(int iStyle, int cWidth, COLORREF color) {
    GdiCall call;
    if (iStyle < PS_SOLID || iStyle > PS_INSIDEFRAME) return nullptr;
    PenObject pen;
    pen.style = static_cast<std::uint32_t>(iStyle);
    pen.width = cWidth;
    pen.color = color;
    return toHandle<HPEN>(call.table.add(pen));
}

// Cosmetic pens are one pixel wide and solid-coloured; style entries go with PS_USERSTYLE only.
HPEN ExtCreatePen(DWORD iPenStyle, DWORD cWidth, const LOGBRUSH *plbrush, DWORD cStyle,
                  const DWORD *pstyle) {
    GdiCall call;
    if (!plbrush || !validExtPenStyle(iPenStyle) || !validExtPenBrush(iPenStyle, *plbrush))
        return nullptr;
    const bool user = (iPenStyle & PS_STYLE_MASK) == static_cast<DWORD>(PS_USERSTYLE);
    if (user ? (cStyle == 0 || cStyle > kMaxStyleEntries || !pstyle) : cStyle != 0) return nullptr;
    if ((iPenStyle & PS_TYPE_MASK) == PS_COSMETIC && cWidth != 1) return nullptr;
    PenObject pen;
    pen.extended = true;
    pen.ext.style = iPenStyle;
    pen.ext.width = cWidth;
    pen.ext.brushStyle = plbrush->lbStyle;
    pen.ext.color = plbrush->lbColor;
    pen.ext.hatch =
        plbrush->lbStyle == BS_HATCHED ? static_cast<std::uint32_t>(plbrush->lbHatch) : 0;
    if (user) pen.ext.styleEntries.assign(pstyle, pstyle + cStyle);
    return toHandle<HPEN>(call.table.add(std::move(pen)));
}

HFONT CreateFontA(int cHeight, int cWidth, int cEscapement, int cOrientation, int cWeight,
                  DWORD bItalic, DWORD bUnderline, DWORD bStrikeOut, DWORD iCharSet,
                  DWORD iOutPrecision, DWORD iClipPrecision, DWORD iQuality, DWORD iPitchAndFamily,
                  LPCSTR pszFaceName) {
    GdiCall call;
    LogFontW f;
    f.height = cHeight;
    f.width = cWidth;
    f.escapement = cEscapement;
    f.orientation = cOrientation;
    f.weight = cWeight;
    f.italic = static_cast<std::uint8_t>(bItalic);
    f.underline = static_cast<std::uint8_t>(bUnderline);
    f.strikeOut = static_cast<std::uint8_t>(bStrikeOut);
    f.charSet = static_cast<std::uint8_t>(iCharSet);
    f.outPrecision = static_cast<std::uint8_t>(iOutPrecision);
    f.clipPrecision = static_cast<std::uint8_t>(iClipPrecision);
    f.quality = static_cast<std::uint8_t>(iQuality);
    f.pitchAndFamily = static_cast<std::uint8_t>(iPitchAndFamily);
    if (pszFaceName) // LF_FACESIZE holds 31 characters and the NUL
        f.faceName = ansiToUtf16(pszFaceName, strnlen(pszFaceName, LF_FACESIZE - 1));
    return toHandle<HFONT>(call.table.add(FontObject{f}));
}

HRGN CreateRectRgn(int x1, int y1, int x2, int y2) {
    GdiCall call;
    const RectL box{std::min(x1, x2), std::min(y1, y2), std::max(x1, x2), std::max(y1, y2)};
    return toHandle<HRGN>(call.table.add(RegionObject{box}));
}

HGDIOBJ GetStockObject(int i) {
    GdiCall call;
    return toHandle<HGDIOBJ>(call.table.stock(i));
}

// A region selected into a context becomes its clip region (Win32 returns the region's kind);
// a palette cannot be selected this way.
HGDIOBJ SelectObject(HDC hdc, HGDIOBJ h) {
    GdiCall call;
    DeviceContext *dc = call.dc(hdc);
    HandleTable::Entry *e = call.table.find(handleValue(h));
    if (!dc || !e) return nullptr;
    if (const auto *region = std::get_if<RegionObject>(&e->payload)) {
        setClip(*dc, region->box);
        return toHandle<HGDIOBJ>(
            static_cast<std::uintptr_t>(region->empty() ? NULLREGION : SIMPLEREGION));
    }
    std::uintptr_t *slot = selectionSlot(dc->state, e->payload);
    if (!slot || !recordSelection(*dc, call.table, handleValue(h))) return nullptr;
    const std::uintptr_t previous = *slot;
    *slot = handleValue(h);
    return toHandle<HGDIOBJ>(previous);
}

// Every recording that has given the object an index gets EMR_DELETEOBJECT and the index
// becomes free. Deleting a stock object succeeds and does nothing.
BOOL DeleteObject(HGDIOBJ ho) {
    GdiCall call;
    const std::uintptr_t handle = handleValue(ho);
    HandleTable::Entry *e = call.table.find(handle);
    if (!e) return FALSE;
    if (e->stockId >= 0) return TRUE;
    if (std::holds_alternative<std::unique_ptr<DeviceContext>>(e->payload) ||
        std::holds_alternative<MetafileObject>(e->payload))
        return FALSE;
    for (DeviceContext *dc : call.table.deviceContexts()) {
        if (!dc->recording) continue;
        if (const std::uint32_t index = dc->recording->removeObject(handle))
            dc->emitU32(emr::DELETEOBJECT, index);
    }
    return call.table.remove(handle) ? TRUE : FALSE;
}
