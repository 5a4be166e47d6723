// GetDeviceCaps for each kind of context, and LPtoDP / DPtoLP in the map modes.
#include "gdi_test_util.h"

#include <gtest/gtest.h>

using namespace scrivane::test;
using Ints = std::vector<int>;

namespace {

std::string str(POINT p) {
    return "(" + std::to_string(p.x) + "," + std::to_string(p.y) + ")";
}

// A point taken to device units, or to logical units when `toDevice` is false.
std::string mapped(HDC hdc, POINT p, bool toDevice = true) {
    EXPECT_TRUE(toDevice ? LPtoDP(hdc, &p, 1) : DPtoLP(hdc, &p, 1));
    return str(p);
}

// TECHNOLOGY, HORZSIZE, VERTSIZE, HORZRES, VERTRES, LOGPIXELSX, LOGPIXELSY, PHYSICALWIDTH,
// PHYSICALHEIGHT, PHYSICALOFFSETX, PHYSICALOFFSETY and an unknown index.
Ints caps(HDC hdc) {
    Ints out;
    for (int index : {TECHNOLOGY, HORZSIZE, VERTSIZE, HORZRES, VERTRES, LOGPIXELSX, LOGPIXELSY,
                      PHYSICALWIDTH, PHYSICALHEIGHT, PHYSICALOFFSETX, PHYSICALOFFSETY, 9999})
        out.push_back(GetDeviceCaps(hdc, index));
    return out;
}

} // namespace

TEST(GdiMapping, EachKindOfContextReportsItsDevice) {
    HDC hdc = plainMetafile(); // the reference device: A4 at 0.01 mm
    EXPECT_EQ(caps(hdc), (Ints{DT_RASDISPLAY, 210, 297, 21000, 29700, 2540, 2540, 0, 0, 0, 0, 0}));
    DeleteDC(hdc);
    HDC printer = printerDc(outputPath("gdi-mapping-%d.emf").c_str()); // A4 at 600 dpi
    ScrivaneGdiSetPrintToFile(nullptr);
    const Ints printerCaps{DT_RASPRINTER, 200, 287, 4724, 6780, 600, 600, 4960, 7016, 118, 118, 0};
    EXPECT_EQ(caps(printer), printerCaps);
    // A metafile with a printer as reference reports the printer and records it: device,
    // millimetres, micrometres.
    hdc = CreateEnhMetaFileA(printer, nullptr, nullptr, nullptr);
    EXPECT_EQ(caps(hdc), printerCaps);
    const EmfFile f = closeToEmf(hdc);
    EXPECT_EQ(str(POINT{f.records[0].i32(72), f.records[0].i32(80)}), "(4724,200)");
    EXPECT_EQ(f.records[0].i32(100), 199983);
    DeleteDC(printer);
    HDC display = ScrivaneGdiCreateDisplayDC(800, 600); // 96 dpi
    EXPECT_EQ(caps(display), (Ints{DT_RASDISPLAY, 212, 159, 800, 600, 96, 96, 0, 0, 0, 0, 0}));
    EXPECT_EQ(GetMapMode(display), MM_TEXT);
    SetWindowOrgEx(display, 0, 600, nullptr);
    EXPECT_EQ(mapped(display, POINT{0, 600}), "(0,0)");
    EXPECT_EQ(ScrivaneGdiCreateDisplayDC(0, 10), nullptr);
    DeleteDC(display);
}

TEST(GdiMapping, HimetricOnTheReferenceDeviceIsOneUnitPerPixelWithYUp) {
    HDC hdc = himetricMetafile(); // window origin (-1000, -1000)
    EXPECT_EQ(GetMapMode(hdc), MM_HIMETRIC);
    EXPECT_EQ(mapped(hdc, POINT{0, 0}), "(1000,-1000)");
    EXPECT_EQ(mapped(hdc, POINT{8000, 3000}), "(9000,-4000)");
    EXPECT_EQ(mapped(hdc, POINT{-1000, -1000}), "(0,0)");
    EXPECT_EQ(mapped(hdc, POINT{9000, -4000}, false), "(8000,3000)");
    EXPECT_EQ(mapped(hdc, POINT{0, 0}, false), "(-1000,-1000)");
    POINT several[3] = {{1, 2}, {3, 4}, {5, 6}};
    ASSERT_TRUE(LPtoDP(hdc, several, 3));
    ASSERT_TRUE(DPtoLP(hdc, several, 3));
    EXPECT_EQ(str(several[2]), "(5,6)");
    DeleteDC(hdc);
}

TEST(GdiMapping, TextAndOtherMetricModes) {
    HDC hdc = plainMetafile();
    EXPECT_EQ(GetMapMode(hdc), MM_TEXT);
    POINT old{1, 1}, org{};
    ASSERT_TRUE(SetWindowOrgEx(hdc, -10, 500, &old));
    EXPECT_EQ(str(old), "(0,0)");
    EXPECT_EQ(mapped(hdc, POINT{0, 0}), "(10,-500)");
    EXPECT_EQ(mapped(hdc, POINT{7, 800}), "(17,300)");
    EXPECT_EQ(mapped(hdc, POINT{17, 300}, false), "(7,800)");
    ASSERT_TRUE(GetWindowOrgEx(hdc, &org));
    EXPECT_EQ(str(org), "(-10,500)");
    SetWindowOrgEx(hdc, 0, 0, nullptr);
    EXPECT_EQ(SetMapMode(hdc, MM_LOMETRIC), MM_TEXT);
    EXPECT_EQ(mapped(hdc, POINT{1, 1}), "(10,-10)");
    SetMapMode(hdc, MM_TWIPS); // 1/1440 inch: 2540/1440 pixels of 0.01 mm
    EXPECT_EQ(mapped(hdc, POINT{1440, 0}), "(2540,0)");
    EXPECT_EQ(SetGraphicsMode(hdc, GM_ADVANCED), GM_COMPATIBLE);
    EXPECT_EQ(GetGraphicsMode(hdc), GM_ADVANCED);
    DeleteDC(hdc);
}

// What the writer does in printer mode: the printable-area offset and the paper corner in
// MM_HIMETRIC logical units.
TEST(GdiMapping, PrinterHimetricConversionRoundsToNearest) {
    HDC hdc = printerDc(outputPath("gdi-mapping-%d.emf").c_str());
    ScrivaneGdiSetPrintToFile(nullptr);
    ASSERT_NE(hdc, nullptr);
    SetMapMode(hdc, MM_HIMETRIC);
    EXPECT_EQ(mapped(hdc, POINT{118, -118}, false), "(500,499)");       // 499.58, 499.50
    EXPECT_EQ(mapped(hdc, POINT{4960, -7016}, false), "(20999,29699)"); // 20999.2, 29699.2
    EXPECT_EQ(mapped(hdc, POINT{20000, 28700}), "(4724,-6780)");
    EXPECT_EQ(mapped(hdc, POINT{1, 0}), "(0,0)");  // 0.236 px
    EXPECT_EQ(mapped(hdc, POINT{3, -3}), "(1,1)"); // 0.709 px
    SetWindowOrgEx(hdc, -500, 29699 - 1000, nullptr);
    EXPECT_EQ(mapped(hdc, POINT{-500, 28699}), "(0,0)");
    DeleteDC(hdc);
}
