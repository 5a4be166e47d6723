// The visible-painter's visibility filter: index colours into the off-screen frame buffer, read
// back, keep what shows. See SoFindRendereredPrimitives.h.
#include "scrivane/SoFindRendereredPrimitives.h"

#include <GL/gl.h>

#include <vector>

#include "scene/nodes/SoSeparator.h"
#include "scrivane/PolyGon.h"
#include "scrivane/PrimitiveList.h"

namespace {

// Extents of the scene box below this many NPC units count as zero. A flat scene seen face on
// has no depth extent, a scene of one vertical line no width, a single marker none at all; an
// extent that small would make glOrtho refuse its planes (equal planes are an OpenGL error, and
// the projection would stay the identity) or make the pixel scales infinite.
constexpr float kDegenerateExtent = 1e-6f;

// One axis of the box that the projection maps onto the viewport (x, y) or onto the depth
// range (z).
struct Interval {
    double lo, hi;
};

// A degenerate extent is widened to 2 units (the width of the visible NPC square) around its
// centre: in x or y every polygon then measures less than 1.1 pixels across that axis and is
// kept by the size test, as a polygon seen edge on should be; in z every polygon lands at the
// middle of the depth range.
Interval widened(float lo, float hi) {
    if (!(hi - lo >= kDegenerateExtent)) {
        const double centre = lo <= hi ? 0.5 * (double(lo) + double(hi)) : 0.0; // empty box: 0
        return {centre - 1.0, centre + 1.0};
    }
    return {lo, hi};
}

// The depth range gets a margin of 1/256 of its extent on both sides. Mapped exactly, the
// deepest points would land on depth 1.0, the value the depth buffer is cleared to, and fail the
// GL_LESS test, and the nearest ones on the near clipping plane, where rounding clips some of
// them away: a polygon facing the viewer at the back of the scene (a wall, a floor seen from
// above) or at its front would own no pixel and be dropped although nothing covers it. With a
// 24-bit depth buffer the margin costs less than one part in 10^4 of the depth resolution.
Interval depthRange(float lo, float hi) {
    Interval z = widened(lo, hi);
    const double margin = (z.hi - z.lo) / 256.0;
    return {z.lo - margin, z.hi + margin};
}

bool isPolygon(const Primitive *p) {
    return p->getTypeId() == Primitive::POLYGON;
}

// Types the finder never judges by their pixels: they are not drawn and always kept.
bool isAlwaysKept(int type) {
    return type == Primitive::TEXT || type == Primitive::IMAGE || type == Primitive::POLYLINE ||
           type == Primitive::POLYMARK;
}

} // namespace

SoFindRendereredPrimitives::SoFindRendereredPrimitives(const SbViewportRegion &region)
    : SoOffscreenRenderer(region) {}

SoFindRendereredPrimitives::~SoFindRendereredPrimitives() = default;

