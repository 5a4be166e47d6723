// Printing: the cancelled dialog, pages written as EMF files, the display context.
#include "gdi_test_util.h"

#include <gtest/gtest.h>

#include <cstdio>

using namespace scrivane::test;
using Names = std::vector<std::string>;

namespace {

class GdiPrint : public ::testing::Test {
protected:
    void TearDown() override { ScrivaneGdiSetPrintToFile(nullptr); }
};

// A document of `pages` empty pages; the context is deleted. EndPage's results, summed.
int printEmptyPages(HDC hdc, int pages) {
    int ended = 0;
    startDoc(hdc);
    for (int page = 1; page <= pages; ++page) {
        StartPage(hdc);
        ended += EndPage(hdc) > 0;
    }
    EndDoc(hdc);
    DeleteDC(hdc);
    return ended;
}

} // namespace

TEST_F(GdiPrint, WithoutADestinationTheDialogIsCancelled) {
    ASSERT_TRUE(ScrivaneGdiSetPrintToFile(nullptr));
    PRINTDLGA pd{};
    pd.lStructSize = sizeof pd;
    pd.Flags = PD_RETURNDC;
    pd.hDC = reinterpret_cast<HDC>(0x1234);
    EXPECT_FALSE(PrintDlgA(&pd));
    EXPECT_EQ(pd.hDC, nullptr);
    // What the writer then does with the missing context fails harmlessly.
    EXPECT_EQ(GetDeviceCaps(pd.hDC, TECHNOLOGY), 0);
    EXPECT_LE(startDoc(pd.hDC), 0);
    EXPECT_LE(StartPage(pd.hDC), 0);
    EXPECT_EQ(SetMapMode(pd.hDC, MM_HIMETRIC), 0);
    EXPECT_FALSE(DeleteDC(pd.hDC));
}

TEST_F(GdiPrint, EachPageIsAnEmfFileOfTheWholeSheet) {
    const std::string first = outputPath("gdi-print-01.emf"),
                      second = outputPath("gdi-print-02.emf");
    std::remove(first.c_str());
    std::remove(second.c_str());
    HDC hdc = printerDc(outputPath("gdi-print-%02d.emf").c_str());
    ASSERT_NE(hdc, nullptr);
    EXPECT_GT(startDoc(hdc), 0);
    EXPECT_LE(startDoc(hdc), 0); // one document at a time
    EXPECT_GT(StartPage(hdc), 0);
    SetGraphicsMode(hdc, GM_COMPATIBLE);
    SetMapMode(hdc, MM_HIMETRIC);
    SetWindowOrgEx(hdc, -500, 28699, nullptr);
    HBRUSH brush = CreateSolidBrush(RGB(200, 0, 0));
    SelectObject(hdc, brush);
    EXPECT_TRUE(Rectangle(hdc, 0, 1000, 2000, 0));
    EXPECT_GT(EndPage(hdc), 0);
    const POINT line[2] = {{0, 0}, {1000, 1000}};
    EXPECT_FALSE(Polyline(hdc, line, 2)); // between pages nothing is drawn
    EXPECT_GT(StartPage(hdc), 0);
    EXPECT_TRUE(Polyline(hdc, line, 2));
    EXPECT_GT(EndPage(hdc), 0);
    EXPECT_GT(EndDoc(hdc), 0);
    EXPECT_TRUE(DeleteDC(hdc));
    DeleteObject(brush);

    const EmfFile page1 = readEmfFile(first), page2 = readEmfFile(second);
    EXPECT_EQ(checkEmf(page1), Names{}) << dumpEmf(page1);
    EXPECT_EQ(checkEmf(page2), Names{}) << dumpEmf(page2);
    // The second page starts from the state the first one left.
    const std::string start = "HEADER SETMAPMODE SETWINDOWORGEX CREATEBRUSHINDIRECT SELECTOBJECT ";
    EXPECT_EQ(recordNames(page1), start + "RECTANGLE EOF");
    ASSERT_EQ(recordNames(page2), start + "POLYLINE EOF");
    // Bounds: the sheet in printer pixels; frame: the sheet in 0.01 mm around the printable
    // area; the printable area in pixels.
    const EmfRecord &h = page2.records[0];
    const int header[10] = {-118, -118, 4842, 6898, -500, -500, 20498, 29202, 4724, 6780};
    for (int i = 0; i < 10; ++i)
        EXPECT_EQ(h.i32(8 + 4 * i + (i >= 8 ? 32 : 0)), header[i]) << i;
    EXPECT_EQ(page2.records[2].i32(8), -500);
    EXPECT_EQ(page2.records[2].i32(12), 28699);
}

