#ifndef SCENE_SBBASIC_H
#define SCENE_SBBASIC_H
// Basic types shared by the whole toolkit.
#include <cstdint>

typedef int SbBool;
#ifndef TRUE
#define TRUE 1
#endif
#ifndef FALSE
#define FALSE 0
#endif

#endif
