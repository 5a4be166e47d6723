#ifndef SCENE_SODB_H
#define SCENE_SODB_H

class SoInput;
class SoSeparator;

// The toolkit's database: class registration and reading of scene files.
class SoDB {
public:
    // Registers every class of the toolkit; calling it again does nothing.
    static void init();
    static bool isInitialized();
};

#endif
