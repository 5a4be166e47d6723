#include "FidelityScenes.h"
#include "scene/base/SbRotation.h"
#include <cmath>
#include <cstdint>

namespace scrivane::test {

namespace {

// Distinct colours for up to 1000 faces: the digits of 37 k mod 1000 as tenths, so any two
// differ by at least 0.1 in one channel and none is white.
SbColor paletteColor(int k) {
    const int code = (37 * (k + 1)) % 1000;
    return SbColor(float(code / 100) / 10.0f, float(code / 10 % 10) / 10.0f,
                   float(code % 10) / 10.0f);
}

// A deterministic generator (SplitMix64), so the random scene is the same on every machine.
class SplitMix64 {
public:
    explicit SplitMix64(uint64_t seed) : state(seed) {}
    // Uniform in [lo, hi).
    float uniform(float lo, float hi) {
        uint64_t z = (state += 0x9E3779B97F4A7C15ULL);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
        z ^= z >> 31;
        return lo + (hi - lo) * float(double(z >> 11) / 9007199254740992.0);
    }

private:
    uint64_t state;
};

} // namespace

FlatTriangle triangle(SbVec3f a, SbVec3f b, SbVec3f c, SbColor color) {
    return FlatTriangle{a, b, c, color};
}

std::vector<FlatTriangle> crossingX() {
    return {triangle({-1, -0.8f, -0.5f}, {1, -0.8f, 0.5f}, {0, 0.9f, 0}, {0.9f, 0.2f, 0.1f}),
            triangle({-1, 0.8f, 0.5f}, {0, -0.9f, 0}, {1, 0.8f, -0.5f}, {0.1f, 0.3f, 0.9f})};
}

std::vector<FlatTriangle> cycle() {
    const float pi = 3.14159265f, before = 0.4f, after = 1.2f, halfWidth = 0.45f;
    const float side = std::sqrt(3.0f), total = before + side + after;
    const SbColor colors[3] = {{0.9f, 0.1f, 0.1f}, {0.1f, 0.7f, 0.1f}, {0.1f, 0.2f, 0.9f}};
    std::vector<FlatTriangle> result;
    for (int i = 0; i < 3; i++) {
        const float a0 = pi / 2 + 2 * pi / 3 * float(i), a1 = a0 + 2 * pi / 3;
        const SbVec3f from(std::cos(a0), std::sin(a0), 0), to(std::cos(a1), std::sin(a1), 0);
        const SbVec3f along = (to - from) / side, across(-along[1], along[0], 0);
        // z rises with slope 1 along the triangle: 0 at its start, total at its tip.
        const SbVec3f start = from - along * before,
                      tip = to + along * after + SbVec3f(0, 0, total);
        result.push_back(
            triangle(start - across * halfWidth, tip, start + across * halfWidth, colors[i]));
    }
    return result;
}

std::vector<FlatTriangle> cubeFromCorner() {
    const SbRotation turn(SbVec3f(1, 1, 1), SbVec3f(0, 0, 1));
    auto corner = [&](int x, int y, int z) {
        SbVec3f p;
        turn.multVec(SbVec3f(x ? 0.6f : -0.6f, y ? 0.6f : -0.6f, z ? 0.6f : -0.6f), p);
        return p;
    };
    // Corners of each face in counter-clockwise order seen from outside, as xyz bit triples.
    const int faces[6][4] = {{0b100, 0b110, 0b111, 0b101}, {0b000, 0b001, 0b011, 0b010},
                             {0b010, 0b011, 0b111, 0b110}, {0b000, 0b100, 0b101, 0b001},
                             {0b001, 0b101, 0b111, 0b011}, {0b000, 0b010, 0b110, 0b100}};
    const SbColor colors[6] = {{1, 0.2f, 0.2f}, {0.2f, 1, 1},    {0.2f, 1, 0.2f},
                               {1, 0.2f, 1},    {0.2f, 0.2f, 1}, {1, 1, 0.2f}};
    std::vector<FlatTriangle> result;
    for (int f = 0; f < 6; f++) {
        SbVec3f q[4];
        for (int k = 0; k < 4; k++)
            q[k] = corner(faces[f][k] >> 2 & 1, faces[f][k] >> 1 & 1, faces[f][k] & 1);
        result.push_back(triangle(q[0], q[1], q[2], colors[f]));
        result.push_back(triangle(q[0], q[2], q[3], colors[f]));
    }
    return result;
}

std::vector<FlatTriangle> uvSphere() {
    const int slices = 24, stacks = 12;
    const float pi = 3.14159265f;
    auto point = [&](int stack, int slice) {
        const float theta = pi * float(stack) / float(stacks);
        const float phi = 2 * pi * float(slice) / float(slices);
        return SbVec3f(std::sin(theta) * std::cos(phi), std::cos(theta),
                       std::sin(theta) * std::sin(phi));
    };
    std::vector<FlatTriangle> result;
    for (int i = 0; i < stacks; i++)
        for (int j = 0; j < slices; j++) {
            const SbVec3f p00 = point(i, j), p01 = point(i, j + 1), p10 = point(i + 1, j),
                          p11 = point(i + 1, j + 1);
            if (i > 0) result.push_back(triangle(p00, p01, p11, paletteColor(int(result.size()))));
            if (i < stacks - 1)
                result.push_back(triangle(p00, p11, p10, paletteColor(int(result.size()))));
        }
    return result;
}

std::vector<FlatTriangle> randomTriangles() {
    SplitMix64 random(20240611);
    std::vector<FlatTriangle> result;
    for (int k = 0; k < 200; k++) {
        const SbVec3f centre(random.uniform(0.15f, 0.85f), random.uniform(0.15f, 0.85f),
                             random.uniform(0.15f, 0.85f));
        SbVec3f v[3];
        for (SbVec3f &p : v)
            p = centre + SbVec3f(random.uniform(-0.15f, 0.15f), random.uniform(-0.15f, 0.15f),
                                 random.uniform(-0.15f, 0.15f));
        result.push_back(triangle(v[0], v[1], v[2], paletteColor(k)));
    }
    return result;
}

const std::vector<NamedScene> &rayCastScenes() {
    static const std::vector<NamedScene> scenes = {
        {"x", crossingX, {0, 0, 2.5f, nullptr}},
        {"cycle", cycle, {0, 0, 5, nullptr}},
        {"cube", cubeFromCorner, {0, 0, 3, nullptr}},
        {"sphere", uvSphere, {0, 0, 2.5f, nullptr}},
        {"random200", randomTriangles, {0.5f, 0.5f, 1.25f, nullptr}}};
    return scenes;
}

} // namespace scrivane::test
