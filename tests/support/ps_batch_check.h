// Test helper: checks many PostScript files with one Ghostscript run (starting Ghostscript costs
// as much as reading a small file). Add tests/support/ps_batch_check.cpp and ps_check.cpp to the
// test's SOURCES.
//
// Each file runs under save ... restore and stopped in a nullpage Ghostscript with -dSAFER. It is
// accepted when it raises no error, leaves no operand on the stack, writes nothing on standard
// error and produces a page: the verdict ghostscriptAccepts (ps_check.h) gives the file alone.
// Dictionaries a file leaves open are closed before the restore. A file whose run was cut short
// (Ghostscript stopped or crashed) is not accepted, with a message saying so.
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

// One verdict per path, in order.
std::vector<BatchVerdict> ghostscriptCheckEach(const std::vector<std::string> &psPaths);

} // namespace scrivane::test

#endif
