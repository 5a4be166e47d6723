#ifndef SCRIVANE_CGMCLEARTEXT_H
#define SCRIVANE_CGMCLEARTEXT_H
// The clear-text encoding of CGM elements: one writer per element form, each a formatted
// print of its template, and RSHORT, the formatter of real numbers.
//
// Points and boxes are passed in VDC (page millimetres, offsets already added), except the
// point lists, which are placed here; direct colours as components 0 to 1 (written as integers
// 0 to 255, truncated).
//
// Every string parameter is written between apostrophes, with each apostrophe inside it
// doubled, so that a text holding one still ends where it should.
#include <cstdio>
#include "output/cgm/CGMPlacement.h"
#include "scene/base/SbColor.h"
#include "scene/base/SbVec4f.h"

namespace CGMClearText {

// Formats a real into one of five static slots (0 to 4) of 20 bytes and returns it: "%g",
// with a "." added when the text has none (before the exponent when there is one, so that the
// number stays one token). A non-finite value is written as 0. A slot outside 0..4 means 0.
// A call overwrites only its own slot, so one print can use five different slots.
const char *RSHORT(int slot, float value);

// The thirteen names of the font table, in font index order (index = position + 1).
extern const char *const fontTable[13];
// The font index of a name (1 to 13), or 0 when it is not in the table.
int fontIndex(const char *name);

// A string parameter: the text between apostrophes, each apostrophe in it written twice.
void quoted(FILE *fp, const char *text);

// Delimiters and metafile descriptor.
void begmf(FILE *fp);
void endmf(FILE *fp);
void begpic(FILE *fp);
void begpicbody(FILE *fp);
void endpic(FILE *fp);
void mfversion(FILE *fp, int version);
void mfdesc(FILE *fp);
void mfelemlist(FILE *fp);
void vdctype(FILE *fp);
void precisions(FILE *fp);  // INTEGERPREC ... MAXCOLRINDEX, as the header writes them
void fontlist(FILE *fp);
// Picture descriptor.
void scalemode(FILE *fp);
void widthmodes(FILE *fp);  // LINEWIDTHMODE, MARKERSIZEMODE, EDGEWIDTHMODE
void backcolr(FILE *fp, const SbColor &color);
void colrmode(FILE *fp, int indexed);
void vdcext(FILE *fp, float x1, float y1, float x2, float y2);
// LINE AND EDGE TYPE DEFINITION of line type index (negative), repeat length 5.65.
void lineedgetypedef(FILE *fp, int index, int n, const int *dashes);
// Control.
void vdcrealprec(FILE *fp);
void edgevis(FILE *fp);
void cliprect(FILE *fp, float x1, float y1, float x2, float y2);
void linecapJoin(FILE *fp, int cap, int join, float limit);  // LINECAP, LINEJOIN, MITRELIMIT
// TRANSPARENT CELL COLOUR; patternForm writes the indexed form with two blanks, as polygons do.
void transpcellcolr(FILE *fp, int on, int indexed, int index, const SbColor &color, int patternForm);
// Primitives: points are placed (offsets added, turned in landscape); a line feed follows every
// sixth point.
void line(FILE *fp, int n, const SbVec4f *points, const CGMPlacement &placement);
void polygon(FILE *fp, int n, const SbVec4f *points, const CGMPlacement &placement);
void marker(FILE *fp, int n, const SbVec4f *points, const CGMPlacement &placement);
void text(FILE *fp, float x, float y, const char *string);
// CELL ARRAY with corners already in VDC; a line feed after every 20 cells.
void cellarray(FILE *fp, const SbVec4f &p, const SbVec4f &q, const SbVec4f &r, int nx, int ny, int indexed,
               const int *indexes, const SbColor *colors);
// Attributes.
void linetype(FILE *fp, int type);
void linewidth(FILE *fp, float width);
// Colour elements: name is LINECOLR, MARKERCOLR, TEXTCOLR or FILLCOLR.
void colr(FILE *fp, const char *name, int indexed, int index, const SbColor &color);
void markertype(FILE *fp);
void markersize(FILE *fp, float size);
void textfontindex(FILE *fp, int index);
void textattributes(FILE *fp);  // TEXTPREC, TEXTPATH, CHARSPACE, CHAREXPAN
void charheight(FILE *fp, float height);
void charori(FILE *fp, float upX, float upY, float baseX, float baseY);
void textalign(FILE *fp, const char *horizontal);
void intstyle(FILE *fp, int pattern);
void patsize(FILE *fp, float size);  // height vector (0, size), width vector (size, 0)
// Any height and width vectors (those of a turned page).
void patsizeVectors(FILE *fp, float heightX, float heightY, float widthX, float widthY);
void pattable(FILE *fp, int index, int indexed, const int *indexes, const SbColor *colors);
void patindex(FILE *fp, int index);
// COLOUR TABLE from entry 0, components 0 to 255.
void colrtable(FILE *fp, int n, const int (*rgb)[3]);

} // namespace CGMClearText

#endif
