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

SbVec3f translationOf(const SbMatrix &m) { return SbVec3f(m[3][0], m[3][1], m[3][2]); }

int countFrom(const Recorded &r, const SoNode *shape) {
    int n = 0;
    for (const RecordedTriangle &t : r.triangles) n += t.shape == shape;
    return n;
}

} // namespace

TEST_F(TraversalTest, ReferenceCountingDeletesAtZero) {
    bool childDeleted = false;
    TrackedNode *child = new TrackedNode(&childDeleted);
    EXPECT_EQ(child->getRefCount(), 0);
    child->ref();
    SoGroup *group = new SoGroup;
    group->ref();
    group->addChild(child);
    EXPECT_EQ(child->getRefCount(), 2);
    group->removeChild(child);
    EXPECT_EQ(child->getRefCount(), 1);
    EXPECT_FALSE(childDeleted);
    group->addChild(child);
    child->unref();
    EXPECT_FALSE(childDeleted); // the group still holds it
    // Deleting the group releases its children.
    bool otherDeleted = false;
    TrackedNode *other = new TrackedNode(&otherDeleted);
    other->ref();
    other->unrefNoDelete();
    EXPECT_FALSE(otherDeleted);
    EXPECT_EQ(other->getRefCount(), 0);
    group->addChild(other);
    group->unref();
    EXPECT_TRUE(childDeleted);
    EXPECT_TRUE(otherDeleted);
}

TEST_F(TraversalTest, SeparatorRestoresEveryElement) {
    NodeRef<SoGroup> root;
    SoSeparator *sep = new SoSeparator;
    sep->addChild(material(1, 0, 0));
    sep->addChild(translation(5, 0, 0));
    SoCube *inside = new SoCube;
    sep->addChild(inside);
    root->addChild(sep);
    SoCube *after = new SoCube;
    root->addChild(after);
    const Recorded r = collectPrimitives(root);
    ASSERT_EQ(r.triangles.size(), 24u);
    for (const RecordedTriangle &t : r.triangles) {
        if (t.shape == inside) {
            EXPECT_EQ(t.diffuse, SbColor(1, 0, 0));
            EXPECT_TRUE(near3(translationOf(t.model), SbVec3f(5, 0, 0)));
        } else {
            ASSERT_EQ(t.shape, after);
            EXPECT_TRUE(near3(t.diffuse, SbColor(0.8f, 0.8f, 0.8f)));
            EXPECT_TRUE(t.model.equals(SbMatrix::identity(), 0));
        }
    }
}

TEST_F(TraversalTest, TransformSeparatorRestoresOnlyTheMatrix) {
    NodeRef<SoGroup> root;
    SoTransformSeparator *ts = new SoTransformSeparator;
    ts->addChild(material(0, 1, 0));
    ts->addChild(translation(5, 0, 0));
    root->addChild(translation(0, 0, 2));
    root->addChild(ts);
    root->addChild(new SoCube);
    const Recorded r = collectPrimitives(root);
    ASSERT_EQ(r.triangles.size(), 12u);
    EXPECT_EQ(r.triangles[0].diffuse, SbColor(0, 1, 0));
    EXPECT_TRUE(near3(translationOf(r.triangles[0].model), SbVec3f(0, 0, 2)));
}

TEST_F(TraversalTest, PathTraversalDrawsOnlyThePathButAppliesStateBeforeIt) {
    NodeRef<SoSeparator> root;
    root->addChild(material(1, 0, 0));           // 0: off the path, before it: applies
    SoSeparator *beside = new SoSeparator;        // 1: off the path: its shape is not drawn
    beside->addChild(translation(5, 0, 0));
    beside->addChild(new SoCube);
    root->addChild(beside);
    root->addChild(translation(0, 1, 0));         // 2: applies
    SoSeparator *onPath = new SoSeparator;        // 3: on the path
    onPath->addChild(translation(0, 7, 0));
    SoCube *besideOnPath = new SoCube;
    onPath->addChild(besideOnPath);               // before the tail, off the path: not drawn
    SoSphere *target = new SoSphere;
    onPath->addChild(target);
    root->addChild(onPath);
    root->addChild(new SoCone);                   // 4: after the path: not reached

    NodeRef<SoPath> path(new SoPath(root));
    path->append(3);
    path->append(2);
    ASSERT_EQ(path->getTail(), target);
    const Recorded r = collectPrimitives(root, path);
    ASSERT_FALSE(r.triangles.empty());
    EXPECT_EQ(countFrom(r, target), static_cast<int>(r.triangles.size()));
    EXPECT_EQ(r.triangles[0].diffuse, SbColor(1, 0, 0));
    EXPECT_TRUE(near3(translationOf(r.triangles[0].model), SbVec3f(0, 8, 0)));
    // The same scene applied as a whole draws all four shapes.
    const Recorded whole = collectPrimitives(root);
    EXPECT_GT(whole.triangles.size(), r.triangles.size() + 24);
    EXPECT_EQ(countFrom(whole, besideOnPath), 12);
}

