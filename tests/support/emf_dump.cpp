#include "emf_dump.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <map>
#include <set>
#include <sstream>

namespace scrivane::test {

namespace {

constexpr std::uint32_t kSignature = 0x464D4520;
constexpr std::uint32_t kStockFlag = 0x80000000u;
constexpr std::uint32_t kLastStockId = 19;
constexpr std::size_t kMinHeaderSize = 88;
constexpr std::size_t kMaxListedPoints = 8;

std::string hex(std::uint32_t v) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "0x%X", v);
    return buf;
}

std::string color(std::uint32_t v) {
    char buf[24];
    std::snprintf(buf, sizeof buf, "#%02X%02X%02X", v & 0xFF, (v >> 8) & 0xFF, (v >> 16) & 0xFF);
    return buf;
}

std::string rectAt(const EmfRecord &r, std::size_t off) {
    std::ostringstream s;
    s << "(" << r.i32(off) << "," << r.i32(off + 4) << "," << r.i32(off + 8) << ","
      << r.i32(off + 12) << ")";
    return s.str();
}

std::string pointAt(const EmfRecord &r, std::size_t off) {
    std::ostringstream s;
    s << "(" << r.i32(off) << "," << r.i32(off + 4) << ")";
    return s.str();
}

std::string objectIndex(std::uint32_t index) {
    if (index & kStockFlag) return "stock " + std::to_string(index & ~kStockFlag);
    return std::to_string(index);
}

bool isCreate(std::uint32_t type) {
    return type == emf_type::CREATEPEN || type == emf_type::CREATEBRUSHINDIRECT ||
           type == emf_type::EXTCREATEFONTINDIRECTW || type == emf_type::EXTCREATEPEN;
}

std::string describeHeader(const EmfRecord &r) {
    std::ostringstream s;
    s << " bounds=" << rectAt(r, 8) << " frame=" << rectAt(r, 24) << " sig=" << hex(r.u32(40))
      << " bytes=" << r.u32(48) << " records=" << r.u32(52) << " handles=" << r.u16(56)
      << " device=" << pointAt(r, 72) << " mm=" << pointAt(r, 80);
    if (r.size >= 108) s << " um=" << pointAt(r, 100);
    const std::uint32_t n = r.u32(60);
    const std::uint32_t off = r.u32(64);
    if (n > 0 && off > 0) s << " description[" << n << "]=\"" << r.utf16(off, n) << "\"";
    return s.str();
}

std::string describePoly(const EmfRecord &r, bool sixteen) {
    std::ostringstream s;
    const std::uint32_t count = r.u32(24);
    s << " bounds=" << rectAt(r, 8) << " n=" << count << " pts=";
    for (std::uint32_t i = 0; i < count && i < kMaxListedPoints; ++i) {
        if (sixteen)
            s << "(" << r.i16(28 + 4 * i) << "," << r.i16(30 + 4 * i) << ")";
        else
            s << pointAt(r, 28 + 8 * i);
    }
    if (count > kMaxListedPoints) s << "...";
    return s.str();
}

std::string describeFont(const EmfRecord &r) {
    std::ostringstream s;
    s << " ih=" << r.u32(8) << " height=" << r.i32(12) << " width=" << r.i32(16)
      << " esc=" << r.i32(20) << " orient=" << r.i32(24) << " weight=" << r.i32(28)
      << " italic=" << int(r.u8(32)) << " underline=" << int(r.u8(33))
      << " strike=" << int(r.u8(34)) << " charset=" << int(r.u8(35)) << " outprec=" << int(r.u8(36))
      << " clipprec=" << hex(r.u8(37)) << " quality=" << int(r.u8(38)) << " pitch=" << int(r.u8(39))
      << " face=\"" << r.utf16(40, 32) << "\"";
    return s.str();
}

std::string describeText(const EmfRecord &r) {
    std::ostringstream s;
    const std::uint32_t n = r.u32(44);
    s << " mode=" << r.u32(24) << " scale=(" << r.f32(28) << "," << r.f32(32)
      << ") ref=" << pointAt(r, 36) << " n=" << n << " options=" << hex(r.u32(52))
      << " rect=" << rectAt(r, 56) << " offDx=" << r.u32(72);
    if (r.type == emf_type::EXTTEXTOUTW) s << " text=\"" << r.utf16(r.u32(48), n) << "\"";
    return s.str();
}

