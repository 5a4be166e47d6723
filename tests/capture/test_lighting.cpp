// The library's lighting of faces, against colours computed by hand. The scenes have no camera,
// so eye space is model space and every light's matrix is the identity (or what a transform
// before it makes of it). Triangles lie in z = 0, wound counter-clockwise seen from +z: their
// normal is +z.
#include "CaptureTestSupport.h"
#include <cmath>
#include <cstdio>

using namespace capture_test;

namespace {

// A white ambient light of that intensity and a material with those fields.
std::string lit(const char *ambientIntensity, const std::string &material) {
    return std::string("Environment { ambientIntensity ") + ambientIntensity + " } Material { " +
           material + " } ";
}
const std::string kGrey = "diffuseColor 0.5 0.5 0.5 ";
// Emissive (0.1, 0, 0) plus ambient (0.5, 0.25, 0) x 0.5 gives (0.35, 0.125, 0) without light.
const std::string kAmbient = lit("0.5", kGrey + "ambientColor 0.5 0.25 0 emissiveColor 0.1 0 0");
const SbColor kUnlit(0.35f, 0.125f, 0.0f);
const std::string kDark = lit("0", kGrey);
const std::string kTriangle =
    "Coordinate3 { point [ -0.2 -0.2 0, 0.2 -0.2 0, 0 0.2 0 ] } FaceSet { } ";

// A triangle facing +z whose corners lie on a circle of that radius about the z axis.
std::string circleTriangle(float radius) {
    const float s = 0.8660254f; // sin 60 degrees
    char text[200];
    std::snprintf(text, sizeof text,
                  "Coordinate3 { point [ %.9g 0 0, %.9g %.9g 0, %.9g %.9g 0 ] } FaceSet { } ",
                  radius, -0.5f * radius, s * radius, -0.5f * radius, -s * radius);
    return text;
}

// Spot at (0, 0, 5) pointing down -z with cut-off 0.5 rad, lighting a triangle whose corners
// are seen from it at that angle.
std::string spot(float angle, const char *dropOffRate) {
    return kAmbient + "SpotLight { location 0 0 5 direction 0 0 -1 cutOffAngle 0.5 dropOffRate " +
           dropOffRate + " } " + circleTriangle(5.0f * std::tan(angle));
}

// Light at (0, 0, 2), placed by a translation before it (which the light's matrix carries),
// over corners 1.5 from the axis: distance 2.5, and N . direction = -2 / 2.5, a diffuse factor
// 0.8.
std::string pointLight(const char *squaredLinearConstant) {
    return lit(("0 attenuation " + std::string(squaredLinearConstant)).c_str(), kGrey) +
           "Translation { translation 0 0 2 } PointLight { location 0 0 0 } "
           "Translation { translation 0 0 -2 } " +
           circleTriangle(1.5f);
}

// The colours of the polygons printed with lighting enabled (a polygon is printed in its first
// colour).
std::vector<SbColor> litColors(
    const std::string &scene,
    SoVectorizeAction::ColorTranslationMethod method = SoVectorizeAction::SWAP_BLACK_AND_WHITE) {
    RecordingAction action;
    action.enableLighting(1);
    action.setColorTranslationMethod(method);
    std::vector<SbColor> colors;
    for (const RecordedCall &c : print(scene, action).calls)
        colors.push_back(c.colors[0]);
    return colors;
}

} // namespace

