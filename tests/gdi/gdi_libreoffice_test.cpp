// Renders metafiles written by the layer with LibreOffice and checks pixels at known places:
// line caps and joins, filled shapes, a clip, text in three alignments, an image, and a
// printed page placed on its sheet.
#include "gdi_test_util.h"
#include "png_image.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <sys/stat.h>

using namespace scrivane::test;

namespace {

constexpr int kDpi = 127; // 5 pixels per millimetre
constexpr int kFrameW = 16000;
constexpr int kFrameH = 14000;
constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kGreen = RGB(0, 160, 0);
constexpr COLORREF kBlue = RGB(0, 0, 255);
constexpr COLORREF kMagenta = RGB(255, 0, 255);
constexpr COLORREF kCyan = RGB(0, 255, 255);
constexpr COLORREF kOrange = RGB(255, 128, 0);
constexpr COLORREF kBlack = RGB(0, 0, 0);
constexpr COLORREF kWhite = RGB(255, 255, 255);

bool fileExists(const char *path) {
    struct stat st;
    return stat(path, &st) == 0;
}

void selectNew(HDC hdc, HGDIOBJ object) {
    DeleteObject(SelectObject(hdc, object));
}

void geometricLine(HDC hdc, DWORD capJoin, DWORD width, COLORREF color, const POINT *pts, int n) {
    const LOGBRUSH lb{BS_SOLID, color, 0};
    selectNew(hdc, ExtCreatePen(PS_GEOMETRIC | PS_SOLID | capJoin, width, &lb, 0, nullptr));
    Polyline(hdc, pts, n);
}

void filledPolygon(HDC hdc, COLORREF color, const POINT *pts, int n) {
    selectNew(hdc, CreatePen(PS_NULL, 0, 0));
    selectNew(hdc, CreateSolidBrush(color));
    Polygon(hdc, pts, n);
}

// 8 x 8 pixels, quadrants red (top left), green (top right), blue (bottom left), black.
void quadrantImage(HDC hdc, int left, int top, int size) {
    BITMAPINFO bmi;
    std::memset(&bmi, 0, sizeof bmi);
    bmi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    bmi.bmiHeader.biWidth = 8;
    bmi.bmiHeader.biHeight = 8;
    bmi.bmiHeader.biPlanes = 1;
    bmi.bmiHeader.biBitCount = 24;
    bmi.bmiHeader.biCompression = BI_RGB;
    bmi.bmiHeader.biSizeImage = 24 * 8;
    BYTE bits[24 * 8];
    for (int row = 0; row < 8; ++row) { // row 0 is the bottom row
        for (int col = 0; col < 8; ++col) {
            const bool top = row >= 4;
            const bool right = col >= 4;
            const COLORREF c = top ? (right ? kGreen : kRed) : (right ? kBlack : kBlue);
            BYTE *px = bits + row * 24 + col * 3;
            px[0] = GetBValue(c);
            px[1] = GetGValue(c);
            px[2] = GetRValue(c);
        }
    }
    // In a y-up mode the picture is upright with the top edge and a negative height.
    StretchDIBits(hdc, left, top, size, -size, 0, 0, 8, 8, bits, &bmi, DIB_RGB_COLORS, SRCCOPY);
}

void text(HDC hdc, UINT align, int x, int y, const char *s) {
    SetTextAlign(hdc, align | TA_BASELINE);
    TextOutA(hdc, x, y, s, static_cast<int>(std::strlen(s)));
}

// Logical 0.01 mm, y up, origin at the frame's bottom-left corner.
void drawTestPicture(HDC hdc) {
    SetGraphicsMode(hdc, GM_COMPATIBLE);
    SetMapMode(hdc, MM_HIMETRIC);
    SetWindowOrgEx(hdc, 0, kFrameH, nullptr);
    SetMiterLimit(hdc, 1000.0f, nullptr);
    const POINT corner[3] = {{1000, 13000}, {5000, 13000}, {5000, 10000}};
    geometricLine(hdc, PS_ENDCAP_FLAT | PS_JOIN_MITER, 800, kRed, corner, 3);
    const POINT round[2] = {{1500, 8000}, {4500, 8000}};
    geometricLine(hdc, PS_ENDCAP_ROUND | PS_JOIN_ROUND, 800, kBlue, round, 2);
    const POINT square[2] = {{1500, 6000}, {4500, 6000}};
    geometricLine(hdc, PS_ENDCAP_SQUARE | PS_JOIN_BEVEL, 800, kGreen, square, 2);

    const POINT triangle[3] = {{6500, 10000}, {10500, 10000}, {8500, 13500}};
    filledPolygon(hdc, kMagenta, triangle, 3);
    selectNew(hdc, CreatePen(PS_SOLID, 0, kBlack));
    selectNew(hdc, CreateSolidBrush(kCyan));
    Rectangle(hdc, 11500, 13000, 15000, 10000);

    quadrantImage(hdc, 7000, 9000, 4000);

    // A clip (given in device units, as the writer gives it) around part of a polygon.
    POINT clip[2] = {{12500, 8500}, {14500, 5500}};
    LPtoDP(hdc, clip, 2);
    HRGN rgn = CreateRectRgn(clip[0].x, clip[0].y, clip[1].x, clip[1].y);
    SelectClipRgn(hdc, rgn);
    DeleteObject(rgn);
    const POINT wide[4] = {{11500, 4500}, {15500, 4500}, {15500, 9500}, {11500, 9500}};
    filledPolygon(hdc, kOrange, wide, 4);
    SelectClipRgn(hdc, nullptr);

    SetBkMode(hdc, TRANSPARENT);
    SetTextColor(hdc, kBlack);
    HFONT font = CreateFontA(-800, 0, 0, 0, FW_BOLD, 0, 0, 0, ANSI_CHARSET, OUT_DEFAULT_PRECIS,
                             CLIP_LH_ANGLES, PROOF_QUALITY, 0, "DejaVu Sans");
    HGDIOBJ oldFont = SelectObject(hdc, font);
    text(hdc, TA_LEFT, 1000, 1500, "LEFT");
    text(hdc, TA_CENTER, 8000, 1500, "MID");
    text(hdc, TA_RIGHT, 15000, 1500, "RIGHT");
    SelectObject(hdc, oldFont);
    DeleteObject(font);
    DeleteObject(SelectObject(hdc, GetStockObject(BLACK_PEN)));
    DeleteObject(SelectObject(hdc, GetStockObject(WHITE_BRUSH)));
}

// A page with a black 20 x 10 mm box at the printable area's top-left corner.
void printTestPage(const std::string &pattern) {
    ASSERT_TRUE(ScrivaneGdiSetPrintToFile(pattern.c_str()));
    PRINTDLGA pd{};
    pd.lStructSize = sizeof pd;
    pd.Flags = PD_RETURNDC;
    ASSERT_TRUE(PrintDlgA(&pd));
    ScrivaneGdiSetPrintToFile(nullptr);
    DOCINFOA di{};
    di.cbSize = sizeof di;
    di.lpszDocName = "test page";
    StartDocA(pd.hDC, &di);
    StartPage(pd.hDC);
    SetMapMode(pd.hDC, MM_HIMETRIC);
    selectNew(pd.hDC, CreateSolidBrush(kBlack));
    Rectangle(pd.hDC, 0, 0, 2000, -1000);
    EndPage(pd.hDC);
    EndDoc(pd.hDC);
    DeleteDC(pd.hDC);
}

bool near(Rgb c, COLORREF want, int tolerance = 60) {
    return std::abs(c.r - GetRValue(want)) <= tolerance &&
           std::abs(c.g - GetGValue(want)) <= tolerance &&
           std::abs(c.b - GetBValue(want)) <= tolerance;
}

std::string show(Rgb c) {
    return "(" + std::to_string(c.r) + "," + std::to_string(c.g) + "," + std::to_string(c.b) + ")";
}

class Picture {
public:
    explicit Picture(const RgbImage &image) : image_(image) {}
    // The pixel under a logical point of the test picture.
    Rgb at(int x, int y) const { return image_.at(x * kDpi / 2540, (kFrameH - y) * kDpi / 2540); }
    // Whether some pixel of a logical box is dark (text ink).
    bool inked(int x0, int y0, int x1, int y1) const {
        for (int y = y0; y <= y1; y += 10) {
            for (int x = x0; x <= x1; x += 10) {
                const Rgb c = at(x, y);
                if (c.r + c.g + c.b < 3 * 128) return true;
            }
        }
        return false;
    }

private:
    const RgbImage &image_;
};

int renderWithLibreOffice(const std::vector<std::string> &files) {
    std::string command = std::string("/usr/bin/python3 ") + SCRIVANE_EMF_RENDER_SCRIPT +
                          " --dpi " + std::to_string(kDpi);
    for (const std::string &f : files)
        command += " '" + f + "'";
    command += " > '" + outputPath("gdi-libreoffice.log") + "' 2>&1";
    const int status = std::system(command.c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

} // namespace

TEST(GdiLibreOffice, RendersLinesShapesClipTextAndImage) {
    if (!fileExists("/usr/bin/soffice"))
        GTEST_SKIP() << "LibreOffice (/usr/bin/soffice) is not installed: rendering not checked";

    const std::string emfPath = outputPath("gdi-lo-picture.emf");
    const std::string pngPath = outputPath("gdi-lo-picture.png");
    const RECT frame{0, 0, kFrameW, kFrameH};
    HDC hdc = CreateEnhMetaFileA(nullptr, emfPath.c_str(), &frame, "Scrivane test\0picture\0");
    ASSERT_NE(hdc, nullptr);
    drawTestPicture(hdc);
    HENHMETAFILE emf = CloseEnhMetaFile(hdc);
    ASSERT_NE(emf, nullptr);
    DeleteEnhMetaFile(emf);
    const EmfFile parsed = readEmfFile(emfPath);
    ASSERT_EQ(checkEmf(parsed), std::vector<std::string>{}) << dumpEmf(parsed);

    const std::string pagePng = outputPath("gdi-lo-page-1.png");
    printTestPage(outputPath("gdi-lo-page-%d.emf"));

    const int rc =
        renderWithLibreOffice({emfPath, pngPath, outputPath("gdi-lo-page-1.emf"), pagePng});
    if (rc == 3)
        GTEST_SKIP() << "LibreOffice or python3-uno is not usable: see "
                     << outputPath("gdi-libreoffice.log");
    ASSERT_EQ(rc, 0) << "LibreOffice failed, see " << outputPath("gdi-libreoffice.log");

    RgbImage image;
    std::string error;
    ASSERT_TRUE(readPng(pngPath, image, error)) << error;
    EXPECT_NEAR(image.width, 800, 1);
    EXPECT_NEAR(image.height, 700, 1);
    const Picture pic(image);

    // Flat caps stop at the end point, the mitred corner is filled out to its point.
    EXPECT_TRUE(near(pic.at(3000, 13000), kRed)) << show(pic.at(3000, 13000));
    EXPECT_TRUE(near(pic.at(1100, 13000), kRed)) << show(pic.at(1100, 13000));
    EXPECT_TRUE(near(pic.at(700, 13000), kWhite)) << show(pic.at(700, 13000));
    EXPECT_TRUE(near(pic.at(5330, 13330), kRed)) << show(pic.at(5330, 13330));
    // Round caps reach 4 mm past the end only along the circle, square caps fill the corner.
    EXPECT_TRUE(near(pic.at(1200, 8000), kBlue)) << show(pic.at(1200, 8000));
    EXPECT_TRUE(near(pic.at(1160, 8340), kWhite)) << show(pic.at(1160, 8340));
    EXPECT_TRUE(near(pic.at(1160, 6340), kGreen)) << show(pic.at(1160, 6340));
    EXPECT_TRUE(near(pic.at(900, 6000), kWhite)) << show(pic.at(900, 6000));
    // Filled triangle and rectangle.
    EXPECT_TRUE(near(pic.at(8500, 11200), kMagenta)) << show(pic.at(8500, 11200));
    EXPECT_TRUE(near(pic.at(6800, 13000), kWhite)) << show(pic.at(6800, 13000));
    EXPECT_TRUE(near(pic.at(13250, 11500), kCyan)) << show(pic.at(13250, 11500));
    // The image is upright: red top left, green top right, blue bottom left, black.
    EXPECT_TRUE(near(pic.at(8000, 8000), kRed)) << show(pic.at(8000, 8000));
    EXPECT_TRUE(near(pic.at(10000, 8000), kGreen)) << show(pic.at(10000, 8000));
    EXPECT_TRUE(near(pic.at(8000, 6000), kBlue)) << show(pic.at(8000, 6000));
    EXPECT_TRUE(near(pic.at(10000, 6000), kBlack)) << show(pic.at(10000, 6000));
    // The clip keeps the polygon inside (12500..14500, 5500..8500) only.
    EXPECT_TRUE(near(pic.at(13500, 7000), kOrange)) << show(pic.at(13500, 7000));
    EXPECT_TRUE(near(pic.at(11800, 7000), kWhite)) << show(pic.at(11800, 7000));
    EXPECT_TRUE(near(pic.at(13500, 9200), kWhite)) << show(pic.at(13500, 9200));
    // Text on the baseline y = 15 mm: left-aligned starts at x, right-aligned ends at x,
    // centred spreads both ways; nothing below the baseline (capitals only).
    EXPECT_TRUE(pic.inked(1000, 1550, 4000, 2300));
    EXPECT_FALSE(pic.inked(0, 1000, 900, 2500));
    EXPECT_TRUE(pic.inked(7000, 1550, 7900, 2300));
    EXPECT_TRUE(pic.inked(8100, 1550, 9000, 2300));
    EXPECT_FALSE(pic.inked(5000, 1000, 6500, 2500));
    EXPECT_FALSE(pic.inked(9500, 1000, 11000, 2500));
    EXPECT_TRUE(pic.inked(12000, 1550, 15000, 2300));
    EXPECT_FALSE(pic.inked(15100, 1000, 16000, 2500));
    EXPECT_FALSE(pic.inked(0, 300, 16000, 1350));

    // The printed page is the whole A4 sheet; the box sits 5 mm in from its top-left corner.
    // Draw shrinks a picture larger than its page's printable area (A4 less 10 mm margins) to
    // fit, so positions are taken relative to the rendered sheet.
    RgbImage page;
    ASSERT_TRUE(readPng(pagePng, page, error)) << error;
    EXPECT_NEAR(static_cast<double>(page.height) / page.width, 297.0 / 210.0, 0.005);
    const double pxPerMm = page.width / 210.0;
    auto sheet = [&](double xMm, double yMm) {
        return page.at(static_cast<int>(xMm * pxPerMm), static_cast<int>(yMm * pxPerMm));
    };
    EXPECT_TRUE(near(sheet(15, 10), kBlack)) << show(sheet(15, 10));
    EXPECT_TRUE(near(sheet(6, 6), kBlack)) << show(sheet(6, 6));
    EXPECT_TRUE(near(sheet(4, 10), kWhite)) << show(sheet(4, 10));
    EXPECT_TRUE(near(sheet(15, 4), kWhite)) << show(sheet(15, 4));
    EXPECT_TRUE(near(sheet(26, 10), kWhite)) << show(sheet(26, 10));
    EXPECT_TRUE(near(sheet(15, 16), kWhite)) << show(sheet(15, 16));
}
