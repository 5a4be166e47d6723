// Cost of hidden-surface removal on scenes the benchmark builds itself (see HlhsrScenes.h):
// the whole apply to PostScript (written to /dev/null) in each removal mode, with the number of
// triangles in and polygons out; and the visible-painter's visibility filter on its own (one
// render of the run's polygons and one read-back).
#include <benchmark/benchmark.h>
#include <vector>
#include "HlhsrScenes.h"
#include "scene/actions/SoCallbackAction.h"
#include "scene/base/SbViewportRegion.h"
#include "scene/misc/SoPrimitiveVertex.h"
#include "scene/nodes/SoSeparator.h"
#include "scene/nodes/SoShape.h"
#include "scrivane/PolyGon.h"
#include "scrivane/PrimitiveList.h"
#include "scrivane/SoFindRendereredPrimitives.h"
#include "scrivane/SoScrivane.h"
#include "scrivane/SoVectorizePSAction.h"

namespace {
// Counts the polygons the format is asked to print.
class CountingPSAction : public SoVectorizePSAction {
public:
    long polygons = 0;

protected:
    void printPolygon(const SbVec4f *points, int n, const SbColor *colors, SbString category, SbString name,
                      const unsigned char *bits) override {
        polygons++;
        SoVectorizePSAction::printPolygon(points, n, colors, category, name, bits);
    }
};

// Arguments: scene kind, triangles asked for, removal mode of the action, and 1 to draw only
// feature edges in the hidden-line mode (mode 4), 0 for every edge (the action's default).
void removal(benchmark::State &state) {
    SoScrivane::init();
    const int kind = static_cast<int>(state.range(0));
    int triangles = 0;
    SoSeparator *root = bench_scenes::buildScene(kind, static_cast<int>(state.range(1)), triangles);
    root->ref();
    long polygons = 0;
    for (auto _ : state) {
        CountingPSAction action;
        action.enableLighting(1);
        action.setHLHSRMode(static_cast<SoVectorizeAction::HLHSRMode>(state.range(2)));
        action.setFeatureEdges(static_cast<int>(state.range(3)));
        if (!action.getOutput()->openFile("/dev/null")) state.SkipWithError("cannot open /dev/null");
        action.apply(root);
        action.getOutput()->closeFile();
        polygons = action.polygons;
    }
    static const char *const modes[] = {"none", "depth-sort", "painter", "visible-painter", "hidden-line"};
    state.SetLabel(std::string(bench_scenes::kindName(kind)) + " " + modes[state.range(2)] +
                   (state.range(3) ? " feature-edges" : ""));
    state.counters["triangles"] = triangles;
    state.counters["polygons_out"] = static_cast<double>(polygons);
    state.counters["out/in"] = static_cast<double>(polygons) / triangles;
    root->unref();
}

void meshArguments(benchmark::internal::Benchmark *b) {
    for (int kind = bench_scenes::KNOT; kind <= bench_scenes::HEIGHT_FIELD; kind++)
        for (int n : {1000, 10000, 100000}) {
            for (int mode : {0, 1, 2, 3, 4})
                b->Args({kind, n, mode, 0});
            b->Args({kind, n, 4, 1});
        }
    // Random triangles cover the page about twice at 1e3 and twenty times at 1e4, where each
    // face's box meets some three hundred others and the cuts multiply: only 1e3 is measured.
    for (int mode : {0, 1, 2, 3, 4})
        b->Args({bench_scenes::RANDOM_TRIANGLES, 1000, mode, 0});
    b->Args({bench_scenes::RANDOM_TRIANGLES, 1000, 4, 1});
}

// The scene's triangles in normalized projection coordinates, as the removal driver stores them
// (the benchmark scenes are seen whole, so nothing needs clipping), three points each.
void collectTriangle(void *data, SoCallbackAction *action, const SoPrimitiveVertex *v1, const SoPrimitiveVertex *v2,
                     const SoPrimitiveVertex *v3) {
    auto *points = static_cast<std::vector<SbVec4f> *>(data);
    const SbMatrix m = action->getModelMatrix() * action->getViewingMatrix() * action->getProjectionMatrix();
    for (const SoPrimitiveVertex *v : {v1, v2, v3}) {
        const SbVec3f &p = v->getPoint();
        SbVec4f clip;
        m.multVecMatrix(SbVec4f(p[0], p[1], p[2], 1.0f), clip);
        points->emplace_back(clip[0] / clip[3], clip[1] / clip[3], clip[2] / clip[3], 1.0f);
    }
}

// Arguments: scene kind, triangles asked for, 1 for a new finder (and OpenGL context) per run as
// the painter makes one, 0 for one finder reused.
void finder(benchmark::State &state) {
    SoScrivane::init();
    const int kind = static_cast<int>(state.range(0));
    int triangles = 0;
    SoSeparator *root = bench_scenes::buildScene(kind, static_cast<int>(state.range(1)), triangles);
    root->ref();
    std::vector<SbVec4f> points;
    SoCallbackAction collect(SbViewportRegion(1000, 1000));
    collect.addTriangleCallback(SoShape::getClassTypeId(), collectTriangle, &points);
    collect.apply(root);
    root->unref();
    const bool freshFinder = state.range(2) != 0;
    const SbColor colors[3] = {SbColor(0.8f, 0.5f, 0.2f), SbColor(0.8f, 0.5f, 0.2f), SbColor(0.8f, 0.5f, 0.2f)};
    const SbViewportRegion region(512, 512);
    SoFindRendereredPrimitives reused(region);
    long kept = 0;
    for (auto _ : state) {
        state.PauseTiming();
        PrimitiveList list;
        for (size_t i = 0; i + 2 < points.size(); i += 3) {
            PolyGon *polygon = new PolyGon;
            polygon->setValue(3, &points[i], colors, 0, 1.0f, 1.0f, 0xFFFF, PolyGon::FILLED, SbString(""), SbString(""),
                              nullptr);
            polygon->priority = list.getLength();
            list.append(polygon);
        }
        list.sortZmax(0);
        state.ResumeTiming();
        if (freshFinder) {
            SoFindRendereredPrimitives fresh(region);
            fresh.render(&list);
        } else {
            reused.render(&list);
        }
        state.PauseTiming();
        kept = list.getLength();
        for (int i = 0; i < list.getLength(); i++)
            delete list.get(i);
        state.ResumeTiming();
    }
    state.SetLabel(std::string(bench_scenes::kindName(kind)) + (freshFinder ? " new finder" : " reused finder"));
    state.counters["polygons_in"] = static_cast<double>(points.size() / 3);
    state.counters["kept"] = static_cast<double>(kept);
}

void finderArguments(benchmark::internal::Benchmark *b) {
    for (int kind : {bench_scenes::KNOT, bench_scenes::SPHERE})
        for (int n : {10000, 100000})
            for (int fresh : {1, 0})
                b->Args({kind, n, fresh});
}
} // namespace

BENCHMARK(removal)->Apply(meshArguments)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime();
BENCHMARK(finder)->Apply(finderArguments)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime();
BENCHMARK_MAIN();
