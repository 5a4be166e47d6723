// Scrivane against gl2ps, the best-known peer library, on the benchmark scenes (knot, sphere,
// height field, random triangles; PeerScene.h colours their faces by normal direction).
//
// For every scene and size, in one run, each of our drawings is paired with the peer's:
//   our none / depth sort              with gl2ps GL2PS_NO_SORT / GL2PS_SIMPLE_SORT,
//   our painter / visible painter      with gl2ps GL2PS_BSP_SORT / BSP + GL2PS_OCCLUSION_CULL,
// all as PostScript, and our clear-text CGM, binary CGM, HP-GL/2 and EMF drawings without
// removal with gl2ps's unsorted PostScript. The pairs run interleaved (ours, peer, ours, peer,
// ...) so that the machine's load weighs on both alike; each run is a child process of its own,
// so every run starts from the same state, and a run that takes too long or grows too large can
// be stopped. Every run first draws a small scene untimed, the same way (the warm-up). The CPU
// time of a run is that of its process (Mesa's threads included) over the drawing alone: our
// apply from the scene graph to the closed file; the peer's pages from gl2psBeginPage to
// gl2psEndPage and the closed file, its OpenGL context made beforehand (an application has
// one), the triangles already in arrays.
//
// The PostScript drawings are then rasterized by Ghostscript without anti-aliasing and compared
// pixel by pixel with the off-screen renderer's z-buffer picture of the unlit scene (the method
// and code of the fidelity tests, tests/support/FidelityPage.h): a pixel is wrong when a channel
// differs by more than 4 levels; the pixels within one pixel of a colour change of the picture
// are left out.
//
// The result is a markdown table on standard output; bench/README.md explains the options.
#include "Gl2psDrawing.h"
#include "HlhsrScenes.h"
#include "PeerScene.h"

#include "FidelityPage.h"
#include "scene/nodes/SoSeparator.h"
#include "scrivane/SoScrivane.h"
#include "scrivane/SoVectorizeCGMAction.h"
#include "scrivane/SoVectorizeGDIAction.h"
#include "scrivane/SoVectorizeHPGLAction.h"
#include "scrivane/SoVectorizePSAction.h"

#include <GL/gl.h>
#include <gl2ps.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <fstream>
#include <functional>
#include <map>
#include <poll.h>
#include <sstream>
#include <string>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

using namespace peer_bench;
namespace fidelity = scrivane::test;

