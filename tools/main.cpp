// The scrivane command: reads a scene file (or builds the demo scene) and writes it as a
// PostScript, CGM, HP-GL/2 or EMF drawing.
#include <unistd.h>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>
#include "DemoScene.h"
#include "Options.h"
#include "Progress.h"
#include "SceneSetup.h"
#include "scene/misc/SoDB.h"
#include "scene/misc/SoInput.h"
#include "scene/nodes/SoSeparator.h"
#include "scrivane/SoScrivane.h"
#include "scrivane/SoVectorizeCGMAction.h"
#include "scrivane/SoVectorizeGDIAction.h"
#include "scrivane/SoVectorizeHPGLAction.h"
#include "scrivane/SoVectorizePSAction.h"

namespace {
enum ExitCode { EXIT_OK = 0, EXIT_USAGE = 1, EXIT_INPUT = 2, EXIT_OUTPUT = 3 };

int fail(int code, const std::string &message) {
    std::fprintf(stderr, "scrivane: %s\n", message.c_str());
    return code;
}

SoSeparator *loadScene(const CliOptions &o, std::string &error) {
    if (o.input.empty()) return buildDemoScene();
    SoInput input;
    if (!input.openFile(o.input.c_str())) {
        error = "cannot read scene file '" + o.input + "'";
        return nullptr;
    }
    SoSeparator *scene = SoDB::readAll(&input);
    if (!scene) error = "'" + o.input + "' could not be read (see the messages above)";
    return scene;
}

std::unique_ptr<SoVectorizeAction> createAction(OutputFormat format, Progress *progress, const CliOptions &o) {
    switch (format) {
    case OutputFormat::PostScript: {
        auto *ps = new ProgressAction<SoVectorizePSAction>(progress);
        ps->getPSVectorOutput()->setColorOutput(o.grey ? 0 : 1);
        return std::unique_ptr<SoVectorizeAction>(ps);
    }
    case OutputFormat::Cgm: {
        auto *cgm = new ProgressAction<SoVectorizeCGMAction>(progress);
        cgm->getCGMVectorOutput()->setBinaryEncoding(o.cgmBinary ? 1 : 0);
        cgm->getCGMVectorOutput()->setMetafileVersion(o.cgmVersion);
        cgm->getCGMVectorOutput()->setIndexedColors(o.cgmIndexed ? 1 : 0);
        return std::unique_ptr<SoVectorizeAction>(cgm);
    }
    case OutputFormat::Hpgl: return std::unique_ptr<SoVectorizeAction>(new ProgressAction<SoVectorizeHPGLAction>(progress));
    case OutputFormat::Emf: return std::unique_ptr<SoVectorizeAction>(new ProgressAction<SoVectorizeGDIAction>(progress));
    default: return nullptr;
    }
}

void applySettings(SoVectorizeAction &a, const CliOptions &o) {
    float paperW = o.landscape ? o.paperHeight : o.paperWidth;
    float paperH = o.landscape ? o.paperWidth : o.paperHeight;
    a.setDrawingDimensions(paperW - 2 * o.margin, paperH - 2 * o.margin);
    a.setStartPosition(o.margin, o.margin);
    a.setOrientation(o.landscape ? SoVectorizeAction::LANDSCAPE : SoVectorizeAction::PORTRAIT);
    a.setBorder(o.borderWidth, o.borderColor);
    a.setBackgroundColor(o.background ? 1 : 0, o.backgroundColor);
    a.setColorTranslationMethod(static_cast<SoVectorizeAction::ColorTranslationMethod>(o.colorTranslation));
    a.setNominalWidth(o.nominalWidth);
    a.setPixelImageSize(o.pixelSize);
    a.setLineEndStyle(static_cast<SoVectorizeAction::EndLineStyle>(o.lineCap));
    a.setLineJoinsStyle(static_cast<SoVectorizeAction::JoinLineStyle>(o.lineJoin));
    a.setMiterLimit(o.miterLimit);
    if (!o.penColors.empty())
        a.setPenDescription(static_cast<int>(o.penColors.size()), o.penColors.data(), o.penWidths.data());
    else if (o.pens > 0)
        a.setPenDescription(o.pens);
    a.setColorPriority(o.widthPriority ? 0 : 1);
    a.setHLHSRMode(static_cast<SoVectorizeAction::HLHSRMode>(o.hidden));
    a.enableLighting(o.lighting ? 1 : 0);
}

long fileSize(const std::string &path) {
    FILE *fp = std::fopen(path.c_str(), "rb");
    if (!fp) return -1;
    std::fseek(fp, 0, SEEK_END);
    long size = std::ftell(fp);
    std::fclose(fp);
    return size;
}

// An enhanced metafile is created by the GDI layer under the name it is given when the drawing
// ends; it is written under a temporary name with the .emf extension and moved into place.
int writeMetafile(SoVectorizeAction &action, SoSeparator *root, const CliOptions &o) {
    if (o.output == "-") return fail(EXIT_USAGE, "an EMF drawing cannot be written to standard output");
    std::string partial = o.output + ".partial-" + std::to_string(getpid()) + ".emf";
    static_cast<SoVectorizeGDIAction &>(action).getGDIVectorOutput()->openFile(partial.c_str());
    action.apply(root);
    if (fileSize(partial) <= 0) {
        std::remove(partial.c_str());
        return fail(EXIT_OUTPUT, "cannot write '" + o.output + "'");
    }
    if (std::rename(partial.c_str(), o.output.c_str()) != 0) {
        std::remove(partial.c_str());
        return fail(EXIT_OUTPUT, "cannot write '" + o.output + "': " + std::strerror(errno));
    }
    return EXIT_OK;
}

// Writes the drawing of root to a temporary file beside the output and renames it into place
// only when every byte was written, so that a failed run never leaves a file that looks complete.
int writeDrawing(SoVectorizeAction &action, SoSeparator *root, const CliOptions &o, OutputFormat format) {
    if (format == OutputFormat::Emf) return writeMetafile(action, root, o);
    if (o.output == "-") {
        action.apply(root);
        if (std::fflush(stdout) != 0 || std::ferror(stdout)) return fail(EXIT_OUTPUT, "writing to standard output failed");
        return EXIT_OK;
    }
    std::string partial = o.output + ".partial-" + std::to_string(getpid());
    if (!action.getOutput()->openFile(partial.c_str()))
        return fail(EXIT_OUTPUT, "cannot create '" + o.output + "': " + std::strerror(errno));
    action.apply(root);
    FILE *fp = action.getOutput()->getFilePointer();
    bool ok = std::fflush(fp) == 0 && !std::ferror(fp);
    action.getOutput()->closeFile();
    if (!ok) {
        std::remove(partial.c_str());
        return fail(EXIT_OUTPUT, "writing '" + o.output + "' failed; no file was left behind");
    }
    if (std::rename(partial.c_str(), o.output.c_str()) != 0) {
        std::remove(partial.c_str());
        return fail(EXIT_OUTPUT, "cannot write '" + o.output + "': " + std::strerror(errno));
    }
    return EXIT_OK;
}
} // namespace

