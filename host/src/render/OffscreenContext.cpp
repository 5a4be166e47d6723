// OSMesa context management: creation with a 24-bit depth buffer (16 as a fallback), binding to a
// colour buffer of the requested size, and orderly destruction.
#include "OffscreenContext.h"

#include <GL/gl.h>

namespace scene_detail {

OffscreenContext::~OffscreenContext() {
    if (!context) return;
    // Destroying a context that is still current would leave the thread pointing at freed state.
    if (OSMesaGetCurrentContext() == context) OSMesaMakeCurrent(nullptr, nullptr, 0, 0, 0);
    OSMesaDestroyContext(context);
}

bool OffscreenContext::bind(int w, int h, std::string &why) {
    if (w < 1 || h < 1) {
        why = "the viewport has no pixels (" + std::to_string(w) + " x " + std::to_string(h) + ")";
        return false;
    }
    if (w > kMaxOffscreenSide || h > kMaxOffscreenSide) {
        why = "the viewport of " + std::to_string(w) + " x " + std::to_string(h) +
              " pixels is larger than " + std::to_string(kMaxOffscreenSide) + " on a side";
        return false;
    }
    if (!context) {
        // No stencil or accumulation buffer: nothing the renderer or its callers use needs them.
        context = OSMesaCreateContextExt(OSMESA_RGBA, 24, 0, 0, nullptr);
        if (!context) context = OSMesaCreateContextExt(OSMESA_RGBA, 16, 0, 0, nullptr);
        if (!context) {
            why = "OSMesa could not create an RGBA context with a depth buffer";
            return false;
        }
    }
    if (w != width || h != height) {
        colorBuffer.assign(static_cast<size_t>(w) * static_cast<size_t>(h) * 4u, 0);
        width = w;
        height = h;
    }
    if (!OSMesaMakeCurrent(context, colorBuffer.data(), GL_UNSIGNED_BYTE, width, height)) {
        why = "OSMesa could not bind its context to a " + std::to_string(w) + " x " +
              std::to_string(h) + " frame buffer";
        return false;
    }
    GLint depthBits = 0;
    glGetIntegerv(GL_DEPTH_BITS, &depthBits);
    if (depthBits < 16) {
        why =
            "the OSMesa context has a depth buffer of only " + std::to_string(depthBits) + " bits";
        return false;
    }
    return true;
}

} // namespace scene_detail