namespace {

// ---------------------------------------------------------------------------------------------
// What is compared.

enum Format { PS, CGM_TEXT, CGM_BINARY, HPGL, EMF, FORMAT_COUNT };
const char *const kFormatNames[] = {"ps", "cgm", "cgm-binary", "hpgl", "emf"};
const char *const kFormatExtensions[] = {".ps", ".cgm", "-binary.cgm", ".hpgl", ".emf"};

// A removal mode of ours and the gl2ps ordering set against it.
struct Pairing {
    const char *name; // our mode, as the command's --hidden option names it
    SoVectorizeAction::HLHSRMode ours;
    int peerSort, peerOptions;
    const char *peerName;
};
const Pairing kPairings[] = {
    {"none", SoVectorizeAction::HIDDEN_NONE, GL2PS_NO_SORT, 0, "NO_SORT"},
    {"depth-sort", SoVectorizeAction::HIDDEN_BY_DEPTH_SORT, GL2PS_SIMPLE_SORT, 0, "SIMPLE_SORT"},
    {"painter", SoVectorizeAction::HIDDEN_BY_PAINTER, GL2PS_BSP_SORT, 0, "BSP_SORT"},
    {"visible-painter", SoVectorizeAction::HIDDEN_BY_VISIBLE_PAINTER, GL2PS_BSP_SORT,
     GL2PS_OCCLUSION_CULL, "BSP_SORT+OCCLUSION_CULL"},
};

struct Options {
    std::vector<int> scenes = {bench_scenes::KNOT, bench_scenes::SPHERE, bench_scenes::HEIGHT_FIELD,
                               bench_scenes::RANDOM_TRIANGLES};
    std::vector<int> sizes = {1000, 10000, 100000};
    std::vector<int> pairings = {0, 1, 2, 3};
    std::vector<int> formats = {CGM_TEXT, CGM_BINARY, HPGL, EMF}; // besides PostScript
    int repetitions = 3;
    double onceAboveSeconds = 2; // a side whose run takes longer is run once
    int bspMax = 10000;          // gl2ps's BSP ordering only up to this many triangles
    // Our painters on the random triangles: the painter's cuts multiply there (at 10^4 it runs
    // for minutes), the visible painter's less.
    int randomPainterMax = 10000, randomVisiblePainterMax = 10000;
    double timeoutSeconds = 120, memoryLimitGB = 6;
    bool pixels = true, keep = false;
    std::string out = "peer-bench-out";
};

// ---------------------------------------------------------------------------------------------
// Runs in child processes.

// What a child reports through its pipe.
struct RunResult {
    int ok = 0;
    double cpuSeconds = 0;
    long bytes = 0, polygons = -1;
    int bufferFloats = 0, passes = 0;
    char error[240] = {0};
};

enum class RunStatus { DONE, FAILED, STOPPED_TIME, STOPPED_MEMORY };

double processCpuSeconds() {
    timespec t;
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return double(t.tv_sec) + 1e-9 * double(t.tv_nsec);
}

long fileBytes(const std::string &path) {
    struct stat info;
    return stat(path.c_str(), &info) == 0 ? long(info.st_size) : -1;
}

// The resident memory of a process in bytes (0 when it cannot be read).
long residentBytes(pid_t pid) {
    std::ifstream statm("/proc/" + std::to_string(pid) + "/statm");
    long size = 0, resident = 0;
    statm >> size >> resident;
    return resident * sysconf(_SC_PAGESIZE);
}

// Runs job in a child process and waits at most timeoutSeconds (wall clock) for its result;
// a child still running then, or one whose resident memory grows beyond memoryLimit bytes, is
// killed (the machine is shared: gl2ps's BSP tree on 10^5 triangles grows past 10 GB). The
// parent never touches OpenGL, so every child starts without a context or Mesa's threads.
RunStatus runInChild(const std::function<void(RunResult &)> &job, double timeoutSeconds,
                     long memoryLimit, RunResult &result) {
    int fds[2];
    if (pipe(fds) != 0) {
        std::snprintf(result.error, sizeof result.error, "pipe: %s", std::strerror(errno));
        return RunStatus::FAILED;
    }
    std::fflush(stdout);
    std::fflush(stderr);
    const pid_t pid = fork();
    if (pid < 0) {
        std::snprintf(result.error, sizeof result.error, "fork: %s", std::strerror(errno));
        close(fds[0]);
        close(fds[1]);
        return RunStatus::FAILED;
    }
    if (pid == 0) {
        close(fds[0]);
        RunResult r;
        job(r);
        const char *p = reinterpret_cast<const char *>(&r);
        size_t left = sizeof r;
        while (left > 0) {
            const ssize_t n = write(fds[1], p, left);
            if (n <= 0) break;
            p += n;
            left -= size_t(n);
        }
        _exit(0); // no exit handlers: the parent's copies of them are not the child's business
    }
    close(fds[1]);
    const auto deadline =
        std::chrono::steady_clock::now() + std::chrono::milliseconds(long(timeoutSeconds * 1000));
    char *p = reinterpret_cast<char *>(&result);
    size_t got = 0;
    RunStatus stopped = RunStatus::DONE;
    while (got < sizeof result) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
                              deadline - std::chrono::steady_clock::now())
                              .count();
        if (left <= 0) {
            stopped = RunStatus::STOPPED_TIME;
            break;
        }
        if (residentBytes(pid) > memoryLimit) {
            stopped = RunStatus::STOPPED_MEMORY;
            break;
        }
        pollfd wait{fds[0], POLLIN, 0};
        const int ready = poll(&wait, 1, int(std::min<long long>(left, 200)));
        if (ready < 0 && errno == EINTR) continue;
        if (ready <= 0) continue;
        const ssize_t n = read(fds[0], p + got, sizeof result - got);
        if (n <= 0) break; // the child ended without a whole result
        got += size_t(n);
    }
    close(fds[0]);
    if (stopped != RunStatus::DONE) kill(pid, SIGKILL);
    int status = 0;
    waitpid(pid, &status, 0);
    if (stopped != RunStatus::DONE) return stopped;
    if (got < sizeof result) {
        result = RunResult();
        std::snprintf(result.error, sizeof result.error, "the run ended abnormally (status %d)",
                      status);
        return RunStatus::FAILED;
    }
    return result.ok ? RunStatus::DONE : RunStatus::FAILED;
}

// Our format actions, counting the polygons they are asked to print.
template <class Action> class Counting : public Action {
public:
    long polygons = 0;

protected:
    void printPolygon(const SbVec4f *points, int n, const SbColor *colors, SbString category,
                      SbString name, const unsigned char *bits) override {
        polygons++;
        Action::printPolygon(points, n, colors, category, name, bits);
    }
};

