// The off-screen renderer: frame buffer set-up, drawing through GLSceneDrawer, the state left for
// callers, the read-back of the picture and its PNG file.
#include "scene/misc/SoOffscreenRenderer.h"

#include <GL/gl.h>
#include <png.h>

#include <atomic>
#include <cstdio>
#include <cstring>
#include <string>

#include "GLSceneDrawer.h"
#include "OffscreenContext.h"

namespace {

// Failures are reported once per process: a renderer that cannot get a context fails the same
// way every time, and a program rendering many frames should not repeat it.
void reportFailureOnce(const std::string &why) {
    static std::atomic<bool> reported{false};
    if (!reported.exchange(true)) std::fprintf(stderr, "SoOffscreenRenderer: %s\n", why.c_str());
}

// The state documented for callers in the header.
void leaveCallerState() {
    glDisable(GL_LIGHTING);
    glDisable(GL_LINE_STIPPLE);
    glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
    glLineWidth(1.0f);
    glPointSize(1.0f);
    glEnable(GL_DEPTH_TEST);
    glDepthFunc(GL_LESS);
    glDepthMask(GL_TRUE);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
}

} // namespace

SoOffscreenRenderer::SoOffscreenRenderer(const SbViewportRegion &region) : viewportRegion(region) {}

SoOffscreenRenderer::~SoOffscreenRenderer() = default;

void SoOffscreenRenderer::setViewportRegion(const SbViewportRegion &region) {
    viewportRegion = region;
}
const SbViewportRegion &SoOffscreenRenderer::getViewportRegion() const {
    return viewportRegion;
}
void SoOffscreenRenderer::setBackgroundColor(const SbColor &color) {
    backgroundColor = color;
}
const SbColor &SoOffscreenRenderer::getBackgroundColor() const {
    return backgroundColor;
}

bool SoOffscreenRenderer::render(SoNode *scene) {
    const SbVec2i32 size = viewportRegion.getViewportSizePixels();
    const int width = size[0], height = size[1];
    if (!context) context = std::make_unique<scene_detail::OffscreenContext>();
    std::string why;
    if (!context->bind(width, height, why)) {
        pixels.clear();
        reportFailureOnce(why);
        return false;
    }
    // Errors left by a caller's own OpenGL calls since the last render are not this render's.
    for (int i = 0; i < 32 && glGetError() != GL_NO_ERROR; i++) {
    }

    // One buffer, drawn and read from the front.
    glDrawBuffer(GL_FRONT);
    glReadBuffer(GL_FRONT);
    glViewport(0, 0, width, height);
    glDisable(GL_SCISSOR_TEST);
    glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
    glDepthMask(GL_TRUE);
    glClearColor(backgroundColor[0], backgroundColor[1], backgroundColor[2], 1.0f);
    glClearDepth(1.0);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);

    scene_detail::GLSceneDrawer drawer(viewportRegion);
    drawer.draw(scene);
    leaveCallerState();
    glFinish();

    // Tightly packed RGB rows, whatever pixel-store settings a caller left behind.
    pixels.assign(static_cast<size_t>(width) * static_cast<size_t>(height) * 3u, 0);
    glPushClientAttrib(GL_CLIENT_PIXEL_STORE_BIT);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glPixelStorei(GL_PACK_ROW_LENGTH, 0);
    glPixelStorei(GL_PACK_SKIP_ROWS, 0);
    glPixelStorei(GL_PACK_SKIP_PIXELS, 0);
    glPixelStorei(GL_PACK_SWAP_BYTES, GL_FALSE);
    glPixelStorei(GL_PACK_LSB_FIRST, GL_FALSE);
    glReadPixels(0, 0, width, height, GL_RGB, GL_UNSIGNED_BYTE, pixels.data());
    glPopClientAttrib();
    pixelsWidth = width;
    pixelsHeight = height;

    const GLenum error = glGetError();
    if (error != GL_NO_ERROR) {
        char text[64];
        std::snprintf(text, sizeof text, "OpenGL error 0x%04X while rendering",
                      static_cast<unsigned>(error));
        reportFailureOnce(text);
        return false;
    }
    return true;
}

const unsigned char *SoOffscreenRenderer::getBuffer() const {
    return pixels.empty() ? nullptr : pixels.data();
}

bool SoOffscreenRenderer::writeToPNG(const char *filename) const {
    if (!filename || pixels.empty()) return false;
    png_image image;
    std::memset(&image, 0, sizeof image);
    image.version = PNG_IMAGE_VERSION;
    image.width = static_cast<png_uint_32>(pixelsWidth);
    image.height = static_cast<png_uint_32>(pixelsHeight);
    image.format = PNG_FORMAT_RGB;
    // A negative stride tells libpng that the bottom row comes first in memory.
    const png_int_32 stride = -static_cast<png_int_32>(pixelsWidth * 3);
    const int ok = png_image_write_to_file(&image, filename, 0, pixels.data(), stride, nullptr);
    png_image_free(&image);
    return ok != 0;
}
