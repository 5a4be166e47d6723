// Traversal and state: reference counting, separators, path traversal, switches, search, lights,
// the environment, cameras and viewAll.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "scene_test_util.h"
#include "scene/actions/SoSearchAction.h"
#include "scene/elements/SoEnvironmentElement.h"
#include "scene/elements/SoLightElement.h"
#include "scene/misc/SoPath.h"
#include "scene/nodes/SoCone.h"
#include "scene/nodes/SoCube.h"
#include "scene/nodes/SoEnvironment.h"
#include "scene/nodes/SoGroup.h"
#include "scene/nodes/SoLOD.h"
#include "scene/nodes/SoMaterial.h"
#include "scene/nodes/SoOrthographicCamera.h"
#include "scene/nodes/SoPerspectiveCamera.h"
#include "scene/nodes/SoPointLight.h"
#include "scene/nodes/SoSeparator.h"
#include "scene/nodes/SoSphere.h"
#include "scene/nodes/SoSwitch.h"
#include "scene/nodes/SoTransformSeparator.h"
#include "scene/nodes/SoTranslation.h"

namespace {

constexpr float kPi = 3.14159265358979f;

class TraversalTest : public SceneTest {};

// A node that reports its deletion.
class TrackedNode : public SoNode {
public:
    explicit TrackedNode(bool *deleted) : flag(deleted) {}
    SoType getTypeId() const override { return SoNode::getClassTypeId(); }

protected:
    ~TrackedNode() override { *flag = true; }

private:
    bool *flag;
};

SoMaterial *material(float r, float g, float b) {
    SoMaterial *m = new SoMaterial;
    m->diffuseColor.setValue(SbColor(r, g, b));
    return m;
}

SoTranslation *translation(float x, float y, float z) {
    SoTranslation *t = new SoTranslation;
    t->translation.setValue(SbVec3f(x, y, z));
    return t;
}

SbMatrix translationMatrix(const SbVec3f &t) {
    SbMatrix m;
    m.setTranslate(t);
    return m;
}

int countFrom(const Recorded &r, const SoNode *shape) {
    int n = 0;
    for (const RecordedTriangle &t : r.triangles) n += t.shape == shape;
    return n;
}

} // namespace

TEST_F(TraversalTest, ReferenceCountingDeletesAtZero) {
    bool childDeleted = false, otherDeleted = false;
    TrackedNode *child = new TrackedNode(&childDeleted), *other = new TrackedNode(&otherDeleted);
    EXPECT_EQ(child->getRefCount(), 0);
    child->ref();
    SoGroup *group = new SoGroup;
    group->ref();
    group->addChild(child);
    EXPECT_EQ(child->getRefCount(), 2);
    group->removeChild(child);
    EXPECT_EQ(child->getRefCount(), 1);
    group->addChild(child);
    child->unref();
    other->ref();
    other->unrefNoDelete();
    EXPECT_FALSE(childDeleted || otherDeleted); // the group still holds the child
    EXPECT_EQ(other->getRefCount(), 0);
    group->addChild(other);
    group->unref(); // deleting the group releases its children
    EXPECT_TRUE(childDeleted && otherDeleted);
}

TEST_F(TraversalTest, SeparatorsRestoreEveryElementAndTransformSeparatorsOnlyTheMatrix) {
    SoCube *inside = new SoCube, *after = new SoCube, *last = new SoCube;
    NodeRef<SoGroup> root(with(new SoGroup, {with(new SoSeparator, {material(1, 0, 0), translation(5, 0, 0), inside}),
                                             after, translation(0, 0, 2),
                                             with(new SoTransformSeparator, {material(0, 1, 0), translation(5, 0, 0)}),
                                             last}));
    const Recorded r = collectPrimitives(root);
    ASSERT_EQ(r.triangles.size(), 36u);
    for (const RecordedTriangle &t : r.triangles) {
        const bool in = t.shape == inside, isLast = t.shape == last;
        EXPECT_TRUE(near3(t.diffuse, in ? SbColor(1, 0, 0) : isLast ? SbColor(0, 1, 0) : SbColor(0.8f, 0.8f, 0.8f)));
        EXPECT_TRUE(t.model.equals(translationMatrix(in ? SbVec3f(5, 0, 0) : isLast ? SbVec3f(0, 0, 2) : SbVec3f()), 0));
    }
}