int main(int argc, char **argv) {
    CliOptions o;
    std::string error = parseOptions(argc, argv, o);
    if (!error.empty()) return fail(EXIT_USAGE, error);
    if (o.help) {
        std::fputs(usageText().c_str(), stdout);
        return EXIT_OK;
    }
    if (o.version) {
        std::printf("scrivane %s\n", SoScrivane::getVersion());
        return EXIT_OK;
    }
    if (o.output.empty()) return fail(EXIT_USAGE, "no output given: use -o FILE (or -o - for standard output)");
    OutputFormat format = o.format;
    if (format == OutputFormat::None) format = formatFromExtension(o.output);
    if (format == OutputFormat::None) format = OutputFormat::PostScript;

    SoScrivane::init();
    SoSeparator *scene = loadScene(o, error);
    if (!scene) return fail(EXIT_INPUT, error);
    scene->ref();
    bool addedCamera, addedLight;
    float paperW = o.landscape ? o.paperHeight : o.paperWidth;
    float paperH = o.landscape ? o.paperWidth : o.paperHeight;
    SoSeparator *root = prepareScene(scene, (paperW - 2 * o.margin) / (paperH - 2 * o.margin), addedCamera, addedLight);
    root->ref();
    scene->unref();

    Progress progress(countShapes(root), !o.quiet && isatty(STDERR_FILENO));
    std::unique_ptr<SoVectorizeAction> action = createAction(format, &progress, o);
    int status;
    if (!action) {
        status = fail(EXIT_USAGE, std::string("the ") + formatName(format) + " format is not available in this build");
    } else {
        applySettings(*action, o);
        if (o.hidden != 0 && !o.quiet)
            std::fprintf(stderr, "scrivane: warning: hidden line and surface removal is not available yet; "
                                 "drawing every primitive\n");
        status = writeDrawing(*action, root, o, format);
    }
    progress.finish();
    action.reset();
    root->unref();
    return status;
}