TEST(LightingTest, LitFacesTakeTheColoursComputedByHand) {
    const std::string front = "DirectionalLight { direction 0 0 -1 intensity 0.8 color 1 0.5 1 } ";
    const std::string back = "DirectionalLight { direction 0 0 1 intensity 0.8 color 1 0.5 1 } ";
    const std::string white = "DirectionalLight { direction 0 0 -1 } ";
    // Light (1, 0.5, 1) x 0.8 straight onto the face: diffuse (0.5, 0.5, 0.5) x (0.8, 0.4, 0.8)
    // = (0.4, 0.2, 0.4), added to the unlit colour.
    const SbColor frontLit(0.75f, 0.325f, 0.4f);
    const float spotFactor = 0.943192f;    // cos(0.3) ^ (0.01 x 128)
    const float attenuated = 0.4f / 2.25f; // 0.5 x 0.8 / (1 + 0.5 x 2.5)
    const float shiny = 0.0574937f;        // 0.8 ^ (0.1 x 128)
    const struct {
        std::string scene;
        std::vector<SbColor> expected; // one colour per polygon
    } cases[] = {
        // Without lights: emissive plus ambient; the base-colour model: the diffuse colour.
        {kAmbient + kTriangle, {kUnlit}},
        {kAmbient + "LightModel { model BASE_COLOR } " + kTriangle, {SbColor(0.5f, 0.5f, 0.5f)}},
        // A black result is swapped to white.
        {kDark + kTriangle, {SbColor(1, 1, 1)}},
        // On the front; on the back only with two-sided lighting: a known vertex ordering on a
        // shape that is not solid.
        {kAmbient + front + kTriangle, {frontLit}},
        {kAmbient + back + kTriangle, {kUnlit}},
        {kAmbient + "ShapeHints { vertexOrdering COUNTERCLOCKWISE } " + back + kTriangle,
         {frontLit}},
        {kAmbient + "ShapeHints { vertexOrdering CLOCKWISE } " + back + kTriangle, {frontLit}},
        {kAmbient + "ShapeHints { vertexOrdering COUNTERCLOCKWISE shapeType SOLID } " + back +
             kTriangle,
         {kUnlit}},
        // Spot: 0.6 rad off the axis is outside the cone; 0.45 rad with drop-off 0 gets full
        // strength (c ^ 0 = 1, lit head-on along the spot's direction, attenuation 1 with the
        // default coefficients (1, 0, 0)); 0.3 rad with drop-off 0.01 gets cos(0.3) ^ 1.28.
        {spot(0.6f, "0"), {kUnlit}},
        {spot(0.45f, "0"), {SbColor(0.85f, 0.625f, 0.5f)}},
        {spot(0.3f, "0.01"), {kUnlit + SbColor(0.5f, 0.5f, 0.5f) * spotFactor}},
        // Point light with k0 = 1, k1 = 0.5, k2 = 0; all coefficients 0 give the factor 1.
        {pointLight("0 0.5 1"), {SbColor(attenuated, attenuated, attenuated)}},
        {pointLight("0 0 0"), {SbColor(0.4f, 0.4f, 0.4f)}},
        // Light along (0, 0.6, -0.8): diffuse factor 0.8, reflected z = -0.8 + 2 x 0.8 = 0.8.
        // Shininess 0: 0.8 ^ 0 = 1 adds the full specular colour.
        {lit("0", kGrey + "specularColor 0.2 0.4 0.5 shininess 0") +
             "DirectionalLight { direction 0 0.6 -0.8 } " + kTriangle,
         {SbColor(0.6f, 0.8f, 0.9f)}},
        {lit("0", kGrey + "specularColor 0.2 0.4 0.5 shininess 0.1") +
             "DirectionalLight { direction 0 0.6 -0.8 } " + kTriangle,
         {SbColor(0.4f, 0.4f, 0.4f) + SbColor(0.2f, 0.4f, 0.5f) * shiny}},
        // Normals ignore the model's translation but turn with it: tilted by 60 degrees the
        // light meets the normal at cos 60 = 0.5.
        {kDark + white + "Translation { translation 0.3 0.2 0.4 } " + kTriangle,
         {SbColor(0.5f, 0.5f, 0.5f)}},
        {kDark + white + "RotationXYZ { axis X angle 1.04719755 } " + kTriangle,
         {SbColor(0.25f, 0.25f, 0.25f)}},
        // Red, green and blue vertices lit head-on are their diffuse colours; the face is filled
        // with their mean.
        {lit("0", "diffuseColor [ 1 0 0, 0 1 0, 0 0 1 ]") +
             "MaterialBinding { value PER_VERTEX } " + white + kTriangle,
         {SbColor(0.33333334f, 0.33333334f, 0.33333334f)}},
        // The light list follows the state: a second light inside a separator adds to the first
        // for the face beside it only.
        {kDark + "DirectionalLight { direction 0 0 -1 intensity 0.5 } " + kTriangle +
             "Separator { DirectionalLight { direction 0 0 -1 intensity 0.25 } " + kTriangle +
             "} " + kTriangle,
         {SbColor(0.25f, 0.25f, 0.25f), SbColor(0.375f, 0.375f, 0.375f),
          SbColor(0.25f, 0.25f, 0.25f)}}};
    for (const auto &c : cases) {
        const std::vector<SbColor> colors = litColors(c.scene);
        ASSERT_EQ(colors.size(), c.expected.size()) << c.scene;
        for (size_t i = 0; i < colors.size(); i++)
            expectColor(colors[i], c.expected[i], 2e-5f);
    }
    // Lighting off: the diffuse colour.
    const Printed unlit = print(kAmbient + kTriangle);
    ASSERT_EQ(unlit.kinds, "polygon");
    expectColor(unlit.calls[0].colors[0], SbColor(0.5f, 0.5f, 0.5f));
    // Fully transparent vertices: nothing.
    EXPECT_TRUE(litColors(lit("0.5", kGrey + "transparency 1") + white + kTriangle).empty());
}

