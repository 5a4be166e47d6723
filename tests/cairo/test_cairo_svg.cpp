// SVG documents read by librsvg (rsvg-convert) and headless Chromium: the canvas in
// millimetres, the test picture's pixels (both readers anti-alias, so pixels are checked away
// from edges with a tolerance), and the refusal of a second page.
#include "cairo_probe.h"
#include "scrivane/SoScrivane.h"
#include <gtest/gtest.h>

using namespace cairotest;
using scrivane::test::PngImage;

namespace {

const int dpi = 100;
// Colours of pixels near edges blend with their neighbours in both readers.
const int tolerance = 40;

std::string writePicture() {
    SoScrivane::init();
    const std::string path = outPath("picture.svg");
    SvgProbe action;
    EXPECT_EQ(action.getOutput()->openFile(path.c_str()), 1);
    setUpTestPicture(action);
    action.drawing = [](SvgProbe &a) { drawTestPicture(a); };
    applyEmpty(action);
    action.getOutput()->closeFile();
    EXPECT_EQ(action.getRefusedPageCount(), 0);
    return path;
}

TEST(CairoSvg, CanvasInMillimetresAndTheTestPictureThroughLibrsvg) {
    if (!have("rsvg-convert"))
        GTEST_SKIP() << "rsvg-convert is not installed: the SVG reader test cannot run";
    const std::string path = writePicture();
    const std::string svg = scrivane::test::readFile(path);
    EXPECT_NE(svg.find("width=\"210mm\" height=\"297mm\" viewBox=\"0 0 210 297\""),
              std::string::npos)
        << svg.substr(0, 300);
    int status = 0;
    const std::string png = outPath("picture-rsvg.png");
    const std::string messages = capture(
        "rsvg-convert -d 100 -p 100 -b white -o '" + png + "' '" + path + "' 2>&1", &status);
    ASSERT_EQ(status, 0) << messages;
    PngImage image;
    std::string error;
    ASSERT_TRUE(image.read(png, &error)) << error;
    EXPECT_EQ(image.width(), 827);
    expectTestPicture(image, dpi, tolerance, "rsvg-convert");
}

TEST(CairoSvg, TheTestPictureThroughChromium) {
    if (!have("chromium"))
        GTEST_SKIP() << "chromium is not installed: the SVG browser test cannot run";
    const std::string path = writePicture();
    const std::string png = outPath("picture-chromium.png");
    std::remove(png.c_str());
    int status = 0;
    // 210 x 297 mm at the browser's 96 pixels per inch.
    const std::string messages =
        capture("chromium --headless --no-sandbox --disable-gpu --hide-scrollbars "
                "--screenshot='" +
                    png + "' --window-size=794,1123 'file://" + path + "' 2>&1",
                &status);
    ASSERT_EQ(status, 0) << messages;
    PngImage image;
    std::string error;
    ASSERT_TRUE(image.read(png, &error)) << error << "\n" << messages;
    expectTestPicture(image, 96, tolerance, "chromium");
}

// An SVG file holds one page: the second beginPage is refused and its drawings and endPage do
// nothing, so the file stays one whole document of the first page.
TEST(CairoSvg, SecondPageIsRefused) {
    SoScrivane::init();
    const std::string path = outPath("pages.svg");
    SvgProbe action;
    ASSERT_EQ(action.getOutput()->openFile(path.c_str()), 1);
    action.setColorTranslationMethod(SoVectorizeAction::KEEP_COLORS);
    action.drawing = [](SvgProbe &a) {
        const SbColor red(1, 0, 0);
        a.printPolygon(rect(0, 0, 10, 10).data(), 4, &red, "", "", nullptr);
    };
    action.beginPage(SbVec2f(10, 10), SbVec2f(100, 50));
    applyEmpty(action);
    action.endPage();
    std::fflush(action.getOutput()->getFilePointer());
    const std::string first = scrivane::test::readFile(path);
    action.beginPage(SbVec2f(0, 0), SbVec2f(150, 80));
    applyEmpty(action);
    action.endPage();
    applyEmpty(action);
    action.getOutput()->closeFile();
    EXPECT_EQ(action.getRefusedPageCount(), 2);
    const std::string svg = scrivane::test::readFile(path);
    EXPECT_EQ(svg, first);
    EXPECT_NE(svg.find("width=\"120mm\" height=\"70mm\""), std::string::npos) << svg.substr(0, 300);
    EXPECT_EQ(svg.find("<svg"), svg.rfind("<svg"));
    if (!have("rsvg-convert")) return;
    int status = 0;
    const std::string messages =
        capture("rsvg-convert -o '" + outPath("pages-rsvg.png") + "' '" + path + "' 2>&1", &status);
    EXPECT_EQ(status, 0) << messages;
}

} // namespace
