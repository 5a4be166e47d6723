// The PDF action: the cairo writer (CairoDocument.cpp and the files beside it) with the PDF
// surface, and the type registration of the action.
#include "scrivane/SoVectorizePDFAction.h"

SoType SoVectorizePDFAction::classTypeId;
int SoVectorizePDFAction::classTypeIdIsSet = 0;
SoEnabledElementsList *SoVectorizePDFAction::enabledElements = nullptr;
SoActionMethodList *SoVectorizePDFAction::methods = nullptr;

void SoVectorizePDFAction::initClass() {
    // Registered once per process; a second call would only duplicate the type.
    if (classTypeIdIsSet) return;
    enabledElements = new SoEnabledElementsList(SoVectorizeAction::enabledElements);
    methods = new SoActionMethodList(SoVectorizeAction::methods);
    classTypeId = SoType::createType(SoVectorizeCairoAction::getClassTypeId(),
                                     "SoVectorizePDFAction", nullptr, 0);
    classTypeIdIsSet = 1;
}

SoType SoVectorizePDFAction::getClassTypeId() {
    if (!classTypeIdIsSet) initClass();
    return classTypeId;
}

SoType SoVectorizePDFAction::getTypeId() const {
    return getClassTypeId();
}

const SoEnabledElementsList &SoVectorizePDFAction::getEnabledElements() const {
    getClassTypeId();
    return *enabledElements;
}

void SoVectorizePDFAction::addMethod(SoType nodeType, SoActionMethod method) {
    getClassTypeId();
    methods->addMethod(nodeType, method);
}

void SoVectorizePDFAction::enableElement(SoType elementType, int stackIndex) {
    getClassTypeId();
    enabledElements->enable(elementType, stackIndex);
}

SoVectorizePDFAction::SoVectorizePDFAction() : SoVectorizeCairoAction(PDF_DOCUMENT) {
    getClassTypeId();
    traversalMethods = methods;
}

SoVectorizePDFAction::~SoVectorizePDFAction() {
    // An open page is ended while the output still exists; deleting the output then finishes
    // the document.
    endOpenPage();
    deleteOutput();
}
