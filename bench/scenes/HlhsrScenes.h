// Scenes for the hidden-surface and hidden-line benchmarks, built in code: a tube along a (3,2)
// torus knot, a UV sphere, a height field z = sin(x) cos(y) and random triangles in a unit cube.
// Each is a lit, single-material mesh of about the number of triangles asked for, with a camera
// that views it whole from an oblique direction, so that it hides parts of itself.
#ifndef SCRIVANE_BENCH_HLHSRSCENES_H
#define SCRIVANE_BENCH_HLHSRSCENES_H
#include <string>

class SoSeparator;

namespace bench_scenes {

enum Kind { KNOT = 0, SPHERE = 1, HEIGHT_FIELD = 2, RANDOM_TRIANGLES = 3 };

const char *kindName(int kind);
// A new scene (reference count 0) of about `triangles` triangles; triangleCount is set to the
// exact number.
SoSeparator *buildScene(int kind, int triangles, int &triangleCount);

} // namespace bench_scenes

#endif
