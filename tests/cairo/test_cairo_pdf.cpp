// PDF documents read by poppler (pdfinfo, pdftoppm without anti-aliasing, pdftotext, pdffonts)
// and Ghostscript: page sizes, the test picture's pixels, real text in the font the name asks
// for, one page per beginPage/endPage, identical bytes for the same drawing, and no drawing on a
// stream whose document is complete.
#include "cairo_probe.h"
#include "scene/nodes/SoMarkerSet.h"
#include "scrivane/SoScrivane.h"
#include <cmath>
#include <gtest/gtest.h>
#include <regex>

using namespace cairotest;
using scrivane::test::PngImage;
using scrivane::test::Rgb;

namespace {

const int dpi = 100;

#define SKIP_WITHOUT(program)                                                                      \
    if (!have(program))                                                                            \
    GTEST_SKIP() << program << " is not installed: the PDF reader test cannot run"

// Ghostscript reads the whole document without a message.
void expectGhostscriptReads(const std::string &path) {
    if (!have("gs")) return;
    int status = 0;
    const std::string messages =
        capture("gs -q -dBATCH -dNOPAUSE -dSAFER -sDEVICE=nullpage '" + path + "' 2>&1", &status);
    EXPECT_EQ(status, 0) << messages;
    EXPECT_EQ(messages, "") << path;
}

std::vector<std::string> pageSizes(const std::string &path) {
    int status = 0;
    const std::string info = capture("pdfinfo -f 1 -l 99 '" + path + "'", &status);
    EXPECT_EQ(status, 0) << info;
    std::vector<std::string> sizes;
    const std::regex size("Page +[0-9]+ size: +([0-9.]+ x [0-9.]+) pts");
    for (std::sregex_iterator i(info.begin(), info.end(), size), end; i != end; ++i)
        sizes.push_back((*i)[1]);
    return sizes;
}

void render(const std::string &path, int page, PngImage &image) {
    const std::string png = path + "-" + std::to_string(page);
    int status = 0;
    const std::string messages =
        capture("pdftoppm -png -singlefile -aa no -aaVector no -r " + std::to_string(dpi) + " -f " +
                    std::to_string(page) + " -l " + std::to_string(page) + " '" + path + "' '" +
                    png + "' 2>&1",
                &status);
    ASSERT_EQ(status, 0) << messages;
    std::string error;
    ASSERT_TRUE(image.read(png + ".png", &error)) << error;
}

TEST(CairoPdf, TestPictureTextAndFontsThroughPoppler) {
    SKIP_WITHOUT("pdftoppm");
    SoScrivane::init();
    const std::string path = outPath("picture.pdf");
    {
        PdfProbe action;
        ASSERT_EQ(action.getOutput()->openFile(path.c_str()), 1);
        setUpTestPicture(action);
        action.drawing = [](PdfProbe &a) {
            drawTestPicture(a);
            a.printText2(pt(20, 140), SbColor(0, 0, 0), "Courier-Oblique", 16, "mono oblique", 3,
                         0);
        };
        applyEmpty(action);
        action.getOutput()->closeFile();
    }
    // A4 portrait: the default 190 x 277 mm drawing with its 10 mm start on every side.
    EXPECT_EQ(pageSizes(path), std::vector<std::string>{"595.276 x 841.89"});
    PngImage image;
    render(path, 1, image);
    expectTestPicture(image, dpi, 0, "pdftoppm");
    expectGhostscriptReads(path);

    int status = 0;
    const std::string text = capture("pdftotext '" + path + "' -", &status);
    EXPECT_NE(text.find("Scrivane selectable"), std::string::npos) << text;
    EXPECT_NE(text.find("mono oblique"), std::string::npos) << text;
    // The embedded fonts are those fontconfig gives for the families the names map to.
    const std::string fonts = capture("pdffonts '" + path + "'", &status);
    for (const char *wanted : {"serif:bold", "monospace:oblique"}) {
        int found = 0;
        const std::string name =
            capture(std::string("fc-match -f '%{postscriptname}' '") + wanted + "'", &found);
        if (found != 0 || name.empty()) continue;
        EXPECT_NE(fonts.find("+" + name), std::string::npos) << wanted << " -> " << name << "\n"
                                                             << fonts;
    }
}

TEST(CairoPdf, OnePagePerBeginEndPageAndTheSameBytesTwice) {
    SKIP_WITHOUT("pdfinfo");
    SoScrivane::init();
    auto write = [](const std::string &path) {
        PdfProbe action;
        ASSERT_EQ(action.getOutput()->openFile(path.c_str()), 1);
        action.setColorTranslationMethod(SoVectorizeAction::KEEP_COLORS);
        // Each drawing at the corner of its page's frame.
        action.setStartPosition(0, 0);
        action.drawing = [](PdfProbe &a) {
            const SbColor red(1, 0, 0);
            a.printPolygon(rect(0, 0, 10, 10).data(), 4, &red, "", "", nullptr);
        };
        action.beginPage(SbVec2f(10, 10), SbVec2f(100, 100));
        applyEmpty(action);
        applyEmpty(action); // a second drawing on the same page
        action.endPage();
        action.beginPage(SbVec2f(0, 0), SbVec2f(150, 80));
        applyEmpty(action);
        action.endPage();
        // Landscape: drawing point (x, y) is at (20 + 50 - y, 10 + x) on a 90 x 120 mm sheet.
        action.setOrientation(SoVectorizeAction::LANDSCAPE);
        action.beginPage(SbVec2f(10, 20), SbVec2f(100, 50));
        applyEmpty(action);
        action.endPage();
        action.getOutput()->closeFile();
        EXPECT_EQ(action.getRefusedPageCount(), 0);
    };
    const std::string path = outPath("pages.pdf"), again = outPath("pages-again.pdf");
    write(path);
    write(again);
    EXPECT_EQ(pageSizes(path), (std::vector<std::string>{"340.157 x 340.157", "425.197 x 226.772",
                                                         "255.118 x 340.157"}));
    EXPECT_EQ(scrivane::test::readFile(path), scrivane::test::readFile(again));
    expectGhostscriptReads(path);
    if (!have("pdftoppm")) return;
    PngImage landscape;
    render(path, 3, landscape);
    EXPECT_EQ(landscape.pixelAtMillimetres(65, 15, dpi), Rgb(255, 0, 0));
    EXPECT_EQ(landscape.pixelAtMillimetres(55, 15, dpi), Rgb(255, 255, 255));
    EXPECT_EQ(landscape.pixelAtMillimetres(65, 25, dpi), Rgb(255, 255, 255));
}

// Outside page mode an apply writes a whole document; the next apply on the same stream is
// refused and leaves the file as it was, and a new stream takes a new document.
TEST(CairoPdf, CompleteDocumentTakesNoMoreDrawings) {
    SKIP_WITHOUT("pdfinfo");
    SoScrivane::init();
    const std::string path = outPath("complete.pdf"), next = outPath("next.pdf");
    PdfProbe action;
    ASSERT_EQ(action.getOutput()->openFile(path.c_str()), 1);
    applyEmpty(action);
    std::fflush(action.getOutput()->getFilePointer());
    const std::string first = scrivane::test::readFile(path);
    applyEmpty(action);
    action.beginPage(SbVec2f(0, 0), SbVec2f(50, 50));
    applyEmpty(action);
    action.endPage();
    action.getOutput()->closeFile();
    EXPECT_EQ(action.getRefusedPageCount(), 2);
    EXPECT_EQ(scrivane::test::readFile(path), first);
    EXPECT_EQ(pageSizes(path).size(), 1u);
    ASSERT_EQ(action.getOutput()->openFile(next.c_str()), 1);
    applyEmpty(action);
    action.getOutput()->closeFile();
    EXPECT_EQ(action.getRefusedPageCount(), 2);
    EXPECT_EQ(pageSizes(next).size(), 1u);
}

// Values cairo cannot draw (a nominal width of 0 under dashes and markers, a text of size 0 or
// at no number) are left out; they must not put the document into cairo's error state, which
// would lose everything drawn after them.
TEST(CairoPdf, DegenerateValuesLeaveTheRestOfTheDrawing) {
    SKIP_WITHOUT("pdftoppm");
    SoScrivane::init();
    const std::string path = outPath("degenerate.pdf");
    PdfProbe action;
    ASSERT_EQ(action.getOutput()->openFile(path.c_str()), 1);
    action.setColorTranslationMethod(SoVectorizeAction::KEEP_COLORS);
    action.setNominalWidth(0.0f);
    action.drawing = [](PdfProbe &a) {
        const SbColor black(0, 0, 0), red(1, 0, 0);
        const SbVec4f line[2] = {pt(10, 10), pt(50, 10)};
        a.printPolyLine(line, 2, &black, 0, 2, 0x0F0F);
        SoMarkerSet *markers = new SoMarkerSet;
        markers->ref();
        a.printPolyMark(line, 2, &black, 0, markers);
        markers->unref();
        a.printText2(pt(10, 20), black, "Helvetica", 12, "no size", 1, 0);
        const float nan = std::nanf("");
        a.printText2(pt(nan, 20), black, "Helvetica", 12, "nowhere", 1, 0);
        a.printPolygon(rect(20, 20, 40, 40).data(), 4, &red, "", "", nullptr);
    };
    applyEmpty(action);
    action.getOutput()->closeFile();
    EXPECT_EQ(action.getOutput()->wasLastDocumentWritten(), 1);
    PngImage image;
    render(path, 1, image);
    EXPECT_EQ(image.pixelAtMillimetres(40, 40, dpi), Rgb(255, 0, 0));
}

} // namespace
