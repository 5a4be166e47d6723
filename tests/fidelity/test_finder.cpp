// The visibility filter of the visible-painter mode (SoFindRendereredPrimitives), on lists of
// primitives built by hand in normalized projection coordinates (x, y in [-1, 1], z growing away
// from the viewer). With a scene box of 2 x 2 units and the painter's 512 x 512 pixels, one unit
// is 256 pixels.
#include <GL/gl.h>
#include <gtest/gtest.h>

#include <initializer_list>
#include <vector>

#include "scene/nodes/SoMarkerSet.h"
#include "scrivane/HLHSRImage.h"
#include "scrivane/HLHSRText2D.h"
#include "scrivane/PolyGon.h"
#include "scrivane/PolyLine.h"
#include "scrivane/PolyMark.h"
#include "scrivane/PrimitiveList.h"
#include "scrivane/SoFindRendereredPrimitives.h"
#include "scrivane/SoScrivane.h"

namespace {

constexpr float kPixel = 1.0f / 256.0f; // one pixel, in NPC units, when the box is 2 units wide

PolyGon *polygon(std::initializer_list<SbVec3f> corners) {
    std::vector<SbVec4f> points;
    for (const SbVec3f &c : corners)
        points.emplace_back(c[0], c[1], c[2], 1.0f);
    const std::vector<SbColor> colors(points.size(), SbColor(0.5f, 0.5f, 0.5f));
    PolyGon *p = new PolyGon;
    p->setValue(static_cast<int>(points.size()), points.data(), colors.data(), 0, 1.0f, 1.0f,
                0xFFFF, PolyGon::FILLED, SbString(""), SbString(""), nullptr);
    return p;
}

// An axis-parallel rectangle at depth z.
PolyGon *rectangle(float x0, float y0, float x1, float y1, float z) {
    return polygon({{x0, y0, z}, {x1, y0, z}, {x1, y1, z}, {x0, y1, z}});
}

PolyLine *segment(SbVec3f a, SbVec3f b) {
    const SbVec4f points[2] = {SbVec4f(a[0], a[1], a[2], 1), SbVec4f(b[0], b[1], b[2], 1)};
    const SbColor colors[2] = {SbColor(0, 0, 0), SbColor(0, 0, 0)};
    PolyLine *p = new PolyLine;
    p->setValue(2, points, colors, 0, 1.0f, 0xFFFF);
    return p;
}

PolyMark *mark(SbVec3f a) {
    const SbVec4f point(a[0], a[1], a[2], 1);
    const SbColor color(0, 0, 0);
    PolyMark *p = new PolyMark;
    p->setValue(1, &point, &color, 0, 3.0f, nullptr);
    return p;
}

HLHSRText2D *text(SbVec3f a) {
    const SbString line("hidden text");
    HLHSRText2D *p = new HLHSRText2D;
    p->setValue(SbVec4f(a[0], a[1], a[2], 1), SbColor(0, 0, 0), "Times-Roman", 10.0f, 1, &line,
                1.0f, 1, 0.0f);
    return p;
}

const unsigned char kImagePixels[4] = {0, 255, 0, 255};

HLHSRImage *image(SbVec3f a) {
    HLHSRImage *p = new HLHSRImage;
    p->setValue(SbVec4f(a[0], a[1], a[2], 1), kImagePixels, SbVec2s(2, 2), SbVec2s(2, 2), 1,
                SoImage::LEFT, SoImage::BOTTOM);
    return p;
}

// A list that deletes whatever it still holds, so that every test frees what the finder kept.
class OwningList : public PrimitiveList {
public:
    OwningList(std::initializer_list<Primitive *> entries) {
        for (Primitive *p : entries)
            append(p);
    }
    ~OwningList() {
        for (int i = 0; i < getLength(); i++)
            delete get(i);
    }
    std::vector<Primitive *> entries() const {
        std::vector<Primitive *> result;
        for (int i = 0; i < getLength(); i++)
            result.push_back(get(i));
        return result;
    }
    bool holds(const Primitive *p) const {
        for (int i = 0; i < getLength(); i++)
            if (get(i) == p) return true;
        return false;
    }
};

class FinderTest : public ::testing::Test {
protected:
    void SetUp() override { SoScrivane::init(); }

