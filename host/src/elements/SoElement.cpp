#include "scene/elements/SoElement.h"
#include <vector>
#include "scene/misc/SoState.h"

SoType SoElement::classTypeId;

namespace {
std::vector<SoElement::CreateMethod> &creators() {
    static std::vector<SoElement::CreateMethod> *list = new std::vector<SoElement::CreateMethod>;
    return *list;
}
} // namespace

void SoElement::initClass() { classTypeId = SoType::createType(SoType::badType(), "SoElement"); }

void SoElement::init(SoState *) {}

int SoElement::getNumStackIndices() { return static_cast<int>(creators().size()); }

SoElement *SoElement::createElement(int stackIndex) { return creators()[static_cast<size_t>(stackIndex)](); }

int SoElement::createStackIndex(CreateMethod create) {
    creators().push_back(create);
    return static_cast<int>(creators().size()) - 1;
}

SoElement *SoElement::getElement(SoState *state, int stackIndex) { return state->getElement(stackIndex); }

const SoElement *SoElement::getConstElement(SoState *state, int stackIndex) {
    return state->getConstElement(stackIndex);
}
