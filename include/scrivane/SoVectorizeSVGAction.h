#ifndef SCRIVANE_SOVECTORIZESVGACTION_H
#define SCRIVANE_SOVECTORIZESVGACTION_H
#include "scrivane/ScrivaneExport.h"
#include "scrivane/SoVectorizeCairoAction.h"

// The vectorize action that writes an SVG 1.1 document through cairo, sized in millimetres
// (width="210mm" height="297mm", one user unit per millimetre). An SVG file holds one page: an
// apply outside page mode, or the applies of one beginPage/endPage, write the whole document.
// A second page on the same stream is refused: nothing is written and getRefusedPageCount()
// counts it. Cairo writes texts as glyph outlines, so they look right but are not SVG text.
//
// Ownership: as SoVectorizeCairoAction.
class SCRIVANE_API SoVectorizeSVGAction : public SoVectorizeCairoAction {
public:
    SoVectorizeSVGAction();
    ~SoVectorizeSVGAction() override;

    static void initClass();
    static SoType getClassTypeId();
    static void addMethod(SoType nodeType, SoActionMethod method);
    static void enableElement(SoType elementType, int stackIndex);
    SoType getTypeId() const override;
    const SoEnabledElementsList &getEnabledElements() const override;

private:
    static SoType classTypeId;
    static int classTypeIdIsSet;
    static SoEnabledElementsList *enabledElements;
    static SoActionMethodList *methods;
};

#endif
