// Counts seams inside filled faces: pixels of an anti-aliased rendering that show the background
// (or a mix with it) where a face should be solid.
//
//   scrivane_seam_count REFERENCE.png ANTIALIASED.png [TOLERANCE]
//
// REFERENCE is the same drawing rendered without anti-aliasing at the same resolution (Ghostscript
// -dGraphicsAlphaBits=1, pdftoppm -aa no -aaVector no): a renderer that fills every pixel a face
// touches leaves no gap between faces there. The faces' interiors are its pixels that are not the
// background (the colour of the top-left pixel) and whose neighbours up to kErosion pixels away in
// every direction have the same colour: 2 pixels from any face edge. In those pixels ANTIALIASED
// is compared with REFERENCE:
//   off-colour     a channel differs by more than TOLERANCE (default 8 of 255);
//   near-background  the pixel is nearer the background colour than the face colour.
// Prints one line: interior=N off-colour=M near-background=K. Exit status 2 when a file cannot be
// read or the sizes differ.
#include <cstdio>
#include <cstdlib>
#include <png.h>
#include <string>
#include <vector>

namespace {

constexpr int kErosion = 2;

struct Picture {
    int width = 0, height = 0;
    std::vector<unsigned char> rgb;
    const unsigned char *at(int x, int y) const { return &rgb[3 * (std::size_t(y) * width + x)]; }
};

bool readPng(const char *path, Picture &picture) {
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_file(&image, path)) {
        std::fprintf(stderr, "%s: %s\n", path, image.message);
        return false;
    }
    image.format = PNG_FORMAT_RGB;
    picture.width = int(image.width);
    picture.height = int(image.height);
    picture.rgb.resize(PNG_IMAGE_SIZE(image));
    if (!png_image_finish_read(&image, nullptr, picture.rgb.data(), 0, nullptr)) {
        std::fprintf(stderr, "%s: %s\n", path, image.message);
        return false;
    }
    return true;
}

bool same(const unsigned char *a, const unsigned char *b) {
    return a[0] == b[0] && a[1] == b[1] && a[2] == b[2];
}

int maxChannelDifference(const unsigned char *a, const unsigned char *b) {
    int most = 0;
    for (int i = 0; i < 3; i++)
        most = std::max(most, std::abs(int(a[i]) - int(b[i])));
    return most;
}

int squaredDistance(const unsigned char *a, const unsigned char *b) {
    int sum = 0;
    for (int i = 0; i < 3; i++)
        sum += (int(a[i]) - int(b[i])) * (int(a[i]) - int(b[i]));
    return sum;
}

bool interior(const Picture &p, int x, int y, const unsigned char *background) {
    const unsigned char *c = p.at(x, y);
    if (same(c, background)) return false;
    for (int dy = -kErosion; dy <= kErosion; dy++)
        for (int dx = -kErosion; dx <= kErosion; dx++)
            if (!same(p.at(x + dx, y + dy), c)) return false;
    return true;
}

} // namespace

int main(int argc, char **argv) {
    if (argc < 3 || argc > 4) {
        std::fprintf(stderr, "usage: %s REFERENCE.png ANTIALIASED.png [TOLERANCE]\n", argv[0]);
        return 1;
    }
    const int tolerance = argc == 4 ? std::atoi(argv[3]) : 8;
    Picture reference, smooth;
    if (!readPng(argv[1], reference) || !readPng(argv[2], smooth)) return 2;
    if (reference.width != smooth.width || reference.height != smooth.height) {
        std::fprintf(stderr, "%s and %s differ in size\n", argv[1], argv[2]);
        return 2;
    }
    const unsigned char *background = reference.at(0, 0);
    long inside = 0, offColour = 0, nearBackground = 0;
    for (int y = kErosion; y < reference.height - kErosion; y++)
        for (int x = kErosion; x < reference.width - kErosion; x++) {
            if (!interior(reference, x, y, background)) continue;
            inside++;
            const unsigned char *face = reference.at(x, y), *seen = smooth.at(x, y);
            if (maxChannelDifference(face, seen) > tolerance) offColour++;
            if (squaredDistance(seen, background) < squaredDistance(seen, face)) nearBackground++;
        }
    std::printf("interior=%ld off-colour=%ld near-background=%ld\n", inside, offColour,
                nearBackground);
    return 0;
}
