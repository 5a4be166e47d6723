// Helpers shared by the GDI layer tests.
#ifndef SCRIVANE_TESTS_GDI_TEST_UTIL_H
#define SCRIVANE_TESTS_GDI_TEST_UTIL_H

#include "emf_dump.h"

#include "scrivane_gdi/gdi.h"

#include <cstdint>
#include <string>
#include <vector>

namespace scrivane::test {

using Bytes = std::vector<std::uint8_t>;

// Bytes written as hex pairs; blanks, newlines and "offset:" prefixes are ignored.
Bytes hexBytes(const std::string &text);
std::string toHex(const Bytes &bytes);

// The 240-byte file of a 1-unit black pen and one polyline (0,0)-(8000,3000) in
// MM_HIMETRIC with window origin (-1000, -1000) and frame (0, -5000, 10000, 0), as laid out
// by hand from the record formats.
Bytes penAndPolylineExample();

// Closes a metafile context made in memory and returns the file's bytes.
Bytes closeToBytes(HDC hdc);
EmfFile closeToEmf(HDC hdc);
Bytes readFileBytes(const std::string &path);

// A path in the test output folder.
std::string outputPath(const std::string &name);

// A metafile context with the writer's usual set-up: MM_HIMETRIC, window origin (-1000,
// -1000), frame (0, -5000, 10000, 0), no description.
HDC himetricMetafile();

// The records between the header and EOF, and the record bytes of one record.
std::vector<EmfRecord> body(const EmfFile &f);

} // namespace scrivane::test

#endif
