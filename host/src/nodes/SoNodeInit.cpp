#include "scene/nodes/SoNode.h"
#include "scene/nodes/SoAnnoText3.h"
#include "scene/nodes/SoAnnoText3Property.h"
#include "scene/nodes/SoAnnotation.h"
#include "scene/nodes/SoAsciiText.h"
#include "scene/nodes/SoBaseColor.h"
#include "scene/nodes/SoCamera.h"
#include "scene/nodes/SoComplexity.h"
#include "scene/nodes/SoCone.h"
#include "scene/nodes/SoCoordinate3.h"
#include "scene/nodes/SoCube.h"
#include "scene/nodes/SoCylinder.h"
#include "scene/nodes/SoDirectionalLight.h"
#include "scene/nodes/SoDrawStyle.h"
#include "scene/nodes/SoEnvironment.h"
#include "scene/nodes/SoFaceSet.h"
#include "scene/nodes/SoFont.h"
#include "scene/nodes/SoGroup.h"
#include "scene/nodes/SoImage.h"
#include "scene/nodes/SoIndexedFaceSet.h"
#include "scene/nodes/SoIndexedLineSet.h"
#include "scene/nodes/SoIndexedShape.h"
#include "scene/nodes/SoIndexedTriangleStripSet.h"
#include "scene/nodes/SoInfo.h"
#include "scene/nodes/SoLOD.h"
#include "scene/nodes/SoLabel.h"
#include "scene/nodes/SoLevelOfDetail.h"
#include "scene/nodes/SoLight.h"
#include "scene/nodes/SoLightModel.h"
#include "scene/nodes/SoLineSet.h"
#include "scene/nodes/SoMarkerSet.h"
#include "scene/nodes/SoMaterial.h"
#include "scene/nodes/SoMaterialBinding.h"
#include "scene/nodes/SoMatrixTransform.h"
#include "scene/nodes/SoNonIndexedShape.h"
#include "scene/nodes/SoNormal.h"
#include "scene/nodes/SoNormalBinding.h"
#include "scene/nodes/SoOrthographicCamera.h"
#include "scene/nodes/SoPackedColor.h"
#include "scene/nodes/SoPattern.h"
#include "scene/nodes/SoPerspectiveCamera.h"
#include "scene/nodes/SoPickStyle.h"
#include "scene/nodes/SoPointLight.h"
#include "scene/nodes/SoPointSet.h"
#include "scene/nodes/SoQuadMesh.h"
#include "scene/nodes/SoResetTransform.h"
#include "scene/nodes/SoRotation.h"
#include "scene/nodes/SoRotationXYZ.h"
#include "scene/nodes/SoScale.h"
#include "scene/nodes/SoSeparator.h"
#include "scene/nodes/SoShape.h"
#include "scene/nodes/SoShapeHints.h"
#include "scene/nodes/SoSphere.h"
#include "scene/nodes/SoSpotLight.h"
#include "scene/nodes/SoSwitch.h"
#include "scene/nodes/SoText2.h"
#include "scene/nodes/SoText3.h"
#include "scene/nodes/SoTransform.h"
#include "scene/nodes/SoTransformSeparator.h"
#include "scene/nodes/SoTransformation.h"
#include "scene/nodes/SoTranslation.h"
#include "scene/nodes/SoTriangleStripSet.h"
#include "scene/nodes/SoUnits.h"
#include "scene/nodes/SoVertexProperty.h"
#include "scene/nodes/SoVertexShape.h"
#include "scene/nodes/SoEventCallback.h"
#include "scene/nodes/SoFile.h"
#include "scene/nodes/SoTexture2.h"
#include "scene/nodes/SoTexture2Transform.h"
#include "scene/nodes/SoTextureCoordinate2.h"
#include "scene/nodes/SoTextureCoordinateBinding.h"
#include "scene/nodes/SoUnknownNode.h"

// Registers every node class, each after its parent.
void SoNode::initClasses() {
    SoNode::initClass();
    SoShape::initClass();
    SoAnnoText3::initClass();
    SoAnnoText3Property::initClass();
    SoGroup::initClass();
    SoSeparator::initClass();
    SoAnnotation::initClass();
    SoAsciiText::initClass();
    SoBaseColor::initClass();
    SoCamera::initClass();
    SoComplexity::initClass();
    SoCone::initClass();
    SoCoordinate3::initClass();
    SoCube::initClass();
    SoCylinder::initClass();
    SoLight::initClass();
    SoDirectionalLight::initClass();
    SoDrawStyle::initClass();
    SoEnvironment::initClass();
    SoVertexShape::initClass();
    SoNonIndexedShape::initClass();
    SoFaceSet::initClass();
    SoFont::initClass();
    SoImage::initClass();
    SoIndexedShape::initClass();
    SoIndexedFaceSet::initClass();
    SoIndexedLineSet::initClass();
    SoIndexedTriangleStripSet::initClass();
    SoInfo::initClass();
    SoLOD::initClass();
    SoLabel::initClass();
    SoLevelOfDetail::initClass();
    SoLightModel::initClass();
    SoLineSet::initClass();
    SoPointSet::initClass();
    SoMarkerSet::initClass();
    SoMaterial::initClass();
    SoMaterialBinding::initClass();
    SoTransformation::initClass();
    SoMatrixTransform::initClass();
    SoNormal::initClass();
    SoNormalBinding::initClass();
    SoOrthographicCamera::initClass();
    SoPackedColor::initClass();
    SoPattern::initClass();
    SoPerspectiveCamera::initClass();
    SoPickStyle::initClass();
    SoPointLight::initClass();
    SoQuadMesh::initClass();
    SoResetTransform::initClass();
    SoRotation::initClass();
    SoRotationXYZ::initClass();
    SoScale::initClass();
    SoShapeHints::initClass();
    SoSphere::initClass();
    SoSpotLight::initClass();
    SoSwitch::initClass();
    SoText2::initClass();
    SoText3::initClass();
    SoTransform::initClass();
    SoTransformSeparator::initClass();
    SoTranslation::initClass();
    SoTriangleStripSet::initClass();
    SoUnits::initClass();
    SoVertexProperty::initClass();
    SoFile::initClass();
    SoTexture2::initClass();
    SoTextureCoordinate2::initClass();
    SoTextureCoordinateBinding::initClass();
    SoTexture2Transform::initClass();
    SoEventCallback::initClass();
    SoUnknownNode::initClass();
}
