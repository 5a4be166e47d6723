// Throughput of the whole path, scene to file: reading a large scene file, and vectorizing a
// scene of many triangles to each format (to /dev/null, so the disk does not count).
#include <benchmark/benchmark.h>
#include <cstdio>
#include <string>
#include "scene/misc/SoDB.h"
#include "scene/misc/SoInput.h"
#include "scene/nodes/SoComplexity.h"
#include "scene/nodes/SoDirectionalLight.h"
#include "scene/nodes/SoOrthographicCamera.h"
#include "scene/nodes/SoSeparator.h"
#include "scene/nodes/SoSphere.h"
#include "scene/nodes/SoTranslation.h"
#include "scrivane/SoScrivane.h"
#include "scrivane/SoVectorizeCGMAction.h"
#include "scrivane/SoVectorizeGDIAction.h"
#include "scrivane/SoVectorizeHPGLAction.h"
#include "scrivane/SoVectorizePSAction.h"

namespace {
// A grid of n x n spheres of 960 triangles each.
SoSeparator *sphereGrid(int n) {
    SoSeparator *root = new SoSeparator;
    SoOrthographicCamera *camera = new SoOrthographicCamera;
    camera->position.setValue(n, n, 10);
    camera->height.setValue(2.0f * n + 2);
    camera->farDistance.setValue(20);
    root->addChild(camera);
    root->addChild(new SoDirectionalLight);
    SoComplexity *complexity = new SoComplexity;
    complexity->value.setValue(1.0f);
    root->addChild(complexity);
    for (int i = 0; i < n * n; i++) {
        SoSeparator *s = new SoSeparator;
        SoTranslation *t = new SoTranslation;
        t->translation.setValue(2.0f * (i % n) + 1, 2.0f * (i / n) + 1, 0);
        s->addChild(t);
        s->addChild(new SoSphere);
        root->addChild(s);
    }
    return root;
}

template <class Action> void vectorize(benchmark::State &state) {
    SoScrivane::init();
    SoSeparator *root = sphereGrid(static_cast<int>(state.range(0)));
    root->ref();
    for (auto _ : state) {
        Action action;
        action.enableLighting(1);
        if (!action.getOutput()->openFile("/dev/null")) state.SkipWithError("cannot open /dev/null");
        action.apply(root);
        action.getOutput()->closeFile();
    }
    state.counters["triangles/s"] =
        benchmark::Counter(960.0 * state.range(0) * state.range(0), benchmark::Counter::kIsIterationInvariantRate);
    root->unref();
}

// The GDI action writes a metafile by name; it is written to a temporary file.
void vectorizeEmf(benchmark::State &state) {
    SoScrivane::init();
    SoSeparator *root = sphereGrid(static_cast<int>(state.range(0)));
    root->ref();
    for (auto _ : state) {
        SoVectorizeGDIAction action;
        action.getGDIVectorOutput()->openFile("/tmp/scrivane-bench.emf");
        action.apply(root);
    }
    std::remove("/tmp/scrivane-bench.emf");
    state.counters["triangles/s"] =
        benchmark::Counter(960.0 * state.range(0) * state.range(0), benchmark::Counter::kIsIterationInvariantRate);
    root->unref();
}

void readLargestCorpusFile(benchmark::State &state) {
    SoScrivane::init();
    std::string path = std::string(SCRIVANE_SHARED_DIR) + "/corpus/iv/graspit-pkgs/jaco_6_hand_limb.iv";
    for (auto _ : state) {
        SoInput input;
        if (!input.openFile(path.c_str(), true)) {
            state.SkipWithError("corpus file absent");
            break;
        }
        SoSeparator *root = SoDB::readAll(&input);
        if (root) {
            root->ref();
            root->unref();
        }
    }
}
} // namespace

BENCHMARK_TEMPLATE(vectorize, SoVectorizePSAction)->Arg(10)->Unit(benchmark::kMillisecond);
BENCHMARK_TEMPLATE(vectorize, SoVectorizeHPGLAction)->Arg(10)->Unit(benchmark::kMillisecond);
BENCHMARK_TEMPLATE(vectorize, SoVectorizeCGMAction)->Arg(10)->Unit(benchmark::kMillisecond);
BENCHMARK(vectorizeEmf)->Arg(10)->Unit(benchmark::kMillisecond);
BENCHMARK(readLargestCorpusFile)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
