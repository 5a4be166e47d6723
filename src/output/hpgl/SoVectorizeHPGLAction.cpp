// The HP-GL/2 writer: class frame, document structure and pens.
//
// A stream of ours looks like this (one drawing, default layout, no described pens; <...> are
// base-64 PE numbers, ^C is the byte 0x03 that ends a label):
//
//   ESC%-1B                         enter HP-GL/2
//   IN;FT;NP256;TR0;                initialise, solid fill type, 256 pens, transparency off
//   PC0,0,0,0 ... PC255,255,255,255 the RRRGGGBB palette, one pen per line
//   PS7600,11080;                   page size in plotter units (0.025 mm)
//   LA1,1,2,6,3,1.50                line ends, joins and miter limit
//   IW400.000000,400.000000,8000.000000,11480.000000;    input window: the viewport's area
//   UL8,2.82 ,2.82 LT8,5.65,1       a dash pattern, only when it changes
//   PW0.352778PE:<pen><=<x><y><dx><dy>...;               a polyline: width, pen, absolute
//                                                        start, relative steps
//   SP219PU400,400PMPE<dx><dy>...;PM2FP                  a filled polygon
//   PUSM.PA400,400,440,400SM;       dots in symbol mode
//   SD2,1,4,12.00SSLO1PU            text size and origin, only when they change
//   PA400,400LBtext^C               a label
//   IW...;PE...;                    the border: window opened on the drawing area, a frame
//   SPPG;                           pen put away, page advanced
//
// The primitives are written by HPGLPrimitives.cpp; the PE number encoding is in HPGLEncoding.cpp.
#include "scrivane/SoVectorizeHPGLAction.h"
#include <cstdio>

SoType SoVectorizeHPGLAction::classTypeId;
int SoVectorizeHPGLAction::classTypeIdIsSet = 0;
SoEnabledElementsList *SoVectorizeHPGLAction::enabledElements = nullptr;
SoActionMethodList *SoVectorizeHPGLAction::methods = nullptr;

void SoVectorizeHPGLAction::initClass() {
    // Registering twice would replace the lists the existing actions point at.
    if (classTypeIdIsSet) return;
    SoType parent = SoVectorizeAction::getClassTypeId();
    enabledElements = new SoEnabledElementsList(SoVectorizeAction::enabledElements);
    methods = new SoActionMethodList(SoVectorizeAction::methods);
    classTypeId = SoType::createType(parent, "SoVectorizeHPGLAction", nullptr, 0);
    classTypeIdIsSet = 1;
}

SoType SoVectorizeHPGLAction::getClassTypeId() {
    if (!classTypeIdIsSet) initClass();
    return classTypeId;
}

SoType SoVectorizeHPGLAction::getTypeId() const { return getClassTypeId(); }

const SoEnabledElementsList &SoVectorizeHPGLAction::getEnabledElements() const {
    getClassTypeId();
    return *enabledElements;
}

void SoVectorizeHPGLAction::addMethod(SoType nodeType, SoActionMethod method) {
    getClassTypeId();
    methods->addMethod(nodeType, method);
}

void SoVectorizeHPGLAction::enableElement(SoType elementType, int stackIndex) {
    getClassTypeId();
    enabledElements->enable(elementType, stackIndex);
}

SoVectorizeHPGLAction::SoVectorizeHPGLAction() {
    getClassTypeId();
    traversalMethods = methods;
    hpglOutput = new SoHPGLVectorOutput;
    setVectorOutput(hpglOutput);
}

SoVectorizeHPGLAction::~SoVectorizeHPGLAction() {
    endOpenPage();
    setVectorOutput(nullptr);
    delete hpglOutput;
}

namespace {
// HP-GL/2 line end codes (LA kind 1) for EndLineStyle.
int lineEndCode(SoVectorizeAction::EndLineStyle style) {
    switch (style) {
    case SoVectorizeAction::FLAT_CAP: return 1;
    case SoVectorizeAction::SQUARE_CAP: return 2;
    case SoVectorizeAction::POINTED_CAP: return 3;
    case SoVectorizeAction::ROUND_CAP: return 4;
    }
    return 1;
}

// HP-GL/2 line join codes (LA kind 2) for JoinLineStyle.
int lineJoinCode(SoVectorizeAction::JoinLineStyle style) {
    switch (style) {
    case SoVectorizeAction::UNJOINED: return 6;
    case SoVectorizeAction::MITER_JOIN: return 1;
    case SoVectorizeAction::MITER_BEVEL_JOIN: return 2;
    case SoVectorizeAction::BEVEL_JOIN: return 5;
    case SoVectorizeAction::POINTED_JOIN: return 3;
    case SoVectorizeAction::ROUND_JOIN: return 4;
    }
    return 6;
}

// A colour component as 0..255: the float product with 255 truncated. Components outside 0..1
// (and NaN) are held to the range, so that a pen number never leaves 0..255.
int component255(float c) {
    float v = c * 255.0f;
    if (!(v > 0.0f)) return 0;
    if (v >= 255.0f) return 255;
    return static_cast<int>(v);
}
} // namespace

