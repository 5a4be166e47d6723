#include <vector>
#include "scene/actions/SoCallbackAction.h"
#include "scene/actions/SoGetBoundingBoxAction.h"
#include "scene/elements/SoAnnoText3CharOrientElement.h"
#include "scene/elements/SoAnnoText3FontSizeHintElement.h"
#include "scene/elements/SoAnnoText3RenderPrintElement.h"
#include "scene/elements/SoComplexityElement.h"
#include "scene/elements/SoComplexityTypeElement.h"
#include "scene/elements/SoCoordinateElement.h"
#include "scene/elements/SoCreaseAngleElement.h"
#include "scene/elements/SoDrawStyleElement.h"
#include "scene/elements/SoEnvironmentElement.h"
#include "scene/elements/SoFontNameElement.h"
#include "scene/elements/SoFontSizeElement.h"
#include "scene/elements/SoLightModelElement.h"
#include "scene/elements/SoLinePatternElement.h"
#include "scene/elements/SoLineWidthElement.h"
#include "scene/elements/SoMaterialBindingElement.h"
#include "scene/elements/SoMaterialElement.h"
#include "scene/elements/SoNormalBindingElement.h"
#include "scene/elements/SoNormalElement.h"
#include "scene/elements/SoPatternElement.h"
#include "scene/elements/SoPickStyleElement.h"
#include "scene/elements/SoPointSizeElement.h"
#include "scene/elements/SoShapeHintsElement.h"
#include "scene/nodes/SoAnnoText3Property.h"
#include "scene/nodes/SoBaseColor.h"
#include "scene/nodes/SoComplexity.h"
#include "scene/nodes/SoCoordinate3.h"
#include "scene/nodes/SoDrawStyle.h"
#include "scene/nodes/SoEnvironment.h"
#include "scene/nodes/SoFont.h"
#include "scene/nodes/SoLightModel.h"
#include "scene/nodes/SoMaterial.h"
#include "scene/nodes/SoMaterialBinding.h"
#include "scene/nodes/SoNormal.h"
#include "scene/nodes/SoNormalBinding.h"
#include "scene/nodes/SoPackedColor.h"
#include "scene/nodes/SoPattern.h"
#include "scene/nodes/SoPickStyle.h"
#include "scene/nodes/SoShapeHints.h"
#include "scene/nodes/SoVertexProperty.h"

namespace {
bool usable(const SoField &f) { return !f.isIgnored(); }
template <class MF> bool usableList(const MF &f) { return !f.isIgnored() && f.getNum() > 0; }

// Packed 0xRRGGBBAA colours set the diffuse colours and the transparencies.
void setPackedColors(SoState *state, const SoMFUInt32 &packed) {
    std::vector<SbColor> colors;
    std::vector<float> transparencies;
    for (int i = 0; i < packed.getNum(); i++) {
        float t;
        colors.push_back(SbColor().setPackedValue(packed[i], t));
        transparencies.push_back(t);
    }
    SoMaterialElement::setDiffuse(state, packed.getNum(), colors.data());
    SoMaterialElement::setTransparency(state, packed.getNum(), transparencies.data());
}
} // namespace

void SoMaterial::doAction(SoAction *action) {
    SoState *s = action->getState();
    if (usableList(ambientColor)) SoMaterialElement::setAmbient(s, ambientColor.getNum(), ambientColor.getValues(0));
    if (usableList(diffuseColor)) SoMaterialElement::setDiffuse(s, diffuseColor.getNum(), diffuseColor.getValues(0));
    if (usableList(specularColor))
        SoMaterialElement::setSpecular(s, specularColor.getNum(), specularColor.getValues(0));
    if (usableList(emissiveColor))
        SoMaterialElement::setEmissive(s, emissiveColor.getNum(), emissiveColor.getValues(0));
    if (usableList(shininess)) SoMaterialElement::setShininess(s, shininess.getNum(), shininess.getValues(0));
    if (usableList(transparency))
        SoMaterialElement::setTransparency(s, transparency.getNum(), transparency.getValues(0));
}
void SoMaterial::callback(SoCallbackAction *action) { doAction(action); }

void SoBaseColor::doAction(SoAction *action) {
    if (usableList(rgb)) SoMaterialElement::setDiffuse(action->getState(), rgb.getNum(), rgb.getValues(0));
}
void SoBaseColor::callback(SoCallbackAction *action) { doAction(action); }

void SoPackedColor::doAction(SoAction *action) {
    if (usableList(orderedRGBA)) setPackedColors(action->getState(), orderedRGBA);
}
void SoPackedColor::callback(SoCallbackAction *action) { doAction(action); }

void SoMaterialBinding::doAction(SoAction *action) {
    if (usable(value)) SoMaterialBindingElement::set(action->getState(), value.getValue());
}
void SoMaterialBinding::callback(SoCallbackAction *action) { doAction(action); }

void SoNormalBinding::doAction(SoAction *action) {
    if (usable(value)) SoNormalBindingElement::set(action->getState(), value.getValue());
}
void SoNormalBinding::callback(SoCallbackAction *action) { doAction(action); }