// The page of the fidelity tests: a 100 mm square drawing whose pixels at 127 dpi are those of
// the renderer's picture, colours kept, no border, unlit.
void setUpPage(SoVectorizeAction &action, SoVectorizeAction::HLHSRMode mode) {
    action.setDrawingDimensions(fidelity::kDrawingMm, fidelity::kDrawingMm);
    action.setStartPosition(fidelity::kStartMm, fidelity::kStartMm);
    action.setColorTranslationMethod(SoVectorizeAction::KEEP_COLORS);
    action.setBorder(0.0f);
    action.setHLHSRMode(mode);
    action.enableLighting(0);
}

template <class Action>
bool applyCounting(Action &action, SoNode *root, const std::string &path, RunResult &r) {
    if (action.getOutput()->openFile(path.c_str()) != 1) {
        std::snprintf(r.error, sizeof r.error, "cannot write %s", path.c_str());
        return false;
    }
    action.apply(root);
    action.getOutput()->closeFile();
    r.polygons = action.polygons;
    return true;
}

void drawOurs(const PeerScene &scene, Format format, SoVectorizeAction::HLHSRMode mode,
              const std::string &path, RunResult &r) {
    const double start = processCpuSeconds();
    bool ok = true;
    switch (format) {
    case PS: {
        Counting<SoVectorizePSAction> action;
        setUpPage(action, mode);
        ok = applyCounting(action, scene.root, path, r);
        break;
    }
    case CGM_TEXT:
    case CGM_BINARY: {
        Counting<SoVectorizeCGMAction> action;
        setUpPage(action, mode);
        action.getCGMVectorOutput()->setBinaryEncoding(format == CGM_BINARY);
        ok = applyCounting(action, scene.root, path, r);
        break;
    }
    case HPGL: {
        Counting<SoVectorizeHPGLAction> action;
        setUpPage(action, mode);
        ok = applyCounting(action, scene.root, path, r);
        break;
    }
    case EMF: {
        // The metafile is written by the footer, under the name the output keeps.
        Counting<SoVectorizeGDIAction> action;
        setUpPage(action, mode);
        action.getGDIVectorOutput()->openFile(path.c_str());
        action.apply(scene.root);
        r.polygons = action.polygons;
        break;
    }
    default:
        ok = false;
    }
    r.cpuSeconds = processCpuSeconds() - start;
    r.bytes = fileBytes(path);
    if (ok && r.bytes <= 0) {
        std::snprintf(r.error, sizeof r.error, "%s was not written", path.c_str());
        ok = false;
    }
    r.ok = ok;
}

// name.warm-up.ext for name.ext: the extension stays last, where the EMF output looks for it.
std::string warmUpPathFor(const std::string &path) {
    const size_t dot = path.rfind('.');
    return path.substr(0, dot) + ".warm-up" + path.substr(dot);
}

// A run starts with an untimed drawing of a small scene the same way (the warm-up), so that
// what a process does once (Mesa compiling its pipeline, the allocator's first pages, the
// first use of the code) is left out of the timed drawing on both sides.
void runOurs(const PeerScene &scene, const PeerScene &warmUp, Format format,
             SoVectorizeAction::HLHSRMode mode, const std::string &path, RunResult &r) {
    const std::string warmUpPath = warmUpPathFor(path);
    drawOurs(warmUp, format, mode, warmUpPath, r);
    std::remove(warmUpPath.c_str());
    if (!r.ok) return;
    r = RunResult();
    drawOurs(scene, format, mode, path, r);
}

void runPeer(const PeerScene &scene, const PeerScene &warmUp, const Pairing &pairing,
             int bufferFloats, const std::string &path, RunResult &r) {
    Gl2psContext context;
    std::string error;
    if (!context.makeCurrent(error)) {
        std::snprintf(r.error, sizeof r.error, "%s", error.c_str());
        return;
    }
    Gl2psPage warmUpPage;
    warmUpPage.sort = pairing.peerSort;
    warmUpPage.options = pairing.peerOptions;
    warmUpPage.bufferFloats = feedbackFloatsFor(warmUp);
    const std::string warmUpPath = warmUpPathFor(path);
    const bool warmedUp = writeWithGl2ps(warmUp, warmUpPath, warmUpPage, error);
    std::remove(warmUpPath.c_str());
    if (!warmedUp) {
        std::snprintf(r.error, sizeof r.error, "%s", error.c_str());
        return;
    }
    Gl2psPage page;
    page.sort = pairing.peerSort;
    page.options = pairing.peerOptions;
    page.bufferFloats = bufferFloats;
    const double start = processCpuSeconds();
    const bool ok = writeWithGl2ps(scene, path, page, error);
    r.cpuSeconds = processCpuSeconds() - start;
    if (!ok) {
        std::snprintf(r.error, sizeof r.error, "%s", error.c_str());
        return;
    }
    r.bytes = fileBytes(path);
    r.bufferFloats = page.bufferFloats;
    r.passes = page.passes;
    r.ok = 1;
}

