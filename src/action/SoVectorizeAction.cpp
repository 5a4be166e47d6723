// The vectorize action frame: class registration, the apply lifecycle, page mode, the capture
// callbacks and the plain-text trace of the base print operations.
#include "scrivane/SoVectorizeAction.h"
#include <cstdio>
#include <cstring>
#include "scene/actions/SoCallbackAction.h"
#include "scene/elements/SoAnnoText3RenderPrintElement.h"
#include "scene/elements/SoViewportRegionElement.h"
#include "scene/misc/SoState.h"
#include "scene/nodes/SoAnnoText3.h"
#include "scene/nodes/SoCamera.h"
#include "scene/nodes/SoImage.h"
#include "scene/nodes/SoMarkerSet.h"
#include "scene/nodes/SoShape.h"
#include "scene/nodes/SoText2.h"
#include "scrivane/SoHLHSRVectorize.h"
#include "capture/CameraFallback.h"
#include "capture/CoplanarJoin.h"
#include "capture/FeatureEdges.h"
#include "capture/ShapeState.h"

SoType SoVectorizeAction::classTypeId;
int SoVectorizeAction::classTypeIdIsSet = 0;
SoEnabledElementsList *SoVectorizeAction::enabledElements = nullptr;
SoActionMethodList *SoVectorizeAction::methods = nullptr;

void SoVectorizeAction::initClass() {
    enabledElements = new SoEnabledElementsList(SoAction::enabledElements);
    methods = new SoActionMethodList(SoAction::methods);
    classTypeId = SoType::createType(SoAction::getClassTypeId(), "SoVectorizeAction", nullptr, 0);
    classTypeIdIsSet = 1;
}

SoType SoVectorizeAction::getClassTypeId() {
    if (!classTypeIdIsSet) initClass();
    return classTypeId;
}

SoType SoVectorizeAction::getTypeId() const { return getClassTypeId(); }

const SoEnabledElementsList &SoVectorizeAction::getEnabledElements() const {
    getClassTypeId();
    return *enabledElements;
}

void SoVectorizeAction::addMethod(SoType nodeType, SoActionMethod method) {
    getClassTypeId();
    methods->addMethod(nodeType, method);
}

void SoVectorizeAction::enableElement(SoType elementType, int stackIndex) {
    getClassTypeId();
    enabledElements->enable(elementType, stackIndex);
}

SoVectorizeAction::SoVectorizeAction() {
    getClassTypeId();
    traversalMethods = methods;
    pointBuffer = new SbVec4f[static_cast<size_t>(pointBufferSize)]();
    pointColors = new SbColor[static_cast<size_t>(pointBufferSize)]();
    shapeState = new scrivane_capture::ShapeState;
    shapeState->counts = &nonFiniteCounts;
    coplanarJoin = new scrivane_capture::CoplanarJoin;
}

SoVectorizeAction::~SoVectorizeAction() {
    // A format ends an open page in its own destructor, while its output still exists; this
    // releases what the base owns.
    delete[] penColors;
    delete[] penWidths;
    delete[] pointBuffer;
    delete[] pointColors;
    delete hlhsrVectorize;
    delete featureShape;
    delete shapeState;
    delete coplanarJoin;
    deleteLightsList();
}

SoVectorOutput *SoVectorizeAction::getVectorOutput() const { return vectorOutput; }

void SoVectorizeAction::beginPage(const SbVec2f &start, const SbVec2f &size, DimensionUnit unit) {
    pageMode = 1;
    newPage = 1;
    pageStart.setValue(unitsToMillimeters(start[0], unit), unitsToMillimeters(start[1], unit));
    pageSize.setValue(unitsToMillimeters(size[0], unit), unitsToMillimeters(size[1], unit));
}

void SoVectorizeAction::endPage() {
    writeFooter();
    pageMode = 0;
    newPage = 1;
}

void SoVectorizeAction::setHLHSRMode(HLHSRMode mode) { hlhsrMode = mode; }
void SoVectorizeAction::enableLighting(int flag) { lightingEnabled = flag; }
void SoVectorizeAction::setFeatureEdges(int flag) { featureEdges = flag; }
int SoVectorizeAction::getFeatureEdges() const { return featureEdges; }
void SoVectorizeAction::setJoinCoplanarFaces(int flag) { joinCoplanarFaces = flag; }
int SoVectorizeAction::getJoinCoplanarFaces() const { return joinCoplanarFaces; }

void SoVectorizeAction::apply(SoNode *node) {
    runApply([](SoCallbackAction &cb, void *arg) { cb.apply(static_cast<SoNode *>(arg)); }, node);
}

void SoVectorizeAction::apply(SoPath *path) {
    runApply([](SoCallbackAction &cb, void *arg) { cb.apply(static_cast<SoPath *>(arg)); }, path);
}

