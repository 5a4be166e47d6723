#include "gdi_test_util.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>

namespace scrivane::test {

// clang-format off
Bytes penAndPolylineExample() {
    return fromWords({
        // Header: type, size, bounds, frame, signature, version, bytes, records, handles,
        // description, palette, device 21000 x 29700 px and 210 x 297 mm, pixel format, OpenGL,
        // device in micrometres.
        1, 108, 0, -5000, 10000, 0, 0, -5000, 10000, 0, 0x464D4520, 0x10000, 240, 7, 2, 0, 0, 0,
        21000, 29700, 210, 297, 0, 0, 0, 210000, 297000,
        17, 12, 3,                                    // SETMAPMODE MM_HIMETRIC
        10, 16, -1000, -1000,                         // SETWINDOWORGEX
        38, 28, 1, 0, 1, 0, 0,                        // CREATEPEN 1: solid, 1 wide, black
        37, 12, 1,                                    // SELECTOBJECT 1
        4, 44, 0, 0, 8000, 3000, 2, 0, 0, 8000, 3000, // POLYLINE: bounds, 2 points
        14, 20, 0, 16, 20});                          // EOF
}
// clang-format on

Bytes fromWords(std::initializer_list<long long> words) {
    Bytes out;
    for (long long w : words)
        for (int i = 0; i < 4; ++i)
            out.push_back(static_cast<std::uint8_t>(static_cast<std::uint32_t>(w) >> (8 * i)));
    return out;
}

std::string words(const Bytes &bytes, std::size_t from, std::size_t to) {
    std::string out;
    char buf[16];
    for (std::size_t i = from; i + 4 <= (to ? to : bytes.size()); i += 4) {
        std::uint32_t v = 0;
        for (int k = 3; k >= 0; --k)
            v = v << 8 | bytes[i + k];
        const auto s = static_cast<std::int32_t>(v);
        if (s > -65536 && s < 65536)
            std::snprintf(buf, sizeof buf, "%s%d", out.empty() ? "" : " ", s);
        else
            std::snprintf(buf, sizeof buf, "%s0x%X", out.empty() ? "" : " ", v);
        out += buf;
    }
    return bytes.size() % 4 ? out + " and " + std::to_string(bytes.size() % 4) + " bytes" : out;
}

Bytes bitsAndDelete(HENHMETAFILE emf) {
    Bytes bits(GetEnhMetaFileBits(emf, 0, nullptr));
    if (!bits.empty() &&
        GetEnhMetaFileBits(emf, static_cast<UINT>(bits.size()), bits.data()) != bits.size())
        bits.clear();
    DeleteEnhMetaFile(emf);
    return bits;
}

Bytes closeToBytes(HDC hdc) {
    HENHMETAFILE emf = CloseEnhMetaFile(hdc);
    return emf ? bitsAndDelete(emf) : Bytes{};
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

std::string recordNames(const EmfFile &f) {
    std::string names;
    for (const EmfRecord &r : f.records)
        names += (names.empty() ? "" : " ") + emfRecordName(r.type).substr(4);
    return names;
}

HDC printerDc(const char *pattern) {
    if (pattern) {
        EXPECT_TRUE(ScrivaneGdiSetPrintToFile(pattern));
    }
    PRINTDLGA pd{};
    pd.lStructSize = 66; // the Windows figure, as the writer passes it
    pd.Flags = PD_RETURNDC;
    EXPECT_TRUE(PrintDlgA(&pd));
    return pd.hDC;
}

int startDoc(HDC hdc) {
    DOCINFOA di{};
    di.cbSize = 20;
    di.lpszDocName = "Scrivane : GDI Output";
    return StartDocA(hdc, &di);
}

BITMAPINFO dibInfo(int width, int height) {
    BITMAPINFO bmi;
    std::memset(&bmi, 0, sizeof bmi);
    bmi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    bmi.bmiHeader.biWidth = width;
    bmi.bmiHeader.biHeight = height;
    bmi.bmiHeader.biPlanes = 1;
    bmi.bmiHeader.biBitCount = 24;
    bmi.bmiHeader.biCompression = BI_RGB;
    bmi.bmiHeader.biSizeImage = static_cast<DWORD>((width * 3 + 3) / 4 * 4 * height);
    return bmi;
}

} // namespace scrivane::test
