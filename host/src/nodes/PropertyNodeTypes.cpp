// Class registration and fields of the property nodes.
#include "NodeRegistration.h"
#include "scene/nodes/SoMaterial.h"
#include "scene/nodes/SoBaseColor.h"
#include "scene/nodes/SoPackedColor.h"
#include "scene/nodes/SoMaterialBinding.h"
#include "scene/nodes/SoNormalBinding.h"
#include "scene/nodes/SoNormal.h"
#include "scene/nodes/SoCoordinate3.h"
#include "scene/nodes/SoVertexProperty.h"
#include "scene/nodes/SoDrawStyle.h"
#include "scene/nodes/SoLightModel.h"
#include "scene/nodes/SoEnvironment.h"
#include "scene/nodes/SoShapeHints.h"
#include "scene/nodes/SoComplexity.h"
#include "scene/nodes/SoFont.h"
#include "scene/nodes/SoPickStyle.h"
#include "scene/nodes/SoInfo.h"
#include "scene/nodes/SoLabel.h"
#include "scene/nodes/SoPattern.h"
#include "scene/nodes/SoAnnoText3Property.h"

SoType SoMaterial::classTypeId;
void SoMaterial::initClass() { classTypeId = SoType::createType(SoNode::getClassTypeId(), "SoMaterial", &createNode<SoMaterial>); }

SoMaterial::SoMaterial() {
    addField(&ambientColor, "ambientColor");
    ambientColor.setValue(SbColor(0.2f, 0.2f, 0.2f));
    ambientColor.setDefault(true);
    addField(&diffuseColor, "diffuseColor");
    diffuseColor.setValue(SbColor(0.8f, 0.8f, 0.8f));
    diffuseColor.setDefault(true);
    addField(&specularColor, "specularColor");
    specularColor.setValue(SbColor(0, 0, 0));
    specularColor.setDefault(true);
    addField(&emissiveColor, "emissiveColor");
    emissiveColor.setValue(SbColor(0, 0, 0));
    emissiveColor.setDefault(true);
    addField(&shininess, "shininess");
    shininess.setValue(0.2f);
    shininess.setDefault(true);
    addField(&transparency, "transparency");
    transparency.setValue(0.0f);
    transparency.setDefault(true);
}

SoType SoBaseColor::classTypeId;
void SoBaseColor::initClass() { classTypeId = SoType::createType(SoNode::getClassTypeId(), "SoBaseColor", &createNode<SoBaseColor>); }

SoBaseColor::SoBaseColor() {
    addField(&rgb, "rgb");
    rgb.setValue(SbColor(0.8f, 0.8f, 0.8f));
    rgb.setDefault(true);
}

SoType SoPackedColor::classTypeId;
void SoPackedColor::initClass() { classTypeId = SoType::createType(SoNode::getClassTypeId(), "SoPackedColor", &createNode<SoPackedColor>); }

SoPackedColor::SoPackedColor() {
    addField(&orderedRGBA, "orderedRGBA");
    orderedRGBA.setValue(0xccccccffu);
    orderedRGBA.setDefault(true);
}

SoType SoMaterialBinding::classTypeId;
void SoMaterialBinding::initClass() { classTypeId = SoType::createType(SoNode::getClassTypeId(), "SoMaterialBinding", &createNode<SoMaterialBinding>); }

SoMaterialBinding::SoMaterialBinding() {
    addField(&value, "value");
    value.setEnums({{"OVERALL", OVERALL}, {"PER_PART", PER_PART}, {"PER_PART_INDEXED", PER_PART_INDEXED}, {"PER_FACE", PER_FACE}, {"PER_FACE_INDEXED", PER_FACE_INDEXED}, {"PER_VERTEX", PER_VERTEX}, {"PER_VERTEX_INDEXED", PER_VERTEX_INDEXED}, {"DEFAULT", DEFAULT}, {"NONE", NONE}});
    value.setValue(OVERALL);
    value.setDefault(true);
}

