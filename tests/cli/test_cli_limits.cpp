// Work that must stay bounded: scenes that share a subgraph through DEF/USE many levels deep are
// counted without being expanded and refused beyond --max-shapes (exit status 4); endless input
// fails at once with a located error. A run stopped by SIGINT or SIGTERM leaves no file.
#include "cli_run.h"
#include <csignal>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace clitest;

namespace {
// A scene whose group L<k> holds L<k-1> twice, k = 1..levels: the shared L<levels> draws
// 2^levels cubes from a file of a few kilobytes. The outer separator also uses every level once,
// so the scene expands to 2^(levels+1) - 1 cubes. With hidden, the levels lie under a switch
// that draws none of them, beside one visible cube; each level's draw style then still defines
// a CGM line pattern.
std::string writeSharedScene(const std::string &path, int levels, bool hidden) {
    std::ofstream out(path);
    out << "#Inventor V2.1 ascii\n\nSeparator {\n";
    if (hidden) out << "  Cube { }\n  Switch {\n    whichChild -1\n";
    out << "  DEF L0 Separator { DrawStyle { linePattern 0x0FFF } Cube { } }\n";
    for (int k = 1; k <= levels; k++)
        out << "  DEF L" << k << " Separator { USE L" << k - 1
            << " Translation { translation 1 0 0 } USE L" << k - 1 << " }\n";
    if (hidden) out << "  }\n";
    out << "}\n";
    return path;
}
} // namespace

TEST(CliLimits, SharedSubgraphsAreCountedNotExpandedAndRefusedBeyondTheLimit) {
    std::string dir = freshDir();
    // 2^41 - 1 shapes: refused at once with the count, the shared part and the option to raise.
    std::string deep = writeSharedScene(dir + "/deep40.iv", 40, false);
    Result refused = runTool(dir, {deep, "-o", dir + "/deep40.ps"});
    EXPECT_TRUE(exited(refused, 4,
                       {"expands to 2199023255551 shapes, more than the limit of 100000000",
                        "'L39' (SoSeparator) with 549755813888 shapes, is used 3 times",
                        "'L0' (SoSeparator) with 1 shape, 2199023255551 times", "--max-shapes"}));
    EXPECT_LT(refused.seconds, 1.0);

    // 31 shapes: refused under 30, drawn under 31 (the limit is inclusive) and by default.
    std::string small = writeSharedScene(dir + "/deep4.iv", 4, false);
    EXPECT_TRUE(exited(runTool(dir, {small, "--max-shapes=30", "-o", dir + "/tight.ps"}), 4,
                       {"expands to 31 shapes, more than the limit of 30"}));
    EXPECT_TRUE(exited(runTool(dir, {small, "--max-shapes", "31", "-o", dir + "/small.ps"}), 0));
    EXPECT_NE(slurp(dir + "/small.ps").find("showpage"), std::string::npos);
    EXPECT_TRUE(exited(runTool(dir, {small, "--max-shapes", "0", "-o", dir + "/bad.ps"}), 1,
                       {"--max-shapes"}));
    EXPECT_EQ(listDir(dir), (std::vector<std::string>{"deep4.iv", "deep40.iv", "small.ps"}));
}

// Forty shared levels that the drawing never enters (a switch showing none) still pass through
// the search for a camera and a light and, for CGM 3 and 4, the collection of line patterns; both
// visit each node once, so the drawing of the one visible cube is quick and defines the pattern.
TEST(CliLimits, SharedSubgraphsAreSearchedOnce) {
    std::string dir = freshDir();
    std::string scene = writeSharedScene(dir + "/hidden40.iv", 40, true);
    Result ps = runTool(dir, {scene, "-o", dir + "/hidden40.ps"});
    EXPECT_TRUE(exited(ps, 0));
    EXPECT_LT(ps.seconds, 5.0);
    Result cgm = runTool(dir, {scene, "--cgm-version", "4", "-o", dir + "/hidden40.cgm"});
    EXPECT_TRUE(exited(cgm, 0));
    EXPECT_LT(cgm.seconds, 5.0);
    const std::string metafile = slurp(dir + "/hidden40.cgm");
    EXPECT_NE(metafile.find("LINEEDGETYPEDEF -1 "), std::string::npos) << metafile.substr(0, 2000);
    EXPECT_EQ(metafile.find("LINEEDGETYPEDEF -2 "), std::string::npos)
        << "one pattern, defined once";
}

// /dev/zero as the scene: not a scene file, reported at its first byte, at once.
TEST(CliLimits, EndlessInputFailsAtOnceWithALocatedError) {
    std::string dir = freshDir();
    Result zero = runTool(dir, {"/dev/zero", "-o", dir + "/zero.ps"});
    EXPECT_TRUE(exited(zero, 2, {"/dev/zero:1:1:"}));
    EXPECT_LT(zero.seconds, 2.0);
    EXPECT_TRUE(listDir(dir).empty());
}

namespace {
// The names of the files under dir, in its subfolders too, that are temporary drawings.
std::vector<std::string> partialFiles(const std::string &dir) {
    std::vector<std::string> found;
    std::error_code ec;
    for (auto i = std::filesystem::recursive_directory_iterator(dir, ec);
         !ec && i != std::filesystem::recursive_directory_iterator(); i.increment(ec))
        if (i->path().filename().string().find(".partial-") != std::string::npos)
            found.push_back(i->path().string());
    return found;
}
} // namespace

