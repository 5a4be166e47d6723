// The CGM document: class registration, construction, the metafile and picture header with
// the colour table and the dash definitions, the footer, clip rectangles, background and border,
// and the colour index of a colour with the colour-element test that every primitive uses.
#include <cstring>
#include <unordered_set>
#include <vector>
#include "output/cgm/CGMBinaryEncoder.h"
#include "output/cgm/CGMClearText.h"
#include "scene/misc/SoChildList.h"
#include "scene/misc/SoPath.h"
#include "scene/misc/SoPathList.h"
#include "scene/nodes/SoDrawStyle.h"
#include "scrivane/SoVectorizeCGMAction.h"

SoType SoVectorizeCGMAction::classTypeId;
int SoVectorizeCGMAction::classTypeIdIsSet = 0;
SoEnabledElementsList *SoVectorizeCGMAction::enabledElements = nullptr;
SoActionMethodList *SoVectorizeCGMAction::methods = nullptr;

void SoVectorizeCGMAction::initClass() {
    SoVectorizeAction::getClassTypeId();
    enabledElements = new SoEnabledElementsList(SoVectorizeAction::enabledElements);
    methods = new SoActionMethodList(SoVectorizeAction::methods);
    classTypeId = SoType::createType(SoVectorizeAction::getClassTypeId(), "SoVectorizeCGMAction", nullptr, 0);
    classTypeIdIsSet = 1;
}

SoType SoVectorizeCGMAction::getClassTypeId() {
    if (!classTypeIdIsSet) initClass();
    return classTypeId;
}

SoType SoVectorizeCGMAction::getTypeId() const { return getClassTypeId(); }

const SoEnabledElementsList &SoVectorizeCGMAction::getEnabledElements() const {
    getClassTypeId();
    return *enabledElements;
}

void SoVectorizeCGMAction::addMethod(SoType nodeType, SoActionMethod method) {
    getClassTypeId();
    methods->addMethod(nodeType, method);
}

void SoVectorizeCGMAction::enableElement(SoType elementType, int stackIndex) {
    getClassTypeId();
    enabledElements->enable(elementType, stackIndex);
}

SoVectorizeCGMAction::SoVectorizeCGMAction() {
    getClassTypeId();
    traversalMethods = methods;
    cgmOutput = new SoCGMVectorOutput;
    setVectorOutput(cgmOutput);
    encoder = new CGMBinaryEncoder(cgmOutput);
}

SoVectorizeCGMAction::~SoVectorizeCGMAction() {
    endOpenPage();
    for (int i = 0; i < patternList.getLength(); i++) delete static_cast<PatternRecord *>(patternList[i]);
    patternList.truncate(0);
    delete encoder;
    setVectorOutput(nullptr);
    delete cgmOutput;
}

CGMBinaryEncoder &SoVectorizeCGMAction::bin() {
    encoder->setPlacement(placement());
    return *encoder;
}

CGMPlacement SoVectorizeCGMAction::placement() const {
    return CGMPlacement{getOffsetX(), getOffsetY(), landscapePicture, landscapeTurnX};
}

// Line patterns for the picture descriptor.

void SoVectorizeCGMAction::addLinePatternDefinition(unsigned short pattern) {
    if (pattern == 0xFFFF || pattern == 0) return;
    for (unsigned short known : pendingLinePatterns)
        if (known == pattern) return;
    pendingLinePatterns.push_back(pattern);
}

namespace {
// Finds the draw styles that a search of every child (switches included) would find, in the order
// of their first encounter, visiting each node once however often the graph shares it: a file
// that shares a group forty levels deep expands to 2^40 paths but holds only forty groups.
// Beside an applied path only nodes that change the state are visited, as a traversal does.
class DrawStyleWalk {
public:
    explicit DrawStyleWalk(std::vector<const SoDrawStyle *> &found) : found(found) {}

