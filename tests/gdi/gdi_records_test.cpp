// Exact bytes of the records written by the metafile context.
#include "gdi_test_util.h"

#include <gtest/gtest.h>

#include <cstring>

using namespace scrivane::test;

namespace {

// Runs `draw` on a fresh HIMETRIC metafile and returns the records it added.
template <class Draw> std::vector<EmfRecord> recordsOf(Draw draw) {
    HDC hdc = himetricMetafile();
    draw(hdc);
    const EmfFile f = closeToEmf(hdc);
    std::vector<EmfRecord> all = body(f);
    return std::vector<EmfRecord>(all.begin() + 2, all.end()); // after SETMAPMODE, SETWINDOWORGEX
}

} // namespace

TEST(GdiRecords, PenAndPolylineFileIsByteExact) {
    HDC hdc = himetricMetafile();
    HPEN pen = CreatePen(PS_SOLID, 1, RGB(0, 0, 0));
    ASSERT_NE(pen, nullptr);
    SelectObject(hdc, pen);
    const POINT line[2] = {{0, 0}, {8000, 3000}};
    ASSERT_TRUE(Polyline(hdc, line, 2));
    const Bytes file = closeToBytes(hdc);
    EXPECT_EQ(toHex(file), toHex(penAndPolylineExample()));
    EXPECT_TRUE(DeleteObject(pen));
}

TEST(GdiRecords, HeaderCarriesTheDescriptionInUtf16) {
    const RECT frame{0, -5000, 10000, 0};
    const char desc[] = "Creator : Scrivane Nalder EUROPE a Nalder Company\0line.emf\0";
    HDC hdc = CreateEnhMetaFileA(nullptr, nullptr, &frame, desc);
    const EmfFile f = closeToEmf(hdc);
    ASSERT_EQ(f.records.size(), 2u);
    const EmfRecord &h = f.records[0];
    EXPECT_EQ(h.size, 228u);
    EXPECT_EQ(h.u32(60), 60u);  // nDescription: 49 + NUL + 8 + NUL NUL
    EXPECT_EQ(h.u32(64), 108u); // offDescription
    EXPECT_EQ(h.u32(48), 248u); // Bytes: header + EOF
    EXPECT_EQ(h.u32(52), 2u);
    EXPECT_EQ(h.u16(56), 1u); // no objects
    Bytes expected;
    for (char c : std::string(desc, sizeof desc)) {
        expected.push_back(static_cast<std::uint8_t>(c));
        expected.push_back(0);
    }
    expected.resize(120, 0);
    EXPECT_EQ(Bytes(h.bytes.begin() + 108, h.bytes.end()), expected);
    EXPECT_EQ(checkEmf(f), std::vector<std::string>{});
}

TEST(GdiRecords, EofRecordIsTwentyBytes) {
    HDC hdc = himetricMetafile();
    const EmfFile f = closeToEmf(hdc);
    EXPECT_EQ(toHex(f.records.back().bytes),
              toHex(hexBytes("0E 00 00 00 14 00 00 00 00 00 00 00 10 00 00 00 14 00 00 00")));
}

TEST(GdiRecords, CosmeticPenRecord) {
    HPEN pen = CreatePen(PS_DASH, 1, RGB(255, 0, 0));
    const auto records = recordsOf([&](HDC hdc) { SelectObject(hdc, pen); });
    ASSERT_EQ(records.size(), 2u);
    EXPECT_EQ(toHex(records[0].bytes), toHex(hexBytes("26 00 00 00 1C 00 00 00 01 00 00 00 "
                                                      "01 00 00 00 01 00 00 00 00 00 00 00 "
                                                      "FF 00 00 00")));
    EXPECT_EQ(toHex(records[1].bytes), toHex(hexBytes("25 00 00 00 0C 00 00 00 01 00 00 00")));
    DeleteObject(pen);
}

