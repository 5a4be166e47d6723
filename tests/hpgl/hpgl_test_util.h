#ifndef SCRIVANE_TESTS_HPGL_TEST_UTIL_H
#define SCRIVANE_TESTS_HPGL_TEST_UTIL_H
// Helpers of the HP-GL/2 writer's tests: an action that exposes the format operations, files
// in the test output folder, and hp2xx as an independent reader.
#include "hpgl_reader.h"
#include "scrivane/SoVectorizeHPGLAction.h"
#include <functional>
#include <gtest/gtest.h>
#include <string>
#include <utility>
#include <vector>

class TestHPGLAction : public SoVectorizeHPGLAction {
public:
    using SoVectorizeHPGLAction::encodePE;
    using SoVectorizeHPGLAction::getClippingLimits;
    using SoVectorizeHPGLAction::printBackground;
    using SoVectorizeHPGLAction::printBorder;
    using SoVectorizeHPGLAction::printImage;
    using SoVectorizeHPGLAction::printPolygon;
    using SoVectorizeHPGLAction::printPolyLine;
    using SoVectorizeHPGLAction::printPolyMark;
    using SoVectorizeHPGLAction::printText2;
    using SoVectorizeHPGLAction::setHardwareClip;
    using SoVectorizeHPGLAction::truncPlu;
    using SoVectorizeHPGLAction::writeFooter;
    using SoVectorizeHPGLAction::writeHeader;
};

// SCRIVANE_TEST_OUT/hpgl-<name>.hpgl
std::string outputPath(const std::string &name);
std::string readFile(const std::string &path);

struct Hp2xxVerdict {
    bool available = false; // /usr/bin/hp2xx exists
    bool accepted = false;  // ran without a parse error, unexpected event or unknown command
    std::string log;        // what hp2xx printed
    std::string problems;   // why it was not accepted
};

// Converts the file to EPS with hp2xx in true size, on the page given by the file's PS command
// (turned for RO90), as the project's reader scripts do.
Hp2xxVerdict runHp2xx(const std::string &hpglPath, const std::string &epsPath);

// The strict checker of the shared readers (hpgl_check.py) must accept the file; when the
// checker or python3 is absent this is noted and nothing is checked.
void expectCheckerAccepts(const std::string &path);

// Our tokenizer must read the whole stream, and hp2xx must read the file without complaint
// (checked only when hp2xx is installed). Returns the parsed stream.
hpgl::Stream expectReadable(const std::string &path, const std::string &bytes);

using Action = std::function<void(TestHPGLAction &)>;

// A plotted file: its bytes, what follows the header's LA line, and the parsed stream.
struct Plot {
    std::string path, bytes, body;
    hpgl::Stream stream;
};

// Writes header, draw(action) and footer into hpgl-<name>.hpgl (setup runs before the header)
// and checks that the file is readable.
Plot plot(const std::string &name, const Action &draw, const Action &setup = {});
// Reads back a file the test wrote itself.
Plot readPlot(const std::string &path);

// Opens hpgl-<name>.hpgl on a new action of type A, lets run drive it, destroys the action (which
// ends an open page and closes the file) and reads the plot back.
template <class A = TestHPGLAction, class Run>
Plot plotWith(const std::string &name, const Run &run) {
    const std::string path = outputPath(name);
    {
        A action;
        EXPECT_EQ(action.getOutput()->openFile(path.c_str()), 1) << path;
        run(action);
    }
    return readPlot(path);
}

// The vertices of a command, as (x, y) plotter units.
using Points = std::vector<std::pair<double, double>>;
Points xy(const hpgl::Command &command);

SbVec4f pt(float x, float y);

#endif
