// Text of the CGM picture: colour, character height, font (by its index in the font list of
// the header), alignment and orientation, each written when it changes, then the TEXT.
#include <cmath>
#include <cstring>
#include <string>
#include "output/TextEncoding.h"
#include "output/cgm/CGMBinaryEncoder.h"
#include "output/cgm/CGMClearText.h"
#include "output/cgm/CGMPlacement.h"
#include "scrivane/SoVectorizeCGMAction.h"

namespace {
// Justification 1 left, 2 right, 3 centre: the clear-text names and binary values of the
// horizontal alignment. Other justifications are taken as left.
const char *const alignmentNames[3] = {"LEFT", "RIGHT", "CTR"};
const int alignmentValues[3] = {1, 3, 2};
} // namespace

void SoVectorizeCGMAction::printText2(SbVec4f position, SbColor color, const char *fontName, float fontSize,
                                      const char *text, int justification, float angle) {
    if (!text) return;
    int index = 0;
    SbColor colorOut;
    assignColor(color, getNominalWidth(), &index, &colorOut);
    // Text colour is compared by index and, in direct colour, by the colour itself: nearby
    // colours share an index, and only the colour tells them apart there.
    if (index != textColorIndex || (!indexed() && !(textColor == colorOut))) {
        textColorIndex = index;
        textColor = colorOut;
        lastColor = colorOut;
        if (binary())
            bin().Ptextcolr(index, colorOut);
        else
            CGMClearText::colr(out(), "TEXTCOLR", indexed(), index, colorOut);
    }
    const float height = static_cast<float>(getNominalWidth(MILLIMETER) * fontSize * 0.6);
    if (binary()) {
        currentTextHeight = fontSize;
        bin().Pcharheight(height);
    } else if (fontSize != currentTextHeight) {
        currentTextHeight = fontSize;
        CGMClearText::charheight(out(), height);
    }
    // A font not in the table keeps the font index in force.
    const char *name = fontName ? fontName : "";
    const size_t length = std::strlen(name);
    if (length >= static_cast<size_t>(FONT_NAME_SIZE) || std::strcmp(name, currentFontName) != 0) {
        std::strncpy(currentFontName, name, FONT_NAME_SIZE - 1);
        currentFontName[FONT_NAME_SIZE - 1] = '\0';
        const int font = length < static_cast<size_t>(FONT_NAME_SIZE) ? CGMClearText::fontIndex(name) : 0;
        if (font > 0) {
            if (binary())
                bin().Ptextfontindex(font);
            else
                CGMClearText::textfontindex(out(), font);
        }
    }
    if (binary()) {
        bin().Ptextprec(2);
        bin().Ptextpath(0);
        bin().Pcharspace(0.0);
        bin().Pcharexpan(1.0);
    } else {
        CGMClearText::textattributes(out());
    }
    if (justification < 1 || justification > 3) justification = 1;
    if (justification != currentJustification) {
        currentJustification = justification;
        if (binary())
            bin().Ptextjustif(alignmentValues[justification - 1]);
        else
            CGMClearText::textalign(out(), alignmentNames[justification - 1]);
    }
    // On a landscape page the orientation turns with the page: the angle cache holds the angle
    // of the turned text (a quarter turn more), against the default orientation, angle 0.
    const CGMPlacement at = placement();
    const float s = std::sin(angle), c = std::cos(angle);
    const SbVec2f up = at.direction(-s, c), base = at.direction(c, s);
    const float pageAngle = at.landscape ? static_cast<float>(angle + 1.5707963267948966) : angle;
    if (binary()) {
        currentTextAngle = pageAngle;
        bin().Pcharori(up[0], up[1], base[0], base[1]);
    } else if (pageAngle != currentTextAngle) {
        currentTextAngle = pageAngle;
        CGMClearText::charori(out(), up[0], up[1], base[0], base[1]);
    }
    // The text's characters in Latin-1 (ISO 8859-1) codes, one byte each; one beyond Latin-1
    // is written as '?'.
    const std::string latin1 = scrivane_text::latin1Text(text, &replacedCharacters);
    if (binary()) {
        bin().Ptext010(position, 1, latin1.c_str());
    } else {
        const SbVec2f origin = at.place(position[0], position[1]);
        CGMClearText::text(out(), origin[0], origin[1], latin1.c_str());
    }
}
