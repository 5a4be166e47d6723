// One OSMesa context and the colour buffer it renders into, for SoOffscreenRenderer.
#ifndef SCENE_RENDER_OFFSCREENCONTEXT_H
#define SCENE_RENDER_OFFSCREENCONTEXT_H

#include <GL/osmesa.h>

#include <string>
#include <vector>

namespace scene_detail {

// Largest frame buffer side accepted, in pixels; larger sizes are refused before anything is
// allocated (OSMesa's own limit is of the same order).
constexpr int kMaxOffscreenSide = 16384;

// The context is created on the first bind and lives until this object is destroyed. Mesa draws
// into `colorBuffer` (RGBA bytes); the buffer is reallocated only when the size changes, so that
// Mesa keeps finding the same buffer from one bind to the next.
class OffscreenContext {
public:
    OffscreenContext() = default;
    // Unbinds the context if it is current on this thread, then destroys it.
    ~OffscreenContext();
    OffscreenContext(const OffscreenContext &) = delete;
    OffscreenContext &operator=(const OffscreenContext &) = delete;

    // Creates the context if needed and makes it current on the calling thread with a
    // width x height frame buffer. On failure returns false and says why in `why`.
    bool bind(int width, int height, std::string &why);

private:
    OSMesaContext context = nullptr;
    std::vector<unsigned char> colorBuffer;
    int width = 0, height = 0;
};

} // namespace scene_detail

#endif
