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
#include "scene/elements/SoModelMatrixElement.h"
#include "scene/elements/SoViewingMatrixElement.h"
#include "scene/elements/SoProjectionMatrixElement.h"
#include "scene/elements/SoViewVolumeElement.h"
#include "scene/elements/SoViewportRegionElement.h"
#include "scene/elements/SoCoordinateElement.h"
#include "scene/elements/SoNormalElement.h"
#include "scene/elements/SoMaterialElement.h"
#include "scene/elements/SoShapeHintsElement.h"
#include "scene/elements/SoLightElement.h"
#include "scene/elements/SoEnvironmentElement.h"
#include "scene/elements/SoPatternElement.h"

// Registers every element class; each gets its stack index here.
void initElementClasses() {
    SoDrawStyleElement::initClass();
    SoLineWidthElement::initClass();
    SoPointSizeElement::initClass();
    SoLinePatternElement::initClass();
    SoLightModelElement::initClass();
    SoMaterialBindingElement::initClass();
    SoNormalBindingElement::initClass();
    SoCreaseAngleElement::initClass();
    SoComplexityElement::initClass();
    SoComplexityTypeElement::initClass();
    SoFontNameElement::initClass();
    SoFontSizeElement::initClass();
    SoFocalDistanceElement::initClass();
    SoPickStyleElement::initClass();
    SoUnitsElement::initClass();
    SoAnnoText3CharOrientElement::initClass();
    SoAnnoText3FontSizeHintElement::initClass();
    SoAnnoText3RenderPrintElement::initClass();
    SoModelMatrixElement::initClass();
    SoViewingMatrixElement::initClass();
    SoProjectionMatrixElement::initClass();
    SoViewVolumeElement::initClass();
    SoViewportRegionElement::initClass();
    SoCoordinateElement::initClass();
    SoNormalElement::initClass();
    SoMaterialElement::initClass();
    SoShapeHintsElement::initClass();
    SoLightElement::initClass();
    SoEnvironmentElement::initClass();
    SoPatternElement::initClass();
}
