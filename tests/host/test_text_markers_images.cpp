// Text as stroke geometry, the marker table of SoMarkerSet, and image files of SoImage.
#include <gtest/gtest.h>
#include <png.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "nodes/MarkerBitmaps.h"
#include "scene_test_util.h"
#include "text/StrokeFont.h"
#include "scene/actions/SoGetBoundingBoxAction.h"
#include "scene/nodes/SoAnnoText3.h"
#include "scene/nodes/SoAsciiText.h"
#include "scene/nodes/SoFont.h"
#include "scene/nodes/SoImage.h"
#include "scene/nodes/SoMarkerSet.h"
#include "scene/nodes/SoSeparator.h"
#include "scene/nodes/SoText3.h"

using namespace scene_detail;

namespace {

class TextTest : public SceneTest {};
class MarkerTest : public SceneTest {};
class ImageTest : public SceneTest {};

constexpr float kSize = 2.0f;
constexpr float kHalfStroke = kSize / 32.0f; // half of the stroke thickness s / 16
// How far a stroke's quad may reach beyond the stroke: the corner of its square end.
const float kReach = kHalfStroke * std::sqrt(2.0f);

int segmentsOf(const std::string &text) {
    int n = 0;
    for (char c : text)
        for (const auto &stroke : strokeFontGlyph(c).strokes) n += static_cast<int>(stroke.size()) - 1;
    return n;
}

// Highest and lowest stroke point of the glyphs of a text, in ems.
void glyphSpan(const std::string &text, float &bottom, float &top) {
    bottom = top = 0;
    for (char c : text)
        for (const auto &stroke : strokeFontGlyph(c).strokes)
            for (const auto &p : stroke) {
                top = std::max(top, p.second);
                bottom = std::min(bottom, p.second);
            }
}

SoSeparator *textScene(SoNode *text) {
    SoSeparator *root = new SoSeparator;
    SoFont *font = new SoFont;
    font->size.setValue(kSize);
    root->addChild(font);
    root->addChild(text);
    return root;
}

struct Extent {
    float xmin = 1e30f, xmax = -1e30f, ymin = 1e30f, ymax = -1e30f;
};

Extent extentOf(const Recorded &r) {
    Extent e;
    for (const RecordedTriangle &t : r.triangles)
        for (const SoPrimitiveVertex &v : t.v) {
            e.xmin = std::min(e.xmin, v.getPoint()[0]);
            e.xmax = std::max(e.xmax, v.getPoint()[0]);
            e.ymin = std::min(e.ymin, v.getPoint()[1]);
            e.ymax = std::max(e.ymax, v.getPoint()[1]);
        }
    return e;
}

} // namespace

TEST_F(TextTest, StringGeometryStaysInsideItsExtentForEachJustification) {
    const std::string text = "Hi, typed (9)";
    const float width = strokeFontStringWidth(text.c_str()) * kSize;
    float bottom, top;
    glyphSpan(text, bottom, top);
    bottom *= kSize;
    top *= kSize;
    EXPECT_LT(bottom, 0.0f); // the comma and the parentheses reach below the baseline
    const int justifications[] = {SoText3::LEFT, SoText3::RIGHT, SoText3::CENTER};
    const float starts[] = {0.0f, -width, -0.5f * width};
    for (int j = 0; j < 3; j++) {
        SoText3 *node = new SoText3;
        node->string.setValue(text.c_str());
        node->justification.setValue(justifications[j]);
        NodeRef<SoSeparator> root(textScene(node));
        const Recorded r = collectPrimitives(root);
        ASSERT_EQ(r.triangles.size(), 2u * segmentsOf(text));
        const Extent e = extentOf(r);
        const float eps = 1e-4f;
        EXPECT_GE(e.xmin, starts[j] - kReach - eps);
        EXPECT_LE(e.xmax, starts[j] + width + kReach + eps);
        EXPECT_GE(e.ymin, bottom - kReach - eps);
        EXPECT_LE(e.ymax, top + kReach + eps);
        // It fills the extent: the first and last glyphs reach near its ends.
        EXPECT_LT(e.xmin, starts[j] + 0.1f * width);
        EXPECT_GT(e.xmax, starts[j] + 0.9f * width);
        for (const RecordedTriangle &t : r.triangles) {
            EXPECT_GT(t.winding()[2], 0.0f);
            for (const SoPrimitiveVertex &v : t.v) {
                EXPECT_EQ(v.getPoint()[2], 0.0f);
                EXPECT_EQ(v.getNormal(), SbVec3f(0, 0, 1));
                EXPECT_EQ(v.getMaterialIndex(), 0);
            }
        }
        // The box is the geometry's.
        SoGetBoundingBoxAction bbox;
        bbox.apply(root);
        EXPECT_NEAR(bbox.getBoundingBox().getMin()[0], e.xmin, 1e-5);
        EXPECT_NEAR(bbox.getBoundingBox().getMax()[1], e.ymax, 1e-5);
    }
}

