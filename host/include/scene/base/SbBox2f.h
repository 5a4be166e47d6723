#ifndef SCENE_SBBOX2F_H
#define SCENE_SBBOX2F_H
#include "scene/SceneExport.h"
#include "scene/base/SbVec2f.h"
#include <algorithm>

// An axis-aligned 2-D box. An empty box has min > max.
class SCENE_API SbBox2f {
public:
    SbBox2f() { makeEmpty(); }
    SbBox2f(float xmin, float ymin, float xmax, float ymax) : lo(xmin, ymin), hi(xmax, ymax) {}
    SbBox2f(const SbVec2f &min, const SbVec2f &max) : lo(min), hi(max) {}
    const SbVec2f &getMin() const { return lo; }
    const SbVec2f &getMax() const { return hi; }
    void getBounds(float &xmin, float &ymin, float &xmax, float &ymax) const {
        xmin = lo[0]; ymin = lo[1]; xmax = hi[0]; ymax = hi[1];
    }
    void setBounds(float xmin, float ymin, float xmax, float ymax) {
        lo.setValue(xmin, ymin); hi.setValue(xmax, ymax);
    }
    void setBounds(const SbVec2f &min, const SbVec2f &max) { lo = min; hi = max; }
    SbVec2f getCenter() const { return (lo + hi) * 0.5f; }
    void getSize(float &w, float &h) const { w = hi[0] - lo[0]; h = hi[1] - lo[1]; }
    void makeEmpty() { lo.setValue(1e30f, 1e30f); hi.setValue(-1e30f, -1e30f); }
    bool isEmpty() const { return hi[0] < lo[0] || hi[1] < lo[1]; }
    void extendBy(const SbVec2f &p) {
        lo.setValue(std::min(lo[0], p[0]), std::min(lo[1], p[1]));
        hi.setValue(std::max(hi[0], p[0]), std::max(hi[1], p[1]));
    }
    void extendBy(const SbBox2f &b) {
        if (b.isEmpty()) return;
        extendBy(b.lo);
        extendBy(b.hi);
    }
    bool intersect(const SbVec2f &p) const {
        return p[0] >= lo[0] && p[0] <= hi[0] && p[1] >= lo[1] && p[1] <= hi[1];
    }
    bool intersect(const SbBox2f &b) const {
        return !isEmpty() && !b.isEmpty() && b.hi[0] >= lo[0] && b.lo[0] <= hi[0] && b.hi[1] >= lo[1] &&
               b.lo[1] <= hi[1];
    }
    friend bool operator==(const SbBox2f &a, const SbBox2f &b) { return a.lo == b.lo && a.hi == b.hi; }
    friend bool operator!=(const SbBox2f &a, const SbBox2f &b) { return !(a == b); }

private:
    SbVec2f lo, hi;
};

#endif
