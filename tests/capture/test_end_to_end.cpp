// Whole scenes, read from Inventor text, written as PostScript by the real format, rendered by
// Ghostscript (png16m) and checked at known pixels of the page.
//
// Every scene has an orthographic camera on the z axis looking down -z. The camera callback gives
// the window the drawing's aspect (190 x 277 mm, taller than wide), so the camera's height spans
// the drawing's width: with height H one scene unit is 190 / H millimetres on the page, in x and
// in y alike, and the world origin lands on the drawing's centre, (95, 138.5) mm from its corner,
// which the default start position puts at (10, 10) mm on the A4 sheet.
//
// This build has no hidden-surface removal: faces are painted in the order the shapes generate
// them, so the scenes are arranged so that the face meant to be seen is painted last.
#include "CaptureTestSupport.h"
#include "ps_check.h"
#include "scrivane/SoVectorizePSAction.h"
#include <cmath>
#include <gtest/gtest.h>
#include <string>
#include <sys/stat.h>

using scrivane::test::PngImage;
using scrivane::test::Rgb;

namespace {

const int kDpi = 100;
const Rgb WHITE(255, 255, 255), BLACK(0, 0, 0);

// Reads the scene, writes it with a PostScript action to SCRIVANE_TEST_OUT/capture/<name>.ps,
// checks that Ghostscript accepts the document and renders it on an A4 sheet into image
// (<name>.png).
void renderScene(const std::string &scene, const std::string &name, PngImage &image,
                 bool lighting) {
    const capture_test::Scene root(scene);
    const std::string dir = std::string(SCRIVANE_TEST_OUT) + "/capture";
    mkdir(dir.c_str(), 0755);
    const std::string ps = dir + "/" + name + ".ps", png = dir + "/" + name + ".png";
    {
        SoVectorizePSAction action;
        EXPECT_EQ(action.getOutput()->openFile(ps.c_str()), 1);
        action.enableLighting(lighting ? 1 : 0);
        action.apply(root.root);
        action.getOutput()->closeFile();
    }
    EXPECT_TRUE(scrivane::test::ghostscriptAccepts(ps));
    scrivane::test::RenderOptions options;
    options.dpi = kDpi;
    options.pageWidthPoints = 595;
    options.pageHeightPoints = 842;
    scrivane::test::GhostscriptRun run = scrivane::test::renderToPng(ps, png, options);
    ASSERT_TRUE(run.ok()) << run.describe();
    std::string error;
    ASSERT_TRUE(image.read(png, &error)) << error;
}

bool near(const Rgb &c, const Rgb &expected, int tolerance = 2) {
    return std::abs(c.r - expected.r) <= tolerance && std::abs(c.g - expected.g) <= tolerance &&
           std::abs(c.b - expected.b) <= tolerance;
}

// The rendered sheet of a scene whose camera has that height (see the file comment).
struct Sheet {
    const PngImage &image;
    float unit; // millimetres per scene unit
    Sheet(const PngImage &image, float cameraHeight) : image(image), unit(190.0f / cameraHeight) {}
    double x(float sceneX) const { return 10.0 + 95.0 + sceneX * unit; }
    double y(float sceneY) const { return 10.0 + 138.5 + sceneY * unit; }
    Rgb at(float sceneX, float sceneY) const {
        return image.pixelAtMillimetres(x(sceneX), y(sceneY), kDpi);
    }
    // Pixels of a colour in the scene rectangle (x0, y0)-(x1, y1), sampled every 0.25 mm.
    long count(float x0, float y0, float x1, float y1, const Rgb &colour, int tolerance) const {
        long n = 0;
        for (double mx = x(x0); mx <= x(x1); mx += 0.25)
            for (double my = y(y0); my <= y(y1); my += 0.25)
                n += near(image.pixelAtMillimetres(mx, my, kDpi), colour, tolerance);
        return n;
    }
};

} // namespace

