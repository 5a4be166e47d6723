// The visibility filter of the visible-painter mode (SoFindRendereredPrimitives), on lists built
// by hand in normalized projection coordinates (x, y in [-1, 1], z growing away from the viewer;
// with a scene box 2 units wide and the painter's 512 x 512 pixels, one unit is 256 pixels), and
// the mode through the action on the closed meshes of the removal benchmarks.
#include <GL/gl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <initializer_list>
#include <vector>

#include "HlhsrScenes.h"
#include "RecordingAction.h"
#include "scene/nodes/SoSeparator.h"
#include "scrivane/HLHSRImage.h"
#include "scrivane/HLHSRText2D.h"
#include "scrivane/PolyGon.h"
#include "scrivane/PolyLine.h"
#include "scrivane/PolyMark.h"
#include "scrivane/PrimitiveList.h"
#include "scrivane/SoFindRendereredPrimitives.h"
#include "scrivane/SoScrivane.h"

namespace {

constexpr float kPixel = 1.0f / 256.0f;

SbVec4f at(const SbVec3f &p) {
    return SbVec4f(p[0], p[1], p[2], 1.0f);
}

PolyGon *polygon(std::initializer_list<SbVec3f> corners) {
    std::vector<SbVec4f> points;
    for (const SbVec3f &c : corners)
        points.push_back(at(c));
    const std::vector<SbColor> colors(points.size(), SbColor(0.5f, 0.5f, 0.5f));
    PolyGon *p = new PolyGon;
    p->setValue(int(points.size()), points.data(), colors.data(), 0, 1.0f, 1.0f, 0xFFFF,
                PolyGon::FILLED, SbString(""), SbString(""), nullptr);
    return p;
}

// An axis-parallel rectangle at depth z.
PolyGon *rectangle(float x0, float y0, float x1, float y1, float z) {
    return polygon({{x0, y0, z}, {x1, y0, z}, {x1, y1, z}, {x0, y1, z}});
}

PolyLine *segment(SbVec3f a, SbVec3f b) {
    const SbVec4f points[2] = {at(a), at(b)};
    const SbColor colors[2] = {SbColor(0, 0, 0), SbColor(0, 0, 0)};
    PolyLine *p = new PolyLine;
    p->setValue(2, points, colors, 0, 1.0f, 0xFFFF);
    return p;
}

PolyMark *mark(SbVec3f a) {
    const SbVec4f point = at(a);
    const SbColor color(0, 0, 0);
    PolyMark *p = new PolyMark;
    p->setValue(1, &point, &color, 0, 3.0f, nullptr);
    return p;
}

HLHSRText2D *text(SbVec3f a) {
    const SbString line("hidden text");
    HLHSRText2D *p = new HLHSRText2D;
    p->setValue(at(a), SbColor(0, 0, 0), "Times-Roman", 10.0f, 1, &line, 1.0f, 1, 0.0f);
    return p;
}

HLHSRImage *image(SbVec3f a) {
    static const unsigned char pixels[4] = {0, 255, 0, 255};
    HLHSRImage *p = new HLHSRImage;
    p->setValue(at(a), pixels, SbVec2s(2, 2), SbVec2s(2, 2), 1, SoImage::LEFT, SoImage::BOTTOM);
    return p;
}

// A list that deletes what it still holds, run through a 512 x 512 finder as the painter does.
class FilteredList : public PrimitiveList {
public:
    FilteredList(std::initializer_list<Primitive *> entries) {
        SoScrivane::init();
        for (Primitive *p : entries)
            append(p);
        before = this->entries();
        SoFindRendereredPrimitives finder(SbViewportRegion(512, 512));
        finder.render(this);
        EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR)); // a refused projection leaves an error
    }
    ~FilteredList() {
        for (Primitive *p : entries())
            delete p;
    }
    std::vector<Primitive *> entries() const {
        std::vector<Primitive *> result;
        for (int i = 0; i < getLength(); i++)
            result.push_back(get(i));
        return result;
    }
    bool holds(const Primitive *p) const {
        const std::vector<Primitive *> e = entries();
        return std::find(e.begin(), e.end(), p) != e.end();
    }
    bool unchanged() const { return entries() == before; }

private:
    std::vector<Primitive *> before;
};