TEST_F(GdiPrint, PageNumbersContinueAcrossJobsUntilThePatternChanges) {
    for (int page = 1; page <= 3; ++page)
        std::remove(outputPath("gdi-jobs-" + std::to_string(page) + ".emf").c_str());
    printEmptyPages(printerDc(outputPath("gdi-jobs-%d.emf").c_str()), 1);
    HDC notAPrinter = plainMetafile();
    EXPECT_LE(startDoc(notAPrinter), 0);
    DeleteDC(notAPrinter);
    HDC hdc = printerDc(nullptr); // same destination: numbering goes on
    startDoc(hdc);
    StartPage(hdc);
    EXPECT_GT(EndDoc(hdc), 0); // finishes the open page
    DeleteDC(hdc);
    EXPECT_TRUE(readEmfFile(outputPath("gdi-jobs-1.emf")).loaded);
    EXPECT_TRUE(readEmfFile(outputPath("gdi-jobs-2.emf")).loaded);
    EXPECT_FALSE(readEmfFile(outputPath("gdi-jobs-3.emf")).loaded);
}

TEST_F(GdiPrint, PatternsAcceptOnePageNumberConversionAndUnwritablePagesFail) {
    for (const char *bad : {"page-%s.emf", "page-%d-%d.emf", "page-%", ""})
        EXPECT_FALSE(ScrivaneGdiSetPrintToFile(bad)) << bad;
    const std::string expected = outputPath("gdi-100%-007.emf");
    std::remove(expected.c_str());
    EXPECT_EQ(printEmptyPages(printerDc(outputPath("gdi-100%%-%03d.emf").c_str()), 7), 7);
    EXPECT_TRUE(readEmfFile(expected).loaded);
    EXPECT_EQ(printEmptyPages(printerDc("/nonexistent-dir/page-%d.emf"), 1), 0);
}

TEST(GdiDisplay, DrawingIsRecordedAndCanBeSavedAtAnyTime) {
    HDC hdc = ScrivaneGdiCreateDisplayDC(800, 600);
    ASSERT_NE(hdc, nullptr);
    SetWindowOrgEx(hdc, -10, 590, nullptr);
    const POINT line[2] = {{0, 0}, {100, 50}};
    Polyline(hdc, line, 2);
    const std::string path = outputPath("gdi-display.emf");
    ASSERT_TRUE(ScrivaneGdiSaveDisplayDC(hdc, path.c_str()));
    const EmfFile first = readEmfFile(path);
    EXPECT_EQ(recordNames(first), "HEADER SETWINDOWORGEX POLYLINE EOF");
    EXPECT_EQ(first.records[0].i32(72), 800);
    EXPECT_EQ(first.records[0].i32(76), 600);
    EXPECT_EQ(first.records[0].i32(32), 21167); // frame: the screen in 0.01 mm
    EXPECT_EQ(first.records[0].i32(36), 15875);
    Rectangle(hdc, 0, 0, 10, 10);
    ASSERT_TRUE(ScrivaneGdiSaveDisplayDC(hdc, path.c_str()));
    EXPECT_EQ(readEmfFile(path).records.size(), 5u);
    EXPECT_FALSE(ScrivaneGdiSaveDisplayDC(hdc, nullptr));
    HDC metafile = plainMetafile();
    EXPECT_FALSE(ScrivaneGdiSaveDisplayDC(metafile, path.c_str()));
    DeleteDC(metafile);
    EXPECT_TRUE(DeleteDC(hdc));
}
