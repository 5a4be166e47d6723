#ifndef SCENE_SBBOX3F_H
#define SCENE_SBBOX3F_H
#include "scene/SceneExport.h"
#include "scene/base/SbMatrix.h"
#include "scene/base/SbVec3f.h"

// An axis-aligned 3-D box. An empty box has min > max.
class SCENE_API SbBox3f {
public:
    SbBox3f() { makeEmpty(); }
    SbBox3f(float xmin, float ymin, float zmin, float xmax, float ymax, float zmax)
        : lo(xmin, ymin, zmin), hi(xmax, ymax, zmax) {}
    SbBox3f(const SbVec3f &min, const SbVec3f &max) : lo(min), hi(max) {}
    const SbVec3f &getMin() const { return lo; }
    const SbVec3f &getMax() const { return hi; }
    SbVec3f getCenter() const { return (lo + hi) * 0.5f; }
    void getSize(float &x, float &y, float &z) const;
    void setBounds(const SbVec3f &min, const SbVec3f &max) { lo = min; hi = max; }
    void makeEmpty();
    bool isEmpty() const { return hi[0] < lo[0]; }
    void extendBy(const SbVec3f &p);
    void extendBy(const SbBox3f &b);
    bool intersect(const SbVec3f &p) const;
    bool intersect(const SbBox3f &b) const;
    // Replaces the box by the box around its eight corners transformed by m.
    void transform(const SbMatrix &m);
    float getVolume() const;

private:
    SbVec3f lo, hi;
};

#endif
