// Exact bytes of the records written by the metafile context.
#include "gdi_test_util.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cstdio>
#include <functional>
#include <thread>

using namespace scrivane::test;

namespace {

// Runs `draw` on a fresh HIMETRIC metafile and returns the records it added.
std::vector<EmfRecord> recordsOf(const std::function<void(HDC)> &draw) {
    HDC hdc = himetricMetafile();
    draw(hdc);
    const std::vector<EmfRecord> all = body(closeToEmf(hdc));
    return std::vector<EmfRecord>(all.begin() + 2, all.end()); // after SETMAPMODE, SETWINDOWORGEX
}

// The records `draw` adds must have exactly these words.
void expectRecords(const std::function<void(HDC)> &draw, const std::vector<std::string> &expected) {
    const auto records = recordsOf(draw);
    ASSERT_EQ(records.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i)
        EXPECT_EQ(words(records[i].bytes), expected[i]) << i;
}

template <class Object> std::function<void(HDC)> selecting(Object object) {
    return [object](HDC hdc) { SelectObject(hdc, object); };
}

} // namespace

TEST(GdiRecords, PenAndPolylineFileIsByteExact) {
    HDC hdc = himetricMetafile();
    HPEN pen = CreatePen(PS_SOLID, 1, RGB(0, 0, 0));
    SelectObject(hdc, pen);
    const POINT line[2] = {{0, 0}, {8000, 3000}};
    ASSERT_TRUE(Polyline(hdc, line, 2));
    EXPECT_EQ(words(closeToBytes(hdc)), words(penAndPolylineExample()));
    EXPECT_TRUE(DeleteObject(pen));
}

TEST(GdiRecords, HeaderCarriesTheDescriptionInUtf16) {
    const RECT frame{0, -5000, 10000, 0};
    const EmfFile f = closeToEmf(CreateEnhMetaFileA(
        nullptr, nullptr, &frame, "Creator : Scrivane Nalder EUROPE a Nalder Company\0line.emf\0"));
    ASSERT_EQ(f.records.size(), 2u);
    const EmfRecord &h = f.records[0];
    EXPECT_EQ(h.size, 228u);
    // Bytes (header and EOF), records, handles (none), nDescription (49 + NUL + 8 + NUL NUL),
    // offDescription.
    EXPECT_EQ(words(h.bytes, 48, 68), "248 2 1 60 108");
    EXPECT_EQ(h.utf16(108, 60),
              "Creator : Scrivane Nalder EUROPE a Nalder Company\\u0000line.emf\\u0000\\u0000");
    EXPECT_EQ(checkEmf(f), std::vector<std::string>{});
}

TEST(GdiRecords, ObjectAndStateRecordBytes) {
    const LOGBRUSH blue{BS_SOLID, RGB(0, 0, 255), 0};
    HPEN cosmetic = CreatePen(PS_DASH, 1, RGB(255, 0, 0));
    HPEN geometric = ExtCreatePen(PS_GEOMETRIC | PS_SOLID | PS_ENDCAP_FLAT | PS_JOIN_MITER, 50,
                                  &blue, 0, nullptr);
    HBRUSH brush = CreateSolidBrush(RGB(0x12, 0x34, 0x56));
    ASSERT_NE(geometric, nullptr);
    // Type, size, object index, then the pen's style, width and colour, or the brush's.
    expectRecords(selecting(cosmetic), {"38 28 1 1 1 0 255", "37 12 1"});
    expectRecords(selecting(geometric), {"95 52 1 0 0 0 0 0x12200 50 0 0xFF0000 0 0", "37 12 1"});
    expectRecords(selecting(brush), {"39 24 1 0 0x563412 0", "37 12 1"});
    for (HGDIOBJ object : std::initializer_list<HGDIOBJ>{cosmetic, geometric, brush})
        EXPECT_TRUE(DeleteObject(object));
    expectRecords(
        [](HDC hdc) {
            POINT old{9, 9};
            MoveToEx(hdc, 100, -200, &old);
            EXPECT_EQ(old.x, 0);
            EXPECT_EQ(old.y, 0);
            LineTo(hdc, 300, 400);
            EXPECT_TRUE(SetMiterLimit(hdc, 1000.0f, nullptr));
            EXPECT_FALSE(SetMiterLimit(hdc, -1.0f, nullptr));
            EXPECT_EQ(SetTextColor(hdc, RGB(1, 2, 3)), 0u);
            EXPECT_EQ(SetTextAlign(hdc, TA_RIGHT | TA_BASELINE), 0u);
            EXPECT_EQ(SetBkMode(hdc, TRANSPARENT), OPAQUE);
            EXPECT_EQ(SetBkMode(hdc, 7), 0);
            EXPECT_EQ(SetMapMode(hdc, MM_ANISOTROPIC), 0);
        },
        {"27 16 100 -200", "54 16 300 400", "58 12 1000", "24 12 0x30201", "22 12 26", "18 12 1"});
}

