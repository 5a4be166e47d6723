#include "scene/misc/SoDB.h"
#include "scene/actions/SoAction.h"
#include "scene/actions/SoCallbackAction.h"
#include "scene/actions/SoGetBoundingBoxAction.h"
#include "scene/actions/SoSearchAction.h"
#include "scene/actions/SoWriteAction.h"
#include "scene/elements/SoElement.h"
#include "scene/fields/SoField.h"
#include "scene/misc/SoBase.h"
#include "scene/misc/SoFieldContainer.h"
#include "scene/misc/SoPath.h"
#include "scene/nodes/SoNode.h"
#include "io/SceneReader.h"

void initFieldClasses();
void initElementClasses();

namespace {
bool initialized = false;
}

void SoDB::init() {
    if (initialized) return;
    initialized = true;
    SoBase::initClass();
    SoFieldContainer::initClass();
    SoPath::initClass();
    initFieldClasses();
    SoElement::initClass();
    initElementClasses();
    SoNode::initClasses();
    SoAction::initClass();
    SoCallbackAction::initClass();
    SoGetBoundingBoxAction::initClass();
    SoSearchAction::initClass();
    SoWriteAction::initClass();
}

bool SoDB::isInitialized() { return initialized; }

SoSeparator *SoDB::readAll(SoInput *in) {
    init();
    return scene_io::readScene(in);
}