    // Runs a 512 x 512 finder on the list, as the painter does, and checks that OpenGL accepted
    // every call (a refused projection would leave an error behind).
    void find(PrimitiveList &list) {
        SoFindRendereredPrimitives finder(SbViewportRegion(512, 512));
        finder.render(&list);
        EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
    }
};

TEST_F(FinderTest, CoveredPolygonIsDeletedButLinesMarkersTextsAndImagesNeverAre) {
    // A near square over most of the box; behind it a small square, a segment, a marker, a text
    // and an image, all covered; and a far square that sticks out by 4 pixels on the right.
    PolyGon *cover = rectangle(-1, -1, 0.9f, 1, 0.1f);
    PolyGon *hidden = rectangle(-0.5f, -0.5f, 0.5f, 0.5f, 0.6f);
    PolyGon *peeping = rectangle(0.5f, -0.2f, 0.9f + 4 * kPixel, 0.2f, 0.7f);
    PolyLine *line = segment({-0.3f, 0, 0.8f}, {0.3f, 0.1f, 0.8f});
    PolyMark *marker = mark({0, 0.3f, 0.8f});
    HLHSRText2D *label = text({0.1f, -0.3f, 0.9f});
    HLHSRImage *picture = image({-0.2f, -0.1f, 0.9f});
    // The right edge of the box: a segment at x = 1 in front of nothing.
    PolyLine *edge = segment({1, -1, 0.5f}, {1, 1, 0.5f});
    OwningList list{hidden, line, cover, marker, peeping, label, picture, edge};
    find(list);
    EXPECT_EQ(list.getLength(), 7);
    EXPECT_FALSE(list.holds(hidden));
    for (Primitive *kept :
         std::initializer_list<Primitive *>{cover, peeping, line, marker, label, picture, edge}) {
        ASSERT_TRUE(list.holds(kept));
        EXPECT_EQ(kept->mark, 1);
    }
    EXPECT_FLOAT_EQ(list.sceneBox.getMin()[2], 0.1f);
    EXPECT_FLOAT_EQ(list.sceneBox.getMax()[2], 0.9f);
}

TEST_F(FinderTest, PolygonsTooSmallForAPixelStayEvenWhenCovered) {
    // All behind a cover of the whole box; widths and heights in pixels.
    PolyGon *cover = rectangle(-1, -1, 1, 1, 0.1f);
    PolyGon *narrow = rectangle(-0.5f, -0.5f, -0.5f + 1.05f * kPixel, 0.5f, 0.5f); // 1.05 px wide
    PolyGon *low = rectangle(0.1f, 0.1f, 0.5f, 0.1f + 1.05f * kPixel, 0.5f);       // 1.05 px high
    PolyGon *wide = rectangle(-0.2f, -0.5f, -0.2f + 1.2f * kPixel, 0.5f, 0.5f);    // 1.2 px: judged
    // The area term sums the open chain of points without the closing edge, so it depends on
    // where the chain starts; starting at the origin it is a^2 for these triangles.
    const float a = 1.3f * kPixel, b = 1.7f * kPixel;
    PolyGon *tiny = polygon({{0, 0, 0.5f}, {a, 0, 0.5f}, {0, a, 0.5f}});  // 1.3 px, area term 1.69
    PolyGon *small = polygon({{0, 0, 0.5f}, {b, 0, 0.5f}, {0, b, 0.5f}}); // 1.7 px, area term 2.89
    OwningList list{narrow, low, wide, tiny, small, cover};
    find(list);
    EXPECT_TRUE(list.holds(cover));
    EXPECT_TRUE(list.holds(narrow));
    EXPECT_TRUE(list.holds(low));
    EXPECT_TRUE(list.holds(tiny));
    EXPECT_FALSE(list.holds(wide));
    EXPECT_FALSE(list.holds(small));
    EXPECT_EQ(list.getLength(), 4);
}

TEST_F(FinderTest, RunWithoutPolygonsChangesNothing) {
    PolyLine *line = segment({-0.5f, -0.5f, 0.2f}, {0.5f, 0.5f, 0.7f});
    PolyMark *marker = mark({0, 0, 0.4f});
    HLHSRText2D *label = text({0, 0, 0.9f});
    HLHSRImage *picture = image({0.3f, 0.2f, 0.3f});
    OwningList list{line, marker, label, picture};
    const std::vector<Primitive *> before = list.entries();
    find(list);
    EXPECT_EQ(list.entries(), before);
}

TEST_F(FinderTest, PolygonSeenOnlyInTheOuterFrameCountsAsHidden) {
    // The far rectangle starts at the box's left edge; the near one covers everything from one
    // pixel further right, so only the far one's column of pixels at x = 0 (the frame) shows it.
    {
        PolyGon *far = rectangle(-1, -1, -0.5f, 1, 0.8f);
        PolyGon *near = rectangle(-1 + kPixel, -1, 1, 1, 0.2f);
        OwningList list{far, near};
        find(list);
        EXPECT_FALSE(list.holds(far));
        EXPECT_EQ(list.getLength(), 1);
    }
    // One pixel more of it, in column 1, is read: kept.
    {
        PolyGon *far = rectangle(-1, -1, -0.5f, 1, 0.8f);
        PolyGon *near = rectangle(-1 + 2 * kPixel, -1, 1, 1, 0.2f);
        OwningList list{far, near};
        find(list);
        EXPECT_TRUE(list.holds(far));
        EXPECT_EQ(list.getLength(), 2);
    }
}

TEST_F(FinderTest, CompactionFillsHolesFromTheEnd) {
    // Entries 0, 2 and 5 are hidden behind entries 1 (left half) and 3 (right half); entry 4 is
    // a segment. The scan deletes 5 at the back, moves 4 into the hole at 0, keeps 1, moves 3
    // into the hole at 2: the list becomes 4, 1, 3.
    PolyGon *e0 = rectangle(-0.8f, -0.5f, -0.5f, 0.5f, 0.7f);
    PolyGon *e1 = rectangle(-1, -1, 0, 1, 0.2f);
    PolyGon *e2 = rectangle(-0.4f, 0.1f, -0.1f, 0.6f, 0.6f);
    PolyGon *e3 = rectangle(0, -1, 1, 1, 0.3f);
    PolyLine *e4 = segment({-0.5f, 0, 0.9f}, {0.5f, 0, 0.9f});
    PolyGon *e5 = rectangle(0.2f, -0.5f, 0.8f, 0.5f, 0.8f);
    OwningList list{e0, e1, e2, e3, e4, e5};
    find(list);
    EXPECT_EQ(list.entries(), (std::vector<Primitive *>{e4, e1, e3}));
}

TEST_F(FinderTest, FlatSceneWithoutDepthExtent) {
    // Every point at z = 0.3: the depth range of the box is zero. The projection still works;
    // at equal depth the entry earlier in the list keeps the pixels, so the small square drawn
    // after the big one owns none.
    PolyGon *big = rectangle(-1, -1, 0.5f, 1, 0.3f);
    PolyGon *inside = rectangle(-0.5f, -0.5f, 0, 0, 0.3f);
    PolyGon *beside = rectangle(0.6f, -1, 1, 1, 0.3f);
    OwningList list{big, inside, beside};
    find(list);
    EXPECT_EQ(list.entries(), (std::vector<Primitive *>{big, beside}));
}

TEST_F(FinderTest, SinglePolygonFacingTheViewerIsKept) {
    PolyGon *only = rectangle(-0.2f, -0.1f, 0.4f, 0.3f, 0.5f);
    OwningList list{only};
    find(list);
    EXPECT_EQ(list.entries(), std::vector<Primitive *>{only});
    EXPECT_EQ(only->mark, 1);
}

TEST_F(FinderTest, SceneWithoutWidthKeepsItsEdgeOnPolygons) {
    // Two polygons seen edge on in the plane x = 0.25 and a vertical segment there: the box has
    // no extent in x; nothing divides by zero and the polygons, less than a pixel wide, stay.
    PolyGon *a = polygon({{0.25f, -0.5f, 0.2f}, {0.25f, 0.5f, 0.2f}, {0.25f, 0.5f, 0.8f}});
    PolyGon *b = polygon({{0.25f, -0.6f, 0.9f}, {0.25f, 0.6f, 0.9f}, {0.25f, 0.6f, 0.95f}});
    PolyLine *line = segment({0.25f, -1, 0.5f}, {0.25f, 1, 0.5f});
    OwningList list{a, b, line};
    const std::vector<Primitive *> before = list.entries();
    find(list);
    EXPECT_EQ(list.entries(), before);
    EXPECT_EQ(a->mark, 1);
    EXPECT_EQ(b->mark, 1);
}

TEST_F(FinderTest, SingleMarkerHasAnEmptyBox) {
    PolyMark *marker = mark({0.1f, 0.2f, 0.3f});
    OwningList list{marker};
    find(list);
    EXPECT_EQ(list.entries(), std::vector<Primitive *>{marker});
}

TEST_F(FinderTest, FacingPolygonsAtBothEndsOfTheDepthRangeStay) {
    // A wall facing the viewer at the deepest z of the box, partly covered by a square at the
    // nearest z: both have pixels of their own, although one lies on the far end of the depth
    // range and the other on the near end, for several depth ranges.
    const float ranges[][2] = {{0.1f, 0.9f},   {0.2f, 0.8f},   {-0.3f, 0.7f},   {0.25f, 0.5f},
                               {0.93f, 0.97f}, {-0.9f, 0.99f}, {0.5f, 0.5001f}, {0.3f, 0.6f}};
    for (const auto &range : ranges) {
        PolyGon *wall = rectangle(-1, -1, 1, 1, range[1]);
        PolyGon *front = rectangle(-0.5f, -0.5f, 0.5f, 0.5f, range[0]);
        OwningList list{wall, front};
        find(list);
        EXPECT_TRUE(list.holds(wall)) << range[0] << " " << range[1];
        EXPECT_TRUE(list.holds(front)) << range[0] << " " << range[1];
    }
}

} // namespace