TEST(GdiRecords, GeometricPenRecord) {
    const LOGBRUSH brush{BS_SOLID, RGB(0, 0, 255), 0};
    HPEN pen = ExtCreatePen(PS_GEOMETRIC | PS_SOLID | PS_ENDCAP_FLAT | PS_JOIN_MITER, 50, &brush, 0,
                            nullptr);
    ASSERT_NE(pen, nullptr);
    const auto records = recordsOf([&](HDC hdc) { SelectObject(hdc, pen); });
    ASSERT_EQ(records.size(), 2u);
    EXPECT_EQ(toHex(records[0].bytes),
              toHex(hexBytes("5F 00 00 00 34 00 00 00 01 00 00 00 00 00 00 00 "
                             "00 00 00 00 00 00 00 00 00 00 00 00 00 22 01 00 "
                             "32 00 00 00 00 00 00 00 00 00 FF 00 00 00 00 00 00 00 00 00")));
    DeleteObject(pen);
}

TEST(GdiRecords, ExtCreatePenRefusesWhatGdiRefuses) {
    const LOGBRUSH solid{BS_SOLID, 0, 0};
    const DWORD dashes[2] = {10, 5};
    EXPECT_EQ(ExtCreatePen(PS_GEOMETRIC, 10, nullptr, 0, nullptr), nullptr);
    EXPECT_EQ(ExtCreatePen(PS_COSMETIC | PS_DASH, 3, &solid, 0, nullptr), nullptr); // width != 1
    EXPECT_EQ(ExtCreatePen(PS_GEOMETRIC | PS_SOLID, 10, &solid, 2, dashes), nullptr);
    EXPECT_EQ(ExtCreatePen(PS_GEOMETRIC | PS_ENDCAP_FLAT | 0x300, 10, &solid, 0, nullptr), nullptr);
    HPEN user = ExtCreatePen(PS_GEOMETRIC | PS_USERSTYLE, 10, &solid, 2, dashes);
    ASSERT_NE(user, nullptr);
    const auto records = recordsOf([&](HDC hdc) { SelectObject(hdc, user); });
    ASSERT_GE(records.size(), 1u);
    EXPECT_EQ(records[0].size, 60u);
    EXPECT_EQ(records[0].u32(48), 2u);
    EXPECT_EQ(records[0].u32(52), 10u);
    EXPECT_EQ(records[0].u32(56), 5u);
    DeleteObject(user);
}

TEST(GdiRecords, SolidBrushRecord) {
    HBRUSH brush = CreateSolidBrush(RGB(0x12, 0x34, 0x56));
    const auto records = recordsOf([&](HDC hdc) { SelectObject(hdc, brush); });
    ASSERT_EQ(records.size(), 2u);
    EXPECT_EQ(toHex(records[0].bytes), toHex(hexBytes("27 00 00 00 18 00 00 00 01 00 00 00 "
                                                      "00 00 00 00 12 34 56 00 00 00 00 00")));
    DeleteObject(brush);
}

TEST(GdiRecords, PointRecordsAre32BitUnlessCompactPointsAreEnabled) {
    const POINT small[3] = {{1, 2}, {-3, 4}, {5, -6}};
    const auto plain = recordsOf([&](HDC hdc) { Polyline(hdc, small, 3); });
    ASSERT_EQ(plain.size(), 1u);
    EXPECT_EQ(toHex(plain[0].bytes),
              toHex(hexBytes("04 00 00 00 34 00 00 00 FD FF FF FF FA FF FF FF 05 00 00 00 "
                             "04 00 00 00 03 00 00 00 01 00 00 00 02 00 00 00 FD FF FF FF "
                             "04 00 00 00 05 00 00 00 FA FF FF FF")));

    const auto compact = recordsOf([&](HDC hdc) {
        ScrivaneGdiSetCompactPoints(hdc, TRUE);
        Polyline(hdc, small, 3);
        Polygon(hdc, small, 3);
    });
    ASSERT_EQ(compact.size(), 2u);
    EXPECT_EQ(toHex(compact[0].bytes),
              toHex(hexBytes("57 00 00 00 28 00 00 00 FD FF FF FF FA FF FF FF 05 00 00 00 "
                             "04 00 00 00 03 00 00 00 01 00 02 00 FD FF 04 00 05 00 FA FF")));
    EXPECT_EQ(compact[1].type, 86u); // EMR_POLYGON16
    EXPECT_EQ(Bytes(compact[1].bytes.begin() + 8, compact[1].bytes.end()),
              Bytes(compact[0].bytes.begin() + 8, compact[0].bytes.end()));
}

