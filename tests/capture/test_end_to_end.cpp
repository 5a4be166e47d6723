// Whole scenes built in code, written as PostScript by the real format, rendered by Ghostscript
// (png16m) and checked at known pixels of the page.
//
// Every scene has an orthographic camera on the z axis looking down -z. The camera callback gives
// the window the drawing's aspect (190 x 277 mm, taller than wide), so the camera's height spans
// the drawing's width: with height H one scene unit is 190 / H millimetres on the page, in x and
// in y alike, and the world origin lands on the drawing's centre, (95, 138.5) mm from its corner,
// which the default start position puts at (10, 10) mm on the A4 sheet.
//
// This build has no hidden-surface removal: faces are painted in the order the shapes generate
// them, so the scenes are arranged so that the face meant to be seen is painted last.
#include "ps_check.h"
#include "scene/nodes/SoAnnoText3.h"
#include "scene/nodes/SoAnnoText3Property.h"
#include "scene/nodes/SoComplexity.h"
#include "scene/nodes/SoCone.h"
#include "scene/nodes/SoCoordinate3.h"
#include "scene/nodes/SoCube.h"
#include "scene/nodes/SoCylinder.h"
#include "scene/nodes/SoDirectionalLight.h"
#include "scene/nodes/SoDrawStyle.h"
#include "scene/nodes/SoEnvironment.h"
#include "scene/nodes/SoFaceSet.h"
#include "scene/nodes/SoFont.h"
#include "scene/nodes/SoImage.h"
#include "scene/nodes/SoIndexedFaceSet.h"
#include "scene/nodes/SoIndexedLineSet.h"
#include "scene/nodes/SoLightModel.h"
#include "scene/nodes/SoLineSet.h"
#include "scene/nodes/SoMarkerSet.h"
#include "scene/nodes/SoMaterial.h"
#include "scene/nodes/SoMaterialBinding.h"
#include "scene/nodes/SoNormal.h"
#include "scene/nodes/SoNormalBinding.h"
#include "scene/nodes/SoOrthographicCamera.h"
#include "scene/nodes/SoPattern.h"
#include "scene/nodes/SoPointLight.h"
#include "scene/nodes/SoPointSet.h"
#include "scene/nodes/SoQuadMesh.h"
#include "scene/nodes/SoRotationXYZ.h"
#include "scene/nodes/SoScale.h"
#include "scene/nodes/SoSeparator.h"
#include "scene/nodes/SoShapeHints.h"
#include "scene/nodes/SoSphere.h"
#include "scene/nodes/SoSpotLight.h"
#include "scene/nodes/SoSwitch.h"
#include "scene/nodes/SoText2.h"
#include "scene/nodes/SoTransform.h"
#include "scene/nodes/SoTranslation.h"
#include "scene/nodes/SoTriangleStripSet.h"
#include "scrivane/SoScrivane.h"
#include "scrivane/SoVectorizePSAction.h"
#include <cmath>
#include <gtest/gtest.h>
#include <string>
#include <sys/stat.h>

using scrivane::test::PngImage;
using scrivane::test::Rgb;

