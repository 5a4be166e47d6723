#ifndef SCRIVANE_SOVECTORIZEACTION_H
#define SCRIVANE_SOVECTORIZEACTION_H
#include "scene/actions/SoAction.h"
#include "scene/actions/SoCallbackAction.h"
#include "scene/base/SbBox2f.h"
#include "scene/base/SbColor.h"
#include "scene/base/SbMatrix.h"
#include "scene/base/SbPList.h"
#include "scene/base/SbString.h"
#include "scene/base/SbVec2f.h"
#include "scene/base/SbVec2s.h"
#include "scene/base/SbVec4f.h"
#include "scene/base/SbViewportRegion.h"
#include "scene/misc/SoNodeList.h"
#include "scene/nodes/SoImage.h"
#include "scrivane/ScrivaneExport.h"
#include "scrivane/SoVectorOutput.h"
#include <vector>

class SoCallbackAction;
class SoHLHSRVectorize;
namespace scrivane_capture {
class CoplanarJoin;
class FeatureEdgeShape;
struct ShapeState;
}
class SoMarkerSet;
class SoPrimitiveVertex;

// The abstract action every output format derives from. apply() runs one complete drawing: it
// builds a private SoCallbackAction with the capture callbacks, writes the format's header and
// background, traverses the scene (every primitive is transformed, coloured, clipped and handed
// to a print operation), then writes the border and the footer. In page mode (beginPage ...
// endPage) several applies share one page and one header and footer.
//
// The print interface (called during apply, or at its end with a hidden-line/surface mode):
// - Positions are page millimetres measured from the lower-left corner of the drawing area,
//   before the start position is added: formats add getOffsetX()/getOffsetY() when they write.
//   z and w are what the pipeline produced (normalized depth, w = 1).
// - Colours have been through translateColor. A colour array holds one colour per point when
//   the multicolour flag is nonzero, else its first colour stands for all.
// - Widths, point sizes and font sizes are in line-width units; formats multiply them by the
//   nominal width (getNominalWidth(MILLIMETER)) to obtain millimetres.
// - Arrays are read only during the call: a format copies what it keeps.
// Ownership: the format action creates and deletes its output object; the action owns its pen
// arrays, point buffers and light records.
class SCRIVANE_API SoVectorizeAction : public SoAction {
public:
    enum DimensionUnit { INCH = 0, MILLIMETER = 1, METER = 2 };
    enum Orientation { PORTRAIT = 0, LANDSCAPE = 1 };
    enum EndLineStyle { FLAT_CAP = 0, SQUARE_CAP = 1, POINTED_CAP = 2, ROUND_CAP = 3 };
    enum JoinLineStyle {
        UNJOINED = 0,
        MITER_JOIN = 1,
        MITER_BEVEL_JOIN = 2,
        BEVEL_JOIN = 3,
        POINTED_JOIN = 4,
        ROUND_JOIN = 5
    };
    enum ColorTranslationMethod { SWAP_BLACK_AND_WHITE = 0, KEEP_COLORS = 1, INVERT_COLORS = 2 };
    enum HLHSRMode {
        HIDDEN_NONE = 0,
        HIDDEN_BY_DEPTH_SORT = 1,
        HIDDEN_BY_PAINTER = 2,
        HIDDEN_BY_VISIBLE_PAINTER = 3,
        HIDDEN_BY_EDGE_SPLITTING = 4
    };

    // Class registration.
    static void initClass();
    static SoType getClassTypeId();
    static void addMethod(SoType nodeType, SoActionMethod method);
    static void enableElement(SoType elementType, int stackIndex);

    // Slots 0 to 4.
    ~SoVectorizeAction() override;
    SoType getTypeId() const override;
    void apply(const SoPathList &pathList, bool obeysRules = false) override;
    void apply(SoPath *path) override;
    void apply(SoNode *node) override;
    // Slot 7.
    const SoEnabledElementsList &getEnabledElements() const override;

