// Label text for HP-GL/2.
//
// A label runs from LB to the terminator 0x03 and everything in between is taken as text, so
// what reaches the plotter must be text and nothing else:
// - the terminator itself would end the label early, and the rest of the text would be read as
//   commands;
// - the other control characters are functions, not characters: ESC starts the printer's escape
//   sequences (ESC%-12345X ends the whole job, ESC E resets the printer), SO and SI switch to
//   the alternate font and back for everything that follows, BS, CR, LF, HT and VT move the
//   label's carriage off the text's line; DEL prints nothing;
// - characters above 127 have other codes for the plotter than in the scene: the scene's texts
//   are UTF-8, or in legacy files 8-bit Windows Latin-1 (code page 1252), and a plotter
//   prints its default symbol set, Roman-8, which holds most of the same letters
//   at other codes. The codes 0x80 to 0x9F and 0xFF are control or unassigned codes in Roman-8,
//   which some devices act on.
// So white-space controls (HT, LF, VT, FF, CR) become a blank, so that the words they separated
// stay apart; every other control character and DEL is left out, as is a code that stands for
// no character. Characters above 127 are written at their Roman-8 code; those that Roman-8
// lacks are spelt in ASCII (the euro as "EUR", an ellipsis as "...", curly quotes as straight
// ones), and a soft hyphen, which shows only where a line is broken, is left out. The symbol
// set stays the one the plotter starts with (the writer's SD never selects one), so no
// command changes with the text. A text of any length is one label: the writer never splits
// it, as a split label would be justified piece by piece.
#include "output/hpgl/HPGLLabel.h"
#include "output/TextEncoding.h"

#include <cstring>

