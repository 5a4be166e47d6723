// Printing: the cancelled dialog, pages written as EMF files, the display context.
#include "gdi_test_util.h"

#include <gtest/gtest.h>

#include <cstdio>

using namespace scrivane::test;

namespace {

HDC choosePrinter(const std::string &pattern) {
    EXPECT_TRUE(ScrivaneGdiSetPrintToFile(pattern.c_str()));
    PRINTDLGA pd{};
    pd.lStructSize = 66; // the Windows figure, as the writer passes it
    pd.Flags = PD_RETURNDC;
    EXPECT_TRUE(PrintDlgA(&pd));
    return pd.hDC;
}

DOCINFOA docInfo() {
    DOCINFOA di{};
    di.cbSize = 20;
    di.lpszDocName = "Scrivane : GDI Output";
    return di;
}

std::vector<std::string> recordNames(const EmfFile &f) {
    std::vector<std::string> names;
    for (const EmfRecord &r : f.records)
        names.push_back(emfRecordName(r.type));
    return names;
}

class GdiPrint : public ::testing::Test {
protected:
    void TearDown() override { ScrivaneGdiSetPrintToFile(nullptr); }
};

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
    const DOCINFOA di = docInfo();
    EXPECT_LE(StartDocA(pd.hDC, &di), 0);
    EXPECT_LE(StartPage(pd.hDC), 0);
    EXPECT_EQ(SetMapMode(pd.hDC, MM_HIMETRIC), 0);
    EXPECT_FALSE(DeleteDC(pd.hDC));
}

TEST_F(GdiPrint, DialogChecksTheStructureSize) {
    ASSERT_TRUE(ScrivaneGdiSetPrintToFile(outputPath("gdi-unused-%d.emf").c_str()));
    PRINTDLGA pd{};
    pd.lStructSize = 12;
    pd.Flags = PD_RETURNDC;
    EXPECT_FALSE(PrintDlgA(&pd));
    EXPECT_FALSE(PrintDlgA(nullptr));
    pd.lStructSize = sizeof pd;
    pd.Flags = 0; // no context wanted
    EXPECT_TRUE(PrintDlgA(&pd));
    EXPECT_EQ(pd.hDC, nullptr);
}

TEST_F(GdiPrint, EachPageIsAnEmfFileOfTheWholeSheet) {
    const std::string first = outputPath("gdi-print-01.emf");
    const std::string second = outputPath("gdi-print-02.emf");
    std::remove(first.c_str());
    std::remove(second.c_str());
    HDC hdc = choosePrinter(outputPath("gdi-print-%02d.emf"));
    ASSERT_NE(hdc, nullptr);
    const DOCINFOA di = docInfo();
    EXPECT_GT(StartDocA(hdc, &di), 0);
    EXPECT_LE(StartDocA(hdc, &di), 0); // one document at a time
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

    const EmfFile page1 = readEmfFile(first);
    const EmfFile page2 = readEmfFile(second);
    ASSERT_TRUE(page1.loaded);
    ASSERT_TRUE(page2.loaded);
    EXPECT_EQ(checkEmf(page1), std::vector<std::string>{}) << dumpEmf(page1);
    EXPECT_EQ(checkEmf(page2), std::vector<std::string>{}) << dumpEmf(page2);
    EXPECT_EQ(recordNames(page1),
              (std::vector<std::string>{"EMR_HEADER", "EMR_SETMAPMODE", "EMR_SETWINDOWORGEX",
                                        "EMR_CREATEBRUSHINDIRECT", "EMR_SELECTOBJECT",
                                        "EMR_RECTANGLE", "EMR_EOF"}));
    // The second page starts from the state the first one left.
    EXPECT_EQ(recordNames(page2),
              (std::vector<std::string>{"EMR_HEADER", "EMR_SETMAPMODE", "EMR_SETWINDOWORGEX",
                                        "EMR_CREATEBRUSHINDIRECT", "EMR_SELECTOBJECT",
                                        "EMR_POLYLINE", "EMR_EOF"}));
    const EmfRecord &h = page2.records[0];
    EXPECT_EQ(h.i32(8), -118); // Bounds: the sheet in printer pixels
    EXPECT_EQ(h.i32(12), -118);
    EXPECT_EQ(h.i32(16), 4842);
    EXPECT_EQ(h.i32(20), 6898);
    EXPECT_EQ(h.i32(24), -500); // Frame: the sheet in 0.01 mm around the printable area
    EXPECT_EQ(h.i32(28), -500);
    EXPECT_EQ(h.i32(32), 20498);
    EXPECT_EQ(h.i32(36), 29202);
    EXPECT_EQ(h.i32(72), 4724);
    EXPECT_EQ(h.i32(76), 6780);
    EXPECT_EQ(page2.records[2].i32(8), -500);
    EXPECT_EQ(page2.records[2].i32(12), 28699);
}