void SoNormal::doAction(SoAction *action) {
    if (usable(vector)) SoNormalElement::set(action->getState(), vector.getNum(), vector.getValues(0));
}
void SoNormal::callback(SoCallbackAction *action) { doAction(action); }

void SoCoordinate3::doAction(SoAction *action) {
    if (usable(point)) SoCoordinateElement::set3(action->getState(), point.getNum(), point.getValues(0));
}
void SoCoordinate3::callback(SoCallbackAction *action) { doAction(action); }
void SoCoordinate3::getBoundingBox(SoGetBoundingBoxAction *action) { doAction(static_cast<SoAction *>(action)); }

void SoVertexProperty::doAction(SoAction *action) {
    SoState *s = action->getState();
    if (usableList(vertex)) SoCoordinateElement::set3(s, vertex.getNum(), vertex.getValues(0));
    if (usableList(normal)) {
        SoNormalElement::set(s, normal.getNum(), normal.getValues(0));
        SoNormalBindingElement::set(s, normalBinding.getValue());
    }
    if (usableList(orderedRGBA)) {
        setPackedColors(s, orderedRGBA);
        SoMaterialBindingElement::set(s, materialBinding.getValue());
    }
}
void SoVertexProperty::callback(SoCallbackAction *action) { doAction(action); }
void SoVertexProperty::getBoundingBox(SoGetBoundingBoxAction *action) {
    doAction(static_cast<SoAction *>(action));
}

void SoDrawStyle::doAction(SoAction *action) {
    SoState *s = action->getState();
    if (usable(style)) SoDrawStyleElement::set(s, style.getValue());
    if (usable(pointSize)) SoPointSizeElement::set(s, pointSize.getValue());
    if (usable(lineWidth)) SoLineWidthElement::set(s, lineWidth.getValue());
    if (usable(linePattern)) SoLinePatternElement::set(s, linePattern.getValue());
}
void SoDrawStyle::callback(SoCallbackAction *action) { doAction(action); }

void SoLightModel::doAction(SoAction *action) {
    if (usable(model)) SoLightModelElement::set(action->getState(), model.getValue());
}
void SoLightModel::callback(SoCallbackAction *action) { doAction(action); }

void SoEnvironment::doAction(SoAction *action) {
    // The field lists (squared, linear, constant); the element hands out (constant, linear, squared).
    const SbVec3f &a = attenuation.getValue();
    SoEnvironmentElement::set(action->getState(), ambientIntensity.getValue(), ambientColor.getValue(),
                              SbVec3f(a[2], a[1], a[0]), fogType.getValue(), fogColor.getValue(),
                              fogVisibility.getValue());
}
void SoEnvironment::callback(SoCallbackAction *action) { doAction(action); }

void SoShapeHints::doAction(SoAction *action) {
    SoState *s = action->getState();
    SoShapeHintsElement::set(s, vertexOrdering.getValue(), shapeType.getValue(), faceType.getValue());
    if (usable(creaseAngle)) SoCreaseAngleElement::set(s, creaseAngle.getValue());
}
void SoShapeHints::callback(SoCallbackAction *action) { doAction(action); }

void SoComplexity::doAction(SoAction *action) {
    SoState *s = action->getState();
    if (usable(type)) SoComplexityTypeElement::set(s, type.getValue());
    if (usable(value)) SoComplexityElement::set(s, value.getValue());
}
void SoComplexity::callback(SoCallbackAction *action) { doAction(action); }

void SoFont::doAction(SoAction *action) {
    SoState *s = action->getState();
    if (usable(name)) SoFontNameElement::set(s, name.getValue());
    if (usable(size)) SoFontSizeElement::set(s, size.getValue());
}
void SoFont::callback(SoCallbackAction *action) { doAction(action); }

void SoPickStyle::doAction(SoAction *action) {
    if (usable(style)) SoPickStyleElement::set(action->getState(), style.getValue());
}
void SoPickStyle::callback(SoCallbackAction *action) { doAction(action); }

const unsigned char *SoPattern::getPatternBytes() const {
    if (rows.getNum() == 0) return nullptr;
    for (int r = 0; r < 32; r++) {
        uint32_t word = r < rows.getNum() ? rows[r] : 0u;
        for (int b = 0; b < 4; b++) bytes[r * 4 + b] = static_cast<unsigned char>(word >> (24 - 8 * b));
    }
    return bytes;
}

void SoPattern::doAction(SoAction *action) {
    SoPatternElement::set(action->getState(), category.getValue(), name.getValue(), getPatternBytes());
}
void SoPattern::callback(SoCallbackAction *action) { doAction(action); }

void SoAnnoText3Property::doAction(SoAction *action) {
    SoState *s = action->getState();
    if (usable(renderPrintType)) SoAnnoText3RenderPrintElement::set(s, renderPrintType.getValue());
    if (usable(fontSizeHint)) SoAnnoText3FontSizeHintElement::set(s, fontSizeHint.getValue());
    if (usable(isCharOrientedRasterPrint))
        SoAnnoText3CharOrientElement::set(s, isCharOrientedRasterPrint.getValue());
}
void SoAnnoText3Property::callback(SoCallbackAction *action) { doAction(action); }