namespace {

const int kDpi = 100;
const Rgb WHITE(255, 255, 255);

std::string outPath(const std::string &name) {
    const std::string dir = std::string(SCRIVANE_TEST_OUT) + "/capture";
    mkdir(dir.c_str(), 0755);
    return dir + "/" + name;
}

// Writes the scene with a PostScript action, checks that Ghostscript accepts the document and
// renders it on an A4 sheet into image.
void renderScene(SoNode *root, const std::string &name, PngImage &image, bool lighting = false) {
    SoScrivane::init();
    const std::string ps = outPath(name + ".ps"), png = outPath(name + ".png");
    {
        SoVectorizePSAction action;
        ASSERT_EQ(action.getOutput()->openFile(ps.c_str()), 1);
        action.enableLighting(lighting ? 1 : 0);
        action.apply(root);
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

// The sheet position of a scene point for a camera of that height (see the file comment).
struct Sheet {
    float unit; // millimetres per scene unit
    explicit Sheet(float cameraHeight) : unit(190.0f / cameraHeight) {}
    double x(float sceneX) const { return 10.0 + 95.0 + sceneX * unit; }
    double y(float sceneY) const { return 10.0 + 138.5 + sceneY * unit; }
};

Rgb at(const PngImage &image, const Sheet &sheet, float x, float y) {
    return image.pixelAtMillimetres(sheet.x(x), sheet.y(y), kDpi);
}

bool near(const Rgb &c, const Rgb &expected, int tolerance = 2) {
    return std::abs(c.r - expected.r) <= tolerance && std::abs(c.g - expected.g) <= tolerance &&
           std::abs(c.b - expected.b) <= tolerance;
}

int brightness(const Rgb &c) {
    return c.r + c.g + c.b;
}

// Pixels of a colour in the scene rectangle (x0, y0)-(x1, y1), sampled every 0.25 mm.
long countIn(const PngImage &image, const Sheet &sheet, float x0, float y0, float x1, float y1,
             const Rgb &colour, int tolerance = 2) {
    long n = 0;
    for (double x = sheet.x(x0); x <= sheet.x(x1); x += 0.25)
        for (double y = sheet.y(y0); y <= sheet.y(y1); y += 0.25)
            n += near(image.pixelAtMillimetres(x, y, kDpi), colour, tolerance);
    return n;
}

SoOrthographicCamera *camera(float height) {
    SoOrthographicCamera *c = new SoOrthographicCamera;
    c->position = SbVec3f(0, 0, 10);
    c->height = height;
    c->nearDistance = 1.0f;
    c->farDistance = 20.0f;
    return c;
}

// A cube of edge 1 (the node's default edge is 2).
SoCube *unitCube() {
    SoCube *cube = new SoCube;
    cube->width = 1.0f;
    cube->height = 1.0f;
    cube->depth = 1.0f;
    return cube;
}

SoMaterial *diffuse(const SbColor &c) {
    SoMaterial *m = new SoMaterial;
    m->diffuseColor.setValue(c);
    return m;
}

SoTranslation *translation(float x, float y, float z = 0) {
    SoTranslation *t = new SoTranslation;
    t->translation = SbVec3f(x, y, z);
    return t;
}

struct Root {
    Root() {
        SoScrivane::init();
        node = new SoSeparator;
        node->ref();
    }
    ~Root() { node->unref(); }
    SoSeparator *node;
};

} // namespace

TEST(EndToEndTest, AUnitCubeSeenHeadOnCoversItsRectangle) {
    // Camera height 4: 47.5 mm per unit; the unit cube's face spans 23.75 mm either side of the
    // centre: x from 81.25 to 128.75 mm and y from 124.75 to 172.25 mm on the sheet.
    Root root;
    root.node->addChild(camera(4));
    root.node->addChild(unitCube());
    PngImage image;
    renderScene(root.node, "unit_cube", image);
    const Sheet sheet(4);
    EXPECT_NEAR(sheet.x(-0.5f), 81.25, 1e-6);
    const Rgb grey(204, 204, 204); // the default diffuse 0.8
    for (float x : {-0.47f, 0.0f, 0.47f})
        for (float y : {-0.47f, 0.0f, 0.47f})
            EXPECT_TRUE(near(at(image, sheet, x, y), grey)) << x << " " << y;
    for (float x : {-0.55f, 0.55f})
        EXPECT_EQ(at(image, sheet, x, 0), WHITE) << x;
    for (float y : {-0.55f, 0.55f})
        EXPECT_EQ(at(image, sheet, 0, y), WHITE) << y;
    // The drawing's border (white in the scene, black on paper) frames the drawing area.
    EXPECT_EQ(image.pixelAtMillimetres(10.1, 148.5, kDpi), Rgb(0, 0, 0));
    EXPECT_EQ(image.pixelAtMillimetres(5.0, 148.5, kDpi), WHITE);
}

TEST(EndToEndTest, ALitFaceIsBrighterThanAFaceTurnedAway) {
    // A white light shines down -z. The left cube is turned half round, so that the face it
    // paints last looks at the light; the right cube paints last its back face, turned away from
    // the light, which only the ambient light reaches. Orange: lit (1, 0.54, 0.04), turned away
    // (0.04, 0.04, 0.04).
    Root root;
    root.node->addChild(camera(6));
    SoDirectionalLight *light = new SoDirectionalLight;
    light->direction = SbVec3f(0, 0, -1);
    root.node->addChild(light);
    root.node->addChild(diffuse(SbColor(1, 0.5f, 0)));
    SoSeparator *left = new SoSeparator;
    left->addChild(translation(-1.2f, 0));
    SoRotationXYZ *turn = new SoRotationXYZ;
    turn->axis = SoRotationXYZ::Y;
    turn->angle = 3.14159265f;
    left->addChild(turn);
    left->addChild(unitCube());
    root.node->addChild(left);
    SoSeparator *right = new SoSeparator;
    right->addChild(translation(1.2f, 0));
    right->addChild(unitCube());
    root.node->addChild(right);

    PngImage image;
    renderScene(root.node, "lit_faces", image, true);
    const Sheet sheet(6);
    const Rgb lit = at(image, sheet, -1.2f, 0), away = at(image, sheet, 1.2f, 0);
    EXPECT_TRUE(near(lit, Rgb(255, 138, 10), 3)) << lit;
    EXPECT_TRUE(near(away, Rgb(10, 10, 10), 3)) << away;
    EXPECT_GT(brightness(lit), brightness(away) + 300);

    // Without lighting both are the plain diffuse orange.
    PngImage unlit;
    renderScene(root.node, "unlit_faces", unlit, false);
    EXPECT_TRUE(near(at(unlit, sheet, -1.2f, 0), Rgb(255, 128, 0))) << at(unlit, sheet, -1.2f, 0);
    EXPECT_TRUE(near(at(unlit, sheet, 1.2f, 0), Rgb(255, 128, 0))) << at(unlit, sheet, 1.2f, 0);
}

TEST(EndToEndTest, ALitSphereIsBrightestFacingTheLight) {
    // A blue sphere of radius 1 lit head-on, two-sided so that the far hemisphere, painted over
    // the near one here, is lit like its mirror image. At the centre the face looks at the light
    // (blue about 0.04 + 1); at 0.9 of the radius it is turned by asin 0.9 (blue about
    // 0.04 + 0.44). Outside the silhouette the paper stays white.
    Root root;
    root.node->addChild(camera(4));
    SoDirectionalLight *light = new SoDirectionalLight;
    light->direction = SbVec3f(0, 0, -1);
    root.node->addChild(light);
    SoShapeHints *hints = new SoShapeHints;
    hints->vertexOrdering = SoShapeHints::COUNTERCLOCKWISE;
    root.node->addChild(hints);
    SoComplexity *complexity = new SoComplexity;
    complexity->value = 1.0f;
    root.node->addChild(complexity);
    root.node->addChild(diffuse(SbColor(0, 0, 1)));
    root.node->addChild(new SoSphere);

    PngImage image;
    renderScene(root.node, "lit_sphere", image, true);
    const Sheet sheet(4);
    const Rgb centre = at(image, sheet, 0, 0), rim = at(image, sheet, 0.9f, 0);
    EXPECT_GT(centre.b, 235) << centre;
    EXPECT_LT(centre.r, 30) << centre;
    EXPECT_GT(rim.b, 70) << rim;
    EXPECT_LT(rim.b, 180) << rim;
    EXPECT_GT(centre.b, rim.b + 60);
    EXPECT_EQ(at(image, sheet, 1.1f, 0), WHITE);
    EXPECT_EQ(at(image, sheet, 0, -1.1f), WHITE);
}

TEST(EndToEndTest, AWireframeCubeShowsItsOutlinesOnly) {
    // Draw style lines, 6 units wide (2.1 mm): every triangle becomes a closed outline. Head on,
    // the outline of the front and back faces is the square and both its diagonals.
    Root root;
    root.node->addChild(camera(4));
    SoDrawStyle *style = new SoDrawStyle;
    style->style = SoDrawStyle::LINES;
    style->lineWidth = 6.0f;
    root.node->addChild(style);
    root.node->addChild(diffuse(SbColor(1, 0, 0)));
    root.node->addChild(unitCube());

    PngImage image;
    renderScene(root.node, "wire_cube", image);
    const Sheet sheet(4);
    const Rgb red(255, 0, 0);
    for (float t : {-0.3f, 0.0f, 0.3f}) {
        EXPECT_EQ(at(image, sheet, -0.5f, t), red) << "left edge " << t;
        EXPECT_EQ(at(image, sheet, 0.5f, t), red) << "right edge " << t;
        EXPECT_EQ(at(image, sheet, t, -0.5f), red) << "bottom edge " << t;
        EXPECT_EQ(at(image, sheet, t, 0.5f), red) << "top edge " << t;
    }
    EXPECT_EQ(at(image, sheet, 0.25f, 0.25f), red);  // a diagonal
    EXPECT_EQ(at(image, sheet, -0.25f, 0.25f), red); // the other diagonal
    EXPECT_EQ(at(image, sheet, 0.0f, -0.3f), WHITE); // inside, off the diagonals: not filled
    EXPECT_EQ(at(image, sheet, 0.3f, 0.0f), WHITE);
    EXPECT_EQ(at(image, sheet, 0.6f, 0.0f), WHITE); // outside
}

// One scene holding every kind of node the library draws, in a grid: camera, lights,
// environment, shape hints, complexity, transforms, materials and bindings, draw styles, fill
// pattern, font, the solid shapes, face, strip and mesh sets, line and point sets, a marker set,
// 2-D text, annotation text and an image. Kept as SCRIVANE_TEST_OUT/capture/every_node.png.
TEST(EndToEndTest, ASceneWithEveryNodeType) {
    // Camera height 10: 19 mm per unit.
    Root root;
    SoSeparator *scene = root.node;
    scene->addChild(camera(10));
    SoEnvironment *environment = new SoEnvironment;
    environment->ambientIntensity = 0.3f;
    scene->addChild(environment);
    SoDirectionalLight *sun = new SoDirectionalLight;
    sun->direction = SbVec3f(-0.3f, -0.3f, -1);
    scene->addChild(sun);
    SoPointLight *bulb = new SoPointLight;
    bulb->location = SbVec3f(0, 0, 6);
    bulb->intensity = 0.3f;
    scene->addChild(bulb);
    SoSpotLight *spot = new SoSpotLight;
    spot->location = SbVec3f(-3.5f, 5, 4);
    spot->direction = SbVec3f(0, 0, -1);
    spot->cutOffAngle = 0.3f;
    scene->addChild(spot);
    SoShapeHints *hints = new SoShapeHints;
    hints->vertexOrdering = SoShapeHints::COUNTERCLOCKWISE;
    scene->addChild(hints);

    auto cell = [&](float x, float y) {
        SoSeparator *s = new SoSeparator;
        s->addChild(translation(x, y));
        scene->addChild(s);
        return s;
    };
    auto flat = [](SoSeparator *s) {
        SoLightModel *model = new SoLightModel;
        model->model = SoLightModel::BASE_COLOR;
        s->addChild(model);
    };

    // Row 1, lit solids: cube (turned so that a lit face is painted last), sphere, cone, cylinder.
    SoSeparator *cube = cell(-3.5f, 5);
    cube->addChild(diffuse(SbColor(1, 0, 0)));
    SoTransform *cubeTurn = new SoTransform;
    cubeTurn->rotation = SbRotation(SbVec3f(0, 1, 0), 3.14159265f);
    cube->addChild(cubeTurn);
    cube->addChild(new SoCube);
    SoSeparator *sphere = cell(-1, 5);
    sphere->addChild(diffuse(SbColor(0, 0.8f, 0)));
    sphere->addChild(new SoSphere);
    SoSeparator *cone = cell(1.5f, 5);
    cone->addChild(diffuse(SbColor(0, 0, 1)));
    cone->addChild(new SoCone);
    SoSeparator *cylinder = cell(4, 5);
    cylinder->addChild(diffuse(SbColor(1, 1, 0)));
    SoScale *thin = new SoScale;
    thin->scaleFactor = SbVec3f(0.6f, 1, 0.6f);
    cylinder->addChild(thin);
    cylinder->addChild(new SoCylinder);

    // Row 2, unlit faces: a magenta face set, a per-vertex coloured indexed face set, a
    // triangle strip set and a quad mesh.
    SoSeparator *faces = cell(-3.5f, 2);
    flat(faces);
    faces->addChild(diffuse(SbColor(1, 0, 1)));
    SoCoordinate3 *square = new SoCoordinate3;
    const float sq[4][3] = {{-1, -1, 0}, {1, -1, 0}, {1, 1, 0}, {-1, 1, 0}};
    square->point.setValues(0, 4, sq);
    faces->addChild(square);
    SoNormal *normal = new SoNormal;
    normal->vector.setValue(SbVec3f(0, 0, 1));
    faces->addChild(normal);
    SoNormalBinding *overall = new SoNormalBinding;
    overall->value = SoNormalBinding::OVERALL;
    faces->addChild(overall);
    faces->addChild(new SoFaceSet);
    SoSeparator *indexed = cell(-1, 2);
    flat(indexed);
    SoMaterial *corners = new SoMaterial;
    corners->diffuseColor.set1Value(0, SbColor(1, 0, 0));
    corners->diffuseColor.set1Value(1, SbColor(0, 1, 0));
    corners->diffuseColor.set1Value(2, SbColor(0, 0, 1));
    indexed->addChild(corners);
    SoMaterialBinding *perVertex = new SoMaterialBinding;
    perVertex->value = SoMaterialBinding::PER_VERTEX_INDEXED;
    indexed->addChild(perVertex);
    indexed->addChild(square);
    SoIndexedFaceSet *triangle = new SoIndexedFaceSet;
    const int32_t tri[4] = {0, 1, 3, -1};
    triangle->coordIndex.setValues(0, 4, tri);
    const int32_t triColors[4] = {0, 1, 2, -1};
    triangle->materialIndex.setValues(0, 4, triColors);
    indexed->addChild(triangle);
    SoSeparator *strip = cell(1.5f, 2);
    flat(strip);
    strip->addChild(diffuse(SbColor(0, 0.5f, 0.5f)));
    strip->addChild(square);
    SoTriangleStripSet *strips = new SoTriangleStripSet;
    strips->numVertices.setValue(4);
    SoCoordinate3 *zigzag = new SoCoordinate3;
    const float zz[4][3] = {{-1, -1, 0}, {1, -1, 0}, {-1, 1, 0}, {1, 1, 0}};
    zigzag->point.setValues(0, 4, zz);
    strip->addChild(zigzag);
    strip->addChild(strips);
    SoSeparator *mesh = cell(4, 2);
    flat(mesh);
    mesh->addChild(diffuse(SbColor(0.5f, 0.25f, 0)));
    SoCoordinate3 *grid = new SoCoordinate3;
    const float g[6][3] = {{-0.8f, -1, 0}, {0, -1, 0}, {0.8f, -1, 0},
                           {-0.8f, 1, 0},  {0, 1, 0},  {0.8f, 1, 0}};
    grid->point.setValues(0, 6, g);
    mesh->addChild(grid);
    SoQuadMesh *quads = new SoQuadMesh;
    quads->verticesPerRow = 3;
    quads->verticesPerColumn = 2;
    mesh->addChild(quads);

    // Row 3, lines and points: a thick green line set, a dashed indexed line set, a point set
    // with big dots, and a marker set of filled squares.
    SoSeparator *lines = cell(-3.5f, -1);
    SoDrawStyle *thick = new SoDrawStyle;
    thick->lineWidth = 8.0f;
    lines->addChild(thick);
    lines->addChild(diffuse(SbColor(0, 1, 0)));
    SoCoordinate3 *zig = new SoCoordinate3;
    const float zg[3][3] = {{-1, 0, 0}, {0, 0, 0}, {1, 0.8f, 0}};
    zig->point.setValues(0, 3, zg);
    lines->addChild(zig);
    lines->addChild(new SoLineSet);
    SoSeparator *dashed = cell(-1, -1);
    SoDrawStyle *dash = new SoDrawStyle;
    dash->lineWidth = 4.0f;
    dash->linePattern = 0xFF00;
    dashed->addChild(dash);
    dashed->addChild(diffuse(SbColor(0, 0, 1)));
    dashed->addChild(square);
    SoIndexedLineSet *outline = new SoIndexedLineSet;
    const int32_t loop[6] = {0, 1, 2, 3, 0, -1};
    outline->coordIndex.setValues(0, 6, loop);
    dashed->addChild(outline);
    SoSeparator *dots = cell(1.5f, -1);
    SoDrawStyle *big = new SoDrawStyle;
    big->pointSize = 12.0f;
    dots->addChild(big);
    dots->addChild(diffuse(SbColor(1, 0, 0)));
    dots->addChild(square);
    dots->addChild(new SoPointSet);
    SoSeparator *markers = cell(4, -1);
    markers->addChild(diffuse(SbColor(0, 1, 1)));
    markers->addChild(square);
    SoMarkerSet *markerSet = new SoMarkerSet;
    markerSet->markerIndex.setValue(SoMarkerSet::SQUARE_FILLED_9_9);
    markers->addChild(markerSet);

    // Row 4: a 2-D text, an annotation text drawn as text and geometry, an image.
    SoSeparator *text = cell(-4.5f, -4);
    text->addChild(diffuse(SbColor(0, 0, 1)));
    SoFont *font = new SoFont;
    font->name = SbName("Helvetica");
    font->size = 24.0f;
    text->addChild(font);
    SoText2 *words = new SoText2;
    words->string.set1Value(0, SbString("Scrivane"));
    words->string.set1Value(1, SbString("2-D text"));
    text->addChild(words);
    SoSeparator *anno = cell(-0.5f, -4);
    anno->addChild(diffuse(SbColor(1, 0, 0)));
    SoAnnoText3Property *both = new SoAnnoText3Property;
    both->renderPrintType = SoAnnoText3Property::GEOMETRY_AND_TEXT;
    anno->addChild(both);
    SoFont *annoFont = new SoFont;
    annoFont->size = 0.5f;
    anno->addChild(annoFont);
    SoAnnoText3 *annoText = new SoAnnoText3;
    annoText->string.setValue(SbString("Anno"));
    anno->addChild(annoText);
    SoSeparator *picture = cell(2.5f, -5);
    SoImage *image = new SoImage;
    // 2 x 2 pixels, first stored row at the bottom: red, green / blue, yellow; 60 x 60 image
    // pixels of 0.35277778 mm = 21.2 mm.
    const unsigned char pixels[12] = {255, 0, 0, 0, 255, 0, 0, 0, 255, 255, 255, 0};
    image->image.setValue(SbVec2s(2, 2), 3, pixels);
    image->width = 60;
    image->height = 60;
    picture->addChild(image);

    // Row 5: a patterned face and a switch whose chosen child is a wire sphere.
    SoSeparator *hatched = cell(-3.5f, -6.5f);
    flat(hatched);
    hatched->addChild(diffuse(SbColor(0.5f, 0, 0.5f)));
    SoPattern *pattern = new SoPattern;
    for (int i = 0; i < 32; i++)
        pattern->rows.set1Value(i, (i / 4) % 2 ? 0x0F0F0F0Fu : 0xF0F0F0F0u);
    hatched->addChild(pattern);
    SoScale *halfHeight = new SoScale;
    halfHeight->scaleFactor = SbVec3f(1, 0.5f, 1);
    hatched->addChild(halfHeight);
    hatched->addChild(square);
    hatched->addChild(new SoFaceSet);
    SoSeparator *switched = cell(0, -6.5f);
    SoSwitch *choice = new SoSwitch;
    choice->whichChild = 1;
    choice->addChild(new SoCube); // not traversed
    SoSeparator *wire = new SoSeparator;
    SoDrawStyle *wireStyle = new SoDrawStyle;
    wireStyle->style = SoDrawStyle::LINES;
    wire->addChild(wireStyle);
    SoLightModel *wireModel = new SoLightModel;
    wireModel->model = SoLightModel::BASE_COLOR;
    wire->addChild(wireModel);
    wire->addChild(diffuse(SbColor(1, 1, 1))); // white on screen, black on paper
    SoSphere *ball = new SoSphere;
    ball->radius = 0.6f;
    wire->addChild(ball);
    choice->addChild(wire);
    switched->addChild(choice);

    PngImage png;
    renderScene(scene, "every_node", png, true);
    const Sheet sheet(10);
    // Magenta face set, unlit.
    EXPECT_EQ(at(png, sheet, -3.5f, 2), Rgb(255, 0, 255));
    // The indexed triangle is filled in the colour of its first corner, red; its other half
    // of the square stays paper.
    EXPECT_EQ(at(png, sheet, -1 - 0.5f, 2 - 0.5f), Rgb(255, 0, 0));
    EXPECT_EQ(at(png, sheet, -1 + 0.5f, 2 + 0.5f), WHITE);
    // Strip and mesh.
    EXPECT_TRUE(near(at(png, sheet, 1.5f, 2), Rgb(0, 128, 128))) << at(png, sheet, 1.5f, 2);
    EXPECT_TRUE(near(at(png, sheet, 4, 2), Rgb(128, 64, 0))) << at(png, sheet, 4, 2);
    // Lit solids are drawn in their hue, neither white nor black.
    const Rgb cubeColour = at(png, sheet, -3.5f, 5);
    EXPECT_GT(cubeColour.r, 150) << cubeColour;
    EXPECT_LT(cubeColour.g, 60) << cubeColour;
    EXPECT_GT(at(png, sheet, -1, 5).g, 100) << at(png, sheet, -1, 5);
    const Rgb coneColour = at(png, sheet, 1.5f, 4.5f);
    EXPECT_GT(coneColour.b, 100) << coneColour;
    EXPECT_LT(coneColour.r, 60) << coneColour;
    // The thick green line passes through the cell's centre.
    EXPECT_EQ(at(png, sheet, -3.5f - 0.5f, -1), Rgb(0, 255, 0));
    // Big red dots on the square's corners.
    EXPECT_EQ(at(png, sheet, 1.5f - 1, -1 - 1), Rgb(255, 0, 0));
    // Cyan markers on the square's corners.
    EXPECT_GT(countIn(png, sheet, 4 + 1 - 0.1f, -1 + 1 - 0.1f, 4 + 1 + 0.1f, -1 + 1 + 0.1f,
                      Rgb(0, 255, 255)),
              0);
    // Blue 2-D text to the right of its anchor, and the annotation's red text and strokes.
    EXPECT_GT(countIn(png, sheet, -4.5f, -4.2f, -2.0f, -3.6f, Rgb(0, 0, 255)), 20);
    EXPECT_GT(countIn(png, sheet, -0.5f, -4.2f, 1.5f, -3.3f, Rgb(255, 0, 0), 10), 20);
    // The image's four quadrants (21.2 mm square, lower-left corner on the anchor).
    const double ix = sheet.x(2.5f), iy = sheet.y(-5);
    EXPECT_EQ(png.pixelAtMillimetres(ix + 5, iy + 5, kDpi), Rgb(255, 0, 0));
    EXPECT_EQ(png.pixelAtMillimetres(ix + 16, iy + 5, kDpi), Rgb(0, 255, 0));
    EXPECT_EQ(png.pixelAtMillimetres(ix + 5, iy + 16, kDpi), Rgb(0, 0, 255));
    EXPECT_EQ(png.pixelAtMillimetres(ix + 16, iy + 16, kDpi), Rgb(255, 255, 0));
    // Patterned face: both the pattern's colour and the paper show through inside it.
    EXPECT_GT(countIn(png, sheet, -4.2f, -6.8f, -2.8f, -6.2f, Rgb(128, 0, 128), 3), 20);
    EXPECT_GT(countIn(png, sheet, -4.2f, -6.8f, -2.8f, -6.2f, WHITE, 0), 20);
    // The switch draws its wire sphere (in black on paper), not the cube.
    EXPECT_GT(countIn(png, sheet, -0.7f, -7.1f, 0.7f, -5.9f, Rgb(0, 0, 0), 40), 10);
    EXPECT_EQ(at(png, sheet, 0.75f, -6.5f + 0.75f), WHITE);
}
