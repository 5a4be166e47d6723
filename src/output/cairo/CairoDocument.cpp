// The document around the primitives, for PDF and SVG alike. cairo writes the file; what it
// holds is:
//
//   a sheet of (frame size + 2 x frame start) millimetres: PDF pages in points (A4 portrait for
//   the command's defaults: 595.28 x 841.89), an SVG canvas with width="210mm" height="297mm"
//   and viewBox="0 0 210 297"
//   the page frame at its start position on the sheet (in landscape turned by 90 degrees, the
//   drawing's x axis running up the sheet as in the PostScript output), y upward, in millimetres
//   [a page-mode drawing moved by its own start position within the frame]
//   [the background: a filled rectangle over the drawing area]
//   the primitives, clipped to the viewport in force
//   the border: a polyline around the drawing area, clipped to it
//
// A PDF carries one page per apply outside page mode, or one per beginPage/endPage, all in one
// document (cairo_show_page ends each); its information dictionary names Scrivane as creator
// and carries no creation date, so the same drawing gives the same bytes. An SVG carries one
// page.
#include "output/cairo/CairoBitmaps.h"
#include "scrivane/SoScrivane.h"
#include "scrivane/SoVectorizeCairoAction.h"
#include <cairo-pdf.h>
#include <cairo-svg.h>
#include <cairo.h>
#include <cstdio>

SoType SoVectorizeCairoAction::classTypeId;
int SoVectorizeCairoAction::classTypeIdIsSet = 0;

namespace {

const double pointsPerMillimetre = 72.0 / 25.4;

cairo_status_t writeToStream(void *closure, const unsigned char *data, unsigned int length) {
    FILE *fp = static_cast<FILE *>(closure);
    return std::fwrite(data, 1, length, fp) == length ? CAIRO_STATUS_SUCCESS
                                                      : CAIRO_STATUS_WRITE_ERROR;
}

} // namespace

void SoVectorizeCairoAction::initClass() {
    if (classTypeIdIsSet) return;
    classTypeId = SoType::createType(SoVectorizeAction::getClassTypeId(), "SoVectorizeCairoAction",
                                     nullptr, 0);
    classTypeIdIsSet = 1;
}

SoType SoVectorizeCairoAction::getClassTypeId() {
    if (!classTypeIdIsSet) initClass();
    return classTypeId;
}

SoType SoVectorizeCairoAction::getTypeId() const {
    return getClassTypeId();
}

SoVectorizeCairoAction::SoVectorizeCairoAction(DocumentKind kind)
    : documentKind(kind),
      tiles(new scrivane_cairo::PatternTiles(kind == PDF_DOCUMENT
                                                 ? scrivane_cairo::PatternTiles::VECTOR_TILES
                                                 : scrivane_cairo::PatternTiles::IMAGE_TILES)) {
    getClassTypeId();
    cairoOutput = new SoCairoVectorOutput;
    setVectorOutput(cairoOutput);
}

SoVectorizeCairoAction::~SoVectorizeCairoAction() {
    deleteOutput();
}

void SoVectorizeCairoAction::deleteOutput() {
    setVectorOutput(nullptr);
    delete cairoOutput;
    cairoOutput = nullptr;
}

bool SoVectorizeCairoAction::acceptsPage() const {
    if (!cairoOutput || cairoOutput->isDocumentComplete()) return false;
    // An SVG file has room for one page only.
    return documentKind == PDF_DOCUMENT || !(cairoOutput->hasOpenDocument() && pageBegun);
}

void SoVectorizeCairoAction::beginPage(const SbVec2f &start, const SbVec2f &size,
                                       DimensionUnit unit) {
    if (refusingPage || !acceptsPage()) {
        refusingPage = true;
        refusedPages++;
        return;
    }
    SoVectorizeAction::beginPage(start, size, unit);
}

void SoVectorizeCairoAction::endPage() {
    if (refusingPage) {
        refusingPage = false;
        return;
    }
    if (isPageMode()) SoVectorizeAction::endPage();
}

bool SoVectorizeCairoAction::refusesApply() {
    if (refusingPage) return true;
    if (isPageMode() || acceptsPage()) return false;
    refusedPages++;
    return true;
}

void SoVectorizeCairoAction::apply(const SoPathList &pathList, bool obeysRules) {
    if (!refusesApply()) SoVectorizeAction::apply(pathList, obeysRules);
}

void SoVectorizeCairoAction::apply(SoPath *path) {
    if (!refusesApply()) SoVectorizeAction::apply(path);
}

void SoVectorizeCairoAction::apply(SoNode *node) {
    if (!refusesApply()) SoVectorizeAction::apply(node);
}

cairo_t *SoVectorizeCairoAction::context() const {
    return cairoOutput ? cairoOutput->getContext() : nullptr;
}

namespace {

// The sheet: the page frame with its start as the margin on every side; in landscape the frame
// is turned, so its sides swap.
SbVec2f sheetSize(const SbVec2f &start, const SbVec2f &size, bool landscape) {
    const int across = landscape ? 1 : 0, up = landscape ? 0 : 1;
    return SbVec2f(size[across] + 2.0f * start[across], size[up] + 2.0f * start[up]);
}

} // namespace

