#include "FidelityPage.h"

#include "scrivane/SoScrivane.h"
#include "scrivane/SoVectorizePSAction.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <png.h>
#include <sys/stat.h>

namespace scrivane::test {

std::string fidelityDir() {
    const std::string dir = std::string(SCRIVANE_TEST_OUT) + "/fidelity";
    mkdir(dir.c_str(), 0755);
    return dir + "/";
}

bool drawAndRasterize(SoNode *root, SoVectorizeAction::HLHSRMode mode, bool lighting,
                      const std::string &name, PngImage &image, std::string &error) {
    SoScrivane::init();
    const std::string ps = fidelityDir() + name + ".ps", png = fidelityDir() + name + ".png";
    {
        SoVectorizePSAction action;
        if (action.getOutput()->openFile(ps.c_str()) != 1) {
            error = "cannot write " + ps;
            return false;
        }
        action.setDrawingDimensions(kDrawingMm, kDrawingMm);
        action.setStartPosition(kStartMm, kStartMm);
        action.setColorTranslationMethod(SoVectorizeAction::KEEP_COLORS);
        action.setBorder(0.0f);
        action.setHLHSRMode(mode);
        action.enableLighting(lighting ? 1 : 0);
        action.apply(root);
        action.getOutput()->closeFile();
    }
    RenderOptions options;
    options.dpi = kFidelityDpi;
    options.pageWidthPoints = options.pageHeightPoints = kSheetPoints;
    const GhostscriptRun run = renderToPng(ps, png, options);
    if (!run.ok() || run.pages != 1) {
        error = run.describe();
        return false;
    }
    if (!image.read(png, &error)) return false;
    if (image.width() != kSheetPixels || image.height() != kSheetPixels) {
        error = png + ": unexpected size";
        return false;
    }
    return true;
}

int level(float c) {
    return int(std::lround(255.0f * std::clamp(c, 0.0f, 1.0f)));
}

bool writeRgbPng(const std::string &path, const std::vector<unsigned char> &rgb, int width,
                 int height) {
    png_image image;
    std::memset(&image, 0, sizeof(image));
    image.version = PNG_IMAGE_VERSION;
    image.width = png_uint_32(width);
    image.height = png_uint_32(height);
    image.format = PNG_FORMAT_RGB;
    return png_image_write_to_file(&image, path.c_str(), 0, rgb.data(), 0, nullptr) != 0;
}

} // namespace scrivane::test
