// GetDeviceCaps for each kind of context, and LPtoDP / DPtoLP in the map modes.
#include "gdi_test_util.h"

#include <gtest/gtest.h>

using namespace scrivane::test;

namespace {

POINT toDevice(HDC hdc, POINT p) {
    EXPECT_TRUE(LPtoDP(hdc, &p, 1));
    return p;
}

POINT toLogical(HDC hdc, POINT p) {
    EXPECT_TRUE(DPtoLP(hdc, &p, 1));
    return p;
}

HDC printerDc() {
    EXPECT_TRUE(ScrivaneGdiSetPrintToFile(outputPath("gdi-mapping-%d.emf").c_str()));
    PRINTDLGA pd{};
    pd.lStructSize = sizeof pd;
    pd.Flags = PD_RETURNDC;
    EXPECT_TRUE(PrintDlgA(&pd));
    ScrivaneGdiSetPrintToFile(nullptr);
    return pd.hDC;
}

} // namespace

static bool operator==(const POINT &a, const POINT &b) {
    return a.x == b.x && a.y == b.y;
}
static std::ostream &operator<<(std::ostream &os, const POINT &p) {
    return os << "(" << p.x << ", " << p.y << ")";
}

TEST(GdiMapping, MetafileContextReportsTheReferenceDevice) {
    HDC hdc = CreateEnhMetaFileA(nullptr, nullptr, nullptr, nullptr);
    EXPECT_EQ(GetDeviceCaps(hdc, TECHNOLOGY), DT_RASDISPLAY);
    EXPECT_EQ(GetDeviceCaps(hdc, HORZSIZE), 210);
    EXPECT_EQ(GetDeviceCaps(hdc, VERTSIZE), 297);
    EXPECT_EQ(GetDeviceCaps(hdc, HORZRES), 21000);
    EXPECT_EQ(GetDeviceCaps(hdc, VERTRES), 29700);
    EXPECT_EQ(GetDeviceCaps(hdc, LOGPIXELSX), 2540);
    EXPECT_EQ(GetDeviceCaps(hdc, LOGPIXELSY), 2540);
    for (int index : {PHYSICALWIDTH, PHYSICALHEIGHT, PHYSICALOFFSETX, PHYSICALOFFSETY, 9999})
        EXPECT_EQ(GetDeviceCaps(hdc, index), 0) << index;
    DeleteDC(hdc);
}

TEST(GdiMapping, HimetricOnTheReferenceDeviceIsOneUnitPerPixelWithYUp) {
    HDC hdc = himetricMetafile(); // window origin (-1000, -1000)
    EXPECT_EQ(GetMapMode(hdc), MM_HIMETRIC);
    EXPECT_EQ(toDevice(hdc, POINT{0, 0}), (POINT{1000, -1000}));
    EXPECT_EQ(toDevice(hdc, POINT{8000, 3000}), (POINT{9000, -4000}));
    EXPECT_EQ(toDevice(hdc, POINT{-1000, -1000}), (POINT{0, 0}));
    EXPECT_EQ(toLogical(hdc, POINT{9000, -4000}), (POINT{8000, 3000}));
    EXPECT_EQ(toLogical(hdc, POINT{0, 0}), (POINT{-1000, -1000}));
    POINT several[3] = {{1, 2}, {3, 4}, {5, 6}};
    ASSERT_TRUE(LPtoDP(hdc, several, 3));
    ASSERT_TRUE(DPtoLP(hdc, several, 3));
    EXPECT_EQ(several[2], (POINT{5, 6}));
    DeleteDC(hdc);
}

TEST(GdiMapping, TextModeSubtractsTheWindowOrigin) {
    HDC hdc = CreateEnhMetaFileA(nullptr, nullptr, nullptr, nullptr);
    EXPECT_EQ(GetMapMode(hdc), MM_TEXT);
    POINT old{};
    ASSERT_TRUE(SetWindowOrgEx(hdc, -10, 500, &old));
    EXPECT_EQ(old, (POINT{0, 0}));
    EXPECT_EQ(toDevice(hdc, POINT{0, 0}), (POINT{10, -500}));
    EXPECT_EQ(toDevice(hdc, POINT{7, 800}), (POINT{17, 300}));
    EXPECT_EQ(toLogical(hdc, POINT{17, 300}), (POINT{7, 800}));
    POINT org{};
    ASSERT_TRUE(GetWindowOrgEx(hdc, &org));
    EXPECT_EQ(org, (POINT{-10, 500}));
    DeleteDC(hdc);
}

TEST(GdiMapping, OtherMetricModesScaleByTheirUnit) {
    HDC hdc = CreateEnhMetaFileA(nullptr, nullptr, nullptr, nullptr);
    EXPECT_EQ(SetMapMode(hdc, MM_LOMETRIC), MM_TEXT);
    EXPECT_EQ(toDevice(hdc, POINT{1, 1}), (POINT{10, -10}));
    SetMapMode(hdc, MM_TWIPS); // 1/1440 inch: 2540/1440 pixels of 0.01 mm
    EXPECT_EQ(toDevice(hdc, POINT{1440, 0}), (POINT{2540, 0}));
    DeleteDC(hdc);
}