TEST_F(TraversalTest, SwitchAndLevelOfDetailChooseTheirChildren) {
    NodeRef<SoSwitch> sw;
    SoCube *cube = new SoCube;
    SoSphere *sphere = new SoSphere;
    SoCone *cone = new SoCone;
    sw->addChild(cube);
    sw->addChild(sphere);
    sw->addChild(cone);
    EXPECT_EQ(sw->whichChild.getValue(), SoSwitch::SO_SWITCH_NONE);
    EXPECT_TRUE(collectPrimitives(sw).triangles.empty());
    sw->whichChild.setValue(1);
    Recorded r = collectPrimitives(sw);
    EXPECT_FALSE(r.triangles.empty());
    EXPECT_EQ(countFrom(r, sphere), static_cast<int>(r.triangles.size()));
    sw->whichChild.setValue(SoSwitch::SO_SWITCH_ALL);
    r = collectPrimitives(sw);
    EXPECT_EQ(countFrom(r, cube), 12);
    EXPECT_GT(countFrom(r, sphere), 0);
    EXPECT_GT(countFrom(r, cone), 0);
    sw->whichChild.setValue(7); // out of range: nothing
    EXPECT_TRUE(collectPrimitives(sw).triangles.empty());

    NodeRef<SoLOD> lod;
    SoCube *detailed = new SoCube;
    lod->addChild(detailed);
    lod->addChild(new SoSphere);
    r = collectPrimitives(lod);
    EXPECT_EQ(r.triangles.size(), 12u);
    EXPECT_EQ(countFrom(r, detailed), 12);
}

TEST_F(TraversalTest, SearchByTypeAndName) {
    NodeRef<SoSeparator> root;
    SoCube *first = new SoCube;
    root->addChild(first);
    SoSeparator *inner = new SoSeparator;
    SoSphere *named = new SoSphere;
    named->setName("target");
    inner->addChild(new SoCube);
    inner->addChild(named);
    root->addChild(inner);

    SoSearchAction search;
    search.setType(SoCube::getClassTypeId());
    search.apply(root);
    ASSERT_NE(search.getPath(), nullptr);
    EXPECT_EQ(search.getPath()->getTail(), first);
    EXPECT_EQ(search.getPath()->getLength(), 2);

    search.reset();
    search.setInterest(SoSearchAction::ALL);
    search.apply(root);
    EXPECT_EQ(search.getPaths().getLength(), 2);
    EXPECT_EQ(search.getPaths()[1]->getLength(), 3);

    SoSearchAction byBase;
    byBase.setType(SoShape::getClassTypeId());
    byBase.setInterest(SoSearchAction::ALL);
    byBase.apply(root);
    EXPECT_EQ(byBase.getPaths().getLength(), 3);
    SoSearchAction exact;
    exact.setType(SoShape::getClassTypeId(), false);
    exact.apply(root);
    EXPECT_EQ(exact.getPath(), nullptr);

    SoSearchAction byName;
    byName.setName("target");
    byName.apply(root);
    ASSERT_NE(byName.getPath(), nullptr);
    EXPECT_EQ(byName.getPath()->getTail(), named);
    EXPECT_EQ(byName.getPath()->getNode(1), inner);
    byName.setName("absent");
    byName.apply(root);
    EXPECT_EQ(byName.getPath(), nullptr);
}