// The z-buffer picture of the unlit scene, written as a PNG file.
void runReference(const PeerScene &scene, const std::string &path, RunResult &r) {
    SoSeparator *unlit = fidelity::unlitScene(scene.root);
    fidelity::Picture picture;
    std::string error;
    const bool rendered = fidelity::renderPicture(unlit, picture, error);
    unlit->unref();
    if (!rendered) {
        std::snprintf(r.error, sizeof r.error, "%s", error.c_str());
        return;
    }
    if (!picture.write(path)) {
        std::snprintf(r.error, sizeof r.error, "cannot write %s", path.c_str());
        return;
    }
    r.ok = 1;
}

// ---------------------------------------------------------------------------------------------
// Pictures.

// A PNG file of kDrawingPixels square (top row first) as a picture (bottom row first).
bool readPicture(const std::string &path, fidelity::Picture &picture, std::string &error) {
    fidelity::PngImage image;
    if (!image.read(path, &error)) return false;
    if (image.width() != fidelity::kDrawingPixels || image.height() != fidelity::kDrawingPixels) {
        error = path + ": unexpected size";
        return false;
    }
    for (int y = 0; y < fidelity::kDrawingPixels; y++)
        for (int x = 0; x < fidelity::kDrawingPixels; x++) {
            const fidelity::Rgb c = image.pixel(x, fidelity::kDrawingPixels - 1 - y);
            picture.set(x, y, c.r, c.g, c.b);
        }
    return true;
}

const char *const kLeftOperands = "Error: the document left operands on the stack\n";
bool peerLeftOperands = false;

// Rasterizes a PostScript drawing: ours on the fidelity page (its drawing area), the peer's on
// its bounding box, the viewport, one point per pixel at 72 dpi.
bool rasterize(const std::string &ps, bool ours, fidelity::Picture &picture, std::string &error) {
    const std::string png = ps.substr(0, ps.size() - 3) + "-raster.png";
    fidelity::RenderOptions options;
    options.dpi = ours ? fidelity::kFidelityDpi : 72;
    options.pageWidthPoints = options.pageHeightPoints =
        ours ? fidelity::kSheetPoints : kViewportPixels;
    const fidelity::GhostscriptRun run = fidelity::renderToPng(ps, png, options);
    // gl2ps's PostScript leaves a dictionary on the operand stack, which the strict check
    // reports; Ghostscript draws the page all the same.
    const bool onlyLeftOperands = !ours && run.errors == kLeftOperands;
    if (run.exitStatus != 0 || !(run.errors.empty() || onlyLeftOperands) || run.pages != 1) {
        error = run.describe();
        return false;
    }
    peerLeftOperands = peerLeftOperands || onlyLeftOperands;
    bool ok = true;
    if (ours) {
        fidelity::PngImage sheet;
        ok = sheet.read(png, &error);
        if (ok) picture = fidelity::drawingArea(sheet);
    } else {
        ok = readPicture(png, picture, error);
    }
    std::remove(png.c_str());
    return ok;
}

// The polygons in a gl2ps PostScript file: its filled triangles ("T") and quadrangles ("Q"), and
// smooth-shaded ones, one per line.
long countPeerPolygons(const std::string &path) {
    std::ifstream in(path);
    std::string line;
    long count = 0;
    while (std::getline(in, line)) {
        const size_t space = line.rfind(' ');
        if (space == std::string::npos || line[0] == '%' || line[0] == '/') continue;
        const std::string op = line.substr(space + 1);
        count += op == "T" || op == "ST" || op == "Q" || op == "SQ";
    }
    return count;
}

// ---------------------------------------------------------------------------------------------
// Measurements and the table.

