// The GDI writer's documents: the metafile's name, frame and description, the clip, page
// mode, printer jobs and pages, the cancelled print dialog and the application's context.
#include <cstring>

#include "emf_probe.h"
#include "scene/nodes/SoCoordinate3.h"
#include "scene/nodes/SoLineSet.h"
#include "scene/nodes/SoOrthographicCamera.h"
#include "scene/nodes/SoSeparator.h"
#include "scrivane_gdi/scrivane_ext.h"

using namespace scrivane::test;
using namespace scrivane::test::emf_type;
using Names = std::vector<std::string>;

namespace {

const char *const creator = "Creator : Scrivane Nalder EUROPE a Nalder Company";

// The names of the records between the header and EOF.
std::string bodyNames(const EmfFile &file) {
    std::string names;
    for (size_t i = 1; i + 1 < file.records.size(); i++)
        names += (i > 1 ? " " : "") + emfRecordName(file.records[i].type).substr(4);
    return names;
}

class GdiPrintTest : public EmfTest {
protected:
    void TearDown() override {
        ScrivaneGdiSetPrintToFile(nullptr);
        EmfTest::TearDown();
    }
};

void beginA4Page(GDIProbe &action) {
    action.beginPage(SbVec2f(10, 10), SbVec2f(190, 277));
}

} // namespace

TEST_F(EmfTest, NameWithoutEmfExtensionGetsItAndKeepsItOnce) {
    for (const char *name : {"plain", "upper.EMF", "lower.emf", "other.txt"}) {
        const std::string file = path(name);
        GDIProbe action;
        action.getOutput()->openFile(file.c_str());
        action.applyEmpty();
        action.applyEmpty(); // the same file again, not "plain.emf.emf"
        // The output keeps the caller's name; the action the name it wrote under.
        EXPECT_STREQ(action.getOutput()->getGDIOutputName(), file.c_str());
        EXPECT_EQ(action.getMetafileName(),
                  file + (std::strstr(name, "emf") || std::strstr(name, "EMF") ? "" : ".emf"));
    }
    EXPECT_EQ(metafiles(), (Names{"lower.emf", "other.txt.emf", "plain.emf", "upper.EMF"}));
    EXPECT_EQ(GDIProbe::metafileFileName("a.Emf2"), "a.Emf2");
    EXPECT_EQ(GDIProbe::metafileFileName("a.em"), "a.em.emf");
    EXPECT_EQ(GDIProbe::metafileFileName("out.emf/picture"), "out.emf/picture.emf");
}

TEST_F(EmfTest, HeaderHoldsFrameDescriptionMappingAndWhiteBrush) {
    const std::string name = path("default.emf");
    {
        GDIProbe action;
        action.getOutput()->openFile(name.c_str());
        action.applyEmpty();
    }
    const EmfFile file = load("default.emf");
    // MM_HIMETRIC, window origin (-10 mm, -10 mm), the white brush; then the default border (2
    // line widths, white printed black) and the writer's objects released.
    ASSERT_EQ(bodyNames(file),
              "SETMAPMODE SETWINDOWORGEX CREATEBRUSHINDIRECT SELECTOBJECT SETMITERLIMIT "
              "EXTCREATEPEN SELECTOBJECT POLYLINE SELECTOBJECT DELETEOBJECT SELECTOBJECT "
              "DELETEOBJECT");
    // 190 x 277 mm at (10, 10), with the start position as margin all round: the A4 sheet.
    const EmfRecord &header = file.records[0];
    EXPECT_EQ(ints(header, 24, 4), "(0,-29700,21000,0)");
    EXPECT_EQ(header.utf16(header.u32(64), header.u32(60)),
              std::string(creator) + "\\u0000" + name + "\\u0000\\u0000");
    EXPECT_EQ(file.records[1].u32(8), 3u);
    EXPECT_EQ(ints(file.records[2], 8, 2), "(-1000,-1000)");
    EXPECT_EQ(file.records[3].u32(16), 0xFFFFFFu);
    // Geometric, flat ends, bevelled joins, 2 x 0.35277778 mm, black.
    EXPECT_EQ(ints(file.records[6], 28, 4), "(70144,70,0,0)");
    EXPECT_EQ(pointsOf(file.records[8]), "(0,0)(19000,0)(19000,27700)(0,27700)(0,0)");
    // Stock pen and brush are selected back before the writer's own are deleted.
    EXPECT_EQ(file.records[9].u32(8), 0x80000007u);
    EXPECT_EQ(file.records[11].u32(8), 0x80000000u);
}