TEST_F(TraversalTest, PathTraversalDrawsOnlyThePathButAppliesStateBeforeIt) {
    SoCube *besideOnPath = new SoCube;
    SoSphere *target = new SoSphere;
    NodeRef<SoSeparator> root(with(new SoSeparator, {
        material(1, 0, 0),                                         // 0: off the path, before it: applies
        with(new SoSeparator, {translation(5, 0, 0), new SoCube}), // 1: off the path: not drawn
        translation(0, 1, 0),                                      // 2: applies
        with(new SoSeparator, {translation(0, 7, 0), besideOnPath, target}), // 3: the path, to its third child
        new SoCone}));                                             // 4: after the path: not reached
    NodeRef<SoPath> path(new SoPath(root));
    path->append(3);
    path->append(2);
    ASSERT_EQ(path->getTail(), target);
    const Recorded r = collectPrimitives(root, path);
    EXPECT_EQ(countFrom(r, target), 224);
    EXPECT_EQ(r.triangles.size(), 224u);
    EXPECT_EQ(r.triangles[0].diffuse, SbColor(1, 0, 0));
    EXPECT_TRUE(r.triangles[0].model.equals(translationMatrix(SbVec3f(0, 8, 0)), 0));
    // The same scene applied as a whole draws all four shapes.
    const Recorded whole = collectPrimitives(root);
    EXPECT_EQ(whole.triangles.size(), 12u + 12u + 224u + 32u);
    EXPECT_EQ(countFrom(whole, besideOnPath), 12);
}

TEST_F(TraversalTest, SwitchAndLevelOfDetailChooseTheirChildren) {
    SoCube *cube = new SoCube;
    SoSphere *sphere = new SoSphere;
    NodeRef<SoSwitch> sw(with(new SoSwitch, {cube, sphere, new SoCone}));
    EXPECT_EQ(sw->whichChild.getValue(), SoSwitch::SO_SWITCH_NONE);
    EXPECT_TRUE(collectPrimitives(sw).triangles.empty());
    sw->whichChild.setValue(7); // out of range: nothing
    EXPECT_TRUE(collectPrimitives(sw).triangles.empty());
    sw->whichChild.setValue(1);
    EXPECT_EQ(countFrom(collectPrimitives(sw), sphere), 224);
    EXPECT_EQ(collectPrimitives(sw).triangles.size(), 224u);
    sw->whichChild.setValue(SoSwitch::SO_SWITCH_ALL);
    EXPECT_EQ(countFrom(collectPrimitives(sw), cube), 12);
    EXPECT_EQ(collectPrimitives(sw).triangles.size(), 12u + 224u + 32u);
    NodeRef<SoLOD> lod(with(new SoLOD, {cube, new SoSphere})); // without a camera: the first child
    EXPECT_EQ(countFrom(collectPrimitives(lod), cube), 12);
    EXPECT_EQ(collectPrimitives(lod).triangles.size(), 12u);
}

