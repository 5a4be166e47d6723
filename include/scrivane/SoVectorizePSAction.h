#ifndef SCRIVANE_SOVECTORIZEPSACTION_H
#define SCRIVANE_SOVECTORIZEPSACTION_H
#include "scene/base/SbPList.h"
#include "scrivane/ScrivaneExport.h"
#include "scrivane/SoPSVectorOutput.h"
#include "scrivane/SoVectorizeAction.h"
#include <vector>

// The vectorize action that writes a PostScript (Level 2) document: one page per apply, or one
// per beginPage/endPage. The document carries a fixed prolog of drawing procedures (colour or
// grey, chosen by the output's colorOutput flag), scales its user space to millimetres, clips to
// each viewport met, and draws every primitive by calling a prolog procedure.
//
// The writer remembers what the PostScript program already has in force (colour, line width,
// point size, dash pattern, font, marker bitmap) and writes a setting only when it changes; a
// new header starts with every cache invalid. Marker bitmaps and fill patterns are defined once
// per document, at their first use.
//
// Ownership: the constructor creates the SoPSVectorOutput and the destructor deletes it (after
// ending a page that is still open). Fill patterns are remembered by the address of their bits
// and their colour,
// which belong to the scene; the list is emptied at every header and never dereferenced after
// the primitive that defined them.
class SCRIVANE_API SoVectorizePSAction : public SoVectorizeAction {
public:
    SoVectorizePSAction();
    ~SoVectorizePSAction() override;

    static void initClass();
    static SoType getClassTypeId();
    static void addMethod(SoType nodeType, SoActionMethod method);
    static void enableElement(SoType elementType, int stackIndex);
    SoType getTypeId() const override;
    const SoEnabledElementsList &getEnabledElements() const override;

    SoPSVectorOutput *getPSVectorOutput() const { return psOutput; }
    SoPSVectorOutput *getOutput() const { return psOutput; }

    // Capacity of the per-document record of defined marker bitmaps. A marker met when the
    // record is full is defined again at each use (the document stays correct, only longer).
    static constexpr int MAX_MARKER_BITMAPS = 1000;
    // Capacity of the font-name cache, terminator included. A longer name is never taken as
    // equal to the cached one, so its font line is written at each use.
    static constexpr int FONT_NAME_SIZE = 256;

protected:
    // Document structure.
    void writeHeader() override;
    void writeFooter() override;
    void setHardwareClip() override;
    void printBackground() override;
    void printBorder() override;

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

    // Cached state and numbers (protected so that tests of the writer can reach them).
    // Forgets the font in force; called with every grestore, which restores PostScript's font.
    void initDefaultCurrentValues();
    // Maps the colour to its pen when pens are described, then writes "gc" (colour) or "gb"
    // (grey) unless that colour is already in force. width is the line width in millimetres.
    void assignColor(SbColor color, float width);
    // Compacts a line of numbers in place: trailing zeros of each decimal part that a space
    // follows are dropped (the point too when nothing is left), and runs of spaces become one.
    static void pcp079(char *line);
    // Hexadecimal pixel data: two uppercase digits per byte, 40 bytes per line.
    void initWritePixel();
    void writePixel(unsigned char byte);

private:
    static SoType classTypeId;
    static int classTypeIdIsSet;
    static SoEnabledElementsList *enabledElements;
    static SoActionMethodList *methods;

    // The stream of the output, asked for at every operation.
    FILE *out() const { return psOutput->getFilePointer(); }
    // Writes a line of numbers through pcp079, followed by a newline.
    void writeCompacted(FILE *fp, char *line);
    // Writes single-colour points in groups of at most 100 for the procedure procName ("ppl"
    // or "ppmp"), last point first; consecutive groups share their boundary point.
    void writeGroups(FILE *fp, const SbVec4f *points, int n, const char *procName);
    // Writes the dash line ("tl") for a 16-bit line pattern other than 0.
    void writeDash(FILE *fp, unsigned short pattern);
    int isBitmapExist(int markerIndex) const;
    void createBitmap(int markerIndex, const SbVec2s &size);

    SoPSVectorOutput *psOutput = nullptr;

    int markerBitmapCount = 0;
    int markerBitmapIds[MAX_MARKER_BITMAPS] = {};
    int currentMarkerBitmap = -999999;
    SbColor currentColor{-1.0f, -1.0f, -1.0f};
    float currentPointSize = 0.35277778f;
    float currentLineWidth = 0.35277778f;
    unsigned short currentLinePattern = 0xFFFF;
    float currentFontSize = -1.0f;
    char currentFontName[FONT_NAME_SIZE] = {};
    // Set when the font in force is re-encoded with ISOLatin1Encoding.
    bool currentFontLatin1 = false;
    int hexByteCount = 0;
    int currentPattern = 0;
    int patternCount = 0;
    SbPList patternList;
    // The colour of each pattern in patternList, at the same position.
    std::vector<SbColor> patternColors;
};

#endif
