// --preview writes the off-screen render of the scene beside the drawing, with the drawing's camera
// and the drawing area's aspect ratio.
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

// Each render has the drawing area's aspect and the drawing's camera, and the drawing beside it
// is a sound document.
TEST(CliPreview, WritesTheRenderWithTheDrawingsCameraAndAspectBesideTheDrawing) {
    const std::string dir = freshDir();
    const std::string scene = writeScene(dir, kCube),
                      noCamera = dir + "/no-camera.iv"; // the cube, unit size, without camera
    std::ofstream(noCamera) << "#Inventor V2.1 ascii\nSeparator { LightModel { model BASE_COLOR } "
                               "Material { diffuseColor 1 0 0 } Cube { } }\n";
    struct Pixel {
        int x, y;
        Rgb colour;
    };
    const struct {
        std::string scene;
        std::vector<std::string> options;
        int width, height;
        std::vector<Pixel> pixels;
    } cases[] = {
        // Paper 100 x 60 mm with margins of 10 mm: a drawing area of 80 x 40 mm, 320 x 160
        // pixels at 4 pixels per millimetre. The camera's height of 2 spans the 160 rows, so
        // one unit is 80 pixels and the cube covers columns 120 to 199 and rows 40 to 119.
        {scene,
         {"--paper", "100x60", "--margin", "10"},
         320,
         160,
         {{160, 80, kRed},
          {121, 41, kRed},
          {198, 118, kRed},
          {118, 80, kWhite},
          {201, 80, kWhite},
          {160, 38, kWhite},
          {160, 121, kWhite},
          {2, 2, kWhite}}},
        // A3 landscape without margins at 10 pixels per millimetre would be 4200 x 2970
        // pixels: the longer side is limited to 2048; the background is the option's.
        {scene,
         {"--paper", "a3", "--landscape", "--margin", "0", "--preview-scale", "10", "--background",
          "0,0,1"},
         2048,
         1448, // 2048 * 297 / 420
         {{1024, 724, kRed}, {10, 10, Rgb(0, 0, 255)}}},
        // The default A4 page: 190 x 277 mm, 760 x 1108 pixels. The added camera views the
        // whole cube; its centre lands in the middle of the picture.
        {noCamera, {}, 760, 1108, {{380, 554, kRed}, {5, 5, kWhite}, {5, 1100, kWhite}}},
    };
    for (const auto &c : cases) {
        const std::string name = "preview" + std::to_string(&c - cases);
        SCOPED_TRACE(name);
        std::vector<std::string> args = {c.scene, "--preview", dir + "/" + name + ".png", "-o",
                                         dir + "/" + name + ".ps"};
        args.insert(args.end(), c.options.begin(), c.options.end());
        Result run = runTool(dir, args);
        ASSERT_TRUE(exited(run, 0));
        EXPECT_TRUE(run.err.empty()) << run.err;
        EXPECT_TRUE(ghostscriptAccepts(dir + "/" + name + ".ps"));
        PngImage image;
        std::string error;
        ASSERT_TRUE(image.read(dir + "/" + name + ".png", &error)) << error;
        EXPECT_EQ(image.width(), c.width);
        EXPECT_EQ(image.height(), c.height);
        for (const Pixel &p : c.pixels)
            EXPECT_EQ(image.pixel(p.x, p.y), p.colour) << p.x << ", " << p.y;
    }
    // Nothing else was left beside them.
    EXPECT_EQ(listDir(dir), (std::vector<std::string>{"no-camera.iv", "preview0.png", "preview0.ps",
                                                      "preview1.png", "preview1.ps", "preview2.png",
                                                      "preview2.ps", "scene.iv"}));
    // A preview that cannot be written is an output that cannot be written.
    EXPECT_TRUE(
        exited(runTool(dir, {scene, "-o", dir + "/d.ps", "--preview", dir + "/no/such/dir/p.png"}),
               3, {"cannot write the preview"}));
}
