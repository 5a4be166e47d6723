// What joining coplanar faces saves: the polygons printed and the bytes of PostScript for a lit
// cube and the removal benchmarks' scenes (knot, sphere, height field of about 10 000 triangles),
// with and without the join, in the mode without removal and in the painter mode.
//
//   scrivane_join_figures [OUTPUT_DIR]
//
// The demo scene is the command's own: compare `scrivane --lighting -o demo.ps` with the same
// and --no-join.
#include "HlhsrScenes.h"
#include "scene/misc/SoDB.h"
#include "scene/misc/SoInput.h"
#include "scene/nodes/SoSeparator.h"
#include "scrivane/SoScrivane.h"
#include "scrivane/SoVectorizePSAction.h"
#include <cstdio>
#include <string>
#include <sys/stat.h>

namespace {

// Counts the polygons that reach the format.
class CountingPSAction : public SoVectorizePSAction {
public:
    long polygons = 0;
    void printPolygon(const SbVec4f *points, int n, const SbColor *colors, SbString category,
                      SbString name, const unsigned char *bits) override {
        polygons++;
        SoVectorizePSAction::printPolygon(points, n, colors, category, name, bits);
    }
};

struct Figures {
    long polygons = 0, bytes = 0;
};

Figures draw(SoNode *root, const std::string &path, bool join, SoVectorizeAction::HLHSRMode mode) {
    Figures f;
    {
        CountingPSAction action;
        if (action.getOutput()->openFile(path.c_str()) != 1) return f;
        action.enableLighting(1);
        action.setHLHSRMode(mode);
        action.setJoinCoplanarFaces(join ? 1 : 0);
        action.apply(root);
        action.getOutput()->closeFile();
        f.polygons = action.polygons;
    }
    struct stat info;
    if (stat(path.c_str(), &info) == 0) f.bytes = long(info.st_size);
    return f;
}

SoSeparator *litCube() {
    static const char text[] = "#Inventor V2.1 ascii\nSeparator { OrthographicCamera { position 2 "
                               "2 2 orientation -0.70710678 0.70710678 0 0.95531662 height 3.6 } "
                               "DirectionalLight { direction -0.3 -0.5 -1 } "
                               "Material { diffuseColor 0.8 0.3 0.2 } Cube { } }";
    SoInput in;
    in.setBuffer(text, sizeof text - 1);
    return SoDB::readAll(&in);
}

} // namespace

int main(int argc, char **argv) {
    const std::string dir = argc > 1 ? argv[1] : ".";
    SoScrivane::init();
    std::printf("%-14s %-8s %10s %10s %12s %12s\n", "scene", "mode", "polygons", "joined", "bytes",
                "joined");
    for (int kind = -1; kind <= bench_scenes::HEIGHT_FIELD; kind++) {
        int triangles = 12;
        SoSeparator *root = kind < 0 ? litCube() : bench_scenes::buildScene(kind, 10000, triangles);
        root->ref();
        const std::string name = kind < 0 ? "cube" : bench_scenes::kindName(kind);
        for (auto mode : {SoVectorizeAction::HIDDEN_NONE, SoVectorizeAction::HIDDEN_BY_PAINTER}) {
            const char *modeName = mode == SoVectorizeAction::HIDDEN_NONE ? "none" : "painter";
            const std::string base = dir + "/" + name + "-" + modeName;
            const Figures plain = draw(root, base + ".ps", false, mode);
            const Figures joined = draw(root, base + "-join.ps", true, mode);
            std::printf("%-14s %-8s %10ld %10ld %12ld %12ld\n",
                        (name + "/" + std::to_string(triangles)).c_str(), modeName, plain.polygons,
                        joined.polygons, plain.bytes, joined.bytes);
        }
        root->unref();
    }
    return 0;
}