TEST(FinderTest, CoveredPolygonIsDeletedButLinesMarkersTextsAndImagesNeverAre) {
    // Behind a near square over most of the box: a small square, a segment, a marker, a text and
    // an image, all covered, and a far square sticking out by 4 pixels on the right; at the box's
    // right edge a segment in front of nothing.
    PolyGon *hidden = rectangle(-0.5f, -0.5f, 0.5f, 0.5f, 0.6f);
    FilteredList list{hidden,
                      segment({-0.3f, 0, 0.8f}, {0.3f, 0.1f, 0.8f}),
                      rectangle(-1, -1, 0.9f, 1, 0.1f), // the cover
                      mark({0, 0.3f, 0.8f}),
                      rectangle(0.5f, -0.2f, 0.9f + 4 * kPixel, 0.2f, 0.7f), // peeping out
                      text({0.1f, -0.3f, 0.9f}),
                      image({-0.2f, -0.1f, 0.9f}),
                      segment({1, -1, 0.5f}, {1, 1, 0.5f})};
    EXPECT_EQ(list.getLength(), 7);
    EXPECT_FALSE(list.holds(hidden));
    for (Primitive *kept : list.entries())
        EXPECT_EQ(kept->mark, 1);
    EXPECT_FLOAT_EQ(list.sceneBox.getMin()[2], 0.1f);
    EXPECT_FLOAT_EQ(list.sceneBox.getMax()[2], 0.9f);
}

TEST(FinderTest, PolygonsTooSmallForAPixelStayEvenWhenCovered) {
    // Behind a cover of the whole box; widths and heights in pixels. The area term sums the open
    // chain of points without the closing edge; starting at the origin it is a^2 for these
    // triangles.
    PolyGon *cover = rectangle(-1, -1, 1, 1, 0.1f);
    PolyGon *narrow = rectangle(-0.5f, -0.5f, -0.5f + 1.05f * kPixel, 0.5f, 0.5f); // 1.05 wide
    PolyGon *low = rectangle(0.1f, 0.1f, 0.5f, 0.1f + 1.05f * kPixel, 0.5f);       // 1.05 high
    PolyGon *wide = rectangle(-0.2f, -0.5f, -0.2f + 1.2f * kPixel, 0.5f, 0.5f);    // 1.2: judged
    const float a = 1.3f * kPixel, b = 1.7f * kPixel;
    PolyGon *tiny = polygon({{0, 0, 0.5f}, {a, 0, 0.5f}, {0, a, 0.5f}});  // area term 1.69
    PolyGon *small = polygon({{0, 0, 0.5f}, {b, 0, 0.5f}, {0, b, 0.5f}}); // area term 2.89
    FilteredList list{narrow, low, wide, tiny, small, cover};
    EXPECT_EQ(list.entries().size(), 4u);
    for (PolyGon *kept : {cover, narrow, low, tiny})
        EXPECT_TRUE(list.holds(kept));
}

TEST(FinderTest, RunWithoutPolygonsChangesNothing) {
    FilteredList list{segment({-0.5f, -0.5f, 0.2f}, {0.5f, 0.5f, 0.7f}), mark({0, 0, 0.4f}),
                      text({0, 0, 0.9f}), image({0.3f, 0.2f, 0.3f})};
    EXPECT_TRUE(list.unchanged());
    FilteredList single{mark({0.1f, 0.2f, 0.3f})}; // a scene box of no extent
    EXPECT_TRUE(single.unchanged());
}

TEST(FinderTest, PolygonSeenOnlyInTheOuterFrameCountsAsHidden) {
    // The far rectangle starts at the box's left edge, the near one covers everything from `free`
    // pixels further right: with 1, only the unread frame column shows the far one.
    for (int free : {1, 2}) {
        PolyGon *far = rectangle(-1, -1, -0.5f, 1, 0.8f);
        FilteredList list{far, rectangle(-1 + float(free) * kPixel, -1, 1, 1, 0.2f)};
        EXPECT_EQ(list.holds(far), free == 2);
        EXPECT_EQ(list.getLength(), free);
    }
}

