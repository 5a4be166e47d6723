#ifndef SCENE_SONODELIST_H
#define SCENE_SONODELIST_H
#include "scene/SceneExport.h"
#include "scene/misc/SoBaseList.h"

class SoNode;

// A list of nodes that references them.
class SCENE_API SoNodeList : public SoBaseList {
public:
    SoNodeList() = default;
    void append(SoNode *node);
    SoNode *operator[](int i) const;
    SoNode *get(int i) const { return (*this)[i]; }
};

#endif
