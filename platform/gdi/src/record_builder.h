// Little-endian byte assembly of one EMF record, written in place at the end of a buffer that
// the recording reuses from record to record, so that writing a record allocates nothing once
// the buffer has grown. The size of every record is known before its fields are written: the
// writer claims that many bytes and stores the fields and the zero padding into them.
#ifndef SCRIVANE_GDI_RECORD_BUILDER_H
#define SCRIVANE_GDI_RECORD_BUILDER_H

#include <cassert>
#include <cstdint>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

namespace scrivane::gdi {

using Bytes = std::vector<std::uint8_t>;

struct PointL {
    std::int32_t x = 0;
    std::int32_t y = 0;
};

struct RectL {
    std::int32_t left = 0;
    std::int32_t top = 0;
    std::int32_t right = 0;
    std::int32_t bottom = 0;
};

struct SizeL {
    std::int32_t cx = 0;
    std::int32_t cy = 0;
};

inline void storeU32(std::uint8_t *at, std::uint32_t value) {
    at[0] = static_cast<std::uint8_t>(value);
    at[1] = static_cast<std::uint8_t>(value >> 8);
    at[2] = static_cast<std::uint8_t>(value >> 16);
    at[3] = static_cast<std::uint8_t>(value >> 24);
}

// The record size for a payload of `payloadBytes` after Type and Size: rounded up to 4.
inline std::size_t recordSize(std::size_t payloadBytes) {
    return (8 + payloadBytes + 3) & ~std::size_t{3};
}

// Bytes appended record by record. Emptying the buffer keeps its storage, so that a buffer
// written out and emptied again and again allocates only while it grows.
class RecordBuffer {
public:
    // n more bytes at the end, not initialised; valid until the next claim.
    std::uint8_t *claim(std::size_t n) {
        if (storage_.size() - used_ < n) grow(n);
        std::uint8_t *at = storage_.data() + used_;
        used_ += n;
        return at;
    }
    const std::uint8_t *data() const { return storage_.data(); }
    std::uint8_t *data() { return storage_.data(); }
    std::size_t size() const { return used_; }
    void clear() { used_ = 0; }
    // Room for at least n bytes without growing.
    void reserve(std::size_t n) {
        if (storage_.size() < n) storage_.resize(n);
    }
    std::size_t capacity() const { return storage_.size(); }
    // Empties the buffer and gives its storage back.
    void release() {
        Bytes().swap(storage_);
        used_ = 0;
    }
    // The bytes, moved out; the buffer is left empty.
    Bytes take() {
        storage_.resize(used_);
        used_ = 0;
        return std::move(storage_);
    }

private:
    void grow(std::size_t n) {
        const std::size_t doubled = 2 * storage_.size();
        storage_.resize(doubled > used_ + n ? doubled : used_ + n);
    }

    Bytes storage_; // its size is the capacity; the bytes past used_ are free
    std::size_t used_ = 0;
};

class RecordWriter {
public:
    // Appends a record of `size` bytes (a multiple of 4) to `out` and writes its Type and Size.
    // Every byte of the record is written: the fields by the caller, the padding after the last
    // field here, and skipped fields by zeros().
    RecordWriter(RecordBuffer &out, std::uint32_t type, std::size_t size) {
        assert(size % 4 == 0 && size >= 8);
        at_ = out.claim(size);
        end_ = at_ + size;
        storeU32(end_ - 4, 0); // the padding, if any, lies in the last four bytes
        u32(type);
        u32(static_cast<std::uint32_t>(size));
    }
    RecordWriter(const RecordWriter &) = delete;
    RecordWriter &operator=(const RecordWriter &) = delete;
    ~RecordWriter() { assert(end_ - at_ >= 0 && end_ - at_ < 4); }

    RecordWriter &u8(std::uint8_t v) {
        *at_++ = v;
        return *this;
    }
    RecordWriter &u16(std::uint16_t v) {
        at_[0] = static_cast<std::uint8_t>(v);
        at_[1] = static_cast<std::uint8_t>(v >> 8);
        at_ += 2;
        return *this;
    }
    RecordWriter &i16(std::int16_t v) { return u16(static_cast<std::uint16_t>(v)); }
    RecordWriter &u32(std::uint32_t v) {
        storeU32(at_, v);
        at_ += 4;
        return *this;
    }
    RecordWriter &i32(std::int32_t v) { return u32(static_cast<std::uint32_t>(v)); }
    RecordWriter &f32(float v) {
        std::uint32_t bits = 0;
        std::memcpy(&bits, &v, sizeof bits);
        return u32(bits);
    }
    RecordWriter &point(PointL p) { return i32(p.x).i32(p.y); }
    RecordWriter &size(SizeL s) { return i32(s.cx).i32(s.cy); }
    RecordWriter &rect(const RectL &r) { return i32(r.left).i32(r.top).i32(r.right).i32(r.bottom); }
    RecordWriter &raw(const std::uint8_t *data, std::size_t n) {
        if (n > 0) std::memcpy(at_, data, n);
        at_ += n;
        return *this;
    }
    // UTF-16LE units, then zero units up to `units` in total (fixed-size name fields).
    RecordWriter &utf16(const std::u16string &text, std::size_t units) {
        const std::size_t n = text.size() < units ? text.size() : units;
        for (std::size_t i = 0; i < n; ++i)
            u16(static_cast<std::uint16_t>(text[i]));
        return zeros(2 * (units - n));
    }
    RecordWriter &zeros(std::size_t n) {
        if (n > 0) std::memset(at_, 0, n);
        at_ += n;
        return *this;
    }

private:
    // The buffer does not grow while the record is written, so its bytes stay where they are.
    std::uint8_t *at_;
    std::uint8_t *end_;
};

} // namespace scrivane::gdi

#endif