SoType SoNormalBinding::classTypeId;
void SoNormalBinding::initClass() { classTypeId = SoType::createType(SoNode::getClassTypeId(), "SoNormalBinding", &createNode<SoNormalBinding>); }

SoNormalBinding::SoNormalBinding() {
    addField(&value, "value");
    value.setEnums({{"OVERALL", OVERALL}, {"PER_PART", PER_PART}, {"PER_PART_INDEXED", PER_PART_INDEXED}, {"PER_FACE", PER_FACE}, {"PER_FACE_INDEXED", PER_FACE_INDEXED}, {"PER_VERTEX", PER_VERTEX}, {"PER_VERTEX_INDEXED", PER_VERTEX_INDEXED}, {"DEFAULT", DEFAULT}, {"NONE", NONE}});
    value.setValue(PER_VERTEX_INDEXED);
    value.setDefault(true);
}

SoType SoNormal::classTypeId;
void SoNormal::initClass() { classTypeId = SoType::createType(SoNode::getClassTypeId(), "SoNormal", &createNode<SoNormal>); }

SoNormal::SoNormal() {
    addField(&vector, "vector");
    vector.setDefault(true);
}

SoType SoCoordinate3::classTypeId;
void SoCoordinate3::initClass() { classTypeId = SoType::createType(SoNode::getClassTypeId(), "SoCoordinate3", &createNode<SoCoordinate3>); }

SoCoordinate3::SoCoordinate3() {
    addField(&point, "point");
    point.setValue(SbVec3f(0, 0, 0));
    point.setDefault(true);
}

SoType SoVertexProperty::classTypeId;
void SoVertexProperty::initClass() { classTypeId = SoType::createType(SoNode::getClassTypeId(), "SoVertexProperty", &createNode<SoVertexProperty>); }

SoVertexProperty::SoVertexProperty() {
    addField(&vertex, "vertex");
    vertex.setDefault(true);
    addField(&normal, "normal");
    normal.setDefault(true);
    addField(&texCoord, "texCoord");
    texCoord.setDefault(true);
    addField(&orderedRGBA, "orderedRGBA");
    orderedRGBA.setDefault(true);
    addField(&normalBinding, "normalBinding");
    normalBinding.setEnums({{"OVERALL", OVERALL}, {"PER_PART", PER_PART}, {"PER_PART_INDEXED", PER_PART_INDEXED}, {"PER_FACE", PER_FACE}, {"PER_FACE_INDEXED", PER_FACE_INDEXED}, {"PER_VERTEX", PER_VERTEX}, {"PER_VERTEX_INDEXED", PER_VERTEX_INDEXED}, {"DEFAULT", DEFAULT}, {"NONE", NONE}});
    normalBinding.setValue(PER_VERTEX_INDEXED);
    normalBinding.setDefault(true);
    addField(&materialBinding, "materialBinding");
    materialBinding.setEnums({{"OVERALL", OVERALL}, {"PER_PART", PER_PART}, {"PER_PART_INDEXED", PER_PART_INDEXED}, {"PER_FACE", PER_FACE}, {"PER_FACE_INDEXED", PER_FACE_INDEXED}, {"PER_VERTEX", PER_VERTEX}, {"PER_VERTEX_INDEXED", PER_VERTEX_INDEXED}, {"DEFAULT", DEFAULT}, {"NONE", NONE}});
    materialBinding.setValue(OVERALL);
    materialBinding.setDefault(true);
}

SoType SoDrawStyle::classTypeId;
void SoDrawStyle::initClass() { classTypeId = SoType::createType(SoNode::getClassTypeId(), "SoDrawStyle", &createNode<SoDrawStyle>); }

