#ifndef SCRIVANE_TOOLS_PREVIEW_H
#define SCRIVANE_TOOLS_PREVIEW_H
// The --preview picture: the scene drawn by the toolkit's off-screen OpenGL renderer, so that a
// user can set what the renderer shows beside the vector drawing.
#include "scene/base/SbColor.h"
#include "scene/base/SbVec2i32.h"
#include <string>

class SoNode;

// Pixels of a preview of a drawing area of widthMm x heightMm at pixelsPerMm, the longer side
// limited to 2048 pixels, each side at least 1 pixel. The aspect ratio is the drawing area's
// within half a pixel.
SbVec2i32 previewSize(float widthMm, float heightMm, float pixelsPerMm);

// Renders root (with the camera and light the drawing uses) into a frame buffer of `size` and
// writes it as an RGB PNG file, top row first. The file is written under a temporary name beside
// it and renamed into place when complete. False with a message in `error` when the renderer has
// no OpenGL context or the file cannot be written.
bool writePreview(SoNode *root, const SbVec2i32 &size, const SbColor &background,
                  const std::string &path, std::string &error);

#endif