namespace scrivane_hpgl {

namespace {

// The label bytes for the code page 1252 characters 0x80 to 0xFF: a Roman-8 code, an ASCII
// spelling, or nothing.
const char *const upperHalf[128] = {
    "EUR",  // 80 euro sign
    "",     // 81 unassigned
    ",",    // 82 single low-9 quotation mark
    "\xBE", // 83 latin small letter f with hook
    "\"",   // 84 double low-9 quotation mark
    "...",  // 85 horizontal ellipsis
    "+",    // 86 dagger
    "+",    // 87 double dagger
    "\xAA", // 88 modifier letter circumflex accent
    "%",    // 89 per mille sign
    "\xEB", // 8A latin capital letter s with caron
    "<",    // 8B single left-pointing angle quotation mark
    "OE",   // 8C latin capital ligature oe
    "",     // 8D unassigned
    "Z",    // 8E latin capital letter z with caron
    "",     // 8F unassigned
    "",     // 90 unassigned
    "'",    // 91 left single quotation mark
    "'",    // 92 right single quotation mark
    "\"",   // 93 left double quotation mark
    "\"",   // 94 right double quotation mark
    "\xF2", // 95 bullet
    "-",    // 96 en dash
    "\xF6", // 97 em dash
    "\xAC", // 98 small tilde
    "TM",   // 99 trade mark sign
    "\xEC", // 9A latin small letter s with caron
    ">",    // 9B single right-pointing angle quotation mark
    "oe",   // 9C latin small ligature oe
    "",     // 9D unassigned
    "z",    // 9E latin small letter z with caron
    "\xEE", // 9F latin capital letter y with diaeresis
    " ",    // A0 no-break space
    "\xB8", // A1 inverted exclamation mark
    "\xBF", // A2 cent sign
    "\xBB", // A3 pound sign
    "\xBA", // A4 currency sign
    "\xBC", // A5 yen sign
    "|",    // A6 broken bar
    "\xBD", // A7 section sign
    "\xAB", // A8 diaeresis
    "(C)",  // A9 copyright sign
    "\xF9", // AA feminine ordinal indicator
    "\xFB", // AB left-pointing double angle quotation mark
    "-",    // AC not sign
    "",     // AD soft hyphen
    "(R)",  // AE registered sign
    "\xB0", // AF macron
    "\xB3", // B0 degree sign
    "\xFE", // B1 plus-minus sign
    "2",    // B2 superscript two
    "3",    // B3 superscript three
    "\xA8", // B4 acute accent
    "\xF3", // B5 micro sign
    "\xF4", // B6 pilcrow sign
    "\xF2", // B7 middle dot
    ",",    // B8 cedilla
    "1",    // B9 superscript one
    "\xFA", // BA masculine ordinal indicator
    "\xFD", // BB right-pointing double angle quotation mark
    "\xF7", // BC vulgar fraction one quarter
    "\xF8", // BD vulgar fraction one half
    "\xF5", // BE vulgar fraction three quarters
    "\xB9", // BF inverted question mark
    "\xA1", // C0 latin capital letter a with grave
    "\xE0", // C1 latin capital letter a with acute
    "\xA2", // C2 latin capital letter a with circumflex
    "\xE1", // C3 latin capital letter a with tilde
    "\xD8", // C4 latin capital letter a with diaeresis
    "\xD0", // C5 latin capital letter a with ring above
    "\xD3", // C6 latin capital letter ae
    "\xB4", // C7 latin capital letter c with cedilla
    "\xA3", // C8 latin capital letter e with grave
    "\xDC", // C9 latin capital letter e with acute
    "\xA4", // CA latin capital letter e with circumflex
    "\xA5", // CB latin capital letter e with diaeresis
    "\xE6", // CC latin capital letter i with grave
    "\xE5", // CD latin capital letter i with acute
    "\xA6", // CE latin capital letter i with circumflex
    "\xA7", // CF latin capital letter i with diaeresis
    "\xE3", // D0 latin capital letter eth
    "\xB6", // D1 latin capital letter n with tilde
    "\xE8", // D2 latin capital letter o with grave
    "\xE7", // D3 latin capital letter o with acute
    "\xDF", // D4 latin capital letter o with circumflex
    "\xE9", // D5 latin capital letter o with tilde
    "\xDA", // D6 latin capital letter o with diaeresis
    "x",    // D7 multiplication sign
    "\xD2", // D8 latin capital letter o with stroke
    "\xAD", // D9 latin capital letter u with grave
    "\xED", // DA latin capital letter u with acute
    "\xAE", // DB latin capital letter u with circumflex
    "\xDB", // DC latin capital letter u with diaeresis
    "\xB1", // DD latin capital letter y with acute
    "\xF0", // DE latin capital letter thorn
    "\xDE", // DF latin small letter sharp s
    "\xC8", // E0 latin small letter a with grave
    "\xC4", // E1 latin small letter a with acute
    "\xC0", // E2 latin small letter a with circumflex
    "\xE2", // E3 latin small letter a with tilde
    "\xCC", // E4 latin small letter a with diaeresis
    "\xD4", // E5 latin small letter a with ring above
    "\xD7", // E6 latin small letter ae
    "\xB5", // E7 latin small letter c with cedilla
    "\xC9", // E8 latin small letter e with grave
    "\xC5", // E9 latin small letter e with acute
    "\xC1", // EA latin small letter e with circumflex
    "\xCD", // EB latin small letter e with diaeresis
    "\xD9", // EC latin small letter i with grave
    "\xD5", // ED latin small letter i with acute
    "\xD1", // EE latin small letter i with circumflex
    "\xDD", // EF latin small letter i with diaeresis
    "\xE4", // F0 latin small letter eth
    "\xB7", // F1 latin small letter n with tilde
    "\xCA", // F2 latin small letter o with grave
    "\xC6", // F3 latin small letter o with acute
    "\xC2", // F4 latin small letter o with circumflex
    "\xEA", // F5 latin small letter o with tilde
    "\xCE", // F6 latin small letter o with diaeresis
    "/",    // F7 division sign
    "\xD6", // F8 latin small letter o with stroke
    "\xCB", // F9 latin small letter u with grave
    "\xC7", // FA latin small letter u with acute
    "\xC3", // FB latin small letter u with circumflex
    "\xCF", // FC latin small letter u with diaeresis
    "\xB2", // FD latin small letter y with acute
    "\xF1", // FE latin small letter thorn
    "\xEF", // FF latin small letter y with diaeresis
};

// The code page 1252 byte 0x80 to 0x9F of a character beyond Latin-1, or 0 when it has none.
unsigned char windows1252Code(char32_t code) {
    static const char32_t upperControls[32] = {
        0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
        0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
        0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};
    for (int i = 0; i < 32; i++)
        if (upperControls[i] == code) return static_cast<unsigned char>(0x80 + i);
    return 0;
}

} // namespace

std::string labelText(const char *text, int *replaced) {
    std::string label;
    if (!text) return label;
    label.reserve(std::strlen(text));
    // The text is read as UTF-8; a byte that starts no UTF-8 sequence is a code page 1252 byte
    // of a legacy file, and its code reads as the 1252 character (see TextEncoding.h). A
    // character that code page 1252 lacks is written as '?'.
    for (char32_t code : scrivane_text::decodeText(text)) {
        if (code > 0xFF) {
            const unsigned char byte = windows1252Code(code);
            if (byte) {
                label += upperHalf[byte - 0x80];
            } else {
                label += '?';
                if (replaced) ++*replaced;
            }
        } else if (code >= 0x80) {
            label += upperHalf[code - 0x80];
        } else if (code >= 0x20 && code < 0x7F) {
            label += static_cast<char>(code);
        } else if (code >= '\t' && code <= '\r') { // HT, LF, VT, FF, CR
            label += ' ';
        }
    }
    return label;
}

} // namespace scrivane_hpgl
