// The batch Ghostscript check of the corpus test (tests/support/ps_batch_check.h) rejects what a
// Ghostscript run of the file alone rejects, names the file's problem, and keeps one file's
// definitions and open dictionaries from reaching the next.
#include "cli_run.h"
#include "ps_batch_check.h"
#include "ps_check.h"
#include <fstream>
#include <gtest/gtest.h>

using namespace clitest;

TEST(PsBatchCheck, JudgesEachFileAsGhostscriptAloneDoes) {
    const std::string dir = freshDir();
    auto write = [&](const std::string &name, const std::string &text) {
        std::ofstream(dir + "/" + name, std::ios::binary) << text;
        return dir + "/" + name;
    };
    const std::string page = "%!PS\nnewpath 10 10 moveto 100 100 lineto stroke showpage\n";
    struct Case {
        std::string path;
        bool accepted;
        std::string saying; // part of the message when not accepted
    };
    const std::vector<Case> cases = {
        {write("good.ps", page), true, ""},
        {write("undefined.ps", "%!PS\n/x 1 def nosuchoperator showpage\n"), false,
         "undefined in nosuchoperator"},
        {write("leftovers.ps", "%!PS\n1 2 3 showpage\n"), false, "left 3 operand(s)"},
        {write("no-page.ps", "%!PS\nnewpath 0 0 moveto\n"), false, "no page"},
        {write("stderr.ps", "%!PS\n(a complaint\\n) (%stderr) (w) file exch writestring "
                            "showpage\n"),
         false, "a complaint"},
        {write("truncated.ps", "%!PS\n/p { newpath 0 0 moveto\n"), false, "Error: /"},
        // Leaves a dictionary open in which showpage does nothing: the next file must still
        // produce its page.
        {write("open-dictionary.ps",
               "%!PS\n10 dict begin /showpage { } def systemdict /showpage get exec\n"),
         true, ""},
        {write("after.ps", page), true, ""},
        {write("showpage-redefined.ps", "%!PS\nuserdict /showpage { } put\n"), false, "no page"},
        {write("after-redefinition.ps", page), true, ""},
        {dir + "/missing.ps", false, "undefinedfilename"},
        {write("paren(thesis).ps", page), false, "not run"},
    };
    std::vector<std::string> paths;
    for (const Case &c : cases)
        paths.push_back(c.path);
    const std::vector<scrivane::test::BatchVerdict> verdicts =
        scrivane::test::ghostscriptCheckEach(paths);
    ASSERT_EQ(verdicts.size(), cases.size());
    for (size_t i = 0; i < cases.size(); i++) {
        SCOPED_TRACE(cases[i].path);
        EXPECT_EQ(verdicts[i].accepted, cases[i].accepted) << verdicts[i].message;
        if (cases[i].accepted) {
            EXPECT_EQ(verdicts[i].pages, 1);
            EXPECT_EQ(verdicts[i].message, "");
        } else {
            EXPECT_NE(verdicts[i].message.find(cases[i].saying), std::string::npos)
                << verdicts[i].message;
        }
        // The same verdict as the file alone (the path with parentheses aside: gs reads it).
        if (cases[i].saying != "not run") {
            EXPECT_EQ(static_cast<bool>(scrivane::test::ghostscriptAccepts(cases[i].path)),
                      cases[i].accepted);
        }
    }
}
