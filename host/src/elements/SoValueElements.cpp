// The value elements: a single value each, with its default.
#include "scene/elements/SoDrawStyleElement.h"
#include "scene/elements/SoLineWidthElement.h"
#include "scene/elements/SoPointSizeElement.h"
#include "scene/elements/SoLinePatternElement.h"
#include "scene/elements/SoLightModelElement.h"
#include "scene/elements/SoMaterialBindingElement.h"
#include "scene/elements/SoNormalBindingElement.h"
#include "scene/elements/SoCreaseAngleElement.h"
#include "scene/elements/SoComplexityElement.h"
#include "scene/elements/SoComplexityTypeElement.h"
#include "scene/elements/SoFontNameElement.h"
#include "scene/elements/SoFontSizeElement.h"
#include "scene/elements/SoFocalDistanceElement.h"
#include "scene/elements/SoPickStyleElement.h"
#include "scene/elements/SoUnitsElement.h"
#include "scene/elements/SoAnnoText3CharOrientElement.h"
#include "scene/elements/SoAnnoText3FontSizeHintElement.h"
#include "scene/elements/SoAnnoText3RenderPrintElement.h"

SoType SoDrawStyleElement::classTypeId;
void SoDrawStyleElement::initClass() {
    classTypeId = SoType::createType(SoElement::getClassTypeId(), "SoDrawStyleElement");
    registerStack();
}
void SoDrawStyleElement::init(SoState *) { value = getDefault(); }
void SoDrawStyleElement::set(SoState *state, int v) { getWritable(state)->value = v; }
int SoDrawStyleElement::get(SoState *state) { return getReadable(state)->value; }
int SoDrawStyleElement::getDefault() { return 0; }

SoType SoLineWidthElement::classTypeId;
void SoLineWidthElement::initClass() {
    classTypeId = SoType::createType(SoElement::getClassTypeId(), "SoLineWidthElement");
    registerStack();
}
void SoLineWidthElement::init(SoState *) { value = getDefault(); }
void SoLineWidthElement::set(SoState *state, float v) { getWritable(state)->value = v; }
float SoLineWidthElement::get(SoState *state) { return getReadable(state)->value; }
float SoLineWidthElement::getDefault() { return 0.0f; }

SoType SoPointSizeElement::classTypeId;
void SoPointSizeElement::initClass() {
    classTypeId = SoType::createType(SoElement::getClassTypeId(), "SoPointSizeElement");
    registerStack();
}
void SoPointSizeElement::init(SoState *) { value = getDefault(); }
void SoPointSizeElement::set(SoState *state, float v) { getWritable(state)->value = v; }
float SoPointSizeElement::get(SoState *state) { return getReadable(state)->value; }
float SoPointSizeElement::getDefault() { return 0.0f; }

SoType SoLinePatternElement::classTypeId;
void SoLinePatternElement::initClass() {
    classTypeId = SoType::createType(SoElement::getClassTypeId(), "SoLinePatternElement");
    registerStack();
}
void SoLinePatternElement::init(SoState *) { value = getDefault(); }
void SoLinePatternElement::set(SoState *state, unsigned short v) { getWritable(state)->value = v; }
unsigned short SoLinePatternElement::get(SoState *state) { return getReadable(state)->value; }
unsigned short SoLinePatternElement::getDefault() { return 0xFFFF; }

SoType SoLightModelElement::classTypeId;
void SoLightModelElement::initClass() {
    classTypeId = SoType::createType(SoElement::getClassTypeId(), "SoLightModelElement");
    registerStack();
}
void SoLightModelElement::init(SoState *) { value = getDefault(); }
void SoLightModelElement::set(SoState *state, int v) { getWritable(state)->value = v; }
int SoLightModelElement::get(SoState *state) { return getReadable(state)->value; }
int SoLightModelElement::getDefault() { return 1; }

SoType SoMaterialBindingElement::classTypeId;
void SoMaterialBindingElement::initClass() {
    classTypeId = SoType::createType(SoElement::getClassTypeId(), "SoMaterialBindingElement");
    registerStack();
}
void SoMaterialBindingElement::init(SoState *) { value = getDefault(); }
void SoMaterialBindingElement::set(SoState *state, int v) { getWritable(state)->value = v; }
int SoMaterialBindingElement::get(SoState *state) { return getReadable(state)->value; }
int SoMaterialBindingElement::getDefault() { return 2; }

SoType SoNormalBindingElement::classTypeId;
void SoNormalBindingElement::initClass() {
    classTypeId = SoType::createType(SoElement::getClassTypeId(), "SoNormalBindingElement");
    registerStack();
}
void SoNormalBindingElement::init(SoState *) { value = getDefault(); }
void SoNormalBindingElement::set(SoState *state, int v) { getWritable(state)->value = v; }
int SoNormalBindingElement::get(SoState *state) { return getReadable(state)->value; }
int SoNormalBindingElement::getDefault() { return 8; }

SoType SoCreaseAngleElement::classTypeId;
void SoCreaseAngleElement::initClass() {
    classTypeId = SoType::createType(SoElement::getClassTypeId(), "SoCreaseAngleElement");
    registerStack();
}
void SoCreaseAngleElement::init(SoState *) { value = getDefault(); }
void SoCreaseAngleElement::set(SoState *state, float v) { getWritable(state)->value = v; }
float SoCreaseAngleElement::get(SoState *state) { return getReadable(state)->value; }
float SoCreaseAngleElement::getDefault() { return 0.0f; }