    // Slots 11 to 46: output, page mode and settings.
    virtual SoVectorOutput *getVectorOutput() const;
    virtual void beginPage(const SbVec2f &start, const SbVec2f &size, DimensionUnit unit = MILLIMETER);
    virtual void endPage();
    virtual void setDrawingDimensions(const SbVec2f &d, DimensionUnit unit = MILLIMETER);
    virtual void setDrawingDimensions(float w, float h, DimensionUnit unit = MILLIMETER);
    virtual SbVec2f getDrawingDimensions(DimensionUnit unit = MILLIMETER) const;
    virtual void setStartPosition(const SbVec2f &p, DimensionUnit unit = MILLIMETER);
    virtual void setStartPosition(float x, float y, DimensionUnit unit = MILLIMETER);
    virtual SbVec2f getStartPosition(DimensionUnit unit = MILLIMETER) const;
    virtual void setOrientation(Orientation o);
    virtual Orientation getOrientation() const;
    virtual void setBorder(float width, SbColor color);
    virtual void setBorder(float width);
    virtual void getBorder(float *width, SbColor *color) const;
    virtual void setBackgroundColor(int bg, SbColor color);
    virtual void setBackgroundColor(int bg);
    virtual int getBackgroundColor(SbColor *color) const;
    virtual void setNominalWidth(float w, DimensionUnit unit = MILLIMETER);
    virtual float getNominalWidth(DimensionUnit unit = MILLIMETER) const;
    virtual void setPixelImageSize(float w, DimensionUnit unit = MILLIMETER);
    virtual float getPixelImageSize(DimensionUnit unit = MILLIMETER) const;
    virtual void setColorTranslationMethod(ColorTranslationMethod method);
    virtual ColorTranslationMethod getColorTranslationMethod() const;
    virtual void setLineEndStyle(EndLineStyle style);
    virtual EndLineStyle getLineEndStyle() const;
    virtual void setLineJoinsStyle(JoinLineStyle style);
    virtual JoinLineStyle getLineJoinsStyle() const;
    virtual void setMiterLimit(float limit);
    virtual float getMiterLimit() const;
    virtual void setPenDescription(int numPens, const SbColor *colors = nullptr, const float *widths = nullptr,
                                   DimensionUnit unit = MILLIMETER);
    virtual void getPenDescription(SbColor *colors, float *widths, DimensionUnit unit = MILLIMETER) const;
    virtual int getPenNum() const;
    virtual void setColorPriority(int priority);
    virtual int getColorPriority() const;
    virtual void setHLHSRMode(HLHSRMode mode);
    virtual void enableLighting(int flag);

    SoVectorOutput *getOutput() const { return getVectorOutput(); }
    SoHLHSRVectorize *getHLHSRVectorize() const { return hlhsrVectorize; }
    HLHSRMode getHLHSRMode() const { return hlhsrMode; }
    int isLightingEnabled() const { return lightingEnabled; }
    const SbViewportRegion &getViewportRegion() const { return viewportRegion; }
    // Characters of the last document's texts that the format has no code for, each written as
    // '?': PostScript and CGM print Latin-1, HP-GL/2 the plotter's Roman-8 set (with ASCII
    // spellings for a few more); EMF prints every character.
    int getReplacedCharacterCount() const { return replacedCharacters; }

protected:
    SoVectorizeAction();

    // Slots 8, 9.
    void beginTraversal(SoNode *node) override;
    void endTraversal(SoNode *node) override;
    // Slot 47: clears the annotation flag and creates the removal driver for a removal mode.
    virtual void beginTraversal();
    // Slot 48: releases the light records.
    virtual void endTraversal();

