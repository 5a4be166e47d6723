// The scenes of the fidelity tests, built from flat-coloured triangles (see RayCastReference.h):
// each with the view the tests draw it in.
#ifndef SCRIVANE_TEST_FIDELITY_SCENES_H
#define SCRIVANE_TEST_FIDELITY_SCENES_H

#include "RayCastReference.h"
#include <vector>

namespace scrivane::test {

FlatTriangle triangle(SbVec3f a, SbVec3f b, SbVec3f c, SbColor color);

// Two triangles tilted in opposite directions about the y axis, crossing along x = 0: seen from
// the side they form an X. Left of the crossing the second is in front, right of it the first.
std::vector<FlatTriangle> crossingX();
// Three long triangles along the sides of an equilateral triangle, each rising in z from its
// wide start to its far tip, so that at every corner the one that ends there lies over the one
// that starts there: 0 over 1, 1 over 2, 2 over 0. No two of them cross.
std::vector<FlatTriangle> cycle();
// A cube of edge 1.2 turned so that its corner (1, 1, 1) faces the viewer; each face one colour,
// its two triangles counter-clockwise seen from outside.
std::vector<FlatTriangle> cubeFromCorner();
// A unit sphere of 24 meridians and 12 parallels, poles on the y axis, every triangle its own
// colour.
std::vector<FlatTriangle> uvSphere();
// 200 triangles of edge up to about 0.4 with centres spread through the unit cube.
std::vector<FlatTriangle> randomTriangles();

// The scenes above with the views the tests use, unlit.
struct NamedScene {
    const char *name;
    std::vector<FlatTriangle> (*build)();
    FidelityView view;
};
const std::vector<NamedScene> &rayCastScenes();

} // namespace scrivane::test

#endif