TEST(LightingTest, AnOverexposedWhiteIsKeptFromTheBlackAndWhiteSwap) {
    const std::string scene = lit("0.5", kGrey + "emissiveColor 1 1 1") +
                              "DirectionalLight { direction 0 0 -1 } " + kTriangle;
    // Each vertex comes out with blue 0.99989998; the face takes the mean of the three.
    const float vertexBlue = 0.99989998f;
    const std::vector<SbColor> swapped = litColors(scene);
    ASSERT_EQ(swapped.size(), 1u);
    EXPECT_EQ(swapped[0], SbColor(1, 1, (vertexBlue + vertexBlue + vertexBlue) * 0.33333334f));
    EXPECT_NE(swapped[0][2], 1.0f);
    // Other translations get the clamped white itself.
    EXPECT_EQ(litColors(scene, SoVectorizeAction::KEEP_COLORS),
              std::vector<SbColor>{SbColor(1, 1, 1)});
    EXPECT_EQ(litColors(scene, SoVectorizeAction::INVERT_COLORS),
              std::vector<SbColor>{SbColor(0, 0, 0)});
}

TEST(LightingTest, LitTrianglesLandWhereUnlitOnesDo) {
    // Eye space then projection gives the same clip coordinates as the single product.
    const std::string scene =
        "PerspectiveCamera { position 0.3 0.2 4 } " + kAmbient +
        "DirectionalLight { direction 0 0 -1 } "
        "Coordinate3 { point [ -0.7 -0.4 0.3, 0.6 -0.5 -0.2, 0.1 0.8 0.1 ] } FaceSet { }";
    RecordingAction lighting;
    lighting.enableLighting(1);
    const Printed shaded = print(scene, lighting), unlit = print(scene);
    ASSERT_EQ(shaded.kinds, "polygon");
    ASSERT_EQ(unlit.kinds, "polygon");
    ASSERT_EQ(shaded.calls[0].points.size(), 3u);
    ASSERT_EQ(unlit.calls[0].points.size(), 3u);
    for (size_t i = 0; i < 3; i++)
        for (int k = 0; k < 3; k++)
            EXPECT_NEAR(shaded.calls[0].points[i][k], unlit.calls[0].points[i][k], 1e-3f);
}

// One light node reached twice, the second time turned by 60 degrees: each face is lit from the
// direction the light has where the face meets it.
TEST(LightingTest, ALightReachedUnderAnotherTransformationLightsFromItsNewDirection) {
    const std::string scene =
        kDark + "Separator { DEF L DirectionalLight { direction 0 0 -1 } " + kTriangle +
        "} Separator { Rotation { rotation 0 1 0 1.0471976 } USE L "
        "Rotation { rotation 0 1 0 -1.0471976 } " +
        kTriangle + "}";
    const std::vector<SbColor> colors = litColors(scene);
    ASSERT_EQ(colors.size(), 2u);
    for (int k = 0; k < 3; k++) {
        EXPECT_NEAR(colors[0][k], 0.5f, 1e-5f);
        EXPECT_NEAR(colors[1][k], 0.25f, 1e-5f);
    }
}
