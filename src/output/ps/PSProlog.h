#ifndef SCRIVANE_PS_PSPROLOG_H
#define SCRIVANE_PS_PSPROLOG_H
#include <cstdio>

// The fixed prologs of a PostScript document, in colour and in grey. Each is written as two
// texts, one after the other; the first holds the comment header with a bounding-box
// placeholder that writePrologText replaces for the document at hand.
namespace scrivane_ps {

extern const char *const colorPrologFirst;
extern const char *const colorPrologSecond;
extern const char *const greyPrologFirst;
extern const char *const greyPrologSecond;

// The placeholder line of the first texts.
extern const char *const boundingBoxPlaceholder;

// A box on the sheet in whole points: lower left and upper right corners.
struct PointBox {
    int llx, lly, urx, ury;
};

// Writes a prolog text with its bounding-box placeholder replaced by the box. A text without the
// placeholder is written as it is.
void writePrologText(FILE *fp, const char *text, const PointBox &box);

} // namespace scrivane_ps

#endif
