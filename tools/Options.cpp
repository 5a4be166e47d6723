#include "Options.h"
#include <cctype>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <sstream>

namespace {
std::string lower(std::string s) {
    for (char &c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return s;
}

bool parseFloat(const std::string &text, float &value) {
    if (text.empty()) return false;
    char *end = nullptr;
    double v = std::strtod(text.c_str(), &end);
    if (*end != '\0' || !(v == v)) return false;
    value = static_cast<float>(v);
    return true;
}

bool parseInt(const std::string &text, int &value) {
    if (text.empty()) return false;
    char *end = nullptr;
    long v = std::strtol(text.c_str(), &end, 10);
    if (*end != '\0' || v < -1000000 || v > 1000000) return false;
    value = static_cast<int>(v);
    return true;
}

// "R,G,B" with components from 0 to 1, or "#RRGGBB".
bool parseColor(const std::string &text, SbColor &color) {
    if (text.size() == 7 && text[0] == '#') {
        char *end = nullptr;
        unsigned long v = std::strtoul(text.c_str() + 1, &end, 16);
        if (*end != '\0') return false;
        color.setValue(((v >> 16) & 0xFF) / 255.0f, ((v >> 8) & 0xFF) / 255.0f, (v & 0xFF) / 255.0f);
        return true;
    }
    float c[3];
    std::stringstream in(text);
    std::string part;
    int n = 0;
    while (std::getline(in, part, ',')) {
        if (n == 3 || !parseFloat(part, c[n]) || c[n] < 0.0f || c[n] > 1.0f) return false;
        n++;
    }
    if (n != 3) return false;
    color.setValue(c[0], c[1], c[2]);
    return true;
}

bool parseSize(const std::string &text, float &w, float &h) {
    static const struct {
        const char *name;
        float w, h;
    } papers[] = {{"a4", 210, 297}, {"a3", 297, 420}, {"a5", 148, 210}, {"letter", 215.9f, 279.4f},
                  {"legal", 215.9f, 355.6f}};
    for (const auto &p : papers)
        if (lower(text) == p.name) {
            w = p.w;
            h = p.h;
            return true;
        }
    size_t x = lower(text).find('x');
    return x != std::string::npos && parseFloat(text.substr(0, x), w) && parseFloat(text.substr(x + 1), h) &&
           w > 0 && h > 0;
}

// A count: decimal digits only, at least 1, at most 2^64 - 1.
bool parseCount(const std::string &text, uint64_t &value) {
    if (text.empty() || text.find_first_not_of("0123456789") != std::string::npos) return false;
    errno = 0;
    char *end = nullptr;
    unsigned long long v = std::strtoull(text.c_str(), &end, 10);
    if (*end != '\0' || errno == ERANGE || v == 0) return false;
    value = static_cast<uint64_t>(v);
    return true;
}

int indexOf(const char *const *names, int count, const std::string &value) {
    for (int i = 0; i < count; i++)
        if (value == names[i]) return i;
    return -1;
}
} // namespace

OutputFormat formatFromExtension(const std::string &path) {
    size_t dot = path.rfind('.');
    size_t slash = path.rfind('/');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) return OutputFormat::None;
    std::string ext = lower(path.substr(dot + 1));
    if (ext == "ps" || ext == "eps") return OutputFormat::PostScript;
    if (ext == "cgm") return OutputFormat::Cgm;
    if (ext == "hpgl" || ext == "plt" || ext == "hgl" || ext == "hpg") return OutputFormat::Hpgl;
    if (ext == "emf") return OutputFormat::Emf;
    if (ext == "pdf") return OutputFormat::Pdf;
    if (ext == "svg") return OutputFormat::Svg;
    return OutputFormat::None;
}

const char *formatName(OutputFormat format) {
    switch (format) {
    case OutputFormat::PostScript: return "ps";
    case OutputFormat::Cgm: return "cgm";
    case OutputFormat::Hpgl: return "hpgl";
    case OutputFormat::Emf: return "emf";
    case OutputFormat::Pdf: return "pdf";
    case OutputFormat::Svg: return "svg";
    default: return "none";
    }
}

