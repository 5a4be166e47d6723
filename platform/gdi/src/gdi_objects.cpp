#include "gdi_objects.h"

#include "device_context.h"

#include "scrivane_gdi/win_constants.h"

#include <algorithm>

namespace scrivane::gdi {

namespace {

constexpr int kStockCount = DC_PEN + 1;

PenObject simplePen(int style, std::uint32_t color) {
    PenObject p;
    p.style = static_cast<std::uint32_t>(style);
    p.color = color;
    return p;
}

BrushObject solidBrush(std::uint32_t color) {
    return BrushObject{static_cast<std::uint32_t>(BS_SOLID), color, 0};
}

// The stock object of each GetStockObject number; id 9 has none.
bool stockPayload(int id, ObjectPayload &out) {
    switch (id) {
    case WHITE_BRUSH:
        out = solidBrush(0xFFFFFF);
        return true;
    case LTGRAY_BRUSH:
        out = solidBrush(0xC0C0C0);
        return true;
    case GRAY_BRUSH:
        out = solidBrush(0x808080);
        return true;
    case DKGRAY_BRUSH:
        out = solidBrush(0x404040);
        return true;
    case BLACK_BRUSH:
        out = solidBrush(0x000000);
        return true;
    case NULL_BRUSH:
        out = BrushObject{static_cast<std::uint32_t>(BS_NULL), 0, 0};
        return true;
    case WHITE_PEN:
        out = simplePen(PS_SOLID, 0xFFFFFF);
        return true;
    case BLACK_PEN:
        out = simplePen(PS_SOLID, 0x000000);
        return true;
    case NULL_PEN:
        out = simplePen(PS_NULL, 0x000000);
        return true;
    case OEM_FIXED_FONT:
    case ANSI_FIXED_FONT:
    case ANSI_VAR_FONT:
    case SYSTEM_FONT:
    case DEVICE_DEFAULT_FONT:
    case SYSTEM_FIXED_FONT:
    case DEFAULT_GUI_FONT:
        out = FontObject{};
        return true;
    case DEFAULT_PALETTE:
        out = PaletteObject{};
        return true;
    case DC_BRUSH:
        out = solidBrush(0xFFFFFF);
        return true;
    case DC_PEN:
        out = simplePen(PS_SOLID, 0x000000);
        return true;
    default:
        return false;
    }
}

} // namespace

void writeCreateRecord(RecordBuffer &out, const ObjectPayload &payload, std::uint32_t index) {
    if (const auto *brush = std::get_if<BrushObject>(&payload)) {
        writeCreateBrushIndirect(out, index, brush->style, brush->color, brush->hatch);
    } else if (const auto *pen = std::get_if<PenObject>(&payload)) {
        if (pen->extended)
            writeExtCreatePen(out, index, pen->ext);
        else
            writeCreatePen(out, index, pen->style, pen->width, pen->color);
    } else if (const auto *font = std::get_if<FontObject>(&payload)) {
        writeExtCreateFontIndirectW(out, index, font->font);
    }
}

bool isPen(const ObjectPayload &p) {
    return std::holds_alternative<PenObject>(p);
}
bool isBrush(const ObjectPayload &p) {
    return std::holds_alternative<BrushObject>(p);
}
bool isFont(const ObjectPayload &p) {
    return std::holds_alternative<FontObject>(p);
}

HandleTable::HandleTable() : stock_(kStockCount, 0) {
    for (int id = 0; id < kStockCount; ++id) {
        ObjectPayload payload;
        if (stockPayload(id, payload)) stock_[id] = addEntry(std::move(payload), id);
    }
}

HandleTable::~HandleTable() = default;

std::uintptr_t HandleTable::addEntry(ObjectPayload payload, int stockId) {
    std::size_t slot = entries_.size();
    if (!freeSlots_.empty()) {
        slot = freeSlots_.back();
        freeSlots_.pop_back();
    } else {
        if (slot >= kSlotMask) return 0;
        entries_.emplace_back();
    }
    Entry &e = entries_[slot];
    e.payload = std::move(payload);
    e.stockId = stockId;
    e.live = true;
    if (auto *dc = std::get_if<std::unique_ptr<DeviceContext>>(&e.payload))
        deviceContexts_.push_back(dc->get());
    return handleOf(slot);
}

std::uintptr_t HandleTable::add(ObjectPayload payload) {
    return addEntry(std::move(payload), -1);
}

bool HandleTable::remove(std::uintptr_t handle) {
    Entry *e = find(handle);
    if (!e || e->stockId >= 0) return false;
    const std::size_t slot = (handle & kSlotMask) - 1;
    // Move the payload out first: destroying a device context must not run while the entry
    // still looks live.
    if (auto *dc = std::get_if<std::unique_ptr<DeviceContext>>(&e->payload))
        deviceContexts_.erase(std::find(deviceContexts_.begin(), deviceContexts_.end(), dc->get()));
    ObjectPayload old = std::move(e->payload);
    e->payload = PaletteObject{};
    e->live = false;
    e->generation = static_cast<std::uint32_t>((e->generation + 1) % kGenerationLimit);
    freeSlots_.push_back(slot);
    return true;
}

std::uintptr_t HandleTable::stock(int id) const {
    if (id < 0 || id >= kStockCount) return 0;
    return stock_[id];
}

HandleTable &handleTable() {
    static HandleTable table;
    return table;
}

std::mutex &gdiMutex() {
    static std::mutex mutex;
    return mutex;
}

} // namespace scrivane::gdi