struct Side {
    std::vector<double> cpu; // seconds, one per repetition
    long bytes = -1, polygons = -1;
    int passes = 0, bufferFloats = 0;
    std::string note; // why there is no figure
    double wrongPercent = -1;
    std::string path;
    bool ran() const { return !cpu.empty(); }
    double medianMs() const {
        std::vector<double> c = cpu;
        std::sort(c.begin(), c.end());
        const size_t n = c.size();
        return 1000.0 * (n % 2 ? c[n / 2] : 0.5 * (c[n / 2 - 1] + c[n / 2]));
    }
};

struct Row {
    std::string scene;
    int triangles = 0;
    Format format = PS;
    int pairing = 0;
    Side ours, peer;
};

std::string formatMs(double ms) {
    char text[32];
    std::snprintf(text, sizeof text, ms < 10 ? "%.2f" : ms < 100 ? "%.1f" : "%.0f", ms);
    return text;
}

std::string formatCount(long n) {
    if (n < 0) return "";
    std::string digits = std::to_string(n), result;
    for (size_t i = 0; i < digits.size(); i++) {
        if (i && (digits.size() - i) % 3 == 0) result += ' ';
        result += digits[i];
    }
    return result;
}

// To 1e-4 %: one pixel of the 500 x 500 picture is 4e-4 %, so that a few pixels show.
std::string formatPercent(double p) {
    if (p < 0) return "-";
    char text[32];
    std::snprintf(text, sizeof text, "%.4f", p);
    return text;
}

std::string cpuCell(const Side &s, int repetitions) {
    if (!s.ran()) return s.note.empty() ? "-" : s.note;
    const int runs = int(s.cpu.size());
    return formatMs(s.medianMs()) +
           (runs < repetitions ? " (" + std::to_string(runs) + (runs == 1 ? " run)" : " runs)")
                               : std::string());
}

void printRow(const Row &r, int repetitions) {
    const Pairing &p = kPairings[r.pairing];
    std::string versus = std::string(p.name) + " vs " + p.peerName;
    std::string ratio = "-";
    if (r.ours.ran() && r.peer.ran() && r.peer.medianMs() > 0) {
        char text[32];
        std::snprintf(text, sizeof text, "%.2f", r.ours.medianMs() / r.peer.medianMs());
        ratio = text;
    }
    auto polygonCount = [](const Side &s) {
        return s.ran() && s.polygons >= 0 ? formatCount(s.polygons) : std::string("-");
    };
    const std::string polygons = polygonCount(r.ours) + " / " + polygonCount(r.peer);
    std::string wrong = r.format == PS ? formatPercent(r.ours.wrongPercent) + " / " +
                                             formatPercent(r.peer.wrongPercent)
                                       : std::string("");
    std::printf("| %s | %s | %s | %s | %s | %s | %s | %s | %s | %s | %s |\n", r.scene.c_str(),
                formatCount(r.triangles).c_str(), kFormatNames[r.format], versus.c_str(),
                cpuCell(r.ours, repetitions).c_str(), cpuCell(r.peer, repetitions).c_str(),
                ratio.c_str(), r.ours.ran() ? formatCount(r.ours.bytes).c_str() : "-",
                r.peer.ran() ? formatCount(r.peer.bytes).c_str() : "-", polygons.c_str(),
                wrong.c_str());
    std::fflush(stdout);
}

std::string loadAverage() {
    std::ifstream in("/proc/loadavg");
    std::string one, five, fifteen;
    in >> one >> five >> fifteen;
    return one + " " + five + " " + fifteen;
}

long memoryLimit(const Options &options) {
    return long(options.memoryLimitGB * 1e9);
}

// One run of a side, folded into its record; a side that failed or was stopped runs no more.
void measure(Side &side, const std::function<void(RunResult &)> &job, const Options &options,
             const std::string &label) {
    if (!side.note.empty()) return;
    if (!side.cpu.empty() && side.cpu.front() > options.onceAboveSeconds) return;
    RunResult r;
    const RunStatus status = runInChild(job, options.timeoutSeconds, memoryLimit(options), r);
    if (status == RunStatus::STOPPED_TIME || status == RunStatus::STOPPED_MEMORY) {
        char text[64];
        if (status == RunStatus::STOPPED_TIME)
            std::snprintf(text, sizeof text, "stopped > %g s", options.timeoutSeconds);
        else
            std::snprintf(text, sizeof text, "stopped > %g GB", options.memoryLimitGB);
        side.note = text;
        side.cpu.clear();
        std::fprintf(stderr, "peer-bench: %s %s\n", label.c_str(), text);
        return;
    }
    if (status == RunStatus::FAILED) {
        side.note = "failed";
        side.cpu.clear();
        std::fprintf(stderr, "peer-bench: %s failed: %s\n", label.c_str(), r.error);
        return;
    }
    side.cpu.push_back(r.cpuSeconds);
    side.bytes = r.bytes;
    if (r.polygons >= 0) side.polygons = r.polygons;
    side.passes = std::max(side.passes, r.passes);
    side.bufferFloats = r.bufferFloats;
}

