// Helpers for the toolkit tests: a fixture that initialises the database, an owning node pointer,
// small scene builders, and a recorder of the primitives a callback action receives.
#ifndef SCRIVANE_TESTS_HOST_SCENE_TEST_UTIL_H
#define SCRIVANE_TESTS_HOST_SCENE_TEST_UTIL_H

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <initializer_list>
#include <vector>

#include "scene/actions/SoCallbackAction.h"
#include "scene/base/SbViewportRegion.h"
#include "scene/fields/SoMField.h"
#include "scene/misc/SoDB.h"
#include "scene/misc/SoPrimitiveVertex.h"
#include "scene/nodes/SoNode.h"
#include "scene/nodes/SoShape.h"

class SceneTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { SoDB::init(); }
};

// Holds one reference on a node for the lifetime of the pointer.
template <class T> class NodeRef {
public:
    explicit NodeRef(T *node) : p(node) { p->ref(); }
    NodeRef() : NodeRef(new T) {}
    ~NodeRef() { p->unref(); }
    NodeRef(const NodeRef &) = delete;
    NodeRef &operator=(const NodeRef &) = delete;
    T *operator->() const { return p; }
    T *get() const { return p; }
    operator T *() const { return p; }

private:
    T *p;
};

// Adds children to a group and returns it.
template <class G> G *with(G *group, std::initializer_list<SoNode *> children) {
    for (SoNode *child : children) group->addChild(child);
    return group;
}

// Replaces the values of a multiple-value field.
template <class T> void setList(SoMFieldT<T> &field, const std::vector<T> &values) {
    field.setNum(0);
    field.setValues(0, static_cast<int>(values.size()), values.data());
}

struct RecordedTriangle {
    std::array<SoPrimitiveVertex, 3> v;
    SbColor diffuse;        // diffuse colour of the first vertex's material
    SbMatrix model;         // model matrix in force
    const SoNode *shape;    // the node that generated it
    // Geometric normal by the right-hand rule on the vertex order (not normalized).
    SbVec3f winding() const { return (v[1].getPoint() - v[0].getPoint()).cross(v[2].getPoint() - v[0].getPoint()); }
    SbVec3f facing() const {
        SbVec3f w = winding();
        w.normalize();
        return w;
    }
    SbVec3f centroid() const { return (v[0].getPoint() + v[1].getPoint() + v[2].getPoint()) / 3.0f; }
    float area() const { return 0.5f * winding().length(); }
};

struct Recorded {
    std::vector<RecordedTriangle> triangles;
    std::vector<std::array<SoPrimitiveVertex, 2>> segments;
    std::vector<SoPrimitiveVertex> points;
    std::vector<SbColor> pointDiffuse;
};

inline SbColor diffuseOf(SoCallbackAction *a, const SoPrimitiveVertex *v) {
    SbColor ambient, diffuse, specular, emissive;
    float shininess, transparency;
    a->getMaterial(ambient, diffuse, specular, emissive, shininess, transparency, v->getMaterialIndex());
    return diffuse;
}

// Applies a callback action to root (or to a path, when given) and records every primitive.
inline Recorded collectPrimitives(SoNode *root, SoPath *path = nullptr) {
    Recorded out;
    SoCallbackAction action(SbViewportRegion(100, 100));
    const SoType shape = SoShape::getClassTypeId();
    action.addTriangleCallback(
        shape,
        [](void *data, SoCallbackAction *a, const SoPrimitiveVertex *v1, const SoPrimitiveVertex *v2,
           const SoPrimitiveVertex *v3) {
            static_cast<Recorded *>(data)->triangles.push_back(
                {{*v1, *v2, *v3}, diffuseOf(a, v1), a->getModelMatrix(), a->getCurPathTail()});
        },
        &out);
    action.addLineSegmentCallback(
        shape,
        [](void *data, SoCallbackAction *, const SoPrimitiveVertex *v1, const SoPrimitiveVertex *v2) {
            static_cast<Recorded *>(data)->segments.push_back({*v1, *v2});
        },
        &out);
    action.addPointCallback(
        shape,
        [](void *data, SoCallbackAction *a, const SoPrimitiveVertex *v) {
            static_cast<Recorded *>(data)->points.push_back(*v);
            static_cast<Recorded *>(data)->pointDiffuse.push_back(diffuseOf(a, v));
        },
        &out);
    if (path)
        action.apply(path);
    else
        action.apply(root);
    return out;
}

// Volume enclosed by a closed set of triangles, positive when they all wind counter-clockwise
// seen from outside (sum of the signed tetrahedra with the origin).
inline double enclosedVolume(const std::vector<RecordedTriangle> &triangles) {
    double volume = 0;
    for (const RecordedTriangle &t : triangles)
        volume += double(t.v[0].getPoint().dot(t.v[1].getPoint().cross(t.v[2].getPoint()))) / 6.0;
    return volume;
}

inline ::testing::AssertionResult near3(const SbVec3f &a, const SbVec3f &b, float tol = 1e-5f) {
    if ((a - b).length() <= tol) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "(" << a[0] << ", " << a[1] << ", " << a[2] << ") vs (" << b[0] << ", "
                                         << b[1] << ", " << b[2] << ")";
}

#endif