TEST_F(EmfTest, FrameFollowsSizeStartAndOrientation) {
    for (int landscape = 0; landscape < 2; landscape++) {
        const EmfFile file =
            draw(landscape ? "landscape.emf" : "portrait.emf", nullptr, [=](GDIProbe &a) {
                a.setDrawingDimensions(100.7f, 50.9f);
                a.setStartPosition(5.0f, 15.0f);
                if (landscape) a.setOrientation(SoVectorizeAction::LANDSCAPE);
            });
        // Whole millimetres, W = 10000 and H = 5000, with margins of 500 (x) and 1500 (y).
        EXPECT_EQ(ints(file.records.at(0), 24, 4),
                  landscape ? "(0,-11000,8000,0)" : "(0,-8000,11000,0)");
        EXPECT_EQ(ints(*file.first(SETWINDOWORGEX), 8, 2), "(-500,-1500)");
        EXPECT_EQ(count(file, POLYLINE), 0u);
    }
}

TEST_F(EmfTest, ClipRegionIsTheViewportAreaUntilTheBorder) {
    for (int landscape = 0; landscape < 2; landscape++) {
        const std::string name = landscape ? "clip-landscape.emf" : "clip.emf", file = path(name);
        SoSeparator *root = new SoSeparator;
        root->ref();
        root->addChild(new SoOrthographicCamera);
        SoCoordinate3 *coords = new SoCoordinate3;
        coords->point.set1Value(0, SbVec3f(-0.5f, 0, 0));
        coords->point.set1Value(1, SbVec3f(0.5f, 0, 0));
        root->addChild(coords);
        root->addChild(new SoLineSet);
        {
            GDIProbe action;
            action.getOutput()->openFile(file.c_str()); // kept, not copied
            if (landscape) action.setOrientation(SoVectorizeAction::LANDSCAPE);
            action.apply(root);
        }
        root->unref();
        const EmfFile emf = load(name);
        // At the scene's first primitive: reset, then the drawing area (turned in landscape).
        const int clip = findRecord(emf, EXTSELECTCLIPRGN);
        ASSERT_GT(clip, 0) << dumpEmf(emf);
        ASSERT_EQ(emf.records[clip + 1].type, INTERSECTCLIPRECT);
        EXPECT_EQ(ints(emf.records[clip + 1], 8, 4),
                  landscape ? "(0,19000,27700,0)" : "(0,27700,19000,0)");
        // The scene's line is clipped; before the border the clip is removed (no region).
        const int line = findRecord(emf, POLYLINE);
        const int lift = findRecord(emf, EXTSELECTCLIPRGN, clip + 1);
        EXPECT_GT(line, clip + 1);
        ASSERT_GT(lift, line);
        EXPECT_EQ(emf.records[lift].u32(8), 0u);
        EXPECT_GT(findRecord(emf, POLYLINE, lift), lift);
        EXPECT_EQ(count(emf, INTERSECTCLIPRECT), 1u);
    }
}

TEST_F(EmfTest, PageModeWritesOneMetafileForSeveralApplies) {
    const std::string first = path("page.emf"), second = path("next.emf");
    GDIProbe action;
    action.getOutput()->openFile(first.c_str());
    beginA4Page(action);
    for (int i = 0; i < 3; i++)
        action.applyEmpty();
    EXPECT_TRUE(load("page.emf").records.empty()); // written by the footer
    action.endPage();
    const EmfFile file = load("page.emf");
    EXPECT_EQ(count(file, SETMAPMODE), 1u);
    EXPECT_EQ(count(file, POLYLINE), 3u);
    EXPECT_EQ(count(file, EXTCREATEPEN), 1u); // one pen for the three borders
    // A page begun again without endPage: the open metafile is finished by the next header.
    beginA4Page(action);
    action.applyEmpty();
    beginA4Page(action);
    action.getOutput()->openFile(second.c_str());
    action.applyEmpty();
    EXPECT_EQ(count(load("page.emf"), POLYLINE), 1u);
    action.endPage();
    EXPECT_EQ(count(load("next.emf"), POLYLINE), 1u);
}