    // The format interface (slots 49 to 61).
    // Starts a document (or the page, in page mode); all caches of the format start invalid.
    virtual void writeHeader() = 0;
    // Ends the document (or page).
    virtual void writeFooter() = 0;
    // Called for the first primitive of a traversal and whenever the viewport region changes:
    // the format clips to getClippingLimits().
    virtual void setHardwareClip() = 0;
    // The area of the current viewport on the page, in page millimetres without the offsets.
    virtual SbBox2f getClippingLimits() const;
    // Markers of a marker set at each point: point i shows marker index value i modulo k.
    virtual void printPolyMark(const SbVec4f *points, int n, const SbColor *colors, int multiColor,
                               SoMarkerSet *markerSet);
    // Dots of a point size at each point.
    virtual void printPolyMark(const SbVec4f *points, int n, const SbColor *colors, int multiColor, float size);
    // An image placed at origin: source-size pixels of numComponents bytes each (rows bottom to
    // top), covering requestedSize image pixels of getPixelImageSize() millimetres each.
    virtual void printImage(const SbVec4f &origin, const unsigned char *pixels, SbVec2s &sourceSize,
                            SbVec2s &requestedSize, int numComponents, SoImage::HorAlignment horAlign,
                            SoImage::VertAlignment vertAlign);
    // An open polyline of n points with a thickness and a 16-bit line pattern (0xFFFF solid).
    virtual void printPolyLine(const SbVec4f *points, int n, const SbColor *colors, int multiColor,
                               float thickness, unsigned short pattern);
    // A filled polygon in its first colour, with the fill pattern of the state (bits null for none).
    virtual void printPolygon(const SbVec4f *points, int n, const SbColor *colors, SbString patternCategory,
                              SbString patternName, const unsigned char *patternBits);
    // One line of text at position; angle in radians counter-clockwise; justification 1 left,
    // 2 right, 3 centre.
    virtual void printText2(SbVec4f position, SbColor color, const char *fontName, float fontSize,
                            const char *text, int justification, float angle);
    virtual void printBorder() = 0;
    virtual void printBackground() = 0;
    // Chooses the described pen for a colour and a width in millimetres.
    virtual void penAssignment(SbColor color, float width, int *pen, float *penWidth);
    // Slot 62: registers the capture callbacks on the traversal's callback action.
    virtual void prepareAction(SoCallbackAction &action);

public:
    // Slots 63 and 64 (declared after all the others, so that their numbers stay): feature edges
    // in the hidden-line mode (HIDDEN_BY_EDGE_SPLITTING). With a nonzero flag only the lines of
    // the parts themselves are drawn, not every triangle edge: an edge of a shape is drawn when
    // it bounds one of the shape's faces only (or more than two), when its two faces meet at more
    // than the crease angle (that of the shape hints; 30 degrees where the scene gives none,
    // which a crease angle of 0 also counts as), or when one of its faces turns toward the
    // observer and the other away (the silhouette). Faces still hide with all their area, and
    // the edges that clipping makes (at the drawing's border, at the near and far planes) are
    // not drawn. Each traversal of a shape node is one shape. 0 (the default): every edge of
    // every face is drawn. Other modes ignore the flag.
    virtual void setFeatureEdges(int flag);
    virtual int getFeatureEdges() const;
    // Slots 65 and 66: with a nonzero flag, filled triangles of a shape that come one after
    // another in one plane and one flat colour are joined where they share edges into convex
    // polygons, so that viewers that anti-alias fills show no seam between them (a flat quad mesh
    // becomes one rectangle). The painting order of everything else stays. Only filled faces in
    // the modes that fill them are joined: the hidden-line mode draws every triangle edge, or the
    // feature edges, which joining would not change. 0 (the default): every triangle is printed
    // on its own.
    virtual void setJoinCoplanarFaces(int flag);
    virtual int getJoinCoplanarFaces() const;

