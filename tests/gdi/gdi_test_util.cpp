#include "gdi_test_util.h"

#include <cctype>
#include <cstdio>
#include <fstream>
#include <iterator>

namespace scrivane::test {

namespace {

// The 240-byte file of a 1-unit black pen and one polyline, MM_HIMETRIC, window origin
// (-1000, -1000), frame (0, -5000, 10000, 0) on the 100 px/mm reference device.
const char *const kPenAndPolyline = R"(
0000: 01 00 00 00 6C 00 00 00 00 00 00 00 78 EC FF FF
0010: 10 27 00 00 00 00 00 00 00 00 00 00 78 EC FF FF
0020: 10 27 00 00 00 00 00 00 20 45 4D 46 00 00 01 00
0030: F0 00 00 00 07 00 00 00 02 00 00 00 00 00 00 00
0040: 00 00 00 00 00 00 00 00 08 52 00 00 04 74 00 00
0050: D2 00 00 00 29 01 00 00 00 00 00 00 00 00 00 00
0060: 00 00 00 00 50 34 03 00 28 88 04 00
006C: 11 00 00 00 0C 00 00 00 03 00 00 00
0078: 0A 00 00 00 10 00 00 00 18 FC FF FF 18 FC FF FF
0088: 26 00 00 00 1C 00 00 00 01 00 00 00 00 00 00 00
0098: 01 00 00 00 00 00 00 00 00 00 00 00
00A4: 25 00 00 00 0C 00 00 00 01 00 00 00
00B0: 04 00 00 00 2C 00 00 00 00 00 00 00 00 00 00 00
00C0: 40 1F 00 00 B8 0B 00 00 02 00 00 00 00 00 00 00
00D0: 00 00 00 00 40 1F 00 00 B8 0B 00 00
00DC: 0E 00 00 00 14 00 00 00 00 00 00 00 10 00 00 00
00EC: 14 00 00 00
)";

} // namespace

Bytes penAndPolylineExample() {
    return hexBytes(kPenAndPolyline);
}

Bytes hexBytes(const std::string &text) {
    Bytes out;
    std::string token;
    auto flush = [&]() {
        if (!token.empty() && token.back() != ':') {
            for (std::size_t i = 0; i + 1 < token.size(); i += 2)
                out.push_back(
                    static_cast<std::uint8_t>(std::stoul(token.substr(i, 2), nullptr, 16)));
        }
        token.clear();
    };
    for (char c : text) {
        if (std::isspace(static_cast<unsigned char>(c)))
            flush();
        else
            token.push_back(c);
    }
    flush();
    return out;
}

std::string toHex(const Bytes &bytes) {
    std::string out;
    char buf[4];
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        std::snprintf(buf, sizeof buf, "%02X", bytes[i]);
        out += buf;
        out += (i % 16 == 15) ? '\n' : ' ';
    }
    return out;
}

Bytes closeToBytes(HDC hdc) {
    HENHMETAFILE emf = CloseEnhMetaFile(hdc);
    if (!emf) return {};
    Bytes bytes(GetEnhMetaFileBits(emf, 0, nullptr));
    if (!bytes.empty()) GetEnhMetaFileBits(emf, static_cast<UINT>(bytes.size()), bytes.data());
    DeleteEnhMetaFile(emf);
    return bytes;
}

EmfFile closeToEmf(HDC hdc) {
    return parseEmf(closeToBytes(hdc));
}

Bytes readFileBytes(const std::string &path) {
    std::ifstream in(path, std::ios::binary);
    return Bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

std::string outputPath(const std::string &name) {
    return std::string(SCRIVANE_TEST_OUT) + "/" + name;
}

HDC himetricMetafile() {
    const RECT frame{0, -5000, 10000, 0};
    HDC hdc = CreateEnhMetaFileA(nullptr, nullptr, &frame, nullptr);
    SetGraphicsMode(hdc, GM_COMPATIBLE);
    SetMapMode(hdc, MM_HIMETRIC);
    SetWindowOrgEx(hdc, -1000, -1000, nullptr);
    return hdc;
}

std::vector<EmfRecord> body(const EmfFile &f) {
    if (f.records.size() < 2) return {};
    return std::vector<EmfRecord>(f.records.begin() + 1, f.records.end() - 1);
}

} // namespace scrivane::test
