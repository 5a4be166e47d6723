#ifndef SCRIVANE_TEXTENCODING_H
#define SCRIVANE_TEXTENCODING_H
// The characters of a scene's text. Scene files hold UTF-8 text; older files hold 8-bit Latin-1
// (or Windows-1252) bytes. decodeText reads UTF-8, and takes any byte that does not begin a
// well-formed UTF-8 sequence (a stray continuation byte, a truncated, overlong or surrogate
// sequence, a code above U+10FFFF) as the Latin-1 character of that byte, so that a legacy
// file's "caf\xE9" still reads as "café" and no text is ever refused.
#include <string>

namespace scrivane_text {

// The Unicode code points of a NUL-terminated text (nullptr reads as empty).
std::u32string decodeText(const char *text);

// The text as Latin-1 bytes: each character above U+00FF becomes '?', and *replaced (when given)
// is increased by the number of characters so replaced.
std::string latin1Text(const char *text, int *replaced = nullptr);

// The text as well-formed UTF-8, each legacy byte as its Latin-1 character (nullptr is empty):
// what cairo requires of a text.
std::string utf8Text(const char *text);

// True when every byte of the text is below 0x80 (nullptr is pure ASCII).
bool isAsciiText(const char *text);

} // namespace scrivane_text

#endif
