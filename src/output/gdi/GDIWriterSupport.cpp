#include "output/gdi/GDIWriterSupport.h"

#include <cctype>
#include <cmath>
#include <cstring>

#include "output/LinePatternRuns.h"

namespace scrivane::gdiwriter {

namespace {

const size_t maxFaceLength = 31; // LF_FACESIZE less the terminator
const size_t maxStyleLength = 11;

std::string upperCase(std::string text) {
    for (char &c : text)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return text;
}

} // namespace

FontSelection splitFontName(const char *fontName) {
    FontSelection font;
    if (!fontName) return font;
    const char *colon = std::strrchr(fontName, ':');
    if (!colon) {
        font.face.assign(fontName, strnlen(fontName, maxFaceLength));
        return font;
    }
    size_t faceLength = static_cast<size_t>(colon - fontName);
    if (faceLength > 0 && fontName[faceLength - 1] == ' ') faceLength--;
    const char *style = colon + 1;
    if (*style == ' ') style++;
    font.face.assign(fontName, faceLength < maxFaceLength ? faceLength : maxFaceLength);
    font.style.assign(style, strnlen(style, maxStyleLength));
    const std::string upper = upperCase(font.style);
    if (upper == "BOLD" || upper == "BOLD ITALIC") font.weight = FW_BOLD;
    if (upper == "ITALIC" || upper == "BOLD ITALIC") font.italic = 1;
    return font;
}

int dashStyleForPattern(unsigned short pattern) {
    int runs[16];
    int count = linePatternRuns(pattern, runs);
    if (count == 0) return -1;
    if (count % 2 == 1) {
        // The pattern repeats: its last run (a dash) continues into the first.
        if (count == 1) return PS_SOLID;
        runs[0] += runs[count - 1];
        count--;
    }
    int longRun = 0;
    for (int i = 0; i < count; i++)
        if (runs[i] >= 8) longRun = 1;
    if (count == 2) return PS_DASH;
    if (count == 4) return longRun ? PS_DASHDOT : PS_DASH;
    if (count == 6) return longRun ? PS_DASHDOTDOT : PS_DASH;
    return PS_DOT;
}

DWORD penEndCap(SoVectorizeAction::EndLineStyle style) {
    switch (style) {
    case SoVectorizeAction::SQUARE_CAP:
        return PS_ENDCAP_SQUARE;
    case SoVectorizeAction::POINTED_CAP:
    case SoVectorizeAction::ROUND_CAP:
        return PS_ENDCAP_ROUND;
    default:
        return PS_ENDCAP_FLAT;
    }
}

DWORD penJoin(SoVectorizeAction::JoinLineStyle style) {
    switch (style) {
    case SoVectorizeAction::MITER_JOIN:
    case SoVectorizeAction::MITER_BEVEL_JOIN:
        return PS_JOIN_MITER;
    case SoVectorizeAction::POINTED_JOIN:
    case SoVectorizeAction::ROUND_JOIN:
        return PS_JOIN_ROUND;
    default:
        return PS_JOIN_BEVEL;
    }
}

} // namespace scrivane::gdiwriter
