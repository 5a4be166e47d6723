// Class registration and fields of the shape nodes.
#include "NodeRegistration.h"
#include "scene/nodes/SoShape.h"
#include "scene/nodes/SoCube.h"
#include "scene/nodes/SoSphere.h"
#include "scene/nodes/SoCone.h"
#include "scene/nodes/SoCylinder.h"
#include "scene/nodes/SoVertexShape.h"
#include "scene/nodes/SoNonIndexedShape.h"
#include "scene/nodes/SoIndexedShape.h"
#include "scene/nodes/SoFaceSet.h"
#include "scene/nodes/SoIndexedFaceSet.h"
#include "scene/nodes/SoTriangleStripSet.h"
#include "scene/nodes/SoIndexedTriangleStripSet.h"
#include "scene/nodes/SoQuadMesh.h"
#include "scene/nodes/SoLineSet.h"
#include "scene/nodes/SoIndexedLineSet.h"
#include "scene/nodes/SoPointSet.h"
#include "scene/nodes/SoMarkerSet.h"
#include "scene/nodes/SoText2.h"
#include "scene/nodes/SoText3.h"
#include "scene/nodes/SoAsciiText.h"
#include "scene/nodes/SoAnnoText3.h"
#include "scene/nodes/SoImage.h"

SoType SoShape::classTypeId;
void SoShape::initClass() { classTypeId = SoType::createType(SoNode::getClassTypeId(), "SoShape"); }

SoShape::SoShape() {
}

SoType SoCube::classTypeId;
void SoCube::initClass() { classTypeId = SoType::createType(SoShape::getClassTypeId(), "SoCube", &createNode<SoCube>); }

SoCube::SoCube() {
    addField(&width, "width");
    width.setValue(2.0f);
    width.setDefault(true);
    addField(&height, "height");
    height.setValue(2.0f);
    height.setDefault(true);
    addField(&depth, "depth");
    depth.setValue(2.0f);
    depth.setDefault(true);
}

SoType SoSphere::classTypeId;
void SoSphere::initClass() { classTypeId = SoType::createType(SoShape::getClassTypeId(), "SoSphere", &createNode<SoSphere>); }

SoSphere::SoSphere() {
    addField(&radius, "radius");
    radius.setValue(1.0f);
    radius.setDefault(true);
}

SoType SoCone::classTypeId;
void SoCone::initClass() { classTypeId = SoType::createType(SoShape::getClassTypeId(), "SoCone", &createNode<SoCone>); }

SoCone::SoCone() {
    addField(&parts, "parts");
    parts.setEnums({{"SIDES", SIDES}, {"BOTTOM", BOTTOM}, {"ALL", ALL}});
    parts.setValue(ALL);
    parts.setDefault(true);
    addField(&bottomRadius, "bottomRadius");
    bottomRadius.setValue(1.0f);
    bottomRadius.setDefault(true);
    addField(&height, "height");
    height.setValue(2.0f);
    height.setDefault(true);
}

SoType SoCylinder::classTypeId;
void SoCylinder::initClass() { classTypeId = SoType::createType(SoShape::getClassTypeId(), "SoCylinder", &createNode<SoCylinder>); }

SoCylinder::SoCylinder() {
    addField(&parts, "parts");
    parts.setEnums({{"SIDES", SIDES}, {"TOP", TOP}, {"BOTTOM", BOTTOM}, {"ALL", ALL}});
    parts.setValue(ALL);
    parts.setDefault(true);
    addField(&radius, "radius");
    radius.setValue(1.0f);
    radius.setDefault(true);
    addField(&height, "height");
    height.setValue(2.0f);
    height.setDefault(true);
}

SoType SoVertexShape::classTypeId;
void SoVertexShape::initClass() { classTypeId = SoType::createType(SoShape::getClassTypeId(), "SoVertexShape"); }

SoVertexShape::SoVertexShape() {
    addField(&vertexProperty, "vertexProperty");
    vertexProperty.setDefault(true);
}

SoType SoNonIndexedShape::classTypeId;
void SoNonIndexedShape::initClass() { classTypeId = SoType::createType(SoVertexShape::getClassTypeId(), "SoNonIndexedShape"); }