TEST(GdiRecords, CompactPointsFallBackTo32BitBeyondSixteenBits) {
    const POINT fits[2] = {{-32768, 0}, {32767, 10}};
    const POINT wide[2] = {{0, 0}, {32768, 10}};
    const POINT low[2] = {{0, -32769}, {1, 1}};
    const auto records = recordsOf([&](HDC hdc) {
        ScrivaneGdiSetCompactPoints(hdc, TRUE);
        Polyline(hdc, fits, 2);
        Polyline(hdc, wide, 2);
        Polygon(hdc, low, 2);
    });
    ASSERT_EQ(records.size(), 3u);
    EXPECT_EQ(records[0].type, 87u);
    EXPECT_EQ(records[0].i16(28), -32768);
    EXPECT_EQ(records[0].i16(32), 32767);
    EXPECT_EQ(records[1].type, 4u);
    EXPECT_EQ(records[1].i32(36), 32768);
    EXPECT_EQ(records[2].type, 3u);
    EXPECT_EQ(records[2].i32(32), -32769);
}

TEST(GdiRecords, LongPolylineIsSplitSharingEndPoints) {
    std::vector<POINT> pts(20000);
    for (int i = 0; i < 20000; ++i)
        pts[i] = POINT{i, i % 7};
    const auto records = recordsOf([&](HDC hdc) { Polyline(hdc, pts.data(), 20000); });
    ASSERT_EQ(records.size(), 2u);
    EXPECT_EQ(records[0].u32(24), 16000u);
    EXPECT_EQ(records[1].u32(24), 4001u);
    EXPECT_EQ(records[1].i32(28), 15999); // first point of the second part
    EXPECT_EQ(records[1].i32(28 + 8 * 4000), 19999);
}

TEST(GdiRecords, PolylineNeedsTwoPoints) {
    const POINT one[1] = {{1, 1}};
    const auto records = recordsOf([&](HDC hdc) {
        EXPECT_FALSE(Polyline(hdc, one, 1));
        EXPECT_FALSE(Polygon(hdc, one, 1));
        EXPECT_FALSE(Polyline(hdc, nullptr, 2));
    });
    EXPECT_TRUE(records.empty());
}

TEST(GdiRecords, RectangleIsNormalisedAndExcludesRightBottomInCompatibleMode) {
    const auto records = recordsOf([&](HDC hdc) {
        Rectangle(hdc, 10, 50, 30, 20);
        SetGraphicsMode(hdc, GM_ADVANCED);
        Rectangle(hdc, 30, 20, 10, 50);
        Rectangle(hdc, 5, 5, 5, 9); // empty: nothing recorded
    });
    ASSERT_EQ(records.size(), 2u);
    EXPECT_EQ(toHex(records[0].bytes), toHex(hexBytes("2B 00 00 00 18 00 00 00 0A 00 00 00 "
                                                      "14 00 00 00 1D 00 00 00 31 00 00 00")));
    EXPECT_EQ(toHex(records[1].bytes), toHex(hexBytes("2B 00 00 00 18 00 00 00 0A 00 00 00 "
                                                      "14 00 00 00 1E 00 00 00 32 00 00 00")));
}

TEST(GdiRecords, MoveToAndLineTo) {
    const auto records = recordsOf([&](HDC hdc) {
        POINT old{9, 9};
        MoveToEx(hdc, 100, -200, &old);
        EXPECT_EQ(old.x, 0);
        EXPECT_EQ(old.y, 0);
        LineTo(hdc, 300, 400);
    });
    ASSERT_EQ(records.size(), 2u);
    EXPECT_EQ(toHex(records[0].bytes),
              toHex(hexBytes("1B 00 00 00 10 00 00 00 64 00 00 00 38 FF FF FF")));
    EXPECT_EQ(toHex(records[1].bytes),
              toHex(hexBytes("36 00 00 00 10 00 00 00 2C 01 00 00 90 01 00 00")));
}

