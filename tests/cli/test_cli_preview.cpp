// --preview writes the off-screen render of the scene beside the drawing, with the drawing's camera
// and the drawing area's aspect ratio; --hidden visible-painter draws without a warning.
#include "cli_run.h"
#include "ps_check.h"
#include <fstream>
#include <gtest/gtest.h>
#include <string>

using namespace clitest;
using scrivane::test::ghostscriptAccepts;
using scrivane::test::PngImage;
using scrivane::test::Rgb;

namespace {
const Rgb kWhite(255, 255, 255), kRed(255, 0, 0);

std::string writeScene(const std::string &dir, const std::string &body) {
    const std::string path = dir + "/scene.iv";
    std::ofstream(path) << "#Inventor V2.1 ascii\n" << body;
    return path;
}

// A red unit cube, unlit, seen along -z by an orthographic camera of height 2.
const char *kCube = "Separator {\n"
                    "  OrthographicCamera { position 0 0 5 height 2 }\n"
                    "  LightModel { model BASE_COLOR }\n"
                    "  Material { diffuseColor 1 0 0 }\n"
                    "  Cube { width 1 height 1 depth 1 }\n"
                    "}\n";
} // namespace

TEST(CliPreview, WritesTheRenderWithTheDrawingsAspectBesideTheDrawing) {
    const std::string dir = freshDir();
    const std::string scene = writeScene(dir, kCube);
    // Paper 100 x 60 mm with margins of 10 mm: a drawing area of 80 x 40 mm, 320 x 160 pixels at
    // 4 pixels per millimetre. The camera's height of 2 spans the 160 rows, so one unit is 80
    // pixels and the cube covers columns 120 to 199 and rows 40 to 119.
    Result run = runTool(dir, {scene, "--paper", "100x60", "--margin", "10", "--preview",
                               dir + "/preview.png", "-o", dir + "/drawing.ps"});
    ASSERT_EQ(run.status, 0) << run.describe();
    EXPECT_TRUE(run.err.empty()) << run.err;
    EXPECT_TRUE(ghostscriptAccepts(dir + "/drawing.ps"));
    PngImage image;
    std::string error;
    ASSERT_TRUE(image.read(dir + "/preview.png", &error)) << error;
    EXPECT_EQ(image.width(), 320);
    EXPECT_EQ(image.height(), 160);
    EXPECT_EQ(image.pixel(160, 80), kRed);
    EXPECT_EQ(image.pixel(121, 41), kRed);
    EXPECT_EQ(image.pixel(198, 118), kRed);
    EXPECT_EQ(image.pixel(118, 80), kWhite);
    EXPECT_EQ(image.pixel(201, 80), kWhite);
    EXPECT_EQ(image.pixel(160, 38), kWhite);
    EXPECT_EQ(image.pixel(160, 121), kWhite);
    EXPECT_EQ(image.pixel(2, 2), kWhite);
    // Nothing else was left beside them.
    EXPECT_EQ(listDir(dir), (std::vector<std::string>{"drawing.ps", "preview.png", "scene.iv"}));
}

TEST(CliPreview, LongerSideIsLimitedAndTheBackgroundFollowsTheOption) {
    const std::string dir = freshDir();
    const std::string scene = writeScene(dir, kCube);
    // A3 landscape without margins at 10 pixels per millimetre would be 4200 x 2970 pixels.
    Result run = runTool(dir, {scene, "--paper", "a3", "--landscape", "--margin", "0",
                               "--preview-scale", "10", "--background", "0,0,1", "--preview",
                               dir + "/big.png", "-o", dir + "/drawing.ps"});
    ASSERT_EQ(run.status, 0) << run.describe();
    PngImage image;
    std::string error;
    ASSERT_TRUE(image.read(dir + "/big.png", &error)) << error;
    EXPECT_EQ(image.width(), 2048);
    EXPECT_EQ(image.height(), 1448); // 2048 * 297 / 420
    EXPECT_EQ(image.pixel(1024, 724), kRed);
    EXPECT_EQ(image.pixel(10, 10), Rgb(0, 0, 255));
}

TEST(CliPreview, SceneWithoutCameraGetsTheDrawingsCamera) {
    // The default A4 page: 190 x 277 mm, 760 x 1108 pixels. The added camera views the whole
    // cube; its centre lands in the middle of the picture.
    const std::string dir = freshDir();
    const std::string scene = writeScene(
        dir,
        "Separator { LightModel { model BASE_COLOR } Material { diffuseColor 1 0 0 } Cube { } }\n");
    Result run = runTool(dir, {scene, "--preview", dir + "/p.png", "-o", dir + "/d.ps"});
    ASSERT_EQ(run.status, 0) << run.describe();
    PngImage image;
    ASSERT_TRUE(image.read(dir + "/p.png"));
    EXPECT_EQ(image.width(), 760);
    EXPECT_EQ(image.height(), 1108);
    EXPECT_EQ(image.pixel(380, 554), kRed);
    EXPECT_EQ(image.pixel(5, 5), kWhite);
    EXPECT_EQ(image.pixel(5, 1100), kWhite);
}

TEST(CliPreview, BadPreviewOptionsAndUnwritablePreview) {
    const std::string dir = freshDir();
    const std::string scene = writeScene(dir, kCube);
    Result missing = runTool(dir, {scene, "-o", dir + "/d.ps", "--preview"});
    EXPECT_EQ(missing.status, 1) << missing.describe();
    EXPECT_NE(missing.err.find("--preview"), std::string::npos) << missing.err;
    Result badScale = runTool(
        dir, {scene, "-o", dir + "/d.ps", "--preview", dir + "/p.png", "--preview-scale", "0"});
    EXPECT_EQ(badScale.status, 1) << badScale.describe();
    EXPECT_NE(badScale.err.find("--preview-scale"), std::string::npos) << badScale.err;
    Result unwritable =
        runTool(dir, {scene, "-o", dir + "/d.ps", "--preview", dir + "/no/such/dir/p.png"});
    EXPECT_EQ(unwritable.status, 3) << unwritable.describe();
    EXPECT_NE(unwritable.err.find("cannot write the preview"), std::string::npos) << unwritable.err;
}

TEST(CliPreview, VisiblePainterDrawsWithoutWarning) {
    const std::string dir = freshDir();
    Result run =
        runTool(dir, {"--hidden", "visible-painter", "--lighting", "-o", dir + "/demo.ps"});
    ASSERT_EQ(run.status, 0) << run.describe();
    EXPECT_TRUE(run.err.empty()) << run.err;
    EXPECT_TRUE(ghostscriptAccepts(dir + "/demo.ps"));
}
