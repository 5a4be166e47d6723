// Test helper: reads an enhanced metafile (EMF) into records, lists them as text, and checks
// its structure. Written from the EMF record layout, independent of the library's writer.
//
//   scrivane::test::EmfFile emf = scrivane::test::readEmfFile("x.emf");
//   EXPECT_TRUE(emf.loaded);
//   EXPECT_EQ(scrivane::test::checkEmf(emf), std::vector<std::string>{});
//   std::cout << scrivane::test::dumpEmf(emf);
//   for (const EmfRecord *r : emf.ofType(emf_type::POLYLINE)) ... r->i32(24) ...
#ifndef SCRIVANE_TEST_EMF_DUMP_H
#define SCRIVANE_TEST_EMF_DUMP_H

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace scrivane::test {

namespace emf_type {
inline constexpr std::uint32_t HEADER = 1;
inline constexpr std::uint32_t POLYGON = 3;
inline constexpr std::uint32_t POLYLINE = 4;
inline constexpr std::uint32_t SETWINDOWORGEX = 10;
inline constexpr std::uint32_t SETVIEWPORTORGEX = 12;
inline constexpr std::uint32_t EOF_ = 14;
inline constexpr std::uint32_t SETMAPMODE = 17;
inline constexpr std::uint32_t SETBKMODE = 18;
inline constexpr std::uint32_t SETPOLYFILLMODE = 19;
inline constexpr std::uint32_t SETTEXTALIGN = 22;
inline constexpr std::uint32_t SETTEXTCOLOR = 24;
inline constexpr std::uint32_t MOVETOEX = 27;
inline constexpr std::uint32_t INTERSECTCLIPRECT = 30;
inline constexpr std::uint32_t SAVEDC = 33;
inline constexpr std::uint32_t RESTOREDC = 34;
inline constexpr std::uint32_t SELECTOBJECT = 37;
inline constexpr std::uint32_t CREATEPEN = 38;
inline constexpr std::uint32_t CREATEBRUSHINDIRECT = 39;
inline constexpr std::uint32_t DELETEOBJECT = 40;
inline constexpr std::uint32_t RECTANGLE = 43;
inline constexpr std::uint32_t LINETO = 54;
inline constexpr std::uint32_t SETMITERLIMIT = 58;
inline constexpr std::uint32_t EXTSELECTCLIPRGN = 75;
inline constexpr std::uint32_t STRETCHDIBITS = 81;
inline constexpr std::uint32_t EXTCREATEFONTINDIRECTW = 82;
inline constexpr std::uint32_t EXTTEXTOUTA = 83;
inline constexpr std::uint32_t EXTTEXTOUTW = 84;
inline constexpr std::uint32_t POLYGON16 = 86;
inline constexpr std::uint32_t POLYLINE16 = 87;
inline constexpr std::uint32_t EXTCREATEPEN = 95;
} // namespace emf_type

// One record: its place in the file and a copy of its bytes (Type and Size included).
// Accessors read little-endian values at an offset from the record start and return 0 past
// the end of the record.
struct EmfRecord {
    std::uint32_t type = 0;
    std::uint32_t size = 0;
    std::size_t offset = 0; // in the file
    std::vector<std::uint8_t> bytes;

    std::uint8_t u8(std::size_t off) const;
    std::uint16_t u16(std::size_t off) const;
    std::int16_t i16(std::size_t off) const;
    std::uint32_t u32(std::size_t off) const;
    std::int32_t i32(std::size_t off) const;
    float f32(std::size_t off) const;
    // `units` UTF-16 code units at `off`, non-ASCII shown as \uXXXX.
    std::string utf16(std::size_t off, std::size_t units) const;
};

struct EmfFile {
    std::vector<std::uint8_t> bytes;
    std::vector<EmfRecord> records; // as far as the record sizes allowed reading
    bool loaded = false;            // the file could be read (parseEmf always sets it)
    std::string stopReason;         // why record reading stopped early; empty if it did not

    std::vector<const EmfRecord *> ofType(std::uint32_t type) const;
    const EmfRecord *first(std::uint32_t type) const;
};

EmfFile parseEmf(const std::vector<std::uint8_t> &bytes);
EmfFile readEmfFile(const std::string &path); // loaded = false when the file cannot be read

std::string emfRecordName(std::uint32_t type);
// One line: name, offset, size and the decoded fields of the record.
std::string describeEmfRecord(const EmfRecord &record);
// All records, one line each.
std::string dumpEmf(const EmfFile &file);

// Structural problems, one message each; empty when the file is sound. Checked: the header
// (type, signature, sizes, Bytes = file length, Records = record count, Handles = highest
// object index + 1, description inside the header), every record size (>= 8, a multiple of
// 4, inside the file), EMR_EOF last and only there, and the object indexes (created at an
// index in 1 .. Handles-1 that is free, selected only while created and not deleted, deleted
// only when created, stock indexes only selected).
std::vector<std::string> checkEmf(const EmfFile &file);

} // namespace scrivane::test

#endif
