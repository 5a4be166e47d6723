// Capture and clipping of 2-D text, annotation text, marker sets and images.
#include "CaptureTestSupport.h"
#include "scene/nodes/SoMarkerSet.h"
#include "scene/nodes/SoText2.h"
#include <cstdio>

using namespace capture_test;

namespace {
const float kNominal = 0.35277778f;

// The primitives printed (texts, in these scenes) with that nominal width.
std::vector<RecordedCall> textsOf(const std::string &scene, float nominalWidth = kNominal) {
    RecordingAction action;
    action.setNominalWidth(nominalWidth);
    return print(scene, action).calls;
}

// An annotation text "AB" at the origin under a property node.
std::string annotation(const char *renderPrint, const char *fontSizeHint, bool charOriented,
                       const char *fontSize, const char *before = "") {
    char text[300];
    std::snprintf(text, sizeof text,
                  "AnnoText3Property { renderPrintType %s fontSizeHint %s "
                  "isCharOrientedRasterPrint %s } Font { size %s } %s AnnoText3 { string \"AB\" } ",
                  renderPrint, fontSizeHint, charOriented ? "TRUE" : "FALSE", fontSize, before);
    return text;
}

// A translation to the anchor.
std::string translation(const SbVec3f &t) {
    return "Translation { translation " + std::to_string(t[0]) + " " + std::to_string(t[1]) + " " +
           std::to_string(t[2]) + " } ";
}
} // namespace

TEST(TextTest, AFullyTransparentTextIsDroppedAnAlmostTransparentOnePrinted) {
    for (const char *transparency : {"1", "0.99"}) {
        const std::vector<RecordedCall> texts =
            textsOf(std::string("Material { diffuseColor 0.2 0.4 0.6 transparency ") +
                    transparency + " } Text2 { string \"hello\" }");
        ASSERT_EQ(texts.size(), *transparency == '1' ? 0u : 1u);
        if (texts.empty()) continue;
        EXPECT_EQ(texts[0].kind, "text");
        EXPECT_EQ(texts[0].text, "hello");
        expectColors(texts[0], {SbColor(0.2f, 0.4f, 0.6f)});
    }
}

TEST(TextTest, EachStringIsALineLowerBySpacingTimesSizeTimesNominalWidth) {
    // 1.5 x 10 x 0.35277778 = 5.2916667 mm per line, straight down from (95, 138.5); with a
    // nominal width of 1 mm the step is 15 mm.
    for (float nominal : {kNominal, 1.0f}) {
        const std::vector<RecordedCall> texts =
            textsOf("Font { size 10 } Text2 { string [ \"one\", \"two\", \"three\" ] "
                    "spacing 1.5 justification RIGHT }",
                    nominal);
        ASSERT_EQ(texts.size(), 3u);
        const char *expected[3] = {"one", "two", "three"};
        for (int i = 0; i < 3; i++) {
            EXPECT_EQ(texts[i].text, expected[i]);
            expectPagePoint(texts[i].points[0], 95.0f, 138.5f - 15.0f * nominal * i);
            EXPECT_EQ(texts[i].size, 10.0f);
            EXPECT_EQ(texts[i].justification, SoText2::RIGHT);
            EXPECT_EQ(texts[i].angle, 0.0f);
        }
    }
}

TEST(TextTest, TheAnchorAloneDecidesWhetherTheWholeTextIsPrinted) {
    const struct {
        SbVec3f anchor;
        bool printed;
    } cases[] = {{SbVec3f(1.01f, 0, 0), false}, {SbVec3f(0, -1.01f, 0), false},
                 {SbVec3f(1, -1, 0), true},     {SbVec3f(0, 0, -1.5f), false},
                 {SbVec3f(0, 0, 1.5f), false},  {SbVec3f(0.99f, 0, 0), true}};
    for (const auto &c : cases)
        EXPECT_EQ(textsOf(translation(c.anchor) +
                          "Text2 { string [ \"a long line that runs far beyond the right "
                          "edge\", \"second\" ] }")
                      .size(),
                  c.printed ? 2u : 0u)
            << c.anchor[0] << " " << c.anchor[1] << " " << c.anchor[2];
}

TEST(TextTest, AnnotationTextFollowsTheRenderPrintSetting) {
    // Geometry only, text only, or both. The geometry is ignored only inside the annotation:
    // the line after it is printed in every case.
    for (const char *renderPrint : {"GEOMETRY", "TEXT", "GEOMETRY_AND_TEXT"}) {
        const Printed p = print(annotation(renderPrint, "ANNOTATION", true, "0.2") +
                                "Coordinate3 { point [ 0 0 0, 0.5 0 0 ] } LineSet { }");
        size_t texts = 0, geometry = 0;
        for (const RecordedCall &c : p.calls) {
            texts += c.kind == "text";
            geometry += c.kind == "polyline" || c.kind == "polygon";
        }
        EXPECT_EQ(texts, std::string(renderPrint) == "GEOMETRY" ? 0u : 1u) << p.kinds;
        EXPECT_EQ(geometry > 1, std::string(renderPrint) != "TEXT") << p.kinds;
        ASSERT_EQ(p.calls.back().kind, "polyline");
        expectNpc(p.calls.back(), {{0, 0}, {0.5f, 0}});
    }
}

