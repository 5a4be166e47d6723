// The library's lighting of faces, against colours computed by hand. The scenes have no camera,
// so eye space is model space and every light's matrix is the identity (or what a transform
// before it makes of it). Triangles lie in z = 0, wound counter-clockwise seen from +z: their
// normal is +z.
#include "CaptureTestSupport.h"
#include "scene/nodes/SoDirectionalLight.h"
#include "scene/nodes/SoEnvironment.h"
#include "scene/nodes/SoLightModel.h"
#include "scene/nodes/SoPerspectiveCamera.h"
#include "scene/nodes/SoPointLight.h"
#include "scene/nodes/SoRotationXYZ.h"
#include "scene/nodes/SoShapeHints.h"
#include "scene/nodes/SoSpotLight.h"
#include "scene/nodes/SoTranslation.h"
#include <cmath>

using namespace capture_test;

namespace {
const float kPi = 3.14159265358979f;

struct LitScene : Scene {
    // Environment ambient light of that intensity (white), and a material.
    explicit LitScene(float ambientIntensity = 0.5f) {
        SoEnvironment *environment = add(new SoEnvironment);
        environment->ambientIntensity = ambientIntensity;
        material = add(new SoMaterial);
        material->ambientColor.setValue(SbColor(0.5f, 0.25f, 0));
        material->diffuseColor.setValue(SbColor(0.5f, 0.5f, 0.5f));
        material->specularColor.setValue(SbColor(0, 0, 0));
        material->emissiveColor.setValue(SbColor(0.1f, 0, 0));
        material->shininess.setValue(0.2f);
    }
    SoDirectionalLight *directional(const SbVec3f &direction, float intensity = 1.0f,
                                    const SbColor &color = SbColor(1, 1, 1)) {
        SoDirectionalLight *light = add(new SoDirectionalLight);
        light->direction = direction;
        light->intensity = intensity;
        light->color = color;
        return light;
    }
    // A triangle facing +z whose corners lie on a circle of that radius about the z axis.
    void circleTriangle(float radius) {
        const float s = 0.8660254f; // sin 60 degrees
        addTriangle(*this, SbVec3f(radius, 0, 0), SbVec3f(-0.5f * radius, s * radius, 0),
                    SbVec3f(-0.5f * radius, -s * radius, 0));
    }
    void smallTriangle() {
        addTriangle(*this, SbVec3f(-0.2f, -0.2f, 0), SbVec3f(0.2f, -0.2f, 0), SbVec3f(0, 0.2f, 0));
    }
    SoMaterial *material;
};

// The colours of the polygons printed with lighting enabled.
std::vector<SbColor> litColors(Scene &scene, SoVectorizeAction::ColorTranslationMethod method =
                                                 SoVectorizeAction::SWAP_BLACK_AND_WHITE) {
    RecordingAction action;
    action.enableLighting(1);
    action.setColorTranslationMethod(method);
    action.apply(scene.root);
    std::vector<SbColor> colors;
    // A polygon is printed in its first colour.
    for (const RecordedCall &c : action.callsOf("polygon"))
        colors.push_back(c.colors[0]);
    return colors;
}
} // namespace

TEST(LightingTest, WithoutLightsEmissivePlusAmbient) {
    // emissive (0.1, 0, 0) + ambient (0.5, 0.25, 0) x (1, 1, 1) x 0.5.
    LitScene scene;
    scene.smallTriangle();
    std::vector<SbColor> colors = litColors(scene);
    ASSERT_EQ(colors.size(), 1u);
    expectColor(colors[0], 0.35f, 0.125f, 0.0f);

    // Lighting off, or the base-colour model: the diffuse colour.
    RecordingAction unlit;
    unlit.apply(scene.root);
    ASSERT_EQ(unlit.callsOf("polygon").size(), 1u);
    expectColor(unlit.callsOf("polygon")[0].colors[0], 0.5f, 0.5f, 0.5f);

    LitScene base;
    SoLightModel *model = base.add(new SoLightModel);
    model->model = SoLightModel::BASE_COLOR;
    base.smallTriangle();
    colors = litColors(base);
    ASSERT_EQ(colors.size(), 1u);
    expectColor(colors[0], 0.5f, 0.5f, 0.5f);
}

