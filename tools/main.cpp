// The scrivane command: reads a scene file (or builds the demo scene) and writes it as a
// PostScript, CGM, HP-GL/2, EMF, PDF or SVG drawing.
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>
#include <cerrno>
#include <cinttypes>
#include <csignal>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <exception>
#include <memory>
#include <new>
#include <string>
#include "Batch.h"
#include "DemoScene.h"
#include "ExitCode.h"
#include "Options.h"
#include "Preview.h"
#include "Progress.h"
#include "SceneSetup.h"
#include "Signals.h"
#include "scene/misc/SoDB.h"
#include "scene/misc/SoInput.h"
#include "scene/nodes/SoSeparator.h"
#include "scrivane/SoScrivane.h"
#include "scrivane/SoVectorizeCGMAction.h"
#include "scrivane/SoVectorizeGDIAction.h"
#include "scrivane/SoVectorizeHPGLAction.h"
#include "scrivane/SoVectorizePDFAction.h"
#include "scrivane/SoVectorizePSAction.h"
#include "scrivane/SoVectorizeSVGAction.h"

namespace {
int fail(int code, const std::string &message) {
    std::fprintf(stderr, "scrivane: %s\n", message.c_str());
    return code;
}

// The temporary file being written, for the signal handlers and the last-resort handler of
// main to remove. A signal handler may only read it, so it is a fixed buffer, and
// partialPathSet says whether it holds a path: set after the path is stored, cleared before the
// file is renamed or removed.
char partialPath[4096];
volatile sig_atomic_t partialPathSet = 0;

// Records the temporary file of a run; false when its name is too long to be kept, in which case
// the caller writes nothing rather than risk leaving a file a signal cannot remove.
bool rememberPartial(const std::string &path) {
    partialPathSet = 0;
    if (path.size() >= sizeof partialPath) return false;
    std::memcpy(partialPath, path.c_str(), path.size() + 1);
    partialPathSet = 1;
    return true;
}

void forgetPartial() { partialPathSet = 0; }

void removePartial() {
    if (partialPathSet) {
        partialPathSet = 0;
        unlink(partialPath);
    }
}

// SIGINT and SIGTERM: removes the temporary file (unlink is async-signal-safe) and exits with
// 128 + the signal's number, as a shell reports a command stopped by it.
extern "C" void onTerminatingSignal(int signalNumber) {
    if (partialPathSet) unlink(partialPath);
    _exit(128 + signalNumber);
}

// With --quiet the reader's warnings are dropped; its errors are still printed.
void printErrorsOnly(const SoInputMessage &message, void *) {
    if (message.severity == SoInputMessage::ERROR_MESSAGE)
        std::fprintf(stderr, "%s\n", message.formatted.getString());
}

SoSeparator *loadScene(const CliOptions &o, std::string &error) {
    if (o.input.empty()) return buildDemoScene();
    SoInput input;
    if (o.quiet) input.setMessageCallback(&printErrorsOnly, nullptr);
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
    case OutputFormat::Pdf: return std::unique_ptr<SoVectorizeAction>(new ProgressAction<SoVectorizePDFAction>(progress));
    case OutputFormat::Svg: return std::unique_ptr<SoVectorizeAction>(new ProgressAction<SoVectorizeSVGAction>(progress));
    default: return nullptr;
    }
}

// The border and background colours of the command are colours on paper, while the action
// translates them from screen to paper like every colour (a black border would print white under
// the default swap). Each translation undoes itself, so the screen colour that prints as the
// paper colour asked for is the paper colour translated once.
SbColor screenColorFor(const SbColor &paper, int translation) {
    switch (translation) {
    case SoVectorizeAction::SWAP_BLACK_AND_WHITE:
        if (paper == SbColor(0, 0, 0)) return SbColor(1, 1, 1);
        if (paper == SbColor(1, 1, 1)) return SbColor(0, 0, 0);
        return paper;
    case SoVectorizeAction::INVERT_COLORS: return SbColor(1 - paper[0], 1 - paper[1], 1 - paper[2]);
    default: return paper;
    }
}

