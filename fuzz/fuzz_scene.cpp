// libFuzzer target: reads a scene from memory and writes it as a drawing into a sink.
//
// Input layout: the first byte chooses the output (byte % 7: PostScript, clear-text CGM, binary
// CGM, HP-GL/2, EMF, PDF, SVG), the removal mode (byte / 7 % 4: none, depth-sort, painter,
// hidden-line) and whether coplanar faces are joined (byte / 28 odd); the remaining bytes are
// the scene file. One drawing per execution keeps each
// execution short while the fuzzer still reaches every writer and every removal mode but one.
// The visible-painter mode is left out: it renders the scene off screen through OSMesa, which
// took about 100 ms per input in this build against 5 to 15 ms for the other modes, so it
// would take most of the fuzzer's time while exercising Mesa more than our code. The formats
// written through a stdio stream write to /dev/null; the EMF writer is given /dev/null as its
// file name.
//
// The scene gets a headlight and a camera that views it all, as the command gives it, so that
// the writers see primitives on the page. Scenes whose shared subgraphs (DEF/USE) expand to more
// than shapeLimit shapes are read but not drawn: drawing them only measures how long the
// traversal takes, which would turn every such input into a timeout. Likewise scenes that
// generate more than primitiveLimit triangles, segments and points (a Text3 of many characters,
// a sphere of full complexity) are read and tessellated but not drawn: the corpus drifts towards
// them, and removing hidden lines from thousands of triangles under the sanitizers took the
// fuzzer down to some ten inputs a second, while what it finds there the tests and the
// benchmarks reach with large scenes anyway.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <map>
#include "scene/actions/SoCallbackAction.h"
#include "scene/actions/SoSearchAction.h"
#include "scene/base/SbViewportRegion.h"
#include "scene/misc/SoDB.h"
#include "scene/misc/SoInput.h"
#include "scene/nodes/SoCamera.h"
#include "scene/nodes/SoDirectionalLight.h"
#include "scene/nodes/SoGroup.h"
#include "scene/nodes/SoLight.h"
#include "scene/nodes/SoPerspectiveCamera.h"
#include "scene/nodes/SoSeparator.h"
#include "scene/nodes/SoShape.h"
#include "scrivane/SoScrivane.h"
#include "scrivane/SoVectorizeCGMAction.h"
#include "scrivane/SoVectorizeGDIAction.h"
#include "scrivane/SoVectorizeHPGLAction.h"
#include "scrivane/SoVectorizePDFAction.h"
#include "scrivane/SoVectorizePSAction.h"
#include "scrivane/SoVectorizeSVGAction.h"

namespace {

constexpr double shapeLimit = 2000;
constexpr long primitiveLimit = 3000;

// The reader's messages are part of what is fuzzed (they are formatted) but not printed.
void dropMessage(const SoInputMessage &, void *) {}

// Number of shapes a traversal of node meets, counting a shared subgraph once per use; memo
// holds the count of each group already counted, so the walk visits each node once.
double expandedShapes(SoNode *node, std::map<SoNode *, double> &memo) {
    if (!node) return 0;
    if (node->isOfType(SoShape::getClassTypeId())) return 1;
    if (!node->isOfType(SoGroup::getClassTypeId())) return 0;
    auto found = memo.find(node);
    if (found != memo.end()) return found->second;
    memo[node] = 0; // a cycle counts nothing more
    SoGroup *group = static_cast<SoGroup *>(node);
    double count = 0;
    for (int i = 0; i < group->getNumChildren(); ++i) count += expandedShapes(group->getChild(i), memo);
    memo[node] = count;
    return count;
}

void countTriangle(void *count, SoCallbackAction *, const SoPrimitiveVertex *, const SoPrimitiveVertex *,
                   const SoPrimitiveVertex *) {
    ++*static_cast<long *>(count);
}
void countSegment(void *count, SoCallbackAction *, const SoPrimitiveVertex *, const SoPrimitiveVertex *) {
    ++*static_cast<long *>(count);
}
void countPoint(void *count, SoCallbackAction *, const SoPrimitiveVertex *) { ++*static_cast<long *>(count); }

long generatedPrimitives(SoNode *root) {
    long count = 0;
    SoCallbackAction counter;
    counter.addTriangleCallback(SoShape::getClassTypeId(), &countTriangle, &count);
    counter.addLineSegmentCallback(SoShape::getClassTypeId(), &countSegment, &count);
    counter.addPointCallback(SoShape::getClassTypeId(), &countPoint, &count);
    counter.apply(root);
    return count;
}

bool contains(SoSeparator *root, SoType type) {
    SoSearchAction search;
    search.setType(type);
    search.setInterest(SoSearchAction::FIRST);
    search.setSearchingAll(true);
    search.apply(root);
    return search.getPath() != nullptr;
}

// A headlight and a camera viewing the whole scene, when the scene has none (as the command does).
SoSeparator *prepare(SoSeparator *scene) {
    SoSeparator *root = new SoSeparator;
    if (!contains(scene, SoLight::getClassTypeId())) root->addChild(new SoDirectionalLight);
    if (!contains(scene, SoCamera::getClassTypeId())) {
        SoPerspectiveCamera *camera = new SoPerspectiveCamera;
        root->addChild(camera);
        camera->viewAll(scene, SbViewportRegion(SbVec2i32(7000, 10000)), 1.1f);
    }
    root->addChild(scene);
    return root;
}

void draw(SoSeparator *root, unsigned choice) {
    static const SoVectorizeAction::HLHSRMode modes[] = {
        SoVectorizeAction::HIDDEN_NONE, SoVectorizeAction::HIDDEN_BY_DEPTH_SORT,
        SoVectorizeAction::HIDDEN_BY_PAINTER, SoVectorizeAction::HIDDEN_BY_EDGE_SPLITTING};
    const unsigned format = choice % 7;
    SoVectorizeAction *action = nullptr;
    SoVectorizeGDIAction *gdi = nullptr;
    switch (format) {
    case 0: action = new SoVectorizePSAction; break;
    case 1:
    case 2: {
        SoVectorizeCGMAction *cgm = new SoVectorizeCGMAction;
        cgm->getCGMVectorOutput()->setBinaryEncoding(format == 2 ? 1 : 0);
        action = cgm;
        break;
    }
    case 3: action = new SoVectorizeHPGLAction; break;
    case 4: action = gdi = new SoVectorizeGDIAction; break;
    case 5: action = new SoVectorizePDFAction; break;
    default: action = new SoVectorizeSVGAction; break;
    }
    action->setHLHSRMode(modes[choice / 7 % 4]);
    action->setJoinCoplanarFaces(choice / 28 % 2);
    if (gdi) {
        gdi->getGDIVectorOutput()->openFile("/dev/null");
    } else {
        FILE *sink = std::fopen("/dev/null", "w");
        if (!sink) __builtin_trap();
        action->getOutput()->setFilePointer(sink);
    }
    action->apply(root);
    if (!gdi) action->getOutput()->closeFile();
    delete action;
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***) {
    SoScrivane::init();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    if (size < 1) return 0;
    SoInput input;
    input.setMessageCallback(&dropMessage, nullptr);
    input.setBuffer(data + 1, size - 1, "fuzz");
    SoSeparator *scene = SoDB::readAll(&input);
    if (!scene) return 0;
    scene->ref();
    std::map<SoNode *, double> memo;
    if (expandedShapes(scene, memo) <= shapeLimit && generatedPrimitives(scene) <= primitiveLimit) {
        SoSeparator *root = prepare(scene);
        root->ref();
        draw(root, data[0]);
        root->unref();
    }
    scene->unref();
    return 0;
}
