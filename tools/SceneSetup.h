#ifndef SCRIVANE_TOOLS_SCENESETUP_H
#define SCRIVANE_TOOLS_SCENESETUP_H
class SoSeparator;

// Gives a scene what a drawing needs and files often lack. Returns a new root (referenced once
// by the caller through ref()) holding, when the scene has none, a headlight first (a light
// before the camera moves with it), then a perspective camera that views the whole scene on a
// drawing of the given aspect ratio (width / height), then the scene itself.
// addedCamera and addedLight report what was added.
SoSeparator *prepareScene(SoSeparator *scene, float drawingAspect, bool &addedCamera, bool &addedLight);

// Number of shapes the traversal will meet, counting every use of a shared node.
int countShapes(SoSeparator *root);

#endif
