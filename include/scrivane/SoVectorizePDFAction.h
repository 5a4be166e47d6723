#ifndef SCRIVANE_SOVECTORIZEPDFACTION_H
#define SCRIVANE_SOVECTORIZEPDFACTION_H
#include "scrivane/ScrivaneExport.h"
#include "scrivane/SoVectorizeCairoAction.h"

// The vectorize action that writes a PDF document through cairo. Outside page mode each apply
// writes a complete one-page document. In page mode every beginPage/endPage adds one page, of
// the size that beginPage gives, to the same document, which is complete when the output is
// closed or finished (SoCairoVectorOutput::finishDocument), or when an apply outside page mode
// adds the last page. Texts stay real text: the fonts are embedded as subsets, so the text can
// be selected and searched.
//
// Ownership: as SoVectorizeCairoAction.
class SCRIVANE_API SoVectorizePDFAction : public SoVectorizeCairoAction {
public:
    SoVectorizePDFAction();
    ~SoVectorizePDFAction() override;

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