    // What the last apply left out or replaced because a value was not a finite number, or would
    // overflow single precision on its way to the page. No such number reaches a format.
    struct NonFiniteCounts {
        // Primitives dropped: a point of a triangle, line segment, point, marker, text anchor or
        // image anchor that is not finite in clip coordinates, or that overflowed in the clipping.
        int coordinates = 0;
        // Shapes whose line width or point size was replaced by the default.
        int lineWidths = 0;
        int pointSizes = 0;
        // Texts whose font size or line spacing was replaced by the default.
        int fontSizes = 0;
        int textSpacings = 0;
        // Materials (per shape and index) and lit vertices whose colour was printed black.
        int colors = 0;
        // Cameras with a field that is not finite, drawn with that field's default.
        int cameras = 0;
    };
    const NonFiniteCounts &getNonFiniteCounts() const { return nonFiniteCounts; }
    // The primitives (triangles, line segments, points, markers, texts, images) the last apply
    // handed to the clipping, and those that came out of it to be printed or to be ordered by the
    // removal mode. No primitive printed means an empty drawing.
    int getCapturedPrimitiveCount() const { return capturedPrimitives; }
    int getPrintedPrimitiveCount() const { return printedPrimitives; }

protected:
    // Accessors for the formats (millimetres).
    float getShiftX() const { return startPosition[0]; }
    float getShiftY() const { return startPosition[1]; }
    float getWidth() const { return drawingWidth; }
    float getHeight() const { return drawingHeight; }
    float getViewportWidth() const;
    float getViewportHeight() const;
    float getOffsetX() const;
    float getOffsetY() const;
    float getNormalizedWidth() const { return 1.0f; }
    float getNormalizedHeight() const { return 1.0f; }
    SbColor translateColor(SbColor color) const;
    int isViewportSet() const { return viewportIsSet; }
    int isPageMode() const { return pageMode; }
    const SbVec2f &getPageSize() const { return pageSize; }
    const SbVec2f &getPageStart() const { return pageStart; }
    const SbColor *getPenColors() const { return penColors; }
    const float *getPenWidths() const { return penWidths; }
    // Capacity of the pending point buffers, in entries (10 at construction, doubled as needed).
    int getPointBufferSize() const { return pointBufferSize; }
    // Formats call this first in their destructors: a page still open is ended (its footer
    // written) while the format's output still exists.
    void endOpenPage() {
        if (pageMode) endPage();
    }
    // Counted by the formats as they write texts; reset when a document begins.
    int replacedCharacters = 0;
    // The format's constructor stores its output here; the format deletes it.
    void setVectorOutput(SoVectorOutput *output) { vectorOutput = output; }

    static float unitsToMillimeters(float value, DimensionUnit unit);
    static float millimetersToUnits(float value, DimensionUnit unit);

    static SoEnabledElementsList *enabledElements;
    static SoActionMethodList *methods;

private:
    friend class SoHLHSRVectorize;
    static SoType classTypeId;
    static int classTypeIdIsSet;

    void runApply(void (*applyTo)(SoCallbackAction &, void *), void *argument);
    void refreshViewportRegion(SoCallbackAction *action);

    // Capture callbacks, registered in this order by prepareAction.
    static SoCallbackAction::Response cameraCB(void *data, SoCallbackAction *action, const SoNode *node);
    static SoCallbackAction::Response cameraDoneCB(void *data, SoCallbackAction *action,
                                                   const SoNode *node);
    static void drawTriangleCB(void *data, SoCallbackAction *action, const SoPrimitiveVertex *v1,
                               const SoPrimitiveVertex *v2, const SoPrimitiveVertex *v3);
    static void drawLineSegmentCB(void *data, SoCallbackAction *action, const SoPrimitiveVertex *v1,
                                  const SoPrimitiveVertex *v2);
    static void drawPointCB(void *data, SoCallbackAction *action, const SoPrimitiveVertex *v);
    static SoCallbackAction::Response drawText2CB(void *data, SoCallbackAction *action, const SoNode *node);
    static SoCallbackAction::Response sendPointsCB(void *data, SoCallbackAction *action, const SoNode *node);
    static SoCallbackAction::Response drawAnnoText3CB(void *data, SoCallbackAction *action, const SoNode *node);
    static SoCallbackAction::Response endDrawAnnoText3CB(void *data, SoCallbackAction *action, const SoNode *node);
    static SoCallbackAction::Response drawImageCB(void *data, SoCallbackAction *action, const SoNode *node);