void measureScene(int kind, int size, const PeerScene &warmUp, const Options &options,
                  std::vector<Row> &rows) {
    PeerScene scene = buildPeerScene(kind, size);
    const std::string name = bench_scenes::kindName(kind);
    const std::string stem = options.out + "/" + name + "-" + std::to_string(scene.triangles);

    // Rows: the PostScript pairings, then the other formats without removal against gl2ps's
    // unsorted PostScript.
    std::vector<Row> mine;
    for (int p : options.pairings) {
        Row row;
        row.pairing = p;
        mine.push_back(row);
    }
    for (int f : options.formats) {
        Row row;
        row.format = Format(f);
        mine.push_back(row);
    }
    for (Row &row : mine) {
        row.scene = name;
        row.triangles = scene.triangles;
        const Pairing &p = kPairings[row.pairing];
        row.ours.path = stem + "-ours-" + p.name + kFormatExtensions[row.format];
        row.peer.path = stem + "-gl2ps-" + p.peerName + ".ps";
        if (p.peerSort == GL2PS_BSP_SORT && scene.triangles > options.bspMax)
            row.peer.note = "skipped (--bsp-max " + std::to_string(options.bspMax) + ")";
        if (kind == bench_scenes::RANDOM_TRIANGLES) {
            if (p.ours == SoVectorizeAction::HIDDEN_BY_PAINTER &&
                scene.triangles > options.randomPainterMax)
                row.ours.note = "skipped (--random-painter-max " +
                                std::to_string(options.randomPainterMax) + ")";
            if (p.ours == SoVectorizeAction::HIDDEN_BY_VISIBLE_PAINTER &&
                scene.triangles > options.randomVisiblePainterMax)
                row.ours.note = "skipped (--random-visible-painter-max " +
                                std::to_string(options.randomVisiblePainterMax) + ")";
        }
    }

    // The peer's feedback buffer: sized for the triangles at first, and then as large as the
    // last run found necessary, so that timed runs rarely draw a page twice.
    std::map<int, int> bufferFloats;
    for (int rep = 0; rep < options.repetitions; rep++)
        for (Row &row : mine) {
            const Pairing &p = kPairings[row.pairing];
            const std::string label = name + " " + std::to_string(scene.triangles) + " " +
                                      kFormatNames[row.format] + " " + p.name;
            measure(
                row.ours,
                [&](RunResult &r) { runOurs(scene, warmUp, row.format, p.ours, row.ours.path, r); },
                options, "ours " + label);
            int &buffer = bufferFloats[row.pairing];
            if (!buffer) buffer = feedbackFloatsFor(scene);
            measure(
                row.peer,
                [&](RunResult &r) { runPeer(scene, warmUp, p, buffer, row.peer.path, r); }, options,
                "gl2ps " + label);
            if (row.peer.bufferFloats > buffer) buffer = row.peer.bufferFloats;
        }

    for (Row &row : mine)
        if (row.peer.ran()) row.peer.polygons = countPeerPolygons(row.peer.path);

    if (options.pixels) {
        const std::string referencePath = stem + "-zbuffer.png";
        RunResult r;
        fidelity::Picture reference;
        std::string error;
        const bool rendered =
            runInChild([&](RunResult &rr) { runReference(scene, referencePath, rr); },
                       options.timeoutSeconds, memoryLimit(options), r) == RunStatus::DONE &&
            readPicture(referencePath, reference, error);
        if (!rendered) {
            std::fprintf(stderr, "peer-bench: no z-buffer picture of %s: %s %s\n", stem.c_str(),
                         r.error, error.c_str());
        } else {
            const fidelity::Mask band = fidelity::colourChangeBand(reference);
            for (Row &row : mine) {
                if (row.format != PS) continue;
                for (Side *side : {&row.ours, &row.peer}) {
                    if (!side->ran()) continue;
                    fidelity::Picture got;
                    if (!rasterize(side->path, side == &row.ours, got, error)) {
                        std::fprintf(stderr, "peer-bench: cannot rasterize %s: %s\n",
                                     side->path.c_str(), error.c_str());
                        continue;
                    }
                    const std::string diff =
                        side->path.substr(0, side->path.size() - 3) + "-diff.png";
                    side->wrongPercent =
                        fidelity::comparePictures(got, reference, band, diff).wrongPercent();
                }
            }
        }
    }

    if (!options.keep)
        for (Row &row : mine)
            for (Side *side : {&row.ours, &row.peer})
                std::remove(side->path.c_str()); // a stopped run may have left a part

    for (Row &row : mine) {
        printRow(row, options.repetitions);
        rows.push_back(row);
    }
    scene.root->unref();
}

