// Renders metafiles written by the layer with LibreOffice and checks pixels at known places: a
// polygon cut by a clip region, an outlined rectangle, and a printed page placed on its sheet.
// (Lines, text and images are rendered through this layer by the GDI writer's own test.)
#include "gdi_test_util.h"
#include "png_image.h"

#include <gtest/gtest.h>

#include <unistd.h>

using namespace scrivane::test;

namespace {

constexpr int kDpi = 127; // 5 pixels per millimetre

void selectNew(HDC hdc, HGDIOBJ object) {
    DeleteObject(SelectObject(hdc, object));
}

// Logical 0.01 mm, y up, origin at the 40 x 30 mm frame's bottom-left corner.
void drawTestPicture(HDC hdc) {
    SetGraphicsMode(hdc, GM_COMPATIBLE);
    SetMapMode(hdc, MM_HIMETRIC);
    SetWindowOrgEx(hdc, 0, 3000, nullptr);
    selectNew(hdc, CreatePen(PS_SOLID, 0, RGB(0, 0, 0)));
    selectNew(hdc, CreateSolidBrush(RGB(0, 255, 255)));
    Rectangle(hdc, 500, 2500, 1500, 500);
    // A clip (given in device units, as the writer gives it) around part of a polygon.
    POINT clip[2] = {{2500, 2000}, {3500, 1000}};
    LPtoDP(hdc, clip, 2);
    HRGN rgn = CreateRectRgn(clip[0].x, clip[0].y, clip[1].x, clip[1].y);
    SelectClipRgn(hdc, rgn);
    DeleteObject(rgn);
    selectNew(hdc, CreatePen(PS_NULL, 0, 0));
    selectNew(hdc, CreateSolidBrush(RGB(255, 128, 0)));
    const POINT wide[4] = {{2000, 500}, {3900, 500}, {3900, 2500}, {2000, 2500}};
    Polygon(hdc, wide, 4);
    SelectClipRgn(hdc, nullptr);
    DeleteObject(SelectObject(hdc, GetStockObject(BLACK_PEN)));
    DeleteObject(SelectObject(hdc, GetStockObject(WHITE_BRUSH)));
}

} // namespace

TEST(GdiLibreOffice, RendersAClipAFilledRectangleAndAPrintedPage) {
    if (access("/usr/bin/soffice", X_OK) != 0)
        GTEST_SKIP() << "LibreOffice (/usr/bin/soffice) is not installed: rendering not checked";
    const std::string picture = outputPath("gdi-lo-picture"), page = outputPath("gdi-lo-page-1");
    const RECT frame{0, 0, 4000, 3000};
    HDC hdc = CreateEnhMetaFileA(nullptr, (picture + ".emf").c_str(), &frame, "test\0picture\0");
    ASSERT_NE(hdc, nullptr);
    drawTestPicture(hdc);
    DeleteEnhMetaFile(CloseEnhMetaFile(hdc));
    // A page with a black 20 x 10 mm box at the printable area's top-left corner.
    HDC printer = printerDc(outputPath("gdi-lo-page-%d.emf").c_str());
    ScrivaneGdiSetPrintToFile(nullptr);
    startDoc(printer);
    StartPage(printer);
    SetMapMode(printer, MM_HIMETRIC);
    selectNew(printer, CreateSolidBrush(RGB(0, 0, 0)));
    Rectangle(printer, 0, 0, 2000, -1000);
    EndDoc(printer);
    DeleteDC(printer);
    for (const std::string &emf : {picture, page}) {
        const EmfFile parsed = readEmfFile(emf + ".emf");
        ASSERT_EQ(checkEmf(parsed), std::vector<std::string>{}) << dumpEmf(parsed);
    }

    const std::string log = outputPath("gdi-libreoffice.log");
    const int rc = runCommand("/usr/bin/python3 " SCRIVANE_EMF_RENDER_SCRIPT " --dpi " +
                              std::to_string(kDpi) + " '" + picture + ".emf' '" + picture +
                              ".png' '" + page + ".emf' '" + page + ".png' > '" + log + "' 2>&1");
    if (rc == 3) GTEST_SKIP() << "LibreOffice or python3-uno is not usable: see " << log;
    ASSERT_EQ(rc, 0) << "LibreOffice failed, see " << log;
    RgbImage image, sheet;
    std::string error;
    ASSERT_TRUE(readPng(picture + ".png", image, error)) << error;
    EXPECT_NEAR(image.width, 200, 1);
    EXPECT_NEAR(image.height, 150, 1);
    // The pixel at (x, y) mm from the picture's bottom-left corner: the rectangle's fill, the
    // polygon inside the clip (25..35, 10..20 mm) only.
    const struct {
        double x, y;
        int r, g, b;
    } probes[] = {{10, 15, 0, 255, 255},   {3, 15, 255, 255, 255},  {30, 15, 255, 128, 0},
                  {22, 15, 255, 255, 255}, {37, 15, 255, 255, 255}, {30, 22, 255, 255, 255},
                  {30, 8, 255, 255, 255}};
    for (const auto &p : probes) {
        const Rgb c = image.at(static_cast<int>(p.x * 5), static_cast<int>((30 - p.y) * 5));
        EXPECT_TRUE(near(c, p.r, p.g, p.b)) << p.x << "," << p.y << " mm " << show(c);
    }
    // The printed page is the whole A4 sheet; the box sits 5 mm in from its top-left corner.
    // Draw shrinks a picture larger than its page's printable area (A4 less 10 mm margins) to
    // fit, so positions are taken relative to the rendered sheet.
    ASSERT_TRUE(readPng(page + ".png", sheet, error)) << error;
    EXPECT_NEAR(static_cast<double>(sheet.height) / sheet.width, 297.0 / 210.0, 0.005);
    const double pxPerMm = sheet.width / 210.0;
    const struct {
        double x, y;
        int grey;
    } onSheet[] = {{15, 10, 0},  {6, 6, 0},     {4, 10, 255},
                   {15, 4, 255}, {26, 10, 255}, {15, 16, 255}};
    for (const auto &s : onSheet) {
        const Rgb c = sheet.at(static_cast<int>(s.x * pxPerMm), static_cast<int>(s.y * pxPerMm));
        EXPECT_TRUE(near(c, s.grey, s.grey, s.grey)) << s.x << "," << s.y << " mm " << show(c);
    }
}