TEST(GdiRecords, PointRecordsAre32BitUnlessCompactPointsAreEnabledAndFit) {
    const POINT small[3] = {{1, 2}, {-3, 4}, {5, -6}};
    expectRecords([&](HDC hdc) { Polyline(hdc, small, 3); }, {"4 52 -3 -6 5 4 3 1 2 -3 4 5 -6"});
    const POINT fits[2] = {{-32768, 0}, {32767, 10}}, wide[2] = {{0, 0}, {32768, 10}},
                low[2] = {{0, -32769}, {1, 1}};
    const auto compact = recordsOf([&](HDC hdc) {
        ScrivaneGdiSetCompactPoints(hdc, TRUE);
        Polyline(hdc, small, 3);
        Polygon(hdc, small, 3);
        Polyline(hdc, fits, 2);
        Polyline(hdc, wide, 2);
        Polygon(hdc, low, 2);
    });
    // POLYLINE16 and POLYGON16 carry (x, y) pairs of 16 bits; beyond 16 bits, 32-bit records.
    ASSERT_EQ(compact.size(), 5u);
    const char *expected[5] = {
        "87 40 -3 -6 5 4 3 0x20001 0x4FFFD 0xFFFA0005",
        "86 40 -3 -6 5 4 3 0x20001 0x4FFFD 0xFFFA0005", "87 36 -32768 0 32767 10 2 32768 0xA7FFF",
        "4 44 0 0 32768 10 2 0 0 32768 10", "3 44 0 -32769 1 1 2 0 -32769 1 1"};
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(words(compact[i].bytes), expected[i]) << i;
}

TEST(GdiRecords, LongPolylineIsSplitAndShortOnesAreRefused) {
    std::vector<POINT> pts(20000);
    for (int i = 0; i < 20000; ++i)
        pts[i] = POINT{i, i % 7};
    const auto records = recordsOf([&](HDC hdc) {
        Polyline(hdc, pts.data(), 20000);
        EXPECT_FALSE(Polyline(hdc, pts.data(), 1));
        EXPECT_FALSE(Polygon(hdc, pts.data(), 1));
        EXPECT_FALSE(Polyline(hdc, nullptr, 2));
    });
    ASSERT_EQ(records.size(), 2u);
    EXPECT_EQ(records[0].u32(24), 16000u);
    EXPECT_EQ(records[1].u32(24), 4001u);
    EXPECT_EQ(records[1].i32(28), 15999); // the parts share their end point
    EXPECT_EQ(records[1].i32(28 + 8 * 4000), 19999);
}

TEST(GdiRecords, TextIsRecordedAsExtTextOutWFromWindows1252) {
    const auto records = recordsOf([&](HDC hdc) {
        TextOutA(hdc, 100, 200, "Hi!", 3);
        TextOutA(hdc, 0, 0, "\xE9\x80\x93", 3);
    });
    ASSERT_EQ(records.size(), 2u);
    // Bounds (none), graphics mode, scales 1.0, reference point, count, offset, options,
    // rectangle, no spacing array, "Hi!" in UTF-16 and a pad.
    EXPECT_EQ(words(records[0].bytes), "84 84 0 0 -1 -1 1 0x3F800000 0x3F800000 100 200 3 76 0 0 0 "
                                       "-1 -1 0 0x690048 33");
    EXPECT_EQ(records[1].utf16(76, 3), "\\u00E9\\u20AC\\u201C");
    EXPECT_EQ(records[1].size, 84u);
}