// ---------------------------------------------------------------------------------------------
// Options.

std::vector<std::string> split(const std::string &list) {
    std::vector<std::string> items;
    std::stringstream in(list);
    std::string item;
    while (std::getline(in, item, ','))
        if (!item.empty()) items.push_back(item);
    return items;
}

int indexOf(const std::string &name, const char *const *names, int count) {
    for (int i = 0; i < count; i++)
        if (name == names[i]) return i;
    return -1;
}

void usage(FILE *to) {
    std::fprintf(
        to,
        "usage: scrivane_peer_bench [options]\n"
        "Scrivane against gl2ps %d.%d.%d on the benchmark scenes; prints a markdown table.\n"
        "  --scenes LIST        knot,sphere,height,random (default: all)\n"
        "  --sizes LIST         triangles asked for (default: 1000,10000,100000)\n"
        "  --modes LIST         none,depth-sort,painter,visible-painter (default: all)\n"
        "  --formats LIST       other formats than PostScript, drawn without removal:\n"
        "                       cgm,cgm-binary,hpgl,emf (default: all; 'none' for none)\n"
        "  --reps N             repetitions of each run, median reported (default: 3)\n"
        "  --bsp-max N          run gl2ps's BSP ordering only up to N triangles (default:\n"
        "                       10000; it is very slow beyond); larger ones are marked skipped\n"
        "  --random-painter-max N          run our painter on random triangles only up to\n"
        "                       N triangles (default: 10000; they cover the page many times\n"
        "                       over and the cuts multiply: some 15 parts a triangle at 10^4)\n"
        "  --random-visible-painter-max N  the same for our visible painter (default: 10000)\n"
        "  --once-above S       run a side whose first run takes more than S seconds of CPU\n"
        "                       only once (default: 2)\n"
        "  --timeout S          stop a run after S seconds of wall time (default: 120)\n"
        "  --memory-limit GB    stop a run whose resident memory passes GB gigabytes\n"
        "                       (default: 6)\n"
        "  --no-pixels          skip the wrong-pixel comparison (and Ghostscript)\n"
        "  --out DIR            directory for the drawings (default: peer-bench-out)\n"
        "  --keep               keep the drawings (the z-buffer pictures and the differences\n"
        "                       are always kept)\n",
        GL2PS_MAJOR_VERSION, GL2PS_MINOR_VERSION, GL2PS_PATCH_VERSION);
}

bool parseOptions(int argc, char **argv, Options &o) {
    static const char *const sceneNames[] = {"knot", "sphere", "height", "random"};
    static const char *const modeNames[] = {"none", "depth-sort", "painter", "visible-painter"};
    for (int i = 1; i < argc; i++) {
        const std::string a = argv[i];
        auto value = [&]() -> std::string {
            if (i + 1 >= argc) {
                std::fprintf(stderr, "scrivane_peer_bench: %s needs a value\n", a.c_str());
                std::exit(2);
            }
            return argv[++i];
        };
        auto number = [&](double low) {
            const std::string v = value();
            char *end = nullptr;
            const double n = std::strtod(v.c_str(), &end);
            if (end == v.c_str() || *end || n < low) {
                std::fprintf(stderr, "scrivane_peer_bench: bad value for %s: %s\n", a.c_str(),
                             v.c_str());
                std::exit(2);
            }
            return n;
        };
        auto names = [&](const char *const *known, int count, std::vector<int> &into) {
            into.clear();
            for (const std::string &item : split(value())) {
                if (item == "none" && known == kFormatNames) continue;
                const int k = indexOf(item, known, count);
                if (k < 0) {
                    std::fprintf(stderr, "scrivane_peer_bench: unknown %s value: %s\n", a.c_str(),
                                 item.c_str());
                    std::exit(2);
                }
                if (known != kFormatNames || k != PS) into.push_back(k);
            }
        };
        if (a == "--scenes") {
            names(sceneNames, 4, o.scenes);
        } else if (a == "--sizes") {
            o.sizes.clear();
            for (const std::string &item : split(value())) {
                const int n = std::atoi(item.c_str());
                if (n < 1) {
                    std::fprintf(stderr, "scrivane_peer_bench: bad size: %s\n", item.c_str());
                    std::exit(2);
                }
                o.sizes.push_back(n);
            }
        } else if (a == "--modes") {
            names(modeNames, 4, o.pairings);
        } else if (a == "--formats") {
            names(kFormatNames, FORMAT_COUNT, o.formats);
        } else if (a == "--reps") {
            o.repetitions = int(number(1));
        } else if (a == "--bsp-max") {
            o.bspMax = int(number(0));
        } else if (a == "--random-painter-max") {
            o.randomPainterMax = int(number(0));
        } else if (a == "--random-visible-painter-max") {
            o.randomVisiblePainterMax = int(number(0));
        } else if (a == "--once-above") {
            o.onceAboveSeconds = number(0);
        } else if (a == "--timeout") {
            o.timeoutSeconds = number(1);
        } else if (a == "--memory-limit") {
            o.memoryLimitGB = number(0.1);
        } else if (a == "--no-pixels") {
            o.pixels = false;
        } else if (a == "--out") {
            o.out = value();
        } else if (a == "--keep") {
            o.keep = true;
        } else if (a == "--help" || a == "-h") {
            usage(stdout);
            std::exit(0);
        } else {
            std::fprintf(stderr, "scrivane_peer_bench: unknown option %s\n", a.c_str());
            usage(stderr);
            return false;
        }
    }
    return true;
}

} // namespace

