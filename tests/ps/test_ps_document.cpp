// The document around the primitives: prolog, bounding box, set-up lines, clips, background,
// border, footer, page mode, and the class itself. Every document is run through Ghostscript.
#include "ps_probe.h"
#include "scene/nodes/SoCube.h"
#include "scene/nodes/SoOrthographicCamera.h"
#include <gtest/gtest.h>

using scrivane::test::ghostscriptAccepts;
using scrivane::test::readFile;

namespace {

const char *const defaultSetUp = "2.834646 2.834646 scale\n"
                                 "/linecap 0 def\n"
                                 "linecap setlinecap\n"
                                 "2 setlinejoin\n"
                                 "1.50 setmiterlimit\n"
                                 "0.35 ps\n"
                                 "0.35 ep\n"
                                 "[] 0 tl\n"
                                 "10.00 10.00 translate\n";

TEST(PSDocument, DefaultActionWritesColourPrologBoundingBoxAndSetUp) {
    PSProbe action;
    PSFile file(action, "default_header.ps");
    applyEmpty(action);
    const std::string text = file.text();
    const std::string head =
        "%!PS-Adobe-2.0\n%%Creator: Nalder Scrivane 3.7\n%%Title: Scrivane\n"
        "%%BoundingBox: 0 0  538  785\n%%EndComments\n% color header\n%\n"
        "/gc { /colorgblue exch def /colorggreen exch def /colorgred exch def } "
        "bind def\n";
    EXPECT_EQ(text.substr(0, head.size()), head);
    EXPECT_EQ(afterProlog(text).substr(0, std::string(defaultSetUp).size()), defaultSetUp);
    EXPECT_TRUE(ghostscriptAccepts(file.path));
}

TEST(PSDocument, LandscapeTurnsThePageAndKeepsTheBox) {
    PSProbe action;
    PSFile file(action, "landscape.ps");
    action.setOrientation(SoVectorizeAction::LANDSCAPE);
    action.setStartPosition(10, 20);
    action.setLineEndStyle(SoVectorizeAction::ROUND_CAP);
    action.setLineJoinsStyle(SoVectorizeAction::MITER_JOIN);
    action.setMiterLimit(4);
    applyEmpty(action);
    const std::string text = file.text();
    EXPECT_NE(text.find("%%BoundingBox: 0 0  538  785\n"), std::string::npos);
    EXPECT_NE(afterProlog(text).find(
                  "/linecap 1 def\nlinecap setlinecap\n0 setlinejoin\n4.00 setmiterlimit\n"
                  "0.35 ps\n0.35 ep\n[] 0 tl\n20.00 10.00 translate\n90 rotate\n"
                  "0 -277.00 translate\n"),
              std::string::npos);
    EXPECT_TRUE(ghostscriptAccepts(file.path));
}

// The whole of a small document, in colour and in grey, compared with files reviewed by hand:
// they hold both prologs byte for byte.
TEST(PSDocument, SmallDocumentsMatchGoldenFiles) {
    for (int colour : {1, 0}) {
        const std::string name = colour ? "small_document.ps" : "small_document_grey.ps";
        PSProbe action;
        action.getPSVectorOutput()->setColorOutput(colour);
        PSFile file(action, name);
        action.setBackgroundColor(1, SbColor(0, 0, 0.5f));
        action.setDrawingDimensions(100, 50);
        action.drawing = [](PSProbe &a) {
            const SbVec4f line[3] = {pt(10, 10), pt(50, 20), pt(90, 10)};
            const SbColor red(1, 0, 0), black(0, 0, 0);
            a.printPolyLine(line, 3, &red, 0, 2, 0x00FF);
            const SbVec4f square[4] = {pt(20, 20), pt(40, 20), pt(40, 40), pt(20, 40)};
            a.printPolygon(square, 4, &red, "", "", nullptr);
            a.printText2(pt(50, 45), black, "Helvetica", 10, "f(x)", 3, 0);
        };
        applyEmpty(action);
        EXPECT_EQ(file.text(), readFile(std::string(SCRIVANE_TEST_DATA) + "/ps/" + name));
        EXPECT_TRUE(ghostscriptAccepts(file.path));
    }
}

TEST(PSDocument, BorderOfWidthZeroKeepsItsClipOnly) {
    PSProbe action;
    PSFile file(action, "no_border.ps");
    action.setBorder(0);
    applyEmpty(action);
    const std::string text = file.text();
    EXPECT_NE(
        text.find("[] 0 tl\n10.00 10.00 translate\ngsave\ngrestore\nnewpath\n0 0 moveto\n190.00 0 "
                  "lineto\n"
                  "190.00 277.000000 lineto\n0 277.00 lineto\n0 0 lineto\nclosepath\ngsave\nclip\n"
                  "grestore\nshowpage\n"),
        std::string::npos);
    EXPECT_TRUE(ghostscriptAccepts(file.path));
}

TEST(PSDocument, PageModeSharesOneHeaderAndFooterAmongThreeDrawings) {
    PSProbe action;
    PSFile file(action, "page_mode.ps");
    action.beginPage(SbVec2f(0, 0), SbVec2f(210, 297));
    action.setBackgroundColor(1, SbColor(1, 1, 0));
    for (int i = 0; i < 3; i++) {
        action.setStartPosition(10.0f + 60 * i, 20);
        applyEmpty(action);
    }
    action.endPage();
    const std::string text = file.text();
    EXPECT_EQ(occurrences(text, "%!PS-Adobe-2.0"), 1);
    EXPECT_EQ(occurrences(text, "%%BoundingBox: 0 0  595  841\n"), 1);
    EXPECT_EQ(occurrences(text, "showpage\n"), 1);
    EXPECT_EQ(occurrences(text, "pfabeg\n"), 3);
    EXPECT_NE(text.find("gsave\n130.00 20.00 translate\n"), std::string::npos);
    // Each drawing: its translation, background, the border block and two grestores.
    EXPECT_EQ(occurrences(afterProlog(text), "gsave\n"), 3 * 3);
    EXPECT_EQ(occurrences(afterProlog(text), "grestore\n"), 3 * 3);
    EXPECT_TRUE(ghostscriptAccepts(file.path));
}

TEST(PSDocument, TwoAppliesWithoutPagesWriteTwoDocuments) {
    PSProbe action;
    PSFile file(action, "two_documents.ps");
    applyEmpty(action);
    applyEmpty(action);
    const std::string text = file.text();
    EXPECT_EQ(occurrences(text, "%!PS-Adobe-2.0\n"), 2);
    EXPECT_EQ(occurrences(text, "showpage\n"), 2);
    scrivane::test::GhostscriptRun run = scrivane::test::runGhostscript(file.path);
    EXPECT_TRUE(run.ok()) << run.describe();
    EXPECT_EQ(run.pages, 2);
}

TEST(PSDocument, DestroyingTheActionEndsAnOpenPage) {
    const std::string path = psOutPath("open_page.ps");
    {
        PSProbe action;
        PSFile file(action, "open_page.ps");
        action.beginPage(SbVec2f(0, 0), SbVec2f(210, 297));
        applyEmpty(action);
    }
    EXPECT_EQ(occurrences(readFile(path), "showpage\n"), 1);
    EXPECT_TRUE(ghostscriptAccepts(path));
}

// A clip per viewport met: the camera changes the viewport region, so the second cube meets
// a second one, whose clip is preceded by a grestore.
TEST(PSDocument, EveryViewportOfATraversalGetsItsClip) {
    PSProbe action;
    PSFile file(action, "clips.ps");
    SoSeparator *root = new SoSeparator;
    root->ref();
    root->addChild(new SoCube);
    root->addChild(new SoOrthographicCamera);
    root->addChild(new SoCube);
    action.apply(root);
    root->unref();
    const std::string text = file.text();
    const std::string clip = "newpath\n0.00 0.00 moveto\n190.00 0.00 lineto\n190.00 277.00 lineto\n"
                             "0.00 277.00 lineto\n0.00 0.00 lineto\nclosepath\ngsave\nclip\n";
    EXPECT_EQ(occurrences(text, clip), 2);
    EXPECT_EQ(occurrences(text, "grestore\n" + clip), 1);
    EXPECT_EQ(text.find("gsave\ngrestore\nnewpath\n0 0 moveto"), std::string::npos);
    EXPECT_TRUE(ghostscriptAccepts(file.path));
}

TEST(PSDocument, ClassIsRegisteredOnTheVectorizeAction) {
    SoScrivane::init();
    SoType type = SoVectorizePSAction::getClassTypeId();
    EXPECT_EQ(type.getName(), SbName("SoVectorizePSAction"));
    EXPECT_EQ(type.getParent(), SoVectorizeAction::getClassTypeId());
    PSProbe action;
    EXPECT_TRUE(action.isOfType(SoVectorizeAction::getClassTypeId()));
    EXPECT_EQ(action.getOutput(), action.getPSVectorOutput());
    EXPECT_EQ(action.getVectorOutput(), action.getPSVectorOutput());
    EXPECT_EQ(action.getPSVectorOutput()->getColorOutput(), 1);
}

} // namespace
