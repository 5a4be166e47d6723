// Object handles: stock objects, metafile indexes (lowest free, reused after deletion), stale
// handles.
#include "gdi_test_util.h"

#include <gtest/gtest.h>

using namespace scrivane::test;
using Names = std::vector<std::string>;

namespace {

// "CREATEPEN 1, SELECTOBJECT stock8, ..." for the object records of a file.
std::string objectRecords(const EmfFile &f) {
    std::string out;
    for (const EmfRecord &r : f.records) {
        switch (r.type) {
        case emf_type::CREATEPEN:
        case emf_type::EXTCREATEPEN:
        case emf_type::CREATEBRUSHINDIRECT:
        case emf_type::EXTCREATEFONTINDIRECTW:
        case emf_type::SELECTOBJECT:
        case emf_type::DELETEOBJECT: {
            const std::uint32_t i = r.u32(8);
            out += (out.empty() ? "" : ", ") + emfRecordName(r.type).substr(4) + " " +
                   (i & 0x80000000u ? "stock" + std::to_string(i & 0xFF) : std::to_string(i));
        }
        }
    }
    return out;
}

} // namespace

TEST(GdiObjects, FirstSelectionReturnsTheStockDefaultsAndStockObjectsAreNeverDeleted) {
    HDC hdc = plainMetafile();
    HPEN pen = CreatePen(PS_SOLID, 0, 0);
    HBRUSH brush = CreateSolidBrush(0);
    HFONT font = CreateFontA(-10, 0, 0, 0, 400, 0, 0, 0, 0, 0, 0, 0, 0, "Arial");
    EXPECT_EQ(SelectObject(hdc, pen), GetStockObject(BLACK_PEN));
    EXPECT_EQ(SelectObject(hdc, brush), GetStockObject(WHITE_BRUSH));
    EXPECT_EQ(SelectObject(hdc, font), GetStockObject(SYSTEM_FONT));
    EXPECT_EQ(SelectObject(hdc, GetStockObject(NULL_PEN)), static_cast<HGDIOBJ>(pen));
    SelectObject(hdc, GetStockObject(NULL_BRUSH));
    EXPECT_TRUE(DeleteObject(GetStockObject(WHITE_PEN)));
    EXPECT_EQ(GetStockObject(9), nullptr);
    EXPECT_EQ(GetStockObject(20), nullptr);
    EXPECT_EQ(SelectObject(hdc, GetStockObject(DEFAULT_PALETTE)), nullptr);
    const EmfFile f = closeToEmf(hdc);
    EXPECT_EQ(objectRecords(f),
              "CREATEPEN 1, SELECTOBJECT 1, CREATEBRUSHINDIRECT 2, SELECTOBJECT 2, "
              "EXTCREATEFONTINDIRECTW 3, SELECTOBJECT 3, SELECTOBJECT stock8, SELECTOBJECT stock5");
    EXPECT_EQ(f.records[0].u16(56), 4u);
    EXPECT_EQ(checkEmf(f), Names{});
    for (HGDIOBJ h : std::initializer_list<HGDIOBJ>{pen, brush, font})
        EXPECT_TRUE(DeleteObject(h));
}

TEST(GdiObjects, LowestFreeIndexIsReusedAfterDeletion) {
    HDC hdc = plainMetafile();
    HPEN a = CreatePen(PS_SOLID, 1, RGB(1, 0, 0));
    HBRUSH b = CreateSolidBrush(RGB(2, 0, 0));
    HPEN c = CreatePen(PS_SOLID, 1, RGB(3, 0, 0));
    EXPECT_TRUE(DeleteObject(CreatePen(PS_SOLID, 1, 0))); // never selected: nothing written
    SelectObject(hdc, a);
    SelectObject(hdc, b);
    SelectObject(hdc, c);
    SelectObject(hdc, GetStockObject(BLACK_BRUSH));
    EXPECT_TRUE(DeleteObject(b));
    HBRUSH d = CreateSolidBrush(RGB(4, 0, 0));
    SelectObject(hdc, d);
    SelectObject(hdc, a); // already has index 1: no new create record
    const EmfFile f = closeToEmf(hdc);
    EXPECT_EQ(objectRecords(f),
              "CREATEPEN 1, SELECTOBJECT 1, CREATEBRUSHINDIRECT 2, SELECTOBJECT 2, "
              "CREATEPEN 3, SELECTOBJECT 3, SELECTOBJECT stock4, DELETEOBJECT 2, "
              "CREATEBRUSHINDIRECT 2, SELECTOBJECT 2, SELECTOBJECT 1");
    EXPECT_EQ(f.records[0].u16(56), 4u);
    EXPECT_EQ(checkEmf(f), Names{});
    for (HGDIOBJ h : std::initializer_list<HGDIOBJ>{a, c, d})
        EXPECT_TRUE(DeleteObject(h));
}

