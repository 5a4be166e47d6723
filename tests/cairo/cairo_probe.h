// Test access to the PDF and SVG writer: CairoProbe opens up the print operations and draws
// them from printBackground, so that a real apply carries them; the helpers run the readers.
#ifndef SCRIVANE_TEST_CAIRO_PROBE_H
#define SCRIVANE_TEST_CAIRO_PROBE_H

#include "ps_check.h"
#include "scrivane/SoVectorizePDFAction.h"
#include "scrivane/SoVectorizeSVGAction.h"
#include <functional>
#include <string>
#include <vector>

template <class Format> class CairoProbe : public Format {
public:
    using Format::printImage;
    using Format::printPolygon;
    using Format::printPolyLine;
    using Format::printPolyMark;
    using Format::printText2;

    // Called after the background of every apply.
    std::function<void(CairoProbe &)> drawing;

protected:
    void printBackground() override {
        Format::printBackground();
        if (drawing) drawing(*this);
    }
};
using PdfProbe = CairoProbe<SoVectorizePDFAction>;
using SvgProbe = CairoProbe<SoVectorizeSVGAction>;

namespace cairotest {

// SCRIVANE_TEST_OUT/cairo/<name>, the folder created if needed.
std::string outPath(const std::string &name);
// Whether a program is on the PATH.
bool have(const char *program);
// Runs a shell command; its standard output, and its exit status in *status.
std::string capture(const std::string &command, int *status);
// Applies the action to an empty scene (header, background, drawing hook, border, footer).
void applyEmpty(SoVectorizeAction &action);

inline SbVec4f pt(float x, float y) {
    return SbVec4f(x, y, 0.0f, 1.0f);
}
inline std::vector<SbVec4f> rect(float x0, float y0, float x1, float y1) {
    return {pt(x0, y0), pt(x1, y0), pt(x1, y1), pt(x0, y1)};
}

// The test drawing both formats write, in the drawing's millimetres (the drawing starts 10 mm
// from the sheet's lower-left corner): a red square (20..40, 20..40), a blue line at y = 80 from
// x = 10 to 120, 2.12 mm wide, dashed 0x00FF (dashes of 8 bits of 0.5 mm: 4 mm dash, 4 mm gap,
// starting with a dash), a green 8 x 8 checker-patterned square (60..100, 20..60), a yellow
// marker (9 x 9 filled square) at (130, 30), magenta dots of 4 mm at (130, 60), the text
// "Scrivane selectable" left of (20, 120) in Times-Bold 12 mm, a 2 x 2 image (red, green / blue,
// yellow) from (60, 100), each pixel 5 mm, on a light grey (204) background. setUpTestPicture
// makes the settings (nominal width and image pixels of 0.5 mm, colours kept, no border) and
// drawTestPicture draws it.
void setUpTestPicture(SoVectorizeAction &action);
template <class Probe> void drawTestPicture(Probe &probe);
// Checks the test picture in an image of the sheet rendered at dpi (tolerance per channel: 0
// without anti-aliasing); reader names the reader in messages.
void expectTestPicture(const scrivane::test::PngImage &image, int dpi, int tolerance,
                       const std::string &reader);

} // namespace cairotest

#endif
