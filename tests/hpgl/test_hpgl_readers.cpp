// Independent readers of our HP-GL/2: hp2xx must read what we write without complaint, and a
// drawing converted by hp2xx (to EPS) and Ghostscript (to pixels) must show its lines, dashes,
// filled polygon, dots and label where the drawing put them. Also page mode and the action
// applied to scenes.
#include <gtest/gtest.h>
#include <png.h>
#include <unistd.h>
#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <regex>
#include <string>
#include <vector>
#include "hpgl_reader.h"
#include "hpgl_test_util.h"
#include "scene/elements/SoViewportRegionElement.h"
#include "scene/nodes/SoCoordinate3.h"
#include "scene/nodes/SoCube.h"
#include "scene/nodes/SoDrawStyle.h"
#include "scene/nodes/SoLabel.h"
#include "scene/nodes/SoLineSet.h"
#include "scene/nodes/SoMaterial.h"
#include "scene/nodes/SoOrthographicCamera.h"
#include "scene/nodes/SoPointSet.h"
#include "scene/nodes/SoSeparator.h"
#include "scene/nodes/SoText2.h"
#include "scene/nodes/SoTranslation.h"
#include "scrivane/SoScrivane.h"

namespace {
SbVec4f pt(float x, float y) { return SbVec4f(x, y, 0.0f, 1.0f); }

bool hp2xxInstalled() { return access("/usr/bin/hp2xx", X_OK) == 0; }
bool ghostscriptInstalled() { return access("/usr/bin/gs", X_OK) == 0; }

struct Raster {
    int width = 0, height = 0;
    std::vector<unsigned char> rgb;
    // The pixel that shows the page point (x, y) in millimetres from the page's lower-left corner.
    double dpi = 96;
    double originX = 0, originY = 0;  // page position of the raster's lower-left corner, mm
    const unsigned char *at(double xmm, double ymm) const {
        int col = static_cast<int>((xmm - originX) * dpi / 25.4);
        int row = height - 1 - static_cast<int>((ymm - originY) * dpi / 25.4);
        if (col < 0 || row < 0 || col >= width || row >= height) return nullptr;
        return &rgb[(static_cast<size_t>(row) * width + col) * 3];
    }
};

bool readPng(const std::string &path, Raster &raster) {
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_file(&image, path.c_str())) return false;
    image.format = PNG_FORMAT_RGB;
    raster.rgb.resize(PNG_IMAGE_SIZE(image));
    if (!png_image_finish_read(&image, nullptr, raster.rgb.data(), 0, nullptr)) return false;
    raster.width = static_cast<int>(image.width);
    raster.height = static_cast<int>(image.height);
    return true;
}

// Samples on a 0.1 mm grid over the square of half-side `half` mm centred on (x, y): how many
// there are, and how many show a colour close to (red, green, blue).
int samples(double half) {
    int steps = static_cast<int>(half * 10 + 0.5);
    return (2 * steps + 1) * (2 * steps + 1);
}

int countNear(const Raster &r, double x, double y, double half, int red, int green, int blue) {
    int steps = static_cast<int>(half * 10 + 0.5), n = 0;
    for (int i = -steps; i <= steps; i++)
        for (int j = -steps; j <= steps; j++) {
            const unsigned char *p = r.at(x + i * 0.1, y + j * 0.1);
            if (p && std::abs(p[0] - red) < 60 && std::abs(p[1] - green) < 60 && std::abs(p[2] - blue) < 60) n++;
        }
    return n;
}
} // namespace