TEST(GdiRecords, StateRecords) {
    const auto records = recordsOf([&](HDC hdc) {
        EXPECT_TRUE(SetMiterLimit(hdc, 1000.0f, nullptr));
        EXPECT_FALSE(SetMiterLimit(hdc, -1.0f, nullptr));
        EXPECT_EQ(SetTextColor(hdc, RGB(1, 2, 3)), 0u);
        EXPECT_EQ(SetTextAlign(hdc, TA_RIGHT | TA_BASELINE), 0u);
        EXPECT_EQ(SetBkMode(hdc, TRANSPARENT), OPAQUE);
        EXPECT_EQ(SetBkMode(hdc, 7), 0);
        EXPECT_EQ(SetMapMode(hdc, MM_ANISOTROPIC), 0);
    });
    ASSERT_EQ(records.size(), 4u);
    EXPECT_EQ(toHex(records[0].bytes), toHex(hexBytes("3A 00 00 00 0C 00 00 00 E8 03 00 00")));
    EXPECT_EQ(toHex(records[1].bytes), toHex(hexBytes("18 00 00 00 0C 00 00 00 01 02 03 00")));
    EXPECT_EQ(toHex(records[2].bytes), toHex(hexBytes("16 00 00 00 0C 00 00 00 1A 00 00 00")));
    EXPECT_EQ(toHex(records[3].bytes), toHex(hexBytes("12 00 00 00 0C 00 00 00 01 00 00 00")));
}

TEST(GdiRecords, FontRecordIsLogFontExDv) {
    HFONT font = CreateFontA(-500, 0, 900, 900, FW_BOLD, 1, 0, 0, ANSI_CHARSET, OUT_DEFAULT_PRECIS,
                             CLIP_LH_ANGLES, PROOF_QUALITY, 0, "Arial");
    const auto records = recordsOf([&](HDC hdc) { SelectObject(hdc, font); });
    ASSERT_EQ(records.size(), 2u);
    Bytes expected(368, 0);
    const Bytes fixed = hexBytes("52 00 00 00 70 01 00 00 01 00 00 00 0C FE FF FF 00 00 00 00 "
                                 "84 03 00 00 84 03 00 00 BC 02 00 00 01 00 00 00 00 10 02 00 "
                                 "41 00 72 00 69 00 61 00 6C 00");
    std::copy(fixed.begin(), fixed.end(), expected.begin());
    const Bytes tail = hexBytes("64 76 00 08 00 00 00 00");
    std::copy(tail.begin(), tail.end(), expected.begin() + 360);
    EXPECT_EQ(toHex(records[0].bytes), toHex(expected));
    DeleteObject(font);
}

TEST(GdiRecords, FontFaceNameKeepsThirtyOneCharacters) {
    HFONT font = CreateFontA(-10, 0, 0, 0, FW_NORMAL, 0, 0, 0, 0, 0, 0, 0, 0,
                             "ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789");
    const auto records = recordsOf([&](HDC hdc) { SelectObject(hdc, font); });
    ASSERT_EQ(records.size(), 2u);
    EXPECT_EQ(records[0].utf16(40, 32), "ABCDEFGHIJKLMNOPQRSTUVWXYZ01234\\u0000");
    DeleteObject(font);
}

TEST(GdiRecords, TextIsRecordedAsExtTextOutW) {
    const auto records = recordsOf([&](HDC hdc) { TextOutA(hdc, 100, 200, "Hi!", 3); });
    ASSERT_EQ(records.size(), 1u);
    EXPECT_EQ(toHex(records[0].bytes),
              toHex(hexBytes("54 00 00 00 54 00 00 00 00 00 00 00 00 00 00 00 FF FF FF FF "
                             "FF FF FF FF 01 00 00 00 00 00 80 3F 00 00 80 3F 64 00 00 00 "
                             "C8 00 00 00 03 00 00 00 4C 00 00 00 00 00 00 00 00 00 00 00 "
                             "00 00 00 00 FF FF FF FF FF FF FF FF 00 00 00 00 "
                             "48 00 69 00 21 00 00 00")));
}

TEST(GdiRecords, TextConvertsWindows1252ToUtf16) {
    const auto records = recordsOf([&](HDC hdc) { TextOutA(hdc, 0, 0, "\xE9\x80\x93", 3); });
    ASSERT_EQ(records.size(), 1u);
    EXPECT_EQ(records[0].utf16(76, 3), "\\u00E9\\u20AC\\u201C");
    EXPECT_EQ(records[0].size, 84u);
}