SoDrawStyle::SoDrawStyle() {
    addField(&style, "style");
    style.setEnums({{"FILLED", FILLED}, {"LINES", LINES}, {"POINTS", POINTS}, {"INVISIBLE", INVISIBLE}});
    style.setValue(FILLED);
    style.setDefault(true);
    addField(&pointSize, "pointSize");
    pointSize.setValue(0.0f);
    pointSize.setDefault(true);
    addField(&lineWidth, "lineWidth");
    lineWidth.setValue(0.0f);
    lineWidth.setDefault(true);
    addField(&linePattern, "linePattern");
    linePattern.setValue(0xFFFF);
    linePattern.setDefault(true);
}

SoType SoLightModel::classTypeId;
void SoLightModel::initClass() { classTypeId = SoType::createType(SoNode::getClassTypeId(), "SoLightModel", &createNode<SoLightModel>); }

SoLightModel::SoLightModel() {
    addField(&model, "model");
    model.setEnums({{"BASE_COLOR", BASE_COLOR}, {"PHONG", PHONG}});
    model.setValue(PHONG);
    model.setDefault(true);
}

SoType SoEnvironment::classTypeId;
void SoEnvironment::initClass() { classTypeId = SoType::createType(SoNode::getClassTypeId(), "SoEnvironment", &createNode<SoEnvironment>); }

SoEnvironment::SoEnvironment() {
    addField(&ambientIntensity, "ambientIntensity");
    ambientIntensity.setValue(0.2f);
    ambientIntensity.setDefault(true);
    addField(&ambientColor, "ambientColor");
    ambientColor.setValue(SbColor(1, 1, 1));
    ambientColor.setDefault(true);
    addField(&attenuation, "attenuation");
    attenuation.setValue(SbVec3f(0, 0, 1));
    attenuation.setDefault(true);
    addField(&fogType, "fogType");
    fogType.setEnums({{"NONE", NONE}, {"HAZE", HAZE}, {"FOG", FOG}, {"SMOKE", SMOKE}});
    fogType.setValue(NONE);
    fogType.setDefault(true);
    addField(&fogColor, "fogColor");
    fogColor.setValue(SbColor(1, 1, 1));
    fogColor.setDefault(true);
    addField(&fogVisibility, "fogVisibility");
    fogVisibility.setValue(0.0f);
    fogVisibility.setDefault(true);
}

SoType SoShapeHints::classTypeId;
void SoShapeHints::initClass() { classTypeId = SoType::createType(SoNode::getClassTypeId(), "SoShapeHints", &createNode<SoShapeHints>); }

SoShapeHints::SoShapeHints() {
    addField(&vertexOrdering, "vertexOrdering");
    vertexOrdering.setEnums({{"UNKNOWN_ORDERING", UNKNOWN_ORDERING}, {"CLOCKWISE", CLOCKWISE}, {"COUNTERCLOCKWISE", COUNTERCLOCKWISE}});
    vertexOrdering.setValue(UNKNOWN_ORDERING);
    vertexOrdering.setDefault(true);
    addField(&shapeType, "shapeType");
    shapeType.setEnums({{"UNKNOWN_SHAPE_TYPE", UNKNOWN_SHAPE_TYPE}, {"SOLID", SOLID}});
    shapeType.setValue(UNKNOWN_SHAPE_TYPE);
    shapeType.setDefault(true);
    addField(&faceType, "faceType");
    faceType.setEnums({{"UNKNOWN_FACE_TYPE", UNKNOWN_FACE_TYPE}, {"CONVEX", CONVEX}});
    faceType.setValue(CONVEX);
    faceType.setDefault(true);
    addField(&creaseAngle, "creaseAngle");
    creaseAngle.setValue(0.0f);
    creaseAngle.setDefault(true);
}

SoType SoComplexity::classTypeId;
void SoComplexity::initClass() { classTypeId = SoType::createType(SoNode::getClassTypeId(), "SoComplexity", &createNode<SoComplexity>); }

