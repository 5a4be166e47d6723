// Scenes with numbers that are not finite (NaN, infinities, values beyond the float range), scenes
// near the float limit, and drawings with nothing on them: the command writes every format in
// every removal mode without a non-finite number, says once per cause what it dropped or
// replaced, draws a scene scaled by 10^30 as it draws it unscaled, and names the likely cause of
// an empty drawing.
#include "cgm_reader.h"
#include "cli_run.h"
#include "emf_dump.h"
#include "hpgl_reader.h"
#include "ps_check.h"
#include <cmath>
#include <fstream>
#include <gtest/gtest.h>
#include <regex>
#include <string>
#include <vector>

using namespace clitest;

namespace {

// A printed NaN or infinity as the C library writes them ("nan", "-nan", "inf", "-inf").
bool hasNonFiniteToken(const std::string &text) {
    static const std::regex token("(^|[^A-Za-z_])-?(nan|inf)([^A-Za-z_]|$)");
    return std::regex_search(text, token);
}

bool allFinite(const std::vector<double> &numbers) {
    for (double v : numbers)
        if (!std::isfinite(v)) return false;
    return true;
}

struct Format {
    const char *extension;
    std::vector<std::string> options;
};

const std::vector<Format> &formats() {
    static const std::vector<Format> all = {
        {"ps", {}}, {"cgm", {}}, {"cgm", {"--cgm-binary"}}, {"hpgl", {}}, {"emf", {}}};
    return all;
}

// Checks a drawing of any format for a sound structure and no number that is not finite.
void expectOnlyFiniteNumbers(const std::string &path, const Format &format) {
    const std::string ext = format.extension;
    if (ext == "ps") {
        EXPECT_FALSE(hasNonFiniteToken(slurp(path)));
        EXPECT_TRUE(scrivane::test::ghostscriptAccepts(path));
    } else if (ext == "cgm") {
        const bool binary = !format.options.empty();
        const cgmtest::Metafile m = binary ? cgmtest::dumpBinary(cgmtest::readFileBytes(path))
                                           : cgmtest::readClearText(slurp(path));
        ASSERT_TRUE(m.ok) << m.error;
        if (!binary) {
            EXPECT_FALSE(hasNonFiniteToken(slurp(path)));
        }
        for (const cgmtest::Element &e : m.elements)
            EXPECT_TRUE(allFinite(e.numbers)) << e.name;
    } else if (ext == "hpgl") {
        const hpgl::Stream s = hpgl::parse(slurp(path));
        ASSERT_TRUE(s.ok()) << s.error;
        EXPECT_FALSE(hasNonFiniteToken(slurp(path)));
        for (const hpgl::Command &c : s.commands) {
            EXPECT_TRUE(allFinite(c.params)) << c.raw;
            for (const hpgl::Vertex &v : c.vertices)
                EXPECT_TRUE(std::isfinite(v.x) && std::isfinite(v.y)) << c.raw;
        }
    } else {
        const scrivane::test::EmfFile emf = scrivane::test::readEmfFile(path);
        ASSERT_TRUE(emf.loaded);
        EXPECT_TRUE(scrivane::test::checkEmf(emf).empty());
        EXPECT_FALSE(hasNonFiniteToken(scrivane::test::dumpEmf(emf)));
    }
}

std::string replaced(std::string text, const std::string &from, const std::string &to) {
    const size_t at = text.find(from);
    EXPECT_NE(at, std::string::npos) << from;
    if (at != std::string::npos) text.replace(at, from.size(), to);
    return text;
}

} // namespace

TEST(CliNonFinite, NoNonFiniteNumberReachesAnyFormatInAnyMode) {
    struct Case {
        const char *scene;
        std::string warnings;
    };
    const std::vector<Case> cases = {
        {"nonfinite_values.iv",
         "scrivane: warning: 55 primitives with a non-finite coordinate dropped\n"
         "scrivane: warning: 1 shape with a non-finite or oversized line width drawn with the "
         "default width\n"
         "scrivane: warning: 1 shape with a non-finite or oversized point size drawn with the "
         "default size\n"
         "scrivane: warning: 1 text with a non-finite or oversized font size printed in the "
         "default size\n"
         "scrivane: warning: 1 text with a non-finite or oversized line spacing printed with "
         "single spacing\n"
         "scrivane: warning: 1 non-finite colour printed black\n"},
        // The cube is drawn (no empty-drawing warning) through the default camera fields.
        {"nonfinite_camera.iv",
         "scrivane: warning: 1 camera with a non-finite field drawn with that field's default\n"},
    };
    const std::vector<std::string> modes = {"none", "depth-sort", "painter", "visible-painter",
                                            "hidden-line"};
    const std::string dir = freshDir();
    for (const Case &c : cases) {
        for (const std::string &mode : modes) {
            for (const Format &format : formats()) {
                SCOPED_TRACE(std::string(c.scene) + " --hidden " + mode + " " + format.extension +
                             (format.options.empty() ? "" : " binary"));
                const std::string out = dir + "/drawing." + format.extension;
                // Without the join, so that the counts are of the scene's own triangles in
                // every mode (joined faces count as one primitive each).
                std::vector<std::string> args = {data(c.scene), "-o", out,
                                                 "--hidden",    mode, "--no-join"};
                args.insert(args.end(), format.options.begin(), format.options.end());
                const Result run = runTool(dir, args);
                ASSERT_TRUE(exited(run, 0));
                EXPECT_EQ(run.err, c.warnings);
                expectOnlyFiniteNumbers(out, format);
            }
        }
        // --quiet keeps the warnings back.
        const Result quiet = runTool(dir, {data(c.scene), "-o", dir + "/quiet.ps", "--quiet"});
        EXPECT_TRUE(exited(quiet, 0));
        EXPECT_EQ(quiet.err, "");
    }
}