TEST_F(TextTest, LinesGoDownBySpacingTimesSize) {
    SoAnnoText3 *node = new SoAnnoText3;
    node->string.setValue("--");
    node->string.set1Value(1, "I");
    node->spacing.setValue(1.5f);
    NodeRef<SoSeparator> root(textScene(node));
    const Recorded r = collectPrimitives(root);
    ASSERT_EQ(r.triangles.size(), 2u * (segmentsOf("--") + segmentsOf("I")));
    // The 'I' is the last stroke: a vertical bar from the second baseline up to the cap height.
    Recorded second;
    second.triangles.assign(r.triangles.end() - 2 * segmentsOf("I"), r.triangles.end());
    const Extent e = extentOf(second);
    const float baseline = -1.5f * kSize;
    EXPECT_NEAR(e.ymin, baseline - kHalfStroke, 1e-4);
    EXPECT_NEAR(e.ymax, baseline + strokeFontCapHeight() * kSize + kHalfStroke, 1e-4);
    // The dashes of the first line sit above the first baseline.
    Recorded first;
    first.triangles.assign(r.triangles.begin(), r.triangles.end() - 2 * segmentsOf("I"));
    EXPECT_GT(extentOf(first).ymin, 0.0f);
}

TEST_F(TextTest, AsciiTextWidthStretchesALineAndText3BackFacesAway) {
    SoAsciiText *ascii = new SoAsciiText;
    ascii->string.setValue("WIDE");
    ascii->width.setValue(30.0f);
    NodeRef<SoSeparator> root(textScene(ascii));
    Recorded r = collectPrimitives(root);
    ASSERT_EQ(r.triangles.size(), 2u * segmentsOf("WIDE"));
    Extent e = extentOf(r);
    EXPECT_GE(e.xmin, -kReach - 1e-4f);
    EXPECT_LE(e.xmax, 30.0f + kReach + 1e-4f);
    EXPECT_GT(e.xmax, 27.0f);

    SoText3 *back = new SoText3;
    back->string.setValue("A");
    back->parts.setValue(SoText3::BACK);
    NodeRef<SoSeparator> backScene(textScene(back));
    r = collectPrimitives(backScene);
    ASSERT_EQ(r.triangles.size(), 2u * segmentsOf("A"));
    for (const RecordedTriangle &t : r.triangles) {
        EXPECT_LT(t.winding()[2], 0.0f);
        EXPECT_EQ(t.v[0].getNormal(), SbVec3f(0, 0, -1));
    }
    back->parts.setValue(SoText3::SIDES);
    EXPECT_TRUE(collectPrimitives(backScene).triangles.empty());
}

