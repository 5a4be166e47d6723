// The GDI writer: class frame.
//
// An enhanced metafile of ours (one drawing, portrait, default layout of 190 x 277 mm at
// (10, 10)) holds these records:
//
//   HEADER          frame (0, -29700, 21000, 0) in 0.01 mm: the drawing area with its start
//                   position as margin on every side; description "Creator : Scrivane Nalder
//                   EUROPE a Nalder Company", NUL, the file name, NUL, NUL
//   SETMAPMODE 3    MM_HIMETRIC: one logical unit is 0.01 mm, y grows upward
//   SETWINDOWORGEX  (-1000, -1000): logical (0, 0) is the drawing area's lower-left corner
//   CREATEBRUSHINDIRECT, SELECTOBJECT      the white brush every document starts with
//   [background]    null pen, brush, POLYGON of the drawing area
//   EXTSELECTCLIPRGN, INTERSECTCLIPRECT    the viewport's area, at the first primitive
//   SETMITERLIMIT, EXTCREATEPEN, SELECTOBJECT, [DELETEOBJECT], POLYLINE
//                   a solid line: a geometric pen of the line's width, caps and joins; a
//                   dashed line takes a cosmetic CREATEPEN pen of a GDI dash style instead; a
//                   line with a colour per point is drawn segment by segment (MOVETOEX, LINETO)
//   CREATEPEN PS_NULL, CREATEBRUSHINDIRECT, POLYGON                       a filled polygon
//   CREATEPEN PS_SOLID, CREATEBRUSHINDIRECT, RECTANGLE ...                dots
//   ... POLYGON per set cell                                              marker bitmaps
//   SETTEXTCOLOR, SETTEXTALIGN, SETBKMODE, EXTCREATEFONTINDIRECTW, SELECTOBJECT, EXTTEXTOUTW,
//   SELECTOBJECT, DELETEOBJECT                                            a text
//   STRETCHDIBITS   an image as a 24-bit bottom-up DIB
//   EXTSELECTCLIPRGN (reset), POLYLINE      the border, unclipped
//   SELECTOBJECT (stock), DELETEOBJECT      the writer's pen and brush released
//   EOF
//
// In page mode a metafile holds the page: its frame is the page frame with the frame's start as
// margin, and each drawing after the first sets the window origin (SETWINDOWORGEX) to its own
// corner before its background.
//
// Pens and brushes are created only when the pen or the brush colour changes; each new object
// replaces and deletes the one the writer had selected. A printed page holds the same records
// after the print job's own set-up; in a context of the application the map mode is left alone
// and one logical unit is one millimetre.
//
// The document (header, footer, clip, border, background) is in GDIDocument.cpp, colours, pens
// and brushes in GDIPens.cpp, lines, marks and polygons in GDIPrimitives.cpp, text in
// GDIText.cpp and images in GDIImages.cpp.
#include "scrivane/SoVectorizeGDIAction.h"

SoType SoVectorizeGDIAction::classTypeId;
int SoVectorizeGDIAction::classTypeIdIsSet = 0;
SoEnabledElementsList *SoVectorizeGDIAction::enabledElements = nullptr;
SoActionMethodList *SoVectorizeGDIAction::methods = nullptr;

void SoVectorizeGDIAction::initClass() {
    // Registering twice would replace the lists that existing actions point at.
    if (classTypeIdIsSet) return;
    SoType parent = SoVectorizeAction::getClassTypeId();
    enabledElements = new SoEnabledElementsList(SoVectorizeAction::enabledElements);
    methods = new SoActionMethodList(SoVectorizeAction::methods);
    classTypeId = SoType::createType(parent, "SoVectorizeGDIAction", nullptr, 0);
    classTypeIdIsSet = 1;
}

SoType SoVectorizeGDIAction::getClassTypeId() {
    if (!classTypeIdIsSet) initClass();
    return classTypeId;
}

SoType SoVectorizeGDIAction::getTypeId() const {
    return getClassTypeId();
}

const SoEnabledElementsList &SoVectorizeGDIAction::getEnabledElements() const {
    getClassTypeId();
    return *enabledElements;
}

void SoVectorizeGDIAction::addMethod(SoType nodeType, SoActionMethod method) {
    getClassTypeId();
    methods->addMethod(nodeType, method);
}

void SoVectorizeGDIAction::enableElement(SoType elementType, int stackIndex) {
    getClassTypeId();
    enabledElements->enable(elementType, stackIndex);
}

SoVectorizeGDIAction::SoVectorizeGDIAction() {
    getClassTypeId();
    traversalMethods = methods;
    gdiOutput = new SoGDIVectorOutput;
    setVectorOutput(gdiOutput);
}

SoVectorizeGDIAction::~SoVectorizeGDIAction() {
    endOpenPage();
    // Whatever a header opened and no footer closed is finished, so that no metafile or print
    // job is left behind.
    closeDocument();
    setVectorOutput(nullptr);
    delete gdiOutput;
}
