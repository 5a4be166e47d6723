// Independent readers of our HP-GL/2: hp2xx must read what we write without complaint, and a
// drawing converted by hp2xx (to EPS) and Ghostscript (to pixels) must show its lines, dashes,
// filled polygon, dots and label where the drawing put them. Also page mode and the action
// applied to scenes.
#include "hpgl_test_util.h"
#include "png_image.h"
#include "scene/elements/SoViewportRegionElement.h"
#include "scene/nodes/SoCoordinate3.h"
#include "scene/nodes/SoCube.h"
#include "scene/nodes/SoDrawStyle.h"
#include "scene/nodes/SoLabel.h"
#include "scene/nodes/SoLineSet.h"
#include "scene/nodes/SoMaterial.h"
#include "scene/nodes/SoOrthographicCamera.h"
#include "scene/nodes/SoSeparator.h"
#include <cstdio>
#include <cstdlib>
#include <gtest/gtest.h>
#include <string>
#include <unistd.h>
#include <vector>

namespace {
bool installed(const char *path) {
    return access(path, X_OK) == 0;
}

// A 96-dpi picture of a page, read in millimetres from its lower-left corner.
struct Raster {
    scrivane::test::RgbImage image;
    // Samples on a 0.1 mm grid over the square of half-side `half` mm centred on (x, y) that
    // show a colour close to (r, g, b); with `all`, whether every sample does.
    int count(double x, double y, double half, int r, int g, int b) const {
        const int steps = static_cast<int>(half * 10 + 0.5);
        int n = 0;
        for (int i = -steps; i <= steps; i++)
            for (int j = -steps; j <= steps; j++) {
                const int col = static_cast<int>((x + i * 0.1) * 96 / 25.4);
                const int row = image.height - 1 - static_cast<int>((y + j * 0.1) * 96 / 25.4);
                n += col >= 0 && row >= 0 && col < image.width && row < image.height &&
                     scrivane::test::near(image.at(col, row), r, g, b, 59);
            }
        return n;
    }
    bool all(double x, double y, double half, int r, int g, int b) const {
        const int steps = static_cast<int>(half * 10 + 0.5);
        return count(x, y, half, r, g, b) == (2 * steps + 1) * (2 * steps + 1);
    }
    bool white(double x, double y, double half) const { return all(x, y, half, 255, 255, 255); }
};

// The EPS that readPlot had hp2xx write beside a plot, rendered by Ghostscript at 96 dpi.
bool render(const std::string &path, Raster &r) {
    const std::string png = path + ".png";
    const std::string command =
        "/usr/bin/gs -q -dBATCH -dNOPAUSE -dSAFER -dEPSCrop -r96 -sDEVICE=png16m "
        "-sOutputFile='" +
        png + "' '" + path + ".eps' > /dev/null 2>&1";
    EXPECT_EQ(std::system(command.c_str()), 0) << command;
    std::string error;
    EXPECT_TRUE(scrivane::test::readPng(png, r.image, error)) << error;
    return error.empty() && r.image.width > 0;
}
} // namespace

