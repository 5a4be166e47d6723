#include "scene/elements/SoModelMatrixElement.h"
#include "scene/elements/SoProjectionMatrixElement.h"
#include "scene/elements/SoViewingMatrixElement.h"
#include "scene/elements/SoViewVolumeElement.h"
#include "scene/elements/SoViewportRegionElement.h"

SoType SoModelMatrixElement::classTypeId;
SoType SoViewingMatrixElement::classTypeId;
SoType SoProjectionMatrixElement::classTypeId;
SoType SoViewVolumeElement::classTypeId;
SoType SoViewportRegionElement::classTypeId;

void SoModelMatrixElement::initClass() {
    classTypeId = SoType::createType(SoElement::getClassTypeId(), "SoModelMatrixElement");
    registerStack();
}

void SoViewingMatrixElement::initClass() {
    classTypeId = SoType::createType(SoElement::getClassTypeId(), "SoViewingMatrixElement");
    registerStack();
}

void SoProjectionMatrixElement::initClass() {
    classTypeId = SoType::createType(SoElement::getClassTypeId(), "SoProjectionMatrixElement");
    registerStack();
}

void SoModelMatrixElement::makeIdentity(SoState *state) { getWritable(state)->matrix.makeIdentity(); }

void SoModelMatrixElement::mult(SoState *state, const SbMatrix &m) { getWritable(state)->matrix.multLeft(m); }

void SoModelMatrixElement::translateBy(SoState *state, const SbVec3f &t) {
    SbMatrix m;
    m.setTranslate(t);
    mult(state, m);
}

void SoModelMatrixElement::rotateBy(SoState *state, const SbRotation &r) {
    SbMatrix m;
    m.setRotate(r);
    mult(state, m);
}

void SoModelMatrixElement::scaleBy(SoState *state, const SbVec3f &s) {
    SbMatrix m;
    m.setScale(s);
    mult(state, m);
}

void SoViewVolumeElement::initClass() {
    classTypeId = SoType::createType(SoElement::getClassTypeId(), "SoViewVolumeElement");
    registerStack();
}

void SoViewVolumeElement::init(SoState *) { viewVolume = SbViewVolume(); }
void SoViewVolumeElement::set(SoState *state, const SbViewVolume &vv) { getWritable(state)->viewVolume = vv; }
const SbViewVolume &SoViewVolumeElement::get(SoState *state) { return getReadable(state)->viewVolume; }

void SoViewportRegionElement::initClass() {
    classTypeId = SoType::createType(SoElement::getClassTypeId(), "SoViewportRegionElement");
    registerStack();
}

void SoViewportRegionElement::init(SoState *) {
    region = SbViewportRegion();
    byApplication = FALSE;
}

void SoViewportRegionElement::set(SoState *state, const SbViewportRegion &r, SbBool setByApplication) {
    SoViewportRegionElement *e = getWritable(state);
    e->region = r;
    e->byApplication = setByApplication;
}

const SbViewportRegion &SoViewportRegionElement::get(SoState *state) { return getReadable(state)->region; }
SbBool SoViewportRegionElement::isSetByApplication(SoState *state) { return getReadable(state)->byApplication; }
