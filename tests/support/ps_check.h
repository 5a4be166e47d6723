// Test helper: runs Ghostscript on PostScript files written by the tests, and reads the PNG
// images it renders. To use it, add ${PROJECT_SOURCE_DIR}/tests/support/ps_check.cpp to a
// test's SOURCES and PNG::PNG to its LIBS.
//
//   EXPECT_TRUE(scrivane::test::ghostscriptAccepts(path));      // nullpage, strict
//
//   scrivane::test::RenderOptions options;                      // page from %%BoundingBox
//   options.dpi = 72;
//   auto run = scrivane::test::renderToPng(path, png, options);
//   ASSERT_TRUE(run.ok()) << run.describe();
//   scrivane::test::PngImage image;
//   ASSERT_TRUE(image.read(png));
//   EXPECT_EQ(image.pixelAtMillimetres(20, 30, options.dpi), scrivane::test::Rgb(255, 0, 0));
//
// "Strict" means: Ghostscript exits with 0, writes nothing on standard error, and after the
// document the operand stack is empty (a trailer run after the file reports leftovers on
// standard error). The trailer also counts the pages the document produced.
#ifndef SCRIVANE_TEST_PS_CHECK_H
#define SCRIVANE_TEST_PS_CHECK_H

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace scrivane::test {

// What one Ghostscript run did.
struct GhostscriptRun {
    int exitStatus = -1;               // the process's exit status; -1 when it could not be run
    std::string output;                // standard output, without the trailer's page count line
    std::string errors;                // standard error
    int pages = -1;                    // pages the document produced (showpage), -1 if unknown
    std::vector<std::string> pngFiles; // renderToPng: one file per page, page 1 first

    // Exit status 0 and nothing on standard error.
    bool ok() const { return exitStatus == 0 && errors.empty(); }
    // The command's outcome in a few lines, for failure messages.
    std::string describe() const;
};

// Runs gs with the arguments (no input; standard output and error into the given files).
// Returns its exit status (128 + the signal if it was killed), or -1 with the reason in *why
// when it could not be run.
int spawnGhostscript(std::vector<std::string> args, const std::string &outPath, const std::string &errPath,
                     std::string *why);

// Interprets the file with gs -dBATCH -dNOPAUSE -dSAFER -sDEVICE=nullpage.
GhostscriptRun runGhostscript(const std::string &psPath);

// For EXPECT_TRUE/ASSERT_TRUE: success when the run is ok() and produced at least one page.
::testing::AssertionResult ghostscriptAccepts(const std::string &psPath);

struct RenderOptions {
    int dpi = 72;
    // Page size in points; 0 takes it from the file's %%BoundingBox (A4 without one).
    int pageWidthPoints = 0;
    int pageHeightPoints = 0;
};

// Renders the file with the png16m device (no anti-aliasing, fixed media). Page 1 is written
// to pngPath; page N > 1 to pngPath with "-pN" inserted before ".png".
GhostscriptRun renderToPng(const std::string &psPath, const std::string &pngPath,
                           const RenderOptions &options = RenderOptions());

struct Rgb {
    int r = 0, g = 0, b = 0;
    Rgb() = default;
    Rgb(int r, int g, int b) : r(r), g(g), b(b) {}
    friend bool operator==(const Rgb &a, const Rgb &b) {
        return a.r == b.r && a.g == b.g && a.b == b.b;
    }
    friend bool operator!=(const Rgb &a, const Rgb &b) { return !(a == b); }
};
std::ostream &operator<<(std::ostream &os, const Rgb &c);

// An 8-bit RGB image read from a PNG file (grey, palette and alpha are converted to RGB).
class PngImage {
public:
    // False, with a message in *error when given, if the file cannot be read as a PNG.
    bool read(const std::string &path, std::string *error = nullptr);
    int width() const { return w; }
    int height() const { return h; }
    // The pixel in column x, row y, row 0 at the top. Outside the image: (-1, -1, -1).
    Rgb pixel(int x, int y) const;
    // The pixel under a page position in millimetres from the lower-left corner of the page,
    // for an image rendered at dpi.
    Rgb pixelAtMillimetres(double x, double y, int dpi) const;
    // Number of pixels of exactly this colour.
    long count(const Rgb &c) const;

private:
    int w = 0, h = 0;
    std::vector<unsigned char> rgb;
};

// The whole content of a file (empty if it cannot be read).
std::string readFile(const std::string &path);

} // namespace scrivane::test

#endif