TEST_F(MarkerTest, BuiltInMarkersComeFromTheTable) {
    SbVec2s size;
    const unsigned char *bytes = nullptr;
    SbBool lsb = TRUE;
    ASSERT_TRUE(SoMarkerSet::getMarker(SoMarkerSet::CIRCLE_FILLED_7_7, size, bytes, lsb));
    EXPECT_EQ(size, SbVec2s(7, 7));
    EXPECT_FALSE(lsb);
    int w, h;
    const unsigned char *table;
    ASSERT_TRUE(builtinMarker(SoMarkerSet::CIRCLE_FILLED_7_7, w, h, table));
    EXPECT_TRUE(std::equal(table, table + 7, bytes));
    for (int index : {0, 44, 89})
        for (int bit = -1; bit <= 81; bit++) EXPECT_EQ(SoMarkerSet::isMarkerBitSet(index, bit) != 0, builtinMarkerBit(index, bit));
    EXPECT_FALSE(SoMarkerSet::getMarker(-1, size, bytes, lsb));
    EXPECT_FALSE(SoMarkerSet::getMarker(5000, size, bytes, lsb));
    EXPECT_FALSE(SoMarkerSet::isMarkerBitSet(5000, 0));
    EXPECT_GE(SoMarkerSet::getNumDefinedMarkers(), 90);
}

TEST_F(MarkerTest, AddedMarkersAreCopiedAndConverted) {
    // 3 x 2, given top row first with the leftmost pixel in the least significant bit:
    //   top    x . x   -> 0b101
    //   bottom . x .   -> 0b010
    unsigned char source[2] = {0x05, 0x02};
    SoMarkerSet::addMarker(100, SbVec2s(3, 2), source, TRUE, TRUE);
    source[0] = source[1] = 0xff; // the table keeps its own copy
    SbVec2s size;
    const unsigned char *bytes = nullptr;
    SbBool lsb = TRUE;
    ASSERT_TRUE(SoMarkerSet::getMarker(100, size, bytes, lsb));
    EXPECT_EQ(size, SbVec2s(3, 2));
    EXPECT_FALSE(lsb);
    EXPECT_EQ(bytes[0], 0x40); // bottom row, most significant bit first
    EXPECT_EQ(bytes[1], 0xa0);
    const bool expected[6] = {false, true, false, true, false, true};
    for (int bit = 0; bit < 6; bit++) EXPECT_EQ(SoMarkerSet::isMarkerBitSet(100, bit) != 0, expected[bit]) << bit;
    EXPECT_FALSE(SoMarkerSet::isMarkerBitSet(100, 6));
    EXPECT_GE(SoMarkerSet::getNumDefinedMarkers(), 101);

    // Bottom row first, most significant bit first: stored as given, 10 pixels wide.
    const unsigned char wide[4] = {0x80, 0x40, 0x00, 0x00};
    SoMarkerSet::addMarker(101, SbVec2s(10, 2), wide);
    EXPECT_TRUE(SoMarkerSet::isMarkerBitSet(101, 0));
    EXPECT_TRUE(SoMarkerSet::isMarkerBitSet(101, 9));
    EXPECT_FALSE(SoMarkerSet::isMarkerBitSet(101, 10));
    // Nonsense is ignored.
    SoMarkerSet::addMarker(102, SbVec2s(0, 4), wide);
    SoMarkerSet::addMarker(103, SbVec2s(4, 4), nullptr);
    EXPECT_FALSE(SoMarkerSet::getMarker(102, size, bytes, lsb));
    EXPECT_FALSE(SoMarkerSet::getMarker(103, size, bytes, lsb));
}