TEST(EndToEndTest, CubesCoverTheirSquaresAndALitFaceIsBrighterThanAFaceTurnedAway) {
    // Camera height 6: 31.67 mm per unit. A white light shines down -z. The left unit cube is
    // turned half round, so that the face it paints last looks at the light; the right one
    // paints last its back face, turned away from the light, which only the ambient light
    // reaches. Orange: lit (1, 0.54, 0.04), turned away (0.04, 0.04, 0.04). Above them, a blue
    // sphere of radius 1, two-sided so that the far hemisphere, painted over the near one here,
    // is lit like its mirror image: at the centre the face looks at the light (blue about
    // 0.04 + 1); at 0.9 of the radius it is turned by asin 0.9 (blue about 0.04 + 0.44).
    const std::string scene = R"(Separator {
  OrthographicCamera { position 0 0 10 height 6 nearDistance 1 farDistance 20 }
  DirectionalLight { direction 0 0 -1 }
  Material { diffuseColor 1 0.5 0 }
  Separator {
    Translation { translation -1.2 0 0 }
    RotationXYZ { axis Y angle 3.14159265 }
    Cube { width 1 height 1 depth 1 }
  }
  Separator { Translation { translation 1.2 0 0 } Cube { width 1 height 1 depth 1 } }
  Separator {
    Translation { translation 0 2.5 0 }
    ShapeHints { vertexOrdering COUNTERCLOCKWISE }
    Complexity { value 1 }
    Material { diffuseColor 0 0 1 }
    Sphere { }
  }
})";
    PngImage image;
    renderScene(scene, "lit_faces", image, true);
    const Sheet sheet(image, 6);
    const Rgb lit = sheet.at(-1.2f, 0), away = sheet.at(1.2f, 0);
    EXPECT_TRUE(near(lit, Rgb(255, 138, 10), 3)) << lit;
    EXPECT_TRUE(near(away, Rgb(10, 10, 10), 3)) << away;
    const Rgb centre = sheet.at(0, 2.5f), rim = sheet.at(0.9f, 2.5f);
    EXPECT_GT(centre.b, 235) << centre;
    EXPECT_LT(centre.r, 30) << centre;
    EXPECT_GT(rim.b, 70) << rim;
    EXPECT_LT(rim.b, 180) << rim;
    EXPECT_EQ(sheet.at(1.1f, 2.5f), WHITE); // outside the silhouette
    EXPECT_EQ(sheet.at(0, 2.5f - 1.1f), WHITE);

    // Without lighting both cubes are the plain diffuse orange, each covering its square of
    // edge 1 seen head on and no more.
    PngImage unlit;
    renderScene(scene, "unlit_faces", unlit, false);
    const Sheet flat(unlit, 6);
    for (float x : {-1.2f, 1.2f}) {
        for (float dx : {-0.47f, 0.0f, 0.47f})
            for (float dy : {-0.47f, 0.0f, 0.47f})
                EXPECT_TRUE(near(flat.at(x + dx, dy), Rgb(255, 128, 0))) << x + dx << " " << dy;
        for (float d : {-0.55f, 0.55f}) {
            EXPECT_EQ(flat.at(x + d, 0), WHITE) << x + d;
            EXPECT_EQ(flat.at(x, d), WHITE) << d;
        }
    }
    // The drawing's border (white in the scene, black on paper) frames the drawing area.
    EXPECT_EQ(unlit.pixelAtMillimetres(10.1, 148.5, kDpi), BLACK);
    EXPECT_EQ(unlit.pixelAtMillimetres(5.0, 148.5, kDpi), WHITE);
}

