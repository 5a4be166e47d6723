// UTF-8 decoding with legacy 8-bit bytes read as Latin-1; see TextEncoding.h.
#include "output/TextEncoding.h"

namespace scrivane_text {

std::u32string decodeText(const char *text) {
    std::u32string decoded;
    if (!text) return decoded;
    const unsigned char *c = reinterpret_cast<const unsigned char *>(text);
    while (*c) {
        const unsigned char lead = *c;
        int length = 0;
        char32_t code = 0, minimum = 0;
        if (lead < 0x80) {
            decoded += lead;
            c++;
            continue;
        } else if (lead >= 0xC2 && lead <= 0xDF) {
            length = 2, code = lead & 0x1F, minimum = 0x80;
        } else if (lead >= 0xE0 && lead <= 0xEF) {
            length = 3, code = lead & 0x0F, minimum = 0x800;
        } else if (lead >= 0xF0 && lead <= 0xF4) {
            length = 4, code = lead & 0x07, minimum = 0x10000;
        }
        int i = 1;
        for (; i < length && (c[i] & 0xC0) == 0x80; i++)
            code = (code << 6) | (c[i] & 0x3F);
        const bool wellFormed = length > 0 && i == length && code >= minimum && code <= 0x10FFFF &&
                                (code < 0xD800 || code > 0xDFFF);
        if (wellFormed) {
            decoded += code;
            c += length;
        } else {
            decoded += lead; // a legacy byte: its Latin-1 character
            c++;
        }
    }
    return decoded;
}

std::string latin1Text(const char *text, int *replaced) {
    std::string bytes;
    for (char32_t code : decodeText(text)) {
        if (code <= 0xFF) {
            bytes += static_cast<char>(code);
        } else {
            bytes += '?';
            if (replaced) ++*replaced;
        }
    }
    return bytes;
}

bool isAsciiText(const char *text) {
    if (!text) return true;
    for (const unsigned char *c = reinterpret_cast<const unsigned char *>(text); *c; c++)
        if (*c >= 0x80) return false;
    return true;
}

std::string utf8Text(const char *text) {
    std::string utf8;
    for (char32_t c : scrivane_text::decodeText(text)) {
        if (c < 0x80) {
            utf8 += static_cast<char>(c);
        } else if (c < 0x800) {
            utf8 += static_cast<char>(0xC0 | (c >> 6));
            utf8 += static_cast<char>(0x80 | (c & 0x3F));
        } else if (c < 0x10000) {
            utf8 += static_cast<char>(0xE0 | (c >> 12));
            utf8 += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            utf8 += static_cast<char>(0x80 | (c & 0x3F));
        } else {
            utf8 += static_cast<char>(0xF0 | (c >> 18));
            utf8 += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
            utf8 += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            utf8 += static_cast<char>(0x80 | (c & 0x3F));
        }
    }
    return utf8;
}

} // namespace scrivane_text