std::string describeStretch(const EmfRecord &r) {
    std::ostringstream s;
    const std::uint32_t bmi = r.u32(48);
    s << " bounds=" << rectAt(r, 8) << " dest=" << pointAt(r, 24) << " src=" << pointAt(r, 32)
      << " srcSize=" << pointAt(r, 40) << " destSize=" << pointAt(r, 72) << " usage=" << r.u32(64)
      << " rop=" << hex(r.u32(68)) << " cbBmi=" << r.u32(52) << " cbBits=" << r.u32(60)
      << " dib=" << r.i32(bmi + 4) << "x" << r.i32(bmi + 8) << "x" << r.u16(bmi + 14);
    return s.str();
}

std::string describeClipRegion(const EmfRecord &r) {
    std::ostringstream s;
    const std::uint32_t cb = r.u32(8);
    s << " cbRgnData=" << cb << " mode=" << r.u32(12);
    if (cb >= 32) {
        const std::uint32_t count = r.u32(16 + 8);
        s << " rects=" << count << " bounds=" << rectAt(r, 16 + 16);
        for (std::uint32_t i = 0; i < count && i < kMaxListedPoints; ++i)
            s << " " << rectAt(r, 48 + 16 * i);
    }
    return s.str();
}

std::string describeFields(const EmfRecord &r) {
    using namespace emf_type;
    switch (r.type) {
    case HEADER:
        return describeHeader(r);
    case POLYGON:
    case POLYLINE:
        return describePoly(r, false);
    case POLYGON16:
    case POLYLINE16:
        return describePoly(r, true);
    case SETWINDOWORGEX:
    case SETVIEWPORTORGEX:
    case MOVETOEX:
    case LINETO:
        return " " + pointAt(r, 8);
    case SETTEXTCOLOR:
        return " " + color(r.u32(8));
    case SETMAPMODE:
    case SETBKMODE:
    case SETPOLYFILLMODE:
    case SETMITERLIMIT:
        return " " + std::to_string(r.u32(8));
    case SETTEXTALIGN:
        return " " + hex(r.u32(8));
    case RESTOREDC:
        return " " + std::to_string(r.i32(8));
    case RECTANGLE:
    case INTERSECTCLIPRECT:
        return " " + rectAt(r, 8);
    case SELECTOBJECT:
    case DELETEOBJECT:
        return " ih=" + objectIndex(r.u32(8));
    case CREATEPEN:
        return " ih=" + std::to_string(r.u32(8)) + " style=" + hex(r.u32(12)) +
               " width=" + std::to_string(r.i32(16)) + " color=" + color(r.u32(24));
    case EXTCREATEPEN:
        return " ih=" + std::to_string(r.u32(8)) + " style=" + hex(r.u32(28)) +
               " width=" + std::to_string(r.u32(32)) + " brush=" + std::to_string(r.u32(36)) +
               " color=" + color(r.u32(40)) + " hatch=" + std::to_string(r.u32(44)) +
               " entries=" + std::to_string(r.u32(48));
    case CREATEBRUSHINDIRECT:
        return " ih=" + std::to_string(r.u32(8)) + " style=" + std::to_string(r.u32(12)) +
               " color=" + color(r.u32(16)) + " hatch=" + std::to_string(r.u32(20));
    case EXTCREATEFONTINDIRECTW:
        return describeFont(r);
    case EXTTEXTOUTA:
    case EXTTEXTOUTW:
        return describeText(r);
    case STRETCHDIBITS:
        return describeStretch(r);
    case EXTSELECTCLIPRGN:
        return describeClipRegion(r);
    case EOF_:
        return " nPal=" + std::to_string(r.u32(8)) + " offPal=" + std::to_string(r.u32(12)) +
               " sizeLast=" + std::to_string(r.u32(r.size >= 4 ? r.size - 4 : 0));
    default:
        return "";
    }
}

void checkHeader(const EmfFile &f, std::vector<std::string> &problems) {
    const EmfRecord &h = f.records.front();
    if (h.type != emf_type::HEADER) {
        problems.push_back("first record is " + emfRecordName(h.type) + ", not EMR_HEADER");
        return;
    }
    if (h.size < kMinHeaderSize)
        problems.push_back("header size " + std::to_string(h.size) + " below 88");
    if (h.u32(40) != kSignature)
        problems.push_back("header signature " + hex(h.u32(40)) + " is not \" EMF\"");
    if (h.u32(48) != f.bytes.size())
        problems.push_back("header Bytes " + std::to_string(h.u32(48)) + " but the file has " +
                           std::to_string(f.bytes.size()));
    if (h.u32(52) != f.records.size())
        problems.push_back("header Records " + std::to_string(h.u32(52)) + " but the file has " +
                           std::to_string(f.records.size()));
    const std::uint64_t n = h.u32(60);
    const std::uint64_t off = h.u32(64);
    if (n > 0 && (off < kMinHeaderSize || off + 2 * n > h.size))
        problems.push_back("header description (" + std::to_string(n) + " units at " +
                           std::to_string(off) + ") is not inside the header");
}

