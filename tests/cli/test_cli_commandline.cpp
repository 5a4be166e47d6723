// The command line: exit statuses and messages for bad input, bad options and outputs that cannot
// be written, and the help text.
#include "cli_run.h"
#include <cstdio>
#include <cstdlib>
#include <gtest/gtest.h>
#include <regex>
#include <set>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

using namespace clitest;

namespace {
// "no file left behind": the directory holds exactly the given names.
void expectOnly(const std::string &dir, const std::vector<std::string> &names) {
    EXPECT_EQ(listDir(dir), names) << "in " << dir;
}
} // namespace

TEST(CliErrors, UnreadableScenesExitWith2AndSayWhere) {
    std::string dir = freshDir();
    EXPECT_TRUE(exited(runTool(dir, {dir + "/no-such-scene.iv", "-o", dir + "/a.ps"}), 2,
                       {"no-such-scene.iv"}));
    // The misspelt field "widht" stands on line 4 from column 10.
    EXPECT_TRUE(exited(runTool(dir, {data("parse_error.iv"), "-o", dir + "/b.ps"}), 2,
                       {"parse_error.iv:4:10:", "widht"}));
    EXPECT_TRUE(exited(runTool(dir, {data("binary.iv"), "-o", dir + "/c.ps"}), 2,
                       {"binary", "not supported"}));
    expectOnly(dir, {});
}

// PostScript and CGM print texts in Latin-1: the characters beyond it (the euro and the arrow of
// the scene) are counted in one warning, which --quiet drops. HP-GL/2 spells the euro "EUR", so
// only the arrow is lost; EMF prints every character.
TEST(CliErrors, TextCharactersAFormatLacksAreReported) {
    const std::string dir = freshDir(),
                      latin1 = "scrivane: warning: 2 text characters beyond Latin-1 printed as "
                               "'?'\n";
    const struct {
        const char *option, *output;
        std::string warning, inDrawing;
    } cases[] = {
        {"", "a.ps", latin1, "(caf\\351)"},
        {"-q", "b.ps", "", ""},
        {"", "a.cgm", latin1, ""},
        {"", "a.hpgl",
         "scrivane: warning: 1 text character beyond the plotter's Roman-8 set printed as '?'\n",
         "LBEUR 5 ? 6\x03"},
        {"", "a.emf", "", ""},
    };
    for (const auto &c : cases) {
        std::vector<std::string> args = {data("text_beyond_latin1.iv"), "-o", dir + "/" + c.output};
        if (*c.option) args.insert(args.begin(), c.option);
        Result run = runTool(dir, args);
        EXPECT_TRUE(exited(run, 0)) << c.output;
        EXPECT_EQ(run.err, c.warning) << c.output;
        EXPECT_NE(slurp(dir + "/" + c.output).find(c.inDrawing), std::string::npos) << c.output;
    }
}

TEST(CliErrors, WarningsNameThePlaceAndQuietDropsThemButNotErrors) {
    std::string dir = freshDir();
    EXPECT_TRUE(exited(runTool(dir, {data("unknown_node.iv"), "-o", dir + "/a.ps"}), 0,
                       {"unknown_node.iv:5:3: warning:", "Gizmo"}));
    Result quiet = runTool(dir, {"-q", data("unknown_node.iv"), "-o", dir + "/b.ps"});
    EXPECT_TRUE(exited(quiet, 0));
    EXPECT_EQ(quiet.err, "");
    EXPECT_TRUE(exited(runTool(dir, {"--quiet", data("parse_error.iv"), "-o", dir + "/c.ps"}), 2,
                       {"parse_error.iv:4:10:"}));
    expectOnly(dir, {"a.ps", "b.ps"});
}