SoNonIndexedShape::SoNonIndexedShape() {
    addField(&startIndex, "startIndex");
    startIndex.setValue(0);
    startIndex.setDefault(true);
}

SoType SoIndexedShape::classTypeId;
void SoIndexedShape::initClass() { classTypeId = SoType::createType(SoVertexShape::getClassTypeId(), "SoIndexedShape"); }

SoIndexedShape::SoIndexedShape() {
    addField(&coordIndex, "coordIndex");
    coordIndex.setValue(0);
    coordIndex.setDefault(true);
    addField(&materialIndex, "materialIndex");
    materialIndex.setValue(-1);
    materialIndex.setDefault(true);
    addField(&normalIndex, "normalIndex");
    normalIndex.setValue(-1);
    normalIndex.setDefault(true);
    addField(&textureCoordIndex, "textureCoordIndex");
    textureCoordIndex.setValue(-1);
    textureCoordIndex.setDefault(true);
}

SoType SoFaceSet::classTypeId;
void SoFaceSet::initClass() { classTypeId = SoType::createType(SoNonIndexedShape::getClassTypeId(), "SoFaceSet", &createNode<SoFaceSet>); }

SoFaceSet::SoFaceSet() {
    addField(&numVertices, "numVertices");
    numVertices.setValue(-1);
    numVertices.setDefault(true);
}

SoType SoIndexedFaceSet::classTypeId;
void SoIndexedFaceSet::initClass() { classTypeId = SoType::createType(SoIndexedShape::getClassTypeId(), "SoIndexedFaceSet", &createNode<SoIndexedFaceSet>); }

SoIndexedFaceSet::SoIndexedFaceSet() {
}

SoType SoTriangleStripSet::classTypeId;
void SoTriangleStripSet::initClass() { classTypeId = SoType::createType(SoNonIndexedShape::getClassTypeId(), "SoTriangleStripSet", &createNode<SoTriangleStripSet>); }

SoTriangleStripSet::SoTriangleStripSet() {
    addField(&numVertices, "numVertices");
    numVertices.setValue(-1);
    numVertices.setDefault(true);
}

SoType SoIndexedTriangleStripSet::classTypeId;
void SoIndexedTriangleStripSet::initClass() { classTypeId = SoType::createType(SoIndexedShape::getClassTypeId(), "SoIndexedTriangleStripSet", &createNode<SoIndexedTriangleStripSet>); }

SoIndexedTriangleStripSet::SoIndexedTriangleStripSet() {
}

SoType SoQuadMesh::classTypeId;
void SoQuadMesh::initClass() { classTypeId = SoType::createType(SoNonIndexedShape::getClassTypeId(), "SoQuadMesh", &createNode<SoQuadMesh>); }

SoQuadMesh::SoQuadMesh() {
    addField(&verticesPerColumn, "verticesPerColumn");
    verticesPerColumn.setValue(1);
    verticesPerColumn.setDefault(true);
    addField(&verticesPerRow, "verticesPerRow");
    verticesPerRow.setValue(1);
    verticesPerRow.setDefault(true);
}

SoType SoLineSet::classTypeId;
void SoLineSet::initClass() { classTypeId = SoType::createType(SoNonIndexedShape::getClassTypeId(), "SoLineSet", &createNode<SoLineSet>); }

SoLineSet::SoLineSet() {
    addField(&numVertices, "numVertices");
    numVertices.setValue(-1);
    numVertices.setDefault(true);
}

SoType SoIndexedLineSet::classTypeId;
void SoIndexedLineSet::initClass() { classTypeId = SoType::createType(SoIndexedShape::getClassTypeId(), "SoIndexedLineSet", &createNode<SoIndexedLineSet>); }

SoIndexedLineSet::SoIndexedLineSet() {
}

SoType SoPointSet::classTypeId;
void SoPointSet::initClass() { classTypeId = SoType::createType(SoNonIndexedShape::getClassTypeId(), "SoPointSet", &createNode<SoPointSet>); }

SoPointSet::SoPointSet() {
    addField(&numPoints, "numPoints");
    numPoints.setValue(-1);
    numPoints.setDefault(true);
}

SoType SoMarkerSet::classTypeId;
void SoMarkerSet::initClass() { classTypeId = SoType::createType(SoPointSet::getClassTypeId(), "SoMarkerSet", &createNode<SoMarkerSet>); }