void applySettings(SoVectorizeAction &a, const CliOptions &o) {
    float paperW = o.landscape ? o.paperHeight : o.paperWidth;
    float paperH = o.landscape ? o.paperWidth : o.paperHeight;
    a.setDrawingDimensions(paperW - 2 * o.margin, paperH - 2 * o.margin);
    a.setStartPosition(o.margin, o.margin);
    a.setOrientation(o.landscape ? SoVectorizeAction::LANDSCAPE : SoVectorizeAction::PORTRAIT);
    a.setColorTranslationMethod(static_cast<SoVectorizeAction::ColorTranslationMethod>(o.colorTranslation));
    a.setBorder(o.borderWidth, screenColorFor(o.borderColor, o.colorTranslation));
    a.setBackgroundColor(o.background ? 1 : 0, screenColorFor(o.backgroundColor, o.colorTranslation));
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
    a.setFeatureEdges(o.allEdges ? 0 : 1);
    a.setJoinCoplanarFaces(o.joinFaces ? 1 : 0);
    a.enableLighting(o.lighting ? 1 : 0);
}

// An existing output that is neither a regular file nor a directory (a device such as /dev/full
// or /dev/stdout, a named pipe) is written in place: renaming a finished temporary file over it
// would replace the device with a plain file.
bool writesInPlace(const std::string &path) {
    struct stat st;
    return stat(path.c_str(), &st) == 0 && !S_ISREG(st.st_mode) && !S_ISDIR(st.st_mode);
}

// The file an output names, with symbolic links followed (/dev/stdout, a link to a drawing), so
// that a finished temporary file replaces the link's target and not the link; the name as given
// when nothing exists there yet.
std::string resolvedPath(const std::string &path) {
    char *real = realpath(path.c_str(), nullptr);
    if (!real) return path;
    std::string resolved = real;
    std::free(real);
    return resolved;
}

// The GDI layer does not report a failed write, so a metafile is checked after the fact: it is
// complete when its header (record type 1) gives, at byte 48, the file's own length.
bool metafileComplete(const std::string &path) {
    FILE *fp = std::fopen(path.c_str(), "rb");
    if (!fp) return false;
    unsigned char header[52];
    bool ok = std::fread(header, 1, sizeof header, fp) == sizeof header &&
              std::fseek(fp, 0, SEEK_END) == 0;
    long size = ok ? std::ftell(fp) : -1;
    std::fclose(fp);
    auto u32 = [&](int at) {
        return static_cast<uint32_t>(header[at] | header[at + 1] << 8 | header[at + 2] << 16 |
                                     static_cast<uint32_t>(header[at + 3]) << 24);
    };
    return ok && u32(0) == 1 && static_cast<long>(u32(48)) == size;
}

// Copies a finished file into an output written in place; false when a byte could not be written.
bool copyInto(const std::string &from, const std::string &to) {
    FILE *in = std::fopen(from.c_str(), "rb");
    FILE *out = in ? std::fopen(to.c_str(), "wb") : nullptr;
    bool ok = out != nullptr;
    char buffer[65536];
    size_t n;
    while (ok && (n = std::fread(buffer, 1, sizeof buffer, in)) > 0)
        ok = std::fwrite(buffer, 1, n, out) == n;
    if (in) std::fclose(in);
    if (out) ok = std::fclose(out) == 0 && ok;
    return ok;
}