TEST(HpglRasterTest, Hp2xxAndGhostscriptShowTheDrawingWhereItWasPut) {
    if (!hp2xxInstalled() || !ghostscriptInstalled())
        GTEST_SKIP() << "hp2xx (/usr/bin/hp2xx) or Ghostscript (/usr/bin/gs) is not installed: raster check skipped";
    HpglDrawing d("raster");
    TestHPGLAction &a = d.action;
    // A 100 mm drawing 10 mm inside a 120 mm page, so that the whole drawing lies on the page
    // that PS announces (hp2xx plots that page).
    a.beginPage(SbVec2f(0, 0), SbVec2f(120, 120));
    a.setStartPosition(10, 10);
    a.setDrawingDimensions(100, 100);
    a.setBorder(2.0f, SbColor(0, 0, 1));
    a.writeHeader();
    a.setHardwareClip();
    const SbColor red(1, 0, 0), blue(0, 0, 1), green(0, 1, 0), magenta(1, 0, 1);
    const SbVec4f solid[2] = {pt(10, 10), pt(90, 10)};
    a.printPolyLine(solid, 2, &red, 0, 4.0f, 0xFFFF);
    const SbVec4f dashed[2] = {pt(10, 30), pt(90, 30)};
    a.printPolyLine(dashed, 2, &blue, 0, 4.0f, 0x00FF);
    const SbVec4f square[4] = {pt(10, 45), pt(40, 45), pt(40, 75), pt(10, 75)};
    a.printPolygon(square, 4, &green, SbString(), SbString(), nullptr);
    const SbVec4f dots[3] = {pt(60, 50), pt(70, 50), pt(80, 50)};
    a.printPolyMark(dots, 3, &magenta, 0, 1.0f);
    a.printText2(pt(55, 70), red, "Helvetica", 12.0f, "HPGL", 1, 0.0f);
    a.printBorder();
    a.endPage();
    std::string bytes = d.close();
    expectReadable(d.path, bytes);
    std::string eps = d.path + ".eps", png = d.path + ".png";
    std::string command = "/usr/bin/gs -q -dBATCH -dNOPAUSE -dSAFER -dEPSCrop -r96 -sDEVICE=png16m -sOutputFile='" +
                          png + "' '" + eps + "' > /dev/null 2>&1";
    ASSERT_EQ(std::system(command.c_str()), 0) << command;
    Raster r;
    ASSERT_TRUE(readPng(png, r)) << png;
    // The EPS holds the page from its lower-left corner: a page millimetre is 96 / 25.4 pixels.
    ASSERT_NEAR(r.width, 120 * 96 / 25.4, 2);
    ASSERT_NEAR(r.height, 120 * 96 / 25.4, 2);

    // Paper outside and inside the drawing.
    EXPECT_EQ(countNear(r, 5, 5, 2, 255, 255, 255), samples(2));
    EXPECT_EQ(countNear(r, 100, 100, 3, 255, 255, 255), samples(3));
    // The border, in blue, on the drawing area's edges (page 10 and 110 mm).
    for (double along : {30.0, 60.0, 90.0}) {
        EXPECT_GT(countNear(r, 10, along, 0.2, 0, 0, 255), 0) << along;
        EXPECT_GT(countNear(r, 110, along, 0.2, 0, 0, 255), 0) << along;
        EXPECT_GT(countNear(r, along, 10, 0.2, 0, 0, 255), 0) << along;
        EXPECT_GT(countNear(r, along, 110, 0.2, 0, 0, 255), 0) << along;
    }
    // The solid red line at page y = 20 from x = 20 to 100, 1.4 mm wide: red all along, nothing
    // beside it or beyond its ends.
    for (double x = 22; x <= 98; x += 2) EXPECT_EQ(countNear(r, x, 20, 0.3, 255, 0, 0), samples(0.3)) << x;
    EXPECT_EQ(countNear(r, 60, 23, 0.5, 255, 255, 255), samples(0.5));
    EXPECT_EQ(countNear(r, 16, 20, 1, 255, 255, 255), samples(1));
    // The dashed blue line at y = 40: dashes and gaps alternate about every 5.65 mm.
    int bluePixels = 0, whitePixels = 0, dashes = 0;
    bool inDash = false;
    for (double x = 21; x <= 99; x += 0.1) {
        bool isBlue = countNear(r, x, 40, 0, 0, 0, 255) == 1;
        bool isWhite = countNear(r, x, 40, 0, 255, 255, 255) == 1;
        bluePixels += isBlue;
        whitePixels += isWhite;
        if (isBlue && !inDash) dashes++;
        inDash = isBlue;
    }
    EXPECT_GE(dashes, 12);
    EXPECT_LE(dashes, 16);
    EXPECT_GT(whitePixels, 100);
    EXPECT_GT(bluePixels, 300);
    // The green square, page (20..50, 55..85), filled (hp2xx hatches it with lines of the pen).
    EXPECT_GT(countNear(r, 35, 70, 12, 0, 255, 0), samples(12) * 9 / 10);
    EXPECT_EQ(countNear(r, 17, 70, 1.5, 255, 255, 255), samples(1.5));
    EXPECT_EQ(countNear(r, 53, 62, 1.5, 255, 255, 255), samples(1.5));
    // Three magenta dots at y = 60 and nothing between them.
    for (double x : {70.0, 80.0, 90.0}) EXPECT_GT(countNear(r, x, 60, 0.7, 255, 0, 255), 4) << x;
    for (double x : {75.0, 85.0}) EXPECT_EQ(countNear(r, x, 60, 1, 255, 255, 255), samples(1)) << x;
    // The label starts at page (65, 80) and runs to the right, above its baseline.
    EXPECT_GT(countNear(r, 75, 84, 4, 255, 0, 0), 100);
    EXPECT_EQ(countNear(r, 60, 84, 3, 255, 255, 255), samples(3));
    EXPECT_EQ(countNear(r, 75, 77, 1.5, 255, 255, 255), samples(1.5));
}

