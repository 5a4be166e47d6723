// How faithfully each removal mode draws the visible surfaces, measured pixel by pixel against two
// references: a ray cast through the scene's triangles (RayCastReference.h) and the z-buffer
// picture of the toolkit's off-screen renderer (FidelityPage.h), which also measures three scene
// files of the corpus. Every scene is drawn in the modes none, depth sort, painter and visible
// painter, printing "fidelity <scene> <mode>: wrong/compared = percent%" (ray cast) and
// "fidelity-zbuffer <scene> <mode>: ..." for the comparison tables. Against the ray cast the two
// painters must be exact on the small scenes and under 1 % on random crossing triangles; against
// the z-buffer under 1 % everywhere. The other modes are only reported. The two painters are
// drawn a second time with coplanar faces joined ("<mode>+join"), under the same limits.
#include "RayCastReference.h"
#include "scene/actions/SoSearchAction.h"
#include "scene/base/SbRotation.h"
#include "scene/base/SbViewportRegion.h"
#include "scene/misc/SoDB.h"
#include "scene/misc/SoInput.h"
#include "scene/nodes/SoCamera.h"
#include "scene/nodes/SoPerspectiveCamera.h"
#include "scene/nodes/SoSeparator.h"
#include "scrivane/SoScrivane.h"
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <gtest/gtest.h>
#include <string>
#include <sys/stat.h>

using namespace scrivane::test;

