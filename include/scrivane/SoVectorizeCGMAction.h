#ifndef SCRIVANE_SOVECTORIZECGMACTION_H
#define SCRIVANE_SOVECTORIZECGMACTION_H
#include "scene/base/SbPList.h"
#include "scrivane/ScrivaneExport.h"
#include "scrivane/SoCGMVectorOutput.h"
#include "scrivane/SoVectorizeAction.h"
#include <vector>

class CGMBinaryEncoder;
class SoDrawStyle;
struct CGMPlacement;

// The vectorize action that writes a Computer Graphics Metafile: one metafile holding one
// picture per apply (or per beginPage/endPage). The output's settings choose the encoding
// (clear text or binary), the metafile version (which line attributes are written: standard
// line types below version 3, dash definitions with caps and joins from version 3) and the
// colour selection (direct colours, or indexed colours through a colour table written with the
// picture).
//
// VDC space is page millimetres: every point goes out as (getOffsetX() + x, getOffsetY() + y).
// On a landscape page the picture is turned a quarter turn as the PostScript page is: the VDC
// extent takes the turned frame and every point, direction and clip box is turned with it.
// Sizes (line widths, marker sizes, character heights) are line-width units times the nominal
// width.
//
// Dash patterns from version 3: LINE AND EDGE TYPE DEFINITION belongs to the picture
// descriptor, which is written before any primitive is known. So apply() first looks through
// the scene for the line patterns its draw styles set, and the header defines each of them as
// a line type of its own (-1, -2, ...). A pattern met later, that the descriptor did not define
// (a later drawing of a page, or a print call made without apply), is drawn with the standard
// line type nearest to it, as below version 3.
//
// Page mode: the header paints nothing; each drawing paints its own background rectangle (as
// the PostScript writer does) and its border, at its start position within the page frame.
//
// Markers and fill patterns show what lies under their clear bits: from version 3 through
// TRANSPARENT CELL COLOUR, below it by drawing only the set bits, as polygons.
//
// Colour indexes: without described pens a colour's index is its RRRGGGBB byte plus 1, with
// described pens the pen number plus 1 (both capped at 255). The colour table always keeps
// entry 0 for the background (the translated background colour when one is set outside page
// mode, white paper otherwise), so that index i always names the colour of pen (or palette
// entry) i - 1.
//
// Like the other formats, the writer caches what the metafile already has in force (line
// width, line pattern, character height, font, alignment, orientation, colours per element
// kind) and writes an attribute only when it changes; every header resets the caches.
//
// Ownership: the constructor creates the SoCGMVectorOutput and the binary encoder, the
// destructor ends a page still open and deletes both, and the pattern records.
class SCRIVANE_API SoVectorizeCGMAction : public SoVectorizeAction {
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

    // Each apply first collects the line patterns of the scene's draw styles, for the
    // definitions of the picture descriptor, then runs the drawing.
    void apply(SoNode *node) override;
    void apply(SoPath *path) override;
    void apply(const SoPathList &pathList, bool obeysRules = false) override;

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

    // Adds a line pattern to those that the next picture descriptor defines (version 3 and
    // later). apply() adds the patterns of the scene; the header takes them all, and what an
    // apply added without writing a header is dropped at its end. The solid pattern and the
    // empty one need no definition and are not added.
    void addLinePatternDefinition(unsigned short pattern);

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
    // The binary encoder, with the placement of this moment for the points it writes.
    CGMBinaryEncoder &bin();
    // Where points go: the page offsets of this moment, and the turn of the picture.
    CGMPlacement placement() const;

    // The colour index of a colour and the colour that index stands for (the described pen's
    // colour, or the colour itself). width is the line width in millimetres, for pen choice.
    void assignColor(SbColor color, float width, int *index, SbColor *colorOut);
    // The colour-element test: whether a colour element of the kind whose caches are given must
    // be written for this index and colour; when it must, the caches take the new values. In
    // direct colour the colour of the kind itself is compared as well, since nearby colours
    // share an index.
    int colorChanged(int &kindCache, SbColor &kindColor, int index, const SbColor &color);
    void resetCaches();
    void writeColorTable();
    // The clipping box in page millimetres (offsets included), whatever the encoding.
    SbBox2f pageClipBox() const;

    // Line attributes of a polyline whose pattern differs from the cached one.
    void writeLinePattern(unsigned short pattern);
    // Version 3 and later: the dash elements of a pattern (each run times the nominal width,
    // truncated) into dashes[16]; returns their count, or 0 when they add up to nothing.
    int dashElements(unsigned short pattern, int *dashes) const;
    // The LINE AND EDGE TYPE DEFINITIONs of the picture descriptor.
    void writeLineTypeDefinitions();
    // Adds the line patterns of the draw styles found in the scene.
    void collectLinePatterns(const std::vector<const SoDrawStyle *> &styles);
    // CLIP RECTANGLE of a box of the upright page (offsets included), clear text.
    void writeClearTextClip(float x1, float y1, float x2, float y2);
    // Below version 3: the set bits of a bitmap as filled rectangles, each cut to the polygon
    // `within` when one is given: INTERIOR STYLE solid, FILL COLOUR when it changes, and the
    // rectangles joined into as few POLYGON elements as their size allows.
    struct BitRectangle {
        float x0, y0, x1, y1;
    };
    // styleWritten: whether INTERIOR STYLE has been written in this print call already.
    void writeSetBits(const std::vector<BitRectangle> &rectangles, int index, const SbColor &color,
                      const SbVec4f *within, int n, int *styleWritten);
    // Below version 3: a patterned polygon as its pattern's set bits, tiled from the drawing's
    // origin and clipped to the polygon. Returns 0 (having written nothing) when the tiling
    // would take too many cells, and the pattern table is used instead.
    int printPatternSetBits(const SbVec4f *points, int n, int index, const SbColor &color,
                            const unsigned char *patternBits);
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
    void writePatternTable(int tableIndex, const unsigned char *bits, int index,
                           const SbColor &color);
    // A polygon filled with one colour (its index and colour out).
    void printSolidPolygon(const SbVec4f *points, int n, int index, const SbColor &color);

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
    SbPList patternList; // PatternRecord*, owned
    // The colour in force per element kind (direct colour compares it), reset with the others.
    SbColor markerColor{0.0f, 0.0f, 0.0f};
    SbColor lineColor{0.0f, 0.0f, 0.0f};
    SbColor fillColor{0.0f, 0.0f, 0.0f};
    SbColor textColor{0.0f, 0.0f, 0.0f};

    // Line patterns for the next picture descriptor, and those the current one defines (the
    // pattern at position k is line type -(k + 1)).
    std::vector<unsigned short> pendingLinePatterns;
    std::vector<unsigned short> definedLinePatterns;
    // Set by the header: whether the picture is turned (landscape), and the turn's constant.
    int landscapePicture = 0;
    float landscapeTurnX = 0.0f;
};

#endif
