// The off-screen OpenGL renderer: projection and viewport mapping counted in pixels, row order of
// the buffer and the PNG file, depth testing, material colours, lighting, draw styles, the state
// left for callers, failure reporting and renderers on two threads.
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

SoSeparator *readScene(const std::string &body) {
    const std::string text = "#Inventor V2.1 ascii\n" + body;
    SoInput in;
    in.setBuffer(text.data(), text.size());
    SoSeparator *root = SoDB::readAll(&in);
    EXPECT_NE(root, nullptr) << text;
    return root;
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

// Renders the scene in `body` on a white background.
bool renderOnWhite(SoOffscreenRenderer &r, const std::string &body) {
    NodeRef<SoSeparator> root(readScene(body));
    r.setBackgroundColor(SbColor(1, 1, 1));
    return r.render(root);
}

// Camera 5 units up the z axis looking down it, seeing x and y from -1 to 1 across the narrower
// side of the viewport.
const char *kOrthoCamera = "OrthographicCamera { position 0 0 5 height 2 }\n";

// A square of side 2 * half centred on the origin in the z = 0 plane, facing +z.
std::string square(float half) {
    const std::string h = std::to_string(half), m = std::to_string(-half);
    return "Coordinate3 { point [ " + m + " " + m + " 0, " + h + " " + m + " 0, " + h + " " + h +
           " 0, " + m + " " + h + " 0 ] }\nFaceSet { numVertices 4 }\n";
}

std::string colored(const char *rgb, float z, float half) {
    return std::string("Separator { Material { diffuseColor ") + rgb +
           " }\nTranslation { translation 0 0 " + std::to_string(z) + " }\n" + square(half) + "}\n";
}

TEST_F(OffscreenRendererTest, OrthographicSquareCoversExactlyItsPixels) {
    // 80 x 40 pixels: the camera's height of 2 spans 40 pixels, so one unit is 20 pixels and x
    // runs from -2 to 2. The translated square covers x 0..1, y 0..0.5: columns 40..59 and rows
    // 20..29 counted from the bottom. The translation only lands there when the model matrix
    // reaches OpenGL untransposed.
    SoOffscreenRenderer r(SbViewportRegion(80, 40));
    ASSERT_TRUE(renderOnWhite(
        r, std::string("Separator { ") + kOrthoCamera +
               "LightModel { model BASE_COLOR }\nMaterial { diffuseColor 1 0 0 }\n"
               "Translation { translation 0.5 0.25 0 }\n"
               "Coordinate3 { point [ -0.5 -0.25 0, 0.5 -0.25 0, 0.5 0.25 0, -0.5 0.25 0 ] }\n"
               "FaceSet { numVertices 4 } }"));
    for (int y = 0; y < 40; y++)
        for (int x = 0; x < 80; x++) {
            const bool inside = x >= 40 && x < 60 && y >= 20 && y < 30;
            ASSERT_EQ(pixelAt(r, x, y), inside ? kRed : kWhite) << x << ", " << y;
        }
}

TEST_F(OffscreenRendererTest, PerspectiveSquareCoversTheCentralHalf) {
    // A 90-degree height angle 2 units away sees -2..2; the square of half side 1 covers the
    // middle half of each side: pixels 16..47 of 64.
    SoOffscreenRenderer r(SbViewportRegion(64, 64));
    ASSERT_TRUE(
        renderOnWhite(r, "Separator { PerspectiveCamera { position 0 0 2 heightAngle 1.5707964 }\n"
                         "LightModel { model BASE_COLOR }\nMaterial { diffuseColor 0 0 1 }\n" +
                             square(1.0f) + "}"));
    EXPECT_EQ(countPixels(r, kBlue), 32 * 32);
    EXPECT_EQ(pixelAt(r, 16, 16), kBlue);
    EXPECT_EQ(pixelAt(r, 48, 47), kWhite);
}

TEST_F(OffscreenRendererTest, NearerSquareWinsWhateverTheSceneOrder) {
    const std::string head =
        std::string("Separator { ") + kOrthoCamera + "LightModel { model BASE_COLOR }\n";
    const std::string nearBlue = colored("0 0 1", 1.0f, 0.5f),
                      farRed = colored("1 0 0", 0.0f, 1.0f);
    for (const std::string &body :
         {head + nearBlue + farRed + "}", head + farRed + nearBlue + "}"}) {
        SoOffscreenRenderer r(SbViewportRegion(40, 40));
        ASSERT_TRUE(renderOnWhite(r, body));
        EXPECT_EQ(countPixels(r, kBlue), 20 * 20);
        EXPECT_EQ(countPixels(r, kRed), 40 * 40 - 20 * 20);
    }
}

TEST_F(OffscreenRendererTest, BaseColorDrawsExactMaterialColoursPerFace) {
    // Two faces side by side, one material each.
    SoOffscreenRenderer r(SbViewportRegion(40, 20));
    ASSERT_TRUE(renderOnWhite(r, std::string("Separator { ") + kOrthoCamera +
                                     "LightModel { model BASE_COLOR }\n"
                                     "Material { diffuseColor [ 0.2 0.4 0.6, 0.8 0.6 0.2 ] }\n"
                                     "MaterialBinding { value PER_FACE }\n"
                                     "Coordinate3 { point [ -2 -1 0, 0 -1 0, 0 1 0, -2 1 0,"
                                     "  0 -1 0, 2 -1 0, 2 1 0, 0 1 0 ] }\n"
                                     "FaceSet { numVertices [ 4, 4 ] } }"));
    EXPECT_EQ(pixelAt(r, 5, 10), (Rgb{51, 102, 153}));
    EXPECT_EQ(pixelAt(r, 35, 10), (Rgb{204, 153, 51}));
    EXPECT_EQ(countPixels(r, Rgb{51, 102, 153}), 20 * 20);
    EXPECT_EQ(countPixels(r, Rgb{204, 153, 51}), 20 * 20);
}

// Red channel of a grey square (diffuse 0.8, ambient 0.2 under the default ambient light of 0.2)
// lit by one directional light.
int litSquareLevel(const char *direction) {
    SoOffscreenRenderer r(SbViewportRegion(20, 20));
    EXPECT_TRUE(
        renderOnWhite(r, std::string("Separator { ") + kOrthoCamera +
                             "DirectionalLight { direction " + direction + " }\n" +
                             "Material { diffuseColor 0.8 0.8 0.8 ambientColor 0.2 0.2 0.2 }\n" +
                             square(2.0f) + "}"));
    return pixelAt(r, 10, 10)[0];
}

TEST_F(OffscreenRendererTest, PhongFollowsTheAngleOfTheLight) {
    // 255 x (0.8 cos(angle) + 0.2 x 0.2).
    EXPECT_NEAR(litSquareLevel("0 0 -1"), 214, 1);
    EXPECT_NEAR(litSquareLevel("0.8660254 0 -0.5"), 112, 1);
    EXPECT_NEAR(litSquareLevel("0 0 1"), 10, 1); // from behind: ambient only
}

TEST_F(OffscreenRendererTest, LitSphereIsBrighterTowardTheLight) {
    SoOffscreenRenderer r(SbViewportRegion(64, 64));
    ASSERT_TRUE(renderOnWhite(r, std::string("Separator { ") + kOrthoCamera +
                                     "DirectionalLight { direction -1 0 -0.3 }\n"
                                     "Material { diffuseColor 1 0 0 }\nSphere { radius 0.9 } }"));
    const int left = pixelAt(r, 12, 32)[0], centre = pixelAt(r, 32, 32)[0],
              right = pixelAt(r, 52, 32)[0];
    EXPECT_LT(left, centre);
    EXPECT_LT(centre, right);
    EXPECT_GT(right, 200);
    // Green and blue come only from the ambient term (0.2 x 0.2), the same everywhere.
    EXPECT_NEAR(pixelAt(r, 12, 32)[1], 10, 1);
    EXPECT_NEAR(pixelAt(r, 52, 32)[1], 10, 1);
}

TEST_F(OffscreenRendererTest, SpotLightLightsOnlyInsideItsCone) {
    // Fixed-function lighting is computed at the vertices, so the cone (radius 3 tan 0.2 = 0.6
    // on the plane) needs a mesh finer than itself: 41 x 41 vertices over the view.
    std::string points;
    for (int row = 0; row <= 40; row++)
        for (int column = 0; column <= 40; column++)
            points += std::to_string(-1.0f + column * 0.05f) + " " +
                      std::to_string(-1.0f + row * 0.05f) + " 0,";
    SoOffscreenRenderer r(SbViewportRegion(40, 40));
    ASSERT_TRUE(renderOnWhite(
        r, std::string("Separator { ") + kOrthoCamera +
               "SpotLight { location 0 0 3 direction 0 0 -1 cutOffAngle 0.2 dropOffRate 0 }\n"
               "Material { diffuseColor 0.8 0.8 0.8 }\n"
               "Coordinate3 { point [ " +
               points +
               " ] }\n"
               "QuadMesh { verticesPerColumn 41 verticesPerRow 41 } }"));
    EXPECT_NEAR(pixelAt(r, 20, 20)[0], 214, 1);
    EXPECT_NEAR(pixelAt(r, 2, 2)[0], 10, 1);
    EXPECT_NEAR(pixelAt(r, 20, 33)[0], 10, 1); // 0.65 from the centre: just outside
}

TEST_F(OffscreenRendererTest, DrawStylesLinesPointsAndInvisible) {
    const std::string head = std::string("Separator { ") + kOrthoCamera +
                             "LightModel { model BASE_COLOR }\n" +
                             "Material { diffuseColor 1 0 0 }\n";
    SoOffscreenRenderer r(SbViewportRegion(40, 40));
    ASSERT_TRUE(renderOnWhite(r, head + "DrawStyle { style LINES }\n" + square(0.5f) + "}"));
    EXPECT_EQ(pixelAt(r, 20, 14), kWhite) << "an outlined face is not filled";
    EXPECT_GT(countPixels(r, kRed), 4 * 15);
    EXPECT_LT(countPixels(r, kRed), 20 * 20 / 2);

    ASSERT_TRUE(renderOnWhite(r, head + "DrawStyle { style INVISIBLE }\n" + square(0.5f) + "}"));
    EXPECT_EQ(countPixels(r, kWhite), 40 * 40);

    // Four corners as 3 x 3 points.
    ASSERT_TRUE(
        renderOnWhite(r, head + "DrawStyle { style POINTS pointSize 3 }\n" + square(0.5f) + "}"));
    EXPECT_EQ(countPixels(r, kRed), 4 * 9);

    // A horizontal line 3 pixels wide along y = 0.025 (row 20 of 40), 20 pixels long; with
    // a pattern of 8 on, 8 off it keeps about half of its pixels.
    const std::string line =
        "Coordinate3 { point [ -0.5 0.025 0, 0.5 0.025 0 ] }\nLineSet { numVertices 2 } }";
    ASSERT_TRUE(renderOnWhite(r, head + "DrawStyle { lineWidth 3 }\n" + line));
    EXPECT_EQ(countPixels(r, kRed), 3 * 20);
    EXPECT_EQ(pixelAt(r, 20, 19), kRed);
    EXPECT_EQ(pixelAt(r, 20, 21), kRed);
    ASSERT_TRUE(renderOnWhite(r, head + "DrawStyle { lineWidth 3 linePattern 0x00FF }\n" + line));
    EXPECT_GE(countPixels(r, kRed), 3 * 8);
    EXPECT_LE(countPixels(r, kRed), 3 * 12);
}

TEST_F(OffscreenRendererTest, LeavesDepthTestAndIdentityForCallerDrawing) {
    SoOffscreenRenderer r(SbViewportRegion(40, 40));
    // The scene's red square covers the left half, near the camera.
    ASSERT_TRUE(
        renderOnWhite(r, std::string("Separator { ") + kOrthoCamera +
                             "LightModel { model BASE_COLOR }\nMaterial { diffuseColor 1 0 0 }\n"
                             "Coordinate3 { point [ -1 -1 3, 0 -1 3, 0 1 3, -1 1 3 ] }\n"
                             "FaceSet { numVertices 4 } }"));
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

    // A green polygon over the whole viewport behind the red square, then a blue one in front
    // of the green over the bottom half: identity matrices make these normalized device
    // coordinates, and the depth test keeps the nearest.
    auto quad = [](GLubyte red, GLubyte green, GLubyte blue, float bottom, float top, float z) {
        glBegin(GL_POLYGON);
        glColor4ub(red, green, blue, 0);
        glVertex3f(-1, bottom, z);
        glVertex3f(1, bottom, z);
        glVertex3f(1, top, z);
        glVertex3f(-1, top, z);
        glEnd();
    };
    quad(0, 255, 0, -1, 1, 0.9f);
    quad(1, 2, 3, -1, 0, 0.5f);
    glFinish();
    glReadBuffer(GL_FRONT);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    std::vector<unsigned char> rgba(40 * 40 * 4);
    glReadPixels(0, 0, 40, 40, GL_RGBA, GL_UNSIGNED_BYTE, rgba.data());
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
    auto at = [&](int x, int y) {
        const unsigned char *p = &rgba[(static_cast<size_t>(y) * 40 + x) * 4];
        return Rgb{p[0], p[1], p[2]};
    };
    EXPECT_EQ(at(5, 35), kRed);              // the scene, nearer than both
    EXPECT_EQ(at(35, 35), (Rgb{0, 255, 0})); // caller's far polygon on the background
    EXPECT_EQ(at(35, 5), (Rgb{1, 2, 3}));    // caller's near polygon, exact colour
    EXPECT_EQ(at(5, 5), kRed);
    // The renderer's own buffer holds what render drew, without the caller's additions.
    EXPECT_EQ(pixelAt(r, 35, 35), kWhite);
}

TEST_F(OffscreenRendererTest, PngRoundTripHasTheTopRowFirst) {
    // Red in the upper left quarter only.
    SoOffscreenRenderer r(SbViewportRegion(30, 20));
    ASSERT_TRUE(renderOnWhite(r,
                              "Separator { OrthographicCamera { position 0 0 5 height 2 }\n"
                              "LightModel { model BASE_COLOR }\nMaterial { diffuseColor 1 0 0 }\n"
                              "Coordinate3 { point [ -1.5 0 0, 0 0 0, 0 1 0, -1.5 1 0 ] }\n"
                              "FaceSet { numVertices 4 } }"));
    const std::string path = std::string(SCRIVANE_TEST_OUT) + "/offscreen_round_trip.png";
    ASSERT_TRUE(r.writeToPNG(path.c_str()));

    png_image image;
    std::memset(&image, 0, sizeof image);
    image.version = PNG_IMAGE_VERSION;
    ASSERT_TRUE(png_image_begin_read_from_file(&image, path.c_str()));
    ASSERT_EQ(image.width, 30u);
    ASSERT_EQ(image.height, 20u);
    image.format = PNG_FORMAT_RGB;
    std::vector<unsigned char> fromFile(30 * 20 * 3);
    ASSERT_TRUE(png_image_finish_read(&image, nullptr, fromFile.data(), 30 * 3, nullptr));
    EXPECT_EQ(fromFile[0], 255); // top left: red
    EXPECT_EQ(fromFile[1], 0);
    for (int row = 0; row < 20; row++)
        ASSERT_EQ(0, std::memcmp(&fromFile[row * 90], r.getBuffer() + (19 - row) * 90, 90)) << row;
    EXPECT_EQ(pixelAt(r, 0, 19), kRed);
    EXPECT_EQ(pixelAt(r, 0, 0), kWhite);

    EXPECT_FALSE(r.writeToPNG((std::string(SCRIVANE_TEST_OUT) + "/no/such/dir/x.png").c_str()));
}

TEST_F(OffscreenRendererTest, RenderersOnTwoThreadsEachDrawTheirOwnScene) {
    NodeRef<SoSeparator> redScene(readScene(std::string("Separator { ") + kOrthoCamera +
                                            "LightModel { model BASE_COLOR }\n" +
                                            colored("1 0 0", 0, 0.5f) + "}"));
    NodeRef<SoSeparator> blueScene(readScene(std::string("Separator { ") + kOrthoCamera +
                                             "LightModel { model BASE_COLOR }\n" +
                                             colored("0 0 1", 0, 0.25f) + "}"));
    struct Result {
        bool ok = true;
        int red = 0, blue = 0;
    };
    auto work = [](SoSeparator *scene, Result *result) {
        SoOffscreenRenderer r(SbViewportRegion(40, 40));
        r.setBackgroundColor(SbColor(1, 1, 1));
        for (int i = 0; i < 20 && result->ok; i++) {
            result->ok = r.render(scene);
            result->red = countPixels(r, kRed);
            result->blue = countPixels(r, kBlue);
            if (result->red + result->blue == 0) result->ok = false;
        }
    };
    Result red, blue;
    std::thread a(work, redScene.get(), &red), b(work, blueScene.get(), &blue);
    a.join();
    b.join();
    EXPECT_TRUE(red.ok);
    EXPECT_TRUE(blue.ok);
    EXPECT_EQ(red.red, 20 * 20);
    EXPECT_EQ(red.blue, 0);
    EXPECT_EQ(blue.blue, 10 * 10);
    EXPECT_EQ(blue.red, 0);
}

TEST_F(OffscreenRendererTest, ContextIsCurrentAfterRenderAndUnboundByTheDestructor) {
    NodeRef<SoSeparator> root(new SoSeparator);
    {
        SoOffscreenRenderer r(SbViewportRegion(4, 4));
        ASSERT_TRUE(r.render(root));
        EXPECT_NE(OSMesaGetCurrentContext(), nullptr);
    }
    EXPECT_EQ(OSMesaGetCurrentContext(), nullptr);
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
