#include "scrivane/SoScrivane.h"
#include "scene/misc/SoDB.h"

namespace {
int initialized = 0;
}

const char *SoScrivane::getProductName() { return "Scrivane"; }
const char *SoScrivane::getVersion() { return "3.7"; }

void SoScrivane::init() {
    if (initialized) return;
    initialized = 1;
    SoDB::init();
}
