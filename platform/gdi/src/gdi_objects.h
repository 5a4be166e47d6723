// The GDI objects behind handles, and the table that hands out the handles.
#ifndef SCRIVANE_GDI_GDI_OBJECTS_H
#define SCRIVANE_GDI_GDI_OBJECTS_H

#include "emf_recording.h"
#include "emf_records.h"

#include <cstdint>
#include <memory>
#include <mutex>
#include <variant>
#include <vector>

namespace scrivane::gdi {

class DeviceContext;

struct PenObject {
    bool extended = false; // made by ExtCreatePen
    std::uint32_t style = 0;
    std::int32_t width = 0;
    std::uint32_t color = 0;
    ExtPenFields ext; // ExtCreatePen pens only
};

struct BrushObject {
    std::uint32_t style = 0;
    std::uint32_t color = 0;
    std::uint32_t hatch = 0;
};

struct FontObject {
    LogFontW font;
};

// A rectangular region in device units, normalised, right and bottom edges excluded.
struct RegionObject {
    RectL box;
    bool empty() const { return box.left >= box.right || box.top >= box.bottom; }
};

struct PaletteObject {};

// A closed metafile: its bytes when it was recorded in memory, else the file it was written to
// (read back by GetEnhMetaFileBits where the file can be read).
struct MetafileObject {
    Bytes bytes;
    ReadBackFile file;
    std::uint32_t fileSize = 0;
};

using ObjectPayload = std::variant<PenObject, BrushObject, FontObject, RegionObject, PaletteObject,
                                   MetafileObject, std::unique_ptr<DeviceContext>>;

// Appends the create record that introduces a pen, brush or font at `index` of a metafile;
// nothing for other objects.
void writeCreateRecord(RecordBuffer &out, const ObjectPayload &payload, std::uint32_t index);

bool isPen(const ObjectPayload &p);
bool isBrush(const ObjectPayload &p);
bool isFont(const ObjectPayload &p);

// Handles are slot numbers tagged with a generation count, so that a handle kept after its
// object was deleted is recognised as invalid even when the slot is in use again.
class HandleTable {
public:
    struct Entry {
        ObjectPayload payload;
        int stockId = -1;
        std::uint32_t generation = 0;
        bool live = false;
    };

    HandleTable();
    ~HandleTable();
    HandleTable(const HandleTable &) = delete;
    HandleTable &operator=(const HandleTable &) = delete;

    std::uintptr_t add(ObjectPayload payload);
    // The live entry of a handle; null for anything else.
    Entry *find(std::uintptr_t handle) {
        const std::size_t slot = slotOf(handle);
        if (slot == 0 || slot > entries_.size()) return nullptr;
        Entry &e = entries_[slot - 1];
        return e.live && handleOf(slot - 1) == handle ? &e : nullptr;
    }
    bool remove(std::uintptr_t handle);
    // Handle of stock object `id`, 0 when there is no such stock object.
    std::uintptr_t stock(int id) const;
    // The live device contexts, in the order they were made.
    const std::vector<DeviceContext *> &deviceContexts() const { return deviceContexts_; }
    // The slot number a handle names (1 for the first slot); distinct live objects have
    // distinct slots. 0 for the null handle.
    static std::size_t slotOf(std::uintptr_t handle) {
        return static_cast<std::size_t>(handle & kSlotMask);
    }

private:
    // A handle holds the slot number in its low bits and the slot's generation above them.
    static constexpr unsigned kSlotBits = 20;
    static constexpr std::uintptr_t kSlotMask = (std::uintptr_t{1} << kSlotBits) - 1;
    static constexpr std::uintptr_t kGenerationLimit = ~std::uintptr_t{0} >> kSlotBits;

    std::uintptr_t addEntry(ObjectPayload payload, int stockId);
    std::uintptr_t handleOf(std::size_t slot) const {
        return (static_cast<std::uintptr_t>(entries_[slot].generation) << kSlotBits) | (slot + 1);
    }

    std::vector<Entry> entries_;
    std::vector<std::size_t> freeSlots_;
    std::vector<std::uintptr_t> stock_;
    std::vector<DeviceContext *> deviceContexts_;
};

// The process-wide table; every entry point holds gdiMutex() while it works.
HandleTable &handleTable();
std::mutex &gdiMutex();

template <class T> T *payloadAs(HandleTable::Entry *e) {
    return e ? std::get_if<T>(&e->payload) : nullptr;
}

inline std::uintptr_t handleValue(const void *h) {
    return reinterpret_cast<std::uintptr_t>(h);
}

template <class H> H toHandle(std::uintptr_t v) {
    return reinterpret_cast<H>(v);
}

} // namespace scrivane::gdi

#endif
