// Capture and clipping of 2-D text, annotation text, marker sets and images.
#include "CaptureTestSupport.h"
#include "scene/nodes/SoAnnoText3.h"
#include "scene/nodes/SoAnnoText3Property.h"
#include "scene/nodes/SoFont.h"
#include "scene/nodes/SoImage.h"
#include "scene/nodes/SoMarkerSet.h"
#include "scene/nodes/SoRotationXYZ.h"
#include "scene/nodes/SoText2.h"
#include "scene/nodes/SoTranslation.h"
#include <cmath>

using namespace capture_test;

namespace {
const float kNominal = 0.35277778f;

SoTranslation *addTranslation(Scene &scene, const SbVec3f &t) {
    SoTranslation *move = scene.add(new SoTranslation);
    move->translation = t;
    return move;
}

SoText2 *addText(Scene &scene, std::initializer_list<const char *> lines) {
    SoText2 *text = scene.add(new SoText2);
    int i = 0;
    for (const char *line : lines)
        text->string.set1Value(i++, SbString(line));
    return text;
}

std::vector<RecordedCall> textsOf(SoNode *root, float nominalWidth = kNominal) {
    RecordingAction action;
    action.setNominalWidth(nominalWidth);
    action.apply(root);
    return action.callsOf("text");
}

// An annotation text under a property node; the anchor is the origin of the scene.
struct AnnotationScene : Scene {
    AnnotationScene(int renderPrint, int fontSizeHint, bool charOriented, float fontSize) {
        SoAnnoText3Property *property = add(new SoAnnoText3Property);
        property->renderPrintType = renderPrint;
        property->fontSizeHint = fontSizeHint;
        property->isCharOrientedRasterPrint = charOriented;
        SoFont *font = add(new SoFont);
        font->size = fontSize;
    }
    SoAnnoText3 *text(const char *s) {
        SoAnnoText3 *t = add(new SoAnnoText3);
        t->string.setValue(SbString(s));
        return t;
    }
};
} // namespace

TEST(TextTest, AFullyTransparentTextIsDroppedAnAlmostTransparentOnePrinted) {
    for (float transparency : {1.0f, 0.99f}) {
        Scene scene;
        SoMaterial *material = scene.add(new SoMaterial);
        material->transparency.setValue(transparency);
        material->diffuseColor.setValue(SbColor(0.2f, 0.4f, 0.6f));
        addText(scene, {"hello"});
        std::vector<RecordedCall> texts = textsOf(scene.root);
        if (transparency == 1.0f) {
            EXPECT_TRUE(texts.empty());
        } else {
            ASSERT_EQ(texts.size(), 1u);
            EXPECT_EQ(texts[0].text, "hello");
            expectColor(texts[0].colors[0], 0.2f, 0.4f, 0.6f);
        }
    }
}

TEST(TextTest, EachStringIsALineLowerBySpacingTimesSizeTimesNominalWidth) {
    Scene scene;
    SoFont *font = scene.add(new SoFont);
    font->size = 10.0f;
    SoText2 *text = addText(scene, {"one", "two", "three"});
    text->spacing = 1.5f;
    text->justification = SoText2::RIGHT;
    std::vector<RecordedCall> texts = textsOf(scene.root);
    ASSERT_EQ(texts.size(), 3u);
    const char *expected[3] = {"one", "two", "three"};
    // 1.5 x 10 x 0.35277778 = 5.2916667 mm per line, straight down from (95, 138.5).
    for (int i = 0; i < 3; i++) {
        EXPECT_EQ(texts[i].text, expected[i]);
        expectPagePoint(texts[i].points[0], 95.0f, 138.5f - 5.2916667f * i);
        EXPECT_EQ(texts[i].size, 10.0f);
        EXPECT_EQ(texts[i].justification, SoText2::RIGHT);
        EXPECT_EQ(texts[i].angle, 0.0f);
    }
    // With a nominal width of 1 mm the step is 15 mm.
    texts = textsOf(scene.root, 1.0f);
    ASSERT_EQ(texts.size(), 3u);
    expectPagePoint(texts[2].points[0], 95.0f, 108.5f);
}