// The writer's pattern: create the new pen, select it, delete the one it replaced; its footer
// deletes the pen and brush still selected just before closing.
TEST(GdiObjects, ReplacingPensKeepsTheIndexTableSmall) {
    HDC hdc = plainMetafile();
    HBRUSH brush = CreateSolidBrush(0xFFFFFF);
    DeleteObject(SelectObject(hdc, brush));
    HPEN pen = nullptr;
    for (int i = 0; i < 10; ++i)
        DeleteObject(SelectObject(hdc, pen = CreatePen(PS_SOLID, 1, RGB(i, 0, 0))));
    EXPECT_TRUE(DeleteObject(pen));
    EXPECT_TRUE(DeleteObject(brush));
    const EmfFile f = closeToEmf(hdc);
    EXPECT_EQ(f.records[0].u16(56), 4u); // brush 1, pens alternating 2 and 3
    std::vector<std::uint32_t> penIndexes;
    for (const EmfRecord *r : f.ofType(emf_type::CREATEPEN))
        penIndexes.push_back(r->u32(8));
    EXPECT_EQ(penIndexes, (std::vector<std::uint32_t>{2, 3, 2, 3, 2, 3, 2, 3, 2, 3}));
    EXPECT_EQ(f.records[f.records.size() - 2].type, emf_type::DELETEOBJECT);
    EXPECT_EQ(checkEmf(f), Names{});
}

TEST(GdiObjects, AnObjectUsedInTwoMetafilesHasAnIndexInEach) {
    HDC first = plainMetafile(), second = plainMetafile();
    HBRUSH filler = CreateSolidBrush(1);
    SelectObject(second, filler);
    HPEN shared = CreatePen(PS_DOT, 1, 2);
    SelectObject(first, shared);
    SelectObject(second, shared);
    EXPECT_TRUE(DeleteObject(shared));
    EXPECT_EQ(objectRecords(closeToEmf(first)), "CREATEPEN 1, SELECTOBJECT 1, DELETEOBJECT 1");
    EXPECT_EQ(objectRecords(closeToEmf(second)),
              "CREATEBRUSHINDIRECT 1, SELECTOBJECT 1, CREATEPEN 2, SELECTOBJECT 2, DELETEOBJECT 2");
    DeleteObject(filler);
}

TEST(GdiObjects, StaleAndForeignHandlesAreRejected) {
    HPEN pen = CreatePen(PS_SOLID, 1, 0);
    EXPECT_TRUE(DeleteObject(pen));
    EXPECT_FALSE(DeleteObject(pen));
    HPEN reused = CreatePen(PS_SOLID, 1, 0); // may take the same slot: the old handle stays dead
    EXPECT_NE(reused, pen);
    EXPECT_FALSE(DeleteObject(pen));

    HDC hdc = plainMetafile();
    EXPECT_EQ(SelectObject(hdc, pen), nullptr);
    EXPECT_EQ(SelectObject(hdc, nullptr), nullptr);
    EXPECT_EQ(SelectObject(hdc, hdc), nullptr);
    EXPECT_FALSE(DeleteObject(hdc)); // contexts go with DeleteDC
    EXPECT_EQ(CreatePen(17, 1, 0), nullptr);
    HENHMETAFILE emf = CloseEnhMetaFile(hdc);
    ASSERT_NE(emf, nullptr);
    EXPECT_EQ(CloseEnhMetaFile(hdc), nullptr);
    EXPECT_EQ(GetDeviceCaps(hdc, TECHNOLOGY), 0);
    const POINT pts[2] = {{0, 0}, {1, 1}};
    EXPECT_FALSE(Polyline(hdc, pts, 2));
    EXPECT_FALSE(DeleteDC(hdc));
    EXPECT_EQ(SelectObject(reinterpret_cast<HDC>(emf), reused), nullptr);
    EXPECT_TRUE(DeleteEnhMetaFile(emf));
    EXPECT_FALSE(DeleteEnhMetaFile(emf));
    EXPECT_EQ(GetEnhMetaFileBits(emf, 0, nullptr), 0u);
    EXPECT_TRUE(DeleteObject(reused));
}

TEST(GdiObjects, SelectingARegionSetsTheClipAndDeleteDCLeavesAnEmptyFile) {
    HDC hdc = plainMetafile();
    HRGN rgn = CreateRectRgn(40, 30, 10, 20); // corners in any order
    EXPECT_EQ(SelectObject(hdc, rgn),
              reinterpret_cast<HGDIOBJ>(static_cast<std::uintptr_t>(SIMPLEREGION)));
    DeleteObject(rgn);
    const EmfFile f = closeToEmf(hdc);
    const EmfRecord *clip = f.first(emf_type::INTERSECTCLIPRECT);
    ASSERT_NE(clip, nullptr);
    EXPECT_EQ(words(clip->bytes, 8), "10 20 40 30");

    // 120 KB of records: part of them has reached the file before the context is deleted.
    const std::string path = outputPath("gdi-abandoned.emf");
    hdc = CreateEnhMetaFileA(nullptr, path.c_str(), nullptr, nullptr);
    ASSERT_NE(hdc, nullptr);
    for (int i = 0; i < 5000; ++i)
        Rectangle(hdc, 0, 0, 10, 10);
    EXPECT_TRUE(DeleteDC(hdc));
    EXPECT_TRUE(readFileBytes(path).empty());
}
