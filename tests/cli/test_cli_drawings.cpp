// Drawings written by the command: the demo scene in every format and with the options that
// change the output, the example scenes, and the camera added to a scene that has none.
#include "cgm_reader.h"
#include "cli_run.h"
#include "emf_dump.h"
#include "hpgl_reader.h"
#include "ps_check.h"
#include <gtest/gtest.h>
#include <set>
#include <string>

using namespace clitest;
using scrivane::test::ghostscriptAccepts;

namespace {
bool startsWith(const std::string &s, const std::string &prefix) {
    return s.rfind(prefix, 0) == 0;
}

void checkPs(const std::string &path) {
    EXPECT_TRUE(startsWith(slurp(path), "%!PS-Adobe-2.0")) << path;
    EXPECT_TRUE(ghostscriptAccepts(path));
}

void checkCgm(const cgmtest::Metafile &m) {
    ASSERT_TRUE(m.ok) << m.error;
    ASSERT_FALSE(m.elements.empty());
    EXPECT_EQ(m.elements.front().name, "BEGMF");
    EXPECT_EQ(m.elements.back().name, "ENDMF");
    EXPECT_GT(cgmtest::elementsNamed(m, "POLYGON").size(), 10u) << cgmtest::elementNames(m);
}

void checkHpgl(const std::string &path, int pens) {
    hpgl::Stream s = hpgl::parse(slurp(path));
    ASSERT_TRUE(s.ok()) << s.error;
    EXPECT_GT(s.count("PE"), 10);
    std::set<int> used;
    for (const hpgl::Command *c : s.all("SP"))
        if (!c->params.empty()) used.insert(static_cast<int>(c->params[0]));
    for (const hpgl::Command *c : s.all("PE"))
        if (c->selectedPen >= 0) used.insert(c->selectedPen);
    EXPECT_GE(used.size(), 2u) << "the demo's colours should need more than one pen";
    if (pens > 0) {
        for (int pen : used)
            EXPECT_TRUE(pen >= 0 && pen <= pens) << "pen " << pen << " of " << pens;
    }
}

// Draws the unit cube scene with the options as dir/name.ps and renders its whole A4 page (the
// bounding box leaves out the margins) at dpi into image.
void renderCube(const std::string &dir, const std::string &name, std::vector<std::string> options,
                int dpi, scrivane::test::PngImage &image) {
    const std::string ps = dir + "/" + name + ".ps", png = dir + "/" + name + ".png";
    options.insert(options.begin(), {data("unit_cube.iv"), "-o", ps});
    ASSERT_TRUE(exited(runTool(dir, options), 0));
    scrivane::test::RenderOptions render;
    render.dpi = dpi;
    render.pageWidthPoints = 595;
    render.pageHeightPoints = 842;
    const auto gs = scrivane::test::renderToPng(ps, png, render);
    ASSERT_TRUE(gs.ok()) << gs.describe();
    ASSERT_TRUE(image.read(png));
}
} // namespace

