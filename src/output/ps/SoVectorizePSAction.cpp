// The document around the primitives. One page looks like this:
//
//   prolog (PSProlog.cpp) with "%%BoundingBox: 28 28 567 814": the page frame on the sheet
//   2.834646 2.834646 scale              one user unit is one millimetre from here on
//   /linecap 0 def / linecap setlinecap / 2 setlinejoin / 1.50 setmiterlimit
//   0.35 ps / 0.35 ep / [] 0 tl          the drawing state in force at the start
//   10.00 10.00 translate                the page frame's start (landscape: turned by 90)
//   [gsave / x y translate]              page mode: each drawing's start within the page
//   [background polygon]
//   newpath ... closepath gsave clip     one block per viewport met; the next block or the
//   primitives                           border closes it with grestore
//   grestore newpath ... gsave clip      the border block: clip to the drawing rectangle,
//   border polyline / grestore           draw the border, close the clip
//   [grestore]                           page mode: closes the drawing's translation
//   showpage                             the footer (at endPage in page mode)
#include "scrivane/SoVectorizePSAction.h"
#include "output/ps/PSProlog.h"
#include <climits>
#include <cmath>
#include <cstdio>

SoType SoVectorizePSAction::classTypeId;
int SoVectorizePSAction::classTypeIdIsSet = 0;
SoEnabledElementsList *SoVectorizePSAction::enabledElements = nullptr;
SoActionMethodList *SoVectorizePSAction::methods = nullptr;

namespace {

// Points per millimetre, for the bounding box.
const double pointsPerMillimetre = 72.0 / 25.4;

// A sheet length in points, rounded down or up to a whole point. Lengths beyond the range of
// int (or not a number) are held to the range, so the conversion itself is always defined.
int sheetPoints(double millimetres, bool roundUp) {
    const double points = millimetres * pointsPerMillimetre;
    if (!(points == points)) return 0;
    if (points >= 2147483520.0) return INT_MAX;
    if (points <= -2147483520.0) return INT_MIN;
    return static_cast<int>(roundUp ? std::ceil(points) : std::floor(points));
}

// The box on the sheet that the page frame occupies: everything drawn is clipped to it. It
// starts at the start position; in landscape the frame is turned, so its sides swap.
scrivane_ps::PointBox sheetBox(const SbVec2f &start, const SbVec2f &size, bool landscape) {
    const int across = landscape ? 1 : 0, up = landscape ? 0 : 1;
    return {sheetPoints(start[across], false), sheetPoints(start[up], false),
            sheetPoints(static_cast<double>(start[across]) + size[across], true),
            sheetPoints(static_cast<double>(start[up]) + size[up], true)};
}

// PostScript line cap for the action's end style; unknown styles take the flat cap.
int psLineCap(SoVectorizeAction::EndLineStyle style) {
    switch (style) {
    case SoVectorizeAction::SQUARE_CAP:
        return 2;
    case SoVectorizeAction::POINTED_CAP:
    case SoVectorizeAction::ROUND_CAP:
        return 1;
    default:
        return 0;
    }
}

// PostScript line join for the action's join style; unknown styles join as UNJOINED does.
int psLineJoin(SoVectorizeAction::JoinLineStyle style) {
    switch (style) {
    case SoVectorizeAction::MITER_JOIN:
    case SoVectorizeAction::MITER_BEVEL_JOIN:
        return 0;
    case SoVectorizeAction::POINTED_JOIN:
    case SoVectorizeAction::ROUND_JOIN:
        return 1;
    default:
        return 2;
    }
}

} // namespace

void SoVectorizePSAction::initClass() {
    // Registered once per process; a second call would only duplicate the type.
    if (classTypeIdIsSet) return;
    SoType parent = SoVectorizeAction::getClassTypeId();
    enabledElements = new SoEnabledElementsList(SoVectorizeAction::enabledElements);
    methods = new SoActionMethodList(SoVectorizeAction::methods);
    classTypeId = SoType::createType(parent, "SoVectorizePSAction", nullptr, 0);
    classTypeIdIsSet = 1;
}

SoType SoVectorizePSAction::getClassTypeId() {
    if (!classTypeIdIsSet) initClass();
    return classTypeId;
}

SoType SoVectorizePSAction::getTypeId() const {
    return getClassTypeId();
}

const SoEnabledElementsList &SoVectorizePSAction::getEnabledElements() const {
    getClassTypeId();
    return *enabledElements;
}

void SoVectorizePSAction::addMethod(SoType nodeType, SoActionMethod method) {
    getClassTypeId();
    methods->addMethod(nodeType, method);
}

void SoVectorizePSAction::enableElement(SoType elementType, int stackIndex) {
    getClassTypeId();
    enabledElements->enable(elementType, stackIndex);
}

SoVectorizePSAction::SoVectorizePSAction() {
    getClassTypeId();
    traversalMethods = methods;
    psOutput = new SoPSVectorOutput;
    setVectorOutput(psOutput);
}

SoVectorizePSAction::~SoVectorizePSAction() {
    // An open page is ended while the output still exists, so the document is complete.
    endOpenPage();
    setVectorOutput(nullptr);
    delete psOutput;
    psOutput = nullptr;
}