namespace {

// Distinct colours for up to 1000 faces: the digits of 37 k mod 1000 as tenths, so any two differ
// by at least 0.1 in a channel and none is white.
SbColor paletteColor(int k) {
    const int code = (37 * (k + 1)) % 1000;
    return SbColor(float(code / 100) / 10.0f, float(code / 10 % 10) / 10.0f,
                   float(code % 10) / 10.0f);
}

// Two triangles tilted in opposite directions about the y axis, crossing along x = 0 like an X.
std::vector<FlatTriangle> crossingX() {
    return {{{-1, -0.8f, -0.5f}, {1, -0.8f, 0.5f}, {0, 0.9f, 0}, {0.9f, 0.2f, 0.1f}},
            {{-1, 0.8f, 0.5f}, {0, -0.9f, 0}, {1, 0.8f, -0.5f}, {0.1f, 0.3f, 0.9f}}};
}

// Three long triangles along the sides of an equilateral triangle, each rising in z from its wide
// start to its tip, so that at every corner the one ending there lies over the one starting
// there: 0 over 1, 1 over 2, 2 over 0. No two of them cross.
std::vector<FlatTriangle> cycle() {
    const float pi = 3.14159265f, before = 0.4f, after = 1.2f, halfWidth = 0.45f;
    const float side = std::sqrt(3.0f), total = before + side + after;
    const SbColor colors[3] = {{0.9f, 0.1f, 0.1f}, {0.1f, 0.7f, 0.1f}, {0.1f, 0.2f, 0.9f}};
    std::vector<FlatTriangle> result;
    for (int i = 0; i < 3; i++) {
        const float a0 = pi / 2 + 2 * pi / 3 * float(i), a1 = a0 + 2 * pi / 3;
        const SbVec3f from(std::cos(a0), std::sin(a0), 0), to(std::cos(a1), std::sin(a1), 0);
        const SbVec3f along = (to - from) / side, across(-along[1], along[0], 0);
        const SbVec3f start = from - along * before,
                      tip = to + along * after + SbVec3f(0, 0, total); // slope 1 in z
        result.push_back({start - across * halfWidth, tip, start + across * halfWidth, colors[i]});
    }
    return result;
}

// A cube of edge 1.2 whose corner (1, 1, 1) faces the viewer, a colour per face, its two
// triangles counter-clockwise seen from outside.
std::vector<FlatTriangle> cubeFromCorner() {
    const SbRotation turn(SbVec3f(1, 1, 1), SbVec3f(0, 0, 1));
    const int faces[6][4] = {{0b100, 0b110, 0b111, 0b101}, {0b000, 0b001, 0b011, 0b010},
                             {0b010, 0b011, 0b111, 0b110}, {0b000, 0b100, 0b101, 0b001},
                             {0b001, 0b101, 0b111, 0b011}, {0b000, 0b010, 0b110, 0b100}};
    const SbColor colors[6] = {{1, 0.2f, 0.2f}, {0.2f, 1, 1},    {0.2f, 1, 0.2f},
                               {1, 0.2f, 1},    {0.2f, 0.2f, 1}, {1, 1, 0.2f}};
    std::vector<FlatTriangle> result;
    for (int f = 0; f < 6; f++) {
        SbVec3f q[4];
        for (int k = 0; k < 4; k++)
            turn.multVec(SbVec3f(faces[f][k] & 4 ? 0.6f : -0.6f, faces[f][k] & 2 ? 0.6f : -0.6f,
                                 faces[f][k] & 1 ? 0.6f : -0.6f),
                         q[k]);
        result.push_back({q[0], q[1], q[2], colors[f]});
        result.push_back({q[0], q[2], q[3], colors[f]});
    }
    return result;
}

// A unit sphere of 24 meridians and 12 parallels, poles on the y axis, a colour per triangle.
std::vector<FlatTriangle> uvSphere() {
    const int slices = 24, stacks = 12;
    auto point = [&](int stack, int slice) {
        const float theta = 3.14159265f * float(stack) / float(stacks);
        const float phi = 2 * 3.14159265f * float(slice) / float(slices);
        return SbVec3f(std::sin(theta) * std::cos(phi), std::cos(theta),
                       std::sin(theta) * std::sin(phi));
    };
    std::vector<FlatTriangle> result;
    for (int i = 0; i < stacks; i++)
        for (int j = 0; j < slices; j++) {
            const SbVec3f p00 = point(i, j), p01 = point(i, j + 1), p10 = point(i + 1, j),
                          p11 = point(i + 1, j + 1);
            if (i > 0) result.push_back({p00, p01, p11, paletteColor(int(result.size()))});
            if (i < stacks - 1) result.push_back({p00, p11, p10, paletteColor(int(result.size()))});
        }
    return result;
}

// 200 triangles of edge up to about 0.4 with centres spread through the unit cube; many cross.
std::vector<FlatTriangle> randomTriangles() {
    uint64_t state = 20240611;
    auto uniform = [&](float lo, float hi) { // SplitMix64: the same scene on every machine
        uint64_t z = (state += 0x9E3779B97F4A7C15ULL);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
        return lo + (hi - lo) * float(double((z ^ (z >> 31)) >> 11) / 9007199254740992.0);
    };
    std::vector<FlatTriangle> result;
    for (int k = 0; k < 200; k++) {
        const SbVec3f centre(uniform(0.15f, 0.85f), uniform(0.15f, 0.85f), uniform(0.15f, 0.85f));
        SbVec3f v[3];
        for (SbVec3f &p : v)
            p = centre +
                SbVec3f(uniform(-0.15f, 0.15f), uniform(-0.15f, 0.15f), uniform(-0.15f, 0.15f));
        result.push_back({v[0], v[1], v[2], paletteColor(k)});
    }
    return result;
}

// The modes' values, then the two painters with coplanar faces joined.
const char *const kModeNames[] = {"none",         "depth-sort",          "painter",
                                  "visible-painter", "painter+join", "visible-painter+join"};
enum { NONE, DEPTH_SORT, PAINTER, VISIBLE_PAINTER, PAINTER_JOINED, VISIBLE_PAINTER_JOINED };
constexpr int kRuns = 6;

struct Results {
    Counts rays[kRuns], zbuffer[kRuns];  // by run
    Counts pdfZbuffer[4], svgZbuffer[4]; // the PDF and SVG drawings against the z-buffer, by mode
    Picture renderer;
    PngImage painterSheet; // the unlit drawing in painter mode
};

bool draw(SoNode *root, int run, bool lighting, const std::string &name, PngImage &sheet,
          DrawingFormat format = DrawingFormat::PostScript) {
    std::string error;
    Drawing how;
    how.format = format;
    how.joinFaces = run >= PAINTER_JOINED;
    how.mode = SoVectorizeAction::HLHSRMode(how.joinFaces ? run - 2 : run);
    how.lighting = lighting;
    const bool ok = drawAndRasterize(root, how, name, sheet, error);
    EXPECT_TRUE(ok) << name << ": " << error;
    return ok;
}

Counts measure(const char *table, const std::string &scene, int mode, const Picture &got,
               const Picture &expected, const Mask &band, const char *diff) {
    const Counts c =
        comparePictures(got, expected, band, fidelityDir() + scene + "-" + kModeNames[mode] + diff);
    std::printf("%s %s %s: %ld/%ld = %.3f%%\n", table, scene.c_str(), kModeNames[mode], c.wrong,
                c.compared, c.wrongPercent());
    // The scene is in view and the bands along edges leave most of the drawing compared.
    EXPECT_GT(c.covered, 10000) << scene;
    EXPECT_LT(c.excluded, kDrawingPixels * kDrawingPixels / 4) << scene;
    return c;
}

// Painter and visible painter (and, when measured, the two with faces joined): no wrong pixel
// (limit 0) or under limit percent.
void expectPaintersFaithful(const Counts *byMode, double limit, const std::string &scene,
                            bool joinedToo = true) {
    for (int m : {PAINTER, VISIBLE_PAINTER, PAINTER_JOINED, VISIBLE_PAINTER_JOINED}) {
        if (m >= PAINTER_JOINED && !joinedToo) break;
        EXPECT_TRUE(limit == 0 ? byMode[m].wrong == 0 : byMode[m].wrongPercent() < limit)
            << scene << " " << kModeNames[m] << ": " << byMode[m].wrong << " wrong";
    }
}

// The same drawing as PDF (poppler, without anti-aliasing) and SVG (librsvg, anti-aliased)
// against the renderer's picture, outside the same band: "fidelity-zbuffer-pdf" and
// "fidelity-zbuffer-svg" lines. The painters' PDF must be as faithful as their PostScript; the
// SVG reader blends the colours of neighbouring faces along their shared edges inside a face of
// one colour too (the seams of its anti-aliasing), so its bound is looser.
void measureCairoFormats(SoNode *root, const std::string &scene, Results &r, const Mask &band) {
    for (DrawingFormat format : {DrawingFormat::Pdf, DrawingFormat::Svg}) {
        const std::string suffix = formatName(format);
        std::string why;
        if (!readerInstalled(format, &why)) {
            std::printf("fidelity-zbuffer-%s %s: skipped, %s\n", suffix.c_str(), scene.c_str(),
                        why.c_str());
            continue;
        }
        Counts *byMode = format == DrawingFormat::Pdf ? r.pdfZbuffer : r.svgZbuffer;
        const std::string table = "fidelity-zbuffer-" + suffix;
        for (int m = NONE; m <= VISIBLE_PAINTER; m++) {
            PngImage sheet;
            if (draw(root, m, false, scene + "-" + kModeNames[m] + "-" + suffix, sheet, format))
                byMode[m] = measure(table.c_str(), scene, m, drawingArea(sheet), r.renderer, band,
                                    ("-" + suffix + "-zdiff.png").c_str());
        }
        expectPaintersFaithful(byMode, format == DrawingFormat::Pdf ? 1.0 : 3.0,
                               scene + " " + suffix, false);
    }
}

// Draws root unlit in every mode and measures against the renderer's picture and, when given,
// the ray cast.
void measureModes(SoNode *root, const std::string &scene, Results &r, const RayCast *rays) {
    std::string error;
    EXPECT_TRUE(renderPicture(root, r.renderer, error)) << error;
    r.renderer.write(fidelityDir() + scene + "-renderer.png");
    const Mask band = colourChangeBand(r.renderer);
    for (int m = NONE; m < kRuns; m++) {
        PngImage sheet;
        if (!draw(root, m, false, scene + "-" + kModeNames[m], sheet)) continue;
        const Picture got = drawingArea(sheet);
        r.zbuffer[m] = measure("fidelity-zbuffer", scene, m, got, r.renderer, band, "-zdiff.png");
        if (rays)
            r.rays[m] = measure("fidelity", scene, m, got, rays->picture, rays->band, "-diff.png");
        if (m == PAINTER) r.painterSheet = sheet;
    }
    expectPaintersFaithful(r.zbuffer, 1.0, scene);
    measureCairoFormats(root, scene, r, band);
}

// A scene of flat triangles against both references; with a light the ray cast measures the lit
// drawing (named <scene>-lit), the z-buffer the unlit one. The two references must agree on the
// unlit scene outside the ray cast's bands.
Results measureTriangles(const std::string &scene, const std::vector<FlatTriangle> &triangles,
                         const FidelityView &view, double rayCastLimit) {
    SoScrivane::init();
    Results r;
    const FidelityView unlit{view.centerX, view.centerY, view.height, nullptr};
    const RayCast unlitRays = rayCast(triangles, unlit);
    SoSeparator *root = buildFlatTriangleScene(triangles, unlit);
    measureModes(root, scene, r, view.light ? nullptr : &unlitRays);
    root->unref();
    const Counts agree = comparePictures(r.renderer, unlitRays.picture, unlitRays.band,
                                         fidelityDir() + scene + "-references-diff.png");
    std::printf("fidelity-references %s: ray cast and z-buffer differ on %ld/%ld = %.3f%%\n",
                scene.c_str(), agree.wrong, agree.compared, agree.wrongPercent());
    EXPECT_LT(agree.wrongPercent(), 0.05) << scene;
    if (view.light) {
        const RayCast rays = rayCast(triangles, view);
        SoSeparator *lit = buildFlatTriangleScene(triangles, view);
        const std::string name = scene + "-lit";
        for (int m = NONE; m < kRuns; m++) {
            PngImage sheet;
            if (draw(lit, m, true, name + "-" + kModeNames[m], sheet))
                r.rays[m] = measure("fidelity", name, m, drawingArea(sheet), rays.picture,
                                    rays.band, "-diff.png");
        }
        lit->unref();
    }
    expectPaintersFaithful(r.rays, rayCastLimit, scene);
    return r;
}

// A scene file of the corpus, unlit, seen from the direction towardViewer when it has no camera
// of its own, against the renderer. Drawn in scene order it must show more than noneWrong wrong
// pixels, so that the comparison is shown able to fail on it.
void measureCorpusFile(const char *scene, const char *file, SbVec3f towardViewer, long noneWrong) {
    const std::string path = std::string(SCRIVANE_SHARED_DIR) + "/corpus/iv/" + file;
    struct stat info;
    if (stat(path.c_str(), &info) != 0) GTEST_SKIP() << path << " is absent: no corpus here";
    SoScrivane::init();
    SoInput input;
    ASSERT_TRUE(input.openFile(path.c_str()));
    SoSeparator *content = SoDB::readAll(&input);
    ASSERT_NE(content, nullptr) << path;
    content->ref();
    SoSeparator *root = new SoSeparator;
    root->ref();
    SoSearchAction search;
    search.setType(SoCamera::getClassTypeId());
    search.setSearchingAll(true);
    search.apply(content);
    if (!search.getPath()) {
        SoPerspectiveCamera *camera = new SoPerspectiveCamera;
        towardViewer.normalize();
        camera->orientation.setValue(SbRotation(SbVec3f(0, 0, 1), towardViewer));
        root->addChild(camera);
        camera->viewAll(content, SbViewportRegion(kDrawingPixels, kDrawingPixels), 1.05f);
    }
    root->addChild(content);
    content->unref();
    SoSeparator *unlit = unlitScene(root);
    root->unref();
    Results r;
    measureModes(unlit, scene, r, nullptr);
    unlit->unref();
    EXPECT_GT(r.zbuffer[NONE].wrong, noneWrong) << scene;
}

} // namespace

