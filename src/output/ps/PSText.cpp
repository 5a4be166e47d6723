// Text. A line of text sets its colour and, when it changes, its font (the size in
// millimetres), then calls one procedure per justification with the text as a PostScript
// string, its angle in degrees and its anchor:
//
//   /Times-Roman findfont 3.53 scalefont setfont
//   (left) 0.00 20.00 30.00 ltx      text starting at the anchor
//   20.00 40.00 0.00 (right) rtx     text ending at the anchor
//   20.00 50.00 90.00 (f\(x\)) ctx   text centred on the anchor
//
// Parentheses and backslashes are escaped, since either can end or break the string, and bytes
// outside printable ASCII are written as three-digit octal escapes, so that no text can make the
// document unreadable and a line break in a text cannot split a command across lines. A font
// name that could not stand as a PostScript name literal (spaces, delimiters, other bytes) is
// written as a string turned into a name: (Times Roman) cvn findfont. Either way nothing in a
// font name can act as PostScript. A name is cut to 127 bytes, the longest name an interpreter
// must accept (a longer one is a limitcheck error).
//
// Scene texts are UTF-8 (a byte that starts no UTF-8 sequence is a legacy Latin-1 byte) and are
// written as Latin-1 codes; a character beyond Latin-1 is written as '?' and counted
// (getReplacedCharacterCount). The standard fonts are encoded for ASCII only, so the first text
// with a character above 127 selects the font re-encoded with ISOLatin1Encoding, under the name
// ScrivaneLatin1, and the font stays re-encoded until the next change of font or size:
//
//   /Times-Roman findfont dup length dict begin {1 index /FID ne {def} {pop pop} ifelse} forall
//   /Encoding ISOLatin1Encoding def currentdict end /ScrivaneLatin1 exch definefont 3.53 scalefont
//   setfont                                          (one line in the document)
//   (caf\351) 0.00 20.00 30.00 ltx
//
// Documents whose texts are all ASCII select their fonts as before.
#include "output/TextEncoding.h"
#include "scrivane/SoVectorizePSAction.h"
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>

namespace {

// The longest name a PostScript interpreter must accept.
const size_t maxNameLength = 127;

std::string psString(const char *text) {
    std::string escaped;
    escaped.reserve(std::strlen(text) + 8);
    for (const unsigned char *c = reinterpret_cast<const unsigned char *>(text); *c; c++) {
        if (*c == '(' || *c == ')' || *c == '\\') {
            escaped += '\\';
            escaped += static_cast<char>(*c);
        } else if (*c < 0x20 || *c > 0x7e) {
            char octal[5];
            std::snprintf(octal, sizeof(octal), "\\%03o", *c);
            escaped += octal;
        } else {
            escaped += static_cast<char>(*c);
        }
    }
    return escaped;
}

bool isPlainName(const char *name) {
    for (const unsigned char *c = reinterpret_cast<const unsigned char *>(name); *c; c++)
        if (*c <= 0x20 || *c > 0x7e || std::strchr("()<>[]{}/%", *c)) return false;
    return true;
}

} // namespace

void SoVectorizePSAction::printText2(SbVec4f position, SbColor color, const char *fontName,
                                     float fontSize, const char *text, int justification,
                                     float angle) {
    if (!fontName) fontName = "";
    if (!text) text = "";
    FILE *fp = out();
    assignColor(color, getNominalWidth(MILLIMETER));
    const std::string name(fontName, std::min<size_t>(std::strlen(fontName), maxNameLength));
    const bool latin1 = !scrivane_text::isAsciiText(text);
    if (fontSize != currentFontSize || name != currentFontName || (latin1 && !currentFontLatin1)) {
        currentFontSize = fontSize;
        std::snprintf(currentFontName, sizeof(currentFontName), "%s", name.c_str());
        currentFontLatin1 = latin1;
        const double size = fontSize * getNominalWidth(MILLIMETER);
        if (isPlainName(name.c_str()))
            std::fprintf(fp, "/%s findfont", name.c_str());
        else
            std::fprintf(fp, "(%s) cvn findfont", psString(name.c_str()).c_str());
        if (latin1)
            std::fputs(" dup length dict begin {1 index /FID ne {def} {pop pop} ifelse} forall"
                       " /Encoding ISOLatin1Encoding def currentdict end"
                       " /ScrivaneLatin1 exch definefont",
                       fp);
        std::fprintf(fp, " %.2f scalefont setfont\n", size);
    }
    const double pi = 3.14159265358979323846;
    const double degrees = angle != 0.0f ? angle * 180.0 / pi : 0.0;

    const std::string escaped =
        psString(scrivane_text::latin1Text(text, &replacedCharacters).c_str());
    text = escaped.c_str();

    const double x = position[0], y = position[1];
    switch (justification) {
    case 1:
        std::fprintf(fp, "(%s) %.2f %.2f %.2f ltx\n", text, degrees, x, y);
        break;
    case 2:
        std::fprintf(fp, "%.2f %.2f %.2f (%s) rtx\n", x, y, degrees, text);
        break;
    case 3:
        std::fprintf(fp, "%.2f %.2f %.2f (%s) ctx\n", x, y, degrees, text);
        break;
    default:
        // No justification of the text node: colour and font are set, no text is drawn.
        break;
    }
}
