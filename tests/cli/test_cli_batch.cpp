// Batch mode: several scene files converted into one folder, several at a time, each scene's
// messages kept together and a summary of the failures at the end.
#include "cli_run.h"
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>

using namespace clitest;
namespace fs = std::filesystem;

namespace {
std::string example(const std::string &name) {
    return std::string(SCRIVANE_EXAMPLES) + "/" + name;
}
} // namespace

// One unreadable scene and one too large among readable ones: the others are written, named
// after their scene files (two unit_cube.iv from different folders go into subfolders named
// after the folders), the messages of each scene stay together and name it, and the exit status
// is the highest of the failures (4 over 2), listed in command-line order.
TEST(CliBatch, WritesTheReadableScenesAndSummarizesTheFailures) {
    const std::string dir = freshDir();
    fs::create_directories(dir + "/other");
    fs::copy_file(data("unit_cube.iv"), dir + "/other/unit_cube.iv");
    const std::string out = dir + "/made/out/";
    const std::string broken = data("parse_error.iv"), large = example("bracket.iv");
    const std::string text = data("text_beyond_latin1.iv");
    Result batch =
        runTool(dir, {data("unit_cube.iv"), broken, large, text, dir + "/other/unit_cube.iv",
                      data("unknown_node.iv"), "--max-shapes", "2", "-j", "2", "-o", out});
    EXPECT_EQ(listDir(out), (std::vector<std::string>{"cli", "other", "text_beyond_latin1.ps",
                                                      "unknown_node.ps"}));
    EXPECT_EQ(listDir(out + "cli"), std::vector<std::string>{"unit_cube.ps"});
    EXPECT_EQ(listDir(out + "other"), std::vector<std::string>{"unit_cube.ps"});
    // A drawing of the batch is the drawing a run of its own writes.
    ASSERT_TRUE(exited(runTool(dir, {data("unit_cube.iv"), "-o", dir + "/single.ps"}), 0));
    EXPECT_EQ(slurp(out + "cli/unit_cube.ps"), slurp(dir + "/single.ps"));

    const std::string &err = batch.err;
    EXPECT_TRUE(exited(batch, 4,
                       {broken + ":4:10: unknown field 'widht'",
                        "' (its fields: width, height, depth)\nscrivane: " + broken + ": '" +
                            broken + "' could not be read",
                        "scrivane: " + text + ": warning: 2 text characters beyond Latin-1",
                        data("unknown_node.iv") + ":5:3: warning: unknown node type 'Gizmo'"}));
    const std::string summary =
        "scrivane: 4 of 6 scenes written to " + out + "; 2 failed:\n  " + broken +
        ": unreadable scene (2): '" + broken + "' could not be read (see the messages above)\n  " +
        large + ": scene too large (4): the scene expands to 7 shapes, more than the limit of 2";
    const size_t at = err.find(summary);
    ASSERT_NE(at, std::string::npos) << err;
    EXPECT_EQ(err.find('\n', at + summary.size()), err.size() - 1) << "more after the summary:\n"
                                                                   << err;
    EXPECT_EQ(err.find('\r'), std::string::npos) << "a progress line on a file";

    // All written: one line; --quiet: nothing.
    Result all = runTool(dir, {data("unit_cube.iv"), "-o", dir + "/all/"});
    EXPECT_TRUE(exited(all, 0));
    EXPECT_EQ(all.err, "scrivane: 1 scene written to " + dir + "/all/\n");
    Result quiet = runTool(dir, {"-q", data("unknown_node.iv"), text, "-o", dir + "/all"});
    EXPECT_TRUE(exited(quiet, 0));
    EXPECT_EQ(quiet.err, "");
    EXPECT_EQ(listDir(dir + "/all"), (std::vector<std::string>{"text_beyond_latin1.ps",
                                                               "unit_cube.ps", "unknown_node.ps"}));
}

// The drawings do not depend on how many scenes are converted at a time.
TEST(CliBatch, OneOrTwoJobsWriteTheSameBytes) {
    const std::string dir = freshDir();
    const std::vector<std::string> scenes = {example("bracket.iv"), example("image.iv"),
                                             example("markers_and_patterns.iv"),
                                             data("unit_cube.iv")};
    const std::vector<std::string> expected = {"bracket.cgm", "image.cgm",
                                               "markers_and_patterns.cgm", "unit_cube.cgm"};
    for (const char *jobs : {"1", "2"}) {
        std::vector<std::string> args = scenes;
        for (const char *a :
             {"-q", "--hidden", "painter", "--lighting", "-f", "cgm", "--cgm-binary", "-j"})
            args.push_back(a);
        args.push_back(jobs);
        args.push_back("-o");
        args.push_back(dir + "/j" + jobs);
        fs::create_directories(dir + "/j" + jobs);
        EXPECT_TRUE(exited(runTool(dir, args), 0)) << "-j " << jobs;
        EXPECT_EQ(listDir(dir + "/j" + jobs), expected) << "-j " << jobs;
    }
    for (const std::string &name : expected) {
        const std::string one = slurp(dir + "/j1/" + name);
        EXPECT_GT(one.size(), 200u) << name;
        EXPECT_TRUE(one == slurp(dir + "/j2/" + name)) << name << " differs between -j 1 and -j 2";
    }
}

// Refused before anything is written, with a message naming the problem.
TEST(CliBatch, UsageErrorsExitWith1AndWriteNothing) {
    const std::string dir = freshDir();
    const std::string out = dir + "/out/", cube = data("unit_cube.iv");
    const std::vector<std::pair<std::vector<std::string>, std::string>> cases = {
        {{cube, example("image.iv"), "-o", dir + "/x.ps"}, "give an output folder (-o DIR/)"},
        {{cube, example("image.iv"), "-o", "-"}, "give an output folder (-o DIR/)"},
        {{"-o", out}, "give the scene files to convert into it"},
        {{cube, "--preview", dir + "/p.png", "-o", out}, "--preview"},
        {{cube, SCRIVANE_TEST_DATA "/cli/../cli/unit_cube.iv", "-o", out}, "is given twice"},
        {{dir + "/a.iv", dir + "/a.wrl", "-o", out},
         "'" + dir + "/a.iv' and '" + dir + "/a.wrl' would both be written to '" + out + "a.ps'"},
        {{"-", "-o", out}, "standard input"},
        {{cube, "-j", "0", "-o", out}, "option -j: expects the number of scenes"},
        {{cube, "--jobs=257", "-o", out}, "option --jobs: expects the number of scenes"},
    };
    for (const auto &c : cases) {
        std::string line;
        for (const std::string &a : c.first)
            line += a + " ";
        EXPECT_TRUE(exited(runTool(dir, c.first), 1, {c.second})) << line;
    }
    EXPECT_TRUE(listDir(dir).empty());
    // A folder that cannot be made is an output that cannot be written.
    std::ofstream(dir + "/file") << "x";
    EXPECT_TRUE(exited(runTool(dir, {cube, "-o", dir + "/file/"}), 3,
                       {"cannot create the folder '" + dir + "/file"}));
    EXPECT_EQ(listDir(dir), std::vector<std::string>{"file"});
}