TEST(HpglRasterTest, Hp2xxAndGhostscriptShowTheDrawingWhereItWasPut) {
    if (!installed("/usr/bin/hp2xx") || !installed("/usr/bin/gs"))
        GTEST_SKIP() << "hp2xx (/usr/bin/hp2xx) or Ghostscript (/usr/bin/gs) is not installed: "
                        "raster check skipped";
    const Plot p = plotWith("raster", [](TestHPGLAction &a) {
        // A 100 mm drawing 10 mm inside a 120 mm page, so that the whole drawing lies on the page
        // that PS announces (hp2xx plots that page).
        a.beginPage(SbVec2f(0, 0), SbVec2f(120, 120));
        a.setStartPosition(10, 10);
        a.setDrawingDimensions(100, 100);
        a.setBorder(2.0f, SbColor(0, 0, 1));
        a.writeHeader();
        a.setHardwareClip();
        const SbColor red(1, 0, 0), blue(0, 0, 1), green(0, 1, 0), magenta(1, 0, 1);
        const SbVec4f solid[2] = {pt(10, 10), pt(90, 10)}, dashed[2] = {pt(10, 30), pt(90, 30)};
        a.printPolyLine(solid, 2, &red, 0, 4.0f, 0xFFFF);
        a.printPolyLine(dashed, 2, &blue, 0, 4.0f, 0x00FF);
        const SbVec4f square[4] = {pt(10, 45), pt(40, 45), pt(40, 75), pt(10, 75)};
        a.printPolygon(square, 4, &green, SbString(), SbString(), nullptr);
        const SbVec4f dots[3] = {pt(60, 50), pt(70, 50), pt(80, 50)};
        a.printPolyMark(dots, 3, &magenta, 0, 1.0f);
        a.printText2(pt(55, 70), red, "Helvetica", 12.0f, "HPGL", 1, 0.0f);
        a.printBorder();
        a.endPage();
    });
    Raster r;
    ASSERT_TRUE(render(p.path, r));
    // The EPS holds the page from its lower-left corner: a page millimetre is 96 / 25.4 pixels.
    ASSERT_NEAR(r.image.width, 120 * 96 / 25.4, 2);
    ASSERT_NEAR(r.image.height, 120 * 96 / 25.4, 2);
    // Paper: outside and inside the drawing; beside and beyond the red line; beside the green
    // square; between the dots; left of and below the label. (x, y, half side) in mm.
    const double paper[][3] = {{5, 5, 2},     {100, 100, 3}, {60, 23, 0.5}, {16, 20, 1},
                               {17, 70, 1.5}, {53, 62, 1.5}, {75, 60, 1},   {85, 60, 1},
                               {60, 84, 3},   {75, 77, 1.5}};
    for (const auto &w : paper)
        EXPECT_TRUE(r.white(w[0], w[1], w[2])) << w[0] << ", " << w[1];
    // The border, in blue, on the drawing area's edges (page 10 and 110 mm).
    for (double along : {30.0, 60.0, 90.0})
        for (const auto &at : std::initializer_list<std::pair<double, double>>{
                 {10, along}, {110, along}, {along, 10}, {along, 110}})
            EXPECT_GT(r.count(at.first, at.second, 0.2, 0, 0, 255), 0)
                << at.first << ", " << at.second;
    // The solid red line at page y = 20 from x = 20 to 100, 1.4 mm wide: red all along.
    for (double x = 22; x <= 98; x += 2)
        EXPECT_TRUE(r.all(x, 20, 0.3, 255, 0, 0)) << x;
    // The dashed blue line at y = 40: dashes and gaps alternate about every 5.65 mm.
    int bluePixels = 0, whitePixels = 0, dashes = 0;
    bool inDash = false;
    for (double x = 21; x <= 99; x += 0.1) {
        const bool isBlue = r.count(x, 40, 0, 0, 0, 255) == 1;
        bluePixels += isBlue;
        whitePixels += r.white(x, 40, 0);
        dashes += isBlue && !inDash;
        inDash = isBlue;
    }
    EXPECT_GE(dashes, 12);
    EXPECT_LE(dashes, 16);
    EXPECT_GT(whitePixels, 100);
    EXPECT_GT(bluePixels, 300);
    // The green square, page (20..50, 55..85), filled (hp2xx hatches it with lines of the pen);
    // three magenta dots at y = 60; the label starts at page (65, 80) and runs to the right,
    // above its baseline.
    EXPECT_GT(r.count(35, 70, 12, 0, 255, 0), 241 * 241 * 9 / 10);
    for (double x : {70.0, 80.0, 90.0})
        EXPECT_GT(r.count(x, 60, 0.7, 255, 0, 255), 4) << x;
    EXPECT_GT(r.count(75, 84, 4, 255, 0, 0), 100);
}

TEST(HpglRasterTest, Hp2xxVerdictRejectsABrokenStream) {
    if (!installed("/usr/bin/hp2xx"))
        GTEST_SKIP() << "hp2xx (/usr/bin/hp2xx) is not installed: nothing to check";
    // The checks on hp2xx's report must be able to fail: bad PE data and an unknown command.
    std::string path = outputPath("broken");
    FILE *fp = fopen(path.c_str(), "wb");
    ASSERT_NE(fp, nullptr);
    fputs("IN;SP1;XX;PE<=\xBF\xBF\x20\x10\xBF;SPPG;", fp);
    fclose(fp);
    Hp2xxVerdict verdict = runHp2xx(path, path + ".eps");
    EXPECT_FALSE(verdict.accepted) << verdict.log;
    EXPECT_NE(verdict.problems.find("command XX ignored"), std::string::npos) << verdict.problems;
    EXPECT_NE(verdict.problems.find("parse error"), std::string::npos) << verdict.problems;
    EXPECT_FALSE(hpgl::parse(readFile(path)).ok());
}

