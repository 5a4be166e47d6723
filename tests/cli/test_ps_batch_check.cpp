// The batch Ghostscript check of the corpus test (tests/support/ps_batch_check.h) gives each file
// the verdict of a Ghostscript run of the file alone, names the file's problem, and keeps one
// file's definitions and open dictionaries from reaching the next.
#include "cli_run.h"
#include "ps_batch_check.h"
#include "ps_check.h"
#include <fstream>
#include <gtest/gtest.h>

TEST(PsBatchCheck, JudgesEachFileAsGhostscriptAloneDoes) {
    const std::string dir = clitest::freshDir(),
                      page = "newpath 0 0 moveto 9 9 lineto stroke showpage";
    struct Case {
        std::string name, text;
        const char *saying; // in the message; nullptr when the file is accepted
    };
    const std::vector<Case> cases = {
        {"good.ps", page, nullptr},
        {"undefined.ps", "/x 1 def nosuchoperator showpage", "undefined in nosuchoperator"},
        {"leftovers.ps", "1 2 3 showpage", "left 3 operand(s)"},
        {"no-page.ps", "newpath 0 0 moveto", "no page"},
        {"stderr.ps", "(a complaint\\n) (%stderr) (w) file exch writestring showpage",
         "a complaint"},
        {"truncated.ps", "/p { newpath 0 0 moveto", "Error: /"},
        // Leaves open a dictionary in which showpage does nothing: the next file still has a page.
        {"open-dictionary.ps", "10 dict begin /showpage { } def systemdict /showpage get exec",
         nullptr},
        {"after.ps", page, nullptr},
        {"showpage-redefined.ps", "userdict /showpage { } put", "no page"},
        {"after-redefinition.ps", page, nullptr},
        {"missing.ps", "", "undefinedfilename"},
        {"paren(thesis).ps", page, nullptr},
    };
    std::vector<std::string> paths;
    for (const Case &c : cases) {
        paths.push_back(dir + "/" + c.name);
        if (c.name != "missing.ps") std::ofstream(paths.back()) << "%!PS\n" << c.text << "\n";
    }
    const std::vector<scrivane::test::BatchVerdict> verdicts =
        scrivane::test::ghostscriptCheckEach(paths);
    ASSERT_EQ(verdicts.size(), cases.size());
    for (size_t i = 0; i < cases.size(); i++) {
        SCOPED_TRACE(paths[i]);
        const bool accepted = cases[i].saying == nullptr;
        EXPECT_EQ(verdicts[i].accepted, accepted) << verdicts[i].message;
        EXPECT_EQ(bool(scrivane::test::ghostscriptAccepts(paths[i])), accepted);
        if (accepted)
            EXPECT_EQ(verdicts[i].pages, 1);
        else
            EXPECT_NE(verdicts[i].message.find(cases[i].saying), std::string::npos)
                << verdicts[i].message;
    }
}