TEST(CliErrors, BadCommandLinesExitWith1AndNameTheProblem) {
    std::string dir = freshDir();
    const std::vector<std::pair<std::vector<std::string>, std::string>> cases = {
        {{"--frobnicate", "-o", "x.ps"}, "--frobnicate"},
        {{"-x"}, "-x"},
        {{}, "-o"},
        {{"--landscape"}, "-o"},
        {{"-o"}, "-o"},
        {{"-o", "x.ps", "--pens", "257"}, "--pens"},
        {{"-o", "x.ps", "--pens=many"}, "--pens"},
        {{"-o", "x.ps", "-f", "dxf"}, "dxf"},
        {{"-o", "x.ps", "--cgm-version", "5"}, "--cgm-version"},
        {{"-o", "x.ps", "--paper", "b7"}, "--paper"},
        {{"-o", "x.ps", "--margin", "-1"}, "--margin"},
        {{"-o", "x.ps", "--margin", "120"}, "margins"},
        {{"-o", "x.ps", "--hidden", "zbuffer"}, "--hidden"},
        {{"-o", "x.ps", "--border-color", "1,0"}, "--border-color"},
        {{"-o", "x.ps", "--pen", "#00ff00:-2"}, "--pen"},
        {{"-o", "x.ps", "--pens", "3", "--pen", "1,0,0:0.5"}, "--pens 3"},
        {{"a.iv", "b.iv", "-o", "x.ps"}, "b.iv"},
        {{"-o", "-", "-f", "emf"}, "standard output"},
        {{"-o", "x.ps", "--preview"}, "--preview"},
        {{"-o", "x.ps", "--preview", "p.png", "--preview-scale", "0"}, "--preview-scale"},
    };
    for (const auto &c : cases) {
        std::vector<std::string> args = c.first;
        std::string line;
        for (auto &a : args) {
            if (a == "x.ps") a = dir + "/x.ps"; // so that a drawing written by mistake is seen
            line += a + " ";
        }
        Result run = runTool(dir, args);
        EXPECT_TRUE(exited(run, 1, {c.second})) << line;
        EXPECT_TRUE(run.out.empty()) << line;
    }
    expectOnly(dir, {});
}

TEST(CliErrors, OutputsThatCannotBeWrittenExitWith3AndLeaveNoFile) {
    std::string dir = freshDir();
    EXPECT_TRUE(
        exited(runTool(dir, {"-o", dir + "/missing/drawing.ps"}), 3, {"missing/drawing.ps"}));
    // A folder is the output of a batch, which needs scene files.
    EXPECT_TRUE(exited(runTool(dir, {"-o", dir}), 1, {"is a folder"}));
    // A file size limit makes the writes fail part way: nothing may look complete afterwards.
    RunOptions limited;
    limited.fileSizeLimit = 4096;
    for (const char *name : {"big.ps", "big.cgm", "big.hpgl", "big.emf"})
        EXPECT_TRUE(exited(runTool(dir, {"-o", dir + "/" + name}, limited), 3, {name}));
    expectOnly(dir, {});
}

TEST(CliOutputs, LinksAndDevicesAreWrittenThroughNotReplaced) {
    std::string dir = freshDir();
    // A link to a drawing: the drawing is replaced, the link stays a link.
    for (const std::string ext : {"ps", "emf"}) {
        std::string target = dir + "/target." + ext, link = dir + "/link." + ext;
        std::FILE *old = std::fopen(target.c_str(), "w");
        ASSERT_TRUE(old && std::fputs("old", old) >= 0 && std::fclose(old) == 0);
        ASSERT_EQ(symlink(("target." + ext).c_str(), link.c_str()), 0);
        EXPECT_TRUE(exited(runTool(dir, {"-o", link}), 0));
        struct stat st;
        ASSERT_EQ(lstat(link.c_str(), &st), 0);
        EXPECT_TRUE(S_ISLNK(st.st_mode)) << link << " was replaced";
        EXPECT_GT(slurp(target).size(), 1000u) << target << " was not written";
    }
    expectOnly(dir, {"link.emf", "link.ps", "target.emf", "target.ps"});
    // A device that refuses every write (like /dev/full), as the output and as standard output.
    // A node of our own is used where one can be made, so that a tool which renamed a file over
    // its output could not replace the system's /dev/full.
    std::string full = dir + "/full";
    if (mknod(full.c_str(), S_IFCHR | 0666, makedev(1, 7)) != 0) {
        full = "/dev/full";
        if (access("/dev/full", W_OK) != 0 || access("/dev", W_OK) == 0)
            GTEST_SKIP() << "no device like /dev/full can be used safely here";
    }
    for (const char *format : {"ps", "cgm", "hpgl", "emf"})
        EXPECT_TRUE(exited(runTool(dir, {"-f", format, "-o", full}), 3)) << format;
    EXPECT_TRUE(exited(runTool(dir, {"-f", "ps", "-o", "-"}, RunOptions{full, -1, -1}), 3,
                       {"standard output"}));
    struct stat st;
    ASSERT_EQ(stat(full.c_str(), &st), 0);
    EXPECT_TRUE(S_ISCHR(st.st_mode)) << full << " is no longer a device";
    if (full != "/dev/full") std::remove(full.c_str());
    expectOnly(dir, {"link.emf", "link.ps", "target.emf", "target.ps"});
}