namespace {
struct HpglSceneTest : ::testing::Test {
    void SetUp() override {
        root = new SoSeparator;
        root->ref();
        root->addChild(new SoOrthographicCamera);
        root->addChild(new SoCube);
    }
    void TearDown() override { root->unref(); }
    SoSeparator *root = nullptr;
};

// The input windows of a stream; every vertex of every PE must lie in the window set before
// it (within a plotter unit).
std::vector<std::vector<double>> windows(const hpgl::Stream &s) {
    std::vector<std::vector<double>> all;
    std::vector<double> window{-1e9, -1e9, 1e9, 1e9};
    for (const hpgl::Command &c : s.commands) {
        if (c.mnemonic == "IW") all.push_back(window = c.params);
        if (c.mnemonic != "PE") continue;
        for (const hpgl::Vertex &v : c.vertices)
            EXPECT_TRUE(v.x >= window[0] - 1 && v.y >= window[1] - 1 && v.x <= window[2] + 1 &&
                        v.y <= window[3] + 1)
                << c.offset << ": (" << v.x << ", " << v.y << ")";
    }
    return all;
}

// The input windows of the two drawings of twoDrawingsOnAPage.
const std::vector<double> kFirstWindow{400, 400, 4000, 4000}, kSecondWindow{4400, 6000, 8000, 9600};

// The scene twice, as 90 mm drawings at (10, 10) and (110, 150) on an A4 page; setUp runs first.
Plot twoDrawingsOnAPage(const std::string &name, SoNode *scene, const Action &setUp = {}) {
    return plotWith(name, [&](TestHPGLAction &a) {
        a.beginPage(SbVec2f(0, 0), SbVec2f(210, 297));
        a.setDrawingDimensions(90, 90);
        if (setUp) setUp(a);
        a.setStartPosition(10, 10);
        a.apply(scene);
        a.setStartPosition(110, 150);
        a.apply(scene);
        a.endPage();
    });
}

// Switches the viewport to the right half of the window when the traversal meets a label.
class HalfViewportAction : public TestHPGLAction {
protected:
    void prepareAction(SoCallbackAction &action) override {
        TestHPGLAction::prepareAction(action);
        action.addPreCallback(SoLabel::getClassTypeId(), halfViewport, nullptr);
    }

private:
    static SoCallbackAction::Response halfViewport(void *, SoCallbackAction *action,
                                                   const SoNode *) {
        SbViewportRegion region = SoViewportRegionElement::get(action->getState());
        region.setViewport(0.5f, 0.0f, 0.5f, 1.0f);
        SoViewportRegionElement::set(action->getState(), region);
        return SoCallbackAction::CONTINUE;
    }
};
} // namespace

TEST_F(HpglSceneTest, PageModePutsTwoDrawingsOnOnePage) {
    const Plot p = twoDrawingsOnAPage("page-mode", root);
    const hpgl::Stream &s = p.stream;
    // One header with the page's size, one footer at the very end; the page keeps the
    // plotter's state: the width is set once for both frames.
    for (const char *once : {"ESC", "IN", "PS", "PG", "PW"})
        ASSERT_EQ(s.count(once), 1) << once;
    EXPECT_EQ(s.all("PS")[0]->params, (std::vector<double>{8400, 11880}));
    EXPECT_EQ(p.bytes.substr(p.bytes.size() - 6), "SPPG;\n");
    // Each drawing: its clip, then its border's window on the same area and its frame (the
    // polylines: PE starting with a pen-up move); the cube's faces are filled inside.
    EXPECT_EQ(windows(s), (std::vector<std::vector<double>>{kFirstWindow, kFirstWindow,
                                                            kSecondWindow, kSecondWindow}));
    std::vector<Points> frames;
    for (const hpgl::Command *pe : s.all("PE"))
        if (!pe->vertices.empty() && pe->vertices[0].penUp) frames.push_back(xy(*pe));
    EXPECT_EQ(frames, (std::vector<Points>{
                          {{400, 400}, {4000, 400}, {4000, 4000}, {400, 4000}, {400, 400}},
                          {{4400, 6000}, {8000, 6000}, {8000, 9600}, {4400, 9600}, {4400, 6000}}}));
    EXPECT_GT(s.count("FP"), 0);
}