TEST(GdiRecords, StretchDIBitsRecordAndMissingBitsRefused) {
    BITMAPINFO bmi = dibInfo(2, 2);
    bmi.bmiHeader.biXPelsPerMeter = bmi.bmiHeader.biYPelsPerMeter = 100000;
    const BYTE bits[16] = {0xFF, 0, 0, 0, 0xFF, 0, 0, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0xFF, 0, 0};
    expectRecords(
        [&](HDC hdc) {
            EXPECT_EQ(StretchDIBits(hdc, 1000, 3000, 2000, -2000, 0, 0, 2, 2, bits, &bmi,
                                    DIB_RGB_COLORS, SRCCOPY),
                      2);
            EXPECT_EQ(
                StretchDIBits(hdc, 0, 0, 1, 1, 0, 0, 1, 1, nullptr, &bmi, DIB_RGB_COLORS, SRCCOPY),
                0);
        },
        // Bounds, destination, source, offsets and sizes of the header and bits, DIB_RGB_COLORS,
        // SRCCOPY, destination size, BITMAPINFOHEADER at 100000 px/m, rows of 8 bytes.
        {"81 136 1000 3000 2999 999 1000 3000 0 0 2 2 80 40 120 16 0 0xCC0020 2000 -2000 40 2 2 "
         "0x180001 0 16 0x186A0 0x186A0 0 0 255 255 0xFFFF0000 65535"});
}

namespace {

// A drawing of some 270 KB: 3000 triangles, each in a brush of its own (its create, select and
// delete records), between a dotted polyline and a text. A metafile written to a file goes
// out in parts of 64 KB as it is recorded, and its header is completed at the end.
void drawManyBrushes(HDC hdc) {
    const POINT pts[3] = {{0, 0}, {500, 900}, {1200, -40}};
    HPEN pen = CreatePen(PS_DOT, 1, RGB(10, 20, 30));
    DeleteObject(SelectObject(hdc, pen));
    Polyline(hdc, pts, 3);
    for (int i = 0; i < 3000; ++i) {
        HBRUSH brush = CreateSolidBrush(RGB(i % 256, i / 256, 7));
        DeleteObject(SelectObject(hdc, brush));
        Polygon(hdc, pts, 3);
    }
    TextOutA(hdc, 10, 10, "determinism", 11);
    DeleteObject(SelectObject(hdc, GetStockObject(BLACK_PEN)));
    DeleteObject(SelectObject(hdc, GetStockObject(WHITE_BRUSH)));
}

const RECT kFrame{0, -5000, 10000, 0};

Bytes drawnInMemory() {
    HDC inMemory = CreateEnhMetaFileA(nullptr, nullptr, &kFrame, "a\0b\0");
    drawManyBrushes(inMemory);
    return closeToBytes(inMemory);
}

} // namespace

TEST(GdiRecords, IdenticalCallsGiveIdenticalFilesInMemoryAndOnDisk) {
    const std::string path = outputPath("gdi-determinism.emf");
    HDC toFile = CreateEnhMetaFileA(nullptr, path.c_str(), &kFrame, "a\0b\0");
    drawManyBrushes(toFile);
    HENHMETAFILE emf = CloseEnhMetaFile(toFile);
    ASSERT_NE(emf, nullptr);
    const Bytes fileBytes = readFileBytes(path);
    EXPECT_GT(fileBytes.size(), 4u * 65536u);
    // The handle of a metafile written to a file reads the file.
    EXPECT_EQ(bitsAndDelete(emf), fileBytes);
    const Bytes memoryBytes = drawnInMemory();
    EXPECT_EQ(fileBytes, memoryBytes);
    EXPECT_EQ(checkEmf(parseEmf(memoryBytes)), std::vector<std::string>{});
    EXPECT_EQ(CreateEnhMetaFileA(nullptr, "/nonexistent-dir/x.emf", nullptr, nullptr), nullptr);
}

// A pipe cannot seek back to the header: the metafile reaches it complete when it is closed.
TEST(GdiRecords, MetafileWrittenToAPipeIsCompleteWhenClosed) {
    const std::string fifo = outputPath("gdi-pipe.fifo");
    std::remove(fifo.c_str());
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    Bytes received;
    std::thread reader([&] { received = readFileBytes(fifo); });
    // Opening the pipe waits for the reader.
    HDC toPipe = CreateEnhMetaFileA(nullptr, fifo.c_str(), &kFrame, "a\0b\0");
    if (!toPipe) {
        if (std::FILE *unblock = std::fopen(fifo.c_str(), "wb")) std::fclose(unblock);
    }
    HENHMETAFILE emf = nullptr;
    if (toPipe) {
        drawManyBrushes(toPipe);
        emf = CloseEnhMetaFile(toPipe);
    }
    reader.join();
    std::remove(fifo.c_str());
    ASSERT_NE(emf, nullptr);
    const Bytes memoryBytes = drawnInMemory();
    EXPECT_EQ(received, memoryBytes);
    EXPECT_EQ(bitsAndDelete(emf), memoryBytes);
}