TEST_F(GdiPrintTest, PageModePlacesEachDrawingAtItsStartPositionInThePageFrame) {
    // Two 90 mm drawings with a blue background and a red border on a page framed at (5, 5),
    // 200 x 287 mm: one at (10, 10) and one at (100, 150) from the frame's start.
    const auto drawTwo = [](GDIProbe &action) {
        action.beginPage(SbVec2f(5, 5), SbVec2f(200, 287));
        action.setDrawingDimensions(90, 90);
        action.setBackgroundColor(1, SbColor(0, 0, 1));
        action.setBorder(2.0f, SbColor(1, 0, 0));
        action.setStartPosition(10, 10);
        action.applyEmpty();
        action.setStartPosition(100, 150);
        action.applyEmpty();
        action.endPage();
    };
    {
        const std::string name = path("drawings.emf");
        GDIProbe action;
        action.getOutput()->openFile(name.c_str());
        drawTwo(action);
    }
    const EmfFile file = load("drawings.emf");
    // The frame is the page frame with its start as margin; each drawing moves the window
    // origin to its own corner (frame start plus start position) before its background, and
    // draws background and border in its own coordinates.
    EXPECT_EQ(ints(file.records.at(0), 24, 4), "(0,-29700,21000,0)");
    const int firstBorder = findRecord(file, POLYLINE), move = findRecord(file, SETWINDOWORGEX, 3);
    ASSERT_GT(firstBorder, findRecord(file, POLYGON));
    EXPECT_GT(move, firstBorder) << dumpEmf(file);
    EXPECT_LT(move, findRecord(file, POLYGON, firstBorder)) << dumpEmf(file);
    EXPECT_EQ(fieldOf(file, SETWINDOWORGEX, 8) + " " + fieldOf(file, SETWINDOWORGEX, 12),
              "-1500 -10500 -1500 -15500");
    const auto polygons = file.ofType(POLYGON), polylines = file.ofType(POLYLINE);
    ASSERT_EQ(polygons.size(), 2u);
    ASSERT_EQ(polylines.size(), 2u);
    for (int i = 0; i < 2; i++) {
        EXPECT_EQ(pointsOf(*polygons[i]), "(0,0)(9000,0)(9000,9000)(0,9000)");
        EXPECT_EQ(pointsOf(*polylines[i]), "(0,0)(9000,0)(9000,9000)(0,9000)(0,0)");
    }

    // On a printer the page's origin comes from the sheet's printable area; the second drawing
    // lies 90 mm right of and 140 mm above the first all the same.
    ASSERT_TRUE(ScrivaneGdiSetPrintToFile(path("sheet-%d.emf").c_str()));
    {
        GDIProbe action;
        action.getOutput()->openFile();
        drawTwo(action);
    }
    const EmfFile sheet = load("sheet-1.emf");
    const auto origins = sheet.ofType(SETWINDOWORGEX);
    ASSERT_EQ(origins.size(), 2u);
    EXPECT_EQ(origins[1]->i32(8) - origins[0]->i32(8), -9000);
    EXPECT_EQ(origins[1]->i32(12) - origins[0]->i32(12), -14000);
}

TEST_F(GdiPrintTest, PrinterModeWritesOneJobPerApplyAndOnePagePerBeginPage) {
    ASSERT_TRUE(ScrivaneGdiSetPrintToFile(path("job-%d.emf").c_str()));
    GDIProbe action;
    action.getOutput()->openFile();
    action.setStartPosition(20.0f, 30.0f);
    action.setDrawingDimensions(100.0f, 50.0f);
    action.applyEmpty();
    action.applyEmpty();
    EXPECT_EQ(action.printDialogs, 2);
    EXPECT_EQ(metafiles(), (Names{"job-1.emf", "job-2.emf"}));
    EXPECT_STREQ(action.getMetafileName(), "");
    // The page's frame is the sheet. In MM_HIMETRIC a logical (x, y) lies at (x - window x,
    // window y - y) from the device origin, where the frame has its (left, top): the corner
    // (0, 0) must be 20 mm from the sheet's left and 30 mm from its bottom, within a 600-dpi
    // pixel.
    const EmfFile job = load("job-1.emf");
    const EmfRecord *origin = job.first(SETWINDOWORGEX);
    ASSERT_TRUE(origin && job.first(POLYLINE));
    EXPECT_EQ(fieldOf(job, SETMAPMODE, 8), "3");
    EXPECT_EQ(pointsOf(*job.first(POLYLINE)), "(0,0)(10000,0)(10000,5000)(0,5000)(0,0)");
    const int left = job.records[0].i32(24), top = job.records[0].i32(28),
              bottom = job.records[0].i32(36);
    EXPECT_NEAR(bottom - top, 29700, 2);
    EXPECT_NEAR(-origin->i32(8) - left, 2000, 5);
    EXPECT_NEAR((bottom - top) - (origin->i32(12) - top), 3000, 5);

    ASSERT_TRUE(ScrivaneGdiSetPrintToFile(path("page-%d.emf").c_str()));
    for (int applies : {3, 1}) {
        beginA4Page(action);
        for (int i = 0; i < applies; i++)
            action.applyEmpty();
        action.endPage();
    }
    EXPECT_EQ(action.printDialogs, 4);
    EXPECT_EQ(metafiles().size(), 4u);
    EXPECT_EQ(count(load("page-1.emf"), POLYLINE), 3u);
    EXPECT_EQ(count(load("page-2.emf"), POLYLINE), 1u);

    // A printer context of the application is printed on and left open.
    ASSERT_TRUE(ScrivaneGdiSetPrintToFile(path("own-%d.emf").c_str()));
    PRINTDLGA dialog;
    std::memset(&dialog, 0, sizeof dialog);
    dialog.lStructSize = sizeof dialog;
    dialog.Flags = PD_RETURNDC;
    ASSERT_TRUE(PrintDlgA(&dialog));
    action.getOutput()->openFile(dialog.hDC);
    action.applyEmpty();
    EXPECT_EQ(action.printDialogs, 4);
    EXPECT_EQ(count(load("own-1.emf"), POLYLINE), 1u);
    EXPECT_TRUE(DeleteDC(dialog.hDC));
}