void SoFindRendereredPrimitives::render(PrimitiveList *list) {
    // The context is made ready (created, current, cleared to white and depth 1) by rendering an
    // empty scene; without a context nothing below can draw, no pixel carries an index and the
    // list stays whole.
    SoSeparator *empty = new SoSeparator;
    empty->ref();
    setBackgroundColor(SbColor(1.0f, 1.0f, 1.0f));
    const bool haveContext = SoOffscreenRenderer::render(empty);
    empty->unref();

    const int n = list->getLength();
    const SbVec2i32 size = getViewportRegion().getViewportSizePixels();
    const int width = size[0], height = size[1];

    SbBox3f &sceneBox = list->sceneBox;
    sceneBox.makeEmpty();
    for (int i = 0; i < n; i++) {
        const Primitive *p = list->get(i);
        const SbBox2f &box = p->getBBox();
        sceneBox.extendBy(SbBox3f(box.getMin()[0], box.getMin()[1], p->getZmin(), box.getMax()[0],
                                  box.getMax()[1], p->getZmax()));
    }
    const SbVec3f &boxMin = sceneBox.getMin(), &boxMax = sceneBox.getMax();
    const Interval x = widened(boxMin[0], boxMax[0]), y = widened(boxMin[1], boxMax[1]);
    const Interval z = depthRange(boxMin[2], boxMax[2]);

    // Pixels per NPC unit.
    const float scaleX = static_cast<float>(width / (x.hi - x.lo));
    const float scaleY = static_cast<float>(height / (y.hi - y.lo));

    // Keep marks: what is not drawn, and polygons that may be too small to own a pixel of
    // their own. The area term is the open-chain area sum of the polygon (twice its area for a
    // triangle), scaled by scaleX in both directions.
    for (int i = 0; i < n; i++) {
        Primitive *p = list->get(i);
        const int type = p->getTypeId();
        if (isAlwaysKept(type)) {
            p->mark = 1;
            continue;
        }
        float boxWidth, boxHeight;
        p->getBBox().getSize(boxWidth, boxHeight);
        const double areaTerm = isPolygon(p) ? static_cast<const PolyGon *>(p)->getAreaXY() : 0.0;
        if (boxWidth * scaleX < 1.1f || boxHeight * scaleY < 1.1f ||
            areaTerm * scaleX * scaleX < 2.0)
            p->mark = 1;
    }

    int hits = 0;
    if (haveContext && width > 2 && height > 2) {
        // The index colour must reach the frame buffer unchanged. The points are drawn as they
        // are stored (NPC); the scene box fills the viewport and nearer points (smaller z) get
        // smaller depths. The depth test is the one the renderer left on.
        glDisable(GL_LIGHTING);
        glShadeModel(GL_FLAT);
        glMatrixMode(GL_PROJECTION);
        glLoadIdentity();
        glOrtho(x.lo, x.hi, y.lo, y.hi, -z.lo, -z.hi);
        for (int i = 0; i < n; i++) {
            const Primitive *p = list->get(i);
            if (!isPolygon(p)) continue;
            const unsigned int k = static_cast<unsigned int>(i);
            const GLubyte index[4] = {
                static_cast<GLubyte>(k & 0xFF), static_cast<GLubyte>((k >> 8) & 0xFF),
                static_cast<GLubyte>((k >> 16) & 0xFF), static_cast<GLubyte>(k >> 24)};
            glBegin(GL_POLYGON);
            glColor4ubv(index);
            for (int j = 0; j < p->getNum(); j++) {
                const SbVec4f &point = p->getPoint(j);
                const GLfloat xyz[3] = {point[0], point[1], point[2]};
                glVertex3fv(xyz);
            }
            glEnd();
        }
        glFinish();

        // A frame of one pixel on every side is left unread.
        const int readWidth = width - 2, readHeight = height - 2;
        std::vector<unsigned char> pixels(static_cast<size_t>(readWidth) *
                                          static_cast<size_t>(readHeight) * 4u);
        glReadBuffer(GL_FRONT);
        glPixelStorei(GL_PACK_ALIGNMENT, 1);
        glReadPixels(1, 1, readWidth, readHeight, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
        for (size_t at = 0; at < pixels.size(); at += 4) {
            const unsigned int id = pixels[at] | pixels[at + 1] << 8 | pixels[at + 2] << 16;
            if (id < static_cast<unsigned int>(n)) {
                list->get(static_cast<int>(id))->mark = 1;
                hits++;
            }
        }
    }
    if (hits == 0) return;

    // Marked entries first: an unmarked entry at the front is deleted and replaced by the last
    // marked entry; unmarked entries met from the back are deleted where they stand.
    int lo = 0, hi = n - 1;
    while (lo <= hi) {
        if (!list->get(hi)->mark) {
            delete list->get(hi);
            hi--;
        } else if (list->get(lo)->mark) {
            lo++;
        } else {
            delete list->get(lo);
            list->set(lo, list->get(hi));
            lo++;
            hi--;
        }
    }
    if (hi < n - 1) list->deleteValues(hi + 1, -1);
}
