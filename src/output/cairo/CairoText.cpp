// Text: one line of real text per call, through cairo's text API, so that a PDF embeds the font
// as a subset and the text stays selectable and searchable (cairo writes SVG text as glyph
// outlines). PostScript font names choose a family, weight and slant:
//
//   Times-Roman, Times-Bold, Times-Italic, Times-BoldItalic    serif ("Times" matches it)
//   Helvetica, Helvetica-Bold, -Oblique, -BoldOblique         sans-serif
//   Courier, Courier-Bold, -Oblique, -BoldOblique             monospace
//   any other name                                            the part before "-" as the family,
//                                                             the rest read for Bold, Italic and
//                                                             Oblique
//
// The size is the font size times the nominal width in millimetres. The text is turned by its
// angle about its anchor and starts at the anchor (left), ends at it (right) or is centred on
// it, measured by its advance as the PostScript output does; other justifications draw nothing.
#include "output/TextEncoding.h"
#include "scrivane/SoVectorizeCairoAction.h"
#include <cairo.h>
#include <cmath>
#include <cstring>
#include <string>

namespace {

struct FontFace {
    std::string family;
    cairo_font_slant_t slant = CAIRO_FONT_SLANT_NORMAL;
    cairo_font_weight_t weight = CAIRO_FONT_WEIGHT_NORMAL;
};

FontFace fontFace(const char *name) {
    const std::string full = name;
    const size_t dash = full.find('-');
    const std::string base = full.substr(0, dash);
    const std::string style = dash == std::string::npos ? std::string() : full.substr(dash + 1);
    FontFace face;
    if (base == "Times" || base == "Times New Roman" || base.empty())
        face.family = "serif";
    else if (base == "Helvetica" || base == "Arial")
        face.family = "sans-serif";
    else if (base == "Courier")
        face.family = "monospace";
    else
        face.family = base;
    if (style.find("Bold") != std::string::npos) face.weight = CAIRO_FONT_WEIGHT_BOLD;
    if (style.find("Italic") != std::string::npos) face.slant = CAIRO_FONT_SLANT_ITALIC;
    if (style.find("Oblique") != std::string::npos) face.slant = CAIRO_FONT_SLANT_OBLIQUE;
    return face;
}


} // namespace

void SoVectorizeCairoAction::printText2(SbVec4f position, SbColor color, const char *fontName,
                                        float fontSize, const char *text, int justification,
                                        float angle) {
    cairo_t *cr = context();
    if (!cr || justification < 1 || justification > 3) return;
    // A text of no size draws nothing; a size or place that is not a number would put the
    // context (and with it the whole document) into cairo's error state.
    const double size = double(fontSize) * getNominalWidth(MILLIMETER);
    if (!(size > 0.0) || !std::isfinite(size) || !std::isfinite(angle) ||
        !std::isfinite(position[0]) || !std::isfinite(position[1]))
        return;
    const std::string utf8 = scrivane_text::utf8Text(text);
    if (utf8.empty()) return;
    const FontFace face = fontFace(fontName ? fontName : "");
    setColor(cr, color, getNominalWidth(MILLIMETER));
    cairo_save(cr);
    cairo_select_font_face(cr, face.family.c_str(), face.slant, face.weight);
    cairo_set_font_size(cr, size);
    cairo_translate(cr, position[0], position[1]);
    cairo_rotate(cr, angle);
    // The drawing's y axis points up; glyphs are drawn with it pointing down.
    cairo_scale(cr, 1.0, -1.0);
    double x = 0.0;
    if (justification != 1) {
        cairo_text_extents_t extents;
        cairo_text_extents(cr, utf8.c_str(), &extents);
        x = justification == 2 ? -extents.x_advance : -extents.x_advance * 0.5;
    }
    cairo_new_path(cr);
    cairo_move_to(cr, x, 0.0);
    cairo_show_text(cr, utf8.c_str());
    cairo_restore(cr);
}
