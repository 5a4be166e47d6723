#ifndef SCRIVANE_SOSCRIVANE_H
#define SCRIVANE_SOSCRIVANE_H
#include "scrivane/ScrivaneExport.h"

// The library's static class: its name, its version and its one-time initialisation.
class SCRIVANE_API SoScrivane {
public:
    static const char *getProductName();
    static const char *getVersion();
    // Initialises the scene toolkit once per process; later calls return at once.
    static void init();

private:
    SoScrivane() = delete;
};

#endif
