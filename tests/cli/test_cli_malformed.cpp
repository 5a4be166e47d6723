// The regression corpus of malformed scene files (tests/data/fuzz): inputs written by hand, one
// per class of damage (truncated node, bad field value, unterminated string, nesting beyond the
// reader's limit, USE of an unknown name, binary garbage, ...), and inputs found by the fuzzer
// (fuzz/, `make fuzz`), minimized. tests/data/fuzz/expected.txt gives, for each file, the exit
// status of the scrivane command and the first line it writes on standard error, with the
// file's path written as {file}. Each file is drawn as PostScript; the test checks the status,
// that first line, that the run ends within a bound, and that a refused input leaves no file.
#include "cli_run.h"
#include <algorithm>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <map>
#include <set>
#include <sstream>
#include <vector>

namespace fs = std::filesystem;
using namespace clitest;

namespace {

const std::string corpus = std::string(SCRIVANE_TEST_DATA) + "/fuzz/";

struct Expectation {
    int status = -1;
    std::string firstLine; // of standard error; {file} stands for the input's path
    std::vector<std::string> options; // added to the command before the file
};

// Lines of expected.txt: name|status|first line of standard error (may be empty), then
// optionally |options separated by spaces. Lines starting with # are comments.
std::map<std::string, Expectation> readExpectations() {
    std::map<std::string, Expectation> expected;
    std::ifstream in(corpus + "expected.txt");
    for (std::string line; std::getline(in, line);) {
        if (line.empty() || line[0] == '#') continue;
        if (std::count(line.begin(), line.end(), '|') < 2) {
            ADD_FAILURE() << "malformed line in expected.txt: " << line;
            continue;
        }
        std::istringstream fields(line);
        std::string name, status, options;
        Expectation e;
        std::getline(fields, name, '|');
        std::getline(fields, status, '|');
        std::getline(fields, e.firstLine, '|');
        e.status = std::stoi(status);
        while (fields >> options)
            e.options.push_back(options);
        expected[name] = e;
    }
    return expected;
}

std::string firstLine(const std::string &text) {
    return text.substr(0, text.find('\n'));
}

std::string withPath(std::string line, const std::string &path) {
    for (size_t at; (at = line.find("{file}")) != std::string::npos;) line.replace(at, 6, path);
    return line;
}

} // namespace

// Every corpus file has a line in expected.txt and every line a file; each input gives its exit
// status and first message.
TEST(CliMalformed, EachCorpusInputGivesItsExitStatusAndMessage) {
    const auto expected = readExpectations();
    std::set<std::string> files;
    for (const auto &entry : fs::directory_iterator(corpus))
        if (entry.path().filename() != "expected.txt")
            files.insert(entry.path().filename().string());
    for (const auto &name : files) {
        EXPECT_TRUE(expected.count(name)) << name << " has no line in expected.txt";
    }
    for (const auto &e : expected) {
        EXPECT_TRUE(files.count(e.first)) << e.first << " is not in " << corpus;
    }
    EXPECT_GE(expected.size(), 10u);
    const std::string root = freshDir();
    for (const auto &[name, e] : expected) {
        SCOPED_TRACE(name);
        const std::string dir = root + "/" + fs::path(name).stem().string();
        fs::create_directories(dir);
        const std::string path = corpus + name;
        std::vector<std::string> arguments = e.options;
        arguments.insert(arguments.end(), {path, "-o", dir + "/drawing.ps"});
        Result run = runTool(dir, arguments);
        EXPECT_EQ(run.status, e.status) << run.describe();
        EXPECT_EQ(firstLine(run.err), withPath(e.firstLine, path)) << run.describe();
        EXPECT_LT(run.seconds, 60) << "the command took " << run.seconds << " s";
        if (e.status != 0) {
            EXPECT_TRUE(listDir(dir).empty()) << "a refused input left a file in " << dir;
        }
    }
}