TEST(GdiMapping, PrinterContextIsA4At600Dpi) {
    HDC hdc = printerDc();
    ASSERT_NE(hdc, nullptr);
    EXPECT_EQ(GetDeviceCaps(hdc, TECHNOLOGY), DT_RASPRINTER);
    EXPECT_EQ(GetDeviceCaps(hdc, LOGPIXELSX), 600);
    EXPECT_EQ(GetDeviceCaps(hdc, LOGPIXELSY), 600);
    EXPECT_EQ(GetDeviceCaps(hdc, PHYSICALWIDTH), 4960);
    EXPECT_EQ(GetDeviceCaps(hdc, PHYSICALHEIGHT), 7016);
    EXPECT_EQ(GetDeviceCaps(hdc, PHYSICALOFFSETX), 118);
    EXPECT_EQ(GetDeviceCaps(hdc, PHYSICALOFFSETY), 118);
    EXPECT_EQ(GetDeviceCaps(hdc, HORZRES), 4724);
    EXPECT_EQ(GetDeviceCaps(hdc, VERTRES), 6780);
    EXPECT_EQ(GetDeviceCaps(hdc, HORZSIZE), 200);
    EXPECT_EQ(GetDeviceCaps(hdc, VERTSIZE), 287);
    DeleteDC(hdc);
}

// What the writer does in printer mode: the printable-area offset and the paper corner in
// MM_HIMETRIC logical units.
TEST(GdiMapping, PrinterHimetricConversionRoundsToNearest) {
    HDC hdc = printerDc();
    ASSERT_NE(hdc, nullptr);
    SetMapMode(hdc, MM_HIMETRIC);
    EXPECT_EQ(toLogical(hdc, POINT{118, -118}), (POINT{500, 499}));       // 499.58, 499.50
    EXPECT_EQ(toLogical(hdc, POINT{4960, -7016}), (POINT{20999, 29699})); // 20999.2, 29699.2
    EXPECT_EQ(toDevice(hdc, POINT{20000, 28700}), (POINT{4724, -6780}));
    EXPECT_EQ(toDevice(hdc, POINT{1, 0}), (POINT{0, 0}));  // 0.236 px
    EXPECT_EQ(toDevice(hdc, POINT{3, -3}), (POINT{1, 1})); // 0.709 px
    SetWindowOrgEx(hdc, -500, 29699 - 1000, nullptr);
    EXPECT_EQ(toDevice(hdc, POINT{-500, 28699}), (POINT{0, 0}));
    DeleteDC(hdc);
}

TEST(GdiMapping, DisplayContextIs96Dpi) {
    HDC hdc = ScrivaneGdiCreateDisplayDC(800, 600);
    ASSERT_NE(hdc, nullptr);
    EXPECT_EQ(GetDeviceCaps(hdc, TECHNOLOGY), DT_RASDISPLAY);
    EXPECT_EQ(GetDeviceCaps(hdc, HORZRES), 800);
    EXPECT_EQ(GetDeviceCaps(hdc, VERTRES), 600);
    EXPECT_EQ(GetDeviceCaps(hdc, LOGPIXELSX), 96);
    EXPECT_EQ(GetDeviceCaps(hdc, HORZSIZE), 212);
    EXPECT_EQ(GetDeviceCaps(hdc, VERTSIZE), 159);
    EXPECT_EQ(GetDeviceCaps(hdc, PHYSICALWIDTH), 0);
    EXPECT_EQ(GetMapMode(hdc), MM_TEXT);
    SetWindowOrgEx(hdc, 0, 600, nullptr);
    EXPECT_EQ(toDevice(hdc, POINT{0, 600}), (POINT{0, 0}));
    EXPECT_EQ(ScrivaneGdiCreateDisplayDC(0, 10), nullptr);
    DeleteDC(hdc);
}

TEST(GdiMapping, MetafileWithAPrinterReferenceReportsThePrinter) {
    HDC printer = printerDc();
    HDC hdc = CreateEnhMetaFileA(printer, nullptr, nullptr, nullptr);
    ASSERT_NE(hdc, nullptr);
    EXPECT_EQ(GetDeviceCaps(hdc, TECHNOLOGY), DT_RASPRINTER);
    EXPECT_EQ(GetDeviceCaps(hdc, LOGPIXELSX), 600);
    const EmfFile f = closeToEmf(hdc);
    EXPECT_EQ(f.records[0].i32(72), 4724);    // Device
    EXPECT_EQ(f.records[0].i32(80), 200);     // Millimeters
    EXPECT_EQ(f.records[0].i32(100), 199983); // Micrometers
    DeleteDC(printer);
}

TEST(GdiMapping, ConversionsRejectBadArguments) {
    HDC hdc = CreateEnhMetaFileA(nullptr, nullptr, nullptr, nullptr);
    POINT p{1, 1};
    EXPECT_FALSE(LPtoDP(hdc, &p, -1));
    EXPECT_FALSE(DPtoLP(hdc, nullptr, 1));
    EXPECT_TRUE(LPtoDP(hdc, nullptr, 0));
    EXPECT_FALSE(LPtoDP(nullptr, &p, 1));
    EXPECT_EQ(SetGraphicsMode(hdc, 3), 0);
    EXPECT_EQ(SetGraphicsMode(hdc, GM_ADVANCED), GM_COMPATIBLE);
    EXPECT_EQ(GetGraphicsMode(hdc), GM_ADVANCED);
    DeleteDC(hdc);
}
