#include "png_image.h"

#include <png.h>
#include <sys/wait.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>

namespace scrivane::test {

Rgb RgbImage::at(int x, int y) const {
    x = std::clamp(x, 0, width - 1);
    y = std::clamp(y, 0, height - 1);
    const std::size_t i = (static_cast<std::size_t>(y) * width + x) * 3;
    return Rgb{pixels[i], pixels[i + 1], pixels[i + 2]};
}

bool readPng(const std::string &path, RgbImage &image, std::string &error) {
    png_image png;
    std::memset(&png, 0, sizeof png);
    png.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_file(&png, path.c_str())) {
        error = png.message;
        return false;
    }
    png.format = PNG_FORMAT_RGB;
    image.width = static_cast<int>(png.width);
    image.height = static_cast<int>(png.height);
    image.pixels.assign(PNG_IMAGE_SIZE(png), 0);
    // Transparent areas are composed onto white, the colour of paper.
    png_color white{255, 255, 255};
    if (!png_image_finish_read(&png, &white, image.pixels.data(), 0, nullptr)) {
        error = png.message;
        png_image_free(&png);
        return false;
    }
    return image.width > 0 && image.height > 0;
}

bool near(Rgb c, int r, int g, int b, int tolerance) {
    return std::abs(c.r - r) <= tolerance && std::abs(c.g - g) <= tolerance &&
           std::abs(c.b - b) <= tolerance;
}

std::string show(Rgb c) {
    return "(" + std::to_string(c.r) + "," + std::to_string(c.g) + "," + std::to_string(c.b) + ")";
}

int runCommand(const std::string &command) {
    const int status = std::system(command.c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

} // namespace scrivane::test