// An enhanced metafile is created by the GDI layer under the name it is given when the drawing
// ends; it is written under a temporary name with the .emf extension (beside the output, or in
// the temporary directory for an output written in place) and moved or copied into place.
int writeMetafile(SoVectorizeAction &action, SoSeparator *root, const CliOptions &o) {
    if (o.output == "-") return fail(EXIT_USAGE, "an EMF drawing cannot be written to standard output");
    const std::string target = resolvedPath(o.output);
    const bool inPlace = writesInPlace(target);
    std::error_code ec;
    std::string partial = inPlace
                              ? (std::filesystem::temp_directory_path(ec) / "scrivane-").string()
                              : target + ".partial-";
    partial += std::to_string(getpid()) + ".emf";
    if (!rememberPartial(partial)) return fail(EXIT_OUTPUT, "cannot write '" + o.output + "': the name is too long");
    SoVectorizeGDIAction &gdi = static_cast<SoVectorizeGDIAction &>(action);
    gdi.getGDIVectorOutput()->openFile(partial.c_str());
    // The metafile's description names the drawing asked for, not the temporary file.
    gdi.setDescriptionFileName(o.output.c_str());
    action.apply(root);
    if (!metafileComplete(partial)) {
        forgetPartial();
        std::remove(partial.c_str());
        return fail(EXIT_OUTPUT, "writing '" + o.output + "' failed; no file was left behind");
    }
    if (inPlace) {
        bool copied = copyInto(partial, target);
        forgetPartial();
        std::remove(partial.c_str());
        return copied ? EXIT_OK : fail(EXIT_OUTPUT, "writing '" + o.output + "' failed");
    }
    forgetPartial();
    if (std::rename(partial.c_str(), target.c_str()) != 0) {
        std::remove(partial.c_str());
        return fail(EXIT_OUTPUT, "cannot write '" + o.output + "': " + std::strerror(errno));
    }
    return EXIT_OK;
}

// cairo can fail without a failed write (a drawing it cannot represent): its documents are also
// checked for the errors it reported.
bool cairoDocumentWritten(const SoVectorizeAction &action) {
    const auto *cairo = dynamic_cast<const SoVectorizeCairoAction *>(&action);
    return !cairo || cairo->getCairoVectorOutput()->wasLastDocumentWritten();
}

// Writes the drawing of root to a temporary file beside the output and renames it into place
// only when every byte was written, so that a failed run never leaves a file that looks complete.
int writeDrawing(SoVectorizeAction &action, SoSeparator *root, const CliOptions &o, OutputFormat format) {
    if (format == OutputFormat::Emf) return writeMetafile(action, root, o);
    if (o.output == "-") {
        action.apply(root);
        if (std::fflush(stdout) != 0 || std::ferror(stdout) || !cairoDocumentWritten(action)) return fail(EXIT_OUTPUT, "writing to standard output failed");
        return EXIT_OK;
    }
    const std::string target = resolvedPath(o.output);
    const bool inPlace = writesInPlace(target);
    std::string partial = inPlace ? target : target + ".partial-" + std::to_string(getpid());
    // An output written in place is the user's own file or device: a signal leaves it alone.
    if (!inPlace && !rememberPartial(partial))
        return fail(EXIT_OUTPUT, "cannot write '" + o.output + "': the name is too long");
    if (!action.getOutput()->openFile(partial.c_str()))
        return fail(EXIT_OUTPUT, "cannot create '" + o.output + "': " + std::strerror(errno));
    action.apply(root);
    FILE *fp = action.getOutput()->getFilePointer();
    bool ok = std::fflush(fp) == 0 && !std::ferror(fp) && cairoDocumentWritten(action);
    action.getOutput()->closeFile();
    if (!ok && inPlace) return fail(EXIT_OUTPUT, "writing '" + o.output + "' failed");
    forgetPartial();
    if (!ok) {
        std::remove(partial.c_str());
        return fail(EXIT_OUTPUT, "writing '" + o.output + "' failed; no file was left behind");
    }
    if (!inPlace && std::rename(partial.c_str(), target.c_str()) != 0) {
        std::remove(partial.c_str());
        return fail(EXIT_OUTPUT, "cannot write '" + o.output + "': " + std::strerror(errno));
    }
    return EXIT_OK;
}

