#include "emf_recording.h"

#include "emf_records.h"
#include "gdi_objects.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <utility>

namespace scrivane::gdi {

namespace {

// A buffer that a very large record (an image) made grow is given back after it is written.
constexpr std::size_t kKeptCapacity = 4 * EmfRecording::kStreamChunk;

bool writeAll(std::FILE *out, const std::uint8_t *data, std::size_t n) {
    return n == 0 || std::fwrite(data, 1, n, out) == n;
}

} // namespace

ReadBackFile &ReadBackFile::operator=(ReadBackFile &&other) noexcept {
    if (this != &other) {
        if (fd_ >= 0) ::close(fd_);
        fd_ = other.fd_;
        other.fd_ = -1;
    }
    return *this;
}

ReadBackFile::~ReadBackFile() {
    if (fd_ >= 0) ::close(fd_);
}

bool ReadBackFile::read(std::uint8_t *data, std::size_t n) const {
    std::size_t done = 0;
    while (done < n) {
        const ssize_t got = ::pread(fd_, data + done, n - done, static_cast<off_t>(done));
        if (got < 0 && errno == EINTR) continue;
        if (got <= 0) return false;
        done += static_cast<std::size_t>(got);
    }
    return true;
}

EmfRecording::EmfRecording(const DeviceInfo &device, std::optional<RectL> frame,
                           std::u16string description, std::FILE *file, std::string path)
    : device_(device), frame_(frame), description_(std::move(description)),
      headerSize_(headerSize(description_.size())), target_(file), path_(std::move(path)),
      indexInUse_(1, true) {
    if (target_) {
        buffer_.reserve(kStreamChunk + kStreamChunk / 4);
        // A file that can seek takes the records as they come; for any other, a temporary
        // file does, or the memory when there is none.
        if (std::fseek(target_, 0, SEEK_CUR) == 0)
            store_ = target_;
        else
            store_ = std::tmpfile();
    }
    // Room for the header: the header of a metafile without records, replaced at the end.
    writeHeader(buffer_, headerFields(headerSize_ + kEofSize));
}

EmfRecording::~EmfRecording() {
    if (finished_) return;
    if (store_ && store_ != target_) std::fclose(store_);
    if (target_) {
        // Nothing of an unfinished metafile stays in its file.
        if (store_ == target_) {
            std::fflush(target_);
            // A file that cannot be truncated (a device) keeps what it got.
            [[maybe_unused]] const int truncated = ::ftruncate(fileno(target_), 0);
        }
        std::fclose(target_);
    }
}

std::uint32_t EmfRecording::indexOf(std::uintptr_t object) const {
    const std::size_t slot = HandleTable::slotOf(object);
    if (slot >= bySlot_.size() || bySlot_[slot].object != object) return 0;
    return bySlot_[slot].index;
}

std::uint32_t EmfRecording::addObject(std::uintptr_t object) {
    constexpr std::uint32_t maxIndex = 0xFFFE; // Handles = highest index + 1 is a u16
    const auto freeSlot = std::find(indexInUse_.begin() + 1, indexInUse_.end(), false);
    const auto index = static_cast<std::uint32_t>(freeSlot - indexInUse_.begin());
    if (index > maxIndex) return 0;
    if (freeSlot == indexInUse_.end())
        indexInUse_.push_back(true);
    else
        *freeSlot = true;
    highestIndex_ = std::max(highestIndex_, index);
    const std::size_t slot = HandleTable::slotOf(object);
    if (slot >= bySlot_.size()) bySlot_.resize(slot + 1);
    bySlot_[slot] = IndexedObject{object, index};
    return index;
}

std::uint32_t EmfRecording::removeObject(std::uintptr_t object) {
    const std::uint32_t index = indexOf(object);
    if (index == 0) return 0;
    bySlot_[HandleTable::slotOf(object)] = IndexedObject{};
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

HeaderFields EmfRecording::headerFields(std::uint64_t totalBytes) const {
    HeaderFields h;
    h.bounds = headerBounds();
    h.frame = headerFrame();
    h.description = description_;
    h.records = recordCount_ + 2;
    h.bytes = static_cast<std::uint32_t>(totalBytes);
    h.handles = static_cast<std::uint16_t>(highestIndex_ + 1);
    h.device = SizeL{device_.horzRes, device_.vertRes};
    h.millimeters = SizeL{device_.horzSizeMm, device_.vertSizeMm};
    h.micrometers = SizeL{device_.micrometersX, device_.micrometersY};
    return h;
}

void EmfRecording::writeToStore(const std::uint8_t *data, std::size_t n) {
    if (!writeAll(store_, data, n)) storeFailed_ = true;
    storedBytes_ += n;
}

void EmfRecording::spill() {
    writeToStore(buffer_.data(), buffer_.size());
    buffer_.clear();
    if (buffer_.capacity() > kKeptCapacity) {
        buffer_.release();
        buffer_.reserve(kStreamChunk + kStreamChunk / 4);
    }
}

std::uint64_t EmfRecording::complete() {
    writeEof(buffer_);
    const std::uint64_t total = storedBytes_ + buffer_.size();
    RecordBuffer header;
    writeHeader(header, headerFields(total));
    if (!store_) {
        std::copy(header.data(), header.data() + header.size(), buffer_.data());
        return total;
    }
    spill();
    if (std::fseek(store_, 0, SEEK_SET) != 0) storeFailed_ = true;
    if (!storeFailed_ && !writeAll(store_, header.data(), header.size())) storeFailed_ = true;
    if (std::fflush(store_) != 0) storeFailed_ = true;
    return total;
}

bool EmfRecording::copyStoreTo(std::FILE *out) {
    if (std::fseek(store_, 0, SEEK_SET) != 0) return false;
    std::uint8_t chunk[16384];
    std::uint64_t left = storedBytes_;
    while (left > 0) {
        const std::size_t want =
            static_cast<std::size_t>(std::min<std::uint64_t>(left, sizeof chunk));
        if (std::fread(chunk, 1, want, store_) != want || !writeAll(out, chunk, want)) return false;
        left -= want;
    }
    return true;
}

bool EmfRecording::writeTo(std::FILE *out) const {
    const std::uint64_t total = buffer_.size() + kEofSize;
    RecordBuffer edges;
    writeHeader(edges, headerFields(total));
    bool ok = writeAll(out, edges.data(), edges.size());
    ok = ok && writeAll(out, buffer_.data() + headerSize_, buffer_.size() - headerSize_);
    edges.clear();
    writeEof(edges);
    return ok && writeAll(out, edges.data(), edges.size());
}

Bytes EmfRecording::takeFile() {
    complete();
    finished_ = true;
    return buffer_.take();
}

FinishedFile EmfRecording::finishFile() {
    FinishedFile result;
    const std::uint64_t total = complete();
    result.size = static_cast<std::uint32_t>(total);
    bool ok = !storeFailed_;
    if (store_ != target_) {
        // The records went to a temporary file or stayed in memory: the complete file is copied.
        if (store_)
            ok = ok && copyStoreTo(target_);
        else
            ok = ok && writeAll(target_, buffer_.data(), buffer_.size());
    }
    ok = std::fflush(target_) == 0 && ok;
    struct stat written {};
    const bool regular = ::fstat(fileno(target_), &written) == 0 && S_ISREG(written.st_mode);
    ok = std::fclose(target_) == 0 && ok;
    finished_ = true;
    result.written = ok;

    // What GetEnhMetaFileBits reads: the bytes kept in memory, the temporary copy, or the file
    // itself when it is a regular file (opened again by name, and only if it is still the one
    // written).
    if (!store_) {
        result.bytes = buffer_.take();
    } else if (store_ != target_) {
        const int fd = ::dup(fileno(store_));
        if (fd >= 0) result.readBack = ReadBackFile(fd);
        std::fclose(store_);
    } else if (regular) {
        const int fd = ::open(path_.c_str(), O_RDONLY | O_CLOEXEC);
        struct stat reopened {};
        if (fd >= 0 && ::fstat(fd, &reopened) == 0 && reopened.st_dev == written.st_dev &&
            reopened.st_ino == written.st_ino)
            result.readBack = ReadBackFile(fd);
        else if (fd >= 0)
            ::close(fd);
    }
    buffer_.release();
    return result;
}

} // namespace scrivane::gdi