TEST(GdiRecords, StretchDIBitsRecord) {
    BITMAPINFO bmi;
    std::memset(&bmi, 0, sizeof bmi);
    bmi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    bmi.bmiHeader.biWidth = 2;
    bmi.bmiHeader.biHeight = 2;
    bmi.bmiHeader.biPlanes = 1;
    bmi.bmiHeader.biBitCount = 24;
    bmi.bmiHeader.biCompression = BI_RGB;
    bmi.bmiHeader.biSizeImage = 16;
    bmi.bmiHeader.biXPelsPerMeter = 100000;
    bmi.bmiHeader.biYPelsPerMeter = 100000;
    const BYTE bits[16] = {0xFF, 0, 0, 0, 0xFF, 0, 0, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0xFF, 0, 0};
    const auto records = recordsOf([&](HDC hdc) {
        EXPECT_EQ(StretchDIBits(hdc, 1000, 3000, 2000, -2000, 0, 0, 2, 2, bits, &bmi,
                                DIB_RGB_COLORS, SRCCOPY),
                  2);
    });
    ASSERT_EQ(records.size(), 1u);
    const Bytes expected =
        hexBytes("51 00 00 00 88 00 00 00 E8 03 00 00 B8 0B 00 00 B7 0B 00 00 E7 03 00 00 "
                 "E8 03 00 00 B8 0B 00 00 00 00 00 00 00 00 00 00 02 00 00 00 02 00 00 00 "
                 "50 00 00 00 28 00 00 00 78 00 00 00 10 00 00 00 00 00 00 00 20 00 CC 00 "
                 "D0 07 00 00 30 F8 FF FF "
                 "28 00 00 00 02 00 00 00 02 00 00 00 01 00 18 00 00 00 00 00 10 00 00 00 "
                 "A0 86 01 00 A0 86 01 00 00 00 00 00 00 00 00 00 "
                 "FF 00 00 00 FF 00 00 00 00 00 FF FF FF FF 00 00");
    EXPECT_EQ(toHex(records[0].bytes), toHex(expected));
}

TEST(GdiRecords, StretchDIBitsRefusesDibsItCannotRecord) {
    BITMAPINFO bmi;
    std::memset(&bmi, 0, sizeof bmi);
    bmi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    bmi.bmiHeader.biWidth = 1;
    bmi.bmiHeader.biHeight = 1;
    bmi.bmiHeader.biPlanes = 1;
    bmi.bmiHeader.biBitCount = 24;
    bmi.bmiHeader.biCompression = 1; // BI_RLE8
    const BYTE bits[4] = {};
    const auto records = recordsOf([&](HDC hdc) {
        EXPECT_EQ(StretchDIBits(hdc, 0, 0, 1, 1, 0, 0, 1, 1, bits, &bmi, DIB_RGB_COLORS, SRCCOPY),
                  0);
        bmi.bmiHeader.biCompression = BI_RGB;
        EXPECT_EQ(
            StretchDIBits(hdc, 0, 0, 1, 1, 0, 0, 1, 1, nullptr, &bmi, DIB_RGB_COLORS, SRCCOPY), 0);
        EXPECT_EQ(StretchDIBits(hdc, 0, 0, 1, 1, 0, 0, 1, 1, bits, &bmi, DIB_PAL_COLORS, SRCCOPY),
                  0);
    });
    EXPECT_TRUE(records.empty());
}

