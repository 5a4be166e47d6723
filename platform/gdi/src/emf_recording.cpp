#include "emf_recording.h"

#include "emf_records.h"

#include <algorithm>
#include <utility>

namespace scrivane::gdi {

EmfRecording::EmfRecording(const DeviceInfo &device, std::optional<RectL> frame,
                           std::u16string description)
    : device_(device), frame_(frame), description_(std::move(description)), indexInUse_(1, true) {}

void EmfRecording::append(Bytes record) {
    body_.insert(body_.end(), record.begin(), record.end());
    ++recordCount_;
}

std::optional<std::uint32_t> EmfRecording::indexOf(std::uintptr_t object) const {
    const auto it = objectIndex_.find(object);
    if (it == objectIndex_.end()) return std::nullopt;
    return it->second;
}

std::optional<std::uint32_t> EmfRecording::addObject(std::uintptr_t object) {
    constexpr std::uint32_t maxIndex = 0xFFFE; // Handles = highest index + 1 is a u16
    const auto freeSlot = std::find(indexInUse_.begin() + 1, indexInUse_.end(), false);
    const auto index = static_cast<std::uint32_t>(freeSlot - indexInUse_.begin());
    if (index > maxIndex) return std::nullopt;
    if (freeSlot == indexInUse_.end())
        indexInUse_.push_back(true);
    else
        *freeSlot = true;
    highestIndex_ = std::max(highestIndex_, index);
    objectIndex_[object] = index;
    return index;
}

std::optional<std::uint32_t> EmfRecording::removeObject(std::uintptr_t object) {
    const auto it = objectIndex_.find(object);
    if (it == objectIndex_.end()) return std::nullopt;
    const std::uint32_t index = it->second;
    objectIndex_.erase(it);
    indexInUse_[index] = false;
    return index;
}

void EmfRecording::includeDeviceBox(const RectL &box) {
    if (!drawnBox_) {
        drawnBox_ = box;
        return;
    }
    drawnBox_->left = std::min(drawnBox_->left, box.left);
    drawnBox_->top = std::min(drawnBox_->top, box.top);
    drawnBox_->right = std::max(drawnBox_->right, box.right);
    drawnBox_->bottom = std::max(drawnBox_->bottom, box.bottom);
}

// With a frame, the bounds are the frame in device pixels rather than the tight box of what
// was drawn: readers that take the page origin from the bounds then keep the frame's margins.
RectL EmfRecording::headerBounds() const {
    if (frame_) return hundredthsMmToDevice(device_, *frame_);
    return drawnBox_.value_or(RectL{0, 0, -1, -1});
}

RectL EmfRecording::headerFrame() const {
    if (frame_) return *frame_;
    return deviceToHundredthsMm(device_, headerBounds());
}

Bytes EmfRecording::finish() const {
    HeaderFields h;
    h.bounds = headerBounds();
    h.frame = headerFrame();
    h.description = description_;
    h.records = recordCount_ + 2;
    h.bytes = headerSize(description_.size()) + static_cast<std::uint32_t>(body_.size()) + kEofSize;
    h.handles = static_cast<std::uint16_t>(highestIndex_ + 1);
    h.device = SizeL{device_.horzRes, device_.vertRes};
    h.millimeters = SizeL{device_.horzSizeMm, device_.vertSizeMm};
    h.micrometers = SizeL{device_.micrometersX, device_.micrometersY};

    Bytes file = makeHeader(h);
    file.reserve(h.bytes);
    file.insert(file.end(), body_.begin(), body_.end());
    const Bytes eof = makeEof();
    file.insert(file.end(), eof.begin(), eof.end());
    return file;
}

} // namespace scrivane::gdi