TEST_F(HpglSceneTest, PageModeDrawsEachBackgroundAndBorderAtItsStartPosition) {
    // Two drawings of nothing but their blue background and red border on one page.
    SoSeparator *empty = new SoSeparator;
    empty->ref();
    const Plot p = twoDrawingsOnAPage("page-mode-backgrounds", empty, [](TestHPGLAction &a) {
        a.setBackgroundColor(1, SbColor(0, 0, 1));
        a.setBorder(2.0f, SbColor(1, 0, 0));
    });
    empty->unref();
    // Each filled outline lies in the window in force: the second background opens its own
    // drawing's window first, the first needs none after the header.
    EXPECT_EQ(windows(p.stream),
              (std::vector<std::vector<double>>{kFirstWindow, kSecondWindow, kSecondWindow}));
    EXPECT_EQ(p.stream.count("FP"), 2);
    if (!installed("/usr/bin/hp2xx") || !installed("/usr/bin/gs"))
        GTEST_SKIP() << "hp2xx (/usr/bin/hp2xx) or Ghostscript (/usr/bin/gs) is not installed: "
                        "raster check skipped";
    Raster r;
    ASSERT_TRUE(render(p.path, r));
    // Blue inside both drawings (page mm), white paper where neither is, red on their edges.
    for (const auto &centre :
         std::initializer_list<std::pair<double, double>>{{55, 55}, {155, 195}}) {
        EXPECT_GT(r.count(centre.first, centre.second, 40, 0, 0, 255), 801 * 801 * 9 / 10)
            << centre.first << ", " << centre.second;
        for (double along : {-30.0, 0.0, 30.0})
            for (const auto &edge : std::initializer_list<std::pair<double, double>>{
                     {centre.first - 45, centre.second + along},
                     {centre.first + 45, centre.second + along},
                     {centre.first + along, centre.second - 45},
                     {centre.first + along, centre.second + 45}})
                EXPECT_GT(r.count(edge.first, edge.second, 0.2, 255, 0, 0), 0)
                    << edge.first << ", " << edge.second;
    }
    EXPECT_TRUE(r.white(155, 55, 30));
    EXPECT_TRUE(r.white(55, 195, 30));
}

TEST_F(HpglSceneTest, ApplyWithoutPagesWritesOneDocumentEachAndAnOpenPageEndsInTheDestructor) {
    // The destructor ends the page and closes the file.
    const Plot p = plotWith("two-documents", [&](TestHPGLAction &a) {
        a.apply(root);
        a.apply(root);
        a.beginPage(SbVec2f(0, 0), SbVec2f(210, 297));
        a.apply(root);
    });
    EXPECT_EQ(p.stream.count("IN"), 3);
    EXPECT_EQ(p.stream.count("PG"), 3);
    EXPECT_EQ(p.bytes.substr(p.bytes.size() - 6), "SPPG;\n");
    windows(p.stream);
}

TEST_F(HpglSceneTest, AViewportChangeSetsANewInputWindow) {
    root->addChild(new SoLabel);
    root->addChild(new SoCube);
    const Plot p =
        plotWith<HalfViewportAction>("viewports", [&](TestHPGLAction &a) { a.apply(root); });
    // The whole drawing area, then its right half; the border opens the window on the whole area.
    EXPECT_EQ(windows(p.stream),
              (std::vector<std::vector<double>>{
                  {400, 400, 8000, 11480}, {4200, 400, 8000, 11480}, {400, 400, 8000, 11480}}));
}

TEST_F(HpglSceneTest, ASceneArrivesAtItsPlotterCoordinates) {
    // A 2-unit orthographic view on a 100 mm square drawing: model x, y in [-1, 1] map to
    // (x + 1) * 50 mm, plus the 10 mm start position, times 40 plotter units. A red line,
    // 3 wide and dashed.
    root->removeChild(1);
    auto *camera = static_cast<SoOrthographicCamera *>(root->getChild(0));
    camera->position.setValue(0, 0, 5);
    camera->height.setValue(2);
    SoMaterial *red = new SoMaterial;
    red->diffuseColor.setValue(1, 0, 0);
    SoDrawStyle *style = new SoDrawStyle;
    style->lineWidth.setValue(3);
    style->linePattern.setValue(0x00FF);
    SoCoordinate3 *path = new SoCoordinate3;
    const SbVec3f corners[3] = {SbVec3f(-0.5f, -0.5f, 0), SbVec3f(0.5f, -0.5f, 0),
                                SbVec3f(0.5f, 0.5f, 0)};
    path->point.setValues(0, 3, corners);
    for (SoNode *node : std::initializer_list<SoNode *>{red, style, path, new SoLineSet})
        root->addChild(node);
    const Plot p = plotWith("scene", [&](TestHPGLAction &a) {
        a.setDrawingDimensions(100, 100);
        a.setBorder(0);
        a.apply(root);
    });
    windows(p.stream);
    ASSERT_EQ(p.stream.count("PE"), 1) << p.body;
    const hpgl::Command &line = *p.stream.all("PE")[0];
    EXPECT_EQ(line.selectedPen, 224);
    const Points want{{1400, 1400}, {3400, 1400}, {3400, 3400}}, got = xy(line);
    ASSERT_EQ(got.size(), 3u);
    for (size_t i = 0; i < 3; i++)
        EXPECT_TRUE(std::abs(got[i].first - want[i].first) <= 1 &&
                    std::abs(got[i].second - want[i].second) <= 1)
            << i << ": " << got[i].first << ", " << got[i].second;
    EXPECT_EQ(p.stream.count("UL"), 1);
    ASSERT_EQ(p.stream.count("PW"), 1);
    EXPECT_NEAR(p.stream.all("PW")[0]->params.at(0), 3 * 0.35277778, 1e-6);
}
