#ifndef SCENE_SCENEEXPORT_H
#define SCENE_SCENEEXPORT_H

// Marks the classes and functions that the shared scene library exports. The library is compiled
// with hidden visibility, so everything not marked stays internal to it; in a static library the
// mark changes nothing.
#if defined(__GNUC__)
#define SCENE_API __attribute__((visibility("default")))
#else
#define SCENE_API
#endif

#endif
