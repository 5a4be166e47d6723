// Throughput of the whole path, scene to file: reading a large scene file, and vectorizing a
// scene of many triangles to each format (to /dev/null, so the disk does not count).
#include <benchmark/benchmark.h>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#if defined(__GLIBC__)
#include <malloc.h>
#endif
#include "scene/misc/SoDB.h"
#include "scene/misc/SoInput.h"
#include "scene/nodes/SoCoordinate3.h"
#include "scene/nodes/SoIndexedFaceSet.h"
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

// The lit sphere grid through a fresh action per iteration, set up by setUp when given, into
// /dev/null.
template <class Action> void vectorizeWith(benchmark::State &state, void (*setUp)(Action &)) {
    SoScrivane::init();
    SoSeparator *root = sphereGrid(static_cast<int>(state.range(0)));
    root->ref();
    for (auto _ : state) {
        Action action;
        action.enableLighting(1);
        if (setUp) setUp(action);
        if (!action.getOutput()->openFile("/dev/null")) state.SkipWithError("cannot open /dev/null");
        action.apply(root);
        action.getOutput()->closeFile();
    }
    state.counters["triangles/s"] =
        benchmark::Counter(960.0 * state.range(0) * state.range(0), benchmark::Counter::kIsIterationInvariantRate);
    root->unref();
}

template <class Action> void vectorize(benchmark::State &state) {
    vectorizeWith<Action>(state, nullptr);
}

void vectorizeCgmBinary(benchmark::State &state) {
    vectorizeWith<SoVectorizeCGMAction>(
        state, [](SoVectorizeCGMAction &action) { action.getCGMVectorOutput()->setBinaryEncoding(1); });
}

// PostScript with coplanar faces joined (what the command does): the spheres are lit and
// smooth, so almost nothing joins and the figure is the join's cost.
void vectorizePsJoined(benchmark::State &state) {
    vectorizeWith<SoVectorizePSAction>(
        state, [](SoVectorizePSAction &action) { action.setJoinCoplanarFaces(1); });
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

// Writes a height field of 1001 x 501 vertices as one Coordinate3 and one IndexedFaceSet of
// 1 000 000 triangles, laid out as SoWriteAction writes lists (one vertex or one face a line).
std::string writeMillionTriangleFile(const std::string &path) {
    const int w = 1001, h = 501;
    std::FILE *f = std::fopen(path.c_str(), "w");
    if (!f) return "cannot write " + path;
    std::fprintf(f, "#Inventor V2.1 ascii\n\nSeparator {\n  Coordinate3 {\n    point [ ");
    for (int j = 0; j < h; j++)
        for (int i = 0; i < w; i++)
            std::fprintf(f, "%s%.6g %.6g %.6g", i || j ? ",\n            " : "", i * 0.01, j * 0.01,
                         0.25 * std::sin(i * 0.05) * std::cos(j * 0.07));
    std::fprintf(f, " ]\n  }\n  IndexedFaceSet {\n    coordIndex [ ");
    bool first = true;
    for (int j = 0; j + 1 < h; j++)
        for (int i = 0; i + 1 < w; i++) {
            int a = j * w + i, b = a + 1, c = a + w, d = c + 1;
            std::fprintf(f, "%s%d, %d, %d, -1,\n                 %d, %d, %d, -1", first ? "" : ",\n                 ",
                         a, b, d, a, d, c);
            first = false;
        }
    std::fprintf(f, " ]\n  }\n}\n");
    return std::fclose(f) == 0 ? std::string() : "cannot write " + path;
}

// A line of /proc/self/status in MB ("VmRSS", "VmHWM"); 0 where there is none.
double statusMB(const char *key) {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.compare(0, std::strlen(key), key) == 0 && line[std::strlen(key)] == ':')
            return std::atof(line.c_str() + std::strlen(key) + 1) / 1024.0;
    return 0;
}

// Resets the peak resident size of the process to its current size (Linux 4.0 and later).
bool resetPeakRSS() {
    std::ofstream clear("/proc/self/clear_refs");
    clear << "5";
    clear.flush();
    return static_cast<bool>(clear);
}

// Reading a scene file of a million triangles (58 MB): CPU time, and the memory the read takes.
// peak_MB is the highest resident size during the read above the size before it; scene_MB is
// what the read scene keeps resident once reading is over; payload_MB the bytes of its values.
void readMillionTriangles(benchmark::State &state) {
    SoScrivane::init();
    std::filesystem::path dir = std::filesystem::temp_directory_path() / "scrivane-bench-read";
    std::filesystem::create_directories(dir);
    const std::string path = (dir / "million.iv").string();
    std::string problem = writeMillionTriangleFile(path);
    if (!problem.empty()) {
        state.SkipWithError(problem.c_str());
        return;
    }
#if defined(__GLIBC__)
    // Large blocks straight from and back to the system, as in a fresh process: otherwise glibc
    // raises its mmap threshold as the first iteration frees its lists, and later iterations
    // would count blocks it keeps cached as the scene's.
    mallopt(M_MMAP_THRESHOLD, 128 * 1024);
#endif
    double peak = 0, scene = 0, payload = 0;
    for (auto _ : state) {
        state.PauseTiming();
#if defined(__GLIBC__)
        malloc_trim(0);
#endif
        const double before = statusMB("VmRSS");
        const bool peakKnown = resetPeakRSS();
        state.ResumeTiming();
        SoInput input;
        if (!input.openFile(path.c_str())) {
            state.SkipWithError("cannot open the generated file");
            break;
        }
        SoSeparator *root = SoDB::readAll(&input);
        input.closeFile();
        state.PauseTiming();
        if (!root || root->getNumChildren() != 2) {
            state.SkipWithError("the generated file did not read");
            break;
        }
        root->ref();
        scene = statusMB("VmRSS") - before;
        peak = peakKnown ? statusMB("VmHWM") - before : 0;
        payload = (static_cast<SoCoordinate3 *>(root->getChild(0))->point.getNum() * sizeof(SbVec3f) +
                   static_cast<SoIndexedFaceSet *>(root->getChild(1))->coordIndex.getNum() * sizeof(int32_t)) /
                  1048576.0;
        root->unref();
        state.ResumeTiming();
    }
    state.counters["file_MB"] = static_cast<double>(std::filesystem::file_size(path)) / 1048576.0;
    state.counters["peak_MB"] = peak;
    state.counters["scene_MB"] = scene;
    state.counters["payload_MB"] = payload;
    std::filesystem::remove_all(dir);
}
} // namespace

BENCHMARK_TEMPLATE(vectorize, SoVectorizePSAction)->Arg(10)->Unit(benchmark::kMillisecond);
BENCHMARK_TEMPLATE(vectorize, SoVectorizeHPGLAction)->Arg(10)->Unit(benchmark::kMillisecond);
BENCHMARK_TEMPLATE(vectorize, SoVectorizeCGMAction)->Arg(10)->Unit(benchmark::kMillisecond);
BENCHMARK(vectorizePsJoined)->Arg(10)->Unit(benchmark::kMillisecond);
BENCHMARK(vectorizeCgmBinary)->Arg(10)->Unit(benchmark::kMillisecond);
BENCHMARK(vectorizeEmf)->Arg(10)->Unit(benchmark::kMillisecond);
BENCHMARK(readLargestCorpusFile)->Unit(benchmark::kMillisecond);
BENCHMARK(readMillionTriangles)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
