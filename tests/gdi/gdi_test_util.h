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

// Bytes of 32-bit little-endian words, and back: the words from byte `from` up to byte `to`
// (the end when 0), signed decimal from -65535 to 65535, hex beyond.
Bytes fromWords(std::initializer_list<long long> words);
std::string words(const Bytes &bytes, std::size_t from = 0, std::size_t to = 0);

// The 240-byte file of a 1-unit black pen and one polyline (0,0)-(8000,3000) in
// MM_HIMETRIC with window origin (-1000, -1000) and frame (0, -5000, 10000, 0), as laid out
// by hand from the record formats.
Bytes penAndPolylineExample();

// The bytes GetEnhMetaFileBits gives for a closed metafile, which it then deletes (none when
// they cannot be had whole).
Bytes bitsAndDelete(HENHMETAFILE emf);
// Closes a metafile context made in memory and returns the file's bytes.
Bytes closeToBytes(HDC hdc);
EmfFile closeToEmf(HDC hdc);
Bytes readFileBytes(const std::string &path);

// A path in the test output folder.
std::string outputPath(const std::string &name);

// A metafile context with the writer's usual set-up: MM_HIMETRIC, window origin (-1000,
// -1000), frame (0, -5000, 10000, 0), no description.
HDC himetricMetafile();
inline HDC plainMetafile() {
    return CreateEnhMetaFileA(nullptr, nullptr, nullptr, nullptr);
}

// The records between the header and EOF; the names of all records ("HEADER ... EOF").
std::vector<EmfRecord> body(const EmfFile &f);
std::string recordNames(const EmfFile &f);

// A printer context from the print dialog (with the structure size the writer passes), its
// pages going to files named by `pattern`, or to the destination already set when null.
HDC printerDc(const char *pattern);
// Starts a document on a printer context.
int startDoc(HDC hdc);

// The header of a bottom-up 24-bit BI_RGB bitmap.
BITMAPINFO dibInfo(int width, int height);

} // namespace scrivane::test

#endif