TEST(CliHelp, HelpAndManualPageDocumentEveryOption) {
    std::string dir = freshDir();
    Result help = runTool(dir, {"--help"});
    ASSERT_TRUE(exited(help, 0));
    EXPECT_TRUE(help.err.empty()) << help.err;
    EXPECT_EQ(help.out.rfind("Usage: scrivane", 0), 0u) << help.out;
    EXPECT_EQ(runTool(dir, {"-h"}).out, help.out);

    // Every option name the parser compares against appears in the help text.
    std::string source = slurp(std::string(SCRIVANE_TOOLS_SOURCE) + "/Options.cpp");
    source = source.substr(source.find("std::string parseOptions("));
    source = source.substr(0, source.find("std::string usageText("));
    std::regex optionLiteral("arg == \"(--?[a-z][a-z-]*)\"");
    std::set<std::string> parsed;
    for (std::sregex_iterator i(source.begin(), source.end(), optionLiteral), end; i != end; ++i)
        parsed.insert((*i)[1]);
    ASSERT_GT(parsed.size(), 30u) << "the option names could not be found in Options.cpp";
    std::regex helpEntry("(^|\\s|, )" + std::string("(--?[a-z][a-z-]*)") + "(?=[ ,\\n])");
    std::set<std::string> documented;
    for (std::sregex_iterator i(help.out.begin(), help.out.end(), helpEntry), end; i != end; ++i)
        documented.insert((*i)[2]);
    for (const std::string &name : parsed)
        EXPECT_TRUE(documented.count(name)) << name << " is not in --help";

    // Every entry with a value states its default (or that it is required or repeatable).
    std::regex valueEntry(
        "\\n  (?:-[a-z], |    )(--[a-z-]+) [A-Z,:]+ +([^\\n]*(?:\\n {20,}[^\\n]*)*)");
    int entries = 0;
    for (std::sregex_iterator i(help.out.begin(), help.out.end(), valueEntry), end; i != end;
         ++i, ++entries) {
        std::string text = (*i)[2];
        EXPECT_TRUE(std::regex_search(text, std::regex("\\((default|required|repeatable)")))
            << (*i)[1] << " does not state its default: " << text;
    }
    EXPECT_GT(entries, 15);

    Result version = runTool(dir, {"--version"});
    EXPECT_TRUE(exited(version, 0));
    EXPECT_TRUE(
        std::regex_match(version.out, std::regex("scrivane [0-9]+\\.[0-9]+(\\.[0-9]+)?[^\\n]*\\n")))
        << version.out;

    // The manual page and --help name the same options, the manual documents every exit status,
    // and groff formats it without a warning (where groff is installed).
    const std::string manual = std::string(SCRIVANE_TOOLS_SOURCE) + "/../scrivane.1";
    const std::string page = slurp(manual);
    ASSERT_FALSE(page.empty()) << manual << " is missing";
    auto collect = [](const std::string &text, const std::string &pattern) {
        std::set<std::string> names;
        std::regex option(pattern);
        for (std::sregex_iterator i(text.begin(), text.end(), option), end; i != end; ++i)
            names.insert(std::regex_replace((*i)[1].str(), std::regex("\\\\-"), "-"));
        return names;
    };
    // roff writes a hyphen as \-.
    const std::set<std::string> inHelp = collect(help.out, "(--[a-z][a-z-]*)");
    const std::set<std::string> inPage = collect(page, "(\\\\-\\\\-[a-z](?:[a-z]|\\\\-)*)");
    ASSERT_GT(inHelp.size(), 30u);
    for (const std::string &name : inHelp)
        EXPECT_TRUE(inPage.count(name)) << name << " is not in scrivane.1";
    for (const std::string &name : inPage)
        EXPECT_TRUE(inHelp.count(name)) << name << " is not in --help";
    for (const std::string &shortName : collect(help.out, "\\n  (-[a-z]),"))
        EXPECT_NE(page.find("\\" + shortName + " "), std::string::npos) << shortName;

    const std::string statuses = page.substr(page.find(".SH EXIT STATUS"));
    for (const char *status : {"0", "1", "2", "3", "4", "5", "130", "143"})
        EXPECT_NE(statuses.find(".TP\n.B " + std::string(status) + "\n"), std::string::npos)
            << status;

    if (system("command -v groff >/dev/null 2>&1") != 0) GTEST_SKIP() << "groff is not installed";
    EXPECT_EQ(shell("groff -man -Tutf8 -ww -z '" + manual + "'"),
              (std::pair<int, std::string>{0, ""}));
}