TEST(TextTest, TheAnchorAloneDecidesWhetherTheWholeTextIsPrinted) {
    struct {
        SbVec3f anchor;
        bool printed;
    } cases[] = {{SbVec3f(1.01f, 0, 0), false}, {SbVec3f(0, -1.01f, 0), false},
                 {SbVec3f(1, -1, 0), true},     {SbVec3f(0, 0, -1.5f), false},
                 {SbVec3f(0, 0, 1.5f), false},  {SbVec3f(0.99f, 0, 0), true}};
    for (const auto &c : cases) {
        Scene scene;
        addTranslation(scene, c.anchor);
        addText(scene, {"a long line that runs far beyond the right edge", "second"});
        std::vector<RecordedCall> texts = textsOf(scene.root);
        EXPECT_EQ(texts.size(), c.printed ? 2u : 0u)
            << c.anchor[0] << " " << c.anchor[1] << " " << c.anchor[2];
    }
}

TEST(TextTest, AnnotationTextFollowsTheRenderPrintSetting) {
    for (int renderPrint : {0, 1, 2}) {
        AnnotationScene scene(renderPrint, SoAnnoText3Property::ANNOTATION, true, 0.2f);
        scene.text("AB");
        RecordingAction action;
        action.apply(scene.root);
        const size_t texts = action.callsOf("text").size();
        const size_t geometry =
            action.callsOf("polyline").size() + action.callsOf("polygon").size();
        switch (renderPrint) {
        case 0:
            EXPECT_EQ(texts, 0u);
            EXPECT_GT(geometry, 0u);
            break;
        case 1:
            EXPECT_EQ(texts, 1u);
            EXPECT_EQ(geometry, 0u);
            break;
        default:
            EXPECT_EQ(texts, 1u);
            EXPECT_GT(geometry, 0u);
            break;
        }
    }
    // The geometry is ignored only inside the annotation: a line after it is printed.
    AnnotationScene scene(SoAnnoText3Property::TEXT, SoAnnoText3Property::ANNOTATION, true, 0.2f);
    scene.text("AB");
    addLineStrip(scene, {SbVec3f(0, 0, 0), SbVec3f(0.5f, 0, 0)});
    RecordingAction action;
    action.apply(scene.root);
    EXPECT_EQ(primitiveKinds(action), "text polyline");
}

TEST(TextTest, AnnotationSizeComesFromTheProjectedFrame) {
    // Font size 0.2 without a camera: the frame's x axis spans 0.2 x 95 = 19 mm on the page, its
    // y axis 0.2 x 138.5 = 27.7 mm, its z axis nothing.
    {
        AnnotationScene scene(SoAnnoText3Property::TEXT, SoAnnoText3Property::ANNOTATION, true,
                              0.2f);
        scene.text("size");
        std::vector<RecordedCall> texts = textsOf(scene.root);
        ASSERT_EQ(texts.size(), 1u);
        EXPECT_NEAR(texts[0].size, 27.7f / kNominal, 1e-3f); // the longest axis
        EXPECT_EQ(texts[0].angle, 0.0f);
        expectPagePoint(texts[0].points[0], 95.0f, 138.5f);
    }
    {
        AnnotationScene scene(SoAnnoText3Property::TEXT, SoAnnoText3Property::FIT_TEXT, true, 0.2f);
        scene.text("size");
        std::vector<RecordedCall> texts = textsOf(scene.root);
        ASSERT_EQ(texts.size(), 1u);
        EXPECT_NEAR(texts[0].size, 19.0f / kNominal, 1e-3f); // the shorter in-plane axis
    }
    {
        // Font size 1: 138.5 mm, clamped to 64 mm = 181.4 units.
        AnnotationScene scene(SoAnnoText3Property::TEXT, SoAnnoText3Property::ANNOTATION, true,
                              1.0f);
        scene.text("big");
        std::vector<RecordedCall> texts = textsOf(scene.root);
        ASSERT_EQ(texts.size(), 1u);
        EXPECT_NEAR(texts[0].size, 64.0f / kNominal, 1e-3f);
        EXPECT_NEAR(texts[0].size, 181.4f, 0.05f);
    }
    {
        // A frame that collapses to a point prints at 1 mm.
        AnnotationScene scene(SoAnnoText3Property::TEXT, SoAnnoText3Property::ANNOTATION, true,
                              0.0f);
        scene.text("tiny");
        std::vector<RecordedCall> texts = textsOf(scene.root);
        ASSERT_EQ(texts.size(), 1u);
        EXPECT_NEAR(texts[0].size, 1.0f / kNominal, 1e-4f);
    }
    {
        // A plain 2-D text keeps the traversal's font size whatever the projection.
        Scene scene;
        SoFont *font = scene.add(new SoFont);
        font->size = 0.2f;
        addText(scene, {"plain"});
        std::vector<RecordedCall> texts = textsOf(scene.root);
        ASSERT_EQ(texts.size(), 1u);
        EXPECT_EQ(texts[0].size, 0.2f);
    }
}

