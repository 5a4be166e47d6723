#ifndef SCRIVANE_SOVECTORIZECAIROACTION_H
#define SCRIVANE_SOVECTORIZECAIROACTION_H
#include "scrivane/ScrivaneExport.h"
#include "scrivane/SoCairoVectorOutput.h"
#include "scrivane/SoVectorizeAction.h"
#include <memory>

namespace scrivane_cairo {
class PatternTiles;
}

// The common writer of the PDF and SVG actions: every print operation drawn with cairo, in
// millimetres, on a sheet as large as the page frame with its start position as the margin on
// every side. The frame sits on the sheet as in the PostScript output (turned by 90 degrees in
// landscape); a page-mode drawing is moved by its own start position within the frame.
//
// Cairo keeps the graphics state and writes a setting only when it changes, so the writer sets
// colour, width, dash, font and clip for every primitive. Marker bitmaps are drawn as
// rectangles, one per run of set bits; fill patterns as repeating tiles of such rectangles in
// the polygon's colour, one tile per pattern and colour in a document.
//
// A page the document cannot take (a second SVG page, or any drawing on a stream whose document
// is complete) is refused: beginPage, the applies and the endPage of that page draw nothing, and
// getRefusedPageCount() counts it.
//
// Ownership: the constructor of the PDF or SVG action creates the SoCairoVectorOutput and its
// destructor ends a page still open and then deletes the output, which finishes the document.
class SCRIVANE_API SoVectorizeCairoAction : public SoVectorizeAction {
public:
    enum DocumentKind { PDF_DOCUMENT = 0, SVG_DOCUMENT = 1 };

    ~SoVectorizeCairoAction() override;

    static void initClass();
    static SoType getClassTypeId();
    SoType getTypeId() const override;

    SoCairoVectorOutput *getCairoVectorOutput() const { return cairoOutput; }
    SoCairoVectorOutput *getOutput() const { return cairoOutput; }
    DocumentKind getDocumentKind() const { return documentKind; }
    // Pages refused since the action was made.
    int getRefusedPageCount() const { return refusedPages; }

    void beginPage(const SbVec2f &start, const SbVec2f &size,
                   DimensionUnit unit = MILLIMETER) override;
    void endPage() override;
    void apply(const SoPathList &pathList, bool obeysRules = false) override;
    void apply(SoPath *path) override;
    void apply(SoNode *node) override;

protected:
    explicit SoVectorizeCairoAction(DocumentKind kind);
    // The PDF and SVG actions end an open page in their destructors (endOpenPage) and then
    // call this, which deletes the output.
    void deleteOutput();

    void writeHeader() override;
    void writeFooter() override;
    void setHardwareClip() override;
    void printBackground() override;
    void printBorder() override;

    void printPolyMark(const SbVec4f *points, int n, const SbColor *colors, int multiColor,
                       SoMarkerSet *markerSet) override;
    void printPolyMark(const SbVec4f *points, int n, const SbColor *colors, int multiColor,
                       float size) override;
    void printImage(const SbVec4f &origin, const unsigned char *pixels, SbVec2s &sourceSize,
                    SbVec2s &requestedSize, int numComponents, SoImage::HorAlignment horAlign,
                    SoImage::VertAlignment vertAlign) override;
    void printPolyLine(const SbVec4f *points, int n, const SbColor *colors, int multiColor,
                       float thickness, unsigned short pattern) override;
    void printPolygon(const SbVec4f *points, int n, const SbColor *colors, SbString patternCategory,
                      SbString patternName, const unsigned char *patternBits) override;
    void printText2(SbVec4f position, SbColor color, const char *fontName, float fontSize,
                    const char *text, int justification, float angle) override;

private:
    static SoType classTypeId;
    static int classTypeIdIsSet;

    // True when the current stream can take another page.
    bool acceptsPage() const;
    // True (and the refusal counted) when an apply must draw nothing.
    bool refusesApply();
    // The context to draw with; null when no document is open (nothing is drawn then).
    cairo_t *context() const;
    // The colour a primitive is drawn in: its pen's colour when pens are described.
    SbColor penColor(SbColor color, float width);
    void setColor(cairo_t *cr, SbColor color, float width);
    void setStroke(cairo_t *cr, float width, unsigned short pattern);
    void createDocument();
    // Sets the transformation from the drawing's millimetres to the sheet.
    void placeDrawing(cairo_t *cr) const;

    SoCairoVectorOutput *cairoOutput = nullptr;
    DocumentKind documentKind;
    int refusedPages = 0;
    // Set by a refused beginPage until its endPage.
    bool refusingPage = false;
    // Set when the open document already has a page begun.
    bool pageBegun = false;
    std::unique_ptr<scrivane_cairo::PatternTiles> tiles;
};

#endif