void SoVectorizeAction::apply(const SoPathList &pathList, bool obeysRules) {
    struct Arguments {
        const SoPathList *list;
        bool obeysRules;
    } arguments{&pathList, obeysRules};
    runApply(
        [](SoCallbackAction &cb, void *arg) {
            Arguments *a = static_cast<Arguments *>(arg);
            cb.apply(*a->list, a->obeysRules);
        },
        &arguments);
}

// The twelve steps of one apply; only the object the callback action is applied to differs.
void SoVectorizeAction::runApply(void (*applyTo)(SoCallbackAction &, void *), void *argument) {
    SoCallbackAction callbackAction;
    prepareAction(callbackAction);
    beginTraversal();
    if (pageMode == 0 || newPage == 1) {
        writeHeader();
        newPage = 0;
    }
    printBackground();
    applyTo(callbackAction, argument);
    // Every shape printed its joined faces when it ended; nothing may stay pending past the apply.
    flushJoinedFaces(&callbackAction);
    // Every shape was handed over when it ended; the state its clipping needs is gone now.
    delete featureShape;
    featureShape = nullptr;
    if (hlhsrVectorize) {
        // The last removal run prints everything it stored.
        hlhsrVectorize->endHLHSR();
        delete hlhsrVectorize;
        hlhsrVectorize = nullptr;
    }
    printBorder();
    viewportIsSet = 0;
    if (pageMode == 0) writeFooter();
    endTraversal();
}

void SoVectorizeAction::beginTraversal(SoNode *) { beginTraversal(); }
void SoVectorizeAction::endTraversal(SoNode *) { endTraversal(); }

void SoVectorizeAction::beginTraversal() {
    annoTextAsText = 0;
    nonFiniteCounts = NonFiniteCounts();
    capturedPrimitives = 0;
    printedPrimitives = 0;
    shapeState->valid = false;
    pendingKind = 0;
    pointCount = 0;
    coplanarJoin->clear();
    delete hlhsrVectorize;
    hlhsrVectorize = nullptr;
    if (hlhsrMode >= HIDDEN_BY_DEPTH_SORT && hlhsrMode <= HIDDEN_BY_EDGE_SPLITTING)
        hlhsrVectorize = new SoHLHSRVectorize(this, static_cast<SoHLHSRVectorize::HLHSRMode>(hlhsrMode - 1));
    delete featureShape;
    featureShape = nullptr;
    // Feature edges need the shapes whole: their triangles are kept until each shape ends.
    if (featureEdges && hlhsrVectorize && hlhsrMode == HIDDEN_BY_EDGE_SPLITTING)
        featureShape = new scrivane_capture::FeatureEdgeShape;
}

void SoVectorizeAction::endTraversal() {
    shapeState->valid = false;
    deleteLightsList();
}

void SoVectorizeAction::prepareAction(SoCallbackAction &action) {
    action.addPreCallback(SoCamera::getClassTypeId(), cameraCB, this);
    action.addPostCallback(SoCamera::getClassTypeId(), cameraDoneCB, this);
    action.addTriangleCallback(SoShape::getClassTypeId(), drawTriangleCB, this);
    action.addLineSegmentCallback(SoShape::getClassTypeId(), drawLineSegmentCB, this);
    action.addPointCallback(SoShape::getClassTypeId(), drawPointCB, this);
    action.addPostCallback(SoText2::getClassTypeId(), drawText2CB, this);
    action.addPostCallback(SoNode::getClassTypeId(), sendPointsCB, this);
    action.addPreCallback(SoAnnoText3::getClassTypeId(), drawAnnoText3CB, this);
    action.addPostCallback(SoAnnoText3::getClassTypeId(), endDrawAnnoText3CB, this);
    action.addPostCallback(SoImage::getClassTypeId(), drawImageCB, this);
}

void SoVectorizeAction::refreshViewportRegion(SoCallbackAction *action) {
    const SbViewportRegion &region = SoViewportRegionElement::get(action->getState());
    if (viewportIsSet == 1 && region == viewportRegion) return;
    if (hlhsrVectorize) {
        // Each viewport is a removal run of its own: what the old region stored prints now.
        if (viewportIsSet == 1) hlhsrVectorize->endHLHSR();
        hlhsrVectorize->startHLHSR();
    }
    viewportRegion = region;
    setHardwareClip();
    viewportIsSet = 1;
}

void SoVectorizeAction::beginShapePrimitive(SoCallbackAction *action) {
    // The viewport region is part of the state too: once it is checked for a shape, it stays.
    if (shapeState->valid) return;
    refreshViewportRegion(action);
    shapeState->read(action);
    if (lightingEnabled && shapeState->lightModel == 1) computeLightList(action->getState());
}