int main(int argc, char **argv) {
    Options options;
    if (!parseOptions(argc, argv, options)) return 2;
    mkdir(options.out.c_str(), 0755);
    SoScrivane::init();

    std::string command = "scrivane_peer_bench";
    for (int i = 1; i < argc; i++)
        command += std::string(" ") + argv[i];
    const time_t now = std::time(nullptr);
    char date[64];
    std::strftime(date, sizeof date, "%Y-%m-%d %H:%M UTC", std::gmtime(&now));
    std::printf("Scrivane %s against gl2ps %d.%d.%d, %s, %ld cores online, load average %s\n",
                SCRIVANE_VERSION_TEXT, GL2PS_MAJOR_VERSION, GL2PS_MINOR_VERSION,
                GL2PS_PATCH_VERSION, date, sysconf(_SC_NPROCESSORS_ONLN), loadAverage().c_str());
    std::printf("command: %s\n", command.c_str());
    std::printf("CPU ms: median of %d interleaved runs per side (process CPU time); ratio: ours / "
                "gl2ps (below 1: we are faster).\n",
                options.repetitions);
    std::printf("Other formats are drawn without removal and set against gl2ps's unsorted "
                "PostScript. Polygons out: ours printed, gl2ps's in its file. Wrong pixels: "
                "PostScript rasters against the z-buffer picture, 1-pixel bands at colour changes "
                "left out.\n\n");
    std::printf("| scene | triangles | format | ours vs gl2ps | ours CPU ms | gl2ps CPU ms | "
                "ratio | ours bytes | gl2ps bytes | polygons out ours / gl2ps | wrong px %% ours "
                "/ gl2ps |\n");
    std::printf("|---|---:|---|---|---:|---:|---:|---:|---:|---:|---:|\n");

    // The small scene every run draws first, untimed.
    PeerScene warmUp = buildPeerScene(bench_scenes::KNOT, 200);
    std::vector<Row> rows;
    const auto started = std::chrono::steady_clock::now();
    for (int size : options.sizes)
        for (int kind : options.scenes)
            measureScene(kind, size, warmUp, options, rows);
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    warmUp.root->unref();

    std::printf("\nWall time %.0f s; load average at the end %s.\n", seconds,
                loadAverage().c_str());
    bool skipped = false;
    for (const Row &row : rows)
        skipped = skipped || row.ours.note.rfind("skipped", 0) == 0 ||
                  row.peer.note.rfind("skipped", 0) == 0;
    if (skipped)
        std::printf("Runs marked skipped were not run: the option named in the cell chooses.\n");
    if (peerLeftOperands)
        std::printf("gl2ps's PostScript leaves operands on the stack (Ghostscript draws it all the "
                    "same).\n");
    for (const Row &row : rows)
        if (row.peer.passes > 1) {
            std::printf("gl2ps drew some pages more than once: its feedback buffer overflowed.\n");
            break;
        }
    int failures = 0;
    for (const Row &row : rows)
        failures += row.ours.note == "failed" || row.peer.note == "failed";
    return failures ? 1 : 0;
}