    void walkPath(const SoPath *path) {
        const int last = path->getLength() - 1;
        for (int depth = 0; depth < last; depth++) {
            SoNode *node = path->getNode(depth);
            test(node);
            const SoChildList *children = node->getChildren();
            const int onPath = path->getIndex(depth + 1);
            for (int i = 0; children && i < onPath && i < children->getLength(); i++) walk((*children)[i], true);
        }
        walk(path->getTail(), false);
    }

    void walk(SoNode *root, bool offPath) {
        std::vector<SoNode *> stack{root};
        std::unordered_set<const SoNode *> &visited = seen[offPath ? 1 : 0];
        while (!stack.empty()) {
            SoNode *node = stack.back();
            stack.pop_back();
            if (!node || (offPath && !node->affectsState()) || !visited.insert(node).second) continue;
            test(node);
            if (const SoChildList *children = node->getChildren())
                for (int i = children->getLength() - 1; i >= 0; i--) stack.push_back((*children)[i]);
        }
    }

private:
    void test(const SoNode *node) {
        if (node && node->isOfType(SoDrawStyle::getClassTypeId())) found.push_back(static_cast<const SoDrawStyle *>(node));
    }

    std::vector<const SoDrawStyle *> &found;
    std::unordered_set<const SoNode *> seen[2]; // visited below or on a path, and beside one
};
} // namespace

// Every draw style of the scene, in traversal order, including those under switches that are
// off: a pattern defined and never used costs one element, a pattern used and not defined
// loses its dash lengths.
void SoVectorizeCGMAction::collectLinePatterns(const std::vector<const SoDrawStyle *> &styles) {
    for (const SoDrawStyle *style : styles)
        if (!style->linePattern.isIgnored()) addLinePatternDefinition(style->linePattern.getValue());
}

void SoVectorizeCGMAction::apply(SoNode *node) {
    if (node && version() >= 3) {
        std::vector<const SoDrawStyle *> styles;
        DrawStyleWalk(styles).walk(node, false);
        collectLinePatterns(styles);
    }
    SoVectorizeAction::apply(node);
    pendingLinePatterns.clear();
}

void SoVectorizeCGMAction::apply(SoPath *path) {
    if (path && path->getLength() > 0 && version() >= 3) {
        std::vector<const SoDrawStyle *> styles;
        DrawStyleWalk(styles).walkPath(path);
        collectLinePatterns(styles);
    }
    SoVectorizeAction::apply(path);
    pendingLinePatterns.clear();
}

// The paths are traversed one after the other, so their draw styles come in list order.
void SoVectorizeCGMAction::apply(const SoPathList &pathList, bool obeysRules) {
    if (version() >= 3) {
        std::vector<const SoDrawStyle *> styles;
        DrawStyleWalk walk(styles);
        for (int i = 0; i < pathList.getLength(); i++)
            if (pathList[i] && pathList[i]->getLength() > 0) walk.walkPath(pathList[i]);
        collectLinePatterns(styles);
    }
    SoVectorizeAction::apply(pathList, obeysRules);
    pendingLinePatterns.clear();
}

// Each pattern whose dash elements add up to something gets the next negative line type, up to
// the most an index can name; the others are drawn with a standard line type.
void SoVectorizeCGMAction::writeLineTypeDefinitions() {
    definedLinePatterns.clear();
    if (version() >= 3) {
        for (unsigned short pattern : pendingLinePatterns) {
            int dashes[16];
            const int n = dashElements(pattern, dashes);
            if (n == 0 || definedLinePatterns.size() >= 32767) continue;
            definedLinePatterns.push_back(pattern);
            const int index = -static_cast<int>(definedLinePatterns.size());
            if (binary())
                bin().Plineedgetype(index, 5.65, n, dashes);
            else
                CGMClearText::lineedgetypedef(out(), index, n, dashes);
        }
    }
    pendingLinePatterns.clear();
}

// Colour indexes.