SoCallbackAction::Response SoVectorizeAction::cameraCB(void *data, SoCallbackAction *action, const SoNode *) {
    SoVectorizeAction *self = static_cast<SoVectorizeAction *>(data);
    // The camera that follows sees the aspect ratio of the drawing, whatever the window.
    SbViewportRegion region = SoViewportRegionElement::get(action->getState());
    region.setWindowSize(SbVec2i32(static_cast<int32_t>(self->drawingWidth / self->drawingHeight * 10000), 10000));
    SoViewportRegionElement::set(action->getState(), region, 1);
    return SoCallbackAction::CONTINUE;
}

// After a camera has set the view: a camera with a field that is not finite sets it again as a
// camera of its kind with that field's default, so that one bad field does not turn every point
// of the drawing into NaN.
SoCallbackAction::Response SoVectorizeAction::cameraDoneCB(void *data, SoCallbackAction *action,
                                                           const SoNode *node) {
    SoCamera *fixed = scrivane_capture::finiteCameraFor(*static_cast<const SoCamera *>(node));
    if (!fixed) return SoCallbackAction::CONTINUE;
    static_cast<SoVectorizeAction *>(data)->nonFiniteCounts.cameras++;
    fixed->ref();
    fixed->callback(action);
    fixed->unref();
    return SoCallbackAction::CONTINUE;
}

void SoVectorizeAction::drawTriangleCB(void *data, SoCallbackAction *action, const SoPrimitiveVertex *v1,
                                       const SoPrimitiveVertex *v2, const SoPrimitiveVertex *v3) {
    SoVectorizeAction *self = static_cast<SoVectorizeAction *>(data);
    // An annotation text printed as text: its geometry is not drawn.
    if (self->annoTextAsText) return;
    self->beginShapePrimitive(action);
    self->drawTriangle(action, v1, v2, v3);
}

void SoVectorizeAction::drawLineSegmentCB(void *data, SoCallbackAction *action, const SoPrimitiveVertex *v1,
                                          const SoPrimitiveVertex *v2) {
    SoVectorizeAction *self = static_cast<SoVectorizeAction *>(data);
    if (self->annoTextAsText) return;
    self->beginShapePrimitive(action);
    self->drawLineSegment(action, v1, v2);
}

void SoVectorizeAction::drawPointCB(void *data, SoCallbackAction *action, const SoPrimitiveVertex *v) {
    SoVectorizeAction *self = static_cast<SoVectorizeAction *>(data);
    self->beginShapePrimitive(action);
    self->drawPoint(action, v);
}

SoCallbackAction::Response SoVectorizeAction::drawText2CB(void *data, SoCallbackAction *action,
                                                          const SoNode *node) {
    SoVectorizeAction *self = static_cast<SoVectorizeAction *>(data);
    self->refreshViewportRegion(action);
    self->drawText2(action, node, 0);
    return SoCallbackAction::CONTINUE;
}

// After every node: what the node left in the pending buffer is drawn now, as markers of a marker
// set or as the node's polyline or point set; so are the triangles of a shape kept for its
// feature edges.
SoCallbackAction::Response SoVectorizeAction::sendPointsCB(void *data, SoCallbackAction *action,
                                                           const SoNode *node) {
    SoVectorizeAction *self = static_cast<SoVectorizeAction *>(data);
    self->flushJoinedFaces(action);
    if (self->featureShape && !self->featureShape->isEmpty()) self->sendFeatureShape(action);
    if (node->isOfType(SoMarkerSet::getClassTypeId()))
        self->drawMarkerSet(action, node);
    else
        self->sendPoints(action);
    // The next primitives belong to another shape, in a state that may differ.
    self->shapeState->valid = false;
    return SoCallbackAction::CONTINUE;
}

// Before an annotation text: the render-print setting chooses its geometry (0), its text alone
// (1: the geometry is ignored until the node ends), or both (any other value).
SoCallbackAction::Response SoVectorizeAction::drawAnnoText3CB(void *data, SoCallbackAction *action,
                                                               const SoNode *node) {
    SoVectorizeAction *self = static_cast<SoVectorizeAction *>(data);
    self->refreshViewportRegion(action);
    const int renderPrint = SoAnnoText3RenderPrintElement::get(action->getState());
    if (renderPrint == 0) return SoCallbackAction::CONTINUE;
    if (renderPrint == 1) self->annoTextAsText = 1;
    self->drawText2(action, node, 1);
    return SoCallbackAction::CONTINUE;
}

SoCallbackAction::Response SoVectorizeAction::endDrawAnnoText3CB(void *data, SoCallbackAction *, const SoNode *) {
    static_cast<SoVectorizeAction *>(data)->annoTextAsText = 0;
    return SoCallbackAction::CONTINUE;
}

SoCallbackAction::Response SoVectorizeAction::drawImageCB(void *data, SoCallbackAction *action,
                                                          const SoNode *node) {
    SoVectorizeAction *self = static_cast<SoVectorizeAction *>(data);
    self->refreshViewportRegion(action);
    self->drawImage(action, node);
    return SoCallbackAction::CONTINUE;
}