TEST(CliNonFinite, SceneScaledBy1e30DrawsAsTheUnscaledScene) {
    const std::string dir = freshDir();
    const std::string unscaled = data("scaled_scene.iv");
    std::string text = replaced(slurp(unscaled), "scaleFactor 1 1 1", "scaleFactor 1e30 1e30 1e30");
    text = replaced(text, "point [ -3 -2 0, -1 -2 0, -1 -1 1, -3 -1 1 ]",
                    "point [ -3e30 -2e30 0, -1e30 -2e30 0, -1e30 -1e30 1e30, -3e30 -1e30 1e30 ]");
    const std::string scaled = dir + "/scaled.iv";
    std::ofstream(scaled) << text;

    auto draw = [&](const std::string &scene, const std::string &name,
                    std::vector<std::string> options) {
        std::vector<std::string> args = {scene, "-o", dir + "/" + name};
        args.insert(args.end(), options.begin(), options.end());
        const Result run = runTool(dir, args);
        EXPECT_TRUE(exited(run, 0)) << name;
        EXPECT_EQ(run.err, "") << name;
        return slurp(dir + "/" + name);
    };
    // PostScript and HP-GL/2 round to two decimals and to plotter units: the same bytes.
    const std::string ps = draw(unscaled, "unscaled.ps", {});
    size_t polygons = 0;
    for (size_t at = 0; (at = ps.find(" pfabeg", at)) != std::string::npos; at++)
        polygons++;
    EXPECT_GT(polygons, 100u) << "the unscaled scene should fill the page";
    EXPECT_EQ(draw(scaled, "scaled.ps", {}), ps);
    EXPECT_EQ(draw(scaled, "scaled-hl.ps", {"--hidden", "hidden-line"}),
              draw(unscaled, "unscaled-hl.ps", {"--hidden", "hidden-line"}));
    EXPECT_EQ(draw(scaled, "scaled.hpgl", {}), draw(unscaled, "unscaled.hpgl", {}));
    // Clear-text CGM has three decimals: equal within rounding.
    const cgmtest::Metafile a = cgmtest::readClearText(draw(unscaled, "unscaled.cgm", {}));
    const cgmtest::Metafile b = cgmtest::readClearText(draw(scaled, "scaled.cgm", {}));
    ASSERT_TRUE(a.ok && b.ok) << a.error << b.error;
    ASSERT_EQ(a.elements.size(), b.elements.size());
    for (size_t i = 0; i < a.elements.size(); i++) {
        ASSERT_EQ(a.elements[i].name, b.elements[i].name);
        ASSERT_EQ(a.elements[i].numbers.size(), b.elements[i].numbers.size()) << a.elements[i].name;
        for (size_t k = 0; k < a.elements[i].numbers.size(); k++)
            EXPECT_NEAR(a.elements[i].numbers[k], b.elements[i].numbers[k], 0.0015)
                << a.elements[i].name << " number " << k;
    }
}

TEST(CliNonFinite, EmptyDrawingsNameTheirCause) {
    const std::string prefix = "scrivane: warning: the drawing is empty: ";
    const std::vector<std::pair<const char *, std::string>> cases = {
        {"empty_no_shapes.iv", prefix + "the scene has no shapes\n"},
        {"empty_invisible.iv",
         prefix + "its shapes gave nothing to draw (invisible, fully transparent or without "
                  "vertices)\n"},
        {"empty_behind_camera.iv",
         prefix + "every primitive lies outside the camera's view (see its position, "
                  "orientation, near and far distances)\n"},
        {"empty_nonfinite.iv",
         "scrivane: warning: 2 primitives with a non-finite coordinate dropped\n" + prefix +
             "every primitive had non-finite coordinates\n"},
    };
    const std::string dir = freshDir();
    for (const auto &[scene, warning] : cases) {
        SCOPED_TRACE(scene);
        for (const char *mode : {"none", "painter"}) {
            const Result run =
                runTool(dir, {data(scene), "-o", dir + "/empty.ps", "--hidden", mode});
            EXPECT_TRUE(exited(run, 0)) << mode;
            EXPECT_EQ(run.err, warning) << mode;
            EXPECT_TRUE(scrivane::test::ghostscriptAccepts(dir + "/empty.ps"));
        }
        const Result quiet = runTool(dir, {data(scene), "-o", dir + "/quiet.ps", "--quiet"});
        EXPECT_EQ(quiet.err, "");
    }
    // A drawing with something on it says nothing.
    const Result drawn = runTool(dir, {data("unit_cube.iv"), "-o", dir + "/cube.ps"});
    EXPECT_TRUE(exited(drawn, 0));
    EXPECT_EQ(drawn.err, "");
}