namespace {
struct LightRecord {
    int count = -1;
    SbMatrix matrix;
    const SoNode *light = nullptr;
    SbVec3f attenuation;
};

LightRecord lightsAtCube(SoNode *root) {
    LightRecord rec;
    SoCallbackAction action(SbViewportRegion(100, 100));
    action.addPreCallback(
        SoCube::getClassTypeId(),
        [](void *data, SoCallbackAction *a, const SoNode *) {
            LightRecord *r = static_cast<LightRecord *>(data);
            const SoNodeList &lights = SoLightElement::getLights(a->getState());
            r->count = lights.getLength();
            if (r->count > 0) {
                r->matrix = SoLightElement::getMatrix(a->getState(), 0);
                r->light = lights[0];
            }
            r->attenuation = SoEnvironmentElement::getLightAttenuation(a->getState());
            return SoCallbackAction::CONTINUE;
        },
        &rec);
    action.apply(root);
    return rec;
}
} // namespace

TEST_F(TraversalTest, LightsCarryTheModelTimesViewingMatrixOfTheirPlace) {
    NodeRef<SoSeparator> root;
    SoPerspectiveCamera *camera = new SoPerspectiveCamera;
    camera->position.setValue(SbVec3f(0, 0, 10));
    root->addChild(camera);
    root->addChild(translation(1, 2, 3));
    SoPointLight *light = new SoPointLight; // location (0, 0, 1)
    root->addChild(light);
    root->addChild(translation(50, 0, 0)); // after the light: no effect on it
    root->addChild(new SoCube);
    LightRecord rec = lightsAtCube(root);
    ASSERT_EQ(rec.count, 1);
    EXPECT_EQ(rec.light, light);
    // World (1, 2, 4) seen from a camera at (0, 0, 10) looking down -z.
    SbVec3f eye;
    rec.matrix.multVecMatrix(light->location.getValue(), eye);
    EXPECT_TRUE(near3(eye, SbVec3f(1, 2, -6)));

    // A light met before the camera has no viewing matrix yet: it moves with the camera.
    NodeRef<SoSeparator> headlight;
    SoPointLight *first = new SoPointLight;
    headlight->addChild(first);
    headlight->addChild(camera);
    headlight->addChild(new SoCube);
    rec = lightsAtCube(headlight);
    ASSERT_EQ(rec.count, 1);
    EXPECT_TRUE(rec.matrix.equals(SbMatrix::identity(), 0));

    // A light inside a separator does not reach the shapes after it.
    NodeRef<SoSeparator> scoped;
    SoSeparator *sep = new SoSeparator;
    sep->addChild(new SoPointLight);
    scoped->addChild(sep);
    scoped->addChild(new SoCube);
    EXPECT_EQ(lightsAtCube(scoped).count, 0);
}

TEST_F(TraversalTest, EnvironmentHandsOutAttenuationConstantFirst) {
    NodeRef<SoSeparator> bare;
    bare->addChild(new SoCube);
    EXPECT_TRUE(near3(lightsAtCube(bare).attenuation, SbVec3f(1, 0, 0)));

    NodeRef<SoSeparator> root;
    SoEnvironment *env = new SoEnvironment;
    root->addChild(env);
    root->addChild(new SoCube);
    EXPECT_TRUE(near3(env->attenuation.getValue(), SbVec3f(0, 0, 1))); // squared, linear, constant
    EXPECT_TRUE(near3(lightsAtCube(root).attenuation, SbVec3f(1, 0, 0)));
    env->attenuation.setValue(SbVec3f(0.3f, 0.2f, 0.1f));
    EXPECT_TRUE(near3(lightsAtCube(root).attenuation, SbVec3f(0.1f, 0.2f, 0.3f)));
}

namespace {
struct CameraState {
    SbViewVolume volume;
    SbMatrix viewing, projection;
};

CameraState cameraStateFor(SoNode *root, const SbViewportRegion &region) {
    CameraState s;
    SoCallbackAction action(region);
    action.addPostCallback(
        SoCamera::getClassTypeId(),
        [](void *data, SoCallbackAction *a, const SoNode *) {
            CameraState *st = static_cast<CameraState *>(data);
            st->volume = a->getViewVolume();
            st->viewing = a->getViewingMatrix();
            st->projection = a->getProjectionMatrix();
            return SoCallbackAction::CONTINUE;
        },
        &s);
    action.apply(root);
    return s;
}
} // namespace