TEST(CliDrawings, DemoSceneInEveryFormat) {
    std::string dir = freshDir();
    auto write = [&](const std::string &name, std::vector<std::string> options) {
        options.insert(options.end(), {"-o", dir + "/" + name});
        Result run = runTool(dir, options);
        EXPECT_TRUE(exited(run, 0)) << name;
        EXPECT_TRUE(run.err.empty()) << name << ": " << run.err;
        return dir + "/" + name;
    };
    std::string ps = write("demo.ps", {});
    checkPs(ps);

    EXPECT_TRUE(
        exited(runTool(dir, {"-f", "ps", "-o", "-"}, RunOptions{dir + "/stdout.ps", -1, -1}), 0));
    checkPs(dir + "/stdout.ps");
    EXPECT_EQ(slurp(dir + "/stdout.ps"), slurp(ps)) << "standard output differs from the file";

    std::string grey = write("grey.ps", {"--grey"});
    checkPs(grey);
    // Colours are set by "R G B gc" lines in colour and by "L gb" lines in grey.
    for (const auto &[path, colour] : {std::pair{ps, true}, {grey, false}}) {
        std::string text = slurp(path);
        EXPECT_EQ(text.find(" gc\n") != std::string::npos, colour) << path;
        EXPECT_EQ(text.find(" gb\n") != std::string::npos, !colour) << path;
    }
    // The visible painter renders off screen, without a warning.
    checkPs(write("visible-painter.ps", {"--hidden", "visible-painter", "--lighting"}));
    for (const auto &variant : {std::vector<std::string>{"--landscape"}, {"--lighting"}}) {
        std::string path = write(variant[0].substr(2) + ".ps", variant);
        SCOPED_TRACE(variant[0]);
        checkPs(path);
        EXPECT_NE(slurp(path), slurp(ps)) << variant[0] << " changed nothing";
    }
    for (const char *name : {"demo.hpgl", "demo.plt"})
        checkHpgl(write(name, {}), 0);
    checkHpgl(write("pens8.hpgl", {"--pens", "8"}), 8);

    checkCgm(cgmtest::readClearText(slurp(write("clear.cgm", {}))));
    cgmtest::Metafile indexed =
        cgmtest::readClearText(slurp(write("indexed.cgm", {"--cgm-indexed"})));
    checkCgm(indexed);
    EXPECT_FALSE(cgmtest::elementsNamed(indexed, "COLRTABLE").empty())
        << cgmtest::elementNames(indexed);
    for (const char *version : {"1", "4"}) {
        std::string name = std::string("binary") + version + ".cgm";
        cgmtest::Metafile binary = cgmtest::dumpBinary(
            cgmtest::readFileBytes(write(name, {"--cgm-binary", "--cgm-version", version})));
        SCOPED_TRACE(name);
        checkCgm(binary);
        auto declared = cgmtest::elementsNamed(binary, "MFVERSION");
        ASSERT_EQ(declared.size(), 1u);
        EXPECT_EQ(declared[0].numbers, std::vector<double>{std::stod(version)});
    }

    scrivane::test::EmfFile emf = scrivane::test::readEmfFile(write("demo.emf", {}));
    ASSERT_TRUE(emf.loaded);
    EXPECT_EQ(scrivane::test::checkEmf(emf), std::vector<std::string>{})
        << scrivane::test::dumpEmf(emf);
    EXPECT_GT(emf.ofType(scrivane::test::emf_type::POLYGON16).size() +
                  emf.ofType(scrivane::test::emf_type::POLYGON).size(),
              10u);
    // The header's description names the drawing asked for, not the temporary file the command
    // wrote it in before moving it into place.
    const scrivane::test::EmfRecord &header = emf.records.at(0);
    EXPECT_EQ(header.utf16(header.u32(64), header.u32(60)),
              "Creator : Scrivane Nalder EUROPE a Nalder Company\\u0000" + dir +
                  "/demo.emf\\u0000\\u0000");
    // PDF and SVG, by extension and by -f to standard output: the same bytes either way.
    const std::string pdf = slurp(write("demo.pdf", {}));
    EXPECT_TRUE(startsWith(pdf, "%PDF-1.5")) << pdf.substr(0, 20);
    EXPECT_EQ(pdf.substr(pdf.size() - 6), "%%EOF\n");
    const std::string svg = slurp(write("demo.svg", {}));
    EXPECT_NE(svg.find("<svg xmlns=\"http://www.w3.org/2000/svg\""), std::string::npos);
    EXPECT_NE(svg.find("width=\"210mm\" height=\"297mm\""), std::string::npos);
    EXPECT_EQ(svg.substr(svg.size() - 7), "</svg>\n");
    for (const char *format : {"pdf", "svg"}) {
        const std::string name = std::string("stdout.") + format;
        EXPECT_TRUE(exited(
            runTool(dir, {"-f", format, "-o", "-"}, RunOptions{dir + "/" + name, -1, -1}), 0));
        EXPECT_EQ(slurp(dir + "/" + name), format == std::string("pdf") ? pdf : svg) << format;
    }
    // Only the finished drawings are left: no temporary files.
    EXPECT_EQ(listDir(dir), (std::vector<std::string>{
                                "binary1.cgm", "binary4.cgm", "clear.cgm", "demo.emf", "demo.hpgl",
                                "demo.pdf", "demo.plt", "demo.ps", "demo.svg", "grey.ps",
                                "indexed.cgm", "landscape.ps", "lighting.ps", "pens8.hpgl",
                                "stdout.pdf", "stdout.ps", "stdout.svg", "visible-painter.ps"}));
}

