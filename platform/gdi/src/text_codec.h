// Conversion of the ANSI strings of the "A" functions to UTF-16. The ANSI code page is taken
// to be Windows-1252, the default on Western Windows installations.
#ifndef SCRIVANE_GDI_TEXT_CODEC_H
#define SCRIVANE_GDI_TEXT_CODEC_H

#include <cstddef>
#include <string>

namespace scrivane::gdi {

std::u16string ansiToUtf16(const char *text, std::size_t length);
// The UTF-16 unit of one ANSI byte.
char16_t ansiToUtf16Unit(unsigned char byte);

} // namespace scrivane::gdi

#endif
