#ifndef SCRIVANE_TOOLS_DEMOSCENE_H
#define SCRIVANE_TOOLS_DEMOSCENE_H
class SoSeparator;

// The scene drawn when no scene file is given: lit solids, a wireframe, dashed lines, text in
// three justifications, a marker set, an image and a patterned face, seen by an orthographic
// camera looking along -z, with one directional light. The caller refs the result.
SoSeparator *buildDemoScene();

#endif