std::string parseOptions(int argc, char **argv, CliOptions &o) {
    static const char *const hiddenNames[] = {"none", "depth-sort", "painter", "visible-painter", "hidden-line"};
    static const char *const colorNames[] = {"swap", "keep", "invert"};
    static const char *const capNames[] = {"flat", "square", "pointed", "round"};
    static const char *const joinNames[] = {"none", "miter", "miter-bevel", "bevel", "pointed", "round"};
    for (int i = 1; i < argc; i++) {
        std::string arg = argv[i];
        std::string value;
        bool hasInlineValue = false;
        if (arg.rfind("--", 0) == 0 && arg.find('=') != std::string::npos) {
            value = arg.substr(arg.find('=') + 1);
            arg = arg.substr(0, arg.find('='));
            hasInlineValue = true;
        }
        // Fetches the option's value, from "--opt=value" or the next argument.
        auto next = [&](std::string &out) -> bool {
            if (hasInlineValue) {
                out = value;
                return true;
            }
            if (i + 1 >= argc) return false;
            out = argv[++i];
            return true;
        };
        auto bad = [&](const std::string &what) { return "option " + arg + ": " + what; };
        std::string v;
        if (arg == "-h" || arg == "--help") o.help = true;
        else if (arg == "--version") o.version = true;
        else if (arg == "-q" || arg == "--quiet") o.quiet = true;
        else if (arg == "-o" || arg == "--output") {
            if (!next(o.output) || o.output.empty()) return bad("expects a file name (or - for standard output)");
        } else if (arg == "-f" || arg == "--format") {
            if (!next(v)) return bad("expects ps, cgm, hpgl, emf, pdf or svg");
            v = lower(v);
            if (v == "ps") o.format = OutputFormat::PostScript;
            else if (v == "cgm") o.format = OutputFormat::Cgm;
            else if (v == "hpgl" || v == "plt") o.format = OutputFormat::Hpgl;
            else if (v == "emf") o.format = OutputFormat::Emf;
            else if (v == "pdf") o.format = OutputFormat::Pdf;
            else if (v == "svg") o.format = OutputFormat::Svg;
            else return bad("unknown format '" + v + "' (expected ps, cgm, hpgl, emf, pdf or svg)");
        } else if (arg == "--hidden") {
            if (!next(v) || (o.hidden = indexOf(hiddenNames, 5, v)) < 0)
                return bad("expects none, depth-sort, painter, visible-painter or hidden-line");
        } else if (arg == "--lighting") o.lighting = true;
        else if (arg == "--no-lighting") o.lighting = false;
        else if (arg == "--all-edges") o.allEdges = true;
        else if (arg == "--no-join") o.joinFaces = false;
        else if (arg == "--landscape") o.landscape = true;
        else if (arg == "--portrait") o.landscape = false;
        else if (arg == "--cgm-binary") o.cgmBinary = true;
        else if (arg == "--cgm-indexed") o.cgmIndexed = true;
        else if (arg == "--cgm-version") {
            if (!next(v) || !parseInt(v, o.cgmVersion) || o.cgmVersion < 1 || o.cgmVersion > 4)
                return bad("expects a metafile version from 1 to 4");
        } else if (arg == "--grey" || arg == "--gray") o.grey = true;
        else if (arg == "--paper") {
            if (!next(v) || !parseSize(v, o.paperWidth, o.paperHeight))
                return bad("expects a4, a3, a5, letter, legal or WIDTHxHEIGHT in millimetres");
        } else if (arg == "--margin") {
            if (!next(v) || !parseFloat(v, o.margin) || o.margin < 0) return bad("expects millimetres (>= 0)");
        } else if (arg == "--border") {
            if (!next(v) || !parseFloat(v, o.borderWidth) || o.borderWidth < 0)
                return bad("expects a line width in line-width units (0: no border)");
        } else if (arg == "--border-color") {
            if (!next(v) || !parseColor(v, o.borderColor)) return bad("expects R,G,B (0..1) or #RRGGBB");
        } else if (arg == "--background") {
            if (!next(v) || !parseColor(v, o.backgroundColor)) return bad("expects R,G,B (0..1) or #RRGGBB");
            o.background = true;
        } else if (arg == "--colors") {
            if (!next(v) || (o.colorTranslation = indexOf(colorNames, 3, v)) < 0)
                return bad("expects swap, keep or invert");
        } else if (arg == "--nominal-width") {
            if (!next(v) || !parseFloat(v, o.nominalWidth) || o.nominalWidth <= 0)
                return bad("expects millimetres per unit of line width (> 0)");
        } else if (arg == "--pixel-size") {
            if (!next(v) || !parseFloat(v, o.pixelSize) || o.pixelSize <= 0)
                return bad("expects millimetres per image pixel (> 0)");
        } else if (arg == "--line-cap") {
            if (!next(v) || (o.lineCap = indexOf(capNames, 4, v)) < 0)
                return bad("expects flat, square, pointed or round");
        } else if (arg == "--line-join") {
            if (!next(v) || (o.lineJoin = indexOf(joinNames, 6, v)) < 0)
                return bad("expects none, miter, miter-bevel, bevel, pointed or round");
        } else if (arg == "--miter-limit") {
            if (!next(v) || !parseFloat(v, o.miterLimit)) return bad("expects a number");
        } else if (arg == "--pens") {
            if (!next(v) || !parseInt(v, o.pens) || o.pens < 0 || o.pens > 256)
                return bad("expects a number of pens from 0 to 256");
        } else if (arg == "--pen") {
            // --pen R,G,B:WIDTH describes one more pen.
            if (!next(v)) return bad("expects R,G,B:WIDTH");
            size_t colon = v.find(':');
            SbColor c;
            float w = 0.35277778f;
            if (!parseColor(v.substr(0, colon), c) ||
                (colon != std::string::npos && (!parseFloat(v.substr(colon + 1), w) || w <= 0)))
                return bad("expects R,G,B:WIDTH (colour 0..1 or #RRGGBB, width in millimetres)");
            o.penColors.push_back(c);
            o.penWidths.push_back(w);
        } else if (arg == "--preview") {
            if (!next(o.preview) || o.preview.empty()) return bad("expects a PNG file name");
        } else if (arg == "--preview-scale") {
            if (!next(v) || !parseFloat(v, o.previewScale) || o.previewScale <= 0 || o.previewScale > 100)
                return bad("expects pixels per millimetre (> 0, at most 100)");
        } else if (arg == "--max-shapes") {
            if (!next(v) || !parseCount(v, o.maxShapes)) return bad("expects a number of shapes (at least 1)");
        } else if (arg == "-j" || arg == "--jobs") {
            if (!next(v) || !parseInt(v, o.jobs) || o.jobs < 1 || o.jobs > maxJobs)
                return bad("expects the number of scenes to convert at a time, from 1 to " +
                           std::to_string(maxJobs));
        } else if (arg == "--width-priority") o.widthPriority = true;
        else if (arg == "--color-priority") o.widthPriority = false;
        else if (!arg.empty() && arg[0] == '-' && arg != "-") return "unknown option " + arg + " (see --help)";
        else {
            if (o.input.empty()) o.input = arg;
            o.inputs.push_back(arg);
        }
    }
    if (!o.penColors.empty() && o.pens != 0 && o.pens != static_cast<int>(o.penColors.size()))
        return "--pens " + std::to_string(o.pens) + " does not match the " + std::to_string(o.penColors.size()) +
               " pens given with --pen";
    if (2 * o.margin >= o.paperWidth || 2 * o.margin >= o.paperHeight)
        return "the margins leave no room on the paper";
    return "";
}