TEST(FinderTest, CompactionFillsHolesFromTheEnd) {
    // Entries 0, 2 and 5 are hidden behind 1 (left half) and 3 (right half); 4 is a segment. The
    // scan deletes 5, moves 4 into the hole at 0, keeps 1, moves 3 into the hole at 2.
    PolyGon *e1 = rectangle(-1, -1, 0, 1, 0.2f), *e3 = rectangle(0, -1, 1, 1, 0.3f);
    PolyLine *e4 = segment({-0.5f, 0, 0.9f}, {0.5f, 0, 0.9f});
    FilteredList list{rectangle(-0.8f, -0.5f, -0.5f, 0.5f, 0.7f),
                      e1,
                      rectangle(-0.4f, 0.1f, -0.1f, 0.6f, 0.6f),
                      e3,
                      e4,
                      rectangle(0.2f, -0.5f, 0.8f, 0.5f, 0.8f)};
    EXPECT_EQ(list.entries(), (std::vector<Primitive *>{e4, e1, e3}));
}

TEST(FinderTest, SceneBoxesWithoutDepthOrWidth) {
    // Every point at z = 0.3: at equal depth the earlier entry keeps the pixels, so the small
    // square drawn after the big one owns none.
    PolyGon *big = rectangle(-1, -1, 0.5f, 1, 0.3f), *beside = rectangle(0.6f, -1, 1, 1, 0.3f);
    FilteredList flat{big, rectangle(-0.5f, -0.5f, 0, 0, 0.3f), beside};
    EXPECT_EQ(flat.entries(), (std::vector<Primitive *>{big, beside}));
    // Everything in the plane x = 0.25: nothing divides by zero, and the polygons seen edge on,
    // less than a pixel wide, stay.
    FilteredList edgeOn{polygon({{0.25f, -0.5f, 0.2f}, {0.25f, 0.5f, 0.2f}, {0.25f, 0.5f, 0.8f}}),
                        polygon({{0.25f, -0.6f, 0.9f}, {0.25f, 0.6f, 0.9f}, {0.25f, 0.6f, 0.95f}}),
                        segment({0.25f, -1, 0.5f}, {0.25f, 1, 0.5f})};
    EXPECT_TRUE(edgeOn.unchanged());
    for (Primitive *p : edgeOn.entries())
        EXPECT_EQ(p->mark, 1);
}

TEST(FinderTest, FacingPolygonsAtBothEndsOfTheDepthRangeStay) {
    // A wall at the deepest z of the box, partly covered by a square at the nearest z, for
    // several depth ranges: both keep pixels of their own.
    const float ranges[][2] = {{0.1f, 0.9f},   {0.2f, 0.8f},   {-0.3f, 0.7f},   {0.25f, 0.5f},
                               {0.93f, 0.97f}, {-0.9f, 0.99f}, {0.5f, 0.5001f}, {0.3f, 0.6f}};
    for (const auto &range : ranges) {
        FilteredList list{rectangle(-1, -1, 1, 1, range[1]),
                          rectangle(-0.5f, -0.5f, 0.5f, 0.5f, range[0])};
        EXPECT_TRUE(list.unchanged()) << range[0] << " " << range[1];
    }
}

// The knot and the sphere of the benchmarks at about 10^4 triangles, lit, seen obliquely: the
// visible painter keeps at most 60 % of the painter's polygons, and the visible side.
TEST(VisiblePainterTest, ClosedMeshesKeepAtMostSixtyPercentOfThePaintersPolygons) {
    SoScrivane::init();
    for (const int kind : {bench_scenes::KNOT, bench_scenes::SPHERE}) {
        int triangles = 0;
        SoSeparator *root = bench_scenes::buildScene(kind, 10000, triangles);
        root->ref();
        size_t drawn[2];
        for (int k = 0; k < 2; k++) {
            RecordingAction action;
            action.enableLighting(1);
            action.setHLHSRMode(k ? SoVectorizeAction::HIDDEN_BY_VISIBLE_PAINTER
                                  : SoVectorizeAction::HIDDEN_BY_PAINTER);
            action.apply(root);
            drawn[k] = action.callsOf("polygon").size();
        }
        root->unref();
        const char *name = bench_scenes::kindName(kind);
        std::printf("visible-painter polygons %s (%d triangles): painter %zu, visible painter %zu "
                    "= %.1f%%\n",
                    name, triangles, drawn[0], drawn[1],
                    100.0 * double(drawn[1]) / double(drawn[0]));
        EXPECT_GT(drawn[0] * 10, size_t(triangles) * 9) << name;
        EXPECT_LE(drawn[1] * 10, drawn[0] * 6) << name;
        EXPECT_GT(drawn[1] * 4, drawn[0]) << name;
    }
}

} // namespace