TEST_F(TraversalTest, SearchByTypeAndName) {
    SoCube *first = new SoCube, *second = new SoCube;
    SoSphere *named = new SoSphere;
    named->setName("target");
    NodeRef<SoSeparator> root(with(new SoSeparator, {first, with(new SoSeparator, {second, named})}));
    // The tail and length of each path found, searching for a name if one is given, else for a type.
    using Found = std::vector<std::pair<SoNode *, int>>;
    auto search = [&](SoType type, bool derived, const char *name, bool all) {
        SoSearchAction s;
        if (*name)
            s.setName(name);
        else
            s.setType(type, derived);
        s.setInterest(all ? SoSearchAction::ALL : SoSearchAction::FIRST);
        s.apply(root);
        Found found;
        for (int i = 0; i < (all ? s.getPaths().getLength() : s.getPath() != nullptr); i++) {
            const SoPath *p = all ? s.getPaths()[i] : s.getPath();
            found.push_back({p->getTail(), p->getLength()});
        }
        return found;
    };
    const SoType cube = SoCube::getClassTypeId(), shape = SoShape::getClassTypeId();
    EXPECT_EQ(search(cube, true, "", false), (Found{{first, 2}}));
    EXPECT_EQ(search(cube, true, "", true), (Found{{first, 2}, {second, 3}}));
    EXPECT_EQ(search(shape, true, "", true).size(), 3u);
    EXPECT_EQ(search(shape, false, "", false).size(), 0u); // no node is exactly a shape
    EXPECT_EQ(search(cube, true, "target", false), (Found{{named, 3}}));
    EXPECT_EQ(search(cube, true, "absent", false).size(), 0u);
}

namespace {
// What the first cube of a scene sees: the lights (and the first one's matrix), the attenuation,
// and the camera's view volume and matrices.
struct StateAtCube {
    int lights = -1;
    const SoNode *light = nullptr;
    SbMatrix lightMatrix, viewing, projection;
    SbVec3f attenuation;
    SbViewVolume volume;
};

StateAtCube stateAtCube(SoNode *root, const SbViewportRegion &region = SbViewportRegion(100, 100)) {
    StateAtCube state;
    SoCallbackAction action(region);
    action.addPreCallback(
        SoCube::getClassTypeId(),
        [](void *data, SoCallbackAction *a, const SoNode *) {
            StateAtCube *s = static_cast<StateAtCube *>(data);
            const SoNodeList &lights = SoLightElement::getLights(a->getState());
            s->lights = lights.getLength();
            if (s->lights > 0) {
                s->lightMatrix = SoLightElement::getMatrix(a->getState(), 0);
                s->light = lights[0];
            }
            s->attenuation = SoEnvironmentElement::getLightAttenuation(a->getState());
            s->volume = a->getViewVolume();
            s->viewing = a->getViewingMatrix();
            s->projection = a->getProjectionMatrix();
            return SoCallbackAction::ABORT;
        },
        &state);
    action.apply(root);
    return state;
}
} // namespace

TEST_F(TraversalTest, LightsCarryTheModelTimesViewingMatrixOfTheirPlace) {
    SoPerspectiveCamera *camera = new SoPerspectiveCamera;
    camera->position.setValue(SbVec3f(0, 0, 10));
    SoPointLight *light = new SoPointLight; // location (0, 0, 1); the translation after it does not move it
    NodeRef<SoSeparator> root(
        with(new SoSeparator, {camera, translation(1, 2, 3), light, translation(50, 0, 0), new SoCube}));
    StateAtCube state = stateAtCube(root);
    ASSERT_EQ(state.lights, 1);
    EXPECT_EQ(state.light, light);
    // World (1, 2, 4) seen from a camera at (0, 0, 10) looking down -z.
    SbVec3f eye;
    state.lightMatrix.multVecMatrix(light->location.getValue(), eye);
    EXPECT_TRUE(near3(eye, SbVec3f(1, 2, -6)));
    // A light met before the camera has no viewing matrix yet: it moves with the camera.
    NodeRef<SoSeparator> headlight(with(new SoSeparator, {new SoPointLight, camera, new SoCube}));
    state = stateAtCube(headlight);
    ASSERT_EQ(state.lights, 1);
    EXPECT_TRUE(state.lightMatrix.equals(SbMatrix::identity(), 0));
    // A light inside a separator does not reach the shapes after it.
    NodeRef<SoSeparator> scoped(with(new SoSeparator, {with(new SoSeparator, {new SoPointLight}), new SoCube}));
    EXPECT_EQ(stateAtCube(scoped).lights, 0);
}

