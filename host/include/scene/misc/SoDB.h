#ifndef SCENE_SODB_H
#define SCENE_SODB_H
#include "scene/SceneExport.h"

class SoInput;
class SoSeparator;

// The toolkit's database: class registration and reading of scene files.
class SCENE_API SoDB {
public:
    // Registers every class of the toolkit; calling it again does nothing.
    static void init();
    static bool isInitialized();

    // Reads every top-level node of an ASCII scene file (see SoInput for sources and messages).
    // Returns a new SoSeparator with a reference count of 0 holding the top-level nodes as children;
    // when the file holds exactly one top-level node and it is a plain SoSeparator, that separator is
    // returned itself. An empty file gives an empty separator. On an error (reported through the
    // input's message callback with file, line and column) nothing is kept and null is returned.
    // Calls init() if needed.
    static SoSeparator *readAll(SoInput *in);
};

#endif