SoType SoComplexityElement::classTypeId;
void SoComplexityElement::initClass() {
    classTypeId = SoType::createType(SoElement::getClassTypeId(), "SoComplexityElement");
    registerStack();
}
void SoComplexityElement::init(SoState *) { value = getDefault(); }
void SoComplexityElement::set(SoState *state, float v) { getWritable(state)->value = v; }
float SoComplexityElement::get(SoState *state) { return getReadable(state)->value; }
float SoComplexityElement::getDefault() { return 0.5f; }

SoType SoComplexityTypeElement::classTypeId;
void SoComplexityTypeElement::initClass() {
    classTypeId = SoType::createType(SoElement::getClassTypeId(), "SoComplexityTypeElement");
    registerStack();
}
void SoComplexityTypeElement::init(SoState *) { value = getDefault(); }
void SoComplexityTypeElement::set(SoState *state, int v) { getWritable(state)->value = v; }
int SoComplexityTypeElement::get(SoState *state) { return getReadable(state)->value; }
int SoComplexityTypeElement::getDefault() { return 0; }

SoType SoFontNameElement::classTypeId;
void SoFontNameElement::initClass() {
    classTypeId = SoType::createType(SoElement::getClassTypeId(), "SoFontNameElement");
    registerStack();
}
void SoFontNameElement::init(SoState *) { value = getDefault(); }
void SoFontNameElement::set(SoState *state, SbName v) { getWritable(state)->value = v; }
SbName SoFontNameElement::get(SoState *state) { return getReadable(state)->value; }
SbName SoFontNameElement::getDefault() { return SbName("Times-Roman"); }

SoType SoFontSizeElement::classTypeId;
void SoFontSizeElement::initClass() {
    classTypeId = SoType::createType(SoElement::getClassTypeId(), "SoFontSizeElement");
    registerStack();
}
void SoFontSizeElement::init(SoState *) { value = getDefault(); }
void SoFontSizeElement::set(SoState *state, float v) { getWritable(state)->value = v; }
float SoFontSizeElement::get(SoState *state) { return getReadable(state)->value; }
float SoFontSizeElement::getDefault() { return 10.0f; }

SoType SoFocalDistanceElement::classTypeId;
void SoFocalDistanceElement::initClass() {
    classTypeId = SoType::createType(SoElement::getClassTypeId(), "SoFocalDistanceElement");
    registerStack();
}
void SoFocalDistanceElement::init(SoState *) { value = getDefault(); }
void SoFocalDistanceElement::set(SoState *state, float v) { getWritable(state)->value = v; }
float SoFocalDistanceElement::get(SoState *state) { return getReadable(state)->value; }
float SoFocalDistanceElement::getDefault() { return 5.0f; }

SoType SoPickStyleElement::classTypeId;
void SoPickStyleElement::initClass() {
    classTypeId = SoType::createType(SoElement::getClassTypeId(), "SoPickStyleElement");
    registerStack();
}
void SoPickStyleElement::init(SoState *) { value = getDefault(); }
void SoPickStyleElement::set(SoState *state, int v) { getWritable(state)->value = v; }
int SoPickStyleElement::get(SoState *state) { return getReadable(state)->value; }
int SoPickStyleElement::getDefault() { return 0; }

SoType SoUnitsElement::classTypeId;
void SoUnitsElement::initClass() {
    classTypeId = SoType::createType(SoElement::getClassTypeId(), "SoUnitsElement");
    registerStack();
}
void SoUnitsElement::init(SoState *) { value = getDefault(); }
void SoUnitsElement::set(SoState *state, int v) { getWritable(state)->value = v; }
int SoUnitsElement::get(SoState *state) { return getReadable(state)->value; }
int SoUnitsElement::getDefault() { return 0; }

SoType SoAnnoText3CharOrientElement::classTypeId;
void SoAnnoText3CharOrientElement::initClass() {
    classTypeId = SoType::createType(SoElement::getClassTypeId(), "SoAnnoText3CharOrientElement");
    registerStack();
}
void SoAnnoText3CharOrientElement::init(SoState *) { value = getDefault(); }
void SoAnnoText3CharOrientElement::set(SoState *state, SbBool v) { getWritable(state)->value = v; }
SbBool SoAnnoText3CharOrientElement::get(SoState *state) { return getReadable(state)->value; }
SbBool SoAnnoText3CharOrientElement::getDefault() { return TRUE; }

SoType SoAnnoText3FontSizeHintElement::classTypeId;
void SoAnnoText3FontSizeHintElement::initClass() {
    classTypeId = SoType::createType(SoElement::getClassTypeId(), "SoAnnoText3FontSizeHintElement");
    registerStack();
}
void SoAnnoText3FontSizeHintElement::init(SoState *) { value = getDefault(); }
void SoAnnoText3FontSizeHintElement::set(SoState *state, int v) { getWritable(state)->value = v; }
int SoAnnoText3FontSizeHintElement::get(SoState *state) { return getReadable(state)->value; }
int SoAnnoText3FontSizeHintElement::getDefault() { return 0; }

SoType SoAnnoText3RenderPrintElement::classTypeId;
void SoAnnoText3RenderPrintElement::initClass() {
    classTypeId = SoType::createType(SoElement::getClassTypeId(), "SoAnnoText3RenderPrintElement");
    registerStack();
}
void SoAnnoText3RenderPrintElement::init(SoState *) { value = getDefault(); }
void SoAnnoText3RenderPrintElement::set(SoState *state, int v) { getWritable(state)->value = v; }
int SoAnnoText3RenderPrintElement::get(SoState *state) { return getReadable(state)->value; }
int SoAnnoText3RenderPrintElement::getDefault() { return 0; }