TEST_F(TraversalTest, CameraAdjustsToTheViewportAspect) {
    NodeRef<SoPerspectiveCamera> persp;
    persp->heightAngle.setValue(kPi / 2);
    persp->nearDistance.setValue(1);
    CameraState wide = cameraStateFor(persp, SbViewportRegion(200, 100));
    EXPECT_NEAR(wide.volume.getHeight(), 2.0f, 1e-5);
    EXPECT_NEAR(wide.volume.getWidth(), 4.0f, 1e-5);
    // Taller than wide: the narrower side keeps the height angle.
    CameraState tall = cameraStateFor(persp, SbViewportRegion(100, 200));
    EXPECT_NEAR(tall.volume.getWidth(), 2.0f, 1e-5);
    EXPECT_NEAR(tall.volume.getHeight(), 4.0f, 1e-5);
    // The state's matrices are the volume's.
    SbMatrix affine, proj;
    wide.volume.getMatrices(affine, proj);
    EXPECT_TRUE(wide.viewing.equals(affine, 0));
    EXPECT_TRUE(wide.projection.equals(proj, 0));

    NodeRef<SoOrthographicCamera> ortho;
    ortho->height.setValue(2);
    EXPECT_NEAR(cameraStateFor(ortho, SbViewportRegion(200, 100)).volume.getWidth(), 4.0f, 1e-5);
    CameraState orthoTall = cameraStateFor(ortho, SbViewportRegion(100, 200));
    EXPECT_NEAR(orthoTall.volume.getWidth(), 2.0f, 1e-5);
    EXPECT_NEAR(orthoTall.volume.getHeight(), 4.0f, 1e-5);
}

namespace {
// Projects the corners of a box through the camera as the traversal sets it up and returns the
// largest |x| or |y|; fails the test when a corner lies outside the view volume.
float checkBoxVisible(SoNode *root, const SbViewportRegion &region, const SbBox3f &box) {
    CameraState s = cameraStateFor(root, region);
    const SbMatrix all = s.viewing * s.projection;
    float largest = 0;
    for (int corner = 0; corner < 8; corner++) {
        const SbVec3f p((corner & 1) ? box.getMax()[0] : box.getMin()[0], (corner & 2) ? box.getMax()[1] : box.getMin()[1],
                        (corner & 4) ? box.getMax()[2] : box.getMin()[2]);
        SbVec3f ndc;
        all.multVecMatrix(p, ndc);
        for (int k = 0; k < 3; k++) {
            EXPECT_GE(ndc[k], -1.0001f) << "corner " << corner << " axis " << k;
            EXPECT_LE(ndc[k], 1.0001f) << "corner " << corner << " axis " << k;
        }
        largest = std::max(largest, std::max(std::fabs(ndc[0]), std::fabs(ndc[1])));
    }
    return largest;
}
} // namespace

TEST_F(TraversalTest, ViewAllMakesTheSceneVisible) {
    for (int kind = 0; kind < 2; kind++) {
        for (const SbViewportRegion &region : {SbViewportRegion(200, 100), SbViewportRegion(100, 200)}) {
            NodeRef<SoSeparator> root;
            SoCamera *camera = kind == 0 ? static_cast<SoCamera *>(new SoPerspectiveCamera)
                                         : static_cast<SoCamera *>(new SoOrthographicCamera);
            camera->orientation.setValue(SbRotation(SbVec3f(1, 1, 0), 0.6f));
            root->addChild(camera);
            root->addChild(translation(10, 0, 0));
            SoCube *cube = new SoCube;
            cube->width.setValue(2);
            cube->height.setValue(4);
            cube->depth.setValue(6);
            root->addChild(cube);
            camera->viewAll(root, region);
            const float largest = checkBoxVisible(root, region, SbBox3f(9, -2, -3, 11, 2, 3));
            EXPECT_GT(largest, 0.3f) << "the scene should fill a fair part of the view";
        }
    }
}