// The comparisons can fail: in scene order the second triangle covers the first where the first
// is in front, about a quarter of their union.
TEST(RemovalFidelityTest, TwoTrianglesCrossingLikeAnX) {
    const Results r = measureTriangles("x", crossingX(), {0, 0, 2.5f}, 0);
    EXPECT_GT(r.rays[NONE].wrong, r.rays[NONE].covered / 10);
    EXPECT_GT(r.zbuffer[NONE].wrong, r.zbuffer[NONE].covered / 10);
}

TEST(RemovalFidelityTest, ThreeTrianglesInACycle) {
    measureTriangles("cycle", cycle(), {0, 0, 5}, 0);
}

// A white light from the lower left in front of the cube lights the three faces in view by 0.35,
// 0.54 and 0.77 of their colour and leaves the others black. The unlit painter drawing also
// shows that drawing and renderer meet where the page says: the outlines against the paper have
// the same centre within a quarter of a pixel (Ghostscript fills every pixel a shape touches,
// OpenGL those whose centres it covers), any shift of one or two pixels makes them agree less,
// and no pixel outside the bands is wrong.
TEST(RemovalFidelityTest, LitCubeSeenFromACorner) {
    const DirectionalLightSetup light{SbVec3f(0.3f, 0.1f, -1), 1.0f};
    const Results r = measureTriangles("cube", cubeFromCorner(), {0, 0, 3, &light}, 0);
    EXPECT_EQ(r.zbuffer[PAINTER].wrong, 0);
    expectAlignedWithoutShift(r.renderer.nonWhite(), r.painterSheet, 2, "cube");
}

TEST(RemovalFidelityTest, UvSphere) {
    measureTriangles("sphere", uvSphere(), {0, 0, 2.5f}, 0);
}

TEST(RemovalFidelityTest, RandomCrossingTriangles) {
    measureTriangles("random200", randomTriangles(), {0.5f, 0.5f, 1.25f}, 1.0);
}

// Scene files of the corpus, each from a direction where drawing in scene order goes wrong.
// Two columns, each a cylinder between two flat cubes.
TEST(RemovalFidelityTest, CorpusColumns) {
    measureCorpusFile("columns", "kautham/columns.iv", SbVec3f(-0.8f, -0.6f, -1), 1000);
}
// A table top on four legs whose ends pass into it.
TEST(RemovalFidelityTest, CorpusTable) {
    measureCorpusFile("table", "graspit/table.iv", SbVec3f(0.3f, 1, 0.5f), 1000);
}
// A small sphere half sunk into the side of a cylinder.
TEST(RemovalFidelityTest, CorpusSphereInCylinder) {
    measureCorpusFile("sphere-in-cylinder", "synthia/Synth_.iv", SbVec3f(-0.8f, -0.6f, -1), 100);
}