// SIGTERM and SIGINT during a long run: the temporary file beside the output is removed and the
// command exits with 128 + the signal's number. The run draws many overlapping triangles with
// the painter's algorithm, which keeps the temporary file open for seconds. A batch passes the
// signal on to the scenes it converts at a time, which remove their temporary files.
TEST(CliSignals, InterruptedRunsRemoveThePartialFileAndExitWith128PlusTheSignal) {
    std::string dir = freshDir();
    const std::string scene = dir + "/triangles.iv";
    {
        std::ofstream out(scene);
        out << "#Inventor V2.1 ascii\nSeparator {\n Coordinate3 { point [\n";
        unsigned state = 12345;
        auto next = [&] {
            state = state * 1103515245u + 12345u;
            return static_cast<double>((state >> 8) & 0xFFFF) / 65535.0;
        };
        const int triangles = 40000;
        for (int i = 0; i < 3 * triangles; i++)
            out << next() << ' ' << next() << ' ' << next() << ",\n";
        out << " ] }\n IndexedFaceSet { coordIndex [\n";
        for (int i = 0; i < triangles; i++)
            out << 3 * i << ',' << 3 * i + 1 << ',' << 3 * i + 2 << ",-1,\n";
        out << " ] }\n}\n";
    }
    ASSERT_EQ(symlink("triangles.iv", (dir + "/again.iv").c_str()), 0);
    const std::string folder = dir + "/batch/";
    for (bool batch : {false, true}) {
        for (int signalNumber : {SIGTERM, SIGINT}) {
            SCOPED_TRACE(std::string(signalNumber == SIGTERM ? "SIGTERM" : "SIGINT") +
                         (batch ? ", batch" : ""));
            const std::string output = batch ? folder : dir + "/drawing.ps";
            std::vector<std::string> args = {"-q", "--hidden", "painter", scene, "-o", output};
            if (batch) args.insert(args.end() - 2, {dir + "/again.iv", "-j", "2"});
            const pid_t pid = startTool(args, "/dev/null", "/dev/null");
            ASSERT_GT(pid, 0);
            const size_t expected = batch ? 2 : 1;
            bool seen = false;
            for (int i = 0; i < 3000 && !seen; i++) { // up to 30 seconds
                seen = partialFiles(dir).size() == expected;
                if (!seen) usleep(10000);
            }
            EXPECT_TRUE(seen) << expected << " temporary files never appeared";
            if (batch && seen) {
                // A scene whose process is killed outright cannot clean up; the batch removes its
                // temporary file, named after the process, and goes on with the other.
                const std::string killed = partialFiles(dir)[0];
                kill(std::stoi(killed.substr(killed.rfind('-') + 1)), SIGKILL);
                for (int i = 0; i < 3000 && partialFiles(dir).size() != 1; i++)
                    usleep(10000);
                EXPECT_EQ(partialFiles(dir).size(), 1u) << killed << " was not removed";
            }
            kill(pid, signalNumber);
            const int status = waitForTool(pid);
            ASSERT_TRUE(WIFEXITED(status)) << "ended by signal " << WTERMSIG(status);
            EXPECT_EQ(WEXITSTATUS(status), 128 + signalNumber);
            EXPECT_EQ(partialFiles(dir), std::vector<std::string>{});
            EXPECT_EQ(listDir(dir),
                      (batch ? std::vector<std::string>{"again.iv", "batch", "triangles.iv"}
                             : std::vector<std::string>{"again.iv", "triangles.iv"}));
            if (batch) {
                EXPECT_EQ(listDir(folder), std::vector<std::string>{});
            }
        }
    }
}

#ifndef __SANITIZE_ADDRESS__
// Memory that runs out is reported, not an abort: with its address space limited to what the
// demo scene needs, the command fails to hold a scene of two million points and says so with
// exit status 5, leaving no file. (The sanitizers reserve address space of their own, so this
// runs in the plain build only.)
TEST(CliErrors, MemoryExhaustedIsReportedWithExit5) {
    std::string dir = freshDir();
    // The smallest limit, in steps of 16 MB, under which the demo scene is drawn.
    RunOptions limited;
    Result demo;
    for (limited.addressSpaceLimit = 64l << 20; limited.addressSpaceLimit <= (2048l << 20);
         limited.addressSpaceLimit += 16l << 20)
        if ((demo = runTool(dir, {"-q", "-o", dir + "/demo.ps"}, limited)).status == 0) break;
    ASSERT_EQ(demo.status, 0) << "the demo scene was not drawn under 2 GB: " << demo.describe();
    const std::string scene = dir + "/points.iv";
    {
        std::ofstream out(scene);
        out << "#Inventor V2.1 ascii\nSeparator {\n Coordinate3 { point [\n";
        for (int i = 0; i < 2000000; i++)
            out << i % 1000 << ' ' << i / 1000 << " 0.5,\n";
        out << " ] }\n PointSet { }\n}\n";
    }
    EXPECT_TRUE(exited(runTool(dir, {"-q", scene, "-o", dir + "/points.ps"}, limited), 5,
                       {"scrivane: out of memory"}));
    EXPECT_EQ(listDir(dir), (std::vector<std::string>{"demo.ps", "points.iv"}));
}
#endif