// One warning line per kind of value that was not a finite number, with how often it occurred.
void warnAboutNonFiniteValues(const SoVectorizeAction::NonFiniteCounts &c) {
    auto warn = [](int count, const char *one, const char *many, const char *what) {
        if (count > 0)
            std::fprintf(stderr, "scrivane: warning: %d %s %s\n", count, count == 1 ? one : many,
                         what);
    };
    warn(c.coordinates, "primitive", "primitives", "with a non-finite coordinate dropped");
    warn(c.lineWidths, "shape", "shapes",
         "with a non-finite or oversized line width drawn with the default width");
    warn(c.pointSizes, "shape", "shapes",
         "with a non-finite or oversized point size drawn with the default size");
    warn(c.fontSizes, "text", "texts",
         "with a non-finite or oversized font size printed in the default size");
    warn(c.textSpacings, "text", "texts",
         "with a non-finite or oversized line spacing printed with single spacing");
    warn(c.colors, "non-finite colour", "non-finite colours", "printed black");
    warn(c.cameras, "camera", "cameras", "with a non-finite field drawn with that field's default");
}

// Names the likely cause when the drawing has nothing on it: no shapes in the scene, shapes that
// gave no primitives, primitives all dropped for their coordinates, or all outside the view.
void warnIfEmpty(const SoVectorizeAction &action, uint64_t shapes) {
    if (action.getPrintedPrimitiveCount() > 0) return;
    const int captured = action.getCapturedPrimitiveCount();
    const int nonFinite = action.getNonFiniteCounts().coordinates;
    const char *cause;
    if (shapes == 0)
        cause = "the scene has no shapes";
    else if (captured == 0)
        cause =
            "its shapes gave nothing to draw (invisible, fully transparent or without vertices)";
    else if (nonFinite == captured)
        cause = "every primitive had non-finite coordinates";
    else if (nonFinite > 0)
        cause = "every primitive had non-finite coordinates or lies outside the camera's view";
    else
        cause = "every primitive lies outside the camera's view (see its position, orientation, "
                "near and far distances)";
    std::fprintf(stderr, "scrivane: warning: the drawing is empty: %s\n", cause);
}