TEST_F(GdiPrint, PageNumbersContinueAcrossJobsUntilThePatternChanges) {
    const std::string pattern = outputPath("gdi-jobs-%d.emf");
    for (int page = 1; page <= 3; ++page)
        std::remove(outputPath("gdi-jobs-" + std::to_string(page) + ".emf").c_str());
    const DOCINFOA di = docInfo();
    HDC a = choosePrinter(pattern);
    StartDocA(a, &di);
    StartPage(a);
    EndPage(a);
    EndDoc(a);
    DeleteDC(a);
    HDC b = CreateEnhMetaFileA(nullptr, nullptr, nullptr, nullptr); // not a printer
    EXPECT_LE(StartDocA(b, &di), 0);
    DeleteDC(b);
    PRINTDLGA pd{};
    pd.lStructSize = sizeof pd;
    pd.Flags = PD_RETURNDC;
    ASSERT_TRUE(PrintDlgA(&pd)); // same destination: numbering goes on
    StartDocA(pd.hDC, &di);
    StartPage(pd.hDC);
    EXPECT_GT(EndDoc(pd.hDC), 0); // finishes the open page
    DeleteDC(pd.hDC);
    EXPECT_TRUE(readEmfFile(outputPath("gdi-jobs-1.emf")).loaded);
    EXPECT_TRUE(readEmfFile(outputPath("gdi-jobs-2.emf")).loaded);
    EXPECT_FALSE(readEmfFile(outputPath("gdi-jobs-3.emf")).loaded);
}

TEST_F(GdiPrint, PatternsAcceptOnePageNumberConversion) {
    EXPECT_FALSE(ScrivaneGdiSetPrintToFile("page-%s.emf"));
    EXPECT_FALSE(ScrivaneGdiSetPrintToFile("page-%d-%d.emf"));
    EXPECT_FALSE(ScrivaneGdiSetPrintToFile("page-%"));
    EXPECT_FALSE(ScrivaneGdiSetPrintToFile(""));
    const std::string expected = outputPath("gdi-100%-007.emf");
    std::remove(expected.c_str());
    HDC hdc = choosePrinter(outputPath("gdi-100%%-%03d.emf"));
    const DOCINFOA di = docInfo();
    StartDocA(hdc, &di);
    for (int page = 1; page <= 7; ++page) {
        StartPage(hdc);
        EndPage(hdc);
    }
    EndDoc(hdc);
    DeleteDC(hdc);
    EXPECT_TRUE(readEmfFile(expected).loaded);
}

TEST_F(GdiPrint, PageThatCannotBeWrittenReportsAnError) {
    HDC hdc = choosePrinter("/nonexistent-dir/page-%d.emf");
    const DOCINFOA di = docInfo();
    StartDocA(hdc, &di);
    StartPage(hdc);
    EXPECT_LE(EndPage(hdc), 0);
    EndDoc(hdc);
    DeleteDC(hdc);
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
    EXPECT_EQ(checkEmf(first), std::vector<std::string>{});
    EXPECT_EQ(recordNames(first), (std::vector<std::string>{"EMR_HEADER", "EMR_SETWINDOWORGEX",
                                                            "EMR_POLYLINE", "EMR_EOF"}));
    EXPECT_EQ(first.records[0].i32(72), 800);
    EXPECT_EQ(first.records[0].i32(76), 600);
    EXPECT_EQ(first.records[0].i32(32), 21167); // frame: the screen in 0.01 mm
    EXPECT_EQ(first.records[0].i32(36), 15875);
    Rectangle(hdc, 0, 0, 10, 10);
    ASSERT_TRUE(ScrivaneGdiSaveDisplayDC(hdc, path.c_str()));
    EXPECT_EQ(readEmfFile(path).records.size(), 5u);
    EXPECT_FALSE(ScrivaneGdiSaveDisplayDC(hdc, nullptr));
    HDC metafile = CreateEnhMetaFileA(nullptr, nullptr, nullptr, nullptr);
    EXPECT_FALSE(ScrivaneGdiSaveDisplayDC(metafile, path.c_str()));
    DeleteDC(metafile);
    EXPECT_TRUE(DeleteDC(hdc));
}
