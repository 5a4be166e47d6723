// Reads a PNG file into 8-bit RGB pixels, for checking rendered pictures, and runs the
// programs that render them.
#ifndef SCRIVANE_TESTS_GDI_PNG_IMAGE_H
#define SCRIVANE_TESTS_GDI_PNG_IMAGE_H

#include <cstdint>
#include <string>
#include <vector>

namespace scrivane::test {

struct Rgb {
    int r = 0;
    int g = 0;
    int b = 0;
};

struct RgbImage {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> pixels; // rows top to bottom, 3 bytes a pixel

    // The pixel at (x, y), clamped to the picture.
    Rgb at(int x, int y) const;
};

// False (and a message in `error`) when the file cannot be read as PNG.
bool readPng(const std::string &path, RgbImage &image, std::string &error);

// Whether each component is within `tolerance` of (r, g, b); "(r,g,b)" for messages.
bool near(Rgb c, int r, int g, int b, int tolerance = 60);
std::string show(Rgb c);

// Runs a shell command: its exit status, or -1 when it did not exit normally.
int runCommand(const std::string &command);

} // namespace scrivane::test

#endif