TEST(GdiRecords, ClipRegionIsWrittenAsResetAndIntersectInLogicalUnits) {
    const auto records = recordsOf([&](HDC hdc) {
        POINT corners[2] = {{0, 3000}, {8000, 0}}; // (min x, max y), (max x, min y)
        LPtoDP(hdc, corners, 2);
        HRGN rgn = CreateRectRgn(corners[0].x, corners[0].y, corners[1].x, corners[1].y);
        EXPECT_EQ(SelectClipRgn(hdc, rgn), SIMPLEREGION);
        DeleteObject(rgn);
        EXPECT_EQ(SelectClipRgn(hdc, nullptr), SIMPLEREGION);
    });
    ASSERT_EQ(records.size(), 3u);
    const Bytes reset = hexBytes("4B 00 00 00 10 00 00 00 00 00 00 00 05 00 00 00");
    EXPECT_EQ(toHex(records[0].bytes), toHex(reset));
    EXPECT_EQ(toHex(records[1].bytes), toHex(hexBytes("1E 00 00 00 18 00 00 00 00 00 00 00 "
                                                      "B8 0B 00 00 40 1F 00 00 00 00 00 00")));
    EXPECT_EQ(toHex(records[2].bytes), toHex(reset));
}

TEST(GdiRecords, FrameLeftOutIsTakenFromWhatWasDrawn) {
    HDC hdc = CreateEnhMetaFileA(nullptr, nullptr, nullptr, nullptr);
    const POINT line[2] = {{110, 20}, {10, 220}};
    Polyline(hdc, line, 2);
    Rectangle(hdc, 50, 50, 300, 60);
    const EmfFile f = closeToEmf(hdc);
    const EmfRecord &h = f.records[0];
    EXPECT_EQ(h.i32(8), 10);
    EXPECT_EQ(h.i32(12), 20);
    EXPECT_EQ(h.i32(16), 299);
    EXPECT_EQ(h.i32(20), 220);
    EXPECT_EQ(Bytes(h.bytes.begin() + 8, h.bytes.begin() + 24),
              Bytes(h.bytes.begin() + 24, h.bytes.begin() + 40)); // frame = bounds at 100 px/mm

    HDC empty = CreateEnhMetaFileA(nullptr, nullptr, nullptr, nullptr);
    const EmfFile e = closeToEmf(empty);
    EXPECT_EQ(toHex(Bytes(e.records[0].bytes.begin() + 8, e.records[0].bytes.begin() + 40)),
              toHex(hexBytes("00 00 00 00 00 00 00 00 FF FF FF FF FF FF FF FF "
                             "00 00 00 00 00 00 00 00 FF FF FF FF FF FF FF FF")));
}

TEST(GdiRecords, IdenticalCallsGiveIdenticalFiles) {
    auto draw = [](HDC hdc) {
        const LOGBRUSH lb{BS_SOLID, RGB(10, 20, 30), 0};
        HPEN pen =
            ExtCreatePen(PS_GEOMETRIC | PS_ENDCAP_SQUARE | PS_JOIN_BEVEL, 35, &lb, 0, nullptr);
        HGDIOBJ old = SelectObject(hdc, pen);
        DeleteObject(old);
        const POINT pts[3] = {{0, 0}, {500, 900}, {1200, -40}};
        Polyline(hdc, pts, 3);
        HFONT font = CreateFontA(-300, 0, 0, 0, FW_NORMAL, 0, 0, 0, 0, 0, 0x10, 2, 0, "Times");
        SelectObject(hdc, font);
        TextOutA(hdc, 10, 10, "determinism", 11);
        SelectObject(hdc, GetStockObject(SYSTEM_FONT));
        DeleteObject(font);
        DeleteObject(pen);
    };
    const std::string path = outputPath("gdi-determinism.emf");
    const RECT frame{0, -5000, 10000, 0};
    HDC toFile = CreateEnhMetaFileA(nullptr, path.c_str(), &frame, "a\0b\0");
    draw(toFile);
    HENHMETAFILE emf = CloseEnhMetaFile(toFile);
    ASSERT_NE(emf, nullptr);
    DeleteEnhMetaFile(emf);

    HDC inMemory = CreateEnhMetaFileA(nullptr, nullptr, &frame, "a\0b\0");
    draw(inMemory);
    const Bytes memoryBytes = closeToBytes(inMemory);
    EXPECT_EQ(readFileBytes(path), memoryBytes);
    EXPECT_EQ(checkEmf(parseEmf(memoryBytes)), std::vector<std::string>{});
}

TEST(GdiRecords, MetafileInAFolderThatDoesNotExistFails) {
    EXPECT_EQ(CreateEnhMetaFileA(nullptr, "/nonexistent-dir/x.emf", nullptr, nullptr), nullptr);
}
