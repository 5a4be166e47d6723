#ifndef SCENE_SOIMAGE_H
#define SCENE_SOIMAGE_H
#include "scene/fields/SoSFEnum.h"
#include "scene/fields/SoSFImage.h"
#include "scene/fields/SoSFInt32.h"
#include "scene/fields/SoSFString.h"
#include "scene/nodes/SoShape.h"

// An image drawn at the origin in screen pixels, aligned on it; pixels come from the image field or
// from a PNG or binary PPM/PGM file named by filename.
class SoImage : public SoShape {
public:
    enum HorAlignment { LEFT = 0, CENTER = 1, RIGHT = 2 };
    enum VertAlignment { BOTTOM = 0, HALF = 1, TOP = 2 };
    static void initClass();
    static SoType getClassTypeId() { return classTypeId; }
    SoType getTypeId() const override { return classTypeId; }
    SoImage();

    SoSFInt32 width;
    SoSFInt32 height;
    SoSFEnum horAlignment;
    SoSFEnum vertAlignment;
    SoSFImage image;
    SoSFString filename;
    void generatePrimitives(SoAction *action) override;
    void computeBBox(SoAction *action, SbBox3f &box, SbVec3f &center) override;
    // Reads the file named by filename into the image field; relative names are taken from
    // directory. Returns false (and leaves the image alone) when the file cannot be read.
    bool readImageFile(const char *directory = nullptr);

protected:
    ~SoImage() override = default;

private:
    static SoType classTypeId;
};

#endif
