#ifndef SCRIVANE_SOVECTORIZECGMACTION_H
#define SCRIVANE_SOVECTORIZECGMACTION_H
#include "scene/base/SbPList.h"
#include "scrivane/SoCGMVectorOutput.h"
#include "scrivane/SoVectorizeAction.h"

class CGMBinaryEncoder;

// The vectorize action that writes a Computer Graphics Metafile: one metafile holding one
// picture per apply (or per beginPage/endPage). The output's settings choose the encoding
// (clear text or binary), the metafile version (which line attributes are written: standard
// line types below version 3, dash definitions with caps and joins from version 3) and the
// colour selection (direct colours, or indexed colours through a colour table written with the
// picture).
//
// VDC space is page millimetres: every point goes out as (getOffsetX() + x, getOffsetY() + y).
// Sizes (line widths, marker sizes, character heights) are line-width units times the nominal
// width.
//
// Colour indexes: without described pens a colour's index is its RRRGGGBB byte plus 1, with
// described pens the pen number plus 1 (both capped at 255). The colour table always keeps
// entry 0 for the background (the translated background colour when one is set, white paper
// otherwise), so that index i always names the colour of pen (or palette entry) i - 1.
//
// Like the other formats, the writer caches what the metafile already has in force (line
// width, line pattern, character height, font, alignment, orientation, colours per element
// kind) and writes an attribute only when it changes; every header resets the caches.
//
// Ownership: the constructor creates the SoCGMVectorOutput and the binary encoder, the
// destructor ends a page still open and deletes both, and the pattern records.
class SoVectorizeCGMAction : public SoVectorizeAction {
public:
    SoVectorizeCGMAction();
    ~SoVectorizeCGMAction() override;

    static void initClass();
    static SoType getClassTypeId();
    static void addMethod(SoType nodeType, SoActionMethod method);
    static void enableElement(SoType elementType, int stackIndex);
    SoType getTypeId() const override;
    const SoEnabledElementsList &getEnabledElements() const override;

    SoCGMVectorOutput *getCGMVectorOutput() const { return cgmOutput; }
    SoCGMVectorOutput *getOutput() const { return cgmOutput; }

    // Capacity of the font-name cache, terminator included. A longer name never compares equal
    // to the cached one (it is not in the font table either, so it never selects a font).
    static constexpr int FONT_NAME_SIZE = 256;

protected:
    // Document: header with colour table, footer, clip rectangles, border. The background is
    // part of the header (BACKGROUND COLOUR, or entry 0 of the colour table), so
    // printBackground writes nothing.
    void writeHeader() override;
    void writeFooter() override;
    void setHardwareClip() override;
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

private:
    static SoType classTypeId;
    static int classTypeIdIsSet;
    static SoEnabledElementsList *enabledElements;
    static SoActionMethodList *methods;

    // A fill pattern met in this picture, and the colour its table was last written with.
    struct PatternRecord {
        SbString category;
        SbString name;
        int tableIndex;
        SbColor tableColor;
    };

    int binary() const { return cgmOutput->getBinaryEncoding() != 0; }
    int version() const { return cgmOutput->getMetafileVersion(); }
    int indexed() const { return cgmOutput->getIndexedColors() != 0; }
    FILE *out() const { return cgmOutput->getFilePointer(); }
    // The binary encoder, with the page offsets of this moment for the points it writes.
    CGMBinaryEncoder &bin();

    // The colour index of a colour and the colour that index stands for (the described pen's
    // colour, or the colour itself). width is the line width in millimetres, for pen choice.
    void assignColor(SbColor color, float width, int *index, SbColor *colorOut);
    // The colour-element test: whether a colour element of the kind whose cache is given must
    // be written for this index and colour; when it must, both caches take the new values.
    int colorChanged(int &kindCache, int index, const SbColor &color);
    void resetCaches();
    void writeColorTable();
    // The clipping box in page millimetres (offsets included), whatever the encoding.
    SbBox2f pageClipBox() const;

    // Line attributes of a polyline whose pattern differs from the cached one.
    void writeLinePattern(unsigned short pattern);
    // Standard line type of a pattern (standard line types are used below version 3).
    static int standardLineType(unsigned short pattern);
    // Writes one POLYMARKER of n points.
    void writeMarkers(const SbVec4f *points, int n);
    // TRANSPARENT CELL COLOUR on or off, with an index (indexed colour) or a colour (direct);
    // patternForm selects the spelling that polygons use in clear text.
    void writeTransparentCell(int on, int index, const SbColor &color, int patternForm);
    // A CELL ARRAY with corners P, Q, R (page millimetres, offsets not yet added) and nx x ny
    // cells row by row from the top: indexes[] in indexed colour, colors[] in direct colour.
    void writeCellArray(const SbVec4f &p, const SbVec4f &q, const SbVec4f &r, int nx, int ny,
                        const int *indexes, const SbColor *colors);
    // The PATTERN TABLE of a fill pattern drawn in a colour (its index and colour out).
    void writePatternTable(int tableIndex, const unsigned char *bits, int index, const SbColor &color);

    SoCGMVectorOutput *cgmOutput = nullptr;
    CGMBinaryEncoder *encoder = nullptr;

    // Caches, in the order the writer declares them; writeHeader resets them.
    float currentLineWidth = 0.0f;
    unsigned short currentLinePattern = 0xFFFF;
    float currentTextHeight = -1.0f;
    char currentFontName[FONT_NAME_SIZE] = {};
    int currentJustification = -1;
    float currentTextAngle = 0.0f;
    int currentPatternIndex = 1;
    int patternCount = 0;
    int markerColorIndex = 0;
    int lineColorIndex = 0;
    int fillColorIndex = 0;
    int textColorIndex = 0;
    SbColor lastColor{0.0f, 0.0f, 0.0f};
    SbPList patternList;  // PatternRecord*, owned
};

#endif