TEST_F(GdiPrintTest, CancelledPrintDialogDrawsNothingAndDoesNotCrash) {
    ASSERT_TRUE(ScrivaneGdiSetPrintToFile(nullptr));
    GDIProbe action;
    action.getOutput()->openFile();
    action.drawing = [](GDIProbe &a) {
        const SbVec4f line[3] = {pt(10, 10), pt(50, 10), pt(50, 40)};
        const SbColor colors[3] = {SbColor(1, 0, 0), SbColor(0, 1, 0), SbColor(0, 0, 1)};
        a.setHardwareClip();
        a.printPolyLine(line, 3, colors, 0, 2.0f, 0xFFFF);
        a.printPolyLine(line, 3, colors, 1, 2.0f, 0x00FF);
        a.printPolygon(line, 3, colors, SbString(""), SbString(""), nullptr);
        a.printPolyMark(line, 3, colors, 1, 3.0f);
        a.printText2(pt(20, 20), colors[0], "Arial : Bold", 12.0f, "cancelled", 2, 0.5f);
        const unsigned char pixels[12] = {255, 0, 0, 0, 255, 0, 0, 0, 255, 9, 9, 9};
        SbVec2s size(2, 2), requested(2, 2);
        a.printImage(pt(30, 30), pixels, size, requested, 3, SoImage::LEFT, SoImage::BOTTOM);
    };
    action.applyEmpty();
    action.applyEmpty();
    EXPECT_EQ(action.printDialogs, 2);
    EXPECT_TRUE(metafiles().empty());
}

TEST_F(EmfTest, DeviceModeDrawsInMillimetresAndLeavesTheMapModeAlone) {
    HDC dc = ScrivaneGdiCreateDisplayDC(800, 600);
    ASSERT_NE(dc, nullptr);
    SetMapMode(dc, MM_LOMETRIC); // the application's choice
    {
        GDIProbe action;
        action.getOutput()->openFile(dc);
        action.setBorder(0.0f);
        action.drawing = [](GDIProbe &a) {
            EXPECT_EQ(a.getScale(), 1);
            const SbVec4f line[2] = {pt(10.5f, 20.0f), pt(50.0f, 20.9f)};
            const SbColor red(1, 0, 0);
            a.printPolyLine(line, 2, &red, 0, 10.0f, 0xFFFF);
        };
        action.applyEmpty();
        EXPECT_EQ(GetMapMode(dc), MM_LOMETRIC);
    }
    ASSERT_TRUE(ScrivaneGdiSaveDisplayDC(dc, path("display.emf").c_str()));
    EXPECT_TRUE(DeleteDC(dc)); // the context stayed open
    const EmfFile file = load("display.emf");
    ASSERT_EQ(count(file, SETMAPMODE), 1u); // the application's own
    // Window origin (-start x, whole height - start y); one logical unit per millimetre.
    EXPECT_EQ(ints(*file.first(SETWINDOWORGEX), 8, 2), "(-10,267)");
    EXPECT_EQ(pointsOf(*file.first(POLYLINE)), "(10,20)(50,20)");
    EXPECT_EQ(file.first(EXTCREATEPEN)->u32(32), 3u); // 10 x 0.35277778 mm
    // The context gets back the pen and brush it had (here the stock ones).
    const std::vector<const EmfRecord *> selects = file.ofType(SELECTOBJECT);
    ASSERT_GE(selects.size(), 2u);
    EXPECT_EQ(selects[selects.size() - 2]->u32(8), 0x80000007u);
    EXPECT_EQ(selects.back()->u32(8), 0x80000000u);
}
