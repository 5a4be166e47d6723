#include "device_context.h"

#include "emf_records.h"

#include "scrivane_gdi/win_constants.h"

#include <algorithm>

namespace scrivane::gdi {

DeviceContext::DeviceContext(DcKind k, const DeviceInfo &d) : kind(k), device(d) {
    HandleTable &table = handleTable();
    state.pen = table.stock(BLACK_PEN);
    state.brush = table.stock(WHITE_BRUSH);
    state.font = table.stock(SYSTEM_FONT);
}

DeviceContext::~DeviceContext() = default;

Mapping DeviceContext::mapping() const {
    return Mapping{state.mapMode, state.windowOrg, state.viewportOrg};
}

PointL DeviceContext::toDevice(PointL logical) const {
    return logicalToDevice(device, mapping(), logical);
}

PointL DeviceContext::toLogical(PointL devicePoint) const {
    return deviceToLogical(device, mapping(), devicePoint);
}

void DeviceContext::includeDrawnBox(const RectL &logical) {
    const PointL a = toDevice(PointL{logical.left, logical.top});
    const PointL b = toDevice(PointL{logical.right, logical.bottom});
    recording->includeDeviceBox(
        RectL{std::min(a.x, b.x), std::min(a.y, b.y), std::max(a.x, b.x), std::max(a.y, b.y)});
}

bool recordSelection(DeviceContext &dc, HandleTable &table, std::uintptr_t object) {
    HandleTable::Entry *e = table.find(object);
    if (!e) return false;
    if (!dc.recording) return true;
    std::uint32_t index = 0;
    if (e->stockId >= 0) {
        index = kStockIndexFlag | static_cast<std::uint32_t>(e->stockId);
    } else {
        index = dc.recording->indexOf(object);
        if (index == 0) {
            index = dc.recording->addObject(object);
            if (index == 0) return false;
            dc.emit([&](RecordBuffer &out) { writeCreateRecord(out, e->payload, index); });
        }
    }
    dc.emit([&](RecordBuffer &out) { writeU32Record(out, emr::SELECTOBJECT, index); });
    return true;
}

void recordCurrentState(DeviceContext &dc, HandleTable &table) {
    const DcState &s = dc.state;
    const DcState fresh;
    if (s.mapMode != fresh.mapMode)
        dc.emitU32(emr::SETMAPMODE, static_cast<std::uint32_t>(s.mapMode));
    if (s.windowOrg.x != 0 || s.windowOrg.y != 0) dc.emitPoint(emr::SETWINDOWORGEX, s.windowOrg);
    if (s.miterLimit != fresh.miterLimit)
        dc.emitU32(emr::SETMITERLIMIT, static_cast<std::uint32_t>(s.miterLimit));
    if (s.textColor != fresh.textColor) dc.emitU32(emr::SETTEXTCOLOR, s.textColor);
    if (s.textAlign != fresh.textAlign) dc.emitU32(emr::SETTEXTALIGN, s.textAlign);
    if (s.bkMode != fresh.bkMode) dc.emitU32(emr::SETBKMODE, static_cast<std::uint32_t>(s.bkMode));
    if (s.pen != table.stock(BLACK_PEN)) recordSelection(dc, table, s.pen);
    if (s.brush != table.stock(WHITE_BRUSH)) recordSelection(dc, table, s.brush);
    if (s.font != table.stock(SYSTEM_FONT)) recordSelection(dc, table, s.font);
    if (s.position.x != 0 || s.position.y != 0) dc.emitPoint(emr::MOVETOEX, s.position);
    if (s.clip) setClip(dc, s.clip);
}

void setClip(DeviceContext &dc, const std::optional<RectL> &box) {
    dc.state.clip = box;
    dc.emit([](RecordBuffer &out) { writeClipReset(out); });
    if (!box) return;
    const PointL a = dc.toLogical(PointL{box->left, box->top});
    const PointL b = dc.toLogical(PointL{box->right, box->bottom});
    dc.emit([&](RecordBuffer &out) { writeIntersectClipRect(out, RectL{a.x, a.y, b.x, b.y}); });
}

DeviceContext *findDc(HandleTable &table, const void *hdc) {
    auto *owner = payloadAs<std::unique_ptr<DeviceContext>>(table.find(handleValue(hdc)));
    return owner ? owner->get() : nullptr;
}

} // namespace scrivane::gdi
