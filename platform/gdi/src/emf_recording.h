// One metafile being recorded: the records appended so far, the object-index table of the
// file, and the header fields completed when the file is finished.
//
// Where the records go. In memory (a metafile without a file name, a display context, a
// printer page): one buffer that starts with room for the header and grows with the records.
// Streamed to a file: records collect in a buffer of about kStreamChunk bytes, which is written
// to the file whenever it fills, so that a recording holds little memory however large its
// file grows; the file starts with a provisional header, rewritten complete at the end by
// seeking back. A file that cannot seek (a pipe, a terminal) has its records written to an
// anonymous temporary file instead, which is completed the same way and copied to the file at
// the end; where no temporary file can be made they stay in memory until then.
#ifndef SCRIVANE_GDI_EMF_RECORDING_H
#define SCRIVANE_GDI_EMF_RECORDING_H

#include "device_info.h"
#include "emf_records.h"
#include "record_builder.h"

#include <cstdint>
#include <cstdio>
#include <optional>
#include <string>
#include <vector>

namespace scrivane::gdi {

// A descriptor open for reading a finished metafile file, closed with the object.
class ReadBackFile {
public:
    ReadBackFile() = default;
    explicit ReadBackFile(int fd) : fd_(fd) {}
    ReadBackFile(ReadBackFile &&other) noexcept : fd_(other.fd_) { other.fd_ = -1; }
    ReadBackFile &operator=(ReadBackFile &&other) noexcept;
    ReadBackFile(const ReadBackFile &) = delete;
    ReadBackFile &operator=(const ReadBackFile &) = delete;
    ~ReadBackFile();

    bool valid() const { return fd_ >= 0; }
    // Reads n bytes from the start of the file; false when fewer could be read.
    bool read(std::uint8_t *data, std::size_t n) const;

private:
    int fd_ = -1;
};

// A metafile file once finished: whether every byte was written, its size, and how to read it
// back (GetEnhMetaFileBits): its bytes when they were held in memory anyway, else a descriptor
// of the complete file where one can be had (a regular file, or the temporary copy).
struct FinishedFile {
    bool written = false;
    std::uint32_t size = 0;
    Bytes bytes;
    ReadBackFile readBack;
};

class EmfRecording {
public:
    // Write buffer of a streamed recording: it is written out once it holds this many bytes.
    static constexpr std::size_t kStreamChunk = 64 * 1024;

    // `frame` in 0.01 mm as given to CreateEnhMetaFileA (none: derived from what is drawn);
    // `description` complete with its NULs, or empty. Without a file the recording is held in
    // memory; with one (opened for writing, owned by the recording from then on; `path` its
    // name) the records are streamed to it.
    EmfRecording(const DeviceInfo &device, std::optional<RectL> frame, std::u16string description,
                 std::FILE *file = nullptr, std::string path = {});
    // A streamed file that was never finished is left empty, as if nothing had been recorded.
    ~EmfRecording();
    EmfRecording(const EmfRecording &) = delete;
    EmfRecording &operator=(const EmfRecording &) = delete;

    // Appends one record: write(buffer) appends its bytes to the buffer.
    template <class Write> void append(Write &&write) {
        write(buffer_);
        ++recordCount_;
        if (store_ && buffer_.size() >= kStreamChunk) spill();
    }

    // Index of a GDI object in this file: the lowest free index >= 1, as GDI allocates them
    // (index 0 stands for the metafile itself, and 0 is returned for none). addObject gives 0
    // when all 65535 indexes the header can count are taken; removeObject returns the index
    // the object had.
    std::uint32_t indexOf(std::uintptr_t object) const;
    std::uint32_t addObject(std::uintptr_t object);
    std::uint32_t removeObject(std::uintptr_t object);

    // Whether the records go to a file (finishFile) rather than to memory (takeFile).
    bool streamed() const { return target_ != nullptr; }
    // Whether the header's bounds come from what is drawn (no frame was given); only then
    // includeDeviceBox has to be told.
    bool tracksDrawnBox() const { return !frame_; }
    // Extends the accumulated device-pixel box of what was drawn.
    void includeDeviceBox(const RectL &box);

    // In memory only. The complete file (header filled in, the records, EMR_EOF) written to
    // `out`; the recording is unchanged and may go on. False when a byte could not be written.
    bool writeTo(std::FILE *out) const;
    // In memory only. The complete file; the recorded bytes move into it and the recording
    // is over.
    Bytes takeFile();
    // Streamed only. Completes the file and closes it; the recording is over.
    FinishedFile finishFile();

private:
    HeaderFields headerFields(std::uint64_t totalBytes) const;
    RectL headerBounds() const;
    RectL headerFrame() const;
    // Writes the buffer to the store and empties it.
    void spill();
    void writeToStore(const std::uint8_t *data, std::size_t n);
    // Puts EMR_EOF after the records and the complete header in front of them, in the store or,
    // without one, in the buffer. Returns the file's size.
    std::uint64_t complete();
    bool copyStoreTo(std::FILE *out);

    DeviceInfo device_;
    std::optional<RectL> frame_;
    std::u16string description_;
    std::uint32_t headerSize_ = 0;
    // The records not yet written to the store (in memory: the whole file so far, starting
    // with room for the header).
    RecordBuffer buffer_;
    // The metafile's file and its name (streamed recordings), and where the records are
    // written as they come: the file itself when it can seek, else the temporary copy; null
    // while they are kept in memory.
    std::FILE *target_ = nullptr;
    std::string path_;
    std::FILE *store_ = nullptr;
    std::uint64_t storedBytes_ = 0;
    bool storeFailed_ = false;
    bool finished_ = false;

    std::uint32_t recordCount_ = 0;
    std::vector<bool> indexInUse_; // slot 0 is the metafile
    std::uint32_t highestIndex_ = 0;
    // For each handle-table slot, the object there that has an index in this file and the
    // index, so that looking an object up costs one access (a slot holds one live object).
    struct IndexedObject {
        std::uintptr_t object = 0;
        std::uint32_t index = 0;
    };
    std::vector<IndexedObject> bySlot_;
    std::optional<RectL> drawnBox_;
};

} // namespace scrivane::gdi

#endif
