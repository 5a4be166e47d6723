#include "ZBufferReference.h"

#include "scene/actions/SoSearchAction.h"
#include "scene/base/SbViewportRegion.h"
#include "scene/misc/SoOffscreenRenderer.h"
#include "scene/misc/SoPath.h"
#include "scene/nodes/SoLightModel.h"
#include "scene/nodes/SoSeparator.h"

#include <algorithm>
#include <cstdlib>

namespace scrivane::test {

SoSeparator *unlitScene(SoNode *root) {
    SoSearchAction search;
    search.setType(SoLightModel::getClassTypeId());
    search.setInterest(SoSearchAction::ALL);
    search.setSearchingAll(true);
    search.apply(root);
    const SoPathList &paths = search.getPaths();
    for (int i = 0; i < paths.getLength(); i++)
        static_cast<SoLightModel *>(paths[i]->getTail())->model = SoLightModel::BASE_COLOR;
    SoSeparator *unlit = new SoSeparator;
    unlit->ref();
    SoLightModel *model = new SoLightModel;
    model->model = SoLightModel::BASE_COLOR;
    unlit->addChild(model);
    unlit->addChild(root);
    return unlit;
}

bool renderDrawingArea(SoNode *root, DrawingPicture &picture, std::string &error) {
    SoOffscreenRenderer renderer(SbViewportRegion(kDrawingPixels, kDrawingPixels));
    renderer.setBackgroundColor(SbColor(1, 1, 1));
    if (!renderer.render(root)) {
        error = "the off-screen renderer could not draw";
        return false;
    }
    picture.width = picture.height = kDrawingPixels;
    const unsigned char *pixels = renderer.getBuffer(); // bottom row first, as the picture
    picture.rgb.assign(pixels, pixels + size_t(kDrawingPixels) * kDrawingPixels * 3);
    return true;
}

bool writePicture(const DrawingPicture &picture, const std::string &path) {
    const size_t row = size_t(picture.width) * 3;
    std::vector<unsigned char> topFirst(picture.rgb.size());
    for (int y = 0; y < picture.height; y++)
        std::copy_n(&picture.rgb[size_t(y) * row], row,
                    &topFirst[size_t(picture.height - 1 - y) * row]);
    return writeRgbPng(path, topFirst, picture.width, picture.height);
}

std::vector<char> colourChangeBand(const DrawingPicture &picture) {
    const int w = picture.width, h = picture.height;
    std::vector<char> change(size_t(w) * size_t(h), 0), band(change.size(), 0);
    auto differ = [](const Rgb &a, const Rgb &b) {
        return std::abs(a.r - b.r) > kColourTolerance || std::abs(a.g - b.g) > kColourTolerance ||
               std::abs(a.b - b.b) > kColourTolerance;
    };
    for (int y = 0; y < h; y++)
        for (int x = 0; x < w; x++) {
            const Rgb c = picture.at(x, y);
            if (x + 1 < w && differ(picture.at(x + 1, y), c))
                change[size_t(y) * w + x] = change[size_t(y) * w + x + 1] = 1;
            if (y + 1 < h && differ(picture.at(x, y + 1), c))
                change[size_t(y) * w + x] = change[size_t(y + 1) * w + x] = 1;
        }
    for (int y = 0; y < h; y++)
        for (int x = 0; x < w; x++) {
            if (!change[size_t(y) * w + x]) continue;
            for (int dy = -1; dy <= 1; dy++)
                for (int dx = -1; dx <= 1; dx++) {
                    const int u = x + dx, v = y + dy;
                    if (u >= 0 && u < w && v >= 0 && v < h) band[size_t(v) * w + u] = 1;
                }
        }
    return band;
}

ZBufferCounts comparePictures(const PngImage &sheet, const DrawingPicture &reference,
                              const std::string &diffPath, int shiftX, int shiftY) {
    ZBufferCounts counts;
    const std::vector<char> band = colourChangeBand(reference);
    const Rgb white(255, 255, 255);
    std::vector<unsigned char> diff(size_t(kSheetPixels) * kSheetPixels * 3, 255);
    for (int y = 0; y < reference.height; y++)
        for (int x = 0; x < reference.width; x++) {
            const int row = sheetRow(y), column = sheetColumn(x);
            unsigned char *out = &diff[(size_t(row) * kSheetPixels + size_t(column)) * 3];
            if (band[size_t(y) * reference.width + x]) {
                counts.excluded++;
                out[0] = out[1] = out[2] = 128;
                continue;
            }
            const Rgb expected = reference.at(x, y);
            const Rgb got = sheet.pixel(column + shiftX, row - shiftY);
            counts.compared++;
            counts.covered += expected != white;
            const bool wrong = std::abs(got.r - expected.r) > kColourTolerance ||
                               std::abs(got.g - expected.g) > kColourTolerance ||
                               std::abs(got.b - expected.b) > kColourTolerance;
            counts.wrong += wrong;
            const int shown[3] = {got.r, got.g, got.b};
            for (int ch = 0; ch < 3; ch++)
                out[ch] = wrong ? 0 : static_cast<unsigned char>(128 + std::max(0, shown[ch]) / 2);
        }
    if (!diffPath.empty()) writeRgbPng(diffPath, diff, kSheetPixels, kSheetPixels);
    return counts;
}

ZBufferCounts compareWithRenderer(SoNode *root, const DrawingPicture &reference,
                                  SoVectorizeAction::HLHSRMode mode, const std::string &name) {
    ZBufferCounts counts;
    PngImage sheet;
    if (!drawAndRasterize(root, mode, false, name, sheet, counts.error)) return counts;
    return comparePictures(sheet, reference, fidelityDir() + name + "-zdiff.png");
}

} // namespace scrivane::test
