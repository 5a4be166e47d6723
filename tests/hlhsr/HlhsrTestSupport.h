// Primitives in normalized projection coordinates for the removal tests, and a check of a
// painter's result against the nearest surface at sample points.
#ifndef SCRIVANE_TESTS_HLHSR_SUPPORT_H
#define SCRIVANE_TESTS_HLHSR_SUPPORT_H
#include <cmath>
#include <gtest/gtest.h>
#include <vector>
#include "scrivane/PolyGon.h"
#include "scrivane/PolyLine.h"
#include "scrivane/PolyMark.h"
#include "scrivane/PrimitiveList.h"

namespace hlhsr_test {

inline PolyGon *polygon(const std::vector<SbVec3f> &points, const SbColor &color = SbColor(1, 0, 0)) {
    std::vector<SbVec4f> p;
    for (const SbVec3f &q : points)
        p.emplace_back(q[0], q[1], q[2], 1.0f);
    std::vector<SbColor> colors(points.size(), color);
    PolyGon *g = new PolyGon;
    g->setValue(static_cast<int>(p.size()), p.data(), colors.data(), 0, 1.0f, 1.0f, 0xFFFF, PolyGon::FILLED, "",
                "", nullptr);
    return g;
}

inline PolyLine *segment(const SbVec3f &a, const SbVec3f &b) {
    const SbVec4f p[2] = {SbVec4f(a[0], a[1], a[2], 1), SbVec4f(b[0], b[1], b[2], 1)};
    const SbColor c[2] = {SbColor(0, 0, 0), SbColor(0, 0, 0)};
    PolyLine *s = new PolyLine;
    s->setValue(2, p, c, 0, 1.0f, 0xFFFF);
    return s;
}

inline PolyMark *mark(const SbVec3f &a) {
    const SbVec4f p(a[0], a[1], a[2], 1);
    const SbColor c(0, 0, 0);
    PolyMark *m = new PolyMark;
    m->setValue(1, &p, &c, 0, 2.0f, nullptr);
    return m;
}

// A list that deletes what it still holds; entries are numbered in the order they are added.
struct OwnedList {
    PrimitiveList list;
    OwnedList() = default;
    OwnedList(std::initializer_list<Primitive *> primitives) {
        for (Primitive *p : primitives)
            add(p);
    }
    ~OwnedList() {
        for (int i = 0; i < list.getLength(); i++)
            delete list.get(i);
    }
    Primitive *add(Primitive *p) {
        p->priority = list.getLength();
        list.append(p);
        return p;
    }
    int size() const { return list.getLength(); }
    Primitive *operator[](int i) const { return list.get(i); }
};

// Depth of a polygon's plane at (x, y), and whether (x, y) lies inside its outline.
inline bool depthAt(const Primitive *p, float x, float y, float &z) {
    const PolyGon *g = static_cast<const PolyGon *>(p);
    if (!g->isPointInnerXYPlane(SbVec2f(x, y))) return false;
    const SbVec3f &n = g->getNormal();
    const SbVec4f &a = g->getPoint(0);
    if (std::fabs(n[2]) < 1e-6f) return false;
    z = a[2] - (n[0] * (x - a[0]) + n[1] * (y - a[1])) / n[2];
    return true;
}

// Samples a grid over [-1, 1]^2: at each point whose nearest surface is clear (the two nearest
// surfaces there at least margin apart in depth), the polygon painted last of `painted` must
// have the colour of the nearest of `truth`. Returns the number of wrong samples.
inline int wrongSamples(const std::vector<const Primitive *> &truth, const PrimitiveList &painted, int steps = 80,
                        float margin = 1e-3f) {
    int wrong = 0;
    for (int i = 0; i < steps; i++)
        for (int j = 0; j < steps; j++) {
            const float x = -1.0f + (i + 0.5f) * 2.0f / steps, y = -1.0f + (j + 0.5f) * 2.0f / steps;
            float best = HUGE_VALF, second = HUGE_VALF, z;
            SbColor expected(1, 1, 1);
            for (const Primitive *p : truth)
                if (depthAt(p, x, y, z)) {
                    if (z < best) {
                        second = best;
                        best = z;
                        expected = p->getColor();
                    } else if (z < second) {
                        second = z;
                    }
                }
            if (second - best < margin) continue;
            SbColor shown(1, 1, 1);
            for (int k = 0; k < painted.getLength(); k++)
                if (painted.get(k)->getTypeId() == Primitive::POLYGON && depthAt(painted.get(k), x, y, z))
                    shown = painted.get(k)->getColor();
            if (shown != expected) wrong++;
        }
    return wrong;
}

} // namespace hlhsr_test

#endif