TEST(TextTest, TheCharOrientAngleIsThatOfTheProjectedXAxis) {
    for (bool oriented : {true, false}) {
        AnnotationScene scene(SoAnnoText3Property::TEXT, SoAnnoText3Property::ANNOTATION, oriented,
                              0.2f);
        SoRotationXYZ *turn = scene.add(new SoRotationXYZ);
        turn->axis = SoRotationXYZ::Z;
        turn->angle = 0.7853982f;
        scene.text("turned");
        std::vector<RecordedCall> texts = textsOf(scene.root);
        ASSERT_EQ(texts.size(), 1u);
        if (oriented)
            EXPECT_NEAR(texts[0].angle, 0.7853982f, 1e-5f);
        else
            EXPECT_EQ(texts[0].angle, 0.0f);
    }
}

TEST(MarkerTest, OnlyTheMarkersInsideArePrintedEachWithItsColour) {
    Scene scene;
    addPerVertexMaterial(scene, {SbColor(1, 0, 0), SbColor(0, 1, 0), SbColor(0, 0, 1)});
    scene.add(coordinates({SbVec3f(0, 0, 0), SbVec3f(1.5f, 0, 0), SbVec3f(0.5f, 0.5f, 0)}));
    SoMarkerSet *markers = scene.add(new SoMarkerSet);
    markers->markerIndex.setValue(SoMarkerSet::CIRCLE_FILLED_7_7);
    RecordingAction action;
    action.apply(scene.root);
    EXPECT_EQ(primitiveKinds(action), "markerset");
    std::vector<RecordedCall> sets = action.callsOf("markerset");
    ASSERT_EQ(sets.size(), 1u);
    EXPECT_EQ(sets[0].markerSet, markers);
    ASSERT_EQ(sets[0].points.size(), 2u);
    expectPagePoint(sets[0].points[0], 95.0f, 138.5f);
    expectPagePoint(sets[0].points[1], 142.5f, 207.75f);
    EXPECT_EQ(sets[0].multiColor, 1);
    ASSERT_EQ(sets[0].colors.size(), 2u);
    expectColor(sets[0].colors[0], 1, 0, 0);
    expectColor(sets[0].colors[1], 0, 0, 1);
}

TEST(MarkerTest, AMarkerOnTheBottomEdgeIsPrintedAndTheBufferIsLeftEmpty) {
    Scene scene;
    scene.add(coordinates({SbVec3f(0.2f, -1, 0), SbVec3f(0, 2, 0)}));
    scene.add(new SoMarkerSet);
    SoPointSet *after = scene.add(new SoPointSet);
    after->numPoints = 1;
    RecordingAction action;
    action.apply(scene.root);
    EXPECT_EQ(primitiveKinds(action), "markerset marks");
    std::vector<RecordedCall> sets = action.callsOf("markerset");
    ASSERT_EQ(sets.size(), 1u);
    ASSERT_EQ(sets[0].points.size(), 1u);
    expectPagePoint(sets[0].points[0], pageX(0.2f), 0.0f);
    // The point set that follows prints its own single point, nothing of the marker set's.
    std::vector<RecordedCall> marks = action.callsOf("marks");
    ASSERT_EQ(marks.size(), 1u);
    EXPECT_EQ(marks[0].points.size(), 1u);
}

