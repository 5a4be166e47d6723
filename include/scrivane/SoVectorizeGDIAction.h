#ifndef SCRIVANE_SOVECTORIZEGDIACTION_H
#define SCRIVANE_SOVECTORIZEGDIACTION_H
#include "scrivane/ScrivaneExport.h"
#include <memory>
#include <string>

#include "scrivane/SoGDIVectorOutput.h"
#include "scrivane/SoVectorizeAction.h"

// The vectorize action that draws through the Windows graphics device interface. Its output
// (SoGDIVectorOutput) chooses the target of each document:
// - a file name: an enhanced metafile (EMF) of that name, ".emf" appended unless the name
//   already ends in an extension starting with "emf" (any case);
// - a device context of the application: printer-type contexts (DT_PLOTTER, DT_RASPRINTER)
//   are printed on as one job per document; any other context (a display, a metafile) is drawn
//   into with its map mode left as the application set it, one unit per millimetre;
// - neither: the common print dialog asks for a printer, and the document is printed on it.
// In the metafile and printer modes one logical unit is 0.01 mm (MM_HIMETRIC, y up) and the
// window origin places the drawing area on the page, so points carry no page offset.
//
// Documents: one per apply outside page mode, one per beginPage ... endPage in page mode. The
// header opens the target (creates the metafile, starts the print job and page) and the footer
// closes it (writes the metafile, ends the page and the job). In page mode a metafile's frame
// is the page frame, and each drawing of the page moves the window origin to its own place
// before its background.
//
// State kept between calls: the selected pen (style, width, colour, geometric or cosmetic) and
// brush colour, so that equal pens and brushes are created once; the miter limit last set; the
// text colour, alignment and background mode last set. Every header starts with all of them
// invalid.
//
// Landscape: every point (x, y) becomes (page height - y, x), a quarter turn counter-clockwise
// on the page, and texts, marker bitmaps and images turn with the points.
//
// Ownership: the constructor creates the SoGDIVectorOutput and the destructor deletes it, after
// ending a page that is still open. The metafile name in use (the output's name, with ".emf"
// appended where needed) is a copy held by the action: the output keeps the caller's text
// unchanged. A context from the print dialog is the action's and is deleted by the footer; a
// context supplied by the application stays open and gets its own pen, brush and font back.
class SCRIVANE_API SoVectorizeGDIAction : public SoVectorizeAction {
public:
    SoVectorizeGDIAction();
    ~SoVectorizeGDIAction() override;

    static void initClass();
    static SoType getClassTypeId();
    static void addMethod(SoType nodeType, SoActionMethod method);
    static void enableElement(SoType elementType, int stackIndex);
    SoType getTypeId() const override;
    const SoEnabledElementsList &getEnabledElements() const override;

    SoGDIVectorOutput *getGDIVectorOutput() const { return gdiOutput; }
    SoGDIVectorOutput *getOutput() const { return gdiOutput; }

    // The name of the metafile that the last header created (".emf" appended where needed);
    // empty when the last document went to a printer or a supplied context, or before any.
    const char *getMetafileName() const { return metafileName.c_str(); }

    // The file name that a metafile's description gives for its picture. Empty, the default:
    // the name of the metafile written. An application that writes the metafile under a
    // temporary name and moves it into place afterwards sets the final name here. The text is
    // copied; it applies to every metafile written from then on.
    void setDescriptionFileName(const char *name) { descriptionFileName = name ? name : ""; }
    const char *getDescriptionFileName() const { return descriptionFileName.c_str(); }

protected:
    // The description the metafile header carries: the creator, a NUL, the file name, two
    // NULs (the "application\0picture\0\0" form of CreateEnhMetaFileA).
    static std::string metafileDescription(const std::string &fileName);
    // The file name under which a metafile is written for an output name: unchanged when the
    // extension of its last path component (the text after the last '.') starts with "EMF" in
    // any case, else the name with ".emf" appended.
    static std::string metafileFileName(const char *outputName);

    // The context of the printer chosen in the common print dialog; null when the dialog is
    // cancelled (or, off Windows, when no print destination is set).
    virtual HDC getPrinterDC();

    // Document structure.
    void writeHeader() override;
    void writeFooter() override;
    void setHardwareClip() override;
    void printBorder() override;
    void printBackground() override;

    // Primitives.
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

    // The COLORREF of a colour: each component times 255 (float), truncated, held to 0..255.
    static COLORREF colorRef(const SbColor &color);
    // A length in millimetres as logical units: scale x millimetres (single precision),
    // truncated toward zero and held to +-2^30, beyond any page.
    int toLogical(float millimetres) const;
    // Logical units per millimetre of the current document: 100, or 1 in a supplied display
    // context.
    int getScale() const { return scale; }

private:
    static SoType classTypeId;
    static int classTypeIdIsSet;
    static SoEnabledElementsList *enabledElements;
    static SoActionMethodList *methods;

