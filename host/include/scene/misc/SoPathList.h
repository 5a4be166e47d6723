#ifndef SCENE_SOPATHLIST_H
#define SCENE_SOPATHLIST_H
#include "scene/SceneExport.h"
#include "scene/misc/SoBaseList.h"

class SoPath;

// A list of paths that references them.
class SCENE_API SoPathList : public SoBaseList {
public:
    SoPathList() = default;
    void append(SoPath *path);
    SoPath *operator[](int i) const;
    SoPath *get(int i) const { return (*this)[i]; }
};

#endif