TEST(LightingTest, ADirectionalLightOnTheFrontGivesTheFullDiffuse) {
    // Light (1, 0.5, 1) x 0.8 straight onto the face: diffuse (0.5, 0.5, 0.5) x (0.8, 0.4, 0.8)
    // = (0.4, 0.2, 0.4), added to (0.35, 0.125, 0).
    LitScene scene;
    scene.directional(SbVec3f(0, 0, -1), 0.8f, SbColor(1, 0.5f, 1));
    scene.smallTriangle();
    std::vector<SbColor> colors = litColors(scene);
    ASSERT_EQ(colors.size(), 1u);
    expectColor(colors[0], 0.75f, 0.325f, 0.4f);
}

TEST(LightingTest, ALightOnTheBackCountsOnlyWithTwoSidedLighting) {
    const struct {
        int ordering, shapeType;
        bool lit;
    } cases[] = {{SoShapeHints::UNKNOWN_ORDERING, SoShapeHints::UNKNOWN_SHAPE_TYPE, false},
                 {SoShapeHints::COUNTERCLOCKWISE, SoShapeHints::UNKNOWN_SHAPE_TYPE, true},
                 {SoShapeHints::CLOCKWISE, SoShapeHints::UNKNOWN_SHAPE_TYPE, true},
                 {SoShapeHints::COUNTERCLOCKWISE, SoShapeHints::SOLID, false}};
    for (const auto &c : cases) {
        LitScene scene;
        SoShapeHints *hints = scene.add(new SoShapeHints);
        hints->vertexOrdering = c.ordering;
        hints->shapeType = c.shapeType;
        scene.directional(SbVec3f(0, 0, 1), 0.8f, SbColor(1, 0.5f, 1));
        scene.smallTriangle();
        std::vector<SbColor> colors = litColors(scene);
        ASSERT_EQ(colors.size(), 1u);
        if (c.lit)
            expectColor(colors[0], 0.75f, 0.325f, 0.4f);
        else
            expectColor(colors[0], 0.35f, 0.125f, 0.0f);
    }
}

TEST(LightingTest, ASpotLightStopsAtItsCutOffAngle) {
    // Spot at (0, 0, 5) pointing down -z with cut-off 0.5 rad; the triangle's corners lie on a
    // circle in z = 0 seen from the spot at the angle given.
    auto spotColor = [](float angle, float dropOffRate) {
        LitScene scene;
        SoSpotLight *spot = scene.add(new SoSpotLight);
        spot->location = SbVec3f(0, 0, 5);
        spot->direction = SbVec3f(0, 0, -1);
        spot->cutOffAngle = 0.5f;
        spot->dropOffRate = dropOffRate;
        scene.circleTriangle(5.0f * std::tan(angle));
        std::vector<SbColor> colors = litColors(scene);
        EXPECT_EQ(colors.size(), 1u);
        return colors.empty() ? SbColor(-1, -1, -1) : colors[0];
    };
    // 0.6 rad off the axis: outside the cone, only emissive and ambient.
    expectColor(spotColor(0.6f, 0.0f), 0.35f, 0.125f, 0.0f);
    // 0.45 rad with drop-off 0: c ^ 0 = 1, full strength (the face is lit head-on along the
    // spot's direction, attenuation 1 with the default coefficients (1, 0, 0)).
    expectColor(spotColor(0.45f, 0.0f), 0.85f, 0.625f, 0.5f);
    // 0.3 rad with drop-off 0.01: cos(0.3) ^ 1.28 = 0.943192.
    const float spot = 0.943192f;
    expectColor(spotColor(0.3f, 0.01f), 0.35f + 0.5f * spot, 0.125f + 0.5f * spot, 0.5f * spot,
                2e-5f);
}

TEST(LightingTest, PointLightsAreAttenuatedAndZeroCoefficientsMeanNone) {
    // Light at (0, 0, 2), corners 1.5 from the axis: distance 2.5, and the unit vector from the
    // light makes N . direction = -2 / 2.5, a diffuse factor 0.8. No ambient.
    auto pointColor = [](const SbVec3f &squaredLinearConstant) {
        LitScene scene(0.0f);
        SoEnvironment *environment = scene.add(new SoEnvironment);
        environment->ambientIntensity = 0.0f;
        environment->attenuation = squaredLinearConstant;
        // Placed by a translation before it, which the light's matrix carries.
        SoTranslation *up = scene.add(new SoTranslation);
        up->translation = SbVec3f(0, 0, 2);
        SoPointLight *light = scene.add(new SoPointLight);
        light->location = SbVec3f(0, 0, 0);
        SoTranslation *down = scene.add(new SoTranslation);
        down->translation = SbVec3f(0, 0, -2);
        scene.circleTriangle(1.5f);
        std::vector<SbColor> colors = litColors(scene);
        EXPECT_EQ(colors.size(), 1u);
        return colors.empty() ? SbColor(-1, -1, -1) : colors[0];
    };
    // k0 = 1, k1 = 0.5, k2 = 0: q = 0.5 x 2.5 + 1 = 2.25; 0.5 x 0.8 / 2.25 = 0.177778 (+ red
    // emissive 0.1).
    expectColor(pointColor(SbVec3f(0, 0.5f, 1)), 0.1f + 0.4f / 2.25f, 0.4f / 2.25f, 0.4f / 2.25f,
                2e-5f);
    // All coefficients 0: q = 0 gives the factor 1.
    expectColor(pointColor(SbVec3f(0, 0, 0)), 0.5f, 0.4f, 0.4f, 2e-5f);
}