void SoVectorizeHPGLAction::writeHeader() {
    FILE *fp = out();
    int penCount = getPenNum();
    replacedCharacters = 0;
    fprintf(fp, "\x1b%%-1B\n");
    fprintf(fp, "IN;");
    if (getOrientation() == LANDSCAPE) fprintf(fp, "RO90;IP;");
    fprintf(fp, "FT;");
    fprintf(fp, "NP%d;", penCount ? penCount : 256);
    fprintf(fp, "TR0;");
    fprintf(fp, "\n");
    if (penCount == 0) {
        for (int pen = 0; pen < 256; pen++)
            fprintf(fp, "PC%d,%d,%d,%d\n", pen, (pen & 0xE0) * 255 / 224, (pen & 0x1C) * 255 / 28,
                    (pen & 0x03) * 255 / 3);
    } else {
        const SbColor *colors = getPenColors();
        for (int pen = 0; pen < penCount; pen++)
            fprintf(fp, "PC%d,%d,%d,%d\n", pen, component255(colors[pen][0]), component255(colors[pen][1]),
                    component255(colors[pen][2]));
    }
    const SbVec2f &page = getPageSize();
    int pageWidth = truncPlu(page[0] * 40.0f), pageHeight = truncPlu(page[1] * 40.0f);
    if (getOrientation() == LANDSCAPE)
        fprintf(fp, "PS%d,%d;\n", pageHeight, pageWidth);
    else
        fprintf(fp, "PS%d,%d;\n", pageWidth, pageHeight);
    fprintf(fp, "LA1,%d,2,%d,3,%.2f\n", lineEndCode(getLineEndStyle()), lineJoinCode(getLineJoinsStyle()),
            static_cast<double>(getMiterLimit()));

    // IN has reset the plotter: nothing the writer selected is in force any more.
    currentPen = -1;
    currentLineWidth = 0.0f;
    currentLinePattern = 0xFFFF;
    currentTextHeight = -1.0f;
    setCurrentFontName("");
    currentJustification = -1;
    currentTextAngle = 0.0f;
    inputWindowSet = 0;
}

void SoVectorizeHPGLAction::writeFooter() { fprintf(out(), "SPPG;\n"); }

SbBox2f SoVectorizeHPGLAction::getClippingLimits() const {
    SbBox2f base = SoVectorizeAction::getClippingLimits();
    double xmin = (static_cast<double>(getOffsetX()) + base.getMin()[0]) * PLU_PER_MM;
    double ymin = (static_cast<double>(getOffsetY()) + base.getMin()[1]) * PLU_PER_MM;
    double xmax = xmin + static_cast<double>(getViewportWidth()) * PLU_PER_MM;
    double ymax = ymin + static_cast<double>(getViewportHeight()) * PLU_PER_MM;
    return SbBox2f(static_cast<float>(xmin), static_cast<float>(ymin), static_cast<float>(xmax),
                   static_cast<float>(ymax));
}

void SoVectorizeHPGLAction::setHardwareClip() {
    // Through the virtual slot, so a derived writer's limits are the ones used.
    SbBox2f box = getClippingLimits();
    fprintf(out(), "IW%f,%f,%f,%f;\n", static_cast<double>(box.getMin()[0]), static_cast<double>(box.getMin()[1]),
            static_cast<double>(box.getMax()[0]), static_cast<double>(box.getMax()[1]));
    inputWindowSet = 1;
}

void SoVectorizeHPGLAction::writeDrawingAreaWindow() {
    double x0 = getOffsetX(), y0 = getOffsetY();
    fprintf(out(), "IW%f,%f,%f,%f;\n", x0 * PLU_PER_MM, y0 * PLU_PER_MM, (x0 + getWidth()) * PLU_PER_MM,
            (y0 + getHeight()) * PLU_PER_MM);
    inputWindowSet = 1;
}

void SoVectorizeHPGLAction::printBorder() {
    float width;
    SbColor color;
    getBorder(&width, &color);
    if (!(width > 0.0f)) return;
    // The window opens on the whole drawing area and stays so for what follows.
    writeDrawingAreaWindow();
    const float w = getWidth(), h = getHeight();
    const SbVec4f frame[5] = {SbVec4f(0, 0, 0, 1), SbVec4f(w, 0, 0, 1), SbVec4f(w, h, 0, 1), SbVec4f(0, h, 0, 1),
                              SbVec4f(0, 0, 0, 1)};
    SbColor translated = translateColor(color);
    printPolyLine(frame, 5, &translated, 0, width, 0xFFFF);
}

void SoVectorizeHPGLAction::printBackground() {
    SbColor color;
    if (!getBackgroundColor(&color)) return;
    // Right after the header no window holds the plotter. A later drawing of the same page finds
    // the window of the drawing before it still in force (its border or viewport left it), which
    // would clip this background away: the window opens on this drawing's area first.
    if (inputWindowSet) writeDrawingAreaWindow();
    const float w = getWidth(), h = getHeight();
    const SbVec4f area[4] = {SbVec4f(0, 0, 0, 1), SbVec4f(w, 0, 0, 1), SbVec4f(w, h, 0, 1), SbVec4f(0, h, 0, 1)};
    SbColor translated = translateColor(color);
    printPolygon(area, 4, &translated, SbString(), SbString(), nullptr);
}

void SoVectorizeHPGLAction::assignColor(SbColor color, float width, int *pen) {
    if (getPenNum() > 0) {
        float penWidth = 0.0f;
        penAssignment(color, width, pen, &penWidth);
        return;
    }
    int r = component255(color[0]), g = component255(color[1]), b = component255(color[2]);
    *pen = (r & 0xE0) | ((g & 0xE0) >> 3) | (b >> 6);
}

int SoVectorizeHPGLAction::selectPen(SbColor color) {
    int pen = 0;
    assignColor(color, getNominalWidth(), &pen);
    if (pen == currentPen) return 0;
    currentPen = pen;
    fprintf(out(), "SP%d", pen);
    return 1;
}