void SoVectorizeCGMAction::assignColor(SbColor color, float width, int *index, SbColor *colorOut) {
    int i;
    if (getPenNum() > 0) {
        int pen = 0;
        float penWidth = 0.0f;
        penAssignment(color, width, &pen, &penWidth);
        if (pen < 0 || pen >= getPenNum()) pen = 0;
        *colorOut = getPenColors()[pen];
        i = pen + 1;
    } else {
        // RRRGGGBB: the top three bits of red and green, the top two of blue.
        const int r = cgmComponent255(color[0]), g = cgmComponent255(color[1]), b = cgmComponent255(color[2]);
        i = ((r & 0xE0) | ((g & 0xE0) >> 3) | (b >> 6)) + 1;
        *colorOut = color;
    }
    // The table has 256 entries: white (RRRGGGBB 255) and the 256th pen share the last one.
    *index = i > 255 ? 255 : i;
}

int SoVectorizeCGMAction::colorChanged(int &kindCache, SbColor &kindColor, int index, const SbColor &color) {
    if (kindCache == index && lastColor == color && (indexed() || kindColor == color)) return 0;
    kindCache = index;
    kindColor = color;
    lastColor = color;
    return 1;
}

void SoVectorizeCGMAction::resetCaches() {
    currentLineWidth = 0.0f;
    currentLinePattern = 0xFFFF;
    currentTextHeight = -1.0f;
    currentFontName[0] = '\0';
    currentJustification = -1;
    currentTextAngle = 0.0f;
    currentPatternIndex = 1;
    patternCount = 0;
    for (int i = 0; i < patternList.getLength(); i++) delete static_cast<PatternRecord *>(patternList[i]);
    patternList.truncate(0);
    markerColorIndex = 0;
    lineColorIndex = 0;
    fillColorIndex = 0;
    textColorIndex = 0;
    lastColor.setValue(0.0f, 0.0f, 0.0f);
    markerColor = lineColor = fillColor = textColor = lastColor;
}

// Header and footer.

// In page mode the header paints nothing: the page holds several drawings, each of which paints
// its own background (printBackground), so neither BACKGROUND COLOUR nor entry 0 of the colour
// table takes a drawing's background.
//
// Landscape turns the page frame: the VDC extent covers x from y0 to y0 + h and y from x0 to
// x0 + w, and every point written in this picture is turned to match (CGMPlacement).
void SoVectorizeCGMAction::writeHeader() {
    SbColor background;
    const int hasBackground = !isPageMode() && getBackgroundColor(&background) != 0;
    background = translateColor(background);
    SbVec2f start = getPageStart();
    SbVec2f size = getPageSize();
    replacedCharacters = 0;
    landscapePicture = getOrientation() == LANDSCAPE;
    landscapeTurnX = start[1] + size[1] + start[1];
    if (landscapePicture) {
        start.setValue(start[1], start[0]);
        size.setValue(size[1], size[0]);
    }
    if (binary()) {
        CGMBinaryEncoder &e = bin();
        e.Pbegmf("Scrivane CGM OUTPUT", indexed());
        e.Pmfversion(version());
        e.Pmfdesc("Scrivane CGM METAFILE OUTPUT");
        e.Pmfelemlist("DRAWINGPLUS");
        e.Pvdctype(1);
        e.Pintegerprec(-32767, 32767);
        e.Prealprec(-32767.0, 32767.0, 8);
        e.Pindexprec(-32767, 32767);
        e.Pcolrprec(255);
        e.Pcolrindexprec(255);
        e.Pcolrvalueext(0, 0, 0, 255, 255, 255);
        e.Pmaxcolrindex(255);
        e.Pfontlist(13, CGMClearText::fontTable);
        e.Pbegpic("Binary Image from Scrivane");
        e.Pscalemode(1, 1.0);
        e.Plinewidthmode(0);
        e.Pmarkersizemode(0);
        e.Pedgewidthmode(0);
        if (hasBackground && !indexed()) e.Pbackcolr(background[0], background[1], background[2]);
        e.Pcolrmode(indexed() ? 0 : 1);
        // Still in the fixed-point form: the VDC real precision is set in the picture body.
        e.Pvdcext(start[0], start[1], size[0], size[1]);
        writeLineTypeDefinitions();
        e.Pbegpicbody();
        e.Pvdcrealprec(-32767.0, 32767.0, 8);
        e.Pedgevis(0);
    } else {
        FILE *fp = out();
        CGMClearText::begmf(fp);
        CGMClearText::mfversion(fp, version());
        CGMClearText::mfdesc(fp);
        CGMClearText::mfelemlist(fp);
        CGMClearText::vdctype(fp);
        CGMClearText::precisions(fp);
        CGMClearText::fontlist(fp);
        std::fprintf(fp, "\n");
        CGMClearText::begpic(fp);
        CGMClearText::scalemode(fp);
        CGMClearText::widthmodes(fp);
        if (hasBackground && !indexed()) CGMClearText::backcolr(fp, background);
        CGMClearText::colrmode(fp, indexed());
        CGMClearText::vdcext(fp, start[0], start[1], start[0] + size[0], start[1] + size[1]);
        writeLineTypeDefinitions();
        CGMClearText::begpicbody(fp);
        CGMClearText::vdcrealprec(fp);
        CGMClearText::edgevis(fp);
    }
    if (indexed()) writeColorTable();
    resetCaches();
}

