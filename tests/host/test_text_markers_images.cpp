// Text as stroke geometry, the marker table of SoMarkerSet, and image files of SoImage.
#include <gtest/gtest.h>
#include <png.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "nodes/MarkerBitmaps.h"
#include "scene_test_util.h"
#include "text/StrokeFont.h"
#include "scene/actions/SoGetBoundingBoxAction.h"
#include "scene/base/SbBox3f.h"
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

SoSeparator *textScene(SoNode *text) {
    SoFont *font = new SoFont;
    font->size.setValue(kSize);
    return with(new SoSeparator, {font, text});
}

// Box of the triangle corners from first to last.
SbBox3f extentOf(std::vector<RecordedTriangle>::const_iterator first, std::vector<RecordedTriangle>::const_iterator last) {
    SbBox3f box;
    for (; first != last; ++first)
        for (const SoPrimitiveVertex &v : first->v) box.extendBy(v.getPoint());
    return box;
}
SbBox3f extentOf(const Recorded &r) { return extentOf(r.triangles.begin(), r.triangles.end()); }

} // namespace

TEST_F(TextTest, StringGeometryStaysInsideItsExtentForEachJustification) {
    const std::string text = "Hi, typed (9)";
    const float width = strokeFontStringWidth(text.c_str()) * kSize, eps = 1e-4f;
    // Lowest and highest stroke points: the comma and the parentheses reach below the baseline.
    float bottom = 0, top = 0;
    for (char c : text)
        for (const auto &stroke : strokeFontGlyph(c).strokes)
            for (const auto &p : stroke) {
                top = std::max(top, p.second * kSize);
                bottom = std::min(bottom, p.second * kSize);
            }
    EXPECT_LT(bottom, 0.0f);
    const struct {
        int justification;
        float start;
    } cases[] = {{SoText3::LEFT, 0.0f}, {SoText3::RIGHT, -width}, {SoText3::CENTER, -0.5f * width}};
    for (const auto &c : cases) {
        SoText3 *node = new SoText3;
        node->string.setValue(text.c_str());
        node->justification.setValue(c.justification);
        NodeRef<SoSeparator> root(textScene(node));
        const Recorded r = collectPrimitives(root);
        ASSERT_EQ(r.triangles.size(), 2u * segmentsOf(text));
        const SbVec3f min = extentOf(r).getMin(), max = extentOf(r).getMax();
        EXPECT_GE(min[0], c.start - kReach - eps);
        EXPECT_LE(max[0], c.start + width + kReach + eps);
        EXPECT_GE(min[1], bottom - kReach - eps);
        EXPECT_LE(max[1], top + kReach + eps);
        // It fills the extent: the first and last glyphs reach near its ends.
        EXPECT_LT(min[0], c.start + 0.1f * width);
        EXPECT_GT(max[0], c.start + 0.9f * width);
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
        EXPECT_TRUE(near3(bbox.getBoundingBox().getMin(), min));
        EXPECT_TRUE(near3(bbox.getBoundingBox().getMax(), max));
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
    // The 'I' is the last stroke: a vertical bar from the second baseline up to the cap height;
    // the dashes of the first line sit above the first baseline.
    const auto split = r.triangles.end() - 2 * segmentsOf("I");
    const SbBox3f first = extentOf(r.triangles.begin(), split), second = extentOf(split, r.triangles.end());
    const float baseline = -1.5f * kSize;
    EXPECT_NEAR(second.getMin()[1], baseline - kHalfStroke, 1e-4);
    EXPECT_NEAR(second.getMax()[1], baseline + strokeFontCapHeight() * kSize + kHalfStroke, 1e-4);
    EXPECT_GT(first.getMin()[1], 0.0f);
}

TEST_F(TextTest, AsciiTextWidthStretchesALineAndText3BackFacesAway) {
    SoAsciiText *ascii = new SoAsciiText;
    ascii->string.setValue("WIDE");
    ascii->width.setValue(30.0f);
    NodeRef<SoSeparator> root(textScene(ascii));
    Recorded r = collectPrimitives(root);
    ASSERT_EQ(r.triangles.size(), 2u * segmentsOf("WIDE"));
    EXPECT_GE(extentOf(r).getMin()[0], -kReach - 1e-4f);
    EXPECT_LE(extentOf(r).getMax()[0], 30.0f + kReach + 1e-4f);
    EXPECT_GT(extentOf(r).getMax()[0], 27.0f);
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

TEST_F(MarkerTest, BuiltInMarkersComeFromTheTableAndAddedOnesAreCopiedAndConverted) {
    SbVec2s size;
    const unsigned char *bytes = nullptr, *table = nullptr;
    SbBool lsb = TRUE;
    int w, h;
    ASSERT_TRUE(SoMarkerSet::getMarker(SoMarkerSet::CIRCLE_FILLED_7_7, size, bytes, lsb));
    ASSERT_TRUE(builtinMarker(SoMarkerSet::CIRCLE_FILLED_7_7, w, h, table));
    EXPECT_EQ(size, SbVec2s(7, 7));
    EXPECT_FALSE(lsb);
    EXPECT_TRUE(std::equal(table, table + 7, bytes));
    for (int index : {0, 44, 89})
        for (int bit = -1; bit <= 81; bit++) EXPECT_EQ(SoMarkerSet::isMarkerBitSet(index, bit) != 0, builtinMarkerBit(index, bit));
    EXPECT_FALSE(SoMarkerSet::getMarker(-1, size, bytes, lsb));
    EXPECT_FALSE(SoMarkerSet::getMarker(5000, size, bytes, lsb));
    EXPECT_FALSE(SoMarkerSet::isMarkerBitSet(5000, 0));
    // 3 x 2, given top row first with the leftmost pixel in the least significant bit:
    //   top    x . x   -> 0b101
    //   bottom . x .   -> 0b010
    unsigned char source[2] = {0x05, 0x02};
    SoMarkerSet::addMarker(100, SbVec2s(3, 2), source, TRUE, TRUE);
    source[0] = source[1] = 0xff; // the table keeps its own copy
    ASSERT_TRUE(SoMarkerSet::getMarker(100, size, bytes, lsb));
    EXPECT_EQ(size, SbVec2s(3, 2));
    EXPECT_FALSE(lsb);
    EXPECT_EQ(bytes[0], 0x40); // bottom row, most significant bit first
    EXPECT_EQ(bytes[1], 0xa0);
    for (int bit = 0; bit < 7; bit++) EXPECT_EQ(SoMarkerSet::isMarkerBitSet(100, bit) != 0, bit == 1 || bit == 3 || bit == 5) << bit;
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

const std::string &outDir() {
    static const std::string dir = std::string(SCRIVANE_TEST_OUT) + "/host_images";
    std::filesystem::create_directories(dir);
    return dir;
}

void writeBytes(const std::string &name, const std::string &bytes) {
    std::ofstream(outDir() + "/" + name, std::ios::binary) << bytes;
}

// Writes a PNG whose rows are given top to bottom.
void writePng(const std::string &name, int width, int height, png_uint_32 format, const std::vector<unsigned char> &pixels) {
    png_image image;
    std::memset(&image, 0, sizeof image);
    image.version = PNG_IMAGE_VERSION;
    image.width = static_cast<png_uint_32>(width);
    image.height = static_cast<png_uint_32>(height);
    image.format = format;
    ASSERT_TRUE(png_image_write_to_file(&image, (outDir() + "/" + name).c_str(), 0, pixels.data(), 0, nullptr))
        << image.message;
}

struct Loaded {
    bool ok;
    SbVec2s size;
    int nc;
    std::vector<unsigned char> bytes;
};

// Reads a file into the node (searching the output folder) and returns what the node then holds.
Loaded load(SoImage *node, const std::string &name) {
    node->filename.setValue(name.c_str());
    Loaded l;
    l.ok = node->readImageFile(outDir().c_str());
    const unsigned char *p = node->image.getValue(l.size, l.nc);
    if (p) l.bytes.assign(p, p + l.size[0] * l.size[1] * l.nc);
    return l;
}

} // namespace

TEST_F(ImageTest, ReadsPngAndBinaryPnmKeepingComponentsAndFlippingRows) {
    // Rows are given top to bottom in the files and kept bottom to top.
    writePng("rgb.png", 3, 2, PNG_FORMAT_RGB, {255, 0, 0, 0, 255, 0, 0, 0, 255, 255, 255, 255, 0, 0, 0, 128, 128, 128});
    writePng("rgba.png", 1, 2, PNG_FORMAT_RGBA, {10, 20, 30, 40, 50, 60, 70, 80});
    writePng("ga.png", 2, 1, PNG_FORMAT_GA, {7, 255, 9, 0});
    writeBytes("two.ppm", std::string("P6\n# made by the test\n2 2\n255\n") +
                              std::string("\x01\x02\x03\x04\x05\x06\x07\x08\x09\x0a\x0b\x0c", 12));
    writeBytes("row.pgm", std::string("P5 3 1 255\n") + std::string("\x00\x80\xff", 3));
    writeBytes("dim.pgm", std::string("P5 2 1 15\n") + std::string("\x0f\x05", 2)); // scaled to 255
    const struct {
        std::string name;
        SbVec2s size;
        int nc;
        std::vector<unsigned char> bytes;
    } cases[] = {
        {"rgb.png", SbVec2s(3, 2), 3, {255, 255, 255, 0, 0, 0, 128, 128, 128, 255, 0, 0, 0, 255, 0, 0, 0, 255}},
        {outDir() + "/rgba.png", SbVec2s(1, 2), 4, {50, 60, 70, 80, 10, 20, 30, 40}}, // absolute name
        {"ga.png", SbVec2s(2, 1), 2, {7, 255, 9, 0}},
        {"two.ppm", SbVec2s(2, 2), 3, {7, 8, 9, 10, 11, 12, 1, 2, 3, 4, 5, 6}},
        {"row.pgm", SbVec2s(3, 1), 1, {0, 128, 255}},
        {"dim.pgm", SbVec2s(2, 1), 1, {255, 85}},
    };
    NodeRef<SoImage> node;
    for (const auto &c : cases) {
        const Loaded l = load(node, c.name);
        EXPECT_TRUE(l.ok) << c.name;
        EXPECT_EQ(l.size, c.size) << c.name;
        EXPECT_EQ(l.nc, c.nc) << c.name;
        EXPECT_EQ(l.bytes, c.bytes) << c.name;
    }
}

TEST_F(ImageTest, RefusesBrokenFilesAndKeepsTheImage) {
    writeBytes("good.pgm", std::string("P5 1 1 255\n") + std::string("\x2a", 1));
    NodeRef<SoImage> node;
    ASSERT_TRUE(load(node, "good.pgm").ok);
    std::vector<unsigned char> big(64 * 64 * 3);
    for (size_t i = 0; i < big.size(); i++) big[i] = static_cast<unsigned char>(i * 7919 % 251);
    writePng("full.png", 64, 64, PNG_FORMAT_RGB, big);
    std::ifstream full(outDir() + "/full.png", std::ios::binary);
    const std::string png((std::istreambuf_iterator<char>(full)), std::istreambuf_iterator<char>());
    writeBytes("cut.png", png.substr(0, png.size() / 2));
    writeBytes("cut.ppm", std::string("P6 4 4 255\n") + std::string(20, 'x'));
    writeBytes("huge.ppm", std::string("P6 30000 30000 255\n") + std::string(16, 'x'));
    writeBytes("wide.ppm", std::string("P6 40000 1 255\n") + std::string(120000, 'x'));
    writeBytes("maxval.ppm", std::string("P6 1 1 65535\n") + std::string(6, 'x'));
    writeBytes("header.ppm", std::string("P6 2"));
    writeBytes("other.txt", std::string("not an image at all"));
    for (const char *name : {"cut.png", "cut.ppm", "huge.ppm", "wide.ppm", "maxval.ppm", "header.ppm", "other.txt",
                             "missing.png", ""}) {
        const Loaded l = load(node, name);
        EXPECT_FALSE(l.ok) << name;
        EXPECT_EQ(l.bytes, std::vector<unsigned char>{42}) << name;
    }
}

TEST_F(ImageTest, CallbackTraversalLoadsTheFileOnce) {
    writeBytes("once.pgm", std::string("P5 1 1 255\n") + std::string("\x11", 1));
    NodeRef<SoImage> node;
    node->filename.setValue("once.pgm");
    node->setSearchDirectory(outDir().c_str());
    SoCallbackAction action;
    SbVec2s size;
    int nc;
    for (int pass = 0; pass < 2; pass++) { // the second traversal does not read the file again
        action.apply(node);
        const unsigned char *pixel = node->image.getValue(size, nc);
        ASSERT_NE(pixel, nullptr);
        EXPECT_EQ(*pixel, 0x11);
        writeBytes("once.pgm", std::string("P5 1 1 255\n") + std::string("\x22", 1));
    }
    // The image generates no primitives, and its box is its anchor.
    const Recorded r = collectPrimitives(node);
    EXPECT_TRUE(r.triangles.empty() && r.segments.empty() && r.points.empty());
    SoGetBoundingBoxAction bbox;
    bbox.apply(node);
    EXPECT_FALSE(bbox.getBoundingBox().isEmpty());
    EXPECT_TRUE(near3(bbox.getBoundingBox().getMax(), SbVec3f(0, 0, 0)));
}