TEST(TextTest, AnnotationSizeComesFromTheProjectedFrame) {
    // Font size 0.2 without a camera: the frame's x axis spans 0.2 x 95 = 19 mm on the page, its
    // y axis 0.2 x 138.5 = 27.7 mm, its z axis nothing. Annotations take the longest axis, fitted
    // text the shorter in-plane one; font size 1 (138.5 mm) is clamped to 64 mm, and a frame
    // collapsed to a point prints at 1 mm.
    const struct {
        const char *hint, *fontSize;
        float millimetres;
    } cases[] = {{"ANNOTATION", "0.2", 27.7f},
                 {"FIT_TEXT", "0.2", 19.0f},
                 {"ANNOTATION", "1", 64.0f},
                 {"ANNOTATION", "0", 1.0f}};
    for (const auto &c : cases) {
        const std::vector<RecordedCall> texts =
            textsOf(annotation("TEXT", c.hint, true, c.fontSize));
        ASSERT_EQ(texts.size(), 1u);
        EXPECT_NEAR(texts[0].size, c.millimetres / kNominal, 1e-3f) << c.fontSize;
        EXPECT_EQ(texts[0].angle, 0.0f);
        expectPagePoint(texts[0].points[0], 95.0f, 138.5f);
    }
    // A plain 2-D text keeps the traversal's font size whatever the projection.
    const std::vector<RecordedCall> texts = textsOf("Font { size 0.2 } Text2 { string \"plain\" }");
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_EQ(texts[0].size, 0.2f);
}

TEST(TextTest, TheCharOrientAngleIsThatOfTheProjectedXAxis) {
    for (bool oriented : {true, false}) {
        const std::vector<RecordedCall> texts = textsOf(annotation(
            "TEXT", "ANNOTATION", oriented, "0.2", "RotationXYZ { axis Z angle 0.7853982 }"));
        ASSERT_EQ(texts.size(), 1u);
        EXPECT_NEAR(texts[0].angle, oriented ? 0.7853982f : 0.0f, 1e-5f);
    }
}

TEST(MarkerTest, OnlyTheMarkersInsideOrOnAnEdgeArePrintedEachWithItsColour) {
    Scene scene(kRgbPerVertex + "Coordinate3 { point [ 0 0 0, 1.5 0 0, 0.5 0.5 0 ] } " +
                "MarkerSet { markerIndex " + std::to_string(SoMarkerSet::CIRCLE_FILLED_7_7) + " }");
    RecordingAction action;
    const Printed p = print(scene.root, action);
    ASSERT_EQ(p.kinds, "markerset");
    EXPECT_EQ(p.calls[0].markerSet, scene.root->getChild(3)); // the marker set node itself
    expectNpc(p.calls[0], {{0, 0}, {0.5f, 0.5f}});
    EXPECT_EQ(p.calls[0].multiColor, 1);
    expectColors(p.calls[0], {red, blue});
    // A marker on the bottom edge is printed, and the buffer is left empty: the point set that
    // follows prints its own single point, nothing of the marker set's; with every marker
    // outside the print still happens, with no point.
    const Printed edge = print("Coordinate3 { point [ 0.2 -1 0, 0 2 0 ] } MarkerSet { } "
                               "PointSet { numPoints 1 } "
                               "Coordinate3 { point [ 3 0 0, 0 0 -2 ] } MarkerSet { }");
    ASSERT_EQ(edge.kinds, "markerset marks markerset");
    expectNpc(edge.calls[0], {{0.2f, -1}});
    expectNpc(edge.calls[1], {{0.2f, -1}});
    EXPECT_EQ(edge.calls[2].points.size(), 0u);
}

TEST(ImageTest, ANegativeWidthTakesTheSourceWidth) {
    const Printed p = print("Image { image 4 3 3 0 0 0 0 0 0 0 0 0 0 0 0 "
                            "width -1 height 20 horAlignment CENTER vertAlignment TOP }");
    ASSERT_EQ(p.kinds, "image");
    EXPECT_EQ(p.calls[0].sourceSize, SbVec2s(4, 3));
    EXPECT_EQ(p.calls[0].requestedSize, SbVec2s(4, 20));
    EXPECT_EQ(p.calls[0].components, 3);
    EXPECT_EQ(p.calls[0].justification, SoImage::CENTER * 10 + SoImage::TOP);
    expectNpc(p.calls[0], {{0, 0}});
}

TEST(ImageTest, OnlyTheDepthPlanesDropAnImage) {
    const struct {
        SbVec3f anchor;
        bool printed;
    } cases[] = {{SbVec3f(0, 0, 1.5f), false},
                 {SbVec3f(0, 0, -1.5f), false},
                 {SbVec3f(3, 0, 0), true},
                 {SbVec3f(0, 0, 1), true}};
    for (const auto &c : cases) {
        const Printed p = print(translation(c.anchor) + "Image { image 1 1 1 0xc8 }");
        ASSERT_EQ(p.kinds, c.printed ? "image" : "") << c.anchor[0] << " " << c.anchor[2];
        if (c.printed) expectNpc(p.calls[0], {{c.anchor[0], 0}});
    }
}