TEST(LightingTest, ShininessZeroAddsTheFullSpecularColour) {
    // Light along (0, 0.6, -0.8): diffuse factor 0.8, reflected z = -0.8 + 2 x 0.8 = 0.8.
    auto shinyColor = [](float shininess) {
        LitScene scene(0.0f);
        scene.material->emissiveColor.setValue(SbColor(0, 0, 0));
        scene.material->specularColor.setValue(SbColor(0.2f, 0.4f, 0.5f));
        scene.material->shininess.setValue(shininess);
        scene.directional(SbVec3f(0, 0.6f, -0.8f));
        scene.smallTriangle();
        std::vector<SbColor> colors = litColors(scene);
        EXPECT_EQ(colors.size(), 1u);
        return colors.empty() ? SbColor(-1, -1, -1) : colors[0];
    };
    // 0.8 ^ 0 = 1: diffuse 0.4 plus the specular colour.
    expectColor(shinyColor(0.0f), 0.6f, 0.8f, 0.9f);
    // Shininess 0.1: 0.8 ^ 12.8 = 0.0574937.
    const float k = 0.0574937f;
    expectColor(shinyColor(0.1f), 0.4f + 0.2f * k, 0.4f + 0.4f * k, 0.4f + 0.5f * k);
}

TEST(LightingTest, AnOverexposedWhiteIsKeptFromTheBlackAndWhiteSwap) {
    LitScene scene;
    scene.material->emissiveColor.setValue(SbColor(1, 1, 1));
    scene.directional(SbVec3f(0, 0, -1));
    scene.smallTriangle();
    std::vector<SbColor> swapped = litColors(scene);
    ASSERT_EQ(swapped.size(), 1u);
    EXPECT_EQ(swapped[0][0], 1.0f);
    EXPECT_EQ(swapped[0][1], 1.0f);
    // Each vertex comes out with blue 0.99989998; the face takes the mean of the three.
    const float vertexBlue = 0.99989998f;
    EXPECT_EQ(swapped[0][2], (vertexBlue + vertexBlue + vertexBlue) * 0.33333334f);
    EXPECT_NE(swapped[0][2], 1.0f);
    // Other translations get the clamped white itself.
    std::vector<SbColor> kept = litColors(scene, SoVectorizeAction::KEEP_COLORS);
    ASSERT_EQ(kept.size(), 1u);
    EXPECT_EQ(kept[0], SbColor(1, 1, 1));
    std::vector<SbColor> inverted = litColors(scene, SoVectorizeAction::INVERT_COLORS);
    ASSERT_EQ(inverted.size(), 1u);
    EXPECT_EQ(inverted[0], SbColor(0, 0, 0));

    // A black result is still swapped to white.
    LitScene dark(0.0f);
    dark.material->emissiveColor.setValue(SbColor(0, 0, 0));
    dark.smallTriangle();
    std::vector<SbColor> black = litColors(dark);
    ASSERT_EQ(black.size(), 1u);
    EXPECT_EQ(black[0], SbColor(1, 1, 1));
}

TEST(LightingTest, ALitTriangleIsFilledWithTheMeanOfItsVertexColours) {
    // Red, green and blue vertices under a white light head-on, no ambient: each vertex is its
    // diffuse colour, and the face is (1, 1, 1) x 0.33333334.
    LitScene scene(0.0f);
    scene.material->emissiveColor.setValue(SbColor(0, 0, 0));
    scene.material->diffuseColor.set1Value(0, SbColor(1, 0, 0));
    scene.material->diffuseColor.set1Value(1, SbColor(0, 1, 0));
    scene.material->diffuseColor.set1Value(2, SbColor(0, 0, 1));
    SoMaterialBinding *binding = scene.add(new SoMaterialBinding);
    binding->value = SoMaterialBinding::PER_VERTEX;
    scene.directional(SbVec3f(0, 0, -1));
    scene.smallTriangle();
    RecordingAction action;
    action.enableLighting(1);
    action.apply(scene.root);
    std::vector<RecordedCall> polygons = action.callsOf("polygon");
    ASSERT_EQ(polygons.size(), 1u);
    ASSERT_EQ(polygons[0].colors.size(), 3u);
    for (const SbColor &c : polygons[0].colors)
        EXPECT_EQ(c, SbColor(0.33333334f, 0.33333334f, 0.33333334f));
}