// The colour table of indexed colour. Entry 0 is the background: the translated background
// colour when one is set, else white, the paper (index 0 is also the transparent and clear
// pattern colour). The pens, or the RRRGGGBB palette, follow from entry 1, so that index
// pen + 1 always names the pen's colour; entry 255 is white, where white's index lands. With
// 256 described pens the last pen has no entry of its own and is drawn with entry 255.
void SoVectorizeCGMAction::writeColorTable() {
    int rgb[256][3];
    int n = 0;
    SbColor background;
    if (!isPageMode() && getBackgroundColor(&background)) {
        background = translateColor(background);
        for (int k = 0; k < 3; k++) rgb[0][k] = cgmComponent255(background[k]);
    } else {
        rgb[0][0] = rgb[0][1] = rgb[0][2] = 255;
    }
    n = 1;
    if (getPenNum() > 0) {
        const int pens = getPenNum() < 255 ? getPenNum() : 255;
        const SbColor *colors = getPenColors();
        for (int pen = 0; pen < pens; pen++, n++)
            for (int k = 0; k < 3; k++) rgb[n][k] = cgmComponent255(colors[pen][k]);
    } else {
        for (int p = 0; p < 254; p++, n++) {
            rgb[n][0] = (p & 0xE0) * 255 / 224;
            rgb[n][1] = (p & 0x1C) * 255 / 28;
            rgb[n][2] = (p & 3) * 85;
        }
        rgb[n][0] = rgb[n][1] = rgb[n][2] = 255;
        n++;
    }
    if (binary()) {
        SbColor colors[256];
        for (int i = 0; i < n; i++)
            colors[i].setValue(static_cast<float>(rgb[i][0]), static_cast<float>(rgb[i][1]),
                               static_cast<float>(rgb[i][2]));
        bin().Pcolrtable(0, n, colors);
    } else {
        CGMClearText::colrtable(out(), n, rgb);
    }
}

void SoVectorizeCGMAction::writeFooter() {
    if (binary()) {
        bin().Pendpic();
        bin().Pendmf();
    } else {
        CGMClearText::endpic(out());
        CGMClearText::endmf(out());
    }
}

// Clipping and border.

SbBox2f SoVectorizeCGMAction::getClippingLimits() const {
    // Binary points get the offsets added as they are written, clear-text limits carry them.
    SbBox2f box = SoVectorizeAction::getClippingLimits();
    if (binary()) return box;
    return SbBox2f(box.getMin()[0] + getOffsetX(), box.getMin()[1] + getOffsetY(),
                   box.getMin()[0] + getOffsetX() + getViewportWidth(),
                   box.getMin()[1] + getOffsetY() + getViewportHeight());
}

