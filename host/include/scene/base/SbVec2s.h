#ifndef SCENE_SBVEC2S_H
#define SCENE_SBVEC2S_H
#include "scene/SceneExport.h"

// Two shorts: sizes of images and bitmaps in pixels.
class SCENE_API SbVec2s {
public:
    SbVec2s() : v{0, 0} {}
    SbVec2s(short x, short y) : v{x, y} {}
    SbVec2s &setValue(short x, short y) { v[0] = x; v[1] = y; return *this; }
    void getValue(short &x, short &y) const { x = v[0]; y = v[1]; }
    const short *getValue() const { return v; }
    short &operator[](int i) { return v[i]; }
    const short &operator[](int i) const { return v[i]; }
    friend bool operator==(const SbVec2s &a, const SbVec2s &b) { return a.v[0] == b.v[0] && a.v[1] == b.v[1]; }
    friend bool operator!=(const SbVec2s &a, const SbVec2s &b) { return !(a == b); }

private:
    short v[2];
};

#endif