void SoVectorizeCairoAction::createDocument() {
    const SbVec2f sheet = sheetSize(getPageStart(), getPageSize(), getOrientation() == LANDSCAPE);
    FILE *fp = cairoOutput->getFilePointer();
    cairo_surface_t *surface = nullptr;
    if (documentKind == PDF_DOCUMENT) {
        surface = cairo_pdf_surface_create_for_stream(
            writeToStream, fp, sheet[0] * pointsPerMillimetre, sheet[1] * pointsPerMillimetre);
        cairo_pdf_surface_set_metadata(surface, CAIRO_PDF_METADATA_TITLE, "Scrivane drawing");
        const std::string creator = std::string("Scrivane ") + SoScrivane::getVersion();
        cairo_pdf_surface_set_metadata(surface, CAIRO_PDF_METADATA_CREATOR, creator.c_str());
        // An empty date leaves the date out, so that the same drawing gives the same bytes.
        cairo_pdf_surface_set_metadata(surface, CAIRO_PDF_METADATA_CREATE_DATE, "");
    } else {
        // One SVG user unit per millimetre; the canvas is sized in millimetres.
        surface = cairo_svg_surface_create_for_stream(writeToStream, fp, sheet[0], sheet[1]);
        cairo_svg_surface_set_document_unit(surface, CAIRO_SVG_UNIT_MM);
    }
    cairo_t *cr = cairo_create(surface);
    // The context holds the surface from here on.
    cairo_surface_destroy(surface);
    cairoOutput->startDocument(cr);
    tiles->clear();
    pageBegun = false;
}

void SoVectorizeCairoAction::placeDrawing(cairo_t *cr) const {
    const bool landscape = getOrientation() == LANDSCAPE;
    const SbVec2f &start = getPageStart();
    const SbVec2f sheet = sheetSize(start, getPageSize(), landscape);
    const double unit = documentKind == PDF_DOCUMENT ? pointsPerMillimetre : 1.0;
    cairo_identity_matrix(cr);
    // Millimetres with y upward from the sheet's lower-left corner.
    cairo_translate(cr, 0.0, sheet[1] * unit);
    cairo_scale(cr, unit, -unit);
    if (landscape) {
        cairo_translate(cr, start[1] + getPageSize()[1], start[0]);
        cairo_rotate(cr, 1.5707963267948966);
    } else {
        cairo_translate(cr, start[0], start[1]);
    }
    if (isPageMode()) cairo_translate(cr, getShiftX(), getShiftY());
}

void SoVectorizeCairoAction::writeHeader() {
    if (!cairoOutput->hasOpenDocument()) createDocument();
    cairo_t *cr = context();
    if (!cr) return;
    if (documentKind == PDF_DOCUMENT) {
        // Each page takes the size of its own frame.
        const SbVec2f sheet =
            sheetSize(getPageStart(), getPageSize(), getOrientation() == LANDSCAPE);
        cairo_pdf_surface_set_size(cairo_get_target(cr), sheet[0] * pointsPerMillimetre,
                                   sheet[1] * pointsPerMillimetre);
    }
    pageBegun = true;
}

void SoVectorizeCairoAction::writeFooter() {
    cairo_t *cr = context();
    if (!cr) return;
    cairo_show_page(cr);
    // A PDF in page mode waits for more pages; every other document is complete now.
    if (documentKind == SVG_DOCUMENT || !isPageMode()) cairoOutput->finishDocument();
}

void SoVectorizeCairoAction::setHardwareClip() {
    cairo_t *cr = context();
    if (!cr) return;
    float xmin, ymin, xmax, ymax;
    getClippingLimits().getBounds(xmin, ymin, xmax, ymax);
    cairo_reset_clip(cr);
    cairo_new_path(cr);
    cairo_rectangle(cr, xmin, ymin, xmax - xmin, ymax - ymin);
    cairo_clip(cr);
}

void SoVectorizeCairoAction::printBackground() {
    cairo_t *cr = context();
    if (!cr) return;
    cairo_reset_clip(cr);
    placeDrawing(cr);
    SbColor background;
    if (!getBackgroundColor(&background)) return;
    const SbColor color = translateColor(background);
    cairo_set_source_rgb(cr, color[0], color[1], color[2]);
    cairo_new_path(cr);
    cairo_rectangle(cr, 0.0, 0.0, getWidth(), getHeight());
    cairo_fill(cr);
}

void SoVectorizeCairoAction::printBorder() {
    cairo_t *cr = context();
    if (!cr) return;
    const float w = getWidth(), h = getHeight();
    cairo_reset_clip(cr);
    cairo_new_path(cr);
    cairo_rectangle(cr, 0.0, 0.0, w, h);
    cairo_clip(cr);
    float borderWidth = 0.0f;
    SbColor borderColor;
    getBorder(&borderWidth, &borderColor);
    if (borderWidth > 0.0f) {
        const SbVec4f frame[5] = {SbVec4f(0, 0, 0, 1), SbVec4f(w, 0, 0, 1), SbVec4f(w, h, 0, 1),
                                  SbVec4f(0, h, 0, 1), SbVec4f(0, 0, 0, 1)};
        const SbColor color = translateColor(borderColor);
        printPolyLine(frame, 5, &color, 0, borderWidth, 0xFFFF);
    }
    cairo_reset_clip(cr);
}
