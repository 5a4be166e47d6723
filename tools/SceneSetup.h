#ifndef SCRIVANE_TOOLS_SCENESETUP_H
#define SCRIVANE_TOOLS_SCENESETUP_H
#include <cstdint>
#include <string>
class SoNode;
class SoSeparator;

// Gives a scene what a drawing needs and files often lack. Returns a new root (referenced once
// by the caller through ref()) holding, when the scene has none, a headlight first (a light
// before the camera moves with it), then a perspective camera that views the whole scene on a
// drawing of the given aspect ratio (width / height), then the scene itself.
// addedCamera and addedLight report what was added.
// The search for a camera and a light visits each node once, however often the graph shares it.
SoSeparator *prepareScene(SoSeparator *scene, float drawingAspect, bool &addedCamera, bool &addedLight);

// How many shapes a traversal of a scene meets, counting every use of a shared node, and which
// shared subgraph contributes most to that number.
struct ShapeCount {
    // Shapes drawn; UINT64_MAX when the number does not fit (or the graph contains itself).
    uint64_t shapes = 0;
    // Two shared nodes (used more than once) that tell where the count comes from, each named by
    // its DEF name and type or, without a name, by its type: the biggest shared subgraph (most
    // shapes of its own, ties to the most used) and the most used one (ties to the biggest, then
    // to the outermost). Empty names when nothing is shared. Uses and shapes saturate at UINT64_MAX.
    struct Shared {
        std::string name;
        uint64_t uses = 0;   // times the traversal reaches it
        uint64_t shapes = 0; // shapes under it, counted once
    } biggestShared, mostUsed;
    bool cyclic = false;              // a node contains itself
};

// Counts the shapes under root without expanding shared subgraphs: each node's count is computed
// once, and shared nodes count by multiplication. Switches count their chosen child, levels of
// detail their first, as the drawing's traversal does.
ShapeCount countShapes(SoNode *root);

#endif