TEST(CliDrawings, ExampleScenesPassGhostscript) {
    std::string dir = freshDir();
    for (const char *scene : {"bracket", "markers_and_patterns", "image"}) {
        std::string ps = dir + "/" + scene + ".ps";
        Result run = runTool(dir, {std::string(SCRIVANE_EXAMPLES) + "/" + scene + ".iv", "-o", ps});
        EXPECT_TRUE(exited(run, 0)) << scene;
        EXPECT_TRUE(run.err.empty()) << scene << ": " << run.err;
        EXPECT_TRUE(ghostscriptAccepts(ps)) << scene;
    }
}

TEST(CliDrawings, SceneWithoutCameraIsFramed) {
    // A small cube far from the origin and with no camera: the camera the command adds must
    // bring it into the middle of the drawing.
    const int dpi = 36;
    scrivane::test::PngImage image;
    ASSERT_NO_FATAL_FAILURE(renderCube(freshDir(), "cube", {}, dpi, image));
    // A4 with 10 mm margins: the drawing's centre is at (105, 148.5) mm.
    auto dark = [](scrivane::test::Rgb c) { return c.r >= 0 && c.r + c.g + c.b < 300; };
    for (double dx : {-25.0, 0.0, 25.0})
        for (double dy : {-25.0, 0.0, 25.0})
            EXPECT_TRUE(dark(image.pixelAtMillimetres(105 + dx, 148.5 + dy, dpi)))
                << "at (" << 105 + dx << ", " << 148.5 + dy
                << ") mm: " << image.pixelAtMillimetres(105 + dx, 148.5 + dy, dpi);
    for (double x : {5.0, 205.0})
        for (double y : {5.0, 292.0})
            EXPECT_EQ(image.pixelAtMillimetres(x, y, dpi), scrivane::test::Rgb(255, 255, 255))
                << "at (" << x << ", " << y << ") mm";
}

// Border and background colours are colours on paper: the default black border prints black
// under the default black-and-white swap, and the colours given print as given whatever the
// screen-to-paper translation.
TEST(CliDrawings, BorderAndBackgroundPrintInTheColoursAskedFor) {
    const std::string dir = freshDir();
    const int dpi = scrivane::test::RenderOptions().dpi;
    struct Case {
        std::vector<std::string> options;
        scrivane::test::Rgb border, background;
    };
    const Case cases[] = {
        {{"--border", "4", "--background", "1,1,1"}, {0, 0, 0}, {255, 255, 255}},
        {{"--border", "4", "--border-color", "1,0,0", "--background", "1,1,0", "--colors",
          "invert"},
         {255, 0, 0},
         {255, 255, 0}},
    };
    for (const Case &c : cases) {
        const std::string name = "border" + std::to_string(&c - cases);
        SCOPED_TRACE(name);
        scrivane::test::PngImage image;
        ASSERT_NO_FATAL_FAILURE(renderCube(dir, name, c.options, dpi, image));
        // The border straddles the frame's edge at 10 mm and is clipped to the frame.
        EXPECT_EQ(image.pixelAtMillimetres(10.4, 148.5, dpi), c.border);
        EXPECT_EQ(image.pixelAtMillimetres(14, 14, dpi), c.background);
    }
}

// The command joins the two triangles of each face of a cube into one polygon; --no-join prints
// the triangles.
TEST(CliDrawings, CoplanarFacesAreJoinedUnlessNoJoin) {
    std::string dir = freshDir();
    const auto polygons = [&](const std::vector<std::string> &extra) {
        std::vector<std::string> args = {data("unit_cube.iv"), "--hidden", "painter", "-o",
                                         dir + "/cube.ps"};
        args.insert(args.end(), extra.begin(), extra.end());
        EXPECT_TRUE(exited(runTool(dir, args), 0));
        const std::string ps = slurp(dir + "/cube.ps");
        std::vector<int> counts; // points after the first, per polygon
        for (size_t at = ps.find(" pfaend\n"); at != std::string::npos;
             at = ps.find(" pfaend\n", at + 1))
            counts.push_back(std::stoi(ps.substr(ps.rfind('\n', at) + 1)));
        return counts;
    };
    EXPECT_EQ(polygons({}), std::vector<int>(6, 3));
    EXPECT_EQ(polygons({"--no-join"}), std::vector<int>(12, 2));
}
