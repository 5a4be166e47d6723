#include "Preview.h"
#include "scene/base/SbViewportRegion.h"
#include "scene/misc/SoOffscreenRenderer.h"
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <unistd.h>

namespace {
// Longest preview side: 2048 pixels keep an A4 drawing sharp at about 7 pixels per millimetre
// while the software renderer still draws it in a fraction of a second.
constexpr int kLongestSide = 2048;
} // namespace

SbVec2i32 previewSize(float widthMm, float heightMm, float pixelsPerMm) {
    double w = static_cast<double>(widthMm) * pixelsPerMm,
           h = static_cast<double>(heightMm) * pixelsPerMm;
    const double longest = std::max(w, h);
    if (longest > kLongestSide) {
        w *= kLongestSide / longest;
        h *= kLongestSide / longest;
    }
    return SbVec2i32(std::max(1, static_cast<int32_t>(std::lround(w))),
                     std::max(1, static_cast<int32_t>(std::lround(h))));
}

bool writePreview(SoNode *root, const SbVec2i32 &size, const SbColor &background,
                  const std::string &path, std::string &error) {
    // The camera fits its view volume to the viewport's aspect ratio, which is the drawing
    // area's: the preview shows what the drawing shows.
    SoOffscreenRenderer renderer{SbViewportRegion(size)};
    renderer.setBackgroundColor(background);
    if (!renderer.render(root)) {
        error = "the preview could not be rendered: no off-screen OpenGL context (see the message "
                "above)";
        return false;
    }
    const std::string partial = path + ".partial-" + std::to_string(getpid());
    if (!renderer.writeToPNG(partial.c_str()) || std::rename(partial.c_str(), path.c_str()) != 0) {
        std::remove(partial.c_str());
        error = "cannot write the preview '" + path + "'";
        return false;
    }
    return true;
}