SbBox2f SoVectorizeCGMAction::pageClipBox() const {
    SbBox2f box = SoVectorizeAction::getClippingLimits();
    const float x = box.getMin()[0] + getOffsetX(), y = box.getMin()[1] + getOffsetY();
    return SbBox2f(x, y, x + getViewportWidth(), y + getViewportHeight());
}

void SoVectorizeCGMAction::writeClearTextClip(float x1, float y1, float x2, float y2) {
    if (landscapePicture) {
        const CGMPlacement turn = placement();
        const SbVec2f a = turn.turn(x1, y1), b = turn.turn(x2, y2);
        CGMClearText::cliprect(out(), a[0] < b[0] ? a[0] : b[0], a[1] < b[1] ? a[1] : b[1], a[0] < b[0] ? b[0] : a[0],
                               a[1] < b[1] ? b[1] : a[1]);
    } else {
        CGMClearText::cliprect(out(), x1, y1, x2, y2);
    }
}

void SoVectorizeCGMAction::setHardwareClip() {
    const SbBox2f box = getClippingLimits();
    const SbVec2f &lo = box.getMin(), &hi = box.getMax();
    if (binary())
        bin().Pcliprect(lo[0], lo[1], hi[0], hi[1]);
    else
        writeClearTextClip(lo[0], lo[1], hi[0], hi[1]);
}

void SoVectorizeCGMAction::printBorder() {
    float width = 0.0f;
    SbColor color;
    getBorder(&width, &color);
    if (!(width > 0.0f)) return;
    const float w = getWidth(), h = getHeight();
    // The clip opens to the whole drawing area.
    if (binary())
        bin().Pcliprect(0.0f, 0.0f, w, h);
    else
        writeClearTextClip(getOffsetX(), getOffsetY(), getOffsetX() + w, getOffsetY() + h);
    const SbVec4f points[5] = {SbVec4f(0, 0, 0, 1), SbVec4f(w, 0, 0, 1), SbVec4f(w, h, 0, 1), SbVec4f(0, h, 0, 1),
                               SbVec4f(0, 0, 0, 1)};
    const SbColor borderColor = translateColor(color);
    printPolyLine(points, 5, &borderColor, 0, width, 0xFFFF);
}

// Outside page mode the header's BACKGROUND COLOUR (or entry 0 of the colour table) paints the
// drawing area, which is the whole VDC extent, so nothing is written here. In page mode each
// drawing paints its own area: the clip opens to it first (the clip of the previous drawing is
// still in force), then a polygon in the translated background colour covers it.
void SoVectorizeCGMAction::printBackground() {
    SbColor background;
    if (!isPageMode() || !getBackgroundColor(&background)) return;
    const float w = getWidth(), h = getHeight();
    if (binary())
        bin().Pcliprect(0.0f, 0.0f, w, h);
    else
        writeClearTextClip(getOffsetX(), getOffsetY(), getOffsetX() + w, getOffsetY() + h);
    const SbVec4f corners[4] = {SbVec4f(0, 0, 0, 1), SbVec4f(w, 0, 0, 1), SbVec4f(w, h, 0, 1), SbVec4f(0, h, 0, 1)};
    const SbColor color = translateColor(background);
    printPolygon(corners, 4, &color, SbString(), SbString(), nullptr);
}

void SoVectorizeCGMAction::writeTransparentCell(int on, int index, const SbColor &color, int patternForm) {
    if (binary()) {
        if (indexed())
            bin().PtranspcellcolrI(on, index);
        else
            bin().PtranspcellcolrD(on, color);
    } else {
        CGMClearText::transpcellcolr(out(), on, indexed(), index, color, patternForm);
    }
}
