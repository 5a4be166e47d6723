// Filled polygons of the CGM picture: solid fills with FILL COLOUR, and fill patterns. From
// version 3 a pattern is a PATTERN TABLE entry (32 x 32 cells) numbered from 1 per picture,
// selected by PATTERN INDEX and sized by PATTERN SIZE, its clear bits transparent. Below
// version 3 a table would paint its clear bits, so the polygon is drawn as its pattern's set
// bits only (CGMSetBits.cpp), and the table remains for polygons too large for that.
#include "output/cgm/CGMBinaryEncoder.h"
#include "output/cgm/CGMClearText.h"
#include "scrivane/SoVectorizeCGMAction.h"
#include <vector>

// The 128 pattern bytes hold 32 rows of 4 bytes, bottom row first; the table runs from the
// top row down, bits most significant first. Clear bits take index 0 (the background entry)
// or the background colour as set; set bits take the polygon's colour index (its entry names
// its colour) or its colour.
void SoVectorizeCGMAction::writePatternTable(int tableIndex, const unsigned char *bits, int index,
                                             const SbColor &color) {
    SbColor background;
    getBackgroundColor(&background);
    std::vector<int> indexes(1024);
    std::vector<SbColor> colors(1024);
    for (int row = 0; row < 32; row++) {
        const unsigned char *rowBytes = bits + (31 - row) * 4;
        for (int column = 0; column < 32; column++) {
            const int set = (rowBytes[column / 8] >> (7 - column % 8)) & 1;
            indexes[static_cast<size_t>(row * 32 + column)] = set ? index : 0;
            colors[static_cast<size_t>(row * 32 + column)] = set ? color : background;
        }
    }
    if (binary())
        bin().Ppattable(tableIndex, indexes.data(), colors.data());
    else
        CGMClearText::pattable(out(), tableIndex, indexed(), indexes.data(), colors.data());
}

// Polygons of fewer than three points are dropped.
//
// The fill colour cache follows FILL COLOUR elements only; a pattern's table remembers the
// colour it was written with and is written again when the pattern is drawn in another
// colour. So a solid fill after a patterned one, or a pattern after a solid fill of another
// colour, always finds the right colour in force.
void SoVectorizeCGMAction::printPolygon(const SbVec4f *points, int n, const SbColor *colors,
                                        SbString patternCategory, SbString patternName,
                                        const unsigned char *patternBits) {
    if (!points || !colors || n < 3) return;
    int index = 0;
    SbColor color;
    assignColor(colors[0], getNominalWidth(), &index, &color);
    if (!patternBits) {
        printSolidPolygon(points, n, index, color);
        return;
    }
    if (version() < 3 && printPatternSetBits(points, n, index, color, patternBits)) return;
    PatternRecord *record = nullptr;
    int newPattern = 0;
    for (int i = 0; i < patternList.getLength() && !record; i++) {
        PatternRecord *candidate = static_cast<PatternRecord *>(patternList[i]);
        if (candidate->category == patternCategory && candidate->name == patternName) {
            record = candidate;
            currentPatternIndex = i + 1;
        }
    }
    if (!record) {
        record = new PatternRecord{patternCategory, patternName, 0, SbColor(0, 0, 0)};
        patternList.append(record);
        patternCount++;
        currentPatternIndex = patternCount;
        newPattern = 1;
    }
    const int transparent = version() >= 3;
    SbColor background;
    getBackgroundColor(&background);
    // The pattern's height vector (0, s) and width vector (s, 0), turned with a landscape page.
    const float size = getPixelImageSize(MILLIMETER) * 32.0f;
    const CGMPlacement at = placement();
    const SbVec2f height = at.direction(0.0f, size), width = at.direction(size, 0.0f);
    if (binary()) {
        if (transparent) writeTransparentCell(1, 0, background, 1);
        bin().Pintstyle(2);
        bin().Ppatsize(height[0], height[1], width[0], width[1]);
    } else {
        CGMClearText::intstyle(out(), true);
        if (at.landscape)
            CGMClearText::patsizeVectors(out(), height[0], height[1], width[0], width[1]);
        else
            CGMClearText::patsize(out(), size);
        if (transparent) writeTransparentCell(1, 0, background, 1);
    }
    if (newPattern || record->tableIndex != index || !(record->tableColor == color)) {
        record->tableIndex = index;
        record->tableColor = color;
        writePatternTable(currentPatternIndex, patternBits, index, color);
    }
    if (binary()) {
        bin().Ppatindex(currentPatternIndex);
        bin().Ppolygon(n, points);
    } else {
        CGMClearText::patindex(out(), currentPatternIndex);
        CGMClearText::polygon(out(), n, points, placement());
    }
    if (transparent) writeTransparentCell(0, 0, background, 1);
}

// A solid fill: INTERIOR STYLE, FILL COLOUR when it changed, the polygon.
void SoVectorizeCGMAction::printSolidPolygon(const SbVec4f *points, int n, int index,
                                             const SbColor &color) {
    if (binary()) {
        CGMBinaryEncoder &encoder = bin();
        encoder.Pintstyle(1);
        if (colorChanged(fillColorIndex, fillColor, index, color)) encoder.Pfillcolr(index, color);
        encoder.Ppolygon(n, points);
    } else {
        CGMClearText::intstyle(out(), false);
        if (colorChanged(fillColorIndex, fillColor, index, color))
            CGMClearText::colr(out(), "FILLCOLR", indexed(), index, color);
        CGMClearText::polygon(out(), n, points, placement());
    }
}
