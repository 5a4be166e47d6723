// Object handles: stock objects, metafile indexes (lowest free, reused after deletion), stale
// handles.
#include "gdi_test_util.h"

#include <gtest/gtest.h>

using namespace scrivane::test;

namespace {

constexpr std::uint32_t kSelect = emf_type::SELECTOBJECT;
constexpr std::uint32_t kDelete = emf_type::DELETEOBJECT;

// "CREATEPEN 1", "SELECTOBJECT 1", ... for the object records of a file.
std::vector<std::string> objectRecords(const EmfFile &f) {
    std::vector<std::string> out;
    for (const EmfRecord &r : f.records) {
        const bool create = r.type == emf_type::CREATEPEN || r.type == emf_type::EXTCREATEPEN ||
                            r.type == emf_type::CREATEBRUSHINDIRECT ||
                            r.type == emf_type::EXTCREATEFONTINDIRECTW;
        if (create || r.type == kSelect || r.type == kDelete) {
            const std::uint32_t index = r.u32(8);
            const std::string shown = index & 0x80000000u ? "stock" + std::to_string(index & 0xFF)
                                                          : std::to_string(index);
            out.push_back(emfRecordName(r.type).substr(4) + " " + shown);
        }
    }
    return out;
}

} // namespace

TEST(GdiObjects, FirstSelectionReturnsTheStockDefaults) {
    HDC hdc = CreateEnhMetaFileA(nullptr, nullptr, nullptr, nullptr);
    HPEN pen = CreatePen(PS_SOLID, 0, 0);
    HBRUSH brush = CreateSolidBrush(0);
    HFONT font = CreateFontA(-10, 0, 0, 0, 400, 0, 0, 0, 0, 0, 0, 0, 0, "Arial");
    EXPECT_EQ(SelectObject(hdc, pen), GetStockObject(BLACK_PEN));
    EXPECT_EQ(SelectObject(hdc, brush), GetStockObject(WHITE_BRUSH));
    EXPECT_EQ(SelectObject(hdc, font), GetStockObject(SYSTEM_FONT));
    EXPECT_EQ(SelectObject(hdc, GetStockObject(NULL_PEN)), static_cast<HGDIOBJ>(pen));
    const EmfFile f = closeToEmf(hdc);
    EXPECT_EQ(objectRecords(f),
              (std::vector<std::string>{"CREATEPEN 1", "SELECTOBJECT 1", "CREATEBRUSHINDIRECT 2",
                                        "SELECTOBJECT 2", "EXTCREATEFONTINDIRECTW 3",
                                        "SELECTOBJECT 3", "SELECTOBJECT stock8"}));
    EXPECT_EQ(f.records[0].u16(56), 4u);
    DeleteObject(pen);
    DeleteObject(brush);
    DeleteObject(font);
}

TEST(GdiObjects, StockObjectsAreSelectedByFlaggedIndexAndNeverDeleted) {
    HDC hdc = CreateEnhMetaFileA(nullptr, nullptr, nullptr, nullptr);
    SelectObject(hdc, GetStockObject(NULL_BRUSH));
    SelectObject(hdc, GetStockObject(WHITE_PEN));
    EXPECT_TRUE(DeleteObject(GetStockObject(WHITE_PEN)));
    EXPECT_EQ(GetStockObject(9), nullptr);
    EXPECT_EQ(GetStockObject(20), nullptr);
    EXPECT_EQ(SelectObject(hdc, GetStockObject(DEFAULT_PALETTE)), nullptr);
    const EmfFile f = closeToEmf(hdc);
    ASSERT_EQ(f.ofType(kSelect).size(), 2u);
    EXPECT_EQ(f.ofType(kSelect)[0]->u32(8), 0x80000005u);
    EXPECT_EQ(f.ofType(kSelect)[1]->u32(8), 0x80000006u);
    EXPECT_TRUE(f.ofType(kDelete).empty());
    EXPECT_EQ(f.records[0].u16(56), 1u);
    EXPECT_EQ(checkEmf(f), std::vector<std::string>{});
}

TEST(GdiObjects, LowestFreeIndexIsReusedAfterDeletion) {
    HDC hdc = CreateEnhMetaFileA(nullptr, nullptr, nullptr, nullptr);
    HPEN a = CreatePen(PS_SOLID, 1, RGB(1, 0, 0));
    HBRUSH b = CreateSolidBrush(RGB(2, 0, 0));
    HPEN c = CreatePen(PS_SOLID, 1, RGB(3, 0, 0));
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
              (std::vector<std::string>{
                  "CREATEPEN 1", "SELECTOBJECT 1", "CREATEBRUSHINDIRECT 2", "SELECTOBJECT 2",
                  "CREATEPEN 3", "SELECTOBJECT 3", "SELECTOBJECT stock4", "DELETEOBJECT 2",
                  "CREATEBRUSHINDIRECT 2", "SELECTOBJECT 2", "SELECTOBJECT 1"}));
    EXPECT_EQ(f.records[0].u16(56), 4u);
    EXPECT_EQ(checkEmf(f), std::vector<std::string>{});
    for (HGDIOBJ h : {static_cast<HGDIOBJ>(a), static_cast<HGDIOBJ>(c), static_cast<HGDIOBJ>(d)})
        EXPECT_TRUE(DeleteObject(h));
}

