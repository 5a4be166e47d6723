#include "FidelityPage.h"

#include "scene/actions/SoSearchAction.h"
#include "scene/base/SbViewportRegion.h"
#include "scene/misc/SoOffscreenRenderer.h"
#include "scene/misc/SoPath.h"
#include "scene/nodes/SoLightModel.h"
#include "scene/nodes/SoSeparator.h"
#include "scrivane/SoScrivane.h"
#include "scrivane/SoVectorizePDFAction.h"
#include "scrivane/SoVectorizePSAction.h"
#include "scrivane/SoVectorizeSVGAction.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <png.h>
#include <sys/stat.h>

namespace scrivane::test {

namespace {
size_t index(int x, int y) {
    return size_t(y) * kDrawingPixels + size_t(x);
}
} // namespace

Rgb Picture::at(int x, int y) const {
    const unsigned char *p = &rgb[index(x, y) * 3];
    return Rgb(p[0], p[1], p[2]);
}

void Picture::set(int x, int y, int r, int g, int b) {
    unsigned char *p = &rgb[index(x, y) * 3];
    p[0] = static_cast<unsigned char>(r);
    p[1] = static_cast<unsigned char>(g);
    p[2] = static_cast<unsigned char>(b);
}

Mask Picture::nonWhite() const {
    Mask m(size_t(kDrawingPixels) * kDrawingPixels);
    for (size_t i = 0; i < m.size(); i++)
        m[i] = rgb[3 * i] != 255 || rgb[3 * i + 1] != 255 || rgb[3 * i + 2] != 255;
    return m;
}

bool Picture::write(const std::string &path) const {
    png_image image;
    std::memset(&image, 0, sizeof(image));
    image.version = PNG_IMAGE_VERSION;
    image.width = image.height = kDrawingPixels;
    image.format = PNG_FORMAT_RGB;
    // A negative row stride: the rows are in memory bottom first.
    return png_image_write_to_file(&image, path.c_str(), 0, rgb.data(), -3 * kDrawingPixels,
                                   nullptr) != 0;
}

bool differ(const Rgb &a, const Rgb &b) {
    return std::abs(a.r - b.r) > kColourTolerance || std::abs(a.g - b.g) > kColourTolerance ||
           std::abs(a.b - b.b) > kColourTolerance;
}

int level(float c) {
    return int(std::lround(255.0f * std::clamp(c, 0.0f, 1.0f)));
}

std::string fidelityDir() {
    const std::string dir = std::string(SCRIVANE_TEST_OUT) + "/fidelity";
    mkdir(dir.c_str(), 0755);
    return dir + "/";
}

const char *formatName(DrawingFormat format) {
    switch (format) {
    case DrawingFormat::Pdf:
        return "pdf";
    case DrawingFormat::Svg:
        return "svg";
    default:
        return "ps";
    }
}

bool readerInstalled(DrawingFormat format, std::string *why) {
    const char *reader = format == DrawingFormat::Pdf   ? "pdftoppm"
                         : format == DrawingFormat::Svg ? "rsvg-convert"
                                                        : "gs";
    if (std::system((std::string("command -v ") + reader + " >/dev/null 2>&1").c_str()) == 0)
        return true;
    if (why) *why = std::string(reader) + " is not installed";
    return false;
}

namespace {

std::unique_ptr<SoVectorizeAction> formatAction(DrawingFormat format) {
    switch (format) {
    case DrawingFormat::Pdf:
        return std::make_unique<SoVectorizePDFAction>();
    case DrawingFormat::Svg:
        return std::make_unique<SoVectorizeSVGAction>();
    default:
        return std::make_unique<SoVectorizePSAction>();
    }
}

// Runs the reader of a PDF or SVG drawing of a sheet of pixels x pixels; false with its output
// in error when it fails. Both readers round the sheet's size up to whole pixels, so a sheet a
// hair over that size would gain a row: pdftoppm cuts the picture to the sheet, rsvg-convert is
// given the sheet's size in pixels.
bool rasterizeWithCairoReader(DrawingFormat format, const std::string &file, const std::string &png,
                              int dpi, int pixels, std::string &error) {
    const std::string resolution = std::to_string(dpi), side = std::to_string(pixels);
    const std::string command = format == DrawingFormat::Pdf
                                    ? "pdftoppm -png -singlefile -aa no -aaVector no -r " +
                                          resolution + " -x 0 -y 0 -W " + side + " -H " + side +
                                          " '" + file + "' '" + png.substr(0, png.size() - 4) + "'"
                                    : "rsvg-convert -b white -w " + side + " -h " + side + " -o '" +
                                          png + "' '" + file + "'";
    if (std::system((command + " >'" + png + ".log' 2>&1").c_str()) == 0) return true;
    error = command + " failed: " + readFile(png + ".log");
    return false;
}

} // namespace

bool drawAndRasterize(SoNode *root, const Drawing &how, const std::string &name, PngImage &sheet,
                      std::string &error) {
    SoScrivane::init();
    const std::string file = fidelityDir() + name + "." + formatName(how.format),
                      png = fidelityDir() + name + ".png";
    {
        std::unique_ptr<SoVectorizeAction> action = formatAction(how.format);
        if (action->getOutput()->openFile(file.c_str()) != 1) {
            error = "cannot write " + file;
            return false;
        }
        action->setDrawingDimensions(kDrawingMm, kDrawingMm);
        action->setStartPosition(kStartMm, kStartMm);
        action->setColorTranslationMethod(SoVectorizeAction::KEEP_COLORS);
        action->setBorder(0.0f);
        if (how.nominalWidthMm > 0) action->setNominalWidth(how.nominalWidthMm);
        action->setHLHSRMode(how.mode);
        action->setFeatureEdges(how.featureEdges ? 1 : 0);
        action->setJoinCoplanarFaces(how.joinFaces ? 1 : 0);
        action->enableLighting(how.lighting ? 1 : 0);
        action->apply(root);
        action->getOutput()->closeFile();
    }
    int pixels = kSheetPoints * how.dpi / 72;
    if (how.format == DrawingFormat::PostScript) {
        RenderOptions options;
        options.dpi = how.dpi;
        options.pageWidthPoints = options.pageHeightPoints = kSheetPoints;
        const GhostscriptRun run = renderToPng(file, png, options);
        if (!run.ok() || run.pages != 1) {
            error = run.describe();
            return false;
        }
    } else {
        pixels = int(std::lround((kDrawingMm + 2 * kStartMm) * how.dpi / 25.4));
        if (!rasterizeWithCairoReader(how.format, file, png, how.dpi, pixels, error)) return false;
    }
    if (!sheet.read(png, &error)) return false;
    if (sheet.width() != pixels || sheet.height() != pixels) {
        error = png + ": unexpected size " + std::to_string(sheet.width()) + " x " +
                std::to_string(sheet.height());
        return false;
    }
    return true;
}

Picture drawingArea(const PngImage &sheet, int shiftX, int shiftY) {
    Picture picture;
    for (int y = 0; y < kDrawingPixels; y++)
        for (int x = 0; x < kDrawingPixels; x++) {
            const Rgb c = sheet.pixel(kDrawingFirstPixel + x + shiftX,
                                      sheet.height() - 1 - (kDrawingFirstPixel + y + shiftY));
            if (c.r >= 0) picture.set(x, y, c.r, c.g, c.b); // outside the sheet: white
        }
    return picture;
}

bool renderPicture(SoNode *root, Picture &picture, std::string &error) {
    SoOffscreenRenderer renderer(SbViewportRegion(kDrawingPixels, kDrawingPixels));
    renderer.setBackgroundColor(SbColor(1, 1, 1));
    if (!renderer.render(root)) {
        error = "the off-screen renderer could not draw";
        return false;
    }
    const unsigned char *pixels = renderer.getBuffer(); // bottom row first, as the picture
    picture.rgb.assign(pixels, pixels + picture.rgb.size());
    return true;
}

SoSeparator *unlitScene(SoNode *root) {
    SoSearchAction search;
    search.setType(SoLightModel::getClassTypeId());
    search.setInterest(SoSearchAction::ALL);
    search.setSearchingAll(true);
    search.apply(root);
    for (int i = 0; i < search.getPaths().getLength(); i++)
        static_cast<SoLightModel *>(search.getPaths()[i]->getTail())->model =
            SoLightModel::BASE_COLOR;
    SoSeparator *unlit = new SoSeparator;
    unlit->ref();
    SoLightModel *model = new SoLightModel;
    model->model = SoLightModel::BASE_COLOR;
    unlit->addChild(model);
    unlit->addChild(root);
    return unlit;
}

Mask colourChangeBand(const Picture &picture) {
    Mask change(size_t(kDrawingPixels) * kDrawingPixels, 0), band(change.size(), 0);
    for (int y = 0; y < kDrawingPixels; y++)
        for (int x = 0; x < kDrawingPixels; x++) {
            if (x + 1 < kDrawingPixels && differ(picture.at(x + 1, y), picture.at(x, y)))
                change[index(x, y)] = change[index(x + 1, y)] = 1;
            if (y + 1 < kDrawingPixels && differ(picture.at(x, y + 1), picture.at(x, y)))
                change[index(x, y)] = change[index(x, y + 1)] = 1;
        }
    for (int y = 0; y < kDrawingPixels; y++)
        for (int x = 0; x < kDrawingPixels; x++)
            for (int dy = -1; dy <= 1; dy++)
                for (int dx = -1; dx <= 1; dx++)
                    if (on(change, x + dx, y + dy)) band[index(x, y)] = 1;
    return band;
}

Counts comparePictures(const Picture &got, const Picture &expected, const Mask &band,
                       const std::string &diffPath) {
    Counts counts;
    Picture diff;
    const Rgb white(255, 255, 255);
    for (int y = 0; y < kDrawingPixels; y++)
        for (int x = 0; x < kDrawingPixels; x++) {
            const Rgb g = got.at(x, y), e = expected.at(x, y);
            if (band[index(x, y)]) {
                counts.excluded++;
                diff.set(x, y, 128, 128, 128);
            } else if (differ(g, e)) {
                counts.wrong++;
                diff.set(x, y, 0, 0, 0);
            } else {
                diff.set(x, y, 128 + g.r / 2, 128 + g.g / 2, 128 + g.b / 2);
            }
            counts.compared += !band[index(x, y)];
            counts.covered += !band[index(x, y)] && e != white;
        }
    if (counts.wrong) diff.write(diffPath);
    return counts;
}

void expectAlignedWithoutShift(const Mask &reference, const PngImage &sheet, int maxShift,
                               const char *label) {
    const Mask aligned = drawingArea(sheet).nonWhite();
    double sum[2][2] = {{0, 0}, {0, 0}};
    long count[2] = {0, 0};
    for (int y = 0; y < kDrawingPixels; y++)
        for (int x = 0; x < kDrawingPixels; x++)
            for (int k = 0; k < 2; k++)
                if ((k ? aligned : reference)[index(x, y)]) {
                    sum[k][0] += x;
                    sum[k][1] += y;
                    count[k]++;
                }
    ASSERT_GT(count[0], 1000);
    ASSERT_GT(count[1], 1000);
    const double dx = sum[1][0] / count[1] - sum[0][0] / count[0];
    const double dy = sum[1][1] / count[1] - sum[0][1] / count[0];
    std::printf("fidelity-references alignment %s: %ld / %ld pixels not white, centre moved by "
                "(%.3f, %.3f)\n",
                label, count[0], count[1], dx, dy);
    EXPECT_LT(std::abs(dx), 0.25);
    EXPECT_LT(std::abs(dy), 0.25);
    auto disagreeing = [&](const Mask &drawing) {
        long n = 0;
        for (size_t i = 0; i < drawing.size(); i++)
            n += reference[i] != drawing[i];
        return n;
    };
    const long best = disagreeing(aligned);
    for (int sy = -maxShift; sy <= maxShift; sy++)
        for (int sx = -maxShift; sx <= maxShift; sx++)
            EXPECT_TRUE((!sx && !sy) || disagreeing(drawingArea(sheet, sx, sy).nonWhite()) > best)
                << "shift " << sx << " " << sy;
}

} // namespace scrivane::test