    // Header steps for each kind of target.
    void openMetafile();
    void openPrinterPage();
    void openDeviceContext();
    // Sets the window origin that puts the drawing area where the drawing's offset says (the
    // start position; in page mode from the page frame's start), for the kind of target the
    // header opened, and the landscape page height of the drawing. Writes the origin only when
    // it differs from the one set, unless force is 1.
    void placeDrawing(int force);
    // Ends the document the last header opened, if any: releases the writer's pen, brush and
    // print job or metafile. The footer, and a header meeting a document still open.
    void closeDocument();
    // Forgets every cached setting, so that the next primitive sets what it needs.
    void invalidateCaches();

    // With described pens the colour becomes that of the pen chosen for it and the width (in
    // millimetres); then it is the current colour.
    void assignColor(SbColor color, float width);
    // 1 when the pen cache holds these four values; otherwise stores them and returns 0.
    int isPenUsedAgain(DWORD style, DWORD width, DWORD color, int geometric);
    // Selects a pen of these values in the current colour unless it is the pen in use: a
    // geometric pen (ExtCreatePen, solid brush) or a cosmetic pen of width 1 (CreatePen).
    void selectPen(DWORD style, DWORD width, DWORD color, int geometric);
    // Selects a new pen object in place of the writer's current one, which is deleted.
    void replacePen(HPEN pen);
    // Selects a solid brush of this colour unless it is the brush in use.
    void selectBrush(COLORREF color);
    // The pen and brush of a filled mark or polygon in the current colour: a thin solid pen of
    // that colour, or the null pen when outline is 0.
    void selectFillPenAndBrush(int outline);
    // The landscape turn, in place: (x, y) -> (page height - y, x).
    void pointsToLandscape(POINT *points, int count) const;
    // Page millimetres to logical units, turned in landscape.
    void toDevicePoints(const SbVec4f *points, int n, POINT *out) const;
    // Sets the miter limit for geometric pens when it changed.
    void updateMiterLimit();
    // Text state, each set only when it changes.
    void setTextState(COLORREF color, UINT align);
    // The pixels of an image as a bottom-up 24-bit DIB, turned a quarter counter-clockwise in
    // landscape (the bitmap is then height x width pixels); info receives its header. Null when
    // there is no memory for it.
    static std::unique_ptr<unsigned char[]> buildDib(const unsigned char *pixels, int width,
                                                     int height, int numComponents, int turned,
                                                     BITMAPINFO &info);

    SoGDIVectorOutput *gdiOutput = nullptr;

    // Fields, in declaration order.
    DWORD penStyle = 0;   // pen cache: style,
    DWORD penWidth = 0;   //   width in logical units,
    DWORD penColor = 0;   //   COLORREF,
    int penGeometric = 0; //   1 for an ExtCreatePen pen, 0 for a CreatePen pen
    HPEN currentPen = nullptr;
    HBRUSH currentBrush = nullptr;
    COLORREF brushColor = 0xFFFFFF;
    int dashed = 0;
    SbColor currentColor{0, 0, 0};
    float miterLimitCache = 0.0f;
    const char *outputName = "";
    HDC deviceContext = nullptr;
    int printing = 0;
    int originX = 0, originY = 0;
    int pageHeight = 0;
    int scale = 100;

    // Beyond the pen cache: whether it holds a pen at all (0 after a header).
    int penCacheValid = 0;
    // The file name of the current metafile (outputName points into it).
    std::string metafileName;
    // 1 while a header's document is open (until its footer).
    int documentOpen = 0;
    // 1 when deviceContext came from the print dialog and is deleted by the footer.
    int ownsContext = 0;
    // What was selected before the writer's first pen and brush, selected again at the end.
    HGDIOBJ previousPen = nullptr;
    HGDIOBJ previousBrush = nullptr;
    // Printer mode: the printable area's corner (logical units) and the sheet's far y, which
    // place each drawing of a page.
    int printMarginX = 0, printMarginY = 0, printPaperY = 0;
    // The window origin last set.
    int windowOriginX = 0, windowOriginY = 0;
    // The file name for the metafile's description; empty for the metafile's own name.
    std::string descriptionFileName;
    // Text settings last made; textStateValid 0 after a header.
    int textStateValid = 0;
    COLORREF textColor = 0;
    UINT textAlign = 0;
};

#endif