TEST(GdiObjects, DeletingAnObjectNeverSelectedWritesNothing) {
    HDC hdc = CreateEnhMetaFileA(nullptr, nullptr, nullptr, nullptr);
    HPEN pen = CreatePen(PS_SOLID, 1, 0);
    EXPECT_TRUE(DeleteObject(pen));
    const EmfFile f = closeToEmf(hdc);
    EXPECT_EQ(f.records.size(), 2u);
}

// The writer's pattern: create the new pen, select it, delete the one it replaced; its footer
// deletes the pen and brush still selected just before closing.
TEST(GdiObjects, ReplacingPensKeepsTheIndexTableSmall) {
    HDC hdc = CreateEnhMetaFileA(nullptr, nullptr, nullptr, nullptr);
    HBRUSH brush = CreateSolidBrush(0xFFFFFF);
    DeleteObject(SelectObject(hdc, brush));
    HPEN current = nullptr;
    for (int i = 0; i < 10; ++i) {
        HPEN pen = CreatePen(PS_SOLID, 1, RGB(i, 0, 0));
        HGDIOBJ old = SelectObject(hdc, pen);
        DeleteObject(old);
        current = pen;
    }
    EXPECT_TRUE(DeleteObject(current));
    EXPECT_TRUE(DeleteObject(brush));
    const EmfFile f = closeToEmf(hdc);
    EXPECT_EQ(f.records[0].u16(56), 4u); // brush 1, pens alternating 2 and 3
    std::vector<std::uint32_t> penIndexes;
    for (const EmfRecord *r : f.ofType(emf_type::CREATEPEN))
        penIndexes.push_back(r->u32(8));
    EXPECT_EQ(penIndexes, (std::vector<std::uint32_t>{2, 3, 2, 3, 2, 3, 2, 3, 2, 3}));
    EXPECT_EQ(f.records[f.records.size() - 2].type, kDelete);
    EXPECT_EQ(checkEmf(f), std::vector<std::string>{});
}

TEST(GdiObjects, AnObjectUsedInTwoMetafilesHasAnIndexInEach) {
    HDC first = CreateEnhMetaFileA(nullptr, nullptr, nullptr, nullptr);
    HDC second = CreateEnhMetaFileA(nullptr, nullptr, nullptr, nullptr);
    HBRUSH filler = CreateSolidBrush(1);
    SelectObject(second, filler);
    HPEN shared = CreatePen(PS_DOT, 1, 2);
    SelectObject(first, shared);
    SelectObject(second, shared);
    EXPECT_TRUE(DeleteObject(shared));
    const EmfFile a = closeToEmf(first);
    const EmfFile b = closeToEmf(second);
    EXPECT_EQ(objectRecords(a),
              (std::vector<std::string>{"CREATEPEN 1", "SELECTOBJECT 1", "DELETEOBJECT 1"}));
    EXPECT_EQ(objectRecords(b),
              (std::vector<std::string>{"CREATEBRUSHINDIRECT 1", "SELECTOBJECT 1", "CREATEPEN 2",
                                        "SELECTOBJECT 2", "DELETEOBJECT 2"}));
    DeleteObject(filler);
}

TEST(GdiObjects, StaleAndForeignHandlesAreRejected) {
    HPEN pen = CreatePen(PS_SOLID, 1, 0);
    EXPECT_TRUE(DeleteObject(pen));
    EXPECT_FALSE(DeleteObject(pen));
    HPEN reused = CreatePen(PS_SOLID, 1, 0); // may take the same slot: the old handle stays dead
    EXPECT_NE(reused, pen);
    EXPECT_FALSE(DeleteObject(pen));

    HDC hdc = CreateEnhMetaFileA(nullptr, nullptr, nullptr, nullptr);
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

TEST(GdiObjects, SelectingARegionSetsTheClip) {
    HDC hdc = CreateEnhMetaFileA(nullptr, nullptr, nullptr, nullptr);
    HRGN rgn = CreateRectRgn(40, 30, 10, 20); // corners in any order
    EXPECT_EQ(SelectObject(hdc, rgn),
              reinterpret_cast<HGDIOBJ>(static_cast<std::uintptr_t>(SIMPLEREGION)));
    DeleteObject(rgn);
    const EmfFile f = closeToEmf(hdc);
    const EmfRecord *clip = f.first(emf_type::INTERSECTCLIPRECT);
    ASSERT_NE(clip, nullptr);
    EXPECT_EQ(clip->i32(8), 10);
    EXPECT_EQ(clip->i32(12), 20);
    EXPECT_EQ(clip->i32(16), 40);
    EXPECT_EQ(clip->i32(20), 30);
}

TEST(GdiObjects, DeleteDCWithoutClosingLeavesAnEmptyFile) {
    const std::string path = outputPath("gdi-abandoned.emf");
    HDC hdc = CreateEnhMetaFileA(nullptr, path.c_str(), nullptr, nullptr);
    ASSERT_NE(hdc, nullptr);
    Rectangle(hdc, 0, 0, 10, 10);
    EXPECT_TRUE(DeleteDC(hdc));
    EXPECT_TRUE(readFileBytes(path).empty());
}