// Converts one scene, o.input (the demo scene when empty), into the drawing o.output; prints its
// own messages and returns the exit status of the conversion.
int convertScene(const CliOptions &o) {
    std::string error;
    OutputFormat format = o.format;
    if (format == OutputFormat::None) format = formatFromExtension(o.output);
    if (format == OutputFormat::None) format = OutputFormat::PostScript;

    SoScrivane::init();
    SoSeparator *scene = loadScene(o, error);
    if (!scene) return fail(EXIT_INPUT, error);
    scene->ref();
    // Counted before anything traverses the scene: viewing it all or drawing it walks every use
    // of every shared node.
    const ShapeCount count = countShapes(scene);
    if (count.cyclic || count.shapes > o.maxShapes) {
        scene->unref();
        // Counts saturate at UINT64_MAX, written as such.
        auto number = [](uint64_t n) {
            return n == UINT64_MAX ? std::string("more than 18446744073709551614") : std::to_string(n);
        };
        auto shapes = [&](uint64_t n) { return number(n) + (n == 1 ? " shape" : " shapes"); };
        std::string message = count.cyclic ? "the scene contains itself and would be drawn endlessly"
                                            : "the scene expands to " + shapes(count.shapes) + ", more than the limit of " + std::to_string(o.maxShapes);
        if (!count.biggestShared.name.empty())
            message += "; the biggest shared part, " + count.biggestShared.name + " with " +
                       shapes(count.biggestShared.shapes) + ", is used " + number(count.biggestShared.uses) +
                       " times";
        if (!count.mostUsed.name.empty() && count.mostUsed.name != count.biggestShared.name)
            message += "; the most used, " + count.mostUsed.name + " with " + shapes(count.mostUsed.shapes) + ", " + number(count.mostUsed.uses) + " times";
        if (!count.cyclic) message += " (--max-shapes N raises the limit)";
        return fail(EXIT_TOO_LARGE, message);
    }
    bool addedCamera, addedLight;
    float paperW = o.landscape ? o.paperHeight : o.paperWidth;
    float paperH = o.landscape ? o.paperWidth : o.paperHeight;
    SoSeparator *root = prepareScene(scene, (paperW - 2 * o.margin) / (paperH - 2 * o.margin), addedCamera, addedLight);
    root->ref();
    scene->unref();

    Progress progress(count.shapes, !o.quiet && isatty(STDERR_FILENO));
    std::unique_ptr<SoVectorizeAction> action = createAction(format, &progress, o);
    int status;
    if (!action) {
        status = fail(EXIT_USAGE, std::string("the ") + formatName(format) + " format is not available in this build");
    } else {
        applySettings(*action, o);
        status = writeDrawing(*action, root, o, format);
        // Texts print in the format's character set: say how many characters it lacked.
        const int replaced = action->getReplacedCharacterCount();
        if (status == EXIT_OK && replaced > 0 && !o.quiet)
            std::fprintf(stderr, "scrivane: warning: %d text character%s beyond %s printed as '?'\n",
                         replaced, replaced == 1 ? "" : "s",
                         format == OutputFormat::Hpgl ? "the plotter's Roman-8 set" : "Latin-1");
        if (status == EXIT_OK && !o.quiet) {
            warnAboutNonFiniteValues(action->getNonFiniteCounts());
            warnIfEmpty(*action, count.shapes);
        }
        if (status == EXIT_OK && !o.preview.empty()) {
            const SbVec2i32 size = previewSize(paperW - 2 * o.margin, paperH - 2 * o.margin, o.previewScale);
            if (!writePreview(root, size, o.background ? o.backgroundColor : SbColor(1, 1, 1), o.preview, error))
                status = fail(EXIT_OUTPUT, error);
        }
    }
    progress.finish();
    action.reset();
    root->unref();
    return status;
}

// Runs a conversion with nothing escaping it: a failure that reaches here (memory exhausted, any
// exception) removes the temporary file of the run and is reported with its own exit status
// instead of an abort.
template <class Conversion> int withLastResort(Conversion conversion) {
    try {
        return conversion();
    } catch (const std::bad_alloc &) {
        removePartial();
        std::fputs("scrivane: out of memory; the drawing was not written\n", stderr);
    } catch (const std::exception &e) {
        removePartial();
        std::fprintf(stderr, "scrivane: internal failure: %s; the drawing was not written\n", e.what());
    } catch (...) {
        removePartial();
        std::fputs("scrivane: internal failure; the drawing was not written\n", stderr);
    }
    return EXIT_INTERNAL;
}

// One scene of a batch, in the process the batch started for it: the scene is converted as by a
// run of its own, with the same signal handling and last resort.
int convertBatchScene(const CliOptions &o) {
    installTerminatingSignalHandler(&onTerminatingSignal);
    return withLastResort([&] { return convertScene(o); });
}

// The command's work, from the options to the written drawings; main turns what escapes it into
// a message and an exit status.
int run(int argc, char **argv) {
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
    if (isBatchOutput(o.output)) return runBatch(o, &convertBatchScene);
    if (o.inputs.size() > 1)
        return fail(EXIT_USAGE,
                    "more than one scene file given ('" + o.inputs[0] + "' and '" + o.inputs[1] +
                        "') for the one drawing '" + o.output +
                        "': to convert several scenes, give an output folder (-o DIR/)");
    return convertScene(o);
}
} // namespace

// Nothing escapes main (see withLastResort).
int main(int argc, char **argv) {
    installTerminatingSignalHandler(&onTerminatingSignal);
    return withLastResort([&] { return run(argc, argv); });
}
