#ifndef SCENE_SOSFIMAGE_H
#define SCENE_SOSFIMAGE_H
#include "scene/SceneExport.h"
#include "scene/base/SbVec2s.h"
#include "scene/fields/SoSField.h"
#include <vector>

// An image: width x height pixels of nc bytes each (1 grey, 2 grey + alpha, 3 RGB, 4 RGBA),
// rows stored bottom to top.
class SCENE_API SoSFImage : public SoSField {
public:
    static void initClass();
    static SoType getClassTypeId() { return classTypeId; }
    SoType getTypeId() const override { return classTypeId; }

    const unsigned char *getValue(SbVec2s &size, int &nc) const;
    // Copies the pixels; a null pointer gives zeroed pixels.
    void setValue(const SbVec2s &size, int nc, const unsigned char *bytes);
    unsigned char *startEditing(SbVec2s &size, int &nc);
    void finishEditing() { touch(); }
    bool operator==(const SoSFImage &o) const { return size == o.size && nc == o.nc && pixels == o.pixels; }

private:
    static SoType classTypeId;
    SbVec2s size;
    int nc = 0;
    std::vector<unsigned char> pixels;
};

#endif