void checkRecordPlacement(const EmfFile &f, std::vector<std::string> &problems) {
    for (std::size_t i = 0; i < f.records.size(); ++i) {
        const EmfRecord &r = f.records[i];
        const std::string where =
            "record " + std::to_string(i) + " (" + emfRecordName(r.type) + ")";
        if (i > 0 && r.type == emf_type::HEADER) problems.push_back(where + ": a second header");
        if (r.type == emf_type::EOF_ && i + 1 != f.records.size())
            problems.push_back(where + ": EMR_EOF before the last record");
    }
    const EmfRecord &last = f.records.back();
    if (last.type != emf_type::EOF_) {
        problems.push_back("last record is " + emfRecordName(last.type) + ", not EMR_EOF");
    } else if (last.size < 20 || last.u32(last.size - 4) != last.size) {
        problems.push_back("EMR_EOF SizeLast " + std::to_string(last.u32(last.size - 4)) +
                           " differs from its Size " + std::to_string(last.size));
    }
}

// Object-index life cycle: created at a free index, selected and deleted only while created.
void checkObjects(const EmfFile &f, std::vector<std::string> &problems) {
    const std::uint32_t handles = f.records.front().u16(56);
    std::set<std::uint32_t> live;
    std::set<std::uint32_t> deleted;
    std::uint32_t highest = 0;
    for (std::size_t i = 0; i < f.records.size(); ++i) {
        const EmfRecord &r = f.records[i];
        const std::uint32_t index = r.u32(8);
        const std::string where = "record " + std::to_string(i) + " (" + emfRecordName(r.type) +
                                  ") index " + objectIndex(index) + ": ";
        if (isCreate(r.type)) {
            highest = std::max(highest, index);
            if (index == 0 || index >= handles)
                problems.push_back(where + "outside 1.." + std::to_string(handles) + "-1");
            if (!live.insert(index).second)
                problems.push_back(where + "created again while in use");
            deleted.erase(index);
        } else if (r.type == emf_type::SELECTOBJECT) {
            if (index & kStockFlag) {
                const std::uint32_t id = index & ~kStockFlag;
                if (id > kLastStockId || id == 9)
                    problems.push_back(where + "no such stock object");
            } else if (!live.count(index)) {
                problems.push_back(where + (deleted.count(index) ? "used after deletion"
                                                                 : "selected before creation"));
            }
        } else if (r.type == emf_type::DELETEOBJECT) {
            if (index & kStockFlag)
                problems.push_back(where + "a stock object cannot be deleted");
            else if (live.erase(index) == 0)
                problems.push_back(where + "deleted while not created");
            else
                deleted.insert(index);
        }
    }
    if (handles != highest + 1)
        problems.push_back("header Handles " + std::to_string(handles) +
                           " but the highest object index is " + std::to_string(highest));
}

} // namespace

std::uint8_t EmfRecord::u8(std::size_t off) const {
    return off < bytes.size() ? bytes[off] : 0;
}

std::uint16_t EmfRecord::u16(std::size_t off) const {
    return static_cast<std::uint16_t>(u8(off) | (u8(off + 1) << 8));
}

std::int16_t EmfRecord::i16(std::size_t off) const {
    return static_cast<std::int16_t>(u16(off));
}

std::uint32_t EmfRecord::u32(std::size_t off) const {
    return static_cast<std::uint32_t>(u16(off)) | (static_cast<std::uint32_t>(u16(off + 2)) << 16);
}

std::int32_t EmfRecord::i32(std::size_t off) const {
    return static_cast<std::int32_t>(u32(off));
}

float EmfRecord::f32(std::size_t off) const {
    const std::uint32_t bits = u32(off);
    float v = 0;
    std::memcpy(&v, &bits, sizeof v);
    return v;
}

std::string EmfRecord::utf16(std::size_t off, std::size_t units) const {
    std::string out;
    for (std::size_t i = 0; i < units; ++i) {
        const std::uint16_t c = u16(off + 2 * i);
        if (c >= 0x20 && c < 0x7F) {
            out.push_back(static_cast<char>(c));
        } else {
            char buf[8];
            std::snprintf(buf, sizeof buf, "\\u%04X", c);
            out += buf;
        }
    }
    return out;
}

std::vector<const EmfRecord *> EmfFile::ofType(std::uint32_t type) const {
    std::vector<const EmfRecord *> out;
    for (const EmfRecord &r : records) {
        if (r.type == type) out.push_back(&r);
    }
    return out;
}

