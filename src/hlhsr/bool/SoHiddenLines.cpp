// The front end of the hidden-line mode: converts the driver's points (normalized projection
// coordinates, depth growing away from the observer) into engine shapes (doubles, depth growing
// toward the observer), and the engine's visible polylines back into SbVec4f arrays.
#include "scrivane/SoHiddenLines.h"
#include "BoolEngine.h"
#include <vector>

using scrivane_bool::BoolAttribute;
using scrivane_bool::BoolEngine;
using scrivane_bool::BoolLines;

static_assert(SoHiddenLines::edgeSmooth == BoolEngine::edgeLeftOut,
              "the engine leaves out the edges that SoHiddenLines calls smooth");

SoHiddenLines::Polyline::~Polyline() {
    delete[] points;
}

SoHiddenLines::SoHiddenLines() : engine(new BoolEngine) {}

SoHiddenLines::~SoHiddenLines() = default;

namespace {

std::vector<double> engineCoordinates(const SbVec4f *points, int num) {
    std::vector<double> xyz(3 * static_cast<std::size_t>(num));
    for (int i = 0; i < num; i++) {
        xyz[3 * i] = points[i][0];
        xyz[3 * i + 1] = points[i][1];
        xyz[3 * i + 2] = -static_cast<double>(points[i][2]);
    }
    return xyz;
}

BoolAttribute attributeOf(const SbColor &color, float lineWidth, unsigned short linePattern) {
    BoolAttribute a;
    a.color = color;
    a.lineWidth = lineWidth;
    a.linePattern = linePattern;
    return a;
}

} // namespace

void SoHiddenLines::addPolygon(const SbVec4f *points, int num, const SbColor &color,
                               float lineWidth, unsigned short linePattern,
                               const unsigned char *drawEdge) {
    if (num < 2 || points == nullptr) return;
    if (num == 2) {
        // No plane through two points: the polygon is its one edge (which both of its edges,
        // 0 -> 1 and the closing 1 -> 0, are), a line that hides nothing.
        auto drawn = [](unsigned char flag) { return flag != 0 && flag != edgeSmooth; };
        if (drawEdge != nullptr && !drawn(drawEdge[0]) && !drawn(drawEdge[1])) return;
        addPolyline(points, num, color, lineWidth, linePattern);
        return;
    }
    const int attribute = engine->addAttribute(attributeOf(color, lineWidth, linePattern));
    engine->addShape(engineCoordinates(points, num).data(), num, true, attribute, drawEdge);
}

void SoHiddenLines::addPolyline(const SbVec4f *points, int num, const SbColor &color,
                                float lineWidth, unsigned short linePattern) {
    if (num < 2 || points == nullptr) return;
    const int attribute = engine->addAttribute(attributeOf(color, lineWidth, linePattern));
    engine->addShape(engineCoordinates(points, num).data(), num, false, attribute);
}

SoHiddenLines::Polyline *SoHiddenLines::computeHiddenLines(int &count) {
    const BoolLines lines = engine->compute();
    count = static_cast<int>(lines.lines.size());
    Polyline *result = new Polyline[lines.lines.size()];
    for (std::size_t i = 0; i < lines.lines.size(); i++) {
        const BoolLines::Line &line = lines.lines[i];
        Polyline &p = result[i];
        p.num = line.count;
        p.points = new SbVec4f[static_cast<std::size_t>(line.count)];
        for (int k = 0; k < line.count; k++) {
            const double *xy = &lines.points[2 * static_cast<std::size_t>(line.start + k)];
            p.points[k].setValue(static_cast<float>(xy[0]), static_cast<float>(xy[1]), 0.0f, 0.0f);
        }
        const BoolAttribute &a = engine->getAttribute(line.attribute);
        p.color = a.color;
        p.lineWidth = a.lineWidth;
        p.linePattern = a.linePattern;
    }
    return result;
}
