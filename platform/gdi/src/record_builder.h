// Little-endian byte assembly of one EMF record: Type and Size first, Size patched when the
// record is finished, the record padded with zero bytes to a multiple of 4.
#ifndef SCRIVANE_GDI_RECORD_BUILDER_H
#define SCRIVANE_GDI_RECORD_BUILDER_H

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

inline void storeU32(Bytes &bytes, std::size_t offset, std::uint32_t value) {
    for (int i = 0; i < 4; ++i)
        bytes[offset + i] = static_cast<std::uint8_t>(value >> (8 * i));
}

class RecordBuilder {
public:
    explicit RecordBuilder(std::uint32_t type) {
        u32(type);
        u32(0);
    }

    RecordBuilder &u8(std::uint8_t v) {
        bytes_.push_back(v);
        return *this;
    }
    RecordBuilder &u16(std::uint16_t v) {
        bytes_.push_back(static_cast<std::uint8_t>(v));
        bytes_.push_back(static_cast<std::uint8_t>(v >> 8));
        return *this;
    }
    RecordBuilder &i16(std::int16_t v) { return u16(static_cast<std::uint16_t>(v)); }
    RecordBuilder &u32(std::uint32_t v) {
        for (int i = 0; i < 4; ++i)
            bytes_.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
        return *this;
    }
    RecordBuilder &i32(std::int32_t v) { return u32(static_cast<std::uint32_t>(v)); }
    RecordBuilder &f32(float v) {
        std::uint32_t bits = 0;
        std::memcpy(&bits, &v, sizeof bits);
        return u32(bits);
    }
    RecordBuilder &point(PointL p) { return i32(p.x).i32(p.y); }
    RecordBuilder &size(SizeL s) { return i32(s.cx).i32(s.cy); }
    RecordBuilder &rect(const RectL &r) {
        return i32(r.left).i32(r.top).i32(r.right).i32(r.bottom);
    }
    RecordBuilder &raw(const std::uint8_t *data, std::size_t n) {
        if (n > 0) bytes_.insert(bytes_.end(), data, data + n);
        return *this;
    }
    // UTF-16LE units, then zero units up to `units` in total (fixed-size name fields).
    RecordBuilder &utf16(const std::u16string &text, std::size_t units) {
        for (std::size_t i = 0; i < units; ++i)
            u16(i < text.size() ? static_cast<std::uint16_t>(text[i]) : 0);
        return *this;
    }
    RecordBuilder &zeros(std::size_t n) {
        bytes_.insert(bytes_.end(), n, 0);
        return *this;
    }
    RecordBuilder &padTo4() {
        while (bytes_.size() % 4 != 0)
            bytes_.push_back(0);
        return *this;
    }
    std::size_t size() const { return bytes_.size(); }

    Bytes finish() {
        padTo4();
        storeU32(bytes_, 4, static_cast<std::uint32_t>(bytes_.size()));
        return std::move(bytes_);
    }

private:
    Bytes bytes_;
};

} // namespace scrivane::gdi

#endif
