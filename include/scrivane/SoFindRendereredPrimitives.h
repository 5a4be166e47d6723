#ifndef SCRIVANE_SOFINDRENDEREREDPRIMITIVES_H
#define SCRIVANE_SOFINDRENDEREREDPRIMITIVES_H
#include "scene/base/SbViewportRegion.h"
#include "scene/misc/SoOffscreenRenderer.h"
#include "scrivane/ScrivaneExport.h"

class PrimitiveList;

// The visibility filter of the visible-painter mode: it draws every stored polygon of a removal
// run into the off-screen frame buffer of the toolkit's renderer, each in a flat colour that
// encodes its index in the list, reads the pixels back and keeps only the polygons whose colour
// survives on at least one pixel. Lines, markers, texts, images and polygons too small to own a
// pixel (less than 1.1 pixels wide or high, or an area term below 2 square pixels) are always
// kept. Everything else is deleted and the list is compacted: kept entries from the end of the
// list fill the holes at the front, so the depth order is not kept; the painter that follows
// orders the survivors again.
//
// The scene box of the run (the page boxes and depth ranges of all primitives, in normalized
// projection coordinates) fills the viewport: the frame buffer is a picture of the run, not of
// the page. A frame of one pixel on every side of the viewport is not read back, so a polygon
// seen only there counts as hidden. Nearer polygons (smaller z) win through the depth test that
// the renderer leaves on (GL_LESS); at equal depth the polygon earlier in the list keeps the
// pixel, as in the renderer's own picture of a scene. When the renderer has no OpenGL context,
// no pixel carries an index and the list stays whole.
//
// Ownership: the caller owns the finder (the painter builds one on the stack per run) and the
// list; render() deletes the primitives it drops. It leaves the `mark` of every kept primitive
// at 1 and the list's sceneBox set.
class SCRIVANE_API SoFindRendereredPrimitives : public SoOffscreenRenderer {
public:
    explicit SoFindRendereredPrimitives(const SbViewportRegion &region);
    ~SoFindRendereredPrimitives() override;

    // Filters list in place, as the class comment says.
    void render(PrimitiveList *list);
};

#endif
