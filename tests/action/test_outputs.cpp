// Output streams and the trace text of the base print operations.
#include "RecordingAction.h"
#include "scene/nodes/SoMarkerSet.h"
#include "scrivane/SoCGMVectorOutput.h"
#include "scrivane/SoGDIVectorOutput.h"
#include "scrivane/SoPSVectorOutput.h"
#include "scrivane/SoScrivane.h"
#include <cstdio>
#include <gtest/gtest.h>
#include <string>

TEST(OutputTest, FailedOpenFallsBackToStandardOutputAndIsNeverClosed) {
    SoPSVectorOutput out;
    EXPECT_EQ(out.getFilePointer(), stdout);
    EXPECT_EQ(out.openFile("/nonexistent-directory/x.ps"), 0);
    EXPECT_EQ(out.getFilePointer(), stdout);
    out.closeFile();
    out.closeFile();
    EXPECT_EQ(out.getFilePointer(), stdout);
    EXPECT_EQ(out.getColorOutput(), 1);

    std::string name = std::string(SCRIVANE_TEST_OUT) + "/output-test.ps";
    ASSERT_EQ(out.openFile(name.c_str()), 1);
    FILE *fp = out.getFilePointer();
    ASSERT_NE(fp, stdout);
    fputs("abc", fp);
    // Handing over standard output closes the file (its contents are flushed).
    out.setFilePointer(stdout);
    EXPECT_EQ(out.getFilePointer(), stdout);
    FILE *in = fopen(name.c_str(), "rb");
    ASSERT_NE(in, nullptr);
    char buffer[8] = {};
    EXPECT_EQ(fread(buffer, 1, sizeof buffer, in), 3u);
    fclose(in);
    EXPECT_STREQ(buffer, "abc");
}

TEST(OutputTest, CgmSettingsAndGdiTargets) {
    SoCGMVectorOutput cgm;
    EXPECT_EQ(cgm.getBinaryEncoding(), 0);
    EXPECT_EQ(cgm.getMetafileVersion(), 1);
    EXPECT_EQ(cgm.getIndexedColors(), 0);
    cgm.setBinaryEncoding(1);
    std::string name = std::string(SCRIVANE_TEST_OUT) + "/output-test.cgm";
    ASSERT_EQ(cgm.openFile(name.c_str()), 1);
    putc('\n', cgm.getFilePointer());
    cgm.closeFile();
    EXPECT_EQ(cgm.getFilePointer(), stdout);

    SoGDIVectorOutput gdi;
    EXPECT_STREQ(gdi.getGDIOutputName(), "");
    EXPECT_EQ(gdi.getGDIHdc(), nullptr);
    EXPECT_EQ(gdi.openFile("/nonexistent-directory/drawing"), 1);
    EXPECT_STREQ(gdi.getGDIOutputName(), "/nonexistent-directory/drawing");
    EXPECT_EQ(gdi.openFile(""), 1);
    EXPECT_STREQ(gdi.getGDIOutputName(), "");
    EXPECT_EQ(gdi.getGDIHdc(), nullptr);
}

TEST(TraceTest, BasePrintOperationsWriteTheirTraceByteForByte) {
    SoScrivane::init();
    RecordingAction a;
    a.traceMode(true);
    const SbVec4f pts[3] = {SbVec4f(1, 2, 0, 1), SbVec4f(3.456f, 4, 0, 1), SbVec4f(3, 3, 0, 1)};
    const SbColor cols[3] = {SbColor(1, 0, 0), SbColor(0, 0, 1), SbColor(1, 1, 0)};
    SoMarkerSet *markers = new SoMarkerSet;
    markers->ref();
    markers->markerIndex.set1Value(0, SoMarkerSet::CROSS_5_5);
    markers->markerIndex.set1Value(1, 5000); // no such marker: skipped
    markers->markerIndex.set1Value(2, SoMarkerSet::CIRCLE_FILLED_9_9);

    testing::internal::CaptureStdout();
    a.printPolyLine(pts, 2, cols, 1, 2.0f, 0x00FF);
    a.printPolyLine(pts, 2, cols, 0, 1.0f, 0xFFFF);
    a.printPolyMark(pts, 2, cols, 1, 3.0f);
    a.printPolyMark(pts, 1, cols, 0, 3.0f);
    a.printPolygon(pts, 2, cols, "", "", nullptr);
    SbVec2s source(4, 3), requested(8, 6);
    a.printImage(pts[0], nullptr, source, requested, 3, SoImage::CENTER, SoImage::TOP);
    a.printText2(pts[1], cols[1], "Helvetica", 12.0f, "hello", 2, 0.5f);
    a.printPolyMark(pts, 3, cols, 0, markers);
    a.printPolyMark(pts, 3, cols, 1, markers);
    fflush(stdout);
    const std::string out = testing::internal::GetCapturedStdout();
    markers->unref();
    EXPECT_EQ(out,
              "Multicolor Line drawing  (thickness : 2.000000 , pattern : 00FF)\n"
              "      (1.00 - 2.00)  color = 0000FF\n"
              "      (3.46 - 4.00)  color = 00FFFF\n"
              "Unicolor Line drawing  (thickness : 1.000000 , pattern : FFFF , color = 0000FF)\n"
              "      (1.00 - 2.00)\n"
              "      (3.46 - 4.00)\n"
              "Multicolor Point drawing (size : 3.000000)\n"
              "      (1.00 - 2.00)  color = 0000FF\n"
              "      (3.46 - 4.00)  color = 00FFFF\n"
              "Unicolor Point drawing  (size : 3.000000, color = 0000FF)\n"
              "      (1.00 - 2.00)\n"
              "Unicolor Polygon drawing  (color = 0000FF)\n"
              "(1.00 - 2.00)\n"
              "(3.46 - 4.00)\n"
              "Image :\n"
              "\tOrigin = 1.000000 2.000000\n\tSource Size = 4 3\n\tRequested Size = 8 6\n"
              "\tNum components = 3\n"
              "\tHor Align = 1 Vert Align = 2\n"
              "Text 2D color : 00FFFF\n"
              "Text origin = 3.46 - 4.00\n"
              "font_name=Helvetica font_size=12.000000 string=hello justif=2 angle=0.500000\n"
              // Marker sets list the existing markers only.
              "Unicolor Point drawing  (color = 0000FF)\n"
              "      (1.00 - 2.00) size = (5x5 pixels)\n"
              "      (3.00 - 3.00) size = (9x9 pixels)\n"
              "      (1.00 - 2.00)  color = 0000FF size = (5x5 pixels)\n"
              "      (3.00 - 3.00)  color = FF00FF size = (9x9 pixels)\n");
}
