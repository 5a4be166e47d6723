#include "ImageFile.h"

#include <png.h>

#include <cstdio>
#include <cstring>
#include <memory>
#include <utility>

namespace scene_detail {

namespace {

struct FileCloser {
    void operator()(std::FILE *f) const { std::fclose(f); }
};
using File = std::unique_ptr<std::FILE, FileCloser>;

bool sizeAcceptable(long width, long height, int components) {
    if (width <= 0 || height <= 0 || width > kMaxImageSide || height > kMaxImageSide) return false;
    return static_cast<size_t>(width) * static_cast<size_t>(height) * static_cast<size_t>(components) <=
           kMaxImageBytes;
}

bool readPng(const char *path, DecodedImage &out) {
    png_image image;
    std::memset(&image, 0, sizeof image);
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_file(&image, path)) return false;
    // Eight bits a sample, keeping whether the file has colour and alpha.
    image.format = image.format & (PNG_FORMAT_FLAG_COLOR | PNG_FORMAT_FLAG_ALPHA);
    const int components = ((image.format & PNG_FORMAT_FLAG_COLOR) ? 3 : 1) + ((image.format & PNG_FORMAT_FLAG_ALPHA) ? 1 : 0);
    if (!sizeAcceptable(image.width, image.height, components)) {
        png_image_free(&image);
        return false;
    }
    DecodedImage decoded;
    decoded.width = static_cast<int>(image.width);
    decoded.height = static_cast<int>(image.height);
    decoded.components = components;
    decoded.pixels.resize(static_cast<size_t>(decoded.width) * decoded.height * components);
    // A negative row stride makes libpng store the first (top) row last: rows bottom to top.
    const png_int_32 stride = -static_cast<png_int_32>(decoded.width * components);
    const int ok = png_image_finish_read(&image, nullptr, decoded.pixels.data(), stride, nullptr);
    png_image_free(&image);
    if (!ok) return false;
    out = std::move(decoded);
    return true;
}

// Reads the next header number of a PGM/PPM file, skipping white space and comments.
bool readHeaderNumber(std::FILE *f, long &value) {
    int c = std::fgetc(f);
    for (;;) {
        if (c == '#') {
            while (c != '\n' && c != '\r' && c != EOF) c = std::fgetc(f);
        } else if (c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f') {
            c = std::fgetc(f);
        } else {
            break;
        }
    }
    if (c < '0' || c > '9') return false;
    value = 0;
    while (c >= '0' && c <= '9') {
        value = value * 10 + (c - '0');
        if (value > 1000000) return false;
        c = std::fgetc(f);
    }
    // Exactly one white-space character separates the last number from the pixels.
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
}

bool readPnm(std::FILE *f, int components, DecodedImage &out) {
    long width, height, maxval;
    if (!readHeaderNumber(f, width) || !readHeaderNumber(f, height) || !readHeaderNumber(f, maxval)) return false;
    if (maxval < 1 || maxval > 255 || !sizeAcceptable(width, height, components)) return false;
    const size_t rowBytes = static_cast<size_t>(width) * components;
    const size_t needed = rowBytes * static_cast<size_t>(height);
    // Refuse a truncated file before allocating for it.
    const long here = std::ftell(f);
    if (here < 0 || std::fseek(f, 0, SEEK_END) != 0) return false;
    const long end = std::ftell(f);
    if (end < here || static_cast<size_t>(end - here) < needed || std::fseek(f, here, SEEK_SET) != 0) return false;
    DecodedImage decoded;
    decoded.width = static_cast<int>(width);
    decoded.height = static_cast<int>(height);
    decoded.components = components;
    decoded.pixels.resize(needed);
    // The file runs top to bottom; the image keeps its bottom row first.
    for (long row = 0; row < height; row++) {
        unsigned char *target = decoded.pixels.data() + static_cast<size_t>(height - 1 - row) * rowBytes;
        if (std::fread(target, 1, rowBytes, f) != rowBytes) return false;
    }
    if (maxval != 255)
        for (unsigned char &p : decoded.pixels) p = static_cast<unsigned char>(p > maxval ? 255 : (p * 255 + maxval / 2) / maxval);
    out = std::move(decoded);
    return true;
}

} // namespace

bool readImageFile(const char *path, DecodedImage &out) {
    if (!path || !*path) return false;
    File f(std::fopen(path, "rb"));
    if (!f) return false;
    unsigned char magic[8] = {0};
    const size_t got = std::fread(magic, 1, sizeof magic, f.get());
    static const unsigned char pngSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1a, '\n'};
    if (got == sizeof magic && std::memcmp(magic, pngSignature, sizeof magic) == 0) {
        f.reset();
        return readPng(path, out);
    }
    if (got >= 3 && magic[0] == 'P' && (magic[1] == '5' || magic[1] == '6')) {
        if (std::fseek(f.get(), 2, SEEK_SET) != 0) return false;
        return readPnm(f.get(), magic[1] == '6' ? 3 : 1, out);
    }
    return false;
}

} // namespace scene_detail
