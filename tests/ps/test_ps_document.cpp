// The document around the primitives: prolog, bounding box, set-up lines, clips, background,
// border, footer, page mode, and the class itself. Every document is run through Ghostscript.
#include "ps_probe.h"
#include "scene/nodes/SoCube.h"
#include "scene/nodes/SoOrthographicCamera.h"
#include <gtest/gtest.h>

using scrivane::test::ghostscriptAccepts;
using scrivane::test::readFile;

namespace {

TEST(PSDocument, DefaultActionWritesColourPrologBoundingBoxAndSetUp) {
    const std::string text = writeDocument("default_header.ps", [](PSProbe &action) {
        EXPECT_TRUE(action.isOfType(SoVectorizeAction::getClassTypeId()));
        EXPECT_EQ(action.getVectorOutput(), action.getPSVectorOutput());
        applyEmpty(action);
    });
    const std::string head =
        "%!PS-Adobe-2.0\n%%Creator: Nalder Scrivane 3.7\n%%Title: Scrivane\n"
        "%%BoundingBox: 28 28 567 814\n%%EndComments\n% color header\n%\n"
        "/gc { /colorgblue exch def /colorggreen exch def /colorgred exch def } bind def\n";
    EXPECT_EQ(text.substr(0, head.size()), head);
    const std::string setUp = "2.834646 2.834646 scale\n/linecap 0 def\nlinecap setlinecap\n"
                              "2 setlinejoin\n1.50 setmiterlimit\n0.35 ps\n0.35 ep\n[] 0 tl\n"
                              "10.00 10.00 translate\n";
    EXPECT_EQ(afterProlog(text).substr(0, setUp.size()), setUp);
}

// The bounding box is where the page frame lies on the sheet, start position included; in
// landscape the frame is turned, so its sides swap.
TEST(PSDocument, LandscapeTurnsThePageAndItsBox) {
    const std::string text = writeDocument("landscape.ps", [](PSProbe &action) {
        action.setOrientation(SoVectorizeAction::LANDSCAPE);
        action.setStartPosition(10, 20);
        action.setLineEndStyle(SoVectorizeAction::ROUND_CAP);
        action.setLineJoinsStyle(SoVectorizeAction::MITER_JOIN);
        action.setMiterLimit(4);
        applyEmpty(action);
    });
    EXPECT_EQ(occurrences(text, "%%BoundingBox: 56 28 842 567\n"), 1);
    EXPECT_EQ(occurrences(afterProlog(text),
                          "/linecap 1 def\nlinecap setlinecap\n0 setlinejoin\n4.00 setmiterlimit\n"
                          "0.35 ps\n0.35 ep\n[] 0 tl\n20.00 10.00 translate\n90 rotate\n"
                          "0 -277.00 translate\n"),
              1);
}

// The whole of a small document, in colour and in grey, compared with files reviewed by hand:
// they hold both prologs byte for byte.
TEST(PSDocument, SmallDocumentsMatchGoldenFiles) {
    for (int colour : {1, 0}) {
        const std::string name = colour ? "small_document.ps" : "small_document_grey.ps";
        const std::string text = writeDocument(name, [&](PSProbe &action) {
            action.getPSVectorOutput()->setColorOutput(colour);
            action.setBackgroundColor(1, SbColor(0, 0, 0.5f));
            action.setDrawingDimensions(100, 50);
            action.drawing = [](PSProbe &a) {
                const SbVec4f line[3] = {pt(10, 10), pt(50, 20), pt(90, 10)};
                const SbColor red(1, 0, 0), black(0, 0, 0);
                a.printPolyLine(line, 3, &red, 0, 2, 0x00FF);
                a.printPolygon(rect(20, 20, 40, 40).data(), 4, &red, "", "", nullptr);
                a.printText2(pt(50, 45), black, "Helvetica", 10, "f(x)", 3, 0);
            };
            applyEmpty(action);
        });
        EXPECT_EQ(text, readFile(std::string(SCRIVANE_TEST_DATA) + "/ps/" + name));
    }
}

TEST(PSDocument, BorderOfWidthZeroKeepsItsClipOnly) {
    const std::string text = writeDocument("no_border.ps", [](PSProbe &action) {
        action.setBorder(0);
        applyEmpty(action);
    });
    EXPECT_EQ(occurrences(text,
                          "[] 0 tl\n10.00 10.00 translate\ngsave\ngrestore\nnewpath\n0 0 moveto\n"
                          "190.00 0 lineto\n190.00 277.000000 lineto\n0 277.00 lineto\n0 0 lineto\n"
                          "closepath\ngsave\nclip\ngrestore\nshowpage\n"),
              1);
}

TEST(PSDocument, PageModeSharesOneHeaderAndFooterAmongThreeDrawings) {
    const std::string text = writeDocument("page_mode.ps", [](PSProbe &action) {
        action.beginPage(SbVec2f(0, 0), SbVec2f(210, 297));
        action.setBackgroundColor(1, SbColor(1, 1, 0));
        for (int i = 0; i < 3; i++) {
            action.setStartPosition(10.0f + 60 * i, 20);
            applyEmpty(action);
        }
        action.endPage();
    });
    EXPECT_EQ(occurrences(text, "%!PS-Adobe-2.0"), 1);
    EXPECT_EQ(occurrences(text, "%%BoundingBox: 0 0 596 842\n"), 1);
    EXPECT_EQ(occurrences(text, "showpage\n"), 1);
    EXPECT_EQ(occurrences(text, "pfabeg\n"), 3);
    EXPECT_EQ(occurrences(text, "gsave\n130.00 20.00 translate\n"), 1);
    // Each drawing: its translation, background, the border block and two grestores.
    EXPECT_EQ(occurrences(afterProlog(text), "gsave\n"), 3 * 3);
    EXPECT_EQ(occurrences(afterProlog(text), "grestore\n"), 3 * 3);
}

TEST(PSDocument, TwoAppliesWriteTwoDocumentsAndDestroyingTheActionEndsAnOpenPage) {
    const std::string text = writeDocument("two_documents.ps", [](PSProbe &action) {
        applyEmpty(action);
        applyEmpty(action);
    });
    EXPECT_EQ(occurrences(text, "%!PS-Adobe-2.0\n"), 2);
    EXPECT_EQ(occurrences(text, "showpage\n"), 2);
    EXPECT_EQ(scrivane::test::runGhostscript(psOutPath("two_documents.ps")).pages, 2);

    const std::string path = psOutPath("open_page.ps");
    {
        PSProbe action;
        action.getOutput()->openFile(path.c_str());
        action.beginPage(SbVec2f(0, 0), SbVec2f(210, 297));
        applyEmpty(action);
    }
    EXPECT_EQ(occurrences(readFile(path), "showpage\n"), 1);
    EXPECT_TRUE(ghostscriptAccepts(path));
}

// A clip per viewport met: the camera changes the viewport region, so the second cube meets
// a second one, whose clip is preceded by a grestore.
TEST(PSDocument, EveryViewportOfATraversalGetsItsClip) {
    const std::string text = writeDocument("clips.ps", [](PSProbe &action) {
        SoSeparator *root = new SoSeparator;
        root->ref();
        root->addChild(new SoCube);
        root->addChild(new SoOrthographicCamera);
        root->addChild(new SoCube);
        action.apply(root);
        root->unref();
    });
    const std::string clip = "newpath\n0.00 0.00 moveto\n190.00 0.00 lineto\n190.00 277.00 lineto\n"
                             "0.00 277.00 lineto\n0.00 0.00 lineto\nclosepath\ngsave\nclip\n";
    EXPECT_EQ(occurrences(text, clip), 2);
    EXPECT_EQ(occurrences(text, "grestore\n" + clip), 1);
    EXPECT_EQ(text.find("gsave\ngrestore\nnewpath\n0 0 moveto"), std::string::npos);
}

} // namespace