TEST_F(TraversalTest, EnvironmentHandsOutAttenuationConstantFirst) {
    NodeRef<SoSeparator> root(with(new SoSeparator, {new SoCube}));
    EXPECT_TRUE(near3(stateAtCube(root).attenuation, SbVec3f(1, 0, 0))); // without an environment
    SoEnvironment *env = new SoEnvironment;
    root->insertChild(env, 0);
    EXPECT_TRUE(near3(env->attenuation.getValue(), SbVec3f(0, 0, 1))); // squared, linear, constant
    EXPECT_TRUE(near3(stateAtCube(root).attenuation, SbVec3f(1, 0, 0)));
    env->attenuation.setValue(SbVec3f(0.3f, 0.2f, 0.1f));
    EXPECT_TRUE(near3(stateAtCube(root).attenuation, SbVec3f(0.1f, 0.2f, 0.3f)));
}

TEST_F(TraversalTest, CamerasAdjustToTheViewportAspect) {
    SoPerspectiveCamera *persp = new SoPerspectiveCamera;
    persp->heightAngle.setValue(kPi / 2);
    persp->nearDistance.setValue(1);
    SoOrthographicCamera *ortho = new SoOrthographicCamera;
    ortho->height.setValue(2);
    // The narrower side keeps the height angle (or height): 2 at the near plane.
    for (SoCamera *camera : {static_cast<SoCamera *>(persp), static_cast<SoCamera *>(ortho)}) {
        NodeRef<SoSeparator> root(with(new SoSeparator, {camera, new SoCube}));
        const StateAtCube wide = stateAtCube(root, SbViewportRegion(200, 100));
        const StateAtCube tall = stateAtCube(root, SbViewportRegion(100, 200));
        EXPECT_NEAR(wide.volume.getWidth(), 4.0f, 1e-5);
        EXPECT_NEAR(wide.volume.getHeight(), 2.0f, 1e-5);
        EXPECT_NEAR(tall.volume.getWidth(), 2.0f, 1e-5);
        EXPECT_NEAR(tall.volume.getHeight(), 4.0f, 1e-5);
        // The state's matrices are the volume's.
        SbMatrix affine, proj;
        wide.volume.getMatrices(affine, proj);
        EXPECT_TRUE(wide.viewing.equals(affine, 0));
        EXPECT_TRUE(wide.projection.equals(proj, 0));
    }
}

TEST_F(TraversalTest, ViewAllMakesTheSceneFillTheView) {
    for (bool perspective : {true, false})
        for (const SbViewportRegion &region : {SbViewportRegion(200, 100), SbViewportRegion(100, 200)}) {
            SoCamera *camera = perspective ? static_cast<SoCamera *>(new SoPerspectiveCamera) : new SoOrthographicCamera;
            camera->orientation.setValue(SbRotation(SbVec3f(1, 1, 0), 0.6f));
            SoCube *cube = new SoCube;
            cube->width.setValue(2);
            cube->height.setValue(4);
            cube->depth.setValue(6);
            NodeRef<SoSeparator> root(with(new SoSeparator, {camera, translation(10, 0, 0), cube}));
            camera->viewAll(root, region);
            // Every corner of the box (9..11, -2..2, -3..3) projects inside the view volume, and
            // the largest |x| or |y| is a fair part of the view.
            const StateAtCube s = stateAtCube(root, region);
            float largest = 0;
            for (int corner = 0; corner < 8; corner++) {
                SbVec3f ndc;
                (s.viewing * s.projection)
                    .multVecMatrix(SbVec3f(corner & 1 ? 11 : 9, corner & 2 ? 2 : -2, corner & 4 ? 3 : -3), ndc);
                for (int k = 0; k < 3; k++) EXPECT_LE(std::fabs(ndc[k]), 1.0001f) << corner << " " << k;
                largest = std::max({largest, std::fabs(ndc[0]), std::fabs(ndc[1])});
            }
            EXPECT_GT(largest, 0.3f);
        }
}
