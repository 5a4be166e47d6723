// Scene files written by others: each one is drawn as PostScript that Ghostscript accepts, or is
// refused with exit status 2 and a message naming what is not supported.
#include "cli_run.h"
#include "ps_check.h"
#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <gtest/gtest.h>
#include <iostream>
#include <sstream>

namespace fs = std::filesystem;
using namespace clitest;

TEST(CliCorpus, EveryFileIsDrawnOrRefusedWithAReason) {
    const fs::path corpus = fs::path(SCRIVANE_SHARED_DIR) / "corpus" / "iv";
    if (!fs::is_directory(corpus)) GTEST_SKIP() << "the shared corpus " << corpus << " is absent";
    std::vector<fs::path> files;
    for (const auto &entry : fs::recursive_directory_iterator(corpus))
        if (entry.is_regular_file() && entry.path().extension() == ".iv")
            files.push_back(entry.path());
    std::sort(files.begin(), files.end());
    ASSERT_FALSE(files.empty());

    std::string dir = freshDir();
    int drawn = 0, refused = 0;
    double slowest = 0;
    std::string slowestName;
    std::ostringstream table;
    for (const fs::path &file : files) {
        const std::string name = fs::relative(file, corpus).string();
        const std::string ps = dir + "/drawing.ps";
        Result run = runTool(dir, {file.string(), "-o", ps});
        char line[512];
        std::string outcome;
        if (run.status == 0) {
            ++drawn;
            size_t warnings = 0;
            for (size_t at = run.err.find("warning:"); at != std::string::npos;
                 at = run.err.find("warning:", at + 1))
                ++warnings;
            outcome = "drawn, " + std::to_string(fs::file_size(ps) / 1024) + " KiB, " +
                      std::to_string(warnings) + " warnings";
            EXPECT_TRUE(scrivane::test::ghostscriptAccepts(ps)) << name;
        } else if (run.status == 2) {
            ++refused;
            std::string reason = run.err.substr(0, run.err.find('\n'));
            outcome = "refused: " + reason;
            EXPECT_TRUE(reason.find("not supported") != std::string::npos ||
                        reason.find("unsupported") != std::string::npos)
                << name << " is refused without naming what is not supported:\n"
                << run.err;
        } else {
            outcome = "FAILED: " + run.describe();
            ADD_FAILURE() << name << ": " << run.describe();
        }
        if (run.seconds > slowest) slowest = run.seconds, slowestName = name;
        std::snprintf(line, sizeof line, "%7.2f s  %-50s %s\n", run.seconds, name.c_str(),
                      outcome.c_str());
        table << line;
        fs::remove(ps);
    }
    char summary[256];
    std::snprintf(summary, sizeof summary,
                  "%zu files: %d drawn, %d refused, %zu failed; slowest %s (%.2f s)", files.size(),
                  drawn, refused, files.size() - drawn - refused, slowestName.c_str(), slowest);
    std::cout << table.str() << summary << "\n";
    RecordProperty("corpus", summary);
    EXPECT_EQ(drawn + refused, static_cast<int>(files.size())) << table.str();
}