    // Capture of shape primitives, text, markers and images.
    void drawTriangle(SoCallbackAction *action, const SoPrimitiveVertex *v1, const SoPrimitiveVertex *v2,
                      const SoPrimitiveVertex *v3);
    void drawLineSegment(SoCallbackAction *action, const SoPrimitiveVertex *a, const SoPrimitiveVertex *b);
    void drawPoint(SoCallbackAction *action, const SoPrimitiveVertex *v);
    SoCallbackAction::Response sendPoints(SoCallbackAction *action);
    // Feature-edge capture: a triangle kept for its shape, and the shape clipped and handed over
    // with the edge flags of its triangles once it ends.
    void keepFeatureTriangle(SoCallbackAction *action, const SoPrimitiveVertex *const vertices[3],
                             const SbVec4f clip[3], const SbColor colors[3]);
    void sendFeatureShape(SoCallbackAction *action);
    // Coplanar joining: whether the triangles of the current shape are joined, a triangle offered
    // to the pending run, and the run's polygons clipped and printed.
    bool joinsFaces() const;
    void joinTriangle(SoCallbackAction *action, const SoPrimitiveVertex *const vertices[3],
                      SbVec4f points[3], SbColor colors[3]);
    void flushJoinedFaces(SoCallbackAction *action);
    SoCallbackAction::Response drawText2(SoCallbackAction *action, const SoNode *node, int annotation);
    SoCallbackAction::Response drawImage(SoCallbackAction *action, const SoNode *node);
    SoCallbackAction::Response drawMarkerSet(SoCallbackAction *action, const SoNode *node);
    float computeFontSizeAngleViewing(SoCallbackAction *action, float fontSize, float &angle);
    void growPointBuffer();
    // Before each primitive of a shape: the viewport region, and the shape's state read once.
    void beginShapePrimitive(SoCallbackAction *action);

    // Coordinate pipeline.
    void transformPoints(SoCallbackAction *action, SbVec4f *points, int n);
    void transformPointsMCToVRC(SoCallbackAction *action, SbVec4f *points, int n);
    void transformPointsVRCToNPC(SoCallbackAction *action, SbVec4f *points, int n);
    void transformVecMCToVRC(SoCallbackAction *action, SbVec3f &v);
    void projectPoints(SbVec4f *points, int n);

    // Clipping.
    void clipPolyLine(SoCallbackAction *action, SbVec4f *points, int n, SbColor *colors);
    void clipFinitePolyLine(SoCallbackAction *action, SbVec4f *points, int n, SbColor *colors);
    void clipPolyLineFar(SoCallbackAction *action, SbVec4f *points, int n, SbColor *colors, int multiColor);
    void clipPolyLineXMin(SoCallbackAction *action, SbVec4f *points, int n, SbColor *colors, int multiColor);
    void clipPolyLineXMax(SoCallbackAction *action, SbVec4f *points, int n, SbColor *colors, int multiColor);
    void clipPolyLineYMin(SoCallbackAction *action, SbVec4f *points, int n, SbColor *colors, int multiColor);
    void clipPolyLineYMax(SoCallbackAction *action, SbVec4f *points, int n, SbColor *colors, int multiColor);
    // edgeFlags, when given, holds one flag per edge (edge i from point i to point i + 1, the last
    // closing) with the capacity of points; the clipping keeps it in step with the points, an
    // edge that the clipping makes getting 0 (not drawn), and hands it to the removal driver.
    void clipPolygon(SoCallbackAction *action, SbVec4f *points, int n, SbColor *colors,
                     unsigned char *edgeFlags = nullptr);
    void clipPolyMark(SoCallbackAction *action, SbVec4f *points, int n, SbColor *colors, SoMarkerSet *markerSet);
    void clipText(SoCallbackAction *action, SbVec4f *anchor, SbColor color, SoNode *node, int annotation);
    void clipImage(SoCallbackAction *action, SbVec4f *anchor, const SoNode *node);

