#ifndef SCENE_SOOFFSCREENRENDERER_H
#define SCENE_SOOFFSCREENRENDERER_H
#include "scene/SceneExport.h"
#include "scene/base/SbColor.h"
#include "scene/base/SbViewportRegion.h"
#include <memory>
#include <vector>

class SoNode;
namespace scene_detail {
class OffscreenContext;
}

// Draws a scene with OpenGL into an off-screen frame buffer (Mesa's OSMesa, software rendering)
// and hands the pixels back.
//
// The frame buffer is as large as the viewport of the region in pixels (the window around the
// viewport is not part of it); OpenGL's viewport covers the whole buffer, and cameras fit their
// view volume to the viewport's aspect ratio. The buffer is at most 16384 pixels on a side.
//
// render(scene) creates the OpenGL context on its first call (RGBA, a depth buffer of 24 bits,
// or 16 where 24 are not available), makes it current on the calling thread, clears colour (to
// the background colour) and depth, and draws the triangles, line segments and points that the
// scene's shapes generate, as the scene's camera sees them:
// - colours come from the material of each vertex (its material index, as the binding gives it);
//   BASE_COLOR draws the diffuse colour unlit; PHONG lights triangles with OpenGL's fixed-function
//   lighting from the material (ambient, diffuse, specular, emissive, shininess), the
//   environment's ambient light and attenuation, and up to GL_MAX_LIGHTS of the scene's
//   directional, point and spot lights (further lights are ignored). Both sides of a face are lit
//   when its vertex ordering is known and its shape is not solid. As in all fixed-function
//   OpenGL, lighting is computed at the vertices and interpolated across faces, so a spot light's
//   cone shows only on meshes finer than the cone. Line segments and points are drawn unlit in
//   their diffuse colour;
// - draw styles: FILLED, LINES (faces as outlines), POINTS (faces and lines as their vertices),
//   INVISIBLE (nothing); line width, point size (0 meaning 1 pixel) and line pattern;
// - not drawn: transparency (everything is opaque), textures, SoText2 and SoImage (they generate no
//   primitives), fog. Faces are never culled.
//
// After a successful render() the context stays current on the calling thread and in this state,
// so that a caller can draw more into the same frame buffer and read it back with glReadPixels
// (reading GL_FRONT works: the buffer is single-buffered):
//   depth test on with GL_LESS and depth writes on; model-view and projection matrices identity,
//   matrix mode GL_MODELVIEW; lighting, blending, dithering, line stipple, culling off (so a colour
//   given with glColor reaches the buffer unchanged); polygon mode fill, line width and point
//   size 1; the viewport covers the whole buffer.
//
// getBuffer() gives the picture that render() drew as RGB bytes, 3 per pixel, width x height of
// the viewport in pixels, rows from the BOTTOM row up (OpenGL's order); what a caller draws after
// render() is not in it. writeToPNG() writes the same picture with the top row first, as PNG
// files are laid out.
//
// When no OpenGL context can be had (OSMesa fails to create or bind one, or the viewport has no
// pixels or is too large), render() returns false and getBuffer() gives null; the first such
// failure in the process prints why on standard error, prefixed "SoOffscreenRenderer: ".
//
// Ownership and threads: the renderer owns its OpenGL context and both pixel buffers; the caller
// owns the renderer and the scene (render neither refs nor unrefs it). Every renderer has its own
// context, so renderers on different threads work independently; one renderer must be used from
// one thread at a time, and destroyed on the thread that last rendered with it (its context is
// unbound there before being destroyed).
class SCENE_API SoOffscreenRenderer {
public:
    explicit SoOffscreenRenderer(const SbViewportRegion &region);
    virtual ~SoOffscreenRenderer();
    SoOffscreenRenderer(const SoOffscreenRenderer &) = delete;
    SoOffscreenRenderer &operator=(const SoOffscreenRenderer &) = delete;

    // The next render() uses the new size; the frame buffer is resized then.
    void setViewportRegion(const SbViewportRegion &region);
    const SbViewportRegion &getViewportRegion() const;
    // Default black.
    void setBackgroundColor(const SbColor &color);
    const SbColor &getBackgroundColor() const;

    // Clears and draws the scene (a null scene leaves the cleared background). True on success.
    bool render(SoNode *scene);
    // The RGB pixels of the last render (bottom row first); null before one or after a failed one.
    const unsigned char *getBuffer() const;
    // Writes the last successful render as an 8-bit RGB PNG, top row first. False when nothing has
    // been rendered or the file cannot be written.
    bool writeToPNG(const char *filename) const;

private:
    SbViewportRegion viewportRegion;
    SbColor backgroundColor{0.0f, 0.0f, 0.0f};
    std::unique_ptr<scene_detail::OffscreenContext> context;
    std::vector<unsigned char> pixels; // RGB, bottom row first
    int pixelsWidth = 0, pixelsHeight = 0;
};

#endif