// One scene holding every kind of node the library draws, in a grid: camera, lights,
// environment, shape hints, complexity, transforms, materials and bindings, draw styles, fill
// pattern, font, the solid shapes, face, strip and mesh sets, line and point sets, a marker set
// (81: filled 9 x 9 squares), 2-D text, annotation text and an image. Kept as
// SCRIVANE_TEST_OUT/capture/every_node.png.
TEST(EndToEndTest, ASceneWithEveryNodeType) {
    // Camera height 10: 19 mm per unit. The image is 2 x 2 pixels, first stored row at the
    // bottom: red, green / blue, yellow; 60 x 60 image pixels of 0.35277778 mm = 21.2 mm.
    const std::string scene = R"(Separator {
  OrthographicCamera { position 0 0 10 height 10 nearDistance 1 farDistance 20 }
  Environment { ambientIntensity 0.3 } DirectionalLight { direction -0.3 -0.3 -1 }
  PointLight { location 0 0 6 intensity 0.3 }
  SpotLight { location -3.5 5 4 direction 0 0 -1 cutOffAngle 0.3 }
  ShapeHints { vertexOrdering COUNTERCLOCKWISE }
  Separator { Translation { translation -3.5 5 0 } Material { diffuseColor 1 0 0 }
              Transform { rotation 0 1 0 3.14159265 } Cube { } }
  Separator { Translation { translation -1 5 0 } Material { diffuseColor 0 0.8 0 } Sphere { } }
  Separator { Translation { translation 1.5 5 0 } Material { diffuseColor 0 0 1 } Cone { } }
  Separator { Translation { translation 4 5 0 } Material { diffuseColor 1 1 0 }
              Scale { scaleFactor 0.6 1 0.6 } Cylinder { } }
  Separator { Translation { translation -3.5 2 0 } LightModel { model BASE_COLOR }
              Material { diffuseColor 1 0 1 }
              DEF SQUARE Coordinate3 { point [ -1 -1 0, 1 -1 0, 1 1 0, -1 1 0 ] }
              Normal { vector 0 0 1 } NormalBinding { value OVERALL } FaceSet { } }
  Separator { Translation { translation -1 2 0 } LightModel { model BASE_COLOR }
              Material { diffuseColor [ 1 0 0, 0 1 0, 0 0 1 ] }
              MaterialBinding { value PER_VERTEX_INDEXED } USE SQUARE
              IndexedFaceSet { coordIndex [ 0, 1, 3, -1 ] materialIndex [ 0, 1, 2, -1 ] } }
  Separator { Translation { translation 1.5 2 0 } LightModel { model BASE_COLOR }
              Material { diffuseColor 0 0.5 0.5 }
              Coordinate3 { point [ -1 -1 0, 1 -1 0, -1 1 0, 1 1 0 ] } TriangleStripSet { } }
  Separator { Translation { translation 4 2 0 } LightModel { model BASE_COLOR }
              Material { diffuseColor 0.5 0.25 0 }
              Coordinate3 { point [ -0.8 -1 0, 0 -1 0, 0.8 -1 0, -0.8 1 0, 0 1 0, 0.8 1 0 ] }
              QuadMesh { verticesPerRow 3 verticesPerColumn 2 } }
  Separator { Translation { translation -3.5 -1 0 } DrawStyle { lineWidth 8 }
              Material { diffuseColor 0 1 0 } Coordinate3 { point [ -1 0 0, 0 0 0, 1 0.8 0 ] }
              LineSet { } }
  Separator { Translation { translation -1 -1 0 } DrawStyle { lineWidth 4 linePattern 0xFF00 }
              Material { diffuseColor 0 0 1 } USE SQUARE
              IndexedLineSet { coordIndex [ 0, 1, 2, 3, 0, -1 ] } }
  Separator { Translation { translation 1.5 -1 0 } DrawStyle { pointSize 12 }
              Material { diffuseColor 1 0 0 } USE SQUARE PointSet { } }
  Separator { Translation { translation 4 -1 0 } Material { diffuseColor 0 1 1 } USE SQUARE
              MarkerSet { markerIndex 81 } }
  Separator { Translation { translation -4.5 -4 0 } Material { diffuseColor 0 0 1 }
              Font { name "Helvetica" size 24 } Text2 { string [ "Scrivane", "2-D text" ] } }
  Separator { Translation { translation -0.5 -4 0 } Material { diffuseColor 1 0 0 }
              AnnoText3Property { renderPrintType GEOMETRY_AND_TEXT } Font { size 0.5 }
              AnnoText3 { string "Anno" } }
  Separator { Translation { translation 2.5 -5 0 }
              Image { image 2 2 3 0xff0000 0x00ff00 0x0000ff 0xffff00 width 60 height 60 } }
  Separator { Translation { translation -3.5 -6.5 0 } LightModel { model BASE_COLOR }
              Material { diffuseColor 0.5 0 0.5 } Pattern { rows [
    0xF0F0F0F0, 0xF0F0F0F0, 0xF0F0F0F0, 0xF0F0F0F0, 0x0F0F0F0F, 0x0F0F0F0F, 0x0F0F0F0F, 0x0F0F0F0F,
    0xF0F0F0F0, 0xF0F0F0F0, 0xF0F0F0F0, 0xF0F0F0F0, 0x0F0F0F0F, 0x0F0F0F0F, 0x0F0F0F0F, 0x0F0F0F0F,
    0xF0F0F0F0, 0xF0F0F0F0, 0xF0F0F0F0, 0xF0F0F0F0, 0x0F0F0F0F, 0x0F0F0F0F, 0x0F0F0F0F, 0x0F0F0F0F,
    0xF0F0F0F0, 0xF0F0F0F0, 0xF0F0F0F0, 0xF0F0F0F0, 0x0F0F0F0F, 0x0F0F0F0F, 0x0F0F0F0F, 0x0F0F0F0F ]
              } Scale { scaleFactor 1 0.5 1 } USE SQUARE FaceSet { } }
  Separator { Translation { translation 0 -6.5 0 }
              Switch { whichChild 1 Cube { }
                       Separator { DrawStyle { style LINES } LightModel { model BASE_COLOR }
                                   Material { diffuseColor 1 1 1 } Sphere { radius 0.6 } } } }
})";
    PngImage png;
    renderScene(scene, "every_node", png, true);
    const Sheet sheet(png, 10);
    // Magenta face set, unlit.
    EXPECT_EQ(sheet.at(-3.5f, 2), Rgb(255, 0, 255));
    // The indexed triangle is filled in the colour of its first corner, red; its other half
    // of the square stays paper.
    EXPECT_EQ(sheet.at(-1 - 0.5f, 2 - 0.5f), Rgb(255, 0, 0));
    EXPECT_EQ(sheet.at(-1 + 0.5f, 2 + 0.5f), WHITE);
    // Strip and mesh.
    EXPECT_TRUE(near(sheet.at(1.5f, 2), Rgb(0, 128, 128))) << sheet.at(1.5f, 2);
    EXPECT_TRUE(near(sheet.at(4, 2), Rgb(128, 64, 0))) << sheet.at(4, 2);
    // Lit solids are drawn in their hue, neither white nor black.
    const Rgb cubeColour = sheet.at(-3.5f, 5), coneColour = sheet.at(1.5f, 4.5f);
    EXPECT_GT(cubeColour.r, 150) << cubeColour;
    EXPECT_LT(cubeColour.g, 60) << cubeColour;
    EXPECT_GT(sheet.at(-1, 5).g, 100) << sheet.at(-1, 5);
    EXPECT_GT(coneColour.b, 100) << coneColour;
    EXPECT_LT(coneColour.r, 60) << coneColour;
    // The thick green line passes through the cell's centre; big red dots and cyan markers sit
    // on the squares' corners.
    EXPECT_EQ(sheet.at(-3.5f - 0.5f, -1), Rgb(0, 255, 0));
    EXPECT_EQ(sheet.at(1.5f - 1, -1 - 1), Rgb(255, 0, 0));
    EXPECT_GT(sheet.count(4.9f, -0.1f, 5.1f, 0.1f, Rgb(0, 255, 255), 2), 0);
    // Blue 2-D text to the right of its anchor, and the annotation's red text and strokes.
    EXPECT_GT(sheet.count(-4.5f, -4.2f, -2.0f, -3.6f, Rgb(0, 0, 255), 2), 20);
    EXPECT_GT(sheet.count(-0.5f, -4.2f, 1.5f, -3.3f, Rgb(255, 0, 0), 10), 20);
    // The image's four quadrants (21.2 mm square, lower-left corner on the anchor).
    const double ix = sheet.x(2.5f), iy = sheet.y(-5);
    EXPECT_EQ(png.pixelAtMillimetres(ix + 5, iy + 5, kDpi), Rgb(255, 0, 0));
    EXPECT_EQ(png.pixelAtMillimetres(ix + 16, iy + 5, kDpi), Rgb(0, 255, 0));
    EXPECT_EQ(png.pixelAtMillimetres(ix + 5, iy + 16, kDpi), Rgb(0, 0, 255));
    EXPECT_EQ(png.pixelAtMillimetres(ix + 16, iy + 16, kDpi), Rgb(255, 255, 0));
    // Patterned face: both the pattern's colour and the paper show through inside it.
    EXPECT_GT(sheet.count(-4.2f, -6.8f, -2.8f, -6.2f, Rgb(128, 0, 128), 3), 20);
    EXPECT_GT(sheet.count(-4.2f, -6.8f, -2.8f, -6.2f, WHITE, 0), 20);
    // The switch draws its wire sphere (in black on paper), not the cube.
    EXPECT_GT(sheet.count(-0.7f, -7.1f, 0.7f, -5.9f, BLACK, 40), 10);
    EXPECT_EQ(sheet.at(0.75f, -6.5f + 0.75f), WHITE);
}