SoComplexity::SoComplexity() {
    addField(&type, "type");
    type.setEnums({{"OBJECT_SPACE", OBJECT_SPACE}, {"SCREEN_SPACE", SCREEN_SPACE}, {"BOUNDING_BOX", BOUNDING_BOX}});
    type.setValue(OBJECT_SPACE);
    type.setDefault(true);
    addField(&value, "value");
    value.setValue(0.5f);
    value.setDefault(true);
    addField(&textureQuality, "textureQuality");
    textureQuality.setValue(0.5f);
    textureQuality.setDefault(true);
}

SoType SoFont::classTypeId;
void SoFont::initClass() { classTypeId = SoType::createType(SoNode::getClassTypeId(), "SoFont", &createNode<SoFont>); }

SoFont::SoFont() {
    addField(&name, "name");
    name.setValue(SbName("Times-Roman"));
    name.setDefault(true);
    addField(&size, "size");
    size.setValue(10.0f);
    size.setDefault(true);
}

SoType SoPickStyle::classTypeId;
void SoPickStyle::initClass() { classTypeId = SoType::createType(SoNode::getClassTypeId(), "SoPickStyle", &createNode<SoPickStyle>); }

SoPickStyle::SoPickStyle() {
    addField(&style, "style");
    style.setEnums({{"SHAPE", SHAPE}, {"BOUNDING_BOX", BOUNDING_BOX}, {"UNPICKABLE", UNPICKABLE}});
    style.setValue(SHAPE);
    style.setDefault(true);
}

SoType SoInfo::classTypeId;
void SoInfo::initClass() { classTypeId = SoType::createType(SoNode::getClassTypeId(), "SoInfo", &createNode<SoInfo>); }

SoInfo::SoInfo() {
    addField(&string, "string");
    string.setValue(SbString("<Undefined info>"));
    string.setDefault(true);
}

SoType SoLabel::classTypeId;
void SoLabel::initClass() { classTypeId = SoType::createType(SoNode::getClassTypeId(), "SoLabel", &createNode<SoLabel>); }

SoLabel::SoLabel() {
    addField(&label, "label");
    label.setValue(SbName("<Undefined label>"));
    label.setDefault(true);
}

SoType SoPattern::classTypeId;
void SoPattern::initClass() { classTypeId = SoType::createType(SoNode::getClassTypeId(), "SoPattern", &createNode<SoPattern>); }

SoPattern::SoPattern() {
    addField(&category, "category");
    category.setDefault(true);
    addField(&name, "name");
    name.setDefault(true);
    addField(&rows, "rows");
    rows.setDefault(true);
}

SoType SoAnnoText3Property::classTypeId;
void SoAnnoText3Property::initClass() { classTypeId = SoType::createType(SoNode::getClassTypeId(), "SoAnnoText3Property", &createNode<SoAnnoText3Property>); }

SoAnnoText3Property::SoAnnoText3Property() {
    addField(&renderPrintType, "renderPrintType");
    renderPrintType.setEnums({{"RENDER3D_PRINT_VECTOR", RENDER3D_PRINT_VECTOR}, {"RENDER3D_PRINT_RASTER", RENDER3D_PRINT_RASTER}, {"RENDER2D_PRINT_RASTER", RENDER2D_PRINT_RASTER}, {"GEOMETRY", GEOMETRY}, {"TEXT", TEXT}, {"GEOMETRY_AND_TEXT", GEOMETRY_AND_TEXT}});
    renderPrintType.setValue(RENDER3D_PRINT_VECTOR);
    renderPrintType.setDefault(true);
    addField(&fontSizeHint, "fontSizeHint");
    fontSizeHint.setEnums({{"ANNOTATION", ANNOTATION}, {"FIT_TEXT", FIT_TEXT}});
    fontSizeHint.setValue(ANNOTATION);
    fontSizeHint.setDefault(true);
    addField(&isCharOrientedRasterPrint, "isCharOrientedRasterPrint");
    isCharOrientedRasterPrint.setValue(TRUE);
    isCharOrientedRasterPrint.setDefault(true);
}
