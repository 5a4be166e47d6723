// Test helper: checks many PostScript files with one Ghostscript run, for tests that write
// hundreds of files (starting Ghostscript costs about as much as reading a small file).
// To use it, add ${PROJECT_SOURCE_DIR}/tests/support/ps_batch_check.cpp to a test's SOURCES.
//
//   std::vector<scrivane::test::BatchVerdict> v = scrivane::test::ghostscriptCheckEach(paths);
//   for (size_t i = 0; i < paths.size(); i++) EXPECT_TRUE(v[i].accepted) << v[i].message;
//
// Each file runs inside save ... restore, under stopped, in a nullpage Ghostscript started
// with -dSAFER (reading allowed in the files' folders only). A file is accepted when it raises
// no error, leaves no operand on the stack, writes nothing on standard error while it runs and
// produces at least one page: the same verdict as ghostscriptAccepts in ps_check.h gives for the
// file on its own. Dictionaries a file leaves open are closed before the restore. A file whose
// run was cut short (Ghostscript stopped or crashed during or before it) is not accepted, with
// a message that says so; run it alone with ghostscriptAccepts to see Ghostscript's own report.
#ifndef SCRIVANE_TEST_PS_BATCH_CHECK_H
#define SCRIVANE_TEST_PS_BATCH_CHECK_H

#include <string>
#include <vector>

namespace scrivane::test {

struct BatchVerdict {
    bool accepted = false;
    int pages = -1;      // pages the file produced; -1 when its run did not end
    std::string message; // why it was not accepted (empty when it was)
};

// One verdict per path, in order. Paths must not contain ')' '(' or '\\' (checked: such a path
// gets a verdict saying so and is not run).
std::vector<BatchVerdict> ghostscriptCheckEach(const std::vector<std::string> &psPaths);

} // namespace scrivane::test

#endif