TEST(HpglRasterTest, Hp2xxVerdictRejectsABrokenStream) {
    if (!hp2xxInstalled()) GTEST_SKIP() << "hp2xx (/usr/bin/hp2xx) is not installed: nothing to check";
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
        SoScrivane::init();
        root = new SoSeparator;
        root->ref();
        root->addChild(new SoOrthographicCamera);
        root->addChild(new SoCube);
    }
    void TearDown() override { root->unref(); }
    SoSeparator *root = nullptr;
};

// Every vertex of every PE lies in the input window set before it (within a plotter unit).
void expectInsideWindows(const hpgl::Stream &s) {
    double window[4] = {-1e9, -1e9, 1e9, 1e9};
    for (const hpgl::Command &c : s.commands) {
        if (c.mnemonic == "IW" && c.params.size() == 4)
            for (int k = 0; k < 4; k++) window[k] = c.params[static_cast<size_t>(k)];
        if (c.mnemonic != "PE") continue;
        for (const hpgl::Vertex &v : c.vertices) {
            EXPECT_GE(v.x, window[0] - 1) << c.offset;
            EXPECT_GE(v.y, window[1] - 1) << c.offset;
            EXPECT_LE(v.x, window[2] + 1) << c.offset;
            EXPECT_LE(v.y, window[3] + 1) << c.offset;
        }
    }
}

std::vector<std::vector<double>> windows(const hpgl::Stream &s) {
    std::vector<std::vector<double>> w;
    for (const hpgl::Command *c : s.all("IW")) w.push_back(c->params);
    return w;
}

// Switches the viewport to the right half of the window when the traversal meets a label.
class HalfViewportAction : public TestHPGLAction {
protected:
    void prepareAction(SoCallbackAction &action) override {
        TestHPGLAction::prepareAction(action);
        action.addPreCallback(SoLabel::getClassTypeId(), halfViewport, nullptr);
    }

private:
    static SoCallbackAction::Response halfViewport(void *, SoCallbackAction *action, const SoNode *) {
        SbViewportRegion region = SoViewportRegionElement::get(action->getState());
        region.setViewport(0.5f, 0.0f, 0.5f, 1.0f);
        SoViewportRegionElement::set(action->getState(), region);
        return SoCallbackAction::CONTINUE;
    }
};
} // namespace