    // The state's line width and point size, or the default (counted) when it cannot be printed.
    float usableLineWidth(SoCallbackAction *action);
    float usablePointSize(SoCallbackAction *action);

    // Colour.
    SbColor getColor(SoCallbackAction *action, int materialIndex, int &invisible);
    SbColor getLightingColor(SoCallbackAction *action, const SoPrimitiveVertex *vertex, const SbVec4f &point,
                             int &invisible);
    void computeLightList(SoState *state);
    bool sameLightMatrices(SoState *state) const;
    void deleteLightsList();
    float getAttenuationFactor(const SoCallbackAction *action, const SbVec3f &a, const SbVec3f &b);

    // Fields, in declaration order.
    SoVectorOutput *vectorOutput = nullptr;
    float borderWidth = 2.0f;
    SbColor borderColor{1, 1, 1};
    int backgroundFlag = 0;
    SbColor backgroundColor{0, 0, 0};
    float nominalWidth = 0.35277778f;
    float pixelImageSize = 0.35277778f;
    int penNum = 0;
    SbColor *penColors = nullptr;
    EndLineStyle lineEndStyle = FLAT_CAP;
    JoinLineStyle lineJoinsStyle = UNJOINED;
    float miterLimit = 1.5f;
    int viewportIsSet = 0;
    SbVec2f pageSize{190.0f, 277.0f};
    SbVec2f pageStart{10.0f, 10.0f};
    int pageMode = 0;
    int newPage = 1;
    SoHLHSRVectorize *hlhsrVectorize = nullptr;
    SbVec2f startPosition{10.0f, 10.0f};
    Orientation orientation = PORTRAIT;
    float drawingWidth = 190.0f;
    float drawingHeight = 277.0f;
    SbViewportRegion viewportRegion;
    ColorTranslationMethod colorTranslationMethod = SWAP_BLACK_AND_WHITE;
    float *penWidths = nullptr;
    int colorPriority = 1;
    int pointBufferSize = 10;
    int pointCount = 0;
    SbVec4f *pointBuffer = nullptr;
    SbColor *pointColors = nullptr;
    HLHSRMode hlhsrMode = HIDDEN_NONE;
    int annoTextAsText = 0;
    // The light list the records in lightData were built from: the nodes and the matrix each
    // was reached under (one node can be reached under several transformations or cameras).
    SoNodeList lightNodes;
    std::vector<SbMatrix> lightMatrices;
    SbPList lightData;
    int lightingEnabled = 0;
    // What the point buffer holds: 0 nothing, 1 a polyline, 2 points. Kept per action; only
    // one action is applied at a time.
    int pendingKind = 0;
    int featureEdges = 0;
    // The triangles of the shape being captured, while an apply draws feature edges only (the
    // hidden-line mode with the flag set); null otherwise.
    scrivane_capture::FeatureEdgeShape *featureShape = nullptr;
    // The state shared by the primitives of the shape being captured (ShapeState.h); created
    // by the constructor, deleted by the destructor, forgotten after every node.
    scrivane_capture::ShapeState *shapeState = nullptr;
    // Counts of the apply running or last run (reset by beginTraversal).
    NonFiniteCounts nonFiniteCounts;
    int capturedPrimitives = 0;
    int printedPrimitives = 0;
    int joinCoplanarFaces = 0;
    // The pending run of joined triangles (CoplanarJoin.h); created by the constructor, empty
    // between shapes.
    scrivane_capture::CoplanarJoin *coplanarJoin = nullptr;
};

#endif