std::string usageText() {
    return R"(Usage: scrivane [options] [scene-file] -o drawing.ps
       scrivane [options] scene-file... -o folder/ [-f FORMAT] [-j N]

Writes a 3-D scene (an Inventor ASCII file; without a file, a built-in demo scene) as a 2-D
vector drawing. A scene without a camera gets one that views the whole scene; a scene without a
light gets a headlight.

Output:
  -o, --output FILE        drawing to write; - writes to standard output; a folder (a name
                           ending in / or an existing directory) converts a batch (required)
  -f, --format FORMAT      ps, cgm, hpgl, emf, pdf or svg (default: from the output's
                           extension .ps/.eps, .cgm, .hpgl/.plt/.hgl, .emf, .pdf, .svg; else ps)
      --grey, --gray       PostScript in grey levels (default: colour)
      --cgm-binary         binary CGM (default: clear text)
      --cgm-version N      CGM metafile version 1 to 4 (default 1)
      --cgm-indexed        CGM colours through a colour table (default: direct colours)
Page:
      --paper SIZE         a4, a3, a5, letter, legal or WIDTHxHEIGHT in mm (default a4)
      --margin MM          margin on every side (default 10)
      --landscape          turn the page
      --portrait           do not turn the page (the default)
      --border WIDTH       border line width in line-width units; 0 none (default 0)
      --border-color C     border colour on paper, R,G,B in 0..1 or #RRGGBB (default 0,0,0,
                           black); --colors does not change it
      --background C       paint the drawing area in colour C on paper (default: no
                           background); --colors does not change it