const EmfRecord *EmfFile::first(std::uint32_t type) const {
    for (const EmfRecord &r : records) {
        if (r.type == type) return &r;
    }
    return nullptr;
}

EmfFile parseEmf(const std::vector<std::uint8_t> &bytes) {
    EmfFile f;
    f.bytes = bytes;
    f.loaded = true;
    std::size_t offset = 0;
    while (offset < bytes.size()) {
        if (bytes.size() - offset < 8) {
            f.stopReason = "trailing " + std::to_string(bytes.size() - offset) + " byte(s) at " +
                           std::to_string(offset);
            break;
        }
        EmfRecord r;
        r.offset = offset;
        r.bytes.assign(bytes.begin() + offset, bytes.begin() + offset + 8);
        r.type = r.u32(0);
        r.size = r.u32(4);
        if (r.size < 8 || r.size % 4 != 0 || r.size > bytes.size() - offset) {
            f.stopReason = "record at " + std::to_string(offset) + " (" + emfRecordName(r.type) +
                           ") has size " + std::to_string(r.size) +
                           " (below 8, not a multiple of 4 or past the end of the file)";
            break;
        }
        r.bytes.assign(bytes.begin() + offset, bytes.begin() + offset + r.size);
        offset += r.size;
        f.records.push_back(std::move(r));
    }
    return f;
}

EmfFile readEmfFile(const std::string &path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        EmfFile f;
        f.stopReason = "cannot read " + path;
        return f;
    }
    std::vector<std::uint8_t> bytes((std::istreambuf_iterator<char>(in)),
                                    std::istreambuf_iterator<char>());
    return parseEmf(bytes);
}

std::string emfRecordName(std::uint32_t type) {
    static const std::map<std::uint32_t, const char *> names = {{1, "EMR_HEADER"},
                                                                {3, "EMR_POLYGON"},
                                                                {4, "EMR_POLYLINE"},
                                                                {10, "EMR_SETWINDOWORGEX"},
                                                                {12, "EMR_SETVIEWPORTORGEX"},
                                                                {14, "EMR_EOF"},
                                                                {17, "EMR_SETMAPMODE"},
                                                                {18, "EMR_SETBKMODE"},
                                                                {19, "EMR_SETPOLYFILLMODE"},
                                                                {22, "EMR_SETTEXTALIGN"},
                                                                {24, "EMR_SETTEXTCOLOR"},
                                                                {27, "EMR_MOVETOEX"},
                                                                {30, "EMR_INTERSECTCLIPRECT"},
                                                                {33, "EMR_SAVEDC"},
                                                                {34, "EMR_RESTOREDC"},
                                                                {37, "EMR_SELECTOBJECT"},
                                                                {38, "EMR_CREATEPEN"},
                                                                {39, "EMR_CREATEBRUSHINDIRECT"},
                                                                {40, "EMR_DELETEOBJECT"},
                                                                {43, "EMR_RECTANGLE"},
                                                                {54, "EMR_LINETO"},
                                                                {58, "EMR_SETMITERLIMIT"},
                                                                {75, "EMR_EXTSELECTCLIPRGN"},
                                                                {81, "EMR_STRETCHDIBITS"},
                                                                {82, "EMR_EXTCREATEFONTINDIRECTW"},
                                                                {83, "EMR_EXTTEXTOUTA"},
                                                                {84, "EMR_EXTTEXTOUTW"},
                                                                {86, "EMR_POLYGON16"},
                                                                {87, "EMR_POLYLINE16"},
                                                                {95, "EMR_EXTCREATEPEN"}};
    const auto it = names.find(type);
    return it != names.end() ? it->second : "EMR_" + std::to_string(type);
}

std::string describeEmfRecord(const EmfRecord &record) {
    return emfRecordName(record.type) + " @" + std::to_string(record.offset) + " size " +
           std::to_string(record.size) + ":" + describeFields(record);
}

std::string dumpEmf(const EmfFile &file) {
    std::string out;
    for (const EmfRecord &r : file.records)
        out += describeEmfRecord(r) + "\n";
    if (!file.stopReason.empty()) out += "(stopped: " + file.stopReason + ")\n";
    return out;
}

std::vector<std::string> checkEmf(const EmfFile &file) {
    std::vector<std::string> problems;
    if (!file.loaded) {
        problems.push_back(file.stopReason.empty() ? "file not loaded" : file.stopReason);
        return problems;
    }
    if (!file.stopReason.empty()) problems.push_back(file.stopReason);
    if (file.records.empty()) {
        problems.push_back("no records");
        return problems;
    }
    checkHeader(file, problems);
    checkRecordPlacement(file, problems);
    checkObjects(file, problems);
    return problems;
}

} // namespace scrivane::test