SoMarkerSet::SoMarkerSet() {
    addField(&markerIndex, "markerIndex");
    markerIndex.setValue(0);
    markerIndex.setDefault(true);
}

SoType SoText2::classTypeId;
void SoText2::initClass() { classTypeId = SoType::createType(SoShape::getClassTypeId(), "SoText2", &createNode<SoText2>); }

SoText2::SoText2() {
    addField(&string, "string");
    string.setValue(SbString(""));
    string.setDefault(true);
    addField(&spacing, "spacing");
    spacing.setValue(1.0f);
    spacing.setDefault(true);
    addField(&justification, "justification");
    justification.setEnums({{"LEFT", LEFT}, {"RIGHT", RIGHT}, {"CENTER", CENTER}});
    justification.setValue(LEFT);
    justification.setDefault(true);
}

SoType SoText3::classTypeId;
void SoText3::initClass() { classTypeId = SoType::createType(SoShape::getClassTypeId(), "SoText3", &createNode<SoText3>); }

SoText3::SoText3() {
    addField(&string, "string");
    string.setValue(SbString(""));
    string.setDefault(true);
    addField(&spacing, "spacing");
    spacing.setValue(1.0f);
    spacing.setDefault(true);
    addField(&justification, "justification");
    justification.setEnums({{"LEFT", LEFT}, {"RIGHT", RIGHT}, {"CENTER", CENTER}});
    justification.setValue(LEFT);
    justification.setDefault(true);
    addField(&parts, "parts");
    parts.setEnums({{"FRONT", FRONT}, {"SIDES", SIDES}, {"BACK", BACK}, {"ALL", ALL}});
    parts.setValue(FRONT);
    parts.setDefault(true);
}

SoType SoAsciiText::classTypeId;
void SoAsciiText::initClass() { classTypeId = SoType::createType(SoShape::getClassTypeId(), "SoAsciiText", &createNode<SoAsciiText>); }

SoAsciiText::SoAsciiText() {
    addField(&string, "string");
    string.setValue(SbString(""));
    string.setDefault(true);
    addField(&spacing, "spacing");
    spacing.setValue(1.0f);
    spacing.setDefault(true);
    addField(&justification, "justification");
    justification.setEnums({{"LEFT", LEFT}, {"RIGHT", RIGHT}, {"CENTER", CENTER}});
    justification.setValue(LEFT);
    justification.setDefault(true);
    addField(&width, "width");
    width.setValue(0.0f);
    width.setDefault(true);
}

SoType SoAnnoText3::classTypeId;
void SoAnnoText3::initClass() { classTypeId = SoType::createType(SoShape::getClassTypeId(), "SoAnnoText3", &createNode<SoAnnoText3>); }

SoAnnoText3::SoAnnoText3() {
    addField(&string, "string");
    string.setValue(SbString(""));
    string.setDefault(true);
    addField(&spacing, "spacing");
    spacing.setValue(1.0f);
    spacing.setDefault(true);
    addField(&justification, "justification");
    justification.setEnums({{"LEFT", LEFT}, {"RIGHT", RIGHT}, {"CENTER", CENTER}});
    justification.setValue(LEFT);
    justification.setDefault(true);
}

SoType SoImage::classTypeId;
void SoImage::initClass() { classTypeId = SoType::createType(SoShape::getClassTypeId(), "SoImage", &createNode<SoImage>); }

SoImage::SoImage() {
    addField(&width, "width");
    width.setValue(-1);
    width.setDefault(true);
    addField(&height, "height");
    height.setValue(-1);
    height.setDefault(true);
    addField(&horAlignment, "horAlignment");
    horAlignment.setEnums({{"LEFT", LEFT}, {"CENTER", CENTER}, {"RIGHT", RIGHT}});
    horAlignment.setValue(LEFT);
    horAlignment.setDefault(true);
    addField(&vertAlignment, "vertAlignment");
    vertAlignment.setEnums({{"BOTTOM", BOTTOM}, {"HALF", HALF}, {"TOP", TOP}});
    vertAlignment.setValue(BOTTOM);
    vertAlignment.setDefault(true);
    addField(&image, "image");
    image.setDefault(true);
    addField(&filename, "filename");
    filename.setDefault(true);
}
