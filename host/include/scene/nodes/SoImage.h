#ifndef SCENE_SOIMAGE_H
#define SCENE_SOIMAGE_H
#include "scene/SceneExport.h"
#include "scene/fields/SoSFEnum.h"
#include "scene/fields/SoSFImage.h"
#include "scene/fields/SoSFInt32.h"
#include "scene/fields/SoSFString.h"
#include "scene/nodes/SoShape.h"

// An image drawn at the origin in screen pixels, aligned on it; pixels come from the image field or
// from a PNG or binary PPM/PGM file named by filename.
//
// The image generates no primitives (printers read the node); its box is the single point of its
// anchor, the origin. Files: PNG (grey, grey + alpha, RGB, RGBA, palettes; 16-bit samples are
// reduced to 8 bits) and binary PGM (P5) / PPM (P6) with a maxval of at most 255 (scaled to 255).
// The image field keeps the file's component count and stores rows bottom to top. A file whose
// pixels would take more than 64 MiB, or that is truncated or corrupt, is refused.
//
// Loading: when a callback action meets the node with a filename set and an empty image, the
// node reads the file once (for that filename), resolving a relative name against the search
// directory set with setSearchDirectory (whoever reads the node from a scene file sets it to that
// file's directory; empty: the current directory).
class SCENE_API SoImage : public SoShape {
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
    void callback(SoCallbackAction *action) override;
    // Reads the file named by filename into the image field; relative names are taken from
    // directory (null or empty: as given). Returns false (and leaves the image alone) when the
    // file cannot be read.
    bool readImageFile(const char *directory = nullptr);
    // Where callback traversals resolve a relative filename.
    void setSearchDirectory(const SbString &directory) { searchDirectory = directory; }
    const SbString &getSearchDirectory() const { return searchDirectory; }

protected:
    ~SoImage() override = default;

private:
    static SoType classTypeId;
    SbString searchDirectory;
    // The filename whose loading the callback traversal last attempted.
    SbString attemptedFilename;
    bool attempted = false;
};

#endif