namespace {

std::string outDir() {
    const std::string dir = std::string(SCRIVANE_TEST_OUT) + "/host_images";
    std::filesystem::create_directories(dir);
    return dir;
}

void writeBytes(const std::string &path, const std::string &bytes) {
    std::ofstream out(path, std::ios::binary);
    out << bytes;
}

std::string readBytes(const std::string &path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// Writes a PNG whose rows are given top to bottom.
void writePng(const std::string &path, int width, int height, png_uint_32 format, const std::vector<unsigned char> &pixels) {
    png_image image;
    std::memset(&image, 0, sizeof image);
    image.version = PNG_IMAGE_VERSION;
    image.width = static_cast<png_uint_32>(width);
    image.height = static_cast<png_uint_32>(height);
    image.format = format;
    ASSERT_TRUE(png_image_write_to_file(&image, path.c_str(), 0, pixels.data(), 0, nullptr)) << image.message;
}

std::vector<unsigned char> imageBytes(const SoImage *node, SbVec2s &size, int &nc) {
    const unsigned char *p = node->image.getValue(size, nc);
    if (!p) return {};
    return std::vector<unsigned char>(p, p + size[0] * size[1] * nc);
}

} // namespace

TEST_F(ImageTest, ReadsPngKeepingComponentsAndFlippingRows) {
    const std::string dir = outDir();
    // 3 x 2 RGB, top row red green blue, bottom row white black grey.
    writePng(dir + "/rgb.png", 3, 2, PNG_FORMAT_RGB,
             {255, 0, 0, 0, 255, 0, 0, 0, 255, 255, 255, 255, 0, 0, 0, 128, 128, 128});
    NodeRef<SoImage> node;
    node->filename.setValue("rgb.png");
    ASSERT_TRUE(node->readImageFile(dir.c_str()));
    SbVec2s size;
    int nc;
    std::vector<unsigned char> got = imageBytes(node, size, nc);
    EXPECT_EQ(size, SbVec2s(3, 2));
    EXPECT_EQ(nc, 3);
    EXPECT_EQ(got, (std::vector<unsigned char>{255, 255, 255, 0, 0, 0, 128, 128, 128, 255, 0, 0, 0, 255, 0, 0, 0, 255}));

    writePng(dir + "/rgba.png", 1, 2, PNG_FORMAT_RGBA, {10, 20, 30, 40, 50, 60, 70, 80});
    node->filename.setValue((dir + "/rgba.png").c_str()); // absolute: the directory is not used
    ASSERT_TRUE(node->readImageFile("/nonexistent"));
    got = imageBytes(node, size, nc);
    EXPECT_EQ(nc, 4);
    EXPECT_EQ(got, (std::vector<unsigned char>{50, 60, 70, 80, 10, 20, 30, 40}));

    writePng(dir + "/ga.png", 2, 1, PNG_FORMAT_GA, {7, 255, 9, 0});
    node->filename.setValue("ga.png");
    ASSERT_TRUE(node->readImageFile(dir.c_str()));
    got = imageBytes(node, size, nc);
    EXPECT_EQ(nc, 2);
    EXPECT_EQ(got, (std::vector<unsigned char>{7, 255, 9, 0}));
}

TEST_F(ImageTest, ReadsBinaryPpmAndPgm) {
    const std::string dir = outDir();
    // 2 x 2 with a comment; rows top to bottom in the file.
    writeBytes(dir + "/two.ppm", std::string("P6\n# made by the test\n2 2\n255\n") +
                                     std::string("\x01\x02\x03\x04\x05\x06\x07\x08\x09\x0a\x0b\x0c", 12));
    NodeRef<SoImage> node;
    node->filename.setValue("two.ppm");
    ASSERT_TRUE(node->readImageFile(dir.c_str()));
    SbVec2s size;
    int nc;
    EXPECT_EQ(imageBytes(node, size, nc), (std::vector<unsigned char>{7, 8, 9, 10, 11, 12, 1, 2, 3, 4, 5, 6}));
    EXPECT_EQ(size, SbVec2s(2, 2));
    EXPECT_EQ(nc, 3);

    writeBytes(dir + "/row.pgm", std::string("P5 3 1 255\n") + std::string("\x00\x80\xff", 3));
    node->filename.setValue("row.pgm");
    ASSERT_TRUE(node->readImageFile(dir.c_str()));
    EXPECT_EQ(imageBytes(node, size, nc), (std::vector<unsigned char>{0, 128, 255}));
    EXPECT_EQ(nc, 1);
    // A smaller maxval is scaled to 255.
    writeBytes(dir + "/dim.pgm", std::string("P5 2 1 15\n") + std::string("\x0f\x05", 2));
    node->filename.setValue("dim.pgm");
    ASSERT_TRUE(node->readImageFile(dir.c_str()));
    EXPECT_EQ(imageBytes(node, size, nc), (std::vector<unsigned char>{255, 85}));
}

TEST_F(ImageTest, RefusesBrokenFilesAndKeepsTheImage) {
    const std::string dir = outDir();
    writeBytes(dir + "/good.pgm", std::string("P5 1 1 255\n") + std::string("\x2a", 1));
    NodeRef<SoImage> node;
    node->filename.setValue("good.pgm");
    ASSERT_TRUE(node->readImageFile(dir.c_str()));

    std::vector<unsigned char> big(64 * 64 * 3);
    for (size_t i = 0; i < big.size(); i++) big[i] = static_cast<unsigned char>(i * 7919 % 251);
    writePng(dir + "/full.png", 64, 64, PNG_FORMAT_RGB, big);
    const std::string png = readBytes(dir + "/full.png");
    writeBytes(dir + "/cut.png", png.substr(0, png.size() / 2));
    writeBytes(dir + "/cut.ppm", std::string("P6 4 4 255\n") + std::string(20, 'x'));
    writeBytes(dir + "/huge.ppm", std::string("P6 30000 30000 255\n") + std::string(16, 'x'));
    writeBytes(dir + "/wide.ppm", std::string("P6 40000 1 255\n") + std::string(120000, 'x'));
    writeBytes(dir + "/maxval.ppm", std::string("P6 1 1 65535\n") + std::string(6, 'x'));
    writeBytes(dir + "/header.ppm", std::string("P6 2"));
    writeBytes(dir + "/other.txt", std::string("not an image at all"));
    for (const char *name : {"cut.png", "cut.ppm", "huge.ppm", "wide.ppm", "maxval.ppm", "header.ppm", "other.txt",
                             "missing.png", ""}) {
        node->filename.setValue(name);
        EXPECT_FALSE(node->readImageFile(dir.c_str())) << name;
        SbVec2s size;
        int nc;
        EXPECT_EQ(imageBytes(node, size, nc), std::vector<unsigned char>{42}) << name;
    }
}

TEST_F(ImageTest, CallbackTraversalLoadsTheFileOnce) {
    const std::string dir = outDir();
    writeBytes(dir + "/once.pgm", std::string("P5 1 1 255\n") + std::string("\x11", 1));
    NodeRef<SoImage> node;
    node->filename.setValue("once.pgm");
    node->setSearchDirectory(dir.c_str());
    SoCallbackAction action;
    action.apply(node);
    SbVec2s size;
    int nc;
    EXPECT_EQ(imageBytes(node, size, nc), std::vector<unsigned char>{0x11});
    // Later traversals do not read the file again.
    writeBytes(dir + "/once.pgm", std::string("P5 1 1 255\n") + std::string("\x22", 1));
    action.apply(node);
    EXPECT_EQ(imageBytes(node, size, nc), std::vector<unsigned char>{0x11});
    // The image generates no primitives, and its box is its anchor.
    const Recorded r = collectPrimitives(node);
    EXPECT_TRUE(r.triangles.empty() && r.segments.empty() && r.points.empty());
    SoGetBoundingBoxAction bbox;
    bbox.apply(node);
    EXPECT_FALSE(bbox.getBoundingBox().isEmpty());
    EXPECT_TRUE(near3(bbox.getBoundingBox().getMax(), SbVec3f(0, 0, 0)));
}
