// SoImage: no primitives, a box at its anchor, and loading of its file.
#include <string>

#include "ImageFile.h"
#include "scene/actions/SoCallbackAction.h"
#include "scene/nodes/SoImage.h"

void SoImage::generatePrimitives(SoAction *) {}

void SoImage::computeBBox(SoAction *, SbBox3f &box, SbVec3f &center) {
    box.setBounds(SbVec3f(0, 0, 0), SbVec3f(0, 0, 0));
    center.setValue(0, 0, 0);
}

bool SoImage::readImageFile(const char *directory) {
    const std::string &name = filename.getValue().std();
    if (name.empty()) return false;
    std::string path = name;
    if (directory && *directory && name[0] != '/') {
        path = directory;
        if (path.back() != '/') path += '/';
        path += name;
    }
    scene_detail::DecodedImage decoded;
    if (!scene_detail::readImageFile(path.c_str(), decoded)) return false;
    image.setValue(SbVec2s(static_cast<short>(decoded.width), static_cast<short>(decoded.height)), decoded.components,
                   decoded.pixels.data());
    return true;
}

void SoImage::callback(SoCallbackAction *action) {
    const SbString &name = filename.getValue();
    if (name.getLength() > 0 && !(attempted && attemptedFilename == name)) {
        attempted = true;
        attemptedFilename = name;
        SbVec2s size;
        int components = 0;
        if (!image.getValue(size, components)) readImageFile(searchDirectory.getString());
    }
    SoShape::callback(action);
}
