// A device context: its kind, device, drawing state, and the metafile it records into.
#ifndef SCRIVANE_GDI_DEVICE_CONTEXT_H
#define SCRIVANE_GDI_DEVICE_CONTEXT_H

#include "device_info.h"
#include "emf_recording.h"
#include "gdi_objects.h"
#include "print_target.h"

#include <cstdint>
#include <memory>
#include <optional>

namespace scrivane::gdi {

enum class DcKind {
    Metafile, // CreateEnhMetaFileA: records from creation to CloseEnhMetaFile
    Printer,  // PrintDlgA: records each page, StartPage to EndPage, into one file
    Display,  // ScrivaneGdiCreateDisplayDC: records for its whole life
};

// What a new context starts with: MM_TEXT, GM_COMPATIBLE, origins (0, 0), TA_LEFT|TA_TOP,
// black text, OPAQUE background, miter limit 10, the stock black pen, white brush and system
// font.
struct DcState {
    int mapMode = 1;
    int graphicsMode = 1;
    PointL windowOrg;
    PointL viewportOrg;
    std::uint32_t textAlign = 0;
    std::uint32_t textColor = 0;
    int bkMode = 2;
    float miterLimit = 10.0f;
    std::uintptr_t pen = 0;
    std::uintptr_t brush = 0;
    std::uintptr_t font = 0;
    PointL position;
    std::optional<RectL> clip; // device units
};

class DeviceContext {
public:
    DeviceContext(DcKind kind, const DeviceInfo &device);
    ~DeviceContext();
    DeviceContext(const DeviceContext &) = delete;
    DeviceContext &operator=(const DeviceContext &) = delete;

    DcKind kind;
    DeviceInfo device;
    DcState state;
    bool compactPoints = false;
    std::unique_ptr<EmfRecording> recording; // null while not recording
    std::shared_ptr<PrintTarget> printTarget;
    bool inDocument = false;

    Mapping mapping() const;
    PointL toDevice(PointL logical) const;
    PointL toLogical(PointL device) const;

    // Appends one record to the recording, if any: write(buffer) appends the record's bytes.
    template <class Write> void emit(Write &&write) {
        if (recording) recording->append(write);
    }
    // The records of one 32-bit value, one point or one rectangle.
    void emitU32(std::uint32_t type, std::uint32_t value) {
        emit([&](RecordBuffer &out) { writeU32Record(out, type, value); });
    }
    void emitPoint(std::uint32_t type, PointL p) {
        emit([&](RecordBuffer &out) { writePointRecord(out, type, p); });
    }
    void emitRect(std::uint32_t type, const RectL &r) {
        emit([&](RecordBuffer &out) { writeRectRecord(out, type, r); });
    }
    // Adds a box of logical coordinates to the drawn area (device pixels) of the recording,
    // where the recording's header needs it.
    void includeLogicalBox(const RectL &logical) {
        if (recording && recording->tracksDrawnBox()) includeDrawnBox(logical);
    }

private:
    void includeDrawnBox(const RectL &logical);
};

// Writes the records that make `object` the current pen, brush or font of the recording: its
// create record the first time it is used there, then EMR_SELECTOBJECT. Fails when the
// object is not live or the file has no free object index.
bool recordSelection(DeviceContext &dc, HandleTable &table, std::uintptr_t object);

// Makes `box` (device units) the clip region, or removes the clip when null, and writes the
// clip records: "reset the clip", then EMR_INTERSECTCLIPRECT with the box brought back to
// logical units. Readers ignore the region of an RGN_COPY clip record and disagree on its
// units, while all of them honour EMR_INTERSECTCLIPRECT.
void setClip(DeviceContext &dc, const std::optional<RectL> &box);

// Writes the records that bring a fresh recording to the context's current state (used when a
// printer page starts): only what differs from a new context is written.
void recordCurrentState(DeviceContext &dc, HandleTable &table);

// Looks up a live context handle; null for anything else.
DeviceContext *findDc(HandleTable &table, const void *hdc);

} // namespace scrivane::gdi

#endif
