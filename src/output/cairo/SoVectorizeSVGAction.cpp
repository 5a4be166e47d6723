// The SVG action: the cairo writer (CairoDocument.cpp and the files beside it) with the SVG
// surface, and the type registration of the action.
#include "scrivane/SoVectorizeSVGAction.h"

SoType SoVectorizeSVGAction::classTypeId;
int SoVectorizeSVGAction::classTypeIdIsSet = 0;
SoEnabledElementsList *SoVectorizeSVGAction::enabledElements = nullptr;
SoActionMethodList *SoVectorizeSVGAction::methods = nullptr;

void SoVectorizeSVGAction::initClass() {
    // Registered once per process; a second call would only duplicate the type.
    if (classTypeIdIsSet) return;
    enabledElements = new SoEnabledElementsList(SoVectorizeAction::enabledElements);
    methods = new SoActionMethodList(SoVectorizeAction::methods);
    classTypeId = SoType::createType(SoVectorizeCairoAction::getClassTypeId(),
                                     "SoVectorizeSVGAction", nullptr, 0);
    classTypeIdIsSet = 1;
}

SoType SoVectorizeSVGAction::getClassTypeId() {
    if (!classTypeIdIsSet) initClass();
    return classTypeId;
}

SoType SoVectorizeSVGAction::getTypeId() const {
    return getClassTypeId();
}

const SoEnabledElementsList &SoVectorizeSVGAction::getEnabledElements() const {
    getClassTypeId();
    return *enabledElements;
}

void SoVectorizeSVGAction::addMethod(SoType nodeType, SoActionMethod method) {
    getClassTypeId();
    methods->addMethod(nodeType, method);
}

void SoVectorizeSVGAction::enableElement(SoType elementType, int stackIndex) {
    getClassTypeId();
    enabledElements->enable(elementType, stackIndex);
}

SoVectorizeSVGAction::SoVectorizeSVGAction() : SoVectorizeCairoAction(SVG_DOCUMENT) {
    getClassTypeId();
    traversalMethods = methods;
}

SoVectorizeSVGAction::~SoVectorizeSVGAction() {
    // An open page is ended while the output still exists; deleting the output then finishes
    // the document.
    endOpenPage();
    deleteOutput();
}
