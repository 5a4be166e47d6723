#ifndef SCENE_SBVEC2I32_H
#define SCENE_SBVEC2I32_H
#include "scene/SceneExport.h"
#include <cstdint>

// Two 32-bit integers: window sizes in pixels.
class SCENE_API SbVec2i32 {
public:
    SbVec2i32() : v{0, 0} {}
    SbVec2i32(int32_t x, int32_t y) : v{x, y} {}
    SbVec2i32 &setValue(int32_t x, int32_t y) { v[0] = x; v[1] = y; return *this; }
    void getValue(int32_t &x, int32_t &y) const { x = v[0]; y = v[1]; }
    const int32_t *getValue() const { return v; }
    int32_t &operator[](int i) { return v[i]; }
    const int32_t &operator[](int i) const { return v[i]; }
    friend bool operator==(const SbVec2i32 &a, const SbVec2i32 &b) { return a.v[0] == b.v[0] && a.v[1] == b.v[1]; }
    friend bool operator!=(const SbVec2i32 &a, const SbVec2i32 &b) { return !(a == b); }

private:
    int32_t v[2];
};

#endif