TEST(MarkerTest, DrawStylesAndAnEmptyResult) {
    {
        Scene scene;
        addDrawStyle(scene, SoDrawStyle::INVISIBLE);
        scene.add(coordinates({SbVec3f(0, 0, 0)}));
        scene.add(new SoMarkerSet);
        RecordingAction action;
        action.apply(scene.root);
        EXPECT_EQ(primitiveKinds(action), "");
    }
    {
        Scene scene;
        addDrawStyle(scene, SoDrawStyle::LINES);
        scene.add(coordinates({SbVec3f(0, 0, 0)}));
        scene.add(new SoMarkerSet);
        RecordingAction action;
        action.apply(scene.root);
        EXPECT_EQ(primitiveKinds(action), "markerset");
    }
    {
        // Every marker outside: the print still happens, with no point.
        Scene scene;
        scene.add(coordinates({SbVec3f(3, 0, 0), SbVec3f(0, 0, -2)}));
        scene.add(new SoMarkerSet);
        RecordingAction action;
        action.apply(scene.root);
        std::vector<RecordedCall> sets = action.callsOf("markerset");
        ASSERT_EQ(sets.size(), 1u);
        EXPECT_EQ(sets[0].points.size(), 0u);
    }
}

TEST(ImageTest, ANegativeWidthTakesTheSourceWidth) {
    Scene scene;
    SoImage *image = scene.add(new SoImage);
    const unsigned char pixels[4 * 3 * 3] = {};
    image->image.setValue(SbVec2s(4, 3), 3, pixels);
    image->width = -1;
    image->height = 20;
    image->horAlignment = SoImage::CENTER;
    image->vertAlignment = SoImage::TOP;
    RecordingAction action;
    action.apply(scene.root);
    std::vector<RecordedCall> images = action.callsOf("image");
    ASSERT_EQ(images.size(), 1u);
    EXPECT_EQ(images[0].sourceSize, SbVec2s(4, 3));
    EXPECT_EQ(images[0].requestedSize, SbVec2s(4, 20));
    EXPECT_EQ(images[0].components, 3);
    EXPECT_EQ(images[0].justification, SoImage::CENTER * 10 + SoImage::TOP);
    expectPagePoint(images[0].points[0], 95.0f, 138.5f);
}

TEST(ImageTest, OnlyTheDepthPlanesDropAnImage) {
    struct {
        SbVec3f anchor;
        bool printed;
    } cases[] = {{SbVec3f(0, 0, 1.5f), false},
                 {SbVec3f(0, 0, -1.5f), false},
                 {SbVec3f(3, 0, 0), true},
                 {SbVec3f(0, 0, 1), true}};
    for (const auto &c : cases) {
        Scene scene;
        addTranslation(scene, c.anchor);
        SoImage *image = scene.add(new SoImage);
        const unsigned char pixel[1] = {200};
        image->image.setValue(SbVec2s(1, 1), 1, pixel);
        RecordingAction action;
        action.apply(scene.root);
        std::vector<RecordedCall> images = action.callsOf("image");
        ASSERT_EQ(images.size(), c.printed ? 1u : 0u) << c.anchor[0] << " " << c.anchor[2];
        if (c.printed && c.anchor[0] == 3)
            expectPagePoint(images[0].points[0], 4.0f * 95.0f, 138.5f);
    }
    // Draw style invisible: no image either.
    Scene scene;
    addDrawStyle(scene, SoDrawStyle::INVISIBLE);
    scene.add(new SoImage);
    RecordingAction action;
    action.apply(scene.root);
    EXPECT_EQ(primitiveKinds(action), "");
}