void SoVectorizePSAction::writeHeader() {
    FILE *fp = out();
    const int color = psOutput->getColorOutput();
    const SbVec2f &pageSize = getPageSize();
    const SbVec2f &pageStart = getPageStart();

    scrivane_ps::writePrologText(
        fp, color ? scrivane_ps::colorPrologFirst : scrivane_ps::greyPrologFirst,
        sheetBox(pageStart, pageSize, getOrientation() == LANDSCAPE));
    std::fputs(color ? scrivane_ps::colorPrologSecond : scrivane_ps::greyPrologSecond, fp);
    std::fprintf(fp, "%f %f scale\n", 72.0 / 25.4, 72.0 / 25.4);

    // Nothing of an earlier document is trusted: every cache starts invalid.
    initDefaultCurrentValues();
    replacedCharacters = 0;
    currentColor.setValue(-1.0f, -1.0f, -1.0f);
    currentPointSize = getNominalWidth(MILLIMETER);
    currentLineWidth = getNominalWidth(MILLIMETER);
    currentMarkerBitmap = -999999;
    currentLinePattern = 0xFFFF;
    markerBitmapCount = 0;
    patternCount = 0;
    patternList.truncate(0);
    patternColors.clear();

    std::fprintf(fp, "/linecap %d def\n", psLineCap(getLineEndStyle()));
    std::fputs("linecap setlinecap\n", fp);
    std::fprintf(fp, "%d setlinejoin\n", psLineJoin(getLineJoinsStyle()));
    std::fprintf(fp, "%.2f setmiterlimit\n", getMiterLimit());
    std::fprintf(fp, "%.2f ps\n", currentPointSize);
    std::fprintf(fp, "%.2f ep\n", currentLineWidth);
    std::fputs("[] 0 tl\n", fp);

    if (getOrientation() == LANDSCAPE) {
        // The drawing's x axis runs up the sheet and its y axis to the left.
        std::fprintf(fp, "%.2f %.2f translate\n", pageStart[1], pageStart[0]);
        std::fprintf(fp, "90 rotate\n0 -%.2f translate\n", pageSize[1]);
    } else {
        std::fprintf(fp, "%.2f %.2f translate\n", pageStart[0], pageStart[1]);
    }
}

void SoVectorizePSAction::writeFooter() {
    std::fputs("showpage\n", out());
}

void SoVectorizePSAction::setHardwareClip() {
    FILE *fp = out();
    float xmin, ymin, xmax, ymax;
    getClippingLimits().getBounds(xmin, ymin, xmax, ymax);
    if (isViewportSet()) {
        // The clip of the previous viewport goes, and with it the font in force.
        std::fputs("grestore\n", fp);
        initDefaultCurrentValues();
    }
    std::fprintf(fp,
                 "newpath\n%.2f %.2f moveto\n%.2f %.2f lineto\n%.2f %.2f lineto\n%.2f %.2f lineto\n"
                 "%.2f %.2f lineto\nclosepath\ngsave\nclip\n",
                 xmin, ymin, xmax, ymin, xmax, ymax, xmin, ymax, xmin, ymin);
}

void SoVectorizePSAction::printBackground() {
    FILE *fp = out();
    if (isPageMode()) std::fprintf(fp, "gsave\n%.2f %.2f translate\n", getShiftX(), getShiftY());
    SbColor background;
    if (getBackgroundColor(&background)) {
        const float w = getWidth(), h = getHeight();
        const SbVec4f corners[4] = {SbVec4f(0, 0, 0, 1), SbVec4f(w, 0, 0, 1), SbVec4f(w, h, 0, 1),
                                    SbVec4f(0, h, 0, 1)};
        const SbColor color = translateColor(background);
        printPolygon(corners, 4, &color, SbString(""), SbString(""), nullptr);
    }
}

void SoVectorizePSAction::printBorder() {
    FILE *fp = out();
    const float w = getWidth(), h = getHeight();
    initDefaultCurrentValues();
    // The border block starts by closing the clip of the traversal. When no primitive opened
    // one (an empty scene), a gsave stands in for it: a grestore without its gsave would
    // restore the sheet's initial state and lose the millimetre scale and the translations.
    if (!isViewportSet()) std::fputs("gsave\n", fp);
    std::fprintf(fp,
                 "grestore\nnewpath\n0 0 moveto\n%.2f 0 lineto\n%.2f %2f lineto\n0 %.2f lineto\n"
                 "0 0 lineto\nclosepath\ngsave\nclip\n",
                 w, w, h, h);
    float borderWidth = 0.0f;
    SbColor borderColor;
    getBorder(&borderWidth, &borderColor);
    if (borderWidth > 0.0f) {
        const SbVec4f frame[5] = {SbVec4f(0, 0, 0, 1), SbVec4f(w, 0, 0, 1), SbVec4f(w, h, 0, 1),
                                  SbVec4f(0, h, 0, 1), SbVec4f(0, 0, 0, 1)};
        const SbColor color = translateColor(borderColor);
        printPolyLine(frame, 5, &color, 0, borderWidth, 0xFFFF);
    }
    std::fputs("grestore\n", fp);
    if (isPageMode()) std::fputs("grestore\n", fp);
}
