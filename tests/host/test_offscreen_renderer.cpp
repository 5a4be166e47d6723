// The off-screen OpenGL renderer: pixels covered under both cameras and the buffer's row order,
// depth testing, exact colours, lighting, draw styles, the state left for callers, the PNG file,
// failure reporting and renderers on two threads.
#include <GL/gl.h>
#include <GL/osmesa.h>
#include <gtest/gtest.h>
#include <png.h>

#include <array>
#include <cstring>
#include <string>
#include <thread>
#include <vector>

#include "scene/misc/SoInput.h"
#include "scene/misc/SoOffscreenRenderer.h"
#include "scene/nodes/SoSeparator.h"
#include "scene_test_util.h"

namespace {

using Rgb = std::array<int, 3>;
const Rgb kWhite{255, 255, 255}, kRed{255, 0, 0}, kBlue{0, 0, 255};

class OffscreenRendererTest : public SceneTest {};

// Camera 5 units up the z axis looking down it, seeing x and y from -1 to 1 across the narrower
// side of the viewport; kFlat adds unlit material colours.
const std::string kCamera = "OrthographicCamera { position 0 0 5 height 2 } ";
const std::string kFlat = kCamera + "LightModel { model BASE_COLOR } ";

SoSeparator *readScene(const std::string &body) {
    const std::string text = "#Inventor V2.1 ascii\nSeparator { " + body + " }";
    SoInput in;
    in.setBuffer(text.data(), text.size());
    SoSeparator *root = SoDB::readAll(&in);
    EXPECT_NE(root, nullptr) << text;
    return root != nullptr ? root : new SoSeparator;
}

bool renderOnWhite(SoOffscreenRenderer &r, const std::string &body) {
    NodeRef<SoSeparator> root(readScene(body));
    r.setBackgroundColor(SbColor(1, 1, 1));
    return r.render(root);
}

// Pixel (x, y) of the buffer, y counted from the bottom row.
Rgb pixelAt(const SoOffscreenRenderer &r, int x, int y) {
    const int width = r.getViewportRegion().getViewportSizePixels()[0];
    const unsigned char *p = r.getBuffer() + (static_cast<size_t>(y) * width + x) * 3;
    return {p[0], p[1], p[2]};
}

int countPixels(const SoOffscreenRenderer &r, const Rgb &color) {
    const SbVec2i32 size = r.getViewportRegion().getViewportSizePixels();
    int n = 0;
    for (int y = 0; y < size[1]; y++)
        for (int x = 0; x < size[0]; x++)
            n += pixelAt(r, x, y) == color;
    return n;
}

// A rectangle (x0, y0) .. (x1, y1) in the plane z, facing +z, of the colour "r g b".
std::string face(const char *rgb, float x0, float y0, float x1, float y1, float z = 0) {
    std::string points;
    for (float v : {x0, y0, z, x1, y0, z, x1, y1, z, x0, y1, z})
        points += std::to_string(v) + " ";
    return std::string("Material { diffuseColor ") + rgb + " } Coordinate3 { point [ " + points +
           "] } FaceSet { numVertices 4 } ";
}

TEST_F(OffscreenRendererTest, ScenesCoverExactlyTheirPixels) {
    // Rectangles of colour, columns x0 .. x1 - 1 and rows y0 .. y1 - 1 counted from the bottom
    // (a later one over an earlier one); white elsewhere.
    struct Rect {
        int x0, x1, y0, y1;
        Rgb color;
    };
    struct Case {
        int width, height;
        std::string scene;
        std::vector<Rect> rects;
    };
    // 20 pixels a unit, x from -2 to 2: the translated square covers x 0 .. 1, y 0 .. 0.5, which
    // it reaches only when the model matrix gets to OpenGL untransposed.
    const std::string translated =
        "Translation { translation 0.5 0.25 0 } " + face("1 0 0", -0.5f, -0.25f, 0.5f, 0.25f);
    // A 90-degree height angle 2 units away sees -2 .. 2: the middle half.
    const std::string perspective = "PerspectiveCamera { position 0 0 2 heightAngle 1.5707964 } "
                                    "LightModel { model BASE_COLOR } ";
    // The nearer square wins whatever the scene order.
    const std::string nearBlue = face("0 0 1", -0.5f, -0.5f, 0.5f, 0.5f, 1),
                      farRed = face("1 0 0", -1, -1, 1, 1);
    const std::vector<Rect> blueOverRed = {{0, 40, 0, 40, kRed}, {10, 30, 10, 30, kBlue}};
    // Exact material colours, one per face.
    const std::string perFace = "Material { diffuseColor [ 0.2 0.4 0.6, 0.8 0.6 0.2 ] } "
                                "MaterialBinding { value PER_FACE } Coordinate3 { point [ -2 -1 "
                                "0, 0 -1 0, 0 1 0, -2 1 0, 0 -1 0, 2 -1 0, 2 1 0, 0 1 0 ] } "
                                "FaceSet { numVertices [ 4, 4 ] }";
    const Case cases[] = {
        {80, 40, kFlat + translated, {{40, 60, 20, 30, kRed}}},
        {64, 64, perspective + face("0 0 1", -1, -1, 1, 1), {{16, 48, 16, 48, kBlue}}},
        {40, 40, kFlat + nearBlue + farRed, blueOverRed},
        {40, 40, kFlat + farRed + nearBlue, blueOverRed},
        {40,
         20,
         kFlat + perFace,
         {{0, 20, 0, 20, {51, 102, 153}}, {20, 40, 0, 20, {204, 153, 51}}}},
    };
    for (const Case &c : cases) {
        SoOffscreenRenderer r(SbViewportRegion(c.width, c.height));
        ASSERT_TRUE(renderOnWhite(r, c.scene));
        for (int y = 0; y < c.height; y++)
            for (int x = 0; x < c.width; x++) {
                Rgb expected = kWhite;
                for (const Rect &q : c.rects)
                    if (x >= q.x0 && x < q.x1 && y >= q.y0 && y < q.y1) expected = q.color;
                ASSERT_EQ(pixelAt(r, x, y), expected)
                    << "case " << (&c - cases) << " at " << x << ", " << y;
            }
    }
}

TEST_F(OffscreenRendererTest, LightingFollowsTheAngleOfTheLightAndTheSpotCone) {
    // A grey plane over the view (diffuse 0.8, ambient 0.2 under the default ambient light of
    // 0.2): red = 255 x (0.8 cos(angle) + 0.04). Lighting is computed at the vertices, so the
    // plane is a mesh finer than the spot's cone (radius 3 tan 0.2 = 0.6 on the plane).
    std::string points = "Coordinate3 { point [ ";
    for (int row = 0; row <= 40; row++)
        for (int column = 0; column <= 40; column++)
            points +=
                std::to_string(column / 20.0f - 1) + " " + std::to_string(row / 20.0f - 1) + " 0,";
    const std::string plane = "Material { diffuseColor 0.8 0.8 0.8 ambientColor 0.2 0.2 0.2 } "
                              "QuadMesh { verticesPerColumn 41 verticesPerRow 41 }";
    const char *spot = "SpotLight { location 0 0 3 direction 0 0 -1 cutOffAngle 0.2 "
                       "dropOffRate 0 } ";
    const struct {
        std::string light;
        int x, y, red;
    } cases[] = {
        {"DirectionalLight { direction 0 0 -1 } ", 20, 20, 214},
        {"DirectionalLight { direction 0.8660254 0 -0.5 } ", 20, 20, 112},
        {"DirectionalLight { direction 0 0 1 } ", 20, 20, 10}, // from behind: ambient only
        {spot, 20, 20, 214},
        {spot, 2, 2, 10},
        {spot, 20, 33, 10}, // 0.65 from the centre: just outside
    };
    for (const auto &c : cases) {
        SoOffscreenRenderer r(SbViewportRegion(40, 40));
        ASSERT_TRUE(renderOnWhite(r, kCamera + c.light + points + "] } " + plane));
        EXPECT_NEAR(pixelAt(r, c.x, c.y)[0], c.red, 1) << c.light << c.x << ", " << c.y;
    }
    // A red sphere lit from the right is brighter toward the light; green only from ambient.
    SoOffscreenRenderer r(SbViewportRegion(64, 64));
    const std::string sphere = "DirectionalLight { direction -1 0 -0.3 } Material { diffuseColor 1 "
                               "0 0 } Sphere { radius 0.9 }";
    ASSERT_TRUE(renderOnWhite(r, kCamera + sphere));
    const Rgb left = pixelAt(r, 12, 32), centre = pixelAt(r, 32, 32), right = pixelAt(r, 52, 32);
    EXPECT_LT(left[0], centre[0]);
    EXPECT_LT(centre[0], right[0]);
    EXPECT_GT(right[0], 200);
    EXPECT_NEAR(left[1], 10, 1);
    EXPECT_NEAR(right[1], 10, 1);
}

TEST_F(OffscreenRendererTest, DrawStylesLineWidthsAndPointSizes) {
    // Red pixels of the square of side 1 (20 pixels) and of a line 20 pixels long on row 20.
    const std::string square = face("1 0 0", -0.5f, -0.5f, 0.5f, 0.5f),
                      line = "Material { diffuseColor 1 0 0 } Coordinate3 { point [ -0.5 0.025 0, "
                             "0.5 0.025 0 ] } LineSet { numVertices 2 }";
    const struct {
        std::string style;
        int least, most;
    } cases[] = {
        {"DrawStyle { style LINES } " + square, 61, 199}, // the outline, not the face
        {"DrawStyle { style INVISIBLE } " + square, 0, 0},
        {"DrawStyle { style POINTS pointSize 3 } " + square, 36, 36}, // 4 corners, 3 x 3
        {"DrawStyle { lineWidth 3 } " + line, 60, 60},
        {"DrawStyle { lineWidth 3 linePattern 0x00FF } " + line, 24, 36}, // 8 on, 8 off
    };
    SoOffscreenRenderer r(SbViewportRegion(40, 40));
    for (const auto &c : cases) {
        ASSERT_TRUE(renderOnWhite(r, kFlat + c.style));
        EXPECT_GE(countPixels(r, kRed), c.least) << c.style;
        EXPECT_LE(countPixels(r, kRed), c.most) << c.style;
    }
}

TEST_F(OffscreenRendererTest, LeavesDepthTestIdentityAndItsContextForCallerDrawing) {
    {
        // The scene's red square covers the left half, near the camera.
        SoOffscreenRenderer r(SbViewportRegion(40, 40));
        ASSERT_TRUE(renderOnWhite(r, kFlat + face("1 0 0", -1, -1, 0, 1, 3)));
        EXPECT_NE(OSMesaGetCurrentContext(), nullptr);
        EXPECT_TRUE(glIsEnabled(GL_DEPTH_TEST));
        GLint depthFunc = 0, matrixMode = 0;
        glGetIntegerv(GL_DEPTH_FUNC, &depthFunc);
        glGetIntegerv(GL_MATRIX_MODE, &matrixMode);
        EXPECT_EQ(depthFunc, GL_LESS);
        EXPECT_EQ(matrixMode, GL_MODELVIEW);
        GLfloat modelView[16];
        glGetFloatv(GL_MODELVIEW_MATRIX, modelView);
        for (int i = 0; i < 16; i++)
            EXPECT_EQ(modelView[i], (i % 5 == 0) ? 1.0f : 0.0f) << i;

        // The bottom half in normalized device coordinates, behind the scene's square.
        glBegin(GL_POLYGON);
        glColor4ub(1, 2, 3, 0);
        const float corners[4][2] = {{-1, -1}, {1, -1}, {1, 0}, {-1, 0}};
        for (const auto &xy : corners)
            glVertex3f(xy[0], xy[1], 0.5f);
        glEnd();
        glFinish();
        glReadBuffer(GL_FRONT);
        auto at = [](int x, int y) {
            unsigned char p[4];
            glReadPixels(x, y, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, p);
            return Rgb{p[0], p[1], p[2]};
        };
        EXPECT_EQ(at(5, 5), kRed);
        EXPECT_EQ(at(35, 5), (Rgb{1, 2, 3}));
        EXPECT_EQ(at(35, 35), kWhite);
        EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
        EXPECT_EQ(pixelAt(r, 35, 5), kWhite); // the renderer's buffer holds only what it drew
    }
    EXPECT_EQ(OSMesaGetCurrentContext(), nullptr); // unbound by the destructor
}

TEST_F(OffscreenRendererTest, PngRoundTripHasTheTopRowFirst) {
    // Red in the upper left quarter only: the buffer's rows go up, the file's down.
    SoOffscreenRenderer r(SbViewportRegion(30, 20));
    ASSERT_TRUE(renderOnWhite(r, kFlat + face("1 0 0", -1.5f, 0, 0, 1)));
    ASSERT_EQ(pixelAt(r, 0, 19), kRed);
    const std::string path = std::string(SCRIVANE_TEST_OUT) + "/offscreen_round_trip.png";
    ASSERT_TRUE(r.writeToPNG(path.c_str()));
    EXPECT_FALSE(r.writeToPNG((std::string(SCRIVANE_TEST_OUT) + "/no/such/dir/x.png").c_str()));
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    ASSERT_TRUE(png_image_begin_read_from_file(&image, path.c_str()));
    ASSERT_EQ(image.width, 30u);
    ASSERT_EQ(image.height, 20u);
    image.format = PNG_FORMAT_RGB;
    std::vector<unsigned char> file(30 * 20 * 3);
    ASSERT_TRUE(png_image_finish_read(&image, nullptr, file.data(), 30 * 3, nullptr));
    for (int row = 0; row < 20; row++)
        ASSERT_EQ(0, std::memcmp(&file[row * 90], r.getBuffer() + (19 - row) * 90, 90)) << row;
}

TEST_F(OffscreenRendererTest, RenderersOnTwoThreadsEachDrawTheirOwnScene) {
    NodeRef<SoSeparator> red(readScene(kFlat + face("1 0 0", -0.5f, -0.5f, 0.5f, 0.5f)));
    NodeRef<SoSeparator> blue(readScene(kFlat + face("0 0 1", -0.25f, -0.25f, 0.25f, 0.25f)));
    // The red and blue pixel counts of the last of 20 renders, (-1, -1) after a failure.
    auto work = [](SoSeparator *scene, std::array<int, 2> *counts) {
        SoOffscreenRenderer r(SbViewportRegion(40, 40));
        for (int i = 0; i < 20; i++)
            *counts = r.render(scene)
                          ? std::array<int, 2>{countPixels(r, kRed), countPixels(r, kBlue)}
                          : std::array<int, 2>{-1, -1};
    };
    std::array<int, 2> redCounts, blueCounts;
    std::thread a(work, red.get(), &redCounts), b(work, blue.get(), &blueCounts);
    a.join();
    b.join();
    EXPECT_EQ(redCounts, (std::array<int, 2>{20 * 20, 0}));
    EXPECT_EQ(blueCounts, (std::array<int, 2>{0, 10 * 10}));
}

TEST_F(OffscreenRendererTest, FailureReturnsFalseAndIsReportedOnce) {
    NodeRef<SoSeparator> root(new SoSeparator);
    SoOffscreenRenderer r(SbViewportRegion(0, 10));
    testing::internal::CaptureStderr();
    EXPECT_FALSE(r.render(root));
    EXPECT_FALSE(r.render(root));
    SoOffscreenRenderer huge(SbViewportRegion(SbVec2i32(20000, 10)));
    EXPECT_FALSE(huge.render(root));
    const std::string messages = testing::internal::GetCapturedStderr();
    EXPECT_EQ(messages.rfind("SoOffscreenRenderer: ", 0), 0u) << messages;
    EXPECT_EQ(messages.find("SoOffscreenRenderer: ", 1), std::string::npos) << messages;
    EXPECT_EQ(r.getBuffer(), nullptr);
    EXPECT_FALSE(r.writeToPNG((std::string(SCRIVANE_TEST_OUT) + "/never.png").c_str()));

    // The same renderer works once its region has pixels.
    r.setViewportRegion(SbViewportRegion(8, 8));
    r.setBackgroundColor(SbColor(0, 0, 1));
    ASSERT_TRUE(r.render(root));
    EXPECT_EQ(countPixels(r, kBlue), 64);
}

} // namespace
