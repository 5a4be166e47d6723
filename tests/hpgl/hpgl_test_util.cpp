#include "hpgl_test_util.h"
#include "scrivane/SoScrivane.h"
#include <cstdio>
#include <fstream>
#include <gtest/gtest.h>
#include <iostream>
#include <regex>
#include <sstream>
#include <sys/wait.h>
#include <unistd.h>

namespace {
// The toolkit's database is initialised once for all tests.
class ToolkitEnvironment : public ::testing::Environment {
public:
    void SetUp() override { SoScrivane::init(); }
};
::testing::Environment *const toolkitEnvironment =
    ::testing::AddGlobalTestEnvironment(new ToolkitEnvironment);
} // namespace

std::string outputPath(const std::string &name) {
    return std::string(SCRIVANE_TEST_OUT) + "/hpgl-" + name + ".hpgl";
}

namespace {
// Runs a shell command; what it printed, and its wait status in *status (-1: not run).
std::string outputOf(const std::string &command, int *status) {
    *status = -1;
    FILE *pipe = popen(command.c_str(), "r");
    if (!pipe) return "cannot run " + command;
    std::string log;
    char buffer[4096];
    size_t got;
    while ((got = fread(buffer, 1, sizeof buffer, pipe)) > 0)
        log.append(buffer, got);
    *status = pclose(pipe);
    return log;
}
} // namespace

std::string readFile(const std::string &path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream content;
    content << in.rdbuf();
    return content.str();
}

Hp2xxVerdict runHp2xx(const std::string &hpglPath, const std::string &epsPath) {
    Hp2xxVerdict verdict;
    verdict.available = access("/usr/bin/hp2xx", X_OK) == 0;
    if (!verdict.available) return verdict;
    std::string bytes = readFile(hpglPath);
    // The page from the first PS command; hp2xx always takes the longer side as x, so the range
    // is given explicitly (turned when the stream turns the page with RO90).
    std::string range;
    std::smatch m;
    if (std::regex_search(bytes, m, std::regex("PS([0-9]+),([0-9]+)"))) {
        if (bytes.find("RO90") != std::string::npos)
            range = " -N -x -" + m[2].str() + " -X 0 -y 0 -Y " + m[1].str();
        else
            range = " -N -x 0 -X " + m[1].str() + " -y 0 -Y " + m[2].str();
    }
    std::string command =
        "/usr/bin/hp2xx -m eps -t" + range + " -f '" + epsPath + "' '" + hpglPath + "' 2>&1";
    int status;
    verdict.log = outputOf(command, &status);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
        verdict.problems += "exit status " + std::to_string(status) + "; ";
    // hp2xx accepts almost anything; what it does report is fatal here. TR (transparency) is the
    // one command it skips that we write on purpose.
    std::smatch found;
    std::string::const_iterator from = verdict.log.begin();
    std::regex ignored("([A-Za-z][A-Za-z]): ignored");
    while (std::regex_search(from, verdict.log.cend(), found, ignored)) {
        if (found[1].str() != "TR") verdict.problems += "command " + found[1].str() + " ignored; ";
        from = found.suffix().first;
    }
    if (std::regex_search(verdict.log, found, std::regex("Unexpected event\\(s\\): *([0-9]+)")) &&
        found[1].str() != "0")
        verdict.problems += found[1].str() + " unexpected event(s); ";
    if (std::regex_search(verdict.log, std::regex("[Ee]rror|invalid escape|par_err|Illegal")))
        verdict.problems += "parse error; ";
    if (readFile(epsPath).empty()) verdict.problems += "no EPS written; ";
    verdict.accepted = verdict.problems.empty();
    return verdict;
}

void expectCheckerAccepts(const std::string &path) {
    const std::string checker = std::string(SCRIVANE_SHARED_DIR) + "/readers/hpgl_check.py";
    if (access("/usr/bin/python3", X_OK) != 0 || access(checker.c_str(), R_OK) != 0) {
        std::cout << "[ NOTE     ] /usr/bin/python3 or " << checker << " is absent: " << path
                  << " not checked\n";
        return;
    }
    const std::string command = "/usr/bin/python3 '" + checker + "' '" + path + "' 2>&1";
    int status;
    const std::string log = outputOf(command, &status);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0)
        << path << ": hpgl_check.py: " << log;
}

hpgl::Stream expectReadable(const std::string &path, const std::string &bytes) {
    hpgl::Stream stream = hpgl::parse(bytes);
    EXPECT_TRUE(stream.ok()) << path << ": " << stream.error;
    Hp2xxVerdict verdict = runHp2xx(path, path + ".eps");
    if (verdict.available) {
        EXPECT_TRUE(verdict.accepted) << path << ": hp2xx: " << verdict.problems << "\n"
                                      << verdict.log;
    } else {
        std::cout << "[ NOTE     ] /usr/bin/hp2xx is not installed: " << path
                  << " was read by our tokenizer only\n";
    }
    return stream;
}

Plot readPlot(const std::string &path) {
    Plot p;
    p.path = path;
    p.bytes = readFile(path);
    const size_t la = p.bytes.find("\nLA1,");
    p.body =
        la == std::string::npos ? "<no header>" : p.bytes.substr(p.bytes.find('\n', la + 1) + 1);
    p.stream = expectReadable(path, p.bytes);
    return p;
}

Plot plot(const std::string &name, const Action &draw, const Action &setup) {
    return plotWith(name, [&](TestHPGLAction &action) {
        if (setup) setup(action);
        action.writeHeader();
        if (draw) draw(action);
        action.writeFooter();
        action.getOutput()->closeFile();
    });
}

Points xy(const hpgl::Command &command) {
    Points v;
    for (const hpgl::Vertex &p : command.vertices)
        v.emplace_back(p.x, p.y);
    return v;
}

SbVec4f pt(float x, float y) {
    return SbVec4f(x, y, 0.0f, 1.0f);
}