TEST(LightingTest, ALitTriangleOfTransparentVerticesIsDropped) {
    LitScene scene;
    scene.material->transparency.setValue(1.0f);
    scene.directional(SbVec3f(0, 0, -1));
    scene.smallTriangle();
    EXPECT_EQ(litColors(scene).size(), 0u);
}

TEST(LightingTest, NormalsTurnWithTheModelButIgnoreItsTranslation) {
    auto colorUnder = [](SoNode *transform) {
        LitScene scene(0.0f);
        scene.material->emissiveColor.setValue(SbColor(0, 0, 0));
        scene.directional(SbVec3f(0, 0, -1));
        scene.add(transform);
        scene.smallTriangle();
        std::vector<SbColor> colors = litColors(scene);
        EXPECT_EQ(colors.size(), 1u);
        return colors.empty() ? SbColor(-1, -1, -1) : colors[0];
    };
    SoTranslation *move = new SoTranslation;
    move->translation = SbVec3f(0.3f, 0.2f, 0.4f);
    expectColor(colorUnder(move), 0.5f, 0.5f, 0.5f);
    // Tilted by 60 degrees: the light meets the normal at cos 60 = 0.5.
    SoRotationXYZ *tilt = new SoRotationXYZ;
    tilt->axis = SoRotationXYZ::X;
    tilt->angle = kPi / 3.0f;
    expectColor(colorUnder(tilt), 0.25f, 0.25f, 0.25f);
}

TEST(LightingTest, LitTrianglesLandWhereUnlitOnesDo) {
    // Eye space then projection gives the same clip coordinates as the single product.
    LitScene scene;
    SoPerspectiveCamera *camera = new SoPerspectiveCamera;
    scene.root->insertChild(camera, 0);
    camera->position = SbVec3f(0.3f, 0.2f, 4);
    scene.directional(SbVec3f(0, 0, -1));
    addTriangle(scene, SbVec3f(-0.7f, -0.4f, 0.3f), SbVec3f(0.6f, -0.5f, -0.2f),
                SbVec3f(0.1f, 0.8f, 0.1f));
    RecordingAction lit, unlit;
    lit.enableLighting(1);
    lit.apply(scene.root);
    unlit.apply(scene.root);
    ASSERT_EQ(lit.callsOf("polygon").size(), 1u);
    ASSERT_EQ(unlit.callsOf("polygon").size(), 1u);
    const RecordedCall a = lit.callsOf("polygon")[0], b = unlit.callsOf("polygon")[0];
    ASSERT_EQ(a.points.size(), b.points.size());
    for (size_t i = 0; i < a.points.size(); i++)
        for (int k = 0; k < 3; k++)
            EXPECT_NEAR(a.points[i][k], b.points[i][k], 1e-3f);
}

TEST(LightingTest, TheLightListFollowsTheState) {
    // One light at 0.5, then a second at 0.25 inside a separator, then the first alone again.
    LitScene scene(0.0f);
    scene.material->emissiveColor.setValue(SbColor(0, 0, 0));
    scene.directional(SbVec3f(0, 0, -1), 0.5f);
    scene.smallTriangle();
    SoSeparator *group = scene.add(new SoSeparator);
    SoDirectionalLight *second = new SoDirectionalLight;
    second->direction = SbVec3f(0, 0, -1);
    second->intensity = 0.25f;
    group->addChild(second);
    group->addChild(
        coordinates({SbVec3f(-0.2f, -0.2f, 0), SbVec3f(0.2f, -0.2f, 0), SbVec3f(0, 0.2f, 0)}));
    group->addChild(new SoFaceSet);
    scene.smallTriangle();
    std::vector<SbColor> colors = litColors(scene);
    ASSERT_EQ(colors.size(), 3u);
    expectColor(colors[0], 0.25f, 0.25f, 0.25f);
    expectColor(colors[1], 0.375f, 0.375f, 0.375f);
    expectColor(colors[2], 0.25f, 0.25f, 0.25f);
}