TEST_F(HpglSceneTest, PageModePutsTwoDrawingsOnOnePage) {
    HpglDrawing d("page-mode");
    TestHPGLAction &a = d.action;
    a.beginPage(SbVec2f(0, 0), SbVec2f(210, 297));
    a.setDrawingDimensions(90, 90);
    a.setStartPosition(10, 10);
    a.apply(root);
    a.setStartPosition(110, 150);
    a.apply(root);
    a.endPage();
    std::string bytes = d.close();
    hpgl::Stream s = expectReadable(d.path, bytes);
    // One header with the page's size, one footer at the very end.
    EXPECT_EQ(s.count("ESC"), 1);
    EXPECT_EQ(s.count("IN"), 1);
    ASSERT_EQ(s.count("PS"), 1);
    EXPECT_EQ(s.all("PS")[0]->params, (std::vector<double>{8400, 11880}));
    EXPECT_EQ(s.count("PG"), 1);
    EXPECT_EQ(bytes.substr(bytes.size() - 6), "SPPG;\n");
    // Each drawing: its clip, then its border's window on the same area and its frame.
    const std::vector<double> first{400, 400, 4000, 4000}, second{4400, 6000, 8000, 9600};
    EXPECT_EQ(windows(s), (std::vector<std::vector<double>>{first, first, second, second}));
    // The frames are the polylines (PE starting with a pen-up move); the cube's faces are
    // filled polygons inside each window.
    std::vector<const hpgl::Command *> frames;
    for (const hpgl::Command *pe : s.all("PE"))
        if (!pe->vertices.empty() && pe->vertices[0].penUp) frames.push_back(pe);
    ASSERT_EQ(frames.size(), 2u);
    const std::vector<std::pair<double, double>> frame1{{400, 400}, {4000, 400}, {4000, 4000}, {400, 4000}, {400, 400}},
        frame2{{4400, 6000}, {8000, 6000}, {8000, 9600}, {4400, 9600}, {4400, 6000}};
    for (int k = 0; k < 2; k++) {
        std::vector<std::pair<double, double>> got;
        for (const hpgl::Vertex &v : frames[static_cast<size_t>(k)]->vertices) got.emplace_back(v.x, v.y);
        EXPECT_EQ(got, k == 0 ? frame1 : frame2) << k;
    }
    // The page keeps the plotter's state: the width is set once for both frames.
    EXPECT_EQ(s.count("PW"), 1);
    if (s.count("FP") == 0) std::cout << "[ NOTE     ] the scene produced no polygon\n";
    expectInsideWindows(s);
}

TEST_F(HpglSceneTest, ApplyWithoutPagesWritesOneDocumentEachAndAnOpenPageEndsInTheDestructor) {
    std::string path = outputPath("two-documents");
    {
        TestHPGLAction a;
        ASSERT_EQ(a.getOutput()->openFile(path.c_str()), 1);
        a.apply(root);
        a.apply(root);
        a.beginPage(SbVec2f(0, 0), SbVec2f(210, 297));
        a.apply(root);
        // The destructor ends the page and closes the file.
    }
    std::string bytes = readFile(path);
    hpgl::Stream s = expectReadable(path, bytes);
    EXPECT_EQ(s.count("IN"), 3);
    EXPECT_EQ(s.count("PG"), 3);
    EXPECT_EQ(bytes.substr(bytes.size() - 6), "SPPG;\n");
    expectInsideWindows(s);
}

TEST_F(HpglSceneTest, AViewportChangeSetsANewInputWindow) {
    root->addChild(new SoLabel);
    root->addChild(new SoCube);
    std::string path = outputPath("viewports");
    {
        HalfViewportAction a;
        ASSERT_EQ(a.getOutput()->openFile(path.c_str()), 1);
        a.apply(root);
    }
    hpgl::Stream s = expectReadable(path, readFile(path));
    // The whole drawing area, then its right half; the border opens the window on the whole area.
    EXPECT_EQ(windows(s), (std::vector<std::vector<double>>{
                              {400, 400, 8000, 11480}, {4200, 400, 8000, 11480}, {400, 400, 8000, 11480}}));
    expectInsideWindows(s);
}