Drawing:
      --colors MODE        screen-to-paper colours: swap (black and white change places),
                           keep or invert (default swap)
      --nominal-width MM   millimetres per unit of line width (default 0.35277778, 1/72 inch)
      --pixel-size MM      millimetres per image pixel (default 0.35277778)
      --line-cap CAP       flat, square, pointed or round (default flat)
      --line-join JOIN     none, miter, miter-bevel, bevel, pointed or round (default none)
      --miter-limit X      miter limit, at least 1 (default 1.5)
      --lighting           light faces from the scene's lights
      --no-lighting        flat material colours (the default)
      --hidden MODE        none, depth-sort, painter, visible-painter or hidden-line
                           (default none)
      --all-edges          with --hidden hidden-line, draw every triangle edge (diagonals and
                           facets too), not only the feature edges (outlines, creases, borders)
      --no-join            print every filled triangle on its own; by default neighbouring
                           triangles of a shape in one plane and one colour are printed as one
                           polygon, so that anti-aliasing viewers show no seams between them
Pens (plotters and colour tables):
      --pens N             describe N pens with the default palette (2, 4 or 8 colours)
                           (default 0: the format's own pens)
      --pen R,G,B:WIDTH    describe one pen (repeatable); width in mm
      --width-priority     choose pens by width first
      --color-priority     choose pens by colour first (the default)
Preview:
      --preview FILE.png   also write the scene as the off-screen OpenGL renderer draws it, with
                           the drawing's camera and the drawing area's aspect ratio: lit by the
                           scene's lights (or unlit where its light model is BASE_COLOR), in the
                           scene's own colours, on white or the --background colour. Text and
                           images are not drawn, and everything is opaque
      --preview-scale PX   preview pixels per millimetre of the drawing area (default 4); the
                           longer side is then limited to 2048 pixels
Limits:
      --max-shapes N       refuse a scene that expands to more than N shapes, counting every
                           use of a shared (DEF/USE) subgraph (default 100000000); the scene is
                           counted without being expanded
Batch (-o naming a folder, with one or more scene files):
  -j, --jobs N             convert N scenes at a time, each in a process of its own (default:
                           the number of cores)
                           Each scene is written into the folder under its file name with the
                           format's extension (-f, default ps): a/b/cube.iv as folder/cube.ps.
                           Scenes of the same name from different folders go into subfolders
                           named after their folders (folder/a/axes.ps, folder/b/axes.ps). The
                           folder is made when missing. A failed scene does not stop the others;
                           its messages are printed together when it ends, and a summary lists
                           the failures at the end
Other:
  -q, --quiet              no progress or warnings on standard error
  -h, --help               this text
      --version            the version

Exit status: 0 success, 1 bad command line, 2 unreadable scene, 3 output not written,
4 scene too large (more shapes than --max-shapes), 5 out of memory or another internal
failure, 130 interrupted (SIGINT), 143 terminated (SIGTERM). A batch exits with 0 when every
drawing was written, else with the highest status of its failed scenes (128 + N for a scene
whose process signal N ended).
)";
}
