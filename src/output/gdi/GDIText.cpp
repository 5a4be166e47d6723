// The GDI writer's text: one TextOutW per string (its UTF-16 code units), in a font made for it.
//
// The font name of the scene reads "Face" or "Face : Style" (BOLD, ITALIC or BOLD ITALIC); the
// height is the font size as a character height in logical units; the escapement carries the
// text's angle. Text colour, alignment (on the baseline) and the transparent background are set
// only when they change.
#include <climits>
#include <cstring>

#include <vector>

#include "output/TextEncoding.h"
#include "output/gdi/GDIWriterSupport.h"
#include "scrivane/SoVectorizeGDIAction.h"

using scrivane::gdiwriter::FontSelection;
using scrivane::gdiwriter::splitFontName;
using scrivane::gdiwriter::truncToInt;

namespace {

const double pi = 3.14159265358979323846;

// The quarter turn of a landscape page, in tenths of a degree counter-clockwise.
const int landscapeTurn = 900;

UINT alignmentFor(int justification) {
    // Justification 1 is left, 2 right, 3 centre; other values do not occur and are drawn left.
    switch (justification) {
    case 2:
        return TA_RIGHT | TA_BASELINE;
    case 3:
        return TA_CENTER | TA_BASELINE;
    default:
        return TA_LEFT | TA_BASELINE;
    }
}

// The text in UTF-16 code units, for the wide-character text call: scene texts are UTF-8 (a
// byte that starts no UTF-8 sequence reads as its Latin-1 character, see TextEncoding.h), and
// a character beyond the 16-bit plane takes a surrogate pair.
std::vector<WCHAR> utf16Text(const char *text) {
    std::vector<WCHAR> units;
    for (char32_t code : scrivane_text::decodeText(text)) {
        if (code < 0x10000) {
            units.push_back(static_cast<WCHAR>(code));
        } else {
            code -= 0x10000;
            units.push_back(static_cast<WCHAR>(0xD800 + (code >> 10)));
            units.push_back(static_cast<WCHAR>(0xDC00 + (code & 0x3FF)));
        }
    }
    return units;
}

} // namespace

void SoVectorizeGDIAction::setTextState(COLORREF color, UINT align) {
    if (!textStateValid) SetBkMode(deviceContext, TRANSPARENT);
    if (!textStateValid || color != textColor) SetTextColor(deviceContext, color);
    if (!textStateValid || align != textAlign) SetTextAlign(deviceContext, align);
    textStateValid = 1;
    textColor = color;
    textAlign = align;
}

void SoVectorizeGDIAction::printText2(SbVec4f position, SbColor color, const char *fontName,
                                      float fontSize, const char *text, int justification,
                                      float angle) {
    if (!text || !text[0]) return;
    int escapement = truncToInt(angle * 180.0 * (1.0 / pi) * 10.0);
    const FontSelection font = splitFontName(fontName);
    assignColor(color, getNominalWidth());
    setTextState(colorRef(currentColor), alignmentFor(justification));

    POINT at = {toLogical(position[0]), toLogical(position[1])};
    if (getOrientation() == LANDSCAPE) {
        // The text turns with the page, as its anchor and the geometry around it do.
        pointsToLandscape(&at, 1);
        escapement = (escapement + landscapeTurn) % 3600;
    }
    const int height = -truncToInt(static_cast<float>(scale) * getNominalWidth() * fontSize);
    HFONT hfont = CreateFontA(
        height, 0, escapement, escapement, font.weight, static_cast<DWORD>(font.italic), 0, 0,
        ANSI_CHARSET, OUT_DEFAULT_PRECIS, CLIP_LH_ANGLES, PROOF_QUALITY, 0, font.face.c_str());
    HGDIOBJ before = SelectObject(deviceContext, hfont);
    const std::vector<WCHAR> wide = utf16Text(text);
    TextOutW(deviceContext, at.x, at.y, wide.data(),
             wide.size() > INT_MAX ? INT_MAX : static_cast<int>(wide.size()));
    if (before) SelectObject(deviceContext, before);
    DeleteObject(hfont);
}