TEST(HpglSceneDrawingTest, ASceneArrivesAtItsPlotterCoordinates) {
    SoScrivane::init();
    // A 2-unit orthographic view on a 100 mm square drawing: model x, y in [-1, 1] map to
    // (x + 1) * 50 mm, plus the 10 mm start position, times 40 plotter units.
    SoSeparator *root = new SoSeparator;
    root->ref();
    SoOrthographicCamera *camera = new SoOrthographicCamera;
    camera->position.setValue(0, 0, 5);
    camera->height.setValue(2);
    root->addChild(camera);
    SoSeparator *lines = new SoSeparator;
    SoMaterial *red = new SoMaterial;
    red->diffuseColor.setValue(1, 0, 0);
    SoDrawStyle *style = new SoDrawStyle;
    style->lineWidth.setValue(3);
    style->linePattern.setValue(0x00FF);
    SoCoordinate3 *coords = new SoCoordinate3;
    const SbVec3f path[3] = {SbVec3f(-0.5f, -0.5f, 0), SbVec3f(0.5f, -0.5f, 0), SbVec3f(0.5f, 0.5f, 0)};
    coords->point.setValues(0, 3, path);
    lines->addChild(red);
    lines->addChild(style);
    lines->addChild(coords);
    lines->addChild(new SoLineSet);
    root->addChild(lines);
    SoSeparator *points = new SoSeparator;
    SoMaterial *blue = new SoMaterial;
    blue->diffuseColor.setValue(0, 0, 1);
    SoCoordinate3 *dotCoords = new SoCoordinate3;
    const SbVec3f dots[2] = {SbVec3f(-0.5f, 0, 0), SbVec3f(0, 0, 0)};
    dotCoords->point.setValues(0, 2, dots);
    points->addChild(blue);
    points->addChild(dotCoords);
    points->addChild(new SoPointSet);
    root->addChild(points);
    SoSeparator *label = new SoSeparator;
    SoTranslation *move = new SoTranslation;
    move->translation.setValue(-0.5f, 0.5f, 0);
    SoText2 *text = new SoText2;
    text->string.setValue("scene");
    label->addChild(red);
    label->addChild(move);
    label->addChild(text);
    root->addChild(label);

    HpglDrawing d("scene");
    d.action.setDrawingDimensions(100, 100);
    d.action.setBorder(0);
    d.action.apply(root);
    root->unref();
    std::string bytes = d.close();
    hpgl::Stream s = expectReadable(d.path, bytes);
    auto near = [](double got, double want) { return std::abs(got - want) <= 1.0; };

    ASSERT_EQ(s.count("PE"), 1) << bytes.substr(bytes.find("\nLA1"));
    const hpgl::Command &line = *s.all("PE")[0];
    EXPECT_EQ(line.selectedPen, 224);
    const double want[3][2] = {{1400, 1400}, {3400, 1400}, {3400, 3400}};
    ASSERT_EQ(line.vertices.size(), 3u);
    for (int i = 0; i < 3; i++) {
        EXPECT_TRUE(near(line.vertices[static_cast<size_t>(i)].x, want[i][0])) << i << ": " << line.vertices[static_cast<size_t>(i)].x;
        EXPECT_TRUE(near(line.vertices[static_cast<size_t>(i)].y, want[i][1])) << i << ": " << line.vertices[static_cast<size_t>(i)].y;
    }
    ASSERT_EQ(s.count("UL"), 1);
    ASSERT_EQ(s.count("PW"), 1);
    EXPECT_NEAR(s.all("PW")[0]->params.at(0), 3 * 0.35277778, 1e-6);

    std::vector<std::pair<double, double>> dotsAt;
    for (const hpgl::Command *pa : s.all("PA"))
        for (const hpgl::Vertex &v : pa->vertices) dotsAt.emplace_back(v.x, v.y);
    ASSERT_EQ(dotsAt.size(), 3u);  // two dots, then the label's origin
    EXPECT_TRUE(near(dotsAt[0].first, 1400) && near(dotsAt[0].second, 2400)) << dotsAt[0].first << "," << dotsAt[0].second;
    EXPECT_TRUE(near(dotsAt[1].first, 2400) && near(dotsAt[1].second, 2400)) << dotsAt[1].first << "," << dotsAt[1].second;
    EXPECT_TRUE(near(dotsAt[2].first, 1400) && near(dotsAt[2].second, 3400)) << dotsAt[2].first << "," << dotsAt[2].second;
    ASSERT_EQ(s.count("LB"), 1);
    EXPECT_EQ(s.all("LB")[0]->text, "scene");
    expectInsideWindows(s);
}
