// Reading of image files for SoImage: PNG (through libpng) and binary PGM (P5) / PPM (P6).
#ifndef SCENE_SHAPES_IMAGEFILE_H
#define SCENE_SHAPES_IMAGEFILE_H

#include <cstddef>
#include <vector>

namespace scene_detail {

// Pixels of a decoded image: width x height pixels of `components` bytes (1 grey, 2 grey + alpha,
// 3 RGB, 4 RGBA), rows stored bottom to top.
struct DecodedImage {
    int width = 0, height = 0, components = 0;
    std::vector<unsigned char> pixels;
};

// Largest pixel array a file may ask for, in bytes; larger images are refused before anything
// is allocated for them.
constexpr size_t kMaxImageBytes = size_t(64) << 20;
// Largest width or height: images are measured in shorts.
constexpr int kMaxImageSide = 32767;

// Reads a PNG, PGM or PPM file, recognised by its first bytes. Returns false, leaving `out`
// untouched, when the file is missing, of another kind, corrupt, truncated or too large.
bool readImageFile(const char *path, DecodedImage &out);

} // namespace scene_detail

#endif
