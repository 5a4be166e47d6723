#ifndef SCRIVANE_SOVECTORIZEHPGLACTION_H
#define SCRIVANE_SOVECTORIZEHPGLACTION_H
#include "scrivane/ScrivaneExport.h"
#include "scrivane/SoHPGLVectorOutput.h"
#include "scrivane/SoVectorizeAction.h"

// The vectorize action that writes an HP-GL/2 command stream for pen plotters and HP-GL/2
// printers. Every length goes out in plotter units of 0.025 mm (millimetres × 40), truncated
// toward zero; polylines and polygon outlines are written in the compact base-64 form of the PE
// command, as relative steps whose truncation error is carried from one vertex to the next.
//
// Colours become pen numbers: without described pens a colour selects one of 256 pens by the
// top bits of its components (RRRGGGBB) and the header defines that palette; with described
// pens the action's pen assignment chooses, and the header defines the described colours.
//
// The writer remembers the plotter's current pen, line width, line pattern, text height and
// font, text justification and direction, and writes a selection command only when the value
// changes. Each header (one per apply, or one per page in page mode) starts with that memory
// reset.
//
// Ownership: the constructor creates the SoHPGLVectorOutput and the destructor deletes it,
// after ending a page that is still open.
class SCRIVANE_API SoVectorizeHPGLAction : public SoVectorizeAction {
public:
    SoVectorizeHPGLAction();
    ~SoVectorizeHPGLAction() override;

    static void initClass();
    static SoType getClassTypeId();
    static void addMethod(SoType nodeType, SoActionMethod method);
    static void enableElement(SoType elementType, int stackIndex);
    SoType getTypeId() const override;
    const SoEnabledElementsList &getEnabledElements() const override;

    SoHPGLVectorOutput *getHPGLVectorOutput() const { return hpglOutput; }
    SoHPGLVectorOutput *getOutput() const { return hpglOutput; }

    // Plotter units per millimetre.
    static constexpr double PLU_PER_MM = 40.0;
    // Capacity of the font-name cache, terminator included.
    static constexpr int FONT_NAME_SIZE = 256;

protected:
    // Document structure.
    void writeHeader() override;
    void writeFooter() override;
    void setHardwareClip() override;
    // The viewport's area on the page in plotter units, offsets included.
    SbBox2f getClippingLimits() const override;
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

    // Encodes a number for PE data: base 64 in the eight-bit form, sign in the lowest bit.
    // The text lives in one static buffer that the next call overwrites, so each result must be
    // written before the next number is encoded.
    static const char *encodePE(int value);
    // Truncates a plotter-unit value toward zero, limited to the HP-GL/2 integer range
    // (±(2^30 − 1)); a value that is not a number gives 0.
    static int truncPlu(double value);

private:
    static SoType classTypeId;
    static int classTypeIdIsSet;
    static SoEnabledElementsList *enabledElements;
    static SoActionMethodList *methods;

    FILE *out() const { return hpglOutput->getFilePointer(); }
    // The pen for a colour and a millimetre width: the described pen chosen by penAssignment,
    // or the RRRGGGBB pen when no pens are described.
    void assignColor(SbColor color, float width, int *pen);
    // Selects the pen for a colour (at the nominal width) with "SP", unless it is current.
    // Returns 1 when the pen changed.
    int selectPen(SbColor color);
    // Opens the input window on the whole drawing area.
    void writeDrawingAreaWindow();
    // Writes the line type for a pattern other than the current one.
    void writeLinePattern(unsigned short pattern);
    // Writes the relative PE steps from points[0] to points[n-1], carrying the truncation error.
    // x0d and y0d are the exact plotter position of points[0], x0 and y0 its truncation.
    void writeSteps(const SbVec4f *points, int n, double x0d, double y0d, int x0, int y0);
    int fontNameMatches(const char *name) const;
    void setCurrentFontName(const char *name);

    SoHPGLVectorOutput *hpglOutput = nullptr;

    // What the plotter has in force; reset by every header.
    int currentPen = -1;
    float currentLineWidth = 0.0f;
    unsigned short currentLinePattern = 0xFFFF;
    float currentTextHeight = -1.0f;
    char currentFontName[FONT_NAME_SIZE] = {};
    int currentJustification = -1;
    float currentTextAngle = 0.0f;
    // Set when the font name in force was too long for currentFontName.
    int currentFontNameTooLong = 0;
    // 1 once an IW since the header holds the plotter to a window; IN leaves none.
    int inputWindowSet = 0;
};

#endif
