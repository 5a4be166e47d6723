// One metafile being recorded: the records appended so far, the object-index table of the
// file, and the header fields completed when the file is finished.
#ifndef SCRIVANE_GDI_EMF_RECORDING_H
#define SCRIVANE_GDI_EMF_RECORDING_H

#include "device_info.h"
#include "record_builder.h"

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace scrivane::gdi {

class EmfRecording {
public:
    // `frame` in 0.01 mm as given to CreateEnhMetaFileA (none: derived from what is drawn);
    // `description` complete with its NULs, or empty.
    EmfRecording(const DeviceInfo &device, std::optional<RectL> frame, std::u16string description);

    void append(Bytes record);

    // Index of a GDI object in this file: the lowest free index >= 1, as GDI allocates them
    // (index 0 stands for the metafile itself). None when all 65535 indexes the header can
    // count are taken.
    std::optional<std::uint32_t> indexOf(std::uintptr_t object) const;
    std::optional<std::uint32_t> addObject(std::uintptr_t object);
    std::optional<std::uint32_t> removeObject(std::uintptr_t object);

    // Extends the accumulated device-pixel box of what was drawn (used when no frame was
    // given).
    void includeDeviceBox(const RectL &box);

    // The complete file: header filled in, the records, EMR_EOF. The recording is unchanged
    // and may go on.
    Bytes finish() const;

private:
    RectL headerBounds() const;
    RectL headerFrame() const;

    DeviceInfo device_;
    std::optional<RectL> frame_;
    std::u16string description_;
    Bytes body_;
    std::uint32_t recordCount_ = 0;
    std::vector<bool> indexInUse_; // slot 0 is the metafile
    std::uint32_t highestIndex_ = 0;
    std::map<std::uintptr_t, std::uint32_t> objectIndex_;
    std::optional<RectL> drawnBox_;
};

} // namespace scrivane::gdi

#endif
